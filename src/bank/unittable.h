#pragma once
// The unit table (`sDanYuan` columns 2 to 4) and what the home window computes from it: the unit
// button captions, the learned and not-learned bars and the unit pre-selection.

#include <QString>
#include <vector>

namespace bank {

// Columns 2 to 4 of one row of the unit table.
struct UnitRow {
    int count = 0;      // column 2: length of the progress line without surrounding blanks
    int notLearned = 0; // column 3: the "F" characters of the whole line
    QString progress;   // column 4: the progress line without surrounding blanks
};

// Display columns of one character as the unit captions count them: 1 for a character whose
// ANSI code is positive, 2 for any other (every double-byte GBK character).
int displayColumns(QChar c);

// Caption of the unit button of unit u: "u+1." and the name, filled with blanks or cut (never
// inside a double-byte character) to exactly 25 display columns.
QString fitUnitCaption(int unit, const QString& name);

// Totals shown for one unit or for all units.
struct UnitSummary {
    int total = 0;
    int notLearned = 0;
    int learned() const { return total - notLearned; }
};
UnitSummary unitSummary(const UnitRow& row);
// Units 0 to unitCount - 1 added up (rows beyond the table count as empty).
UnitSummary allUnitsSummary(const std::vector<UnitRow>& rows, int unitCount);

// The two bars of the unit chart in design twips: both stand on the baseline 5550 and the full
// height is 3570. With a total of 0 there is no bar to compute: valid is false and the caller
// keeps the heights it had.
inline constexpr double kBarBase = 5550;
inline constexpr double kBarFull = 3570;
struct UnitBars {
    bool valid = false;
    double learnedHeight = 0;
    double notLearnedHeight = 0;
    double learnedTop() const { return kBarBase - learnedHeight; }
    double notLearnedTop() const { return kBarBase - notLearnedHeight; }
};
UnitBars unitBars(const UnitSummary& s);

// Button indexes of the unit panel.
inline constexpr int kAllUnitsButton = 49;
inline constexpr int kFirstUnitButton = 50;
inline constexpr int kUnitButtons = 20;

// The button the question-bank tab clicks: the first unit whose not-yet-learned share exceeds 0.2
// (a unit without questions counts as share 1); when none does, the last unit with a button;
// with no units the all-units button. Never beyond the unit buttons (50 to 69).
int preselectUnitButton(const std::vector<UnitRow>& rows, int unitCount);

} // namespace bank
