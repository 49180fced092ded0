// The menu type choice with a fake main window and gallery.
#include "TestSupport.h"
#include "uSelectMenuType.h"

#include <QPushButton>
#include <QRadioButton>
#include <deque>
#include <gtest/gtest.h>

namespace {

struct GalleryAnswer {
    bool chosen;
    bool back;
};

struct FakeWindow : IMenuTypeHost {
    bool horizontal = true;
    QStringList log;
    std::deque<GalleryAnswer> answers;
    bool IsHorizontal() const override { return horizontal; }
    void SetOrientation(bool h) override
    {
        horizontal = h;
        log << (h ? "set h" : "set v");
    }
    bool RunPresetGallery(const QString &templatesDir, bool &back) override
    {
        log << QStringLiteral("gallery %1 back=%2 %3").arg(templatesDir).arg(back).arg(horizontal ? "h" : "v");
        const GalleryAnswer a = answers.front();
        answers.pop_front();
        back = a.back;
        return a.chosen;
    }
};

void Choose(TfrmSelectMenuType *d, int item)
{
    d->rgMenuTypeItems[item]->click();
    d->btnOk->click();
}

} // namespace

TEST(SelectMenuType, OkRunsTheGalleryInTheChosenOrientation)
{
    FakeWindow window;
    window.horizontal = false;
    window.answers = {{true, false}};
    WhenShown<TfrmSelectMenuType>([](TfrmSelectMenuType *d) {
        EXPECT_TRUE(d->rgMenuTypeItems[1]->isChecked());
        EXPECT_FALSE(d->btnBack->isVisible());
        Choose(d, 0);
    });
    bool back = false;
    EXPECT_TRUE(ShowSelectMenuType(window, "/T/", back));
    EXPECT_FALSE(back);
    EXPECT_EQ(window.log, QStringList({"set h", "gallery /T/ back=0 h", "set h"}));
}

TEST(SelectMenuType, BackInTheGalleryReturnsHereAndCancelThereKeepsTheOrientation)
{
    FakeWindow window;
    window.answers = {{false, true}, {false, false}};
    WhenShown<TfrmSelectMenuType>([](TfrmSelectMenuType *d) {
        EXPECT_TRUE(d->btnBack->isVisible());
        Choose(d, 1);
        EXPECT_TRUE(d->isVisible());
        Choose(d, 1);
    });
    bool back = true;
    EXPECT_FALSE(ShowSelectMenuType(window, "/T/", back));
    EXPECT_FALSE(back);
    EXPECT_FALSE(window.horizontal);
    EXPECT_EQ(window.log, QStringList({"set v", "gallery /T/ back=1 v", "set v", "gallery /T/ back=1 v", "set v"}));
}

TEST(SelectMenuType, BackHereLeadsToTheWizardAndCancelKeepsTheStartingOrientation)
{
    FakeWindow window;
    WhenShown<TfrmSelectMenuType>([](TfrmSelectMenuType *d) {
        d->rgMenuTypeItems[1]->click();
        d->btnBack->click();
    });
    bool back = true;
    EXPECT_FALSE(ShowSelectMenuType(window, "/T/", back));
    EXPECT_TRUE(back);
    EXPECT_TRUE(window.horizontal);

    WhenShown<TfrmSelectMenuType>([](TfrmSelectMenuType *d) {
        d->rgMenuTypeItems[1]->click();
        d->btnCancel->click();
    });
    EXPECT_FALSE(ShowSelectMenuType(window, "/T/", back));
    EXPECT_FALSE(back);
    WhenShown<TfrmSelectMenuType>([](TfrmSelectMenuType *d) { d->close(); });
    EXPECT_FALSE(ShowSelectMenuType(window, "/T/", back));
    EXPECT_TRUE(window.horizontal);
    EXPECT_EQ(window.log, QStringList({"set h", "set h", "set h"}));
}
