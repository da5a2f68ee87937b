// The drawn menu bar of the work surface: nine title areas over the scene picture's menu bar, a
// drop-down of row labels over a drop-down picture, a submenu beside it, and the judge of the
// menu-bar step. Every visual state is a ready-made picture of the picture folder ("examdata");
// the layout tables and picture names are bank::menubar's.
//
// A row counts while its drop-down is open and the row is shown, whether or not the menu picture
// under it could be loaded. Every scene build, HiddeMenu and a new drop-down hide the rows they do
// not lay out, so no row of an earlier drop-down, step or question is left as a live area; a row
// that is not live behaves like the scene below it: the pointer on it closes the menus, and a
// click on it is no choice.
//
// Each statement goes on after an error (vb::attempt), with nothing reported.

#include "surface/frmmain.h"

#include "app/moddata.h"
#include "bank/menubar.h"

using namespace ModData;
namespace mb = bank::menubar;

namespace {

// A plain left click: button 1 with no Shift, Ctrl or Alt.
bool plainLeft(int button, int shift) { return button == 1 && shift == 0; }

bool validRow(int index) { return index >= 1 && index <= mb::kMaxRows; }

} // namespace

// ---- Closing -----------------------------------------------------------------------------------

void FrmMain::HiddeMenu()
{
    vb::attempt([&] { Label1.show(); });
    vb::attempt([&] { ImgMenuSys.setPicture(QPixmap()); });
    vb::attempt([&] { ImgMenuSel.setPicture(QPixmap()); });
    menuOpen = false;
    for (tk::Image* img : {&ImgShuMenu, &ImgSubMenu, &ImgSubSel})
        vb::attempt([&] { img->setPicture(QPixmap()); });
    for (tk::Image* img : {&ImgMenuSys, &ImgMenuSel, &ImgShuMenu, &ImgSubMenu, &ImgSubSel}) {
        vb::attempt([&] { img->setWidth(0); });
        vb::attempt([&] { img->setHeight(0); });
    }
    hideMenuRows();
}

void FrmMain::hideMenuRows()
{
    for (int i = 1; i <= mb::kMaxRows; ++i) {
        vb::attempt([&] { LblShuMenu[i].hide(); });
        vb::attempt([&] { LblSubSel[i].hide(); });
    }
}

// A correct choice: everything closed; the step advance then shows the hot spot again.
void FrmMain::closeMenusAfterChoice()
{
    vb::attempt([&] { ImgMenuSys.setPicture(QPixmap()); });
    vb::attempt([&] { ImgMenuSel.setPicture(QPixmap()); });
    menuOpen = false;
    for (tk::Image* img : {&ImgShuMenu, &ImgSubMenu, &ImgSubSel})
        vb::attempt([&] { img->setPicture(QPixmap()); });
    hideMenuRows();
    doNext();
}

bool FrmMain::dropDownRowLive(int index) const
{
    return validRow(index) && menuOpen && LblShuMenu[index].Visible();
}
bool FrmMain::submenuRowLive(int index) const
{
    return validRow(index) && menuOpen && LblSubSel[index].Visible();
}

// Pointer over the form background or a scene picture: every menu closes.
void FrmMain::Form_MouseMove(int, int, float, float) { HiddeMenu(); }
void FrmMain::Image1_MouseMove(int, int, float, float) { HiddeMenu(); }
void FrmMain::Image2_MouseMove(int, int, float, float) { HiddeMenu(); }
void FrmMain::Image3_MouseMove(int, int, float, float) { HiddeMenu(); }
void FrmMain::Image4_MouseMove(int, int, float, float) { HiddeMenu(); }

// ---- Titles ------------------------------------------------------------------------------------

void FrmMain::LMainMenu_MouseMove(int index, int, int, float, float)
{
    if (index >= 1 && index <= mb::kTitles && !menuOpen) {
        vb::attempt([&] { ImgMenuSys.loadPicture(pictureFolder + mb::hoveredTitlePicture(index)); });
        vb::attempt([&] { ImgMenuSys.Move(LMainMenu[index].Left(), LMainMenu[index].Top()); });
        menuSet = qint16(index);
    }
    vb::attempt([&] { Label1.hide(); });
}

void FrmMain::LMainMenu_MouseUp(int index, int button, int shift, float, float)
{
    vb::attempt([&] { Label1.hide(); });
    if (!plainLeft(button, shift) || index < 1 || index > mb::kTitles)
        return;
    menuSet = qint16(index);
    openDropDown();
}

void FrmMain::ImgMenuSys_Click() { openDropDown(); }

