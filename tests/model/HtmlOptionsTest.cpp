#include "Errors.h"
#include "ModelTestSupport.h"
#include "TextEncoding.h"
#include "uHtmlOptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>

namespace {

// The twelve key elements with a value only where one is given.
QString Keys(const std::map<int, QString> &values = {})
{
    QString out;
    for (int n = 1; n <= 12; ++n) {
        const auto it = values.find(n);
        out += it == values.end() ? QStringLiteral("<key%1/>").arg(n)
                                  : QStringLiteral("<key%1 value=\"%2\"/>").arg(n).arg(it->second);
    }
    return out;
}

constexpr auto ReadOnlyFolder = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
constexpr auto OpenFolder = ReadOnlyFolder | QFileDevice::WriteOwner;
constexpr auto ReadOnlyFile = QFileDevice::ReadOwner | QFileDevice::ReadOther;

class HtmlOptionsFile : public ModelTest {
protected:
    QString file() const { return folder.file("HTMLOptions.xml"); }

    // Options as a blank project's controls would not hold them, so a read that changes nothing shows.
    static THtmlPageOptions Marked()
    {
        THtmlPageOptions o;
        o.Title = "old title";
        o.Description = "old description";
        o.BackgroundColor = 0x123456;
        for (int i = 0; i < 12; ++i)
            o.Keys[size_t(i)] = QStringLiteral("old%1").arg(i + 1);
        return o;
    }

    THtmlPageOptions ReadText(const QByteArray &bytes)
    {
        folder.write("HTMLOptions.xml", bytes);
        THtmlPageOptions o = Marked();
        EXPECT_TRUE(ReadHtmlOptions(file(), o));
        return o;
    }
};

} // namespace

TEST_F(HtmlOptionsFile, WrittenFileHasTheSavedFormAsAWhole)
{
    THtmlPageOptions o;
    o.Title = "";
    o.Description = "a < b & c ]]> d";
    o.BackgroundColor = 0x12AB34;
    o.Keys[6] = "seven";
    folder.write("HTMLOptions.xml", "an older file that is replaced as a whole");
    WriteHtmlOptions(file(), o);
    const QString expected = "<?xml version=\"1.0\"?>\r\n"
                             "<template><sitetitle/><description><text><![CDATA[a < b & c ]]]]><![CDATA[> d]]></text>"
                             "</description><bgcolor value=\"0x12AB34\"/>"
                             + Keys({{7, "seven"}}) + "</template>\r\n";
    EXPECT_EQ(BuildHtmlOptionsXml(o), expected);
    EXPECT_EQ(folder.read("HTMLOptions.xml"), expected.toUtf8());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"HTMLOptions.xml"})); // no temporary left
}

TEST_F(HtmlOptionsFile, TitleAndKeywordsAreEscapedAsAttributesAndTheEmptyDescriptionIsAnEmptySection)
{
    THtmlPageOptions o;
    o.Title = "Fish & \"Chips\" <Ltd>";
    o.BackgroundColor = 0;
    o.Keys[0] = "a&b";
    o.Keys[11] = "<z>";
    EXPECT_EQ(BuildHtmlOptionsXml(o),
              "<?xml version=\"1.0\"?>\r\n"
              "<template><sitetitle value=\"Fish &amp; &quot;Chips&quot; &lt;Ltd>\"/><description><text><![CDATA[]]>"
              "</text></description><bgcolor value=\"0x000000\"/>"
                  + Keys({{1, "a&amp;b"}, {12, "&lt;z>"}}) + "</template>\r\n");
}

TEST_F(HtmlOptionsFile, EveryValueReadsBackAsWritten)
{
    THtmlPageOptions o;
    o.Title = "Säntis & \"Co\" <b>";
    o.Description = "first line\nsecond < & ]]> third ]]>";
    o.BackgroundColor = 0xFEDCBA;
    for (int i = 0; i < 12; ++i)
        o.Keys[size_t(i)] = i % 3 == 0 ? QString() : QStringLiteral("key %1 & <%1>").arg(i + 1);
    o.Keys[1] = "tab\tand\nline"; // pasted into a one-line edit
    WriteHtmlOptions(file(), o);
    const QByteArray written = folder.read("HTMLOptions.xml");

    THtmlPageOptions back = Marked();
    ASSERT_TRUE(ReadHtmlOptions(file(), back));
    EXPECT_EQ(back.Title, o.Title);
    EXPECT_EQ(back.Description, o.Description);
    EXPECT_EQ(back.BackgroundColor, 0xFEDCBA);
    EXPECT_EQ(back.Keys, o.Keys);
    // Saved back in the form it was written in.
    EXPECT_EQ(folder.read("HTMLOptions.xml"), written);
}

TEST_F(HtmlOptionsFile, AnEmptyTitleReadsBackAsNoTitle)
{
    THtmlPageOptions o;
    WriteHtmlOptions(file(), o);
    THtmlPageOptions back = Marked();
    ReadHtmlOptions(file(), back);
    EXPECT_EQ(back.Title, "old title");
    EXPECT_EQ(back.Description, "");
    EXPECT_EQ(back.Keys, THtmlPageOptions().Keys);
}

