#include "history/historyfiles.h"
#include "history/paperresults.h"
#include "history/randompaper.h"
#include "history/testfiles.h"

#include <QSet>
#include <random>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace history;

namespace {

// A scripted sequence of numbers, repeated from its start when used up.
std::function<double()> script(std::vector<double> values)
{
    return [values = std::move(values), i = size_t(0)]() mutable { return values[i++ % values.size()]; };
}

// A table whose entry n holds "n", so every move shows where an entry came from.
QStringList numberedTable()
{
    QStringList t;
    for (int n = 1; n <= kResultEntries; ++n)
        t << QString::number(n);
    return t;
}

QStringList ids(int first, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QStringLiteral("P%1").arg(first + i);
    return out;
}

} // namespace

TEST(RandomPaperDraw, FortyDistinctIdsInDrawOrder)
{
    // Unit 0: 40 questions, unit 1: 5. r = 0.001 picks unit 1 of 2 (1 mod 2), r' = 0.003 its
    // question 4 (3 mod 5 + 1); r = 0 unit 0 and r' = k/1000 question k + 1.
    std::vector<double> seq{0.0015, 0.0035};
    for (int k = 0; k < 40; ++k)
        seq.insert(seq.end(), {0.0, (k + 0.5) / 1000.0});
    const auto paper = drawRandomPaper(2, {40, 5}, script(seq));
    ASSERT_TRUE(paper);
    ASSERT_EQ(paper->size(), 160);
    EXPECT_TRUE(paper->startsWith(QStringLiteral("0104" "0001" "0002")));
    EXPECT_TRUE(paper->endsWith(QStringLiteral("0039")));
}

TEST(RandomPaperDraw, DuplicatesAndEmptyUnitsAreDrawnAgainUnitAndQuestionBoth)
{
    // Unit 1 is empty; unit 0 gives question 1 twice before question 2.
    std::vector<double> seq{0.0, 0.0, 0.0015, 0.0, 0.0, 0.0};
    for (int k = 1; k < 40; ++k)
        seq.insert(seq.end(), {0.0, (k + 0.5) / 1000.0});
    const auto paper = drawRandomPaper(2, {45, 0}, script(seq));
    ASSERT_TRUE(paper);
    QSet<QString> seen;
    for (int k = 0; k < 40; ++k) {
        seen.insert(paper->mid(4 * k, 4));
        EXPECT_EQ(paper->mid(4 * k, 2), QStringLiteral("00"));
    }
    EXPECT_EQ(seen.size(), 40);
    EXPECT_TRUE(paper->startsWith(QStringLiteral("00010002")));
}

TEST(RandomPaperDraw, ImpossibleDrawsEndWithoutAPaper)
{
    const struct {
        const char* what;
        int unitCount;
        std::vector<int> counts;
        std::function<double()> rnd;
    } rows[] = {
        {"no units", 0, {50}, script({0.5})},
        {"39 questions in all", 2, {20, 19}, script({0.5})},
        {"questions only in units beyond the draw", 1, {10, 90}, script({0.5})},
        {"a sequence that never reaches a new id", 1, {60}, script({0.0})},
    };
    for (const auto& r : rows)
        EXPECT_FALSE(drawRandomPaper(r.unitCount, r.counts, r.rnd)) << r.what;

    std::vector<int> counts(21, 0);
    counts[20] = 99; // unit 20 has no files
    EXPECT_FALSE(drawRandomPaper(21, counts, script({0.02, 0.5})));
}

TEST(RandomPaperDraw, UnitsHaveEqualChancesWhateverTheirSize)
{
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> dist(0.0, 1.0);
    int small = 0, large = 0;
    for (int paper = 0; paper < 200; ++paper) {
        const auto p = drawRandomPaper(2, {60, 30}, [&] { return dist(gen); });
        ASSERT_TRUE(p);
        for (int k = 0; k < 40; ++k)
            (p->mid(4 * k, 2) == QStringLiteral("00") ? large : small)++;
    }
    // Equal chances per draw; duplicates (more likely in the small unit) are drawn again.
    EXPECT_GT(small, 3200);
    EXPECT_LT(small, 4800);
    EXPECT_EQ(small + large, 8000);
}

TEST(GeneratedPapers, NewPaperHeadsTheListOfTen)
{
    const struct {
        QStringList old;
        QStringList expected;
    } rows[] = {
        {{}, QStringList{"NEW"} + QStringList(9, QString())},
        {{"A", "B"}, QStringList{"NEW", "A", "B"} + QStringList(7, QString())},
        {ids(20, 10), QStringList{"NEW"} + ids(20, 9)},
        {ids(20, 15), QStringList{"NEW"} + ids(20, 9)},
    };
    for (const auto& r : rows) {
        const QStringList lines = listWithNewPaper(r.old, QStringLiteral("NEW"));
        EXPECT_EQ(lines, r.expected);
        EXPECT_EQ(lines.size(), 10);
    }
    EXPECT_EQ(listText({"A", "", ""}), QStringLiteral("A\r\n\r\n\r\n"));
}

