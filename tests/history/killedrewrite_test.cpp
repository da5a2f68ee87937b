// Every operation that rewrites history files that belong together, ended by a kill at each point
// where a rewrite can be cut short in turn: once the folder is settled (as the next read does),
// the folder holds either everything as it was before or everything as it is after, so every pair
// is aligned, no file is half-written, and results, paper list and wrong-question files agree.

#include "history/handin.h"
#include "history/historyfiles.h"
#include "history/idlist.h"
#include "history/leavepractice.h"
#include "history/paperresults.h"
#include "history/randompaper.h"
#include "history/storeclear.h"
#include "history/testfiles.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace history;
using testfiles::qs;
using testfiles::writeRaw;

namespace k = bank::kind;

namespace {

using Folder = QMap<QString, QByteArray>; // file name -> bytes

Folder snapshot(const QString& dir)
{
    Folder f;
    for (const QString& name : QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System))
        f.insert(name, testfiles::readRaw(dir + u'/' + name));
    return f;
}

QString ids(int first, int count)
{
    QString s;
    for (int i = 0; i < count; ++i)
        s += bank::idText(first + i);
    return s;
}

// The history of a candidate with three generated papers, both stores and some progress.
void candidateHistory(const QString& d)
{
    writeRaw(testfiles::userFile(d, kMarkedList), "010102020303\r\n");
    writeRaw(testfiles::userFile(d, kMarkedFlags), "TFT\r\n");
    writeRaw(testfiles::userFile(d, kOwnWrongList), "04040505\r\n");
    writeRaw(testfiles::userFile(d, kOwnWrongFlags), "FT\r\n");
    writeRaw(testfiles::userFile(d, kUnitProgress), "TF\r\nFFF\r\n\r\n");
    testfiles::writeLines(testfiles::userFile(d, kGeneratedPapers), {ids(101, 40), ids(201, 40), ids(301, 40)});
    QStringList table = prefilledResults();
    for (int p = 20; p <= 22; ++p)
        table = recordPaperResult(table, p, QStringLiteral("2026-01-0%1 08:00:00").arg(p - 19), 10.0 * p, {});
    ASSERT_EQ(testfiles::writeResults(d, table), platform::SetResult::Written);
    writeRaw(testfiles::paperWrongPath(d, 20), "0101\r\n");
    writeRaw(testfiles::paperWrongPath(d, 21), "02010202\r\n");
    writeRaw(testfiles::paperWrongPath(d, 22), "0301\r\n");
}

struct Operation {
    const char* name;
    std::function<void(const QString&)> run; // reads and writes the way the program does
};

const Operation kOperations[] = {
    {"leaving a marked-question practice",
     [](const QString& d) {
         const LeaveInput in{k::MarkedAll, 10, 0, qs({{101, 6}, {202, 4}, {303, 2}})};
         testfiles::leave(d, in);
     }},
    {"leaving a whole-unit practice",
     [](const QString& d) {
         const LeaveInput in{k::WholeUnit, 1, 1, qs({{101, 4}, {102, 6}, {103, 0}})};
         testfiles::leave(d, in);
     }},
    {"handing in a paper",
     [](const QString& d) {
         HandInInput in;
         in.exerciseKind = k::RandomPaper;
         in.subKind = 11;
         in.selIndex = 21;
         in.questions = Questions(40, Question{0, 4});
         in.questions[3] = {204, 2};
         in.questions[7] = {208, 0};
         in.paperIds = ids(201, 40);
         in.startTime = QStringLiteral("2026-02-01 09:00:00");
         const UserFolder folder = testfiles::folder(d);
         writeHandInOutcome(folder, 21, handInPaper(in, readHandInFiles(folder)));
     }},
    {"a new random paper",
     [](const QString& d) {
         const UserFolder folder = testfiles::folder(d);
         if (const auto c = newPaperChange(folder, ids(501, 40), QDateTime(QDate(2026, 3, 1), QTime(10, 0))))
             writeSet(folder, c->files);
     }},
    {"a paper deletion",
     [](const QString& d) {
         const UserFolder folder = testfiles::folder(d);
         if (const auto c = deletionChange(folder, 20))
             writeSet(folder, c->files);
     }},
    {"clearing a store",
     [](const QString& d) {
         const UserFolder folder = testfiles::folder(d);
         if (const auto lines = readStore(folder, bank::Store::Marked))
             writeStore(folder, bank::Store::Marked, clearStore(*lines, kScopeNotReviewed));
     }},
};

