#pragma once
// The bank layout file (data folder 288891.mxy) and the number reading shared by the bank files.
//
//   line 1     after trimming: characters 1-2 the paper-mix code, characters 3-4 the unit count
//   line 2     the question count of every unit, two characters per unit (unit u at 2u+1, 2u+2)
//   line p+3   the 40 question ids of fixed paper p

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace bank {

// Numeric value of a text: its leading number. Blanks are skipped, "&H" and "&O" introduce a
// hexadecimal or octal number, a text without a leading number gives 0.
double numericValue(const QString& text);

// A number made whole: to the nearest integer, halves to the even one; clamped to the int range
// (not-a-number gives 0).
int roundToInt(double value);

// A folder and a file name joined with one "/" (the folder may or may not end with a slash).
QString joinPath(const QString& folder, const QString& name);

inline constexpr const char* kBankLayoutNumber = "288891";
QString bankLayoutPath(const QString& dataDir);

struct BankLayoutHead {
    int paperMix = 0;  // `iPaperMix`
    int unitCount = 0; // `iDanYuanCount`
};
// Line 1 of the bank layout file; an empty or missing line gives 0 and 0.
BankLayoutHead parseLayoutHead(const QString& line1);

// At most this many unit counts are taken from line 2.
inline constexpr int kMaxUnitCounts = 26;

// The per-unit question counts, from line 2 of the bank layout file only. Nothing when the file
// has no line 2 or the line holds no count above 0: then the bank says nothing about its units,
// and nothing may be cut to it. Otherwise 26 counts (units beyond the line get 0), each 0 to 99.
std::optional<std::vector<int>> unitQuestionCounts(const QStringList& layoutLines);

// The question-id string of fixed paper p (line p + 3), untrimmed; empty when the file has no such
// line or p is not a fixed paper (0 to 19).
QString fixedPaperIds(const QStringList& layoutLines, int paper);

} // namespace bank
