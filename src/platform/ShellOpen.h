#pragma once
// Opens a folder in the desktop's file manager. Replaceable, so tests record it and open nothing.
#include <QString>
#include <functional>

using FolderOpener = std::function<void(const QString &folder)>;
// Installs the opener and returns the previous one.
FolderOpener SetFolderOpener(FolderOpener opener);
void OpenFolderInShell(const QString &folder);