TEST(GeneratedPapers, NewPaperRecordAndTheMovedRecords)
{
    const QStringList t = resultsWithNewPaper(numberedTable(), QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    ASSERT_EQ(t.size(), kResultEntries);
    for (int n = 1; n <= 60; ++n)
        EXPECT_EQ(t.at(n - 1), QString::number(n)) << n; // fixed papers untouched
    EXPECT_EQ(t.at(60), QStringLiteral("2026-03-04 05:06:07"));
    EXPECT_EQ(t.at(61), QStringLiteral("0"));
    EXPECT_EQ(t.at(62), QStringLiteral("E"));
    for (int n = 64; n <= 90; ++n)
        EXPECT_EQ(t.at(n - 1), QString::number(n - 3)) << n; // papers 20-28 as 21-29
    EXPECT_EQ(t.at(90), QStringLiteral("91"));              // never written
}

TEST(GeneratedPapers, WrongFileMoves)
{
    using V = std::vector<PaperCopy>;
    EXPECT_EQ(wrongFileMovesForNewPaper(0), V{});
    EXPECT_EQ(wrongFileMovesForNewPaper(3), (V{{22, 23}, {21, 22}, {20, 21}}));
    EXPECT_EQ(wrongFileMovesForNewPaper(10).size(), 9u);
    EXPECT_EQ(wrongFileMovesForNewPaper(10).front(), (PaperCopy{28, 29}));

    EXPECT_EQ(wrongFileMovesForDeletion(20, 3), (V{{21, 20}, {22, 21}}));
    EXPECT_EQ(wrongFileMovesForDeletion(22, 3), V{});
    EXPECT_EQ(wrongFileMovesForDeletion(23, 3), V{}); // not listed
    EXPECT_EQ(wrongFileMovesForDeletion(5, 3), V{});
    EXPECT_EQ(wrongFileMovesForDeletion(20, 10).back(), (PaperCopy{29, 28}));
}

TEST(GeneratedPapers, DeletionMovesLaterPapersDown)
{
    const struct {
        int paper, count;
        QStringList list;
        QStringList expectedList;
        std::vector<int> recordFrom; // papers 19..29: which old paper's record each holds
    } rows[] = {
        {20, 3, ids(20, 3), {"P21", "P22"}, {19, 21, 22, 22, 23, 24, 25, 26, 27, 28, 29}},
        {22, 3, ids(20, 3), {"P20", "P21"}, {19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}},
        {20, 1, ids(20, 1), {}, {19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}},
        {25, 10, ids(20, 12), {"P20", "P21", "P22", "P23", "P24", "P26", "P27", "P28", "P29"},
         {19, 20, 21, 22, 23, 24, 26, 27, 28, 29, 29}},
        {23, 3, ids(20, 3), ids(20, 3), {19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}}, // not listed
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.paper);
        EXPECT_EQ(isListedGeneratedPaper(r.paper, r.count), r.paper <= 19 + r.count);
        if (isListedGeneratedPaper(r.paper, r.count)) {
            EXPECT_EQ(listWithoutPaper(r.list, r.paper, r.count), r.expectedList);
        }
        const QStringList t = resultsWithoutPaper(numberedTable(), r.paper, r.count);
        for (int p = 19; p <= 29; ++p)
            for (int k = 1; k <= 3; ++k)
                EXPECT_EQ(t.at(3 * p + k - 1), QString::number(3 * r.recordFrom[size_t(p - 19)] + k)) << p;
        EXPECT_EQ(t.mid(0, 57), numberedTable().mid(0, 57));
    }
}

TEST(GeneratedPapers, MovingWrongFiles)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    auto path = [&](int p) { return testfiles::paperWrongPath(d, p); };
    const QByteArray odd("0101\xb0\xa1" "0203\r\n", 12); // bytes kept exactly as they stand
    const QByteArray emptyLine("\r\n");
    testfiles::writeRaw(path(21), odd);
    testfiles::writeRaw(path(22), "0909\r\n");
    testfiles::makeUnreadable(path(25));

    struct Row { int from, to; CopyResult result; std::optional<QByteArray> bytes; };
    const Row rows[] = {
        {21, 22, CopyResult::Copied, odd},
        // A missing source: an existing target becomes the empty line (it belonged to another
        // paper) ...
        {23, 22, CopyResult::SourceMissing, emptyLine},
        // ... and a missing target is not made.
        {23, 24, CopyResult::SourceMissing, std::nullopt},
        // A source that exists but cannot be read is no missing one: nothing is decided for it.
        {25, 21, CopyResult::SourceUnreadable, std::nullopt},
        {25, 24, CopyResult::SourceUnreadable, std::nullopt},
        {21, 30, CopyResult::Failed, std::nullopt}, // no paper 30
    };
    for (const Row& r : rows) {
        const WrongFileMove m = readWrongFileMove(testfiles::folder(d), r.from, r.to);
        EXPECT_EQ(m.result, r.result) << r.from << " " << r.to;
        EXPECT_EQ(m.bytes, r.bytes) << r.from << " " << r.to;
    }

    // The letter case of the names on disk does not matter.
    QFile::rename(path(21), d + QStringLiteral("/182421.MXY"));
    EXPECT_EQ(readWrongFileMove(testfiles::folder(d), 21, 26).bytes, odd);
}

TEST(GeneratedPapers, ReadingTheList)
{
    QTemporaryDir dir;
    EXPECT_EQ(readGeneratedList(testfiles::folder(dir.path())), QStringList{});
    testfiles::writeLines(testfiles::userFile(dir.path(), kGeneratedPapers), ids(20, 18));
    EXPECT_EQ(readGeneratedList(testfiles::folder(dir.path())), ids(20, 15));
    QFile::remove(testfiles::userFile(dir.path(), kGeneratedPapers));
    testfiles::makeUnreadable(testfiles::userFile(dir.path(), kGeneratedPapers));
    EXPECT_FALSE(readGeneratedList(testfiles::folder(dir.path())));
}
