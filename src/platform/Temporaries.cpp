#include "Temporaries.h"

#include "Errors.h"
#include "FileWrite.h"
#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <signal.h>
#include <unistd.h>

namespace {

const QString JournalName = QStringLiteral("journal");

// When a running process started (clock ticks since boot): nullopt when no such process runs (one
// that has ended but not yet been waited for is gone too), 0 when it runs but its start is unknown.
std::optional<quint64> RunningSince(pid_t pid)
{
    const QByteArray path = "/proc/" + QByteArray::number(pid) + "/stat";
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT && ::access("/proc/self/stat", F_OK) == 0)
            return std::nullopt;
        // Without /proc the system still tells whether the process exists.
        if (::kill(pid, 0) != 0 && errno == ESRCH)
            return std::nullopt;
        return 0;
    }
    char buffer[1024];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    const QByteArray text(buffer, n > 0 ? n : 0);
    // The command name in parentheses may hold blanks and parentheses of its own.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return 0;
    if (fields[0] == "Z" || fields[0] == "X")
        return std::nullopt;
    return fields[19].toULongLong();
}

// "<pid>-<start>": tells this process from any other, and from one that had its id before.
QString OwnProcessTag()
{
    static QMutex mutex;
    static pid_t taggedPid = 0;
    static QString tag;
    const QMutexLocker lock(&mutex);
    // A forked child is a process of its own.
    if (const pid_t pid = ::getpid(); pid != taggedPid) {
        taggedPid = pid;
        tag = QStringLiteral("%1-%2").arg(pid).arg(RunningSince(pid).value_or(0));
    }
    return tag;
}

QString RandomPart()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString part;
    for (int i = 0; i < 8; ++i)
        part += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return part;
}

struct TJournalEntry {
    QByteArray Backup; // the backup's name in the journal's folder, "" when the target was new
    QString Target;    // relative to the folder that holds the journal's folder
};

// Puts back what a journal in folder records as replaced, last first. True when everything was put
// back or nothing was to be: the copies finished, or the folder holds no journal.
bool UndoJournal(const QString &folder)
{
    QFile journal(WithSlash(folder) + JournalName);
    if (!journal.open(QIODevice::ReadOnly))
        return true;
    QList<TJournalEntry> entries;
    for (const QByteArray &line : journal.readAll().split('\n')) {
        if (line == "done")
            return true;
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 3)
            continue; // a line cut off by the kill: its step had not begun
        entries << TJournalEntry{fields[1] == "old" ? fields[0] : QByteArray(),
                                 QString::fromUtf8(QByteArray::fromPercentEncoding(fields[2]))};
    }
    const QString base = QFileInfo(folder).absolutePath();
    bool whole = true;
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        const QString target = SafePathUnder(base, it->Target);
        if (target.isEmpty())
            continue;
        if (!it->Backup.isEmpty()) {
            // No backup: the step was killed before its target was touched.
            const QString backup = WithSlash(folder) + QString::fromLatin1(it->Backup);
            if (QFileInfo(backup).isFile() && !TryCopyFileWhole(backup, target, FileSync::Durable))
                whole = false;
        } else if (::unlink(QFile::encodeName(target).constData()) != 0 && errno != ENOENT) {
            whole = false;
        }
        // What the killed copy left beside its target. The folder holding the journal is being
        // cleaned by whoever undoes it.
        if (const QString beside = QFileInfo(target).absolutePath(); beside != base)
            RemoveLeftoverTemporaries(beside);
    }
    return whole;
}

} // namespace

const QString TemporaryPrefix = QStringLiteral(".tolvanar-tmp-");

QString TemporaryName(const QString &folder)
{
    return WithSlash(folder) + TemporaryPrefix + OwnProcessTag() + QLatin1Char('-') + RandomPart();
}

QString TemporaryTemplate(const QString &folder)
{
    return WithSlash(folder) + TemporaryPrefix + OwnProcessTag() + QStringLiteral("-XXXXXX");
}

