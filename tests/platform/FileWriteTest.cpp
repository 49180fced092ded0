// Whole-file writes: the new bytes replace the file at once, a failed write leaves the old file
// whole and says why.
#include "Errors.h"
#include "FileWrite.h"
#include "TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(FileWrite, ReplacesTheWholeFileOrLeavesTheOldOneAndSaysWhy)
{
    TempFolder dir;
    dir.write("page.htm", "old page that is longer");
    WriteFileWhole(dir.file("page.htm"), "new");
    EXPECT_EQ(dir.read("page.htm"), "new");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"page.htm"});

    // A folder in the way: nothing can be written there.
    QDir().mkpath(dir.file("taken"));
    QString reason;
    EXPECT_FALSE(TryWriteFileWhole(dir.file("taken"), "x", &reason));
    EXPECT_FALSE(reason.isEmpty());
    try {
        WriteFileWhole(dir.file("missing/page.htm"), "x");
        ADD_FAILURE() << "no error raised";
    } catch (const Exception &e) {
        EXPECT_TRUE(e.Message().startsWith("Cannot create file \"" + dir.file("missing/page.htm") + "\". "))
            << e.Message().toStdString();
    }
    EXPECT_FALSE(dir.exists("missing"));
}

TEST(FileWrite, AWriteCutShortByAFullDiskLeavesTheOldFile)
{
    TempFolder dir;
    dir.write("page.htm", "old");
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(TryWriteFileWhole(dir.file("page.htm"), QByteArray(300, 'x')));
    }
    EXPECT_EQ(dir.read("page.htm"), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"page.htm"});
}
