// The user settings dialog, answered the way a person would.
#include "ClickLabel.h"
#include "TestSupport.h"
#include "uBrowseFolderUtils.h"
#include "uOptions.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

QString Dump(const TOptions &o)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 [%8] [%9] %10 %11 %12 %13")
        .arg(o.SpecificButtonsOnTop).arg(o.RecentButtonsOnTop).arg(o.LatestButtonsOnTop)
        .arg(o.HorzMenuDynamic).arg(o.HorzMenuCustomValue).arg(o.VertMenuDynamic).arg(o.VertMenuCustomValue)
        .arg(o.PublishPath, o.ProjectPath)
        .arg(o.UseLastPublishPath).arg(o.UseLastProjectPath).arg(o.UseActiveContentJS).arg(o.ShowSecureReminder);
}

TOptions Stored()
{
    TOptions o;
    o.SpecificButtonsOnTop = 1;
    o.HorzMenuDynamic = 1;
    o.HorzMenuCustomValue = 700;
    o.VertMenuDynamic = 2;
    o.VertMenuCustomValue = 500;
    o.PublishPath = "/pub";
    o.ProjectPath = "/proj";
    o.ShowSecureReminder = false;
    return o;
}

// Focus reaches a widget only in the active window.
void Activate(QWidget *d)
{
    d->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d));
}

void ClickLabel(QDialog *d, const char *name)
{
    auto *label = d->findChild<TClickLabel *>(name);
    ASSERT_NE(label, nullptr) << name;
    QTest::mouseClick(label, Qt::LeftButton);
}

struct OptionsDialog : testing::Test {
    TempFolder app;
    void SetUp() override { Options = Stored(); }
    void TearDown() override { Options = TOptions(); }
};

} // namespace

TEST_F(OptionsDialog, OkOnAHorizontalMenuStoresTheWidthAndLeavesTheHeight)
{
    WhenShown<TfrmOptions>([](TfrmOptions *d) {
        EXPECT_TRUE(d->gbFlashMenuSize->isVisible());
        EXPECT_FALSE(d->gbFlashMenuSizeVert->isVisible());
        EXPECT_TRUE(d->radFlashMenuSize[1]->isChecked());
        EXPECT_EQ(d->seFlashMenuSize4->value(), 700);
        EXPECT_EQ(d->pcMain->currentWidget(), d->tabGeneral);
        EXPECT_EQ(d->focusWidget(), d->btnCancel);
        d->radFlashMenuSize[3]->click();
        d->seFlashMenuSize4->setValue(1280);
        d->chkButtonsOnTop_Recent->click();
        d->chkUseActiveContentJS->click();
        d->edPublishPath->setText("  typed, not checked ");
        d->chkUseLastProjectPath->click();
        d->btnOK->click();
    });
    ASSERT_TRUE(ShowOptionsDialog(true, app.path(), "English"));
    EXPECT_EQ(Dump(Options).toStdString(), "1 1 0 3 1280 2 500 [  typed, not checked ] [/proj] 0 1 1 0");
}

TEST_F(OptionsDialog, OkOnAVerticalMenuStoresTheHeightAndLeavesTheWidth)
{
    WhenShown<TfrmOptions>([](TfrmOptions *d) {
        EXPECT_FALSE(d->gbFlashMenuSize->isVisible());
        EXPECT_TRUE(d->gbFlashMenuSizeVert->isVisible());
        EXPECT_TRUE(d->radFlashMenuSizeVert[2]->isChecked());
        EXPECT_EQ(d->seFlashMenuSizeVert4->value(), 500);
        d->radFlashMenuSizeVert[0]->click();
        d->seFlashMenuSizeVert4->setValue(42);
        d->btnOK->click();
    });
    ASSERT_TRUE(ShowOptionsDialog(false, app.path(), "English"));
    EXPECT_EQ(Dump(Options).toStdString(), "1 0 0 1 700 0 42 [/pub] [/proj] 0 0 0 0");
}

