#include "QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

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
    for (int b : request.buttons)
        box.addButton(toStandard(b));
    if (request.escapeResult != mrNone)
        box.setEscapeButton(box.button(toStandard(request.escapeResult)));
    // With no escape button Esc and the close box must do nothing.
    int result = mrNone;
    do {
        box.exec();
        const auto pressed = box.standardButton(box.clickedButton());
        for (int b : request.buttons)
            if (toStandard(b) == pressed)
                result = b;
        if (result == mrNone && request.escapeResult != mrNone)
            result = request.escapeResult;
    } while (result == mrNone && !request.buttons.isEmpty());
    return result;
}
