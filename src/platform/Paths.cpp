#include "Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

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

// Canonical form of the deepest existing ancestor, with the rest appended: catches links that lead out.
QString resolved(const QString &path)
{
    QFileInfo fi(path);
    QStringList rest;
    while (!fi.exists()) {
        const QString parent = fi.absolutePath();
        rest.prepend(fi.fileName());
        if (parent == fi.absoluteFilePath())
            break;
        fi = QFileInfo(parent);
    }
    QString canon = fi.canonicalFilePath();
    if (canon.isEmpty())
        canon = fi.absoluteFilePath();
    for (const QString &r : rest)
        canon += QLatin1Char('/') + r;
    return QDir::cleanPath(canon);
}

} // namespace

QString SafePathUnder(const QString &base, const QString &untrusted)
{
    if (isUnsafeName(untrusted) || SplitNameParts(untrusted).isEmpty())
        return QString();
    const QString path = NativePath(base, untrusted);
    const QString root = resolved(base);
    const QString target = resolved(path);
    if (!target.startsWith(WithSlash(root)))
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
