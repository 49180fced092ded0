// The icon-link dialog and the icon picture gallery: the record changes only after OK, pictures
// reach the media folder, the gallery's pages of ten, and the pop-up of the four links.
#include "ColorGrid.h"
#include "GalleryTestSupport.h"
#include "Messages.h"
#include "Trans.h"
#include "UiTestSupport.h"
#include "fra_ColorEdit.h"
#include "fra_FileEdit.h"
#include "uIconLinkListPopup.h"
#include "uIconLinkOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

TXMLICONInfo SampleIcons()
{
    TXMLICONInfo info;
    info.X = 584;
    info.Y = 14;
    info.NormalColor = 0x00FF00;
    info.NormalAlpha = 20;
    info.ActiveColor = 0x123456;
    info.ActiveAlpha = 45;
    const char *names[4] = {"Home", "Mail", "Call", "About"};
    const char *pictures[4] = {"flashmenu\\home.jpg", "flashmenu\\mail.jpg", "flashmenu\\phone.jpg", ""};
    for (int k = 0; k < 4; ++k) {
        TIconLinkItem &it = info.Items[size_t(k)];
        it.Id = k + 1;
        it.Text = QString::fromLatin1(names[k]);
        it.Img = QString::fromLatin1(pictures[k]);
        it.Url = QStringLiteral("page%1.htm").arg(k + 1);
        it.Target = QStringLiteral("_self");
        it.Alpha = 10 * (k + 1);
        it.Active = 1;
    }
    return info;
}

bool SameIcons(const TXMLICONInfo &a, const TXMLICONInfo &b)
{
    if (a.X != b.X || a.Y != b.Y || a.NormalColor != b.NormalColor || a.NormalAlpha != b.NormalAlpha ||
        a.ActiveColor != b.ActiveColor || a.ActiveAlpha != b.ActiveAlpha)
        return false;
    for (size_t k = 0; k < 4; ++k) {
        const TIconLinkItem &x = a.Items[k], &y = b.Items[k];
        if (x.Id != y.Id || x.Img != y.Img || x.Url != y.Url || x.Target != y.Target || x.Text != y.Text ||
            x.Alpha != y.Alpha || x.Active != y.Active)
            return false;
    }
    return true;
}

class IconLinks : public testing::Test {
protected:
    void SetUp() override
    {
        SetDefaultTexts();
        LanguageName = QStringLiteral("English");
        CopyShippedTemplatesTo(prog);
    }
    QString media(const QString &name = QString()) const { return prog.file("MenuPreview/flashmenu/") + name; }
    // A library of count pictures named p01.jpg ...
    void MakeLibrary(int count)
    {
        QDir(prog.file("Templates/IconLink")).removeRecursively();
        for (int i = 1; i <= count; ++i)
            prog.write(QStringLiteral("Templates/IconLink/p%1.jpg").arg(i, 2, 10, QLatin1Char('0')), "jpg");
    }
    static QStringList Shown(const TfrmIconLinkListPopup &gallery)
    {
        QStringList names;
        for (const TGalleryTile *t : gallery.Tiles())
            names << t->Caption()->text();
        return names;
    }

    TempFolder prog;
    FakeBrowserPanes browsers{QSize(100, 100)};
    QString pickFile;
    // The open dialog gives pickFile (Cancel while it is empty); the colour dialog a fixed colour.
    AnswerOpenFile files{[this](const TOpenDialog &, QWidget *) {
        return pickFile.isEmpty() ? std::nullopt : std::optional<QString>(pickFile);
    }};
    AnswerColor colors{[](const QColor &, QWidget *) { return std::optional<QColor>(PlatformColorToQColor(0x0A0B0C)); }};
};

// ---- The icon-link dialog -----------------------------------------------------------------------

