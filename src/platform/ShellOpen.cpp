#include "ShellOpen.h"

#include "Messages.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace {

FolderOpener &opener()
{
    static FolderOpener o = [](const QString &folder) { return QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); };
    return o;
}

} // namespace

FolderOpener SetFolderOpener(FolderOpener o)
{
    FolderOpener previous = std::move(opener());
    opener() = std::move(o);
    return previous;
}

bool OpenFolderInShell(const QString &folder)
{
    if (!opener() || opener()(folder))
        return true;
    ShowMsgBox(QStringLiteral("The folder \"%1\" cannot be opened.").arg(QDir::toNativeSeparators(folder)), mtError,
               mbOK);
    return false;
}
