#include "Errors.h"
#include "ModelTestSupport.h"
#include "uXMLUtils.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

const char *const Sample =
    "<WebMenuOptions version=\"1.00\" type=\"h\">"
    "<menufile src=\"buttons07.swf\" id=\"buttons07\"/>"
    "<design><background src=\"flashmenu\\bg.jpg\" alpha=\"100\" width=\"1004\" height=\"120\" />"
    "<menubar x=\"1\" y=\"2\" space=\"0\" buttontype=\"2\" size=\"fix\" target=\"main\" align=\"Left\"/></design>"
    "<main><text id=\"title\" x=\"0\" y=\"0\"><text>t</text></text><text id=\"desc\" x=\"0\" y=\"0\"><text>d</text></text>"
    "<img id=\"logo\" src=\"flashmenu\\logo.jpg\" x=\"40\" y=\"45\" /><sound id=\"background\" src=\"flashmenu\\s.mp3\" volume=\"50\"/></main>"
    "<iconlink><item id=\"1\" img=\"i1.gif\"/><item id=\"2\" img=\"i2.gif\"/><item id=\"3\" img=\"i3.gif\"/>"
    "<item id=\"4\" img=\"i4.gif\"/></iconlink><menubar/></WebMenuOptions>";

QString Message(const std::function<void()> &f)
{
    try {
        f();
    } catch (const Exception &e) {
        return e.Message();
    }
    return "no error";
}

} // namespace

TEST(XMLUtils, TypedGettersFollowTheirPaths)
{
    TXMLUtils x(Sample);
    EXPECT_EQ(x.GetMenuFileSrc(), "buttons07.swf");
    EXPECT_EQ(x.GetBackgroundSrc(), "flashmenu\\bg.jpg");
    EXPECT_EQ(x.GetButtonType(), "2");
    EXPECT_EQ(x.GetMainImgSrc(), "flashmenu\\logo.jpg");
    EXPECT_EQ(x.GetSoundSrc(), "flashmenu\\s.mp3");
    EXPECT_EQ(x.GetBackgroundWidth(), 1004);
    EXPECT_EQ(x.GetBackgroundHeight(), 120);
}

TEST(XMLUtils, IconLinkImagesMatchTheIdAsText)
{
    TXMLUtils x(Sample);
    EXPECT_EQ(x.GetIconLinkImg(2), "i2.gif");
    EXPECT_EQ(x.GetIconLinkImg(5), "");

    TXMLUtils padded("<r><iconlink><item id=\"02\" img=\"a\"/><item id=\"2\" img=\"b\"/><item id=\"2\" img=\"c\"/></iconlink></r>");
    EXPECT_EQ(padded.GetIconLinkImg(2), "c") << "the last match wins, \"02\" is no match";
    padded.SetIconLinkImg(2, "z");
    EXPECT_EQ(padded.GetXml(), "<r><iconlink><item id=\"02\" img=\"a\"/><item id=\"2\" img=\"z\"/><item id=\"2\" img=\"z\"/></iconlink></r>");
}

TEST(XMLUtils, SettersReplaceExistingAttributesOnly)
{
    TXMLUtils x(Sample);
    x.SetBackgroundSrc("flashmenu\\a&b.jpg");
    x.SetButtonType("3");
    x.SetSoundSrc("");
    x.SetMainImgSrc("flashmenu\\l.swf");
    x.SetMenuFileSrc("m.swf");
    EXPECT_EQ(x.GetBackgroundSrc(), "flashmenu\\a&b.jpg");
    EXPECT_TRUE(x.GetXml().contains("src=\"flashmenu\\a&amp;b.jpg\""));
    EXPECT_EQ(x.GetButtonType(), "3");
    EXPECT_EQ(x.GetSoundSrc(), "");
    EXPECT_EQ(x.GetMainImgSrc(), "flashmenu\\l.swf");
    EXPECT_EQ(x.GetMenuFileSrc(), "m.swf");

    TXMLUtils noSrc("<WebMenuOptions><design><background alpha=\"1\"/></design></WebMenuOptions>");
    const QString before = noSrc.GetXml();
    EXPECT_EQ(Message([&] { noSrc.SetBackgroundSrc("x"); }), "Node \"background\" has no attribute \"src\".");
    EXPECT_EQ(noSrc.GetXml(), before);
}

