#include "Temporaries.h"

#include "Paths.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Deeper than any tree the program makes; a deeper leftover is left standing.
constexpr int MaxRemoveDepth = 64;

QByteArray Prefix()
{
    return QFile::encodeName(TemporaryPrefix);
}

int OpenFolderAt(int at, const QByteArray &name, bool followLink)
{
    return ::openat(at, name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
}

} // namespace

QList<QByteArray> FolderEntries(int folderFd)
{
    QList<QByteArray> names;
    const int fd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return names;
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return names;
    }
    while (const dirent *e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    ::closedir(dir);
    return names;
}

namespace {

bool RemoveTreeAt(int at, const QByteArray &name, int depth)
{
    if (::unlinkat(at, name.constData(), 0) == 0 || errno == ENOENT)
        return true;
    if (errno != EISDIR || depth >= MaxRemoveDepth)
        return false;
    if (const Fd folder(OpenFolderAt(at, name, false)); folder.valid())
        for (const QByteArray &entry : FolderEntries(folder.get()))
            RemoveTreeAt(folder.get(), entry, depth + 1);
    return ::unlinkat(at, name.constData(), AT_REMOVEDIR) == 0 || errno == ENOENT;
}

// "<pid>-<start>": tells this process from any other, and from one that had its id before.
QByteArray OwnProcessTag()
{
    static QMutex mutex;
    static pid_t taggedPid = 0;
    static QByteArray tag;
    const QMutexLocker lock(&mutex);
    // A forked child is a process of its own.
    if (const pid_t pid = ::getpid(); pid != taggedPid) {
        taggedPid = pid;
        QByteArray start = "0";
        QFile stat(QStringLiteral("/proc/self/stat"));
        if (stat.open(QIODevice::ReadOnly)) {
            // The command name in parentheses may hold blanks and parentheses of its own.
            const QByteArray text = stat.read(1024);
            const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
            if (fields.size() > 19)
                start = fields[19];
        }
        tag = QByteArray::number(pid) + '-' + start;
    }
    return tag;
}

QByteArray RandomPart()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray part;
    for (int i = 0; i < 8; ++i)
        part += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return part;
}

// The lock file that names a temporary's writer: the prefix and the next three parts of the name
// ("<pid>-<start>-<random>"). A name of fewer parts, an earlier version's, stands for itself.
QByteArray LockNameOf(const QByteArray &entry)
{
    qsizetype at = Prefix().size();
    for (int part = 0; part < 3; ++part) {
        at = entry.indexOf('-', at);
        if (at < 0)
            return entry;
        if (part < 2)
            ++at;
    }
    return entry.left(at);
}

bool IsOwnEntry(const struct stat &st)
{
    return st.st_uid == ::geteuid();
}

} // namespace

const QString TemporaryPrefix = QStringLiteral(".tolvanar-tmp-");

bool RemoveTreeAt(int folderFd, const QByteArray &name)
{
    return RemoveTreeAt(folderFd, name, 0);
}

Fd LockFile::Make(int folderFd, const QByteArray &name, int *error)
{
    Fd fd(::openat(folderFd, name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.valid()) {
        *error = errno;
        return fd;
    }
    // A clean-up that opened the new file before it was locked takes it for an ended writer's: it
    // then holds the lock, or has removed the name, and this one is given up.
    struct stat made, named;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 || ::fstat(fd.get(), &made) != 0
        || ::fstatat(folderFd, name.constData(), &named, AT_SYMLINK_NOFOLLOW) != 0 || made.st_dev != named.st_dev
        || made.st_ino != named.st_ino) {
        *error = EEXIST;
        return Fd();
    }
    return fd;
}

