#pragma once
// TFindFile lists the entries of a folder whose names match a mask and whose kinds are admitted,
// optionally through every sub-folder.
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>

enum TFileAttrKind { ffaReadOnly, ffaHidden, ffaSysFile, ffaVolumeID, ffaDirectory, ffaArchive, ffaAnyFile };

// A set of TFileAttrKind, one bit per kind (bit n = kind n).
using TFileAttr = uint32_t;
constexpr TFileAttr FileAttrOf(TFileAttrKind kind) { return 1u << kind; }

// The attribute bits as the entries carry them.
enum : uint32_t {
    faReadOnly = 0x01, faHidden = 0x02, faSysFile = 0x04, faVolumeID = 0x08, faDirectory = 0x10,
    faArchive = 0x20, faAnyFile = 0x3F,
};

// The union of the attribute bits of the kinds in the set (ffaAnyFile stands for all six).
uint32_t AttributeFilter(TFileAttr attr);
// An entry with these attribute bits passes the filter when every bit it has among hidden, system,
// volume label and directory is in the filter; read-only and archive never exclude it.
bool EntryAdmitted(uint32_t entryAttributes, uint32_t filter);
// Bits of an entry: hidden for a name starting with ".", directory, read-only when not writable,
// archive for any other entry (no system or volume-label entries exist here).
uint32_t EntryAttributes(const QString &path);
// The mask's wildcards ("*", "?") matched against a name without case; "*.*" matches every name.
bool MaskMatches(const QString &mask, const QString &name);

class TFindFile : public QObject {
    Q_OBJECT
public:
    explicit TFindFile(QObject *owner = nullptr);

    const QString &Path() const { return FPath; }
    // Taken only when it differs, is not empty and names an existing folder; stored with a "/".
    void SetPath(const QString &folder);
    QString FileMask = QStringLiteral("*.*");
    TFileAttr FileAttr = FileAttrOf(ffaAnyFile);
    bool InSubFolders = false;

    // Full paths of the matching entries, a folder's own first, then each sub-folder's (depth
    // first). Entries of one folder come sorted without case; "." and ".." never appear; linked
    // folders are not entered. The list stays the component's until the next search.
    const QStringList &SearchForFiles();

private:
    void SearchFolder(const QString &folder, int depth);

    QString FPath;
    QStringList FFiles;
};
