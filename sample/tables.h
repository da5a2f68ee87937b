#pragma once
// The work surface's fixed tables that the pictures must match, as the sample generator and the
// validator use them: the drawn menu bar (drop-down groups, submenus, row tops, picture names) and
// the tab layouts. Everything comes from the program's own tables in bank/, so that the pictures
// and the program cannot drift apart.

#include "bank/menubar.h"
#include "bank/tabs.h"

#include <QRect>
#include <QString>
#include <QVector>

namespace sample {

// ---- Drawn menu bar, design twips.
inline constexpr int kMenuTitleLeft = bank::menubar::kTitleLeft;
inline constexpr int kMenuTitleTop = bank::menubar::kTitleTop;
inline constexpr int kMenuTitlePitch = bank::menubar::kTitlePitch;
inline constexpr int kMenuTitleHeight = bank::menubar::kTitleHeight;
inline constexpr int kMenuRowHeight = bank::menubar::kRowHeight;
inline constexpr int kMenuFirstRow = bank::menubar::kFirstRowOffset;
inline constexpr int kDropRowWidth = bank::menubar::kRowWidth;
inline constexpr int kSubRowWidth = bank::menubar::kSubRowWidth;

struct Submenu {
    int ordinal = 0;     // 1-based position in the set's submenu entry
    int row = 0;         // drop-down row that carries it
    QVector<int> groups; // group sizes of its rows
    int rowCount() const;
};

// Group sizes of the drop-down of set 1-9.
QVector<int> dropGroups(int set);
QVector<Submenu> submenus(int set);
int rowCount(const QVector<int>& groups);
// Tops of the rows below the top of their menu picture, design twips.
QVector<int> dropRowTops(int set);
QVector<int> submenuRowTops(int set, int ordinal);

// Picture names in the picture folder (without the folder).
QString hoveredTitlePicture(int set);
QString openTitlePicture(int set);
QString dropDownPicture(int set);
QString dropRowPicture(int set, int row);
QString submenuPicture(int set, int ordinal);
QString submenuRowPicture(int set, int ordinal, int row);

// ---- Tab layouts.
struct TabLayout {
    int count = 0;
    int top = 0;
    int height = 0;
    QVector<QString> pages; // page picture id of tab 1..count
    QVector<int> lefts;     // left of tab 1..count
    QVector<int> widths;    // width of tab 1..count as the surface sizes it
    QRect backSpot;         // step-back spot, relative to the tab image
    bool twoRows() const { return count >= bank::tabs::kTwoRowCount; }
};

// The layout string of letter A-J as the work surface holds it (H is a single blank).
QString surfaceLayoutString(QChar letter);
// The demonstration's own layout A.
QString demoLayoutAString();
TabLayout parseLayout(const QString& layoutString);

} // namespace sample
