// The "Add Menu" and "Create Menu Item" dialogs answered the way a person would.
#include "FormLanguage.h"
#include "Messages.h"
#include "TestSupport.h"
#include "UiTestSupport.h"
#include "uAddEditMenu.h"
#include "uMenuItemEditor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// What the combo does when the user picks an item from its list.
void PickTarget(TMenuEntryDialog *d, int index)
{
    d->cmbTarget->setCurrentIndex(index);
    emit d->cmbTarget->activated(index);
}

TFlashMenuItem Entry(const QString &caption, const QString &href, const QString &target)
{
    TFlashMenuItem e;
    e.Id = 7;
    e.ParentId = 2;
    e.Caption = caption;
    e.Href = href;
    e.Target = target;
    return e;
}

} // namespace

class CreateMenuItem : public EnglishUi {};
class EditMenu : public EnglishUi {};

TEST_F(CreateMenuItem, OkHandsBackTheThreeFieldsAsTyped)
{
    TFlashMenuItem entry = Entry("Products", "products.htm", "mainFrame");
    WhenShown<TfrmCreateMenuItem>([](TfrmCreateMenuItem *d) {
        EXPECT_EQ(d->windowTitle(), "Edit Menu Item");
        EXPECT_EQ(d->edName->text(), "Products");
        EXPECT_EQ(d->edURL->text(), "products.htm");
        EXPECT_EQ(d->cmbTarget->currentText(), "mainFrame");
        EXPECT_NE(d->findChild<QLabel *>("lblURL"), nullptr);
        d->edName->setText("  Our <b>Products</b> ");
        d->edURL->setText(" http://example.com/p?a=1&b=2 ");
        d->cmbTarget->setEditText("");
        d->btnOK->click();
    });
    EXPECT_TRUE(EditMenuItem(entry, "Edit Menu Item"));
    EXPECT_EQ(entry.Caption, "  Our <b>Products</b> ");
    EXPECT_EQ(entry.Href, " http://example.com/p?a=1&b=2 ");
    EXPECT_EQ(entry.Target, "");
    EXPECT_EQ(entry.Id, 7);
    EXPECT_EQ(entry.ParentId, 2);
}

// Longer than the 32,767 characters a line edit takes unless told otherwise.
TEST_F(CreateMenuItem, LongValuesComeBackWhole)
{
    const QString caption = QString(40000, QLatin1Char('c')) + "end";
    const QString link = "http://example.com/?q=" + QString(50000, QLatin1Char('l')) + "end";
    const QString target = QString(33000, QLatin1Char('t')) + "end";
    TFlashMenuItem entry = Entry(caption, link, target);
    WhenShown<TfrmCreateMenuItem>([](TfrmCreateMenuItem *d) { d->btnOK->click(); });
    EXPECT_TRUE(EditMenuItem(entry, "Edit Menu Item"));
    EXPECT_EQ(entry.Caption, caption);
    EXPECT_EQ(entry.Href, link);
    EXPECT_EQ(entry.Target, target);
}

