// The button short list: which sets it shows and in what order, the custom tile, picking a set
// (the window's handler and the recent-buttons list), marking by name, locking, rebuilding, and the
// window's side of a pick.
#include "GalleryFixture.h"
#include "Messages.h"
#include "fra_MenuButtonShortList.h"
#include "uDesign.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ShortList : public GalleryTest {
protected:
    bool horizontal = true;
    QWidget window;
    TfraMenuButtonShortList *list = nullptr;
    QStringList picked;
    int openMore = 0;
    TfraMenuButtonShortList::TSelectHandler onSelect = [this](const QString &name) { picked << name; };

    void SetUp() override
    {
        GalleryTest::SetUp();
        list = new TfraMenuButtonShortList(prog.path(), [this] { return horizontal; }, &window, &options);
        list->OnOpenMore = [this] { ++openMore; };
        window.resize(700, 400);
        list->resize(680, 380);
        window.show();
    }
    void Click(int tile) { QTest::mouseClick(list->Tiles()[tile]->Picture(), Qt::LeftButton); }
    TGalleryTile *Custom() const { return list->CustomTile(); }
};

} // namespace

TEST_F(ShortList, FifteenSetsAndTheCustomTile)
{
    MakeLibrary("Templates/Horizontal/Menus", 20, "swf");
    list->LoadButtons(onSelect);
    QStringList expected = Names("b%1.swf", 1, 15);
    expected << "<custom 20>";
    EXPECT_EQ(Captions(list->Tiles()), expected);
    EXPECT_EQ(list->Names().size(), 20);
    // The custom tile writes its words over its picture.
    EXPECT_EQ(Custom()->PictureFile(), prog.file("Templates/Horizontal/Menus/Thumbnail/CustomButtons.jpg"));
    QStringList customTexts;
    for (QLabel *label : Custom()->findChildren<QLabel *>())
        if (!label->text().isEmpty())
            customTexts << label->text();
    EXPECT_EQ(customTexts, QStringList({"More button sets...", "Open the Button Style gallery"}));
    EXPECT_EQ(list->Tiles()[0]->geometry(), QRect(6, 3, 620, 86));
    EXPECT_EQ(list->Tiles()[1]->geometry(), QRect(6, 92, 620, 86));
    EXPECT_EQ(Custom()->geometry(), QRect(6, 3 + 15 * 89, 620, 86));
    EXPECT_EQ(list->ScrollBox->widget()->height(), 3 + 16 * 89);
    // Loading marks the last tile without applying anything.
    EXPECT_EQ(list->CurrentTile(), Custom());
    EXPECT_TRUE(picked.isEmpty());

    QTest::mouseClick(Custom()->Picture(), Qt::LeftButton);
    EXPECT_EQ(openMore, 1);
    EXPECT_EQ(list->SelectedIndex(), 20);
    EXPECT_TRUE(picked.isEmpty());
    EXPECT_TRUE(list->KeepCustomTile);
}

TEST_F(ShortList, SpecificAndRecentSetsComeFirst)
{
    options.RecentButtonsOnTop = true;
    HorzTopSpec = {"tvstd001"};
    HorzTop = {"TVNR007", "gone", "tvmcyb001"};
    list->LoadButtons(onSelect);
    EXPECT_EQ(list->Names().mid(0, 4), QStringList({"tvstd001.swf", "tvnr007.swf", "tvmcyb001.swf", "tvmbiz001.swf"}));
    EXPECT_EQ(HorzTop, QStringList({"TVNR007", "tvmcyb001"}));
    // Each name shows once, thumbnails by the real file's name.
    EXPECT_EQ(list->Names().size(), 16);
    EXPECT_EQ(list->Tiles()[1]->PictureFile(), prog.file("Templates/Horizontal/Menus/Thumbnail/tvnr007.jpg"));
}