// The child's way out at the k-th point where a rewrite can be cut short.
constexpr int kKilled = 42;

// Runs the operation in a child that ends itself at the k-th point; true when it got that far.
bool runKilledAt(const Operation& op, const QString& dir, int k)
{
    const pid_t child = fork();
    if (child == 0) {
        ::alarm(60);
        int seen = 0;
        platform::setRewriteHookForTests([&](platform::RewriteStep) {
            if (++seen == k)
                ::_exit(kKilled);
        });
        op.run(dir);
        ::_exit(0);
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << op.name << " at " << k;
    return WIFEXITED(status) && WEXITSTATUS(status) == kKilled;
}

// Both stores' files as they stand: the id count and the flag count agree.
void expectPairsAligned(const Folder& f, const std::string& where)
{
    for (auto [list, flags] : {std::pair{kMarkedList, kMarkedFlags}, std::pair{kOwnWrongList, kOwnWrongFlags}}) {
        const QString l = platform::decodeGbk(f.value(QString::fromLatin1(list) + ".mxy")).trimmed();
        const QString g = platform::decodeGbk(f.value(QString::fromLatin1(flags) + ".mxy")).trimmed();
        EXPECT_EQ(bank::wholeIdCount(l), g.size()) << where << " " << list;
    }
}

} // namespace

TEST(KilledRewrite, EveryOperationLeavesTheWholeOldOrTheWholeNewHistory)
{
    for (const Operation& op : kOperations) {
        SCOPED_TRACE(op.name);
        QTemporaryDir start, done;
        candidateHistory(start.path());
        candidateHistory(done.path());
        const Folder before = snapshot(start.path());
        op.run(done.path());
        const Folder after = snapshot(done.path());
        ASSERT_NE(before, after);
        expectPairsAligned(after, "after");

        int points = 0, sawBefore = 0, sawAfter = 0;
        for (int k = 1;; ++k) {
            QTemporaryDir dir;
            candidateHistory(dir.path());
            if (!runKilledAt(op, dir.path(), k))
                break;
            ++points;
            testfiles::folder(dir.path()); // settled, as the next operation opens it
            const Folder now = snapshot(dir.path());
            EXPECT_TRUE(now == before || now == after) << "killed at point " << k;
            expectPairsAligned(now, "killed at point " + std::to_string(k));
            sawBefore += now == before;
            sawAfter += now == after;
            ASSERT_LT(k, 200);
        }
        // The kills reached the middle of the temporary files and every rename.
        EXPECT_GE(points, 6);
        EXPECT_GT(sawBefore, 0);
        EXPECT_GT(sawAfter, 0);
    }
}

// Every operation meeting a file that refuses to be replaced once the first file of its set has
// been (an immutable file, another user's file in a shared folder): the set is undone, and the
// folder holds everything as it was before, nothing of the set left beside it.
TEST(RefusedRewrite, EveryOperationLeavesTheWholeOldHistory)
{
    for (const Operation& op : kOperations) {
        SCOPED_TRACE(op.name);
        QTemporaryDir dir;
        candidateHistory(dir.path());
        const Folder before = snapshot(dir.path());
        testfiles::RefusingSet refusing(dir.path());
        op.run(dir.path());
        EXPECT_GT(refusing.refused(), 0) << "the set had more than one file to replace";
        refusing.release();
        EXPECT_EQ(snapshot(dir.path()), before);
    }
}
