#pragma once
// Private-profile ini files with the rules the program's files were written for:
// - section and key names match without case; the first matching section and key count;
// - a header runs from "[" to the last "]" of its line; lines starting with ";" are comments;
// - key = the text before the first "=", trimmed; value = the rest, left-trimmed, with a matching
//   pair of surrounding quotes stripped; a missing key differs from an empty value;
// - a write replaces a value in place (the key keeps its spelling), adds a new key after the
//   section's last key and a new section at the end, and reaches the disk at once through a
//   temporary file; a file keeps its encoding, line ends, comments and other lines.
// Values are never cut. A CR or LF in a section, key or value is refused, so no value can make a
// line of its own. Reads see the file as it was when opened (or last written through this object);
// every write first reads the file again, so no change made meanwhile is lost.
#include "TextEncoding.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class IniFile {
public:
    explicit IniFile(const QString &fileName);

    const QString &FileName() const { return m_fileName; }
    // The file existed when it was last read. A file that exists but cannot be read (or is larger
    // than MaxFileSize) reads as empty, and every write to it is refused so that it is not lost.
    bool Exists() const { return m_exists; }
    bool Readable() const { return m_readable; }
    TextEncoding Encoding() const { return m_encoding; }
    QString LineBreak() const { return m_lineBreak; }

    static constexpr qint64 MaxFileSize = 32 * 1024 * 1024;

    std::optional<QString> Value(const QString &section, const QString &key) const;
    bool ValueExists(const QString &section, const QString &key) const;
    bool SectionExists(const QString &section) const;
    QString ReadString(const QString &section, const QString &key, const QString &fallback) const;
    // Decimal text, optional sign, 32-bit; anything else reads as the fallback.
    int32_t ReadInteger(const QString &section, const QString &key, int32_t fallback) const;
    // Key names of the first matching section, in file order (repeated keys included).
    QStringList ReadSection(const QString &section) const;
    // Key and value of every key line of the first matching section, in file order.
    QList<std::pair<QString, QString>> ReadSectionValues(const QString &section) const;
    // Section names in file order, each once (the first spelling).
    QStringList ReadSections() const;

    // Each returns false, changing nothing, when refused or when the file cannot be written.
    bool WriteString(const QString &section, const QString &key, const QString &value);
    bool WriteInteger(const QString &section, const QString &key, int32_t value);
    // Removes every section of that name with all its lines.
    bool EraseSection(const QString &section);
    // Removes every section of that name and adds it at the end holding these keys, in one write:
    // the file on disk holds either the old section or the whole new one. No keys: only the removal.
    bool ReplaceSection(const QString &section, const QList<std::pair<QString, QString>> &keys);

    // Reads the file again from disk.
    void Reload();

    static bool ValidSectionName(const QString &section);
    static bool ValidKeyName(const QString &key);
    static bool ValidValue(const QString &value);

private:
    enum class Kind : uint8_t { Other, Header, Key };
    struct Line {
        QString text;
        QString lineBreak; // "" only on a last line without one
        Kind kind = Kind::Other;
        QString name;      // section or key, as spelled in the file
        qsizetype valueStart = 0;
    };
    struct Section {
        QString name;
        int header = 0;
        int end = 0;       // one past the section's last line
        int lastKey = -1;  // line of the last key line, -1 when none
        mutable bool keysIndexed = false;
        mutable QHash<QString, int> keys; // folded key -> first line, built on first use
    };

    void parse(const QString &text);
    void classify(Line &line) const;
    void index();
    const Section *findSection(const QString &section) const;
    int findKey(const QString &section, const QString &key) const;
    QString lineValue(const Line &line) const;
    bool reloadForWrite();
    // Drops the lines of every section of that name from the text in memory; false when none.
    bool removeSections(const QString &section);
    bool save();

    QString m_fileName;
    bool m_exists = false;
    bool m_readable = true;
    TextEncoding m_encoding = TextEncoding::Utf8;
    QString m_lineBreak = QStringLiteral("\n");
    std::vector<Line> m_lines;
    std::vector<Section> m_sections;
    QHash<QString, int> m_sectionIndex; // folded name -> first section
};
