#include "FileWrite.h"

#include "Errors.h"
#include "Paths.h"
#include "Descriptor.h"
#include "Temporaries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <functional>
#include <limits.h>
#include <utility>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int WriteAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        size -= n;
    }
    return 0;
}

int CopyByReading(int in, int out)
{
    static constexpr size_t Chunk = 1 << 20;
    QByteArray buffer(qsizetype(Chunk), Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), Chunk);
        if (n == 0)
            return 0;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (const int e = WriteAll(out, buffer.constData(), n))
            return e;
    }
}

// The kernel copies, within the file system without passing the bytes through the program.
int CopyByKernel(int in, int out)
{
    bool copied = false;
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size_t(1) << 30, 0);
        if (n == 0)
            return 0;
        if (n > 0) {
            copied = true;
            continue;
        }
        if (errno == EINTR)
            continue;
        // Across file systems or where the call is not offered, the bytes go through the program.
        if (!copied && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL))
            return CopyByReading(in, out);
        return errno;
    }
}

QString ErrorText(int e)
{
    return e ? qt_error_string(e) : QString();
}

// Whether the user acting now may write the file: the folder's permissions alone would let the
// rename replace a file marked read-only.
bool MayWrite(const QByteArray &path)
{
    return ::faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) == 0;
}

// Gives the finished temporary file its permission bits and, for a durable write, puts it on disk.
// 0 or the errno of the failure.
int Settle(int folder, const QByteArray &temp, mode_t mode, FileSync sync)
{
    if (sync == FileSync::Unsynced)
        return ::fchmodat(folder, temp.constData(), mode, 0) == 0 ? 0 : errno;
    const Fd fd(::openat(folder, temp.constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid())
        return errno;
    return ::fchmod(fd.get(), mode) == 0 && ::fsync(fd.get()) == 0 ? 0 : errno;
}

int SyncFolderBySystem(int fd, const QString &)
{
    return ::fsync(fd) == 0 ? 0 : errno;
}

FolderSyncFunction folderSync = SyncFolderBySystem;

// Whether the file already holds exactly these bytes.
bool HoldsBytes(const QString &path, const QByteArray &bytes)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly) || in.size() != bytes.size())
        return false;
    static constexpr qsizetype Chunk = 1 << 16;
    for (qsizetype at = 0; at < bytes.size(); at += Chunk) {
        const QByteArray part = in.read(Chunk);
        if (part.isEmpty() || QByteArrayView(bytes).sliced(at, part.size()) != part)
            return false;
    }
    return in.read(1).isEmpty();
}

} // namespace

int SyncOpenFolder(int fd, const QString &folder)
{
    // A descriptor that only names the folder cannot sync it.
    const Fd readable(::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!readable.valid())
        return 0;
    const int e = folderSync(readable.get(), folder);
    return e == EINVAL || e == EOPNOTSUPP ? 0 : e;
}

int SyncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    const int e = SyncOpenFolder(fd, folder);
    ::close(fd);
    return e;
}

QString CopyFileContents(int in, int out)
{
    return ErrorText(CopyByKernel(in, out));
}

QString WriteToFile(int fd, const char *data, qsizetype size)
{
    return ErrorText(WriteAll(fd, data, size));
}

FolderSyncFunction SetFolderSync(FolderSyncFunction sync)
{
    return std::exchange(folderSync, sync ? std::move(sync) : FolderSyncFunction(SyncFolderBySystem));
}

