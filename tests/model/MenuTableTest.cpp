#include "ModelTestSupport.h"
#include "uGlobal.h"

namespace {

class MenuTable : public ModelTest {
protected:
    RecordingHost host;
    TMenuDesign d{folder.path(), &host};
    void SetUp() override
    {
        ModelTest::SetUp();
        d.ResetDesign(true);
        host.calls.clear();
    }
};

} // namespace

TEST_F(MenuTable, ResetWithDefaultsHoldsThreeEntriesFromSlotOne)
{
    EXPECT_EQ(LiveEntries(d), QStringList({"1:1:0:Menu1", "2:2:0:Menu2", "3:3:0:Menu3"}));
    EXPECT_EQ(d.MenuEntryCount(), 4);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(d.Entry(i).Target, "main");
        EXPECT_EQ(d.Entry(i).Href, "");
        EXPECT_EQ(d.Entry(i).OnToolbar, 1);
    }
    EXPECT_EQ(d.Entry(0).Id, -1);
    EXPECT_EQ(d.FMenuX, 190);
    EXPECT_EQ(d.FLogoY, 45);
    EXPECT_EQ(d.FPublishMenuSide, -1);
    EXPECT_EQ(d.FLoading, 0) << "restored after the reset";
    EXPECT_EQ(d.FReadingXml, 0);
}

TEST_F(MenuTable, RemovedSlotsStayFreeAndIdsOnlyGrow)
{
    EXPECT_TRUE(d.RemoveMenuEntry(2));
    EXPECT_EQ(host.calls, QStringList({"EntryRemoved 2", "ModifiedChanged", "RebuildMenuToolbar", "RefreshPreview"}));
    EXPECT_EQ(d.Entry(2).OnToolbar, 0);
    EXPECT_EQ(d.AddMainMenuEntry("", "New", false, "mainFrame", "n.htm"), 4);
    EXPECT_EQ(LiveEntries(d), QStringList({"1:1:0:Menu1", "3:3:0:Menu3", "4:4:0:New"}));
    EXPECT_FALSE(d.RemoveMenuEntry(2)) << "an Id that matches no live slot does nothing";
    EXPECT_FALSE(d.RemoveMenuEntry(-1));
}

TEST_F(MenuTable, InsertingMovesTheSlotsAboveUp)
{
    const int sub = d.AddSubMenuEntry(2, "Sub", "mainFrame", "s.htm"); // slot 4, Id 4
    EXPECT_EQ(d.AddMainMenuEntry("2", "Inserted", true, "main", ""), 5);
    EXPECT_EQ(LiveEntries(d), QStringList({"1:1:0:Menu1", "2:5:0:Inserted", "3:2:0:Menu2", "4:3:0:Menu3", "5:4:2:Sub"}));
    EXPECT_EQ(d.FindEntrySlot(sub), 5);
    EXPECT_TRUE(d.HasChildEntries(2)) << "links are by Id and survive the shift";
    EXPECT_EQ(d.AddMainMenuEntry("0", "First", true, "main", ""), 6);
    EXPECT_EQ(d.Entry(0).Caption, "First");
    EXPECT_EQ(d.Entry(1).Caption, "") << "the free slot 0 moved up";
    EXPECT_EQ(d.Entry(1).Id, -1);
}

TEST_F(MenuTable, PositionsOutsideTheTableAppend)
{
    for (const char *position : {"-1", "5", "99999", "abc", "8"}) {
        const int count = d.MenuEntryCount();
        const int id = d.AddMainMenuEntry(position, position, true, "main", "");
        EXPECT_EQ(d.FindEntrySlot(id), count) << position;
        EXPECT_EQ(d.MenuEntryCount(), count + 1);
    }
}

