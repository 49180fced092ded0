// The publish settings dialog and the preview notice, answered the way a person would.
#include "uPublishSettings.h"
#include "unitSecureReminder.h"
#include "TestSupport.h"
#include "Trans.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

QRadioButton *radio(QGroupBox *group, const QString &text)
{
    for (QRadioButton *b : group->findChildren<QRadioButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

} // namespace

TEST(PublishSettings, AHorizontalMenuNeverHasASide)
{
    WhenShown<TfrmPublishSettings>([](TfrmPublishSettings *d) {
        EXPECT_FALSE(d->rgrMenuPosition->isVisible());
        radio(d->rgrPublishSettings, "Frame Pages")->click();
        d->btnOk->click();
    });
    EXPECT_EQ(ShowPublishSettings(0, 1, true), "1=-1");
}

TEST(PublishSettings, AVerticalFrameMenuOnTheRightThenCdRom)
{
    WhenShown<TfrmPublishSettings>([](TfrmPublishSettings *d) {
        EXPECT_TRUE(d->rgrMenuPosition->isVisible());
        EXPECT_TRUE(d->RightSide());
        d->btnOk->click();
    });
    EXPECT_EQ(ShowPublishSettings(1, 1, false), "1=1");

    WhenShown<TfrmPublishSettings>([](TfrmPublishSettings *d) {
        radio(d->rgrPublishSettings, "CD-ROM")->click();
        EXPECT_FALSE(d->rgrMenuPosition->isEnabled());
        d->btnOk->click();
    });
    EXPECT_EQ(ShowPublishSettings(1, 1, false), "3=-1");
}

TEST(PublishSettings, TheStoredSideAppliesOnlyWhenOpeningOnAKindWithASide)
{
    WhenShown<TfrmPublishSettings>([](TfrmPublishSettings *d) {
        radio(d->rgrPublishSettings, "Frame Pages")->click();
        EXPECT_FALSE(d->RightSide());
        d->btnOk->click();
    });
    EXPECT_EQ(ShowPublishSettings(0, 1, false), "1=-1");
}

TEST(PublishSettings, AnUnknownKindShowsMenuOnlyAndCancelGivesMinusOne)
{
    WhenShown<TfrmPublishSettings>([](TfrmPublishSettings *d) {
        EXPECT_EQ(d->Kind(), 0);
        d->btnCancel->click();
    });
    EXPECT_EQ(ShowPublishSettings(7, -1, false), "-1");
    WhenShown<TfrmPublishSettings>([](TfrmPublishSettings *d) { d->close(); });
    EXPECT_EQ(ShowPublishSettings(2, -1, false), "-1");
}

TEST(SecureReminder, TickingTheBoxIsReported)
{
    WhenShown<TfrmSecureReminder>([](TfrmSecureReminder *d) {
        EXPECT_EQ(d->windowTitle(), "Preview in Browser");
        EXPECT_FALSE(d->cbDisable->isChecked());
        d->findChild<QPushButton *>("bbClose")->click();
    });
    EXPECT_FALSE(RunSecureReminder(nullptr));
    WhenShown<TfrmSecureReminder>([](TfrmSecureReminder *d) {
        d->cbDisable->setChecked(true);
        d->close();
    });
    EXPECT_TRUE(RunSecureReminder(nullptr));
}

TEST(PublishSettings, TranslatedFromTheLoadedLanguageFile)
{
    TempFolder lang;
    lang.write("Test.dic", QString::fromUtf8("[frmPublishSettings]\nc_frmPublishSettings=Veröffentlichen\n"
                                             "c_rgrPublishSettings_3=CD\n").toUtf8());
    ASSERT_TRUE(LoadLanguageFile(lang.file("Test.dic")));
    WhenShown<TfrmPublishSettings>([](TfrmPublishSettings *d) {
        EXPECT_EQ(d->windowTitle(), QString::fromUtf8("Veröffentlichen"));
        EXPECT_NE(radio(d->rgrPublishSettings, "CD"), nullptr);
        EXPECT_NE(radio(d->rgrPublishSettings, "Menu Only"), nullptr) << "a missing key keeps the English text";
        d->btnCancel->click();
    });
    ShowPublishSettings(0, -1, true);
    InitLanguage();
}