TEST_F(HtmlOptionsFile, BackgroundColourForms)
{
    const auto colourOf = [this](const QByteArray &bgcolor) {
        return ReadText("<template>" + bgcolor + "</template>").BackgroundColor;
    };
    EXPECT_EQ(colourOf(""), 0xFFFFFF);
    EXPECT_EQ(colourOf("<bgcolor/>"), 0xFFFFFF);
    EXPECT_EQ(colourOf("<bgcolor value=\"0\"/>"), 0x000000);
    EXPECT_EQ(colourOf("<bgcolor value=\"0x000000\"/>"), 0x000000);
    EXPECT_EQ(colourOf("<bgcolor value=\"0xFF0000\"/>"), 0xFF0000);
    EXPECT_EQ(colourOf("<bgcolor value=\"$00FF00\"/>"), 0x00FF00);
    EXPECT_EQ(colourOf("<bgcolor value=\"255\"/>"), 0x0000FF);
    EXPECT_EQ(colourOf("<bgcolor value=\"0x7F123456\"/>"), 0x123456); // only the colour bytes count
    // Not a number: white, and the open goes on.
    EXPECT_EQ(colourOf("<bgcolor value=\"red\"/>"), 0xFFFFFF);
    EXPECT_EQ(colourOf("<bgcolor value=\"\"/>"), 0xFFFFFF);
    EXPECT_EQ(colourOf("<bgcolor value=\"0x\"/>"), 0xFFFFFF);
    EXPECT_EQ(colourOf("<bgcolor value=\"99999999999\"/>"), 0xFFFFFF);
}

TEST_F(HtmlOptionsFile, ReadingFindsElementsByNameAndRewritesTheFile)
{
    const THtmlPageOptions o = ReadText("\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-8'?>\n"
                                        "<!-- comment -->\n<template>\n"
                                        "  <key2 value='two'/>\n  <extra a='1'/>\n"
                                        "  <sitetitle lang='en' value='The &amp; title'/>\n"
                                        "  <description><text>plain <![CDATA[<cdata>]]> more</text></description>\n"
                                        "  <key13 value='ignored'/>\n"
                                        "</template>\n");
    EXPECT_EQ(o.Title, "The & title"); // the value attribute, whatever stands before it
    EXPECT_EQ(o.Description, "plain <cdata> more");
    EXPECT_EQ(o.BackgroundColor, 0xFFFFFF);
    std::array<QString, 12> keys;
    keys[1] = "two";
    EXPECT_EQ(o.Keys, keys);
    EXPECT_EQ(QString::fromUtf8(folder.read("HTMLOptions.xml")),
              "<?xml version=\"1.0\"?>\r\n<template><key2 value=\"two\"/><extra a=\"1\"/>"
              "<sitetitle lang=\"en\" value=\"The &amp; title\"/><description><text>plain <![CDATA[<cdata>]]> more</text>"
              "</description><key13 value=\"ignored\"/></template>\r\n");
}

// The encoding a file declares, or Windows-1252 for one without a declaration that is no UTF-8;
// what is read is saved back whole, as UTF-8.
TEST_F(HtmlOptionsFile, EncodingsSurviveTheSaveBack)
{
    const QString title = QString::fromUtf8("Café € “Ü”");
    QByteArray cp1252;
    ASSERT_TRUE(StringToWindows1252(title, cp1252));
    const QByteArray body = "<template><sitetitle value=\"" + cp1252 + "\"/></template>";
    const QString wide = QStringLiteral("<template><sitetitle value=\"%1\"/></template>").arg(title);
    const std::pair<QByteArray, QString> files[] = {
        {body, title},
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n" + body, title},
        {"<?xml version='1.0' encoding='ISO-8859-1' ?>\n<template><sitetitle value=\"Caf\xE9\"/></template>",
         QString::fromUtf8("Café")},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + wide.toUtf8(), title},
        {wide.toUtf8(), title},
        {QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(wide.utf16()), wide.size() * 2), title},
    };
    for (const auto &[bytes, expected] : files) {
        EXPECT_EQ(ReadText(bytes).Title, expected) << bytes.toStdString();
        EXPECT_EQ(folder.read("HTMLOptions.xml"),
                  "<?xml version=\"1.0\"?>\r\n<template><sitetitle value=\"" + expected.toUtf8() + "\"/></template>\r\n");
    }

    // The menu description too, its kept demo block included.
    TMenuDesign d(folder.path());
    d.ResetDesign(true);
    d.AddMainMenuEntry("", title, true, "main", "a.htm");
    d.FDemoBlock = "<demo><t>" + title + "</t></demo>";
    QByteArray menu;
    ASSERT_TRUE(StringToWindows1252(d.BuildMenuXml(false, false, false), menu));
    folder.write("MenuPreview/flashmenu.xml", "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n" + menu);
    TMenuDesign back(folder.path());
    back.ReadMenuXml(back.LoadPreviewMenuXml());
    EXPECT_EQ(back.Entry(back.MenuEntryCount() - 1).Caption, title);
    EXPECT_EQ(back.FDemoBlock, d.FDemoBlock);
}