TEST_F(ShortList, PickingKeepsTheRecentListNewestFirst)
{
    MakeLibrary("Templates/Horizontal/Menus", 14, "swf");
    options.RecentButtonsOnTop = true;
    list->LoadButtons(onSelect);
    for (int i = 0; i < 12; ++i)
        Click(i);
    EXPECT_EQ(HorzTop.size(), 12);
    EXPECT_EQ(HorzTop.first(), "b12");
    Click(12);
    EXPECT_EQ(HorzTop.first(), "b13");
    EXPECT_EQ(HorzTop.last(), "b02"); // b01 dropped out
    Click(12);
    EXPECT_EQ(HorzTop.count("b13"), 1);
    EXPECT_EQ(picked.size(), 14);
    EXPECT_EQ(picked.last(), "b13.swf"); // the same set again is applied again
    HorzTopSpec = {"B05"};
    const QStringList before = HorzTop;
    Click(4);
    EXPECT_EQ(HorzTop, before);
    EXPECT_EQ(picked.last(), "b05.swf");
    EXPECT_TRUE(VertTop.isEmpty());

    options.RecentButtonsOnTop = false;
    Click(0);
    EXPECT_EQ(HorzTop, before);
    EXPECT_EQ(picked.last(), "b01.swf");
    EXPECT_EQ(Highlighted(list->Tiles()), "b01.swf");
}

TEST_F(ShortList, SelectByNameMarksWithoutApplying)
{
    list->LoadButtons(onSelect);
    list->SelectByName("tvnr001.swf");
    EXPECT_EQ(list->SelectedIndex(), 13);
    EXPECT_EQ(list->CurrentTile(), list->Tiles()[13]);
    EXPECT_EQ(Highlighted(list->Tiles()), "tvnr001.swf");
    list->SelectByName("TVNR007.swf");
    list->SelectByName("missing.swf");
    EXPECT_EQ(list->SelectedIndex(), 13);
    EXPECT_EQ(Highlighted(list->Tiles()), "tvnr001.swf");
    EXPECT_TRUE(picked.isEmpty());
    RefreshTemplateShortList(*list, "Templates\\Horizontal\\Menus\\tvmjs001.swf");
    EXPECT_EQ(Highlighted(list->Tiles()), "tvmjs001.swf");
    EXPECT_TRUE(picked.isEmpty());
    // A click after marking applies again.
    Click(5);
    EXPECT_EQ(picked, QStringList{"tvmjs001.swf"});
}

TEST_F(ShortList, TheMarkedTileIsScrolledIntoView)
{
    list->LoadButtons(onSelect);
    const auto inView = [this](TGalleryTile *tile) {
        const QRect shown(-list->ScrollBox->widget()->pos(), list->ScrollBox->viewport()->size());
        return shown.contains(tile->geometry());
    };
    list->SelectByName("tvnr001.swf");
    EXPECT_TRUE(inView(list->Tiles()[13]));
    list->SelectByName("tvmbiz001.swf");
    EXPECT_TRUE(inView(list->Tiles()[0]));
}

