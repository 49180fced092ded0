#pragma once
// What the style galleries share: what they are given to run, their preview page in the exchange
// folder Templates/Preview/, and the recent-buttons list.
#include "BrowserPane.h"

#include <QString>
#include <functional>
#include <memory>
#include <pugixml.hpp>

class QComboBox;
class QWidget;
class TXMLUtils;
struct TOptions;

// Makes the preview pane of a dialog: its widget is a child of parent and fills it.
using BrowserPaneFactory = std::function<std::unique_ptr<BrowserPane>(QWidget *parent)>;
// The program's pane: a QWebEngineView.
std::unique_ptr<BrowserPane> MakeWebBrowserPane(QWidget *parent);
// Installs the factory every dialog makes its preview pane with and returns the previous one; an
// empty function restores MakeWebBrowserPane. Tests install a recording fake.
BrowserPaneFactory SetBrowserPaneFactory(BrowserPaneFactory factory);
std::unique_ptr<BrowserPane> MakeBrowserPane(QWidget *parent);

struct TGallerySetup {
    QString ProgramFolder;             // the executable's folder (native)
    bool Horizontal = true;            // the design's orientation
    const TOptions *Settings = nullptr; // nullptr: the program's Options
    // Gives the page list's items the titles of the template packages (background gallery).
    std::function<void(QComboBox *)> ReplacePackageCaptions;

    const TOptions &Opts() const;
    // Templates/ + the orientation folder + sub (stored form), as a native path.
    QString OrientPath(const QString &sub) const;
    QString ExchangeFolder() const; // Templates/Preview/
};

// The preview size of a description for a pane: the background's size, but the pane's width less
// 8 where the pane is narrower and the pane's height where it is lower. Raises the attribute or
// conversion error of a background without a whole-number width or height.
QSize GalleryPreviewSize(const TXMLUtils &xml, const BrowserPane *pane);

// Saves doc as the exchange folder's flashmenu.xml, builds flashmenu.htm there from its
// HTMLOptions.xml (an empty options text when it is missing), the menu movie and the size, and
// shows it in the pane. Raises Exception when a file cannot be written.
void WriteGalleryPreview(const TGallerySetup &setup, BrowserPane *pane, const pugi::xml_document &doc,
                         const QString &movieName, const QSize &size);

// The recent-buttons list of the orientation after a set was picked: unless base is one of the
// specific sets, it is moved to the head, the list keeping at most 12 names (compared without case).
void PutRecentButtonFirst(const QString &base, bool horizontal);
