#include "bank/exercise.h"
#include "bank/exercise_units.h"
#include "history/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bank;
using exercise_units::record;
using exercise_units::textLine;
using exercise_units::writeUnit;

TEST(Exercise, QuestionIdsAreWholeIds)
{
    EXPECT_EQ(idText(7), "0007");
    EXPECT_EQ(idText(1203), "1203");
    EXPECT_EQ(wholeIdCount("010203"), 1); // 6 characters: one id and a fragment
    EXPECT_EQ(wholeIdCount("01020304"), 2);
    EXPECT_EQ(idAt("01020304", 2), "0304");
    EXPECT_EQ(idAt("0102030", 2), "");
    EXPECT_EQ(splitIds("0102030405", 500), (QStringList{"0102", "0304"}));
    EXPECT_EQ(splitIds(QString(4 * 600, u'1')).size(), 500);
    EXPECT_TRUE(isIdText("0007"));
    EXPECT_FALSE(isIdText("007a"));
    EXPECT_FALSE(isIdText("007"));
}

TEST(Exercise, KindsFileNumbersAndPairPaths)
{
    struct Case { int kind; int paperOrUnit; int number; const char* op; const char* text; };
    const Case cases[] = {
        {kind::FixedPaper, 0, 0, "288800.mxy", "288850.mxy"},
        {kind::FixedPaper, 5, 5, "288805.mxy", "288855.mxy"},
        {kind::FixedPaper, 19, 19, "288819.mxy", "288869.mxy"},
        {kind::PaperWrong, 7, 19, "288819.mxy", "288869.mxy"},
        {kind::UnitLearned, 3, 19, "288819.mxy", "288869.mxy"},
        {kind::UnitNotLearned, 3, 19, "288819.mxy", "288869.mxy"},
        {kind::RandomPaper, 23, 19, "288819.mxy", "288869.mxy"},
        {kind::MarkedAll, 0, 19, "288819.mxy", "288869.mxy"},
        {kind::MarkedNew, 0, 19, "288819.mxy", "288869.mxy"},
        {kind::MarkedReviewed, 0, 19, "288819.mxy", "288869.mxy"},
        {kind::WrongAll, 0, 19, "288819.mxy", "288869.mxy"},
        {kind::WrongNew, 0, 19, "288819.mxy", "288869.mxy"},
        {kind::WrongReviewed, 0, 19, "288819.mxy", "288869.mxy"},
        {kind::WholeUnit, 0, 20, "288820.mxy", "288870.mxy"},
        {kind::WholeUnit, 19, 39, "288839.mxy", "288889.mxy"},
    };
    for (const Case& c : cases) {
        const int sub = subKindOf(c.kind, c.paperOrUnit);
        EXPECT_EQ(exerciseFileNumber(c.kind, sub), c.number) << c.kind;
        const ExercisePaths p = exercisePaths("/data/", exerciseFileNumber(c.kind, sub));
        EXPECT_EQ(p.opFile, QStringLiteral("/data/") + c.op) << c.kind;
        EXPECT_EQ(p.textFile, QStringLiteral("/data/") + c.text) << c.kind;
        EXPECT_EQ(p.opTextFile, "/data/288890.mxy");
    }
    EXPECT_EQ(subKindOf(3, 0), -1);
    EXPECT_TRUE(exercisePaths("/data", 50).opFile.isEmpty());
    EXPECT_TRUE(exercisePaths("/data", -1).opFile.isEmpty());
    EXPECT_EQ(unitOpPath("/data", 0), "/data/288820.mxy");
    EXPECT_EQ(unitTextPath("/data", 15), "/data/288885.mxy");
    EXPECT_TRUE(unitOpPath("/data", 20).isEmpty());
    EXPECT_TRUE(isMockPaper(0) && isMockPaper(8) && !isMockPaper(2));
}

TEST(Exercise, RecordOffsetsFromBlockLengths)
{
    struct Case { const char* name; QStringList lines; std::vector<int> offsets; };
    const Case cases[] = {
        {"7, 5, 9", {"000007a", "000005b", "000009c"}, {1, 8, 13, 22}},
        {"blank or non-digit length is 0", {"0000  a", "0000xxb", "000003c"}, {1, 1, 1, 4}},
        {"a blank line ends the table", {"000002a", "   ", "000004c"}, {1, 3}},
        {"no lines", {}, {1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(recordOffsets(c.lines), c.offsets) << c.name;
    EXPECT_EQ(recordOffsets(QStringList(700, "000001x")).size(), 500u);
}

class ExercisePairTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeUnit(data(), 1, {2, 3, 1});
        writeUnit(data(), 15, {1, 1, 2, 1, 1, 1, 4});
    }
    QString data() const { return dir.path(); }
    QTemporaryDir dir;
};

TEST_F(ExercisePairTest, CopiesTextLinesAndBlocksInListOrder)
{
    const BuildResult r = buildExercisePair(data(), "01021507010115"); // 0102, 1507, 0101 and a fragment
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.pair.textLines, (QStringList{textLine(1, 2, 3), textLine(15, 7, 4), textLine(1, 1, 2)}));
    EXPECT_EQ(r.pair.opLines,
              (QStringList{record(1, 2, 1), record(1, 2, 2), record(1, 2, 3), record(15, 7, 1), record(15, 7, 2),
                           record(15, 7, 3), record(15, 7, 4), record(1, 1, 1), record(1, 1, 2)}));
    EXPECT_EQ(r.pair.codes, (std::vector<int>{102, 1507, 101}));
    EXPECT_EQ(recordOffsets(r.pair.textLines), (std::vector<int>{1, 4, 8, 10}));
}

