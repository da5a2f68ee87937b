#pragma once
// Question ids, exercise kinds, exercise file pairs and the launcher's pure work: building the
// exercise file pair from a question-id string and the record-offset table.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace bank {

// ---- question ids -------------------------------------------------------------------------
// A question id is four digits UUNN (unit from 0, question from 1); in the per-question tables
// it is the integer u * 100 + n. A question-id string is ids concatenated without separator.

// Entries of every per-question table (`iTmCode`, `iTmFlags`, `sTmDone`, `iTmLine`, ...).
inline constexpr int kTableSize = 500;

// The four-digit text of an id ("0007" for 7); outside 0 to 9999 the plain decimal text.
QString idText(int code);
// Whole ids of a question-id string: a trailing fragment of fewer than four characters is no id.
int wholeIdCount(const QString& ids);
// Id k (from 1) of the string, characters 4k-3 to 4k; empty when the string has no whole id k.
QString idAt(const QString& ids, int k);
// The whole ids of the string in order, at most maxIds of them.
QStringList splitIds(const QString& ids, int maxIds = kTableSize);
// Four decimal digits.
bool isIdText(const QString& id);

// ---- exercise kinds -----------------------------------------------------------------------
namespace kind {
inline constexpr int FixedPaper = 0;
inline constexpr int PaperWrong = 2;      // wrong questions of a paper
inline constexpr int UnitLearned = 5;
inline constexpr int UnitNotLearned = 6;
inline constexpr int RandomPaper = 8;
inline constexpr int MarkedAll = 9;
inline constexpr int MarkedNew = 10;      // not yet reviewed
inline constexpr int MarkedReviewed = 11;
inline constexpr int WrongAll = 12;
inline constexpr int WrongNew = 13;
inline constexpr int WrongReviewed = 14;
inline constexpr int WholeUnit = 20;
} // namespace kind

// The file number every list-built exercise uses (pair 19 / 69).
inline constexpr int kListBuiltNumber = 19;

// The sub-kind of an exercise kind: the paper p for kind 0, the unit u for kind 20, 19 - kind for
// the list-built kinds. -1 for a value that is no exercise kind.
int subKindOf(int exerciseKind, int paperOrUnit);
// `iLianXiType` + `iLianXiSub`.
inline int exerciseFileNumber(int exerciseKind, int subKind) { return exerciseKind + subKind; }
// Mock papers (kinds 0 and 8) go through the examination log-on.
bool isMockPaper(int exerciseKind);

// ---- file pairs -----------------------------------------------------------------------------
// "2888" & the number as two digits & ".mxy"; empty for a number outside 0 to 99.
QString bankFileName(int number);

struct ExercisePaths {
    QString opFile;     // `sOpFile`: file number NN
    QString textFile;   // `sTmTextFile`: NN + 50
    QString opTextFile; // `sOpTextFile`: 288890
};
// The exercise file pair of file number NN (0 to 49) in the data folder; empty paths otherwise,
// and for an empty data folder path.
ExercisePaths exercisePaths(const QString& dataDir, int fileNumber);

// Units that own a file pair in the data folder: 0 to 19 (files 20+u and 70+u).
inline constexpr int kMaxUnits = 20;
QString unitOpPath(const QString& dataDir, int unit);
QString unitTextPath(const QString& dataDir, int unit);

// Block length of a question-text line: Val of its columns 5-6, made whole (never below 0).
int blockLength(const QString& textLine);

// Record-offset table from the lines of an exercise question-text file: entry 1 is 1, entry k+1
// is entry k plus the block length of line k; a blank line ends the table. At most kTableSize
// entries (index 0 here is entry 1).
std::vector<int> recordOffsets(const QStringList& textLines);

// ---- building an exercise file pair -------------------------------------------------------------
struct ExercisePair {
    QStringList textLines;  // one question-text line per question, in exercise order
    QStringList opLines;    // their record blocks, in the same order
    std::vector<int> codes; // `iTmCode` of each question
};

