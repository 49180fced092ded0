// The start-up wizard, the player check and the question with a check box, answered the way a
// person would.
#include "ClickLabel.h"
#include "Messages.h"
#include "TestSupport.h"
#include "uBrowseFolderUtils.h"
#include "uMsgDlg_ChkBox.h"
#include "uWizard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

const QString Placeholder = QStringLiteral("--- Please select from below ---");

struct Wizard : testing::Test {
    TempFolder app;
    ScriptedMessageBox boxes;
    FlashPlayerProbe previousProbe;
    int probes = 0;
    bool playerInstalled = true;
    QStringList opened;
    UrlOpener previousOpener;
    void SetUp() override
    {
        SetDefaultTexts();
        previousProbe = SetFlashPlayerProbe([this] {
            ++probes;
            return playerInstalled;
        });
        previousOpener = SetUrlOpener([this](const QString &url) {
            opened << url;
            return true;
        });
    }
    void TearDown() override
    {
        SetFlashPlayerProbe(previousProbe);
        SetUrlOpener(previousOpener);
    }
    // The boxes shown, without the screen advice (which depends on the test screen's size).
    std::string warnings() const
    {
        QStringList texts = boxes.texts();
        texts.removeAll(LangMsg(56));
        return texts.join(QLatin1Char('|')).toStdString();
    }
    std::string ini() const { return app.exists("tolvanar.ini") ? app.read("tolvanar.ini").toStdString() : std::string(); }
};

// Chooses "Load Existing Menu", types the location and presses Next.
void LoadWith(TfrmWizard *d, const QString &location)
{
    d->radLoad->click();
    d->cmbRecent->setEditText(location);
    d->bbtnNext->click();
}

} // namespace

TEST_F(Wizard, NewIsTheFirstChoiceAndExitAndCancelReportThemselves)
{
    WhenShown<TfrmWizard>([](TfrmWizard *d) {
        EXPECT_TRUE(d->radNew->isChecked());
        EXPECT_FALSE(d->cmbRecent->isEnabled());
        EXPECT_FALSE(d->sbtnOpen->isEnabled());
        EXPECT_TRUE(d->bbtnNext->isEnabled());
        d->bbtnNext->click();
    });
    TWizardChoice choice = ShowWizard(app.path(), "English", {});
    EXPECT_EQ(choice.Result, wrNew);
    EXPECT_EQ(choice.ProjectFile, "");

    WhenShown<TfrmWizard>([](TfrmWizard *d) { d->bbtnClose->click(); });
    EXPECT_EQ(ShowWizard(app.path(), "English", {}).Result, wrExit);
    WhenShown<TfrmWizard>([](TfrmWizard *d) {
        d->radLoad->click();
        d->bbtnCancel->click();
    });
    EXPECT_EQ(ShowWizard(app.path(), "English", {}).Result, wrCancel);
    WhenShown<TfrmWizard>([](TfrmWizard *d) { d->reject(); });
    EXPECT_EQ(ShowWizard(app.path(), "English", {}).Result, wrCancel);
    EXPECT_EQ(warnings(), "");
}

TEST_F(Wizard, TheRecentProjectsStandUnderThePlaceholderAndLabelsPickTheirChoice)
{
    WhenShown<TfrmWizard>([](TfrmWizard *d) {
        ASSERT_EQ(d->cmbRecent->count(), 2);
        EXPECT_EQ(d->cmbRecent->itemText(0), "/p/one.tvp");
        EXPECT_EQ(d->cmbRecent->currentIndex(), 0);
        EXPECT_EQ(d->cmbRecent->currentText(), Placeholder);

        QTest::mouseClick(d->lblLoad, Qt::LeftButton);
        EXPECT_TRUE(d->radLoad->isChecked());
        EXPECT_TRUE(d->cmbRecent->isEnabled());
        EXPECT_TRUE(d->sbtnOpen->isEnabled());
        EXPECT_TRUE(d->bbtnNext->isEnabled()); // the placeholder counts as text
        d->cmbRecent->setEditText("   ");
        EXPECT_FALSE(d->bbtnNext->isEnabled());
        d->cmbRecent->setCurrentIndex(1);
        EXPECT_TRUE(d->bbtnNext->isEnabled());
        EXPECT_EQ(d->cmbRecent->toolTip(), "/p/two.tvp");

        d->cmbRecent->setEditText("");
        QTest::mouseClick(d->lblNew, Qt::LeftButton);
        EXPECT_TRUE(d->radNew->isChecked());
        EXPECT_FALSE(d->cmbRecent->isEnabled());
        EXPECT_TRUE(d->bbtnNext->isEnabled());
        d->bbtnNext->click();
    });
    EXPECT_EQ(ShowWizard(app.path(), "English", {"/p/one.tvp", "/p/two.tvp"}).Result, wrNew);
}

