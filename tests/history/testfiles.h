#pragma once
// Small file helpers for the tests of the pure folders: raw bytes in and out of a temporary folder.

#include "common/privileges.h"
#include "history/idlist.h"
#include "history/leavepractice.h"
#include "history/paperresults.h"
#include "platform/textfile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <ostream>
#include <vector>

#include <unistd.h>

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

// Makes the next set of files written in the folder meet a file that refuses to be replaced once
// the set has replaced its first one: at that moment every file of the set still waiting for its
// replacement refuses it. As root an existing one is made immutable; otherwise (no permission of a
// file keeps it from being replaced in a folder one may write to) it is taken aside and a folder
// stands in its place, as one does for a file the set creates. Everything is put back as it was
// when this goes (declare it after the temporary folder); refused() counts the files that refused.
class RefusingSet {
public:
    explicit RefusingSet(const QString& dir) : dir_(dir)
    {
        platform::setRewriteHookForTests([this](platform::RewriteStep s) {
            if (s == platform::RewriteStep::Renamed && !armed_) {
                armed_ = true;
                refuseWaiting();
            }
        });
    }
    ~RefusingSet() { release(); }
    RefusingSet(const RefusingSet&) = delete;
    RefusingSet& operator=(const RefusingSet&) = delete;
    int refused() const { return int(flagged_.size() + standIns_.size()); }
    void release()
    {
        platform::setRewriteHookForTests({});
        for (const QString& path : flagged_)
            privileges::setImmutable(path, false);
        for (const QString& path : standIns_) {
            QDir().rmdir(path);
            if (QFile::exists(aside(path)))
                QFile::rename(aside(path), path);
        }
        flagged_.clear();
        standIns_.clear();
    }

private:
    static QString aside(const QString& path) { return path + QStringLiteral(".aside"); }
    void refuseWaiting()
    {
        const QString suffix = QString::fromLatin1(platform::kPendingSuffix);
        for (const QString& name : QDir(dir_).entryList(QDir::Files | QDir::Hidden)) {
            if (!name.endsWith(suffix) || name.compare(QString::fromLatin1(platform::kFileSetMarker), Qt::CaseInsensitive) == 0)
                continue;
            const QString target = dir_ + u'/' + name.chopped(suffix.size());
            const bool exists = QFileInfo::exists(target);
            if (exists && ::geteuid() == 0 && privileges::setImmutable(target, true)) {
                flagged_.push_back(target);
                continue;
            }
            if (exists && !QFile::rename(target, aside(target)))
                continue;
            if (QDir().mkdir(target))
                standIns_.push_back(target);
        }
    }

    QString dir_;
    bool armed_ = false;
    std::vector<QString> flagged_;
    std::vector<QString> standIns_;
};

// Questions of an exercise from (id, flags) pairs.
inline history::Questions qs(std::initializer_list<std::pair<int, int>> codeFlags)
{
    history::Questions out;
    for (auto [c, f] : codeFlags)
        out.push_back({c, f});
    return out;
}

} // namespace testfiles
