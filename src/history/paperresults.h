#pragma once
// The paper results file (user folder 288892.mxy): three lines per paper p, line 3p+1 the time of
// its last exam ("yyyy-mm-dd hh:mm:ss", or "您还未考试！"), line 3p+2 its best score, line 3p+3 "E".
// Readers work on a table of 100 entries (entry i = line i); writers write papers 0 to 29.

#include "history/historyfiles.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace history {

inline constexpr int kResultEntries = 100;
inline constexpr int kResultLinesWritten = 90; // papers 0 to 29

// The text of a paper never taken.
QString noResultText();

// The 100 prefilled entries (index i - 1 for entry i): "您还未考试！", "0", "E", ...
QStringList prefilledResults();
// The table after the file's lines replaced entries 1, 2, 3, ... in order; lines beyond the
// 100th are ignored.
QStringList resultsTable(const QStringList& fileLines);
// The file's text: entries 1 to 90, each followed by CR LF, and one more CR LF.
QString resultsFileText(const QStringList& table);

// A score as its shortest decimal text: 0, 2.5, 97.5, 100.
QString scoreText(double score);
// 2.5 points per completed question.
inline double paperScore(int completed) { return completed * 2.5; }

// The record of paper p after a handed-in exam. startTime is `sKsStartTime`: "-1" when answers
// were viewed, and then the time becomes now and the best score stays; otherwise the time becomes
// startTime and the best score is raised to score when that is higher. Papers outside 0 to 29
// leave the table as it was.
QStringList recordPaperResult(QStringList table, int paper, const QString& startTime, double score,
                              const QDateTime& now);
QString timeText(const QDateTime& t); // "yyyy-mm-dd hh:mm:ss"

// The file read into the table (missing: all prefilled); nothing when it exists but cannot be read.
std::optional<QStringList> readResults(const UserFolder& folder);
// The file's bytes (resultsFileText), for a set of files written together.
QByteArray resultsBytes(const QStringList& table);

} // namespace history
