// ZIP archives: what the writer stores, what the reader gives back, and what it refuses.
#include "Errors.h"
#include "TestSupport.h"
#include "ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <functional>
#include <gtest/gtest.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

// Qt strings in failure messages as text, not bytes.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

namespace {

QStringList FilesUnder(const QString &folder)
{
    QStringList out;
    const QDir dir(folder);
    for (const QFileInfo &fi : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                                                 QDir::Name)) {
        if (fi.isDir() && !fi.isSymLink()) {
            for (const QString &sub : FilesUnder(fi.filePath()))
                out << fi.fileName() + "/" + sub;
            out << fi.fileName() + "/";
        } else {
            out << fi.fileName();
        }
    }
    out.sort();
    return out;
}

// Both headers of the archive's first member claim 16 unpacked bytes.
void ForgeFirstMemberSize(QByteArray &bytes)
{
    ASSERT_TRUE(bytes.startsWith("PK\x03\x04"));
    const char small[4] = {16, 0, 0, 0};
    bytes.replace(22, 4, small, 4);
    const qsizetype central = bytes.indexOf("PK\x01\x02");
    ASSERT_GT(central, 0);
    bytes.replace(central + 24, 4, small, 4);
}

unsigned Mode(const QString &file)
{
    struct stat st;
    return stat(QFile::encodeName(file).constData(), &st) == 0 ? unsigned(st.st_mode & 07777) : 0;
}

} // namespace

TEST(ZipArchive, MemberNamesOfStoredNames)
{
    EXPECT_EQ(ZipMemberName("flashmenu\\logo.jpg"), "flashmenu/logo.jpg");
    EXPECT_EQ(ZipMemberName("./flashmenu//./x.mp3"), "flashmenu/x.mp3");
    EXPECT_EQ(ZipMemberName("HTMLOptions.xml"), "HTMLOptions.xml");
    for (const char *bad : {"", "/etc/passwd", "\\x", "C:\\x", "c:x", "..\\x", "a/../b", "."})
        EXPECT_EQ(ZipMemberName(QString::fromLatin1(bad)), QString()) << bad;
}

TEST(ZipArchive, RoundTripKeepsOrderPathsAndBytes)
{
    TempFolder root, out;
    root.write("outside.txt", "beside the base folder");
    const QString basePath = root.file("base/");
    struct {
        QString p;
        QString path() const { return p; }
        void write(const QString &r, const QByteArray &b) const { WriteFileBytes(p + r, b); }
    } base{basePath};
    base.write("HTMLOptions.xml", "<options/>");
    base.write("flashmenu.xml", "<menu/>");
    base.write("flashmenu/logo.jpg", QByteArray("\xFF\xD8\x00\x01", 4));
    base.write("flashmenu/big.bin", QByteArray(300000, 'a'));
    base.write("leftover.txt", "not named");
    const QString archive = out.file("p.tvp");

    const QStringList written = WriteZipArchive(
        archive, base.path(),
        {"HTMLOptions.xml", "flashmenu.xml", "flashmenu\\logo.jpg", "missing.swf", "", "flashmenu/logo.jpg",
         "flashmenu\\big.bin", "../outside.txt"});
    EXPECT_EQ(written, QStringList({"HTMLOptions.xml", "flashmenu.xml", "flashmenu/logo.jpg", "flashmenu/big.bin"}));

    TZipReader reader(archive);
    QStringList names;
    for (const TZipMember &m : reader.Members())
        names << m.Name;
    EXPECT_EQ(names, written);
    EXPECT_EQ(reader.FindMember("flashmenu\\logo.jpg"), 2);
    EXPECT_EQ(reader.FindMember("FLASHMENU.XML"), -1);
    EXPECT_EQ(reader.FindMember("FLASHMENU.XML", Qt::CaseInsensitive), 1);

    TempFolder target;
    reader.ExtractAll(target.path());
    EXPECT_EQ(FilesUnder(target.path()),
              QStringList({"HTMLOptions.xml", "flashmenu.xml", "flashmenu/", "flashmenu/big.bin", "flashmenu/logo.jpg"}));
    EXPECT_EQ(target.read("flashmenu/logo.jpg"), QByteArray("\xFF\xD8\x00\x01", 4));
    EXPECT_EQ(target.read("flashmenu/big.bin"), QByteArray(300000, 'a'));
}

