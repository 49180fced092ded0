// The Menu Background Style gallery on a program folder with the shipped templates: paging and the
// page list, the choice and its preview in the exchange folder, a file of the user's own, OK and
// Cancel, and the main window's hand-over before and after.
#include "GalleryFixture.h"
#include "Messages.h"
#include "UiTestSupport.h"
#include "uBackgroundStyle.h"
#include "uDesign.h"
#include "uHtmlOptions.h"
#include "uPageBuilder.h"
#include "uPreview.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWebEngineView>
#include <gtest/gtest.h>

namespace {

class BackgroundStyle : public GalleryTest {
protected:
    void SetUp() override
    {
        GalleryTest::SetUp();
        SetDefaultTexts();
    }
    QString Exchange(const QString &name = QString()) const { return prog.file("Templates/Preview/" + name); }
    QString ExchangeXml() const { return QString::fromUtf8(prog.read("Templates/Preview/flashmenu.xml")); }
    static QStringList Items(QComboBox *box)
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
    void ExpectChosen(TfrmMenuBackgoundStyle *d, const QString &name)
    {
        EXPECT_EQ(d->ChosenFile(), name);
        EXPECT_EQ(Highlighted(d->Tiles()), name);
        EXPECT_EQ(prog.read("Templates/Preview/flashmenu/" + name),
                  prog.read("Templates/Horizontal/BGround/" + name));
        EXPECT_TRUE(ExchangeXml().contains("<background src=\"flashmenu\\" + name + "\""));
        ASSERT_FALSE(panes.last->visits.isEmpty());
        EXPECT_EQ(panes.last->visits.last(), Exchange("flashmenu.htm"));
    }
};

} // namespace

TEST_F(BackgroundStyle, ThirteenBackgroundsPageByPage)
{
    MakeLibrary("Templates/Horizontal/BGround", 13, "jpg");
    WhenShown<TfrmMenuBackgoundStyle>([&](TfrmMenuBackgoundStyle *d) {
        EXPECT_EQ(d->windowTitle(), "Menu Background Style");
        EXPECT_EQ(Items(d->cbTemplateID), QStringList({"b01 - b06", "b07 - b12", "b13"}));
        EXPECT_EQ(Captions(d->Tiles()), Names("b%1.jpg", 1, 6));
        EXPECT_FALSE(d->btnPrev->isEnabled());
        EXPECT_TRUE(d->btnNext->isEnabled());
        // The design's own background is not in the library: the first tile is chosen.
        ExpectChosen(d, "b01.jpg");

        d->btnNext->click();
        EXPECT_EQ(Captions(d->Tiles()), Names("b%1.jpg", 7, 12));
        ExpectChosen(d, "b07.jpg");
        EXPECT_EQ(d->cbTemplateID->currentIndex(), 1);
        d->btnNext->click();
        EXPECT_EQ(Captions(d->Tiles()), QStringList{"b13.jpg"});
        EXPECT_FALSE(d->btnNext->isEnabled());
        EXPECT_TRUE(d->btnPrev->isEnabled());
        EXPECT_EQ(d->cbTemplateID->currentIndex(), 2);
        d->btnPrev->click();
        EXPECT_EQ(Captions(d->Tiles()), Names("b%1.jpg", 7, 12));
        // The page list names the page shown, also after a backward turn.
        EXPECT_EQ(d->cbTemplateID->currentIndex(), 1);
        d->btnPrev->click();
        EXPECT_EQ(Captions(d->Tiles()), Names("b%1.jpg", 1, 6));
        EXPECT_FALSE(d->btnPrev->isEnabled());
        EXPECT_EQ(d->cbTemplateID->currentIndex(), 0);
        ExpectChosen(d, "b01.jpg");
        d->btnCancel->click();
    });
    EXPECT_FALSE(ShowBackgroundStyle(Setup(), Description("flashmenu\\own.jpg")));
}

