// The preview page set in MenuPreview/: what a refresh writes and shows, and the frameset preview.
#include "BrowserPane.h"
#include "Errors.h"
#include "Messages.h"
#include "TestSupport.h"
#include "uDesign.h"
#include "uHtmlOptions.h"
#include "uPreview.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class FakePane : public BrowserPane {
public:
    QStringList visited;
    QSize size{800, 300};
    void Navigate(const QString &target) override { visited << target; }
    QSize Size() const override { return size; }
};

class FakeHost : public IPreviewHost {
public:
    FakePane pane;
    int timerStops = 0;
    bool reminder = true;
    bool tickDisable = false;
    int remindersShown = 0;
    BrowserPane *Browser() override { return &pane; }
    void StopRefreshTimer() override { ++timerStops; }
    bool ShowSecureReminder() const override { return reminder; }
    void SetShowSecureReminder(bool on) override { reminder = on; }
    bool RunSecureReminder() override
    {
        ++remindersShown;
        return tickDisable;
    }
};

// A program folder with the shipped templates and an open project.
class Preview : public ::testing::Test {
protected:
    TempFolder prog;
    FakeHost host;
    THtmlPageOptions page;
    TMenuDesign design{prog.path()};
    TPreviewSet preview{design, page, host};
    QStringList opened;
    PageOpener previousOpener;

    void SetUp() override
    {
        SetDefaultTexts();
        CopyTree(ShippedDataDir() + "Templates", prog.file("Templates"));
        QDir().mkpath(prog.file("MenuPreview/flashmenu"));
        design.ResetDesign(true);
        design.SetNoProject(false);
        previousOpener = SetPageOpener([this](const QString &p) {
            opened << p;
            return true;
        });
    }
    void TearDown() override { SetPageOpener(previousOpener); }

    QStringList workFiles() const
    {
        return QDir(prog.file("MenuPreview")).entryList(QDir::Files, QDir::Name);
    }
};

} // namespace

TEST_F(Preview, NothingIsWrittenOrShownWhileNoProjectIsOpen)
{
    design.SetNoProject(true);
    preview.RefreshPreview();
    preview.a_PreviewExecute();
    EXPECT_TRUE(workFiles().isEmpty());
    EXPECT_TRUE(host.pane.visited.isEmpty());
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(host.remindersShown, 0);
    EXPECT_EQ(host.timerStops, 0);
}

TEST_F(Preview, RefreshWritesTheSetAndShowsTheMenuPage)
{
    page.Title = "My <Site>";
    preview.RefreshPreview();
    EXPECT_EQ(workFiles(), QStringList({"AC_RunActiveContent.js", "HTMLOptions.xml", "flashmenu.htm", "flashmenu.xml",
                                        "flashmenu.xml.js"}));
    EXPECT_EQ(host.timerStops, 1);
    EXPECT_EQ(host.pane.visited, QStringList{prog.file("MenuPreview/flashmenu.htm")});

    EXPECT_EQ(QString::fromUtf8(prog.read("MenuPreview/flashmenu.xml")).contains("<menufile src=\"flashmenu.swf\""), true);
    const QByteArray html = prog.read("MenuPreview/flashmenu.htm");
    EXPECT_TRUE(html.startsWith("\xEF\xBB\xBF"));
    EXPECT_FALSE(html.mid(3).contains("\xEF\xBB\xBF"));
    EXPECT_TRUE(html.contains("My &lt;Site&gt;"));
    EXPECT_FALSE(html.contains("%HTML_"));
}

TEST_F(Preview, TheScriptIsCopiedOnlyWhenMissing)
{
    prog.write("MenuPreview/AC_RunActiveContent.js", "// mine");
    preview.RefreshPreview();
    EXPECT_EQ(prog.read("MenuPreview/AC_RunActiveContent.js"), "// mine");
    QFile::remove(prog.file("MenuPreview/AC_RunActiveContent.js"));
    preview.RefreshPreview();
    EXPECT_EQ(prog.read("MenuPreview/AC_RunActiveContent.js"),
              prog.read("Templates/Horizontal/HTML/AC_RunActiveContent.js"));
}

