#include "FileWrite.h"

#include "Errors.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Fills the open temporary file; returns 0 or the errno of the failure.
using Filler = std::function<int(int fd)>;

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
    return qt_error_string(e);
}

// The new content is written into a fresh file beside the target, which then takes the target's
// name. As the toolkit's save file: a link is replaced at its target, a folder or a read-only file is
// refused, the old file's permissions are kept.
bool ReplaceWhole(const QString &path, const Filler &fill, FileSync sync, QString *error)
{
    const auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    QFileInfo info(path);
    const QString finalName = info.isSymLink() && !info.symLinkTarget().isEmpty() ? info.symLinkTarget() : path;
    info = QFileInfo(finalName);
    if (info.isDir())
        return fail(QSaveFile::tr("Filename refers to a directory"));
    if (info.exists() && !info.isWritable())
        return fail(QSaveFile::tr("Existing file %1 is not writable").arg(finalName));

    const QByteArray target = QFile::encodeName(finalName);
    struct stat old {};
    const bool replacing = ::stat(target.constData(), &old) == 0;
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = target + ".tmp" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            return fail(ErrorText(errno));
    }
    if (fd < 0)
        return fail(ErrorText(EEXIST));

    int e = fill(fd);
    if (!e && replacing && ::fchmod(fd, old.st_mode & 07777) != 0)
        e = errno;
    if (!e && sync == FileSync::Durable && ::fsync(fd) != 0)
        e = errno;
    if (::close(fd) != 0 && !e)
        e = errno;
    if (!e && ::rename(temp.constData(), target.constData()) != 0)
        e = errno;
    if (e) {
        ::unlink(temp.constData());
        return fail(ErrorText(e));
    }
    return true;
}

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

bool TryWriteFileWhole(const QString &path, const QByteArray &bytes, QString *error, FileSync sync)
{
    // A file made again at every refresh mostly comes out as it was: the same bytes need no new file.
    // Only where a write would have been allowed, so a refused one is still reported.
    const QFileInfo info(path);
    if (sync == FileSync::Unsynced && info.isWritable() && QFileInfo(info.absolutePath()).isWritable()
        && HoldsBytes(path, bytes))
        return true;
    return ReplaceWhole(
        path, [&bytes](int fd) { return WriteAll(fd, bytes.constData(), bytes.size()); }, sync, error);
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
    const bool ok = ReplaceWhole(target, [in](int fd) { return CopyByKernel(in, fd); }, sync, error);
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

namespace {

bool syncPath(const QByteArray &path, int flags)
{
    const int fd = ::open(path.constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

bool ReplaceWithSyncedFile(const QString &temp, const QString &target, QString *error)
{
    const QByteArray from = QFile::encodeName(temp);
    const QByteArray to = QFile::encodeName(target);
    struct stat old;
    const unsigned mode = ::stat(to.constData(), &old) == 0 ? unsigned(old.st_mode & 07777) : NewFileMode();
    const bool ok = ::chmod(from.constData(), mode_t(mode)) == 0 && syncPath(from, O_RDONLY)
                    && ::rename(from.constData(), to.constData()) == 0;
    if (!ok) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    // The rename itself is on disk only once the folder is.
    syncPath(QFile::encodeName(QFileInfo(target).absolutePath()), O_RDONLY | O_DIRECTORY);
    return true;
}
