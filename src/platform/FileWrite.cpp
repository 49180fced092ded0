#include "FileWrite.h"

#include "Errors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool CommitWhole(QSaveFile &file)
{
    if (file.flush())
        return file.commit();
    file.cancelWriting();
    file.commit(); // discards the temporary file
    return false;
}

bool TryWriteFileWhole(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && CommitWhole(out))
        return true;
    if (error)
        *error = out.errorString();
    return false;
}

void WriteFileWhole(const QString &path, const QByteArray &bytes)
{
    QString error;
    if (!TryWriteFileWhole(path, bytes, &error))
        throw Exception(QStringLiteral("Cannot create file \"%1\". %2").arg(path, error));
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
