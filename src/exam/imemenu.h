#pragma once
// The input-method side of the question panel: the layout menu built from the installed keyboard
// layouts, and where the input-method option is kept.
//
//   exam::ImeMenu m = exam::imeMenu(platform::keyboardLayouts());   // the panel's load
//   exam::showImeMenu(m, mEng, mCn);                                 // captions and visibility
//   ModData::lImeHkl = m.layoutOf(3);                                // the candidate chose mCn3
//
// Items: 0 is the English item `mEng`, 1 to 10 the input-method items `mCn1`..`mCn10`. Each item
// takes the layout that gave it its caption: an input-method item the layout of that description,
// the English item the first layout without one. An item no layout filled takes handle 0.

#include "platform/keyboardlayout.h"

#include <QPointF>
#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

class QAction;

namespace exam {

inline constexpr int kImeListSize = 16; // layouts taken from the system's list at the most
inline constexpr int kImeItems = 10;    // input-method items mCn1..mCn10
inline constexpr int kImeItemHeight = 300;

struct ImeMenu {
    std::array<qint32, kImeListSize + 1> hklList{}; // lHklList(1..16), in the system's order
    int listed = 0;                                  // entries of hklList filled
    // 1 + the number of listed layouts with an input-method description (iImeNextItem); it goes
    // on counting beyond the ten items.
    qint16 nextItem = 1;
    QString engCaption;                         // mEng
    std::array<QString, kImeItems + 1> caption; // mCn1..mCn10 (index 0 unused)
    std::array<bool, kImeItems + 1> visible{};  // mCn1..mCn10; mCn1 is always shown
    // Position in hklList of the layout behind item 0..10; 0 = none.
    std::array<int, kImeItems + 1> position{};

    // The handle item 0 (mEng) .. 10 (mCnK) stands for; 0 for an item no layout filled.
    qint32 layoutOf(int item) const;
};

// The menu for the layouts as the system lists them (the first 16 are taken). A description is
// read up to its first NUL and at most 255 bytes in the system's code page; one that is blank
// after trimming counts as no input method.
ImeMenu imeMenu(const std::vector<platform::KeyboardLayout>& layouts);

// Captions and visibility onto the panel's menu items (an '&' in a name shows as itself).
void showImeMenu(const ImeMenu& menu, QAction* eng, const std::array<QAction*, kImeItems + 1>& cn);

// Where the menu opens, in the panel's twips: x is the menu's RIGHT edge (the label's left), y its
// top: label top - nextItem x 300 + the main page's top, just above and left of the label.
QPointF imeMenuPlace(double labelLeft, double labelTop, double pageTop, int nextItem);

} // namespace exam