TEST_F(Wizard, ALocationIsRefusedWhenEmptyMissingOrNotATvpFileAndTheWizardStays)
{
    app.write("Projects/menu.TVP", "x");
    app.write("Projects/menu.tvp.bak", "x");
    app.write("Projects/folder.tvp/inside", "x");
    app.write("Projects/menu.tvp", "x");
    const QString good = app.file("Projects/menu.tvp");
    WhenShown<TfrmWizard>([&](TfrmWizard *d) {
        LoadWith(d, Placeholder);
        LoadWith(d, "   "); // blanks only: Next cannot be pressed
        EXPECT_FALSE(d->bbtnNext->isEnabled());
        LoadWith(d, " ---" + good);
        LoadWith(d, app.file("Projects/missing.tvp"));
        LoadWith(d, app.file("Projects/folder.tvp"));
        LoadWith(d, app.file("Projects/menu.TVP"));
        LoadWith(d, app.file("Projects/menu.tvp.bak"));
        EXPECT_TRUE(d->isVisible());
        LoadWith(d, "  " + good + "\t");
        EXPECT_EQ(d->cmbRecent->currentText(), good);
    });
    const TWizardChoice choice = ShowWizard(app.path(), "English", {});
    EXPECT_EQ(choice.Result, wrLoad);
    EXPECT_EQ(choice.ProjectFile, good);
    EXPECT_EQ(warnings(), QStringList({LangMsg(57), LangMsg(57), LangMsg(58), LangMsg(58), LangMsg(59), LangMsg(59)})
                              .join(QLatin1Char('|')).toStdString());
    EXPECT_EQ(LangMsg(59), "Invalid file format -- please select a Tolvanar project (.tvp) file");
    for (const MessageBoxRequest &r : boxes.shown()) {
        EXPECT_EQ(r.icon, MsgIcon::Warning);
        EXPECT_EQ(r.buttons, QList<int>{mrOK});
    }
}

TEST_F(Wizard, BrowseOpensTheProjectsFolderAndPutsTheChoiceInTheLocation)
{
    QStringList calls;
    QString answer = "/chosen/menu.tvp";
    OpenFilePicker previous = SetOpenFilePicker([&](QWidget *, const QString &, const QString &start, const QString &filter) {
        calls << start << filter;
        return answer;
    });
    WhenShown<TfrmWizard>([&](TfrmWizard *d) {
        d->radLoad->click();
        d->sbtnOpen->click();
        EXPECT_EQ(d->cmbRecent->currentText(), "/chosen/menu.tvp");
        answer = "";
        d->sbtnOpen->click();
        EXPECT_EQ(d->cmbRecent->currentText(), "/chosen/menu.tvp");
        d->bbtnCancel->click();
    });
    ShowWizard(app.path(), "English", {});
    SetOpenFilePicker(previous);
    const QStringList once = {app.file("Projects/"), "Tolvanar Projects (*.tvp)"};
    EXPECT_EQ(calls, once + once);
}

TEST_F(Wizard, ScreensBelow1024By768GetTheAdviceOnceWhenTheWizardShows)
{
    WhenShown<TfrmWizard>([](TfrmWizard *d) {
        // The advice comes once the wizard is on the screen.
        QTimer::singleShot(0, d, [d] { d->bbtnCancel->click(); });
    });
    ShowWizard(app.path(), "English", {});
    const bool small = TfrmWizard::ScreenTooSmall(QGuiApplication::primaryScreen()->size());
    EXPECT_EQ(boxes.texts(), small ? QStringList{LangMsg(56)} : QStringList{});
    EXPECT_EQ(LangMsg(56), "For best user experience, please set your screen resolution to 1024x768 or higher.");

    EXPECT_FALSE(TfrmWizard::ScreenTooSmall(QSize(1024, 768)));
    EXPECT_FALSE(TfrmWizard::ScreenTooSmall(QSize(1280, 1024)));
    EXPECT_TRUE(TfrmWizard::ScreenTooSmall(QSize(800, 600)));
    EXPECT_TRUE(TfrmWizard::ScreenTooSmall(QSize(1023, 1024)));
    EXPECT_TRUE(TfrmWizard::ScreenTooSmall(QSize(1280, 767)));
}

