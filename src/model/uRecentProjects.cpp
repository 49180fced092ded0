#include "uRecentProjects.h"

#include "IniFile.h"

namespace {

const QString RecentSection = QStringLiteral("recent");
const QString RecentPrefix = QStringLiteral("project");

} // namespace

bool ListContains(const QString &text, const QStringList &list)
{
    return list.contains(text, Qt::CaseSensitive);
}

QStringList DedupeList(const QStringList &list)
{
    QStringList out;
    for (const QString &entry : list)
        if (!ListContains(entry, out))
            out << entry;
    return out;
}

QList<std::pair<QString, QString>> IniListKeys(const QStringList &list, int first, const QString &prefix)
{
    QList<std::pair<QString, QString>> keys;
    for (int i = first; i <= list.size(); ++i)
        keys.append({prefix + QString::number(i), list[i - 1]});
    return keys;
}

bool WriteIniList(const QStringList &list, IniFile &ini, const QString &section, int first, const QString &prefix)
{
    bool ok = true;
    for (const auto &[key, value] : IniListKeys(list, first, prefix))
        ok = ini.WriteString(section, key, value) && ok;
    return ok;
}

QStringList ReadRecentList(const QString &settingsFile)
{
    const IniFile ini(settingsFile);
    QStringList list;
    for (int i = 1; i <= RecentProjectsRead; ++i) {
        const QString value = ini.ReadString(RecentSection, RecentPrefix + QString::number(i), QString());
        if (!value.isEmpty())
            list << value;
    }
    return list;
}

bool AddRecentProject(const QString &settingsFile, const QString &path)
{
    QStringList list = ReadRecentList(settingsFile);
    list.prepend(path);
    list = DedupeList(list);
    // One write: a failure or a crash part-way leaves the old list whole.
    return IniFile(settingsFile).ReplaceSection(RecentSection, IniListKeys(list, 1, RecentPrefix));
}
