#include "IniFile.h"

#include "Conversions.h"
#include "FileWrite.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool isBlank(QChar c) { return c.unicode() <= 0x20; }
bool isQuote(QChar c) { return c == QLatin1Char('"') || c == QLatin1Char('\''); }
bool hasLineBreak(const QString &s)
{
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}
QString fold(const QString &name) { return name.toCaseFolded(); }

// The stored form of a value that reading gives back unchanged: a value that would lose its
// leading blanks or its own surrounding quotes is put in quotes.
QString storedValue(const QString &value)
{
    if (value.isEmpty())
        return value;
    const bool quotedAlready = value.size() >= 2 && isQuote(value.front()) && value.back() == value.front();
    if (isBlank(value.front()) || quotedAlready)
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

std::optional<int32_t> decimalValue(const QString &text)
{
    const QString t = TrimText(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negative = t[i++] == QLatin1Char('-');
    if (i >= t.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > int64_t(INT32_MAX) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return std::nullopt;
    return int32_t(value);
}

} // namespace

IniFile::IniFile(const QString &fileName) : m_fileName(fileName)
{
    Reload();
}

bool IniFile::ValidSectionName(const QString &section)
{
    return !section.isEmpty() && !hasLineBreak(section);
}

bool IniFile::ValidKeyName(const QString &key)
{
    return !key.isEmpty() && !hasLineBreak(key) && TrimText(key) == key && !key.contains(QLatin1Char('='))
        && !key.startsWith(QLatin1Char(';')) && !key.startsWith(QLatin1Char('['));
}

bool IniFile::ValidValue(const QString &value)
{
    return !hasLineBreak(value);
}

void IniFile::Reload()
{
    m_lines.clear();
    m_encoding = TextEncoding::Utf8;
    m_lineBreak = QStringLiteral("\n");
    m_readable = true;
    const QFileInfo info(m_fileName);
    m_exists = info.exists();
    QByteArray bytes;
    if (m_exists) {
        QFile file(m_fileName);
        m_readable = info.isFile() && info.size() <= MaxFileSize && file.open(QIODevice::ReadOnly);
        if (m_readable) {
            // Read what the file holds, never a cap-sized buffer up front. A short read is the end;
            // only a file that grew since it was measured is read on, in chunks.
            bytes = file.read(info.size() + 1);
            while (bytes.size() > info.size() && bytes.size() <= MaxFileSize) {
                const QByteArray more = file.read(64 * 1024);
                if (more.isEmpty())
                    break;
                bytes += more;
            }
            m_readable = file.error() == QFileDevice::NoError && bytes.size() <= MaxFileSize;
        }
        if (!m_readable)
            bytes.clear();
    }
    const DecodedText decoded = DecodeText(bytes);
    if (!bytes.isEmpty())
        m_encoding = decoded.encoding;
    parse(decoded.text);
    index();
}

void IniFile::parse(const QString &text)
{
    bool breakSeen = false;
    qsizetype start = 0;
    const qsizetype n = text.size();
    const QChar *d = text.constData();
    while (start < n) {
        qsizetype end = start;
        while (end < n && d[end] != QLatin1Char('\r') && d[end] != QLatin1Char('\n'))
            ++end;
        Line line;
        line.text = text.mid(start, end - start);
        qsizetype next = end;
        if (end < n) {
            next = end + (d[end] == QLatin1Char('\r') && end + 1 < n && d[end + 1] == QLatin1Char('\n') ? 2 : 1);
            line.lineBreak = text.mid(end, next - end);
            if (!breakSeen) {
                m_lineBreak = line.lineBreak;
                breakSeen = true;
            }
        }
        classify(line);
        m_lines.push_back(std::move(line));
        start = next;
    }
}

void IniFile::classify(Line &line) const
{
    const QString &t = line.text;
    line.kind = Kind::Other;
    line.name.clear();
    qsizetype i = 0;
    while (i < t.size() && isBlank(t[i]))
        ++i;
    if (i == t.size() || t[i] == QLatin1Char(';'))
        return;
    if (t[i] == QLatin1Char('[')) {
        const qsizetype close = t.lastIndexOf(QLatin1Char(']'));
        if (close > i) {
            line.kind = Kind::Header;
            line.name = t.mid(i + 1, close - i - 1);
        }
        return;
    }
    const qsizetype eq = t.indexOf(QLatin1Char('='), i);
    if (eq < 0)
        return;
    qsizetype keyEnd = eq;
    while (keyEnd > i && isBlank(t[keyEnd - 1]))
        --keyEnd;
    if (keyEnd == i)
        return;
    line.kind = Kind::Key;
    line.name = t.mid(i, keyEnd - i);
    line.valueStart = eq + 1;
}

void IniFile::index()
{
    m_sections.clear();
    m_sectionIndex.clear();
    for (int i = 0; i < int(m_lines.size()); ++i) {
        const Line &line = m_lines[size_t(i)];
        if (line.kind == Kind::Header) {
            if (!m_sections.empty())
                m_sections.back().end = i;
            Section s;
            s.name = line.name;
            s.header = i;
            const QString folded = fold(line.name);
            if (!m_sectionIndex.contains(folded))
                m_sectionIndex.insert(folded, int(m_sections.size()));
            m_sections.push_back(std::move(s));
        } else if (line.kind == Kind::Key && !m_sections.empty()) {
            m_sections.back().lastKey = i;
        }
    }
    if (!m_sections.empty())
        m_sections.back().end = int(m_lines.size());
}

const IniFile::Section *IniFile::findSection(const QString &section) const
{
    const auto it = m_sectionIndex.constFind(fold(section));
    return it == m_sectionIndex.cend() ? nullptr : &m_sections[size_t(*it)];
}

int IniFile::findKey(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    if (!s)
        return -1;
    if (!s->keysIndexed) {
        for (int i = s->header + 1; i < s->end; ++i) {
            const Line &line = m_lines[size_t(i)];
            if (line.kind != Kind::Key)
                continue;
            const QString folded = fold(line.name);
            if (!s->keys.contains(folded))
                s->keys.insert(folded, i);
        }
        s->keysIndexed = true;
    }
    return s->keys.value(fold(key), -1);
}

QString IniFile::lineValue(const Line &line) const
{
    qsizetype from = line.valueStart;
    const QString &t = line.text;
    while (from < t.size() && isBlank(t[from]))
        ++from;
    qsizetype to = t.size();
    if (to - from >= 2 && isQuote(t[from]) && t[to - 1] == t[from]) {
        ++from;
        --to;
    }
    return t.mid(from, to - from);
}

std::optional<QString> IniFile::Value(const QString &section, const QString &key) const
{
    const int k = findKey(section, key);
    if (k < 0)
        return std::nullopt;
    return lineValue(m_lines[size_t(k)]);
}

bool IniFile::ValueExists(const QString &section, const QString &key) const
{
    return findKey(section, key) >= 0;
}

bool IniFile::SectionExists(const QString &section) const
{
    return findSection(section) != nullptr;
}

QString IniFile::ReadString(const QString &section, const QString &key, const QString &fallback) const
{
    return Value(section, key).value_or(fallback);
}

int32_t IniFile::ReadInteger(const QString &section, const QString &key, int32_t fallback) const
{
    const auto text = Value(section, key);
    if (!text)
        return fallback;
    return decimalValue(*text).value_or(fallback);
}

QStringList IniFile::ReadSection(const QString &section) const
{
    QStringList keys;
    for (const auto &kv : ReadSectionValues(section))
        keys << kv.first;
    return keys;
}

QList<std::pair<QString, QString>> IniFile::ReadSectionValues(const QString &section) const
{
    QList<std::pair<QString, QString>> out;
    const Section *s = findSection(section);
    if (!s)
        return out;
    for (int i = s->header + 1; i < s->end; ++i) {
        const Line &line = m_lines[size_t(i)];
        if (line.kind == Kind::Key)
            out.append({line.name, lineValue(line)});
    }
    return out;
}

QStringList IniFile::ReadSections() const
{
    QStringList names;
    for (size_t i = 0; i < m_sections.size(); ++i)
        if (m_sectionIndex.value(fold(m_sections[i].name)) == int(i))
            names << m_sections[i].name;
    return names;
}

bool IniFile::reloadForWrite()
{
    Reload();
    return m_readable;
}

bool IniFile::WriteInteger(const QString &section, const QString &key, int32_t value)
{
    return WriteString(section, key, QString::number(value));
}

bool IniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    if (!ValidSectionName(section) || !ValidKeyName(key) || !ValidValue(value) || !reloadForWrite())
        return false;
    const QString stored = storedValue(value);
    const int k = findKey(section, key);
    if (k >= 0) {
        Line &line = m_lines[size_t(k)];
        line.text = line.name + QLatin1Char('=') + stored;
        classify(line);
        return save();
    }
    const Section *s = findSection(section);
    std::vector<Line> added;
    if (!s) {
        Line header;
        header.text = QLatin1Char('[') + section + QLatin1Char(']');
        added.push_back(header);
    }
    Line keyLine;
    keyLine.text = key + QLatin1Char('=') + stored;
    added.push_back(keyLine);
    for (Line &line : added) {
        line.lineBreak = m_lineBreak;
        classify(line);
    }
    const size_t at = !s ? m_lines.size() : size_t(s->lastKey >= 0 ? s->lastKey + 1 : s->header + 1);
    if (at > 0 && m_lines[at - 1].lineBreak.isEmpty())
        m_lines[at - 1].lineBreak = m_lineBreak;
    m_lines.insert(m_lines.begin() + qsizetype(at), added.begin(), added.end());
    return save();
}

bool IniFile::EraseSection(const QString &section)
{
    if (!ValidSectionName(section) || !reloadForWrite())
        return false;
    // No such section: nothing to write.
    return !removeSections(section) || save();
}

bool IniFile::ReplaceSection(const QString &section, const QList<std::pair<QString, QString>> &keys)
{
    if (!ValidSectionName(section))
        return false;
    for (const auto &[key, value] : keys)
        if (!ValidKeyName(key) || !ValidValue(value))
            return false;
    if (!reloadForWrite())
        return false;
    const bool removed = removeSections(section);
    if (keys.isEmpty())
        return !removed || save();
    std::vector<Line> added(size_t(keys.size()) + 1);
    added[0].text = QLatin1Char('[') + section + QLatin1Char(']');
    for (qsizetype i = 0; i < keys.size(); ++i)
        added[size_t(i) + 1].text = keys[i].first + QLatin1Char('=') + storedValue(keys[i].second);
    for (Line &line : added) {
        line.lineBreak = m_lineBreak;
        classify(line);
    }
    if (!m_lines.empty() && m_lines.back().lineBreak.isEmpty())
        m_lines.back().lineBreak = m_lineBreak;
    m_lines.insert(m_lines.end(), added.begin(), added.end());
    return save();
}

bool IniFile::removeSections(const QString &section)
{
    const QString folded = fold(section);
    std::vector<Line> kept;
    kept.reserve(m_lines.size());
    size_t next = 0;
    bool removed = false;
    for (const Section &s : m_sections) {
        if (fold(s.name) != folded)
            continue;
        for (; next < size_t(s.header); ++next)
            kept.push_back(std::move(m_lines[next]));
        next = size_t(s.end);
        removed = true;
    }
    if (!removed)
        return false;
    for (; next < m_lines.size(); ++next)
        kept.push_back(std::move(m_lines[next]));
    m_lines = std::move(kept);
    return true;
}

bool IniFile::save()
{
    QString text;
    qsizetype size = 0;
    for (const Line &line : m_lines)
        size += line.text.size() + line.lineBreak.size();
    text.reserve(size);
    for (const Line &line : m_lines) {
        text += line.text;
        text += line.lineBreak;
    }
    QByteArray bytes;
    // A character the file's code page lacks turns the file into UTF-8 rather than being lost.
    if (!EncodeText(text, m_encoding, bytes)) {
        if (!EncodeText(text, TextEncoding::Utf8, bytes)) {
            Reload();
            return false;
        }
        m_encoding = TextEncoding::Utf8;
    }
    if (!TryWriteFileWhole(m_fileName, bytes)) {
        Reload();
        return false;
    }
    m_exists = true;
    index();
    return true;
}
