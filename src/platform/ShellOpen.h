#pragma once
// Opens a folder in the desktop's file manager. Replaceable, so tests record it and open nothing.
#include <QString>
#include <functional>

// False when the desktop cannot open the folder.
using FolderOpener = std::function<bool(const QString &folder)>;
// Installs the opener and returns the previous one.
FolderOpener SetFolderOpener(FolderOpener opener);
// A folder the desktop cannot open is reported in an error box; false then.
bool OpenFolderInShell(const QString &folder);
