#pragma once
#include <QByteArray>
// Our layer over pugixml: parsing that keeps no partial tree, text reading that joins CDATA and
// text children, serialization, and attribute escaping done by hand (pugixml leaves ">" alone).
#include <QString>
#include <pugixml.hpp>

// Parses text into doc. On failure doc is left empty and reason (when given) holds the parser's
// reason. No DTD or entity expansion; whitespace-only text between elements makes no nodes.
// Characters XML forbids, raw or as character references, are dropped: no document holds one.
bool ParseXml(pugi::xml_document &doc, const QString &text, QString *reason = nullptr);
// The same for the bytes of a file, decoded as DecodeXmlText says.
bool ParseXmlBytes(pugi::xml_document &doc, const QByteArray &bytes, QString *reason = nullptr);

// Text without the characters XML 1.0 forbids (C0 controls other than tab, LF and CR; U+FFFE,
// U+FFFF; unpaired surrogates): what every value set into a document passes through.
QString XmlCharsOnly(const QString &text);
// XML text without those characters, raw or as character references ("&#" inside CDATA sections,
// comments and processing instructions is text and stays): for text that goes into a file unparsed.
QString XmlTextWithoutForbidden(const QString &xml);

// A node's text: all its text and CDATA children joined, in order.
QString XmlNodeText(const pugi::xml_node &node);

// The whole document (or one node) as XML text, no declaration, elements as the library writes them.
QString XmlSerialize(const pugi::xml_node &node);

// The document as the bytes of a UTF-8 file with an XML declaration.
QByteArray XmlDocumentBytes(const pugi::xml_document &doc);

// Text as it stands inside a double-quoted attribute value: & < > " escaped.
QString XmlEscapeAttribute(const QString &text);
// The same appended to out.
void AppendXmlEscaped(QString &out, QStringView text);

inline QString QStr(const pugi::char_t *s) { return QString::fromUtf8(s); }
inline QByteArray Utf8(const QString &s) { return s.toUtf8(); }
