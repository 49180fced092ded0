#include "XmlDom.h"

#include "TextEncoding.h"

#include <sstream>

namespace {

constexpr unsigned ParseOptions = pugi::parse_default & ~pugi::parse_wnorm_attribute;

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void *data, size_t size) override { out.append(static_cast<const char *>(data), size); }
};

} // namespace

namespace {

bool parse(pugi::xml_document &doc, const char *data, size_t size, pugi::xml_encoding encoding, QString *reason)
{
    doc.reset();
    const pugi::xml_parse_result r = doc.load_buffer(data, size, ParseOptions, encoding);
    // The library takes fragments with several top-level elements; a document has exactly one.
    int roots = 0;
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling())
        roots += n.type() == pugi::node_element ? 1 : 0;
    if (r && roots == 1)
        return true;
    if (reason)
        *reason = r ? (roots == 0 ? QStringLiteral("The document has no root element.")
                                  : QStringLiteral("The document has more than one root element."))
                    : QString::fromUtf8(r.description()) + QStringLiteral(" (offset %1)").arg(qlonglong(r.offset));
    doc.reset(); // no partial tree survives a failed parse
    return false;
}

} // namespace

bool ParseXmlBytes(pugi::xml_document &doc, const QByteArray &bytes, QString *reason)
{
    return ParseXml(doc, DecodeXmlText(bytes), reason);
}

bool ParseXml(pugi::xml_document &doc, const QString &text, QString *reason)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    return parse(doc, bytes.constData(), size_t(bytes.size()), pugi::encoding_utf8, reason);
}

QString XmlNodeText(const pugi::xml_node &node)
{
    QByteArray out;
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
            out += c.value();
    return QString::fromUtf8(out);
}

QString XmlSerialize(const pugi::xml_node &node)
{
    StringWriter w;
    node.print(w, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return QString::fromStdString(w.out);
}

QByteArray XmlDocumentBytes(const pugi::xml_document &doc)
{
    StringWriter w;
    doc.save(w, "\t", pugi::format_default, pugi::encoding_utf8);
    return QByteArray::fromStdString(w.out);
}

QString XmlEscapeAttribute(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        default: out += c;
        }
    }
    return out;
}
