#include "TextEncoding.h"

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
