#include "uTextOptions.h"

#include "ColorGrid.h"
#include "FormControls.h"
#include "FormLanguage.h"
#include "Messages.h"
#include "fra_ColorEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmTextOptions::TfrmTextOptions()
    : TFontOptionsDialog(QStringLiteral("frmTextOptions"), QStringLiteral("Text Options"),
                         QStringLiteral("cgFlashColorPalette"))
{
    cgFlashColorPalette = FTextPalette;

    grbText = new QGroupBox(QStringLiteral("Text"), this);
    grbText->setObjectName(QStringLiteral("grbText"));
    txtSelectionText = WholeValues(new QLineEdit(grbText));
    txtSelectionText->setObjectName(QStringLiteral("txtSelectionText"));
    connect(txtSelectionText, &QLineEdit::textChanged, this, &TfrmTextOptions::txtSelectionTextChange);
    (new QVBoxLayout(grbText))->addWidget(txtSelectionText);

    lblFontColor = new QLabel(QStringLiteral("Current Color"), grbFontColorSelection);
    lblFontColor->setObjectName(QStringLiteral("lblFontColor"));
    lblPalette = new QLabel(QStringLiteral("Standard Color Palette"), grbFontColorSelection);
    lblPalette->setObjectName(QStringLiteral("lblPalette"));
    auto *colors = new QGridLayout(grbFontColorSelection);
    colors->addWidget(lblFontColor, 0, 0);
    colors->addWidget(fraFlashForegroundColor, 1, 0);
    colors->addWidget(lblPalette, 0, 1);
    colors->addWidget(cgFlashColorPalette, 1, 1);

    grpStyle = new QGroupBox(QStringLiteral("Style"), this);
    grpStyle->setObjectName(QStringLiteral("grpStyle"));
    lblPreview->setParent(grpStyle);
    pnlTextPreview->setParent(grpStyle);
    grbFontOptions->setParent(grpStyle);
    grbFontColorSelection->setParent(grpStyle);
    auto *style = new QVBoxLayout(grpStyle);
    style->addWidget(lblPreview);
    style->addWidget(pnlTextPreview);
    style->addWidget(grbFontOptions);
    style->addWidget(grbFontColorSelection);

    rgrTextEffect = new QGroupBox(QStringLiteral("Effect"), this);
    rgrTextEffect->setObjectName(QStringLiteral("rgrTextEffect"));
    auto *effects = new QVBoxLayout(rgrTextEffect);
    for (const char *text : {"Left to Right", "Right to Left", "Top to Bottom", "Bottom to Top", "Big to Small"}) {
        FEffects << new QRadioButton(QString::fromLatin1(text), rgrTextEffect);
        effects->addWidget(FEffects.last());
    }
    rgrTextEffect->hide();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(grbText);
    layout->addWidget(grpStyle);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Translation first: the two message captions replace whatever the section gives those boxes.
    TranslateOnCreate(this, objectName());
    SetStyleCaptionsFromMessages();
    ApplyLanguageFont(FormLanguage());
}

void TfrmTextOptions::LoadOptions(const TTextOptions &options)
{
    txtSelectionText->setText(options.Text);
    FEffect = options.Effect;
    for (qsizetype i = 0; i < FEffects.size(); ++i)
        FEffects[i]->setChecked(i == FEffect);
    ShowFont(options.Font);
}

void TfrmTextOptions::StoreOptions(TTextOptions &options) const
{
    options.Text = txtSelectionText->text();
    options.Effect = FEffect;
    options.Font = TextFont();
    options.Font.Color = fraFlashForegroundColor->GetColor();
}

void TfrmTextOptions::txtSelectionTextChange() { lblText->setText(txtSelectionText->text()); }
void TfrmTextOptions::cgFlashColorPaletteChange() { TextPaletteChange(); }
void TfrmTextOptions::fraFlashBackgroundColorbtnColorDialogClick() { TextColorDialogClick(); }

bool EditTextOptions(TTextOptions &options, const QString &caption)
{
    TfrmTextOptions dialog;
    dialog.setWindowTitle(LangMsg(60));
    if (!caption.isEmpty()) {
        dialog.setWindowTitle(caption + QLatin1Char(' ') + LangMsg(60));
        dialog.grbText->setTitle(caption);
    } else {
        dialog.grbText->setTitle(LangMsg(61));
    }
    dialog.LoadOptions(options);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.StoreOptions(options);
    return true;
}
