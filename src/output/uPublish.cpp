#include "uPublish.h"

#include "BrowserPane.h"
#include "Conversions.h"
#include "Errors.h"
#include "MessageBox.h"
#include "Messages.h"
#include "OwnThread.h"
#include "Paths.h"
#include "ShellOpen.h"
#include "Temporaries.h"
#include "uDesign.h"
#include "uGlobal.h"
#include "uHtmlOptions.h"
#include "uPageWriters.h"
#include "uPreview.h"
#include "uXMLUtils.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString MenuXmlName = QStringLiteral("flashmenu.xml");
const QString IndexPageName = QStringLiteral("index.htm");
const QString MediaFolderName = QStringLiteral("flashmenu");
const QString ScriptFileName = QStringLiteral("AC_RunActiveContent.js");
// What the two page types take from the template folder beside their pages, in this order.
const QStringList PageSiteFiles{QStringLiteral("style.css"), ScriptFileName, QStringLiteral("tvnr.gif")};

QString CleanPath(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

void MakeFolder(const QString &folder)
{
    if (!QDir().mkpath(folder))
        throw Exception(QStringLiteral("Cannot create folder \"%1\".").arg(folder));
}

} // namespace

TPublisher::TPublisher(TMenuDesign &design, const THtmlPageOptions &pageOptions, TPreviewSet &preview,
                       IPublishHost &host)
    : FDesign(design), FPageOptions(pageOptions), FPreview(preview), FHost(host)
{
}

QString TPublisher::a_PublishExecute(TPublishPathSetting &paths)
{
    FWritten.clear();
    FPublishedXml.clear();
    FPublished.LoadXml(QString());
    FMenuPagePublished = false;
    FPreview.SaveMenuXml(FDesign.BuildMenuXml(false, false, false));
    const QString optionsFile = FPreview.WorkFolder() + QStringLiteral("HTMLOptions.xml");
    WriteHtmlOptions(optionsFile, FPageOptions, FileSync::Unsynced);
    FOptionsText = ReadUtf8File(optionsFile);

    const QString answer = FHost.ShowPublishSettings(FDesign.FPublishOutputType, FDesign.FPublishMenuSide);
    if (answer == QLatin1String("-1"))
        return QString();
    const int kind = StrToInt(answer.section(QLatin1Char('='), 0, 0));
    const int side = StrToInt(answer.section(QLatin1Char('='), 1));
    FDesign.FPublishOutputType = kind;
    FDesign.FPublishMenuSide = side;
    if (kind < pkMenuOnly || kind > pkCdRom)
        return QString();

    const QString chosen = AskPublishFolder(paths.PublishPath);
    if (chosen.isEmpty())
        return QString();
    const QString outFolder = WithSlash(chosen);
    // Publishing over the working folder would mix the published files into the project.
    if (IsInWorkFolder(outFolder)) {
        ShowMsgBox(LangMsg(13) + QStringLiteral("\r\n") + outFolder, mtWarning, mbOK);
        return QString();
    }

    try {
        WriteOutput(kind, outFolder, paths);
    } catch (...) {
        // Nothing was published; the preview must not keep the published page form.
        if (FMenuPagePublished) {
            try {
                FPreview.RefreshPreview();
            } catch (...) {
            }
        }
        throw;
    }

    if (kind == pkCdRom) {
        FPreview.RefreshPreview();
        ReportCdRom(outFolder);
    } else {
        AskOpenPublishedPage(outFolder + (kind == pkMenuOnly ? MenuPageFileName : IndexPageName));
        FPreview.RefreshPreview();
    }
    return outFolder;
}

void TPublisher::WriteOutput(int kind, const QString &outFolder, TPublishPathSetting &paths)
{
    // What a publish killed half-way left where this one writes; the media's own sub-folders are
    // cleaned as they are written.
    FCleaned.clear();
    RemoveLeftoverTemporaries(outFolder);
    CleanOnce(outFolder, MediaFolderName);
    try {
        WriteOutputFiles(kind, outFolder, paths);
    } catch (...) {
        // A copy started earlier that failed is the failure to report, and the caller's clean-up
        // must not race with copies still reading the working folder.
        FinishBackgroundWrites();
        throw;
    }
    FinishBackgroundWrites();
}

