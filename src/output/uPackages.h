#pragma once
// Template packages: the table that names the built-in template groups (the galleries' page titles),
// the installation of a template package file (.tvm, a ZIP archive) into the template folders, and
// Update Project, which copies the open project's movie and background afresh from the templates.
#include "ZipArchive.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class TMenuDesign;
struct TFileDialogSetup;

// One row of the package table.
struct TTVNRTheme {
    QString Code;       // the package code, e.g. "tvnr"
    QString Title;      // the gallery title in the current language
    int32_t First = 0;  // first and last template number of the group
    int32_t Last = -1;
};

constexpr int TemplatePackageCount = 16;
extern std::array<TTVNRTheme, TemplatePackageCount> TemplatePackages;

// Fills every row anew: codes, numbers and the titles in the current language. Called at start
// after the language is loaded and after every change of language.
void InitPackages();

// A template id: the code followed by the number in three digits ("tvmbiz" and 7 give "tvmbiz007").
QString TemplateId(const QString &code, int number);

// Appends, in table order, the ids of the table's templates whose design file id.xml exists in the
// folder (found without regard to case).
void ListPackageTemplates(const QString &folder, QStringList &list);
// Appends the base names of the folder's other .xml files (sorted without case), each once.
void ListOtherTemplates(const QString &folder, QStringList &list);
// A gallery's page labels: a label "<code><first> - <code><last>" of a table row becomes that row's
// title. Every row is tried on every item, in table order.
void ReplacePackageCaptions(QStringList &items);

// Records an installed package's id in the settings file's "register" section (keys "template1",
// "template2", ... without gaps). An id already registered is not added again. False when the file
// could not be written.
bool RegisterTemplatePackage(const QString &settingsFile, const QString &id);

// Undoes what an install or Update Project killed half-way left in the program folder, before
// anything reads the templates, and removes what an open or install of this user left unpacked
// there. What could not be undone is said once; an undo that cannot be done now, once in each run.
enum class CopiesInProgramFolder {
    Clear,
    Pending, // an undo is still to be done: nothing may be copied over it
    Running  // another program copies there now
};
CopiesInProgramFolder FinishInterruptedCopies(const QString &programFolder);

// What installation and Update Project need of the main window and the settings.
class IPackageHost {
public:
    virtual ~IPackageHost() = default;
    // The window's open dialog: the file chosen, "" when cancelled.
    virtual QString ChooseOpenFile(const TFileDialogSetup &setup) = 0;
    // Options.LatestButtonsOnTop: newly installed templates go first in the on-top lists.
    virtual bool LatestButtonsOnTop() const { return false; }
    // After an installation: the button short list reloaded without its custom tile, then the tile
    // of menuFile marked.
    virtual void ReloadTemplateShortList(const QString &menuFile) {}
    // The browser pane shows this page again (reloaded, not rebuilt).
    virtual void NavigateBrowser(const QString &file) {}
};

class TPackages {
public:
    // limits: the caps on what one package may unpack.
    TPackages(TMenuDesign &design, IPackageHost &host, const TZipLimits &limits = TZipLimits());

    // Install Template: the package is startupFileName when set (a bare name is taken from the
    // program folder; the name is then emptied), else the file chosen in the open dialog. Returns
    // true when the package was installed in full; false when cancelled or members were missing.
    // Raises Exception when the package cannot be installed; nothing is then written.
    bool a_InstallTemplateExecute(QString &startupFileName);
    // Installs one package file; as above.
    bool InstallPackage(const QString &packageFile);

    // Update Project: after the question, the working folder's movie and background are copied
    // afresh from the orientation's template folders. True when both were copied.
    bool a_UpdateExecute();

    QString SettingsFile() const;

private:
    QString ProgramPath(const QString &stored) const;

    TMenuDesign &FDesign;
    IPackageHost &FHost;
    TZipLimits FLimits;
};
