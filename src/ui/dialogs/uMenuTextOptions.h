#pragma once
// "Menu Button Options": the caption font and colour of one button state, the button colour and
// its transparency.
#include "FontOptionsDialog.h"

class QSlider;

class TfrmMenuTextOptions : public TFontOptionsDialog {
    Q_OBJECT
public:
    TfrmMenuTextOptions();

    void LoadOptions(const TButtonOptions &options);
    void StoreOptions(TButtonOptions &options) const;
    // The button colour as the preview shows it (platform order).
    int32_t PreviewColor() const { return FPreviewColor; }

    QGroupBox *grbButtonTextStyle = nullptr;
    TColorGrid *cgFlashColorPaletteTxt = nullptr;
    QGroupBox *grbColorSelection = nullptr;
    TfraColorEdit *fraFlashBackgroundColor = nullptr;
    TColorGrid *cgFlashColorPaletteBtn = nullptr;
    QLabel *lblTransparency = nullptr;
    QSlider *alpha = nullptr;

public slots:
    void cgFlashColorPaletteTxtChange();
    void fraFlashForegroundColorbtnColorDialogClick();
    void cgFlashColorPaletteBtnChange();
    void fraFlashBackgroundColorbtnColorDialogClick();
    void alphaChange();

private:
    void SetPreviewColor(int32_t color);
    int32_t FPreviewColor = 0;
};

// Shows the dialog on the options with the caption in the preview; on OK the options take the
// dialog's values and true comes back.
bool EditButtonOptions(const QString &caption, TButtonOptions &options);