TEST_F(IconLinks, OkCopiesTheEditedRecordBackAndCancelLeavesItWhole)
{
    TXMLICONInfo info = SampleIcons();
    const TXMLICONInfo before = info;
    WhenShown<TfrmIconLinkOptions>([](TfrmIconLinkOptions *d) {
        EXPECT_TRUE(d->rbLinkButton[1]->isChecked());
        EXPECT_EQ(d->fraIconLinkParam->edName->text(), "Mail");
        d->fraIconLinkParam->edName->setText("Write");
        d->fraIconLinkParam->edURL->setText("mailto:a@b.c");
        d->fraIconLinkParam->cmbTarget->setEditText("myframe");
        d->fraIconLinkParam->alpha->setValue(55);
        ClickCell(d->cgNormalLinkColorPalette, 12);  // blue
        d->cbThird->click();
        d->btnCancel->click();
    });
    EXPECT_FALSE(EditIconLinks(prog.path(), info, 2));
    EXPECT_TRUE(SameIcons(info, before));

    WhenShown<TfrmIconLinkOptions>([](TfrmIconLinkOptions *d) {
        d->fraIconLinkParam->edName->setText("Write");
        d->fraIconLinkParam->edURL->setText("mailto:a@b.c");
        d->fraIconLinkParam->cmbTarget->setEditText("myframe");
        d->fraIconLinkParam->alpha->setValue(55);
        // Another link, and the edit survives the move.
        d->rbLinkButton[3]->click();
        EXPECT_EQ(d->fraIconLinkParam->edName->text(), "About");
        d->fraIconLinkParam->edName->setText("Info");
        ClickCell(d->cgNormalLinkColorPalette, 12);
        EXPECT_EQ(d->fraNormalLinkColor->GetColor(), 0xFF0000);
        d->fraActiveLinkColor->btnColorDialog->click();
        d->cbThird->click();
        d->btnOK->click();
    });
    ASSERT_TRUE(EditIconLinks(prog.path(), info, 2));
    TXMLICONInfo expected = before;
    expected.NormalColor = 0xFF0000;
    expected.ActiveColor = 0x0A0B0C;
    expected.Items[1].Text = "Write";
    expected.Items[1].Url = "mailto:a@b.c";
    expected.Items[1].Target = "myframe";
    expected.Items[1].Alpha = 55;
    expected.Items[3].Text = "Info";
    expected.Items[2].Active = 0;
    EXPECT_TRUE(SameIcons(info, expected));
}

TEST_F(IconLinks, RadioCaptionsKeepTheNamesOfTheOpeningAndTheCheckButtonsShareOnePlace)
{
    TfrmIconLinkOptions d(prog.path());
    d.Start(SampleIcons(), 1);
    d.show();
    EXPECT_EQ(d.rbLinkButton[0]->text(), "Home");
    EXPECT_EQ(d.rbLinkButton[2]->text(), "Call");
    d.fraIconLinkParam->edName->setText("House");
    d.rbLinkButton[2]->click();
    EXPECT_EQ(d.rbLinkButton[0]->text(), "Home");

    EXPECT_TRUE(d.btnClearAllIconLinks->isVisible());
    EXPECT_FALSE(d.btnCheckAllIconLinks->isVisible());
    for (QCheckBox *b : {d.cbFirst, d.cbSecond, d.cbThird, d.cbFourth})
        b->click();
    EXPECT_FALSE(d.btnClearAllIconLinks->isVisible());
    EXPECT_TRUE(d.btnCheckAllIconLinks->isVisible());
    EXPECT_EQ(d.btnCheckAllIconLinks->geometry(), d.btnClearAllIconLinks->geometry());
    d.cbSecond->click();
    EXPECT_TRUE(d.btnClearAllIconLinks->isVisible());
    d.btnClearAllIconLinks->click();
    EXPECT_FALSE(d.cbSecond->isChecked());
    d.btnCheckAllIconLinks->click();
    EXPECT_TRUE(d.cbFirst->isChecked() && d.cbFourth->isChecked());
}

TEST_F(IconLinks, OnlyTheColourGroupsTitleAndTheLinkChoiceLabelAreBold)
{
    TfrmIconLinkOptions d(prog.path());
    QStringList bold;
    for (QWidget *w : d.findChildren<QWidget *>())
        if (w->font().bold() && !w->objectName().isEmpty())
            bold << w->objectName();
    bold.sort();
    EXPECT_EQ(bold.join(",").toStdString(), "grbIconLinksColors,lblSelectLink");
}

