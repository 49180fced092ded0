#pragma once
// The recent-projects list kept in section "recent" of the settings file, and the small list
// helpers it is made of.
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

class IniFile;

constexpr int RecentProjectsRead = 8;  // keys "project1" .. "project8" are read

// True when the list holds the text exactly (case counts).
bool ListContains(const QString &text, const QStringList &list);
// Each entry's first occurrence, in order.
QStringList DedupeList(const QStringList &list);
// The keys prefix + i with entry i (counted from 1) as value, for i from first to the list's count.
QList<std::pair<QString, QString>> IniListKeys(const QStringList &list, int first, const QString &prefix);
// Key prefix + i := entry i (counted from 1) for i from first to the list's count; nothing when the
// count is below first. Erases nothing itself. False when a value could not be written.
bool WriteIniList(const QStringList &list, IniFile &ini, const QString &section, int first, const QString &prefix);

// Keys "project1" .. "project8" of section "recent", in key order; empty values are skipped.
QStringList ReadRecentList(const QString &settingsFile);
// Puts path first: the list read, path in front, duplicates dropped, written back whole under
// "project1", "project2", ... (nine keys at most: the ninth is written and never read). Returns
// false when the settings file could not be written.
bool AddRecentProject(const QString &settingsFile, const QString &path);