TEST(XMLUtils, MissingElementsAndBadNumbersRaiseTheirTexts)
{
    TXMLUtils x("<WebMenuOptions><design><background width=\"abc\" height=\"99999999999\"/></design></WebMenuOptions>");
    EXPECT_EQ(Message([&] { x.GetSoundSrc(); }), "Element \"WebMenuOptions\" has no node \"main\".");
    EXPECT_EQ(Message([&] { x.GetButtonType(); }), "Element \"design\" has no node \"menubar\".");
    EXPECT_EQ(Message([&] { x.GetBackgroundWidth(); }), "'abc' is not a valid integer value");
    EXPECT_EQ(Message([&] { x.GetBackgroundHeight(); }), "'99999999999' is not a valid integer value");
    EXPECT_EQ(Message([&] { x.GetIconLinkImg(1); }), "Element \"WebMenuOptions\" has no node \"iconlink\".");

    TXMLUtils noId("<r><iconlink><item id=\"1\" img=\"a\"/><item img=\"b\"/></iconlink></r>");
    const QString before = noId.GetXml();
    EXPECT_EQ(Message([&] { noId.SetIconLinkImg(1, "z"); }), "Node \"item\" has no attribute \"id\".");
    EXPECT_EQ(noId.GetXml(), before) << "no item changes when one of them is faulty";
}

TEST(XMLUtils, BlankTextIsAnEmptyDocumentWithoutAMessage)
{
    ScriptedMessageBox box;
    TXMLUtils x(" \r\n\t ");
    EXPECT_TRUE(box.shown().isEmpty());
    EXPECT_EQ(x.GetMenuFileSrc(), "");
    EXPECT_EQ(x.GetXml(), "");
    EXPECT_EQ(Message([&] { x.GetBackgroundWidth(); }), "'' is not a valid integer value");
}

TEST(XMLUtils, AParseErrorShowsItsReasonOnceAndKeepsNoTree)
{
    ScriptedMessageBox box;
    TXMLUtils x(Sample);
    x.LoadXml("<WebMenuOptions><menufile src=\"a\"/><design>");
    ASSERT_EQ(box.shown().size(), 1);
    EXPECT_FALSE(box.shown().first().text.isEmpty());
    EXPECT_EQ(x.GetXml(), "") << "neither the previous document nor a partial tree";
    EXPECT_EQ(x.GetMenuFileSrc(), "");
    // Without a root there is no item list: empty result, no change, no fault.
    EXPECT_EQ(x.GetIconLinkImg(1), "");
    x.SetIconLinkImg(1, "x");
    x.SetBackgroundSrc("x");
    EXPECT_EQ(x.GetXml(), "");
}

TEST(XMLUtils, ASecondLoadNeverShowsThePreviousDocument)
{
    TXMLUtils x(Sample);
    x.LoadXml("   ");
    EXPECT_EQ(x.GetXml(), "");
    x.LoadXml("<a b=\"1\"/>");
    EXPECT_EQ(x.GetXml(), "<a b=\"1\"/>");
}

TEST(XMLUtils, AParseErrorOffTheGuiThreadShowsNoBox)
{
    ScriptedMessageBox box;
    QString xml = "unset";
    std::thread worker([&] {
        TXMLUtils x("<broken");
        xml = x.GetXml();
    });
    worker.join();
    EXPECT_TRUE(box.shown().isEmpty());
    EXPECT_EQ(xml, "");
}

TEST(NodeLookups, AbsentNodesGiveEmptyResults)
{
    const pugi::xml_node none;
    EXPECT_EQ(GetNodeAttribute(none, "a"), "");
    EXPECT_EQ(GetNodeAttributeDef(none, "a", "d"), "");
    SetNodeAttribute(none, "a", "v");
    EXPECT_FALSE(SelectChildNode(none, "a"));
    EXPECT_FALSE(SelectNodeOrNil(none, "a"));
    EXPECT_TRUE(SelectChildNodes(none, "a").empty());
}

TEST(NodeLookups, PresentNodesFindOrRaise)
{
    TXMLUtils x("<m a=\"1\"><text>t</text><b/><text>u</text><c><text/></c></m>");
    const pugi::xml_node m = x.Root();
    EXPECT_EQ(GetNodeAttribute(m, "a"), "1");
    EXPECT_EQ(GetNodeAttributeDef(m, "z", "d"), "d");
    EXPECT_EQ(GetNodeAttributeDef(m, "a", "d"), "1");
    EXPECT_EQ(Message([&] { GetNodeAttribute(m, "z"); }), "Node \"m\" has no attribute \"z\".");
    EXPECT_EQ(Message([&] { SetNodeAttribute(m, "z", "v"); }), "Node \"m\" has no attribute \"z\".");
    EXPECT_FALSE(m.attribute("z"));

    EXPECT_STREQ(SelectChildNode(m, "b").name(), "b");
    EXPECT_EQ(Message([&] { SelectChildNode(m, "d"); }), "Element \"m\" has no node \"d\".");
    EXPECT_FALSE(SelectNodeOrNil(m, "d"));
    EXPECT_EQ(SelectChildNodes(m, "text").size(), 2u) << "children only, not the grandchild";
    EXPECT_TRUE(SelectChildNodes(m, "d").empty());
    EXPECT_STREQ(SelectChildNode(m, "c/text").name(), "text");
    EXPECT_EQ(Message([&] { SelectChildNodes(m, "[["); }), "Element \"m\" has no node list \"[[\".");
    EXPECT_FALSE(SelectNodeOrNil(m, "[["));
}