TEST(ZipArchive, SingleMembersAndFolderEntries)
{
    TempFolder dir;
    MakeZipArchive(dir.file("pkg.tvm"), {{"Blue/", ""}, {"Blue/Menus/blue.swf", "movie"}, {"Package.XML", "<p/>"},
                                      {"Win\\style.css", "css"}});
    TZipReader reader(dir.file("pkg.tvm"));
    ASSERT_EQ(reader.Members().size(), 4);
    EXPECT_TRUE(reader.Members()[0].IsFolder);
    EXPECT_FALSE(reader.Members()[1].IsFolder);
    EXPECT_EQ(reader.Members()[3].Name, "Win/style.css");
    EXPECT_EQ(reader.Members()[1].Size, 5u);

    TempFolder tmp;
    EXPECT_EQ(reader.ExtractMember(reader.FindMember("Blue/Menus/blue.swf"), tmp.path()),
              tmp.path() + "Blue/Menus/blue.swf");
    EXPECT_EQ(reader.ExtractMember(reader.FindMember("package.xml", Qt::CaseInsensitive), tmp.path()),
              tmp.path() + "Package.XML");
    EXPECT_EQ(reader.ExtractMember(3, tmp.path()), tmp.path() + "Win/style.css");
    EXPECT_EQ(FilesUnder(tmp.path()),
              QStringList({"Blue/", "Blue/Menus/", "Blue/Menus/blue.swf", "Package.XML", "Win/", "Win/style.css"}));
    EXPECT_EQ(tmp.read("Blue/Menus/blue.swf"), "movie");
    EXPECT_FALSE(ExceptionText([&] { reader.ExtractMember(9, tmp.path()); }).isEmpty());
}

TEST(ZipArchive, ExtractionReplacesFilesAndLinksInTheWay)
{
    TempFolder dir, target, outside;
    target.write("a.txt", "old");
    target.write("c.txt", "keep c");
    ASSERT_TRUE(QFile::link(target.file("c.txt"), target.file("b.txt")));
    MakeZipArchive(dir.file("x.zip"), {{"a.txt", "new a"}, {"b.txt", "new b"}});
    TZipReader(dir.file("x.zip")).ExtractAll(target.path());
    EXPECT_EQ(target.read("a.txt"), "new a");
    EXPECT_FALSE(QFileInfo(target.file("b.txt")).isSymLink());
    EXPECT_EQ(target.read("b.txt"), "new b");
    EXPECT_EQ(target.read("c.txt"), "keep c");

    // A link that leads out is never written through.
    outside.write("victim.txt", "keep me");
    QFile::remove(target.file("b.txt"));
    ASSERT_TRUE(QFile::link(outside.file("victim.txt"), target.file("b.txt")));
    EXPECT_TRUE(ExceptionText([&] { TZipReader(dir.file("x.zip")).ExtractAll(target.path()); }).contains("leads outside"));
    EXPECT_EQ(outside.read("victim.txt"), "keep me");
}

