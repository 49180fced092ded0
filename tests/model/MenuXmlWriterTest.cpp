#include "ModelTestSupport.h"
#include "SampleDesign.h"
#include "uDesign.h"
#include "XmlDom.h"

namespace {

const char *const ResetText = R"(<WebMenuOptions version="1.00" type="h">
   <menufile src="flashmenu.swf" id="flashmenu"/>
 <design>
 <background src="flashmenu\" alpha="0" width="0" height="0" /> <menubar x="190" y="38" space="0" buttontype="1" size="fix" target="main" align="Left"/> <iconlink x="0" y="0" />
<color id="background" value="0x000000" alpha="0" /> 
<color id="main_menu_normal" value="0x000000" alpha="0" />
<color id="main_menu_active" value="0x000000" alpha="0" />
<color id="sub_menu_normal" value="0x000000" alpha="0" />
<color id="sub_menu_active" value="0x000000" alpha="0" />
<color id="icon_link_normal" value="0x000000" alpha="0" />
<color id="icon_link_active" value="0x000000" alpha="0" />
<font id="main_menu_normal" face="" size="0" color="0x000000" bold="false" italic="false" underline="false" />
<font id="main_menu_active" face="" size="0" color="0x000000" bold="false" italic="false" underline="false" />
<font id="sub_menu_normal" face="" size="0" color="0x000000" bold="false" italic="false" underline="false" />
<font id="sub_menu_active" face="" size="0" color="0x000000" bold="false" italic="false" underline="false" />
<font id="title" face="" size="0" color="0x000000" bold="false" italic="false" underline="false" />
<font id="desc" face="" size="0" color="0x000000" bold="false" italic="false" underline="false" />
<music x="0" y="0" />
</design>
<main>
<text id="title" x="0" y="0"><text><![CDATA[]]></text></text>
<text id="desc" x="0" y="0"><text><![CDATA[]]></text></text>
<img id="logo" src="flashmenu\01.jpg" x="40" y="45" />
<sound id="background" src="" volume="0"/>
</main>
<iconlink>
<item id="1" img="" url="" target="" active="0" alpha="0"><text><![CDATA[]]></text></item>
<item id="2" img="" url="" target="" active="0" alpha="0"><text><![CDATA[]]></text></item>
<item id="3" img="" url="" target="" active="0" alpha="0" ><text><![CDATA[]]></text></item>
<item id="4" img="" url="" target="" active="0" alpha="0"><text><![CDATA[]]></text></item>
</iconlink>
<menubar>
<menu href="" target="main"><text><![CDATA[Menu1]]></text>
</menu>
<menu href="" target="main"><text><![CDATA[Menu2]]></text>
</menu>
<menu href="" target="main"><text><![CDATA[Menu3]]></text>
</menu>
</menubar>
</WebMenuOptions>)";

// The sample design below as a preview writes it.
const char *const SampleText = R"(<WebMenuOptions version="1.00" type="v">
   <menufile src="buttons07.swf" id="buttons07"/>
 <design>
 <background src="flashmenu\bg &amp; sky.jpg" alpha="90" width="1004" height="120" /> <menubar x="200" y="40" space="5" buttontype="2" size="variable" target="main" align="Center"/> <iconlink x="600" y="10" />
<color id="background" value="0x112233" alpha="100" /> 
<color id="main_menu_normal" value="0xAABBCC" alpha="90" />
<color id="main_menu_active" value="0x0000FF" alpha="80" />
<color id="sub_menu_normal" value="0xFF0000" alpha="70" />
<color id="sub_menu_active" value="0x00FF00" alpha="60" />
<color id="icon_link_normal" value="0x112233" alpha="50" />
<color id="icon_link_active" value="0xAABBCC" alpha="40" />
<font id="main_menu_normal" face="Arial" size="12" color="0xFFFFFF" bold="true" italic="false" underline="false" />
<font id="main_menu_active" face="Arial" size="12" color="0xFFFF00" bold="false" italic="false" underline="false" />
<font id="sub_menu_normal" face="Verdana" size="10" color="0x000000" bold="false" italic="true" underline="false" />
<font id="sub_menu_active" face="Verdana" size="10" color="0x333333" bold="false" italic="false" underline="true" />
<font id="title" face="Times New Roman" size="24" color="0x123456" bold="true" italic="false" underline="false" />
<font id="desc" face="Tahoma" size="11" color="0x654321" bold="false" italic="false" underline="false" />
<music x="900" y="-20" />
</design>
<main>
<text id="title" x="10" y="5"><text><![CDATA[Fish & Chips <b>]]></text></text>
<text id="desc" x="10" y="40"><text><![CDATA[Welcome]]></text></text>
<img id="logo" src="flashmenu\logo.jpg" x="30" y="35" />
<sound id="background" src="flashmenu\music.mp3" volume="80"/>
</main>
<iconlink>
<item id="1" img="flashmenu\i1.gif" url="http://a.example/?x=1&amp;y=2" target="_blank" active="1" alpha="100"><text><![CDATA[Home &amp; Away]]></text></item>
<item id="2" img="flashmenu\i2.gif" url="mail.htm" target="main" active="0" alpha="75"><text><![CDATA[Mail]]></text></item>
<item id="3" img="" url="" target="" active="0" alpha="100" ><text><![CDATA[]]></text></item>
<item id="4" img="flashmenu\i4.gif" url="" target="" active="1" alpha="100"><text><![CDATA[&quot;Four&quot;]]></text></item>
</iconlink>
<menubar>
<menu href="index.htm" target="main"><text><![CDATA[Home]]></text>
<menu href="news.htm" target="mainFrame"><text><![CDATA[News &lt;br&gt; today]]></text></menu>
<menu href="docs\a.htm" target="mainFrame"><text><![CDATA[Docs]]></text></menu>
</menu>
<menu href="about.htm" target="_top"><text><![CDATA[About]]></text>
</menu>
</menubar>
</WebMenuOptions>)";

