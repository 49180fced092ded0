#include "SingleInstance.h"

#include "Paths.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

} // namespace

SingleInstanceLock::SingleInstanceLock(const QString &folder)
    : m_fileName(WithSlash(folder) + QLatin1String(LockFileName))
{
}

SingleInstanceLock::~SingleInstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

InstanceLock SingleInstanceLock::Acquire()
{
    if (m_held)
        return InstanceLock::Acquired;
    m_error.clear();
    if (m_fd < 0) {
        const QByteArray path = QFile::encodeName(m_fileName);
        do
            m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        while (m_fd < 0 && errno == EINTR);
        if (m_fd < 0) {
            m_error = QStringLiteral("cannot open the lock file %1: %2").arg(m_fileName, systemError(errno));
            return InstanceLock::Failed;
        }
        // Only this user may open it: another one could otherwise hold it and keep the program from
        // starting. An earlier version made it readable to all.
        ::fchmod(m_fd, 0600);
    }
    int rc;
    do
        rc = ::flock(m_fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        m_held = true;
        return InstanceLock::Acquired;
    }
    if (errno == EWOULDBLOCK)
        return InstanceLock::AlreadyRunning;
    m_error = QStringLiteral("cannot lock %1: %2").arg(m_fileName, systemError(errno));
    return InstanceLock::Failed;
}
