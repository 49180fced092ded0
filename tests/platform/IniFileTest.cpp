#include "IniFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <gtest/gtest.h>
#include <random>

namespace {

QString iniPath(const TempFolder &dir) { return dir.file("t.ini"); }

IniFile iniWith(const TempFolder &dir, const QByteArray &bytes)
{
    dir.write("t.ini", bytes);
    return IniFile(iniPath(dir));
}

QByteArray encoded(const QString &text, QStringEncoder::Encoding encoding, const QByteArray &bom)
{
    QStringEncoder encoder(encoding);
    return bom + QByteArray(encoder.encode(text));
}

} // namespace

// ---- Reading rules ---------------------------------------------------------------------------

TEST(IniFileRead, NamesMatchWithoutCaseAndTheFirstSectionAndKeyCount)
{
    TempFolder dir;
    IniFile ini = iniWith(dir, "top=before any section\n"
                               "[Opt]\nKey=1\nkey=2\n"
                               "[OPT]\nKey=3\nOther=4\n");
    EXPECT_EQ(ini.ReadString("opt", "KEY", "-"), "1");
    EXPECT_FALSE(ini.ValueExists("opt", "Other")); // lives only in the second, shadowed section
    EXPECT_FALSE(ini.ValueExists("", "top"));
    EXPECT_EQ(ini.ReadSections(), QStringList({"Opt"}));
    EXPECT_EQ(ini.ReadSection("oPt"), QStringList({"Key", "key"}));
}

TEST(IniFileRead, HeaderRunsToTheLastBracket)
{
    TempFolder dir;
    IniFile ini = iniWith(dir, "[a]b]\nk=1\n"
                               "  [x] ; note\nk=2\n"
                               "[noclose\nk=3\n");
    EXPECT_EQ(ini.ReadSections(), QStringList({"a]b", "x"}));
    EXPECT_EQ(ini.ReadString("a]b", "k", "-"), "1");
    // "[noclose" is no header, so its key belongs to section x, which already has k.
    EXPECT_EQ(ini.ReadSectionValues("x"),
              (QList<std::pair<QString, QString>>{{"k", "2"}, {"k", "3"}}));
}

