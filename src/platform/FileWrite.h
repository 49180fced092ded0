#pragma once
// Whole-file writes of the files a user would miss: through a temporary file renamed over the
// target, so a failed write leaves the old file whole.
#include <QByteArray>
#include <QString>

// False on failure, with the reason in error when given.
bool TryWriteFileWhole(const QString &path, const QByteArray &bytes, QString *error = nullptr);
// Raises Exception "Cannot create file "<path>". <reason>" on failure.
void WriteFileWhole(const QString &path, const QByteArray &bytes);
