#pragma once
// A program folder with the shipped templates, a recording preview pane and menu descriptions for
// the gallery tests.
#include "GalleryShared.h"
#include "GalleryTestSupport.h"
#include "GalleryTile.h"
#include "TestSupport.h"
#include "uGlobal.h"
#include "uSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QWidget>
#include <memory>

inline QStringList FilesBelow(const QString &folder, const QString &prefix = QString())
{
    QStringList out;
    for (const QFileInfo &fi : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (fi.isDir())
            out << FilesBelow(fi.filePath(), prefix + fi.fileName() + "/");
        else
            out << prefix + fi.fileName();
    }
    out.sort();
    return out;
}

// A menu description as the main window hands it over.
inline QString Description(const QString &background, const QString &movie = "tvnr007.swf",
                           const QString &buttonType = "2", const QString &size = "width=\"760\" height=\"150\"")
{
    return QString(R"(<WebMenuOptions version="1.00" type="h">
<menufile src="%2" id="x"/>
<design>
<background src="%1" alpha="100" %4/>
<menubar x="24" y="104" space="9" buttontype="%3" size="var" target="main" align="Center"/>
<color id="background" value="0x000001" alpha="100"/>
<color id="main_menu_normal" value="0x000002" alpha="100"/>
<color id="main_menu_active" value="0x000003" alpha="100"/>
<color id="sub_menu_normal" value="0x000004" alpha="100"/>
<color id="sub_menu_active" value="0x000005" alpha="100"/>
<color id="icon_link_normal" value="0x000006" alpha="100"/>
<color id="icon_link_active" value="0x000007" alpha="100"/>
<font id="main_menu_normal" face="Arial" size="10" color="0x000000" bold="false" italic="false" underline="false"/>
<font id="main_menu_active" face="Arial" size="10" color="0x000000" bold="false" italic="false" underline="false"/>
<font id="sub_menu_normal" face="Arial" size="10" color="0x000000" bold="false" italic="false" underline="false"/>
<font id="sub_menu_active" face="Arial" size="10" color="0x000000" bold="false" italic="false" underline="false"/>
</design>
<main><img id="logo" src="flashmenu\logo.jpg" x="1" y="2"/><sound id="background" src="" volume="60"/></main>
<iconlink/>
<menubar/>
</WebMenuOptions>)")
        .arg(background, movie, buttonType, size);
}

class GalleryTest : public ::testing::Test {
protected:
    TempFolder prog;
    ScriptedMessageBox box;
    TOptions options;
    FakeBrowserPanes panes{QSize(700, 179)};

    void SetUp() override
    {
        CopyTree(ShippedDataDir() + "Templates", prog.file("Templates"));
        QDir().mkpath(prog.file("MenuPreview/flashmenu"));
        QDir().mkpath(prog.file("Templates/Preview/flashmenu"));
        ClearOnTopLists();
    }
    void TearDown() override
    {
        ClearOnTopLists();
    }

    TGallerySetup Setup(bool horizontal = true)
    {
        TGallerySetup s;
        s.ProgramFolder = prog.path();
        s.Horizontal = horizontal;
        s.Settings = &options;
        return s;
    }

    // Replaces a library folder by files named name01.ext .. nameNN.ext with made-up contents.
    void MakeLibrary(const QString &folder, int count, const QString &ext)
    {
        for (const QString &f : QDir(prog.file(folder)).entryList(QDir::Files))
            QFile::remove(prog.file(folder + "/" + f));
        for (int i = 1; i <= count; ++i)
            prog.write(folder + QString("/b%1.%2").arg(i, 2, 10, QChar('0')).arg(ext),
                       QString("file %1").arg(i).toUtf8());
    }

    static QStringList Captions(const QList<TGalleryTile *> &tiles)
    {
        QStringList out;
        for (TGalleryTile *t : tiles)
            out << (t->Caption() ? t->Caption()->text() : QString("<custom %1>").arg(t->Tag()));
        return out;
    }

    static QString Highlighted(const QList<TGalleryTile *> &tiles)
    {
        QString out;
        for (TGalleryTile *t : tiles)
            if (t->IsHighlighted())
                out += (out.isEmpty() ? "" : ",") + (t->Caption() ? t->Caption()->text() : QString("<custom>"));
        return out;
    }

    static QStringList Names(const QString &pattern, int from, int to)
    {
        QStringList out;
        for (int i = from; i <= to; ++i)
            out << pattern.arg(i, 2, 10, QChar('0'));
        return out;
    }
};
