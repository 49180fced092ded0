#pragma once
// ZIP archives (libzip) for project files and template packages. Archives come from anywhere, so the
// reader trusts nothing in them: member names go through SafePathUnder, links and encrypted members
// are refused, sizes and the unpacked-to-packed ratio are capped on the bytes really unpacked, and
// every member is written by us as a plain file. The writer keeps to the same caps, so every archive
// it writes can be read back. Failures raise Exception with the reason.
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

struct zip;

struct TZipLimits {
    qint64 MaxEntries = 10000;
    qint64 MaxMemberSize = qint64(256) << 20;  // unpacked bytes of one member
    qint64 MaxTotalSize = qint64(1) << 30;     // unpacked bytes over everything one reader extracts
    // Past RatioFloor unpacked bytes, a member may unpack to at most MaxRatio times its packed bytes.
    // Deflate gives at most 258 bytes for two bits (1032 for one byte), which a plain picture nearly
    // reaches: only another method or a forged stream goes beyond. Checked on the sizes the archive
    // claims before anything is written, and on the bytes really unpacked while streaming, so such
    // a member stops within MaxRatio times its packed bytes.
    qint64 RatioFloor = qint64(4) << 20;
    qint64 MaxRatio = 1032;
};

// The member name a stored relative name gets: parts split on "\" and "/", "." parts dropped,
// joined with "/". "" when the name is empty, rooted, has a drive or a ".." part.
QString ZipMemberName(const QString &stored);

// Writes a new archive of files under baseFolder. Each name is relative to baseFolder (stored form,
// "\" or "/"); the member takes ZipMemberName of it, and a name added twice keeps one member. A name
// that is unsafe, or has no regular file under baseFolder, adds nothing and is no error. The archive
// is written through TryReplaceFileWhole: durably, at the file a link leads to, never over a file
// the user may not write, and a failure leaves an existing file whole. Raises Exception when the
// archive cannot be written. The caps of limits hold for what is written: a file larger than a member
// may be, or members larger altogether than an archive may hold, raise Exception naming them before
// anything is written; a member that would pack beyond MaxRatio is stored as it is. Temporary files
// that an interrupted save left beside the file are removed. Returns the member names written, in
// order.
QStringList WriteZipArchive(const QString &archiveFile, const QString &baseFolder, const QStringList &names,
                            const TZipLimits &limits = TZipLimits());

struct TZipMember {
    QString Name;       // as stored, with "\" turned into "/"
    bool IsFolder = false;
    bool IsLink = false;
    bool IsEncrypted = false;
    quint64 Size = 0;   // what the archive claims; the reader counts the real bytes
    quint64 PackedSize = 0;
};

class TZipReader {
public:
    // Opens the archive and lists its members. Raises Exception when the file is no readable ZIP
    // archive or holds more members than the limits allow.
    explicit TZipReader(const QString &archiveFile, const TZipLimits &limits = TZipLimits());
    ~TZipReader();
    TZipReader(const TZipReader &) = delete;
    TZipReader &operator=(const TZipReader &) = delete;

    const QString &FileName() const { return FFileName; }
    // Members in archive order. A member named "." or "./" (the folder itself) is skipped: it is
    // not listed and nothing is made of it.
    const QList<TZipMember> &Members() const { return FMembers; }
    // Index of the first member of that name ("\" and "/" alike), -1 when none.
    int FindMember(const QString &name, Qt::CaseSensitivity cs = Qt::CaseSensitive) const;

    // Writes member index under folder with its path restored (sub-folders created), replacing a
    // file of that name; a folder member only makes its folder. Returns the path written. Raises
    // Exception for an unsafe name, a link, an encrypted member, a size over the limits or a damaged
    // member; a refused or failed member leaves no file behind.
    QString ExtractMember(int index, const QString &folder);
    // Checks every member's name, links and encryption first, and the claimed sizes of those it
    // takes, then extracts them all, or only those whose name wanted accepts. One refused member
    // refuses the whole archive before anything is written.
    void ExtractAll(const QString &folder, const std::function<bool(const QString &)> &wanted = {});

private:
    void CheckMember(const TZipMember &member) const;
    void CheckSizes(const TZipMember &member) const;
    QString DenseError(const TZipMember &member) const;
    [[noreturn]] void Fail(const QString &what) const;

    QString FFileName;
    TZipLimits FLimits;
    zip *FArchive = nullptr;
    QList<TZipMember> FMembers;
    QList<quint64> FIndexes;  // of FMembers in the archive
    qint64 FUnpacked = 0;
};
