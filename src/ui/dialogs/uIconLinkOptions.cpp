#include "uIconLinkOptions.h"

#include "ColorGrid.h"
#include "Conversions.h"
#include "FormControls.h"
#include "Dialogs.h"
#include "Paths.h"
#include "Trans.h"
#include "uGlobal.h"
#include "fra_ColorEdit.h"
#include "fra_FileEdit.h"
#include "uIconLinkListPopup.h"
#include "uProgramStart.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

void SetFontColor(QLabel *label, int32_t color)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, PlatformColorToQColor(color));
    label->setPalette(pal);
}

int32_t FontColor(const QLabel *label)
{
    return QColorToPlatformColor(label->palette().color(QPalette::WindowText));
}

QString MediaFolder(const QString &appDir)
{
    return WithSlash(appDir) + QStringLiteral("MenuPreview/flashmenu/");
}

} // namespace

// ---- The link frame -----------------------------------------------------------------------------

TfraIconLinkParam::TfraIconLinkParam(const QString &programFolder, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fraIconLinkParam"));
    MarkAsFrame(this);
    GroupBox = new QGroupBox(QStringLiteral("Icon Link Options"), this);
    GroupBox->setObjectName(QStringLiteral("GroupBox1"));
    edName = WholeValues(new QLineEdit(GroupBox));
    edName->setObjectName(QStringLiteral("edName"));
    cmbTarget = new QComboBox(GroupBox);
    cmbTarget->setObjectName(QStringLiteral("cmbTarget"));
    cmbTarget->setEditable(true);
    WholeValues(cmbTarget->lineEdit());
    cmbTarget->addItems({QStringLiteral("_blank"), QStringLiteral("_self"), QStringLiteral("_parent"),
                         QStringLiteral("_top")});
    fraFileEdit = new TfraFileEdit(programFolder, GroupBox);
    fraFileEdit->setObjectName(QStringLiteral("fraFileEdit"));
    alpha = new QSlider(Qt::Horizontal, GroupBox);
    alpha->setObjectName(QStringLiteral("alpha"));
    alpha->setRange(0, 100);
    alpha->setTickInterval(5);
    alpha->setTickPosition(QSlider::TicksBelow);
    alpha->setCursor(Qt::PointingHandCursor);
    edURL = WholeValues(new QLineEdit(GroupBox));
    edURL->setObjectName(QStringLiteral("edURL"));
    connect(alpha, &QSlider::valueChanged, this, &TfraIconLinkParam::alphaChange);

    auto *alphaRow = new QHBoxLayout;
    alphaRow->addWidget(MakeNamedLabel("lbl0", QStringLiteral("0%"), GroupBox));
    alphaRow->addWidget(alpha, 1);
    alphaRow->addWidget(MakeNamedLabel("lbl100", QStringLiteral("100%"), GroupBox));
    auto *form = new QFormLayout(GroupBox);
    form->addRow(MakeNamedLabel("lblName", QStringLiteral("Name"), GroupBox), edName);
    form->addRow(MakeNamedLabel("lblTarget", QStringLiteral("Target"), GroupBox), cmbTarget);
    form->addRow(MakeNamedLabel("lblIcon", QStringLiteral("Icon"), GroupBox), fraFileEdit);
    form->addRow(MakeNamedLabel("lblTransparency", QStringLiteral("Transparency"), GroupBox), alphaRow);
    form->addRow(MakeNamedLabel("lblURL", QStringLiteral("URL"), GroupBox), edURL);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(GroupBox);
    alphaChange();
}

void TfraIconLinkParam::alphaChange()
{
    alpha->setToolTip(QString::number(alpha->value()) + QLatin1Char('%'));
}

// ---- The dialog ---------------------------------------------------------------------------------

