#pragma once
// Publishing from a program folder with the shipped templates: a window that answers the publish
// dialogs and a fixture with an open vertical project whose media lie in the working folder.
#include "BrowserPane.h"
#include "Messages.h"
#include "ShellOpen.h"
#include "TestSupport.h"
#include "uDesign.h"
#include "uHtmlOptions.h"
#include "uPreview.h"
#include "uPublish.h"

#include <QDir>
#include <gtest/gtest.h>
#include <utility>

class FakePane : public BrowserPane {
public:
    QStringList visited;
    void Navigate(const QString &target) override { visited << target; }
    QSize size{240, 500};
    QSize Size() const override { return size; }
};

// The window as publishing and the preview see it: answers the two dialogs, records the questions.
class FakeWindow : public IPreviewHost, public IPublishHost {
public:
    FakePane pane;
    QString settingsAnswer = QStringLiteral("0=-1");
    QString folderAnswer;
    QList<std::pair<int, int>> settingsAsked;
    QStringList folderTitles;
    QStringList startFolders;

    BrowserPane *Browser() override { return &pane; }
    QString ShowPublishSettings(int kind, int side) override
    {
        settingsAsked.append({kind, side});
        return settingsAnswer;
    }
    QString BrowseForFolder(const QString &title, const QString &startFolder) override
    {
        folderTitles << title;
        startFolders << startFolder;
        return folderAnswer;
    }
};

const QStringList MediaFiles{"flashmenu/bg.jpg", "flashmenu/home.jpg", "flashmenu/logo.jpg", "flashmenu/mail.jpg",
                             "flashmenu/music.mp3"};

// A program folder with the shipped templates, an open vertical project with a movie, a background,
// a logo, a sound and two icon-link pictures in its working folder, and an empty output folder.
class Publish : public ::testing::Test {
protected:
    TempFolder prog;
    TempFolder outRoot;
    FakeWindow window;
    THtmlPageOptions page;
    TMenuDesign design{prog.path()};
    TPreviewSet preview{design, page, window};
    TPublishPathSetting paths;
    ScriptedMessageBox box;
    QStringList openedPages;
    QStringList openedFolders;
    PageOpener previousPageOpener;
    FolderOpener previousFolderOpener;

    void SetUp() override
    {
        SetDefaultTexts();
        CopyTree(ShippedDataDir() + "Templates", prog.file("Templates"));
        prog.write("MenuPreview/tvmbiz001.swf", "movie");
        for (const QString &name : MediaFiles)
            prog.write("MenuPreview/" + name, name.toUtf8());
        QDir().mkpath(out());
        design.ResetDesign(true);
        design.SetNoProject(false);
        design.SetOrientation(false);
        design.CurrentMenuFileName = "tvmbiz001.swf";
        design.Controls.BackgroundImage = "bg.jpg";
        design.Controls.LogoImage = "logo.jpg";
        design.Controls.BackgroundSound = "music.mp3";
        design.FIconInfo.Items[0].Img = "flashmenu\\home.jpg";
        design.FIconInfo.Items[2].Img = "flashmenu\\mail.jpg";
        page.Title = "Site & Co";
        previousPageOpener = SetPageOpener([this](const QString &p) {
            openedPages << p;
            return true;
        });
        previousFolderOpener = SetFolderOpener([this](const QString &f) {
            openedFolders << f;
            return true;
        });
        box.answer(mrNo);
    }
    void TearDown() override
    {
        SetPageOpener(previousPageOpener);
        SetFolderOpener(previousFolderOpener);
    }

    QString out() const { return outRoot.file("site/"); }
    QString publish(const QString &answer, const QString &folder = QString())
    {
        window.settingsAnswer = answer;
        window.folderAnswer = folder.isEmpty() ? outRoot.file("site") : folder;
        return a_PublishExecute(design, page, preview, window, paths);
    }
    QString outText(const QString &name) const { return QString::fromUtf8(ReadFileBytes(out() + name)); }
    QString workText(const QString &name) const { return QString::fromUtf8(prog.read("MenuPreview/" + name)); }
};
