#include "uProjects.h"

#include "Conversions.h"
#include "Errors.h"
#include "MessageBox.h"
#include "Messages.h"
#include "Paths.h"
#include "Temporaries.h"
#include "XmlDom.h"
#include "ZipArchive.h"
#include "uDesign.h"
#include "uGlobal.h"
#include "uHtmlOptions.h"
#include "uPackages.h"
#include "uPreview.h"
#include "uRecentProjects.h"
#include "uXMLUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <utility>

namespace {

const QString ProductName = QStringLiteral("Tolvanar");
const QString ProjectExt = QStringLiteral(".tvp");
const QString MenuXmlName = QStringLiteral("flashmenu.xml");
const QString PageOptionsName = QStringLiteral("HTMLOptions.xml");

// The media a description names: background, sound, logo, then icon-link images 1 to 4.
QStringList DescribedMedia(const TXMLUtils &xml)
{
    QStringList names{xml.GetBackgroundSrc(), xml.GetSoundSrc(), xml.GetMainImgSrc()};
    for (int n = 1; n <= 4; ++n)
        names << xml.GetIconLinkImg(n);
    return names;
}

// Moves every file below from into to, creating the folders; raises on the first failure.
void MoveTree(const QString &from, const QString &to)
{
    const QDir dir(from);
    if (!QDir().mkpath(to))
        throw Exception(QStringLiteral("Cannot create the folder \"%1\".").arg(to));
    for (const QFileInfo &fi : dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden,
                                                 QDir::Name)) {
        const QString target = WithSlash(to) + fi.fileName();
        if (fi.isDir())
            MoveTree(fi.filePath(), target);
        else if (!QFile::rename(fi.filePath(), target) && !CopyFileCompat(fi.filePath(), target))
            throw Exception(QStringLiteral("Cannot write the file \"%1\".").arg(target));
    }
}

// Pages, scripts and style sheets: the browser pane and the published site run or load them, so
// they come from the shipped templates or are written here, never from a project file.
bool RunsInTheBrowser(const QString &member)
{
    static const QStringList suffixes{QStringLiteral("htm"), QStringLiteral("html"), QStringLiteral("js"),
                                      QStringLiteral("css")};
    return suffixes.contains(QFileInfo(member).suffix(), Qt::CaseInsensitive);
}

} // namespace

QString ProjectCaption(bool noProject, const QString &fileName, bool modified)
{
    if (noProject)
        return ProductName;
    if (fileName.isEmpty())
        return ProductName + QStringLiteral(" - ") + LangMsg(33) + QLatin1Char('*');
    return ProductName + QStringLiteral(" - ") + ExtractFileName(fileName) + (modified ? QStringLiteral("*") : QString());
}

