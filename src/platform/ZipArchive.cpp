#include "ZipArchive.h"

#include "Errors.h"
#include "FileWrite.h"
#include "Paths.h"
#include "Temporaries.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <zip.h>

namespace fs = std::filesystem;

namespace {

QString libzipError(zip_error_t *error)
{
    return QString::fromUtf8(zip_error_strerror(error));
}

QString openError(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = libzipError(&error);
    zip_error_fini(&error);
    return text;
}

// An archive without members: libzip would not write one, so its end record is written by hand.
QByteArray emptyArchive()
{
    QByteArray bytes("PK\x05\x06", 4);
    bytes.append(18, '\0');
    return bytes;
}

bool unixLink(zip_t *archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return false;
    return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK;
}

// More unpacked bytes than the ratio cap lets packed bytes give.
bool outOfProportion(quint64 unpacked, quint64 packed, const TZipLimits &limits)
{
    return unpacked > quint64(limits.RatioFloor) && (unpacked - 1) / quint64(limits.MaxRatio) >= packed;
}

// "." or "./": the folder the archive is unpacked into, not a member of it.
bool namesTheFolder(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')))
        return false;
    const QStringList parts = SplitNameParts(name);
    return std::all_of(parts.begin(), parts.end(), [](const QString &p) { return p == QLatin1String("."); });
}

QString sizeText(quint64 bytes)
{
    if (bytes < (1 << 20))
        return QStringLiteral("%1 bytes").arg(bytes);
    const double mib = double(bytes) / double(1 << 20);
    return QStringLiteral("%1 MiB").arg(mib, 0, 'f', bytes % (1 << 20) == 0 ? 0 : 1);
}

// Formats that are packed already: deflating them costs time and gains nothing.
bool packedAlready(const QString &member)
{
    static const QStringList suffixes{QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"),
                                      QStringLiteral("gif"), QStringLiteral("mp3"),  QStringLiteral("swf"),
                                      QStringLiteral("zip"), QStringLiteral("gz"),   QStringLiteral("mp4"),
                                      QStringLiteral("ogg"), QStringLiteral("webp"), QStringLiteral("flv")};
    return suffixes.contains(QFileInfo(member).suffix(), Qt::CaseInsensitive);
}

// What one archive is written from: the member names and the files they are read from.
struct TArchivePlan {
    QString ArchiveFile;
    QStringList Members;
    QStringList Sources;
    TZipLimits Limits;
};

[[noreturn]] void failWriting(const TArchivePlan &plan, const QString &what, const QString &reason)
{
    throw Exception(QStringLiteral("Cannot write the archive \"%1\": %2")
                        .arg(plan.ArchiveFile, what.isEmpty() ? reason : what + QLatin1Char(' ') + reason));
}

// Writes the plan's archive into file, which libzip makes anew, the members listed in stored
// without compression. Returns the members that packed beyond the ratio cap: the reader would
// refuse them.
QList<int> writeMembers(const QString &file, const TArchivePlan &plan, const QList<int> &stored)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(file).constData(), ZIP_TRUNCATE, &code);
    if (!archive)
        throw Exception(QStringLiteral("Cannot create the archive \"%1\": %2").arg(plan.ArchiveFile, openError(code)));
    const auto fail = [&](const QString &what) {
        const QString reason = libzipError(zip_get_error(archive));
        zip_discard(archive);
        failWriting(plan, what, reason);
    };
    for (int i = 0; i < plan.Members.size(); ++i) {
        zip_source_t *source = zip_source_file(archive, QFile::encodeName(plan.Sources[i]).constData(), 0, 0);
        if (!source)
            fail(plan.Sources[i]);
        const zip_int64_t index = zip_file_add(archive, plan.Members[i].toUtf8().constData(), source,
                                               ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            fail(plan.Members[i]);
        }
        // Plain files whatever the source's mode was.
        zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                         zip_uint32_t(S_IFREG | 0644) << 16);
        if (stored.contains(i) || packedAlready(plan.Members[i]))
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
        else
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 6);
    }
    if (zip_close(archive) != 0)
        fail(QString());

    QList<int> dense;
    zip_t *check = zip_open(QFile::encodeName(file).constData(), ZIP_RDONLY, &code);
    if (!check)
        failWriting(plan, QString(), openError(code));
    for (int i = 0; i < plan.Members.size(); ++i) {
        zip_stat_t st;
        if (zip_stat_index(check, zip_uint64_t(i), 0, &st) == 0 && outOfProportion(st.size, st.comp_size, plan.Limits))
            dense << i;
    }
    zip_discard(check);
    return dense;
}

} // namespace

QString ZipMemberName(const QString &stored)
{
    if (stored.isEmpty() || stored.startsWith(QLatin1Char('/')) || stored.startsWith(QLatin1Char('\\'))
        || (stored.size() >= 2 && stored[1] == QLatin1Char(':')) || stored.contains(QChar(0)))
        return QString();
    QStringList parts;
    for (const QString &part : SplitNameParts(stored)) {
        if (part == QLatin1String(".."))
            return QString();
        if (part != QLatin1String("."))
            parts << part;
    }
    return parts.join(QLatin1Char('/'));
}

