#pragma once
// Raw bytes in and out of the files the text-file tests work on.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace rawfiles {

// Writes the bytes as they are into `name` of the folder; returns the file's path.
inline QString writeRaw(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

// The file's bytes; none for a file that cannot be read.
inline QByteArray readRaw(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace rawfiles
