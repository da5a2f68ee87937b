#pragma once
// The popup menu tree of popup-menu steps, filled from one block of the menu definition file.
// The work surface opens it; the demonstration window keeps a copy of its own.
//
//   surface::fillPopupTree({sTavoMain, sTavoSub, sTavoInde}, block, 0);

#include "bank/popupmenu.h"

#include <QAction>
#include <QMenu>
#include <array>
#include <functional>

namespace surface {

using PopupItems = std::array<QAction*, 11>; // elements 0-10 of one item array

// Section numbers of the item arrays: cascades sTavoSub1-5, plain lists sTavoInde1-4.
inline constexpr int kCascadeSections[] = {0, 1, 3, 5, 7, 8};
inline constexpr int kListSections[] = {0, 2, 4, 6, 9};

struct PopupTree {
    std::array<QMenu*, 6>& headers;      // sTavoMain1-5
    std::array<PopupItems, 6>& cascades; // sTavoSub1-5
    std::array<PopupItems, 5>& lists;    // sTavoInde1-4
};

// Adds elements 1 to 10 to every item array of the tree `root`: a cascade's at the end of its
// submenu, a list's together right after its element 0. `made` (if any) is told of each new
// element: whether it belongs to a cascade, the array's number and the element's index.
using NewElement = std::function<void(QAction* element, bool cascade, int array, int index)>;
void addPopupElements(QMenu& root, const PopupTree& tree, const NewElement& made = {});

// Hides the five cascade headers and the elements `firstHidden` to 10 of every item array, then
// shows the sections the block has: element k shows item position k, a separator keeps its
// position, a cascade's header takes its caption.
void fillPopupTree(const PopupTree& tree, const bank::popupmenu::MenuBlock& block, int firstHidden);

} // namespace surface