enum class BuildError {
    None,
    BadId,       // an id that is not four digits or names no question of an installed unit
    UnitUnreadable, // a unit file could not be read, or its records end inside a block
    WriteFailed, // the pair could not be written
    NothingLeft, // every id was left out: none is in the bank any more
};

struct BuildResult {
    BuildError error = BuildError::None;
    int badPosition = 0; // the position (from 1) of the id that failed, for BadId/UnitUnreadable
    ExercisePair pair;
    std::vector<int> positions; // the position (from 1) in the id string of each question built
    int leftOut = 0;            // ids left out as no longer in the bank
    bool ok() const { return error == BuildError::None; }
};

// Builds the pair of a question-id string in memory: the whole ids, at most maxIds of them,
// each checked (four digits, unit 0-19 with a readable file pair, question 1 to the unit's line
// count, its block inside the unit operation file). Each unit file is read once.
// With leaveOutMissing, an id the bank does not hold (not four digits, no such question, or a
// unit whose two files are both gone) is left out and counted instead of failing the build; a
// unit file that exists but cannot be read still fails it.
BuildResult buildExercisePair(const QString& dataDir, const QString& ids, int maxIds = kTableSize,
                              bool leaveOutMissing = false);

// Writes both files of pair NN, each line followed by CR LF, each file replaced whole.
bool writeExercisePair(const QString& dataDir, int fileNumber, const ExercisePair& pair);

// ---- the launcher ---------------------------------------------------------------------------
// What an exercise start decided (the starts of the home panels fill it, see questionset.h).
struct QuestionSet {
    int exerciseKind = 0; // `iLianXiType`
    int subKind = 0;      // `iLianXiSub`
    int selIndex = -1;    // `iSelIndex`: paper or unit; -1 = leave it as it is
    int runMode = 2;      // `iRunMode`
    QString ids;          // question-id string of a list-built or paper exercise
    int unitCount = 0;    // whole unit: the unit's question count (unit table column 2)
    QStringList done;     // done mark of question q at index q - 1 ("" beyond it)
};

// Everything the windows copy into the program-wide state when the exercise starts. The tables
// hold all kTableSize entries (index q - 1 for question q): entries past the question count are
// cleared (0 or ""), so an earlier exercise leaves nothing behind. The saved steps and saved
// pictures of every entry are to be cleared by the caller as well.
struct ExerciseSetup {
    int exerciseKind = 0;
    int subKind = 0;
    int selIndex = -1;
    int runMode = 2;
    int count = 0;                 // `iTmCount`
    std::vector<int> codes;        // `iTmCode`
    QStringList done;              // `sTmDone`
    std::vector<int> flags;        // `iTmFlags`: 4 for a done mark "T", plus 2 for a marked id
    bool marksRead = true;         // the marked bits come from a marked list that was read
    std::vector<int> lineOffsets;  // `iTmLine`
    ExercisePaths paths;           // `sOpFile`, `sTmTextFile`, `sOpTextFile`
    // `iTmNo` = 1, `iStepNo` = 1, `iLeftMinutes` = 50 at every start.
};

struct LaunchResult {
    BuildError error = BuildError::None;
    int badPosition = 0;
    int leftOut = 0; // ids of the set left out as no longer in the bank
    ExerciseSetup setup;
    bool ok() const { return error == BuildError::None; }
};

// Prepares an exercise: a whole unit reads its own unit file pair; every other kind builds its
// pair from the id string and writes it (pair NN of the kind and sub-kind). The marked bit goes
// to the exercise's questions whose id stands in markedList (the marked-question list line); a
// list that could not be read (std::nullopt) marks none, and the setup says their marks are unknown.
// Ids the bank no longer holds are left out of a built exercise, each remaining question keeping
// its own done mark; it fails with NothingLeft when none remains. On failure nothing is to start.
LaunchResult prepareExercise(const QString& dataDir, const QuestionSet& set, const std::optional<QString>& markedList);

} // namespace bank
