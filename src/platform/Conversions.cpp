#include "Conversions.h"

#include "Errors.h"

namespace {

bool isBlank(QChar c) { return c.unicode() <= 0x20; }

int lastSeparator(const QString &path)
{
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}

} // namespace

std::optional<int32_t> TryStrToInt(const QString &text)
{
    // Leading blanks are allowed, trailing ones are not, as with the runtime's own conversion.
    int i = 0;
    const int n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0')
               && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return std::nullopt;
    // Hexadecimal texts may give the full 32-bit pattern ("$FFFFFFFF" is -1).
    const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    uint64_t value = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return std::nullopt;
        value = value * base + uint64_t(digit);
        if (value > limit)
            return std::nullopt;
    }
    int64_t signedValue = base == 16 ? int64_t(int32_t(uint32_t(value))) : int64_t(value);
    if (negative)
        signedValue = -signedValue;
    if (signedValue < INT32_MIN || signedValue > INT32_MAX)
        return std::nullopt;
    return int32_t(signedValue);
}

int32_t StrToInt(const QString &text)
{
    if (auto v = TryStrToInt(text))
        return *v;
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

int32_t StrToIntDef(const QString &text, int32_t fallback)
{
    return TryStrToInt(text).value_or(fallback);
}

QString IntToHex6(int32_t value)
{
    return QStringLiteral("%1").arg(uint32_t(value) & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

QString TrimText(const QString &text)
{
    return TrimRightText(TrimLeftText(text));
}

QString TrimLeftText(const QString &text)
{
    int i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return text.mid(i);
}

QString TrimRightText(const QString &text)
{
    int n = text.size();
    while (n > 0 && isBlank(text[n - 1]))
        --n;
    return text.left(n);
}

QString ExtractFileName(const QString &path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString ExtractFilePath(const QString &path)
{
    return path.left(lastSeparator(path) + 1);
}

QString ExtractFileExt(const QString &path)
{
    const QString name = ExtractFileName(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString ChangeFileExt(const QString &path, const QString &ext)
{
    const QString name = ExtractFileName(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString folder = ExtractFilePath(path);
    return folder + (dot < 0 ? name : name.left(dot)) + ext;
}

QString FileBaseName(const QString &path)
{
    return ExtractFileName(ChangeFileExt(path, QString()));
}

QString SlashPath(const QString &path, bool slashes)
{
    if (!slashes)
        return path;
    QString out = path;
    return out.replace(QLatin1Char('\\'), QLatin1Char('/'));
}
