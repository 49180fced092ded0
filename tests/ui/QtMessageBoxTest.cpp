#include "QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs steps against the box once it is shown.
void whenBoxShown(std::function<void(QMessageBox *)> act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                act(box);
                return;
            }
        ADD_FAILURE() << "no box shown";
    });
}

void press(QMessageBox *box, QMessageBox::StandardButton b)
{
    box->button(b)->click();
}

} // namespace

TEST(QtMessageBox, EscapeGivesCancelWhereThereIsOne)
{
    whenBoxShown([](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(ShowQtMessageBox({"t", "c", MsgIcon::Question, {mrYes, mrNo, mrCancel}, mrCancel}), mrCancel);
}

TEST(QtMessageBox, EscapeAndCloseAreIgnoredWithoutAnEscapeAnswer)
{
    whenBoxShown([](QMessageBox *box) {
        QTest::keyClick(box, Qt::Key_Escape);
        box->close();
        EXPECT_TRUE(box->isVisible());
        press(box, QMessageBox::Yes);
    });
    EXPECT_EQ(ShowQtMessageBox({"t", "c", MsgIcon::Warning, {mrYes, mrNo}, mrNone}), mrYes);
}

TEST(QtMessageBox, ReturnsThePlatformNumberOfTheButtonPressed)
{
    whenBoxShown([](QMessageBox *box) { press(box, QMessageBox::Retry); });
    EXPECT_EQ(ShowQtMessageBox({"t", "c", MsgIcon::Error, {mrAbort, mrRetry, mrIgnore}, mrNone}), mrRetry);
}