TEST_F(IconLinks, ThePreviewShowsTheMediaFolderCopyAndNamesThatClimbOutShowNothing)
{
    TXMLICONInfo info = SampleIcons();
    info.Items[1].Img = "..\\..\\..\\etc\\passwd";
    TfrmIconLinkOptions d(prog.path());
    d.Start(info, 1);
    EXPECT_EQ(browsers.last->visits.last(), media("home.jpg"));
    d.rbLinkButton[3]->click();
    EXPECT_EQ(browsers.last->visits.last(), "about:blank");
    d.rbLinkButton[1]->click();
    EXPECT_EQ(d.fraIconLinkParam->fraFileEdit->edFileName->text(), "passwd");
    EXPECT_EQ(browsers.last->visits.last(), media("passwd"));
}

TEST_F(IconLinks, AClickInsideThePreviewPicksAPictureAndOneOnItsBorderDoesNot)
{
    TfrmIconLinkOptions d(prog.path());
    d.Start(SampleIcons(), 1);
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    int galleries = 0;
    WhenShown<TfrmIconLinkListPopup>([&](TfrmIconLinkListPopup *g) {
        ++galleries;
        g->btnCancel->click();
    });
    QTest::mouseClick(d.WebBrowser, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(galleries, 1);
    QTest::mouseClick(d.WebBrowser, Qt::LeftButton, {}, QPoint(0, 50));
    QTest::qWait(20);
    EXPECT_EQ(galleries, 1);
}

// ---- The main window's side ---------------------------------------------------------------------

TEST_F(IconLinks, AfterOkEveryPictureIsInTheMediaFolderAndStoredUnderFlashmenu)
{
    TempFolder outside;
    outside.write("own.gif", "own picture");
    prog.write("MenuPreview/flashmenu/mail.jpg", "my own mail picture");
    TXMLICONInfo info = SampleIcons();
    info.Items[0].Img = "home.jpg";              // just taken from the library
    info.Items[2].Img = outside.file("own.gif"); // from elsewhere
    info.Items[3].Img = "..\\..\\x.jpg";         // climbs out
    WhenShown<TfrmIconLinkOptions>([](TfrmIconLinkOptions *d) { d->btnOK->click(); });
    ASSERT_TRUE(RunIconLinkOptions(prog.path(), info, 1));
    EXPECT_EQ(info.Items[0].Img, "flashmenu\\home.jpg");
    EXPECT_EQ(info.Items[1].Img, "flashmenu\\mail.jpg");
    EXPECT_EQ(info.Items[2].Img, "flashmenu\\own.gif");
    EXPECT_EQ(info.Items[3].Img, "flashmenu\\x.jpg");
    EXPECT_EQ(ReadFileBytes(media("home.jpg")), ReadFileBytes(prog.file("Templates/IconLink/home.jpg")));
    EXPECT_EQ(ReadFileBytes(media("own.gif")), "own picture");
    // A picture of the user's own that shares its name with a library picture is kept.
    EXPECT_EQ(ReadFileBytes(media("mail.jpg")), "my own mail picture");
    EXPECT_FALSE(QFileInfo::exists(media("x.jpg")));

    TXMLICONInfo cleared = SampleIcons();
    cleared.Items[0].Img.clear();
    WhenShown<TfrmIconLinkOptions>([](TfrmIconLinkOptions *d) { d->btnOK->click(); });
    ASSERT_TRUE(RunIconLinkOptions(prog.path(), cleared, 1));
    EXPECT_EQ(cleared.Items[0].Img, "flashmenu\\");

    TXMLICONInfo kept = SampleIcons();
    WhenShown<TfrmIconLinkOptions>([](TfrmIconLinkOptions *d) { d->btnCancel->click(); });
    EXPECT_FALSE(RunIconLinkOptions(prog.path(), kept, 1));
    EXPECT_TRUE(SameIcons(kept, SampleIcons()));
}

TEST_F(IconLinks, ThePopupListsTheFourLinksAndOpensTheChosenOne)
{
    QMenu menu;
    menu.addAction("stale");
    int chosen = 0;
    TXMLICONInfo info = SampleIcons();
    FillLinkOptionsMenu(&menu, info, [&](int k) { chosen = k; });
    QStringList captions;
    for (QAction *a : menu.actions())
        captions << a->text();
    EXPECT_EQ(captions, (QStringList{"1 - Home", "2 - Mail", "3 - Call", "4 - About"}));
    menu.actions()[2]->trigger();
    EXPECT_EQ(chosen, 3);

    // An "&" of a link's name is shown as itself, not taken for a shortcut marker.
    TXMLICONInfo ampersand = info;
    ampersand.Items[1].Text = "Mail & Post";
    FillLinkOptionsMenu(&menu, ampersand, [&](int k) { chosen = k; });
    EXPECT_EQ(menu.actions()[1]->text(), "2 - Mail && Post");

    TfrmIconLinkOptions d(prog.path());
    d.Start(info, chosen);
    EXPECT_TRUE(d.rbLinkButton[2]->isChecked());
    EXPECT_EQ(d.fraIconLinkParam->edName->text(), "Call");
}

// ---- The picture gallery ------------------------------------------------------------------------

TEST_F(IconLinks, TwentyPicturesMakeTwoPagesAndTwentyOneThree)
{
    MakeLibrary(20);
    {
        TfrmIconLinkListPopup g(prog.path());
        g.Start(QString());
        EXPECT_EQ(Shown(g).size(), 10);
        EXPECT_EQ(Shown(g).first(), "p01.jpg");
        g.btnNextClick();
        EXPECT_EQ(Shown(g).first(), "p11.jpg");
        EXPECT_EQ(Shown(g).size(), 10);
        EXPECT_FALSE(g.btnNext->isEnabled());
        EXPECT_TRUE(g.btnPrev->isEnabled());
    }
    MakeLibrary(21);
    TfrmIconLinkListPopup g(prog.path());
    g.Start(QString());
    g.btnNextClick();
    g.btnNextClick();
    EXPECT_EQ(Shown(g), QStringList{"p21.jpg"});
    EXPECT_FALSE(g.btnNext->isEnabled());
    // Five tiles a row, two rows.
    g.btnPrevClick();
    const QList<TGalleryTile *> tiles = g.Tiles();
    ASSERT_EQ(tiles.size(), 10);
    EXPECT_EQ(tiles[0]->pos(), QPoint(6, 7));
    EXPECT_EQ(tiles[4]->pos(), QPoint(6 + 4 * 92, 7));
    EXPECT_EQ(tiles[5]->pos(), QPoint(6, 100));
}

TEST_F(IconLinks, TheGalleryOpensOnThePageOfItsPictureAndPagesFromThere)
{
    MakeLibrary(30);
    TfrmIconLinkListPopup g(prog.path());
    g.Start("flashmenu\\P15.JPG");  // found without case
    EXPECT_EQ(Shown(g).first(), "p11.jpg");
    EXPECT_TRUE(g.btnPrev->isEnabled());
    g.btnPrevClick();
    EXPECT_EQ(Shown(g).first(), "p01.jpg");
    EXPECT_FALSE(g.btnPrev->isEnabled());
    g.btnNextClick();
    EXPECT_EQ(Shown(g).first(), "p11.jpg");
}

TEST_F(IconLinks, AStoredPictureIsPreviewedFromTheMediaFolderAndOnlyHighlightedOnEntry)
{
    prog.write("MenuPreview/flashmenu/home.jpg", "stored copy");
    TfrmIconLinkListPopup g(prog.path());
    g.Start("flashmenu\\home.jpg");
    EXPECT_EQ(browsers.last->visits.last(), media("home.jpg"));
    ASSERT_NE(g.FInitialTile, nullptr);
    EXPECT_EQ(g.FInitialTile->Caption()->text(), "home.jpg");
    TGalleryTile *initial = g.FInitialTile;
    g.show();
    g.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&g));
    g.ScrollBox->setFocus();
    EXPECT_EQ(g.FInitialTile, nullptr);
    EXPECT_TRUE(initial->IsHighlighted());
    // Entering the tiles did not copy the library picture over the stored one.
    EXPECT_EQ(ReadFileBytes(media("home.jpg")), "stored copy");
}

