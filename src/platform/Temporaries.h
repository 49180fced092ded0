#pragma once
// The program's temporary files and folders, and what is left of them when a process dies half-way.
// Whoever keeps temporaries in a folder holds a shared lock on it meanwhile, so that what another
// running program (another program folder, another user in a shared folder, a sandbox) is still
// writing is never taken for a leftover.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Every temporary file and folder the program makes is named with this beginning, the id of the
// process that made it and random letters (a library writing beside one adds to that name). What
// such a name holds is never read back: a leftover is only ever removed.
extern const QString TemporaryPrefix;
// The one exception: the folder where a copy of the program folder's files keeps the files it
// replaces, with its journal. Made only in the program folder, and undone only there.
extern const QString CopyBackupPrefix;
// A new temporary name in folder.
QString TemporaryName(const QString &folder);
// The template for a QTemporaryFile or QTemporaryDir of that form in folder.
QString TemporaryTemplate(const QString &folder);

// Held while this process keeps temporaries in a folder: no clean-up there removes anything
// meanwhile. Taken before the first temporary is made.
class TFolderInUse {
public:
    explicit TFolderInUse(const QString &folder);
    ~TFolderInUse();
    TFolderInUse(const TFolderInUse &) = delete;
    TFolderInUse &operator=(const TFolderInUse &) = delete;

private:
    int m_fd = -1;
};

// Removes the temporaries an interrupted operation left in folder, and in its sub-folders when
// recursive (links are not followed), without reading them; nothing while another process keeps
// temporaries there. Never fails: what cannot be removed stays.
void RemoveLeftoverTemporaries(const QString &folder, bool recursive = false);

struct TCopyStep {
    QString Source;
    QString Target;
};
// Why a copy of every step or none failed. Empty when every step was copied.
struct TCopyFailure {
    QString Target;     // the target that could not be written
    QString Reason;     // the system's reason
    QString NotPutBack; // what the undo could not put back, and where the old files are kept; "" when all
    bool IsEmpty() const { return Target.isEmpty(); }
};
// Copies every step or none, each target replaced whole; every target lies under programFolder.
// The replaced files are kept, by a second name and without taking room, in a backup folder there
// with a journal written ahead of each step, so that a failed step is undone before this returns
// and a process killed half-way is undone by the next UndoInterruptedCopies. beforeUndo runs first
// on a failure, to give back room the copy's sources took.
TCopyFailure CopyAllOrNothing(const QString &programFolder, const QList<TCopyStep> &steps,
                              const std::function<void()> &beforeUndo = {});

// Whether a copy may have written this file (an absolute path without links).
using CopyTargetCheck = std::function<bool(const QString &target)>;
struct TUndoReport {
    QStringList Messages; // each said to the user once
    bool Pending = false; // a copy's undo is still to be done: nothing may be copied over it
};
// Undoes the copies in programFolder that a killed process left half done, believing of each journal
// only what CopyAllOrNothing could have written: a backup is a plain file of its folder under its
// own name, a target is a file mayWrite allows. A journal that cannot be wholly undone, or is none
// that this program wrote, is set aside with its files under a name of its own and told of once.
TUndoReport UndoInterruptedCopies(const QString &programFolder, const CopyTargetCheck &mayWrite);
