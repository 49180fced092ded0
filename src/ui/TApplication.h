#pragma once
#include <QApplication>

// The program's application object: an error that escapes an event handler is shown in the
// "Exception" box instead of ending the program.
class TApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override;
};
