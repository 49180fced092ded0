#include "Paths.h"
#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

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