TEST(IniFileRead, KeysAreTrimmedValuesLeftTrimmedAndQuotesStripped)
{
    TempFolder dir;
    IniFile ini = iniWith(dir, "[s]\n"
                               "  spaced key  =   value  \n"
                               "eq==v=w\n"
                               "empty = \n"
                               "dq=\"a b\"\n"
                               "sq='x'\n"
                               "mixed=\"x'\n"
                               "one=\"\n"
                               "pair=\"\"\n"
                               "; commented=1\n"
                               "=no key\n"
                               "no equals sign\n");
    EXPECT_EQ(ini.ReadString("s", "spaced key", "-"), "value  ");
    EXPECT_EQ(ini.ReadString("s", "eq", "-"), "=v=w");
    EXPECT_EQ(ini.Value("s", "empty"), std::optional<QString>(""));
    EXPECT_EQ(ini.Value("s", "missing"), std::nullopt);
    EXPECT_EQ(ini.ReadString("s", "missing", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadString("s", "empty", "fallback"), "");
    EXPECT_EQ(ini.ReadString("s", "dq", "-"), "a b");
    EXPECT_EQ(ini.ReadString("s", "sq", "-"), "x");
    EXPECT_EQ(ini.ReadString("s", "mixed", "-"), "\"x'");
    EXPECT_EQ(ini.ReadString("s", "one", "-"), "\"");
    EXPECT_EQ(ini.ReadString("s", "pair", "-"), "");
    EXPECT_EQ(ini.ReadSection("s"), QStringList({"spaced key", "eq", "empty", "dq", "sq", "mixed", "one", "pair"}));
}

TEST(IniFileRead, IntegersAreDecimalOrTheFallback)
{
    TempFolder dir;
    IniFile ini = iniWith(dir, "[n]\na=12\nb= -5\nc=0x10\nd=$10\ne=abc\nf=99999999999\ng=\nh=2147483647\ni=-2147483648\n");
    EXPECT_EQ(ini.ReadInteger("n", "a", 7), 12);
    EXPECT_EQ(ini.ReadInteger("n", "b", 7), -5);
    for (const char *key : {"c", "d", "e", "f", "g", "missing"})
        EXPECT_EQ(ini.ReadInteger("n", key, 7), 7) << key;
    EXPECT_EQ(ini.ReadInteger("n", "h", 7), INT32_MAX);
    EXPECT_EQ(ini.ReadInteger("n", "i", 7), INT32_MIN);
}

TEST(IniFileRead, MissingFileReadsAsEmpty)
{
    TempFolder dir;
    IniFile ini(dir.file("none.ini"));
    EXPECT_FALSE(ini.Exists());
    EXPECT_TRUE(ini.ReadSections().isEmpty());
    EXPECT_EQ(ini.ReadString("a", "b", "d"), "d");
    EXPECT_FALSE(dir.exists("none.ini"));
}

// ---- Writing -------------------------------------------------------------------------------

TEST(IniFileWrite, ReplacesInPlaceAddsKeysAfterTheLastKeyAndSectionsAtTheEnd)
{
    TempFolder dir;
    IniFile ini = iniWith(dir, "; settings\r\n"
                               "[Options]\r\n"
                               "; comment\r\n"
                               "Language = French\r\n"
                               "Other=1\r\n"
                               "\r\n"
                               "[Next]\r\n"
                               "x=1\r\n");
    ASSERT_TRUE(ini.WriteString("options", "LANGUAGE", "German"));
    ASSERT_TRUE(ini.WriteString("OPTIONS", "New", "v"));
    ASSERT_TRUE(ini.WriteString("Added", "k", "v"));
    EXPECT_EQ(dir.read("t.ini"), QByteArray("; settings\r\n"
                                            "[Options]\r\n"
                                            "; comment\r\n"
                                            "Language=German\r\n"
                                            "Other=1\r\n"
                                            "New=v\r\n"
                                            "\r\n"
                                            "[Next]\r\n"
                                            "x=1\r\n"
                                            "[Added]\r\n"
                                            "k=v\r\n"));
    EXPECT_EQ(IniFile(iniPath(dir)).ReadString("options", "language", "-"), "German");
}

TEST(IniFileWrite, ASectionWithoutKeysGetsItsFirstKeyUnderTheHeader)
{
    TempFolder dir;
    IniFile ini = iniWith(dir, "[empty]\n; note\n[b]\nk=1");
    ASSERT_TRUE(ini.WriteString("EMPTY", "a", "1"));
    ASSERT_TRUE(ini.WriteString("b", "n", "2")); // the last line had no line break
    EXPECT_EQ(dir.read("t.ini"), QByteArray("[empty]\na=1\n; note\n[b]\nk=1\nn=2\n"));
}

TEST(IniFileWrite, ANewFileIsUtf8WithLineFeeds)
{
    TempFolder dir;
    IniFile ini(iniPath(dir));
    ASSERT_TRUE(ini.WriteString("s", "path", QString::fromUtf8("/home/ü/Проект/漢字")));
    ASSERT_TRUE(ini.WriteInteger("s", "n", -3));
    EXPECT_EQ(dir.read("t.ini"), QByteArray("[s]\npath=/home/\xC3\xBC/\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB5\xD0\xBA\xD1\x82/"
                                            "\xE6\xBC\xA2\xE5\xAD\x97\nn=-3\n"));
    EXPECT_EQ(ini.Encoding(), TextEncoding::Utf8);
}

TEST(IniFileWrite, ValuesComeBackWholeWhateverTheirEdges)
{
    TempFolder dir;
    IniFile ini(iniPath(dir));
    const QString longValue = QString(5000, QLatin1Char('x')) + "end";
    const QStringList values = {" leading blanks", "\"quoted\"", "'single'", "trailing  ", "\"", "", longValue,
                                "a=b;c[d]"};
    for (int i = 0; i < values.size(); ++i)
        ASSERT_TRUE(ini.WriteString("v", QString::number(i), values[i]));
    IniFile again(iniPath(dir));
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(again.ReadString("v", QString::number(i), "-"), values[i]) << i;
}

TEST(IniFileWrite, LineBreaksAndUnreadableNamesAreRefused)
{
    TempFolder dir;
    IniFile ini = iniWith(dir, "[s]\nk=1\n");
    const QByteArray before = dir.read("t.ini");
    EXPECT_FALSE(ini.WriteString("s", "k", "x\n[evil]\nk=2"));
    EXPECT_FALSE(ini.WriteString("s", "k", "x\r"));
    EXPECT_FALSE(ini.WriteString("s\n", "k", "x"));
    EXPECT_FALSE(ini.WriteString("s", "a\nb", "x"));
    EXPECT_FALSE(ini.WriteString("s", "a=b", "x"));
    EXPECT_FALSE(ini.WriteString("s", " k", "x"));
    EXPECT_FALSE(ini.WriteString("s", ";k", "x"));
    EXPECT_FALSE(ini.WriteString("s", "[k", "x"));
    EXPECT_FALSE(ini.WriteString("", "k", "x"));
    EXPECT_FALSE(ini.WriteString("s", "", "x"));
    EXPECT_EQ(dir.read("t.ini"), before);
    EXPECT_EQ(ini.ReadString("s", "k", "-"), "1");
}

TEST(IniFileWrite, AWriteKeepsWhatAnotherWriterStoredMeanwhile)
{
    TempFolder dir;
    IniFile first(iniPath(dir)), second(iniPath(dir));
    ASSERT_TRUE(first.WriteString("s", "a", "1"));
    ASSERT_TRUE(second.WriteString("s", "b", "2"));
    EXPECT_EQ(dir.read("t.ini"), QByteArray("[s]\na=1\nb=2\n"));
}

TEST(IniFileWrite, AFileThatCannotBeReadIsNeverOverwritten)
{
    TempFolder dir;
    ASSERT_TRUE(QDir().mkdir(dir.file("folder.ini")));
    IniFile folder(dir.file("folder.ini"));
    EXPECT_TRUE(folder.Exists());
    EXPECT_FALSE(folder.Readable());
    EXPECT_FALSE(folder.WriteString("s", "k", "v"));

    // Too large to be a settings file: read as empty, kept as it is.
    QFile big(dir.file("big.ini"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(IniFile::MaxFileSize + 1));
    big.close();
    IniFile huge(dir.file("big.ini"));
    EXPECT_FALSE(huge.Readable());
    EXPECT_FALSE(huge.WriteString("s", "k", "v"));
    EXPECT_FALSE(huge.EraseSection("s"));
    EXPECT_EQ(QFileInfo(dir.file("big.ini")).size(), IniFile::MaxFileSize + 1);

    IniFile nowhere(dir.file("missing/folder/t.ini"));
    EXPECT_FALSE(nowhere.WriteString("s", "k", "v"));
}

TEST(IniFileWrite, EraseSectionRemovesEverySectionOfThatName)
{
    TempFolder dir;
    IniFile ini = iniWith(dir, "[keep]\na=1\n[Recent]\nproject1=x\n; c\n\n[other]\nb=2\n[RECENT]\nproject9=y\n");
    ASSERT_TRUE(ini.EraseSection("recent"));
    EXPECT_EQ(dir.read("t.ini"), QByteArray("[keep]\na=1\n[other]\nb=2\n"));
    EXPECT_FALSE(ini.SectionExists("recent"));
    ASSERT_TRUE(ini.EraseSection("absent"));
    EXPECT_EQ(dir.read("t.ini"), QByteArray("[keep]\na=1\n[other]\nb=2\n"));

    IniFile none(dir.file("none.ini"));
    EXPECT_TRUE(none.EraseSection("x"));
    EXPECT_FALSE(dir.exists("none.ini"));
}

// ---- Encodings -------------------------------------------------------------------------------

namespace {

const QString kSettingsText = QString::fromUtf8("[options]\r\n"
                                                "; Müller's settings\r\n"
                                                "ProjectPath=C:\\Müller\\Café €\r\n"
                                                "language=Français\r\n"
                                                "[other]\r\n"
                                                "x=1\r\n");
const QString kWrittenText = QString::fromUtf8("[options]\r\n"
                                               "; Müller's settings\r\n"
                                               "ProjectPath=C:\\Müller\\Café €\r\n"
                                               "language=Español\r\n"
                                               "[other]\r\n"
                                               "x=1\r\n");

QByteArray windows1252(const QString &text)
{
    // The 1252 bytes written out by hand: ü FC, é E9, ç E7, ñ F1, € 80.
    QByteArray out;
    for (QChar c : text) {
        if (c == QChar(0x20AC))
            out += '\x80';
        else
            out += char(c.unicode());
    }
    return out;
}

} // namespace

TEST(IniFileEncoding, TheSameSettingsReadFromEveryEncodingAndWritesKeepIt)
{
    struct Case {
        const char *name;
        QByteArray bytes, written;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"utf-8", kSettingsText.toUtf8(), kWrittenText.toUtf8(), TextEncoding::Utf8},
        {"utf-8 bom", "\xEF\xBB\xBF" + kSettingsText.toUtf8(), "\xEF\xBB\xBF" + kWrittenText.toUtf8(),
         TextEncoding::Utf8Bom},
        {"windows-1252", windows1252(kSettingsText), windows1252(kWrittenText), TextEncoding::Windows1252},
        {"utf-16le", encoded(kSettingsText, QStringEncoder::Utf16LE, "\xFF\xFE"),
         encoded(kWrittenText, QStringEncoder::Utf16LE, "\xFF\xFE"), TextEncoding::Utf16LE},
        {"utf-16be", encoded(kSettingsText, QStringEncoder::Utf16BE, "\xFE\xFF"),
         encoded(kWrittenText, QStringEncoder::Utf16BE, "\xFE\xFF"), TextEncoding::Utf16BE},
    };
    for (const Case &c : cases) {
        TempFolder dir;
        IniFile ini = iniWith(dir, c.bytes);
        EXPECT_EQ(ini.Encoding(), c.encoding) << c.name;
        EXPECT_EQ(ini.ReadString("options", "projectpath", "-"), QString::fromUtf8("C:\\Müller\\Café €")) << c.name;
        EXPECT_EQ(ini.ReadString("options", "language", "-"), QString::fromUtf8("Français")) << c.name;
        ASSERT_TRUE(ini.WriteString("options", "language", QString::fromUtf8("Español"))) << c.name;
        EXPECT_EQ(dir.read("t.ini"), c.written) << c.name;
    }
}

TEST(IniFileEncoding, A1252FileTakesUtf8RatherThanLosingACharacter)
{
    TempFolder dir;
    IniFile ini = iniWith(dir, "[s]\nname=M\xFCller\n");
    ASSERT_EQ(ini.Encoding(), TextEncoding::Windows1252);
    ASSERT_TRUE(ini.WriteString("s", "path", QString::fromUtf8("/漢字")));
    EXPECT_EQ(dir.read("t.ini"), QByteArray("[s]\nname=M\xC3\xBCller\npath=/\xE6\xBC\xA2\xE5\xAD\x97\n"));
    IniFile again(iniPath(dir));
    EXPECT_EQ(again.ReadString("s", "name", "-"), QString::fromUtf8("Müller"));
    EXPECT_EQ(again.ReadString("s", "path", "-"), QString::fromUtf8("/漢字"));
}

TEST(IniFileEncoding, Unassigned1252BytesAndMixedLineEndsSurviveAWrite)
{
    TempFolder dir;
    const QByteArray original("[s]\r\nodd=\x81\x8D\x8F\x90\x9D\xFF\nk=1\rlast=x");
    IniFile ini = iniWith(dir, original);
    ASSERT_EQ(ini.Encoding(), TextEncoding::Windows1252);
    EXPECT_EQ(ini.LineBreak(), "\r\n");
    EXPECT_EQ(ini.ReadString("s", "k", "-"), "1");
    EXPECT_EQ(ini.ReadString("s", "last", "-"), "x");
    ASSERT_TRUE(ini.WriteString("s", "k", "2"));
    EXPECT_EQ(dir.read("t.ini"), QByteArray("[s]\r\nodd=\x81\x8D\x8F\x90\x9D\xFF\nk=2\rlast=x"));
}

// ---- Hostile input ---------------------------------------------------------------------------

TEST(IniFileHostile, BinaryJunkReadsWithoutHarmAndStaysOnAWrite)
{
    std::mt19937 random(1234);
    QByteArray junk(64 * 1024, Qt::Uninitialized);
    for (char &b : junk)
        b = char(random() & 0xFF);
    TempFolder dir;
    IniFile ini = iniWith(dir, junk);
    ini.ReadSections();
    EXPECT_FALSE(ini.ValueExists("added", "k"));
    ASSERT_TRUE(ini.WriteString("added", "k", "v"));
    const QByteArray after = dir.read("t.ini");
    EXPECT_TRUE(after.startsWith(junk));
    EXPECT_EQ(IniFile(iniPath(dir)).ReadString("added", "k", "-"), "v");
}

TEST(IniFileHostile, GarbageLinesAroundRealKeys)
{
    TempFolder dir;
    // Lengths from the arrays themselves: the texts hold NULs.
    static const char garbage[] = "\x00\x01[\x00]\n]]]][[[[\n=\n==\n[\n[]\nk=\x00v\n[s]\n\x7F=\x02\nk=ok\n";
    IniFile ini = iniWith(dir, QByteArray(garbage, sizeof garbage - 1));
    EXPECT_EQ(ini.ReadString("s", "k", "-"), "ok");
    EXPECT_EQ(ini.ReadString("", "k", "-"), "v"); // "[]" names the empty section; a NUL counts as blank
    // Odd UTF-16: a lone byte at the end and an unpaired surrogate.
    static const char odd16[] = "\xFF\xFE[\0s\0]\0\n\0k\0=\0\x00\xD8x";
    IniFile odd = iniWith(dir, QByteArray(odd16, sizeof odd16 - 1));
    EXPECT_EQ(odd.ReadSections(), QStringList({"s"}));
    EXPECT_TRUE(odd.ValueExists("s", "k"));
}

TEST(IniFileHostile, AOneMebibyteLineIsReadAndWrittenWhole)
{
    TempFolder dir;
    const QByteArray big(1024 * 1024, 'v');
    IniFile ini = iniWith(dir, "[s]\nbig=" + big + "\n" + QByteArray(1024 * 1024, '[') + "\n" +
                                   QByteArray(1024 * 1024, '=') + "\nk=1\n");
    EXPECT_EQ(ini.ReadString("s", "big", "-").size(), big.size());
    EXPECT_EQ(ini.ReadString("s", "k", "-"), "1");
    ASSERT_TRUE(ini.WriteString("s", "big", QString(1024 * 1024, QLatin1Char('w'))));
    EXPECT_EQ(IniFile(iniPath(dir)).ReadString("s", "big", "-"), QString(1024 * 1024, QLatin1Char('w')));
}

TEST(IniFileHostile, ManyKeysAndSectionsStayFast)
{
    TempFolder dir;
    QByteArray text;
    for (int s = 0; s < 1000; ++s) {
        text += "[section" + QByteArray::number(s) + "]\n";
        for (int k = 0; k < 100; ++k)
            text += "key" + QByteArray::number(k) + "=" + QByteArray::number(s * 100 + k) + "\n";
    }
    IniFile ini = iniWith(dir, text);
    int found = 0;
    for (int s = 0; s < 1000; ++s)
        for (int k = 0; k < 100; ++k)
            found += ini.ReadInteger("SECTION" + QString::number(s), "KEY" + QString::number(k), -1) == s * 100 + k;
    EXPECT_EQ(found, 100000);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(ini.WriteInteger("section999", "new" + QString::number(i), i));
    EXPECT_EQ(IniFile(iniPath(dir)).ReadSection("section999").size(), 105);
}
