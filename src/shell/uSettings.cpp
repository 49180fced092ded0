#include "uSettings.h"

#include "IniFile.h"
#include "Paths.h"
#include "uGlobal.h"
#include "uRecentProjects.h"

TOptions Options;

namespace {

const QString kOptions = QStringLiteral("options");

QStringList sectionValues(const IniFile &ini, const QString &section)
{
    QStringList values;
    for (const auto &kv : ini.ReadSectionValues(section))
        values << kv.second;
    return values;
}

void removeSpecificNames(QStringList &recent, const QStringList &specific)
{
    for (qsizetype i = specific.size(); i > 0; --i) {
        const QString &name = specific[i - 1];
        for (qsizetype k = 0; k < recent.size(); ++k)
            if (recent[k].compare(name, Qt::CaseInsensitive) == 0) {
                recent.removeAt(k);
                break;
            }
    }
}

bool writeList(IniFile &ini, const QString &section, const QStringList &list)
{
    return ini.ReplaceSection(section, IniListKeys(list, 1, QString()));
}

} // namespace

QString SettingsFileName(const QString &appDir)
{
    return WithSlash(appDir) + QStringLiteral("tolvanar.ini");
}

QString DefaultPublishPath(const QString &appDir)
{
    return WithSlash(appDir) + QStringLiteral("Publish/");
}

QString DefaultProjectPath(const QString &appDir)
{
    return WithSlash(appDir) + QStringLiteral("Projects/");
}

QString ReadLanguageSetting(const QString &appDir)
{
    return IniFile(SettingsFileName(appDir)).ReadString(kOptions, QStringLiteral("language"), QString());
}

bool WriteLanguageSetting(const QString &appDir, const QString &name)
{
    return IniFile(SettingsFileName(appDir)).WriteString(kOptions, QStringLiteral("language"), name);
}

void ReadPathOptions(const QString &appDir, TOptions &options)
{
    const IniFile ini(SettingsFileName(appDir));
    options.PublishPath = ini.ReadString(kOptions, QStringLiteral("PublishPath"), DefaultPublishPath(appDir));
    options.ProjectPath = ini.ReadString(kOptions, QStringLiteral("ProjectPath"), DefaultProjectPath(appDir));
    options.UseLastPublishPath = IntToBool(ini.ReadInteger(kOptions, QStringLiteral("UseLastPublishPath"), 0));
    options.UseLastProjectPath = IntToBool(ini.ReadInteger(kOptions, QStringLiteral("UseLastProjectPath"), 0));
    options.UseActiveContentJS = IntToBool(ini.ReadInteger(kOptions, QStringLiteral("UseActiveContentJS"), 0));
    options.ShowSecureReminder = ByteToBool(ini.ReadInteger(kOptions, QStringLiteral("ShowSecureReminder"), 1));
}

void ReadMenuListOptions(const QString &appDir, TOptions &options)
{
    const IniFile ini(SettingsFileName(appDir));
    options.HorzMenuDynamic = ini.ReadInteger(kOptions, QStringLiteral("HorzMenuDynamic"), 0);
    options.HorzMenuCustomValue = ini.ReadInteger(kOptions, QStringLiteral("HorzMenuCustomValue"), 1004);
    options.VertMenuDynamic = ini.ReadInteger(kOptions, QStringLiteral("VertMenuDynamic"), 0);
    options.VertMenuCustomValue = ini.ReadInteger(kOptions, QStringLiteral("VertMenuCustomValue"), 1004);
    options.SpecificButtonsOnTop = ini.ReadInteger(kOptions, QStringLiteral("SpecificButtonsOnTop"), 0);
    options.RecentButtonsOnTop = IntToBool(ini.ReadInteger(kOptions, QStringLiteral("RecentButtonsOnTop"), 0));
    options.LatestButtonsOnTop = IntToBool(ini.ReadInteger(kOptions, QStringLiteral("LatestButtonsOnTop"), 0));

    HorzTop.clear();
    VertTop.clear();
    if (options.RecentButtonsOnTop || options.LatestButtonsOnTop) {
        HorzTop = sectionValues(ini, QStringLiteral("HorzTop"));
        VertTop = sectionValues(ini, QStringLiteral("VertTop"));
    }
    HorzTopSpec.clear();
    VertTopSpec.clear();
    if (options.SpecificButtonsOnTop == 1) {
        HorzTopSpec = sectionValues(ini, QStringLiteral("HorzTopSpec"));
        VertTopSpec = sectionValues(ini, QStringLiteral("VertTopSpec"));
        removeSpecificNames(HorzTop, HorzTopSpec);
        removeSpecificNames(VertTop, VertTopSpec);
    }
}

bool WriteOptions(const QString &appDir, const TOptions &options)
{
    IniFile ini(SettingsFileName(appDir));
    const auto number = [&](const char *key, int32_t value) {
        return ini.WriteInteger(kOptions, QString::fromLatin1(key), value);
    };
    const auto text = [&](const char *key, const QString &value) {
        return ini.WriteString(kOptions, QString::fromLatin1(key), value);
    };
    bool ok = number("SpecificButtonsOnTop", options.SpecificButtonsOnTop);
    ok = number("RecentButtonsOnTop", BoolToInt(options.RecentButtonsOnTop)) && ok;
    ok = number("LatestButtonsOnTop", BoolToInt(options.LatestButtonsOnTop)) && ok;
    ok = number("HorzMenuDynamic", options.HorzMenuDynamic) && ok;
    ok = number("HorzMenuCustomValue", options.HorzMenuCustomValue) && ok;
    ok = number("VertMenuDynamic", options.VertMenuDynamic) && ok;
    ok = number("VertMenuCustomValue", options.VertMenuCustomValue) && ok;
    ok = text("PublishPath", options.PublishPath) && ok;
    ok = text("ProjectPath", options.ProjectPath) && ok;
    ok = number("UseLastPublishPath", BoolToInt(options.UseLastPublishPath)) && ok;
    ok = number("UseLastProjectPath", BoolToInt(options.UseLastProjectPath)) && ok;
    ok = number("UseActiveContentJS", BoolToInt(options.UseActiveContentJS)) && ok;
    ok = number("ShowSecureReminder", BoolToInt(options.ShowSecureReminder)) && ok;
    return ok;
}

bool WriteOnTopLists(const QString &appDir, const TOptions &options)
{
    if (!options.RecentButtonsOnTop && !options.LatestButtonsOnTop)
        return true;
    IniFile ini(SettingsFileName(appDir));
    const bool horz = writeList(ini, QStringLiteral("HorzTop"), HorzTop);
    const bool vert = writeList(ini, QStringLiteral("VertTop"), VertTop);
    return horz && vert;
}

QStringList ReadIniList(const IniFile &ini, const QString &section, const QString &prefix, int last, int first)
{
    QStringList list;
    for (int i = first; i <= last; ++i)
        list << ini.ReadString(section, prefix + QString::number(i), QString());
    return list;
}