TEST_F(IconLinks, PickingALibraryPictureCopiesItAtOnceAndReturnsItsBareName)
{
    QString name = "flashmenu\\home.jpg";
    WhenShown<TfrmIconLinkListPopup>([](TfrmIconLinkListPopup *g) {
        TGalleryTile *star = nullptr;
        for (TGalleryTile *t : g->Tiles())
            if (t->Caption()->text() == "help.jpg")
                star = t;
        ASSERT_NE(star, nullptr);
        QTest::mouseClick(star->Picture(), Qt::LeftButton);
        EXPECT_EQ(g->fraFileEdit1->edFileName->text(), "help.jpg");
        EXPECT_TRUE(g->btnOK->isEnabled());
        // Clearing the field empties it only: OK still returns the last pick.
        g->fraFileEdit1->btnClearFileName->click();
        g->btnOK->click();
    });
    ASSERT_TRUE(SelectIconLinkImage(prog.path(), name));
    EXPECT_EQ(name.toStdString(), "help.jpg");
    EXPECT_EQ(ReadFileBytes(media("help.jpg")), ReadFileBytes(prog.file("Templates/IconLink/help.jpg")));

    // Cancel: unchanged, though the picked copy stays.
    QString kept = "flashmenu\\home.jpg";
    WhenShown<TfrmIconLinkListPopup>([](TfrmIconLinkListPopup *g) {
        g->ImageClick(g->Tiles().first());
        g->btnCancel->click();
    });
    EXPECT_FALSE(SelectIconLinkImage(prog.path(), kept));
    EXPECT_EQ(kept, "flashmenu\\home.jpg");
    EXPECT_TRUE(QFileInfo::exists(media("add.jpg")));
}