TEST_F(BackgroundStyle, OpensOnThePageOfTheDesignsBackgroundAndThemesJumpToTheirPage)
{
    MakeLibrary("Templates/Horizontal/BGround", 20, "jpg");
    WhenShown<TfrmMenuBackgoundStyle>([&](TfrmMenuBackgoundStyle *d) {
        EXPECT_EQ(Captions(d->Tiles()), Names("b%1.jpg", 7, 12));
        ExpectChosen(d, "b09.jpg");
        EXPECT_EQ(d->cbTemplateID->currentIndex(), 1);
        d->btnPrev->click();
        EXPECT_EQ(Captions(d->Tiles()), Names("b%1.jpg", 1, 6));
        d->btnNext->click();
        EXPECT_EQ(Captions(d->Tiles()), Names("b%1.jpg", 7, 12));
        d->cbTemplateID->setCurrentIndex(3);
        EXPECT_EQ(Captions(d->Tiles()), Names("b%1.jpg", 19, 20));
        ExpectChosen(d, "b19.jpg");
        d->btnPrev->click();
        EXPECT_EQ(Captions(d->Tiles()), Names("b%1.jpg", 13, 18));
        d->cbTemplateID->setCurrentIndex(1);
        EXPECT_EQ(Captions(d->Tiles()), Names("b%1.jpg", 7, 12));
        // A click chooses and previews the tile.
        QTest::mouseClick(d->Tiles()[4]->Picture(), Qt::LeftButton);
        ExpectChosen(d, "b11.jpg");
        d->btnCreate->click();
    });
    EXPECT_TRUE(ShowBackgroundStyle(Setup(), Description("flashmenu\\b09.jpg")));
    EXPECT_TRUE(box.texts().isEmpty());
    EXPECT_TRUE(ExchangeXml().contains("<background src=\"flashmenu\\b11.jpg\" alpha=\"100\" width=\"760\""));
}

TEST_F(BackgroundStyle, TheShippedLibraryWithPackageTitles)
{
    TGallerySetup setup = Setup();
    setup.ReplacePackageCaptions = [](QComboBox *box) {
        for (int i = 0; i < box->count(); ++i)
            if (box->itemText(i) == "tvmbiz001 - tvmjs001")
                box->setItemText(i, "First Shelf");
    };
    WhenShown<TfrmMenuBackgoundStyle>([&](TfrmMenuBackgoundStyle *d) {
        EXPECT_EQ(Items(d->cbTemplateID),
                  QStringList({"First Shelf", "tvmjy001 - tvmvgbl001", "tvmvnat001 - tvstd001"}));
        EXPECT_EQ(Captions(d->Tiles()), QStringList({"tvmvnat001.jpg", "tvnr001.jpg", "tvnr007.jpg", "tvstd001.jpg"}));
        EXPECT_EQ(d->cbTemplateID->currentIndex(), 2);
        ExpectChosen(d, "tvnr001.jpg");
        // Two tiles a row, 266 x 86 with gaps of 6.
        QList<QRect> rects;
        for (TGalleryTile *t : d->Tiles())
            rects << t->geometry();
        EXPECT_EQ(rects, QList<QRect>({{6, 6, 266, 86}, {278, 6, 266, 86}, {6, 98, 266, 86}, {278, 98, 266, 86}}));
        for (TGalleryTile *t : d->Tiles())
            EXPECT_EQ(t->PictureFile(), prog.file("Templates/Horizontal/BGround/Thumbnail/" + t->Caption()->text()));
        d->btnCreate->click();
    });
    EXPECT_TRUE(ShowBackgroundStyle(setup, Description("flashmenu\\tvnr001.jpg")));
}

TEST_F(BackgroundStyle, AFileOfTheUsersOwn)
{
    prog.write("pics/Sky.JPG", "sky picture");
    QStringList asked;
    const TGallerySetup setup = Setup();
    const AnswerOpenFile answer([&](const TOpenDialog &dialog, QWidget *) {
        asked << dialog.Title << dialog.InitialDir << dialog.Filter;
        return std::optional<QString>(prog.file("pics/Sky.JPG"));
    });
    WhenShown<TfrmMenuBackgoundStyle>([&](TfrmMenuBackgoundStyle *d) {
        const QString highlighted = Highlighted(d->Tiles());
        d->btnCustomBgrd->click();
        EXPECT_EQ(d->ChosenFile(), "background.jpg");
        EXPECT_EQ(prog.read("Templates/Preview/flashmenu/background.jpg"), "sky picture");
        EXPECT_TRUE(ExchangeXml().contains("<background src=\"flashmenu\\background.jpg\""));
        EXPECT_EQ(Highlighted(d->Tiles()), highlighted);
        d->btnCreate->click();
    });
    EXPECT_TRUE(ShowBackgroundStyle(setup, Description("flashmenu\\tvnr001.jpg")));
    EXPECT_EQ(asked, QStringList({"Select Menu Background", prog.file("Templates/Horizontal/BGround/"),
                                  "Supported Formats (*.swf;*.jpg;*.jpeg;*.jpe)|*.swf;*.jpg;*.jpeg;*.jpe|"
                                  "Flash File (*.swf)|*.swf|Jpeg Files (*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe"}));
}

