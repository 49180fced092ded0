#include "Temporaries.h"

#include "Errors.h"
#include "FileWrite.h"
#include "Paths.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <signal.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray JournalName = QByteArrayLiteral("journal");
// Far more than the lines of any copy the program makes; a larger journal is none of ours.
constexpr qint64 MaxJournalBytes = qint64(4) << 20;
// Deeper than any tree the program makes; a deeper leftover is left standing.
constexpr int MaxRemoveDepth = 64;

QString ErrorText(int e)
{
    return qt_error_string(e);
}

// An open descriptor, closed when it goes.
class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

private:
    int m_fd;
};

int OpenFolder(int at, const QByteArray &name, bool followLink)
{
    return ::openat(at, name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
}

// The names in an open folder, sorted.
QList<QByteArray> EntriesOf(int folderFd)
{
    QList<QByteArray> names;
    const int fd = ::dup(folderFd);
    if (fd < 0)
        return names;
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return names;
    }
    ::rewinddir(dir);
    while (const dirent *e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool IsFolderAt(int at, const QByteArray &name)
{
    struct stat st;
    return ::fstatat(at, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

// Removes an entry of a folder, a folder with everything in it, never following a link.
bool RemoveTreeAt(int at, const QByteArray &name, int depth = 0)
{
    if (::unlinkat(at, name.constData(), 0) == 0 || errno == ENOENT)
        return true;
    if (errno != EISDIR || depth >= MaxRemoveDepth)
        return false;
    {
        const Fd folder(OpenFolder(at, name, false));
        if (!folder.valid())
            return false;
        for (const QByteArray &entry : EntriesOf(folder.get()))
            RemoveTreeAt(folder.get(), entry, depth + 1);
    }
    return ::unlinkat(at, name.constData(), AT_REMOVEDIR) == 0 || errno == ENOENT;
}

// When a running process started (clock ticks since boot): nullopt when no such process runs (one
// that has ended but not yet been waited for is gone too), 0 when it may run but its start is unknown.
std::optional<quint64> RunningSince(pid_t pid)
{
    const QByteArray path = "/proc/" + QByteArray::number(pid) + "/stat";
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        // /proc may hide another user's processes: only the system's own word counts, and EPERM
        // means the process is there.
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

// Whether the process named in a temporary's name after prefix may still run. Only where no folder
// lock tells: a process in another pid namespace is named by an id that means nothing here. A name
// without an id is an earlier version's, whose writer is gone.
bool WriterMayLive(const QByteArray &fileName, const QString &prefix)
{
    const QStringList parts = QFile::decodeName(fileName).mid(prefix.size()).split(QLatin1Char('-'));
    bool pidOk = false, startOk = false;
    const qint64 pid = parts.size() >= 3 ? parts[0].toLongLong(&pidOk) : 0;
    const quint64 start = parts.size() >= 3 ? parts[1].toULongLong(&startOk) : 0;
    if (!pidOk || !startOk || pid <= 0 || pid > INT_MAX)
        return false;
    const std::optional<quint64> running = RunningSince(pid_t(pid));
    return running && (*running == 0 || *running == start);
}

// Who else works in a folder, as a clean-up there learns it by trying its exclusive lock.
enum class Workers {
    None,   // the lock is held: nobody keeps temporaries there
    Some,   // somebody does: nothing there is a leftover now
    Unknown // the folder cannot be locked: the ids in the names decide
};

Workers ClaimForCleaning(int folderFd)
{
    if (::flock(folderFd, LOCK_EX | LOCK_NB) == 0)
        return Workers::None;
    return errno == EWOULDBLOCK ? Workers::Some : Workers::Unknown;
}

bool IsLeftover(Workers workers, const QByteArray &name, const QString &prefix)
{
    return workers == Workers::None || (workers == Workers::Unknown && !WriterMayLive(name, prefix));
}

// Cleans an open folder: removes its leftovers, then its sub-folders' when recursive.
void CleanFolder(int folderFd, bool recursive, int depth)
{
    QList<QByteArray> subFolders;
    {
        // The claim is a description of its own, given up before the sub-folders are claimed.
        const Fd claim(::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        const Workers workers = claim.valid() ? ClaimForCleaning(claim.get()) : Workers::Unknown;
        const QByteArray prefix = QFile::encodeName(TemporaryPrefix);
        for (const QByteArray &entry : EntriesOf(folderFd)) {
            if (entry.startsWith(prefix)) {
                if (IsLeftover(workers, entry, TemporaryPrefix))
                    RemoveTreeAt(folderFd, entry);
            } else if (recursive && depth < MaxRemoveDepth && IsFolderAt(folderFd, entry)) {
                subFolders << entry;
            }
        }
    }
    for (const QByteArray &sub : subFolders)
        if (const Fd subFd(OpenFolder(folderFd, sub, false)); subFd.valid())
            CleanFolder(subFd.get(), true, depth + 1);
}

// ---- The copy journal --------------------------------------------------------------------------
//
// One line per step, written and on disk before the step touches its target:
//   "<step> old <target>"  the target stood, and is kept in the backup folder as "<step>"
//   "<step> new <target>"  the target did not stand
// with the target percent-encoded, relative to the program folder, and steps numbered from 0. An
// undo adds "undone <step>" once a step is put back; "done" ends a copy that needs no undo.

struct TJournalStep {
    bool Replaced = false;
    QString Target;
    bool Undone = false;
};
struct TJournal {
    QList<TJournalStep> Steps;
    bool Done = false;
};

QByteArray StepLine(int step, bool replaced, const QString &relativeTarget)
{
    return QByteArray::number(step) + (replaced ? " old " : " new ") + relativeTarget.toUtf8().toPercentEncoding() + '\n';
}

QByteArray UndoneLine(int step)
{
    return "undone " + QByteArray::number(step) + '\n';
}

bool ParseStep(const QByteArray &text, int *step)
{
    bool ok = false;
    *step = text.toInt(&ok);
    return ok && *step >= 0 && text == QByteArray::number(*step);
}

// Only complete lines count, each of a form the copy writes; nullopt for any other text.
std::optional<TJournal> ParseJournal(const QByteArray &bytes)
{
    TJournal journal;
    QList<QByteArray> lines = bytes.left(bytes.lastIndexOf('\n') + 1).split('\n');
    lines.removeLast();
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        int step = -1;
        if (line == "done") {
            journal.Done = true;
        } else if (fields.size() == 2 && fields[0] == "undone" && ParseStep(fields[1], &step) && step < journal.Steps.size()) {
            journal.Steps[step].Undone = true;
        } else if (fields.size() == 3 && ParseStep(fields[0], &step) && step == journal.Steps.size()
                   && (fields[1] == "old" || fields[1] == "new") && !fields[2].isEmpty()) {
            journal.Steps << TJournalStep{fields[1] == "old", QString::fromUtf8(QByteArray::fromPercentEncoding(fields[2]))};
        } else {
            return std::nullopt;
        }
    }
    return journal;
}

bool AppendSynced(int fd, const QByteArray &line)
{
    return fd >= 0 && WriteToFile(fd, line.constData(), line.size()).isEmpty() && ::fdatasync(fd) == 0;
}

// Where a journal's target lies: an absolute path without links under the program folder that the
// check allows, or "".
QString CheckedTarget(const QString &programFolder, const QString &relative, const CopyTargetCheck &mayWrite)
{
    if (SafePathUnder(programFolder, relative).isEmpty())
        return QString();
    const QString target = ResolvedPath(NativePath(programFolder, relative), MissingFolders::Made);
    const QString base = ResolvedPath(programFolder, MissingFolders::Made);
    if (target.isEmpty() || base.isEmpty() || !target.startsWith(WithSlash(base)) || !mayWrite(target))
        return QString();
    return target;
}

// Puts a step back: its kept file goes back by a rename, or the file it made goes. "" or why not.
QString UndoStep(int backupFd, int step, const TJournalStep &entry, const QString &target)
{
    const QByteArray path = QFile::encodeName(target);
    struct stat st;
    if (entry.Replaced) {
        const QByteArray kept = QByteArray::number(step);
        // No kept file: the step ended before its target was touched.
        if (::fstatat(backupFd, kept.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT ? QString() : ErrorText(errno);
        if (!S_ISREG(st.st_mode))
            return QStringLiteral("its kept file is not a plain file");
        if (::renameat(backupFd, kept.constData(), AT_FDCWD, path.constData()) != 0)
            return ErrorText(errno);
        SyncFolder(QFileInfo(target).absolutePath());
        return QString();
    }
    if (::lstat(path.constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? QString() : ErrorText(errno);
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("it is no longer the file the copy made");
    if (::unlink(path.constData()) != 0 && errno != ENOENT)
        return ErrorText(errno);
    return QString();
}

// Undoes the steps not yet undone, last first, each noted in the journal once done. What could not
// be put back, a line each.
QStringList UndoJournalSteps(const QString &programFolder, int backupFd, int journalFd, const TJournal &journal,
                             const CopyTargetCheck &mayWrite)
{
    QStringList problems;
    for (int step = int(journal.Steps.size()) - 1; step >= 0; --step) {
        const TJournalStep &entry = journal.Steps[step];
        if (entry.Undone)
            continue;
        const QString target = CheckedTarget(programFolder, entry.Target, mayWrite);
        if (target.isEmpty()) {
            problems << QStringLiteral("\"%1\": no file the copy may write").arg(entry.Target);
            continue;
        }
        if (const QString why = UndoStep(backupFd, step, entry, target); !why.isEmpty()) {
            problems << QStringLiteral("\"%1\": %2").arg(target, why);
            continue;
        }
        AppendSynced(journalFd, UndoneLine(step));
        // What the killed copy left beside its target.
        RemoveLeftoverTemporaries(QFileInfo(target).absolutePath());
    }
    return problems;
}

// Moves a backup folder out of every clean-up's way, under a name of its own in the program folder:
// its path, or "" with the errno in error.
QString SetAside(const QString &programFolder, int programFd, const QByteArray &name, int *error)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString kept =
            QStringLiteral("interrupted-copy-%1%2").arg(stamp, attempt ? QStringLiteral("-%1").arg(attempt) : QString());
        const QByteArray keptName = QFile::encodeName(kept);
        int moved = ::renameat2(programFd, name.constData(), programFd, keptName.constData(), RENAME_NOREPLACE);
        // A system or file system without the flag: the name is looked at first.
        if (moved != 0 && (errno == EINVAL || errno == ENOSYS)
            && ::faccessat(programFd, keptName.constData(), F_OK, AT_SYMLINK_NOFOLLOW) != 0)
            moved = ::renameat(programFd, name.constData(), programFd, keptName.constData());
        if (moved == 0) {
            SyncOpenFolder(programFd, programFolder);
            return WithSlash(programFolder) + kept;
        }
        if (errno != EEXIST) {
            *error = errno;
            return QString();
        }
    }
    *error = EEXIST;
    return QString();
}

// The journal of a backup folder, if it is a plain file of a size a copy writes, opened for the
// undo's notes; nullopt when it is anything else, unread. A folder without one had not begun.
struct TJournalFile {
    int Fd = -1;
    TJournal Journal;
};
enum class JournalState { Missing, Foreign, Read };

JournalState OpenJournal(int backupFd, TJournalFile &file)
{
    struct stat st;
    if (::fstatat(backupFd, JournalName.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? JournalState::Missing : JournalState::Foreign;
    if (!S_ISREG(st.st_mode) || st.st_size > MaxJournalBytes)
        return JournalState::Foreign;
    file.Fd = ::openat(backupFd, JournalName.constData(), O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat opened;
    // Still the file looked at: nothing swapped in meanwhile.
    if (file.Fd < 0 || ::fstat(file.Fd, &opened) != 0 || opened.st_dev != st.st_dev || opened.st_ino != st.st_ino)
        return JournalState::Foreign;
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::pread(file.Fd, buffer, sizeof buffer, bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || bytes.size() + n > MaxJournalBytes)
            return JournalState::Foreign;
        if (n == 0)
            break;
        bytes.append(buffer, n);
    }
    std::optional<TJournal> journal = ParseJournal(bytes);
    if (!journal)
        return JournalState::Foreign;
    file.Journal = *journal;
    return JournalState::Read;
}

void UndoBackupFolder(const QString &programFolder, int programFd, const QByteArray &name,
                      const CopyTargetCheck &mayWrite, TUndoReport &report)
{
    const QString folder = WithSlash(programFolder) + QFile::decodeName(name);
    TJournalFile journal;
    JournalState state = JournalState::Foreign;
    QStringList problems;
    {
        const Fd backups(OpenFolder(programFd, name, false));
        if (!backups.valid()) {
            // Not a folder: none this program made, and nothing in it to believe.
            if (errno == ENOTDIR || errno == ELOOP)
                ::unlinkat(programFd, name.constData(), 0);
            return;
        }
        state = OpenJournal(backups.get(), journal);
        const Fd journalFd(journal.Fd);
        if (state == JournalState::Read && !journal.Journal.Done)
            problems = UndoJournalSteps(programFolder, backups.get(), journalFd.get(), journal.Journal, mayWrite);
    }
    if (state != JournalState::Foreign && problems.isEmpty()) {
        RemoveTreeAt(programFd, name);
        return;
    }
    int error = 0;
    const QString kept = SetAside(programFolder, programFd, name, &error);
    const QString where = kept.isEmpty() ? folder : kept;
    QString text = state == JournalState::Foreign
                       ? QStringLiteral("The folder \"%1\" holds no record of an install or update that this program "
                                        "wrote, and was set aside unread.")
                             .arg(where)
                       : QStringLiteral("An install or update that ended half-way could not be wholly undone. The files "
                                        "it replaced are kept in \"%1\", each named by its line in the file \"journal\" "
                                        "there.\n%2")
                             .arg(where, problems.join(QLatin1Char('\n')));
    if (kept.isEmpty()) {
        report.Pending = true;
        text += QStringLiteral("\nThe folder could not be set aside: %1").arg(ErrorText(error));
    }
    report.Messages << text;
}

// A new backup folder with its journal, both on disk with their names: the folder's descriptor
// and the journal's, or an Exception.
struct TBackupFolder {
    QByteArray Name;
    int Fd = -1;
    int JournalFd = -1;
};

TBackupFolder MakeBackupFolder(const QString &programFolder, int programFd)
{
    TBackupFolder made;
    int error = 0;
    for (int attempt = 0; attempt < 100 && made.Name.isEmpty(); ++attempt) {
        const QByteArray name = QFile::encodeName(CopyBackupPrefix + OwnProcessTag() + QLatin1Char('-') + RandomPart());
        if (::mkdirat(programFd, name.constData(), 0700) == 0)
            made.Name = name;
        else if ((error = errno) != EEXIST)
            break;
    }
    if (!made.Name.isEmpty()) {
        made.Fd = OpenFolder(programFd, made.Name, false);
        if (made.Fd >= 0)
            made.JournalFd = ::openat(made.Fd, JournalName.constData(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0600);
        error = made.JournalFd < 0 ? errno : SyncOpenFolder(made.Fd, WithSlash(programFolder) + QFile::decodeName(made.Name));
        if (!error)
            error = SyncOpenFolder(programFd, programFolder);
    }
    if (made.Name.isEmpty() || error) {
        if (made.JournalFd >= 0)
            ::close(made.JournalFd);
        if (made.Fd >= 0)
            ::close(made.Fd);
        if (!made.Name.isEmpty())
            RemoveTreeAt(programFd, made.Name);
        throw Exception(QStringLiteral("Cannot create a temporary folder: %1").arg(ErrorText(error)));
    }
    return made;
}

// Keeps a target under a second name in the backup folder: a hard link, which takes no room, or a
// copy where the file system has none. "" or why not.
QString KeepAside(const QString &target, const TBackupFolder &backups, int step, const QString &programFolder)
{
    const QByteArray kept = QByteArray::number(step);
    if (::linkat(AT_FDCWD, QFile::encodeName(target).constData(), backups.Fd, kept.constData(), 0) != 0) {
        if (errno != EXDEV && errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK)
            return ErrorText(errno);
        QString why;
        if (!TryCopyFileWhole(target, WithSlash(programFolder) + QFile::decodeName(backups.Name + '/' + kept),
                              FileSync::Durable, &why))
            return why;
    }
    const int e = SyncOpenFolder(backups.Fd, WithSlash(programFolder) + QFile::decodeName(backups.Name));
    return e ? ErrorText(e) : QString();
}

} // namespace

const QString TemporaryPrefix = QStringLiteral(".tolvanar-tmp-");
const QString CopyBackupPrefix = QStringLiteral(".tolvanar-backup-");

QString TemporaryName(const QString &folder)
{
    return WithSlash(folder) + TemporaryPrefix + OwnProcessTag() + QLatin1Char('-') + RandomPart();
}

QString TemporaryTemplate(const QString &folder)
{
    return WithSlash(folder) + TemporaryPrefix + OwnProcessTag() + QStringLiteral("-XXXXXX");
}

TFolderInUse::TFolderInUse(const QString &folder)
    : m_fd(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
    if (m_fd < 0)
        return;
    // A clean-up holds a folder for a moment; one that holds it longer is not waited for.
    const QDeadlineTimer deadline(5000);
    while (::flock(m_fd, LOCK_SH | LOCK_NB) != 0 && (errno == EWOULDBLOCK || errno == EINTR) && !deadline.hasExpired())
        QThread::msleep(2);
}

TFolderInUse::~TFolderInUse()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void RemoveLeftoverTemporaries(const QString &folder, bool recursive)
{
    // An empty name would stand for the working folder.
    if (folder.isEmpty())
        return;
    try {
        if (const Fd folderFd(OpenFolder(AT_FDCWD, QFile::encodeName(folder), true)); folderFd.valid())
            CleanFolder(folderFd.get(), recursive, 0);
    } catch (...) {
        // A clean-up that cannot finish leaves leftovers, nothing worse.
    }
}

TCopyFailure CopyAllOrNothing(const QString &programFolder, const QList<TCopyStep> &steps,
                              const std::function<void()> &beforeUndo)
{
    const QDir base(programFolder);
    QSet<QString> folders;
    qint64 journalSize = 5;
    for (int i = 0; i < steps.size(); ++i) {
        folders.insert(QFileInfo(steps[i].Target).absolutePath());
        journalSize += StepLine(i, true, base.relativeFilePath(steps[i].Target)).size() + UndoneLine(i).size();
    }
    // No journal of ours is larger than an undo believes one can be.
    if (journalSize > MaxJournalBytes)
        throw Exception(QStringLiteral("Cannot copy %1 files at once.").arg(steps.size()));
    for (const QString &folder : folders)
        RemoveLeftoverTemporaries(folder);

    const TFolderInUse inUse(programFolder);
    const Fd programFd(OpenFolder(AT_FDCWD, QFile::encodeName(programFolder), true));
    if (!programFd.valid())
        throw Exception(QStringLiteral("Cannot create a temporary folder: %1").arg(ErrorText(errno)));
    const TBackupFolder backups = MakeBackupFolder(programFolder, programFd.get());
    const Fd backupFd(backups.Fd), journalFd(backups.JournalFd);
    TJournal journal; // the steps begun
    QSet<QString> begun;
    const CopyTargetCheck ownTargets = [&begun](const QString &target) { return begun.contains(target); };
    const auto undo = [&](const QString &failed, const QString &reason) {
        if (beforeUndo)
            beforeUndo();
        TCopyFailure failure{failed, reason, QString()};
        const QStringList problems = UndoJournalSteps(programFolder, backupFd.get(), journalFd.get(), journal, ownTargets);
        if (problems.isEmpty()) {
            RemoveTreeAt(programFd.get(), backups.Name);
            return failure;
        }
        int error = 0;
        const QString kept = SetAside(programFolder, programFd.get(), backups.Name, &error);
        failure.NotPutBack = QStringLiteral("What it replaced could not all be put back; the old files are kept in \"%1\", "
                                            "each named by its line in the file \"journal\" there.\n%2")
                              .arg(kept.isEmpty() ? WithSlash(programFolder) + QFile::decodeName(backups.Name) : kept,
                                   problems.join(QLatin1Char('\n')));
        return failure;
    };

    for (int i = 0; i < steps.size(); ++i) {
        const TCopyStep &step = steps[i];
        const QString relative = base.relativeFilePath(step.Target);
        const QString target = ResolvedPath(step.Target, MissingFolders::Made);
        if (target.isEmpty() || SafePathUnder(programFolder, relative).isEmpty())
            return undo(step.Target, QStringLiteral("it lies outside the program folder"));
        struct stat st;
        const bool standing = ::lstat(QFile::encodeName(step.Target).constData(), &st) == 0;
        if (standing && !S_ISREG(st.st_mode))
            return undo(step.Target, QStringLiteral("it is not a plain file"));
        if (!AppendSynced(journalFd.get(), StepLine(i, standing, relative)))
            return undo(step.Target, ErrorText(errno));
        journal.Steps << TJournalStep{standing, relative};
        begun.insert(target);
        if (standing)
            if (const QString why = KeepAside(step.Target, backups, i, programFolder); !why.isEmpty())
                return undo(step.Target, why);
        QString why;
        if (!QDir().mkpath(QFileInfo(step.Target).absolutePath()))
            return undo(step.Target, QStringLiteral("its folder cannot be made"));
        if (!TryCopyFileWhole(step.Source, step.Target, FileSync::Durable, &why))
            return undo(step.Target, why);
    }
    if (!AppendSynced(journalFd.get(), "done\n"))
        return undo(steps.isEmpty() ? programFolder : steps.last().Target, ErrorText(errno));
    RemoveTreeAt(programFd.get(), backups.Name);
    return TCopyFailure();
}

TUndoReport UndoInterruptedCopies(const QString &programFolder, const CopyTargetCheck &mayWrite)
{
    TUndoReport report;
    const Fd programFd(OpenFolder(AT_FDCWD, QFile::encodeName(programFolder), true));
    if (!programFd.valid())
        return report;
    const Workers workers = ClaimForCleaning(programFd.get());
    // A running copy's folder is its own.
    if (workers == Workers::Some)
        return report;
    const QByteArray prefix = QFile::encodeName(CopyBackupPrefix);
    for (const QByteArray &name : EntriesOf(programFd.get()))
        if (name.startsWith(prefix) && IsLeftover(workers, name, CopyBackupPrefix))
            UndoBackupFolder(programFolder, programFd.get(), name, mayWrite, report);
    return report;
}
