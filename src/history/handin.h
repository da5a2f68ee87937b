#pragma once
// What the score window writes when a mock paper is handed in: the marked-question merge, the
// paper's wrong-question file, the own wrong-question store and the paper's record in the paper
// results file. The decision is pure (handInPaper); the file work is around it.

#include "history/idlist.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace history {

inline constexpr int kPaperQuestions = 40;

// The paper's id line: line p - 19 of the generated paper list for a random paper (kind 8), line
// subKind + 3 of the bank layout file otherwise; empty when that line is not there.
QString handedInPaperIds(int exerciseKind, int subKind, int selIndex, const QStringList& layoutLines,
                         const QStringList& generatedLines);
// The same read from the files: the user folder's generated paper list for a random paper, the
// data folder's bank layout file otherwise (a missing file has no lines). Nothing when that file
// exists but cannot be read, in which case the hand-in writes nothing.
std::optional<QString> readHandedInPaperIds(const UserFolder& folder, const QString& dataDir, int exerciseKind,
                                            int subKind, int selIndex);

// "第" & (subKind + 1) & "套得分：" & score & "分"; for a random paper "随机题得分：" & score & "分".
QString scoreLine(int exerciseKind, int subKind, double score);

struct HandInInput {
    int exerciseKind = 0; // `iLianXiType`: 0 or 8
    int subKind = 0;      // `iLianXiSub`
    int selIndex = 0;     // `iSelIndex`: the paper
    Questions questions;  // questions 1 to `iTmCount`
    std::optional<QString> paperIds; // handedInPaperIds; nothing when it could not be read
    QString startTime;    // `sKsStartTime`
    QDateTime now;
};

// The files as they stand; std::nullopt for one that exists but cannot be read.
struct HandInFiles {
    std::optional<StoreLines> marked;
    std::optional<StoreLines> ownWrong;
    std::optional<QStringList> results; // the 100-entry table
};

struct HandInOutcome {
    int completed = 0;
    double score = 0;
    std::vector<bool> done;               // questions 1 to 40: completed (result button pictures)
    std::optional<StoreLines> marked;     // std::nullopt = not written
    QString paperWrong;                   // the paper wrong-question line, written with the rest
    std::optional<StoreLines> ownWrong;
    std::optional<QStringList> results;
    // A file the save needs exists but could not be read (the paper's id line among them): nothing
    // of the set is written.
    bool unreadable = false;
};

HandInOutcome handInPaper(const HandInInput& in, const HandInFiles& files);

HandInFiles readHandInFiles(const UserFolder& folder);
// Writes the marked store, the paper's wrong-question file, the own wrong store and the paper
// results as one unit: Written, or Undone (every file as it was; so too when a file it needs could
// not be read), or Mixed when the set could be neither finished nor undone.
platform::SetResult writeHandInOutcome(const UserFolder& folder, int paper, const HandInOutcome& out);

} // namespace history
