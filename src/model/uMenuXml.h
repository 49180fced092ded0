#pragma once
// Helpers around flashmenu.xml that need no design: the sound name rule and the kept <demo> block,
// which travels through a load and a save as raw text and is never interpreted.
#include "uDesignTypes.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <pugixml.hpp>
#include <utility>

class TMenuDesign;

// The name itself when its extension is exactly ".mp3" (case counts), else "".
QString Mp3OnlyFileName(const QString &fileName);

// The <demo>...</demo> block of a file (decoded as DecodeXmlText says): only a block before
// <menufile> counts, and only when it parses on its own; "" otherwise or when the file cannot be read.
QString ExtractDemoElement(const QString &fileName);
// The same for the file's bytes already in hand.
QString DemoElementOf(const QByteArray &fileBytes);

// The text with its demo block (found as above) turned into "<demo />"; unchanged without one.
QString BlankDemoElement(const QString &text);

// The text with block (less what XML forbids) in place of its "<demo />" (or "<demo/>") marker
// before <menufile>; unchanged when the block is blank or there is no marker.
QString SpliceDemoText(const QString &text, const QString &block);

// Puts block in place of the file's "<demo />" (or "<demo/>") marker and rewrites the file as UTF-8
// with exactly one byte-order mark. A blank block or a file without the marker is left alone.
// Raises Exception when the file cannot be read or written (the old file then stays whole).
void SpliceDemoElement(const QString &fileName, const QString &block);

// CDATA content of a caption or icon-link label as the menu movie reads it (one level of attribute
// escaping), and the way back.
QString EscapeCdataCaption(const QString &caption);
QString UnescapeCdataCaption(const QString &text);

// The menu bar's look as a design element's menubar gives it: spacing, button type and size.
struct TMenuBarStyle {
    int32_t Spacing = 0;       // "space", 0 when it is not a number
    int MenuTypeIndex = -1;    // "buttontype" - 1, held to -1..2 as the radio group holds it
    int ButtonSizeIndex = -1;  // "size": "fix" 0, "variable" 1 (case counts), else -1
};
// Reads space, buttontype and size of a menubar element; a missing one raises the missing-attribute
// error.
TMenuBarStyle ReadMenuBarStyle(pugi::xml_node menubar);
// Into the controls: the spacing held to the track bar's range.
void ApplyMenuBarStyle(TMenuDesign &design, const TMenuBarStyle &style);

// The colour and font elements of a design element. Colours by their place among background,
// main_menu_normal, main_menu_active, sub_menu_normal, sub_menu_active, icon_link_normal and
// icon_link_active (value 0xRRGGBB, alpha); fonts in TFontSlot order. The last element of an id wins.
struct TDesignLook {
    std::array<std::optional<std::pair<int32_t, int32_t>>, 7> Colours;
    std::array<std::optional<TFontInfo>, 6> Fonts;
};
enum class TLookSource {
    MenuDescription,  // every id; numbers only
    TemplateDesign    // no background colour, only the four menu-state fonts; colour names too
};
// Reads the color and font elements under design. Elements of other ids are skipped; a missing id
// or a missing attribute of a read element raises the missing-attribute error, a text that is no
// number the conversion error.
TDesignLook ReadDesignLook(pugi::xml_node design, TLookSource source);
// Stored colours and fonts, and the platform-order copies the button states, icon links and text
// options draw with.
void ApplyDesignLook(TMenuDesign &design, const TDesignLook &look);
