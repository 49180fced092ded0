// The Menu Buttons Style gallery: the page of the design's set, the merge of the set's template
// design into the preview, the button type, the recent-buttons list on OK, and the focus rules.
#include "GalleryFixture.h"
#include "Messages.h"
#include "XmlDom.h"
#include "uMenuStyle.h"
#include "uXMLUtils.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// A set's template design: its bar spacing, type and size, colours and fonts; otherOrder lists the
// colours and fonts in another order than the open design does.
QString StyleDesign(const QString &type, bool otherOrder = false, const QString &space = "3")
{
    QStringList colours{R"(<color id="background" value="0xC00000" alpha="70"/>)",
                        R"(<color id="main_menu_normal" value="0xA00001" alpha="51"/>)",
                        R"(<color id="main_menu_active" value="0xA00002" alpha="52"/>)",
                        R"(<color id="sub_menu_normal" value="0xB00001" alpha="61"/>)",
                        R"(<color id="sub_menu_active" value="0xB00002" alpha="62"/>)",
                        R"(<color id="icon_link_normal" value="0xD00001" alpha="81"/>)",
                        R"(<color id="icon_link_active" value="0xD00002" alpha="82"/>)"};
    QStringList fonts{
        R"(<font id="main_menu_normal" face="Verdana" size="12" color="0xFFFFFF" bold="true" italic="false" underline="false"/>)",
        R"(<font id="main_menu_active" face="Verdana" size="13" color="0xFFFFFE" bold="true" italic="true" underline="false"/>)",
        R"(<font id="title" face="Times" size="20" color="0x111111" bold="false" italic="false" underline="true"/>)"};
    if (otherOrder) {
        std::reverse(colours.begin(), colours.end());
        std::reverse(fonts.begin(), fonts.end());
    }
    return QString(R"(<WebMenuOptions><design>
<background src="x.jpg" alpha="100" width="760" height="150"/>
<menubar x="1" y="2" space="%2" buttontype="%1" size="fix"/>
%3
%4
</design></WebMenuOptions>)")
        .arg(type, space, colours.join('\n'), fonts.join('\n'));
}

class MenuStyle : public GalleryTest {
protected:
    void SetUp() override
    {
        GalleryTest::SetUp();
        SetDefaultTexts();
    }
    // A library of count sets b01.swf ..; set i's template design has button type types[i-1].
    void MakeSets(int count, const QString &types = QString())
    {
        MakeLibrary("Templates/Horizontal/Menus", count, "swf");
        MakeLibrary("Templates/Horizontal/Template", 0, "xml");
        for (int i = 1; i <= count && i <= types.size(); ++i)
            prog.write(QString("Templates/Horizontal/Template/b%1.xml").arg(i, 2, 10, QChar('0')),
                       StyleDesign(types.mid(i - 1, 1)).toUtf8());
    }
    pugi::xml_node Merged(pugi::xml_document &doc)
    {
        EXPECT_TRUE(ParseXmlBytes(doc, prog.read("Templates/Preview/flashmenu.xml")));
        return doc.document_element().child("design");
    }
    static QStringList Attributes(pugi::xml_node design, const char *child, const QStringList &names)
    {
        QStringList out;
        for (pugi::xml_node n = design.child(child); n; n = n.next_sibling(child)) {
            QStringList values;
            for (const QString &a : names)
                values << QStr(n.attribute(a.toUtf8().constData()).value());
            out << values.join(' ');
        }
        return out;
    }
    // Every colour and font of StyleDesign on the design item of its id; the background colour and
    // the sub-menu fonts are not in the set and keep the design's own values.
    static void ExpectStyleColoursAndFonts(pugi::xml_node design)
    {
        EXPECT_EQ(Attributes(design, "color", {"id", "value", "alpha"}),
                  QStringList({"background 0x000001 100", "main_menu_normal 0xA00001 51", "main_menu_active 0xA00002 52",
                               "sub_menu_normal 0xB00001 61", "sub_menu_active 0xB00002 62",
                               "icon_link_normal 0xD00001 81", "icon_link_active 0xD00002 82"}));
        EXPECT_EQ(Attributes(design, "font", {"id", "face", "size", "italic"}),
                  QStringList({"main_menu_normal Verdana 12 false", "main_menu_active Verdana 13 true",
                               "sub_menu_normal Arial 10 false", "sub_menu_active Arial 10 false"}));
    }
};

} // namespace