TEST_F(BackgroundStyle, OkWithNothingChosenStaysOpen)
{
    MakeLibrary("Templates/Horizontal/BGround", 0, "jpg");
    WhenShown<TfrmMenuBackgoundStyle>([&](TfrmMenuBackgoundStyle *d) {
        EXPECT_TRUE(d->Tiles().isEmpty());
        EXPECT_FALSE(d->btnNext->isEnabled());
        EXPECT_FALSE(d->btnPrev->isEnabled());
        d->btnCreate->click();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(box.texts(), QStringList{"You did not select any file"});
        d->close();
    });
    EXPECT_FALSE(ShowBackgroundStyle(Setup(), Description("flashmenu\\own.jpg")));
}

TEST_F(BackgroundStyle, APaneSmallerThanTheBackgroundSizesThePreview)
{
    panes.size = {500, 100};
    WriteHtmlOptions(Exchange("HTMLOptions.xml"), THtmlPageOptions{"Site", "About", 0x336699, {"k1"}});
    WhenShown<TfrmMenuBackgoundStyle>([&](TfrmMenuBackgoundStyle *d) { d->btnCreate->click(); });
    EXPECT_TRUE(ShowBackgroundStyle(Setup(), Description("flashmenu\\tvnr001.jpg")));
    TTemplateEnv env{prog.path(), false};
    const QString options = QString::fromUtf8(prog.read("Templates/Preview/HTMLOptions.xml"));
    EXPECT_EQ(prog.read("Templates/Preview/flashmenu.htm"),
              Utf8WithBom(BuildTemplatePage(env, options, "tvnr007.swf", 492, 100, false, true, false)));
}

TEST_F(BackgroundStyle, DescriptionsThatCannotOpenTheDialog)
{
    EXPECT_EQ(ExceptionText([&] { ShowBackgroundStyle(Setup(), "<WebMenuOptions><design>"); }),
              "XML format is incorrect.");
    EXPECT_EQ(box.shown().size(), 1); // the parser's reason
    EXPECT_EQ(ExceptionText([&] {
                  ShowBackgroundStyle(Setup(), Description("x").replace("<background src=\"x\"", "<background"));
              }),
              "Node \"background\" has no attribute \"src\".");
}

TEST_F(BackgroundStyle, ABackgroundWithoutWidthReportsEachPreviewAndStaysOpen)
{
    WhenShown<TfrmMenuBackgoundStyle>([&](TfrmMenuBackgoundStyle *d) {
        EXPECT_EQ(box.texts(), QStringList{"Node \"background\" has no attribute \"width\"."});
        d->btnNext->click();
        EXPECT_EQ(box.texts().size(), 2);
        EXPECT_TRUE(d->isVisible());
        d->btnCancel->click();
    });
    EXPECT_FALSE(ShowBackgroundStyle(Setup(), Description("flashmenu\\own.jpg", "m.swf", "1", "height=\"9\"")));
}

TEST_F(BackgroundStyle, TheVerticalLayout)
{
    WhenShown<TfrmMenuBackgoundStyle>([&](TfrmMenuBackgoundStyle *d) {
        QList<QRect> rects;
        for (TGalleryTile *t : d->Tiles())
            rects << t->geometry();
        EXPECT_EQ(rects.size(), 6);
        EXPECT_EQ(rects.first(), QRect(6, 6, 146, 462));
        EXPECT_EQ(rects.last(), QRect(6 + 5 * 152, 6, 146, 462));
        EXPECT_FALSE(d->pnlSep_1->isVisible());
        EXPECT_EQ(d->btnCustomBgrd->pos(), QPoint(10, 15));
        EXPECT_EQ(d->btnNext->x(), d->pnlRight->width() - 125);
        EXPECT_EQ(d->btnPrev->x(), d->pnlRight->width() - 250);
        EXPECT_EQ(d->ChosenFile(), "tvmbiz001.jpg");
        EXPECT_EQ(prog.read("Templates/Preview/flashmenu/tvmbiz001.jpg"),
                  prog.read("Templates/Vertical/BGround/tvmbiz001.jpg"));
        d->btnCancel->click();
    });
    EXPECT_FALSE(ShowBackgroundStyle(Setup(false), Description("flashmenu\\own.jpg")));
}

