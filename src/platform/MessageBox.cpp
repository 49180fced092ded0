#include "MessageBox.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

namespace {

// Without a window system the text goes to stderr and the first button answers.
int stderrHandler(const MessageBoxRequest &request)
{
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(request.caption), qUtf8Printable(request.text));
    return request.buttons.isEmpty() ? mrOK : request.buttons.first();
}

MessageBoxHandler &handler()
{
    static MessageBoxHandler h = stderrHandler;
    return h;
}

bool onGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

} // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler h)
{
    MessageBoxHandler previous = std::move(handler());
    handler() = h ? std::move(h) : MessageBoxHandler(stderrHandler);
    return previous;
}

int ShowPlatformMessageBox(const MessageBoxRequest &request)
{
    if (!onGuiThread())
        return mrNone;
    return handler()(request);
}

void ShowPlainMessage(const QString &text)
{
    MessageBoxRequest r;
    r.text = text;
    r.caption = QCoreApplication::applicationName();
    r.escapeResult = mrOK;
    ShowPlatformMessageBox(r);
}
