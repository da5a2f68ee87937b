#include "bank/banklayout.h"
#include "history/historyfiles.h"
#include "history/testfiles.h"
#include "history/unitprogress.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace history;

namespace {
std::vector<int> counts(std::initializer_list<int> c)
{
    std::vector<int> v(c);
    v.resize(26, 0);
    return v;
}
} // namespace

TEST(UnitProgress, UpkeepTable)
{
    struct Case {
        const char* name;
        std::optional<QStringList> file; // nothing: no file
        std::vector<int> counts;
        int unitCount;
        QStringList wantLines;           // first lines of the rewritten file
        std::vector<bank::UnitRow> rows;
    };
    const Case cases[] = {
        {"missing file: count x F", std::nullopt, counts({3, 2}), 2, {"FFF", "FF", ""},
         {{3, 3, "FFF"}, {2, 2, "FF"}}},
        {"long line cut to the count", QStringList{"TTTF"}, counts({2}), 1, {"TT"}, {{2, 0, "TT"}}},
        {"short line filled with F", QStringList{"TFT"}, counts({5}), 1, {"TFTFF"}, {{5, 3, "TFTFF"}}},
        {"count raised from 3 to 5 keeps the T", QStringList{"TTT"}, counts({5}), 1, {"TTTFF"}, {{5, 2, "TTTFF"}}},
        {"lower-case f counts as learned", QStringList{"TfF"}, counts({3}), 1, {"TfF"}, {{3, 1, "TfF"}}},
        {"leading blanks kept in the file, not in the table", QStringList{" TF"}, counts({3}), 1, {" TF"},
         {{2, 1, "TF"}}},
        {"a count above 42 fills the whole line", QStringList{"T"}, counts({50}), 1,
         {"T" + QString(49, u'F')}, {{50, 49, "T" + QString(49, u'F')}}},
        {"table only up to the unit count", QStringList{"T", "F"}, counts({1, 1}), 1, {"T", "F"}, {{1, 0, "T"}}},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = testfiles::userFile(dir.path(), kUnitProgress);
        if (c.file)
            testfiles::writeLines(path, *c.file);
        const ProgressUpkeep r = upkeepUnitProgress(testfiles::folder(dir.path()), c.counts, c.unitCount);
        EXPECT_TRUE(r.rewritten) << c.name;
        const QStringList lines = *platform::readAllLines(path);
        ASSERT_EQ(lines.size(), 26) << c.name; // 25 progress lines and the empty last line
        EXPECT_EQ(lines.last(), "") << c.name;
        EXPECT_EQ(lines.mid(0, c.wantLines.size()), c.wantLines) << c.name;
        ASSERT_EQ(r.rows.size(), c.rows.size()) << c.name;
        for (size_t u = 0; u < c.rows.size(); ++u) {
            EXPECT_EQ(r.rows[u].count, c.rows[u].count) << c.name << " unit " << u;
            EXPECT_EQ(r.rows[u].notLearned, c.rows[u].notLearned) << c.name << " unit " << u;
            EXPECT_EQ(r.rows[u].progress, c.rows[u].progress) << c.name << " unit " << u;
        }
    }
}

TEST(UnitProgress, EightCountsLeaveLines9To25Empty)
{
    QTemporaryDir dir;
    const auto c = bank::unitQuestionCounts({"0108", "0102030405060708"});
    ASSERT_TRUE(c);
    upkeepUnitProgress(testfiles::folder(dir.path()), c, 8);
    const QStringList lines = *platform::readAllLines(testfiles::userFile(dir.path(), kUnitProgress));
    EXPECT_EQ(lines.at(7), "FFFFFFFF");
    for (int i = 8; i < 25; ++i)
        EXPECT_EQ(lines.at(i), "") << i;
    EXPECT_TRUE(testfiles::readRaw(testfiles::userFile(dir.path(), kUnitProgress)).endsWith("\r\n\r\n"));
}

TEST(UnitProgress, WithoutCountsOrReadableFileNothingIsRewritten)
{
    QTemporaryDir dir;
    const QString path = testfiles::userFile(dir.path(), kUnitProgress);
    testfiles::writeRaw(path, "TTF\r\nFT\r\n");
    // A bank layout file of one line gives no counts: the candidate's progress stays.
    const ProgressUpkeep r = upkeepUnitProgress(testfiles::folder(dir.path()), bank::unitQuestionCounts({"0102"}), 2);
    EXPECT_FALSE(r.rewritten);
    EXPECT_EQ(testfiles::readRaw(path), QByteArray("TTF\r\nFT\r\n"));
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].progress, "TTF");

    QTemporaryDir dir2;
    testfiles::makeUnreadable(testfiles::userFile(dir2.path(), kUnitProgress));
    const ProgressUpkeep r2 = upkeepUnitProgress(testfiles::folder(dir2.path()), counts({4}), 1);
    EXPECT_FALSE(r2.rewritten);
    ASSERT_EQ(r2.rows.size(), 1u);
    EXPECT_EQ(r2.rows[0].progress, "FFFF"); // the table still shows the bank's count
}

// The upkeep at every home build writes the progress file only when it changes: in a folder the
// candidate may not write to, unchanged progress is no failed write, a changed one still is.
TEST(UnitProgress, AnUnchangedFileIsNotWrittenAgain)
{
    QTemporaryDir dir;
    const QString path = testfiles::userFile(dir.path(), kUnitProgress);
    ASSERT_TRUE(upkeepUnitProgress(testfiles::folder(dir.path()), counts({3, 2}), 2).rewritten);
    const QByteArray before = testfiles::readRaw(path);
    privileges::Refusal frozenFile(path), frozenFolder(dir.path());
    ASSERT_TRUE(frozenFile.engage() && frozenFolder.engage());
    EXPECT_TRUE(upkeepUnitProgress(testfiles::folder(dir.path()), counts({3, 2}), 2).rewritten);
    EXPECT_FALSE(upkeepUnitProgress(testfiles::folder(dir.path()), counts({3, 3}), 2).rewritten);
    EXPECT_EQ(testfiles::readRaw(path), before);
}
