#include "Messages.h"
#include "QtMessageBox.h"
#include "TApplication.h"
#include "uMain.h"
#include "uSettings.h"

#include <QDir>

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvanar"));
    SetMessageBoxHandler(ShowQtMessageBox);
    SetDefaultTexts();
    InitVersionInfo();

    const QString programFolder = QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
    for (const char *folder : {"MenuPreview/flashmenu", "Projects", "Publish", "Templates/Preview/flashmenu"})
        QDir().mkpath(programFolder + QLatin1String(folder));
    ReadPathOptions(programFolder, Options);
    ReadMenuListOptions(programFolder, Options);

    TfrmMain window(programFolder);
    window.show();
    const int status = app.exec();
    WriteOptions(programFolder, Options);
    return status;
}
