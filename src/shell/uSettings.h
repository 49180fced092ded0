#pragma once
// The settings file "tolvanar.ini" of the program folder. Every reader and writer opens the file by
// its path and releases it; each write reaches the disk at once. A missing file or key reads as
// the default. A new file is UTF-8, so no path loses characters.
#include <QString>
#include <QStringList>
#include <cstdint>

class IniFile;

// The options section while the program runs; fields carry the names of their keys.
struct TOptions {
    int32_t SpecificButtonsOnTop = 0; // the specific-set lists apply only when 1; kept as read
    bool RecentButtonsOnTop = false;
    bool LatestButtonsOnTop = false;
    int32_t HorzMenuDynamic = 0;      // width mode 0..3, kept as read
    int32_t HorzMenuCustomValue = 1004;
    int32_t VertMenuDynamic = 0;      // height mode 0..3, kept as read
    int32_t VertMenuCustomValue = 1004;
    QString PublishPath;
    QString ProjectPath;
    bool UseLastPublishPath = false;
    bool UseLastProjectPath = false;
    bool UseActiveContentJS = false;
    bool ShowSecureReminder = true;
};

extern TOptions Options;

// appDir is the program folder, with or without its trailing "/".
QString SettingsFileName(const QString &appDir);
QString DefaultPublishPath(const QString &appDir);
QString DefaultProjectPath(const QString &appDir);

// The language named in the settings; "" when none.
QString ReadLanguageSetting(const QString &appDir);
bool WriteLanguageSetting(const QString &appDir, const QString &name);

// PublishPath, ProjectPath, UseLastPublishPath, UseLastProjectPath, UseActiveContentJS and
// ShowSecureReminder.
void ReadPathOptions(const QString &appDir, TOptions &options);
// The seven list and size integers, then the four on-top lists (HorzTop, VertTop, HorzTopSpec,
// VertTopSpec of uGlobal.h): the recent lists only when RecentButtonsOnTop or LatestButtonsOnTop is
// on, the specific lists only when SpecificButtonsOnTop is 1; a specific name leaves the recent list.
void ReadMenuListOptions(const QString &appDir, TOptions &options);
// Every field into "options". Returns false when a value could not be written (the others are).
bool WriteOptions(const QString &appDir, const TOptions &options);
// HorzTop and VertTop into their sections as keys "1", "2", ..., replacing what the sections held,
// when RecentButtonsOnTop or LatestButtonsOnTop is on (otherwise the lists were never read).
bool WriteOnTopLists(const QString &appDir, const TOptions &options);

// The values of keys prefix + first .. prefix + last, in that order, empty ones included.
QStringList ReadIniList(const IniFile &ini, const QString &section, const QString &prefix, int last, int first);
