#pragma once
// The work surface: a borderless window that shows the current step of an operation question as
// a simulated Windows XP screen and carries the handlers that judge the candidate's actions.
//
//   FrmMain& s = FrmMain::get();     // first reference: builds the window and runs Form_Load
//   s.Timer2.setEnabled(true);       // the question panel asks for the scene of iStepNo
//   s.Timer2.fire();                 // (a test) builds it at once
//   s.doNext();                      // a judge that matched: on to the next step
//
// The scene of a step comes from its operation record (ModData::sOpRecord), read by setData.
// setData leaves the step state below for the judges; the judges call doNext when the candidate
// did what the step asks.

#include "surface/keyfocus.h"
#include "toolkit/controlarray.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/textbox.h"
#include "toolkit/timer.h"

#include <QAction>
#include <QMenu>
#include <QString>
#include <array>
#include <functional>

class FrmMain : public tk::FormT<FrmMain> {
    Q_OBJECT
public:
    FrmMain();
    ~FrmMain() override;

    // ---- Procedures ----
    void setData();    // scene build of step iStepNo of question iTmNo
    void doNext();     // step advance
    void systemMenu(); // fills the popup menu tree for the popup block (popup-menu judges)
    void DoubleXXK();  // re-stacks a tab strip of two rows (tab strip)
    void HiddeMenu();  // closes every drawn menu and shows the hot spot again
    void stopTimedStep(); // a question switch: the timed step's timer stops with its question

    // ---- Step state, written by setData, read by the judges ----
    qint16 opCode = 0;      // value of cols 8-11
    qint32 popupX = 0;      // cols 125-129 while the menu bar is live; also the menu choice code
    qint32 popupY = 0;      // cols 130-134 while the menu bar is live; 0 = no popup position
    qint32 dragBaseLeft = 0; // Image5's placed left and top, window twips
    qint16 dragBaseTop = 0;
    qint16 dragBoundX = 0;  // design twips, unscaled
    qint16 dragBoundY = 0;
    QString savedHint;      // the hint text last placed, "  " for no text
    QString backMark = QStringLiteral("NONO"); // cols 125-129 when col 125 is "Q"
    qint16 hotSpotWidth = 0;  // design twips of cols 76-80 and 81-85
    qint16 hotSpotHeight = 0;
    qint16 timedQuestion = 0; // question and step of the last scene build, whose timed step
    qint16 timedStep = 0;     // Timer3 serves

    // Tab state (tab strip), kept from the last tab step.
    QString tabLayout;
    qint16 tabImage = 0;
    qint16 tabOriginX = 0;
    qint16 tabOriginY = 0;
    qint16 targetTab = 0;
    qint16 tabCount = 0;
    qint16 chosenRow = 0;

    // Popup menus: the block digit of the popup-menu step being opened.
    qint16 popupBlock = 0;

    // Drawn menu bar.
    QString pictureFolder;   // program folder & "/examdata/"
    qint16 menuLeft = 0;     // 390, 420, 870 after the set-up
    qint16 menuTop = 0;
    qint16 menuPitch = 0;
    qint16 menuSet = 0;      // 1-9
    bool menuOpen = false;
    std::array<QString, 10> dropDownTable; // index 1-9
    std::array<QString, 10> subMenuTable;  // index 1-9
    qint32 openSubRowCode = 0;

    // ---- Controls, from the bottom of the stack to its top ----
    tk::Image Image1{this};
    tk::Image Image2{this};
    tk::Image Image3{this};
    tk::Image Image4{this};
    tk::Image Image5{this}; // the drag picture
    tk::Image ImgLogo{this};
    tk::Image ImgMenuSel{this};
    tk::Image ImgSubMenu{this};
    tk::Image ImgMenuSys{this};
    tk::Image ImgShuMenu{this};
    tk::Image ImgSubSel{this};
    tk::Label LHelp{this};
    tk::Label LblSuccess{this};
    tk::Shape Shape1{this}; // red frame around the hot spot
    tk::Shape Shape2{this}; // yellow frame around the menu bar
    tk::Shape Shape4{this}; // green frame around the second hot spot
    tk::Shape Shape6{this}; // selection frame
    tk::Label lblMove{this}; // title strip
    tk::ControlArray<tk::Label> LblXXK{this};     // 0 step-back spot, 1-13 tabs
    tk::ControlArray<tk::Label> LblSubSel{this};  // 1-20
    tk::ControlArray<tk::Label> LblShuMenu{this}; // 1-20
    tk::ControlArray<tk::Label> LMainMenu{this};  // 1-9
    tk::Label Label4{this}; // second hot spot
    tk::Label Label1{this}; // hot spot
    tk::TextBox Text1{this};
    tk::TextBox Text2{this}; // rename box
    tk::TextBox Text3{this}; // second box
    tk::Timer Timer2{this, 100};  // one-shot scene build
    tk::Timer Timer3{this, 1000}; // timed step