void TPublisher::InBackground(const std::function<void()> &write)
{
    FBackgroundWrites.push_back(RunOnOwnThread(write));
}

void TPublisher::FinishBackgroundWrites()
{
    std::exception_ptr first;
    for (std::future<void> &write : FBackgroundWrites) {
        try {
            write.get();
        } catch (...) {
            if (!first)
                first = std::current_exception();
        }
    }
    FBackgroundWrites.clear();
    if (first)
        std::rethrow_exception(first);
}

void TPublisher::WriteOutputFiles(int kind, const QString &outFolder, TPublishPathSetting &paths)
{
    // Made before the first write, as some writes run on threads of their own.
    MakeFolder(outFolder);
    WriteDescription(outFolder, paths);
    CopyIfPresent(SafePathUnder(FPreview.WorkFolder(), FDesign.CurrentMenuFileName), outFolder + PublishedMovieName,
                  FileSync::Unsynced);
    switch (kind) {
    case pkMenuOnly:
        WriteMenuPage(outFolder);
        CopyTemplateFiles(outFolder, {ScriptFileName});
        CopyPublishExtras(outFolder, false, false);
        break;
    case pkFramePages:
        CopyTemplateFiles(outFolder, PageSiteFiles);
        WriteMenuPage(outFolder);
        WriteFramePage(PageContext(), outFolder + IndexPageName, FDesign.FPublishMenuSide);
        NoteWritten(outFolder + IndexPageName);
        CopyPublishExtras(outFolder, true, false);
        break;
    case pkNonFramePages:
        CopyTemplateFiles(outFolder, PageSiteFiles);
        WriteNonFramePage(PageContext(), outFolder + IndexPageName, FDesign.FPublishMenuSide, true);
        NoteWritten(outFolder + IndexPageName);
        CopyPublishExtras(outFolder, false, false);
        break;
    default: // pkCdRom
        CopyTemplateFiles(outFolder, {ScriptFileName});
        WriteMenuPage(outFolder);
        CopyPublishExtras(outFolder, false, true);
        break;
    }
}

void TPublisher::WriteDescription(const QString &outFolder, TPublishPathSetting &paths)
{
    if (paths.UseLastPublishPath)
        paths.PublishPath = outFolder;
    // Saved as the preview set saves into a folder, keeping what the closing copies read.
    FPublishedXml = MenuXmlFileBytes(FDesign.BuildMenuXml(false, true, true), FDesign.FDemoBlock, &FPublished.Document());
    InBackground([outFolder, xml = FPublishedXml] { WriteMenuXmlFiles(outFolder, xml); });
    NoteWritten(outFolder + MenuXmlName);
    NoteWritten(outFolder + MenuXmlScriptName);
}

void TPublisher::WriteMenuPage(const QString &outFolder)
{
    FMenuPagePublished = true;
    ::WriteMenuHtml(PageContext(), QStringLiteral("MenuPreview\\"), true);
    CopyIfPresent(FPreview.WorkFolder() + MenuPageFileName, outFolder + MenuPageFileName);
}

void TPublisher::CopyTemplateFiles(const QString &outFolder, const QStringList &names)
{
    for (const QString &name : names)
        CopyIfPresent(FindPageTemplate(FDesign.ProgramFolder(), FDesign.IsHorizontal(), name), outFolder + name);
}

QString TPublisher::AskPublishFolder(const QString &remembered)
{
    const QString start =
        ExistingFolderOrDefault(remembered, NativePath(FDesign.ProgramFolder(), QStringLiteral("Publish\\")));
    return FHost.BrowseForFolder(LangMsg(11), start);
}