class MenuXmlWriter : public ModelTest {};

} // namespace

TEST_F(MenuXmlWriter, TheResetDesign)
{
    TMenuDesign d(folder.path());
    d.ResetDesign(true);
    EXPECT_EQ(d.BuildMenuXml(false, false, false), Crlf(ResetText));
    // Building in reset mode gives the same text from any design and puts the reset values back.
    FillSample(d);
    d.SetOrientation(true);
    d.CurrentMenuFileName = "flashmenu.swf";
    d.FStoreOptions = TXMLStoreOptions();
    d.FIconInfo = TXMLICONInfo();
    d.Controls = TDesignControls();
    d.ResetDesign(true);
    EXPECT_EQ(d.BuildMenuXml(true, false, false), Crlf(ResetText));
    EXPECT_EQ(d.Controls.LogoImage, "01.jpg");
    EXPECT_EQ(d.Controls.RollOverSound, "bip.mp3");
    EXPECT_EQ(d.FLoading, 0);
}

TEST_F(MenuXmlWriter, LinesEndInCrLfAndTheLastHasNoBreak)
{
    TMenuDesign d(folder.path());
    FillSample(d);
    const QString text = d.BuildMenuXml(false, false, false);
    EXPECT_EQ(text.count("\r\n"), text.count("\n"));
    EXPECT_EQ(text.count("\r\n"), text.count("\r"));
    EXPECT_TRUE(text.endsWith("</menubar>\r\n</WebMenuOptions>"));
    EXPECT_EQ(text.count("\r\n"), 39); // 40 lines
}

TEST_F(MenuXmlWriter, ASampleDesignInAPreview)
{
    TMenuDesign d(folder.path());
    FillSample(d);
    EXPECT_EQ(d.BuildMenuXml(false, false, false), Crlf(SampleText));
    // Saving writes the same text: only the mute switch tells a preview from a save.
    EXPECT_EQ(d.BuildMenuXml(false, true, false), Crlf(SampleText));
}

TEST_F(MenuXmlWriter, PublishingWithSlashes)
{
    TMenuDesign d(folder.path());
    FillSample(d);
    d.Controls.MuteDuringDesign = true;
    QString expected = Crlf(SampleText);
    expected.replace(R"(<menufile src="buttons07.swf" id="buttons07"/>)", R"(<menufile src="flashmenu.swf" id="buttons07"/>)");
    expected.replace(R"(src="flashmenu\bg &amp; sky.jpg")", R"(src="flashmenu/bg &amp; sky.jpg")");
    expected.replace(R"(src="flashmenu\logo.jpg")", R"(src="flashmenu/logo.jpg")");
    expected.replace(R"(src="flashmenu\music.mp3")", R"(src="flashmenu/music.mp3")");
    expected.replace(R"(img="flashmenu\i)", R"(img="flashmenu/i)");
    ASSERT_TRUE(expected.contains(R"(href="docs\a.htm")")) << "links keep their backslashes";
    EXPECT_EQ(d.BuildMenuXml(false, true, true), expected);
}

TEST_F(MenuXmlWriter, MuteTickedInAPreviewEmptiesTheSound)
{
    TMenuDesign d(folder.path());
    FillSample(d);
    d.Controls.MuteDuringDesign = true;
    QString expected = Crlf(SampleText);
    expected.replace(R"(<sound id="background" src="flashmenu\music.mp3" volume="80"/>)",
                     R"(<sound id="background" src="" volume="80"/>)");
    EXPECT_EQ(d.BuildMenuXml(false, false, false), expected);
    EXPECT_EQ(d.BuildMenuXml(false, true, false), Crlf(SampleText));
}

TEST_F(MenuXmlWriter, OnlyAnExactMp3ExtensionWritesTheSound)
{
    TMenuDesign d(folder.path());
    FillSample(d);
    const QString written = R"(<sound id="background" src="flashmenu\music.mp3" volume="80"/>)";
    for (const char *name : {"music.MP3", "music.wav", "", "music.mp3.txt"}) {
        d.Controls.BackgroundSound = name;
        QString expected = Crlf(SampleText);
        expected.replace(written, R"(<sound id="background" src="" volume="80"/>)");
        EXPECT_EQ(d.BuildMenuXml(false, true, false), expected) << name;
    }
}