TEST_F(CreateMenuItem, CancelEscapeAndTheCloseBoxLeaveTheEntryAlone)
{
    const TFlashMenuItem before = Entry("Home", "index.htm", "_top");
    TFlashMenuItem entry = before;
    auto scribble = [](TfrmCreateMenuItem *d) {
        d->edName->setText("changed");
        d->edURL->setText("changed");
        PickTarget(d, 0);
    };
    WhenShown<TfrmCreateMenuItem>([&](TfrmCreateMenuItem *d) {
        EXPECT_EQ(d->windowTitle(), "Create Menu Item");
        scribble(d);
        d->btnCancel->click();
    });
    EXPECT_FALSE(EditMenuItem(entry, ""));
    WhenShown<TfrmCreateMenuItem>([&](TfrmCreateMenuItem *d) {
        scribble(d);
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_FALSE(EditMenuItem(entry, ""));
    WhenShown<TfrmCreateMenuItem>([&](TfrmCreateMenuItem *d) {
        scribble(d);
        d->close();
    });
    EXPECT_FALSE(EditMenuItem(entry, ""));
    EXPECT_EQ(entry.Caption, before.Caption);
    EXPECT_EQ(entry.Href, before.Href);
    EXPECT_EQ(entry.Target, before.Target);
}

TEST_F(CreateMenuItem, ABlankNameIsRefusedWithAWarningAndTheDialogStaysOpen)
{
    ScriptedMessageBox box;
    TFlashMenuItem entry = Entry("", "", "mainFrame");
    bool stayedOpen = false;
    WhenShown<TfrmCreateMenuItem>([&](TfrmCreateMenuItem *d) {
        d->edName->setText(" \t ");
        d->btnOK->click();
        stayedOpen = d->isVisible();
        d->edName->setText(QString(QChar(7)));
        d->btnOK->click();
        d->edName->setText(" Contact ");
        d->btnOK->click();
    });
    EXPECT_TRUE(EditMenuItem(entry, ""));
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(box.shown().size(), 2);
    EXPECT_EQ(box.shown()[0].text, "Field \"Name\" is required.");
    EXPECT_EQ(box.shown()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(box.shown()[0].buttons, QList<int>{mrOK});
    EXPECT_EQ(entry.Caption, " Contact ");
}

TEST_F(CreateMenuItem, AChosenStandardTargetShowsAndGivesItsToken)
{
    TFlashMenuItem entry = Entry("A", "a.htm", "mainFrame");
    WhenShown<TfrmCreateMenuItem>([](TfrmCreateMenuItem *d) {
        ASSERT_EQ(d->cmbTarget->count(), 4);
        EXPECT_EQ(d->cmbTarget->itemText(0), "New Window (_blank)");
        EXPECT_EQ(d->cmbTarget->itemText(1), "Root Frame (_top)");
        EXPECT_EQ(d->cmbTarget->itemText(2), "Parent Frame (_parent)");
        EXPECT_EQ(d->cmbTarget->itemText(3), "Same Frame (_self)");
        EXPECT_EQ(d->Timer->interval(), 1);
        EXPECT_FALSE(d->Timer->isActive());
        PickTarget(d, 2);
        QTRY_COMPARE(d->cmbTarget->currentText(), QString("_parent"));
        EXPECT_FALSE(d->Timer->isActive());
        d->btnOK->click();
    });
    EXPECT_TRUE(EditMenuItem(entry, ""));
    EXPECT_EQ(entry.Target, "_parent");
}

TEST_F(CreateMenuItem, OkRightAfterAChoiceStillGivesTheToken)
{
    TFlashMenuItem entry = Entry("A", "", "mainFrame");
    WhenShown<TfrmCreateMenuItem>([](TfrmCreateMenuItem *d) {
        PickTarget(d, 3);
        d->btnOK->click();
    });
    EXPECT_TRUE(EditMenuItem(entry, ""));
    EXPECT_EQ(entry.Target, "_self");
}

TEST_F(CreateMenuItem, ATypedTargetStaysUntilAListItemReplacesIt)
{
    TFlashMenuItem entry = Entry("A", "", "");
    WhenShown<TfrmCreateMenuItem>([](TfrmCreateMenuItem *d) {
        d->cmbTarget->setFocus();
        QTest::keyClicks(d->cmbTarget, "contentFrame");
        // Enter in the target field is the default button; the text is no new list item.
        QTest::keyClick(d->cmbTarget, Qt::Key_Return);
        EXPECT_EQ(d->cmbTarget->count(), 4);
    });
    EXPECT_TRUE(EditMenuItem(entry, ""));
    EXPECT_EQ(entry.Target, "contentFrame");

    WhenShown<TfrmCreateMenuItem>([](TfrmCreateMenuItem *d) {
        EXPECT_EQ(d->cmbTarget->currentText(), "contentFrame");
        PickTarget(d, 0);
        QTRY_COMPARE(d->cmbTarget->currentText(), QString("_blank"));
        d->btnOK->click();
    });
    EXPECT_TRUE(EditMenuItem(entry, ""));
    EXPECT_EQ(entry.Target, "_blank");
}

TEST_F(CreateMenuItem, TheFirstArrowDownFromATypedTargetChoosesTheFirstItem)
{
    TFlashMenuItem entry = Entry("A", "", "mainFrame");
    WhenShown<TfrmCreateMenuItem>([](TfrmCreateMenuItem *d) {
        EXPECT_EQ(d->cmbTarget->currentText(), "mainFrame");
        d->cmbTarget->setFocus();
        QTest::keyClick(d->cmbTarget, Qt::Key_Down);
        EXPECT_TRUE(QTest::qWaitFor([d] { return d->cmbTarget->currentText() == "_blank"; }));
        d->btnOK->click();
    });
    EXPECT_TRUE(EditMenuItem(entry, ""));
    EXPECT_EQ(entry.Target, "_blank");
}

TEST_F(CreateMenuItem, AJapaneseInterfaceHasItsFontAndTranslatedListWithFixedTokens)
{
    SetFormLanguage("Japanese");
    SetLangMsg(111, QString::fromUtf8("\xE3\x83\xAB\xE3\x83\xBC\xE3\x83\x88 (_top)"));
    TFlashMenuItem entry = Entry("A", "", "");
    WhenShown<TfrmCreateMenuItem>([](TfrmCreateMenuItem *d) {
        EXPECT_EQ(d->font().family(), "MS PGothic");
        EXPECT_EQ(d->font().pointSize(), 9);
        EXPECT_EQ(d->cmbTarget->itemText(1), QString::fromUtf8("\xE3\x83\xAB\xE3\x83\xBC\xE3\x83\x88 (_top)"));
        PickTarget(d, 1);
        d->btnOK->click();
    });
    EXPECT_TRUE(EditMenuItem(entry, ""));
    EXPECT_EQ(entry.Target, "_top");

    // The comparison is exact: any other spelling is not Japanese.
    SetFormLanguage("japanese");
    TfrmCreateMenuItem other;
    EXPECT_EQ(other.font().family(), "MS Sans Serif");
    EXPECT_EQ(other.font().pointSize(), 8);
}

TEST_F(EditMenu, ThePositionListIsLoadedWithTheFirstItemChosenAndTheChoiceComesBack)
{
    TEditMenuValues values;
    values.Name = "Home";
    values.Url = "index.htm";
    values.Target = "mainFrame";
    values.Positions = {{"Change Position", 0}, {"At the Beginning", 0}, {"After [About]", 2}, {"After [News]", 4}};
    WhenShown<TfrmEditMenu>([](TfrmEditMenu *d) {
        EXPECT_EQ(d->windowTitle(), "Edit Menu");
        EXPECT_EQ(d->objectName(), "frmEditMenu");
        EXPECT_NE(d->findChild<QLabel *>("lblUrl"), nullptr);
        EXPECT_EQ(d->cbPosition->count(), 4);
        EXPECT_EQ(d->cbPosition->currentIndex(), 0);
        EXPECT_FALSE(d->cbPosition->isEditable());
        EXPECT_EQ(d->cbPosition->itemData(3).toInt(), 4);
        EXPECT_EQ(d->cmbTarget->currentText(), "mainFrame");
        d->cbPosition->setCurrentIndex(2);
        d->edName->setText("Start");
        PickTarget(d, 0);
        d->btnOK->click();
    });
    EXPECT_TRUE(EditMenuDialog(values, "Edit Menu"));
    EXPECT_EQ(values.Name, "Start");
    EXPECT_EQ(values.Url, "index.htm");
    EXPECT_EQ(values.Target, "_blank");
    EXPECT_EQ(values.Position, 2);
}

TEST_F(EditMenu, NoPositionsMeansNoChoiceAndCancelKeepsEveryValue)
{
    TEditMenuValues values;
    values.Target = "mainFrame";
    WhenShown<TfrmEditMenu>([](TfrmEditMenu *d) {
        EXPECT_EQ(d->windowTitle(), "Add Menu");
        EXPECT_EQ(d->cbPosition->currentIndex(), -1);
        d->edName->setText("New");
        d->btnOK->click();
    });
    EXPECT_TRUE(EditMenuDialog(values, ""));
    EXPECT_EQ(values.Position, -1);
    EXPECT_EQ(values.Name, "New");

    values.Positions = {{"Change Position", 0}};
    values.Position = 5;
    WhenShown<TfrmEditMenu>([](TfrmEditMenu *d) {
        d->edName->setText("Other");
        d->btnCancel->click();
    });
    EXPECT_FALSE(EditMenuDialog(values, ""));
    EXPECT_EQ(values.Name, "New");
    EXPECT_EQ(values.Target, "mainFrame");
    EXPECT_EQ(values.Position, 5);
}

TEST_F(EditMenu, ABlankNameIsRefusedHereToo)
{
    ScriptedMessageBox box;
    TEditMenuValues values;
    WhenShown<TfrmEditMenu>([](TfrmEditMenu *d) {
        d->btnOK->click();
        EXPECT_TRUE(d->isVisible());
        d->btnCancel->click();
    });
    EXPECT_FALSE(EditMenuDialog(values, ""));
    EXPECT_EQ(box.texts(), QStringList{"Field \"Name\" is required."});
}
