#include "uIconLinkListPopup.h"

#include "Conversions.h"
#include "FormControls.h"
#include "Paths.h"
#include "Trans.h"
#include "fra_FileEdit.h"
#include "uGlobal.h"
#include "uProgramStart.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

TfrmIconLinkListPopup::TfrmIconLinkListPopup(const QString &programFolder, QWidget *parent)
    : QDialog(parent), FTemplatesDir(WithSlash(programFolder) + QStringLiteral("Templates/")),
      FAppDir(WithSlash(programFolder))
{
    setObjectName(QStringLiteral("frmIconLinkListPopup"));
    setWindowTitle(QStringLiteral("Select Image for IconLink"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    grbIconList = new QGroupBox(QStringLiteral("Select an IconLink Image from this predefinded list.."), this);
    grbIconList->setObjectName(QStringLiteral("grbIconList"));
    ScrollBox = MakeTileArea(grbIconList);
    auto *listLayout = new QVBoxLayout(grbIconList);
    listLayout->addWidget(ScrollBox);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedWidth(172);
    HoldWholePage(ScrollBox, TilePageSize(QSize(86, 86), 5, 10, QPoint(6, 7), QSize(6, 7)));
    lblSelect = new QLabel(QStringLiteral("Selected Image Preview"), Panel2);
    lblSelect->setObjectName(QStringLiteral("lblSelect"));
    WebBrowser = new QWidget(Panel2);
    WebBrowser->setFixedSize(100, 100);
    FPane = MakeBrowserPane(WebBrowser);
    lblSelectCustom = new QLabel(QStringLiteral("Or select any other custom image"), Panel2);
    lblSelectCustom->setObjectName(QStringLiteral("lblSelectCustom"));
    // The panel keeps its width; the text takes a second line.
    lblSelectCustom->setWordWrap(true);
    fraFileEdit1 = new TfraFileEdit(programFolder, Panel2);
    fraFileEdit1->setObjectName(QStringLiteral("fraFileEdit1"));
    fraFileEdit1->Setup(QStringLiteral("Flash files (*.swf)|*.swf|GIF Files (*.gif)|*.gif|JPEG files (*.jpg, "
                                       "*.jpeg)|*.jpg;*.jpeg"),
                        false, QString());
    fraFileEdit1->BindOpenFileDialogButton([this] { GuardSlot([this] { fraFileEdit1btnOpenFileDialogClick(); }); });
    btnNext = MakeNamedButton("btnNext", QStringLiteral("&Next Page >"), Panel2);
    btnPrev = MakeNamedButton("btnPrev", QStringLiteral("< &Prev Page"), Panel2);
    auto *side = new QVBoxLayout(Panel2);
    side->addWidget(lblSelect);
    side->addWidget(WebBrowser, 0, Qt::AlignHCenter);
    side->addWidget(lblSelectCustom);
    side->addWidget(fraFileEdit1);
    side->addStretch(1);
    side->addWidget(btnNext);
    side->addWidget(btnPrev);

    btnOK = MakeNamedButton("btnOK", QStringLiteral("&OK"), this);
    btnOK->setDefault(true);
    btnCancel = MakeNamedButton("btnCancel", QStringLiteral("&Cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *top = new QHBoxLayout;
    top->addWidget(grbIconList, 1);
    top->addWidget(Panel2);
    auto *form = new QVBoxLayout(this);
    form->addLayout(top, 1);
    form->addLayout(buttons);

    connect(btnOK, &QPushButton::clicked, this, &TfrmIconLinkListPopup::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnNext, &QPushButton::clicked, this, &TfrmIconLinkListPopup::btnNextClick);
    connect(btnPrev, &QPushButton::clicked, this, &TfrmIconLinkListPopup::btnPrevClick);

    FTracker = new TFocusTracker(this);
    FTracker->OnEnter = [this](QWidget *w) {
        GuardSlot([this, w] { DispatchEnter(w, ScrollBox, FScrollBoxEnterOn, [this] { ScrollBoxEnter(); }); });
    };

    TranslateForm(this, QStringLiteral("frmIconLinkListPopup"));
    SetFormFont();
    // Wider only where a caption of the language needs it.
    Panel2->setFixedWidth(std::max(172, Panel2->layout()->minimumSize().width()));
    resize(672, 300);
    FitWindowToControls(this, QSize());
}

TfrmIconLinkListPopup::~TfrmIconLinkListPopup()
{
    // The tiles go before the fields they call back into.
    FTracker->OnEnter = nullptr;
    ClearTiles();
}

void TfrmIconLinkListPopup::SetFormFont()
{
    ApplyLanguageFont(this, LanguageName);
}

QString TfrmIconLinkListPopup::MediaFolder() const
{
    return FAppDir + QStringLiteral("MenuPreview/flashmenu/");
}

void TfrmIconLinkListPopup::Start(const QString &fileName)
{
    FChosenIcon = ExtractFileName(fileName);
    ListFolderFiles(FTemplatesDir + QStringLiteral("IconLink/"), {QStringLiteral("swf"), QStringLiteral("jpg")},
                    false, true, FIconNames);
    int i = -1;
    for (int k = 0; k < FIconNames.size() && i < 0; ++k)
        if (FIconNames[k].compare(FChosenIcon, Qt::CaseInsensitive) == 0)
            i = k;
    ShowPage(FPager.Open(FPager.PageStart(FChosenIcon.isEmpty() ? -1 : i), int(FIconNames.size())));
    UpdatePageButtons();

    fraFileEdit1->SetFileName(fileName);
    fraFileEdit1->SetLastFolder(ExtractFilePath(fileName));
    FCustomName = fraFileEdit1->edFileName->text();
    if (!fraFileEdit1->GetLastFolder().isEmpty()) {
        if (HasDrivePart(fileName)) {
            const QString target = SafePathUnder(MediaFolder(), FCustomName);
            if (!target.isEmpty()) {
                QDir().mkpath(MediaFolder());
                CopyFileCompat(fileName, target);
            }
        }
        UpdatePreview(false);
    }
}

QList<TGalleryTile *> TfrmIconLinkListPopup::Tiles() const
{
    return TilesOf(ScrollBox->widget());
}

void TfrmIconLinkListPopup::ClearTiles()
{
    for (TGalleryTile *tile : Tiles())
        FTracker->Free(tile);
}

void TfrmIconLinkListPopup::ShowPage(const TPageView &view)
{
    ClearTiles();
    FInitialTile = nullptr;
    const QString thumbnails = FTemplatesDir + QStringLiteral("IconLink/Thumbnail/");
    const QString noImage = GalleryThumbnailFile(thumbnails, QString());
    QWidget *content = ScrollBox->widget();
    int left = 6, top = 7;
    for (int i = view.First; i < view.First + view.Count; ++i) {
        const QString &name = FIconNames[i];
        // Icons are small: drawn at their own size, not stretched.
        auto *tile = new TGalleryTile(content, i, QRect(left, top, 86, 86), GalleryThumbnailFile(thumbnails, name),
                                      noImage, name, true, false);
        tile->setObjectName(QStringLiteral("tile%1").arg(i));
        tile->OnEnter = [this](TGalleryTile *t) { PanelEnter(t); };
        tile->OnClick = [this](TGalleryTile *t) { GuardSlot([this, t] { ImageClick(t); }); };
        tile->show();
        if (name == FChosenIcon)
            FInitialTile = tile;
        left += 92;
        if (left > 460) {
            left = 6;
            top += 93;
        }
    }
    content->resize(6 + 5 * 92, 7 + 2 * 93);
}

void TfrmIconLinkListPopup::UpdatePageButtons()
{
    btnNext->setEnabled(FPager.NextEnabled);
    btnPrev->setEnabled(FPager.PrevEnabled);
}

void TfrmIconLinkListPopup::btnNextClick()
{
    ShowPage(FPager.Next(int(FIconNames.size())));
    UpdatePageButtons();
    FTracker->Focus(ScrollBox);
}

void TfrmIconLinkListPopup::btnPrevClick()
{
    ShowPage(FPager.Prev(int(FIconNames.size())));
    UpdatePageButtons();
    FTracker->Focus(ScrollBox);
}

void TfrmIconLinkListPopup::ImageClick(TGalleryTile *sender)
{
    if (!sender)
        return;
    const TBoolGuard enterOff(FScrollBoxEnterOn, false);
    const QPointer<TGalleryTile> guard(sender);
    // The focus only highlights the tile: it is picked once, here.
    FocusTileWith(FTracker, sender, [this](TGalleryTile *t) { LitePanelEnter(t); });
    if (!guard)
        return;
    LitePanelEnter(sender);
    const QString name = FIconNames.value(sender->Tag());
    FCustomName = name;
    fraFileEdit1->SetFileName(name);
    fraFileEdit1->SetLastFolder(QString());
    UpdatePreview(true);
    UpdateOkButton();
}

void TfrmIconLinkListPopup::UpdatePreview(bool copy)
{
    if (copy) {
        const QString from = SafePathUnder(FTemplatesDir + QStringLiteral("IconLink/"), FCustomName);
        const QString to = SafePathUnder(MediaFolder(), FCustomName);
        if (!from.isEmpty() && !to.isEmpty()) {
            QDir().mkpath(MediaFolder());
            CopyFileCompat(from, to);
        }
    }
    const QString text = fraFileEdit1->edFileName->text();
    const QString shown = text.isEmpty() ? QString() : SafePathUnder(MediaFolder(), text);
    Browser()->Navigate(shown.isEmpty() ? QStringLiteral("about:blank") : shown);
}

void TfrmIconLinkListPopup::UpdateOkButton()
{
    btnOK->setEnabled(!fraFileEdit1->edFileName->text().isEmpty());
}

void TfrmIconLinkListPopup::PanelEnter(TGalleryTile *tile)
{
    const QPointer<TGalleryTile> guard(tile);
    // While the gallery holds a stored or outside picture, moving over the tiles only highlights.
    if (fraFileEdit1->GetLastFolder().isEmpty())
        ImageClick(tile);
    if (guard)
        LitePanelEnter(tile);
}

void TfrmIconLinkListPopup::LitePanelEnter(TGalleryTile *tile)
{
    HighlightTile(ScrollBox->widget(), tile);
}

void TfrmIconLinkListPopup::ScrollBoxEnter()
{
    // Focus moves about while the dialog closes; the result is settled by then.
    if (FClosing)
        return;
    if (FInitialTile && !FChosenIcon.isEmpty()) {
        const QPointer<TGalleryTile> tile = FInitialTile;
        FInitialTile = nullptr;
        FChosenIcon.clear();
        FTracker->Focus(tile);
    }
}

void TfrmIconLinkListPopup::FormActivate()
{
    UpdatePreview(false);
    UpdateOkButton();
    btnOK->setFocus();
}

void TfrmIconLinkListPopup::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TfrmIconLinkListPopup::fraFileEdit1btnOpenFileDialogClick()
{
    fraFileEdit1->btnOpenFileDialogClick();
    FCustomName = fraFileEdit1->edFileName->text();
    if (!FCustomName.isEmpty())
        UpdatePreview(false);
    UpdateOkButton();
}

void TfrmIconLinkListPopup::done(int result)
{
    FClosing = true;
    QDialog::done(result);
}

void TfrmIconLinkListPopup::btnOKClick()
{
    FClosing = true;
    FChosenIcon = fraFileEdit1->GetLastFolder() + FCustomName;
    accept();
}

bool SelectIconLinkImage(const QString &programFolder, QString &fileName, QWidget *parent)
{
    TfrmIconLinkListPopup gallery(programFolder, parent);
    gallery.Start(fileName);
    if (gallery.exec() != QDialog::Accepted)
        return false;
    fileName = gallery.FChosenIcon;
    return true;
}
