#include "Errors.h"
#include "ModelTestSupport.h"
#include "SampleDesign.h"
#include <QFile>

namespace {

class MenuXmlReader : public ModelTest {
protected:
    RecordingHost host;
    TMenuDesign d{folder.path(), &host};

    // The reset design as written, for mutation.
    QString ResetXml()
    {
        TMenuDesign fresh(folder.path());
        fresh.ResetDesign(true);
        return fresh.BuildMenuXml(false, true, false);
    }

    QString ReadError(const QString &text)
    {
        try {
            d.ReadMenuXml(text);
        } catch (const Exception &e) {
            return e.Message();
        }
        return "no error";
    }

    // The state after a failed read: no project, the three reset entries, empty texts.
    void ExpectBlankProject()
    {
        EXPECT_EQ(d.FNoProject, 1);
        EXPECT_EQ(LiveEntries(d), QStringList({"1:1:0:Menu1", "2:2:0:Menu2", "3:3:0:Menu3"}));
        EXPECT_EQ(d.FTitleOptions.Text, "");
        EXPECT_EQ(d.Controls.LogoImage, "01.jpg");
        EXPECT_EQ(d.FReadingXml, 0);
    }
};

} // namespace

TEST_F(MenuXmlReader, AWrittenDesignReadsBackTheSame)
{
    FillSample(d);
    d.SetNoProject(false);
    // A removed entry and a move to slot 0 leave gaps that a read closes.
    const int extra = d.AddMainMenuEntry("", "Extra", true, "main", "");
    d.RemoveMenuEntry(extra);
    d.MoveMainEntry(d.FindEntrySlot(6), 0); // "About" first
    const QString text = d.BuildMenuXml(false, true, false);

    TMenuDesign e(folder.path());
    e.ResetDesign(true);
    e.SetOrientation(false);
    e.CurrentMenuFileName = d.CurrentMenuFileName;
    QString again = text;
    for (int round = 0; round < 3; ++round) {
        e.ReadMenuXml(again);
        again = e.BuildMenuXml(false, true, false);
        EXPECT_EQ(again, text) << "round " << round;
    }
    EXPECT_EQ(LiveEntries(e), QStringList({"1:1:0:About", "2:2:0:Home", "3:3:2:News <br> today", "4:4:2:Docs"}));
    EXPECT_EQ(e.MenuEntryCount(), 5);
    EXPECT_EQ(e.Entry(4).Href, "docs\\a.htm");
    EXPECT_EQ(e.FIconInfo.Items[0].Text, "Home & Away");
    EXPECT_EQ(e.FIconInfo.Items[0].Url, "http://a.example/?x=1&y=2");
    EXPECT_EQ(e.FIconInfo.Items[3].Text, "\"Four\"");
    EXPECT_EQ(e.FIconInfo.NormalColor, 0x332211);
    EXPECT_EQ(e.FTitleOptions.Text, "Fish & Chips <b>");
    EXPECT_EQ(e.Controls.Title, "Fish & Chips <b>");
    EXPECT_EQ(e.Controls.Baseline, "Welcome");
    EXPECT_EQ(e.Controls.BackgroundImage, "bg & sky.jpg");
    EXPECT_EQ(e.FButtonOptions[0].BackColor, 0xCCBBAA);
    EXPECT_EQ(e.FButtonOptions[0].Alpha, 90);
    EXPECT_EQ(e.FButtonOptions[3].Font, (TFontValue{"Verdana", 10, 0x333333, false, false, true}));
    EXPECT_EQ(e.FTitleOptions.Font, (TFontValue{"Times New Roman", 24, 0x563412, true, false, false}));
    EXPECT_EQ(e.FDescOptions.Font.Name, "Tahoma");
    EXPECT_EQ(e.FStoreOptions.MusicY, -20);
}

