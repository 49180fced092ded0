#include "FreedesktopMime.h"

#include "FileWrite.h"
#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Database files larger than this are not ours to read through.
constexpr qint64 MaxGlobFileSize = 16 * 1024 * 1024;

QByteArray readSmallFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > MaxGlobFileSize)
        return QByteArray();
    return f.readAll();
}

// globs2 lines are "weight:type:glob[:flags]", globs lines "type:glob"; "#" starts a comment.
bool globFileHas(const QString &path, int globField, const QString &glob)
{
    const QByteArray bytes = readSmallFile(path);
    for (const QByteArray &rawLine : bytes.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split(':');
        if (fields.size() > globField && !fields[globField - 1].isEmpty()
            && QString::fromUtf8(fields[globField]).compare(glob, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool packagesName(const QString &folder, const QString &glob)
{
    const QDir dir(folder);
    const QString needle = QStringLiteral("pattern=\"%1\"").arg(glob);
    for (const QFileInfo &fi : dir.entryInfoList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
        const QString text = QString::fromUtf8(readSmallFile(fi.absoluteFilePath()));
        if (text.contains(needle, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QStringList absoluteEntries(const QString &list)
{
    QStringList out;
    for (const QString &entry : list.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(entry))
            out << entry;
    return out;
}

} // namespace

XdgDataPaths XdgDataPathsFromEnvironment()
{
    XdgDataPaths p;
    const QString home = qEnvironmentVariable("XDG_DATA_HOME");
    p.dataHome = QDir::isAbsolutePath(home) ? home : QDir::homePath() + QStringLiteral("/.local/share");
    p.dataDirs = absoluteEntries(qEnvironmentVariable("XDG_DATA_DIRS"));
    if (p.dataDirs.isEmpty())
        p.dataDirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    return p;
}

bool MimeDatabaseKnowsExtension(const XdgDataPaths &paths, const QString &ext)
{
    const QString glob = QStringLiteral("*.") + ext;
    QStringList roots{paths.dataHome};
    roots += paths.dataDirs;
    for (const QString &root : roots) {
        if (root.isEmpty())
            continue;
        const QString mime = WithSlash(root) + QStringLiteral("mime/");
        if (globFileHas(mime + QStringLiteral("globs2"), 2, glob) || globFileHas(mime + QStringLiteral("globs"), 1, glob))
            return true;
    }
    return !paths.dataHome.isEmpty() && packagesName(WithSlash(paths.dataHome) + QStringLiteral("mime/packages"), glob);
}

bool WriteFileReplacing(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return TryWriteFileWhole(path, bytes);
}

QString DesktopEntryEscape(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        default: out += c;
        }
    }
    if (out.startsWith(QLatin1Char(' ')))
        out.replace(0, 1, QStringLiteral("\\s"));
    return out;
}

QString DesktopExecArgument(const QString &argument)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            out += QLatin1Char('%');
        out += c;
    }
    return out + QLatin1Char('"');
}

ToolRun RunMimeDatabaseUpdate(const QString &mimeFolder, int timeoutMs, const QString &tool)
{
    const QString program = QDir::isAbsolutePath(tool) ? (QFileInfo(tool).isExecutable() ? tool : QString())
                                                       : QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return ToolRun::Missing;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, {mimeFolder});
    if (!process.waitForStarted(timeoutMs))
        return ToolRun::Failed;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return ToolRun::TimedOut;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? ToolRun::Finished : ToolRun::Failed;
}