TEST_F(MenuStyle, OpensOnTheDesignsSetAndMergesItsTemplate)
{
    MakeSets(14, "12312312312312");
    WhenShown<TfrmMenuStyle>([&](TfrmMenuStyle *d) {
        EXPECT_EQ(d->windowTitle(), "Menu Buttons Style");
        EXPECT_EQ(Captions(d->Tiles()), Names("b%1.swf", 7, 12));
        EXPECT_EQ(d->ChosenFile(), "b08.swf");
        EXPECT_EQ(Highlighted(d->Tiles()), "b08.swf");
        // The set's own type shows in the type control.
        EXPECT_EQ(d->TypeIndex(), 1);
        EXPECT_TRUE(d->rgrMenuTypeItems[1]->isChecked());
        EXPECT_FALSE(d->TypeChanged());
        EXPECT_EQ(prog.read("Templates/Preview/b08.swf"), "file 8");
        EXPECT_EQ(panes.last->visits.last(), prog.file("Templates/Preview/flashmenu.htm"));
        d->btnCreate->click();
    });
    EXPECT_TRUE(ShowMenuButtonsStyle(Setup(), Description("flashmenu\\bg.jpg", "Menus\\b08.swf", "3")));

    pugi::xml_document doc;
    const pugi::xml_node design = Merged(doc);
    EXPECT_EQ(QStr(doc.document_element().child("menufile").attribute("src").value()), "b08.swf");
    const QStringList bar{"space", "buttontype", "size", "x", "target"};
    EXPECT_EQ(Attributes(design, "menubar", bar), QStringList{"3 2 fix 24 main"});
    ExpectStyleColoursAndFonts(design);
}

TEST_F(MenuStyle, ColoursAndFontsGoByIdNotByPosition)
{
    MakeSets(1);
    prog.write("Templates/Horizontal/Template/b01.xml", StyleDesign("1", true).toUtf8());
    WhenShown<TfrmMenuStyle>([&](TfrmMenuStyle *d) { d->btnCreate->click(); });
    EXPECT_TRUE(ShowMenuButtonsStyle(Setup(), Description("flashmenu\\bg.jpg", "b01.swf")));
    pugi::xml_document doc;
    const pugi::xml_node design = Merged(doc);
    ExpectStyleColoursAndFonts(design);
}

TEST_F(MenuStyle, ATypeChosenByTheUserWinsUntilTheNextSet)
{
    MakeSets(3, "213");
    WhenShown<TfrmMenuStyle>([&](TfrmMenuStyle *d) {
        EXPECT_EQ(d->ChosenFile(), "b01.swf");
        EXPECT_EQ(d->TypeIndex(), 1);
        d->rgrMenuTypeItems[2]->click();
        EXPECT_TRUE(d->TypeChanged());
        pugi::xml_document doc;
        EXPECT_EQ(Attributes(Merged(doc), "menubar", {"buttontype"}), QStringList{"3"});
        QTest::mouseClick(d->Tiles()[1]->Picture(), Qt::LeftButton);
        EXPECT_EQ(d->ChosenFile(), "b02.swf");
        EXPECT_EQ(d->TypeIndex(), 0);
        pugi::xml_document again;
        EXPECT_EQ(Attributes(Merged(again), "menubar", {"buttontype"}), QStringList{"1"});
        d->btnCancel->click();
    });
    EXPECT_FALSE(ShowMenuButtonsStyle(Setup(), Description("flashmenu\\bg.jpg", "b01.swf", "1")));
}

