#include "GalleryDialog.h"
#include "uProgramStart.h"

#include "Conversions.h"
#include "Errors.h"
#include "FormControls.h"
#include "uXMLUtils.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>


TGalleryDialog::TGalleryDialog(const TGallerySetup &setup, const QString &objectName, const QString &caption,
                               const QString &listCaption)
    : QDialog(nullptr), FSetup(setup)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    pnlClient = new QWidget(this);
    pnlClient->setObjectName(QStringLiteral("pnlClient"));
    Splitter1 = new QSplitter(pnlClient);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    auto *clientLayout = new QVBoxLayout(pnlClient);
    clientLayout->setContentsMargins(8, 8, 8, 8);
    clientLayout->addWidget(Splitter1);

    grbBrowser = new QGroupBox(QStringLiteral("Menu Header Preview "), Splitter1);
    grbBrowser->setObjectName(QStringLiteral("grbBrowser"));
    pnlBrowser = new QFrame(grbBrowser);
    pnlBrowser->setObjectName(QStringLiteral("pnlBrowser"));
    pnlBrowser->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *browserLayout = new QVBoxLayout(grbBrowser);
    browserLayout->addWidget(pnlBrowser);

    pnlOptions = new QWidget(Splitter1);
    pnlOptions->setObjectName(QStringLiteral("pnlOptions"));
    pnlOptions->setMinimumHeight(97);
    grbFlashList = new QGroupBox(listCaption, pnlOptions);
    grbFlashList->setObjectName(QStringLiteral("grbFlashList"));
    ScrollBox = MakeTileArea(grbFlashList);
    auto *listLayout = new QVBoxLayout(grbFlashList);
    listLayout->addWidget(ScrollBox);

    pnlRight = new QWidget(pnlOptions);
    pnlRight->setObjectName(QStringLiteral("pnlRight"));
    btnNext = new QPushButton(QStringLiteral("&Next Page >"), pnlRight);
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnPrev = new QPushButton(QStringLiteral("< &Prev Page"), pnlRight);
    btnPrev->setObjectName(QStringLiteral("btnPrev"));
    for (QPushButton *b : {btnNext, btnPrev}) {
        b->resize(112, 25);
        b->setAutoDefault(false);
    }
    connect(btnNext, &QPushButton::clicked, this, &TGalleryDialog::btnNextClick);
    connect(btnPrev, &QPushButton::clicked, this, &TGalleryDialog::btnPrevClick);

    pnlBottom = new QWidget(this);
    pnlBottom->setObjectName(QStringLiteral("pnlBottom"));
    btnCreate = new QPushButton(QStringLiteral("&OK"), pnlBottom);
    btnCreate->setObjectName(QStringLiteral("btnCreate"));
    btnCreate->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), pnlBottom);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *bottomLayout = new QHBoxLayout(pnlBottom);
    bottomLayout->setContentsMargins(8, 0, 8, 8);
    bottomLayout->addStretch();
    bottomLayout->addWidget(btnCreate);
    bottomLayout->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnlClient, 1);
    layout->addWidget(pnlBottom, 0);

    LayoutForOrientation();
    FPane = MakeBrowserPane(pnlBrowser);

    FTracker = new TFocusTracker(this);
    FTracker->OnEnter = [this](QWidget *w) { GuardSlot([this, w] { ControlEntered(w); }); };
}

TGalleryDialog::~TGalleryDialog()
{
    // The tiles go before the fields they call back into.
    FTracker->OnEnter = nullptr;
    ClearTiles();
}

