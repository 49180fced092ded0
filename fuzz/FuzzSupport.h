#pragma once
// Shared by the fuzz harnesses: a private scratch folder and the input written to a file there.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

inline const QString &FuzzFolder()
{
    static QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

inline QByteArray FuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline QString WriteFuzzFile(const QString &name, const QByteArray &bytes)
{
    const QString path = FuzzFolder() + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return path;
}
