#include "ClickLabel.h"

#include <QAbstractButton>
#include <QMouseEvent>

TClickLabel::TClickLabel(const QString &name, const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
}

void TClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    if (FControl)
        ActForControl(FControl);
    emit clicked();
}

void ActForControl(QAbstractButton *control)
{
    if (!control || !control->isEnabled())
        return;
    // A click toggles a check box; a radio button in its group stays checked.
    control->click();
    control->setFocus(Qt::MouseFocusReason);
}
