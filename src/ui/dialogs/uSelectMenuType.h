#pragma once
// The menu type choice of a new project (horizontal or vertical), chaining to the preset-design
// gallery.
#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

// What the dialog needs from the main window.
class IMenuTypeHost {
public:
    virtual ~IMenuTypeHost() = default;
    virtual bool IsHorizontal() const = 0;
    // Re-lays the window only when the orientation really changes.
    virtual void SetOrientation(bool horizontal) = 0;
    // The preset-design gallery: true when a design was chosen. back in: the gallery shows its Back
    // button; back out: Back was pressed.
    virtual bool RunPresetGallery(const QString &templatesDir, bool &back) = 0;
};

class TfrmSelectMenuType : public QDialog {
    Q_OBJECT
public:
    // The result of exec() when Back was pressed.
    static constexpr int BackResult = 4;

    TfrmSelectMenuType(IMenuTypeHost &host, const QString &templatesDir, bool back, QWidget *parent = nullptr);

    bool Horizontal() const { return FHorizontal; }
    void SetHorizontal(bool horizontal) { FHorizontal = horizontal; }

    QGroupBox *rgMenuType = nullptr;
    QRadioButton *rgMenuTypeItems[2] = {};
    QPushButton *btnBack = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;

public slots:
    void btnOkClick();
    void btnCancelClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Language file texts reach the form and rgMenuType's items here (section "frmSelectMenuType").
    void Translate();

    IMenuTypeHost &FHost;
    QString FTemplatesDir;
    bool FBack = false;
    bool FHorizontal = true;
};

// Runs the choice starting from the window's orientation; afterwards the window has the orientation
// confirmed by the last OK (or the one it started with). True when a design was chosen. back in:
// the dialog shows Back; back out: Back was pressed.
bool ShowSelectMenuType(IMenuTypeHost &host, const QString &templatesDir, bool &back, QWidget *parent = nullptr);