TEST(ZipArchive, HostileArchivesAreRefusedBeforeAnythingIsWritten)
{
    // Zeros deflate about a thousandfold (a plain picture does the same), words some threefold; both
    // are past the default ratio floor and both are what real deflate gives. Only another method, or
    // a forged stream, packs beyond deflate's most.
    const QByteArray zeros(6 << 20, '\0');
    QByteArray words;
    QRandomGenerator rng(9);
    const QList<QByteArray> vocabulary{"menu ", "button ", "link ", "page ", "caption ", "logo ", "home\n", "sound "};
    while (words.size() < zeros.size())
        words += vocabulary[int(rng.bounded(vocabulary.size()))] + QByteArray::number(rng.bounded(1000));
    const QString dense = "the member \"zeros.bin\" unpacks to more than 1032 times its packed size.";
    struct Case {
        QByteArray what;
        QList<RawMember> members;
        QString error;  // the end of the refusal; empty when the archive is read
        QStringList files = {};
        std::function<void(QByteArray &)> forge = {};
    };
    QList<Case> cases;
    for (const char *name : {"../evil.txt", "..\\evil.txt", "a/../../evil.txt", "a\\..\\..\\evil.txt",
                             "/tmp/evil.txt", "\\evil.txt", "C:\\evil.txt", "c:evil.txt"})
        cases << Case{name, {{"good.txt", "fine"}, {name, "evil"}}, "leads outside the target folder."};
    cases << Case{"deflated zeros", {{"good.txt", "fine"}, {"zeros.bin", zeros}}, "", {"good.txt", "zeros.bin"}}
          << Case{"the folder itself", {{"./", ""}, {".", ""}, {"good.txt", "fine"}}, "", {"good.txt"}}
          << Case{"ordinary text", {{"words.txt", words}}, "", {"words.txt"}};
    if (zip_compression_method_supported(ZIP_CM_BZIP2, 1)) {
        const RawMember bomb{"zeros.bin", zeros, S_IFREG | 0644, false, ZIP_CM_BZIP2};
        cases << Case{"bomb", {{"good.txt", "fine"}, bomb}, dense}
              << Case{"bomb whose headers lie", {bomb, {"good.txt", "fine"}}, dense, {}, ForgeFirstMemberSize};
    }

    for (const Case &c : cases) {
        TempFolder dir, sandbox;
        QDir().mkpath(sandbox.file("work"));
        MakeZipArchive(dir.file("bad.zip"), c.members);
        if (c.forge) {
            QByteArray bytes = dir.read("bad.zip");
            c.forge(bytes);
            dir.write("bad.zip", bytes);
        }
        TZipReader reader(dir.file("bad.zip"));
        const QString error = ExceptionText([&] { reader.ExtractAll(sandbox.file("work")); });
        QStringList expected{"work/"};
        for (const QString &f : c.files)
            expected << "work/" + f;
        expected.sort();
        EXPECT_EQ(FilesUnder(sandbox.path()), expected) << c.what.constData();
        if (c.error.isEmpty()) {
            EXPECT_EQ(error, QString()) << c.what.constData();
            EXPECT_EQ(reader.Members().size(), c.files.size()) << c.what.constData();
            continue;
        }
        EXPECT_TRUE(error.endsWith(c.error)) << c.what.constData() << " " << error.toStdString();
        const int refused = c.forge ? 0 : 1;
        EXPECT_TRUE(ExceptionText([&] { reader.ExtractMember(refused, sandbox.file("work")); }).endsWith(c.error))
            << c.what.constData();
        EXPECT_EQ(FilesUnder(sandbox.path()), QStringList{"work/"}) << c.what.constData();
    }
}

TEST(ZipArchive, TheWriterKeepsToTheReadersCaps)
{
    TempFolder base, out;
    base.write("a.txt", QByteArray(600, 'a'));
    base.write("b.txt", QByteArray(600, 'b'));
    base.write("flashmenu/big.bmp", QByteArray(1001, 'x'));
    base.write("flat.bin", QByteArray(100000, '\0'));
    TZipLimits limits;
    limits.MaxMemberSize = 1000;
    limits.MaxTotalSize = 1100;
    const QString archive = out.file("p.tvp");
    // Named before anything is written.
    EXPECT_EQ(ExceptionText([&] { WriteZipArchive(archive, base.path(), {"a.txt", "flashmenu\\big.bmp"}, limits); }),
              "Cannot save \"" + archive + "\": the file \"flashmenu/big.bmp\" holds 1001 bytes, more than the 1000 bytes "
              "one file may hold in it.");
    EXPECT_EQ(ExceptionText([&] { WriteZipArchive(archive, base.path(), {"a.txt", "b.txt"}, limits); }),
              "Cannot save \"" + archive + "\": its files hold 1200 bytes altogether, more than the 1100 bytes it may hold.");
    EXPECT_TRUE(FilesUnder(out.path()).isEmpty());

    // What would pack beyond the ratio cap is stored, and reads back under the same caps.
    limits = TZipLimits();
    limits.RatioFloor = 1000;
    limits.MaxRatio = 100;
    WriteZipArchive(archive, base.path(), {"a.txt", "flat.bin"}, limits);
    TempFolder target;
    TZipReader(archive, limits).ExtractAll(target.path());
    EXPECT_EQ(target.read("flat.bin"), QByteArray(100000, '\0'));
}

