#include "Errors.h"
#include "Messages.h"
#include "TestSupport.h"
#include "uGlobal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

// ---- Colours, Booleans, hints ----------------------------------------------------------------

TEST(Colours, PlatformAndFileOrdersAndTheirTextForm)
{
    const int32_t platform = 0x563412; // red 0x12, green 0x34, blue 0x56
    EXPECT_EQ(ColorToHtmlHex(platform), "123456");
    EXPECT_EQ(HtmlHexToColor("123456"), platform);
    EXPECT_EQ(ColorToHtmlHex(0xFF), "FF0000");
    EXPECT_EQ(ColorToHtmlHex(0), "000000");
    EXPECT_EQ(ColorToHtmlHex(0x12345678), "56341278"); // wider than 24 bits: digits 1-2 and 5-6 exchanged
    EXPECT_EQ(SwapRedBlue(0x12345678), 0x00785634);
    EXPECT_EQ(SwapRedBlueValue(0x00785634), 0x00345678);
    EXPECT_EQ(SwapRedBlue(SwapRedBlue(0x00ABCDEF)), 0x00ABCDEF);
    EXPECT_EQ(HtmlHexToColor(""), 0);
    EXPECT_EQ(HtmlHexToColor("ff"), 0xFF0000);
    try {
        HtmlHexToColor("12345G");
        FAIL() << "no error";
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.Message(), "'0x12345G' is not a valid integer value");
    }
}

TEST(Booleans, TextAndNumberForms)
{
    EXPECT_EQ(BoolToText(true), "true");
    EXPECT_EQ(BoolToText(false), "false");
    EXPECT_TRUE(TextToBool("TRUE"));
    EXPECT_FALSE(TextToBool("1"));
    EXPECT_FALSE(TextToBool(" true"));
    EXPECT_EQ(BoolToInt(true), 1);
    EXPECT_FALSE(IntToBool(2));
    EXPECT_TRUE(IntToBool(1));
    EXPECT_FALSE(ByteIsOne(255));
    EXPECT_TRUE(ByteToBool(5));
    EXPECT_FALSE(ByteToBool(0));
}

TEST(Fonts, HintTextAndNameSize)
{
    SetDefaultTexts();
    EXPECT_EQ(FontToHintText("Arial", 10, 0x563412), "Font : Arial\r\nSize : 10\r\nColor : 123456");
    EXPECT_EQ(FontToHintText("%1 odd", 9, 0), "Font : %1 odd\r\nSize : 9\r\nColor : 000000");
    QFont font;
    EXPECT_EQ(&SetFontNameSize(font, "MS PGothic", 9), &font);
    EXPECT_EQ(font.family(), "MS PGothic");
    EXPECT_EQ(font.pointSize(), 9);
}

// ---- Replacement ---------------------------------------------------------------------------

TEST(Replace, RestartingRemovalAndSinglePassReplacement)
{
    EXPECT_EQ(ReplaceAllAnsiText(".dic", "", "a.di.dicc"), "a");
    EXPECT_EQ(ReplaceAllAnsiText(".dic", "", "French.dic"), "French");
    EXPECT_EQ(WideReplaceAll("aXa", "a", "aa"), "aaXaa");
    EXPECT_EQ(WideReplaceAll("<#T#><#T#>", "<#T#>", "x"), "xx");
    EXPECT_EQ(ReplaceAllText("a\\b\\\\c", "\\", "/"), "a/b//c");
    EXPECT_EQ(ReplaceAllText("aabb", "ab", "b"), "bb"); // "aabb" -> "abb" -> "bb"
    EXPECT_EQ(ReplaceAllText("xaabby", "ab", ""), "xy");
}