TEST_F(MenuXmlReader, CaptionsWithEntitiesSurviveRepeatedSaves)
{
    d.ResetDesign(true);
    d.EditMenuEntry(1, "A & B", "", "main", "");
    d.EditMenuEntry(2, "&amp; &lt;b&gt; &quot;q&quot; &apos; &", "", "main", "");
    d.FIconInfo.Items[1].Text = "<i>x</i> & \"y\"";
    d.FTitleOptions.Text = "a ]]> b ]]>";
    for (int round = 0; round < 3; ++round)
        d.ReadMenuXml(d.BuildMenuXml(false, true, false));
    EXPECT_EQ(d.Entry(1).Caption, "A & B");
    EXPECT_EQ(d.Entry(2).Caption, "&amp; &lt;b&gt; &quot;q&quot; &apos; &");
    EXPECT_EQ(d.FIconInfo.Items[1].Text, "<i>x</i> & \"y\"");
    EXPECT_EQ(d.FTitleOptions.Text, "a ]]> b ]]>");
    EXPECT_TRUE(d.BuildMenuXml(false, false, false).contains("<text><![CDATA[A &amp; B]]></text>"));
}

TEST_F(MenuXmlReader, EachReadErrorHasItsTextAndEndsInTheBlankProject)
{
    const QString good = ResetXml();
    const struct {
        QString from, to, message;
    } cases[] = {
        {"   <menufile src=\"flashmenu.swf\" id=\"flashmenu\"/>", "", "Element \"WebMenuOptions\" has no node \"menufile\"."},
        {"<background ", "<backdrop ", "Element \"design\" has no node \"background\"."},
        {"<iconlink x=", "<iconbar x=", "Element \"design\" has no node \"iconlink\"."},
        {" size=\"fix\"", "", "Node \"menubar\" has no attribute \"size\"."},
        {"alpha=\"0\" width=\"0\"", "alpha=\"0\" width=\"abc\"", "'abc' is not a valid integer value"},
        {"height=\"0\"", "height=\"2147483648\"", "'2147483648' is not a valid integer value"},
        {"<color id=\"main_menu_active\" value=\"0x000000\"", "<color id=\"main_menu_active\" value=\"0xGG\"", "'0xGG' is not a valid integer value"},
        {"<color id=\"sub_menu_normal\" value", "<color value", "Node \"color\" has no attribute \"id\"."},
        {"<font id=\"desc\" face=\"\"", "<font id=\"desc\"", "Node \"font\" has no attribute \"face\"."},
        {"<music x=\"0\" y=\"0\" />", "<music y=\"0\" />", "Node \"music\" has no attribute \"x\"."},
        {"<text id=\"desc\" x=\"0\" y=\"0\"><text><![CDATA[]]></text></text>", "", "Element \"main\" has no node \"text\"."},
        {"<text id=\"title\" x=\"0\" y=\"0\"><text><![CDATA[]]></text></text>", "<text id=\"title\" x=\"0\" y=\"0\"/>", "Element \"text\" has no node \"text\"."},
        {"<sound id=\"background\" src=\"\" volume=\"0\"/>", "", "Element \"main\" has no node \"sound\"."},
        {"volume=\"0\"", "volume=\"\"", "'' is not a valid integer value"},
        {"<img id=\"logo\" src", "<img id=\"logo\" source", "Node \"img\" has no attribute \"src\"."},
        {"<item id=\"2\"", "<item", "Node \"item\" has no attribute \"id\"."},
        {"<item id=\"3\" img=\"\" url=\"\" target=\"\" active=\"0\"", "<item id=\"3\" img=\"\" url=\"\" target=\"\" active=\"9999999999\"", "'9999999999' is not a valid integer value"},
        {"<menu href=\"\" target=\"main\"><text><![CDATA[Menu2]]>", "<menu target=\"main\"><text><![CDATA[Menu2]]>", "Node \"menu\" has no attribute \"href\"."},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(good.contains(c.from)) << c.from.toStdString();
        QString bad = good;
        bad.replace(c.from, c.to);
        // Every value of the bad file that comes before its fault is marked, to show none is applied.
        bad.replace("<background src=\"flashmenu\\\" alpha=\"0\"", "<background src=\"flashmenu\\marked.jpg\" alpha=\"77\"");
        FillSample(d);
        d.SetNoProject(false);
        host.calls.clear();
        ScriptedMessageBox box;
        EXPECT_EQ(ReadError(bad), c.message);
        EXPECT_TRUE(box.shown().isEmpty()) << "reported once, by the caller";
        EXPECT_EQ(host.count("NavigateBrowser " + folder.path() + "MenuPreview/flashmenu.htm"), 1);
        ExpectBlankProject();
        EXPECT_EQ(d.FStoreOptions.BackgroundAlpha, 90) << c.message.toStdString();
        EXPECT_EQ(d.Controls.BackgroundImage, "");
        EXPECT_EQ(d.FStoreOptions.Fonts[0].Name, "Arial");
    }
}