namespace {

QByteArray ProcFdPath(int fd)
{
    return "/proc/self/fd/" + QByteArray::number(fd);
}

// The path an open descriptor stands for, as the system keeps it: "" where it cannot tell.
QByteArray PathOfFd(int fd)
{
    QByteArray buffer(PATH_MAX, Qt::Uninitialized);
    const ssize_t n = ::readlink(ProcFdPath(fd).constData(), buffer.data(), size_t(buffer.size()));
    if (n <= 0 || n >= buffer.size() || buffer[0] != '/')
        return QByteArray();
    buffer.truncate(n);
    return buffer;
}

// "a/b/c" as "a/b" and "c", "c" as "." and "c", "/c" as "/" and "c".
std::pair<QByteArray, QByteArray> SplitLast(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return {".", path};
    return {slash == 0 ? QByteArray("/") : path.left(slash), path.mid(slash + 1)};
}

// Where a write lands: the folder, open, and the entry in it that the new file replaces.
struct TWriteTarget {
    Fd Folder;
    QByteArray Name;
    QByteArray FolderPath; // as the system keeps it, else as given
    QString ShownFolder;   // the same, for messages
    bool Replacing = false;
    struct stat Old {};
};

// Finds where the system writes path (relative to at): it opens the name itself, so a link is
// followed exactly where the system follows one for this user (the protection of links in sticky
// folders included), and the real file is taken from the descriptor. 0 or the system's errno.
int FindWriteTarget(int at, const QByteArray &path, TWriteTarget &target, int links = 0)
{
    // As many links as the system itself follows in one lookup.
    static constexpr int MaxLinks = 40;
    if (path.isEmpty())
        return ENOENT;
    if (path.endsWith('/')) {
        struct stat st;
        if (::fstatat(at, path.constData(), &st, 0) != 0)
            return errno == ENOENT ? EISDIR : errno;
        return S_ISDIR(st.st_mode) ? EISDIR : ENOTDIR;
    }
    auto [dir, name] = SplitLast(path);
    if (name == "." || name == "..")
        return EISDIR;
    Fd folder(::openat(at, dir.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid())
        return errno;
    const Fd file(::openat(folder.get(), name.constData(), O_PATH | O_CLOEXEC));
    struct stat st, entry;
    if (file.valid()) {
        if (::fstat(file.get(), &st) != 0 || ::fstatat(folder.get(), name.constData(), &entry, AT_SYMLINK_NOFOLLOW) != 0)
            return errno;
        if (S_ISDIR(st.st_mode))
            return EISDIR;
        if (S_ISLNK(entry.st_mode)) {
            const auto [realDir, realName] = SplitLast(PathOfFd(file.get()));
            folder = Fd(::open(realDir.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
            name = realName;
            // Still the file the system opened: not moved meanwhile.
            if (!folder.valid() || ::fstatat(folder.get(), name.constData(), &entry, AT_SYMLINK_NOFOLLOW) != 0
                || entry.st_dev != st.st_dev || entry.st_ino != st.st_ino)
                return ENOENT;
        }
        target.Replacing = true;
        target.Old = st;
    } else if (errno == ENOENT && ::fstatat(folder.get(), name.constData(), &entry, AT_SYMLINK_NOFOLLOW) == 0
               && S_ISLNK(entry.st_mode)) {
        // A link the system follows to a file that is not there: the file is made where it leads.
        if (links >= MaxLinks)
            return ELOOP;
        QByteArray to(PATH_MAX, Qt::Uninitialized);
        const ssize_t n = ::readlinkat(folder.get(), name.constData(), to.data(), size_t(to.size()));
        if (n <= 0)
            return n == 0 ? ENOENT : errno;
        to.truncate(n);
        return FindWriteTarget(folder.get(), to, target, links + 1);
    } else if (errno != ENOENT) {
        return errno;
    }
    target.FolderPath = PathOfFd(folder.get());
    if (target.FolderPath.isEmpty())
        target.FolderPath = dir;
    target.ShownFolder = QFile::decodeName(target.FolderPath);
    target.Folder = std::move(folder);
    target.Name = name;
    return 0;
}

// The path a writer that takes a name uses for an entry of the folder: the folder's path where that
// names it exactly, else the path through the open descriptor.
QString PathForWriters(const TWriteTarget &target, const QByteArray &name)
{
    const QByteArray path = target.FolderPath + (target.FolderPath.endsWith('/') ? "" : "/") + name;
    const QString shown = QFile::decodeName(path);
    return QFile::encodeName(shown) == path ? shown : QFile::decodeName(ProcFdPath(target.Folder.get()) + '/' + name);
}

WriteOutcome ReplaceTarget(const TWriteTarget &target, const FileFiller &fill, FileSync sync, QString *error)
{
    const auto fail = [error](const QString &text, WriteOutcome outcome = WriteOutcome::Failed) {
        if (error)
            *error = text;
        return outcome;
    };
    const int folder = target.Folder.get();
    const QString finalName = WithSlash(target.ShownFolder) + QFile::decodeName(target.Name);
    if (target.Replacing && S_ISDIR(target.Old.st_mode))
        return fail(QSaveFile::tr("Filename refers to a directory"));
    // The folder's permissions alone would let the rename replace a file marked read-only.
    if (target.Replacing && ::faccessat(folder, target.Name.constData(), W_OK, AT_EACCESS) != 0)
        return fail(QSaveFile::tr("Existing file %1 is not writable").arg(finalName));

    // Held until the temporary file is gone again, by a rename or on failure.
    const TFolderInUse inUse(folder, target.ShownFolder);
    if (inUse.Error())
        return fail(ErrorText(inUse.Error()));
    QByteArray temp;
    Fd fd;
    for (int attempt = 0; !fd.valid() && attempt < 100; ++attempt) {
        temp = inUse.NewName();
        fd = Fd(::openat(folder, temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd.valid() && errno != EEXIST)
            return fail(ErrorText(errno));
    }
    if (!fd.valid())
        return fail(ErrorText(EEXIST));

    QString reason;
    try {
        reason = fill(fd.get(), PathForWriters(target, temp));
    } catch (...) {
        fd.reset();
        ::unlinkat(folder, temp.constData(), 0);
        throw;
    }
    if (::close(fd.release()) != 0 && reason.isEmpty())
        reason = ErrorText(errno);
    // By name: a writer may have made the file anew under it.
    if (reason.isEmpty())
        reason = ErrorText(Settle(folder, temp, target.Replacing ? target.Old.st_mode & 07777 : mode_t(NewFileMode()), sync));
    if (reason.isEmpty() && ::renameat(folder, temp.constData(), folder, target.Name.constData()) != 0)
        reason = ErrorText(errno);
    if (!reason.isEmpty()) {
        ::unlinkat(folder, temp.constData(), 0);
        return fail(reason);
    }
    // The new name itself is on disk only once the folder is.
    if (sync == FileSync::Durable)
        if (const int e = SyncOpenFolder(folder, target.ShownFolder))
            return fail(QStringLiteral("The file \"%1\" was written, but its folder could not be synced: %2")
                            .arg(finalName, ErrorText(e)),
                        WriteOutcome::WrittenNotSynced);
    return WriteOutcome::Written;
}

} // namespace

WriteOutcome TryReplaceFileWhole(const QString &path, const FileFiller &fill, FileSync sync, QString *error)
{
    TWriteTarget target;
    if (const int refused = FindWriteTarget(AT_FDCWD, QFile::encodeName(path), target)) {
        if (error)
            *error = refused == EISDIR ? QSaveFile::tr("Filename refers to a directory") : ErrorText(refused);
        return WriteOutcome::Failed;
    }
    return ReplaceTarget(target, fill, sync, error);
}

WriteOutcome TryReplaceFileAt(int folderFd, const QByteArray &name, const QString &shownFolder, const FileFiller &fill,
                              FileSync sync, QString *error)
{
    TWriteTarget target;
    target.Folder = Fd(::fcntl(folderFd, F_DUPFD_CLOEXEC, 0));
    target.Name = name;
    target.FolderPath = QFile::encodeName(shownFolder);
    target.ShownFolder = shownFolder;
    // A link there goes like a missing file: replaced, never followed.
    target.Replacing = ::fstatat(folderFd, name.constData(), &target.Old, AT_SYMLINK_NOFOLLOW) == 0
                       && !S_ISLNK(target.Old.st_mode);
    return ReplaceTarget(target, fill, sync, error);
}

Fd OpenWriteFolder(const QString &path, int *error)
{
    TWriteTarget target;
    *error = FindWriteTarget(AT_FDCWD, QFile::encodeName(path), target);
    return std::move(target.Folder);
}

bool TryWriteFileWhole(const QString &path, const QByteArray &bytes, QString *error, FileSync sync)
{
    // A file made again at every refresh mostly comes out as it was: the same bytes need no new file.
    // Only where a write would have been allowed, so a refused one is still reported.
    if (sync == FileSync::Unsynced && MayWrite(QFile::encodeName(path))
        && MayWrite(QFile::encodeName(QFileInfo(path).absolutePath())) && HoldsBytes(path, bytes))
        return true;
    return TryReplaceFileWhole(
               path, [&bytes](int fd, const QString &) { return WriteToFile(fd, bytes.constData(), bytes.size()); },
               sync, error)
           == WriteOutcome::Written;
}

void WriteFileWhole(const QString &path, const QByteArray &bytes, FileSync sync)
{
    QString error;
    if (!TryWriteFileWhole(path, bytes, &error, sync))
        throw Exception(QStringLiteral("Cannot create file \"%1\". %2").arg(path, error));
}

bool TryCopyFileWhole(const QString &source, const QString &target, FileSync sync, QString *error)
{
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        if (error)
            *error = ErrorText(errno);
        return false;
    }
    const bool ok = TryReplaceFileWhole(
                        target, [in](int fd, const QString &) { return CopyFileContents(in, fd); }, sync, error)
                    == WriteOutcome::Written;
    ::close(in);
    return ok;
}

unsigned NewFileMode()
{
    // Read where it can be, since setting it to learn it would race with other threads' files.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const unsigned mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return 0666 & ~mask;
            }
        }
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~unsigned(mask);
}
