#include "uMain.h"

#include <QLabel>

TfrmMain::TfrmMain(const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tolvanar"));
    resize(1024, 720);
}