TEST(ZipArchive, SavingOverAnArchiveKeepsItsModeAndClearsOnlyWhatAKilledSaveLeft)
{
    TempFolder base, out;
    base.write("a.txt", "a");
    out.write("p.tvp", "old project");
    ASSERT_TRUE(QFile::setPermissions(out.file("p.tvp"), QFile::ReadOwner | QFile::WriteOwner));
    // The temporary files of a killed save, ours and libzip's beside it, go; the user's own files
    // beside the project stay, whatever they look like.
    out.write(".tolvanar-tmp-Ab12Cd9x", "killed save");
    out.write(".tolvanar-tmp-Ab12Cd9x.x9y8z7", "killed save");
    const QStringList users{".p.tvp.backup", ".p.tvp.2024v1", ".p.tvp.Ab12Cd", ".p.tvp.Ab12Cd.x9y8z7", "p.tvp.tmp1a2b3c"};
    for (const QString &name : users)
        out.write(name, "the user's");
    WriteZipArchive(out.file("p.tvp"), base.path(), {"a.txt"});
    EXPECT_EQ(Mode(out.file("p.tvp")), 0600u);
    QStringList kept = users + QStringList{"p.tvp"};
    kept.sort();
    EXPECT_EQ(FilesUnder(out.path()), kept);

    const mode_t umaskBefore = umask(027);
    WriteZipArchive(out.file("new.tvp"), base.path(), {"a.txt"});
    umask(umaskBefore);
    EXPECT_EQ(Mode(out.file("new.tvp")), 0640u);
}

TEST(ZipArchive, ASaveThroughALinkWritesAtTheFileItLeadsTo)
{
    TempFolder base, out;
    base.write("a.txt", "new");
    out.write("real/p.tvp", "old project");
    // site.tvp -> links/p.tvp -> ../real/p.tvp: a chain of links, the last one relative.
    QDir().mkpath(out.file("links"));
    ASSERT_TRUE(QFile::link("../real/p.tvp", out.file("links/p.tvp")));
    ASSERT_TRUE(QFile::link(out.file("links/p.tvp"), out.file("site.tvp")));
    WriteZipArchive(out.file("site.tvp"), base.path(), {"a.txt"});
    EXPECT_TRUE(QFileInfo(out.file("site.tvp")).isSymLink());
    EXPECT_TRUE(QFileInfo(out.file("links/p.tvp")).isSymLink());
    TempFolder target;
    TZipReader(out.file("real/p.tvp")).ExtractAll(target.path());
    EXPECT_EQ(target.read("a.txt"), "new");
    EXPECT_EQ(FilesUnder(out.path()), QStringList({"links/", "links/p.tvp", "real/", "real/p.tvp", "site.tvp"}));
}

