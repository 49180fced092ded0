#pragma once
// Publishing: the open project written as a folder a web site or a CD-ROM can carry. The menu
// description in its publishing form, the movie as flashmenu.swf, the output type's template files
// and pages, and the media the description names, under flashmenu/.
#include "FileWrite.h"
#include "uXMLUtils.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <future>
#include <vector>

class TMenuDesign;
class TPreviewSet;
struct THtmlPageOptions;
struct TPageContext;

// Output types, numbered as the publish settings dialog returns them.
enum TPublishKind { pkMenuOnly = 0, pkFramePages = 1, pkNonFramePages = 2, pkCdRom = 3 };

// What publishing needs of the window: its two dialogs.
class IPublishHost {
public:
    virtual ~IPublishHost() = default;
    // The publish settings dialog, preselecting kind and side: "-1" when cancelled, otherwise the
    // kind, "=" and the side (1 right, -1 left or not applicable), e.g. "1=1" or "3=-1".
    virtual QString ShowPublishSettings(int kind, int side) = 0;
    // The folder dialog owned by the application window: the chosen folder, "" when cancelled.
    virtual QString BrowseForFolder(const QString &title, const QString &startFolder) = 0;
};

// The two publish settings; PublishPath comes back changed when UseLastPublishPath is on.
struct TPublishPathSetting {
    QString PublishPath;
    bool UseLastPublishPath = false;
};

class TPublisher {
public:
    // preview: the working folder's page set, whose refresh closes every publish.
    TPublisher(TMenuDesign &design, const THtmlPageOptions &pageOptions, TPreviewSet &preview, IPublishHost &host);

    // The whole publish: rewrites the working folder's description and page options, asks for the
    // output type and the folder, writes the output folder and rebuilds the preview. Returns the
    // output folder (with "/"), "" when a dialog was cancelled or the folder was refused.
    // A failure raises Exception with its text; files already written stay, nothing is reported as
    // published, and the working folder's menu page is put back into its preview form.
    QString a_PublishExecute(TPublishPathSetting &paths);

    // The folder dialog, starting in remembered when that folder exists, else in <program>/Publish/.
    // "" when cancelled.
    QString AskPublishFolder(const QString &remembered);
    // Working folder + name over outFolder + name. Names that climb out of either folder, that do
    // not name a file, or that would replace a file this publish wrote copy nothing.
    void CopyPreviewFileTo(const QString &outFolder, const QString &name);
    // Removes what a killed publish left in a sub-folder of the output folder, once per publish.
    void CleanOnce(const QString &outFolder, const QString &subFolder);
    // Offers to open the published page in the desktop's browser.
    void AskOpenPublishedPage(const QString &page);

private:
    // The files of one output type into outFolder; the caller asks and refreshes afterwards.
    // Returns or raises only once every copy it started has ended; raises the first failure in the
    // order the files were started.
    void WriteOutput(int kind, const QString &outFolder, TPublishPathSetting &paths);
    void WriteOutputFiles(int kind, const QString &outFolder, TPublishPathSetting &paths);
    // The kernel copies one file at a time per thread, so the files are copied, and the pages
    // synced, on threads of their own, side by side; a publish starts thirteen at most. A copy that
    // gets no thread is done here and now.
    void InBackground(const std::function<void()> &write);
    void FinishBackgroundWrites();
    void WriteDescription(const QString &outFolder, TPublishPathSetting &paths);
    // The closing copies: starter files, the content page, flashmenu/ and the media of the
    // description WriteDescription wrote in outFolder. Raises when a file that is there cannot be copied.
    void CopyPublishExtras(const QString &outFolder, bool mainBody, bool starter);
    void WriteMenuPage(const QString &outFolder);
    void CopyTemplateFiles(const QString &outFolder, const QStringList &names);
    // source over target, in the background, when source is a regular file; a present file that
    // cannot be copied raises. Media are left for the system to write back (large, and still held by
    // the working folder); pages and template files are synced.
    void CopyIfPresent(const QString &source, const QString &target, FileSync sync = FileSync::Durable);
    void NoteWritten(const QString &path);
    TPageContext PageContext() const;
    bool IsInWorkFolder(const QString &folder) const;
    void ReportCdRom(const QString &outFolder);

    TMenuDesign &FDesign;
    const THtmlPageOptions &FPageOptions;
    TPreviewSet &FPreview;
    IPublishHost &FHost;
    QString FOptionsText;       // HTMLOptions.xml as this publish wrote it
    QByteArray FPublishedXml;   // the output folder's flashmenu.xml as this publish wrote it
    TXMLUtils FPublished;       // and its document (the demo block blank)
    QSet<QString> FWritten;     // output files this publish wrote, which media never replace
    QSet<QString> FCleaned;     // the sub-folders of the output folder cleaned of leftovers
    std::vector<std::future<void>> FBackgroundWrites;  // in the order they were started
    bool FMenuPagePublished = false;  // the working folder's flashmenu.htm holds the published form
};

// One publish with a publisher made for it.
QString a_PublishExecute(TMenuDesign &design, const THtmlPageOptions &pageOptions, TPreviewSet &preview,
                         IPublishHost &host, TPublishPathSetting &paths);
