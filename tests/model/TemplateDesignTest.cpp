#include "Errors.h"
#include "ModelTestSupport.h"
#include "uGlobal.h"
#include "uHtmlOptions.h"

#include <QDir>

namespace {

const QByteArray GoodTemplate =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<WebMenuOptions version=\"1.00\" type=\"h\">\n"
    " <menufile src=\"flashmenu\\m.swf\" id=\"m\"/>\n"
    " <design>\n"
    "  <background src=\"bg.jpg\" alpha=\"1\" width=\"2\" height=\"3\"/>\n"
    "  <menubar x=\"1\" y=\"2\" space=\"12\" buttontype=\"3\" size=\"variable\" target=\"main\" align=\"Left\"/>\n"
    "  <color id=\"background\"/>\n"
    "  <color id=\"main_menu_normal\" value=\"0x112233\" alpha=\"80\"/>\n"
    "  <color id=\"main_menu_active\" value=\"clRed\" alpha=\"70\"/>\n"
    "  <color id=\"sub_menu_normal\" value=\"$445566\" alpha=\"$10\"/>\n"
    "  <color id=\"sub_menu_active\" value=\"1193046\" alpha=\"60\"/>\n"
    "  <color id=\"icon_link_normal\" value=\"0xAABBCC\" alpha=\"55\"/>\n"
    "  <color id=\"icon_link_active\" value=\"CLBLUE\" alpha=\"45\"/>\n"
    "  <color id=\"unknown\" value=\"nonsense\"/>\n"
    "  <font id=\"main_menu_normal\" face=\"Arial\" size=\"11\" color=\"0x102030\" bold=\"false\" italic=\"TRUE\" underline=\"no\"/>\n"
    "  <font id=\"main_menu_active\" face=\"Verdana\" size=\"12\" color=\"clLime\" bold=\"True\" italic=\"false\" underline=\"true\"/>\n"
    "  <font id=\"sub_menu_normal\" face=\"Tahoma &amp; Co\" size=\"9\" color=\"255\" bold=\"true\" italic=\"true\" underline=\"false\"/>\n"
    "  <font id=\"sub_menu_active\" face=\"A\" size=\"8\" color=\"0x000001\" bold=\"\" italic=\"\" underline=\"\"/>\n"
    "  <font id=\"title\"/>\n"
    "  <font id=\"desc\" face=\"X\"/>\n"
    " </design>\n"
    " <main/>\n"
    "</WebMenuOptions>\n";

class TemplateDesign : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        d.ResetDesign(true);
        d.Controls.MenuSpacing = 5;
        d.Controls.MenuTypeIndex = 0;
        d.Controls.ButtonSizeIndex = 0;
        d.Controls.TextAlignIndex = 2;
        d.FStoreOptions.BackgroundColor = 0x0A0B0C;
        d.FTitleOptions.Font = TFontValue{"Title face", 20, 0x010203, true, true, true};
        for (TButtonOptions &b : d.FButtonOptions)
            b.Font.Bold = true;
        host.calls.clear();
    }

    QString Write(const QByteArray &bytes)
    {
        folder.write("Template/m.xml", bytes);
        return folder.file("Template/m.xml");
    }

    // Everything a template design could touch, as text.
    QString State()
    {
        QString s = d.BuildMenuXml(false, true, false);
        for (const TButtonOptions &b : d.FButtonOptions)
            s += QStringLiteral("\n%1 %2 %3 %4 %5 %6 %7 %8 %9")
                     .arg(b.Font.Name)
                     .arg(b.Font.Size)
                     .arg(b.Font.Color)
                     .arg(b.Font.Bold)
                     .arg(b.Font.Italic)
                     .arg(b.Font.Underline)
                     .arg(b.BackColor)
                     .arg(b.Alpha)
                     .arg(d.Controls.ButtonSizeIndex);
        return s + QStringLiteral("\n%1 %2").arg(d.FTitleOptions.Font.Name, d.FDescOptions.Font.Name);
    }

    // The error a template raises; the design must stay as it was.
    QString FailedApply(const QByteArray &bytes)
    {
        const QString before = State();
        QString error = "no error";
        try {
            ApplyTemplateDesign(Write(bytes), d);
        } catch (const Exception &e) {
            error = e.Message();
        }
        EXPECT_EQ(State(), before) << error.toStdString();
        return error;
    }

    static QByteArray Replaced(const QByteArray &from, const QByteArray &to)
    {
        QByteArray text = GoodTemplate;
        EXPECT_TRUE(text.contains(from)) << from.toStdString();
        return text.replace(from, to);
    }

    RecordingHost host;
    TMenuDesign d{folder.path(), &host};
};

} // namespace