LockFile::Holder LockFile::Test(int folderFd, const QByteArray &name, Fd *held, int *error)
{
    Fd fd(::openat(folderFd, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid()) {
        if (error)
            *error = errno;
        // Out of descriptors or memory: nothing can be told. Anything else (no such file, a link, a
        // file this user may not open) is no lock of this user's writers.
        return errno == EMFILE || errno == ENFILE || errno == ENOMEM || errno == EINTR ? Holder::Unknown
                                                                                         : Holder::Ended;
    }
    struct stat st;
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || !IsOwnEntry(st) || st.st_nlink != 1)
        return Holder::Ended;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        if (error)
            *error = errno;
        return errno == EWOULDBLOCK ? Holder::Running : Holder::Unknown;
    }
    *held = std::move(fd);
    return Holder::Ended;
}

TFolderInUse::TFolderInUse(const QString &folder)
    : TFolderInUse(Fd(::open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC)).get(), folder)
{
}

TFolderInUse::TFolderInUse(int folderFd, const QString &shown)
    : m_folder(folderFd >= 0 ? ::fcntl(folderFd, F_DUPFD_CLOEXEC, 0) : -1), m_shown(shown)
{
    if (!m_folder.valid()) {
        m_error = errno;
        return;
    }
    for (int attempt = 0; attempt < 100 && !m_lock.valid(); ++attempt) {
        m_name = Prefix() + OwnProcessTag() + '-' + RandomPart();
        m_error = 0;
        m_lock = LockFile::Make(m_folder.get(), m_name, &m_error);
        if (!m_lock.valid() && m_error != EEXIST)
            return;
    }
}

TFolderInUse::~TFolderInUse()
{
    // The name goes first: an unlocked name would be taken for an ended writer's.
    if (m_lock.valid())
        ::unlinkat(m_folder.get(), m_name.constData(), 0);
}

QByteArray TFolderInUse::NewName() const
{
    return m_name + '-' + RandomPart();
}

QString TFolderInUse::Template() const
{
    return WithSlash(m_shown) + QFile::decodeName(m_name) + QStringLiteral("-XXXXXX");
}

namespace {

void CleanFolder(int folderFd, Leftovers kinds)
{
    const QByteArray prefix = Prefix();
    // Each ended writer's lock is held while what it left goes, the lock file itself last.
    QHash<QByteArray, QList<QByteArray>> byWriter;
    for (const QByteArray &entry : FolderEntries(folderFd))
        if (entry.startsWith(prefix))
            byWriter[LockNameOf(entry)] << entry;
    for (auto it = byWriter.begin(); it != byWriter.end(); ++it) {
        Fd held;
        if (LockFile::Test(folderFd, it.key(), &held) != LockFile::Holder::Ended)
            continue;
        QList<QByteArray> entries = it.value();
        std::sort(entries.begin(), entries.end(), [](const QByteArray &a, const QByteArray &b) { return a.size() > b.size(); });
        for (const QByteArray &entry : entries) {
            struct stat st;
            if (::fstatat(folderFd, entry.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !IsOwnEntry(st))
                continue;
            if (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))
                ::unlinkat(folderFd, entry.constData(), 0);
            else if (S_ISDIR(st.st_mode) && kinds == Leftovers::FilesAndFolders)
                RemoveTreeAt(folderFd, entry);
        }
    }
}

} // namespace

void RemoveLeftoverTemporaries(const QString &folder, Leftovers kinds, const QString &below)
{
    // An empty name would stand for the working folder.
    if (folder.isEmpty())
        return;
    try {
        Fd at(OpenFolderAt(AT_FDCWD, QFile::encodeName(folder), true));
        for (const QString &part : below.split(QLatin1Char('/'), Qt::SkipEmptyParts))
            at = Fd(at.valid() && part != QLatin1String(".") && part != QLatin1String("..")
                        ? OpenFolderAt(at.get(), QFile::encodeName(part), false)
                        : -1);
        if (at.valid())
            CleanFolder(at.get(), kinds);
    } catch (...) {
        // A clean-up that cannot finish leaves leftovers, nothing worse.
    }
}

void RemoveLeftoverTemporariesAt(int folderFd)
{
    try {
        CleanFolder(folderFd, Leftovers::Files);
    } catch (...) {
    }
}
