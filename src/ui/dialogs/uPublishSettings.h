#pragma once
#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

// "Publish Settings": the output type and, for a vertical menu in frame or non-frame pages, the side.
class TfrmPublishSettings : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPublishSettings(bool horizontal, QWidget *parent = nullptr);

    int Kind() const;
    void SetKind(int kind);
    bool RightSide() const;
    void SetRightSide(bool right);
    bool MenuPositionEnabled() const;

    QGroupBox *rgrPublishSettings = nullptr;
    QGroupBox *rgrMenuPosition = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;

public slots:
    void rgrPublishSettingsClick();

private:
    QRadioButton *FKinds[4] = {};
    QRadioButton *FSides[2] = {};
};

// Shows the dialog on the last kind and side; "-1" when it is not left with OK, else "kind=side".
QString ShowPublishSettings(int kind, int side, bool horizontal, QWidget *parent = nullptr);
