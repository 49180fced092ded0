#include "uIconLinkListPopup.h"

#include "Conversions.h"
#include "Paths.h"
#include "Trans.h"
#include "uGlobal.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int PageSize = 10;

QPushButton *MakeButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TfrmIconLinkListPopup::TfrmIconLinkListPopup(const QString &programFolder, QWidget *parent)
    : QDialog(parent), FTemplatesDir(WithSlash(programFolder) + QStringLiteral("Templates/")),
      FAppDir(WithSlash(programFolder))
{
    setObjectName(QStringLiteral("frmIconLinkListPopup"));
    setWindowTitle(QStringLiteral("Select Image for IconLink"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    grbIconList = new QGroupBox(QStringLiteral("Select an IconLink Image from this predefinded list.."), this);
    grbIconList->setObjectName(QStringLiteral("grbIconList"));
    ScrollBox = new TTileArea(grbIconList);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->OnEnter = [this] { ScrollBoxEnter(); };
    auto *listLayout = new QVBoxLayout(grbIconList);
    listLayout->addWidget(ScrollBox);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedWidth(172);
    lblSelect = new QLabel(QStringLiteral("Selected Image Preview"), Panel2);
    lblSelect->setObjectName(QStringLiteral("lblSelect"));
    FBrowser = MakeDialogBrowser(Panel2);
    WebBrowser = FBrowser.Widget;
    WebBrowser->setObjectName(QStringLiteral("WebBrowser"));
    WebBrowser->setFixedSize(100, 100);
    WebBrowser->setFocusPolicy(Qt::NoFocus);
    lblSelectCustom = new QLabel(QStringLiteral("Or select any other custom image"), Panel2);
    lblSelectCustom->setObjectName(QStringLiteral("lblSelectCustom"));
    fraFileEdit1 = new TIconFileField(programFolder, Panel2);
    fraFileEdit1->setObjectName(QStringLiteral("fraFileEdit1"));
    fraFileEdit1->Setup(QStringLiteral("Flash files (*.swf)|*.swf|GIF Files (*.gif)|*.gif|JPEG files (*.jpg, "
                                       "*.jpeg)|*.jpg;*.jpeg"),
                        QString());
    fraFileEdit1->OnPicked = [this] { fraFileEdit1Picked(); };
    btnNext = MakeButton("btnNext", QStringLiteral("&Next Page >"), Panel2);
    btnPrev = MakeButton("btnPrev", QStringLiteral("< &Prev Page"), Panel2);
    auto *side = new QVBoxLayout(Panel2);
    side->addWidget(lblSelect);
    side->addWidget(WebBrowser, 0, Qt::AlignHCenter);
    side->addWidget(lblSelectCustom);
    side->addWidget(fraFileEdit1);
    side->addStretch(1);
    side->addWidget(btnNext);
    side->addWidget(btnPrev);

    btnOK = MakeButton("btnOK", QStringLiteral("&OK"), this);
    btnOK->setDefault(true);
    btnCancel = MakeButton("btnCancel", QStringLiteral("&Cancel"), this);
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

    TranslateForm(this, QStringLiteral("frmIconLinkListPopup"));
    SetFormFont();
    resize(672, 300);
}

TfrmIconLinkListPopup::~TfrmIconLinkListPopup()
{
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
    FPager.FPageOffset = i >= 0 && !FChosenIcon.isEmpty() ? (i / PageSize) * PageSize : 0;
    UpdatePageButtons(ShowPage(FPager.FPageOffset, PageSize));
    FPager.FLastDirection = QStringLiteral("Next");

    fraFileEdit1->SetFileName(fileName);
    fraFileEdit1->SetLastFolder(ExtractFilePath(fileName));
    FCustomName = fraFileEdit1->Text();
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

void TfrmIconLinkListPopup::ClearTiles()
{
    ScrollBox->ClearTiles();
}

uint8_t TfrmIconLinkListPopup::ShowPage(int offset, int step)
{
    ClearTiles();
    FInitialTile = nullptr;
    const TInterimPage page = FPager.ShowPage(offset, step, int(FIconNames.size()));
    const QString thumbnails = FTemplatesDir + QStringLiteral("IconLink/Thumbnail/");
    int left = 6, top = 7;
    for (int i = page.First; i < page.First + page.Count; ++i) {
        const QString &name = FIconNames[i];
        auto *tile = new TInterimTile(i, name, GalleryThumbnail(thumbnails, name), QSize(86, 86), false,
                                      ScrollBox->Tiles());
        tile->setObjectName(QStringLiteral("tile%1").arg(i));
        tile->move(left, top);
        tile->OnEnter = [this](TInterimTile *t) { PanelEnter(t); };
        tile->OnClick = [this](TInterimTile *t) { ImageClick(t); };
        tile->show();
        if (name == FChosenIcon)
            FInitialTile = tile;
        left += 92;
        if (left > 460) {
            left = 6;
            top += 93;
        }
    }
    ScrollBox->Tiles()->resize(6 + 5 * 92, 7 + 2 * 93);
    return page.State;
}

void TfrmIconLinkListPopup::UpdatePageButtons(uint8_t state)
{
    FPager.SetButtons(state);
    btnNext->setEnabled(FPager.NextEnabled);
    btnPrev->setEnabled(FPager.PrevEnabled);
}

void TfrmIconLinkListPopup::btnNextClick()
{
    UpdatePageButtons(ShowPage(FPager.FPageOffset, PageSize));
    ScrollBox->setFocus();
    FPager.FLastDirection = QStringLiteral("Next");
}

void TfrmIconLinkListPopup::btnPrevClick()
{
    UpdatePageButtons(ShowPage(FPager.FPageOffset, -PageSize));
    ScrollBox->setFocus();
    FPager.FLastDirection = QStringLiteral("Prev");
}

void TfrmIconLinkListPopup::ImageClick(TInterimTile *sender)
{
    if (!sender)
        return;
    auto enter = std::move(ScrollBox->OnEnter);
    ScrollBox->OnEnter = nullptr;
    sender->OnEnter = [](TInterimTile *t) { t->LitePanelEnter(); };
    sender->setFocus();
    sender->LitePanelEnter();
    sender->OnEnter = [this](TInterimTile *t) { PanelEnter(t); };
    const QString name = FIconNames.value(sender->Tag());
    FCustomName = name;
    fraFileEdit1->SetFileName(name);
    fraFileEdit1->SetLastFolder(QString());
    UpdatePreview(true);
    UpdateOkButton();
    ScrollBox->OnEnter = std::move(enter);
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
    const QString shown = fraFileEdit1->Text().isEmpty() ? QString() : SafePathUnder(MediaFolder(), fraFileEdit1->Text());
    Browser()->Navigate(shown.isEmpty() ? QStringLiteral("about:blank") : shown);
}

void TfrmIconLinkListPopup::UpdateOkButton()
{
    btnOK->setEnabled(!fraFileEdit1->Text().isEmpty());
}

void TfrmIconLinkListPopup::PanelEnter(TInterimTile *tile)
{
    // While the gallery holds a stored or outside picture, moving over the tiles only highlights.
    if (fraFileEdit1->GetLastFolder().isEmpty())
        ImageClick(tile);
    tile->LitePanelEnter();
}

void TfrmIconLinkListPopup::ScrollBoxEnter()
{
    // Focus moves about while the dialog closes; the result is settled by then.
    if (FClosing)
        return;
    if (FInitialTile && !FChosenIcon.isEmpty()) {
        TInterimTile *tile = FInitialTile;
        FInitialTile = nullptr;
        FChosenIcon.clear();
        tile->setFocus();
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

void TfrmIconLinkListPopup::fraFileEdit1Picked()
{
    FCustomName = fraFileEdit1->Text();
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
