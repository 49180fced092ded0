#include "GalleryShared.h"

#include "Errors.h"
#include "FileWrite.h"
#include "Paths.h"
#include "TextEncoding.h"
#include "WebBrowserPane.h"
#include "XmlDom.h"
#include "uGlobal.h"
#include "uPageBuilder.h"
#include "uPageWriters.h"
#include "uPreview.h"
#include "uProgramStart.h"
#include "uSettings.h"
#include "uXMLUtils.h"

#include <QFile>
#include <QLayout>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

std::unique_ptr<BrowserPane> MakeWebBrowserPane(QWidget *parent)
{
    auto *view = new QWebEngineView(parent);
    view->setObjectName(QStringLiteral("WebBrowser"));
    view->setFocusPolicy(Qt::NoFocus);
    view->setContextMenuPolicy(Qt::NoContextMenu);
    // The page starts at once, so that the view's drawing surface stands before the dialog's window
    // is made. On a desktop that draws it through OpenGL, a window made first is made anew for it,
    // and a modal dialog's window made anew is modal no more: the window behind would take keys
    // and clicks while the dialog is open.
    view->setUrl(QUrl(QStringLiteral("about:blank")));
    if (!parent->layout())
        new QVBoxLayout(parent);
    parent->layout()->setContentsMargins(0, 0, 0, 0);
    parent->layout()->addWidget(view);
    return std::make_unique<WebBrowserPane>(view);
}

namespace {

BrowserPaneFactory &paneFactory()
{
    static BrowserPaneFactory factory = MakeWebBrowserPane;
    return factory;
}

} // namespace

BrowserPaneFactory SetBrowserPaneFactory(BrowserPaneFactory factory)
{
    BrowserPaneFactory previous = std::move(paneFactory());
    paneFactory() = factory ? std::move(factory) : BrowserPaneFactory(MakeWebBrowserPane);
    return previous;
}

std::unique_ptr<BrowserPane> MakeBrowserPane(QWidget *parent)
{
    return paneFactory()(parent);
}

const TOptions &TGallerySetup::Opts() const
{
    return Settings ? *Settings : Options;
}

QString TGallerySetup::OrientPath(const QString &sub) const
{
    return NativePath(ProgramFolder, QStringLiteral("Templates\\") + OrientationFolder(Horizontal, sub));
}

QString TGallerySetup::ExchangeFolder() const
{
    return NativePath(ProgramFolder, QStringLiteral("Templates\\Preview\\"));
}

QSize GalleryPreviewSize(const TXMLUtils &xml, const BrowserPane *pane)
{
    int width = xml.GetBackgroundWidth();
    int height = xml.GetBackgroundHeight();
    if (pane) {
        const QSize size = pane->Size();
        if (size.width() < width)
            width = size.width() - 8;
        if (size.height() < height)
            height = size.height();
    }
    return QSize(width, height);
}

void WriteGalleryPreview(const TGallerySetup &setup, BrowserPane *pane, const pugi::xml_document &doc,
                         const QString &movieName, const QSize &size)
{
    const QString folder = setup.ExchangeFolder();
    WriteMenuXmlFiles(folder, XmlDocumentBytes(doc));

    QString optionsText;
    QFile options(folder + QStringLiteral("HTMLOptions.xml"));
    if (options.open(QIODevice::ReadOnly))
        optionsText = DecodeXmlText(options.readAll());

    TTemplateEnv env;
    env.ProgramFolder = setup.ProgramFolder;
    env.UseActiveContentJS = setup.Opts().UseActiveContentJS;
    const QString page = BuildTemplatePage(env, optionsText, movieName, size.width(), size.height(), false,
                                           setup.Horizontal, false);
    WritePageFile(folder + MenuPageFileName, page);
    if (pane)
        pane->Navigate(folder + MenuPageFileName);
}

void PutRecentButtonFirst(const QString &base, bool horizontal)
{
    QStringList &top = horizontal ? HorzTop : VertTop;
    const QStringList &specific = horizontal ? HorzTopSpec : VertTopSpec;
    if (specific.contains(base, Qt::CaseInsensitive))
        return;
    top.removeIf([&](const QString &name) { return name.compare(base, Qt::CaseInsensitive) == 0; });
    top.prepend(base);
    while (top.size() > 12)
        top.removeLast();
}
