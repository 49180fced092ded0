#pragma once
// Copies into the program folder of every file or none: an install's templates, Update Project's
// two files. The files a copy replaces are kept in a backup folder there, with a journal written
// ahead of each step, so that a failed copy is undone before it reports and one killed half-way is
// undone by the next UndoInterruptedCopies, whatever another user does meanwhile.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The backup folder's name begins with this; made only in the program folder, and undone only there.
extern const QString CopyBackupPrefix;

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
// The replaced files are kept, by a second name where they can be, in the backup folder, which the
// copy keeps locked while it runs. beforeUndo runs first on a failure, to give back room the copy's
// sources took.
TCopyFailure CopyAllOrNothing(const QString &programFolder, const QList<TCopyStep> &steps,
                              const std::function<void()> &beforeUndo = {});

// Whether a copy may have written this file (an absolute path without links).
using CopyTargetCheck = std::function<bool(const QString &target)>;
struct TUndoReport {
    QStringList Messages; // each said to the user once
    QStringList Pending;  // undos that are still to be done and cannot be now, each with why: nothing may be copied
    bool Running = false; // another program's copy runs there now
};
// Undoes the copies in programFolder that a killed process left half done, believing of each journal
// only what CopyAllOrNothing could have written: a backup is a plain file of its folder under its
// own name, a target is a file mayWrite allows. A journal that cannot be wholly undone, or is none
// that this program wrote, is set aside with its files under a name of its own and told of once.
TUndoReport UndoInterruptedCopies(const QString &programFolder, const CopyTargetCheck &mayWrite);