TEST_F(ExercisePairTest, RefusesWhatIsNoQuestion)
{
    struct Case { const char* ids; BuildError error; int position; };
    const Case cases[] = {
        {"010101a2", BuildError::BadId, 2},           // not four digits
        {"01012501", BuildError::BadId, 2},           // no unit 25
        {"0100", BuildError::BadId, 1},               // question 00
        {"01010104", BuildError::BadId, 2},           // beyond the unit's last question
        {"01010301", BuildError::UnitUnreadable, 2},  // unit 3 is not installed
    };
    for (const Case& c : cases) {
        const BuildResult r = buildExercisePair(data(), c.ids);
        EXPECT_EQ(r.error, c.error) << c.ids;
        EXPECT_EQ(r.badPosition, c.position) << c.ids;
    }
    // A blank question-text line is no question.
    platform::writeWholeFile(unitTextPath(data(), 1), textLine(1, 1, 2) + "\r\n  \r\n" + textLine(1, 3, 1) + "\r\n");
    EXPECT_EQ(buildExercisePair(data(), "01010103").error, BuildError::None);
    EXPECT_EQ(buildExercisePair(data(), "01010102").error, BuildError::BadId);
    // A unit whose operation file ends inside a block.
    writeUnit(data(), 1, {2, 3, 1});
    platform::writeWholeFile(unitOpPath(data(), 1), "1-1-1\r\n1-1-2\r\n1-2-1\r\n");
    EXPECT_EQ(buildExercisePair(data(), "0101").error, BuildError::None);
    EXPECT_EQ(buildExercisePair(data(), "0102").error, BuildError::UnitUnreadable);
}

TEST_F(ExercisePairTest, ListBuiltStartWritesPair19AndClearsTheTables)
{
    QuestionSet set;
    set.exerciseKind = kind::MarkedAll;
    set.subKind = subKindOf(kind::MarkedAll, 0);
    set.ids = "010115070103";
    set.done = {"T", "F", ""};
    // Marked: 0101 and 0103 of the exercise, and 0102, which is not in it.
    const LaunchResult r = prepareExercise(data(), set, "01030102  0101");
    ASSERT_TRUE(r.ok());
    const ExerciseSetup& s = r.setup;
    EXPECT_EQ(s.count, 3);
    EXPECT_EQ(s.paths.opFile, data() + "/288819.mxy");
    EXPECT_EQ(s.paths.textFile, data() + "/288869.mxy");
    ASSERT_EQ(s.codes.size(), 500u);
    ASSERT_EQ(s.flags.size(), 500u);
    ASSERT_EQ(s.done.size(), 500);
    ASSERT_EQ(s.lineOffsets.size(), 500u);
    EXPECT_EQ((std::vector<int>(s.codes.begin(), s.codes.begin() + 4)), (std::vector<int>{101, 1507, 103, 0}));
    // "0101" stands in the list only across its "  " gap: not a whole id of the list.
    EXPECT_EQ((std::vector<int>(s.flags.begin(), s.flags.begin() + 4)), (std::vector<int>{4, 0, 2, 0}));
    EXPECT_EQ(s.done.mid(0, 4), (QStringList{"T", "F", "", ""}));
    EXPECT_EQ((std::vector<int>(s.lineOffsets.begin(), s.lineOffsets.begin() + 5)),
              (std::vector<int>{1, 3, 7, 8, 0}));
    EXPECT_TRUE(std::all_of(s.codes.begin() + 3, s.codes.end(), [](int v) { return v == 0; }));

    // Written whole, GBK with CR LF.
    EXPECT_EQ(testfiles::readRaw(s.paths.textFile),
              platform::encodeGbk(textLine(1, 1, 2) + "\r\n" + textLine(15, 7, 4) + "\r\n" + textLine(1, 3, 1) + "\r\n"));
    EXPECT_EQ(platform::readAllLines(s.paths.opFile)->size(), 7);
}

