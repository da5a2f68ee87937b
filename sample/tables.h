#pragma once
// Fixed tables of the work surface that the pictures must match: the drawn menu bar (titles,
// drop-down groups, submenus, row geometry and picture names) and the tab layouts.

#include <QChar>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>

namespace sample {

// ---- Drawn menu bar, design twips.
inline constexpr int kMenuTitleLeft = 390;
inline constexpr int kMenuTitleTop = 420;
inline constexpr int kMenuTitlePitch = 870;
inline constexpr int kMenuTitleHeight = 270;
inline constexpr int kMenuRowHeight = 330;
inline constexpr int kMenuGroupGap = 45;
inline constexpr int kMenuFirstRow = 30;
inline constexpr int kDropRowWidth = 2415;
inline constexpr int kSubRowWidth = 2055;

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
// Tops of rows 1..n below the top of their menu picture, design twips.
QVector<int> rowTops(const QVector<int>& groups);

// Picture names in the picture folder (without the folder).
QString hoveredTitlePicture(int set);
QString openTitlePicture(int set);
QString dropDownPicture(int set);
QString dropRowPicture(int set, int row);
QString submenuPicture(int set, int ordinal);
QString submenuRowPicture(int set, int ordinal, int row);

// ---- Tab layouts.
struct TabLayout {
    QChar letter;
    int count = 0;
    int top = 0;
    int height = 0;
    QVector<QString> pages; // page picture id of tab 1..count
    QVector<int> lefts;     // left of tab 1..count, then the right end of the strip
    QRect backSpot;         // step-back spot, relative to the tab image
    // Width of tab i (1-based) as the surface sizes it.
    int width(int tab) const;
    bool twoRows() const { return count >= 8; }
};

// The layout string of letter A-J as the work surface holds it (H is a single blank).
QString surfaceLayoutString(QChar letter);
// The demonstration's own layout A.
QString demoLayoutAString();
TabLayout parseLayout(const QString& layoutString);

} // namespace sample