TEST_F(Preview, TheKeptDemoBlockSurvivesEveryRefresh)
{
    design.FDemoBlock = "<demo a=\"1\"><x>kept &amp; raw</x></demo>";
    preview.RefreshPreview();
    preview.RefreshPreview();
    const QByteArray xml = prog.read("MenuPreview/flashmenu.xml");
    EXPECT_TRUE(xml.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(xml.count("\xEF\xBB\xBF"), 1);
    EXPECT_EQ(xml.count("<demo a=\"1\"><x>kept &amp; raw</x></demo>"), 1);
    // The script beside it carries the same text, byte-order mark included.
    EXPECT_EQ(prog.read("MenuPreview/flashmenu.xml.js"), MenuXmlScript(xml));

    design.FDemoBlock.clear();
    preview.RefreshPreview();
    const QByteArray plain = prog.read("MenuPreview/flashmenu.xml");
    EXPECT_FALSE(plain.startsWith("\xEF\xBB\xBF"));
    EXPECT_FALSE(plain.contains("<demo"));
}

TEST_F(Preview, ABuiltTextThatDoesNotParseLeavesTheOldFile)
{
    prog.write("MenuPreview/flashmenu.xml", "<WebMenuOptions>good</WebMenuOptions>");
    EXPECT_THROW(preview.SaveMenuXml("<WebMenuOptions><broken></WebMenuOptions>"), Exception);
    EXPECT_EQ(prog.read("MenuPreview/flashmenu.xml"), "<WebMenuOptions>good</WebMenuOptions>");
    EXPECT_FALSE(prog.exists("MenuPreview/flashmenu.xml.js"));
}

// The script is read by browsers as a whole file of JavaScript: whatever the description holds
// stays inside one string, in plain ASCII.
TEST(MenuXmlScript, HostileTextStaysOneAsciiString)
{
    const QByteArray xml = "\xEF\xBB\xBF<a t=\"q\\'\">x</script><script>alert(1)</script><!-- -->\r\n"
                           "caf\xC3\xA9 \xE6\x97\xA5 \xE2\x80\xA8|\xE2\x80\xA9|\t\x01 \xF0\x9F\x98\x80</a>";
    // A leading byte-order mark is no part of the text.
    EXPECT_EQ(QString::fromLatin1(MenuXmlScript(xml)),
              "window.TvnrMenuXml = \"\\u003ca t=\\\"q\\\\'\\\"\\u003ex\\u003c/script\\u003e\\u003cscript\\u003e"
              "alert(1)\\u003c/script\\u003e\\u003c!-- --\\u003e\\r\\ncaf\\u00e9 \\u65e5 \\u2028|\\u2029|\\u0009\\u0001 "
              "\\ud83d\\ude00\\u003c/a\\u003e\";\n");
    EXPECT_EQ(MenuXmlScript(QByteArray()), "window.TvnrMenuXml = \"\";\n");
}

// Bytes that are not well-formed UTF-8 come out as the toolkit decodes them: as the script of
// their decoded text.
TEST(MenuXmlScript, BytesThatAreNotWellFormedComeOutAsTheirDecoding)
{
    for (const QByteArray &xml : {QByteArray("a\xC3(b"), QByteArray("\xED\xA0\x80 surrogate"), QByteArray("cut \xE6\x97"),
                                  QByteArray("\xC0\xAF overlong"), QByteArray("\xEF\xBF\xBE\xEF\xB7\x90 nonchars"),
                                  QByteArray("\xF4\x90\x80\x80 past"), QByteArray("x\xEF\xBB\xBF\xFF")}) {
        const QString text = QString::fromUtf8(xml);
        EXPECT_EQ(MenuXmlScript(xml), MenuXmlScript(text.toUtf8())) << xml.toHex().constData();
    }
}

TEST_F(Preview, SaveIntoAnotherFolder)
{
    QDir().mkpath(prog.file("Templates/Preview"));
    preview.SaveMenuXml(design.BuildMenuXml(false, false, false), prog.file("Templates/Preview/"));
    EXPECT_TRUE(prog.exists("Templates/Preview/flashmenu.xml"));
    EXPECT_EQ(prog.read("Templates/Preview/flashmenu.xml.js"), MenuXmlScript(prog.read("Templates/Preview/flashmenu.xml")));
    EXPECT_FALSE(prog.exists("MenuPreview/flashmenu.xml"));
    EXPECT_FALSE(prog.exists("MenuPreview/flashmenu.xml.js"));
}

TEST_F(Preview, CopiesFromTheExchangeFolderStayInsideBothFolders)
{
    prog.write("Templates/Preview/flashmenu/bg.jpg", "jpg");
    prog.write("secret.txt", "s");
    preview.CopyPreviewTemplateFile("flashmenu\\bg.jpg");
    preview.CopyPreviewTemplateFile("..\\..\\secret.txt");
    preview.CopyPreviewTemplateFile("missing.swf");
    EXPECT_EQ(prog.read("MenuPreview/flashmenu/bg.jpg"), "jpg");
    EXPECT_EQ(workFiles(), QStringList());
}

TEST_F(Preview, BrowserPreviewShowsTheFramesetOnTheLastPublishedSide)
{
    preview.RefreshPreview();
    design.FPublishMenuSide = 1;
    preview.a_PreviewExecute();
    ASSERT_EQ(opened, QStringList{prog.file("MenuPreview/index.htm")});
    for (const char *name : {"mainbody.htm", "style.css", "AC_RunActiveContent.js", "tvnr.gif", "index.htm"})
        EXPECT_TRUE(prog.exists(QStringLiteral("MenuPreview/") + name)) << name;
    const QString frameset = QString::fromUtf8(prog.read("MenuPreview/index.htm"));
    const int menu = frameset.indexOf("src=\"flashmenu.htm\"");
    const int content = frameset.indexOf("src=\"mainbody.htm\"");
    ASSERT_GE(menu, 0);
    ASSERT_GE(content, 0);
    EXPECT_LT(content, menu) << "menu on the right";

    design.FPublishMenuSide = -1;
    preview.a_PreviewExecute();
    const QString left = QString::fromUtf8(prog.read("MenuPreview/index.htm"));
    EXPECT_LT(left.indexOf("src=\"flashmenu.htm\""), left.indexOf("src=\"mainbody.htm\""));
}

TEST_F(Preview, TheNoticeIsShownUntilItsBoxIsTicked)
{
    preview.RefreshPreview();
    preview.a_PreviewExecute();
    EXPECT_EQ(host.remindersShown, 1);
    EXPECT_TRUE(host.reminder);
    host.tickDisable = true;
    preview.a_PreviewExecute();
    EXPECT_EQ(host.remindersShown, 2);
    EXPECT_FALSE(host.reminder);
    preview.a_PreviewExecute();
    EXPECT_EQ(host.remindersShown, 2);
    EXPECT_EQ(opened.size(), 3);
}

TEST_F(Preview, ARefreshPutsBackDescriptionFilesChangedBehindItsBack)
{
    preview.RefreshPreview();
    const QByteArray xml = prog.read("MenuPreview/flashmenu.xml");
    const QByteArray script = prog.read("MenuPreview/flashmenu.xml.js");
    prog.write("MenuPreview/flashmenu.xml", "<WebMenuOptions>other</WebMenuOptions>");
    QFile::remove(prog.file("MenuPreview/flashmenu.xml.js"));
    preview.RefreshPreview(); // the same design as before
    EXPECT_EQ(prog.read("MenuPreview/flashmenu.xml"), xml);
    EXPECT_EQ(prog.read("MenuPreview/flashmenu.xml.js"), script);
}