TEST_F(TemplateDesign, AGoodDesignSetsBarColoursAndFonts)
{
    const TXMLStoreOptions before = d.FStoreOptions;
    const TXMLICONInfo iconsBefore = d.FIconInfo;
    ApplyTemplateDesign(Write(GoodTemplate), d);

    EXPECT_EQ(d.Controls.MenuSpacing, 12);
    EXPECT_EQ(d.Controls.MenuTypeIndex, 2);
    EXPECT_EQ(d.Controls.ButtonSizeIndex, 1);
    EXPECT_EQ(d.Controls.TextAlignIndex, 2); // the file's align is not read

    // Stored as in the file (0xRRGGBB); the button states draw in platform order.
    const TXMLStoreOptions &o = d.FStoreOptions;
    EXPECT_EQ(o.MainNormalColor, 0x112233);
    EXPECT_EQ(o.MainNormalAlpha, 80);
    EXPECT_EQ(d.FButtonOptions[0].BackColor, 0x332211);
    EXPECT_EQ(d.FButtonOptions[0].Alpha, 80);
    // A colour name stands for its platform value, taken as the file's number.
    EXPECT_EQ(o.MainActiveColor, 0x0000FF);
    EXPECT_EQ(d.FButtonOptions[1].BackColor, 0xFF0000);
    EXPECT_EQ(d.FButtonOptions[1].Alpha, 70);
    EXPECT_EQ(o.SubNormalColor, 0x445566);
    EXPECT_EQ(o.SubNormalAlpha, 16);
    EXPECT_EQ(d.FButtonOptions[2].BackColor, 0x665544);
    EXPECT_EQ(o.SubActiveColor, 0x123456);
    EXPECT_EQ(d.FButtonOptions[3].BackColor, 0x563412);
    EXPECT_EQ(d.FButtonOptions[3].Alpha, 60);
    EXPECT_EQ(d.FIconInfo.NormalColor, 0xCCBBAA);
    EXPECT_EQ(d.FIconInfo.NormalAlpha, 55);
    EXPECT_EQ(d.FIconInfo.ActiveColor, 0x0000FF);
    EXPECT_EQ(d.FIconInfo.ActiveAlpha, 45);

    EXPECT_EQ(o.Fonts[fsMainNormal].Name, "Arial");
    EXPECT_EQ(o.Fonts[fsMainNormal].Size, 11);
    EXPECT_EQ(o.Fonts[fsMainNormal].Color, 0x102030);
    EXPECT_EQ(o.Fonts[fsMainNormal].Bold, 0);
    EXPECT_EQ(o.Fonts[fsMainNormal].Italic, 1);
    EXPECT_EQ(o.Fonts[fsMainNormal].Underline, 0);
    EXPECT_EQ(d.FButtonOptions[0].Font, (TFontValue{"Arial", 11, 0x302010, false, true, false})); // bold cleared
    EXPECT_EQ(d.FButtonOptions[1].Font, (TFontValue{"Verdana", 12, 0x00FF00, true, false, true}));
    EXPECT_EQ(d.FButtonOptions[2].Font, (TFontValue{"Tahoma & Co", 9, 0xFF0000, true, true, false}));
    EXPECT_EQ(d.FButtonOptions[3].Font, (TFontValue{"A", 8, 0x010000, false, false, false}));
    EXPECT_EQ(o.Fonts[fsSubActive].Color, 0x000001);

    // Nothing else of the file is read.
    EXPECT_EQ(o.BackgroundColor, 0x0A0B0C);
    EXPECT_EQ(o.BackgroundColorAlpha, before.BackgroundColorAlpha);
    EXPECT_EQ(o.BackgroundWidth, before.BackgroundWidth);
    EXPECT_EQ(o.Fonts[fsTitle].Name, before.Fonts[fsTitle].Name);
    EXPECT_EQ(o.Fonts[fsDesc].Name, before.Fonts[fsDesc].Name);
    EXPECT_EQ(d.FTitleOptions.Font, (TFontValue{"Title face", 20, 0x010203, true, true, true}));
    EXPECT_EQ(d.FMenuX, 190);
    EXPECT_EQ(d.FIconInfo.X, iconsBefore.X);
    EXPECT_EQ(LiveEntries(d), QStringList({"1:1:0:Menu1", "2:2:0:Menu2", "3:3:0:Menu3"}));
    EXPECT_TRUE(host.calls.isEmpty()) << host.calls.join(", ").toStdString();
}

