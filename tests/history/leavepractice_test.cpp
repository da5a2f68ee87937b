#include "bank/exercise.h"
#include "history/historyfiles.h"
#include "history/leavepractice.h"
#include "history/testfiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace history;
using testfiles::qs;
namespace k = bank::kind;

namespace {
using Opt = std::optional<QString>;
using OptLines = std::optional<QStringList>;

} // namespace

TEST(LeavePractice, EdgeCases)
{
    struct Case {
        const char* name;
        LeaveInput in;
        LeaveFiles files;
        LeaveOutcome want;
    };
    const Case cases[] = {
        {"kind 9: F,T,F with questions 1 and 3 completed gives T,T,T",
         {k::MarkedAll, 10, 0, qs({{101, 6}, {102, 3}, {103, 7}})},
         {OptLines{}, Opt("010101020103"), Opt("FTF"), Opt(""), {}},
         {{}, Opt("010101020103"), Opt("TTT"), {}, {}, 18}},
        {"kind 10: T,F,T,F with question 2 completed gives T,F,T,T",
         {k::MarkedNew, 9, 0, qs({{102, 3}, {104, 7}})},
         {OptLines{}, Opt("0101010201030104"), Opt("TFTF"), Opt(""), {}},
         {{}, Opt("0101010201030104"), Opt("TFTT"), {}, {}, 18}},
        {"kind 12: own wrong flags by position, marked store only merged",
         {k::WrongAll, 7, 0, qs({{101, 0}, {102, 5}})},
         {OptLines{}, Opt(""), Opt(""), Opt("FF"), {}},
         {{}, Opt(""), Opt(""), Opt("FT"), {}, 19}},
        {"kind 13: a foreign flag counts as not yet reviewed, as the start chose",
         {k::WrongNew, 6, 0, qs({{101, 0}, {102, 4}})},
         {OptLines{}, Opt(""), Opt(""), Opt("TfF"), {}},
         {{}, Opt(""), Opt(""), Opt("TfT"), {}, 19}},
        {"kind 2, Yes: questions 1 and 3 of 4 completed keep ids 2 and 4",
         {k::PaperWrong, 17, 7, qs({{101, 5}, {202, 1}, {303, 4}, {404, 0}}), true},
         {OptLines{}, Opt(""), Opt(""), Opt(""), Opt("0101020203030404")},
         {{}, Opt(""), Opt(""), {}, Opt("02020404"), 0}},
        {"kind 2, No: the paper wrong-question file keeps every id",
         {k::PaperWrong, 17, 7, qs({{101, 5}, {202, 1}, {303, 4}, {404, 0}}), false},
         {OptLines{}, Opt(""), Opt(""), Opt(""), Opt("0101020203030404")},
         {{}, Opt(""), Opt(""), {}, {}, 0}},
        {"unmarking a listed question removes it with its flag",
         {k::MarkedReviewed, 8, 0, qs({{102, 1}, {103, 3}})},
         {OptLines{}, Opt("010101020103"), Opt("TFT"), Opt(""), {}},
         {{}, Opt("01010103"), Opt("TT"), {}, {}, 18}},
        {"nothing completed: only the merge and the purge",
         {k::WholeUnit, 1, 0, qs({{101, 3}, {102, 1}})},
         {OptLines{{"TTT", "FFF"}}, Opt("0505"), Opt("T"), Opt("F"), {}},
         {{}, Opt("05050101"), Opt("TF"), {}, {}, 16}},
        {"kind 20: the unit's line rebuilt, a question marked in it appended with F",
         {k::WholeUnit, 1, 0, qs({{101, 5}, {102, 1}, {103, 7}})},
         {OptLines{{"TTTT", "FFFF", "TF", ""}}, Opt(""), Opt(""), Opt(""), {}},
         {OptLines{{"TTTT", "TFT", "TF"}}, Opt("0103"), Opt("F"), {}, {}, 16}},
        {"kind 6: completed questions set learned, beyond the line filled with F first",
         {k::UnitNotLearned, 13, 0, qs({{2, 5}, {6, 4}, {3, 1}})},
         {OptLines{{"TFF", "FF"}}, Opt(""), Opt(""), Opt(""), {}},
         {OptLines{{"TTFFFT", "FF"}}, Opt(""), Opt(""), {}, {}, 16}},
        {"kind 6 on a unit past the file's lines",
         {k::UnitNotLearned, 13, 2, qs({{201, 4}})},
         {OptLines{{"T"}}, Opt(""), Opt(""), Opt(""), {}},
         {OptLines{{"T", "", "T"}}, Opt(""), Opt(""), {}, {}, 16}},
        {"progress file that cannot be read is not rewritten",
         {k::WholeUnit, 0, 0, qs({{1, 4}})},
         {std::nullopt, Opt(""), Opt(""), Opt(""), {}},
         {{}, Opt(""), Opt(""), {}, {}, 16, true}},
        {"marks not read at the start: the store takes the new mark and keeps the questions shown unmarked",
         {k::UnitLearned, 14, 0, qs({{101, 4}, {102, 2}}), false, false},
         {OptLines{}, Opt("0101"), Opt("T"), Opt(""), {}},
         {{}, Opt("01010102"), Opt("TF"), {}, {}, 16}},
        {"marked store that cannot be read is not rewritten",
         {k::UnitLearned, 14, 0, qs({{1, 6}})},
         {OptLines{}, std::nullopt, Opt("T"), Opt(""), {}},
         {{}, {}, {}, {}, {}, 16, true}},
        {"kind 20 with nothing completed needs no progress file",
         {k::WholeUnit, 0, 0, qs({{1, 1}})},
         {std::nullopt, Opt(""), Opt(""), Opt(""), {}},
         {{}, Opt(""), Opt(""), {}, {}, 16}},
        {"kind 5 saves no progress", {k::UnitLearned, 14, 0, qs({{1, 4}})},
         {OptLines{{"F"}}, Opt(""), Opt(""), Opt(""), {}},
         {{}, Opt(""), Opt(""), {}, {}, 16}},
        {"kinds 0 and 8 in practice mode", {k::RandomPaper, 11, 23, qs({{1, 4}})},
         {OptLines{{"F"}}, Opt(""), Opt(""), Opt(""), {}},
         {{}, Opt(""), Opt(""), {}, {}, 0}},
    };
    for (const Case& c : cases) {
        const LeaveOutcome got = leavePractice(c.in, c.files);
        EXPECT_EQ(got.progress, c.want.progress) << c.name;
        EXPECT_EQ(got.markedList, c.want.markedList) << c.name;
        EXPECT_EQ(got.markedFlags, c.want.markedFlags) << c.name;
        EXPECT_EQ(got.ownWrongFlags, c.want.ownWrongFlags) << c.name;
        EXPECT_EQ(got.paperWrong, c.want.paperWrong) << c.name;
        EXPECT_EQ(got.homePage, c.want.homePage) << c.name;
        EXPECT_EQ(got.unreadable, c.want.unreadable) << c.name;
    }
}

