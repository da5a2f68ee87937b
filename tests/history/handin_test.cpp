#include "bank/exercise.h"
#include "history/handin.h"
#include "history/historyfiles.h"
#include "history/paperresults.h"
#include "history/testfiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace history;
namespace k = bank::kind;

namespace {
// The id line of a paper whose question q is question q of unit 1.
QString paperLine()
{
    QString ids;
    for (int q = 1; q <= kPaperQuestions; ++q)
        ids += bank::idText(100 + q);
    return ids;
}
Questions paperQuestions(int completedUpTo)
{
    Questions qs;
    for (int q = 1; q <= kPaperQuestions; ++q)
        qs.push_back({100 + q, q <= completedUpTo ? 5 : 1});
    return qs;
}
} // namespace

TEST(HandIn, ScoreLinesAndPaperIds)
{
    EXPECT_EQ(scoreLine(k::FixedPaper, 0, 0), QStringLiteral("第1套得分：0分"));
    EXPECT_EQ(scoreLine(k::FixedPaper, 4, 97.5), QStringLiteral("第5套得分：97.5分"));
    EXPECT_EQ(scoreLine(k::RandomPaper, 11, 100), QStringLiteral("随机题得分：100分"));

    const QStringList layout{"0203", "4040", "paper0", "paper1"};
    const QStringList generated{"gen20", "gen21"};
    EXPECT_EQ(handedInPaperIds(k::FixedPaper, 1, 1, layout, generated), "paper1");
    EXPECT_EQ(handedInPaperIds(k::FixedPaper, 2, 2, layout, generated), "");
    EXPECT_EQ(handedInPaperIds(k::RandomPaper, 11, 21, layout, generated), "gen21");
    EXPECT_EQ(handedInPaperIds(k::RandomPaper, 11, 22, layout, generated), "");
}

TEST(HandIn, AllNoneAndSomeCompleted)
{
    struct Case { const char* name; int completed; const char* score; int wrongIds; };
    for (const Case& c : {Case{"all 40", 40, "100", 0}, Case{"none", 0, "0", 40}, Case{"39", 39, "97.5", 1}}) {
        HandInInput in{k::FixedPaper, 0, 0, paperQuestions(c.completed), paperLine(), "2026-01-01 08:00:00", {}};
        const HandInOutcome out = handInPaper(in, {StoreLines{}, StoreLines{"0140", "T"}, prefilledResults()});
        EXPECT_EQ(scoreText(out.score), c.score) << c.name;
        EXPECT_EQ(bank::wholeIdCount(out.paperWrong), c.wrongIds) << c.name;
        ASSERT_EQ(out.done.size(), 40u) << c.name;
        // 0140 was listed already: not added again; the new ids get "F".
        const int added = c.wrongIds - (c.completed < 40 ? 1 : 0);
        EXPECT_EQ(bank::wholeIdCount(out.ownWrong->list), 1 + added) << c.name;
        EXPECT_EQ(out.ownWrong->flags, "T" + QString(added, u'F')) << c.name;
        EXPECT_EQ(out.results->at(1), c.score) << c.name;
    }
}

TEST(HandIn, WritesEveryFile)
{
    QTemporaryDir dir;
    Questions qs = paperQuestions(38);
    qs[0].flags = 7; // completed and marked
    HandInInput in{k::RandomPaper, 11, 23, qs, paperLine(), "-1", QDateTime(QDate(2026, 2, 3), QTime(4, 5, 6))};
    const UserFolder folder = testfiles::folder(dir.path());
    const HandInOutcome out = handInPaper(in, readHandInFiles(folder));
    ASSERT_EQ(writeHandInOutcome(folder, 23, out), platform::SetResult::Written);
    EXPECT_EQ(testfiles::readRaw(testfiles::paperWrongPath(dir.path(), 23)), QByteArray("01390140\r\n"));
    EXPECT_EQ(testfiles::readRaw(testfiles::userFile(dir.path(), kMarkedList)), QByteArray("0101\r\n"));
    EXPECT_EQ(testfiles::readRaw(testfiles::userFile(dir.path(), kMarkedFlags)), QByteArray("F\r\n"));
    EXPECT_EQ(testfiles::readRaw(testfiles::userFile(dir.path(), kOwnWrongList)), QByteArray("01390140\r\n"));
    EXPECT_EQ(testfiles::readRaw(testfiles::userFile(dir.path(), kOwnWrongFlags)), QByteArray("FF\r\n"));
    const QStringList results = *readResults(folder);
    EXPECT_EQ(results.at(3 * 23), "2026-02-03 04:05:06"); // answers viewed: time of scoring
    EXPECT_EQ(results.at(3 * 23 + 1), "0");               // and the best score stays
}

// A paper started without the ids the bank no longer held: its wrong questions are the ids of the
// questions handed in, never the ids that stood at those positions of the paper's line.
TEST(HandIn, WrongQuestionsOfAPaperWithIdsLeftOut)
{
    Questions qs = paperQuestions(0);
    qs.erase(qs.begin() + 1, qs.begin() + 3); // ids 0102 and 0103 were left out at the start
    for (size_t i = 0; i < qs.size(); ++i)
        qs[i].flags = i == 1 ? 1 : 5; // only the question of id 0104 not completed
    HandInInput in{k::FixedPaper, 0, 0, qs, paperLine(), "2026-01-01 08:00:00", {}};
    const HandInOutcome out = handInPaper(in, {StoreLines{}, StoreLines{}, prefilledResults()});
    EXPECT_EQ(out.paperWrong, "0104");
    EXPECT_EQ(out.completed, 37);
}
