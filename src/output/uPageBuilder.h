#pragma once
// Page templates and their placeholders: the menu page, the frameset and the page without frames.
// Nothing here touches a widget or a message box; everything a builder needs is passed in, so the
// preset gallery's worker can call BuildTemplatePageFromDoc, LoadMenuScript and Utf8WithBom.
#include <QByteArray>
#include <QString>
#include <pugixml.hpp>

// Where templates live and whether the pages carry the active-content script.
struct TTemplateEnv {
    QString ProgramFolder;          // the program folder (native path)
    bool UseActiveContentJS = true; // setting UseActiveContentJS
};

// The four values every page takes from the page options text (raw, not escaped).
struct TPageOptionValues {
    QString Keywords;    // key1..key12 joined with ", "
    QString Color = QStringLiteral("0");
    QString Title;
    QString Description;
};

// Reads the values from an HTMLOptions.xml text; a text that does not parse gives the defaults.
// A bgcolor value that is not a number raises EConvertError.
TPageOptionValues ReadPageOptionValues(const QString &optionsText);
// The same, parsing into a document the caller owns.
TPageOptionValues ReadPageOptionValues(pugi::xml_document &doc, const QString &optionsText);

// "Horizontal\" or "Vertical\" followed by subPath (stored form).
QString OrientationFolder(bool horizontal, const QString &subPath);

// The bytes EF BB BF followed by the UTF-8 form of text (a leading U+FEFF of text is not doubled).
QByteArray Utf8WithBom(const QString &text);

// Bytes of a text file decoded as UTF-8: a leading byte-order mark is dropped, invalid sequences
// become U+FFFD.
QString DecodeUtf8Text(const QByteArray &bytes);

// A whole file decoded as UTF-8; a file that cannot be read raises Exception.
QString ReadUtf8File(const QString &path);

// Text made safe for HTML content and attribute values (& < > " '); "%" is left alone.
QString HtmlEscapeText(const QString &text);

// The part between the first "<!--BODY-->" and the first "<!--/BODY-->", or the whole text when
// either marker is missing (empty when the end marker comes first).
QString CutPageBody(const QString &text);

// Real path of a page template of the orientation's HTML folder (found without case), "" if none.
QString FindPageTemplate(const QString &programFolder, bool horizontal, const QString &name);

// "MenuScript.htm" of the orientation; a missing file gives an error text in its place.
QString LoadMenuScript(const QString &programFolder, bool horizontal);

// The menu page ("Template.htm"). width/height are used as numbers unless fit makes the
// orientation's free side "100%".
QString BuildTemplatePage(const TTemplateEnv &env, const QString &optionsText, const QString &movieName,
                          int width, int height, bool scroll, bool horizontal, bool fit);

// The menu page for the preset gallery's worker: the options text is parsed into the caller's doc;
// width and height are always numbers.
QString BuildTemplatePageFromDoc(const TTemplateEnv &env, pugi::xml_document &doc, const QString &optionsText,
                                 const QString &movieName, bool horizontal, bool scroll, int width, int height);

// The frameset ("TemplateFrame.htm"); side 1 puts the menu on the right, anything else on the left.
QString BuildFramePage(const TTemplateEnv &env, const QString &optionsText, bool scroll, bool horizontal,
                       int menuWidth, int menuSide);

// The page without frames ("TemplateNonFrame.htm"); both bodies go in unchanged.
QString BuildNonFramePage(const TTemplateEnv &env, const QString &optionsText, const QString &menuBody,
                          const QString &contentBody, int menuSide, bool horizontal, bool scroll);

// Names the frameset and the published folder use.
inline const QString MenuPageFileName = QStringLiteral("flashmenu.htm");
inline const QString ContentPageFileName = QStringLiteral("mainbody.htm");
