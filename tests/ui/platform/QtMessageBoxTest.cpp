#include "QtMessageBox.h"
#include "TestSupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

void press(QMessageBox *box, QMessageBox::StandardButton b)
{
    box->button(b)->click();
}

} // namespace

TEST(QtMessageBox, EscapeGivesCancelWhereThereIsOne)
{
    WhenShown<QMessageBox>([](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(ShowQtMessageBox({"t", "c", MsgIcon::Question, {mrYes, mrNo, mrCancel}, mrCancel}), mrCancel);
}

TEST(QtMessageBox, EscapeAndCloseAreIgnoredWithoutAnEscapeAnswer)
{
    WhenShown<QMessageBox>([](QMessageBox *box) {
        QTest::keyClick(box, Qt::Key_Escape);
        box->close();
        EXPECT_TRUE(box->isVisible());
        press(box, QMessageBox::Yes);
    });
    EXPECT_EQ(ShowQtMessageBox({"t", "c", MsgIcon::Warning, {mrYes, mrNo}, mrNone}), mrYes);
}

TEST(QtMessageBox, ReturnsThePlatformNumberOfTheButtonPressed)
{
    WhenShown<QMessageBox>([](QMessageBox *box) { press(box, QMessageBox::Retry); });
    EXPECT_EQ(ShowQtMessageBox({"t", "c", MsgIcon::Error, {mrAbort, mrRetry, mrIgnore}, mrNone}), mrRetry);
}
