#include "MessageBox.h"
#include "QtMessageBox.h"
#include "uMain.h"
#include "uProgramStart.h"

#include <memory>

int main(int argc, char **argv)
{
    SetMessageBoxHandler(ShowQtMessageBox);
    return ProgramMain(argc, argv, [](const QString &programFolder) -> std::unique_ptr<QWidget> {
        auto window = std::make_unique<TfrmMain>(programFolder);
        window->Start(QCoreApplication::arguments().mid(1));
        return window;
    });
}
