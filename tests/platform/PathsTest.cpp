#include "Errors.h"
#include "FileWrite.h"
#include "Paths.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(Paths, StoredNamesBecomeNativePaths)
{
    EXPECT_EQ(NativePath("/p/", "Templates\\Horizontal\\Menus"), "/p/Templates/Horizontal/Menus");
    EXPECT_EQ(NativePath("/p", "flashmenu\\"), "/p/flashmenu/");
    EXPECT_EQ(NativePath("/p/", "a//b/c.jpg"), "/p/a/b/c.jpg");
    EXPECT_EQ(WithSlash("/x\\"), "/x/");
}

TEST(Paths, UntrustedNamesStayUnderTheirBase)
{
    TempFolder dir;
    EXPECT_EQ(SafePathUnder(dir.path(), "flashmenu\\bg.jpg"), dir.path() + "flashmenu/bg.jpg");
    for (const char *bad : {"", "..\\x", "a/../../x", "/etc/passwd", "\\x", "C:\\x", "c:x", "a\\..\\b"})
        EXPECT_EQ(SafePathUnder(dir.path(), QString::fromLatin1(bad)), QString()) << bad;
}

TEST(Paths, LinksThatLeadOutCountAsNoFile)
{
    TempFolder dir, outside;
    outside.write("secret.txt", "x");
    ASSERT_TRUE(QFile::link(outside.path(), dir.file("escape")));
    EXPECT_EQ(SafePathUnder(dir.path(), "escape/secret.txt"), QString());
}

TEST(Paths, TemplateFilesAreFoundWithoutRegardToCase)
{
    TempFolder dir;
    dir.write("Templates/Horizontal/HTML/Template.htm", "t");
    EXPECT_EQ(FindTemplateFile(dir.path(), "templates\\HORIZONTAL\\html\\template.HTM"),
              dir.path() + "Templates/Horizontal/HTML/Template.htm");
    EXPECT_EQ(FindTemplateFile(dir.path(), "Templates\\Nope.htm"), QString());
    EXPECT_EQ(FindTemplateFile(dir.path(), "..\\x"), QString());
}

TEST(Paths, FullPathsThatTheUserPickedHaveADrivePart)
{
    for (const char *full : {"C:\\pics\\a.gif", "d:/a.gif", "\\\\server\\share\\a.gif", "/home/u/a.gif"})
        EXPECT_TRUE(HasDrivePart(full)) << full;
    for (const char *relative : {"a.gif", "flashmenu\\a.gif", "..\\a.gif", "\\a.gif", "1:\\a.gif", ":", ""})
        EXPECT_FALSE(HasDrivePart(relative)) << relative;
}

namespace {

// What the system makes of a path that a save writes: the file it opens or makes there, or its
// refusal. "" when the folder a whole-file write finds agrees, else what differs.
QString CompareWithTheSystem(const QString &path)
{
    int error = 0;
    const Fd folder = OpenWriteFolder(path, &error);
    const QByteArray name = QFile::encodeName(path);
    int fd = open(name.constData(), O_RDONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EISDIR)
        fd = open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const int systemError = fd < 0 ? errno : 0;
    QString differs;
    if (fd < 0) {
        if (folder.valid())
            differs = QStringLiteral("the system refuses it (%1), the write does not").arg(qt_error_string(systemError));
    } else {
        struct stat opened {}, written {};
        fstat(fd, &opened);
        char real[PATH_MAX] = {};
        const bool named = readlink(("/proc/self/fd/" + QByteArray::number(fd)).constData(), real, sizeof real - 1) > 0;
        close(fd);
        if (S_ISDIR(opened.st_mode)) {
            if (folder.valid())
                differs = QStringLiteral("the system opens a folder, the write does not refuse it");
        } else if (!folder.valid()) {
            differs = QStringLiteral("the system opens it, the write refuses it (%1)").arg(qt_error_string(error));
        } else {
            struct stat inFolder {};
            const QByteArray fileName = QByteArray(real).mid(QByteArray(real).lastIndexOf('/') + 1);
            if (!named || fstatat(folder.get(), fileName.constData(), &inFolder, AT_SYMLINK_NOFOLLOW) != 0
                || inFolder.st_dev != opened.st_dev || inFolder.st_ino != opened.st_ino)
                differs = QStringLiteral("the system opens %1, which the write's folder does not hold").arg(real);
        }
    }
    return differs.isEmpty() ? QString() : path + ": " + differs;
}

} // namespace

