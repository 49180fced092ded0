#include "PageFixture.h"

#include "Errors.h"
#include "Messages.h"

#include <QFile>

#include <algorithm>
#include <ctime>
#include <limits>

// ---- menu page ------------------------------------------------------------------------------

TEST_F(PageTemplates, MenuPageFillsEveryPlaceholderInOrder)
{
    // The script goes in first, so the title, sizes, movie and %SCROLL% inside it are filled; the
    // title's %HTML_COLOR% is filled (colour comes later); the description's %HTML_TITLE% is not.
    const QString page = BuildTemplatePage(env(), RichOptions, QStringLiteral("menu&1.swf"), 640, 120,
                                           false, true, false);
    const QString expected = Lines({
        R"(<html scroll="no"><head><meta charset="UTF-8"><title>Tom &amp; Jerry&#39;s &lt;b&gt; 00FF00</title>)",
        R"(<meta name="description" content="Say &quot;hi&quot; &amp; %HTML_TITLE% alpha, gamma, &lt;omega&gt;"><meta name="keywords" content="alpha, gamma, &lt;omega&gt;">)",
        R"(<script>Run("menu&amp;1.swf", "640", "120", "Tom &amp; Jerry&#39;s &lt;b&gt; 00FF00", "%HTML_MENU_SCRIPT%", "scroll="no"");</script></head><body bgcolor="#00FF00">)",
        R"(<!--BODY--><noscript><embed src="menu&amp;1.swf" width="640" height="120"></noscript><!--/BODY-->)",
        R"(%UNKNOWN% %HTML_FILE_NAME%</body></html>)",
    });
    EXPECT_EQ(page, expected);
}

TEST_F(PageTemplates, MenuPageWithoutScriptSettingAndWithScrollDropsScriptParts)
{
    const QString page = BuildTemplatePage(env(false), QString(), QStringLiteral("m.swf"), 10, 20, true, true, false);
    const QString expected = Lines({
        R"(<html ><head><meta charset="UTF-8"><title></title>)",
        R"(<meta name="description" content=""><meta name="keywords" content="">)",
        R"(</head><body bgcolor="#0">)",
        R"(<!--BODY--><embed src="m.swf" width="10" height="20"><!--/BODY-->)",
        R"(%UNKNOWN% %HTML_FILE_NAME%</body></html>)",
    });
    EXPECT_EQ(page, expected);
}

TEST_F(PageTemplates, FitFlagFillsTheOrientationsFreeSide)
{
    put(true, QStringLiteral("Template.htm"), QStringLiteral("%HTML_WIDTH_FOR_FLASH_MENU%x%HTML_HEIGHT_FOR_FLASH_MENU%"));
    put(false, QStringLiteral("Template.htm"), QStringLiteral("%HTML_WIDTH_FOR_FLASH_MENU%x%HTML_HEIGHT_FOR_FLASH_MENU%"));
    const QString o;
    EXPECT_EQ(BuildTemplatePage(env(), o, o, 640, 120, false, true, true), "100%x120");
    EXPECT_EQ(BuildTemplatePage(env(), o, o, 640, 120, false, true, false), "640x120");
    EXPECT_EQ(BuildTemplatePage(env(), o, o, 180, 400, false, false, true), "180x100%");
    EXPECT_EQ(BuildTemplatePage(env(), o, o, 180, 400, false, false, false), "180x400");
    EXPECT_EQ(BuildTemplatePage(env(), o, o, -5, 0, false, true, false), "-5x0");
}