TEST_F(MenuXmlWriter, BlankMainCaptionsAndOrphansAreSkipped)
{
    TMenuDesign d(folder.path());
    FillSample(d);
    const int blank = d.AddMainMenuEntry("", " \t ", true, "main", "blank.htm");
    d.AddSubMenuEntry(blank, "Under blank", "mainFrame", "u.htm");
    const int gone = d.AddMainMenuEntry("", "Gone", true, "main", "gone.htm");
    d.AddSubMenuEntry(gone, "Orphan", "mainFrame", "o.htm");
    d.RemoveMenuEntry(gone);
    const int last = d.AddMainMenuEntry("", "Last", true, "main", "last.htm");
    d.AddSubMenuEntry(last, "", "mainFrame", "empty.htm");
    QString expected = Crlf(SampleText);
    expected.replace("</menubar>", Crlf(R"(<menu href="last.htm" target="main"><text><![CDATA[Last]]></text>
<menu href="empty.htm" target="mainFrame"><text><![CDATA[]]></text></menu>
</menu>
</menubar>)"));
    EXPECT_EQ(d.BuildMenuXml(false, false, false), expected);
}

TEST_F(MenuXmlWriter, DeeperLevelsNestWithoutLineBreaks)
{
    TMenuDesign d(folder.path());
    d.ResetDesign(true);
    const int sub = d.AddSubMenuEntry(2, "A", "t", "a.htm");
    d.AddSubMenuEntry(sub, "A1", "t", "a1.htm");
    d.AddSubMenuEntry(2, "B", "t", "b.htm");
    QString expected = Crlf(ResetText);
    expected.replace(Crlf("<menu href=\"\" target=\"main\"><text><![CDATA[Menu2]]></text>\n</menu>"),
                     Crlf(R"(<menu href="" target="main"><text><![CDATA[Menu2]]></text>
<menu href="a.htm" target="t"><text><![CDATA[A]]></text><menu href="a1.htm" target="t"><text><![CDATA[A1]]></text></menu>
</menu>
<menu href="b.htm" target="t"><text><![CDATA[B]]></text></menu>
</menu>)"));
    EXPECT_EQ(d.BuildMenuXml(false, false, false), expected);
}

TEST_F(MenuXmlWriter, MainEntriesInSlotOrderFromSlotZero)
{
    TMenuDesign d(folder.path());
    d.ResetDesign(true);
    d.EditMenuEntry(3, "Menu3", "", "main", "0"); // to the beginning: slot 0
    ASSERT_EQ(d.Entry(0).Id, 3);
    const QString text = d.BuildMenuXml(false, false, false);
    EXPECT_LT(text.indexOf("Menu3"), text.indexOf("Menu1"));
    EXPECT_LT(text.indexOf("Menu1"), text.indexOf("Menu2"));
}

TEST_F(MenuXmlWriter, HostileNamesAndTextsKeepTheFileWellFormed)
{
    TMenuDesign d(folder.path());
    FillSample(d);
    d.FStoreOptions.Fonts[0].Name = "A\"B<C>&D";
    d.CurrentMenuFileName = "we\"ird&.swf";
    d.FTitleOptions.Text = "end ]]> here";
    d.FDescOptions.Text = "]]>]]>";
    const QString text = d.BuildMenuXml(false, false, false);
    EXPECT_TRUE(text.contains(R"(face="A&quot;B&lt;C&gt;&amp;D")"));
    EXPECT_TRUE(text.contains(R"(<menufile src="we&quot;ird&amp;.swf" id="we&quot;ird&amp;"/>)"));
    EXPECT_TRUE(text.contains("<text><![CDATA[end ]]]]><![CDATA[> here]]></text>"));
    pugi::xml_document doc;
    EXPECT_TRUE(ParseXml(doc, text));
}

TEST_F(MenuXmlWriter, ColoursAreMaskedToTwentyFourBits)
{
    TMenuDesign d(folder.path());
    d.ResetDesign(true);
    d.FStoreOptions.BackgroundColor = int32_t(0xFF123456);
    d.FIconInfo.NormalColor = int32_t(0x7F563412);
    d.FStoreOptions.Fonts[4].Color = -1;
    const QString text = d.BuildMenuXml(false, false, false);
    EXPECT_TRUE(text.contains(R"(<color id="background" value="0x123456" alpha="0" /> )"));
    EXPECT_TRUE(text.contains(R"(<color id="icon_link_normal" value="0x123456" alpha="0" />)"));
    EXPECT_TRUE(text.contains(R"(<font id="title" face="" size="0" color="0xFFFFFF")"));
}

TEST_F(MenuXmlWriter, NoSizeSelectedWritesTheFirstSize)
{
    TMenuDesign d(folder.path());
    d.ResetDesign(true);
    d.Controls.ButtonSizeIndex = -1;
    d.Controls.MenuTypeIndex = -1;
    d.Controls.TextAlignIndex = -1;
    const QString text = d.BuildMenuXml(false, false, false);
    EXPECT_TRUE(text.contains(R"(buttontype="0" size="fix" target="main" align="Right"/>)"));
}