TEST(Paths, AWriteFindsEveryPathAsTheSystemDoes)
{
    TempFolder root, outside;
    const QString base = root.path() + "t";
    QStringList differences;

    // A missing folder that ".." climbs out of, and a "/" after a file: both refused by the system.
    QDir().mkpath(base);
    ASSERT_TRUE(QFile::link(outside.path(), base + "/escape"));
    ASSERT_TRUE(QFile::link("nothere/../escape", base + "/x"));
    WriteFileBytes(base + "/q.tvp", "a file");
    ASSERT_TRUE(QFile::link("q.tvp/", base + "/p2.tvp"));
    for (const QString &path : {base + "/x/p.tvp", base + "/p2.tvp", base + "/q.tvp/", base + "/escape/p.tvp"})
        if (const QString differs = CompareWithTheSystem(path); !differs.isEmpty())
            differences << differs;
    // Where the missing folder would be made, a link after it is followed back out.
    EXPECT_EQ(SafePathUnder(base, "x/p.tvp"), QString());
    EXPECT_EQ(ResolvedPath(base + "/x/p.tvp"), outside.path() + "p.tvp");

    // Folders, files and links two levels deep, a link leading anywhere, relative or from the root,
    // with or without a "/" after it; each path looked up in a layout made anew.
    QRandomGenerator random(25);
    const QStringList parts{"a", "b", "c", ".", "..", "", "nothere"};
    const auto randomPath = [&](int most) {
        QStringList path;
        for (int i = random.bounded(1, most + 1); i > 0; --i)
            path << parts[random.bounded(int(parts.size()))];
        return path.join('/') + (random.bounded(5) == 0 ? "/" : "");
    };
    struct Entry {
        QString name;
        int kind; // 0 folder, 1 file, 2 link
        QString target;
    };
    int opened = 0, refused = 0;
    for (int layout = 0; layout < 60; ++layout) {
        QList<Entry> entries;
        for (const char *top : {"a", "b", "c"}) {
            const int kind = random.bounded(4) % 3;
            const auto target = [&] {
                const QString relative = randomPath(3);
                return random.bounded(4) == 0 ? base + "/" + relative : relative.isEmpty() ? "a" : relative;
            };
            entries << Entry{top, kind, kind == 2 ? target() : QString()};
            if (kind == 0)
                for (const char *sub : {"a", "b", "c"}) {
                    const int subKind = random.bounded(3);
                    entries << Entry{QString(top) + "/" + sub, subKind, subKind == 2 ? target() : QString()};
                }
        }
        for (int p = 0; p < 20; ++p) {
            ASSERT_TRUE(QDir(base).removeRecursively());
            QDir().mkpath(base);
            for (const Entry &e : entries) {
                const QString path = base + "/" + e.name;
                if (e.kind == 0)
                    QDir().mkdir(path);
                else if (e.kind == 1)
                    WriteFileBytes(path, "file");
                else
                    ASSERT_EQ(symlink(QFile::encodeName(e.target).constData(), QFile::encodeName(path).constData()), 0);
            }
            const QString path = base + "/" + randomPath(5);
            const QString differs = CompareWithTheSystem(path);
            if (!differs.isEmpty())
                differences << differs;
            (QFileInfo::exists(path) ? opened : refused)++;
        }
    }
    EXPECT_TRUE(differences.isEmpty()) << differences.join("\n").toStdString();
    // The layouts reach both answers often.
    EXPECT_GT(opened, 200) << refused;
    EXPECT_GT(refused, 200) << opened;
}