TEST_F(Wizard, TheRefusedLocationIsKeptAfterTheWarningCloses)
{
    WhenShown<TfrmWizard>([&](TfrmWizard *d) {
        LoadWith(d, "  nowhere.tvp ");
        // The box closing over the wizard reactivates it; what the user typed stays.
        d->hide();
        d->show();
        EXPECT_EQ(d->cmbRecent->currentText(), "nowhere.tvp");
        d->bbtnCancel->click();
    });
    ShowWizard(app.path(), "English", {"/recent.tvp"});
    EXPECT_EQ(warnings(), LangMsg(58).toStdString());
}

TEST_F(Wizard, NotChkFlashOneSkipsTheProbeAndAnyOtherValueRunsIt)
{
    app.write("tolvanar.ini", "[config]\nNotChkFlash=1\n");
    CheckFlashPlayer(app.path());
    EXPECT_EQ(probes, 0);
    for (const char *value : {"", "yes", "01", " 1x"}) {
        app.write("tolvanar.ini", QByteArray("[config]\nNotChkFlash=") + value + "\n");
        CheckFlashPlayer(app.path());
    }
    CheckFlashPlayer(TempFolder().path());
    EXPECT_EQ(probes, 5);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(Wizard, WithoutAPlayerYesOpensTheDownloadAndTheBoxDecidesNotChkFlash)
{
    playerInstalled = false;
    app.write("tolvanar.ini", "[options]\nlanguage=English\n");
    WhenShown<TfrmMsgDlg_ChkBox>([](TfrmMsgDlg_ChkBox *d) {
        EXPECT_EQ(d->windowTitle(), "Flash Player required");
        EXPECT_EQ(d->lblMessage->text(), "Flash Player not installed. Install now?");
        EXPECT_EQ(d->lblOption->text(), "Do not show this message again");
        QTest::mouseClick(d->lblOption, Qt::LeftButton);
        EXPECT_TRUE(d->chkOption->isChecked());
        d->btnYes->click();
    });
    CheckFlashPlayer(app.path());
    EXPECT_EQ(opened, QStringList({FlashPlayerDownloadUrl()}));
    EXPECT_EQ(ini(), "[options]\nlanguage=English\n[config]\nNotChkFlash=1\n");

    app.write("tolvanar.ini", "[config]\nNotChkFlash=0\n");
    WhenShown<TfrmMsgDlg_ChkBox>([](TfrmMsgDlg_ChkBox *d) { d->btnNo->click(); });
    CheckFlashPlayer(app.path());
    EXPECT_EQ(ini(), "[config]\nNotChkFlash=\n");

    WhenShown<TfrmMsgDlg_ChkBox>([](TfrmMsgDlg_ChkBox *d) {
        d->chkOption->click();
        d->close();
    });
    CheckFlashPlayer(app.path());
    EXPECT_EQ(ini(), "[config]\nNotChkFlash=1\n");
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(Wizard, ThePlayerCheckRunsBeforeTheWizardShows)
{
    playerInstalled = false;
    WhenShown<TfrmMsgDlg_ChkBox>([](TfrmMsgDlg_ChkBox *d) {
        d->btnNo->click();
        WhenShown<TfrmWizard>([](TfrmWizard *w) { w->bbtnClose->click(); });
    });
    EXPECT_EQ(ShowWizard(app.path(), "English", {}).Result, wrExit);
    EXPECT_EQ(probes, 1);
}

TEST(QuestionWithCheckBox, TheAnswerAndTheBoxComeBackSeparately)
{
    bool checked = true;
    WhenShown<TfrmMsgDlg_ChkBox>([](TfrmMsgDlg_ChkBox *d) {
        QTest::mouseClick(d->lblOption, Qt::LeftButton);
        QTest::mouseClick(d->lblOption, Qt::LeftButton);
        d->btnNo->click();
    });
    EXPECT_FALSE(MessageDlgWithCheckBox("c", "m", "o", checked));
    EXPECT_FALSE(checked);
    WhenShown<TfrmMsgDlg_ChkBox>([](TfrmMsgDlg_ChkBox *d) { d->btnYes->click(); });
    EXPECT_TRUE(MessageDlgWithCheckBox("c", "m", "o", checked));
}
