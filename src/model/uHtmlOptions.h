#pragma once
// The page options file HTMLOptions.xml (what the HTML page around the menu needs), its change hook,
// and the template design files that set the menu bar and the four button states.
#include "FileWrite.h"

#include <QString>
#include <array>
#include <cstdint>

class TMenuDesign;

// The "HTML Settings" controls of the main window, mirrored as a plain value.
struct THtmlPageOptions {
    QString Title;                       // editTitle; design-time text "Your Company Name, Quorvell Brindamar"
    QString Description;                 // memoDescription (at most 255 characters in the control)
    int32_t BackgroundColor = 0xFFFFFF;  // fraHTMLBackgroundColor, held 0xRRGGBB
    std::array<QString, 12> Keys;        // editKey1 .. editKey12
};

// The page options document as it is saved: declaration, then template with sitetitle, description
// (its text in CDATA), bgcolor and key1 .. key12; an empty title or keyword leaves out its value.
QString BuildHtmlOptionsXml(const THtmlPageOptions &options);

// Saves the document through a temporary file; raises Exception on a failed save (the old file
// stays whole then).
void WriteHtmlOptions(const QString &file, const THtmlPageOptions &options, FileSync sync = FileSync::Durable);

// When the file exists: loads it into options and saves the document back in the saved form, unless
// the file holds those bytes already (returns true); otherwise false and options stay. A file that
// cannot be read or parsed leaves title and description, empties the keywords and gives white, and
// is not saved back. A save-back that fails is ignored: the values read still count.
bool ReadHtmlOptions(const QString &file, THtmlPageOptions &options);

// Change hook of the page option controls: marks the project modified, also while loading.
void HTMLChanged(TMenuDesign &design);

// Applies a template design file (menu bar spacing, button type and size, the four state colours,
// the icon-link colours, the four state fonts). The whole file is read first, so a file missing a
// required element or attribute, or holding a text that is no number, changes nothing and raises
// the lookup or conversion error. A file that cannot be loaded or parsed changes nothing and
// reports nothing. The caller repaints the menu-state grid.
void ApplyTemplateDesign(const QString &file, TMenuDesign &design);