TEST_F(OptionsDialog, CancelAndTheCloseBoxChangeNothing)
{
    const QString before = Dump(Options);
    WhenShown<TfrmOptions>([](TfrmOptions *d) {
        d->radFlashMenuSize[2]->click();
        d->chkButtonsOnTop_Latest->click();
        d->edProjectPath->setText("/elsewhere");
        d->btnCancel->click();
    });
    EXPECT_FALSE(ShowOptionsDialog(true, app.path(), "English"));
    WhenShown<TfrmOptions>([](TfrmOptions *d) {
        d->chkUseLastPublishPath->click();
        d->close();
    });
    EXPECT_FALSE(ShowOptionsDialog(false, app.path(), "English"));
    EXPECT_EQ(Dump(Options).toStdString(), before.toStdString());
    EXPECT_FALSE(app.exists("tolvanar.ini"));
}

TEST_F(OptionsDialog, AnUnknownModeOpensOnTheDefaultAndOkStoresZero)
{
    Options.HorzMenuDynamic = 5;
    Options.HorzMenuCustomValue = 123456;
    WhenShown<TfrmOptions>([](TfrmOptions *d) {
        EXPECT_TRUE(d->radFlashMenuSize[0]->isChecked());
        EXPECT_EQ(d->seFlashMenuSize4->value(), 9999);
        d->btnOK->click();
    });
    ASSERT_TRUE(ShowOptionsDialog(true, app.path(), "English"));
    EXPECT_EQ(Options.HorzMenuDynamic, 0);
    EXPECT_EQ(Options.HorzMenuCustomValue, 9999);
}

TEST_F(OptionsDialog, LabelsActForTheirControls)
{
    WhenShown<TfrmOptions>([](TfrmOptions *d) {
        Activate(d);
        ClickLabel(d, "lblButtonsOnTop_Recent");
        EXPECT_TRUE(d->chkButtonsOnTop_Recent->isChecked());
        EXPECT_EQ(d->focusWidget(), d->chkButtonsOnTop_Recent);
        ClickLabel(d, "lblButtonsOnTop_Recent");
        EXPECT_FALSE(d->chkButtonsOnTop_Recent->isChecked());
        ClickLabel(d, "lblButtonsOnTop_Latest");
        EXPECT_TRUE(d->chkButtonsOnTop_Latest->isChecked());
        ClickLabel(d, "lblUseActiveContentJS");
        EXPECT_TRUE(d->chkUseActiveContentJS->isChecked());
        for (int i = 0; i < 3; ++i) {
            ClickLabel(d, QStringLiteral("lblFlashMenuSize%1").arg(i + 1).toLatin1().constData());
            EXPECT_TRUE(d->radFlashMenuSize[i]->isChecked()) << i;
            EXPECT_EQ(d->focusWidget(), d->radFlashMenuSize[i]);
        }
        ClickLabel(d, "lblFlashMenuSize4Unit");
        EXPECT_TRUE(d->radFlashMenuSize[3]->isChecked());
        ClickLabel(d, "lblFlashMenuSize1");
        ClickLabel(d, "lblFlashMenuSize4");
        EXPECT_TRUE(d->radFlashMenuSize[3]->isChecked());
        ClickLabel(d, "lblFlashMenuSize1");
        // Entering the spin edit picks the custom width.
        d->seFlashMenuSize4->setFocus();
        EXPECT_TRUE(d->radFlashMenuSize[3]->isChecked());
        d->pcMain->setCurrentWidget(d->tabLocations);
        ClickLabel(d, "lblUseLastPublishPath");
        ClickLabel(d, "lblUseLastProjectPath");
        EXPECT_TRUE(d->chkUseLastPublishPath->isChecked());
        EXPECT_TRUE(d->chkUseLastProjectPath->isChecked());
        d->btnOK->click();
    });
    ASSERT_TRUE(ShowOptionsDialog(true, app.path(), "English"));
    EXPECT_EQ(Dump(Options).toStdString(), "1 0 1 3 700 2 500 [/pub] [/proj] 1 1 1 0");
}

