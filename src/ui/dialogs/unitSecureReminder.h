#pragma once
#include <QDialog>

class QCheckBox;

// "Preview in Browser": the notice shown before the external preview; never translated.
class TfrmSecureReminder : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSecureReminder(QWidget *parent = nullptr);
    QCheckBox *cbDisable = nullptr;
};

// Shows the notice modally; true when "Do not show this reminder next time" was ticked.
bool RunSecureReminder(QWidget *parent);
