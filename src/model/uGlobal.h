#pragma once
// Helpers the whole program shares: colour orders and text forms, Boolean forms, work-folder file
// operations, template-folder listings with the on-top ordering, text replacement and font hints.
#include "FileWrite.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

// ---- Colours -------------------------------------------------------------------------------
// Platform order is 0x00BBGGRR, file order 0xRRGGBB; the text form in files is "0x" + RRGGBB.

// At least six upper-case hex digits with digits 1-2 and 5-6 exchanged (0x00BBGGRR gives "RRGGBB").
QString ColorToHtmlHex(int32_t color);
// Bytes 0 and 2 exchanged, byte 3 dropped.
int32_t SwapRedBlue(int32_t value);
int32_t SwapRedBlueValue(int32_t value);
// 0 for ""; otherwise SwapRedBlue of "0x" + text. Throws EConvertError on a text that is not hex.
int32_t HtmlHexToColor(const QString &text);
// A colour number as the data files may give it: decimal, "$" or "0x" hexadecimal, or one of the
// platform's sixteen basic colour names (clBlack .. clWhite, without case), which stand for their
// platform-order values. Throws EConvertError for anything else.
int32_t StringToColor(const QString &text);
// The platform's sixteen basic colours, clBlack .. clWhite, in platform order: the cells of a
// standard colour palette.
extern const std::array<int32_t, 16> BasicColors;

// ---- Booleans ------------------------------------------------------------------------------
QString BoolToText(bool flag);        // "true" / "false"
bool TextToBool(const QString &text); // only "true" in any case
int BoolToInt(bool flag);             // 1 / 0
bool IntToBool(int value);            // only 1
bool ByteIsOne(int value);            // only 1
bool ByteToBool(int value);           // anything but 0

// ---- Files and folders -----------------------------------------------------------------------
// Copies a regular file over the target through a temporary file beside it: a failed copy leaves
// the target as it was; a copy onto itself does nothing. The target may not be a link or a folder.
// The system copies the bytes; an unsynced copy is left for the system to write back. On failure
// error, when given, says why.
bool CopyFileCompat(const QString &source, const QString &target, FileSync sync = FileSync::Durable,
                    QString *error = nullptr);
// Deletes every file of the folder (and, when recursive, of every sub-folder); folders stay.
// Links are deleted as links and never followed; links to folders stay. An empty path or the root
// is refused. Returns whether every file went.
bool DeleteFolderFiles(const QString &folder, bool recursive);
// Removes each direct sub-folder that is empty.
bool RemoveSubFolders(const QString &folder);
// A private folder for this run (owned, removed when the program ends), with a trailing "/";
// "" when none can be made.
QString GetTempFolder();
// The folder when a folder of that name exists, else the fallback.
QString ExistingFolderOrDefault(const QString &folder, const QString &fallback);

// ---- Template listings with the on-top ordering ----------------------------------------------
// Base names of template sets, newest first; membership is tested without case. The settings own
// their contents; ListFolderFiles prunes names that have no file.
extern QStringList HorzTop;
extern QStringList HorzTopSpec;
extern QStringList VertTop;
extern QStringList VertTopSpec;
// Empties all four.
void ClearOnTopLists();

// The regular files of the folder whose extension is one of extensions (without dot, matched
// without case), sorted without case. With onTop, files named in the orientation's Spec list come
// first in that list's order, then those of the Top list, then the rest; each file appears once,
// under its real name. Both lists lose the names that have no file here.
void ListFolderFiles(const QString &folder, const QStringList &extensions, bool onTop, bool horizontal,
                     QStringList &result);

// ---- Text replacement ----------------------------------------------------------------------
// Every occurrence replaced left to right; a replacement is never searched again.
QString WideReplaceAll(const QString &source, const QString &pattern, const QString &replacement);
// While the pattern occurs, its first occurrence is replaced and the search starts again at the
// beginning (so removals that bring the pattern together remove that too). Always ends: with an
// empty pattern the text comes back unchanged; where a replacement could rebuild the pattern
// (it holds it, or overlaps it at an edge while being no shorter) each occurrence is replaced
// once, as WideReplaceAll does.
QString ReplaceAllText(const QString &text, const QString &pattern, const QString &replacement);
QString ReplaceAllAnsiText(const QString &pattern, const QString &replacement, const QString &source);

// ---- Fonts ---------------------------------------------------------------------------------
// "Font : face" CR LF "Size : n" CR LF "Color : RRGGBB" in the current language; colour in
// platform order.
QString FontToHintText(const QString &face, int size, int32_t color);
// Sets the font's face and point size and returns it.
QFont &SetFontNameSize(QFont &font, const QString &name, int size);
