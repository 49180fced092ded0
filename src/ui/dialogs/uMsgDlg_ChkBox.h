#pragma once
// A Yes/No question with a check box under it ("do not ask again"); never translated.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class TClickLabel;

class TfrmMsgDlg_ChkBox : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMsgDlg_ChkBox(QWidget *parent = nullptr);

    QLabel *lblMessage = nullptr;
    QPushButton *btnYes = nullptr;
    QPushButton *btnNo = nullptr;
    QCheckBox *chkOption = nullptr;
    TClickLabel *lblOption = nullptr;
};

// True exactly when the question was answered with Yes (No and the close box give false); checked
// tells whether the box was ticked, whatever the answer.
bool MessageDlgWithCheckBox(const QString &caption, const QString &message, const QString &optionText,
                            bool &checked, QWidget *parent = nullptr);