// Ids the bank does not hold are left out of a start; the rest keep their own done marks.
TEST_F(ExercisePairTest, IdsNotInTheBankAreLeftOut)
{
    QuestionSet set;
    set.exerciseKind = kind::MarkedAll;
    set.subKind = subKindOf(kind::MarkedAll, 0);
    set.ids = "0101" "0199" "1507" "2501" "0301" "01x3" "0103";
    set.done = {"T", "T", "F", "T", "T", "T", ""};
    const LaunchResult r = prepareExercise(data(), set, "0103");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.leftOut, 4);
    EXPECT_EQ(r.setup.count, 3);
    EXPECT_EQ((std::vector<int>(r.setup.codes.begin(), r.setup.codes.begin() + 4)), (std::vector<int>{101, 1507, 103, 0}));
    EXPECT_EQ(r.setup.done.mid(0, 4), (QStringList{"T", "F", "", ""}));
    EXPECT_EQ((std::vector<int>(r.setup.flags.begin(), r.setup.flags.begin() + 3)), (std::vector<int>{4, 0, 2}));
    EXPECT_TRUE(r.setup.marksRead);

    // A marked list that could not be read marks none, and the setup says the marks are unknown.
    const LaunchResult unread = prepareExercise(data(), set, std::nullopt);
    ASSERT_TRUE(unread.ok());
    EXPECT_EQ((std::vector<int>(unread.setup.flags.begin(), unread.setup.flags.begin() + 3)), (std::vector<int>{4, 0, 0}));
    EXPECT_FALSE(unread.setup.marksRead);

    // A unit file that exists but cannot be read is no missing question: the start fails.
    testfiles::makeUnreadable(unitOpPath(data(), 3));
    EXPECT_EQ(prepareExercise(data(), set, "").error, BuildError::UnitUnreadable);
}

TEST_F(ExercisePairTest, WholeUnitReadsItsOwnPair)
{
    QuestionSet set;
    set.exerciseKind = kind::WholeUnit;
    set.subKind = 15;
    set.unitCount = 7;
    set.done = {"T", "F", "T"};
    const LaunchResult r = prepareExercise(data(), set, "1502");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.setup.count, 7);
    EXPECT_EQ(r.setup.paths.opFile, data() + "/288835.mxy");
    EXPECT_EQ(r.setup.paths.textFile, data() + "/288885.mxy");
    EXPECT_EQ(r.setup.codes[6], 1507);
    EXPECT_EQ((std::vector<int>(r.setup.flags.begin(), r.setup.flags.begin() + 4)), (std::vector<int>{4, 2, 4, 0}));
    EXPECT_EQ((std::vector<int>(r.setup.lineOffsets.begin(), r.setup.lineOffsets.begin() + 8)),
              (std::vector<int>{1, 2, 3, 5, 6, 7, 8, 12}));
    EXPECT_FALSE(QFile::exists(data() + "/288819.mxy"));

    // More questions than the unit file holds: no exercise.
    set.unitCount = 8;
    EXPECT_EQ(prepareExercise(data(), set, "").error, BuildError::UnitUnreadable);
}

TEST_F(ExercisePairTest, FailuresStartNothing)
{
    QuestionSet set;
    set.exerciseKind = kind::UnitNotLearned;
    set.subKind = subKindOf(set.exerciseKind, 3);
    set.ids = "0301"; // unit 3 is not installed: the only id is not in the bank
    EXPECT_EQ(prepareExercise(data(), set, "").error, BuildError::NothingLeft);
    EXPECT_FALSE(QFile::exists(data() + "/288819.mxy"));

    // The pair cannot be written: the data folder has a folder where the file should be.
    set.ids = "0101";
    testfiles::makeUnreadable(data() + "/288869.mxy");
    EXPECT_EQ(prepareExercise(data(), set, "").error, BuildError::WriteFailed);

    // No data folder named: nothing is read from or written into the working folder, even when
    // it holds a bank.
    ASSERT_TRUE(QDir().rmdir(data() + "/288869.mxy"));
    QFile::remove(data() + "/288819.mxy");
    const QString working = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(data()));
    const LaunchResult none = prepareExercise(QString(), set, "");
    QDir::setCurrent(working);
    EXPECT_EQ(none.error, BuildError::WriteFailed);
    EXPECT_FALSE(QFile::exists(data() + "/288819.mxy"));
    EXPECT_FALSE(QFile::exists(data() + "/288869.mxy"));

    // A paper takes at most its 40 questions.
    set.exerciseKind = kind::FixedPaper;
    set.subKind = 4;
    set.ids = QString("0101").repeated(45);
    const LaunchResult paper = prepareExercise(data(), set, "");
    ASSERT_TRUE(paper.ok());
    EXPECT_EQ(paper.setup.count, 40);
    EXPECT_EQ(paper.setup.paths.opFile, data() + "/288804.mxy");
}
