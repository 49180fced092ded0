#include "CopyJournal.h"

#include "Descriptor.h"
#include "Errors.h"
#include "FileWrite.h"
#include "Messages.h"
#include "Paths.h"
#include "Temporaries.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <optional>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray JournalName = QByteArrayLiteral("journal");
// Held by the copy while it runs: only this user can open it.
const QByteArray LockName = QByteArrayLiteral("lock");
// Far more than the lines of any copy the program makes; a larger journal is none of ours.
constexpr qint64 MaxJournalBytes = qint64(4) << 20;
// A message names this many targets, then says how many more there are.
constexpr int MaxNamedProblems = 20;
// Folders kept open at once while an undo walks its targets.
constexpr size_t MaxOpenFolders = 64;

QString ErrorText(int e)
{
    return qt_error_string(e);
}

// ---- The journal -------------------------------------------------------------------------------
//
// One line per step, written and on disk before the step touches its target:
//   "<step> old <target>"  the target stood, and is kept in the backup folder as "<step>"
//   "<step> new <target>"  the target did not stand
//   "folder <folder>"      a folder is about to be made for the steps after it
// with each path percent-encoded, relative to the program folder without links, and steps numbered
// from 0. An undo adds "undone <step>" once a step is put back; "done" ends a copy that needs none.

struct TJournalStep {
    bool Replaced = false;
    QString Target;
    bool Undone = false;
};
struct TJournal {
    QList<TJournalStep> Steps;
    QStringList Folders; // in the order they were made
    bool Done = false;
};

QByteArray Encoded(const QString &relative)
{
    return relative.toUtf8().toPercentEncoding("/");
}

QByteArray StepLine(int step, bool replaced, const QString &relative)
{
    return QByteArray::number(step) + (replaced ? " old " : " new ") + Encoded(relative) + '\n';
}

QByteArray FolderLine(const QString &relative)
{
    return "folder " + Encoded(relative) + '\n';
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
        } else if (fields.size() == 2 && fields[0] == "folder" && !fields[1].isEmpty()) {
            journal.Folders << QString::fromUtf8(QByteArray::fromPercentEncoding(fields[1]));
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

// The parts of a journal's relative path; none when it has a part that could lead elsewhere.
QList<QByteArray> PartsOf(const QString &relative)
{
    QList<QByteArray> parts;
    for (const QString &part : relative.split(QLatin1Char('/'))) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..") || part.contains(QChar(0)))
            return {};
        parts << QFile::encodeName(part);
    }
    return parts;
}

QString FolderOf(const QString &relative)
{
    const qsizetype slash = relative.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : relative.left(slash);
}

