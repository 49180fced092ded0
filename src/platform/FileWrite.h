#pragma once
// Whole-file writes and copies, all through one routine: the new content goes into a temporary file
// beside the target that is renamed over it when complete, so a failed write leaves the old file
// whole.
#include <QByteArray>
#include <QString>
#include <functional>

#include "Descriptor.h"

// Durable: the new file reaches the disk, and its name the folder's, before the write is done (the
// user's own files). Unsynced: the system writes it back when it will (files the program re-makes
// at every refresh, copies whose source the working folder still holds).
enum class FileSync { Durable, Unsynced };

// Fills a temporary file: given its descriptor, open for writing, and its path for a writer that
// makes the file by its name. Returns "" or why it failed; it may raise Exception as well.
using FileFiller = std::function<QString(int fd, const QString &tempPath)>;
enum class WriteOutcome {
    Failed,          // the old file, if any, stands as it was
    Written,
    WrittenNotSynced // the new file is in place, but a durable write's folder could not be synced
};
// The rename-over routine that every whole-file write goes through. The system opens the name, so a
// link is written at the file it leads to exactly where the system follows it for this user, and
// refused with the system's reason where it does not; a folder, or a file the user may not write, is
// refused. The new file takes the old one's permission bits (a new one follows the umask). Unless
// written, error says why (or what stands when written but not synced); no temporary file is left.
WriteOutcome TryReplaceFileWhole(const QString &target, const FileFiller &fill, FileSync sync, QString *error = nullptr);
// The same for the entry name of an open folder (shownFolder is its path), replaced as it stands:
// a link there is replaced, not followed.
WriteOutcome TryReplaceFileAt(int folderFd, const QByteArray &name, const QString &shownFolder, const FileFiller &fill,
                              FileSync sync, QString *error = nullptr);
// The folder a write of path lands in, open, as TryReplaceFileWhole finds it; invalid with the
// system's errno in error where it refuses the name.
Fd OpenWriteFolder(const QString &path, int *error);
// Copies what is left to read of in to out, by the system where it can: "" or why not.
QString CopyFileContents(int in, int out);
// Writes all the bytes to fd: "" or why not.
QString WriteToFile(int fd, const char *data, qsizetype size);

// False unless written wholly, with the reason in error when given.
bool TryWriteFileWhole(const QString &path, const QByteArray &bytes, QString *error = nullptr,
                       FileSync sync = FileSync::Durable);
// Raises Exception "Cannot create file "<path>". <reason>" on failure.
void WriteFileWhole(const QString &path, const QByteArray &bytes, FileSync sync = FileSync::Durable);
// The source's bytes, copied by the system, replace the target whole. False on failure, with the
// reason in error when given.
bool TryCopyFileWhole(const QString &source, const QString &target, FileSync sync, QString *error = nullptr);

// Syncs an open folder (its descriptor and name): 0 or the errno of the failure. Tests replace it to
// see a sync fail.
using FolderSyncFunction = std::function<int(int fd, const QString &folder)>;
// Installs sync (nullptr: the system's) and returns the one it replaces.
FolderSyncFunction SetFolderSync(FolderSyncFunction sync);

// Puts a folder's new entries on disk, through the installed sync: 0 or the errno of the failure. A
// folder that cannot be opened, or a file system that offers no sync for folders, has nothing to
// sync.
int SyncFolder(const QString &folder);
// The same for a folder already open (its descriptor, which may only name it, and its name).
int SyncOpenFolder(int fd, const QString &folder);

// Permission bits a new file gets here: 0666 less the umask.
unsigned NewFileMode();