TEST_F(HtmlOptionsFile, AnotherRootGivesNothingButTheDefaults)
{
    const THtmlPageOptions o = ReadText("<page><sitetitle value='T'/><key1 value='k'/></page>");
    EXPECT_EQ(o.Title, "old title");
    EXPECT_EQ(o.Keys[0], "");
    EXPECT_EQ(o.BackgroundColor, 0xFFFFFF);
}

TEST_F(HtmlOptionsFile, AFileThatDoesNotParseIsLeftAsItIs)
{
    for (const QByteArray &bytes : {QByteArray("<template><sitetitle value='T'/>"), QByteArray(""),
                                    QByteArray("\xFF\xFE\x00garbage", 10), QByteArray("just text")}) {
        const THtmlPageOptions o = ReadText(bytes);
        EXPECT_EQ(o.Title, "old title");
        EXPECT_EQ(o.Description, "old description");
        EXPECT_EQ(o.BackgroundColor, 0xFFFFFF);
        EXPECT_EQ(o.Keys, THtmlPageOptions().Keys);
        EXPECT_EQ(folder.read("HTMLOptions.xml"), bytes);
    }
}

TEST_F(HtmlOptionsFile, NoFileReadsNothing)
{
    THtmlPageOptions o = Marked();
    EXPECT_FALSE(ReadHtmlOptions(file(), o));
    QDir(folder.path()).mkdir("HTMLOptions.xml"); // a folder of that name is no file either
    EXPECT_FALSE(ReadHtmlOptions(file(), o));
    EXPECT_FALSE(ReadHtmlOptions(QString(), o));
    EXPECT_EQ(o.Title, Marked().Title);
    EXPECT_EQ(o.Keys, Marked().Keys);
    EXPECT_EQ(o.BackgroundColor, 0x123456);
}

TEST_F(HtmlOptionsFile, AReadOnlyFileIsReadWithoutError)
{
    const QByteArray bytes = "<template><sitetitle value='T'/><bgcolor value='0x00FF00'/><key3 value='k'/></template>";
    folder.write("sub/HTMLOptions.xml", bytes);
    const QString path = folder.file("sub/HTMLOptions.xml");
    QFile::setPermissions(folder.path(), OpenFolder);
    QFile::setPermissions(path, ReadOnlyFile);
    QFile::setPermissions(folder.file("sub"), ReadOnlyFolder);
    THtmlPageOptions o;
    bool read = false;
    {
        Unprivileged scope;
        EXPECT_NO_THROW(read = ReadHtmlOptions(path, o));
    }
    QFile::setPermissions(folder.file("sub"), OpenFolder);
    EXPECT_TRUE(read);
    EXPECT_EQ(o.Title, "T");
    EXPECT_EQ(o.BackgroundColor, 0x00FF00);
    EXPECT_EQ(o.Keys[2], "k");
    EXPECT_EQ(folder.read("sub/HTMLOptions.xml"), bytes);
}

TEST_F(HtmlOptionsFile, AFailedWriteRaisesAndLeavesWhatWasThere)
{
    THtmlPageOptions o;
    EXPECT_THROW(WriteHtmlOptions(folder.file("missing/HTMLOptions.xml"), o), Exception);
    EXPECT_FALSE(folder.exists("missing"));

    QDir(folder.path()).mkdir("HTMLOptions.xml");
    EXPECT_THROW(WriteHtmlOptions(file(), o), Exception);
    EXPECT_TRUE(QFileInfo(file()).isDir());

    folder.write("ro/HTMLOptions.xml", "old");
    QFile::setPermissions(folder.path(), OpenFolder);
    QFile::setPermissions(folder.file("ro"), ReadOnlyFolder);
    {
        Unprivileged scope;
        try {
            WriteHtmlOptions(folder.file("ro/HTMLOptions.xml"), o);
            ADD_FAILURE() << "no error";
        } catch (const Exception &e) {
            EXPECT_TRUE(e.Message().startsWith("Cannot create file \"" + folder.file("ro/HTMLOptions.xml") + "\". "))
                << e.Message().toStdString();
        }
    }
    QFile::setPermissions(folder.file("ro"), OpenFolder);
    EXPECT_EQ(folder.read("ro/HTMLOptions.xml"), "old");
}

TEST_F(HtmlOptionsFile, AChangeMarksTheProjectModifiedAlsoWhileLoading)
{
    RecordingHost host;
    TMenuDesign d(folder.path(), &host);
    d.FLoading = 1;
    HTMLChanged(d);
    EXPECT_TRUE(d.IsModified());
    EXPECT_EQ(host.count("ModifiedChanged"), 1);
}
