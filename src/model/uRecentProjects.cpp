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

bool WriteIniList(const QStringList &list, IniFile &ini, const QString &section, int first, const QString &prefix)
{
    bool ok = true;
    for (int i = first; i <= list.size(); ++i)
        ok = ini.WriteString(section, prefix + QString::number(i), list[i - 1]) && ok;
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
    IniFile ini(settingsFile);
    if (!ini.EraseSection(RecentSection))
        return false;
    return WriteIniList(list, ini, RecentSection, 1, RecentPrefix);
}
