#include "uPreview.h"

#include "BrowserPane.h"
#include "Errors.h"
#include "FileWrite.h"
#include "Paths.h"
#include "XmlDom.h"
#include "uDesign.h"
#include "uGlobal.h"
#include "uHtmlOptions.h"
#include "uMenuXml.h"
#include "uPageBuilder.h"

#include <QFileInfo>
#include <algorithm>

namespace {

const QString MenuXmlName = QStringLiteral("flashmenu.xml");
const QString ScriptName = QStringLiteral("AC_RunActiveContent.js");

} // namespace

const QString MenuXmlScriptName = QStringLiteral("flashmenu.xml.js");

QByteArray MenuXmlScript(const QByteArray &xmlBytes)
{
    static constexpr char Head[] = "window.TvnrMenuXml = \"";
    static constexpr char Tail[] = "\";\n";
    static constexpr char Hex[] = "0123456789abcdef";
    const QString text = QString::fromUtf8(xmlBytes);
    // Written in place into room for the longest form (six bytes a unit), then cut to size: the
    // description of a large menu is hundreds of thousands of units.
    QByteArray out(qsizetype(sizeof Head + sizeof Tail) + text.size() * 6, Qt::Uninitialized);
    char *p = std::copy_n(Head, sizeof Head - 1, out.data());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '"') {
            *p++ = '\\';
            *p++ = char(u);
        } else if (u == '\n') {
            *p++ = '\\';
            *p++ = 'n';
        } else if (u == '\r') {
            *p++ = '\\';
            *p++ = 'r';
        // "<" and ">" escaped too, so no "</script>" or "<!--" can appear in the file.
        } else if (u >= 0x20 && u < 0x7F && u != '<' && u != '>') {
            *p++ = char(u);
        } else {
            *p++ = '\\';
            *p++ = 'u';
            for (int shift = 12; shift >= 0; shift -= 4)
                *p++ = Hex[(u >> shift) & 0xF];
        }
    }
    p = std::copy_n(Tail, sizeof Tail - 1, p);
    out.truncate(p - out.constData());
    return out;
}

void WriteMenuXmlFiles(const QString &folder, const QByteArray &xmlBytes, FileSync sync)
{
    WriteFileWhole(WithSlash(folder) + MenuXmlName, xmlBytes, sync);
    WriteFileWhole(WithSlash(folder) + MenuXmlScriptName, MenuXmlScript(xmlBytes), sync);
}

void SaveMenuXmlFile(const QString &folder, const QString &text, const QString &demoBlock, FileSync sync)
{
    pugi::xml_document doc;
    QString reason;
    if (!ParseXml(doc, BlankDemoElement(text), &reason))
        throw Exception(QStringLiteral("XML format is incorrect.") + QLatin1Char(' ') + reason);
    // One write of the final text, so the old file is replaced only by a whole new one.
    const QByteArray saved = XmlDocumentBytes(doc);
    const QString savedText = QString::fromUtf8(saved);
    const QString spliced = SpliceDemoText(savedText, demoBlock);
    const QByteArray bytes = spliced == savedText ? saved : Utf8WithBom(spliced);
    WriteMenuXmlFiles(folder, bytes, sync);
}

TPreviewSet::TPreviewSet(TMenuDesign &design, const THtmlPageOptions &pageOptions, IPreviewHost &host)
    : FDesign(design), FPageOptions(pageOptions), FHost(host)
{
}

QString TPreviewSet::WorkFolder() const
{
    return NativePath(FDesign.ProgramFolder(), QStringLiteral("MenuPreview\\"));
}

QString TPreviewSet::TemplateHtmlFile(const QString &name) const
{
    return FindPageTemplate(FDesign.ProgramFolder(), FDesign.IsHorizontal(), name);
}

void TPreviewSet::SaveMenuXml(const QString &text, const QString &folder)
{
    // The working folder's copy is made again at every refresh; a published one is the user's.
    if (folder.isEmpty())
        SaveMenuXmlFile(WorkFolder(), text, FDesign.FDemoBlock, FileSync::Unsynced);
    else
        SaveMenuXmlFile(folder, text, FDesign.FDemoBlock);
}

