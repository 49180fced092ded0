#pragma once
// Project files (.tvp, a ZIP archive of the working folder's project files) and the project commands
// of the main window: New, Open, Save, Save As, the Button Style hand-over through the exchange
// folder Templates/Preview/, the caption, the save question and the recent-projects list.
#include <QString>
#include <QStringList>
#include <functional>

class TMenuDesign;
class TPreviewSet;
struct THtmlPageOptions;

// How a file dialog is to be set up; the window runs it.
struct TFileDialogSetup {
    QString Filter;         // "label (*.tvp)|*.tvp"
    QString InitialFolder;
    QString FileName;
    QString DefaultExt;     // without the dot
};

// What the project commands need of the main window and the settings. Dialogs and the window's
// layout live there; tests answer them.
class IProjectHost {
public:
    virtual ~IProjectHost() = default;

    // The file chosen, or "" when the dialog was cancelled.
    virtual QString ChooseOpenFile(const TFileDialogSetup &setup) = 0;
    virtual QString ChooseSaveFile(const TFileDialogSetup &setup) = 0;
    // The shared open dialog's initial folder for its next use.
    virtual void SetOpenDialogFolder(const QString &folder) {}

    // The menu-type choice chained to the preset-design gallery: true when a design was chosen (its
    // preview set then waits in the exchange folder); back is set when the user pressed Back.
    virtual bool ShowSelectMenuType(const QString &templatesFolder, bool &back) = 0;
    // The Menu Buttons Style gallery over the exchange folder: true on OK.
    virtual bool ShowMenuButtonsStyle(const QString &templatesFolder, const QString &xmlText) = 0;
    // The start-up wizard: 0 cancel, 1 open projectFile (set by the wizard), 2 new project, 3 exit.
    virtual int ShowWizard(QString &projectFile) { return 0; }
    virtual void ExitProgram() {}
    // Set while the start-up choice runs at program start: the template dialogs then offer Back.
    virtual bool FromWizard() const { return false; }

    virtual void UpdateInterfaceCore(int mode) {}
    virtual void UpdateInterface(int mode) {}
    virtual void ActivateMainPage() {}
    virtual void SetCaption(const QString &caption) {}
    // The page option controls show the values just read.
    virtual void PageOptionsLoaded() {}
    // The button short list rebuilt with its custom tile kept (the design reset then marks the set).
    virtual void ReloadButtonShortList() {}
    // The Recent Projects menu rebuilt from these entries (one disabled item when empty).
    virtual void RecentProjectsChanged(const QStringList &entries) {}

    // Options.ProjectPath and Options.UseLastProjectPath of the settings.
    virtual QString ProjectPath() const { return QString(); }
    virtual void SetProjectPath(const QString &path) {}
    virtual bool UseLastProjectPath() const { return false; }
};

// "Tolvanar", "Tolvanar - name" with "*" when modified, or "Tolvanar - New*" for an untitled one.
QString ProjectCaption(bool noProject, const QString &fileName, bool modified);

// The members a project file holds, in their order: the four page-set files, then the media that
// the description names (background, sound, logo, icon-link images), sorted without case, each once.
QStringList ProjectMemberNames(const QString &menuXml, const QString &menuFileName);

// Before a style dialog: the open design written to the working folder in preview form with its
// page options, then flashmenu.xml, the menu movie, HTMLOptions.xml, the page script and every
// medium the description names copied into the exchange folder. Returns the description's text.
QString HandDesignToExchange(TMenuDesign &design, TPreviewSet &preview, const THtmlPageOptions &pageOptions);

class TProjects {
public:
    // settingsFile: the settings file holding the recent list.
    TProjects(TMenuDesign &design, TPreviewSet &preview, THtmlPageOptions &pageOptions, IProjectHost &host,
              const QString &settingsFile);

    // The project's file name as chosen; empty while untitled.
    const QString &ProjectFileName() const { return FFileName; }
    void ClearProjectFileName() { FFileName.clear(); }

    // A .tvp named on the command line, consumed by the next Open.
    QString StartupFileName;
    // The project chosen in the start-up wizard or the recent-projects menu.
    QString WizardProjectFile;
    // The Recent Projects menu's entries, in menu order.
    const QStringList &RecentProjects() const { return FRecentProjects; }

    // Each command raises Exception on a failure (archive or file errors); the caller shows it.
    void a_NewExecute();
    void a_LoadSWFExecute();
    // Opens WizardProjectFile without a save question.
    void OpenProject();
    // True when the archive was written.
    bool a_SaveExecute();
    bool a_SaveAsExecute();
    void a_OpenPreviewExecute();

    void UpdateCaption();
    // 0 when not modified; else the button pressed: 6 Yes, 7 No, 2 Cancel. Yes whose save did not
    // happen (its Save As cancelled) gives Cancel, so the project is not dropped unsaved.
    int AskSaveChanges();
    // Close of the window: false when it is to stay open.
    bool FormCloseQuery();
    void RunStartupChoice();

    void Load_Recent();
    void AddRecentProject(const QString &path);
    // A click on entry tag (counted from 0) of the Recent Projects menu.
    void RecentList_Click(int tag);

private:
    QString AppPath(const QString &stored) const;
    QString ProjectFilter(bool blankBeforeBar) const;
    // replaced is set once the working folder starts to take the new project.
    void OpenProjectFile(const QString &file, bool *replaced = nullptr);
    // The save question, then the file chooseFile names ("" for none) is opened.
    void OpenAfterQuestion(const std::function<QString()> &chooseFile);

    TMenuDesign &FDesign;
    TPreviewSet &FPreview;
    THtmlPageOptions &FPageOptions;
    IProjectHost &FHost;
    QString FSettingsFile;
    QString FFileName;
    QStringList FRecentProjects;
};
