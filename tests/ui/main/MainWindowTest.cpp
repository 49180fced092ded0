// The main window end to end: the blank project at start, and a design shown by the menu player
// in the window's own browser pane after a refresh.
#include "Messages.h"
#include "ClickLabel.h"
#include "TestSupport.h"
#include "uAbout.h"
#include "uMain.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

namespace {

void CopyShippedTemplates(const TempFolder &prog)
{
    CopyTree(ShippedDataDir() + "Templates", prog.file("Templates"));
    CopyTree(ShippedDataDir() + "Lang", prog.file("Lang"));
    for (const char *folder : {"MenuPreview/flashmenu", "Templates/Preview/flashmenu"})
        QDir().mkpath(prog.file(folder));
}

QVariant RunJs(QWebEngineView *view, const QString &script)
{
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant &v) {
        result = v;
        done = true;
    });
    QElapsedTimer t;
    t.start();
    while (!done && t.elapsed() < 10000)
        QTest::qWait(10);
    return result;
}

// Waits until the page at url has drawn its menu (or given up) and returns the player's state.
QString WaitForMenu(QWebEngineView *view, const QUrl &url)
{
    QElapsedTimer t;
    t.start();
    QString state;
    while (t.elapsed() < 20000) {
        if (view->url() == url)
            state = RunJs(view, "(function(){var m=document.querySelector('div.tvnr-menu');"
                                "return m ? String(m.getAttribute('data-state')) : 'none';})()")
                        .toString();
        if (state == "ready" || state == "error")
            break;
        QTest::qWait(50);
    }
    return state;
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDefaultTexts();
        CopyShippedTemplates(prog);
    }
    TempFolder prog;
    ScriptedMessageBox box;
};

} // namespace

TEST_F(MainWindow, StartsWithTheBlankProject)
{
    TfrmMain w(prog.path());
    EXPECT_EQ(w.Design().FNoProject, 1);
    EXPECT_EQ(prog.read("MenuPreview/flashmenu.htm"), prog.read("Templates/Horizontal/HTML/NoMenu.htm"));
    EXPECT_EQ(w.Browser()->Size(), w.findChild<QWebEngineView *>("WebBrowser")->size());
    EXPECT_TRUE(box.shown().isEmpty()) << box.texts().join("\n").toStdString();
}

TEST_F(MainWindow, TheBlankPageLoadsOnceTheWindowIsOnScreen)
{
    TfrmMain w(prog.path());
    auto *view = w.findChild<QWebEngineView *>("WebBrowser");
    EXPECT_TRUE(view->url().isEmpty());
    w.Start({prog.file("MenuPreview/flashmenu.htm")});  // a file of no known type: no wizard
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(view->url(), QUrl::fromLocalFile(prog.file("MenuPreview/flashmenu.htm")));
}

TEST_F(MainWindow, APreviewRefreshShowsTheDesignInTheBrowserPane)
{
    TfrmMain w(prog.path());
    w.resize(1000, 600);
    w.show();
    TMenuDesign &d = w.Design();
    d.SetNoProject(false);
    const int id = d.AddMainMenuEntry(QString(), "News & Views", true, "mainFrame", "news.htm");
    d.AddSubMenuEntry(id, "Archive", "_blank", "archive.htm");
    w.RefreshPreview();
    ASSERT_TRUE(box.shown().isEmpty()) << box.texts().join("\n").toStdString();

    auto *view = w.findChild<QWebEngineView *>("WebBrowser");
    ASSERT_EQ(WaitForMenu(view, QUrl::fromLocalFile(prog.file("MenuPreview/flashmenu.htm"))), "ready");
    const QString captions = RunJs(view, "Array.from(document.querySelectorAll('.tvnr-bar > .tvnr-item > a'))"
                                         ".map(function(a){return a.textContent.trim();}).join('|')")
                                 .toString();
    EXPECT_EQ(captions, "Menu1|Menu2|Menu3|News & Views");
    const QString sub = RunJs(view, "(function(){var a=document.querySelector('.tvnr-submenu a.tvnr-sub');"
                                    "return a.textContent.trim()+' '+a.getAttribute('href')+' '+a.getAttribute('target');})()")
                            .toString();
    EXPECT_EQ(sub, "Archive archive.htm _blank");
}

TEST_F(MainWindow, HelpItemsOpenTheirAddresses)
{
    InitVersionInfo();
    QStringList opened;
    UrlOpener previous = SetUrlOpener([&](const QString &a) {
        opened << a;
        return true;
    });
    TfrmMain w(prog.path());
    for (const char *name : {"miUserGuide", "miSupport", "miH_MB1"})
        w.findChild<QAction *>(name)->trigger();
    SetUrlOpener(previous);
    EXPECT_EQ(opened, QStringList({WebLink(0), WebLink(1), WebLink(2)}));
}

TEST_F(MainWindow, WebLinksTheDesktopCannotOpenAreReported)
{
    InitVersionInfo();
    QStringList opened;
    UrlOpener previous = SetUrlOpener([&](const QString &a) {
        opened << a;
        return false;
    });
    TfrmMain w(prog.path());
    for (const char *name : {"miUserGuide", "miSupport", "miH_MB1"})
        w.findChild<QAction *>(name)->trigger();
    WhenShown<TfrmAbout>([](TfrmAbout *d) {
        QTest::mouseClick(d->lblR_Site, Qt::LeftButton);
        d->btnOK->click();
    });
    w.findChild<QAction *>("a_About")->trigger();
    SetUrlOpener(previous);
    const QStringList links{WebLink(0), WebLink(1), WebLink(2), WebLink(26)};
    EXPECT_EQ(opened, links);
    QStringList said;
    for (const QString &link : links)
        said << QStringLiteral("The page \"%1\" cannot be opened in the browser.").arg(link);
    EXPECT_EQ(box.texts().join("\n").toStdString(), said.join("\n").toStdString());
    for (const MessageBoxRequest &r : box.shown())
        EXPECT_EQ(r.icon, MsgIcon::Error);
}
