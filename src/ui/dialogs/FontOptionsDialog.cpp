#include "FontOptionsDialog.h"

#include "ColorGrid.h"
#include "Dialogs.h"
#include "FormLanguage.h"
#include "Messages.h"
#include "fra_ColorEdit.h"
#include "uGlobal.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFontOptionsDialog::TFontOptionsDialog(const QString &formName, const QString &caption,
                                       const QString &textPaletteName)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(formName);
    setWindowTitle(caption);

    lblPreview = new QLabel(QStringLiteral("Preview"), this);
    lblPreview->setObjectName(QStringLiteral("lblPreview"));
    pnlTextPreview = new QFrame(this);
    pnlTextPreview->setObjectName(QStringLiteral("pnlTextPreview"));
    pnlTextPreview->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlTextPreview->setMinimumSize(260, 60);
    lblText = new QLabel(pnlTextPreview);
    lblText->setObjectName(QStringLiteral("lblText"));
    lblText->setAlignment(Qt::AlignCenter);
    auto *preview = new QVBoxLayout(pnlTextPreview);
    preview->addWidget(lblText);

    grbFontOptions = new QGroupBox(QStringLiteral("Font Options"), this);
    grbFontOptions->setObjectName(QStringLiteral("grbFontOptions"));
    lblFontOptions = new QLabel(grbFontOptions);
    lblFontOptions->setObjectName(QStringLiteral("lblFontOptions"));
    btnChangeFont = new QPushButton(QStringLiteral("Font..."), grbFontOptions);
    btnChangeFont->setObjectName(QStringLiteral("btnChangeFont"));
    btnChangeFont->setAutoDefault(false);
    connect(btnChangeFont, &QPushButton::clicked, this, &TFontOptionsDialog::BitBtn5Click);
    // The three boxes stand at fixed places that depend on the language (ApplyLanguageFont).
    FStyleBoxes = new QWidget(grbFontOptions);
    FStyleBoxes->setFixedSize(184, 20);
    auto box = [this](const char *name, const char *text) {
        auto *b = new QCheckBox(QString::fromLatin1(text), FStyleBoxes);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    chbIsUnderlined = box("chbIsUnderlined", "Underline");
    chbIsBolded = box("chbIsBolded", "Bold");
    chbIsItalic = box("chbIsItalic", "Italic");
    connect(chbIsUnderlined, &QCheckBox::clicked, this, &TFontOptionsDialog::chbIsUnderlinedClick);
    connect(chbIsBolded, &QCheckBox::clicked, this, &TFontOptionsDialog::chbIsBoldedClick);
    connect(chbIsItalic, &QCheckBox::clicked, this, &TFontOptionsDialog::chbIsItalicClick);
    auto *fontOptions = new QVBoxLayout(grbFontOptions);
    auto *summary = new QHBoxLayout;
    summary->addWidget(lblFontOptions, 1);
    summary->addWidget(btnChangeFont, 0, Qt::AlignTop);
    fontOptions->addLayout(summary);
    fontOptions->addWidget(FStyleBoxes);

    grbFontColorSelection = new QGroupBox(QStringLiteral("Font Color"), this);
    grbFontColorSelection->setObjectName(QStringLiteral("grbFontColorSelection"));
    fraFlashForegroundColor = new TfraColorEdit(grbFontColorSelection);
    fraFlashForegroundColor->setObjectName(QStringLiteral("fraFlashForegroundColor"));
    fraFlashForegroundColor->BindColorDialogButton([this] { TextColorDialogClick(); });
    FTextPalette = new TColorGrid(grbFontColorSelection);
    FTextPalette->setObjectName(textPaletteName);
    connect(FTextPalette, &TColorGrid::Change, this, &TFontOptionsDialog::TextPaletteChange);

    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFontOptionsDialog::SetStyleCaptionsFromMessages()
{
    chbIsBolded->setText(LangMsg(52));
    chbIsItalic->setText(LangMsg(53));
}

void TFontOptionsDialog::ApplyLanguageFont(const QString &language)
{
    setFont(LanguageFormFont(language));
    const bool japanese = IsJapaneseLanguage(language);
    // The designed places, moved on where a caption needs more room than they give.
    const int lefts[3] = {8, japanese ? 64 : 80, japanese ? 120 : 128};
    const int widths[3] = {japanese ? 48 : 72, 48, 48};
    int right = 0;
    int i = 0;
    for (QCheckBox *b : {chbIsUnderlined, chbIsBolded, chbIsItalic}) {
        const int left = std::max(lefts[i], right);
        b->setGeometry(left, 0, std::max(widths[i], b->sizeHint().width()), 20);
        right = b->x() + b->width() + 4;
        ++i;
    }
    FStyleBoxes->setFixedSize(std::max(184, right), 20);
}

void TFontOptionsDialog::ShowFont(const TFontValue &font)
{
    FTextPalette->SelectColor(font.Color);
    fraFlashForegroundColor->SetColor(font.Color);
    FontDialog1 = font;
    FTextFont = font;
    lblText->setFont(FontValueToQFont(font));
    QPalette p = lblText->palette();
    p.setColor(QPalette::WindowText, PlatformColorToQColor(font.Color));
    lblText->setPalette(p);
    chbIsUnderlined->setChecked(font.Underline);
    chbIsBolded->setChecked(font.Bold);
    chbIsItalic->setChecked(font.Italic);
    lblFontOptions->setText(FontToHintText(font.Name, font.Size, font.Color));
}

void TFontOptionsDialog::chbIsBoldedClick()
{
    TFontValue font = FTextFont;
    font.Bold = chbIsBolded->isChecked();
    ShowFont(font);
}

void TFontOptionsDialog::chbIsItalicClick()
{
    TFontValue font = FTextFont;
    font.Italic = chbIsItalic->isChecked();
    ShowFont(font);
}

void TFontOptionsDialog::chbIsUnderlinedClick()
{
    TFontValue font = FTextFont;
    font.Underline = chbIsUnderlined->isChecked();
    ShowFont(font);
}

void TFontOptionsDialog::BitBtn5Click()
{
    std::optional<TFontValue> chosen = ChooseFont(FTextFont, this);
    if (!chosen)
        return;
    chosen->Underline = chbIsUnderlined->isChecked();
    ShowFont(*chosen);
}

void TFontOptionsDialog::TextPaletteChange()
{
    TFontValue font = FTextFont;
    font.Color = FTextPalette->ForegroundColor();
    ShowFont(font);
}

void TFontOptionsDialog::TextColorDialogClick()
{
    fraFlashForegroundColor->btnColorDialogClick();
    TFontValue font = FTextFont;
    font.Color = fraFlashForegroundColor->GetColor();
    ShowFont(font);
}

void TFontOptionsDialog::SetPanelColor(QWidget *panel, int32_t color)
{
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, PlatformColorToQColor(color));
    panel->setPalette(p);
}
