#pragma once
// The main window's page writers: they choose the sizes from the design and the browser pane,
// build a page and write it. The window hands over its values in a TPageContext; nothing here
// reads a widget.
#include "FileWrite.h"
#include "uPageBuilder.h"

#include <QString>

struct TPageContext {
    TTemplateEnv Env;               // program folder and UseActiveContentJS
    bool Horizontal = true;         // orientation of the open design
    int PaneWidth = 0;              // the embedded browser pane's size
    int PaneHeight = 0;
    int BackgroundWidth = 0;        // TXMLStoreOptions.BackgroundWidth / BackgroundHeight
    int BackgroundHeight = 0;
    bool FitPageWidth = false;      // TXMLStoreOptions.FitPageWidth / FitPageHeight
    bool FitPageHeight = false;
    QString MenuFileName;           // CurrentMenuFileName: the movie the preview shows
    QString PageOptions;            // text of MenuPreview\HTMLOptions.xml as just written
};

// The published movie's fixed name.
inline const QString PublishedMovieName = QStringLiteral("flashmenu.swf");

// Writes text as a page (byte-order mark and UTF-8) through a temporary file renamed over path;
// a failed write raises Exception and leaves an existing file whole.
void WritePageFile(const QString &path, const QString &text, FileSync sync = FileSync::Durable);

// The menu page written as program folder + subFolder (stored form, e.g. "MenuPreview\") +
// "flashmenu.htm": preview sizes and scroll="no", or publishing sizes, "flashmenu.swf" and no scroll
// attribute.
void WriteMenuHtml(const TPageContext &ctx, const QString &subFolder, bool forPublish);

// The frameset written to fileName (native path); an empty name does nothing.
void WriteFramePage(const TPageContext &ctx, const QString &fileName, int menuSide);

// The page without frames written to fileName (native path); an empty name does nothing.
void WriteNonFramePage(const TPageContext &ctx, const QString &fileName, int menuSide, bool forPublish);

// The body of the menu page as it goes into the page without frames.
QString BuildMenuHtmlBody(const TPageContext &ctx, bool forPublish);

// The body of the orientation's "MainBody.htm"; a missing file raises Exception.
QString ReadTemplateMainBody(const QString &programFolder, bool horizontal);

// Copies the orientation's "MainBody.htm" into folder as "mainbody.htm", the name the frameset's
// content frame asks for. A missing template copies nothing and gives false; a failed write raises.
bool CopyContentPage(const QString &programFolder, bool horizontal, const QString &folder);
