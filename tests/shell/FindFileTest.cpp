// The file finder over real folders, and the replaceable folder and open-file dialogs.
#include "FindFile.h"
#include "TestSupport.h"
#include "uBrowseFolderUtils.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// a.dic, B.DIC, readme.txt, .hidden.dic, folder x.dic/ (with inner.dic), sub/c.dic, .hid/d.dic
struct FinderTree : testing::Test {
    TempFolder root;
    void SetUp() override
    {
        for (const char *f : {"a.dic", "B.DIC", "readme.txt", ".hidden.dic", "x.dic/inner.dic", "sub/c.dic", ".hid/d.dic"})
            root.write(f, "x");
    }
    QStringList relative(const QStringList &paths) const
    {
        QStringList out;
        for (const QString &p : paths)
            out << (p.startsWith(root.path()) ? p.mid(root.path().size()) : QStringLiteral("OUTSIDE:") + p);
        return out;
    }
};

} // namespace

TEST_F(FinderTree, HiddenAndAnyFileAdmitEverythingThatMatchesTheMaskWithoutCase)
{
    TFindFile finder;
    finder.SetPath(root.path());
    finder.FileMask = "*.dic";
    finder.FileAttr = FileAttrOf(ffaHidden) | FileAttrOf(ffaSysFile) | FileAttrOf(ffaAnyFile);
    EXPECT_EQ(relative(finder.SearchForFiles()), QStringList({".hidden.dic", "a.dic", "B.DIC", "x.dic"}));
}

TEST_F(FinderTree, AnEmptyAttributeSetListsOnlyPlainVisibleFiles)
{
    TFindFile finder;
    finder.SetPath(root.path());
    finder.FileAttr = 0;
    EXPECT_EQ(relative(finder.SearchForFiles()), QStringList({"a.dic", "B.DIC", "readme.txt"}));
    finder.FileMask = "?.dic";
    EXPECT_EQ(relative(finder.SearchForFiles()), QStringList({"a.dic", "B.DIC"}));
}

TEST_F(FinderTree, SubFoldersComeAfterTheFolderOwnMatchesAndHiddenOnesAreNotEntered)
{
    TFindFile finder;
    finder.SetPath(root.path());
    finder.FileMask = "*.dic";
    finder.FileAttr = 0;
    finder.InSubFolders = true;
    EXPECT_EQ(relative(finder.SearchForFiles()), QStringList({"a.dic", "B.DIC", "sub/c.dic", "x.dic/inner.dic"}));
}

TEST_F(FinderTree, AFolderLinkedBackUpTheTreeIsNotEntered)
{
    ASSERT_TRUE(QFile::link(root.path(), root.file("sub/loop")));
    TFindFile finder;
    finder.SetPath(root.file("sub"));
    finder.FileAttr = 0;
    finder.InSubFolders = true;
    EXPECT_EQ(relative(finder.SearchForFiles()), QStringList({"sub/c.dic"}));
}

TEST_F(FinderTree, ThePathTakesOnlyExistingFoldersAndAlwaysEndsWithASlash)
{
    TFindFile finder;
    EXPECT_EQ(finder.Path(), QDir::currentPath() + "/");
    finder.SetPath(root.file("sub"));
    EXPECT_EQ(finder.Path(), root.file("sub/"));
    finder.SetPath(root.file("missing"));
    finder.SetPath("");
    finder.SetPath(root.file("a.dic"));
    EXPECT_EQ(finder.Path(), root.file("sub/"));
    // A folder that vanished is searched as it stands: nothing is found, nothing fails.
    QDir(root.file("sub")).removeRecursively();
    EXPECT_TRUE(finder.SearchForFiles().isEmpty());
}

TEST(FileAttributes, OnlyHiddenSystemVolumeAndDirectoryBitsExcludeAnEntry)
{
    EXPECT_EQ(AttributeFilter(FileAttrOf(ffaAnyFile)), 0x3Fu);
    EXPECT_EQ(AttributeFilter(FileAttrOf(ffaHidden) | FileAttrOf(ffaDirectory)), 0x12u);
    EXPECT_TRUE(EntryAdmitted(faReadOnly | faArchive, 0));
    EXPECT_FALSE(EntryAdmitted(faHidden, 0));
    EXPECT_FALSE(EntryAdmitted(faHidden | faDirectory, faDirectory));
    EXPECT_TRUE(EntryAdmitted(faDirectory | faReadOnly, faDirectory));
    EXPECT_TRUE(MaskMatches("*.*", "noextension"));
    EXPECT_FALSE(MaskMatches("*.dic", "a.dic.bak"));
}

namespace {

struct PickerCall {
    QString title, start, filter;
    int calls = 0;
};

} // namespace

TEST(FolderDialog, TheChoiceComesBackWithoutTrailingSlashAndNonFoldersAsNothing)
{
    TempFolder root;
    root.write("file.txt", "x");
    QDir().mkpath(root.file("chosen"));
    PickerCall call;
    QString answer;
    FolderPicker previous = SetFolderPicker([&](QWidget *, const QString &title, const QString &start) {
        ++call.calls;
        call.title = title;
        call.start = start;
        return answer;
    });
    answer = root.file("chosen/");
    EXPECT_EQ(BrowseForFolderCompat(nullptr, "Pick", root.path()), root.file("chosen"));
    EXPECT_EQ(call.title, "Pick");
    EXPECT_EQ(call.start, root.path());
    answer = "/";
    EXPECT_EQ(BrowseForFolderCompat(nullptr, "", ""), "/");
    EXPECT_EQ(call.start, "");
    for (const QString &notAFolder : {QString(), root.file("file.txt"), root.file("missing")}) {
        answer = notAFolder;
        EXPECT_EQ(BrowseForFolderCompat(nullptr, "", root.path()), "") << notAFolder.toStdString();
    }
    EXPECT_EQ(call.calls, 5);
    SetFolderPicker(previous);
}

TEST(OpenFileDialog, StoredFiltersBecomeNameFilters)
{
    EXPECT_EQ(QtNameFilter("Tolvanar Projects (*.tvp) |*.tvp"), "Tolvanar Projects (*.tvp)");
    EXPECT_EQ(QtNameFilter("Images (*.jpg;*.png)|*.jpg;*.png|Any Files|*.*"), "Images (*.jpg *.png);;Any Files (*.*)");
    // A label without patterns, a pattern list without a label, a dangling label.
    EXPECT_EQ(QtNameFilter("Empty|  |No label here"), "");
    EXPECT_EQ(QtNameFilter("|*.a"), "*.a (*.a)");
    EXPECT_EQ(QtNameFilter(""), "");

    PickerCall call;
    OpenFilePicker previous = SetOpenFilePicker([&](QWidget *, const QString &, const QString &start, const QString &filter) {
        ++call.calls;
        call.start = start;
        call.filter = filter;
        return QStringLiteral("/x/y.tvp");
    });
    EXPECT_EQ(OpenFileDialog(nullptr, "", "/start/", "Tolvanar Projects (*.tvp) |*.tvp"), "/x/y.tvp");
    EXPECT_EQ(call.start, "/start/");
    EXPECT_EQ(call.filter, "Tolvanar Projects (*.tvp)");
    SetOpenFilePicker(previous);
}
