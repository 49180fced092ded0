#pragma once
// The program's temporary files and folders, and what is left of them when a process dies half-way.
// A writer makes a lock file of its own in the folder before its first temporary there: mode 0600,
// locked, and named so that every temporary of that writer begins with its name. A clean-up removes
// a temporary only once it can take that lock itself, so what a running program is still writing
// is never taken for a leftover, and no other user can open the lock to hold anything up.
#include <QByteArray>
#include <QList>
#include <QString>

#include "Descriptor.h"

// Every temporary file and folder the program makes begins with this. What such a name holds is
// never read back: a leftover is only ever removed.
extern const QString TemporaryPrefix;

// A lock file that only this user can open, held by this process while it has it open.
namespace LockFile {
// Made anew under name in the folder, and locked before anyone can take it: the descriptor, or
// invalid with the errno in error (EEXIST when the name is taken).
Fd Make(int folderFd, const QByteArray &name, int *error);
enum class Holder {
    Running, // a process of this user holds it
    Ended,   // nobody does, or it is no lock this user made; held now by the caller
    Unknown  // it cannot be told
};
// Whether the writer of the lock file name in the folder still runs. When Ended, held keeps the
// lock (if there is one) until the caller is done with what the writer left.
Holder Test(int folderFd, const QByteArray &name, Fd *held, int *error = nullptr);
} // namespace LockFile

// Held while this process keeps temporaries in a folder; taken before the first one is made.
class TFolderInUse {
public:
    // The folder a path names, its links followed as the system follows them.
    explicit TFolderInUse(const QString &folder);
    // An open folder; shown is its path, for messages and for writers that take a path.
    TFolderInUse(int folderFd, const QString &shown);
    ~TFolderInUse();
    TFolderInUse(const TFolderInUse &) = delete;
    TFolderInUse &operator=(const TFolderInUse &) = delete;

    // 0, or the errno why no lock could be made there: then no temporary can be made either.
    int Error() const { return m_error; }
    // A new temporary's name in the folder.
    QByteArray NewName() const;
    // The template for a QTemporaryDir in the folder.
    QString Template() const;

private:
    Fd m_folder;
    QString m_shown;
    QByteArray m_name; // the lock file's, which begins every temporary's
    Fd m_lock;
    int m_error = 0;
};

// What a clean-up removes: the temporary files and links of ended writers, or their folders too
// (only the program folder holds the open's and the install's unpack folders).
enum class Leftovers { Files, FilesAndFolders };
// Removes, unread, what this user's ended writers left at the top of folder (its links followed
// as the system follows them), or of its sub-folder below, reached without following a link. Only
// entries of the temporary form that this user owns go; never another user's, never through a
// link. Never fails: what cannot be removed stays.
void RemoveLeftoverTemporaries(const QString &folder, Leftovers kinds = Leftovers::Files,
                               const QString &below = QString());
// The same in an open folder, for files.
void RemoveLeftoverTemporariesAt(int folderFd);

// The names in an open folder.
QList<QByteArray> FolderEntries(int folderFd);
// Removes a folder's entry, a folder with everything in it, never following a link: whether it is gone.
bool RemoveTreeAt(int folderFd, const QByteArray &name);
