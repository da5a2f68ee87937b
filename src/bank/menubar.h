#pragma once
// The drawn menu bar of the simulated application window: its nine titles, the built-in layout
// of each title's drop-down and submenus, the names of its pictures and the tests of a menu
// choice. Pure data and arithmetic, shared by the work surface and the demonstration.
//
// Geometry is in twips. Functions taking a scale return window twips as real numbers; callers
// round when they apply them.

#include <QRectF>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

namespace bank::menubar {

inline constexpr int kTitles = 9;
inline constexpr int kTitleLeft = 390;  // left edge of title 1, design twips
inline constexpr int kTitleTop = 420;
inline constexpr int kTitlePitch = 870;
inline constexpr int kTitleWidth = 870;
inline constexpr int kTitleHeight = 270;

inline constexpr int kMaxRows = 20;     // row labels of a drop-down and of a submenu
inline constexpr int kFirstRowOffset = 30; // first row below the menu's top edge
inline constexpr int kRowPitch = 330;
inline constexpr int kGroupGap = 45;    // separator between groups of rows
inline constexpr int kRowIndent = 30;   // row labels' left inside the menu picture
inline constexpr int kSubmenuOverlap = 15; // a submenu overlaps the drop-down by one pixel

// Row label sizes: fixed twips, not multiplied by the screen scale.
inline constexpr int kRowWidth = 2415;
inline constexpr int kFirstRowWidth = 1215; // drop-down row 1 is narrower
inline constexpr int kSubRowWidth = 2055;
inline constexpr int kRowHeight = 330;

// Row keys of the submenu records: the position of a character (1-26) is the row or count it
// stands for; a character not in the string stands for 0.
inline constexpr QStringView kRowKeys = u"123456789ABCDEFGHIJKLMNOPQ";
int rowKeyValue(QChar c);

// The two copies of the drop-down table: the demonstration's set 5 has one group fewer.
enum class Table { Surface, Demo };

// Drop-down table entry of set 1-9: one digit per group of rows. Empty for another set.
QStringView dropDownEntry(int set, Table table = Table::Surface);
// Submenu table entry of set 1-9: a run of six-character submenu records. Empty for another set.
QStringView submenuEntry(int set);

// Rows of a drop-down: the sum of its digits (a non-digit counts 0), at most kMaxRows.
int dropDownRowCount(int set, Table table = Table::Surface);

// One submenu record: the drop-down row that opens it and up to five group sizes.
struct Submenu {
    int ordinal = 0;  // 1-based position of the record in its entry
    int row = 0;      // drop-down row, by the row keys
    QString groups;   // characters 2-6 of the record
    int rowCount() const; // sum of the groups by the row keys, at most kMaxRows
};
std::vector<Submenu> submenus(int set);
// The submenu opened by drop-down row `row` of `set`: the last matching record wins.
std::optional<Submenu> submenuOfRow(int set, int row);

// Title i (1-9) in window twips: left (390 + (i - 1) x 870) x sx, top 420 x sy, 870 x 270 scaled.
std::optional<QRectF> title(int i, double sx = 1, double sy = 1);

// Row tops of a drop-down or submenu whose top edge is `menuTop` (window twips): the first
// kFirstRowOffset x sy below it, then kRowPitch x sy apart, with kGroupGap x sy more after each
// group. Drop-down groups are digits and every character adds a gap; submenu groups are row
// keys and only a character that stands for rows adds one.
struct RowLayout {
    int count = 0; // rows shown, 1 to count
    std::array<double, kMaxRows> tops{}; // tops[j - 1] is the top of row j
};
// `wholeTwips`: round every top to whole twips (halves to even) at each addition, the way the
// demonstration keeps its drop-down rows.
RowLayout dropDownRows(int set, double menuTop, double sy, Table table = Table::Surface,
                       bool wholeTwips = false);
RowLayout submenuRows(const Submenu& submenu, double menuTop, double sy);

// Left of the row labels of a menu whose picture stands at `menuLeft`.
inline double rowLeft(double menuLeft, double sx) { return menuLeft + kRowIndent * sx; }
// Left of a submenu beside a drop-down at `dropLeft` of width `dropWidth`.
inline double submenuLeft(double dropLeft, double dropWidth, double sx)
{
    return dropLeft + dropWidth - kSubmenuOverlap * sx;
}
// Width of drop-down row label r (not scaled).
inline int dropDownRowWidth(int row) { return row == 1 ? kFirstRowWidth : kRowWidth; }

// Picture file names in the picture folder ("examdata"), e.g. "740099.mxy".
QString hoveredTitlePicture(int set);      // "7" & s & "0099"
QString openTitlePicture(int set);         // "7" & s & "0088"
QString dropDownPicture(int set);          // "7" & s & "0000"
QString dropDownRowPicture(int set, int row);        // "7" & s & "00" & rr
QString submenuPicture(int set, int ordinal);        // "7" & s & k & "000"
// "7" & the first two digits of the open submenu row code & ttt.
QString submenuRowPicture(qint32 openCode, int subRow);

// Open submenu row code: set x 1000 + submenu ordinal x 100 + drop-down row (ordinal 0 when the
// row opens no submenu).
inline qint32 openSubmenuCode(int set, int ordinal, int row)
{
    return qint32(set) * 1000 + qint32(ordinal) * 100 + row;
}

// A plain left click on drop-down row `row` of `set` is the menu choice `choice` (the value of
// record cols 125-129: set digit, row in two digits, "00").
bool dropDownChoiceMatches(qint32 choice, int set, int row);
// A plain left click on submenu row `subRow` of the open submenu is the menu choice: the digits of
// the set, the last two digits of the open code and the submenu row in two digits spell it.
bool submenuChoiceMatches(qint32 choice, int set, qint32 openCode, int subRow);

} // namespace bank::menubar