TEST(LeavePractice, HomePageAndQuestion)
{
    const std::pair<int, int> pages[] = {{0, 0},   {2, 0},   {5, 16},  {6, 16},  {8, 0},  {9, 18},
                                         {10, 18}, {11, 18}, {12, 19}, {13, 19}, {14, 19}, {20, 16}};
    for (auto [kind, page] : pages)
        EXPECT_EQ(homePageAfterLeaving(kind), page) << kind;

    EXPECT_TRUE(leavingAsks({k::PaperWrong, 17, 3, qs({{1, 1}, {2, 5}})}));
    EXPECT_FALSE(leavingAsks({k::PaperWrong, 17, 3, qs({{1, 1}, {2, 3}})}));
    EXPECT_FALSE(leavingAsks({k::MarkedAll, 10, 0, qs({{1, 5}})}));
    EXPECT_TRUE(dropAnsweredQuestionText().startsWith(QStringLiteral("本次答对的题目要从“错题复习”中去掉吗？\r\n")));
}

TEST(LeavePractice, WholeUnitRewritesEveryLineItRead)
{
    QTemporaryDir dir;
    const QString path = testfiles::userFile(dir.path(), kUnitProgress);
    QStringList lines;
    for (int i = 0; i < 30; ++i)
        lines << QString(i % 5 + 1, u'T');
    lines << "";
    testfiles::writeLines(path, lines); // 30 lines and the empty closing line
    const LeaveInput in{k::WholeUnit, 2, 0, qs({{201, 5}, {202, 0}})};
    ASSERT_EQ(testfiles::leave(dir.path(), in), platform::SetResult::Written);
    QStringList want = lines;
    want[2] = "TF";
    EXPECT_EQ(*platform::readAllLines(path), want);

    // A second leave neither grows nor shrinks the file.
    ASSERT_EQ(testfiles::leave(dir.path(), in), platform::SetResult::Written);
    EXPECT_EQ(*platform::readAllLines(path), want);
}