void TGalleryDialog::LayoutForOrientation()
{
    const bool horz = FSetup.Horizontal;
    QBoxLayout *options = horz ? static_cast<QBoxLayout *>(new QHBoxLayout(pnlOptions))
                               : static_cast<QBoxLayout *>(new QVBoxLayout(pnlOptions));
    options->setContentsMargins(0, 0, 0, 0);
    options->addWidget(grbFlashList, 1);
    options->addWidget(pnlRight, 0);
    if (horz) {
        Splitter1->setOrientation(Qt::Vertical);
        grbBrowser->setMinimumHeight(60);
        Splitter1->setSizes({179, 300});
        pnlRight->setFixedWidth(128);
        pnlRight->setMinimumHeight(300);
    } else {
        Splitter1->setOrientation(Qt::Horizontal);
        grbBrowser->setMinimumWidth(60);
        Splitter1->setSizes({209, 500});
        pnlRight->setFixedHeight(50);
    }
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
}

void TGalleryDialog::PlacePageButtonsBottom()
{
    const int w = pnlRight->width();
    btnNext->move(w - 13 - btnNext->width(), 15);
    btnPrev->move(btnNext->x() - 13 - btnPrev->width(), 15);
}

void TGalleryDialog::FitToControls()
{
    for (QPushButton *b : {btnNext, btnPrev})
        WidenToCaption(b, 112);
    PlaceRightPanel();
    // The column of the horizontal layout holds its widest control with the designed margin.
    if (FSetup.Horizontal) {
        // Every control but those hidden on purpose (before the first show all count as hidden).
        int right = 0;
        for (QWidget *c : pnlRight->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (!(c->testAttribute(Qt::WA_WState_ExplicitShowHide) && c->isHidden()))
                right = std::max(right, c->geometry().right() + 1);
        pnlRight->setFixedWidth(std::max(128, right + 8));
    }
    // The preview keeps its designed extent beside the whole page.
    const bool horz = FSetup.Horizontal;
    const int preview = horz ? 179 : 209;
    // The splitter lets the pane shrink to its own minimum.
    const int least = horz ? grbBrowser->minimumHeight() : grbBrowser->minimumWidth();
    const int room = std::max(0, preview - least);
    FitWindowToControls(this, FDesignedMinimum, horz ? QSize(0, room) : QSize(room, 0));
}

void TGalleryDialog::ShowPreviewAtDesignedSize()
{
    const bool horz = FSetup.Horizontal;
    const int preview = horz ? 179 : 209;
    const int total = (horz ? Splitter1->height() : Splitter1->width()) - Splitter1->handleWidth();
    if (total > preview)
        Splitter1->setSizes({preview, total - preview});
}

void TGalleryDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (FShownOnce)
        return;
    FShownOnce = true;
    ShowPreviewAtDesignedSize();
    // The tile area is the active control when the dialog opens: entering it chooses a tile.
    FTracker->Focus(ScrollBox);
}

void TGalleryDialog::LoadDescription(const QString &xmlText)
{
    FXmlUtils = std::make_unique<TXMLUtils>(xmlText);
    // A text that does not parse leaves no document to work on.
    if (!FXmlUtils->Root())
        throw Exception(QStringLiteral("XML format is incorrect."));
}

QString TGalleryDialog::FilePart(const QString &stored)
{
    return ExtractFileName(stored);
}

int TGalleryDialog::StartOffset(const QString &name) const
{
    int index = -1;
    for (int i = 0; i < FNames.size(); ++i)
        if (FNames[i].compare(name, Qt::CaseInsensitive) == 0) {
            index = i;
            break;
        }
    return FPager.PageStart(index);
}

void TGalleryDialog::SetTileLayout(const QSize &size, int perRow, const QString &thumbnailFolder)
{
    FTileSize = size;
    FTilesPerRow = perRow;
    FThumbnailFolder = thumbnailFolder;
    HoldWholePage(ScrollBox, TilePageSize(size, perRow, FPager.PageSize(), QPoint(6, 6), QSize(6, 6)));
}

QList<TGalleryTile *> TGalleryDialog::Tiles() const
{
    return TilesOf(ScrollBox->widget());
}

void TGalleryDialog::ClearTiles()
{
    FStartTile = nullptr;
    for (TGalleryTile *t : Tiles())
        FTracker->Free(t);
}