TEST_F(TemplateDesign, TheLastElementOfAnIdWins)
{
    ApplyTemplateDesign(Write(Replaced("<color id=\"unknown\" value=\"nonsense\"/>",
                                       "<color id=\"main_menu_normal\" value=\"0x010203\" alpha=\"1\"/>")),
                        d);
    EXPECT_EQ(d.FStoreOptions.MainNormalColor, 0x010203);
    EXPECT_EQ(d.FButtonOptions[0].Alpha, 1);
}

TEST_F(TemplateDesign, MenuBarValuesAreHeldToTheControlsRanges)
{
    struct Case {
        QByteArray space, type, size;
        int spacing, typeIndex, sizeIndex;
    };
    const Case cases[] = {
        {"abc", "x", "fix", 0, -1, 0},         {"500", "0", "Fix", 100, -1, -1},
        {"-4", "1", "variable ", 0, 0, -1},    {"$20", "9", "VARIABLE", 32, 2, -1},
        {"", "-2147483648", "", 0, -1, -1},    {"100", "2147483647", "variable", 100, 2, 1},
    };
    for (const Case &c : cases) {
        d.Controls.ButtonSizeIndex = 1;
        ApplyTemplateDesign(Write(Replaced("space=\"12\" buttontype=\"3\" size=\"variable\"",
                                           "space=\"" + c.space + "\" buttontype=\"" + c.type + "\" size=\""
                                               + c.size + "\"")),
                            d);
        EXPECT_EQ(d.Controls.MenuSpacing, c.spacing) << c.space.toStdString();
        EXPECT_EQ(d.Controls.MenuTypeIndex, c.typeIndex) << c.type.toStdString();
        EXPECT_EQ(d.Controls.ButtonSizeIndex, c.sizeIndex) << c.size.toStdString();
    }
}

