#pragma once
// "User Settings": edits the user settings of Options (uSettings.h); the values go back only on OK.
#include "uSettings.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class TClickLabel;

class TfrmOptions : public QDialog {
    Q_OBJECT
public:
    // programFolder holds the default "Publish/" and "Projects/" folders; language picks the layout.
    TfrmOptions(const QString &programFolder, const QString &language, QWidget *parent = nullptr);

    // Loads the values; only the size group of the orientation is shown.
    void LoadOptions(const TOptions &options, bool isHorizontal);
    // Stores the values; the other orientation's size fields stay as they were.
    void StoreOptions(TOptions &options, bool isHorizontal) const;

    // The spin edit's number as typed: text that is not a number (an empty field) reads as 0, a
    // number out of range is brought within it.
    static int SpinEditValue(const QSpinBox *edit);

    QTabWidget *pcMain = nullptr;
    QWidget *tabGeneral = nullptr;
    QWidget *tabLocations = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

    QGroupBox *gbButtonList = nullptr;
    QCheckBox *chkButtonsOnTop_Recent = nullptr;
    QCheckBox *chkButtonsOnTop_Latest = nullptr;
    QGroupBox *gbFlashMenuSize = nullptr;
    QRadioButton *radFlashMenuSize[4] = {};
    QSpinBox *seFlashMenuSize4 = nullptr;
    TClickLabel *lblFlashMenuSize3 = nullptr;
    TClickLabel *lblFlashMenuSize4 = nullptr;
    TClickLabel *lblFlashMenuSize4Unit = nullptr;
    QGroupBox *gbFlashMenuSizeVert = nullptr;
    QRadioButton *radFlashMenuSizeVert[4] = {};
    QSpinBox *seFlashMenuSizeVert4 = nullptr;
    QGroupBox *gbBrowser = nullptr;
    QCheckBox *chkUseActiveContentJS = nullptr;

    QGroupBox *gbPublishPath = nullptr;
    QLineEdit *edPublishPath = nullptr;
    QToolButton *btnPublishPath = nullptr;
    QCheckBox *chkUseLastPublishPath = nullptr;
    QGroupBox *gbProjectPath = nullptr;
    QLineEdit *edProjectPath = nullptr;
    QToolButton *btnProjectPath = nullptr;
    QCheckBox *chkUseLastProjectPath = nullptr;

public slots:
    void btnPublishPathClick();
    void btnProjectPathClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Language file texts reach the form here (section "frmOptions").
    void Translate();
    void ApplyLanguageLayout(const QString &language);
    void BrowseInto(QLineEdit *edit, const QString &defaultFolder);

    QString FProgramFolder;
};

// Shows the dialog for the current orientation; on OK the values go into Options and the result is
// true. Any other close changes nothing.
bool ShowOptionsDialog(bool isHorizontal, const QString &programFolder, const QString &language,
                       QWidget *parent = nullptr);