void TPublisher::CopyPublishExtras(const QString &outFolder, bool mainBody, bool starter)
{
    if (starter) {
        // autorun.inf opens the menu page itself, so no starter program ships; one put in the
        // templates folder (autorun.exe) goes onto the CD-ROM beside it.
        const QString templates = NativePath(FDesign.ProgramFolder(), QStringLiteral("Templates\\"));
        for (const QString &name : {QStringLiteral("autorun.inf"), QStringLiteral("autorun.exe")})
            CopyIfPresent(FindTemplateFile(templates, name), outFolder + name);
    }
    if (mainBody && CopyContentPage(FDesign.ProgramFolder(), FDesign.IsHorizontal(), outFolder))
        NoteWritten(outFolder + ContentPageFileName);
    MakeFolder(outFolder + MediaFolderName);

    // The description this publish has just written there, as it was written.
    FDesign.NoteLoadedMenuXml(FPublished.Document(), FPublishedXml);
    const TXMLUtils &description = FPublished;
    CopyPreviewFileTo(outFolder, description.GetBackgroundSrc());
    CopyPreviewFileTo(outFolder, description.GetSoundSrc());
    CopyPreviewFileTo(outFolder, description.GetMainImgSrc());
    for (int number = 1; number <= 4; ++number)
        CopyPreviewFileTo(outFolder, description.GetIconLinkImg(number));
}

void TPublisher::CopyPreviewFileTo(const QString &outFolder, const QString &name)
{
    if (name.isEmpty())
        return;
    const QString source = SafePathUnder(FPreview.WorkFolder(), name);
    const QString target = SafePathUnder(outFolder, name);
    if (source.isEmpty() || target.isEmpty() || !QFileInfo(source).isFile() || FWritten.contains(CleanPath(target)))
        return;
    MakeFolder(QFileInfo(target).absolutePath());
    QStringList folder = SplitNameParts(name);
    folder.removeLast();
    CleanOnce(outFolder, folder.join(QLatin1Char('/')));
    CopyIfPresent(source, target, FileSync::Unsynced);
}

void TPublisher::CleanOnce(const QString &outFolder, const QString &subFolder)
{
    if (!subFolder.isEmpty() && !FCleaned.contains(subFolder)) {
        FCleaned.insert(subFolder);
        RemoveLeftoverTemporaries(outFolder, Leftovers::Files, subFolder);
    }
}

void TPublisher::AskOpenPublishedPage(const QString &page)
{
    const QString text = LangMsg(45) + QStringLiteral(" [ ") + ExtractFilePath(page) + QStringLiteral(" ]\r\n") + LangMsg(46);
    if (ShowMsgBox(text, mtAlert, mbYesNo) == mrYes)
        OpenPageInBrowser(page);
}

void TPublisher::ReportCdRom(const QString &outFolder)
{
    const QString breakLine = QStringLiteral("\n\r");
    ShowMsgBox(LangMsg(14) + breakLine + outFolder + breakLine + breakLine + LangMsg(109), mtInformation, mbOK);
    OpenFolderInShell(outFolder);
}

void TPublisher::CopyIfPresent(const QString &source, const QString &target, FileSync sync)
{
    if (source.isEmpty() || !QFileInfo(source).isFile())
        return;
    InBackground([source, target, sync] {
        QString reason;
        if (!CopyFileCompat(source, target, sync, &reason))
            throw Exception(QStringLiteral("Cannot copy file \"%1\" to \"%2\". %3").arg(source, target, reason));
    });
    NoteWritten(target);
}

void TPublisher::NoteWritten(const QString &path)
{
    FWritten.insert(CleanPath(path));
}

TPageContext TPublisher::PageContext() const
{
    TPageContext ctx = FPreview.PageContext();
    ctx.PageOptions = FOptionsText;
    return ctx;
}

bool TPublisher::IsInWorkFolder(const QString &folder) const
{
    const QString work = QFileInfo(FPreview.WorkFolder()).canonicalFilePath();
    const QString target = QFileInfo(folder).canonicalFilePath();
    return !work.isEmpty() && !target.isEmpty() && (target == work || target.startsWith(WithSlash(work)));
}

QString a_PublishExecute(TMenuDesign &design, const THtmlPageOptions &pageOptions, TPreviewSet &preview,
                         IPublishHost &host, TPublishPathSetting &paths)
{
    TPublisher publisher(design, pageOptions, preview, host);
    return publisher.a_PublishExecute(paths);
}