    // Popup menu tree: the root and its five cascades; item arrays of elements 0-10.
    QMenu wm100;
    std::array<QMenu*, 6> sTavoMain{}; // 1-5
    using ItemArray = std::array<QAction*, 11>;
    std::array<ItemArray, 6> sTavoSub{};  // 1-5
    std::array<ItemArray, 5> sTavoInde{}; // 1-4

    // ---- Event handlers ----
    void Timer2_Timer();
    void Timer3_Timer();
    void lblMove_MouseDown(int button, int shift, float x, float y);

    // Judges and menu handlers: hooks, wired to their controls, filled in by the judges.
    void Label1_MouseDown(int button, int shift, float x, float y);
    void Label1_MouseMove(int button, int shift, float x, float y);
    void Label1_MouseUp(int button, int shift, float x, float y);
    void Label1_DblClick();
    void Label4_MouseDown(int button, int shift, float x, float y);
    void Label4_MouseMove(int button, int shift, float x, float y);
    void Label4_MouseUp(int button, int shift, float x, float y);
    void Image1_MouseMove(int button, int shift, float x, float y);
    void Image2_MouseMove(int button, int shift, float x, float y);
    void Image3_MouseMove(int button, int shift, float x, float y);
    void Image4_MouseMove(int button, int shift, float x, float y);
    void Image5_MouseMove(int button, int shift, float x, float y);
    void Image5_MouseUp(int button, int shift, float x, float y);
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void Text1_GotFocus();
    void Text1_KeyUp(int keyCode, int shift);
    void Text1_MouseUp(int button, int shift, float x, float y);
    void LMainMenu_MouseMove(int index, int button, int shift, float x, float y);
    void LMainMenu_MouseUp(int index, int button, int shift, float x, float y);
    void ImgMenuSys_Click();
    void LblShuMenu_MouseMove(int index, int button, int shift, float x, float y);
    void LblShuMenu_MouseUp(int index, int button, int shift, float x, float y);
    void LblSubSel_MouseMove(int index, int button, int shift, float x, float y);
    void LblSubSel_MouseUp(int index, int button, int shift, float x, float y);
    void LblXXK_Click(int index);
    void sTavoSub_Click(int array, int index);  // sTavoSub1_Click .. sTavoSub5_Click
    void sTavoInde_Click(int array, int index); // sTavoInde1_Click .. sTavoInde4_Click

    // Whether the last scene build read a record other than the step's own line: the operation
    // file could not be read, or the line lies beyond its end. The step advance then stays where
    // it is, so a build of the last line is not repeated step after step.
    bool recordBeyondFile() const { return m_recordBeyondFile; }

    // Judges' state and helpers (judges_*.cpp, popupmenus.cpp, secondhotspot.cpp).
    qint32 bandAnchorX = 0; // surface twips where the last rubber band started
    qint32 bandAnchorY = 0;
    bool dragging = false;  // a rubber band or drag from the second hot spot is under way
    // Shows the popup menu tree with its top-left corner at a point of the screen and returns
    // when the menu has closed; the chosen item's handler has run by then. Modal by default;
    // a test puts in a hand that picks an entry.
    std::function<void(QMenu& menu, const QPoint& globalPos)> showPopup =
        [](QMenu& menu, const QPoint& globalPos) { menu.exec(globalPos); };
    void applyDragPointerToHotSpot(); // the hot spot takes the drag pointer of the record
    void endSecondHotSpotDrag();      // frame hidden, no drag under way (every scene build)
    // A hidden text box gives the keys back to the window, where the key judge hears them.
    surface::KeyFocusKeeper keyFocus{this, {&Text1, &Text2, &Text3}};

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_KeyUp(int keyCode, int shift) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void restack();
    void zOrderPair();
    void dockPanel();
    void readRecord();
    void placeTabStrip(); // tab step placement (tab strip); the red frame is left to it
    void endOfQuestion();
    void setHotSpotPointer();

    bool m_recordBeyondFile = false;
    int m_buildDepth = 0;

    // Drawn menu bar (menubar.cpp) and tab strip (tabstrip.cpp).
    void openDropDown();              // the drop-down of the menu-bar set
    int openSubmenuOfRow(int row);    // the submenu a drop-down row carries; its ordinal or 0
    void hideMenuRows();
    void closeMenusAfterChoice();     // a correct choice: menus closed, then the step advance
    bool dropDownRowLive(int index) const; // a shown row of the open drop-down
    bool submenuRowLive(int index) const;  // a shown row of the open drop-down's submenu
    tk::Image* tabImageControl();     // the scene image of the tab image number, or none
    void showTabPage(int tab);
    void revealTabHotSpot();
    void promptForTargetTab();
};
