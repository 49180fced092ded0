#pragma once
// Whole-file writes and copies: through a temporary file beside the target that is renamed over it,
// so a failed write leaves the old file whole.
#include <QByteArray>
#include <QString>

// Durable: the new file reaches the disk before it takes the name (the user's own files).
// Unsynced: the system writes it back when it will (files the program re-makes at every refresh,
// copies whose source the working folder still holds).
enum class FileSync { Durable, Unsynced };

// False on failure, with the reason in error when given.
bool TryWriteFileWhole(const QString &path, const QByteArray &bytes, QString *error = nullptr,
                       FileSync sync = FileSync::Durable);
// Raises Exception "Cannot create file "<path>". <reason>" on failure.
void WriteFileWhole(const QString &path, const QByteArray &bytes, FileSync sync = FileSync::Durable);
// The source's bytes, copied by the system, replace the target whole. False on failure, with the
// reason in error when given.
bool TryCopyFileWhole(const QString &source, const QString &target, FileSync sync, QString *error = nullptr);

// Permission bits a new file gets here: 0666 less the umask.
unsigned NewFileMode();
// Makes the finished file temp permanent as target: temp takes target's permission bits (those of
// a new file when there is no target), is synced to disk, renamed over target, and the folder's
// entry synced too. False with the reason when a step fails; temp then stays for the caller.
bool ReplaceWithSyncedFile(const QString &temp, const QString &target, QString *error = nullptr);
