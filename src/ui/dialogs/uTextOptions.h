#pragma once
// "Text Options": the title or the description text of the design with its font and colour.
#include "FontOptionsDialog.h"

class QLineEdit;
class QRadioButton;

class TfrmTextOptions : public TFontOptionsDialog {
    Q_OBJECT
public:
    TfrmTextOptions();

    void LoadOptions(const TTextOptions &options);
    void StoreOptions(TTextOptions &options) const;

    QGroupBox *grbText = nullptr;
    QLineEdit *txtSelectionText = nullptr;
    QGroupBox *grpStyle = nullptr;
    QLabel *lblFontColor = nullptr;
    QLabel *lblPalette = nullptr;
    TColorGrid *cgFlashColorPalette = nullptr;
    QGroupBox *rgrTextEffect = nullptr;  // never shown; carries the effect through

public slots:
    void txtSelectionTextChange();
    void cgFlashColorPaletteChange();
    void fraFlashBackgroundColorbtnColorDialogClick();

private:
    QList<QRadioButton *> FEffects;
    int FEffect = 0;
};

// Shows the dialog on the options; on OK the options take the dialog's values and true comes
// back. A caption (the label of the text's field) names the dialog and the text group.
bool EditTextOptions(TTextOptions &options, const QString &caption);
