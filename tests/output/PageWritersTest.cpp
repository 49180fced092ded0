#include "PageFixture.h"
#include "uPageWriters.h"

#include "Errors.h"

class PageWriters : public PageTemplates {
protected:
    void SetUp() override
    {
        PageTemplates::SetUp();
        QDir(prog.path()).mkpath(QStringLiteral("MenuPreview"));
    }

    TPageContext context(bool horizontal) const
    {
        TPageContext c;
        c.Env = env();
        c.Horizontal = horizontal;
        c.PaneWidth = 700;
        c.PaneHeight = 500;
        c.BackgroundWidth = 900;
        c.BackgroundHeight = 800;
        c.MenuFileName = QStringLiteral("menu \"2\".swf");
        c.PageOptions = RichOptions;
        return c;
    }

    // Only sizes, movie and scroll: the size rules read more easily on a one-line template.
    void useSizeTemplate()
    {
        for (bool h : {true, false})
            put(h, QStringLiteral("Template.htm"),
                QStringLiteral("%HTML_WIDTH_FOR_FLASH_MENU%x%HTML_HEIGHT_FOR_FLASH_MENU% %HTML_FLASH_FILE_NAME% [%SCROLL%]"));
    }

    QString menuPage(const TPageContext &c, bool forPublish)
    {
        WriteMenuHtml(c, QStringLiteral("MenuPreview\\"), forPublish);
        const QByteArray bytes = prog.read(QStringLiteral("MenuPreview/flashmenu.htm"));
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
        return QString::fromUtf8(bytes.mid(3));
    }

    QStringList previewFiles() const { return QDir(prog.file("MenuPreview")).entryList(QDir::Files); }
};

TEST_F(PageWriters, PreviewMenuPageWholeFile)
{
    WriteMenuHtml(context(true), QStringLiteral("MenuPreview\\"), false);
    const QString expected = Lines({
        R"(<html scroll="no"><head><meta charset="UTF-8"><title>Tom &amp; Jerry&#39;s &lt;b&gt; 00FF00</title>)",
        R"(<meta name="description" content="Say &quot;hi&quot; &amp; %HTML_TITLE% alpha, gamma, &lt;omega&gt;"><meta name="keywords" content="alpha, gamma, &lt;omega&gt;">)",
        R"(<script>Run("menu &quot;2&quot;.swf", "900", "500", "Tom &amp; Jerry&#39;s &lt;b&gt; 00FF00", "%HTML_MENU_SCRIPT%", "scroll="no"");</script></head><body bgcolor="#00FF00">)",
        R"(<!--BODY--><noscript><embed src="menu &quot;2&quot;.swf" width="900" height="500"></noscript><!--/BODY-->)",
        R"(%UNKNOWN% %HTML_FILE_NAME%</body></html>)",
    });
    EXPECT_EQ(prog.read(QStringLiteral("MenuPreview/flashmenu.htm")), Utf8WithBom(expected));
}

TEST_F(PageWriters, PublishedMenuPageWholeFile)
{
    WriteMenuHtml(context(true), QStringLiteral("MenuPreview\\"), true);
    const QString expected = Lines({
        R"(<html ><head><meta charset="UTF-8"><title>Tom &amp; Jerry&#39;s &lt;b&gt; 00FF00</title>)",
        R"(<meta name="description" content="Say &quot;hi&quot; &amp; %HTML_TITLE% alpha, gamma, &lt;omega&gt;"><meta name="keywords" content="alpha, gamma, &lt;omega&gt;">)",
        R"(<script>Run("flashmenu.swf", "900", "800", "Tom &amp; Jerry&#39;s &lt;b&gt; 00FF00", "%HTML_MENU_SCRIPT%", "");</script></head><body bgcolor="#00FF00">)",
        R"(<!--BODY--><noscript><embed src="flashmenu.swf" width="900" height="800"></noscript><!--/BODY-->)",
        R"(%UNKNOWN% %HTML_FILE_NAME%</body></html>)",
    });
    EXPECT_EQ(prog.read(QStringLiteral("MenuPreview/flashmenu.htm")), Utf8WithBom(expected));
}

