#pragma once
// What the text and button option dialogs share: the preview label whose font is the font being
// edited, the font summary, the style boxes, the font dialog, and the text colour field and palette.
#include "uDesignTypes.h"

#include <QDialog>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class TColorGrid;
class TfraColorEdit;

class TFontOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // The font being edited, with the colour it is drawn in (platform order).
    const TFontValue &TextFont() const { return FTextFont; }
    // The font the font dialog starts from next.
    const TFontValue &FontDialogFont() const { return FontDialog1; }

    // Puts the font on every control that shows it.
    void ShowFont(const TFontValue &font);
    // The form font and the places of the style boxes for the language.
    void ApplyLanguageFont(const QString &language);

    QFrame *pnlTextPreview = nullptr;
    QLabel *lblPreview = nullptr;
    QLabel *lblText = nullptr;
    QGroupBox *grbFontOptions = nullptr;
    QLabel *lblFontOptions = nullptr;
    QPushButton *btnChangeFont = nullptr;
    QCheckBox *chbIsUnderlined = nullptr;
    QCheckBox *chbIsBolded = nullptr;
    QCheckBox *chbIsItalic = nullptr;
    QGroupBox *grbFontColorSelection = nullptr;
    TfraColorEdit *fraFlashForegroundColor = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

public slots:
    void chbIsBoldedClick();
    void chbIsItalicClick();
    void chbIsUnderlinedClick();
    void BitBtn5Click();

protected:
    // textPaletteName: the control name of the text colour palette.
    TFontOptionsDialog(const QString &formName, const QString &caption, const QString &textPaletteName);
    // The bold and italic captions come from the message table, whatever the form section says.
    void SetStyleCaptionsFromMessages();
    // The text palette's change: the font takes the palette's colour.
    void TextPaletteChange();
    // The text colour field's "..." button: its colour dialog, then the font takes its colour.
    void TextColorDialogClick();
    void SetPanelColor(QWidget *panel, int32_t color);

    TColorGrid *FTextPalette = nullptr;
    QWidget *FStyleBoxes = nullptr;

private:
    TFontValue FTextFont;
    TFontValue FontDialog1;
};
