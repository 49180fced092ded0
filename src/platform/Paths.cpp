#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

QStringList SplitNameParts(const QString &stored)
{
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    return stored.split(separators, Qt::SkipEmptyParts);
}

QString WithSlash(const QString &folder)
{
    QString f = folder;
    while (f.size() > 1 && (f.endsWith(QLatin1Char('/')) || f.endsWith(QLatin1Char('\\'))))
        f.chop(1);
    if (f == QLatin1String("/"))
        return f;
    return f + QLatin1Char('/');
}

QString NativePath(const QString &base, const QString &stored)
{
    QString out = WithSlash(base) + SplitNameParts(stored).join(QLatin1Char('/'));
    if (stored.endsWith(QLatin1Char('\\')) || stored.endsWith(QLatin1Char('/')))
        out = WithSlash(out);
    return out;
}

namespace {

bool isUnsafeName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('\\')) || name.startsWith(QLatin1Char('/')))
        return true;
    if (name.size() >= 2 && name[1] == QLatin1Char(':'))
        return true; // drive letter
    if (name.contains(QChar(0)))
        return true;
    for (const QString &part : SplitNameParts(name))
        if (part == QLatin1String(".."))
            return true;
    return false;
}

} // namespace

QString ResolvedPath(const QString &path, int *error)
{
    // As many links as the system itself follows in one lookup.
    static constexpr int MaxLinks = 40;
    const auto refuse = [error](int e) {
        if (error)
            *error = e;
        return QString();
    };
    QByteArray start = QFile::encodeName(path);
    if (!start.startsWith('/'))
        start = QFile::encodeName(QDir::currentPath()) + '/' + start;
    QList<QByteArray> pending = start.split('/'); // taken from the back
    std::reverse(pending.begin(), pending.end());
    QByteArray done;  // without links; "" is the root
    int missing = 0;  // how many of done's last parts do not exist
    bool folder = true; // done names a folder, or one still to be made
    int links = 0;
    while (!pending.isEmpty()) {
        const QByteArray part = pending.takeLast();
        // Nothing follows a file, not even the "/" that would make it a folder.
        if (!folder)
            return refuse(ENOTDIR);
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            // done holds no link, so its parent is the text before its last part.
            done.truncate(std::max<qsizetype>(done.lastIndexOf('/'), 0));
            if (missing > 0)
                --missing;
            continue;
        }
        done += '/' + part;
        if (missing > 0) {
            ++missing;
            continue;
        }
        struct stat st;
        if (::lstat(done.constData(), &st) != 0) {
            if (errno != ENOENT)
                return refuse(errno);
            missing = 1;
            continue;
        }
        if (!S_ISLNK(st.st_mode)) {
            folder = S_ISDIR(st.st_mode);
            continue;
        }
        if (++links > MaxLinks)
            return refuse(ELOOP);
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t n = ::readlink(done.constData(), target.data(), size_t(target.size()));
        if (n < 0)
            return refuse(errno);
        if (n == 0)
            return refuse(ENOENT);
        target.truncate(n);
        // The link's target stands in its place, read from the folder that holds it.
        done.truncate(target.startsWith('/') ? 0 : done.lastIndexOf('/'));
        const QList<QByteArray> parts = target.split('/');
        for (auto it = parts.crbegin(); it != parts.crend(); ++it)
            pending.append(*it);
    }
    return done.isEmpty() ? QStringLiteral("/") : QFile::decodeName(done);
}

QString SafePathUnder(const QString &base, const QString &untrusted)
{
    if (isUnsafeName(untrusted) || SplitNameParts(untrusted).isEmpty())
        return QString();
    const QString path = NativePath(base, untrusted);
    const QString root = ResolvedPath(base);
    const QString target = ResolvedPath(path);
    if (root.isEmpty() || target.isEmpty() || !target.startsWith(WithSlash(root)))
        return QString();
    return path;
}

QString FindTemplateFile(const QString &base, const QString &stored)
{
    QString current = WithSlash(base);
    const QStringList parts = SplitNameParts(stored);
    for (int i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            return QString();
        if (QFileInfo::exists(current + part)) {
            current += part;
        } else {
            const QStringList entries = QDir(current).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
            QString match;
            for (const QString &e : entries)
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    match = e;
                    break;
                }
            if (match.isEmpty())
                return QString();
            current += match;
        }
        if (i + 1 < parts.size())
            current += QLatin1Char('/');
    }
    return parts.isEmpty() ? QString() : current;
}

bool HasDrivePart(const QString &name)
{
    const bool driveLetter = name.size() >= 2 && name[1] == QLatin1Char(':') &&
                             ((name[0] >= QLatin1Char('A') && name[0] <= QLatin1Char('Z')) ||
                              (name[0] >= QLatin1Char('a') && name[0] <= QLatin1Char('z')));
    return driveLetter || name.startsWith(QLatin1Char('/')) || name.startsWith(QStringLiteral("\\\\"));
}
