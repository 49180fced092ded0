#include "ZipArchive.h"

#include "Errors.h"
#include "Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cstdio>
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

QStringList WriteZipArchive(const QString &archiveFile, const QString &baseFolder, const QStringList &names)
{
    QStringList members;
    QStringList sources;
    for (const QString &name : names) {
        const QString member = ZipMemberName(name);
        if (member.isEmpty() || members.contains(member))
            continue;
        const QString source = SafePathUnder(baseFolder, member);
        std::error_code ec;
        if (source.isEmpty() || !fs::is_regular_file(fs::path(source.toStdString()), ec))
            continue;
        members << member;
        sources << source;
    }

    const QFileInfo target(archiveFile);
    // A reserved name beside the target, so that the final rename stays on one file system.
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!temp.open())
        throw Exception(QStringLiteral("Cannot create the archive \"%1\": %2").arg(archiveFile, temp.errorString()));
    const QString tempName = temp.fileName();

    if (members.isEmpty()) {
        const QByteArray bytes = emptyArchive();
        if (temp.write(bytes) != bytes.size() || !temp.flush())
            throw Exception(QStringLiteral("Cannot write the archive \"%1\": %2").arg(archiveFile, temp.errorString()));
    } else {
        temp.close();
        int code = 0;
        zip_t *archive = zip_open(QFile::encodeName(tempName).constData(), ZIP_TRUNCATE, &code);
        if (!archive)
            throw Exception(QStringLiteral("Cannot create the archive \"%1\": %2").arg(archiveFile, openError(code)));
        auto fail = [&](const QString &what) {
            const QString reason = libzipError(zip_get_error(archive));
            zip_discard(archive);
            throw Exception(QStringLiteral("Cannot write the archive \"%1\": %2 %3").arg(archiveFile, what, reason));
        };
        for (qsizetype i = 0; i < members.size(); ++i) {
            zip_source_t *source = zip_source_file(archive, QFile::encodeName(sources[i]).constData(), 0, 0);
            if (!source)
                fail(sources[i]);
            const zip_int64_t index = zip_file_add(archive, members[i].toUtf8().constData(), source,
                                                   ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
            if (index < 0) {
                zip_source_free(source);
                fail(members[i]);
            }
            // Plain files whatever the source's mode was.
            zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                             zip_uint32_t(S_IFREG | 0644) << 16);
        }
        if (zip_close(archive) != 0)
            fail(QString());
    }

    std::error_code ec;
    fs::rename(fs::path(QFile::encodeName(tempName).toStdString()), fs::path(QFile::encodeName(archiveFile).toStdString()),
               ec);
    if (ec)
        throw Exception(QStringLiteral("Cannot write the archive \"%1\": %2")
                            .arg(archiveFile, QString::fromStdString(ec.message())));
    temp.setAutoRemove(false);
    // The reserved file was created private; the archive gets the usual mode.
    QFile::setPermissions(archiveFile, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
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
        m.IsFolder = m.Name.endsWith(QLatin1Char('/'));
        m.IsLink = unixLink(FArchive, zip_uint64_t(i));
        m.IsEncrypted = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
        m.Size = (st.valid & ZIP_STAT_SIZE) ? st.size : 0;
        FMembers << m;
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
    if (!member.IsFolder && member.Size > quint64(FLimits.MaxMemberSize))
        Fail(QStringLiteral("the member \"%1\" is too large.").arg(member.Name));
}

QString TZipReader::ExtractMember(int index, const QString &folder)
{
    if (index < 0 || index >= FMembers.size())
        Fail(QStringLiteral("no such member."));
    const TZipMember &member = FMembers[index];
    CheckMember(member);
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

    zip_file_t *in = zip_fopen_index(FArchive, zip_uint64_t(index), 0);
    if (!in)
        Fail(QStringLiteral("the member \"%1\" cannot be read: %2").arg(member.Name, libzipError(zip_get_error(FArchive))));
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        zip_fclose(in);
        Fail(QStringLiteral("cannot create \"%1\": %2").arg(target, out.errorString()));
    }
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    qint64 written = 0;
    QString error;
    for (;;) {
        const zip_int64_t n = zip_fread(in, buffer.data(), zip_uint64_t(buffer.size()));
        if (n < 0) {
            error = QStringLiteral("the member \"%1\" is damaged: %2").arg(member.Name, libzipError(zip_file_get_error(in)));
            break;
        }
        if (n == 0)
            break;
        written += n;
        FUnpacked += n;
        // The real bytes count, whatever the header claimed.
        if (written > FLimits.MaxMemberSize) {
            error = QStringLiteral("the member \"%1\" is too large.").arg(member.Name);
            break;
        }
        if (FUnpacked > FLimits.MaxTotalSize) {
            error = QStringLiteral("the members are too large altogether.");
            break;
        }
        if (out.write(buffer.constData(), n) != n) {
            error = QStringLiteral("cannot write \"%1\": %2").arg(target, out.errorString());
            break;
        }
    }
    zip_fclose(in);
    if (!error.isEmpty()) {
        out.cancelWriting();
        Fail(error);
    }
    if (!out.commit())
        Fail(QStringLiteral("cannot write \"%1\": %2").arg(target, out.errorString()));
    return target;
}

void TZipReader::ExtractAll(const QString &folder)
{
    quint64 claimed = 0;
    for (const TZipMember &member : FMembers) {
        CheckMember(member);
        claimed += member.IsFolder ? 0 : member.Size;
    }
    if (claimed > quint64(FLimits.MaxTotalSize - FUnpacked))
        Fail(QStringLiteral("the members are too large altogether."));
    for (int i = 0; i < FMembers.size(); ++i)
        ExtractMember(i, folder);
}
