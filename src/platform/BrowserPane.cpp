#include "BrowserPane.h"

#include "Messages.h"

#include <QDesktopServices>
#include <QDir>
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
    if (!opener() || opener()(localPath))
        return true;
    ShowMsgBox(QStringLiteral("The page \"%1\" cannot be opened in the browser.").arg(QDir::toNativeSeparators(localPath)),
               mtError, mbOK);
    return false;
}