TEST_F(OptionsDialog, TheHeightLabelsActForTheHeightChoices)
{
    WhenShown<TfrmOptions>([](TfrmOptions *d) {
        Activate(d);
        ClickLabel(d, "lblFlashMenuSizeVert1");
        EXPECT_TRUE(d->radFlashMenuSizeVert[0]->isChecked());
        ClickLabel(d, "lblFlashMenuSizeVert4Unit");
        EXPECT_TRUE(d->radFlashMenuSizeVert[3]->isChecked());
        ClickLabel(d, "lblFlashMenuSizeVert2");
        d->seFlashMenuSizeVert4->setFocus();
        EXPECT_TRUE(d->radFlashMenuSizeVert[3]->isChecked());
        d->btnOK->click();
    });
    ASSERT_TRUE(ShowOptionsDialog(false, app.path(), "English"));
    EXPECT_EQ(Options.VertMenuDynamic, 3);
}

TEST_F(OptionsDialog, AnEmptyCustomFieldReadsAsZeroAndLongNumbersAreRefused)
{
    WhenShown<TfrmOptions>([](TfrmOptions *d) {
        Activate(d);
        d->seFlashMenuSize4->setFocus();
        d->seFlashMenuSize4->selectAll();
        QTest::keyClick(d->seFlashMenuSize4, Qt::Key_Delete);
        EXPECT_EQ(TfrmOptions::SpinEditValue(d->seFlashMenuSize4), 0);
        QTest::keyClicks(d->seFlashMenuSize4, "123456x");
        EXPECT_EQ(d->seFlashMenuSize4->text(), "1234");
        d->seFlashMenuSize4->selectAll();
        QTest::keyClick(d->seFlashMenuSize4, Qt::Key_Backspace);
        d->btnOK->click();
    });
    ASSERT_TRUE(ShowOptionsDialog(true, app.path(), "English"));
    EXPECT_EQ(Options.HorzMenuDynamic, 3);
    EXPECT_EQ(Options.HorzMenuCustomValue, 0);
}

TEST_F(OptionsDialog, BrowseStartsInTheTypedFolderOrTheDefaultAndKeepsTheTextOnCancel)
{
    QDir().mkpath(app.file("chosen"));
    QStringList starts;
    QString answer;
    FolderPicker previous = SetFolderPicker([&](QWidget *, const QString &, const QString &start) {
        starts << start;
        return answer;
    });
    Options.PublishPath = app.file("no such folder");
    Options.ProjectPath = app.file("chosen");
    WhenShown<TfrmOptions>([&](TfrmOptions *d) {
        answer = "";
        d->btnPublishPath->click();
        EXPECT_EQ(d->edPublishPath->text(), app.file("no such folder"));
        answer = app.file("chosen");
        d->btnPublishPath->click();
        EXPECT_EQ(d->edPublishPath->text(), app.file("chosen"));
        d->btnProjectPath->click();
        d->edProjectPath->setText("");
        d->btnProjectPath->click();
        d->btnOK->click();
    });
    ASSERT_TRUE(ShowOptionsDialog(true, app.path(), "English"));
    SetFolderPicker(previous);
    EXPECT_EQ(starts, QStringList({app.file("Publish/"), app.file("Publish/"), app.file("chosen"), app.file("Projects/")}));
    EXPECT_EQ(Options.PublishPath, app.file("chosen"));
    EXPECT_EQ(Options.ProjectPath, app.file("chosen"));
}

TEST_F(OptionsDialog, FrenchWidensTheWidthGroupAndTheSpinEditFollowsItsLabel)
{
    auto geometry = [this](const QString &language) {
        TfrmOptions d(app.path(), language);
        d.LoadOptions(Options, true);
        d.show();
        QCoreApplication::processEvents();
        // Spin edit and unit stand 8 pixels right of what comes before them, in every language.
        EXPECT_EQ(d.seFlashMenuSize4->x(), d.lblFlashMenuSize4->geometry().right() + 1 + 8);
        EXPECT_EQ(d.lblFlashMenuSize4Unit->x(), d.seFlashMenuSize4->geometry().right() + 1 + 8);
        return std::make_tuple(d.gbFlashMenuSize->height(), d.gbBrowser->y(), d.lblFlashMenuSize3->height(), d.height());
    };
    const auto [groupEn, browserEn, labelEn, formEn] = geometry("English");
    const auto [groupFr, browserFr, labelFr, formFr] = geometry("French");
    EXPECT_EQ(groupFr, groupEn + 11);
    EXPECT_EQ(browserFr, browserEn + 11);
    EXPECT_EQ(labelFr, labelEn + 11);
    EXPECT_EQ(formFr, formEn + 11);
}
