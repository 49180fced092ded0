#include "ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

FolderOpener &opener()
{
    static FolderOpener o = [](const QString &folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); };
    return o;
}

} // namespace

FolderOpener SetFolderOpener(FolderOpener o)
{
    FolderOpener previous = std::move(opener());
    opener() = std::move(o);
    return previous;
}

void OpenFolderInShell(const QString &folder)
{
    if (opener())
        opener()(folder);
}
