#include "uProgramStart.h"

#include "Conversions.h"
#include "Errors.h"
#include "MessageBox.h"
#include "Messages.h"
#include "Paths.h"
#include "SingleInstance.h"
#include "Trans.h"
#include "uExtensionRegister.h"
#include "uPackages.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QWidget>

QString StartupFileName;

const QStringList WorkFolders{
    QStringLiteral("MenuPreview\\"),        QStringLiteral("MenuPreview\\flashmenu\\"),
    QStringLiteral("Projects\\"),           QStringLiteral("Publish\\"),
    QStringLiteral("Templates\\Preview\\"), QStringLiteral("Templates\\Preview\\flashmenu\\"),
};

void EnsureWorkFolders(const QString &programFolder)
{
    for (const QString &folder : WorkFolders) {
        const QString path = NativePath(programFolder, folder);
        if (!QFileInfo(path).isDir())
            QDir().mkdir(path); // one level only; a failure is left to the flows that need the folder
    }
}

int ClaimSingleInstance(SingleInstanceLock &lock, std::FILE *err)
{
    switch (lock.Acquire()) {
    case InstanceLock::Acquired:
        return -1;
    case InstanceLock::AlreadyRunning:
        return 0;
    case InstanceLock::Failed:
        break;
    }
    if (err) {
        std::fprintf(err, "tolvanar: %s\n", lock.ErrorText().toLocal8Bit().constData());
        std::fflush(err);
    }
    return 1;
}

StartupCommand DecideStartupCommand(const QStringList &arguments)
{
    StartupCommand command;
    const QString file = arguments.value(0);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return command;
    // A name relative to the folder the program was started in would be saved in the recent list
    // and become meaningless from any other folder.
    command.fileName = QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    const QString ext = ExtractFileExt(file);
    if (ext == QLatin1String(".tvp"))
        command.action = StartupAction::OpenProject;
    else if (ext == QLatin1String(".tvm"))
        command.action = StartupAction::InstallPackage;
    else
        command.action = StartupAction::Nothing;
    return command;
}

TolvanarApplication::TolvanarApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TolvanarApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowHandlerError(std::current_exception());
        return false;
    }
}

void ShowHandlerError(std::exception_ptr error)
{
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const Exception &e) {
        text = e.Message();
    } catch (const std::exception &e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = QStringLiteral("Exception");
    }
    // The toolkit's own error box ends its text with a point.
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    MessageBoxRequest r;
    r.text = text;
    r.caption = ApplicationTitle();
    r.icon = MsgIcon::Error;
    r.buttons = {mrOK};
    r.escapeResult = mrOK;
    ShowPlatformMessageBox(r);
}

void GuardSlot(const std::function<void()> &action)
{
    try {
        action();
    } catch (...) {
        ShowHandlerError(std::current_exception());
    }
}

int RunMessageLoop()
{
    try {
        return QApplication::exec();
    } catch (...) {
        ShowMsgBox(QStringLiteral("Exception"), mtError, mbOK);
        return 0;
    }
}

int ProgramMain(int argc, char **argv, const MainWindowFactory &createMainWindow)
{
    // The browser engine reports its whole set-up at every start, for its own developers. Rules of
    // the user's (QT_LOGGING_RULES, QT_LOGGING_CONF) come after these and may show it again.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    TolvanarApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvanar"));
    const QString programFolder = WithSlash(QDir(QCoreApplication::applicationDirPath()).absolutePath());

    // Held for the whole run; the system drops it when the process ends.
    SingleInstanceLock lock(programFolder);
    const int status = ClaimSingleInstance(lock);
    if (status >= 0)
        return status;

    const QString programPath = QCoreApplication::applicationFilePath();
    RegisterFileExtension(QStringLiteral("tvp"), programPath);
    RegisterFileExtension(QStringLiteral("tvm"), programPath);
    EnsureWorkFolders(programFolder);
    // An install or open killed half-way is undone before anything reads the templates; whatever
    // that meets is said and the start goes on.
    try {
        FinishInterruptedCopies(programFolder);
    } catch (...) {
        ShowHandlerError(std::current_exception());
    }
    SetApplicationTitle(QStringLiteral("Tolvanar"));

    int result = 0;
    {
        std::unique_ptr<QWidget> window;
        try {
            window = createMainWindow(programFolder);
        } catch (...) {
            ShowHandlerError(std::current_exception());
            return 1;
        }
        result = RunMessageLoop();
    }
    return result;
}
