#include "FileWrite.h"

#include "Errors.h"

#include <QSaveFile>

bool CommitWhole(QSaveFile &file)
{
    if (file.flush())
        return file.commit();
    file.cancelWriting();
    file.commit(); // discards the temporary file
    return false;
}

bool TryWriteFileWhole(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && CommitWhole(out))
        return true;
    if (error)
        *error = out.errorString();
    return false;
}

void WriteFileWhole(const QString &path, const QByteArray &bytes)
{
    QString error;
    if (!TryWriteFileWhole(path, bytes, &error))
        throw Exception(QStringLiteral("Cannot create file \"%1\". %2").arg(path, error));
}
