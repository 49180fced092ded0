#pragma once
// The folder dialog and the open-file dialog, replaceable so that a test answers them and no test
// waits for a person.
#include <QString>
#include <functional>

class QWidget;

// owner, title, start folder (may be "" or missing) -> chosen folder, "" when cancelled.
using FolderPicker = std::function<QString(QWidget *, const QString &, const QString &)>;
FolderPicker SetFolderPicker(FolderPicker picker);

// Shows the folder dialog opened at startFolder (no preselection when it is "" or does not exist).
// Returns the chosen folder without a trailing "/" (the root keeps its "/"), or "" when the dialog
// was cancelled or the choice is not an existing folder.
QString BrowseForFolderCompat(QWidget *owner, const QString &title, const QString &startFolder);

// owner, title, start folder, Qt name filter -> chosen file, "" when cancelled.
using OpenFilePicker = std::function<QString(QWidget *, const QString &, const QString &, const QString &)>;
OpenFilePicker SetOpenFilePicker(OpenFilePicker picker);

// A filter in the stored form "Label (*.a;*.b)|*.a;*.b|Other|*.c" as the toolkit's name filters
// "Label (*.a *.b);;Other (*.c)": each label loses a pattern list it carries itself and gets the
// patterns of its pair.
QString QtNameFilter(const QString &storedFilter);

// Shows the open-file dialog; storedFilter in the stored form above. "" when cancelled.
QString OpenFileDialog(QWidget *owner, const QString &title, const QString &startFolder,
                       const QString &storedFilter);