TEST_F(ShortList, TabbingInWithACurrentTileOnlyHighlightsIt)
{
    list->LoadButtons(onSelect);
    list->SelectByName("tvmcyb001.swf");
    auto *outside = new QWidget(&window);
    outside->setFocusPolicy(Qt::StrongFocus);
    outside->show();
    list->Tracker()->Focus(outside);
    EXPECT_EQ(list->ScrollBox->focusPolicy(), Qt::TabFocus);
    list->Tracker()->Focus(list->ScrollBox);
    EXPECT_EQ(list->Tracker()->Active(), list->Tiles()[2]);
    EXPECT_EQ(Highlighted(list->Tiles()), "tvmcyb001.swf");
    EXPECT_EQ(list->ScrollBox->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(picked.isEmpty());
}

TEST_F(ShortList, LockedPicturesDoNothing)
{
    list->LoadButtons(onSelect);
    list->SetLocked(true);
    Click(0);
    QTest::mouseClick(Custom()->Picture(), Qt::LeftButton);
    EXPECT_TRUE(picked.isEmpty());
    EXPECT_EQ(openMore, 0);
    QTest::mouseClick(list->Tiles()[1]->Caption(), Qt::LeftButton);
    EXPECT_EQ(picked, QStringList{"tvmbiz007.swf"});
    list->SetLocked(false);
    Click(0);
    EXPECT_EQ(picked.last(), "tvmbiz001.swf");
}

TEST_F(ShortList, ALayoutSwitchShowsTheOtherOrientation)
{
    list->LoadButtons(onSelect);
    TGalleryTile *oldCustom = Custom();
    Click(3);
    list->ScrollBox->verticalScrollBar()->setValue(200);
    horizontal = false;
    list->KeepCustomTile = false;
    list->Reload(onSelect);
    EXPECT_NE(Custom(), oldCustom);
    EXPECT_EQ(list->Tiles().size(), 16);
    EXPECT_EQ(list->Tiles()[0]->geometry(), QRect(6, 3, 136, 279));
    EXPECT_EQ(list->Tiles()[1]->geometry(), QRect(148, 3, 136, 279));
    EXPECT_EQ(list->Tiles()[0]->PictureFile(), prog.file("Templates/Vertical/Menus/Thumbnail/tvmbiz001.jpg"));
    EXPECT_EQ(list->ScrollBox->verticalScrollBar()->value(), 0);
    EXPECT_EQ(list->ScrollBox->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(list->CurrentTile(), Custom());
    EXPECT_EQ(picked, QStringList{"tvmgbl001.swf"});
}

// The Button Style gallery's OK rebuilds the list while the custom tile's click is still handled:
// the tile lives on and still ends the list, also when the list got shorter.
TEST_F(ShortList, TheCustomTileSurvivesTheRebuildOfItsOwnClick)
{
    list->LoadButtons(onSelect);
    list->OnOpenMore = [this] {
        QFile::remove(prog.file("Templates/Horizontal/Menus/tvstd001.swf"));
        list->KeepCustomTile = true;
        list->Reload(onSelect);
        RefreshTemplateShortList(*list, "tvnr001.swf");
    };
    TGalleryTile *custom = Custom();
    QTest::mouseClick(custom->Picture(), Qt::LeftButton);
    ASSERT_EQ(Custom(), custom);
    EXPECT_EQ(custom->Tag(), 15);
    EXPECT_EQ(custom->pos(), QPoint(6, 3 + 15 * 89));
    EXPECT_EQ(list->Tiles().size(), 16);
    EXPECT_EQ(Highlighted(list->Tiles()), "tvnr001.swf");
    EXPECT_TRUE(picked.isEmpty());
}

TEST_F(ShortList, AMissingFolderLeavesTheCustomTileAlone)
{
    QDir(prog.file("Templates/Horizontal/Menus")).removeRecursively();
    list->LoadButtons(onSelect);
    EXPECT_EQ(Captions(list->Tiles()), QStringList{"<custom 0>"});
    EXPECT_EQ(Custom()->PictureFile(), QString());
}

namespace {

class ApplyHost : public IDesignHost {};

} // namespace

TEST_F(ShortList, TheWindowAppliesAPickedSet)
{
    SetDefaultTexts();
    ApplyHost host;
    TMenuDesign design{prog.path(), &host};
    design.ResetToBlankProject();
    design.FStoreOptions.MainNormalColor = 0x123;
    QStringList calls;
    const auto mark = [&] { calls << "mark"; };
    const auto refresh = [&] { calls << "refresh"; };
    SelectMenuTemplate(design, "tvnr007.swf", mark, refresh);
    EXPECT_EQ(design.CurrentMenuFileName, "tvnr007.swf");
    EXPECT_EQ(prog.read("MenuPreview/tvnr007.swf"), prog.read("Templates/Horizontal/Menus/tvnr007.swf"));
    EXPECT_NE(design.FStoreOptions.MainNormalColor, 0x123);
    EXPECT_EQ(calls, QStringList({"mark", "refresh"}));

    // A template design that does not apply still marks the change and refreshes, then reports.
    prog.write("Templates/Horizontal/Template/tvmjs001.xml", "<WebMenuOptions><design/></WebMenuOptions>");
    calls.clear();
    EXPECT_NE(ExceptionText([&] { SelectMenuTemplate(design, "tvmjs001.swf", mark, refresh); }), QString());
    EXPECT_EQ(calls, QStringList({"mark", "refresh"}));
    EXPECT_EQ(design.CurrentMenuFileName, "tvmjs001.swf");

    // A name that climbs out copies nothing.
    SelectMenuTemplate(design, "..\\..\\tolvanar.ini", mark, refresh);
    EXPECT_FALSE(prog.exists("tolvanar.ini"));
}

TEST_F(ShortList, LibraryIconsGoUnderTheWorkingFolderOnly)
{
    CopyLibraryIconToPreview(prog.path(), "flashmenu\\home.jpg");
    EXPECT_EQ(prog.read("MenuPreview/flashmenu/home.jpg"), prog.read("Templates/IconLink/home.jpg"));
    CopyLibraryIconToPreview(prog.path(), "..\\home.jpg");
    EXPECT_FALSE(prog.exists("home.jpg"));
    CopyLibraryIconToPreview(prog.path(), "flashmenu\\none.jpg");
    EXPECT_FALSE(prog.exists("MenuPreview/flashmenu/none.jpg"));
}