TEST(ZipArchive, ASaveFollowsLinksAsTheSystemDoesAndALinkLoopIsRefusedFirst)
{
    TempFolder base, out;
    base.write("a.txt", "new");
    out.write("x/b.tvp", "unrelated");
    out.write("elsewhere/b.tvp", "old project");
    QDir().mkpath(out.file("elsewhere/dir"));
    // x/a leads to elsewhere/dir, so x/a/.. is elsewhere: the link is followed before ".." applies.
    ASSERT_TRUE(QFile::link("../elsewhere/dir", out.file("x/a")));
    ASSERT_TRUE(QFile::link("a/../b.tvp", out.file("x/link.tvp")));
    ASSERT_EQ(ReadFileBytes(out.file("x/link.tvp")), "old project");
    WriteZipArchive(out.file("x/link.tvp"), base.path(), {"a.txt"});
    EXPECT_EQ(out.read("x/b.tvp"), "unrelated");
    TempFolder unpacked;
    TZipReader(out.file("elsewhere/b.tvp")).ExtractAll(unpacked.path());
    EXPECT_EQ(unpacked.read("a.txt"), "new");
    EXPECT_TRUE(QFileInfo(out.file("x/link.tvp")).isSymLink());

    // Links that go round: refused with their own reason before anything is cleaned anywhere, the
    // working folder included.
    ASSERT_TRUE(QFile::link("loop2.tvp", out.file("x/loop1.tvp")));
    ASSERT_TRUE(QFile::link("loop1.tvp", out.file("x/loop2.tvp")));
    TempFolder working;
    working.write(".tolvanar-tmp-left", "what a killed save left");
    const QString was = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(working.path()));
    const QString error = ExceptionText([&] { WriteZipArchive(out.file("x/loop1.tvp"), base.path(), {"a.txt"}); });
    QDir::setCurrent(was);
    EXPECT_EQ(error, "Cannot write the archive \"" + out.file("x/loop1.tvp") + "\": Too many levels of symbolic links");
    EXPECT_TRUE(working.exists(".tolvanar-tmp-left"));
}

namespace {

// How the second of two programs saving into one folder runs beside the first.
enum class Beside {
    Plainly,
    HiddenFromIt, // as other users, the second seeing the first through a /proc that hides it
    InASandbox    // in a pid namespace of its own, with its own /proc
};

bool MountOwnProc(const char *options)
{
    return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
           && mount("proc", "/proc", "proc", MS_NOSUID | MS_NODEV | MS_NOEXEC, options) == 0;
}

// In a child: becomes the given program of the two, waits for the start, saves ten times and ends
// with the number of failed saves (100 when it could not become that program).
[[noreturn]] void SaveTenTimes(Beside beside, int program, int go, const std::function<void()> &save)
{
    bool ready = true;
    if (beside == Beside::HiddenFromIt)
        ready = program == 0 ? BecomeUser(65534)
                             : unshare(CLONE_NEWNS) == 0 && MountOwnProc("hidepid=2") && BecomeUser(65533);
    if (beside == Beside::InASandbox && program == 1) {
        if (unshare(CLONE_NEWPID | CLONE_NEWNS) != 0)
            _exit(100);
        // The first process of the new namespace saves; this one hands on how it ended.
        if (const pid_t inside = fork(); inside != 0) {
            int status = 0;
            _exit(inside > 0 && waitpid(inside, &status, 0) == inside && WIFEXITED(status) ? WEXITSTATUS(status) : 100);
        }
        ready = MountOwnProc(nullptr);
    }
    if (!ready)
        _exit(100);
    char byte;
    (void)!read(go, &byte, 1);
    int failed = 0;
    for (int round = 0; round < 10; ++round)
        try {
            save();
        } catch (...) {
            ++failed;
        }
    _exit(failed);
}

} // namespace

