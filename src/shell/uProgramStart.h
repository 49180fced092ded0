#pragma once
// The program's outer frame: what runs before the main window exists, the file named on the command
// line, and the message loop with its last-resort error box.
#include <QApplication>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <memory>

class QWidget;
class SingleInstanceLock;

// The file named on the command line when it exists; the action that uses it empties it.
extern QString StartupFileName;

// Work folders in the order they are made, stored form, relative to the program folder.
extern const QStringList WorkFolders;
// Makes each missing work folder, one level at a time: a folder whose parent is missing (for
// example "Templates\Preview\" without "Templates\") is skipped without a word.
void EnsureWorkFolders(const QString &programFolder);

// -1 when this start may go on; otherwise the exit status: 0 when another instance holds the lock,
// 1 when the lock could not be taken at all (the reason goes to err).
int ClaimSingleInstance(SingleInstanceLock &lock, std::FILE *err = stderr);

// What the main window does with its command line once it is shown.
enum class StartupAction {
    RunWizard,      // no argument, or it names no existing file
    OpenProject,    // an existing file ending in ".tvp" exactly
    InstallPackage, // an existing file ending in ".tvm" exactly
    Nothing,        // an existing file of any other type (".TVP" included): no wizard either
};
struct StartupCommand {
    StartupAction action = StartupAction::RunWizard;
    QString fileName; // the argument when it names an existing file, else ""
};
// arguments: the command line after the program; only the first one counts.
StartupCommand DecideStartupCommand(const QStringList &arguments);

// The application object: an error that an event handler lets escape ends that handler only and is
// shown in an error box with its message, as the toolkit of the original design did.
class TolvanarApplication : public QApplication {
public:
    TolvanarApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// The error box of an event handler's error: its message, error icon, OK, captioned by the
// application title.
void ShowHandlerError(std::exception_ptr error);

// Runs an event handler's work the way the message loop would: an error ends the work and is shown
// in that error box, so no exception crosses the event loop.
void GuardSlot(const std::function<void()> &action);

// Runs the message loop; an error that still escapes it is shown as "Exception".
int RunMessageLoop();

// The whole program: the application object, the single instance, both file types, the work folders
// and the title, then the main window made by createMainWindow (which shows itself) and the loop.
using MainWindowFactory = std::function<std::unique_ptr<QWidget>(const QString &programFolder)>;
int ProgramMain(int argc, char **argv, const MainWindowFactory &createMainWindow);
