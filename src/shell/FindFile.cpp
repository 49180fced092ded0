#include "FindFile.h"

#include "Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// Deeper trees than this are not searched: a bound against folders that cannot be told apart.
constexpr int MaxDepth = 64;

QStringList sortedEntries(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                               QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

} // namespace

uint32_t AttributeFilter(TFileAttr attr)
{
    static const uint32_t bits[] = {faReadOnly, faHidden, faSysFile, faVolumeID, faDirectory, faArchive, faAnyFile};
    uint32_t filter = 0;
    for (int kind = ffaReadOnly; kind <= ffaAnyFile; ++kind)
        if (attr & FileAttrOf(TFileAttrKind(kind)))
            filter |= bits[kind];
    return filter;
}

bool EntryAdmitted(uint32_t entryAttributes, uint32_t filter)
{
    constexpr uint32_t excluding = faHidden | faSysFile | faVolumeID | faDirectory;
    return (entryAttributes & excluding & ~filter) == 0;
}

uint32_t EntryAttributes(const QString &path)
{
    const QFileInfo info(path);
    uint32_t bits = info.isDir() ? faDirectory : faArchive;
    if (info.fileName().startsWith(QLatin1Char('.')))
        bits |= faHidden;
    if (!info.isWritable())
        bits |= faReadOnly;
    return bits;
}

bool MaskMatches(const QString &mask, const QString &name)
{
    if (mask == QLatin1String("*.*") || mask == QLatin1String("*"))
        return true;
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(mask),
                                QRegularExpression::CaseInsensitiveOption);
    return re.match(name).hasMatch();
}

TFindFile::TFindFile(QObject *owner) : QObject(owner), FPath(WithSlash(QDir::currentPath())) {}

void TFindFile::SetPath(const QString &folder)
{
    if (folder == FPath || folder.isEmpty() || !QFileInfo(folder).isDir())
        return;
    FPath = WithSlash(folder);
}

const QStringList &TFindFile::SearchForFiles()
{
    FFiles.clear();
    SearchFolder(FPath, 0);
    return FFiles;
}

void TFindFile::SearchFolder(const QString &folder, int depth)
{
    const uint32_t filter = AttributeFilter(FileAttr);
    const QStringList names = sortedEntries(folder);
    for (const QString &name : names)
        if (MaskMatches(FileMask, name) && EntryAdmitted(EntryAttributes(folder + name), filter))
            FFiles << folder + name;
    if (!InSubFolders || depth >= MaxDepth)
        return;
    for (const QString &name : names) {
        const QString path = folder + name;
        const QFileInfo info(path);
        // A linked folder could lead back up the tree; only real sub-folders are entered.
        if (info.isDir() && !info.isSymLink() && EntryAdmitted(EntryAttributes(path), faDirectory))
            SearchFolder(path + QLatin1Char('/'), depth + 1);
    }
}
