#pragma once
// The start-up wizard: start a new menu, load a project (recent list or file dialog) or exit.
// It only reports the choice; the main window acts on it.
#include <QDialog>
#include <QStringList>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;
class TClickLabel;

enum TWizardResult { wrCancel = 0, wrLoad = 1, wrNew = 2, wrExit = 3 };

struct TWizardChoice {
    int Result = wrCancel;
    QString ProjectFile; // the project to open with wrLoad, else ""
};

class TfrmWizard : public QDialog {
    Q_OBJECT
public:
    // recentProjects: full paths, newest first. Creating the wizard runs the player check.
    TfrmWizard(const QString &programFolder, const QString &language, const QStringList &recentProjects,
               QWidget *parent = nullptr);

    int Result() const { return FResult; }
    const QString &ProjectFile() const { return FProjectFile; }

    // A screen smaller than 1024 x 768 gets the resolution advice.
    static bool ScreenTooSmall(const QSize &screen);

    QLabel *imgWizard = nullptr;
    QRadioButton *radNew = nullptr;
    TClickLabel *lblNew = nullptr;
    QRadioButton *radLoad = nullptr;
    TClickLabel *lblLoad = nullptr;
    QComboBox *cmbRecent = nullptr;
    QToolButton *sbtnOpen = nullptr;
    QPushButton *bbtnClose = nullptr;
    QPushButton *bbtnCancel = nullptr;
    QPushButton *bbtnNext = nullptr;

public slots:
    void radNewClick();
    void radLoadClick();
    void cmbRecentChange();
    void sbtnOpenClick();
    void bbtnNextClick();
    void bbtnCancelClick();
    void bbtnCloseClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Language file texts reach the form here (section "frmWizard").
    void Translate();
    void FormActivate();
    void UpdateNext();

    QString FProgramFolder;
    QStringList FRecent;
    int FResult = wrCancel;
    QString FProjectFile;
    bool FShown = false;
};

// Shows the wizard modally and returns what the user chose.
TWizardChoice ShowWizard(const QString &programFolder, const QString &language, const QStringList &recentProjects,
                         QWidget *parent = nullptr);

// Whether the menu movies can be played; replaceable so that tests decide. The shipped pages play
// them with their own script, so the program's probe always answers yes.
using FlashPlayerProbe = std::function<bool()>;
FlashPlayerProbe SetFlashPlayerProbe(FlashPlayerProbe probe);

// The page offered for installing a player.
QString FlashPlayerDownloadUrl();

// Unless "NotChkFlash" of the settings' "config" section is "1", asks the probe; without a player
// it offers the download (Yes opens the page) and stores the "do not show again" box as "1" or "".
void CheckFlashPlayer(const QString &programFolder, QWidget *parent = nullptr);
