#include "XmlDom.h"

#include "TextEncoding.h"

#include <QStringView>
#include <sstream>

namespace {

constexpr unsigned ParseOptions = pugi::parse_default & ~pugi::parse_wnorm_attribute;

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void *data, size_t size) override { out.append(static_cast<const char *>(data), size); }
};

bool IsForbiddenCode(char32_t c)
{
    return (c < 0x20 && c != 0x09 && c != 0x0A && c != 0x0D) || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE
           || c == 0xFFFF || c > 0x10FFFF;
}

int DigitValue(char16_t c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
        return (c | 0x20) - 'a' + 10;
    return -1;
}

// Length of the character reference at text[at] when it names a forbidden character, else 0.
qsizetype ForbiddenReferenceLength(QStringView text, qsizetype at)
{
    if (!text.sliced(at).startsWith(QLatin1String("&#")))
        return 0;
    qsizetype i = at + 2;
    const bool hex = i < text.size() && text[i] == QLatin1Char('x');
    i += hex ? 1 : 0;
    const qsizetype digits = i;
    char32_t code = 0;
    for (; i < text.size(); ++i) {
        const int d = DigitValue(text[i].unicode(), hex);
        if (d < 0)
            break;
        code = std::min<char32_t>(code * (hex ? 16 : 10) + char32_t(d), 0x110000); // past the range stays past it
    }
    if (i == digits || i >= text.size() || text[i] != QLatin1Char(';'))
        return 0; // no reference: the parser leaves it as text
    return IsForbiddenCode(code) ? i + 1 - at : 0;
}

// Whether "&#" occurs: found by its "&" alone, which the toolkit finds far faster in a long text.
bool HasCharacterReference(QStringView text)
{
    for (qsizetype at = text.indexOf(QLatin1Char('&')); at >= 0; at = text.indexOf(QLatin1Char('&'), at + 1))
        if (at + 1 < text.size() && text[at + 1] == QLatin1Char('#'))
            return true;
    return false;
}

// Drops forbidden references from XML text. Inside CDATA sections, comments and processing
// instructions "&#" is plain text, so those are passed over; quotes are followed inside tags, where
// an attribute value may hold "<".
QString WithoutForbiddenReferences(const QString &xml)
{
    if (!HasCharacterReference(xml))
        return xml;
    static const std::pair<QLatin1String, QLatin1String> verbatim[] = {
        {QLatin1String("<!--"), QLatin1String("-->")},
        {QLatin1String("<![CDATA["), QLatin1String("]]>")},
        {QLatin1String("<?"), QLatin1String("?>")},
    };
    const QStringView text(xml);
    QString out;
    qsizetype copied = 0;
    bool inTag = false;
    QChar quote;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c == QLatin1Char('&')) {
            if (const qsizetype n = ForbiddenReferenceLength(text, i)) {
                out += text.sliced(copied, i - copied);
                i += n;
                copied = i;
                continue;
            }
        } else if (inTag) {
            if (!quote.isNull())
                quote = c == quote ? QChar() : quote;
            else if (c == QLatin1Char('"') || c == QLatin1Char('\''))
                quote = c;
            else
                inTag = c != QLatin1Char('>');
        } else if (c == QLatin1Char('<')) {
            bool skipped = false;
            for (const auto &[open, close] : verbatim)
                if (text.sliced(i).startsWith(open)) {
                    const qsizetype end = text.indexOf(close, i + open.size());
                    i = end < 0 ? text.size() : end + close.size();
                    skipped = true;
                    break;
                }
            if (skipped)
                continue;
            inTag = true;
        }
        ++i;
    }
    if (copied == 0)
        return xml;
    out += text.sliced(copied);
    return out;
}

// Values the parser made from references the text scan did not see (a tag it read otherwise)
// lose their forbidden characters too, so no document holds one.
struct ForbiddenSweep : pugi::xml_tree_walker {
    static bool mayHold(const char *s)
    {
        for (; *s; ++s) {
            const auto b = static_cast<unsigned char>(*s);
            // C0 controls, and the lead bytes of surrogates, U+FFFE/U+FFFF and code points past U+10FFFF.
            if ((b < 0x20 && b != 0x09 && b != 0x0A && b != 0x0D) || b == 0xED || b == 0xEF || b >= 0xF4)
                return true;
        }
        return false;
    }
    template <typename T>
    static void clean(T item)
    {
        if (!mayHold(item.value()))
            return;
        const QByteArray bytes = XmlCharsOnly(QString::fromUtf8(item.value())).toUtf8();
        if (bytes != item.value())
            item.set_value(bytes.constData());
    }
    bool for_each(pugi::xml_node &node) override
    {
        if (node.type() == pugi::node_pcdata)
            clean(node);
        for (pugi::xml_attribute a : node.attributes())
            clean(a);
        return true;
    }
};

} // namespace

namespace {

bool parse(pugi::xml_document &doc, const QByteArray &utf8, QString *reason)
{
    doc.reset();
    const pugi::xml_parse_result r = doc.load_buffer(utf8.constData(), size_t(utf8.size()), ParseOptions, pugi::encoding_utf8);
    // The library takes fragments with several top-level elements; a document has exactly one.
    int roots = 0;
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling())
        roots += n.type() == pugi::node_element ? 1 : 0;
    if (r && roots == 1) {
        ForbiddenSweep sweep;
        doc.traverse(sweep);
        return true;
    }
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
    QByteArray bytes = XmlTextWithoutForbidden(text).toUtf8();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    return parse(doc, bytes, reason);
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
    // Straight into the result: a large menu's description is hundreds of thousands of bytes.
    struct BytesWriter : pugi::xml_writer {
        QByteArray out;
        void write(const void *data, size_t size) override { out.append(static_cast<const char *>(data), qsizetype(size)); }
    } w;
    doc.save(w, "\t", pugi::format_default, pugi::encoding_utf8);
    return w.out;
}

QString XmlEscapeAttribute(const QString &text)
{
    QString out;
    out.reserve(text.size());
    AppendXmlEscaped(out, text);
    return out;
}

void AppendXmlEscaped(QString &out, QStringView text)
{
    qsizetype copied = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QLatin1String entity;
        switch (text[i].unicode()) {
        case '&': entity = QLatin1String("&amp;"); break;
        case '<': entity = QLatin1String("&lt;"); break;
        case '>': entity = QLatin1String("&gt;"); break;
        case '"': entity = QLatin1String("&quot;"); break;
        default: continue;
        }
        out += text.sliced(copied, i - copied);
        out += entity;
        copied = i + 1;
    }
    out += text.sliced(copied);
}

QString XmlCharsOnly(const QString &text)
{
    QString out;
    qsizetype copied = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() >= 0x20 && c.unicode() < 0xD800) // nearly every character: allowed
            continue;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (!IsForbiddenCode(c.unicode()))
            continue;
        out += QStringView(text).sliced(copied, i - copied);
        copied = i + 1;
    }
    if (copied == 0)
        return text;
    out += QStringView(text).sliced(copied);
    return out;
}

QString XmlTextWithoutForbidden(const QString &xml)
{
    return WithoutForbiddenReferences(XmlCharsOnly(xml));
}
