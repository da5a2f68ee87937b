#pragma once
// Generated random papers: drawing a new paper's 40 questions, and how the generated paper list,
// the paper results file and the papers' wrong-question files move when a paper is added at the
// head of the list or deleted from it.
//
// Generated paper list (user folder 288891.mxy): line k holds the 40 ids of generated paper
// 19 + k; line 1 is the newest paper, 20. Papers 20 to 29, so at most ten lines.

#include "history/historyfiles.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace history {

inline constexpr int kRandomPaperQuestions = 40;
inline constexpr int kFirstGeneratedPaper = 20;

// ---- the draw -------------------------------------------------------------------------------

// Draws 40 distinct ids. For each one a unit u = floor(1000 r) mod unitCount, then a question
// n = floor(1000 r') mod (count of u) + 1, r and r' fresh numbers of rnd in [0, 1); an id drawn
// before is drawn again, unit and question both. Every unit has the same chance, whatever its size.
// unitCounts[u] is unit u's question count (missing entries count 0). A unit without questions,
// or beyond the units that own bank files (0 to 19), is drawn again as well. Nothing when the bank
// does not hold 40 questions to draw, or the draws do not come to 40 ids in a bounded number of tries.
std::optional<QString> drawRandomPaper(int unitCount, const std::vector<int>& unitCounts,
                                       const std::function<double()>& rnd);

// ---- a new paper at the head of the list ----------------------------------------------------

// The list's ten lines after a new paper: its ids, then the old lines 1 to 9 as read (a line the
// file does not have is empty). The old line 10 goes.
QStringList listWithNewPaper(const QStringList& oldLines, const QString& ids);
// The file text of those lines: each line followed by CR LF, nothing more.
QString listText(const QStringList& lines);

// The 100-entry results table after a new paper: papers 0 to 19 as they were, paper 20 the
// generation time with score "0" and "E", papers 21 to 29 the old records of papers 20 to 28.
QStringList resultsWithNewPaper(QStringList table, const QDateTime& now);

// A copy of one paper's wrong-question file over another's.
struct PaperCopy {
    int from = 0;
    int to = 0;
    bool operator==(const PaperCopy&) const = default;
};
// For a new paper, highest first: paper 19 + n over paper 20 + n for n = min(count, 9) down to 1.
std::vector<PaperCopy> wrongFileMovesForNewPaper(int generatedCount);

// ---- deleting a generated paper --------------------------------------------------------------

// Whether paper p is a listed generated paper: 20 to 19 + count.
bool isListedGeneratedPaper(int paper, int generatedCount);
// The list after paper p leaves it: lines 1 to count - 1, the later papers moved up one. The file
// holds them followed by one empty line (writeLinesClosed).
QStringList listWithoutPaper(const QStringList& listLines, int paper, int generatedCount);
// The results table after paper p leaves: papers p to 18 + count take the record of the paper
// after them; the last listed paper's record stays.
QStringList resultsWithoutPaper(QStringList table, int paper, int generatedCount);
// Lowest first: paper i + 1 over paper i for i = p to 18 + count.
std::vector<PaperCopy> wrongFileMovesForDeletion(int paper, int generatedCount);

// ---- the files ------------------------------------------------------------------------------

enum class CopyResult {
    Copied,
    SourceMissing,    // the source paper has no file: the target, if there is one, becomes the
                      // empty line, so no paper shows another paper's wrong questions
    SourceUnreadable, // the source exists but cannot be read: nothing of the change is written
    Failed,           // no such paper: nothing moves
};
// What the wrong-question file of paper `to` becomes when that of paper `from` moves over it, read
// from the files as they stand: the source's bytes as they are, the empty line, or nothing (the
// target stays missing, or the source could not be read).
struct WrongFileMove {
    CopyResult result = CopyResult::Failed;
    std::optional<QByteArray> bytes;
};
WrongFileMove readWrongFileMove(const UserFolder& folder, int from, int to);

// Every file a change of the generated paper list writes, read and decided before anything is
// written, and written as one unit (writeSet): the list, the results and the wrong-question files
// move together or not at all.
struct PaperListChange {
    FileSet files;
    std::vector<CopyResult> moves; // each wrong-question file move, in the order of the moves
};
// A new paper at the head of the list; nothing when the list, the results file or the
// wrong-question file of a paper that moves cannot be read.
std::optional<PaperListChange> newPaperChange(const UserFolder& folder, const QString& ids, const QDateTime& now);
// Paper p leaving the list; nothing when one of those files cannot be read, or p is not a listed
// paper.
std::optional<PaperListChange> deletionChange(const UserFolder& folder, int paper);

// The generated paper list's lines, at most 15 (a list longer than that is never written);
// a missing file has none; nothing when the file exists but cannot be read.
std::optional<QStringList> readGeneratedList(const UserFolder& folder);

} // namespace history
