#pragma once
// The platform's modal message box, replaceable so that tests answer it and no test waits for a person.
#include <QList>
#include <QString>
#include <functional>

// Button numbers as the platform reports them.
enum MsgButton { mrNone = 0, mrOK = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

enum class MsgIcon { None, Warning, Error, Information, Question };

struct MessageBoxRequest {
    QString text;
    QString caption;
    MsgIcon icon = MsgIcon::None;
    QList<int> buttons{mrOK};   // MsgButton values, left to right
    int escapeResult = mrNone;  // what Esc or the close box gives; mrNone: they are ignored
};

using MessageBoxHandler = std::function<int(const MessageBoxRequest &)>;

// Installs the handler that shows boxes and returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Shows a box through the installed handler. Off the GUI thread nothing is shown and mrNone comes back:
// a worker never raises a window.
int ShowPlatformMessageBox(const MessageBoxRequest &request);

// A plain box with OK, no caption of its own (the XML parser's reasons go through it).
void ShowPlainMessage(const QString &text);
