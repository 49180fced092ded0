#include "uPageWriters.h"

#include "Errors.h"
#include "FileWrite.h"
#include "Paths.h"

#include <QFile>
#include <algorithm>

namespace {

QString MovieName(const TPageContext &ctx, bool forPublish)
{
    return forPublish ? PublishedMovieName : ctx.MenuFileName;
}

} // namespace

void WritePageFile(const QString &path, const QString &text, FileSync sync)
{
    WriteFileWhole(path, Utf8WithBom(text), sync);
}

void WriteMenuHtml(const TPageContext &ctx, const QString &subFolder, bool forPublish)
{
    int width = ctx.BackgroundWidth;
    int height = ctx.BackgroundHeight;
    if (forPublish) {
        // A vertical menu on the published page is as wide as the pane the user designed it in.
        if (!ctx.Horizontal)
            width = ctx.PaneWidth;
    } else if (ctx.Horizontal) {
        height = std::min(ctx.BackgroundHeight, ctx.PaneHeight);
    } else {
        width = std::min(ctx.BackgroundWidth, ctx.PaneWidth);
    }
    const bool fit = ctx.Horizontal ? ctx.FitPageWidth : ctx.FitPageHeight;
    const QString page = BuildTemplatePage(ctx.Env, ctx.PageOptions, MovieName(ctx, forPublish), width, height,
                                           forPublish, ctx.Horizontal, fit);
    // The working folder's menu page is made again at every refresh; publishing copies it out.
    WritePageFile(NativePath(ctx.Env.ProgramFolder, subFolder + MenuPageFileName), page, FileSync::Unsynced);
}

void WriteFramePage(const TPageContext &ctx, const QString &fileName, int menuSide)
{
    if (fileName.isEmpty())
        return;
    const QString page = BuildFramePage(ctx.Env, ctx.PageOptions, true, ctx.Horizontal, ctx.PaneWidth, menuSide);
    WritePageFile(fileName, page);
}

QString BuildMenuHtmlBody(const TPageContext &ctx, bool forPublish)
{
    const int width = ctx.Horizontal ? ctx.BackgroundWidth : ctx.PaneWidth;
    const bool fit = ctx.Horizontal && ctx.FitPageWidth;
    const QString page = BuildTemplatePage(ctx.Env, ctx.PageOptions, MovieName(ctx, forPublish), width,
                                           ctx.BackgroundHeight, false, ctx.Horizontal, fit);
    return CutPageBody(page);
}

QString ReadTemplateMainBody(const QString &programFolder, bool horizontal)
{
    const QString name = QStringLiteral("MainBody.htm");
    QString path = FindPageTemplate(programFolder, horizontal, name);
    if (path.isEmpty()) // reported with the path it was looked for under
        path = NativePath(programFolder, QStringLiteral("Templates\\") + OrientationFolder(horizontal, QStringLiteral("HTML\\")) + name);
    return CutPageBody(ReadUtf8File(path));
}

void WriteNonFramePage(const TPageContext &ctx, const QString &fileName, int menuSide, bool forPublish)
{
    if (fileName.isEmpty())
        return;
    const QString menuBody = BuildMenuHtmlBody(ctx, forPublish);
    const QString contentBody = ReadTemplateMainBody(ctx.Env.ProgramFolder, ctx.Horizontal);
    const QString page = BuildNonFramePage(ctx.Env, ctx.PageOptions, menuBody, contentBody, menuSide,
                                           ctx.Horizontal, true);
    WritePageFile(fileName, page);
}

bool CopyContentPage(const QString &programFolder, bool horizontal, const QString &folder)
{
    const QString source = FindPageTemplate(programFolder, horizontal, QStringLiteral("MainBody.htm"));
    if (source.isEmpty())
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    WriteFileWhole(WithSlash(folder) + ContentPageFileName, bytes);
    return true;
}
