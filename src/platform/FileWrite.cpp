#include "FileWrite.h"

#include "Errors.h"
#include "Paths.h"
#include "Temporaries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <functional>
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
int Settle(const QByteArray &temp, mode_t mode, FileSync sync)
{
    if (sync == FileSync::Unsynced)
        return ::chmod(temp.constData(), mode) == 0 ? 0 : errno;
    const int fd = ::open(temp.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int e = ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0 ? 0 : errno;
    if (::close(fd) != 0 && !e)
        e = errno;
    return e;
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
    const int e = folderSync(fd, folder);
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

QString WriteToFile(int fd, const char *data, qsizetype size)
{
    return ErrorText(WriteAll(fd, data, size));
}

FolderSyncFunction SetFolderSync(FolderSyncFunction sync)
{
    return std::exchange(folderSync, sync ? std::move(sync) : FolderSyncFunction(SyncFolderBySystem));
}

WriteOutcome TryReplaceFileWhole(const QString &path, const FileFiller &fill, FileSync sync, QString *error)
{
    const auto fail = [error](const QString &text, WriteOutcome outcome = WriteOutcome::Failed) {
        if (error)
            *error = text;
        return outcome;
    };
    int refused = 0;
    const QString finalName = ResolvedPath(path, MissingFolders::Refused, &refused);
    if (finalName.isEmpty())
        return fail(ErrorText(refused));
    const QByteArray target = QFile::encodeName(finalName);
    struct stat old {};
    const bool replacing = ::stat(target.constData(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode))
        return fail(QSaveFile::tr("Filename refers to a directory"));
    if (replacing && !MayWrite(target))
        return fail(QSaveFile::tr("Existing file %1 is not writable").arg(finalName));

    const QString folder = QFileInfo(finalName).absolutePath();
    // Held until the temporary file is gone again, by a rename or on failure.
    const TFolderInUse inUse(folder);
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = QFile::encodeName(TemporaryName(folder));
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return fail(ErrorText(errno));
    }
    if (fd < 0)
        return fail(ErrorText(EEXIST));

    QString reason;
    try {
        reason = fill(fd, QFile::decodeName(temp));
    } catch (...) {
        ::close(fd);
        ::unlink(temp.constData());
        throw;
    }
    if (::close(fd) != 0 && reason.isEmpty())
        reason = ErrorText(errno);
    // By name: a writer may have made the file anew under it.
    if (reason.isEmpty())
        reason = ErrorText(Settle(temp, replacing ? old.st_mode & 07777 : mode_t(NewFileMode()), sync));
    if (reason.isEmpty() && ::rename(temp.constData(), target.constData()) != 0)
        reason = ErrorText(errno);
    if (!reason.isEmpty()) {
        ::unlink(temp.constData());
        return fail(reason);
    }
    // The new name itself is on disk only once the folder is.
    if (sync == FileSync::Durable)
        if (const int e = SyncFolder(folder))
            return fail(QStringLiteral("The file \"%1\" was written, but its folder could not be synced: %2")
                            .arg(finalName, ErrorText(e)),
                        WriteOutcome::WrittenNotSynced);
    return WriteOutcome::Written;
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
                        target, [in](int fd, const QString &) { return ErrorText(CopyByKernel(in, fd)); }, sync, error)
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