TEST_F(TemplateDesign, MissingPartsChangeNothingAndRaiseTheLookupError)
{
    EXPECT_EQ(FailedApply(Replaced("<menubar x=\"1\" y=\"2\" space=\"12\" buttontype=\"3\" size=\"variable\" target=\"main\" align=\"Left\"/>", "")),
              "Element \"design\" has no node \"menubar\".");
    EXPECT_EQ(FailedApply("<WebMenuOptions><menubar space=\"1\" buttontype=\"1\" size=\"fix\"/></WebMenuOptions>"),
              "Element \"WebMenuOptions\" has no node \"design\".");
    EXPECT_EQ(FailedApply(Replaced(" size=\"variable\"", "")), "Node \"menubar\" has no attribute \"size\".");
    EXPECT_EQ(FailedApply(Replaced(" space=\"12\"", "")), "Node \"menubar\" has no attribute \"space\".");
    EXPECT_EQ(FailedApply(Replaced("<color id=\"background\"/>", "<color value=\"1\" alpha=\"1\"/>")),
              "Node \"color\" has no attribute \"id\".");
    EXPECT_EQ(FailedApply(Replaced("value=\"CLBLUE\" alpha=\"45\"", "value=\"CLBLUE\"")),
              "Node \"color\" has no attribute \"alpha\".");
    EXPECT_EQ(FailedApply(Replaced(" underline=\"\"", "")), "Node \"font\" has no attribute \"underline\".");
    EXPECT_EQ(FailedApply(Replaced("<font id=\"title\"/>", "<font face=\"x\"/>")), "Node \"font\" has no attribute \"id\".");
}

TEST_F(TemplateDesign, TextsThatAreNoNumbersChangeNothingAndRaiseTheConversionError)
{
    EXPECT_EQ(FailedApply(Replaced("value=\"0xAABBCC\"", "value=\"0xZZ\"")), "'0xZZ' is not a valid integer value");
    EXPECT_EQ(FailedApply(Replaced("value=\"clRed\"", "value=\"clBtnFace\"")), "'clBtnFace' is not a valid integer value");
    EXPECT_EQ(FailedApply(Replaced("alpha=\"70\"", "alpha=\"clRed\"")), "'clRed' is not a valid integer value");
    EXPECT_EQ(FailedApply(Replaced("alpha=\"55\"", "alpha=\"5.5\"")), "'5.5' is not a valid integer value");
    EXPECT_EQ(FailedApply(Replaced("size=\"11\"", "size=\"big\"")), "'big' is not a valid integer value");
    EXPECT_EQ(FailedApply(Replaced("color=\"0x000001\"", "color=\"0x100000000\"")),
              "'0x100000000' is not a valid integer value");
    EXPECT_EQ(FailedApply(Replaced("color=\"clLime\"", "color=\"\"")), "'' is not a valid integer value");
}

TEST_F(TemplateDesign, AFileThatDoesNotLoadChangesNothingAndReportsNothing)
{
    ScriptedMessageBox box;
    for (const QByteArray &bytes : {QByteArray(""), QByteArray("not xml at all"), GoodTemplate.left(400),
                                    QByteArray("\x00\x01\x02\xFF", 4)})
        EXPECT_EQ(FailedApply(bytes), "no error");
    const QString before = State();
    EXPECT_NO_THROW(ApplyTemplateDesign(folder.file("Template/none.xml"), d));
    EXPECT_NO_THROW(ApplyTemplateDesign(folder.file("Template"), d)); // a folder
    EXPECT_NO_THROW(ApplyTemplateDesign(QString(), d));
    EXPECT_EQ(State(), before);
    EXPECT_TRUE(box.shown().isEmpty());
}

TEST(StringToColor, BasicColourNamesInPlatformOrderNumbersAndNothingElse)
{
    EXPECT_EQ(StringToColor("clRed"), 0x0000FF);
    EXPECT_EQ(StringToColor("clNavy"), 0x800000);
    EXPECT_EQ(StringToColor("clOlive"), 0x008080);
    EXPECT_EQ(StringToColor("clgreen"), 0x008000);
    EXPECT_EQ(StringToColor("CLSILVER"), 0xC0C0C0);
    EXPECT_EQ(StringToColor("0x0000FF"), 0x0000FF);
    EXPECT_EQ(StringToColor("$FF"), 255);
    EXPECT_EQ(StringToColor("-1"), -1);
    EXPECT_THROW(StringToColor("clRed "), EConvertError);
    EXPECT_THROW(StringToColor("Red"), EConvertError);
    EXPECT_THROW(StringToColor(""), EConvertError);
}
