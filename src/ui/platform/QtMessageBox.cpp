#include "QtMessageBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>

namespace {

// A box without an escape answer ignores Esc and its close box, whatever QMessageBox would guess.
class IgnoreEscape : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
            return true;
        return QObject::eventFilter(watched, event);
    }
};

QMessageBox::StandardButton toStandard(int b)
{
    switch (b) {
    case mrOK: return QMessageBox::Ok;
    case mrCancel: return QMessageBox::Cancel;
    case mrAbort: return QMessageBox::Abort;
    case mrRetry: return QMessageBox::Retry;
    case mrIgnore: return QMessageBox::Ignore;
    case mrYes: return QMessageBox::Yes;
    case mrNo: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

QMessageBox::Icon toIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Question: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

int ShowQtMessageBox(const MessageBoxRequest &request)
{
    QMessageBox box(toIcon(request.icon), request.caption, request.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText); // texts carry file names and captions, never markup
    for (int b : request.buttons)
        box.addButton(toStandard(b));
    IgnoreEscape filter;
    if (request.escapeResult != mrNone)
        box.setEscapeButton(box.button(toStandard(request.escapeResult)));
    else
        box.installEventFilter(&filter);
    box.exec();
    const auto pressed = box.standardButton(box.clickedButton());
    for (int b : request.buttons)
        if (toStandard(b) == pressed)
            return b;
    return request.escapeResult;
}