// Opens the drop-down of the menu-bar set under its title. Any submenu of an earlier drop-down
// closes with it.
void FrmMain::openDropDown()
{
    const int s = menuSet;
    if (s < 1 || s > mb::kTitles)
        return;
    const double sx = dScaleX;
    const double sy = dScaleY;
    const tk::Label& title = LMainMenu[s];
    vb::attempt([&] { ImgMenuSys.loadPicture(pictureFolder + mb::openTitlePicture(s)); });
    vb::attempt([&] { ImgMenuSys.Move(title.Left(), title.Top()); });
    vb::attempt([&] { ImgMenuSel.loadPicture(pictureFolder + mb::dropDownPicture(s)); });
    vb::attempt([&] { ImgMenuSel.Move(title.Left(), title.Top() + title.Height()); });
    menuOpen = true;

    const mb::RowLayout rows = mb::dropDownRows(s, ImgMenuSel.Top(), sy);
    const double left = mb::rowLeft(ImgMenuSel.Left(), sx);
    for (int j = 1; j <= mb::kMaxRows; ++j) {
        tk::Label& row = LblShuMenu[j];
        if (j <= rows.count) {
            vb::attempt([&] { row.Move(left, rows.tops[j - 1], mb::dropDownRowWidth(j), mb::kRowHeight); });
            vb::attempt([&] { row.show(); });
        } else {
            vb::attempt([&] { row.hide(); });
        }
        vb::attempt([&] { LblSubSel[j].hide(); });
    }
    for (tk::Image* img : {&ImgShuMenu, &ImgSubMenu, &ImgSubSel})
        vb::attempt([&] { img->setPicture(QPixmap()); });
}

// ---- Drop-down rows ----------------------------------------------------------------------------

void FrmMain::LblShuMenu_MouseMove(int index, int, int, float, float)
{
    if (!dropDownRowLive(index)) {
        HiddeMenu();
        return;
    }
    vb::attempt([&] { ImgShuMenu.loadPicture(pictureFolder + mb::dropDownRowPicture(menuSet, index)); });
    vb::attempt([&] { ImgShuMenu.Move(LblShuMenu[index].Left(), LblShuMenu[index].Top()); });
    vb::attempt([&] { Label1.hide(); });
}

void FrmMain::LblShuMenu_MouseUp(int index, int button, int shift, float, float)
{
    if (!dropDownRowLive(index)) {
        HiddeMenu();
        return;
    }
    vb::attempt([&] { Label1.hide(); });
    if (!plainLeft(button, shift))
        return;
    const int s = menuSet;
    vb::attempt([&] { ImgSubSel.hide(); });
    const int ordinal = openSubmenuOfRow(index);
    vb::attempt([&] { ImgSubSel.setPicture(QPixmap()); });
    openSubRowCode = mb::openSubmenuCode(s, ordinal, index);
    if (mb::dropDownChoiceMatches(popupX, s, index))
        closeMenusAfterChoice();
}

// Opens the submenu that drop-down row `row` carries, beside the drop-down and level with the row.
// Returns its ordinal, 0 when the row carries none.
int FrmMain::openSubmenuOfRow(int row)
{
    const std::optional<mb::Submenu> found = mb::submenuOfRow(menuSet, row);
    if (!found)
        return 0;
    const mb::Submenu& sub = *found;
    vb::attempt([&] { ImgSubSel.show(); });
    const double sx = dScaleX;
    const double sy = dScaleY;
    vb::attempt([&] { ImgSubMenu.loadPicture(pictureFolder + mb::submenuPicture(menuSet, sub.ordinal)); });
    vb::attempt([&] {
        ImgSubMenu.Move(mb::submenuLeft(ImgMenuSel.Left(), ImgMenuSel.Width(), sx), LblShuMenu[row].Top());
    });
    const mb::RowLayout rows = mb::submenuRows(sub, ImgSubMenu.Top(), sy);
    const double left = mb::rowLeft(ImgSubMenu.Left(), sx);
    for (int j = 1; j <= mb::kMaxRows; ++j) {
        tk::Label& label = LblSubSel[j];
        if (j <= rows.count) {
            vb::attempt([&] { label.Move(left, rows.tops[j - 1], mb::kSubRowWidth, mb::kRowHeight); });
            vb::attempt([&] { label.show(); });
        } else {
            vb::attempt([&] { label.hide(); });
        }
    }
    return sub.ordinal;
}

// ---- Submenu rows ------------------------------------------------------------------------------

void FrmMain::LblSubSel_MouseMove(int index, int, int, float, float)
{
    if (!submenuRowLive(index)) {
        HiddeMenu();
        return;
    }
    vb::attempt([&] { Label1.hide(); });
    vb::attempt([&] { ImgSubSel.loadPicture(pictureFolder + mb::submenuRowPicture(openSubRowCode, index)); });
    vb::attempt([&] { ImgSubSel.Move(LblSubSel[index].Left(), LblSubSel[index].Top()); });
}

void FrmMain::LblSubSel_MouseUp(int index, int button, int shift, float, float)
{
    if (!submenuRowLive(index)) {
        HiddeMenu();
        return;
    }
    if (!plainLeft(button, shift))
        return;
    if (mb::submenuChoiceMatches(popupX, menuSet, openSubRowCode, index))
        closeMenusAfterChoice();
}
