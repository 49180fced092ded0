// The main window's two layouts (horizontal and vertical menus), its enabled state, the compact
// start layout, the resize rules and the menu-area size.
#include "AlignPanel.h"
#include "ColorGrid.h"
#include "FormControls.h"
#include "MainWindowParts.h"
#include "fra_ColorEdit.h"
#include "fra_FileEdit.h"
#include "fra_MenuButtonShortList.h"
#include "Messages.h"
#include "Trans.h"
#include "uMain.h"
#include "uSettings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QTabWidget>
#include <QToolBar>
#include <QWebEngineView>
#include <QWindow>

namespace {

// Painting held back for the length of a layout, released however it ends.
class TUpdateLock {
public:
    explicit TUpdateLock(QWidget *w) : FWidget(w), FWas(w->updatesEnabled()) { w->setUpdatesEnabled(false); }
    ~TUpdateLock() { FWidget->setUpdatesEnabled(FWas); }

private:
    QWidget *FWidget;
    bool FWas;
};

void SetRadioTexts(QGroupBox *group, const QStringList &texts)
{
    const QList<QRadioButton *> items = group->findChildren<QRadioButton *>();
    for (int i = 0; i < items.size() && i < texts.size(); ++i) {
        items[i]->setText(texts[i]);
        items[i]->adjustSize();
    }
}

void Reparent(QWidget *child, QWidget *parent, const QRect &geometry)
{
    ReparentAligned(child, parent, TAlign::None);
    child->setGeometry(geometry);
}

} // namespace

// ---- Enabled state ---------------------------------------------------------------------------

void TfrmMain::UpdateInterfaceCore(int mode)
{
    if (mode == 50) {
        if (FDesign.FLayoutPending)
            ApplyLayout();
    } else {
        RefreshEnabledState();
    }
    if (grpMetaTags->parentWidget())
        grpMetaTags->resize(grpMetaTags->parentWidget()->width() - 40, grpMetaTags->height());
    ApplyLanguageFonts();
}

