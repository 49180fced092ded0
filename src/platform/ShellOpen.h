#pragma once
// Pages, addresses and folders handed to the desktop. Replaceable openers, so tests record them and
// open nothing.
#include <QString>
#include <functional>

// What the desktop is asked to open: a page (a local file or a web address) in the browser, or a
// folder in the file manager.
enum class DesktopTarget { Page, Folder };

// Hands target to open, which answers false when the desktop cannot open it; no opener opens
// nothing and counts as done. A target the desktop cannot open is reported in an error box; false then.
bool OpenOnDesktop(const std::function<bool(const QString &)> &open, const QString &target, DesktopTarget kind);

// False when the desktop cannot open the folder.
using FolderOpener = std::function<bool(const QString &folder)>;
// Installs the opener and returns the previous one.
FolderOpener SetFolderOpener(FolderOpener opener);
// A folder the desktop cannot open is reported in an error box; false then.
bool OpenFolderInShell(const QString &folder);
