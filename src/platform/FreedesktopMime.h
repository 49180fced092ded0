#pragma once
// The freedesktop side of file types: where the shared MIME database and desktop entries live, what
// the database already knows, and its update tool.
#include <QByteArray>
#include <QString>
#include <QStringList>

struct XdgDataPaths {
    QString dataHome;     // $XDG_DATA_HOME, default ~/.local/share
    QStringList dataDirs; // $XDG_DATA_DIRS, default /usr/local/share, /usr/share
};

// From the environment, with the defaults of the base-directory rules (relative entries are ignored).
XdgDataPaths XdgDataPathsFromEnvironment();

// True when some MIME database of dataHome or dataDirs maps the glob "*." + ext (without case) to a
// type, in its globs2 or globs file, or when a package file of dataHome/mime/packages names that
// glob (a package written before the database could be rebuilt).
bool MimeDatabaseKnowsExtension(const XdgDataPaths &paths, const QString &ext);

// Writes the bytes through a temporary file beside the target, making its folder when missing.
bool WriteFileReplacing(const QString &path, const QByteArray &bytes);

// The value of a desktop-entry key as the entry's escape rules want it (\s \n \t \r \\).
QString DesktopEntryEscape(const QString &value);
// One argument of an Exec key: quoted, with ", `, $ and \ escaped, and % doubled.
QString DesktopExecArgument(const QString &argument);

enum class ToolRun { Missing, Finished, Failed, TimedOut };

// Runs update-mime-database (or the tool given) on the folder and waits at most timeoutMs; a tool
// that takes longer is killed. Missing: no such program on PATH.
ToolRun RunMimeDatabaseUpdate(const QString &mimeFolder, int timeoutMs = 15000,
                              const QString &tool = QStringLiteral("update-mime-database"));