TEST_F(MenuTable, MovesFollowTheSlotRules)
{
    const int sub = d.AddSubMenuEntry(1, "Sub", "mainFrame", ""); // slot 4
    // After the entry in slot 1: target 2.
    EXPECT_TRUE(d.EditMenuEntry(3, "Menu3", "", "main", "2"));
    EXPECT_EQ(LiveEntries(d), QStringList({"1:1:0:Menu1", "2:3:0:Menu3", "3:2:0:Menu2", "4:4:1:Sub"}));
    // To the beginning: slots 0-2 move up by one.
    d.MoveMainEntry(3, 0);
    EXPECT_EQ(LiveEntries(d), QStringList({"0:2:0:Menu2", "2:1:0:Menu1", "3:3:0:Menu3", "4:4:1:Sub"}));
    // Later: after the entry in slot 3 (target 4) ends right after it.
    d.MoveMainEntry(0, 4);
    EXPECT_EQ(LiveEntries(d), QStringList({"1:1:0:Menu1", "2:3:0:Menu3", "3:2:0:Menu2", "4:4:1:Sub"}));
    // Its own slot, or just after itself: nothing moves.
    d.MoveMainEntry(2, 2);
    d.MoveMainEntry(2, 3);
    EXPECT_EQ(LiveEntries(d), QStringList({"1:1:0:Menu1", "2:3:0:Menu3", "3:2:0:Menu2", "4:4:1:Sub"}));
    // Beyond the table: the end.
    d.MoveMainEntry(1, 999);
    EXPECT_EQ(LiveEntries(d), QStringList({"1:3:0:Menu3", "2:2:0:Menu2", "3:4:1:Sub", "4:1:0:Menu1"}));
    EXPECT_EQ(d.FindEntrySlot(sub), 3);
    EXPECT_TRUE(d.HasChildEntries(1));
}

TEST_F(MenuTable, EditingAppliesTheDialogValues)
{
    const int sub = d.AddSubMenuEntry(1, "Sub", "mainFrame", "");
    host.calls.clear();
    EXPECT_TRUE(d.EditMenuEntry(sub, "<b>Sub</b>", "s.htm", "_blank", "0"));
    EXPECT_EQ(host.calls, QStringList({"EntryEdited 4", "ModifiedChanged", "RefreshPreview"}));
    EXPECT_EQ(d.FindEntrySlot(sub), 4) << "a sub-entry ignores the position";
    EXPECT_EQ(d.Entry(4).Caption, "<b>Sub</b>");
    EXPECT_EQ(d.Entry(4).Href, "s.htm");
    EXPECT_EQ(d.Entry(4).Target, "_blank");

    host.calls.clear();
    EXPECT_TRUE(d.EditMenuEntry(2, "Two", "2.htm", "main", ""));
    EXPECT_EQ(host.calls, QStringList({"EntryEdited 2", "RebuildMenuToolbar", "RefreshPreview"}));
    EXPECT_EQ(d.FindEntrySlot(2), 2);
    EXPECT_FALSE(d.EditMenuEntry(-2, "x", "", "", ""));
    EXPECT_FALSE(d.EditMenuEntry(77, "x", "", "", ""));
}

TEST_F(MenuTable, SubEntriesNeedALiveParent)
{
    EXPECT_EQ(d.AddSubMenuEntry(9, "x", "", ""), -1);
    EXPECT_EQ(d.AddSubMenuEntry(0, "x", "", ""), -1);
    d.RemoveMenuEntry(3);
    EXPECT_EQ(d.AddSubMenuEntry(3, "x", "", ""), -1);
    EXPECT_EQ(d.MenuEntryCount(), 4);
    EXPECT_FALSE(d.HasChildEntries(1));
    host.calls.clear();
    EXPECT_EQ(d.AddSubMenuEntry(1, "x", "mainFrame", ""), 4);
    EXPECT_EQ(host.calls, QStringList({"SubEntryAdded 1 4"}));
    EXPECT_TRUE(d.HasChildEntries(1));
    EXPECT_EQ(d.Entry(4).OnToolbar, 0);

    EXPECT_TRUE(d.PrepareSubEntrySlot());
    EXPECT_EQ(d.Entry(5).Caption, "");
    EXPECT_EQ(d.Entry(5).Target, "mainFrame");
    EXPECT_EQ(d.Entry(5).Id, -1);
}

TEST_F(MenuTable, AFullTableRefusesEveryAddUntouched)
{
    while (d.MenuEntryCount() < TMenuDesign::MenuTableSize)
        ASSERT_NE(d.AddMainMenuEntry("", "m", true, "main", ""), -1);
    EXPECT_EQ(d.Entry(TMenuDesign::MenuTableSize - 1).Id, TMenuDesign::MenuTableSize - 1);
    const QStringList before = LiveEntries(d).mid(0, 3);
    host.calls.clear();
    EXPECT_EQ(d.AddMainMenuEntry("", "x", false, "main", ""), -1);
    EXPECT_EQ(d.AddMainMenuEntry("1", "x", false, "main", ""), -1);
    EXPECT_EQ(d.AddSubMenuEntry(1, "x", "", ""), -1);
    EXPECT_FALSE(d.PrepareSubEntrySlot());
    EXPECT_EQ(LiveEntries(d).mid(0, 3), before);
    EXPECT_EQ(d.MenuEntryCount(), TMenuDesign::MenuTableSize);
    EXPECT_TRUE(host.calls.isEmpty());
    // Moves stay inside the table.
    d.MoveMainEntry(1, TMenuDesign::MenuTableSize);
    EXPECT_EQ(d.Entry(TMenuDesign::MenuTableSize - 1).Caption, "Menu1");
}

