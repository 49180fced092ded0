#pragma once
// The preview page set in the working folder MenuPreview/: the menu description, the page options,
// the menu page the browser pane shows, and the frameset opened in the desktop's browser.
#include "FileWrite.h"
#include "uPageWriters.h"

#include <QString>

class BrowserPane;
namespace pugi {
class xml_document;
}
class TMenuDesign;
struct THtmlPageOptions;

// What the preview needs of the main window and the settings.
class IPreviewHost {
public:
    virtual ~IPreviewHost() = default;
    virtual BrowserPane *Browser() = 0;
    virtual void StopRefreshTimer() {}
    virtual bool UseActiveContentJS() const { return true; }
    virtual bool ShowSecureReminder() const { return false; }
    virtual void SetShowSecureReminder(bool on) {}
    // Shows the preview notice modally; true when its "do not show again" box was ticked.
    virtual bool RunSecureReminder() { return false; }
};

// The script beside every flashmenu.xml that hands its text to the menu player: browsers refuse
// the player's request for the description when a page is opened from disk (a CD-ROM).
extern const QString MenuXmlScriptName;  // "flashmenu.xml.js"
// The script's text: the description decoded as UTF-8, as one JavaScript string in plain ASCII
// that no markup or line end in the text can end early.
QByteArray MenuXmlScript(const QByteArray &xmlBytes);
// folder/flashmenu.xml as the given bytes, then its script beside it; raises when either fails.
void WriteMenuXmlFiles(const QString &folder, const QByteArray &xmlBytes, FileSync sync = FileSync::Durable);
// The same with the script already made from xmlBytes.
void WriteMenuXmlFiles(const QString &folder, const QByteArray &xmlBytes, const QByteArray &script, FileSync sync);

// The bytes of flashmenu.xml for a built description: the demo block is blanked before parsing and
// put back in the written text. A text that does not parse raises. parsed, when given, receives the
// parsed document (its demo block blank).
QByteArray MenuXmlFileBytes(const QString &text, const QString &demoBlock, pugi::xml_document *parsed = nullptr);
// Writes folder/flashmenu.xml from a built description as MenuXmlFileBytes makes it. A text that
// does not parse raises and leaves the old file in place.
void SaveMenuXmlFile(const QString &folder, const QString &text, const QString &demoBlock,
                     FileSync sync = FileSync::Durable);

class TPreviewSet {
public:
    TPreviewSet(TMenuDesign &design, const THtmlPageOptions &pageOptions, IPreviewHost &host);

    QString WorkFolder() const;  // <program folder>/MenuPreview/
    // folder: native, empty for the working folder. Returns the bytes flashmenu.xml now holds.
    QByteArray SaveMenuXml(const QString &text, const QString &folder = QString());
    // Templates/Preview/name over MenuPreview/name; a name that climbs out or a failed copy does nothing.
    void CopyPreviewTemplateFile(const QString &name);
    // The way back: MenuPreview/name over Templates/Preview/name, on the same terms.
    void CopyPreviewFileToTemplatePreview(const QString &name);
    QString ExchangeFolder() const;  // <program folder>/Templates/Preview/
    // The page writers' inputs, with the pane's current size.
    TPageContext PageContext() const;
    // MenuPreview/HTMLOptions.xml from the page settings, then MenuPreview/flashmenu.htm.
    void WriteMenuHtml(bool forPublish);
    // Rebuilds flashmenu.xml and flashmenu.htm and shows them; nothing while no project is open.
    void RefreshPreview();
    // The frameset preview in the desktop's browser; nothing while no project is open.
    void a_PreviewExecute();

private:
    QString TemplateHtmlFile(const QString &name) const;
    static void CopyUnder(const QString &fromFolder, const QString &toFolder, const QString &name);
    // Writes MenuPreview/HTMLOptions.xml from the page settings and returns its text.
    QString WritePageOptions() const;

    TMenuDesign &FDesign;
    const THtmlPageOptions &FPageOptions;
    IPreviewHost &FHost;
    // The working folder's description as last written: the text and demo block it was made from,
    // and the two files' bytes.
    QString FWorkText, FWorkDemo;
    QByteArray FWorkXml, FWorkScript;
};
