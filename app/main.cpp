#include "Messages.h"
#include "QtMessageBox.h"
#include "uMain.h"

#include <QApplication>
#include <QDir>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvanar"));
    SetMessageBoxHandler(ShowQtMessageBox);
    SetDefaultTexts();
    InitVersionInfo();

    const QString programFolder = QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
    TfrmMain window(programFolder);
    window.show();
    return app.exec();
}
