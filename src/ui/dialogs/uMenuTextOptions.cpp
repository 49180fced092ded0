#include "uMenuTextOptions.h"

#include "ColorGrid.h"
#include "FormLanguage.h"
#include "fra_ColorEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

TfrmMenuTextOptions::TfrmMenuTextOptions()
    : TFontOptionsDialog(QStringLiteral("frmMenuTextOptions"), QStringLiteral("Menu Button Options"),
                         QStringLiteral("cgFlashColorPaletteTxt"))
{
    cgFlashColorPaletteTxt = FTextPalette;

    auto *textColors = new QVBoxLayout(grbFontColorSelection);
    textColors->addWidget(fraFlashForegroundColor);
    textColors->addWidget(cgFlashColorPaletteTxt);

    grbButtonTextStyle = new QGroupBox(QStringLiteral("Menu Button Style"), this);
    grbButtonTextStyle->setObjectName(QStringLiteral("grbButtonTextStyle"));

    grbColorSelection = new QGroupBox(QStringLiteral("Button Color"), grbButtonTextStyle);
    grbColorSelection->setObjectName(QStringLiteral("grbColorSelection"));
    fraFlashBackgroundColor = new TfraColorEdit(grbColorSelection);
    fraFlashBackgroundColor->setObjectName(QStringLiteral("fraFlashBackgroundColor"));
    fraFlashBackgroundColor->BindColorDialogButton([this] { fraFlashBackgroundColorbtnColorDialogClick(); });
    cgFlashColorPaletteBtn = new TColorGrid(grbColorSelection);
    cgFlashColorPaletteBtn->setObjectName(QStringLiteral("cgFlashColorPaletteBtn"));
    connect(cgFlashColorPaletteBtn, &TColorGrid::Change, this, &TfrmMenuTextOptions::cgFlashColorPaletteBtnChange);
    lblTransparency = new QLabel(QStringLiteral("Transparency"), grbColorSelection);
    lblTransparency->setObjectName(QStringLiteral("lblTransparency"));
    alpha = new QSlider(Qt::Horizontal, grbColorSelection);
    alpha->setObjectName(QStringLiteral("alpha"));
    alpha->setRange(0, 100);
    alpha->setTickInterval(5);
    alpha->setTickPosition(QSlider::TicksBelow);
    alpha->setCursor(Qt::PointingHandCursor);
    connect(alpha, &QSlider::valueChanged, this, &TfrmMenuTextOptions::alphaChange);
    auto *track = new QHBoxLayout;
    track->addWidget(new QLabel(QStringLiteral("0%"), grbColorSelection));
    track->addWidget(alpha, 1);
    track->addWidget(new QLabel(QStringLiteral("100%"), grbColorSelection));
    auto *buttonColors = new QVBoxLayout(grbColorSelection);
    buttonColors->addWidget(fraFlashBackgroundColor);
    buttonColors->addWidget(cgFlashColorPaletteBtn);
    buttonColors->addWidget(lblTransparency);
    buttonColors->addLayout(track);

    for (QWidget *w : {static_cast<QWidget *>(lblPreview), static_cast<QWidget *>(pnlTextPreview),
                       static_cast<QWidget *>(grbFontOptions), static_cast<QWidget *>(grbFontColorSelection)})
        w->setParent(grbButtonTextStyle);
    auto *style = new QGridLayout(grbButtonTextStyle);
    style->addWidget(lblPreview, 0, 0, 1, 2);
    style->addWidget(pnlTextPreview, 1, 0, 1, 2);
    style->addWidget(grbFontOptions, 2, 0, 1, 2);
    style->addWidget(grbFontColorSelection, 3, 0);
    style->addWidget(grbColorSelection, 3, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(grbButtonTextStyle);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    TranslateOnCreate(this, objectName());
    ApplyLanguageFont(FormLanguage());
    SetStyleCaptionsFromMessages();
    alphaChange();
}

void TfrmMenuTextOptions::SetPreviewColor(int32_t color)
{
    FPreviewColor = color;
    SetPanelColor(pnlTextPreview, color);
}

void TfrmMenuTextOptions::LoadOptions(const TButtonOptions &options)
{
    cgFlashColorPaletteBtn->SelectColor(options.BackColor);
    fraFlashBackgroundColor->SetColor(options.BackColor);
    SetPreviewColor(options.BackColor);
    ShowFont(options.Font);
}

void TfrmMenuTextOptions::StoreOptions(TButtonOptions &options) const
{
    options.Font = TextFont();
    options.Font.Color = fraFlashForegroundColor->GetColor();
    options.BackColor = fraFlashBackgroundColor->GetColor();
    options.Alpha = alpha->value();
}

void TfrmMenuTextOptions::cgFlashColorPaletteTxtChange() { TextPaletteChange(); }
void TfrmMenuTextOptions::fraFlashForegroundColorbtnColorDialogClick() { TextColorDialogClick(); }

void TfrmMenuTextOptions::cgFlashColorPaletteBtnChange()
{
    const int32_t color = cgFlashColorPaletteBtn->ForegroundColor();
    SetPreviewColor(color);
    fraFlashBackgroundColor->SetColor(color);
}

void TfrmMenuTextOptions::fraFlashBackgroundColorbtnColorDialogClick()
{
    fraFlashBackgroundColor->btnColorDialogClick();
    SetPreviewColor(fraFlashBackgroundColor->GetColor());
    cgFlashColorPaletteBtn->SelectColor(fraFlashBackgroundColor->GetColor());
}

void TfrmMenuTextOptions::alphaChange() { alpha->setToolTip(QString::number(alpha->value()) + QLatin1Char('%')); }

bool EditButtonOptions(const QString &caption, TButtonOptions &options)
{
    TfrmMenuTextOptions dialog;
    dialog.lblText->setText(caption);
    dialog.alpha->setValue(options.Alpha);
    dialog.LoadOptions(options);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.StoreOptions(options);
    return true;
}
