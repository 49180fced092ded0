#include "BrowserPane.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

PageOpener &opener()
{
    static PageOpener o = [](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    return o;
}

} // namespace

PageOpener SetPageOpener(PageOpener o)
{
    PageOpener previous = std::move(opener());
    opener() = std::move(o);
    return previous;
}

void OpenPageInBrowser(const QString &localPath)
{
    if (opener())
        opener()(localPath);
}