TEST(LeavePractice, FilesOfAWrongQuestionReviewAndTheMarkedStore)
{
    QTemporaryDir dir;
    const QString wrong = testfiles::paperWrongPath(dir.path(), 23);
    testfiles::writeRaw(wrong, "0101020203030404\r\n");
    testfiles::writeRaw(testfiles::userFile(dir.path(), kMarkedList), "0202\r\n");
    testfiles::writeRaw(testfiles::userFile(dir.path(), kMarkedFlags), "T\r\n");
    const QByteArray ownFlags = "TF\r\n";
    testfiles::writeRaw(testfiles::userFile(dir.path(), kOwnWrongFlags), ownFlags);

    // Question 2 (id 0202) unmarked, question 4 marked, 1 and 3 completed; the candidate says Yes.
    const LeaveInput in{k::PaperWrong, 17, 23, qs({{101, 5}, {202, 1}, {303, 4}, {404, 2}}), true};
    ASSERT_EQ(testfiles::leave(dir.path(), in), platform::SetResult::Written);
    EXPECT_EQ(testfiles::readRaw(wrong), QByteArray("02020404\r\n"));
    EXPECT_EQ(testfiles::readRaw(testfiles::userFile(dir.path(), kMarkedList)), QByteArray("0404\r\n"));
    EXPECT_EQ(testfiles::readRaw(testfiles::userFile(dir.path(), kMarkedFlags)), QByteArray("F\r\n"));
    EXPECT_EQ(testfiles::readRaw(testfiles::userFile(dir.path(), kOwnWrongFlags)), ownFlags);
    EXPECT_FALSE(QFile::exists(testfiles::userFile(dir.path(), kUnitProgress)));
}

// Stores whose flags fell short of their lists are fitted on reading, so what leaving writes is
// aligned again: every id keeps a flag of its own.
TEST(LeavePractice, WritesAlignedStoresFromMisalignedOnes)
{
    QTemporaryDir dir;
    testfiles::writeRaw(testfiles::userFile(dir.path(), kMarkedList), "010102020303\r\n");
    testfiles::writeRaw(testfiles::userFile(dir.path(), kMarkedFlags), "T\r\n");
    testfiles::writeRaw(testfiles::userFile(dir.path(), kOwnWrongList), "04040505\r\n");
    testfiles::writeRaw(testfiles::userFile(dir.path(), kOwnWrongFlags), "\r\n");
    // Own wrong-question practice of both ids, the second completed; 0202 was unmarked.
    const LeaveInput in{k::WrongAll, 7, 0, qs({{404, 0}, {505, 4}, {202, 0}})};
    ASSERT_EQ(testfiles::leave(dir.path(), in), platform::SetResult::Written);
    EXPECT_EQ(testfiles::readRaw(testfiles::userFile(dir.path(), kMarkedList)), QByteArray("01010303\r\n"));
    EXPECT_EQ(testfiles::readRaw(testfiles::userFile(dir.path(), kMarkedFlags)), QByteArray("TF\r\n"));
    EXPECT_EQ(testfiles::readRaw(testfiles::userFile(dir.path(), kOwnWrongFlags)), QByteArray("FT\r\n"));
}