bool TemporaryWriterMayLive(const QString &fileName)
{
    // "<pid>-<start>-<random>"; a name without them is an earlier version's, whose writer is gone.
    const QStringList parts = fileName.mid(TemporaryPrefix.size()).split(QLatin1Char('-'));
    bool pidOk = false, startOk = false;
    const qint64 pid = parts.size() >= 3 ? parts[0].toLongLong(&pidOk) : 0;
    const quint64 start = parts.size() >= 3 ? parts[1].toULongLong(&startOk) : 0;
    if (!fileName.startsWith(TemporaryPrefix) || !pidOk || !startOk || pid <= 0 || pid > INT_MAX)
        return false;
    const std::optional<quint64> running = RunningSince(pid_t(pid));
    return running && (*running == 0 || *running == start);
}

void RemoveLeftoverTemporaries(const QString &folder, bool recursive)
{
    // An empty name would stand for the working folder.
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    for (const QFileInfo &entry :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        if (entry.fileName().startsWith(TemporaryPrefix)) {
            if (TemporaryWriterMayLive(entry.fileName()))
                continue;
            if (!entry.isDir() || entry.isSymLink())
                QFile::remove(entry.filePath());
            else if (UndoJournal(entry.filePath())) // the backups are the only copy until then
                QDir(entry.filePath()).removeRecursively();
        } else if (recursive && entry.isDir() && !entry.isSymLink()) {
            RemoveLeftoverTemporaries(entry.filePath(), true);
        }
    }
}

QString CopyAllOrNothing(const QString &backupFolder, const QList<TCopyStep> &steps)
{
    QSet<QString> folders;
    for (const TCopyStep &step : steps)
        folders.insert(QFileInfo(step.Target).absolutePath());
    for (const QString &folder : folders)
        RemoveLeftoverTemporaries(folder);
    QTemporaryDir backups(TemporaryTemplate(backupFolder));
    if (!backups.isValid())
        throw Exception(QStringLiteral("Cannot create a temporary folder: %1").arg(backups.errorString()));
    const int journal = ::open(QFile::encodeName(backups.filePath(JournalName)).constData(),
                               O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (journal < 0)
        throw Exception(QStringLiteral("Cannot create a temporary file: %1").arg(qt_error_string(errno)));
    // Each line is on disk before the step it announces changes anything.
    const auto note = [journal](const QByteArray &line) {
        return WriteToFile(journal, line.constData(), line.size()).isEmpty() && ::fdatasync(journal) == 0;
    };
    const auto undo = [&](const QString &failed) {
        ::close(journal);
        // Kept while a replaced file could not be put back: the next clean-up tries again.
        if (!UndoJournal(backups.path()))
            backups.setAutoRemove(false);
        return failed;
    };
    const QDir base(backupFolder);
    for (int i = 0; i < steps.size(); ++i) {
        const TCopyStep &step = steps[i];
        const QFileInfo target(step.Target);
        const QString relative = base.relativeFilePath(step.Target);
        const bool replacing = target.exists() || target.isSymLink();
        const QString backup = backups.filePath(QString::number(i));
        const bool ok = !SafePathUnder(backupFolder, relative).isEmpty()
                        && (!replacing || (target.isFile() && !target.isSymLink()))
                        && note(QByteArray::number(i) + (replacing ? " old " : " new ")
                                + relative.toUtf8().toPercentEncoding() + '\n')
                        && (!replacing || TryCopyFileWhole(step.Target, backup, FileSync::Durable))
                        && QDir().mkpath(target.absolutePath())
                        && TryCopyFileWhole(step.Source, step.Target, FileSync::Durable);
        if (!ok)
            return undo(step.Target);
    }
    if (!note("done\n"))
        return undo(steps.isEmpty() ? QString() : steps.last().Target);
    ::close(journal);
    return QString();
}
