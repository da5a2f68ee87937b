#pragma once
// Small file helpers for the tests of the pure folders: raw bytes in and out of a temporary folder.

#include "history/idlist.h"
#include "platform/textfile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace testfiles {

inline void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

inline QByteArray readRaw(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes GBK text exactly as given.
inline void writeText(const QString& path, const QString& text)
{
    writeRaw(path, platform::encodeGbk(text));
}

inline QString readText(const QString& path)
{
    return platform::decodeGbk(readRaw(path));
}

// Each line followed by CR LF.
inline void writeLines(const QString& path, const QStringList& lines)
{
    QString t;
    for (const QString& l : lines)
        t += l + QStringLiteral("\r\n");
    writeText(path, t);
}

// A file that exists but cannot be read as a file: a folder under its name.
inline void makeUnreadable(const QString& path)
{
    QDir().mkpath(path);
}

// Questions of an exercise from (id, flags) pairs.
inline history::Questions qs(std::initializer_list<std::pair<int, int>> codeFlags)
{
    history::Questions out;
    for (auto [c, f] : codeFlags)
        out.push_back({c, f});
    return out;
}

} // namespace testfiles