void TGalleryDialog::OpenAt(int startOffset)
{
    FPager.FPageOffset = startOffset;
    ClearTiles();
    ShowPage(FPager.Open(startOffset, int(FNames.size())));
}

void TGalleryDialog::ShowPage(const TPageView &view)
{
    ClearTiles();
    QWidget *content = ScrollBox->widget();
    const QString noImage = GalleryThumbnailFile(FThumbnailFolder, QString());
    int x = 6, y = 6;
    int right = 0, bottom = 0;
    for (int i = view.First; i < view.First + view.Count; ++i) {
        const QString &name = FNames[i];
        auto *tile = new TGalleryTile(content, i, QRect(QPoint(x, y), FTileSize),
                                      GalleryThumbnailFile(FThumbnailFolder, name), noImage, name, true);
        tile->OnClick = [this](TGalleryTile *t) { GuardSlot([this, t] { ThumbnailClick(t); }); };
        tile->OnEnter = [this](TGalleryTile *t) { PanelEnter(t); };
        tile->show();
        right = std::max(right, x + FTileSize.width() + 6);
        bottom = std::max(bottom, y + FTileSize.height() + 6);
        if (!FStartFile.isEmpty() && name == FStartFile)
            FStartTile = tile;
        x += FTileSize.width() + 6;
        if ((FTileSize.width() + 6) * FTilesPerRow < x) {
            x = 6;
            y += FTileSize.height() + 6;
        }
        // The tiles appear one by one; input waits until the page stands.
        if (isVisible())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    content->resize(right, bottom);
    ApplyPageButtons();
    PageShown(view);
}

void TGalleryDialog::ApplyPageButtons()
{
    btnNext->setEnabled(FPager.NextEnabled);
    btnPrev->setEnabled(FPager.PrevEnabled);
}

void TGalleryDialog::FocusTileArea()
{
    FTracker->Focus(ScrollBox);
}

void TGalleryDialog::btnNextClick()
{
    GuardSlot([this] {
        ShowPage(FPager.Next(int(FNames.size())));
        FocusTileArea();
    });
}

void TGalleryDialog::btnPrevClick()
{
    GuardSlot([this] {
        ShowPage(FPager.Prev(int(FNames.size())));
        FocusTileArea();
    });
}

void TGalleryDialog::ThumbnailClick(TGalleryTile *tile)
{
    const QPointer<TGalleryTile> guard(tile);
    {
        TBoolGuard enterOff(FScrollBoxEnterOn, false);
        // The focus only highlights the tile: it is chosen once, here.
        FocusTileWith(FTracker, tile, [this](TGalleryTile *t) { LitePanelEnter(t); });
    }
    if (!guard)
        return;
    const int tag = tile->Tag();
    if (tag < 0 || tag >= FNames.size())
        return;
    FChosenFile = FNames[tag];
    TileChosen();
}

void TGalleryDialog::PanelEnter(TGalleryTile *tile)
{
    const QPointer<TGalleryTile> guard(tile);
    ThumbnailClick(tile);
    if (guard)
        LitePanelEnter(tile);
}

void TGalleryDialog::LitePanelEnter(TGalleryTile *tile)
{
    HighlightTile(ScrollBox->widget(), tile);
}

void TGalleryDialog::ScrollBoxEnter()
{
    if (FStartTile && !FStartFile.isEmpty()) {
        FTracker->Focus(FStartTile);
        FStartTile = nullptr;
        FStartFile.clear();
        return;
    }
    QWidget *active = FTracker->Active();
    const bool inTiles = active && active != ScrollBox && ScrollBox->isAncestorOf(active);
    if (!inTiles) {
        const QList<TGalleryTile *> tiles = Tiles();
        if (!tiles.isEmpty())
            FTracker->Focus(tiles.first());
    }
}

void TGalleryDialog::ControlEntered(QWidget *w)
{
    DispatchEnter(w, ScrollBox, FScrollBoxEnterOn, [this] { ScrollBoxEnter(); });
}