TEST_F(BackgroundStyle, TheProgramsOwnPaneShowsThePreview)
{
    const TGallerySetup setup = Setup();
    const Answering<BrowserPaneFactory, &SetBrowserPaneFactory> programsOwnPane(nullptr);
    WhenShown<TfrmMenuBackgoundStyle>([&](TfrmMenuBackgoundStyle *d) {
        auto *view = d->findChild<QWebEngineView *>("WebBrowser");
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->url(), QUrl::fromLocalFile(Exchange("flashmenu.htm")));
        d->btnCreate->click();
    });
    EXPECT_TRUE(ShowBackgroundStyle(setup, Description("flashmenu\\tvnr001.jpg")));
}

namespace {

class NoPreviewHost : public IPreviewHost {
public:
    BrowserPane *Browser() override { return nullptr; }
};

class WindowHost : public IDesignHost {
public:
    TPreviewSet *preview = nullptr;
    void RefreshPreview() override
    {
        if (preview)
            preview->RefreshPreview();
    }
};

} // namespace

// The main window's side: what goes into the exchange folder, what comes back after OK, what stays
// after Cancel.
TEST_F(BackgroundStyle, TheWindowsHandOverOkAndCancel)
{
    THtmlPageOptions page;
    NoPreviewHost previewHost;
    WindowHost host;
    TMenuDesign design{prog.path(), &host};
    TPreviewSet preview{design, page, previewHost};
    host.preview = &preview;
    design.ResetToBlankProject();
    design.SetNoProject(false);
    design.ResetDesign(true);
    design.Controls.BackgroundImage = "own.jpg";
    design.CurrentMenuFileName = "tvnr007.swf";
    prog.write("MenuPreview/flashmenu/own.jpg", "own background");
    prog.write("MenuPreview/tvnr007.swf", "movie");
    design.SetModified(false);
    const QString before = design.BuildMenuXml(false, false, false);

    // Cancel: nothing comes back; the exchange folder keeps the hand-over.
    WhenShown<TfrmMenuBackgoundStyle>([&](TfrmMenuBackgoundStyle *d) {
        EXPECT_EQ(d->ChosenFile(), "tvmbiz001.jpg");
        d->btnCancel->click();
    });
    QString folderAsked;
    const auto show = [&](const QString &xml) { return ShowBackgroundStyle(Setup(), xml); };
    const auto setFolder = [&](const QString &f) { folderAsked = f; };
    EXPECT_FALSE(a_BackgoundStyleExecute(design, preview, page, show, setFolder));
    EXPECT_EQ(design.BuildMenuXml(false, false, false), before);
    EXPECT_FALSE(design.IsModified());
    EXPECT_EQ(FilesBelow(Exchange()),
              QStringList({"AC_RunActiveContent.js", "HTMLOptions.xml", "flashmenu.htm", "flashmenu.xml",
                           "flashmenu.xml.js", "flashmenu/own.jpg", "flashmenu/tvmbiz001.jpg", "tvnr007.swf"}));
    EXPECT_EQ(folderAsked, QString());

    // OK: the description and the background come back; the exchange folder is emptied.
    WhenShown<TfrmMenuBackgoundStyle>([&](TfrmMenuBackgoundStyle *d) {
        QTest::mouseClick(d->Tiles()[2]->Picture(), Qt::LeftButton);
        d->btnCreate->click();
    });
    EXPECT_TRUE(a_BackgoundStyleExecute(design, preview, page, show, setFolder));
    EXPECT_EQ(design.Controls.BackgroundImage, "tvmcyb001.jpg");
    EXPECT_EQ(prog.read("MenuPreview/flashmenu/tvmcyb001.jpg"), prog.read("Templates/Horizontal/BGround/tvmcyb001.jpg"));
    EXPECT_TRUE(QString::fromUtf8(prog.read("MenuPreview/flashmenu.xml")).contains("flashmenu\\tvmcyb001.jpg"));
    EXPECT_EQ(FilesBelow(Exchange()), QStringList());
    EXPECT_TRUE(QFileInfo(Exchange("flashmenu")).isDir());
    EXPECT_EQ(folderAsked, prog.file("MenuPreview/"));
    EXPECT_TRUE(design.IsModified());
    EXPECT_FALSE(design.FNoProject);
    EXPECT_EQ(design.FLoading, 0);
    EXPECT_EQ(design.CurrentMenuFileName, "tvnr007.swf");
}
