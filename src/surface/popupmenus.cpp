// Popup menus of popup-menu steps: the menu tree filled afresh from one block of the menu
// definition file before every opening, and the item checks that complete the step.

#include "surface/frmmain.h"
#include "surface/judges.h"
#include "surface/popupfill.h"

#include "bank/popupmenu.h"
#include "platform/programfolder.h"

using namespace ModData;
using judges::step;
namespace pm = bank::popupmenu;

using surface::kCascadeSections;
using surface::kListSections;

void FrmMain::systemMenu()
{
    // Every "-" item is a separator line of its own, also at the start or end of the menu or of
    // a submenu, and next to another one: none is collapsed away.
    wm100.setSeparatorsCollapsible(false);
    for (QMenu* header : sTavoMain)
        if (header)
            header->setSeparatorsCollapsible(false);
    pm::MenuBlock block;
    step([&] {
        block = pm::readMenuBlock(platform::programPath(pm::kFileName.toString()), pm::setOfCode(opCode),
                                  popupBlock);
    });
    surface::fillPopupTree({sTavoMain, sTavoSub, sTavoInde}, block, 0);
}

void FrmMain::sTavoSub_Click(int array, int index)
{
    if (array >= 1 && array <= 5 && pm::itemChoiceMatches(opCode, popupBlock, kCascadeSections[array], index))
        doNext();
}

void FrmMain::sTavoInde_Click(int array, int index)
{
    if (array >= 1 && array <= 4 && pm::itemChoiceMatches(opCode, popupBlock, kListSections[array], index))
        doNext();
}
