#pragma once
// Whole-file writes and copies, all through one routine: the new content goes into a temporary file
// beside the target that is renamed over it when complete, so a failed write leaves the old file
// whole. Every temporary file and folder of the program has one form of name, so that what an
// interrupted operation left behind can be told from the user's own files.
#include <QByteArray>
#include <QString>
#include <functional>

// Durable: the new file reaches the disk, and its name the folder's, before the write is done (the
// user's own files). Unsynced: the system writes it back when it will (files the program re-makes
// at every refresh, copies whose source the working folder still holds).
enum class FileSync { Durable, Unsynced };

// Every temporary file and folder the program makes is named with this beginning and random letters
// (a library writing beside one adds to that name), and nothing else the program makes is.
extern const QString TemporaryPrefix;
// The template for a QTemporaryFile or QTemporaryDir of that form in folder.
QString TemporaryTemplate(const QString &folder);
// Removes what an interrupted operation left in folder, and in its sub-folders when recursive
// (links are not followed): every entry of the temporary form, and nothing else.
void RemoveLeftoverTemporaries(const QString &folder, bool recursive = false);

// The file a name stands for: links followed to the end (the last one may lead to no file yet).
// "" when the links go round.
QString LinkedFile(const QString &path);

// Fills a temporary file: given its descriptor, open for writing, and its path for a writer that
// makes the file by its name. Returns "" or why it failed; it may raise Exception as well.
using FileFiller = std::function<QString(int fd, const QString &tempPath)>;
// The rename-over routine that every whole-file write goes through. A link is written at the file it
// leads to; a folder, or a file the user may not write, is refused. The new file takes the old one's
// permission bits (a new one follows the umask). False with the reason on failure (a durable write
// also when its folder could not be synced); no temporary file is left.
bool TryReplaceFileWhole(const QString &target, const FileFiller &fill, FileSync sync, QString *error = nullptr);
// Writes all the bytes to fd: "" or why not.
QString WriteToFile(int fd, const char *data, qsizetype size);

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