QStringList ProjectMemberNames(const QString &menuXml, const QString &menuFileName)
{
    QStringList media;
    for (const QString &name : DescribedMedia(TXMLUtils(menuXml)))
        if (!name.isEmpty() && !media.contains(name))
            media << name;
    // Sorted without case; names that differ only in case are different files here and both stay.
    std::sort(media.begin(), media.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return QStringList{PageOptionsName, MenuXmlName, QStringLiteral("flashmenu.htm"), menuFileName} + media;
}

TProjects::TProjects(TMenuDesign &design, TPreviewSet &preview, THtmlPageOptions &pageOptions, IProjectHost &host,
                     const QString &settingsFile)
    : FDesign(design), FPreview(preview), FPageOptions(pageOptions), FHost(host), FSettingsFile(settingsFile)
{
}

QString TProjects::AppPath(const QString &stored) const
{
    return NativePath(FDesign.ProgramFolder(), stored);
}

QString TProjects::ProjectFilter(bool blankBeforeBar) const
{
    const QString pattern = QStringLiteral("*") + ProjectExt;
    return QStringLiteral("%1 (%2)%3|%4")
        .arg(LangFilterLabel(5), pattern, blankBeforeBar ? QStringLiteral(" ") : QString(), pattern);
}

void TProjects::UpdateCaption()
{
    FHost.SetCaption(ProjectCaption(FDesign.FNoProject, FFileName, FDesign.IsModified()));
}

int TProjects::AskSaveChanges()
{
    if (!FDesign.IsModified())
        return 0;
    const int answer = ShowMsgBox(LangMsg(32), mtInformation, mbYesNoCancel);
    if (answer == mrYes)
        return a_SaveExecute() ? mrYes : mrCancel;
    if (answer == mrNo) {
        FDesign.SetModified(false);
        return mrNo;
    }
    return mrCancel;
}

bool TProjects::FormCloseQuery()
{
    return AskSaveChanges() != mrCancel;
}

void TProjects::RunStartupChoice()
{
    switch (FHost.ShowWizard(WizardProjectFile)) {
    case 1:
        OpenProject();
        break;
    case 2:
        a_NewExecute();
        break;
    case 3:
        FHost.ExitProgram();
        break;
    default:
        break;
    }
}

void TProjects::a_NewExecute()
{
    if (AskSaveChanges() == mrCancel)
        return;
    if (!FDesign.FNoProject)
        FDesign.ResetToBlankProject();
    bool back = FHost.FromWizard();
    const bool chosen = FHost.ShowSelectMenuType(AppPath(QStringLiteral("Templates\\")), back);
    if (back) {
        RunStartupChoice();
        FHost.ActivateMainPage();
        FHost.UpdateInterface(0);
    } else if (chosen) {
        FHost.UpdateInterfaceCore(50);
        const QString work = FPreview.WorkFolder();
        DeleteFolderFiles(work, true);
        FDesign.SetNoProject(false);
        TFlagGuard loading(FDesign.FLoading, 1);
        FPreview.CopyPreviewTemplateFile(MenuXmlName);
        FPreview.CopyPreviewTemplateFile(PageOptionsName);
        ReadHtmlOptions(FPreview.ExchangeFolder() + PageOptionsName, FPageOptions);
        FHost.PageOptionsLoaded();
        FPreview.WriteMenuHtml(false);
        QDir().mkpath(work + QStringLiteral("flashmenu"));

        const TXMLUtils xml(FDesign.LoadPreviewMenuXml());
        const QStringList media = DescribedMedia(xml);
        for (int i = 0; i < 3; ++i)
            FPreview.CopyPreviewTemplateFile(media[i]);
        FDesign.CurrentMenuFileName = xml.GetMenuFileSrc();
        FPreview.CopyPreviewTemplateFile(FDesign.CurrentMenuFileName);
        for (int i = 3; i < media.size(); ++i)
            FPreview.CopyPreviewTemplateFile(media[i]);

        FHost.SetOpenDialogFolder(work);
        FFileName.clear();
        FDesign.ResetDesign(false);
        DeleteFolderFiles(FPreview.ExchangeFolder(), true);
        UpdateCaption();
        FDesign.SetModified(true);
    } else {
        FDesign.SetModified(false);
    }
    Load_Recent();
}

void TProjects::a_LoadSWFExecute()
{
    OpenAfterQuestion([this] {
        if (!StartupFileName.isEmpty()) {
            const QString chosen = StartupFileName;
            StartupFileName.clear();
            return chosen;
        }
        TFileDialogSetup setup;
        setup.Filter = ProjectFilter(true);
        setup.InitialFolder = ExistingFolderOrDefault(FHost.ProjectPath(), AppPath(QStringLiteral("Projects\\")));
        return FHost.ChooseOpenFile(setup);
    });
}

void TProjects::OpenProject()
{
    OpenProjectFile(WizardProjectFile);
}

void TProjects::OpenAfterQuestion(const std::function<QString()> &chooseFile)
{
    const int answer = AskSaveChanges();
    if (answer == mrCancel)
        return;
    // "No" gave the open project up for another one; while none has replaced it (the dialog
    // cancelled, the file refused) its changes still wait to be saved.
    bool replaced = false;
    try {
        const QString chosen = chooseFile();
        if (!chosen.isEmpty())
            OpenProjectFile(chosen, &replaced);
    } catch (...) {
        if (answer == mrNo && !replaced)
            FDesign.SetModified(true);
        throw;
    }
    if (answer == mrNo && !replaced)
        FDesign.SetModified(true);
}

void TProjects::OpenProjectFile(const QString &file, bool *replaced)
{
    // The archive is unpacked and its description checked in a private folder first: an archive
    // that is refused or is no project leaves the open project and the working folder as they were.
    // The folder lies in the program folder, so that its files move into the working folder by a
    // rename, and what an open killed half-way left there goes with the next one.
    FinishInterruptedCopies(FDesign.ProgramFolder());
    const TFolderInUse inUse(FDesign.ProgramFolder());
    if (inUse.Error())
        throw Exception(QStringLiteral("Cannot create a temporary folder: %1").arg(qt_error_string(inUse.Error())));
    QTemporaryDir unpacked(inUse.Template());
    if (!unpacked.isValid())
        throw Exception(QStringLiteral("Cannot create a temporary folder: %1").arg(unpacked.errorString()));
    // Only what a project is made of is taken: the description, its page options, its movie and the
    // media it names. Every member is checked all the same.
    TZipReader reader(file);
    reader.ExtractAll(unpacked.path(), [](const QString &member) { return ZipMemberName(member) == MenuXmlName; });
    {
        QFile menu(unpacked.filePath(MenuXmlName));
        pugi::xml_document doc;
        QString reason = QStringLiteral("it holds no %1.").arg(MenuXmlName);
        if (!menu.open(QIODevice::ReadOnly) || !ParseXmlBytes(doc, menu.readAll(), &reason))
            throw Exception(QStringLiteral("The file \"%1\" is not a project that can be opened: %2").arg(file, reason));
        const QString text = XmlSerialize(doc);
        QStringList wanted{PageOptionsName};
        try {
            for (const QString &name : ProjectMemberNames(text, TXMLUtils(text).GetMenuFileSrc()))
                if (!RunsInTheBrowser(name) && name != MenuXmlName)
                    wanted << ZipMemberName(name);
        } catch (const Exception &) {
            // A description that names nothing readable is refused further on, as any other.
        }
        reader.ExtractAll(unpacked.path(), [&](const QString &member) { return wanted.contains(ZipMemberName(member)); });
    }

    if (replaced)
        *replaced = true;
    if (FHost.UseLastProjectPath())
        FHost.SetProjectPath(ExtractFilePath(file));
    FDesign.SetNoProject(false);
    TFlagGuard loading(FDesign.FLoading, 1);
    const QString work = FPreview.WorkFolder();
    try {
        // Nothing of the earlier project stays to mix with this one.
        DeleteFolderFiles(work, true);
        MoveTree(unpacked.path(), work);
        const QString text = FDesign.LoadPreviewMenuXml();
        if (FDesign.LoadedMenuType == QLatin1String("v")) {
            if (FDesign.IsHorizontal()) {
                FDesign.SetOrientation(false);
                FHost.UpdateInterfaceCore(50);
            }
        } else if (!FDesign.IsHorizontal()) {
            FDesign.SetOrientation(true);
            FHost.UpdateInterfaceCore(50);
        }
        FDesign.CurrentMenuFileName = TXMLUtils(text).GetMenuFileSrc();
        ReadHtmlOptions(work + PageOptionsName, FPageOptions);
        FHost.PageOptionsLoaded();
        FPreview.WriteMenuHtml(false);
        FDesign.ResetDesign(false);
        // Titled and listed only once the design really stands.
        FFileName = file;
        AddRecentProject(file);
        FHost.SetOpenDialogFolder(ExtractFilePath(file));
    } catch (...) {
        // The working folder no longer holds the earlier project: what stands is the blank one.
        FFileName.clear();
        if (!FDesign.FNoProject)
            FDesign.ResetToBlankProject();
        UpdateCaption();
        loading.Keep();
        throw;
    }
    UpdateCaption();
    Load_Recent();
}

bool TProjects::a_SaveExecute()
{
    if (FFileName.isEmpty())
        return a_SaveAsExecute();
    // The archive always gets the project extension; the question is about the file really replaced.
    const QString target = ChangeFileExt(FFileName, ProjectExt);
    if (QFileInfo::exists(target)
        && ShowMsgBox(LangMsg(15) + QLatin1Char(' ') + ExtractFileName(target) + QLatin1Char(' ') + LangMsg(16),
                      mtWarning, mbYesNo) != mrYes) {
        FFileName.clear();
        UpdateCaption();
        return a_SaveAsExecute();
    }
    if (FHost.UseLastProjectPath())
        FHost.SetProjectPath(ExtractFilePath(FFileName));

    const QString work = FPreview.WorkFolder();
    WriteHtmlOptions(work + PageOptionsName, FPageOptions);
    FPreview.WriteMenuHtml(false);
    FPreview.SaveMenuXml(FDesign.BuildMenuXml(false, true, false));
    const QString text = FDesign.LoadPreviewMenuXml();
    // Written beside the target and renamed over it when complete: a failure leaves the old file.
    QString notSynced;
    try {
        WriteZipArchive(target, work, ProjectMemberNames(text, FDesign.CurrentMenuFileName));
    } catch (const EWrittenNotSynced &e) {
        // The project is in its file all the same: saved, with a word on what may yet be lost.
        notSynced = e.Message();
    }
    AddRecentProject(target);
    FDesign.SetModified(false);
    UpdateCaption();
    if (!notSynced.isEmpty())
        ShowMsgBox(notSynced, mtWarning, mbOK);
    return true;
}

bool TProjects::a_SaveAsExecute()
{
    TFileDialogSetup setup;
    setup.Filter = ProjectFilter(false);
    setup.InitialFolder = ExistingFolderOrDefault(FHost.ProjectPath(), AppPath(QStringLiteral("Projects\\")));
    setup.DefaultExt = ProjectExt.mid(1);
    const QString chosen = FHost.ChooseSaveFile(setup);
    if (chosen.isEmpty())
        return false;
    // Until the archive is written the project stays tied to the file it had.
    const QString had = std::exchange(FFileName, chosen);
    const auto keepHad = [this, &had] {
        FFileName = had;
        UpdateCaption();
    };
    try {
        if (a_SaveExecute())
            return true;
    } catch (...) {
        keepHad();
        throw;
    }
    keepHad();
    return false;
}

QString HandDesignToExchange(TMenuDesign &design, TPreviewSet &preview, const THtmlPageOptions &pageOptions)
{
    preview.SaveMenuXml(design.BuildMenuXml(false, false, false));
    WriteHtmlOptions(preview.WorkFolder() + PageOptionsName, pageOptions);
    for (const QString &name :
         {MenuXmlName, design.CurrentMenuFileName, PageOptionsName, QStringLiteral("AC_RunActiveContent.js")})
        preview.CopyPreviewFileToTemplatePreview(name);
    const TXMLUtils xml(design.LoadPreviewMenuXml());
    const QStringList media = DescribedMedia(xml);
    for (int i = 0; i < 3; ++i)
        preview.CopyPreviewFileToTemplatePreview(media[i]);
    const QString xmlText = xml.GetXml();
    for (int i = 3; i < media.size(); ++i)
        preview.CopyPreviewFileToTemplatePreview(media[i]);
    return xmlText;
}

void TProjects::a_OpenPreviewExecute()
{
    const QString xmlText = HandDesignToExchange(FDesign, FPreview, FPageOptions);
    if (!FHost.ShowMenuButtonsStyle(AppPath(QStringLiteral("Templates\\")), xmlText))
        return;

    FDesign.SetNoProject(false);
    TFlagGuard loading(FDesign.FLoading, 1);
    FPreview.CopyPreviewTemplateFile(MenuXmlName);
    const TXMLUtils xml(FDesign.LoadPreviewMenuXml());
    FDesign.CurrentMenuFileName = ExtractFileName(xml.GetMenuFileSrc());
    FPreview.CopyPreviewTemplateFile(FDesign.CurrentMenuFileName);
    FHost.ReloadButtonShortList();
    FDesign.ResetDesign(false);
    DeleteFolderFiles(FPreview.ExchangeFolder(), true);
    // The design now differs from its project file: closing must ask before the new style is lost.
    FDesign.SetModified(true);
}

void TProjects::Load_Recent()
{
    FRecentProjects = ReadRecentList(FSettingsFile);
    FHost.RecentProjectsChanged(FRecentProjects);
}

void TProjects::AddRecentProject(const QString &path)
{
    ::AddRecentProject(FSettingsFile, path);
    Load_Recent();
}

void TProjects::RecentList_Click(int tag)
{
    if (tag < 0 || tag >= FRecentProjects.size())
        return;
    WizardProjectFile = FRecentProjects[tag];
    if (!QFileInfo(WizardProjectFile).isFile()) {
        ShowMsgBox(LangMsg(42), mtWarning, mbOK);
        return;
    }
    if (ExtractFileExt(WizardProjectFile) != ProjectExt) {
        ShowMsgBox(LangMsg(43), mtWarning, mbOK);
        return;
    }
    // Unlike the wizard at start, this road can drop a modified project: ask first.
    OpenAfterQuestion([this] { return WizardProjectFile; });
}
