#pragma once
// Small file helpers for the tests of the pure folders: raw bytes in and out of a temporary folder.

#include "history/idlist.h"
#include "history/leavepractice.h"
#include "history/paperresults.h"
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

// Where a test puts a history file of the folder: dir & "/" & number & ".mxy" (the program reaches
// it only through history::UserFolder).
inline QString userFile(const QString& dir, const char* number)
{
    return dir + u'/' + history::historyFileName(number);
}
inline QString paperWrongPath(const QString& dir, int paper)
{
    return dir + u'/' + history::paperWrongFileName(paper);
}
// The folder as one operation of the program opens it.
inline history::UserFolder folder(const QString& dir) { return history::UserFolder::open(dir); }

// Leaving a practice as the question panel does it: one folder opened, read, decided, written.
inline platform::SetResult leave(const QString& dir, const history::LeaveInput& in)
{
    const history::UserFolder f = folder(dir);
    return history::writeLeaveOutcome(f, in, history::leavePractice(in, history::readLeaveFiles(f, in)));
}

// The paper results file written as the table says.
inline platform::SetResult writeResults(const QString& dir, const QStringList& table)
{
    const history::UserFolder f = folder(dir);
    return history::writeSet(f, {{f.file(history::kPaperResults), history::resultsBytes(table)}});
}

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