TEST(Replace, AlwaysEnds)
{
    EXPECT_EQ(ReplaceAllText("abc", "", "x"), "abc");
    EXPECT_EQ(WideReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAllText("aXa", "a", "aa"), "aaXaa"); // the replacement holds the pattern
    EXPECT_EQ(ReplaceAllText("ba", "ba", "bab"), "bab");   // it would rebuild it with its neighbour
    EXPECT_EQ(ReplaceAllText("", "a", "b"), "");
}

TEST(Replace, NestedRemovalsOfAMebibyteStayLinear)
{
    const int half = 512 * 1024;
    const QString nested = QString(half, QLatin1Char('a')) + QString(half, QLatin1Char('b'));
    EXPECT_EQ(ReplaceAllText(nested, "ab", ""), "");
    // A replacement between them keeps the rest apart.
    EXPECT_EQ(ReplaceAllText(nested, "ab", "-"),
              QString(half - 1, QLatin1Char('a')) + "-" + QString(half - 1, QLatin1Char('b')));
}

// ---- Files and folders -----------------------------------------------------------------------

TEST(CopyFileCompat, CopiesAndReplacesRegularFiles)
{
    TempFolder dir;
    dir.write("src.txt", "new");
    dir.write("dst.txt", "old");
    EXPECT_TRUE(CopyFileCompat(dir.file("src.txt"), dir.file("dst.txt")));
    EXPECT_EQ(dir.read("dst.txt"), "new");
    EXPECT_TRUE(CopyFileCompat(dir.file("src.txt"), dir.file("fresh.txt")));
    EXPECT_EQ(dir.read("fresh.txt"), "new");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"dst.txt", "fresh.txt", "src.txt"}));
}

TEST(CopyFileCompat, OntoItselfDoesNothing)
{
    TempFolder dir;
    dir.write("sub/a.txt", "keep me");
    EXPECT_TRUE(CopyFileCompat(dir.file("sub/a.txt"), dir.file("sub/../sub/a.txt")));
    ASSERT_TRUE(QFile::link(dir.file("sub/a.txt"), dir.file("link.txt")));
    EXPECT_TRUE(CopyFileCompat(dir.file("link.txt"), dir.file("sub/a.txt")));
    EXPECT_EQ(dir.read("sub/a.txt"), "keep me");
}