TEST_F(MenuTable, RemoveAsksFirstAndAgainForSubMenus)
{
    ScriptedMessageBox box;
    box.answer(mrCancel);
    EXPECT_FALSE(d.RemoveMenuEntryClick(1));
    ASSERT_EQ(box.shown().size(), 1);
    EXPECT_EQ(box.shown()[0].text, "Do you want to remove this menu item?");
    EXPECT_EQ(box.shown()[0].caption, "Remove Item");
    EXPECT_EQ(box.shown()[0].buttons, QList<int>({mrOK, mrCancel}));
    EXPECT_EQ(d.FindEntrySlot(1), 1);

    d.AddSubMenuEntry(1, "Sub", "mainFrame", "");
    box.answer(mrOK);
    box.answer(mrNo);
    EXPECT_FALSE(d.RemoveMenuEntryClick(1));
    ASSERT_EQ(box.shown().size(), 3);
    EXPECT_EQ(box.shown()[2].text, "This menu item contains a submenu.\r\nAre you sure you want to remove it ?");
    EXPECT_EQ(box.shown()[2].caption, "Alert");
    EXPECT_EQ(d.FindEntrySlot(1), 1);

    box.answer(mrOK);
    box.answer(mrYes);
    EXPECT_TRUE(d.RemoveMenuEntryClick(1));
    EXPECT_EQ(d.FindEntrySlot(1), -1);
    EXPECT_EQ(d.Entry(4).Id, 4) << "the sub-entry stays in the table";
    EXPECT_FALSE(d.BuildMenuXml(false, false, false).contains("Sub")) << "but not in the menu";

    box.answer(mrOK);
    EXPECT_TRUE(d.RemoveMenuEntryClick(2)) << "no second question without sub-entries";
    EXPECT_EQ(box.shown().size(), 6);
    box.answer(mrOK);
    EXPECT_FALSE(d.RemoveMenuEntryClick(55));
}

TEST_F(MenuTable, OrientationAndModifiedFlags)
{
    d.SetOrientation(true);
    EXPECT_EQ(d.FLayoutPending, 0) << "the current value changes nothing";
    d.SetOrientation(false);
    EXPECT_EQ(d.FLayoutPending, 1);
    EXPECT_FALSE(d.IsHorizontal());
    EXPECT_EQ(d.FOrientationDir, "Vertical\\");
    d.SetOrientation(true);
    EXPECT_EQ(d.FOrientationDir, "Horizontal\\");

    d.SetModified(true);
    d.SetModified(true);
    EXPECT_TRUE(d.IsModified());
    d.SetModified(false);
    EXPECT_EQ(host.count("ModifiedChanged"), 2);
}

TEST(DesignHelpers, StripHtmlTagsAlwaysEnds)
{
    EXPECT_EQ(StripHtmlTags("Home<br>Page"), "HomePage");
    EXPECT_EQ(StripHtmlTags("<b>News</b>"), "News");
    EXPECT_EQ(StripHtmlTags("Plain & simple"), "Plain & simple");
    EXPECT_EQ(StripHtmlTags("a > b < c"), "a > b < c");
    EXPECT_EQ(StripHtmlTags("x>y<i>z"), "x>yz");
    EXPECT_EQ(StripHtmlTags("<<a>>"), ">");
    EXPECT_EQ(StripHtmlTags("open <tag"), "open <tag");
}

TEST(DesignHelpers, ColoursAndFonts)
{
    EXPECT_EQ(SwapRedBlue(0x12345678), 0x00785634);
    TFontInfo info;
    info.Name = "Arial";
    info.Size = 9;
    info.Color = 0x123456;
    info.Bold = 2;
    info.Underline = 1;
    TFontValue f;
    f.Italic = true;
    ApplyFontRecord(f, info);
    EXPECT_EQ(f, (TFontValue{"Arial", 9, 0x563412, true, false, true}));
    EXPECT_EQ(GetWindowsVersionCode(), 0);
    EXPECT_EQ(GetWindowsVersionName(), "Unknown");
}