// Opens a folder under the program folder by its parts, never through a link, so that a folder
// swapped for one after a check leads nowhere. With a journal, a missing folder is made, noted
// there first. Invalid with the errno in error when it cannot be reached.
Fd OpenFolderUnder(int programFd, const QList<QByteArray> &parts, int *error, int journalFd = -1,
                   TJournal *journal = nullptr)
{
    Fd at(::fcntl(programFd, F_DUPFD_CLOEXEC, 0));
    QStringList walked;
    for (const QByteArray &part : parts) {
        walked << QFile::decodeName(part);
        Fd next(::openat(at.get(), part.constData(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!next.valid() && errno == ENOENT && journal) {
            const QString made = walked.join(QLatin1Char('/'));
            if (!AppendSynced(journalFd, FolderLine(made))) {
                *error = errno;
                return Fd();
            }
            journal->Folders << made;
            if (::mkdirat(at.get(), part.constData(), 0777) != 0 && errno != EEXIST) {
                *error = errno;
                return Fd();
            }
            next = Fd(::openat(at.get(), part.constData(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        }
        if (!next.valid()) {
            *error = errno;
            return Fd();
        }
        at = std::move(next);
    }
    return at;
}

QString ProblemsText(const QStringList &problems)
{
    return JoinAtMost(problems, MaxNamedProblems, QStringLiteral("\n"));
}

// ---- The undo ----------------------------------------------------------------------------------

// Puts a kept file back where a rename cannot: the copy replaces the target whole, or, where there
// is no room for both, comes in once the target is gone. The kept file stays until the undo is done.
QString CopyBack(int keptFd, int folderFd, const QByteArray &name, const QString &shownFolder)
{
    const auto copy = [&] {
        QString why;
        const auto fill = [keptFd](int out, const QString &) {
            return ::lseek(keptFd, 0, SEEK_SET) == 0 ? CopyFileContents(keptFd, out) : ErrorText(errno);
        };
        TryReplaceFileAt(folderFd, name, shownFolder, fill, FileSync::Durable, &why);
        return why;
    };
    QString why = copy();
    if (!why.isEmpty() && ::unlinkat(folderFd, name.constData(), 0) == 0)
        why = copy();
    return why;
}

// Puts a step back: its kept file goes back, or the file it made goes. "" or why not.
QString UndoStep(int backupFd, int step, const TJournalStep &entry, int folderFd, const QByteArray &name,
                 const QString &shownFolder)
{
    struct stat st, target;
    if (entry.Replaced) {
        const QByteArray kept = QByteArray::number(step);
        // No kept file: the step ended before its target was touched, or was put back.
        if (::fstatat(backupFd, kept.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT ? QString() : ErrorText(errno);
        if (!S_ISREG(st.st_mode))
            return QStringLiteral("its kept file is not a plain file");
        if (st.st_nlink != 1) {
            // Still a second name of the target: the step ended before the target was replaced.
            if (::fstatat(folderFd, name.constData(), &target, AT_SYMLINK_NOFOLLOW) == 0 && target.st_dev == st.st_dev
                && target.st_ino == st.st_ino)
                return ::unlinkat(backupFd, kept.constData(), 0) == 0 ? QString() : ErrorText(errno);
            return QStringLiteral("its kept file has other names");
        }
        if (::renameat(backupFd, kept.constData(), folderFd, name.constData()) == 0)
            return QString();
        if (errno != EXDEV)
            return ErrorText(errno);
        const Fd in(::openat(backupFd, kept.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (!in.valid())
            return ErrorText(errno);
        return CopyBack(in.get(), folderFd, name, shownFolder);
    }
    if (::fstatat(folderFd, name.constData(), &target, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? QString() : ErrorText(errno);
    if (!S_ISREG(target.st_mode))
        return QStringLiteral("it is no longer the file the copy made");
    if (::unlinkat(folderFd, name.constData(), 0) != 0 && errno != ENOENT)
        return ErrorText(errno);
    return QString();
}

struct TUndoPlace {
    int ProgramFd;
    QString Root; // the program folder's path without links
    int BackupFd;
    int JournalFd;
};

// Undoes the steps not yet undone, last first, then removes the folders the copy made. Every
// folder touched is synced once, before the journal notes what was undone. What could not be put
// back, a line each.
QStringList UndoJournal(const TUndoPlace &place, const TJournal &journal, const CopyTargetCheck &mayWrite)
{
    QStringList problems;
    std::map<QString, Fd> folders; // by relative path; "" is the program folder
    const auto folderFd = [&](const QString &relative, int *error) {
        if (const auto it = folders.find(relative); it != folders.end())
            return it->second.get();
        if (folders.size() >= MaxOpenFolders)
            folders.clear();
        Fd fd = OpenFolderUnder(place.ProgramFd, relative.isEmpty() ? QList<QByteArray>() : PartsOf(relative), error);
        const int raw = fd.get();
        if (fd.valid())
            folders.emplace(relative, std::move(fd));
        return raw;
    };
    QSet<QString> touched;
    QSet<QString> stepFolders; // of the steps a copy may have written
    QByteArray notes;
    for (int step = int(journal.Steps.size()) - 1; step >= 0; --step) {
        const TJournalStep &entry = journal.Steps[step];
        if (entry.Undone)
            continue;
        const QList<QByteArray> parts = PartsOf(entry.Target);
        const QString target = WithSlash(place.Root) + entry.Target;
        if (parts.isEmpty() || !mayWrite(target)) {
            problems << QStringLiteral("\"%1\": no file the copy may write").arg(entry.Target);
            continue;
        }
        const QString relativeFolder = FolderOf(entry.Target);
        stepFolders.insert(relativeFolder);
        int error = 0;
        const int fd = folderFd(relativeFolder, &error);
        QString why;
        if (fd < 0)
            why = entry.Replaced || error != ENOENT ? ErrorText(error) : QString();
        else
            why = UndoStep(place.BackupFd, step, entry, fd, parts.last(), QFileInfo(target).absolutePath());
        if (!why.isEmpty()) {
            problems << QStringLiteral("\"%1\": %2").arg(target, why);
            continue;
        }
        touched.insert(relativeFolder);
        notes += UndoneLine(step);
    }
    // A folder the copy made goes once empty again, the last made first.
    for (auto it = journal.Folders.crbegin(); it != journal.Folders.crend(); ++it) {
        const bool onAStepsWay = std::any_of(stepFolders.cbegin(), stepFolders.cend(), [&](const QString &f) {
            return f == *it || f.startsWith(*it + QLatin1Char('/'));
        });
        const QList<QByteArray> parts = PartsOf(*it);
        int error = 0;
        if (!onAStepsWay || parts.isEmpty())
            continue;
        const QString parent = FolderOf(*it);
        if (const int fd = folderFd(parent, &error); fd >= 0 && ::unlinkat(fd, parts.last().constData(), AT_REMOVEDIR) == 0) {
            folders.erase(*it);
            touched.insert(parent);
        }
    }
    // What the killed copy left beside its targets goes with it.
    for (const QString &relative : touched) {
        int error = 0;
        if (const int fd = folderFd(relative, &error); fd >= 0) {
            RemoveLeftoverTemporariesAt(fd);
            SyncOpenFolder(fd, WithSlash(place.Root) + relative);
        }
    }
    SyncOpenFolder(place.BackupFd, QString());
    if (!notes.isEmpty())
        AppendSynced(place.JournalFd, notes);
    return problems;
}

// Moves a backup folder out of every clean-up's way, under a name of its own in the program folder:
// its path, or "" with the errno in error.
QString SetAside(const QString &programFolder, int programFd, const QByteArray &name, int *error)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString kept = QStringLiteral("interrupted-copy-") + stamp;
        if (attempt > 0)
            kept += QStringLiteral("-%1").arg(QRandomGenerator::global()->bounded(100000000), 8, 10, QLatin1Char('0'));
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
        if (errno != EEXIST && errno != ENOTEMPTY) {
            *error = errno;
            return QString();
        }
    }
    *error = EEXIST;
    return QString();
}

enum class JournalState {
    Missing,    // the copy had not begun
    Foreign,    // none a copy of this program writes
    Unwritable, // the copy's own, but it cannot be written now
    Read
};
struct TJournalFile {
    Fd File;
    TJournal Journal;
    int Error = 0; // why it cannot be written
};

// The journal of a backup folder, if it is a plain file of its own of a size a copy writes, opened
// for the undo's notes. Anything else is left unread.
JournalState OpenJournal(int backupFd, TJournalFile &file)
{
    struct stat st, opened;
    if (::fstatat(backupFd, JournalName.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? JournalState::Missing : JournalState::Foreign;
    if (!S_ISREG(st.st_mode) || st.st_nlink != 1 || st.st_uid != ::geteuid() || st.st_size > MaxJournalBytes)
        return JournalState::Foreign;
    file.File = Fd(::openat(backupFd, JournalName.constData(), O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!file.File.valid()) {
        file.Error = errno;
        if (errno != EACCES && errno != EROFS && errno != EPERM)
            return JournalState::Foreign;
        file.File = Fd(::openat(backupFd, JournalName.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    }
    // Still the file looked at: nothing swapped in meanwhile.
    if (!file.File.valid() || ::fstat(file.File.get(), &opened) != 0 || opened.st_dev != st.st_dev
        || opened.st_ino != st.st_ino || opened.st_nlink != 1)
        return JournalState::Foreign;
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::pread(file.File.get(), buffer, sizeof buffer, bytes.size());
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
    file.Journal = std::move(*journal);
    return file.Error ? JournalState::Unwritable : JournalState::Read;
}

void UndoBackupFolder(const QString &programFolder, const QString &root, int programFd, const QByteArray &name,
                      const CopyTargetCheck &mayWrite, TUndoReport &report)
{
    const QString folder = WithSlash(programFolder) + QFile::decodeName(name);
    const auto pending = [&](const QString &why) {
        report.Pending << QStringLiteral("An install or update that ended half-way is still to be undone from \"%1\", "
                                         "and cannot be now: %2. Nothing is installed or updated until it is.")
                              .arg(folder, why);
    };
    struct stat st;
    if (::fstatat(programFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    // A file or link of that name is none of ours: it goes unread.
    if (!S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()) {
        ::unlinkat(programFd, name.constData(), 0);
        return;
    }
    TJournalFile journal;
    JournalState state = JournalState::Foreign;
    QStringList problems;
    {
        const Fd backups(S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()
                             ? ::openat(programFd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)
                             : -1);
        Fd held;
        int error = 0;
        if (backups.valid()) {
            switch (LockFile::Test(backups.get(), LockName, &held, &error)) {
            case LockFile::Holder::Running:
                report.Running = true;
                return;
            case LockFile::Holder::Unknown:
                pending(QStringLiteral("whether a program still copies there cannot be told (%1)").arg(ErrorText(error)));
                return;
            case LockFile::Holder::Ended:
                break;
            }
            state = OpenJournal(backups.get(), journal);
        } else if (S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()) {
            pending(QStringLiteral("the folder cannot be read (%1)").arg(ErrorText(errno)));
            return;
        }
        if (state == JournalState::Unwritable) {
            pending(QStringLiteral("its journal cannot be written (%1)").arg(ErrorText(journal.Error)));
            return;
        }
        if (state == JournalState::Read && !journal.Journal.Done)
            problems = UndoJournal({programFd, root, backups.get(), journal.File.get()}, journal.Journal, mayWrite);
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
                             .arg(where, ProblemsText(problems));
    if (kept.isEmpty())
        report.Pending << text + QStringLiteral("\nThe folder could not be set aside: %1").arg(ErrorText(error));
    else
        report.Messages << text;
}

// ---- The copy ----------------------------------------------------------------------------------

// A new backup folder with its lock and journal, both on disk with their names, or an Exception.
// It is made under a temporary's name and given its own once whole, so that no undo ever meets
// it half made.
struct TBackupFolder {
    QByteArray Name;
    QString Path;
    Fd Folder;
    Fd Lock;
    Fd Journal;
};

TBackupFolder MakeBackupFolder(const QString &programFolder, int programFd)
{
    TBackupFolder made;
    const TFolderInUse inUse(programFd, programFolder);
    int error = inUse.Error();
    const QByteArray temp = inUse.NewName();
    bool exists = false;
    if (!error) {
        exists = ::mkdirat(programFd, temp.constData(), 0700) == 0;
        error = exists ? 0 : errno;
    }
    if (!error) {
        made.Folder = Fd(::openat(programFd, temp.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        error = made.Folder.valid() ? 0 : errno;
    }
    if (!error)
        made.Lock = LockFile::Make(made.Folder.get(), LockName, &error);
    if (!error) {
        made.Journal = Fd(::openat(made.Folder.get(), JournalName.constData(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0600));
        error = made.Journal.valid() ? 0 : errno;
    }
    if (!error)
        error = SyncOpenFolder(made.Folder.get(), programFolder);
    if (!error) {
        made.Name = QFile::encodeName(CopyBackupPrefix) + temp.mid(QFile::encodeName(TemporaryPrefix).size());
        made.Path = WithSlash(programFolder) + QFile::decodeName(made.Name);
        if (::renameat(programFd, temp.constData(), programFd, made.Name.constData()) != 0)
            error = errno;
    }
    if (!error)
        error = SyncOpenFolder(programFd, programFolder);
    if (error) {
        if (exists)
            RemoveTreeAt(programFd, made.Name.isEmpty() ? temp : made.Name);
        throw Exception(QStringLiteral("Cannot create a temporary folder: %1").arg(ErrorText(error)));
    }
    return made;
}

// Keeps a target under a second name in the backup folder: a hard link, which takes no room, or a
// copy where the file system has none. "" or why not.
QString KeepAside(int folderFd, const QByteArray &name, const TBackupFolder &backups, int step)
{
    const QByteArray kept = QByteArray::number(step);
    if (::linkat(folderFd, name.constData(), backups.Folder.get(), kept.constData(), 0) != 0) {
        if (errno != EXDEV && errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK)
            return ErrorText(errno);
        const Fd in(::openat(folderFd, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (!in.valid())
            return ErrorText(errno);
        QString why;
        if (TryReplaceFileAt(backups.Folder.get(), kept, backups.Path,
                             [&in](int out, const QString &) { return CopyFileContents(in.get(), out); },
                             FileSync::Durable, &why)
            != WriteOutcome::Written)
            return why;
    }
    const int e = SyncOpenFolder(backups.Folder.get(), backups.Path);
    return e ? ErrorText(e) : QString();
}

} // namespace

const QString CopyBackupPrefix = QStringLiteral(".tolvanar-backup-");

TCopyFailure CopyAllOrNothing(const QString &programFolder, const QList<TCopyStep> &steps,
                              const std::function<void()> &beforeUndo)
{
    const QDir base(programFolder);
    const QString root = ResolvedPath(programFolder);
    QSet<QString> folders;
    qint64 journalSize = 5;
    for (int i = 0; i < steps.size(); ++i) {
        folders.insert(QFileInfo(steps[i].Target).absolutePath());
        const QByteArray line = StepLine(i, true, base.relativeFilePath(steps[i].Target));
        journalSize += 2 * line.size() + UndoneLine(i).size();
    }
    // No journal of ours is larger than an undo believes one can be.
    if (journalSize > MaxJournalBytes || root.isEmpty())
        throw Exception(QStringLiteral("Cannot copy %1 files at once.").arg(steps.size()));
    for (const QString &folder : folders)
        RemoveLeftoverTemporaries(folder);

    const Fd programFd(::open(QFile::encodeName(programFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!programFd.valid())
        throw Exception(QStringLiteral("Cannot create a temporary folder: %1").arg(ErrorText(errno)));
    const TBackupFolder backups = MakeBackupFolder(programFolder, programFd.get());
    TJournal journal; // the steps begun
    QSet<QString> begun;
    const CopyTargetCheck ownTargets = [&begun](const QString &target) { return begun.contains(target); };
    const auto undo = [&](const QString &failed, const QString &reason) {
        if (beforeUndo)
            beforeUndo();
        TCopyFailure failure{failed, reason, QString()};
        const QStringList problems =
            UndoJournal({programFd.get(), root, backups.Folder.get(), backups.Journal.get()}, journal, ownTargets);
        if (problems.isEmpty()) {
            RemoveTreeAt(programFd.get(), backups.Name);
            return failure;
        }
        int error = 0;
        const QString kept = SetAside(programFolder, programFd.get(), backups.Name, &error);
        failure.NotPutBack = QStringLiteral("What it replaced could not all be put back; the old files are kept in \"%1\", "
                                            "each named by its line in the file \"journal\" there.\n%2")
                                 .arg(kept.isEmpty() ? backups.Path : kept, ProblemsText(problems));
        return failure;
    };

    for (int i = 0; i < steps.size(); ++i) {
        const TCopyStep &step = steps[i];
        const QString target = ResolvedPath(step.Target);
        if (target.isEmpty() || !target.startsWith(WithSlash(root))
            || SafePathUnder(programFolder, base.relativeFilePath(step.Target)).isEmpty())
            return undo(step.Target, QStringLiteral("it lies outside the program folder"));
        const QString relative = target.mid(WithSlash(root).size());
        const QList<QByteArray> parts = PartsOf(relative);
        if (parts.isEmpty())
            return undo(step.Target, QStringLiteral("it lies outside the program folder"));
        int error = 0;
        const Fd folder = OpenFolderUnder(programFd.get(), parts.mid(0, parts.size() - 1), &error,
                                          backups.Journal.get(), &journal);
        if (!folder.valid())
            return undo(step.Target, QStringLiteral("its folder cannot be made: %1").arg(ErrorText(error)));
        const QByteArray &name = parts.last();
        struct stat st;
        const bool standing = ::fstatat(folder.get(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
        if (standing && !S_ISREG(st.st_mode))
            return undo(step.Target, QStringLiteral("it is not a plain file"));
        if (!AppendSynced(backups.Journal.get(), StepLine(i, standing, relative)))
            return undo(step.Target, ErrorText(errno));
        journal.Steps << TJournalStep{standing, relative};
        begun.insert(target);
        if (standing)
            if (const QString why = KeepAside(folder.get(), name, backups, i); !why.isEmpty())
                return undo(step.Target, why);
        const Fd in(::open(QFile::encodeName(step.Source).constData(), O_RDONLY | O_CLOEXEC));
        QString why = in.valid() ? QString() : ErrorText(errno);
        if (in.valid())
            TryReplaceFileAt(folder.get(), name, QFileInfo(target).absolutePath(),
                             [&in](int out, const QString &) { return CopyFileContents(in.get(), out); },
                             FileSync::Durable, &why);
        if (!why.isEmpty())
            return undo(step.Target, why);
    }
    if (!AppendSynced(backups.Journal.get(), "done\n"))
        return undo(steps.isEmpty() ? programFolder : steps.last().Target, ErrorText(errno));
    RemoveTreeAt(programFd.get(), backups.Name);
    return TCopyFailure();
}

TUndoReport UndoInterruptedCopies(const QString &programFolder, const CopyTargetCheck &mayWrite)
{
    TUndoReport report;
    const Fd programFd(::open(QFile::encodeName(programFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const QString root = ResolvedPath(programFolder);
    if (!programFd.valid() || root.isEmpty())
        return report;
    const QByteArray prefix = QFile::encodeName(CopyBackupPrefix);
    QList<QByteArray> names = FolderEntries(programFd.get());
    std::sort(names.begin(), names.end());
    for (const QByteArray &name : names)
        if (name.startsWith(prefix))
            UndoBackupFolder(programFolder, root, programFd.get(), name, mayWrite, report);
    return report;
}