TEST_F(MenuStyle, ATemplateDesignThatIsMissingOrShortMergesWhatItCan)
{
    MakeSets(2);
    // b01 has no template design: the design's own values stay.
    // b02 names a colour the open design lacks: what came before it is merged, the merge stops there.
    prog.write("Templates/Horizontal/Template/b02.xml",
               R"(<WebMenuOptions><design><menubar space="7" buttontype="3" size="fix"/>
<color id="x" value="0x1" alpha="1"/><color id="sub_menu_normal" value="0xEEEEEE" alpha="9"/>
<color id="icon_link_active" value="0x2" alpha="2"/>
<font id="main_menu_normal" face="Never" size="1" color="0x0" bold="true" italic="true" underline="true"/>
</design></WebMenuOptions>)");
    const QString withoutIconActive = Description("flashmenu\\bg.jpg", "b01.swf", "2")
                                          .remove(R"(<color id="icon_link_active" value="0x000007" alpha="100"/>)");
    WhenShown<TfrmMenuStyle>([&](TfrmMenuStyle *d) {
        pugi::xml_document doc;
        pugi::xml_node design = Merged(doc);
        EXPECT_EQ(Attributes(design, "menubar", {"space", "buttontype", "size"}), QStringList{"9 2 var"});
        QTest::mouseClick(d->Tiles()[1]->Picture(), Qt::LeftButton);
        pugi::xml_document doc2;
        design = Merged(doc2);
        EXPECT_EQ(Attributes(design, "menubar", {"space", "buttontype", "size"}), QStringList{"7 3 fix"});
        EXPECT_EQ(Attributes(design, "color", {"value"}).mid(3, 1), QStringList{"0xEEEEEE"});
        EXPECT_EQ(Attributes(design, "font", {"face"}).first(), "Arial");
        EXPECT_TRUE(box.texts().isEmpty());
        d->btnCancel->click();
    });
    EXPECT_FALSE(ShowMenuButtonsStyle(Setup(), withoutIconActive));
}

TEST_F(MenuStyle, OkPutsTheSetAtTheHeadOfTheRecentList)
{
    MakeSets(3);
    options.RecentButtonsOnTop = true;
    HorzTop = Names("r%1", 1, 12);
    HorzTop[5] = "B02";
    const auto pick = [&](int tile, bool ok) {
        WhenShown<TfrmMenuStyle>([&, tile, ok](TfrmMenuStyle *d) {
            QTest::mouseClick(d->Tiles()[tile]->Picture(), Qt::LeftButton);
            (ok ? d->btnCreate : d->btnCancel)->click();
        });
        return ShowMenuButtonsStyle(Setup(), Description("flashmenu\\bg.jpg", "b01.swf"));
    };
    EXPECT_TRUE(pick(1, true));
    QStringList expected = QStringList{"b02"} + Names("r%1", 1, 5) + Names("r%1", 7, 12);
    EXPECT_EQ(HorzTop, expected);
    EXPECT_TRUE(pick(2, true));
    expected = QStringList{"b03", "b02"} + Names("r%1", 1, 5) + Names("r%1", 7, 11);
    EXPECT_EQ(HorzTop, expected);
    EXPECT_FALSE(pick(0, false));
    EXPECT_EQ(HorzTop, expected);
    HorzTopSpec = {"B01"};
    EXPECT_TRUE(pick(0, true));
    EXPECT_EQ(HorzTop, expected);
    options.RecentButtonsOnTop = false;
    EXPECT_TRUE(pick(1, true));
    EXPECT_EQ(HorzTop, expected);
    EXPECT_TRUE(VertTop.isEmpty());
}

TEST_F(MenuStyle, OkWithAnEmptyLibraryShowsMessage66)
{
    MakeSets(0);
    WhenShown<TfrmMenuStyle>([&](TfrmMenuStyle *d) {
        d->btnCreate->click();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(box.texts(), QStringList{"You do not select any file"});
        d->btnCancel->click();
    });
    EXPECT_FALSE(ShowMenuButtonsStyle(Setup(), Description("flashmenu\\bg.jpg", "b01.swf")));
}

TEST_F(MenuStyle, OkTakesNothingWhileTheMergedDescriptionCannotBeWritten)
{
    MakeSets(2);
    // A folder stands where the merged description must be written.
    QDir().mkpath(prog.file("Templates/Preview/flashmenu.xml"));
    WhenShown<TfrmMenuStyle>([&](TfrmMenuStyle *d) {
        EXPECT_EQ(d->ChosenFile(), "b01.swf");
        const qsizetype shown = box.texts().size();
        EXPECT_GE(shown, 1);
        d->btnCreate->click();
        EXPECT_TRUE(d->isVisible());
        ASSERT_EQ(box.texts().size(), shown + 1);
        EXPECT_TRUE(box.texts().last().startsWith("Cannot create file")) << box.texts().last().toStdString();
        // Once it can be written, OK writes it and takes it.
        QDir(prog.file("Templates/Preview/flashmenu.xml")).removeRecursively();
        d->btnCreate->click();
        if (d->isVisible())
            d->btnCancel->click();
    });
    EXPECT_TRUE(ShowMenuButtonsStyle(Setup(), Description("flashmenu\\bg.jpg", "b03.swf")));
    pugi::xml_document doc;
    Merged(doc);
    EXPECT_EQ(QStr(doc.document_element().child("menufile").attribute("src").value()), "b01.swf");
}

