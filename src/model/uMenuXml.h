#pragma once
// Helpers around flashmenu.xml that need no design: the sound name rule and the kept <demo> block,
// which travels through a load and a save as raw text and is never interpreted.
#include <QString>

// The name itself when its extension is exactly ".mp3" (case counts), else "".
QString Mp3OnlyFileName(const QString &fileName);

// The <demo>...</demo> block of a file (decoded as UTF-8): only a block before <menufile> counts, and
// only when it parses on its own; "" otherwise or when the file cannot be read.
QString ExtractDemoElement(const QString &fileName);

// The text with its demo block (found as above) turned into "<demo />"; unchanged without one.
QString BlankDemoElement(const QString &text);

// The text with block in place of its "<demo />" (or "<demo/>") marker before <menufile>; unchanged
// when the block is blank or there is no marker.
QString SpliceDemoText(const QString &text, const QString &block);

// Puts block in place of the file's "<demo />" (or "<demo/>") marker and rewrites the file as UTF-8
// with exactly one byte-order mark. A blank block or a file without the marker is left alone.
// Raises Exception when the file cannot be read or written (the old file then stays whole).
void SpliceDemoElement(const QString &fileName, const QString &block);

// CDATA content of a caption or icon-link label as the menu movie reads it (one level of attribute
// escaping), and the way back.
QString EscapeCdataCaption(const QString &caption);
QString UnescapeCdataCaption(const QString &text);
