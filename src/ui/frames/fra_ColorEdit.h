#pragma once
// A colour field: a swatch, the colour as six hex digits (RRGGBB) and a button for the colour dialog.
#include <QWidget>
#include <cstdint>
#include <functional>

class QFrame;
class QLineEdit;
class QToolButton;

class TfraColorEdit : public QWidget {
    Q_OBJECT
public:
    explicit TfraColorEdit(QWidget *parent = nullptr);

    // Platform order 0x00BBGGRR; white until a colour is set.
    int32_t GetColor() const { return FColor; }
    // Shows the colour and always notifies the owner, also when it is the colour shown already.
    void SetColor(int32_t color);
    QString GetColorHex() const;
    // A number in red-green-blue order (decimal, "$" or "0x" hex). Throws EConvertError.
    void SetColorFromRgbText(const QString &text);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);

    // Called with the frame after every SetColor; the owner installs it.
    std::function<void(TfraColorEdit *)> OnColorChange;

    // Replaces the "..." button's own handler by the owner's (which may call btnColorDialogClick).
    void BindColorDialogButton(std::function<void()> handler);

    QFrame *Panel7 = nullptr;
    QWidget *imgColor = nullptr;
    QLineEdit *edColor = nullptr;
    QToolButton *btnColorDialog = nullptr;

public slots:
    void btnColorDialogClick();
    void edColorChange();
    void edColorExit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int32_t FColor = 0xFFFFFF;
    bool FReadOnly = false;
    bool FSettingText = false;  // the edit's own change handler is off while SetColor writes the text
};