// Menu-page sizes: the preview takes the smaller of background and pane on the free side, the
// published vertical page the pane's width; the fit flag of the orientation makes "100%".
TEST_F(PageWriters, MenuPageSizeRules)
{
    useSizeTemplate();
    struct Row { bool horizontal; int paneW, paneH, bgW, bgH; bool fitW, fitH, publish; const char *size; };
    const Row rows[] = {
        {true, 700, 500, 900, 800, false, false, false, "900x500"},
        {true, 700, 900, 900, 800, false, false, false, "900x800"},
        {true, 700, 500, 900, 800, false, false, true, "900x800"},
        {true, 100, 900, 900, 800, false, false, false, "900x800"},   // pane width plays no part
        {true, 700, 500, 900, 800, true, false, false, "100%x500"},
        {true, 700, 500, 900, 800, true, false, true, "100%x800"},
        {true, 700, 500, 900, 800, false, true, true, "900x800"},     // not the horizontal flag
        {false, 150, 500, 180, 800, false, false, false, "150x800"},
        {false, 1000, 500, 180, 800, false, false, false, "180x800"},
        {false, 150, 500, 180, 800, false, false, true, "150x800"},
        {false, 1000, 10, 180, 800, false, false, true, "1000x800"},  // published: the pane, even wider
        {false, 700, 500, 900, 800, false, true, false, "700x100%"},
        {false, 700, 500, 900, 800, false, true, true, "700x100%"},
        {false, 700, 500, 900, 800, true, false, true, "700x800"},    // not the vertical flag
    };
    for (const Row &r : rows) {
        TPageContext c = context(r.horizontal);
        c.PaneWidth = r.paneW;
        c.PaneHeight = r.paneH;
        c.BackgroundWidth = r.bgW;
        c.BackgroundHeight = r.bgH;
        c.FitPageWidth = r.fitW;
        c.FitPageHeight = r.fitH;
        const QString tail = r.publish ? QStringLiteral(" flashmenu.swf []")
                                       : QStringLiteral(R"( menu &quot;2&quot;.swf [scroll="no"])");
        EXPECT_EQ(menuPage(c, r.publish), QString::fromLatin1(r.size) + tail) << (&r - rows);
    }
}
TEST_F(PageWriters, MenuBodySizesForThePageWithoutFrames)
{
    put(true, QStringLiteral("Template.htm"), QStringLiteral("head<!--BODY-->%HTML_WIDTH_FOR_FLASH_MENU%x%HTML_HEIGHT_FOR_FLASH_MENU% %HTML_FLASH_FILE_NAME% [%SCROLL%]<!--/BODY-->tail"));
    put(false, QStringLiteral("Template.htm"), QStringLiteral("%HTML_WIDTH_FOR_FLASH_MENU%x%HTML_HEIGHT_FOR_FLASH_MENU% [%SCROLL%]"));
    TPageContext h = context(true);
    h.FitPageWidth = true;
    EXPECT_EQ(BuildMenuHtmlBody(h, false), R"(100%x800 menu &quot;2&quot;.swf [scroll="no"])");
    EXPECT_EQ(BuildMenuHtmlBody(h, true), R"(100%x800 flashmenu.swf [scroll="no"])");
    h.FitPageWidth = false;
    EXPECT_EQ(BuildMenuHtmlBody(h, true), R"(900x800 flashmenu.swf [scroll="no"])");

    // A vertical menu fitted to the page height keeps its height as a number here.
    TPageContext v = context(false);
    v.FitPageHeight = true;
    v.BackgroundWidth = 180;
    EXPECT_EQ(BuildMenuHtmlBody(v, false), R"(700x800 [scroll="no"])");
    WriteMenuHtml(v, QStringLiteral("MenuPreview\\"), false);
    EXPECT_EQ(prog.read(QStringLiteral("MenuPreview/flashmenu.htm")), Utf8WithBom(R"(180x100% [scroll="no"])"));
}

TEST_F(PageWriters, FramesetFile)
{
    WriteFramePage(context(false), QString(), 1);
    EXPECT_EQ(previewFiles(), QStringList());

    const QString file = prog.file(QStringLiteral("MenuPreview/index.htm"));
    WriteFramePage(context(false), file, 1);
    const QString expected = RichTitleLine + QLatin1Char('\n') + RichMetaLine + QLatin1Char('\n') + Lines({
        R"(<script>Run("%HTML_FLASH_FILE_NAME%", "*", "%HTML_HEIGHT_FOR_FLASH_MENU%", "%HTML_TITLE%", "%HTML_MENU_SCRIPT%", "%SCROLL%");</script></head>)",
        R"(<frameset cols="*,700" >)",
        R"(<frame name="mainFrame" src="mainbody.htm">)",
        R"(<frame name="main" scrolling="NO" noresize src="flashmenu.htm">)",
        R"(</frameset><noscript>x</noscript> %HTML_FLASH_FILE_NAME% %HTML_HEIGHT_FOR_FLASH_MENU% #00FF00</html>)",
    });
    EXPECT_EQ(ReadFileBytes(file), Utf8WithBom(expected));
}

