#include "history/historyfiles.h"
#include "history/paperresults.h"
#include "history/testfiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace history;

TEST(PaperResults, ScoresAsShortestDecimalText)
{
    struct Case { int completed; const char* text; };
    for (const Case& c : {Case{0, "0"}, Case{1, "2.5"}, Case{2, "5"}, Case{39, "97.5"}, Case{40, "100"}})
        EXPECT_EQ(scoreText(paperScore(c.completed)), c.text) << c.completed;
}

TEST(PaperResults, WrittenFileHas91LinesAndReadsBackWithThePrefilledRest)
{
    QTemporaryDir dir;
    QStringList table = prefilledResults();
    table = recordPaperResult(table, 0, "2026-01-02 03:04:05", 97.5, {});
    table = recordPaperResult(table, 29, "2026-05-06 07:08:09", 100, {});
    ASSERT_EQ(testfiles::writeResults(dir.path(), table), platform::SetResult::Written);

    const QString path = testfiles::userFile(dir.path(), kPaperResults);
    const QByteArray raw = testfiles::readRaw(path);
    EXPECT_TRUE(raw.endsWith("E\r\n\r\n"));
    const QStringList lines = *platform::readAllLines(path);
    ASSERT_EQ(lines.size(), 91);
    EXPECT_EQ(lines.at(90), "");
    EXPECT_EQ(lines.at(0), "2026-01-02 03:04:05");
    EXPECT_EQ(lines.at(1), "97.5");
    EXPECT_EQ(lines.at(87), "2026-05-06 07:08:09");
    EXPECT_EQ(lines.at(88), "100");
    EXPECT_EQ(lines.at(3), QStringLiteral("您还未考试！"));
    // GBK on disk.
    EXPECT_TRUE(raw.contains(platform::encodeGbk(QStringLiteral("您还未考试！"))));

    const QStringList back = *readResults(testfiles::folder(dir.path()));
    ASSERT_EQ(back.size(), 100);
    EXPECT_EQ(back.at(90), "");                      // entry 91: the empty last line
    EXPECT_EQ(back.mid(91), prefilledResults().mid(91)); // entries 92 to 100 as prefilled
    EXPECT_EQ(back.at(91), "0");                     // entry 92: a score line
    EXPECT_EQ(back.at(92), "E");
    EXPECT_EQ(back.at(93), QStringLiteral("您还未考试！"));
}

TEST(PaperResults, MissingShortAndOverlongFiles)
{
    QTemporaryDir dir;
    EXPECT_EQ(*readResults(testfiles::folder(dir.path())), prefilledResults());

    const QString path = testfiles::userFile(dir.path(), kPaperResults);
    testfiles::writeLines(path, {"2026-01-01 00:00:00", "50"});
    QStringList t = *readResults(testfiles::folder(dir.path()));
    EXPECT_EQ(t.at(0), "2026-01-01 00:00:00");
    EXPECT_EQ(t.at(1), "50");
    EXPECT_EQ(t.at(2), "E");

    QStringList many;
    for (int i = 0; i < 250; ++i)
        many << QString::number(i);
    EXPECT_EQ(resultsTable(many).size(), 100);
    EXPECT_EQ(resultsTable(many).last(), "99");

    testfiles::makeUnreadable(testfiles::userFile(dir.path() + "/sub", kPaperResults));
    EXPECT_FALSE(readResults(testfiles::folder(dir.path() + "/sub")));
}

TEST(PaperResults, RecordOfAHandedInPaper)
{
    const QDateTime now(QDate(2026, 12, 10), QTime(9, 8, 7));
    struct Case {
        const char* name;
        const char* oldScore;
        const char* start;
        double score;
        const char* wantTime;
        const char* wantScore;
    };
    const Case cases[] = {
        {"higher score replaces", "50", "2026-01-01 10:00:00", 75, "2026-01-01 10:00:00", "75"},
        {"lower score keeps the best", "50", "2026-01-01 10:00:00", 25, "2026-01-01 10:00:00", "50"},
        {"equal score keeps", "50", "2026-01-01 10:00:00", 50, "2026-01-01 10:00:00", "50"},
        {"answers viewed: time of scoring, best stays", "50", "-1", 100, "2026-12-10 09:08:07", "50"},
        {"a score line without a number reads as 0", "", "2026-01-01 10:00:00", 2.5, "2026-01-01 10:00:00", "2.5"},
    };
    for (const Case& c : cases) {
        QStringList t = prefilledResults();
        t[3 * 7 + 1] = c.oldScore;
        t = recordPaperResult(t, 7, c.start, c.score, now);
        EXPECT_EQ(t.at(3 * 7), c.wantTime) << c.name;
        EXPECT_EQ(t.at(3 * 7 + 1), c.wantScore) << c.name;
        EXPECT_EQ(t.at(3 * 7 + 2), "E") << c.name;
    }
    // A paper outside 0 to 29 changes nothing.
    EXPECT_EQ(recordPaperResult(prefilledResults(), 30, "x", 100, now), prefilledResults());
    EXPECT_EQ(recordPaperResult(prefilledResults(), -1, "x", 100, now), prefilledResults());
}

TEST(PaperResults, PaperWrongFileNames)
{
    struct Case { int paper; const char* name; };
    for (const Case& c : {Case{0, "182400.mxy"}, Case{7, "182407.mxy"}, Case{19, "182419.mxy"},
                          Case{23, "182423.mxy"}, Case{29, "182429.mxy"}, Case{30, ""}, Case{-1, ""}})
        EXPECT_EQ(paperWrongFileName(c.paper), c.name) << c.paper;
}

TEST(PaperResults, GeneratedPaperCount)
{
    struct Case { QStringList lines; int count; };
    QStringList twelve;
    for (int i = 0; i < 12; ++i)
        twelve << "0101";
    const Case cases[] = {
        {{}, 0},
        {{"0101", "0202", "  ", "0303"}, 2},
        {QStringList(10, "0101"), 10},
        {twelve, 10},
    };
    for (const Case& c : cases)
        EXPECT_EQ(generatedPaperCount(c.lines), c.count) << c.lines.size();
}