TEST_F(MenuXmlReader, TextThatDoesNotParseEndsInTheBlankProjectToo)
{
    FillSample(d);
    d.SetNoProject(false);
    ScriptedMessageBox box;
    for (const char *text : {"<WebMenuOptions><design>", "", "no xml at all"}) {
        EXPECT_NE(ReadError(text), "no error") << text;
        ExpectBlankProject();
    }
    EXPECT_TRUE(box.shown().isEmpty());
    EXPECT_EQ(d.FLoading, 1) << "the blank project keeps change handlers quiet";
}

TEST_F(MenuXmlReader, AFailureInsideTheBlankResetDoesNotStartAnother)
{
    d.ResetDesign(true);
    d.FDemoBlock = "<demo>"; // makes every built text unreadable
    EXPECT_NE(ReadError("<broken"), "no error");
    EXPECT_EQ(host.count("SetOpenDialogFolder " + folder.path() + "MenuPreview/"), 0);
}

TEST_F(MenuXmlReader, MoreEntriesThanTheTableHoldsIsAnError)
{
    const QString good = ResetXml();
    const QString head = good.left(good.indexOf("<menubar>") + 9);
    QString many;
    many.reserve(TMenuDesign::MenuTableSize * 40);
    for (int i = 0; i < TMenuDesign::MenuTableSize / 2; ++i)
        many += "<menu href=\"\"><text/><menu href=\"\"/></menu>";
    EXPECT_EQ(ReadError(head + many + "</menubar></WebMenuOptions>"),
              "The menu has more entries than the designer can hold (65535).");
    ExpectBlankProject();

    // One fewer fits: every slot but slot 0 is used.
    many.remove(0, int(QString("<menu href=\"\"><text/><menu href=\"\"/></menu>").size()));
    d.ReadMenuXml(head + "<menu href=\"\"/>" + many + "</menubar></WebMenuOptions>");
    EXPECT_EQ(d.MenuEntryCount(), TMenuDesign::MenuTableSize);
    EXPECT_EQ(d.AddMainMenuEntry("", "x", true, "", ""), -1);
}

TEST_F(MenuXmlReader, OptionalValuesAndLenientNumbers)
{
    QString text = ResetXml();
    text.replace(" align=\"Left\"", "");
    text.replace("<music x=\"0\" y=\"0\" />\r\n", "");
    text.replace("<item id=\"2\" img=\"\" url=\"\" target=\"\" active=\"0\" alpha=\"0\">",
                 "<item id=\"2\" img=\"i.gif\" url=\"u\" target=\"t\" active=\"257\">");
    text.replace("<menu href=\"\" target=\"main\"><text><![CDATA[Menu3]]></text>",
                 "<menu href=\"3.htm\"><text><![CDATA[Menu3]]></text><menu href=\"s.htm\"><text>S</text><menu href=\"deep\"><text>D</text></menu></menu>");
    text.replace("x=\"190\" y=\"38\" space=\"0\" buttontype=\"1\" size=\"fix\"",
                 "x=\"abc\" y=\"\" space=\"150\" buttontype=\"0\" size=\"Fix\"");
    d.FStoreOptions.MusicX = 5;
    d.ReadMenuXml(text);
    EXPECT_EQ(d.Controls.TextAlignIndex, 2);
    EXPECT_EQ(d.FStoreOptions.MusicX, 0);
    EXPECT_EQ(d.FIconInfo.Items[1].Alpha, 100);
    EXPECT_EQ(d.FIconInfo.Items[1].Active, 1);
    EXPECT_EQ(d.FIconInfo.Items[1].Img, "i.gif");
    EXPECT_EQ(d.Entry(3).Target, "");
    EXPECT_EQ(LiveEntries(d), QStringList({"1:1:0:Menu1", "2:2:0:Menu2", "3:3:0:Menu3", "4:4:3:S"})) << "deeper levels are not read";
    EXPECT_EQ(d.FMenuX, 0);
    EXPECT_EQ(d.FMenuY, 0);
    EXPECT_EQ(d.Controls.MenuSpacing, 100);
    EXPECT_EQ(d.Controls.MenuTypeIndex, -1);
    EXPECT_EQ(d.Controls.ButtonSizeIndex, -1);
    EXPECT_TRUE(d.BuildMenuXml(false, false, false).contains("buttontype=\"0\" size=\"fix\" target=\"main\" align=\"Right\"/>"));

    for (const auto &[type, index] : {std::pair{"2", 1}, {"3", 2}, {"9", 2}, {"-4", -1}, {"x", -1}}) {
        QString t = ResetXml();
        t.replace("buttontype=\"1\"", QStringLiteral("buttontype=\"%1\"").arg(type));
        t.replace("align=\"Left\"", "align=\"CENTER\"");
        d.ReadMenuXml(t);
        EXPECT_EQ(d.Controls.MenuTypeIndex, index) << type;
        EXPECT_EQ(d.Controls.TextAlignIndex, 1);
    }
}

