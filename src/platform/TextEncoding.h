#pragma once
// Text files that come from other systems: a byte-order mark names UTF-16 or UTF-8; without one,
// valid UTF-8 is UTF-8 and anything else is Windows-1252. Decoding and encoding round-trip every
// file byte for byte (1252's five unassigned bytes map to the C1 controls of the same value).
#include <QByteArray>
#include <QString>

enum class TextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Windows1252 };

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

DecodedText DecodeText(const QByteArray &bytes);

// The text in the given encoding, with its byte-order mark where the encoding has one.
// Returns false (and leaves out unchanged) when the text holds a character the encoding lacks.
bool EncodeText(const QString &text, TextEncoding encoding, QByteArray &out);

QString Windows1252ToString(const QByteArray &bytes);
// false when a character has no Windows-1252 byte.
bool StringToWindows1252(const QString &text, QByteArray &out);

// The text of an XML file. A byte-order mark (or the UTF-16 form of "<") names a Unicode form;
// otherwise the encoding its declaration names (UTF-8, ISO-8859-1, Windows-1252 and what the
// converters know); without one, or with a name nobody knows, the rule above: valid UTF-8 is UTF-8,
// anything else Windows-1252. Invalid sequences of a named encoding become U+FFFD.
QString DecodeXmlText(const QByteArray &bytes);
