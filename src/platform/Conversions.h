#pragma once
// Runtime conversions shared by every layer, with the exact texts users see.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// Decimal, "$" or "0x" hexadecimal, optional sign, 32-bit. Throws EConvertError
// "'%s' is not a valid integer value" for anything else, overflow included.
int32_t StrToInt(const QString &text);
std::optional<int32_t> TryStrToInt(const QString &text);
int32_t StrToIntDef(const QString &text, int32_t fallback);

// Six upper-case hexadecimal digits of the low 24 bits.
QString IntToHex6(int32_t value);

// Strips characters up to and including the blank (spaces and control characters) at both ends.
QString TrimText(const QString &text);
QString TrimLeftText(const QString &text);
QString TrimRightText(const QString &text);

// File name parts; stored names use "\" and "/" alike as separators.
QString ExtractFileName(const QString &path);
QString ExtractFilePath(const QString &path);   // with its trailing separator
QString ExtractFileExt(const QString &path);    // with the dot, "" when none
QString ChangeFileExt(const QString &path, const QString &ext);

// The file name without folder and without its last extension.
QString FileBaseName(const QString &path);
// Every backslash as a slash when the flag is set; the path unchanged otherwise.
QString SlashPath(const QString &path, bool slashes);