TEST_F(IconLinks, AFileFromElsewhereIsCopiedAndStoredThroughBothDialogs)
{
    TempFolder outside;
    outside.write("Logo Mark.gif", "gif bytes");
    pickFile = outside.file("Logo Mark.gif");
    TXMLICONInfo info = SampleIcons();
    WhenShown<TfrmIconLinkOptions>([](TfrmIconLinkOptions *d) {
        WhenShown<TfrmIconLinkListPopup>([](TfrmIconLinkListPopup *g) {
            g->fraFileEdit1->btnOpenFileDialog->click();
            EXPECT_EQ(g->fraFileEdit1->edFileName->text(), "Logo Mark.gif");
            g->btnOK->click();
        });
        d->fraIconLinkParam->fraFileEdit->btnOpenFileDialog->click();
        EXPECT_EQ(d->fraIconLinkParam->fraFileEdit->edFileName->text(), "Logo Mark.gif");
        d->btnOK->click();
    });
    ASSERT_TRUE(RunIconLinkOptions(prog.path(), info, 1));
    EXPECT_EQ(info.Items[0].Img, "flashmenu\\Logo Mark.gif");
    EXPECT_EQ(ReadFileBytes(media("Logo Mark.gif")), "gif bytes");
}

TEST_F(IconLinks, AnEmptyLibraryShowsNoTilesButAnOwnFileCanStillBePicked)
{
    MakeLibrary(0);
    TempFolder outside;
    outside.write("a.jpg", "a");
    pickFile = outside.file("a.jpg");
    TfrmIconLinkListPopup g(prog.path());
    g.Start(QString());
    EXPECT_TRUE(g.Tiles().isEmpty());
    EXPECT_FALSE(g.btnNext->isEnabled());
    EXPECT_FALSE(g.btnPrev->isEnabled());
    g.fraFileEdit1->btnOpenFileDialog->click();
    g.btnOKClick();
    EXPECT_EQ(g.FChosenIcon, outside.file("a.jpg"));
}

} // namespace
