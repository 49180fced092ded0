#include "FileWrite.h"

#include "Errors.h"

#include <QSaveFile>

bool TryWriteFileWhole(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit())
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