TEST_F(MenuXmlReader, ColoursFontsAndUnknownIds)
{
    QString text = ResetXml();
    text.replace("<color id=\"main_menu_normal\" value=\"0x000000\" alpha=\"0\" />",
                 "<color id=\"main_menu_normal\" value=\"$123456\" alpha=\"7\" /><color id=\"other\"/>");
    text.replace("<color id=\"icon_link_active\" value=\"0x000000\"", "<color id=\"icon_link_active\" value=\"1193046\"");
    text.replace("<font id=\"title\" face=\"\" size=\"0\" color=\"0x000000\" bold=\"false\"",
                 "<font id=\"title\" face=\"F\" size=\"8\" color=\"0xABCDEF\" bold=\"TRUE\"");
    text.replace("<item id=\"4\"", "<item id=\"5\" img=\"\"/><item id=\"4\"");
    d.ReadMenuXml(text);
    EXPECT_EQ(d.FStoreOptions.MainNormalColor, 0x123456);
    EXPECT_EQ(d.FButtonOptions[0].BackColor, 0x563412);
    EXPECT_EQ(d.FButtonOptions[0].Alpha, 7);
    EXPECT_EQ(d.FIconInfo.ActiveColor, 0x563412);
    EXPECT_EQ(d.FStoreOptions.Fonts[4].Bold, 1);
    EXPECT_EQ(d.FTitleOptions.Font, (TFontValue{"F", 8, 0xEFCDAB, true, false, false}));
}

TEST_F(MenuXmlReader, OnlyElementChildrenCount)
{
    QString text = ResetXml();
    text.replace("<main>\r\n", "<main><!-- note -->stray text");
    text.replace("<img id=\"logo\"", "<picture id=\"logo\"");
    text.replace("<menubar>\r\n", "<menubar><!-- c -->loose<menu href=\"e.htm\"/><menu href=\"f.htm\">x<b>First</b><text>Second</text></menu>");
    d.ReadMenuXml(text);
    EXPECT_EQ(d.Controls.LogoImage, "01.jpg") << "the third element is the logo, whatever its name";
    EXPECT_EQ(LiveEntries(d), QStringList({"1:1:0:", "2:2:0:First", "3:3:0:Menu1", "4:4:0:Menu2", "5:5:0:Menu3"}));
}

TEST_F(MenuXmlReader, TheHostHearsTheReadInOrder)
{
    d.ReadMenuXml(ResetXml());
    EXPECT_EQ(host.calls, QStringList({"ComputeMenuAreaWidth", "ComputeMenuAreaHeight", "RebuildMenuToolbar",
                                       "ShowMenuPosition 190 38", "ClearMainMenuButtons", "MainEntryAdded 1",
                                       "MainEntryAdded 2", "MainEntryAdded 3", "UpdateInterface 0"}));
    EXPECT_EQ(d.FLoading, 0);
    EXPECT_EQ(d.FReadingXml, 0);
}

