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

bool OpenOnDesktop(const std::function<bool(const QString &)> &open, const QString &target, DesktopTarget kind)
{
    if (!open || open(target))
        return true;
    const QString shown = QDir::toNativeSeparators(target);
    ShowMsgBox(kind == DesktopTarget::Page ? QStringLiteral("The page \"%1\" cannot be opened in the browser.").arg(shown)
                                           : QStringLiteral("The folder \"%1\" cannot be opened.").arg(shown),
               mtError, mbOK);
    return false;
}

bool OpenFolderInShell(const QString &folder)
{
    return OpenOnDesktop(opener(), folder, DesktopTarget::Folder);
}
