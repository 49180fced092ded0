// The publish settings dialog and the preview notice, answered the way a person would.
#include "uPublishSettings.h"
#include "unitSecureReminder.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Acts on the first visible dialog of type T once the event loop runs.
template <typename T>
void whenShown(std::function<void(T *)> act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<T *>(w); d && d->isVisible()) {
                act(d);
                return;
            }
        ADD_FAILURE() << "no dialog shown";
    });
}

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
    whenShown<TfrmPublishSettings>([](TfrmPublishSettings *d) {
        EXPECT_FALSE(d->rgrMenuPosition->isVisible());
        radio(d->rgrPublishSettings, "Frame Pages")->click();
        d->btnOk->click();
    });
    EXPECT_EQ(ShowPublishSettings(0, 1, true), "1=-1");
}

TEST(PublishSettings, AVerticalFrameMenuOnTheRightThenCdRom)
{
    whenShown<TfrmPublishSettings>([](TfrmPublishSettings *d) {
        EXPECT_TRUE(d->rgrMenuPosition->isVisible());
        EXPECT_TRUE(d->RightSide());
        d->btnOk->click();
    });
    EXPECT_EQ(ShowPublishSettings(1, 1, false), "1=1");

    whenShown<TfrmPublishSettings>([](TfrmPublishSettings *d) {
        radio(d->rgrPublishSettings, "CD-ROM")->click();
        EXPECT_FALSE(d->rgrMenuPosition->isEnabled());
        d->btnOk->click();
    });
    EXPECT_EQ(ShowPublishSettings(1, 1, false), "3=-1");
}

TEST(PublishSettings, TheStoredSideAppliesOnlyWhenOpeningOnAKindWithASide)
{
    whenShown<TfrmPublishSettings>([](TfrmPublishSettings *d) {
        radio(d->rgrPublishSettings, "Frame Pages")->click();
        EXPECT_FALSE(d->RightSide());
        d->btnOk->click();
    });
    EXPECT_EQ(ShowPublishSettings(0, 1, false), "1=-1");
}

TEST(PublishSettings, AnUnknownKindShowsMenuOnlyAndCancelGivesMinusOne)
{
    whenShown<TfrmPublishSettings>([](TfrmPublishSettings *d) {
        EXPECT_EQ(d->Kind(), 0);
        d->btnCancel->click();
    });
    EXPECT_EQ(ShowPublishSettings(7, -1, false), "-1");
    whenShown<TfrmPublishSettings>([](TfrmPublishSettings *d) { d->close(); });
    EXPECT_EQ(ShowPublishSettings(2, -1, false), "-1");
}

TEST(SecureReminder, TickingTheBoxIsReported)
{
    whenShown<TfrmSecureReminder>([](TfrmSecureReminder *d) {
        EXPECT_EQ(d->windowTitle(), "Preview in Browser");
        EXPECT_FALSE(d->cbDisable->isChecked());
        d->findChild<QPushButton *>("bbClose")->click();
    });
    EXPECT_FALSE(RunSecureReminder(nullptr));
    whenShown<TfrmSecureReminder>([](TfrmSecureReminder *d) {
        d->cbDisable->setChecked(true);
        d->close();
    });
    EXPECT_TRUE(RunSecureReminder(nullptr));
}
