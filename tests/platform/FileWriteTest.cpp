// Whole-file writes: the new bytes replace the file at once, a failed write leaves the old file
// whole and says why.
#include "Errors.h"
#include "FileWrite.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

TEST(FileWrite, UnsyncedWritesAndSystemCopiesReplaceWholeKeepPermissionsAndReportFailures)
{
    TempFolder dir;
    const QStringList justThePage{"page.htm"};
    dir.write("page.htm", "old page that is longer");
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    const auto ownerGroupOther = QFileDevice::Permissions(0xF0FF);
    QFile::setPermissions(dir.file("page.htm"), mode);
    ASSERT_TRUE(TryWriteFileWhole(dir.file("page.htm"), "new", nullptr, FileSync::Unsynced));
    EXPECT_EQ(dir.read("page.htm"), "new");
    EXPECT_EQ(QFile::permissions(dir.file("page.htm")) & ownerGroupOther, mode);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), justThePage);

    // A file that may not be written is refused, also when it already holds the bytes.
    QFile::setPermissions(dir.file("page.htm"), QFileDevice::ReadOwner);
    if (!QFileInfo(dir.file("page.htm")).isWritable()) {
        QString reason;
        EXPECT_FALSE(TryWriteFileWhole(dir.file("page.htm"), "new", &reason, FileSync::Unsynced));
        EXPECT_FALSE(reason.isEmpty());
    }
    QFile::setPermissions(dir.file("page.htm"), mode);

    // The system's copy: the whole source over the target, the target's permissions kept.
    QByteArray big(3 << 20, 'm');
    big[big.size() - 1] = 'z';
    dir.write("movie.swf", big);
    for (const FileSync sync : {FileSync::Durable, FileSync::Unsynced}) {
        ASSERT_TRUE(TryCopyFileWhole(dir.file("movie.swf"), dir.file("page.htm"), sync));
        EXPECT_EQ(dir.read("page.htm"), big);
        EXPECT_EQ(QFile::permissions(dir.file("page.htm")) & ownerGroupOther, mode);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"movie.swf", "page.htm"}));

    // A source that is not there and a folder that is not there are reported; nothing is left.
    QString reason;
    EXPECT_FALSE(TryCopyFileWhole(dir.file("gone.swf"), dir.file("page.htm"), FileSync::Unsynced, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(dir.read("page.htm"), big);
    reason.clear();
    EXPECT_FALSE(TryCopyFileWhole(dir.file("movie.swf"), dir.file("missing/movie.swf"), FileSync::Unsynced, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(dir.exists("missing"));
}