TEST(ZipArchive, TwoProgramsSavingIntoOneFolderAtOnceLoseNoSave)
{
    TempFolder base, out;
    // Random bytes do not shrink, so each save takes a while and the two overlap.
    QByteArray media(6 << 20, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(media.data()), media.size() / 4);
    base.write("flashmenu/media.jpg", media);
    base.write("flashmenu.xml", "<menu/>");
    // Other users read what is saved and save where it goes.
    for (const QString &folder : {base.path(), base.file("flashmenu")})
        ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(out.path()).constData(), 0777), 0);
    for (const Beside beside : {Beside::Plainly, Beside::HiddenFromIt, Beside::InASandbox}) {
        SCOPED_TRACE(int(beside));
        if (beside != Beside::Plainly && geteuid() != 0)
            continue;
        for (const QString &name : FilesUnder(out.path()))
            QFile::remove(out.file(name));
        int go[2];
        ASSERT_EQ(pipe(go), 0);
        QList<pid_t> programs;
        for (const char *name : {"one.tvp", "two.tvp"}) {
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0)
                SaveTenTimes(beside, int(programs.size()), go[0], [&] {
                    WriteZipArchive(out.file(name), base.path(), {"flashmenu.xml", "flashmenu\\media.jpg"});
                });
            programs << child;
        }
        (void)!write(go[1], "gg", 2);
        int failed = 0;
        for (pid_t child : programs) {
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFEXITED(status));
            ASSERT_NE(WEXITSTATUS(status), 100) << "the program could not be set up";
            failed += WEXITSTATUS(status);
        }
        close(go[0]);
        close(go[1]);
        EXPECT_EQ(failed, 0);
        EXPECT_EQ(FilesUnder(out.path()), QStringList({"one.tvp", "two.tvp"}));
        for (const char *name : {"one.tvp", "two.tvp"}) {
            TempFolder unpacked;
            TZipReader(out.file(name)).ExtractAll(unpacked.path());
            EXPECT_EQ(unpacked.read("flashmenu/media.jpg"), media) << name;
        }
    }
    if (geteuid() != 0)
        GTEST_SKIP() << "only the plain case ran: only root acts as other users and makes a pid namespace";
}

