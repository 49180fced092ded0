#include "TApplication.h"

#include "Errors.h"
#include "MessageBox.h"

namespace {

void showException(const QString &text)
{
    MessageBoxRequest r;
    r.caption = QStringLiteral("Exception");
    r.text = text;
    r.icon = MsgIcon::Error;
    r.escapeResult = mrOK;
    ShowPlatformMessageBox(r);
}

} // namespace

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Exception &e) {
        showException(e.Message());
    } catch (const std::exception &e) {
        showException(QString::fromUtf8(e.what()));
    } catch (...) {
        showException(QStringLiteral("Unknown error"));
    }
    return false;
}