QStringList WriteZipArchive(const QString &archiveFile, const QString &baseFolder, const QStringList &names,
                            const TZipLimits &limits)
{
    // Where the archive really goes, before anything is read or cleaned there.
    int refused = 0;
    const Fd realFolder = OpenWriteFolder(archiveFile, &refused);
    if (!realFolder.valid())
        throw Exception(QStringLiteral("Cannot write the archive \"%1\": %2").arg(archiveFile, qt_error_string(refused)));
    QStringList members;
    QStringList sources;
    quint64 total = 0;
    for (const QString &name : names) {
        const QString member = ZipMemberName(name);
        if (member.isEmpty() || members.contains(member))
            continue;
        const QString source = SafePathUnder(baseFolder, member);
        std::error_code ec;
        const fs::path path(QFile::encodeName(source).toStdString());
        if (source.isEmpty() || !fs::is_regular_file(path, ec))
            continue;
        const quint64 size = fs::file_size(path, ec);
        if (ec)
            continue;
        // What the reader would refuse is never written.
        if (size > quint64(limits.MaxMemberSize))
            throw Exception(QStringLiteral("Cannot save \"%1\": the file \"%2\" holds %3, more than the %4 one file "
                                           "may hold in it.")
                                .arg(archiveFile, member, sizeText(size), sizeText(limits.MaxMemberSize)));
        members << member;
        sources << source;
        total += size;
    }
    if (members.size() > limits.MaxEntries)
        throw Exception(QStringLiteral("Cannot save \"%1\": %2 files are more than the %3 it may hold.")
                            .arg(archiveFile)
                            .arg(members.size())
                            .arg(limits.MaxEntries));
    if (total > quint64(limits.MaxTotalSize))
        throw Exception(QStringLiteral("Cannot save \"%1\": its files hold %2 altogether, more than the %3 it may hold.")
                            .arg(archiveFile, sizeText(total), sizeText(limits.MaxTotalSize)));

    // What a killed save left beside the file: the rename-over makes its temporary file there.
    RemoveLeftoverTemporariesAt(realFolder.get());
    const TArchivePlan plan{archiveFile, members, sources, limits};
    QString error;
    const WriteOutcome outcome = TryReplaceFileWhole(
        archiveFile,
        [&plan](int fd, const QString &temp) {
            if (plan.Members.isEmpty()) {
                const QByteArray bytes = emptyArchive();
                return WriteToFile(fd, bytes.constData(), bytes.size());
            }
            const QList<int> dense = writeMembers(temp, plan, {});
            if (!dense.isEmpty() && !writeMembers(temp, plan, dense).isEmpty())
                failWriting(plan, QString(), QStringLiteral("its members cannot be read back."));
            return QString();
        },
        FileSync::Durable, &error);
    if (outcome == WriteOutcome::WrittenNotSynced)
        throw EWrittenNotSynced(error);
    if (outcome == WriteOutcome::Failed)
        failWriting(plan, QString(), error);
    return members;
}

TZipReader::TZipReader(const QString &archiveFile, const TZipLimits &limits)
    : FFileName(archiveFile), FLimits(limits)
{
    int code = 0;
    FArchive = zip_open(QFile::encodeName(archiveFile).constData(), ZIP_RDONLY, &code);
    if (!FArchive)
        throw Exception(QStringLiteral("Cannot open the archive \"%1\": %2").arg(archiveFile, openError(code)));
    const zip_int64_t count = zip_get_num_entries(FArchive, 0);
    if (count < 0 || count > FLimits.MaxEntries) {
        zip_discard(FArchive);
        FArchive = nullptr;
        throw Exception(QStringLiteral("The archive \"%1\" holds too many members.").arg(archiveFile));
    }
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(FArchive, zip_uint64_t(i), ZIP_FL_ENC_GUESS, &st) != 0 || !(st.valid & ZIP_STAT_NAME)) {
            zip_discard(FArchive);
            FArchive = nullptr;
            throw Exception(QStringLiteral("Cannot open the archive \"%1\": a member cannot be read.").arg(archiveFile));
        }
        TZipMember m;
        m.Name = QString::fromUtf8(st.name).replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (namesTheFolder(m.Name))
            continue;
        m.IsFolder = m.Name.endsWith(QLatin1Char('/'));
        m.IsLink = unixLink(FArchive, zip_uint64_t(i));
        m.IsEncrypted = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
        m.Size = (st.valid & ZIP_STAT_SIZE) ? st.size : 0;
        m.PackedSize = (st.valid & ZIP_STAT_COMP_SIZE) ? st.comp_size : 0;
        FMembers << m;
        FIndexes << quint64(i);
    }
}

TZipReader::~TZipReader()
{
    if (FArchive)
        zip_discard(FArchive);
}

int TZipReader::FindMember(const QString &name, Qt::CaseSensitivity cs) const
{
    const QString wanted = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'));
    for (int i = 0; i < FMembers.size(); ++i)
        if (FMembers[i].Name.compare(wanted, cs) == 0)
            return i;
    return -1;
}

