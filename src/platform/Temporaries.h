#pragma once
// The program's temporary files and folders, and what is left of them when a process dies half-way.
// A temporary's name tells which process made it, so that what another running program (another
// program folder, another user in a shared folder) is still writing is never taken for a leftover.
#include <QList>
#include <QString>

// Every temporary file and folder the program makes is named with this beginning, the id of the
// process that made it and random letters (a library writing beside one adds to that name), and
// nothing else the program makes is.
extern const QString TemporaryPrefix;
// A new temporary name in folder.
QString TemporaryName(const QString &folder);
// The template for a QTemporaryFile or QTemporaryDir of that form in folder.
QString TemporaryTemplate(const QString &folder);
// Whether the process that made the temporary of this name may still be running.
bool TemporaryWriterMayLive(const QString &fileName);

// Removes what an interrupted operation left in folder, and in its sub-folders when recursive
// (links are not followed): the temporaries whose process is gone, and nothing else. A folder that
// holds a journal of files replaced half-way first puts those files back; it stays while that fails.
void RemoveLeftoverTemporaries(const QString &folder, bool recursive = false);

struct TCopyStep {
    QString Source;
    QString Target;
};
// Copies every step or none, each target replaced whole. Returns the target that could not be
// written ("" when every step was copied); what the earlier steps replaced is then put back. The
// replaced files are kept in a temporary folder in backupFolder with a journal written ahead of each
// step, so that a process killed half-way is undone by the next RemoveLeftoverTemporaries there.
// Every target lies under backupFolder.
QString CopyAllOrNothing(const QString &backupFolder, const QList<TCopyStep> &steps);
