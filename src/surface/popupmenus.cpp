// Popup menus of popup-menu steps: the menu tree filled afresh from one block of the menu
// definition file before every opening, and the item checks that complete the step.

#include "surface/frmmain.h"
#include "surface/judges.h"

#include "bank/popupmenu.h"
#include "platform/programfolder.h"

using namespace ModData;
using judges::step;
namespace pm = bank::popupmenu;

namespace {

// Section numbers of the item arrays: cascades sTavoSub1-5, plain lists sTavoInde1-4.
constexpr int kCascadeSections[] = {0, 1, 3, 5, 7, 8};
constexpr int kListSections[] = {0, 2, 4, 6, 9};

// Element k shows item position k; a "-" is a separator that keeps its position.
void fillItems(FrmMain::ItemArray& elements, const QStringList& items)
{
    for (int k = 0; k < items.size() && k < pm::kMaxItems; ++k) {
        QAction* a = elements[k];
        if (!a)
            continue;
        a->setSeparator(pm::Section::isSeparator(items[k]));
        a->setText(items[k]);
        a->setVisible(true);
    }
}

} // namespace

void FrmMain::systemMenu()
{
    for (int n = 1; n <= 5; ++n)
        sTavoMain[n]->menuAction()->setVisible(false);
    for (ItemArray* elements : {&sTavoSub[1], &sTavoSub[2], &sTavoSub[3], &sTavoSub[4], &sTavoSub[5],
                                &sTavoInde[1], &sTavoInde[2], &sTavoInde[3], &sTavoInde[4]})
        for (QAction* a : *elements)
            if (a)
                a->setVisible(false);

    pm::MenuBlock block;
    step([&] {
        block = pm::readMenuBlock(platform::programPath(pm::kFileName.toString()), pm::setOfCode(opCode),
                                  popupBlock);
    });
    for (int n = 1; n <= 4; ++n) {
        const pm::Section& s = *block.section(kListSections[n]);
        if (s.present)
            fillItems(sTavoInde[n], s.items);
    }
    for (int n = 1; n <= 5; ++n) {
        const pm::Section& s = *block.section(kCascadeSections[n]);
        if (!s.present)
            continue;
        sTavoMain[n]->menuAction()->setVisible(true);
        sTavoMain[n]->setTitle(s.caption);
        fillItems(sTavoSub[n], s.items);
    }
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
