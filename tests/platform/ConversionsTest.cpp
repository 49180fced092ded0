#include "Conversions.h"
#include "Errors.h"

#include <gtest/gtest.h>

TEST(StrToInt, AcceptsDecimalAndBothHexForms)
{
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("-17"), -17);
    EXPECT_EQ(StrToInt("  +8"), 8);
    EXPECT_EQ(StrToInt("0xFF"), 255);
    EXPECT_EQ(StrToInt("0X1a"), 26);
    EXPECT_EQ(StrToInt("$ff00"), 0xFF00);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
}

TEST(StrToInt, RejectsGarbageAndOverflowWithTheRuntimeMessage)
{
    for (const char *bad : {"", "abc", "12 ", "0x", "$", "1.5", "2147483648", "-2147483649", "0x100000000", "--1"}) {
        try {
            StrToInt(QString::fromLatin1(bad));
            ADD_FAILURE() << "accepted " << bad;
        } catch (const EConvertError &e) {
            EXPECT_EQ(e.Message(), QStringLiteral("'%1' is not a valid integer value").arg(QLatin1String(bad)));
        }
    }
    EXPECT_EQ(StrToIntDef("x", 7), 7);
}

TEST(TextForms, HexIsSixUpperCaseDigitsOfTheLow24Bits)
{
    EXPECT_EQ(IntToHex6(0xabcdef), "ABCDEF");
    EXPECT_EQ(IntToHex6(0x10), "000010");
    EXPECT_EQ(IntToHex6(-1), "FFFFFF");
}

TEST(TextForms, TrimStripsBlanksAndControlCharacters)
{
    EXPECT_EQ(TrimText(QString::fromUtf8(" \t\r\n a b \x01")), "a b");
    EXPECT_EQ(TrimText(QString::fromUtf8("\xC2\xA0x")), QString::fromUtf8("\xC2\xA0x"));
    EXPECT_EQ(TrimLeftText("  a "), "a ");
    EXPECT_EQ(TrimRightText("  a "), "  a");
}

TEST(FileNameParts, SplitOnBothSeparators)
{
    EXPECT_EQ(ExtractFileName("flashmenu\\bg.jpg"), "bg.jpg");
    EXPECT_EQ(ExtractFileName("a/b\\c.swf"), "c.swf");
    EXPECT_EQ(ExtractFilePath("a/b\\c.swf"), "a/b\\");
    EXPECT_EQ(ExtractFileExt("Sounds\\bip.MP3"), ".MP3");
    EXPECT_EQ(ExtractFileExt("dir.v\\noext"), "");
    EXPECT_EQ(ChangeFileExt("x\\menu.swf", ".jpg"), "x\\menu.jpg");
}

TEST(FileNameParts, BaseNameDropsOnlyTheLastExtensionAndSlashPathOnlyWithItsFlag)
{
    EXPECT_EQ(FileBaseName("Menus\\a.b.swf"), "a.b");
    EXPECT_EQ(FileBaseName("x/noext"), "noext");
    EXPECT_EQ(SlashPath("flashmenu\\a\\b.jpg", true), "flashmenu/a/b.jpg");
    EXPECT_EQ(SlashPath("flashmenu\\a.jpg", false), "flashmenu\\a.jpg");
}
