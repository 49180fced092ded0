#pragma once
// A label that stands for a check box or radio button beside it: a click on the label acts for the
// control (toggles a check box, checks a radio button) and gives it the focus.
#include <QLabel>

class QAbstractButton;

class TClickLabel : public QLabel {
    Q_OBJECT
public:
    TClickLabel(const QString &name, const QString &text, QWidget *parent);
    // The control the label acts for; none: the label only reports its clicks.
    void SetControl(QAbstractButton *control) { FControl = control; }
    QAbstractButton *Control() const { return FControl; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QAbstractButton *FControl = nullptr;
};

// Toggles a check box or checks a radio button (through a click, so its own handlers run) and
// focuses it. A disabled control is left alone.
void ActForControl(QAbstractButton *control);
