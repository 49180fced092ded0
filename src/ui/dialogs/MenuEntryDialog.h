#pragma once
// What the two menu-entry dialogs share: caption, link and target of one entry, the standard
// target list and the name check on OK.
#include <QDialog>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

class TMenuEntryDialog : public QDialog {
    Q_OBJECT
public:
    // The tokens of the standard targets, in list order.
    static const QStringList &TargetTokens();

    // The target token chosen last from the list ("" until one is).
    QString TargetToken() const { return FTargetToken; }

    // Loads the entry's fields and the caption (an empty caption keeps the dialog's own), shows
    // the dialog and, on OK, reads the fields back as typed.
    bool Run(const QString &caption, QString &name, QString &url, QString &target);

    QLabel *lblName = nullptr;
    QLineEdit *edName = nullptr;
    QLabel *lblUrl = nullptr;
    QLineEdit *edURL = nullptr;
    QLabel *lblTarget = nullptr;
    QComboBox *cmbTarget = nullptr;
    QTimer *Timer = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

public slots:
    void cmbTargetSelect(int index);
    void TimerTimer();
    void btnOKClick();

protected:
    // urlLabelName: the URL label's control name, which differs between the two dialogs.
    TMenuEntryDialog(const QString &formName, const QString &caption, const QString &urlLabelName);
    // Translation, target list and language font; called once the derived dialog has its controls.
    void FormCreate();

    QGridLayout *FFields = nullptr;

private:
    QString FTargetToken;
};