TEST_F(MenuXmlReader, LoadingTheWorkingCopy)
{
    const QString body = "<menufile src=\"a.swf\" id=\"a\"/></WebMenuOptions>";
    folder.write("MenuPreview/flashmenu.xml", "\xEF\xBB\xBF<WebMenuOptions version=\"1.00\" type=\"V\">" + body.toUtf8());
    EXPECT_EQ(d.LoadPreviewMenuXml(), "<WebMenuOptions version=\"1.00\" type=\"V\"><menufile src=\"a.swf\" id=\"a\"/></WebMenuOptions>");
    EXPECT_EQ(d.LoadedMenuType, "v");
    folder.write("other/flashmenu.xml", "<WebMenuOptions type=\"v\">" + body.toUtf8());
    d.LoadPreviewMenuXml(folder.path() + "other");
    EXPECT_EQ(d.LoadedMenuType, "h") << "the second attribute decides";

    folder.write("bad/flashmenu.xml", "<WebMenuOptions>");
    EXPECT_THROW(d.LoadPreviewMenuXml(folder.path() + "bad/"), Exception);
    EXPECT_THROW(d.LoadPreviewMenuXml(folder.path() + "none/"), Exception);
}

TEST_F(MenuXmlReader, ResetFromTheWorkingCopy)
{
    FillSample(d);
    d.SetNoProject(false);
    folder.write("MenuPreview/flashmenu.xml", d.BuildMenuXml(false, true, false).toUtf8());
    TMenuDesign e(folder.path(), &host);
    e.SetOrientation(false);
    e.CurrentMenuFileName = d.CurrentMenuFileName;
    e.ResetDesign(false);
    EXPECT_EQ(e.BuildMenuXml(false, true, false), d.BuildMenuXml(false, true, false));
    EXPECT_EQ(e.FPublishMenuSide, -1);

    QFile::remove(folder.file("MenuPreview/flashmenu.xml"));
    EXPECT_THROW(e.ResetDesign(false), Exception);
    EXPECT_EQ(e.FNoProject, 1) << "a missing working copy ends in the blank project";
    EXPECT_EQ(e.FLoading, 1);
    EXPECT_EQ(e.MenuEntryCount(), 4);
}

TEST_F(MenuXmlReader, TheBlankProjectAsksTheWindowForItsSteps)
{
    folder.write("Templates/htmloptions.XML", "<template/>");
    folder.write("Templates/Vertical/html/NOMENU.htm", "<html/>");
    folder.write("MenuPreview/.keep", "");
    d.SetOrientation(false);
    host.calls.clear();
    d.ResetToBlankProject();
    const QString p = folder.path();
    const QStringList tail = host.calls.mid(host.calls.size() - 5);
    EXPECT_EQ(folder.read("MenuPreview/flashmenu.htm"), "<html/>");
    EXPECT_EQ(tail, QStringList({"SetOpenDialogFolder " + p + "MenuPreview/",
                                 "ReadHtmlOptions " + p + "Templates/htmloptions.XML",
                                 "ClearProjectFileName", "UpdateInterface 0",
                                 "NavigateBrowser " + p + "MenuPreview/flashmenu.htm"}));
    EXPECT_EQ(host.calls.first(), "UpdateInterface 0") << "no project first";
    EXPECT_EQ(d.FNoProject, 1);
    EXPECT_EQ(d.FLoading, 1);

    const auto &f = host.fields;
    EXPECT_EQ(f[0].StartFolder, p + "Templates/Vertical/BGround/");
    EXPECT_EQ(f[0].Filter, "Flash File & Images (*.swf;*.jpg;*.png;*.gif;*.bmp;*.ico)|*.swf;*.jpg;*.png;*.gif;*.bmp;*.ico|Any Files (*.*)|*.*");
    EXPECT_EQ(f[1].StartFolder, p + "Templates/Sounds/");
    EXPECT_EQ(f[1].Filter, "MP3 File (*.mp3)|*.mp3");
    EXPECT_EQ(f[2].Filter, "MP3 File (*.mp3)|*.mp3");
    EXPECT_EQ(f[3].StartFolder, p + "Templates/Images/");
    EXPECT_EQ(f[3].Filter, "Flash File & Jpeg Files (*.swf;*.jpg;*.jpeg;*.jpe)|*.swf;*.jpg;*.jpeg;*.jpe|Any Files (*.*)|*.*");
}
