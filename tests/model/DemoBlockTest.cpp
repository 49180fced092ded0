#include "Errors.h"
#include "ModelTestSupport.h"
#include "XmlDom.h"
#include "uMenuXml.h"

namespace {

class DemoBlock : public ModelTest {
protected:
    // The save road of the preview: blank the block, let the DOM write the file, put the block back.
    void Save(TMenuDesign &d, const QString &file)
    {
        pugi::xml_document doc;
        ASSERT_TRUE(ParseXml(doc, BlankDemoElement(d.BuildMenuXml(false, true, false))));
        WriteFileBytes(file, XmlDocumentBytes(doc));
        SpliceDemoElement(file, d.FDemoBlock);
    }
};

const QByteArray Bom("\xEF\xBB\xBF");

} // namespace

TEST_F(DemoBlock, BlankingKeepsAnEmptyElement)
{
    EXPECT_EQ(BlankDemoElement("<demo a=\"1\"><x/></demo>"), "<demo />");
    EXPECT_EQ(BlankDemoElement("  <demo>a</demo> <menufile/>"), "  <demo /> <menufile/>");
    EXPECT_EQ(BlankDemoElement("<demo a=\"1\"><x/>"), "<demo a=\"1\"><x/>");
    EXPECT_EQ(BlankDemoElement("<demonstration>a</demonstration>"), "<demonstration>a</demonstration>");
    const QString later = "<m><menufile/><t><![CDATA[<demo>x</demo>]]></t></m>";
    EXPECT_EQ(BlankDemoElement(later), later) << "only a block before <menufile counts";
    EXPECT_EQ(BlankDemoElement("<demo/> <menufile/></demo>"), "<demo/> <menufile/></demo>");
}

TEST_F(DemoBlock, ExtractingTakesOnlyAWellFormedBlockBeforeTheMenuFile)
{
    folder.write("a.xml", Bom + "<W>  <demo k=\"\xC3\xA9\"><p>1</p></demo> <menufile/></W>");
    EXPECT_EQ(ExtractDemoElement(folder.file("a.xml")), QString::fromUtf8("<demo k=\"\xC3\xA9\"><p>1</p></demo>"));
    folder.write("b.xml", "<W><menufile/><text><![CDATA[<demo>x</demo>]]></text></W>");
    EXPECT_EQ(ExtractDemoElement(folder.file("b.xml")), "");
    folder.write("c.xml", "<W><demo><demo></demo></demo><menufile/></W>");
    EXPECT_EQ(ExtractDemoElement(folder.file("c.xml")), "") << "a block that does not parse is dropped";
    folder.write("d.xml", "<W><demo><![CDATA[</demo>]]></demo><menufile/></W>");
    EXPECT_EQ(ExtractDemoElement(folder.file("d.xml")), "");
    EXPECT_EQ(ExtractDemoElement(folder.file("missing.xml")), "");
}

TEST_F(DemoBlock, SplicingWritesExactlyOneByteOrderMark)
{
    const QString block = QString::fromUtf8("<demo a=\"\xC3\xA9\"><x/></demo>");
    folder.write("a.xml", Bom + Bom + "<W><demo /><menufile/></W>");
    SpliceDemoElement(folder.file("a.xml"), block);
    EXPECT_EQ(folder.read("a.xml"), Bom + "<W>" + block.toUtf8() + "<menufile/></W>");

    folder.write("b.xml", "<W><demo/><menufile/></W>");
    SpliceDemoElement(folder.file("b.xml"), block);
    EXPECT_EQ(folder.read("b.xml"), Bom + "<W>" + block.toUtf8() + "<menufile/></W>");

    for (const QByteArray &untouched : {QByteArray("<W><menufile/></W>"), QByteArray("<W><menufile/><t>&lt;demo /&gt;<demo /></t></W>")}) {
        folder.write("c.xml", untouched);
        SpliceDemoElement(folder.file("c.xml"), block);
        EXPECT_EQ(folder.read("c.xml"), untouched);
    }
    folder.write("d.xml", "<W><demo /><menufile/></W>");
    SpliceDemoElement(folder.file("d.xml"), " \r\n ");
    EXPECT_EQ(folder.read("d.xml"), "<W><demo /><menufile/></W>");
    EXPECT_THROW(SpliceDemoElement(folder.file("missing.xml"), block), Exception);
}

TEST_F(DemoBlock, AKeptBlockIsWrittenOnTheSecondLine)
{
    TMenuDesign d(folder.path());
    d.ResetDesign(true);
    d.FDemoBlock = "<demo a=\"1\"><x/></demo>";
    const QString text = d.BuildMenuXml(false, false, false);
    EXPECT_TRUE(text.startsWith(Crlf("<WebMenuOptions version=\"1.00\" type=\"h\">\n"
                                     "  <demo a=\"1\"><x/></demo> <menufile src=\"flashmenu.swf\" id=\"flashmenu\"/>\n"
                                     " <design>\n")));
    d.FDemoBlock.clear();
    QString expected = d.BuildMenuXml(false, false, false);
    expected.replace("   <menufile", "  <demo a=\"1\"><x/></demo> <menufile");
    EXPECT_EQ(text, expected);
}

TEST_F(DemoBlock, ABlockSurvivesALoadAndASave)
{
    const QString file = folder.file("MenuPreview/flashmenu.xml");
    TMenuDesign d(folder.path());
    d.ResetDesign(true);
    d.FTitleOptions.Text = "<demo>title</demo>";
    Save(d, file);
    EXPECT_FALSE(folder.read("MenuPreview/flashmenu.xml").startsWith(Bom)) << "no block, no splice";

    // Give the working copy a block, as a gallery design has.
    QByteArray bytes = folder.read("MenuPreview/flashmenu.xml");
    bytes.replace("<menufile", "<demo id=\"d\"><step n=\"1\">&amp;</step></demo>\n\t<menufile");
    WriteFileBytes(file, bytes);

    TMenuDesign e(folder.path());
    e.ResetDesign(false);
    EXPECT_EQ(e.FDemoBlock, "<demo id=\"d\"><step n=\"1\">&amp;</step></demo>");
    EXPECT_EQ(e.FTitleOptions.Text, "<demo>title</demo>");
    Save(e, file);
    const QByteArray saved = folder.read("MenuPreview/flashmenu.xml");
    EXPECT_TRUE(saved.startsWith(Bom));
    EXPECT_FALSE(saved.mid(3).contains(Bom));
    EXPECT_EQ(saved.count("<demo id=\"d\"><step n=\"1\">&amp;</step></demo>"), 1);
    EXPECT_TRUE(saved.contains("<![CDATA[<demo>title</demo>]]>"));

    TMenuDesign f(folder.path());
    f.ResetDesign(false);
    EXPECT_EQ(f.FDemoBlock, e.FDemoBlock);
    EXPECT_EQ(f.BuildMenuXml(false, true, false), e.BuildMenuXml(false, true, false));
}

TEST(Mp3Names, OnlyAnExactLowerCaseExtensionPasses)
{
    EXPECT_EQ(Mp3OnlyFileName("flashmenu\\a.mp3"), "flashmenu\\a.mp3");
    EXPECT_EQ(Mp3OnlyFileName("flashmenu\\a.MP3"), "");
    EXPECT_EQ(Mp3OnlyFileName("flashmenu\\"), "");
    EXPECT_EQ(Mp3OnlyFileName("a.mp3\\b"), "");
    EXPECT_EQ(Mp3OnlyFileName(".mp3"), ".mp3");
}