void TfrmMain::RefreshEnabledState()
{
    const bool open = !FDesign.FNoProject;
    for (QAction *a : {a_OpenPreview, a_SaveAs, a_Publish, a_Refresh, a_Preview, a_BackgoundStyle, a_Update})
        a->setEnabled(open);
    a_Save->setEnabled(open && FDesign.IsModified());
    for (QWidget *w : std::initializer_list<QWidget *>{
             trbTrackY, trbTrackX, tbBackgroundTrans, tbMenuSpacing, chbMuteDuringDesign, cgFlashColorPalette,
             cgHTMLColorPalette, rbMenu, rbLogo, rbTitle, rbDescription, rbIconLinks, rbMusicOnOff, btnAddMenu,
             panMenus, btnTitleOptions, btnBaselineOptions, gbSiteInformation, gbCustomizeMenuColor,
             btnMainMenuNormal, btnMainMenuActive, btnSubMenuNormal, btnSubMenuActive, btnLinkOptions,
             gbBackground, rgrMenuType, rgrButtonSize, rgTextAlign, cbAdjPos})
        w->setEnabled(open);
    fraMenuButtonShortList1->SetLocked(!open);
    // The tile of a project that was closed is marked no more.
    if (!open)
        fraMenuButtonShortList1->ClearMark();
    if (fraMenuButtonShortList1->ScrollBox && fraMenuButtonShortList1->ScrollBox->widget())
        for (QWidget *c : fraMenuButtonShortList1->ScrollBox->widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            c->setEnabled(open);
    miIconLinksOptions->setEnabled(open);
    tbrMenus->setVisible(open);
    for (TfraFileEdit *f : {fraBackgroundImage, fraLogoImage, fraBackgroundSound, fraOnRollOver})
        f->SetReadOnly(!open);
    for (TfraColorEdit *f : {fraFlashBackgroundColor, fraHTMLBackgroundColor})
        f->SetReadOnly(!open);
    QList<QLineEdit *> edits{edtTitle, edtBaseline, editTitle};
    for (QLineEdit *key : pnlMetaKeyWords->findChildren<QLineEdit *>())
        if (key->objectName().startsWith(QLatin1String("editKey")))
            edits << key;
    for (QLineEdit *e : edits) {
        e->setReadOnly(!open);
        QPalette pal = e->palette();
        pal.setColor(QPalette::Base, palette().color(open ? QPalette::Base : QPalette::Button));
        e->setPalette(pal);
    }
    memoDescription->setReadOnly(!open);
    QPalette pal = memoDescription->palette();
    pal.setColor(QPalette::Base, palette().color(open ? QPalette::Base : QPalette::Button));
    memoDescription->setPalette(pal);
    // Commands whose dialogs this build does not have stay off.
    for (QAction *a : FUnavailable)
        a->setEnabled(false);
    btnSelectBackground->setEnabled(a_BackgoundStyle->isEnabled());
    for (QWidget *w : std::initializer_list<QWidget *>{pcMenuDesignEtc, MenuStringGrid, btnAddMenu, btnLinkOptions,
                                                       btnSelectBackground, btnSave, btnPublish, btnRefresh,
                                                       btnPreview, btnClose})
        w->update();
    FProjects.UpdateCaption();
}

// ---- Language-dependent fonts and positions --------------------------------------------------

void TfrmMain::ApplyLanguageFonts()
{
    const TUpdateLock lock(this);
    const bool japanese = LanguageName == QLatin1String("Japanese");
    for (QWidget *w : std::initializer_list<QWidget *>{this, lblTitle, lblBaseline, lblLogoImage, lblMeta, tbrMenus,
                                                       lblMenus}) {
        const bool bold = w->font().bold();
        ApplyLanguageFont(w, LanguageName);
        if (bold) {
            QFont f = w->font();
            f.setBold(true);
            w->setFont(f);
        }
    }
    if (!FDesign.IsHorizontal())
        return;
    struct Place {
        QWidget *w;
        int jw, jl, ow, ol;
    };
    const Place places[] = {
        {rbMenu, 60, 184, 60, 200},       {rbLogo, 60, 264, 60, 261},       {rbTitle, 60, 328, 60, 323},
        {rbDescription, 65, 408, 90, 384}, {rbIconLinks, 120, 472, 80, 476}, {rbMusicOnOff, 103, 592, 100, 562},
        {btnSelectBackground, 100, 0, 160, 0}, {btnLinkOptions, 180, 100, 160, 160}, {btnAddMenu, 180, 280, 160, 320},
    };
    for (const Place &p : places) {
        p.w->move(japanese ? p.jl : p.ol, p.w->y());
        p.w->resize(japanese ? p.jw : p.ow, p.w->height());
    }
    panMenuEdit->resize(btnAddMenu->x() + btnAddMenu->width(), panMenuEdit->height());
    PlaceMenuEdit();
    if (japanese)
        panMenuEdit->move(479, panMenuEdit->y());
}

void TfrmMain::PlaceMenuEdit()
{
    if (!FDesign.IsHorizontal() || panMenuEdit->parentWidget() != pnlCenter)
        return;
    // The compact start keeps the commands flush with the menu strip's right edge.
    const int right = FCompact ? panMenus->width() : pnlCenter->width() - 5;
    panMenuEdit->move(right - panMenuEdit->width(), FCompact ? panMenuEdit->y() : 0);
    panMenuEdit->raise();
}

// ---- Layouts ---------------------------------------------------------------------------------

bool TfrmMain::IsScreenLargeEnough() const
{
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return true;
    const QSize size = s->size();
    return size.height() >= 768 && size.width() >= 1024;
}

void TfrmMain::ApplyLayout()
{
    const TUpdateLock lock(this);
    FDesign.FLayoutPending = 0;
    fraMenuButtonShortList1->KeepCustomTile = false;
    fraMenuButtonShortList1->Reload([this](const QString &name) { SelectMenuTemplate(name); });
    if (FDesign.IsHorizontal())
        LayoutHorizontal();
    else
        LayoutVertical();
    ApplyHintPicture();
    ApplyLanguageFonts();
    RebuildMenuToolbar();
    FormResize();
}

void TfrmMain::ApplyHintPicture()
{
    const QString name = QStringLiteral("Lang/") + LanguageName
                         + (FDesign.IsHorizontal() ? QStringLiteral("_imgMenuBarHint.bmp") : QStringLiteral("_imgMenuBarHintV.bmp"));
    // A missing picture keeps the one shown; the first one shown is the built-in picture.
    LoadAppImage(imgMenuBarHint, FAppDir, name);
    // Sizes from the picture itself: the label's own size is whatever the previous layout squeezed
    // it to.
    const QSize picture = imgMenuBarHint->pixmap().size();
    SetAlignExtent(imgMenuBarHint, picture.height());
    SetAlignExtent(FHintPanel, FDesign.IsHorizontal() ? picture.width() : picture.height());
    LayoutVerticalMenuPanel();
}

void TfrmMain::LayoutHorizontal()
{
    for (QWidget *w : std::initializer_list<QWidget *>{Panel1, Panel2, Panel3, Panel4, rgTextAlign, pnlMainLeft,
                                                       Splitter, gbPreview, cbAdjPos, panCornerLB2})
        w->hide();
    ReparentAligned(pcMain, pnlCenter, TAlign::Client);

    // The preview strip across the window's top.
    pnlBrowser->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    ReparentAligned(pnlBrowser, centralWidget(), TAlign::Top, 225);
    ReparentAligned(pnlLineBottom, pnlBrowser, TAlign::Bottom, 45);
    ReparentAligned(panTrackY, pnlBrowser, TAlign::Left, 32);
    ReparentAligned(pnlWebBrowserBorder, pnlBrowser, TAlign::Client);
    trbTrackY->setTickPosition(QSlider::TicksRight);
    ReparentAligned(trbTrackY, panTrackY, TAlign::Left, 32);
    ReparentAligned(pnlTopBrowser, pnlWebBrowserBorder, TAlign::Top, 10);
    SetAlignExtent(pnlFlashPreviewRightBorder, 18);
    SetAlignExtent(pnlBottomBrowser, 12);
    lblAdjust->hide();

    SetAlignExtent(panCornerLB, 22);
    SetAlignExtent(panCornerRB, 6);
    panCornerLB->show();
    panCornerRB->show();
    Reparent(pnlXYShows, pnlLineBottom, QRect(0, 21, 206, 21));
    pnlXYShows->show();
    Reparent(pnlLineTop, pnlLineBottom, QRect(30, 23, 689, 17));
    Reparent(chbMuteDuringDesign, pnlLineTop, QRect(0, 0, 140, 17));
    Reparent(lblAdjust, pnlLineTop, QRect(144, 1, 40, 15));
    lblAdjust->show();

    trbTrackX->setParent(pnlBrowser);
    trbTrackX->setTickPosition(QSlider::TicksAbove);
    trbTrackX->show();
    trbTrackY->show();

    // Menu information back on the left of the Flash page, at its designed places.
    Reparent(gbSiteInformation, panLeft, QRect(4, 0, 237, 145));
    lblTitle->move(16, 18);
    lblBaseline->move(16, 58);
    lblLogoImage->move(16, 98);
    btnTitleOptions->move(202, 34);
    btnBaselineOptions->move(202, 74);
    fraLogoImage->setGeometry(10, 114, 213, 24);
    edtTitle->setGeometry(16, 34, 185, 22);
    edtBaseline->setGeometry(16, 74, 185, 22);
    Reparent(gbCustomizeMenuColor, panLeft, QRect(4, 148, 237, 120));
    Reparent(gbBackground, panLeft, QRect(4, 272, 237, 64));
    panLeft->resize(244, 340);
    ReparentAligned(scbLeft, tabFlashOptions, TAlign::Left, 260);

    Reparent(panMenuEdit, pnlCenter, QRect(0, 0, 480, 20));
    btnSelectBackground->setGeometry(0, 0, 160, 20);
    btnLinkOptions->setGeometry(160, 0, 160, 20);
    btnAddMenu->setGeometry(320, 0, 160, 20);

    ReparentAligned(panMenus, tabFlashOptions, TAlign::Top, 64);
    ReparentAligned(pcMenuDesignEtc, tabFlashOptions, TAlign::Client);
    SetAlign(tbrMenus, TAlign::Left);
    SetAlignExtent(tbrMenus, tbrMenus->width());
    SetAlign(FHintPanel, TAlign::Left);
    panMenuSpace->setMinimumHeight(0);  // the column's height rule does not hold in a row

    // Advanced page.
    SetRadioTexts(rgrButtonSize, {QStringLiteral("Fixed"), QStringLiteral("Variable")});
    TranslateRadioGroupItems(rgrButtonSize, objectName());
    rgrButtonSize->setGeometry(8, 8, 120, 100);
    rgrMenuType->setGeometry(136, 8, 120, 100);
    gbMenuSpacing->move(rgrMenuType->x() + rgrMenuType->width() + 8, 8);

    LayoutHtmlPageHorizontal();
}

// The HTML page as designed, key words beside the description; also the page as the window is made.
void TfrmMain::LayoutHtmlPageHorizontal()
{
    lblHTMLSiteTitle->move(8, 102);
    editTitle->move(8, 118);
    grpMetaTags->move(8, 144);
    lblMeta->move(12, 16);
    lblMetaKeywords->move(12, 38);
    pnlMetaKeyWords->move(8, 56);
    lblMetaDescription->move(pnlMetaKeyWords->width() + 20, 58);
    memoDescription->setGeometry(pnlMetaKeyWords->width() + 20, lblMetaDescription->y() + lblMetaDescription->height() + 2,
                                 std::max(80, grpMetaTags->width() - pnlMetaKeyWords->width() - 40), 132);
    grpMetaTags->resize(grpMetaTags->width(),
                        lblMeta->height() + lblMetaKeywords->height() + memoDescription->height() + 60);
    FitHtmlSheet();
}

void TfrmMain::FitHtmlSheet()
{
    pnlHTMLSettings->setMinimumHeight(grpMetaTags->geometry().bottom() + 1);
    // Taken in at once: what is placed on the sheet next goes by its width, which loses a scroll bar's
    // breadth while the sheet is higher than the page.
    QEvent request(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(scbHTMLSettings, &request);
}

void TfrmMain::LayoutVertical()
{
    for (QFrame *p : {pnlMainLeft, Panel1, Panel2, Panel3, Panel4})
        p->setFrameStyle(QFrame::NoFrame);

    // Left column: the preview with its two sliders.
    ReparentAligned(gbPreview, pnlCenter, TAlign::Left, 265);
    gbPreview->show();
    ReparentAligned(Splitter, pnlCenter, TAlign::Left, 4);
    Splitter->Target = gbPreview;
    Splitter->show();
    ReparentAligned(Panel2, pnlCenter, TAlign::Left, 5);
    Panel2->show();
    ReparentAligned(panTrackY, gbPreview, TAlign::Top, 30);
    ReparentAligned(panCornerLB2, gbPreview, TAlign::Left, 10);
    panCornerLB2->show();
    ReparentAligned(pnlWebBrowserBorder, gbPreview, TAlign::Client);
    SetAlignExtent(pnlFlashPreviewRightBorder, 40);
    SetAlignExtent(pnlBottomBrowser, 12);
    trbTrackX->setParent(gbPreview);
    trbTrackX->setTickPosition(QSlider::TicksBelow);
    trbTrackX->show();
    trbTrackY->setParent(gbPreview);
    SetAlign(trbTrackY, TAlign::None);
    trbTrackY->setTickPosition(QSlider::TicksAbove);
    trbTrackY->show();

    // Middle column: position chooser, menu information, the three commands and the menu column.
    pnlMainLeft->show();
    ReparentAligned(pnlMainLeft, pnlCenter, TAlign::Client);
    ReparentAligned(Panel1, pnlMainLeft, TAlign::Left, 10);
    Panel1->show();
    pnlBrowser->setFrameStyle(QFrame::NoFrame);
    ReparentAligned(pnlBrowser, pnlMainLeft, TAlign::Left, 180);
    ReparentAligned(Panel3, pnlMainLeft, TAlign::Left, 5);
    Panel3->show();
    ReparentAligned(pcMain, pnlMainLeft, TAlign::Client);

    ReparentAligned(pnlLineBottom, pnlBrowser, TAlign::Client);
    panCornerLB->hide();
    panCornerRB->hide();
    pnlLineTop->setParent(panCornerRB);
    ReparentAligned(pnlTopBrowser, pnlLineBottom, TAlign::Top, 40);
    Reparent(lblAdjust, pnlTopBrowser, QRect(0, 15, 40, 15));
    lblAdjust->show();
    pnlXYShows->setParent(pnlTopBrowser);
    pnlXYShows->hide();
    cbAdjPos->setParent(pnlTopBrowser);
    cbAdjPos->setGeometry(pnlBrowser->width() - 130 - 10, 10, 130, 22);
    cbAdjPos->show();
    ReparentAligned(gbSiteInformation, pnlLineBottom, TAlign::Top, 180);
    for (QWidget *label : {static_cast<QWidget *>(lblTitle), static_cast<QWidget *>(lblBaseline),
                           static_cast<QWidget *>(lblLogoImage)})
        label->move(label->x() - 10, label->y());
    for (QWidget *b : {btnTitleOptions, btnBaselineOptions})
        b->move(b->x() - 60, b->y());
    fraLogoImage->setGeometry(fraLogoImage->x() - 5, fraLogoImage->y(), 160, fraLogoImage->height());
    for (QLineEdit *e : {edtTitle, edtBaseline})
        e->setGeometry(e->x() - 5, e->y(), 129, e->height());
    ReparentAligned(panMenuEdit, pnlLineBottom, TAlign::Top, 76);
    // The three commands stacked, each as wide as the column allows.
    int top = 3;
    for (QPushButton *b : {btnSelectBackground, btnLinkOptions, btnAddMenu}) {
        b->setGeometry(3, top, pnlBrowser->width() - 10, 20);
        top += 21;
    }
    ReparentAligned(panMenus, pnlLineBottom, TAlign::Client, panMenus->width());

    // Right column: the pages, colours and music across the top of the Flash page.
    ReparentAligned(scbLeft, tabFlashOptions, TAlign::Top, gbCustomizeMenuColor->height() + 10);
    Reparent(gbCustomizeMenuColor, panLeft, QRect(0, 0, 237, 120));
    Reparent(gbBackground, panLeft, QRect(237 + 5, 0, 237, 64));
    Reparent(chbMuteDuringDesign, panLeft, QRect(gbBackground->x(), gbBackground->y() + gbBackground->height() + 5, 160, 17));
    chbMuteDuringDesign->show();
    panLeft->resize(2 * 237 + 10, gbCustomizeMenuColor->height() + 10);
    ReparentAligned(pcMenuDesignEtc, tabFlashOptions, TAlign::Client);

    rgrButtonSize->setGeometry(8, 8, 121, 80);
    NameVerticalButtonSizes();
    rgrMenuType->setGeometry(136, 8, 121, 100);
    gbMenuSpacing->move(rgrButtonSize->x(), rgrButtonSize->y() + rgrButtonSize->height() + 8);
    rgTextAlign->setGeometry(rgrMenuType->x() + rgrMenuType->width() + 8, rgrMenuType->y(), 121, 100);
    rgTextAlign->show();

    // The menu column.
    SetAlign(tbrMenus, TAlign::Top);
    SetAlignExtent(tbrMenus, 26);
    SetAlign(FHintPanel, TAlign::Top);

    // HTML page, stacked.
    lblHTMLSiteTitle->move(8, grbHTMLColorSelection->y() + grbHTMLColorSelection->height() + 16);
    editTitle->move(8, lblHTMLSiteTitle->y() + lblHTMLSiteTitle->height() + 8);
    grpMetaTags->move(8, editTitle->y() + editTitle->height() + 16);
    lblMeta->move(12, 24);
    lblMetaKeywords->move(12, 46);
    pnlMetaKeyWords->move(8, 64);
    lblMetaDescription->move(lblMeta->x(), pnlMetaKeyWords->y() + pnlMetaKeyWords->height() + 8);
    memoDescription->setGeometry(lblMeta->x(), lblMetaDescription->y() + lblMetaDescription->height() + 8,
                                 std::max(80, grpMetaTags->width() - lblMeta->x() - 16), 90);
    grpMetaTags->resize(grpMetaTags->width(), memoDescription->y() + memoDescription->height() + 16);
    FitHtmlSheet();

    // The chooser shows the element selected by the radio buttons.
    cbAdjPos->clear();
    for (QRadioButton *rb : {rbMenu, rbLogo, rbTitle, rbDescription, rbIconLinks, rbMusicOnOff})
        cbAdjPos->addItem(rb->text());
    cbAdjPos->setCurrentIndex(SelectedRadioElement());
}

int TfrmMain::SelectedRadioElement() const
{
    const QRadioButton *radios[] = {rbMenu, rbLogo, rbTitle, rbDescription, rbIconLinks, rbMusicOnOff};
    for (int i = 0; i < 6; ++i)
        if (radios[i]->isChecked())
            return i;
    return 0;
}

void TfrmMain::NameVerticalButtonSizes()
{
    SetRadioTexts(rgrButtonSize, {LangMsg(102), LangMsg(103)});
}

void TfrmMain::LayoutVerticalMenuPanel()
{
    if (FDesign.IsHorizontal())
        return;
    const int pictureHeight = imgMenuBarHint->pixmap().height();
    SetAlignExtent(FHintPanel, pictureHeight);
    panMenuButtons->setGeometry(panMenuButtons->x(), panMenuButtons->y(), panMenus->width() - 13,
                                panMenus->height() - 20);
    // The space under the picture fills the column; a toolbar grown past its single row of 26
    // takes its room from that space, not from the column.
    const int toolbarGrowth = std::max(0, tbrMenus->height() - 26);
    panMenuSpace->setMinimumHeight(std::max(0, panMenuButtons->height() - pictureHeight - 30 - toolbarGrowth));
    ArrangeAligned(panMenuButtonsClient);
}

void TfrmMain::LayoutCompactMainWindow()
{
    FCompact = true;
    if (FDesign.IsHorizontal()) {
        panMenus->resize(panMenus->parentWidget()->width(), panMenus->height());
        pnlXYShows->move(pnlLineBottom->width() - pnlXYShows->width() - panCornerRB->width(), pnlXYShows->y());
        panMenuEdit->move(panMenus->width() - panMenuEdit->width(), panMenuEdit->y());
    }
    CenterControlHorizontally(panBottomButtons);
}

void TfrmMain::FitToScreen(const QRect &available)
{
    // The title bar and borders stand outside the client area: the window leaves room for them.
    create();
    const QSize room = available.size().shrunkBy(WindowFrameRoom(this));
    setMinimumSize(QSize(812, 612).boundedTo(room));
    resize(QSize(955, 728).boundedTo(room));
    // Centred by the frame as it stands; until the window manager has framed the window, a position
    // places its client area, and the frame is the one room was kept for.
    const QMargins drawn = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const bool framed = !drawn.isNull();
    const QMargins margins = framed ? drawn : WindowFrameRoom(this);
    const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
    const QPoint corner(available.x() + (available.width() - width() - frame.width()) / 2,
                        available.y() + (available.height() - height() - frame.height()) / 2);
    move(framed ? corner : corner + QPoint(margins.left(), margins.top()));
}

// ---- Resize ----------------------------------------------------------------------------------

void TfrmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfrmMain::PlaceBrowserStrip()
{
    const QSize browser = WebBrowser->size();
    if (FDesign.IsHorizontal()) {
        // The compact start puts the read-out against the right corner panel.
        const int gap = FCompact ? panCornerRB->width() : 10;
        pnlXYShows->move(pnlLineBottom->width() - pnlXYShows->width() - gap, 21);
        SetTrackMaximum(trbTrackY, browser.height());
        trbTrackX->move(pnlWebBrowserBorder->x() - 8, pnlLineBottom->y() - 12);
        trbTrackX->resize(trbTrackX->width(), 24);
    } else {
        SetTrackMaximum(trbTrackY, std::max(0, browser.height() - 1));
        trbTrackY->setGeometry(WebBrowser->x() + pnlWebBrowserBorder->x() + browser.width() + 3,
                               pnlWebBrowserBorder->y() - 10 + WebBrowser->y(), 32, browser.height() + 22);
        trbTrackX->move(pnlWebBrowserBorder->x() - 8, panTrackY->y() + 4);
        trbTrackX->resize(trbTrackX->width(), 24);
    }
    trbTrackX->raise();
    trbTrackY->raise();
}

void TfrmMain::FormResize()
{
    if (FInResize || !pnlBrowser)
        return;
    FInResize = true;
    if (FDesign.IsHorizontal()) {
        ComputeMenuAreaWidth();
        RebuildMenuToolbar();
        panMenuButtons->setGeometry(5, 16, std::max(0, panMenus->width() - 10), 44);
        SetTrackMaximum(trbTrackX, WebBrowser->width());
        UpdateTrackXRange();
    } else {
        ComputeMenuAreaHeight();
        panMenuButtons->setGeometry(5, 16, std::max(0, panMenus->width() - 13), std::max(0, panMenus->height() - 20));
        LayoutVerticalMenuPanel();
    }
    PlaceBrowserStrip();
    PlaceMenuEdit();
    CenterControlHorizontally(panBottomButtons);
    FitMetaTagsWidth();
    FInResize = false;
}

// The page control sizes only the page shown, so the HTML page's sheet also runs this when it is resized.
void TfrmMain::FitMetaTagsWidth()
{
    grpMetaTags->resize(grpMetaTags->parentWidget()->width() - 40, grpMetaTags->height());
    const int margin = FDesign.IsHorizontal() ? 20 : 16;
    memoDescription->resize(std::max(80, grpMetaTags->width() - memoDescription->x() - margin), memoDescription->height());
}

bool TfrmMain::SplitterCanResize(int newSize) const
{
    return newSize >= 100 && newSize <= 400;
}

void TfrmMain::SplitterMoved()
{
    ArrangeAligned(gbPreview);
    PlaceBrowserStrip();
    ComputeMenuAreaWidth();
    UpdateTrackXRange();
    RefreshPreview();
}

// ---- Menu area -------------------------------------------------------------------------------

namespace {

// One axis of the menu area by the settings' mode: 0 the default 1004, 1 the preview pane, 2 1004
// filling the page, 3 the custom value; any other mode leaves the size as it was.
void MenuAreaAxis(int mode, int pane, int custom, int32_t &size, uint8_t &fit)
{
    switch (mode) {
    case 0: size = 1004; break;
    case 1: size = pane; break;
    case 2: size = 1004; fit = 1; break;
    case 3: size = custom; break;
    default: break;
    }
}

} // namespace

void TfrmMain::ComputeMenuAreaWidth()
{
    TXMLStoreOptions &o = FDesign.FStoreOptions;
    o.FitPageWidth = 0;
    if (FDesign.IsHorizontal())
        MenuAreaAxis(Options.HorzMenuDynamic, WebBrowser->width(), Options.HorzMenuCustomValue, o.BackgroundWidth,
                     o.FitPageWidth);
    else
        o.BackgroundWidth = WebBrowser->width();
}

void TfrmMain::ComputeMenuAreaHeight()
{
    TXMLStoreOptions &o = FDesign.FStoreOptions;
    o.FitPageHeight = 0;
    if (FDesign.IsHorizontal())
        o.BackgroundHeight = WebBrowser->height();
    else
        MenuAreaAxis(Options.VertMenuDynamic, WebBrowser->height(), Options.VertMenuCustomValue, o.BackgroundHeight,
                     o.FitPageHeight);
}
