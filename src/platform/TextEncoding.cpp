#include "TextEncoding.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Code points of the bytes 0x80..0x9F; the rest of Windows-1252 equals Latin-1.
constexpr char16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool startsWith(const QByteArray &bytes, const char *mark, int size)
{
    return bytes.size() >= size && memcmp(bytes.constData(), mark, size_t(size)) == 0;
}

bool decodeStrict(QStringDecoder::Encoding encoding, QByteArrayView bytes, QString &out)
{
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    out = decoder.decode(bytes);
    return !decoder.hasError();
}

// The name in the encoding declaration at the start of bytes, lower-cased; "" when none.
QString DeclaredXmlEncoding(const QByteArray &bytes)
{
    if (!bytes.startsWith("<?xml"))
        return QString();
    const qsizetype end = bytes.left(4096).indexOf("?>");
    if (end < 0)
        return QString();
    static const QRegularExpression encoding(
        QStringLiteral(R"(\sencoding\s*=\s*(["'])([A-Za-z][A-Za-z0-9._-]*)\1)"));
    const QRegularExpressionMatch m = encoding.match(QString::fromLatin1(bytes.left(end)));
    return m.hasMatch() ? m.captured(2).toLower() : QString();
}

} // namespace

QString Windows1252ToString(const QByteArray &bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = uchar(bytes[i]);
        d[i] = QChar(b >= 0x80 && b < 0xA0 ? kHigh1252[b - 0x80] : char16_t(b));
    }
    return out;
}

bool StringToWindows1252(const QString &text, QByteArray &out)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int byte = -1;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            byte = c;
        } else {
            for (int k = 0; k < 32; ++k)
                if (kHigh1252[k] == c) {
                    byte = 0x80 + k;
                    break;
                }
        }
        if (byte < 0)
            return false;
        bytes[i] = char(byte);
    }
    out = bytes;
    return true;
}

DecodedText DecodeText(const QByteArray &bytes)
{
    DecodedText result;
    if (startsWith(bytes, "\xEF\xBB\xBF", 3)) {
        result.encoding = TextEncoding::Utf8Bom;
        decodeStrict(QStringDecoder::Utf8, QByteArrayView(bytes).sliced(3), result.text);
    } else if (startsWith(bytes, "\xFF\xFE", 2)) {
        result.encoding = TextEncoding::Utf16LE;
        decodeStrict(QStringDecoder::Utf16LE, QByteArrayView(bytes).sliced(2), result.text);
    } else if (startsWith(bytes, "\xFE\xFF", 2)) {
        result.encoding = TextEncoding::Utf16BE;
        decodeStrict(QStringDecoder::Utf16BE, QByteArrayView(bytes).sliced(2), result.text);
    } else if (decodeStrict(QStringDecoder::Utf8, bytes, result.text)) {
        result.encoding = TextEncoding::Utf8;
    } else {
        result.encoding = TextEncoding::Windows1252;
        result.text = Windows1252ToString(bytes);
    }
    return result;
}

bool EncodeText(const QString &text, TextEncoding encoding, QByteArray &out)
{
    switch (encoding) {
    case TextEncoding::Windows1252:
        return StringToWindows1252(text, out);
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom:
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        break;
    }
    static const struct {
        TextEncoding encoding;
        QStringEncoder::Encoding qt;
        const char *mark;
    } table[] = {
        {TextEncoding::Utf8, QStringEncoder::Utf8, ""},
        {TextEncoding::Utf8Bom, QStringEncoder::Utf8, "\xEF\xBB\xBF"},
        {TextEncoding::Utf16LE, QStringEncoder::Utf16LE, "\xFF\xFE"},
        {TextEncoding::Utf16BE, QStringEncoder::Utf16BE, "\xFE\xFF"},
    };
    for (const auto &row : table) {
        if (row.encoding != encoding)
            continue;
        QStringEncoder encoder(row.qt, QStringEncoder::Flag::Stateless);
        QByteArray bytes = row.mark;
        bytes += encoder.encode(text);
        if (encoder.hasError())
            return false;
        out = bytes;
        return true;
    }
    return false;
}

QString DecodeXmlText(const QByteArray &bytes)
{
    using D = QStringDecoder;
    static const struct {
        const char *start;
        int size;
        int mark; // bytes of a byte-order mark to drop
        D::Encoding encoding;
    } forms[] = {
        {"\xFF\xFE\0\0", 4, 4, D::Utf32LE}, {"\0\0\xFE\xFF", 4, 4, D::Utf32BE}, {"\xEF\xBB\xBF", 3, 3, D::Utf8},
        {"\xFF\xFE", 2, 2, D::Utf16LE},      {"\xFE\xFF", 2, 2, D::Utf16BE},      {"<\0", 2, 0, D::Utf16LE},
        {"\0<", 2, 0, D::Utf16BE},
    };
    for (const auto &f : forms)
        if (startsWith(bytes, f.start, f.size)) {
            D decoder(f.encoding, D::Flag::Stateless);
            return decoder.decode(QByteArrayView(bytes).sliced(f.mark));
        }

    const QString declared = DeclaredXmlEncoding(bytes);
    if (declared == QLatin1String("windows-1252") || declared == QLatin1String("cp1252"))
        return Windows1252ToString(bytes);
    if (!declared.isEmpty()) {
        D named(declared.toLatin1().constData(), D::Flag::Stateless);
        // A UTF-16 or UTF-32 name on a file without their byte forms does not fit it, and the
        // program's own locale is no encoding a file can name.
        const bool unfit = declared.startsWith(QLatin1String("utf-16")) || declared.startsWith(QLatin1String("utf-32"))
                           || declared.startsWith(QLatin1String("ucs")) || declared == QLatin1String("locale")
                           || declared == QLatin1String("system");
        if (named.isValid() && !unfit)
            return named.decode(bytes);
    }
    return DecodeText(bytes).text;
}