TEST_F(PageWriters, PageWithoutFramesFile)
{
    put(false, QStringLiteral("Template.htm"),
        QStringLiteral("<html><!--BODY--><embed src=\"%HTML_FLASH_FILE_NAME%\" width=\"%HTML_WIDTH_FOR_FLASH_MENU%\" height=\"%HTML_HEIGHT_FOR_FLASH_MENU%\"><!--/BODY--></html>"));
    TPageContext c = context(false);
    c.FitPageHeight = true;

    WriteNonFramePage(c, QString(), 1, true);
    EXPECT_EQ(previewFiles(), QStringList());

    const QString file = prog.file(QStringLiteral("MenuPreview/index.htm"));
    WriteNonFramePage(c, file, 1, true);
    const QString expected = RichTitleLine + QLatin1Char('\n') + RichMetaLine + QLatin1Char('\n') + Lines({
        R"(%HTML_MENU_SCRIPT%</head><body bgcolor="#00FF00" >)",
        "<td><p>Café – 日本語</p></td><td><embed src=\"flashmenu.swf\" width=\"700\" height=\"800\"></td>",
        R"(%HTML_NOSCRIPT_OPEN%%HTML_NOSCRIPT_CLOSE%</body></html>)",
    });
    EXPECT_EQ(ReadFileBytes(file), Utf8WithBom(expected));

    WriteNonFramePage(c, file, -1, false);
    const QString left = RichTitleLine + QLatin1Char('\n') + RichMetaLine + QLatin1Char('\n') + Lines({
        R"(%HTML_MENU_SCRIPT%</head><body bgcolor="#00FF00" >)",
        "<td><embed src=\"menu &quot;2&quot;.swf\" width=\"700\" height=\"800\"></td><td><p>Café – 日本語</p></td>",
        R"(%HTML_NOSCRIPT_OPEN%%HTML_NOSCRIPT_CLOSE%</body></html>)",
    });
    EXPECT_EQ(ReadFileBytes(file), Utf8WithBom(left));
}

TEST_F(PageWriters, MainBodyIsCutAndDecoded)
{
    EXPECT_EQ(ReadTemplateMainBody(prog.path(), true), QString::fromUtf8("<p>Café – 日本語</p>"));
    put(false, QStringLiteral("MainBody.htm"), QByteArray("\xEF\xBB\xBF<p>no markers</p>"));
    EXPECT_EQ(ReadTemplateMainBody(prog.path(), false), "<p>no markers</p>");
    remove(false, QStringLiteral("MainBody.htm"));
    try {
        ReadTemplateMainBody(prog.path(), false);
        ADD_FAILURE();
    } catch (const Exception &e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Cannot open file \"%1Templates/Vertical/HTML/MainBody.htm\".").arg(prog.path())))
            << e.Message().toStdString();
    }
    // Without a content body there is no page without frames, and no file is written.
    EXPECT_THROW(WriteNonFramePage(context(false), prog.file("MenuPreview/index.htm"), 0, false), Exception);
    EXPECT_EQ(previewFiles(), QStringList());
}

TEST_F(PageWriters, FailedWritesAreRaised)
{
    // A missing folder.
    EXPECT_THROW(WriteMenuHtml(context(true), QStringLiteral("NoSuchFolder\\"), false), Exception);
    EXPECT_FALSE(prog.exists(QStringLiteral("NoSuchFolder")));
    // A folder where the page should go.
    QDir(prog.path()).mkpath(QStringLiteral("MenuPreview/index.htm"));
    EXPECT_THROW(WriteFramePage(context(true), prog.file("MenuPreview/index.htm"), 0), Exception);
    EXPECT_TRUE(QFileInfo(prog.file("MenuPreview/index.htm")).isDir());
}

TEST_F(PageWriters, FailedWriteLeavesTheOldPageWhole)
{
    // The disk is full before the new page is whole: the old page must stay as it was.
    const QString file = prog.file(QStringLiteral("MenuPreview/page.htm"));
    WriteFileBytes(file, "old page");
    try {
        FileSizeLimit limit(4);
        WritePageFile(file, QStringLiteral("new page"));
        ADD_FAILURE();
    } catch (const Exception &e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Cannot create file \"%1\".").arg(file)));
    }
    EXPECT_EQ(ReadFileBytes(file), QByteArray("old page"));
    EXPECT_EQ(QDir(prog.file("MenuPreview")).entryList(QDir::Files | QDir::Hidden), QStringList{"page.htm"});
}

TEST_F(PageWriters, ContentPageIsCopiedUnderTheNameTheFramesetAsksFor)
{
    const QString out = prog.file(QStringLiteral("out"));
    QDir().mkpath(out);
    QFile::rename(prog.file("Templates/Horizontal/HTML/MainBody.htm"), prog.file("Templates/Horizontal/HTML/MAINBODY.HTM"));
    WriteFileBytes(out + QStringLiteral("/mainbody.htm"), "stale");
    EXPECT_TRUE(CopyContentPage(prog.path(), true, out));
    EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList{QStringLiteral("mainbody.htm")});
    EXPECT_EQ(ReadFileBytes(out + QStringLiteral("/mainbody.htm")), MainBodyText.toUtf8());

    remove(false, QStringLiteral("MainBody.htm"));
    const QString out2 = prog.file(QStringLiteral("out2"));
    QDir().mkpath(out2);
    EXPECT_FALSE(CopyContentPage(prog.path(), false, out2));
    EXPECT_EQ(QDir(out2).entryList(QDir::Files), QStringList());
}