TEST_F(MenuStyle, TabMovesToTheTypeControlAndComingBackOnlyHighlights)
{
    MakeSets(8);
    WhenShown<TfrmMenuStyle>([&](TfrmMenuStyle *d) {
        QTest::mouseClick(d->Tiles()[2]->Picture(), Qt::LeftButton);
        ASSERT_EQ(d->ChosenFile(), "b03.swf");
        TGalleryTile *tile = d->Tiles()[2];
        ASSERT_EQ(d->Tracker()->Active(), tile);
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(tile, &tab);
        EXPECT_EQ(d->Tracker()->Active(), d->TypeControl());
        EXPECT_EQ(d->FocusedTile(), tile);
        const qsizetype visits = panes.last->visits.size();
        d->Tracker()->Focus(d->ScrollBox);
        EXPECT_EQ(d->Tracker()->Active(), tile);
        EXPECT_EQ(Highlighted(d->Tiles()), "b03.swf");
        EXPECT_EQ(panes.last->visits.size(), visits);
        EXPECT_EQ(d->ChosenFile(), "b03.swf");
        // A page turn forgets the tile and chooses the first one of the new page.
        d->btnNext->click();
        EXPECT_EQ(d->FocusedTile(), nullptr);
        EXPECT_EQ(d->ChosenFile(), "b07.swf");
        EXPECT_EQ(panes.last->visits.size(), visits + 1);
        d->btnCancel->click();
    });
    EXPECT_FALSE(ShowMenuButtonsStyle(Setup(), Description("flashmenu\\bg.jpg", "b01.swf")));
}

TEST_F(MenuStyle, DescriptionsThatCannotOpenTheDialog)
{
    MakeSets(2);
    EXPECT_EQ(ExceptionText([&] { ShowMenuButtonsStyle(Setup(), Description("bg.jpg", "b01.swf", "x")); }),
              "'x' is not a valid integer value");
    EXPECT_EQ(ExceptionText([&] {
                  ShowMenuButtonsStyle(Setup(), Description("bg.jpg").replace("<menufile src=\"tvnr007.swf\"", "<menufile"));
              }),
              "Node \"menufile\" has no attribute \"src\".");
}

TEST_F(MenuStyle, TheVerticalGalleryUsesTheDropDownList)
{
    WhenShown<TfrmMenuStyle>([&](TfrmMenuStyle *d) {
        EXPECT_FALSE(d->rgrMenuType->isVisible());
        EXPECT_TRUE(d->Panel1->isVisible());
        EXPECT_EQ(d->TypeControl(), d->cbButtonType);
        EXPECT_EQ(d->Tiles()[0]->geometry(), QRect(6, 6, 136, 199));
        EXPECT_EQ(d->Tiles()[3]->geometry(), QRect(6, 211, 136, 199));
        EXPECT_EQ(d->ChosenFile(), "tvmbiz001.swf");
        EXPECT_EQ(d->TypeIndex(), 1); // the set's own type, 2
        d->cbButtonType->setCurrentIndex(2);
        EXPECT_TRUE(d->TypeChanged());
        EXPECT_EQ(prog.read("Templates/Preview/tvmbiz001.swf"), prog.read("Templates/Vertical/Menus/tvmbiz001.swf"));
        d->btnCreate->click();
    });
    EXPECT_TRUE(ShowMenuButtonsStyle(Setup(false), Description("flashmenu\\bg.jpg", "own.swf", "2")));
    pugi::xml_document doc;
    EXPECT_EQ(Attributes(Merged(doc), "menubar", {"buttontype"}), QStringList{"3"});
}