TEST(CopyFileCompat, AFailedCopyLeavesTheTargetAsItWas)
{
    TempFolder dir, outside;
    dir.write("target.txt", "old");
    QDir().mkdir(dir.file("folder"));
    outside.write("victim.txt", "outside");
    ASSERT_TRUE(QFile::link(outside.file("victim.txt"), dir.file("link.txt")));
    dir.write("src.txt", "new");

    EXPECT_FALSE(CopyFileCompat(dir.file("missing.txt"), dir.file("target.txt")));
    EXPECT_FALSE(CopyFileCompat(dir.file("folder"), dir.file("target.txt")));
    EXPECT_FALSE(CopyFileCompat(dir.file("src.txt"), dir.file("folder")));
    EXPECT_FALSE(CopyFileCompat(dir.file("src.txt"), dir.file("link.txt")));
    EXPECT_FALSE(CopyFileCompat(dir.file("src.txt"), dir.file("no/such/folder/x.txt")));
    EXPECT_FALSE(CopyFileCompat("/dev/null", dir.file("target.txt")));
    EXPECT_EQ(dir.read("target.txt"), "old");
    EXPECT_EQ(outside.read("victim.txt"), "outside");
    EXPECT_TRUE(QFileInfo(dir.file("folder")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
              QStringList({"folder", "link.txt", "src.txt", "target.txt"}));
}

TEST(DeleteFolderFiles, EmptiesATreeAndKeepsItsFolders)
{
    TempFolder dir;
    dir.write("x/a.txt", "1");
    dir.write("x/.hidden", "1");
    dir.write("x/sub/b.txt", "1");
    dir.write("x/sub/deeper/c.txt", "1");
    EXPECT_TRUE(DeleteFolderFiles(dir.file("x/"), true));
    QStringList left;
    for (const char *p : {"x", "x/sub", "x/sub/deeper"})
        left += QDir(dir.file(QString::fromLatin1(p))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    EXPECT_EQ(left, QStringList({"sub", "deeper"}));

    dir.write("y/a.txt", "1");
    dir.write("y/sub/b.txt", "1");
    EXPECT_TRUE(DeleteFolderFiles(dir.file("y"), false));
    EXPECT_FALSE(dir.exists("y/a.txt"));
    EXPECT_TRUE(dir.exists("y/sub/b.txt"));
}

TEST(DeleteFolderFiles, FollowsNoLinks)
{
    TempFolder dir, outside;
    outside.write("file.txt", "1");
    outside.write("folder/inner.txt", "1");
    ASSERT_TRUE(QFile::link(outside.file("file.txt"), dir.file("to-file")));
    ASSERT_TRUE(QFile::link(outside.file("folder"), dir.file("to-folder")));
    EXPECT_TRUE(DeleteFolderFiles(dir.path(), true));
    EXPECT_FALSE(QFileInfo(dir.file("to-file")).isSymLink());
    EXPECT_TRUE(QFileInfo(dir.file("to-folder")).isSymLink());
    EXPECT_TRUE(outside.exists("file.txt"));
    EXPECT_TRUE(outside.exists("folder/inner.txt"));
}

TEST(DeleteFolderFiles, RefusesNoFolderAndTheRoot)
{
    EXPECT_FALSE(DeleteFolderFiles("", true));
    EXPECT_FALSE(DeleteFolderFiles("  ", true));
    EXPECT_FALSE(DeleteFolderFiles("/", false));
    EXPECT_FALSE(DeleteFolderFiles("//", false));
    EXPECT_FALSE(DeleteFolderFiles(QDir::tempPath() + "/..", false));
    EXPECT_FALSE(RemoveSubFolders("/"));
    TempFolder dir;
    EXPECT_FALSE(DeleteFolderFiles(dir.file("missing"), true));
}

TEST(RemoveSubFolders, RemovesOnlyEmptyDirectSubFolders)
{
    TempFolder dir, outside;
    QDir().mkpath(dir.file("empty"));
    QDir().mkpath(dir.file("nested/inner"));
    dir.write("full/f.txt", "1");
    dir.write("file.txt", "1");
    QDir().mkpath(outside.file("target"));
    ASSERT_TRUE(QFile::link(outside.file("target"), dir.file("link")));
    RemoveSubFolders(dir.path());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              QStringList({"file.txt", "full", "link", "nested"}));
    EXPECT_TRUE(outside.exists("target"));
}

TEST(Folders, TempFolderIsPrivateAndExistingFolderOrDefault)
{
    const QString temp = GetTempFolder();
    ASSERT_FALSE(temp.isEmpty());
    EXPECT_TRUE(temp.endsWith('/'));
    EXPECT_EQ(GetTempFolder(), temp);
    EXPECT_NE(QDir(temp).absolutePath(), QDir(QDir::tempPath()).absolutePath());
    EXPECT_EQ(QFileInfo(temp).permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());

    TempFolder dir;
    dir.write("file.txt", "1");
    EXPECT_EQ(ExistingFolderOrDefault(dir.path(), "/fallback"), dir.path());
    EXPECT_EQ(ExistingFolderOrDefault(dir.file("file.txt"), "/fallback"), "/fallback");
    EXPECT_EQ(ExistingFolderOrDefault(dir.file("none"), "/fallback"), "/fallback");
    EXPECT_EQ(ExistingFolderOrDefault("", "/fallback"), "/fallback");
}

// ---- Listings with the on-top ordering ---------------------------------------------------------

namespace {

struct OnTopLists {
    OnTopLists() { clear(); }
    ~OnTopLists() { clear(); }
    static void clear() { ClearOnTopLists(); }
};

QStringList listed(const QString &folder, const QStringList &extensions, bool onTop, bool horizontal = true)
{
    QStringList result{"stale"};
    ListFolderFiles(folder, extensions, onTop, horizontal, result);
    return result;
}

void writeFiles(const TempFolder &dir, std::initializer_list<const char *> names)
{
    for (const char *name : names)
        dir.write(name, "x");
}

} // namespace

TEST(ListFolderFiles, SpecificThenRecentThenTheRestUnderTheirRealNames)
{
    OnTopLists lists;
    TempFolder dir;
    writeFiles(dir, {"a.swf", "b.swf", "c.swf", "d.swf"});
    HorzTop = QStringList({"B", "A"});
    HorzTopSpec = QStringList({"C"});
    EXPECT_EQ(listed(dir.path(), {"swf"}, true), QStringList({"c.swf", "b.swf", "a.swf", "d.swf"}));
    EXPECT_EQ(HorzTop, QStringList({"B", "A"}));
    EXPECT_EQ(listed(dir.path(), {"swf"}, false), QStringList({"a.swf", "b.swf", "c.swf", "d.swf"}));
}

TEST(ListFolderFiles, OnTopEntriesKeepTheirOwnExtension)
{
    OnTopLists lists;
    TempFolder dir;
    writeFiles(dir, {"Blue.swf", "green.swf", "photo.jpg", "Zed.JPG"});
    VertTop = QStringList({"green", "blue"});
    EXPECT_EQ(listed(dir.path(), {"swf", "jpg"}, true, false),
              QStringList({"green.swf", "Blue.swf", "photo.jpg", "Zed.JPG"}));
}

TEST(ListFolderFiles, NamesWithoutAFileLeaveTheListsAndAreNeverListed)
{
    OnTopLists lists;
    TempFolder dir;
    dir.write("a.swf", "x");
    for (bool horizontal : {true, false}) {
        QStringList &top = horizontal ? HorzTop : VertTop;
        QStringList &specific = horizontal ? HorzTopSpec : VertTopSpec;
        top = QStringList({"gone", "a"});
        specific = QStringList({"alsogone"});
        EXPECT_EQ(listed(dir.path(), {"swf"}, true, horizontal), QStringList({"a.swf"}));
        EXPECT_EQ(top, QStringList({"a"}));
        EXPECT_TRUE(specific.isEmpty());
    }
}

TEST(ListFolderFiles, EachRegularFileOnceSortedWithoutCase)
{
    OnTopLists lists;
    TempFolder dir;
    writeFiles(dir, {"b.swf", "A.SWF", "c.Swf", "a.jpg", "a.swf.bak", "noext"});
    QDir().mkdir(dir.file("folder.swf"));
    HorzTop = QStringList({"a", "A"});
    HorzTopSpec = QStringList({"a"});
    // "a" stands in both lists and twice in one: its first file is listed once; its .jpg is a file
    // of its own and stays in the rest.
    EXPECT_EQ(listed(dir.path(), {"swf", "jpg", "SWF"}, true), QStringList({"A.SWF", "a.jpg", "b.swf", "c.Swf"}));
    EXPECT_EQ(listed(dir.path(), {"swf", "jpg"}, false), QStringList({"a.jpg", "A.SWF", "b.swf", "c.Swf"}));
}

TEST(ListFolderFiles, AMissingFolderGivesNothingAndEmptiesThatOrientationsLists)
{
    OnTopLists lists;
    TempFolder dir;
    HorzTop = QStringList({"a"});
    HorzTopSpec = QStringList({"b"});
    VertTop = QStringList({"c"});
    EXPECT_TRUE(listed(dir.file("missing/"), {"swf"}, true).isEmpty());
    EXPECT_TRUE(HorzTop.isEmpty());
    EXPECT_TRUE(HorzTopSpec.isEmpty());
    EXPECT_EQ(VertTop, QStringList({"c"}));
    EXPECT_TRUE(listed(dir.file("missing/"), {"swf"}, false).isEmpty());
}