QString TPreviewSet::ExchangeFolder() const
{
    return NativePath(FDesign.ProgramFolder(), QStringLiteral("Templates\\Preview\\"));
}

void TPreviewSet::CopyUnder(const QString &fromFolder, const QString &toFolder, const QString &name)
{
    const QString from = SafePathUnder(fromFolder, name);
    const QString to = SafePathUnder(toFolder, name);
    if (!from.isEmpty() && !to.isEmpty())
        CopyFileCompat(from, to);
}

void TPreviewSet::CopyPreviewTemplateFile(const QString &name)
{
    CopyUnder(ExchangeFolder(), WorkFolder(), name);
}

void TPreviewSet::CopyPreviewFileToTemplatePreview(const QString &name)
{
    CopyUnder(WorkFolder(), ExchangeFolder(), name);
}

TPageContext TPreviewSet::PageContext() const
{
    TPageContext ctx;
    ctx.Env.ProgramFolder = FDesign.ProgramFolder();
    ctx.Env.UseActiveContentJS = FHost.UseActiveContentJS();
    ctx.Horizontal = FDesign.IsHorizontal();
    if (BrowserPane *pane = FHost.Browser()) {
        ctx.PaneWidth = pane->Size().width();
        ctx.PaneHeight = pane->Size().height();
    }
    ctx.BackgroundWidth = FDesign.FStoreOptions.BackgroundWidth;
    ctx.BackgroundHeight = FDesign.FStoreOptions.BackgroundHeight;
    ctx.FitPageWidth = FDesign.FStoreOptions.FitPageWidth != 0;
    ctx.FitPageHeight = FDesign.FStoreOptions.FitPageHeight != 0;
    ctx.MenuFileName = FDesign.CurrentMenuFileName;
    return ctx;
}

QString TPreviewSet::WritePageOptions() const
{
    const QString optionsFile = WorkFolder() + QStringLiteral("HTMLOptions.xml");
    WriteHtmlOptions(optionsFile, FPageOptions, FileSync::Unsynced);
    return ReadUtf8File(optionsFile);
}

void TPreviewSet::WriteMenuHtml(bool forPublish)
{
    TPageContext ctx = PageContext();
    ctx.PageOptions = WritePageOptions();
    ::WriteMenuHtml(ctx, QStringLiteral("MenuPreview\\"), forPublish);
}

void TPreviewSet::RefreshPreview()
{
    if (FDesign.FNoProject)
        return;
    FHost.StopRefreshTimer();
    SaveMenuXml(FDesign.BuildMenuXml(false, false, false));
    if (!QFileInfo::exists(WorkFolder() + ScriptName)) {
        const QString script = TemplateHtmlFile(ScriptName);
        if (!script.isEmpty())
            CopyFileCompat(script, WorkFolder() + ScriptName);
    }
    WriteMenuHtml(false);
    if (BrowserPane *pane = FHost.Browser())
        pane->Navigate(WorkFolder() + MenuPageFileName);
}

void TPreviewSet::a_PreviewExecute()
{
    if (FDesign.FNoProject)
        return;
    if (FHost.ShowSecureReminder() && FHost.RunSecureReminder())
        FHost.SetShowSecureReminder(false);
    // The frameset's content frame asks for "mainbody.htm" by that exact name.
    CopyContentPage(FDesign.ProgramFolder(), FDesign.IsHorizontal(), WorkFolder());
    for (const char *name : {"style.css", "AC_RunActiveContent.js", "tvnr.gif"}) {
        const QString source = TemplateHtmlFile(QString::fromLatin1(name));
        if (!source.isEmpty())
            CopyFileCompat(source, WorkFolder() + QString::fromLatin1(name));
    }
    const QString index = WorkFolder() + QStringLiteral("index.htm");
    TPageContext ctx = PageContext();
    ctx.PageOptions = WritePageOptions();
    WriteFramePage(ctx, index, FDesign.FPublishMenuSide);
    OpenPageInBrowser(index);
}