void TZipReader::Fail(const QString &what) const
{
    throw Exception(QStringLiteral("The archive \"%1\" cannot be extracted: %2").arg(FFileName, what));
}

void TZipReader::CheckMember(const TZipMember &member) const
{
    if (ZipMemberName(member.Name).isEmpty())
        Fail(QStringLiteral("the member name \"%1\" leads outside the target folder.").arg(member.Name));
    if (member.IsLink)
        Fail(QStringLiteral("the member \"%1\" is a link.").arg(member.Name));
    if (member.IsEncrypted)
        Fail(QStringLiteral("the member \"%1\" is encrypted.").arg(member.Name));
}

void TZipReader::CheckSizes(const TZipMember &member) const
{
    if (!member.IsFolder && member.Size > quint64(FLimits.MaxMemberSize))
        Fail(QStringLiteral("the member \"%1\" is too large.").arg(member.Name));
    if (!member.IsFolder && outOfProportion(member.Size, member.PackedSize, FLimits))
        Fail(DenseError(member));
}

QString TZipReader::DenseError(const TZipMember &member) const
{
    return QStringLiteral("the member \"%1\" unpacks to more than %2 times its packed size.")
        .arg(member.Name)
        .arg(FLimits.MaxRatio);
}

QString TZipReader::ExtractMember(int index, const QString &folder)
{
    if (index < 0 || index >= FMembers.size())
        Fail(QStringLiteral("no such member."));
    const TZipMember &member = FMembers[index];
    CheckMember(member);
    CheckSizes(member);
    const QString target = SafePathUnder(folder, ZipMemberName(member.Name));
    if (target.isEmpty())
        Fail(QStringLiteral("the member name \"%1\" leads outside the target folder.").arg(member.Name));
    if (member.IsFolder) {
        if (!QDir().mkpath(target))
            Fail(QStringLiteral("cannot create the folder \"%1\".").arg(target));
        return target;
    }
    const QString parent = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(parent))
        Fail(QStringLiteral("cannot create the folder \"%1\".").arg(parent));
    // A link standing where the file goes is replaced, never written through.
    std::error_code ec;
    const fs::path targetPath(QFile::encodeName(target).toStdString());
    const fs::file_status existing = fs::symlink_status(targetPath, ec);
    if (fs::is_symlink(existing))
        fs::remove(targetPath, ec);
    else if (fs::exists(existing) && !fs::is_regular_file(existing))
        Fail(QStringLiteral("\"%1\" is in the way.").arg(target));

    zip_file_t *in = zip_fopen_index(FArchive, FIndexes[index], 0);
    if (!in)
        Fail(QStringLiteral("the member \"%1\" cannot be read: %2").arg(member.Name, libzipError(zip_get_error(FArchive))));
    QString refusal; // what is wrong with the member itself
    const auto refuse = [&refusal](const QString &text) {
        refusal = text;
        return text;
    };
    QString error;
    // Not synced: an unpacked member is a copy of what the archive keeps.
    const bool written = TryReplaceFileWhole(
        target,
        [&](int fd, const QString &) {
            QByteArray buffer(1 << 18, Qt::Uninitialized);
            quint64 unpacked = 0;
            for (;;) {
                const zip_int64_t n = zip_fread(in, buffer.data(), zip_uint64_t(buffer.size()));
                if (n < 0)
                    return refuse(QStringLiteral("the member \"%1\" is damaged: %2")
                                      .arg(member.Name, libzipError(zip_file_get_error(in))));
                if (n == 0)
                    return QString();
                unpacked += quint64(n);
                FUnpacked += n;
                // The real bytes count, whatever the header claimed; the packed bytes cannot be more
                // than the archive gave the member.
                if (unpacked > quint64(FLimits.MaxMemberSize))
                    return refuse(QStringLiteral("the member \"%1\" is too large.").arg(member.Name));
                if (outOfProportion(unpacked, member.PackedSize, FLimits))
                    return refuse(DenseError(member));
                if (FUnpacked > FLimits.MaxTotalSize)
                    return refuse(QStringLiteral("the members are too large altogether."));
                if (const QString failed = WriteToFile(fd, buffer.constData(), n); !failed.isEmpty())
                    return failed;
            }
        },
        FileSync::Unsynced, &error)
        == WriteOutcome::Written;
    zip_fclose(in);
    if (!written)
        Fail(refusal.isEmpty() ? QStringLiteral("cannot write \"%1\": %2").arg(target, error) : refusal);
    return target;
}

void TZipReader::ExtractAll(const QString &folder, const std::function<bool(const QString &)> &wanted)
{
    quint64 claimed = 0;
    QList<int> chosen;
    for (int i = 0; i < FMembers.size(); ++i) {
        const TZipMember &member = FMembers[i];
        CheckMember(member);
        if (wanted && !wanted(member.Name))
            continue;
        // Only what is taken is unpacked, so only its sizes count.
        CheckSizes(member);
        chosen << i;
        claimed += member.IsFolder ? 0 : member.Size;
    }
    if (claimed > quint64(FLimits.MaxTotalSize - FUnpacked))
        Fail(QStringLiteral("the members are too large altogether."));
    for (int i : chosen)
        ExtractMember(i, folder);
}
