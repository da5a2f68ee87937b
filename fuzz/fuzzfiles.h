#pragma once
// What the fuzz targets share: a private temporary folder for the files a reader opens, and the
// cutting of one input into the several files a reader takes together.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace fuzzfiles {

// The input as bytes.
inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The folder of this process, made once and removed at exit.
inline const QString& folder()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/xpfuzz-XXXXXX"));
    static const QString path = dir.path();
    return path;
}

// Replaces the file name in the folder with the bytes; its path.
inline QString put(const QString& name, const QByteArray& content)
{
    const QString path = folder() + u'/' + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(content);
    return path;
}

// Removes every file of the folder, so that one input does not see the files of another.
inline void clear()
{
    QDir dir(folder());
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        dir.remove(name);
}

// The files of one input: its parts, joined by "\n=====\n" in the input, at most `count` (the
// last one takes the rest). An input with fewer parts gives fewer.
inline QList<QByteArray> parts(const QByteArray& input, int count)
{
    QList<QByteArray> out;
    static const QByteArray sep("\n=====\n");
    qsizetype at = 0;
    while (out.size() < count - 1) {
        const qsizetype next = input.indexOf(sep, at);
        if (next < 0)
            break;
        out << input.mid(at, next - at);
        at = next + sep.size();
    }
    out << input.mid(at);
    return out;
}

// A QCoreApplication for the readers that ask the application for its paths or codecs.
inline void application()
{
    static int argc = 1;
    static char name[] = "xpfuzz";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

} // namespace fuzzfiles