TEST(ZipArchive, AReadOnlyArchiveIsRefusedAndKept)
{
    TempFolder base, out;
    base.write("a.txt", "new");
    out.write("p.tvp", "old project");
    // A folder anyone may write in, and a file no one may: only root writes it all the same.
    const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::WriteGroup
                     | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(out.path(), all));
    ASSERT_TRUE(QFile::setPermissions(base.path(), all));
    ASSERT_TRUE(QFile::setPermissions(base.file("a.txt"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ASSERT_TRUE(QFile::setPermissions(out.file("p.tvp"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QString error;
    {
        Unprivileged scope;
        // Root writes any file: the check means something only as an ordinary user.
        ASSERT_NE(geteuid(), 0u) << "cannot act as an ordinary user";
        error = ExceptionText([&] { WriteZipArchive(out.file("p.tvp"), base.path(), {"a.txt"}); });
    }
    EXPECT_EQ(error, "Cannot write the archive \"" + out.file("p.tvp") + "\": Existing file " + out.file("p.tvp")
                         + " is not writable");
    EXPECT_EQ(out.read("p.tvp"), "old project");
    EXPECT_EQ(Mode(out.file("p.tvp")), 0444u);
    EXPECT_EQ(FilesUnder(out.path()), QStringList{"p.tvp"});
}

TEST(ZipArchive, AMemberThroughALinkedFolderCannotLeave)
{
    TempFolder dir, target, outside;
    ASSERT_TRUE(QFile::link(outside.path(), target.file("media")));
    MakeZipArchive(dir.file("x.zip"), {{"media/evil.txt", "evil"}});
    EXPECT_TRUE(ExceptionText([&] { TZipReader(dir.file("x.zip")).ExtractAll(target.path()); })
                    .contains("leads outside the target folder"));
    EXPECT_TRUE(FilesUnder(outside.path()).isEmpty());
}

TEST(ZipArchive, LinkMembersAreRefused)
{
    TempFolder dir, target;
    MakeZipArchive(dir.file("link.zip"), {{"a.txt", "fine"}, {"passwd", "/etc/passwd", S_IFLNK | 0777}});
    TZipReader reader(dir.file("link.zip"));
    EXPECT_TRUE(reader.Members()[1].IsLink);
    EXPECT_EQ(ExceptionText([&] { reader.ExtractAll(target.path()); }),
              "The archive \"" + dir.file("link.zip") + "\" cannot be extracted: the member \"passwd\" is a link.");
    EXPECT_TRUE(FilesUnder(target.path()).isEmpty());
}

TEST(ZipArchive, ModesFromTheArchiveAreNotApplied)
{
    TempFolder dir, target;
    MakeZipArchive(dir.file("mode.zip"), {{"run.sh", "#!/bin/sh\n", S_IFREG | 06777}});
    TZipReader(dir.file("mode.zip")).ExtractAll(target.path());
    const QFileInfo fi(target.file("run.sh"));
    EXPECT_TRUE(fi.isFile());
    EXPECT_FALSE(fi.permissions() & (QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther | QFile::WriteOther));
}

TEST(ZipArchive, EncryptedMembersAreRefused)
{
    if (!zip_encryption_method_supported(ZIP_EM_AES_256, 1))
        GTEST_SKIP() << "libzip cannot write encrypted members here";
    TempFolder dir, target;
    MakeZipArchive(dir.file("enc.zip"), {{"plain.txt", "fine"}, {"secret.txt", "hidden", S_IFREG | 0644, true}});
    TZipReader reader(dir.file("enc.zip"));
    EXPECT_TRUE(reader.Members()[1].IsEncrypted);
    EXPECT_TRUE(ExceptionText([&] { reader.ExtractAll(target.path()); }).endsWith("the member \"secret.txt\" is encrypted."));
    EXPECT_TRUE(ExceptionText([&] { reader.ExtractMember(1, target.path()); }).endsWith("is encrypted."));
    EXPECT_TRUE(FilesUnder(target.path()).isEmpty());
}

TEST(ZipArchive, ArchiveBombIsStoppedAtTheDefaultMemberCap)
{
    TempFolder dir, target;
    {
        QFile zeros(dir.file("zeros.bin"));
        ASSERT_TRUE(zeros.open(QIODevice::WriteOnly));
        ASSERT_TRUE(zeros.resize(TZipLimits().MaxMemberSize + 1)); // sparse: no disk space used
    }
    // Made by hand: the program's own writer refuses a member this large.
    MakeZipArchive(dir.file("bomb.zip"), {}, [&](zip_t *za) {
        zip_source_t *src = zip_source_file(za, QFile::encodeName(dir.file("zeros.bin")).constData(), 0, 0);
        ASSERT_NE(src, nullptr);
        ASSERT_GE(zip_file_add(za, "zeros.bin", src, 0), 0);
    });
    EXPECT_LT(QFileInfo(dir.file("bomb.zip")).size(), 2 << 20);
    QFile::remove(dir.file("zeros.bin"));
    TZipReader reader(dir.file("bomb.zip"));
    EXPECT_TRUE(ExceptionText([&] { reader.ExtractMember(0, target.path()); }).endsWith("the member \"zeros.bin\" is too large."));
    EXPECT_TRUE(FilesUnder(target.path()).isEmpty());
}

TEST(ZipArchive, SizesAreCountedOnTheBytesReallyUnpacked)
{
    TempFolder dir, target;
    const QByteArray big(64 * 1024, 'z');
    MakeZipArchive(dir.file("liar.zip"), {{"liar.bin", big}});
    // Both headers claim 16 bytes for a member of 64 KiB.
    QByteArray bytes = dir.read("liar.zip");
    ForgeFirstMemberSize(bytes);
    dir.write("liar.zip", bytes);

    TZipLimits limits;
    limits.MaxMemberSize = 1024;
    TZipReader reader(dir.file("liar.zip"), limits);
    EXPECT_EQ(reader.Members()[0].Size, 16u);
    EXPECT_FALSE(ExceptionText([&] { reader.ExtractAll(target.path()); }).isEmpty());
    EXPECT_TRUE(FilesUnder(target.path()).isEmpty());
}

TEST(ZipArchive, TotalAndEntryCapsHold)
{
    TempFolder dir;
    MakeZipArchive(dir.file("three.zip"), {{"a", QByteArray(600, 'a')}, {"b", QByteArray(600, 'b')}, {"c", "c"}});
    TZipLimits limits;
    limits.MaxTotalSize = 1000;
    {
        TempFolder target;
        TZipReader reader(dir.file("three.zip"), limits);
        EXPECT_TRUE(ExceptionText([&] { reader.ExtractAll(target.path()); }).endsWith("too large altogether."));
        EXPECT_TRUE(FilesUnder(target.path()).isEmpty());
        // Single extractions add up too.
        reader.ExtractMember(0, target.path());
        EXPECT_TRUE(ExceptionText([&] { reader.ExtractMember(1, target.path()); }).endsWith("too large altogether."));
        EXPECT_EQ(FilesUnder(target.path()), QStringList{"a"});
    }
    limits = TZipLimits();
    limits.MaxEntries = 2;
    EXPECT_EQ(ExceptionText([&] { TZipReader(dir.file("three.zip"), limits); }),
              "The archive \"" + dir.file("three.zip") + "\" holds too many members.");
}

TEST(ZipArchive, FilesThatAreNoArchive)
{
    TempFolder dir;
    dir.write("text.tvp", "this is not a zip archive at all");
    EXPECT_TRUE(ExceptionText([&] { TZipReader(dir.file("text.tvp")); }).startsWith("Cannot open the archive \""));
    EXPECT_TRUE(ExceptionText([&] { TZipReader(dir.file("none.tvp")); }).startsWith("Cannot open the archive \""));
    // A damaged member: the stored bytes changed after writing.
    MakeZipArchive(dir.file("crc.zip"), {{"a.txt", QByteArray(5000, 'q')}}, [](zip_t *za) {
        zip_set_file_compression(za, 0, ZIP_CM_STORE, 0);
    });
    QByteArray bytes = dir.read("crc.zip");
    bytes[100] = 'X';
    dir.write("crc.zip", bytes);
    TempFolder target;
    EXPECT_TRUE(ExceptionText([&] { TZipReader(dir.file("crc.zip")).ExtractAll(target.path()); }).contains("is damaged"));
    EXPECT_TRUE(FilesUnder(target.path()).isEmpty());
}

TEST(ZipArchive, AFailedWriteLeavesTheOldArchiveWhole)
{
    // The temporary names do not grow with the target's: a name as long as names may be saves.
    TempFolder base, out;
    base.write("a.txt", "a");
    base.write("big.jpg", QByteArray(300000, 'j'));
    const QString name = QString(251, 'p') + ".tvp";
    out.write(name, "old project bytes");
    WriteZipArchive(out.file(name), base.path(), {"a.txt"});
    const QByteArray saved = out.read(name);
    EXPECT_NE(saved, "old project bytes");

    // A full disk: the archive cannot be written whole, the one before stays, and the reason is told
    // once, without a blank too many.
    QString error;
    {
        FileSizeLimit limit(100000);
        error = ExceptionText([&] { WriteZipArchive(out.file(name), base.path(), {"a.txt", "big.jpg"}); });
    }
    EXPECT_TRUE(error.startsWith("Cannot write the archive \"" + out.file(name) + "\": ")) << error.toStdString();
    EXPECT_TRUE(error.contains(qt_error_string(EFBIG))) << error.toStdString();
    EXPECT_FALSE(error.contains("  ")) << error.toStdString();
    EXPECT_EQ(out.read(name), saved);
    EXPECT_EQ(FilesUnder(out.path()), QStringList{name});
}

TEST(ZipArchive, AnArchiveOfNothingIsStillAnArchive)
{
    TempFolder dir;
    WriteZipArchive(dir.file("empty.zip"), dir.path(), {"missing.txt"});
    TZipReader reader(dir.file("empty.zip"));
    EXPECT_TRUE(reader.Members().isEmpty());
    EXPECT_EQ(FilesUnder(dir.path()), QStringList{"empty.zip"});
}