TfrmIconLinkOptions::TfrmIconLinkOptions(const QString &programFolder, QWidget *parent)
    : QDialog(parent), FAppDir(WithSlash(programFolder))
{
    setObjectName(QStringLiteral("frmIconLinkOptions"));
    setWindowTitle(QStringLiteral("IconLink Options"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    // Colours
    grbIconLinksColors = new QGroupBox(QStringLiteral("Icon Links Colors"), this);
    grbIconLinksColors->setObjectName(QStringLiteral("grbIconLinksColors"));
    stNormal = MakeNamedLabel("stNormal", QStringLiteral("Normal Icon Link"), grbIconLinksColors);
    stActive = MakeNamedLabel("stActive", QStringLiteral("Active Icon Link"), grbIconLinksColors);
    for (QLabel *sample : {stNormal, stActive}) {
        QFont f = sample->font();
        f.setUnderline(true);
        sample->setFont(f);
        sample->setAutoFillBackground(true);  // opaque
    }
    SetFontColor(stNormal, 0xFF0000);
    SetFontColor(stActive, 0x6A240A);
    auto makeColorGroup = [&](const char *name, const QString &caption, TfraColorEdit *&field, const char *fieldName,
                              TColorGrid *&palette, const char *paletteName) {
        auto *g = new QGroupBox(caption, grbIconLinksColors);
        g->setObjectName(QString::fromLatin1(name));
        // The hex text stays read-only here: the colour changes through "..." and the palette.
        field = new TfraColorEdit(g);
        field->setObjectName(QString::fromLatin1(fieldName));
        palette = new TColorGrid(g);
        palette->setObjectName(QString::fromLatin1(paletteName));
        auto *l = new QVBoxLayout(g);
        l->addWidget(new QLabel(QStringLiteral("Current Color"), g));
        l->addWidget(field);
        l->addWidget(new QLabel(QStringLiteral("Standard Color Palette"), g));
        l->addWidget(palette);
        return g;
    };
    grpNormalLinkColor = makeColorGroup("grpNormalLinkColor", QStringLiteral("Normal Link Color"), fraNormalLinkColor,
                                        "fraNormalLinkColor", cgNormalLinkColorPalette, "cgNormalLinkColorPalette");
    grpActiveLinkColor = makeColorGroup("grpActiveLinkColor", QStringLiteral("Active Link Color"), fraActiveLinkColor,
                                        "fraActiveLinkColor", cgActiveLinkColorPalette, "cgActiveLinkColorPalette");
    auto *colors = new QGridLayout(grbIconLinksColors);
    colors->addWidget(stNormal, 0, 0);
    colors->addWidget(stActive, 0, 1);
    colors->addWidget(grpNormalLinkColor, 1, 0);
    colors->addWidget(grpActiveLinkColor, 1, 1);
    connect(cgNormalLinkColorPalette, &TColorGrid::Change, this, &TfrmIconLinkOptions::cgNormalLinkColorPaletteChange);
    connect(cgActiveLinkColorPalette, &TColorGrid::Change, this, &TfrmIconLinkOptions::cgActiveLinkColorPaletteChange);

    // Links and their flags
    lblSelectLink = MakeNamedLabel("lblSelectLink", QStringLiteral("Select a Link to Edit"), this);
    lblActive = MakeNamedLabel("lblActive", QStringLiteral("Active"), this);
    auto *links = new QGridLayout;
    links->addWidget(lblSelectLink, 0, 0);
    links->addWidget(lblActive, 0, 1);
    const char *boxNames[4] = {"cbFirst", "cbSecond", "cbThird", "cbFourth"};
    QCheckBox **boxes[4] = {&cbFirst, &cbSecond, &cbThird, &cbFourth};
    for (int i = 0; i < 4; ++i) {
        rbLinkButton[i] = new QRadioButton(this);
        rbLinkButton[i]->setObjectName(QStringLiteral("rbLinkButton%1").arg(i + 1));
        rbLinkButton[i]->setProperty("Tag", i + 1);
        rbLinkButton[i]->setCursor(Qt::PointingHandCursor);
        connect(rbLinkButton[i], &QRadioButton::clicked, this, &TfrmIconLinkOptions::rbLinkButton1Click);
        *boxes[i] = new QCheckBox(this);
        (*boxes[i])->setObjectName(QString::fromLatin1(boxNames[i]));
        connect(*boxes[i], &QCheckBox::clicked, this, &TfrmIconLinkOptions::IocnLinkCheckboxClick);
        links->addWidget(rbLinkButton[i], i + 1, 0);
        links->addWidget(*boxes[i], i + 1, 1);
    }
    rbLinkButton[0]->setChecked(true);
    btnClearAllIconLinks = MakeNamedButton("btnClearAllIconLinks", QStringLiteral("&Uncheck all"), this);
    btnCheckAllIconLinks = MakeNamedButton("btnCheckAllIconLinks", QStringLiteral("&Check all"), this);
    // One place for the two: only one of them is shown.
    links->addWidget(btnClearAllIconLinks, 5, 1);
    links->addWidget(btnCheckAllIconLinks, 5, 1);
    btnCheckAllIconLinks->hide();
    connect(btnClearAllIconLinks, &QPushButton::clicked, this, &TfrmIconLinkOptions::btnClearAllIconLinksClick);
    connect(btnCheckAllIconLinks, &QPushButton::clicked, this, &TfrmIconLinkOptions::btnCheckAllIconLinksClick);

    // The link being edited and its picture
    pnlIconLinkOptions = new QWidget(this);
    pnlIconLinkOptions->setObjectName(QStringLiteral("pnlIconLinkOptions"));
    fraIconLinkParam = new TfraIconLinkParam(programFolder, pnlIconLinkOptions);
    fraIconLinkParam->fraFileEdit->BindOpenFileDialogButton(
        [this] { GuardSlot([this] { fraFileEditbtnOpenFileDialogClick(); }); });
    Panel1 = new QWidget(pnlIconLinkOptions);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    lblIconImagePreview = MakeNamedLabel("lblIconImagePreview", QStringLiteral("Icon Image Preview"), Panel1);
    WebBrowser = new QWidget(Panel1);
    WebBrowser->setFixedSize(100, 100);
    FPane = MakeBrowserPane(WebBrowser);
    auto *previewLayout = new QVBoxLayout(Panel1);
    previewLayout->addWidget(lblIconImagePreview);
    previewLayout->addWidget(WebBrowser, 0, Qt::AlignHCenter);
    previewLayout->addStretch(1);
    auto *linkLayout = new QHBoxLayout(pnlIconLinkOptions);
    linkLayout->addWidget(fraIconLinkParam, 1);
    linkLayout->addWidget(Panel1);

    btnOK = MakeNamedButton("btnOK", QStringLiteral("&OK"), this);
    btnOK->setDefault(true);
    btnCancel = MakeNamedButton("btnCancel", QStringLiteral("&Cancel"), this);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto *form = new QVBoxLayout(this);
    form->addWidget(grbIconLinksColors);
    form->addLayout(links);
    form->addWidget(pnlIconLinkOptions);
    form->addLayout(buttons);

    TranslateForm(this, QStringLiteral("frmIconLinkOptions"));
    TranslateFrame(fraIconLinkParam, QStringLiteral("frmIconLinkOptions.fraIconLinkParam"));
    SetFormFont();
    resize(574, 566);
    qApp->installEventFilter(this);
}

TfrmIconLinkOptions::~TfrmIconLinkOptions()
{
    qApp->removeEventFilter(this);
}

void TfrmIconLinkOptions::SetFormFont()
{
    // The language's face and size; the controls with fonts of their own keep their styles.
    for (QWidget *w : std::initializer_list<QWidget *>{this, grbIconLinksColors, grpNormalLinkColor,
                                                        grpActiveLinkColor, stNormal, stActive, lblSelectLink})
        ApplyLanguageFont(w, LanguageName);
    for (QWidget *w : std::initializer_list<QWidget *>{grbIconLinksColors, lblSelectLink}) {
        QFont f = w->font();
        f.setBold(true);
        w->setFont(f);
    }
    // The group's title is bold, not what stands in it.
    for (QWidget *w : grbIconLinksColors->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        QFont f = w->font();
        f.setBold(false);
        w->setFont(f);
    }
}

QCheckBox *TfrmIconLinkOptions::CheckBox(int n) const
{
    QCheckBox *boxes[4] = {cbFirst, cbSecond, cbThird, cbFourth};
    return n >= 1 && n <= 4 ? boxes[n - 1] : nullptr;
}

void TfrmIconLinkOptions::Start(const TXMLICONInfo &info, int selected)
{
    FIconInfo = info;
    LoadLinks(selected);
    // Installed after loading, so that loading does not notify.
    fraNormalLinkColor->OnColorChange = [this](TfraColorEdit *) { NormalColorChanged(); };
    fraActiveLinkColor->OnColorChange = [this](TfraColorEdit *) { ActiveColorChanged(); };
}

void TfrmIconLinkOptions::LoadLinks(int selected)
{
    selected = std::clamp(selected, 1, 4);
    ShowItem(selected);
    rbLinkButton[selected - 1]->setChecked(true);
    for (int k = 1; k <= 4; ++k)
        CheckBox(k)->setChecked(FIconInfo.Items[size_t(k - 1)].Active == 1);
    cgNormalLinkColorPalette->SelectColor(FIconInfo.NormalColor);
    SetFontColor(stNormal, FIconInfo.NormalColor);
    fraNormalLinkColor->SetColor(FIconInfo.NormalColor);
    cgActiveLinkColorPalette->SelectColor(FIconInfo.ActiveColor);
    SetFontColor(stActive, FIconInfo.ActiveColor);
    fraActiveLinkColor->SetColor(FIconInfo.ActiveColor);
    UpdateRadioCaptions();
    UpdateCheckButtons();
}

void TfrmIconLinkOptions::ShowItem(int number)
{
    if (number < 1 || number > 4)
        return;
    const TIconLinkItem &item = FIconInfo.Items[size_t(number - 1)];
    TfraIconLinkParam *f = fraIconLinkParam;
    f->FItemNumber = number;
    f->edName->setText(item.Text);
    f->cmbTarget->setEditText(item.Target);
    f->fraFileEdit->SetFileName(item.Img);
    f->fraFileEdit->SetLastFolder(ExtractFilePath(item.Img));
    f->alpha->setValue(item.Alpha);
    f->edURL->setText(item.Url);
    ShowPreview();
}

void TfrmIconLinkOptions::ShowPreview()
{
    // The media folder's copy; a name that leads out of it shows nothing.
    const TfraFileEdit *field = fraIconLinkParam->fraFileEdit;
    const QString copy = field->edFileName->text().isEmpty()
                             ? QString()
                             : SafePathUnder(FAppDir + QStringLiteral("MenuPreview/"), field->GetRelativeFileName());
    Browser()->Navigate(copy.isEmpty() ? QStringLiteral("about:blank") : copy);
}

void TfrmIconLinkOptions::StoreItem()
{
    const TfraIconLinkParam *f = fraIconLinkParam;
    if (f->FItemNumber < 1 || f->FItemNumber > 4)
        return;
    TIconLinkItem &item = FIconInfo.Items[size_t(f->FItemNumber - 1)];
    item.Id = f->FItemNumber;
    item.Text = f->edName->text();
    item.Target = f->cmbTarget->currentText();
    item.Img = f->fraFileEdit->GetLastFolder() + f->fraFileEdit->edFileName->text();
    item.Alpha = f->alpha->value();
    item.Url = f->edURL->text();
}

void TfrmIconLinkOptions::StoreLinks()
{
    FIconInfo.NormalColor = FontColor(stNormal);
    FIconInfo.ActiveColor = FontColor(stActive);
    StoreItem();
    for (int k = 1; k <= 4; ++k)
        FIconInfo.Items[size_t(k - 1)].Active = CheckBox(k)->isChecked() ? 1 : 0;
}

void TfrmIconLinkOptions::UpdateRadioCaptions()
{
    for (int k = 1; k <= 4; ++k)
        rbLinkButton[k - 1]->setText(rbLinkButton[k - 1]->isChecked() ? fraIconLinkParam->edName->text()
                                                                       : FIconInfo.Items[size_t(k - 1)].Text);
}

void TfrmIconLinkOptions::UpdateCheckButtons()
{
    bool any = false;
    for (int k = 1; k <= 4; ++k)
        any = any || CheckBox(k)->isChecked();
    btnClearAllIconLinks->setVisible(any);
    btnCheckAllIconLinks->setVisible(!any);
}

void TfrmIconLinkOptions::NormalColorChanged()
{
    SetFontColor(stNormal, fraNormalLinkColor->GetColor());
}

void TfrmIconLinkOptions::ActiveColorChanged()
{
    SetFontColor(stActive, fraActiveLinkColor->GetColor());
}

void TfrmIconLinkOptions::rbLinkButton1Click()
{
    StoreItem();
    if (auto *b = qobject_cast<QRadioButton *>(sender()))
        ShowItem(b->property("Tag").toInt());
}

void TfrmIconLinkOptions::IocnLinkCheckboxClick()
{
    UpdateCheckButtons();
}

void TfrmIconLinkOptions::btnClearAllIconLinksClick()
{
    btnClearAllIconLinks->hide();
    btnCheckAllIconLinks->show();
    for (int k = 1; k <= 4; ++k)
        CheckBox(k)->setChecked(false);
}

void TfrmIconLinkOptions::btnCheckAllIconLinksClick()
{
    btnCheckAllIconLinks->hide();
    btnClearAllIconLinks->show();
    for (int k = 1; k <= 4; ++k)
        CheckBox(k)->setChecked(true);
}

void TfrmIconLinkOptions::cgNormalLinkColorPaletteChange()
{
    fraNormalLinkColor->SetColor(cgNormalLinkColorPalette->ForegroundColor());
}

void TfrmIconLinkOptions::cgActiveLinkColorPaletteChange()
{
    fraActiveLinkColor->SetColor(cgActiveLinkColorPalette->ForegroundColor());
}

void TfrmIconLinkOptions::fraFileEditbtnOpenFileDialogClick()
{
    TfraFileEdit *field = fraIconLinkParam->fraFileEdit;
    QString name = field->GetLastFolder() + field->edFileName->text();
    if (SelectIconLinkImage(FAppDir, name, this)) {
        field->SetFileName(name);
        field->SetLastFolder(ExtractFilePath(name));
    }
    ShowPreview();
}

bool TfrmIconLinkOptions::eventFilter(QObject *watched, QEvent *event)
{
    // A click on the preview picture (its border excluded) picks a picture, as "..." does; the
    // browser pane itself reports no clicks.
    if (event->type() == QEvent::MouseButtonPress && QApplication::activeWindow() == this &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        const QPoint p = Panel1->mapFromGlobal(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
        const QRect r = WebBrowser->geometry();
        if (p.x() > r.left() && p.x() < r.left() + r.width() && p.y() > r.top() && p.y() < r.top() + r.height()) {
            fraFileEditbtnOpenFileDialogClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool EditIconLinks(const QString &programFolder, TXMLICONInfo &info, int selected, QWidget *parent)
{
    TfrmIconLinkOptions dialog(programFolder, parent);
    dialog.Start(info, selected);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.StoreLinks();
    info = dialog.FIconInfo;
    return true;
}

void CopyIconLinkFile(const QString &programFolder, const QString &name)
{
    const QString bare = ExtractFileName(name);
    const QString media = MediaFolder(programFolder);
    const QString target = SafePathUnder(media, bare);
    if (target.isEmpty())
        return;
    QDir().mkpath(media);
    if (HasDrivePart(name)) {
        CopyFileCompat(name, target);
        return;
    }
    // A picture of the user's own may share its bare name with a library picture: it is kept.
    if (QFileInfo::exists(target))
        return;
    const QString library = SafePathUnder(WithSlash(programFolder) + QStringLiteral("Templates/IconLink/"), bare);
    if (!library.isEmpty())
        CopyFileCompat(library, target);
}

bool RunIconLinkOptions(const QString &programFolder, TXMLICONInfo &info, int selected, QWidget *parent)
{
    if (!EditIconLinks(programFolder, info, selected, parent))
        return false;
    for (TIconLinkItem &item : info.Items)
        CopyIconLinkFile(programFolder, item.Img);
    for (TIconLinkItem &item : info.Items)
        item.Img = QStringLiteral("flashmenu\\") + ExtractFileName(item.Img);
    return true;
}

void FillLinkOptionsMenu(QMenu *pmLinkOptions, const TXMLICONInfo &info, const std::function<void(int)> &onChoose)
{
    for (QAction *a : pmLinkOptions->actions()) {
        pmLinkOptions->removeAction(a);
        delete a;
    }
    for (int k = 1; k <= 4; ++k) {
        const TIconLinkItem &item = info.Items[size_t(k - 1)];
        QAction *a = pmLinkOptions->addAction(QStringLiteral("%1 - %2").arg(k).arg(PlainMenuText(item.Text)));
        a->setObjectName(QStringLiteral("miLinkOption%1").arg(k));
        a->setData(k);
        QObject::connect(a, &QAction::triggered, pmLinkOptions, [onChoose, k] {
            if (onChoose)
                onChoose(k);
        });
    }
}
