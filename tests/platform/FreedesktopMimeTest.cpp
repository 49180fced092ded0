#include "FreedesktopMime.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

TEST(FreedesktopMime, TheDatabaseKnowsAnExtensionFromItsGlobFilesOrOurPackage)
{
    TempFolder home, system;
    const XdgDataPaths paths{home.path(), {system.path()}};
    EXPECT_FALSE(MimeDatabaseKnowsExtension(paths, "tvp"));

    system.write("mime/globs2", "# comment\n50:application/x-other:*.TVP\n");
    EXPECT_TRUE(MimeDatabaseKnowsExtension(paths, "tvp"));
    EXPECT_FALSE(MimeDatabaseKnowsExtension(paths, "tvm"));
    EXPECT_FALSE(MimeDatabaseKnowsExtension(paths, "tv")); // whole patterns only

    home.write("mime/globs", "application/x-pkg:*.tvm\n");
    EXPECT_TRUE(MimeDatabaseKnowsExtension(paths, "tvm"));

    TempFolder fresh;
    fresh.write("mime/packages/p.xml", "<mime-info><mime-type type=\"a/b\"><glob pattern=\"*.tvm\"/></mime-type></mime-info>");
    EXPECT_TRUE(MimeDatabaseKnowsExtension({fresh.path(), {}}, "tvm"));
    EXPECT_FALSE(MimeDatabaseKnowsExtension({fresh.path(), {}}, "tvp"));
}

TEST(FreedesktopMime, GarbageGlobFilesKnowNothing)
{
    TempFolder home;
    home.write("mime/globs2", QByteArray("\0\xff:::\n:*.tvp\n50::*.tvp\n*.tvp\n", 28));
    home.write("mime/globs", "::\n:*.tvp\n");
    EXPECT_FALSE(MimeDatabaseKnowsExtension({home.path(), {}}, "tvp"));
}

TEST(FreedesktopMime, DataPathsComeFromTheEnvironmentWithTheirDefaults)
{
    {
        ScopedEnvironment home("XDG_DATA_HOME", "/x/home"), dirs("XDG_DATA_DIRS", "/a:relative:/b");
        const XdgDataPaths p = XdgDataPathsFromEnvironment();
        EXPECT_EQ(p.dataHome, "/x/home");
        EXPECT_EQ(p.dataDirs, QStringList({"/a", "/b"}));
    }
    ScopedEnvironment home("XDG_DATA_HOME", "relative"), dirs("XDG_DATA_DIRS", "");
    const XdgDataPaths p = XdgDataPathsFromEnvironment();
    EXPECT_TRUE(p.dataHome.endsWith("/.local/share"));
    EXPECT_EQ(p.dataDirs, QStringList({"/usr/local/share", "/usr/share"}));
}

TEST(FreedesktopMime, DesktopEntryValuesAreEscaped)
{
    EXPECT_EQ(DesktopExecArgument("/opt/my app/tolvanar"), "\"/opt/my app/tolvanar\"");
    EXPECT_EQ(DesktopExecArgument("/o/a\"b`c$d\\e%f"), "\"/o/a\\\"b\\`c\\$d\\\\e%%f\"");
    // The string escapes come on top: a backslash in a path ends up as four.
    EXPECT_EQ(DesktopEntryEscape(DesktopExecArgument("/a\\b")), "\"/a\\\\\\\\b\"");
    EXPECT_EQ(DesktopEntryEscape(" x\ny\tz"), "\\sx\\ny\\tz");
}

TEST(FreedesktopMime, TheUpdateToolRunsOnlyWhenPresentAndNeverHangs)
{
    TempFolder dir;
    EXPECT_EQ(RunMimeDatabaseUpdate(dir.path(), 1000, "no-such-tool-for-tolvanar"), ToolRun::Missing);
    EXPECT_EQ(RunMimeDatabaseUpdate(dir.path(), 1000, dir.file("absent")), ToolRun::Missing);

    const auto script = [&](const QString &name, const QByteArray &body) {
        dir.write(name, "#!/bin/sh\n" + body);
        QFile::setPermissions(dir.file(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return dir.file(name);
    };
    EXPECT_EQ(RunMimeDatabaseUpdate(dir.path(), 5000, script("ok", "echo \"$1\" > \"$1/ran\"\n")), ToolRun::Finished);
    EXPECT_EQ(dir.read("ran"), dir.path().toUtf8() + "\n");
    EXPECT_EQ(RunMimeDatabaseUpdate(dir.path(), 5000, script("bad", "exit 3\n")), ToolRun::Failed);

    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(RunMimeDatabaseUpdate(dir.path(), 300, script("slow", "exec sleep 30\n")), ToolRun::TimedOut);
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST(FreedesktopMime, FilesAreWrittenWithTheirFolders)
{
    TempFolder dir;
    EXPECT_TRUE(WriteFileReplacing(dir.file("a/b/c.txt"), "one"));
    EXPECT_TRUE(WriteFileReplacing(dir.file("a/b/c.txt"), "two"));
    EXPECT_EQ(dir.read("a/b/c.txt"), "two");
    dir.write("file", "x");
    EXPECT_FALSE(WriteFileReplacing(dir.file("file/c.txt"), "x"));
}
