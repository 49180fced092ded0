#include "BrowserPane.h"

#include "ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

PageOpener &opener()
{
    static PageOpener o = [](const QString &path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    return o;
}

} // namespace

PageOpener SetPageOpener(PageOpener o)
{
    PageOpener previous = std::move(opener());
    opener() = std::move(o);
    return previous;
}

bool OpenPageInBrowser(const QString &localPath)
{
    return OpenOnDesktop(opener(), localPath, DesktopTarget::Page);
}