TEST_F(PageTemplates, PageFromDocumentUsesCallersDocumentAndNeverFits)
{
    pugi::xml_document doc;
    doc.load_string("<old/>");
    const QString page = BuildTemplatePageFromDoc(env(), doc, RichOptions, QStringLiteral("p.swf"), false, true, 300, 500);
    const QString expected = Lines({
        R"(<html ><head><meta charset="UTF-8"><title>Tom &amp; Jerry&#39;s &lt;b&gt; 00FF00</title>)",
        R"(<meta name="description" content="Say &quot;hi&quot; &amp; %HTML_TITLE% alpha, gamma, &lt;omega&gt;"><meta name="keywords" content="alpha, gamma, &lt;omega&gt;">)",
        R"(<script>Run("p.swf", "300", "500", "Tom &amp; Jerry&#39;s &lt;b&gt; 00FF00", "%HTML_MENU_SCRIPT%", "");</script></head><body bgcolor="#00FF00">)",
        R"(<!--BODY--><noscript><embed src="p.swf" width="300" height="500"></noscript><!--/BODY-->)",
        R"(%UNKNOWN% %HTML_FILE_NAME%</body></html>)",
    });
    EXPECT_EQ(page, expected);
    EXPECT_STREQ(doc.document_element().name(), "template"); // the caller's document holds the options

    pugi::xml_document bad;
    EXPECT_TRUE(BuildTemplatePageFromDoc(env(false), bad, QStringLiteral("<template"), QString(), true, false, 1, 2)
                    .contains(R"(bgcolor="#0")"));
    EXPECT_FALSE(bad.first_child()); // no partial tree from a text that does not parse
}

TEST_F(PageTemplates, MissingMenuScriptPutsItsErrorTextInThePage)
{
    remove(true, QStringLiteral("MenuScript.htm"));
    EXPECT_EQ(LoadMenuScript(prog.path(), true), R"((Error: File "MenuScript.htm" not found.))");
    const QString page = BuildTemplatePage(env(), QString(), QString(), 1, 1, false, true, false);
    EXPECT_TRUE(page.contains(R"(<meta name="keywords" content="">)" "\n" R"((Error: File "MenuScript.htm" not found.)</head>)"));
    EXPECT_EQ(LoadMenuScript(prog.path(), false), MenuScriptText); // the other orientation still has one
}

TEST_F(PageTemplates, TemplatesAreFoundWithoutRegardToCase)
{
    QDir(prog.path()).rename(QStringLiteral("Templates"), QStringLiteral("TEMPLATES"));
    QDir(prog.file("TEMPLATES")).rename(QStringLiteral("Horizontal"), QStringLiteral("horizontal"));
    QDir(prog.file("TEMPLATES/horizontal")).rename(QStringLiteral("HTML"), QStringLiteral("html"));
    QFile::rename(prog.file("TEMPLATES/horizontal/html/Template.htm"), prog.file("TEMPLATES/horizontal/html/template.HTM"));
    QFile::rename(prog.file("TEMPLATES/horizontal/html/MenuScript.htm"), prog.file("TEMPLATES/horizontal/html/menuscript.htm"));
    const QString page = BuildTemplatePage(env(), QString(), QStringLiteral("a.swf"), 1, 2, true, true, false);
    EXPECT_TRUE(page.contains(R"(<script>Run("a.swf", "1", "2")"));
}

// ---- frameset -------------------------------------------------------------------------------

TEST_F(PageTemplates, FramesetWithMenuOnTheLeftForEverySideButOne)
{
    // The script goes in after the title here: only the frame width inside it is filled.
    const QString expected = Lines({
        R"(<html><head><meta charset="UTF-8"><title>Tom &amp; Jerry&#39;s &lt;b&gt; 00FF00</title>)",
        R"(<meta name="description" content="Say &quot;hi&quot; &amp; %HTML_TITLE% alpha, gamma, &lt;omega&gt;"><meta name="keywords" content="alpha, gamma, &lt;omega&gt;">)",
        R"(<script>Run("%HTML_FLASH_FILE_NAME%", "300", "%HTML_HEIGHT_FOR_FLASH_MENU%", "%HTML_TITLE%", "%HTML_MENU_SCRIPT%", "%SCROLL%");</script></head>)",
        R"(<frameset cols="300,*" >)",
        R"(<frame name="main" scrolling="NO" noresize src="flashmenu.htm">)",
        R"(<frame name="mainFrame" src="mainbody.htm">)",
        R"(</frameset><noscript>x</noscript> %HTML_FLASH_FILE_NAME% %HTML_HEIGHT_FOR_FLASH_MENU% #00FF00</html>)",
    });
    for (int side : {0, -1, 2})
        EXPECT_EQ(BuildFramePage(env(), RichOptions, true, true, 300, side), expected) << side;
}

TEST_F(PageTemplates, FramesetWithMenuOnTheRightForSideOne)
{
    const QString expected = Lines({
        R"(<html><head><meta charset="UTF-8"><title></title>)",
        R"(<meta name="description" content=""><meta name="keywords" content="">)",
        R"(</head>)",
        R"(<frameset cols="*,250" scroll="no">)",
        R"(<frame name="mainFrame" src="mainbody.htm">)",
        R"(<frame name="main" scrolling="NO" noresize src="flashmenu.htm">)",
        R"(</frameset>x %HTML_FLASH_FILE_NAME% %HTML_HEIGHT_FOR_FLASH_MENU% #0</html>)",
    });
    EXPECT_EQ(BuildFramePage(env(false), QString(), false, false, 250, 1), expected);
}

// ---- page without frames --------------------------------------------------------------------

TEST_F(PageTemplates, NonFramePageSwapsBodiesBySideAndLeavesScriptPlaceholders)
{
    const QString menu = QStringLiteral("<b>menu %HTML_TITLE% %CONTENT_MENU_BODY_HTML%</b>");
    const QString content = QStringLiteral("<i>content %HTML_COLOR%</i>");
    const QString head = RichTitleLine + QLatin1Char('\n') + RichMetaLine + QLatin1Char('\n');

    // Menu on the left: the content body fills the placeholder the menu body carried in.
    EXPECT_EQ(BuildNonFramePage(env(), RichOptions, menu, content, 0, true, true),
              head + Lines({
                         R"(%HTML_MENU_SCRIPT%</head><body bgcolor="#00FF00" >)",
                         R"(<td><b>menu %HTML_TITLE% <i>content %HTML_COLOR%</i></b></td><td><i>content %HTML_COLOR%</i></td>)",
                         R"(%HTML_NOSCRIPT_OPEN%%HTML_NOSCRIPT_CLOSE%</body></html>)",
                     }));
    EXPECT_EQ(BuildNonFramePage(env(), RichOptions, menu, content, 1, false, false),
              head + Lines({
                         R"(%HTML_MENU_SCRIPT%</head><body bgcolor="#00FF00" scroll="no">)",
                         R"(<td><i>content %HTML_COLOR%</i></td><td><b>menu %HTML_TITLE% %CONTENT_MENU_BODY_HTML%</b></td>)",
                         R"(%HTML_NOSCRIPT_OPEN%%HTML_NOSCRIPT_CLOSE%</body></html>)",
                     }));
    EXPECT_EQ(BuildNonFramePage(env(), RichOptions, menu, content, -1, true, true),
              BuildNonFramePage(env(), RichOptions, menu, content, 0, true, true));
}

// A few kilobytes of options whose texts name the next placeholder, thousands of times over, would
// multiply into a page of tens of gigabytes.
TEST_F(PageTemplates, OptionsThatWouldMultiplyThePageAreRefused)
{
    const QString options = QStringLiteral("<template><sitetitle value=\"%1\"/><description><text>%2</text></description>"
                                           "<key1 value=\"%3\"/></template>")
                                .arg(QStringLiteral("%HTML_DESCRIPTION%").repeated(2000),
                                     QStringLiteral("%HTML_KEYWORDS%").repeated(2000), QString(20000, QLatin1Char('k')));
    const QString expected = QStringLiteral("The page made from the template would be larger than 67108864 characters.");
    auto errorOf = [](auto build) {
        try {
            build();
        } catch (const Exception &e) {
            return e.Message();
        }
        return QStringLiteral("(no error)");
    };
    EXPECT_EQ(errorOf([&] { BuildTemplatePage(env(), options, "m.swf", 1, 1, true, true, false); }), expected);
    EXPECT_EQ(errorOf([&] { BuildFramePage(env(), options, true, true, 100, 0); }), expected);
    EXPECT_EQ(errorOf([&] { BuildNonFramePage(env(), options, "menu", "content", 0, true, true); }), expected);
}

// Each text names the next placeholder n times: the title goes into the menu page twice, so the
// colour is filled 2n^3 times, 4.4 million at n = 130 in a page of 53 million characters on the way.
// Filled in one pass over the page for each placeholder, the time grows as the page does: eight
// times over from n to 2n. Moving the rest of the page for every batch of occurrences grows as its
// square, 64 times over. Both sizes are timed in the same thread of one run, the best of up to three
// tries each, so what a loaded machine does to the one it does to the other.
TEST_F(PageTemplates, OptionsThatMultiplyPlaceholdersStillGiveThePageAtOnce)
{
    const auto cpuSeconds = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
    };
    const auto buildTime = [&](int n) {
        const QString options = QStringLiteral("<template><sitetitle value=\"%1\"/><description><text>%2</text></description>"
                                               "<bgcolor value=\"0xABCDEF\"/><key1 value=\"%3\"/></template>")
                                    .arg(QStringLiteral("%HTML_DESCRIPTION%").repeated(n),
                                         QStringLiteral("%HTML_KEYWORDS%").repeated(n), QStringLiteral("%HTML_COLOR%").repeated(n));
        const double start = cpuSeconds();
        const QString page = BuildTemplatePage(env(), options, "m.swf", 1, 1, true, true, false);
        const double built = cpuSeconds();
        // Through the title (twice), the description, the keywords and the body's own colour.
        EXPECT_EQ(page.count(QStringLiteral("ABCDEF")), ((2 * n + 1) * n + 1) * n + 1);
        EXPECT_FALSE(page.contains(QStringLiteral("%HTML_COLOR%")));
        return built - start;
    };
    // Midway between the two, on the scale of powers.
    const double limit = 24;
    double small = std::numeric_limits<double>::infinity(), large = small;
    for (int attempt = 0; attempt < 3 && !(large < limit * small); ++attempt) {
        small = std::min(small, buildTime(65));
        large = std::min(large, buildTime(130));
    }
    EXPECT_LT(large, limit * small) << "n = 65: " << small << " s, n = 130: " << large << " s";
}

// ---- missing templates ----------------------------------------------------------------------

class MissingTemplates : public PageTemplates {
protected:
    void SetUp() override { SetDefaultTexts(); }
    void TearDown() override { SetDefaultTexts(); }

    template <typename F>
    static QString errorOf(F build)
    {
        try {
            build();
        } catch (const Exception &e) {
            return e.Message();
        }
        return QStringLiteral("(no error)");
    }
};

TEST_F(MissingTemplates, EachBuilderNamesItsTemplate)
{
    const QString o;
    EXPECT_EQ(errorOf([&] { BuildTemplatePage(env(), o, o, 1, 1, false, true, false); }),
              R"(File "Template.htm" is not found.)");
    pugi::xml_document doc;
    EXPECT_EQ(errorOf([&] { BuildTemplatePageFromDoc(env(), doc, o, o, false, false, 1, 1); }),
              R"(File "Template.htm" is not found.)");
    EXPECT_EQ(errorOf([&] { BuildFramePage(env(), o, true, true, 1, 0); }),
              R"(File "TemplateFrame.htm" is not found.)");
    EXPECT_EQ(errorOf([&] { BuildNonFramePage(env(), o, o, o, 0, true, true); }),
              R"(File "TemplateNonFrame.htm" is not found.)");
}

TEST_F(MissingTemplates, MenuTemplateErrorComesFromTheMessageTable)
{
    SetLangMsg(47, QStringLiteral("Datei"));
    SetLangMsg(48, QStringLiteral("fehlt."));
    EXPECT_EQ(errorOf([&] { BuildTemplatePage(env(), QString(), QString(), 1, 1, false, false, false); }),
              R"(Datei "Template.htm" fehlt.)");
    // The frame templates keep their fixed English texts.
    EXPECT_EQ(errorOf([&] { BuildFramePage(env(), QString(), true, false, 1, 1); }),
              R"(File "TemplateFrame.htm" is not found.)");
}

TEST_F(MissingTemplates, BadColourIsRaisedBeforeTheTemplateIsLookedFor)
{
    EXPECT_EQ(errorOf([&] {
                  BuildFramePage(env(), QStringLiteral(R"(<template><bgcolor value="red"/></template>)"), true, true, 1, 0);
              }),
              "'red' is not a valid integer value");
}

// ---- text forms -----------------------------------------------------------------------------

TEST_F(PageTemplates, TemplateWithByteOrderMarkGivesPageWithExactlyOne)
{
    put(true, QStringLiteral("Template.htm"), QByteArray("\xEF\xBB\xBF<p>%HTML_MENU_SCRIPT%</p>"));
    put(true, QStringLiteral("MenuScript.htm"), QByteArray("\xEF\xBB\xBFjs"));
    const QString page = BuildTemplatePage(env(), QString(), QString(), 1, 1, false, true, false);
    EXPECT_EQ(page, "<p>js</p>");
    EXPECT_EQ(Utf8WithBom(page), QByteArray("\xEF\xBB\xBF<p>js</p>"));
    EXPECT_EQ(Utf8WithBom(QChar(0xFEFF) + page), QByteArray("\xEF\xBB\xBF<p>js</p>"));
}

TEST_F(PageTemplates, InvalidUtf8BecomesReplacementCharactersNotAnEmptyPage)
{
    put(true, QStringLiteral("Template.htm"), QByteArray("<p>caf\xE9 %HTML_CHARSET% \xFF\xFE end</p>"));
    const QString page = BuildTemplatePage(env(false), QString(), QString(), 1, 1, false, true, false);
    EXPECT_EQ(page, QString::fromUtf8("<p>caf\xEF\xBF\xBD UTF-8 \xEF\xBF\xBD\xEF\xBF\xBD end</p>"));

    // A file cut off inside a character keeps everything before the cut.
    put(true, QStringLiteral("Template.htm"), QByteArray("<p>%HTML_COLOR%</p>\xE6\x97"));
    EXPECT_EQ(BuildTemplatePage(env(false), QString(), QString(), 1, 1, false, true, false),
              QStringLiteral("<p>0</p>") + QString(2, QChar(0xFFFD)));
}

TEST(PageText, Utf8WithBomAndDecoding)
{
    EXPECT_EQ(Utf8WithBom(QString()), QByteArray("\xEF\xBB\xBF"));
    EXPECT_EQ(Utf8WithBom(QString::fromUtf8("日本")), QByteArray("\xEF\xBB\xBF\xE6\x97\xA5\xE6\x9C\xAC"));
    EXPECT_EQ(DecodeUtf8Text(QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx")), QString(QChar(0xFEFF)) + "x"); // only one is a mark
    EXPECT_EQ(DecodeUtf8Text(QByteArray("\xEF\xBB")), QString(2, QChar(0xFFFD))); // a cut-off mark is no mark
    EXPECT_EQ(DecodeUtf8Text(QByteArray()), QString());
}

TEST(PageText, HtmlEscapingLeavesPercentAlone)
{
    EXPECT_EQ(HtmlEscapeText(QStringLiteral(R"(a&b<c>d"e'f %HTML_COLOR% 100%)")),
              R"(a&amp;b&lt;c&gt;d&quot;e&#39;f %HTML_COLOR% 100%)");
    EXPECT_EQ(HtmlEscapeText(QStringLiteral("&amp;")), "&amp;amp;");
}

TEST(PageText, BodyCut)
{
    EXPECT_EQ(CutPageBody(QStringLiteral("a<!--BODY-->b<!--/BODY-->c")), "b");
    EXPECT_EQ(CutPageBody(QStringLiteral("a<!--BODY-->b<!--BODY-->c<!--/BODY-->d<!--/BODY-->")), "b<!--BODY-->c");
    EXPECT_EQ(CutPageBody(QStringLiteral("a<!--BODY-->b")), "a<!--BODY-->b");
    EXPECT_EQ(CutPageBody(QStringLiteral("a<!--/BODY-->b")), "a<!--/BODY-->b");
    EXPECT_EQ(CutPageBody(QStringLiteral("a<!--/BODY-->b<!--BODY-->c")), "");
    EXPECT_EQ(CutPageBody(QStringLiteral("<!--BODY--><!--/BODY-->")), "");
    EXPECT_EQ(CutPageBody(QStringLiteral("<!--body-->x<!--/body-->")), "<!--body-->x<!--/body-->");
}

TEST(PageText, OrientationFolder)
{
    EXPECT_EQ(OrientationFolder(true, QStringLiteral("HTML\\MenuScript.htm")), "Horizontal\\HTML\\MenuScript.htm");
    EXPECT_EQ(OrientationFolder(false, QString()), "Vertical\\");
}

// ---- page option values ---------------------------------------------------------------------

TEST(PageOptionValues, FullOptionsText)
{
    const TPageOptionValues v = ReadPageOptionValues(RichOptions);
    EXPECT_EQ(v.Title, "Tom & Jerry's <b> %HTML_COLOR%");
    EXPECT_EQ(v.Description, R"(Say "hi" & %HTML_TITLE% %HTML_KEYWORDS%)");
    EXPECT_EQ(v.Color, "00FF00");
    EXPECT_EQ(v.Keywords, "alpha, gamma, <omega>");
}

TEST(PageOptionValues, MissingPartsGiveDefaults)
{
    for (const char *text : {"", "<template", "not xml at all", "<other><sitetitle value=\"x\"/></other>",
                             "<template/>", "<template><sitetitle/><bgcolor/><description/></template>",
                             "<template><key1 value=\"\"/><key13 value=\"no\"/><key0 value=\"no\"/></template>"}) {
        const TPageOptionValues v = ReadPageOptionValues(QString::fromUtf8(text));
        EXPECT_EQ(v.Title, "") << text;
        EXPECT_EQ(v.Description, "") << text;
        EXPECT_EQ(v.Color, "0") << text;
        EXPECT_EQ(v.Keywords, "") << text;
    }
}

TEST(PageOptionValues, DescriptionJoinsTextAndCdata)
{
    const auto v = ReadPageOptionValues(QStringLiteral("<template><description><text>a &amp; <![CDATA[<b>]]> c</text></description></template>"));
    EXPECT_EQ(v.Description, "a & <b> c");
}

TEST(PageOptionValues, ColourForms)
{
    auto colour = [](const char *value) {
        return ReadPageOptionValues(QStringLiteral(R"(<template><bgcolor value="%1"/></template>)").arg(QString::fromUtf8(value))).Color;
    };
    EXPECT_EQ(colour("0x00FF00"), "00FF00");
    EXPECT_EQ(colour("0xabcdef"), "ABCDEF");
    EXPECT_EQ(colour("255"), "0000FF");
    EXPECT_EQ(colour("0"), "000000");
    EXPECT_EQ(colour("$FF"), "0000FF");
    EXPECT_EQ(colour("0x1000000"), "1000000");
    EXPECT_EQ(colour("-1"), "FFFFFFFF");
}

TEST(PageOptionValues, BadColourNumbersRaiseTheConversionError)
{
    for (const char *value : {"", "red", "#FFFFFF", "0x", "12 ", "0x100000000", "99999999999"}) {
        const QString text = QStringLiteral(R"(<template><bgcolor value="%1"/></template>)").arg(QString::fromUtf8(value));
        try {
            ReadPageOptionValues(text);
            ADD_FAILURE() << value;
        } catch (const EConvertError &e) {
            EXPECT_EQ(e.Message(), QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(value)));
        }
    }
}

TEST(PageOptionValues, KeywordsKeepTheirNumberOrder)
{
    const auto v = ReadPageOptionValues(QStringLiteral(
        R"(<template><key12 value="z"/><key3 value="c"/><key10 value="j"/><key1 value="a"/><key3 value="second"/></template>)"));
    EXPECT_EQ(v.Keywords, "a, c, j, z");
}
