// Characters XML 1.0 forbids never reach the menu description or the page options, whether a user
// pasted them into a text or a file from elsewhere carried them as character references.
#include "Messages.h"
#include "TestSupport.h"
#include "uDesign.h"
#include "uHtmlOptions.h"
#include "uPreview.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

// What a strict XML 1.0 reader says of a file: "" when it reads to the end.
QString StrictReadError(const QByteArray &bytes)
{
    QXmlStreamReader reader(bytes);
    while (!reader.atEnd())
        reader.readNext();
    return reader.hasError() ? reader.errorString() : QString();
}

} // namespace

TEST(ForbiddenCharacters, NeverReachTheMenuDescriptionOrThePageOptions)
{
    SetDefaultTexts();
    TempFolder prog;
    prog.write("MenuPreview/.keep", "");
    // NUL and other controls, U+FFFE, U+FFFF, a low and a high surrogate with no partner.
    const QString bad = QString(QChar(0)) + QChar(0x0B) + QChar(0x0C) + QChar(0x1F) + QChar(0xFFFE) + QChar(0xFFFF)
                        + QChar(0xDC00) + QChar(0xD800);
    const auto spoilt = [&](const QString &text) { return text.left(1) + bad + text.mid(1); };

    TMenuDesign d(prog.path());
    d.ResetDesign(true);
    d.FTitleOptions.Text = spoilt("Title");
    d.FDescOptions.Text = spoilt("Desc");
    d.FIconInfo.Items[0].Text = spoilt("Icon");
    d.FIconInfo.Items[0].Url = spoilt("icon.htm");
    d.FStoreOptions.Fonts[0].Name = spoilt("Arial");
    d.AddMainMenuEntry("", spoilt("Caption"), true, spoilt("main"), spoilt("page.htm"));
    d.FDemoBlock = "<demo a=\"&#11;x\">" + bad + "<b/></demo>";
    SaveMenuXmlFile(prog.file("MenuPreview"), d.BuildMenuXml(false, false, false), d.FDemoBlock);
    THtmlPageOptions page;
    page.Title = spoilt("Site");
    page.Description = spoilt("About");
    page.Keys[0] = spoilt("key");
    WriteHtmlOptions(prog.file("MenuPreview/HTMLOptions.xml"), page);

    const QByteArray menu = prog.read("MenuPreview/flashmenu.xml");
    EXPECT_EQ(StrictReadError(menu), "");
    EXPECT_TRUE(menu.contains("<demo a=\"x\"><b/></demo>"));
    EXPECT_EQ(StrictReadError(prog.read("MenuPreview/HTMLOptions.xml")), "");

    TMenuDesign back(prog.path());
    back.ReadMenuXml(back.LoadPreviewMenuXml());
    EXPECT_EQ(back.FTitleOptions.Text, "Title");
    EXPECT_EQ(back.FDescOptions.Text, "Desc");
    EXPECT_EQ(back.FIconInfo.Items[0].Text, "Icon");
    EXPECT_EQ(back.FIconInfo.Items[0].Url, "icon.htm");
    EXPECT_EQ(back.FStoreOptions.Fonts[0].Name, "Arial");
    const TFlashMenuItem &entry = back.Entry(back.MenuEntryCount() - 1);
    EXPECT_EQ(entry.Caption + ' ' + entry.Target + ' ' + entry.Href, "Caption main page.htm");
    THtmlPageOptions pageBack;
    ASSERT_TRUE(ReadHtmlOptions(prog.file("MenuPreview/HTMLOptions.xml"), pageBack));
    EXPECT_EQ(pageBack.Title + ' ' + pageBack.Description + ' ' + pageBack.Keys[0], "Site About key");

    // Files from elsewhere: the references go, the text around them stays, and a reference inside
    // CDATA is text. A file saved back holds none of them.
    const QString refs = "&#0;&#11;&#x1f;&#xFFFE;&#65535;&#xD800;&#1114112;&#99999999999;";
    QString text = QString::fromUtf8(menu);
    text.replace("page.htm", "pa" + refs + "ge.htm").replace("<![CDATA[Title]]>", "<![CDATA[T&#11;]]>");
    prog.write("Other/flashmenu.xml", text.toUtf8());
    TMenuDesign other(prog.path());
    other.ReadMenuXml(other.LoadPreviewMenuXml(prog.file("Other/")));
    EXPECT_EQ(other.Entry(other.MenuEntryCount() - 1).Href, "page.htm");
    EXPECT_EQ(other.FTitleOptions.Text, "T&#11;");
    prog.write("Other/HTMLOptions.xml", ("<template><sitetitle value=\"Si" + refs + "te\"/><key1 value=\"&#8;k&#x0B;\"/>"
                                         "<description><text>Ab" + refs + "out</text></description></template>")
                                            .toUtf8());
    THtmlPageOptions otherPage;
    ASSERT_TRUE(ReadHtmlOptions(prog.file("Other/HTMLOptions.xml"), otherPage));
    EXPECT_EQ(otherPage.Title + ' ' + otherPage.Description + ' ' + otherPage.Keys[0], "Site About k");
    EXPECT_EQ(StrictReadError(prog.read("Other/HTMLOptions.xml")), "");
}
