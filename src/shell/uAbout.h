#pragma once
// "About Tolvanar": name and version, the home page link, the installed template packages with
// links to the template library.
#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;
class TClickLabel;

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    // installed: the ids of the installed template packages, in the order the list shows them.
    TfrmAbout(const QString &programFolder, const QString &language, const QStringList &installed,
              QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    QTabWidget *pgcAbout = nullptr;
    QLabel *lblR_App = nullptr;
    QLabel *lblR_Ver = nullptr;
    TClickLabel *lblR_Site = nullptr;
    QListWidget *lstInstalled = nullptr;
    TClickLabel *lblGetMore = nullptr;
    QPushButton *btnOK = nullptr;

public slots:
    void lblR_SiteClick();
    void lblGetMoreClick();
    void lstInstalledClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Language file texts reach the form here (section "frmAbout").
    void Translate();
    void LoadInstalled();

    QStringList FInstalled;
    bool FShown = false;
};

// The values of "template1", "template2", ... of the settings file's "register" section, up to the
// first key that is missing or empty.
QStringList ReadInstalledTemplates(const QString &programFolder);

// Shows the box modally.
void ShowAbout(const QString &programFolder, const QString &language, const QStringList &installed,
               QWidget *parent = nullptr);
