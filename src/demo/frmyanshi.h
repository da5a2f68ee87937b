#pragma once
// The demonstration window: replays the steps of the question the panel shows, from step 1 to its
// end record, on a copy of the simulated screen. A drawn arrow pointer glides to each step's
// target and acts the step out (click mark, typing, drag, drawn menu bar, drawn context menu, tab
// change); nothing is judged, and the candidate's own step, flags and saved tables stay as they
// were.
//
//   ModData::bYanShiOn = true;              // the panel's demonstration starter
//   FrmYanShi::get().Show();                // first reference: Form_Load builds step 1 and aims
//   FrmYanShi::get().Timer2.fire();         // (a test) one tick of the glide
//
// The window's fields live as long as the program, not as long as one load: unloading destroys
// the controls, and the next demonstration starts with the fields the previous one left, except
// those Form_Load sets again.
//
// Coordinates of the fields are twips of the window (design twips already times the screen scale)
// unless a comment says design twips.

#include "toolkit/controlarray.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/textbox.h"
#include "toolkit/timer.h"

#include <QAction>
#include <QMenu>
#include <QString>
#include <array>

namespace demo {

// The click mark: a circle drawn inside the shape's square.
class ClickMark : public tk::Shape {
public:
    using tk::Shape::Shape;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A row of the drawn context menu: a label that draws its caption as a menu does. An "&" is not
// drawn and underlines the character after it ("&&" draws one "&"); the label sizes itself to the
// text it shows, so "复制(&C)" is as wide as "复制(C)". The caption keeps the "&".
class MenuLabel : public tk::Label {
public:
    using tk::Label::Label;
    void setCaption(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void fontChanged() override;

private:
    void fitToShownText();
};

// The window's timers. Each counts how often it has been switched on, so that a test clock can
// start its count anew at every switch-on, as the toolkit timer does.
class Timer : public tk::Timer {
public:
    using tk::Timer::Timer;
    void setEnabled(bool on)
    {
        if (on)
            ++m_starts;
        tk::Timer::setEnabled(on);
    }
    int starts() const { return m_starts; }

private:
    int m_starts = 0;
};

} // namespace demo

class FrmYanShi : public tk::FormT<FrmYanShi> {
    Q_OBJECT
public:
    FrmYanShi();
    ~FrmYanShi() override;

    // ---- Public operations ----
    void pointMove();    // draws the arrow at the pointer position
    void setData();      // reads the current step's record, builds its scene, aims the pointer
    void MuBiaoWei();    // target, step length and velocity of the step; starts the glide
    void doNext();       // the end record ends the demonstration, any other step goes on
    void DoubleXXK();    // re-stacks the two rows of a two-row tab strip
    void MenuClose();    // clears the drawn menu bar's pictures and rows (not called)
    void systemMenu();   // fills the hidden popup menu tree from a menu block (not called)
    void RightKeyMenu(); // draws the context menu and aims at its row
    void CSH();          // hides and blanks the drawn context menu and its submenu
    void RightKeySub();  // draws the cascade submenu and aims at its item

    // ---- Window fields (kept across loads) ----
    static inline qint16 stepNo = 1;        // demonstration step number
    static inline qint32 pointX = 0;        // pointer position (the arrow's tip is 60 twips right)
    static inline qint32 pointY = 0;
    static inline qint32 targetX = 0;       // end of the current glide
    static inline qint32 targetY = 0;
    static inline double stepLength = 0;    // one move along the longer axis: distance / 15
    static inline qint16 velocityX = 0;     // twips added per move
    static inline qint16 velocityY = 0;
    static inline qint16 tickCount = 0;     // shared by the blink and the menu holds
    static inline qint16 endCount = 0;      // ticks of TimEnd since the end was asked for
    static inline qint16 opCode = 0;        // value of record cols 8-11
    static inline qint16 dragBoundX = 0;    // design twips, 0 keeps that axis
    static inline qint16 dragBoundY = 0;
    static inline QString typingText;
    static inline qint16 typedCount = 0;
    static inline qint16 menuLeft = 0;      // design twips: title 1's left, the titles' top,
    static inline qint16 menuTop = 0;       // one title's width (435, 420, 870)
    static inline qint16 menuPitch = 0;
    static inline QString pictureFolder;    // menu pictures: program folder & "/examdata/"
    static inline qint16 menuSet = 1;       // the menu-bar title whose drop-down is shown
    static inline std::array<QString, 10> dropDownTable; // sets 1-9: row counts of the groups
    static inline std::array<QString, 10> subMenuTable;  // sets 1-9: submenu records
    static inline qint32 openSubmenuCode = 0; // set x 1000 + submenu ordinal x 100 + row
    static inline bool dragFlag = false;    // second leg of a rubber-band or drag step
    static inline qint16 hotSpotWidth = 0;  // design twips of the last shown hot spot
    static inline qint16 hotSpotHeight = 0;
    static inline QString hintText;         // the step's hint, kept while a tab prompt shows
    static inline QString tabLayout;        // the tab layout string of the last tab step
    static inline qint16 tabCount = 0;
    static inline qint16 tabLeft = 0;       // left and top of the picture showing the tab pages
    static inline qint16 tabTop = 0;
    static inline qint16 frontTabRow = 0;   // 1 or 2, strips of more than seven tabs
    static inline qint16 tabImage = 0;      // which of Image1-Image5 shows the tab pages
    static inline qint16 targetTab = 0;
    static inline qint16 menuBlock = 0;     // block of sMenu.sys of the popup-menu step
    static inline int glideMoves = 0;       // moves since the current glide was aimed
    // The operation record of the step shown, the demonstration's own: the surface's record
    // (ModData::sOpRecord) and its step state are never touched by a demonstration.
    static inline QString opRecord;

    // Every field back to its value at program start (tests).
    static void resetFields();

    // ---- Controls, from the bottom of the stack to its top ----
    tk::Image Image1{this};
    tk::Image Image2{this};
    tk::Image Image3{this};
    tk::Image Image4{this};
    tk::Image Image5{this}; // the drag picture
    tk::Label ImgLogo{this}; // the question note
    tk::Image ImgMenuSys{this};
    tk::Image ImgMenuSel{this};
    tk::Image ImgShuMenu{this};
    tk::Image ImgSubMenu{this};
    tk::Image ImgSubSel{this};
    tk::ControlArray<tk::Label> LMainMenu{this};  // 1-9
    tk::ControlArray<tk::Label> LblShuMenu{this}; // 1-20
    tk::ControlArray<tk::Label> LblSubSel{this};  // 1-20
    tk::ControlArray<tk::Label> LblXXK{this};     // 0 step-back spot, 1-13 tabs
    tk::Label LHelp{this};
    tk::Shape Shape1{this}; // red frame of the hot spot
    tk::Shape Shape2{this}; // yellow frame of the menu bar
    tk::Shape Shape4{this}; // green frame of the second hot spot; Left -100 marks the second leg
    tk::Shape Shape6{this}; // selection frame of a rubber band
    tk::Label Label4{this}; // second hot spot
    tk::Label Label1{this}; // hot spot

    // The drawn context menu and its cascade submenu.
    tk::Label LRightMMenu{this};
    tk::Shape ShapeRMain{this};
    tk::ControlArray<demo::MenuLabel> LRM2{this}; // 0-9 each
    tk::ControlArray<demo::MenuLabel> LRM4{this};
    tk::ControlArray<demo::MenuLabel> LRM6{this};
    tk::ControlArray<demo::MenuLabel> LRM9{this};
    tk::ControlArray<demo::MenuLabel> LRMJL{this};  // 1, 3, 5, 7, 8
    tk::ControlArray<tk::Image> ImgJLSanjiao{this}; // 1, 3, 5, 7, 8
    tk::ControlArray<tk::Line> LRFGX{this};         // 0-9
    tk::Label LRightSub{this};
    tk::Shape ShapeRSUB{this};
    tk::ControlArray<demo::MenuLabel> LRS{this}; // 0-9
    tk::ControlArray<tk::Line> LRSFgx{this};  // 0-5

    tk::TextBox Text1{this};
    tk::TextBox Text2{this}; // rename box

    demo::ClickMark Shape5{this}; // the click mark
    tk::Image ImgICO{this};       // the drag pointer picture, in place of the arrow
    tk::ControlArray<tk::Line> LPoint{this}; // arrow outline 0-7
    tk::ControlArray<tk::Line> LPoinB{this}; // arrow fill 0-5

    // The popup menu tree of the surface's kind, filled by systemMenu and never shown.
    QMenu wm100;
    std::array<QMenu*, 6> sTavoMain{}; // 1-5
    using ItemArray = std::array<QAction*, 11>;
    std::array<ItemArray, 6> sTavoSub{};  // 1-5, elements 0-10
    std::array<ItemArray, 5> sTavoInde{}; // 1-4, elements 0-10

    demo::Timer Timer1{this, 500};  // typing
    demo::Timer Timer2{this, 100};  // glide to the target and the action on arrival
    demo::Timer Timer3{this, 100};  // drag glide carrying Image5
    demo::Timer Timer4{this, 200};  // pause, then the next step
    demo::Timer Timer5{this, 100};  // click-mark blink
    demo::Timer Timer6{this, 100};  // glide to a drop-down row
    demo::Timer Timer7{this, 200};  // hold on the drop-down row, then the submenu
    demo::Timer Timer8{this, 100};  // glide to a submenu row
    demo::Timer Timer9{this, 100};  // hold on the submenu row
    demo::Timer TimerRM{this, 100}; // glide inside the drawn context menu
    demo::Timer TimerRS{this, 100}; // glide inside the drawn submenu
    demo::Timer TimEnd{this, 100};  // the end of the demonstration

    // ---- Event handlers ----
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();
    void Timer6_Timer();
    void Timer7_Timer();
    void Timer8_Timer();
    void Timer9_Timer();
    void TimerRM_Timer();
    void TimerRS_Timer();
    void TimEnd_Timer();
    void Image_DblClick(); // Image1_DblClick .. Image5_DblClick

    // Whether the last scene build found no line of its own in the operation file (a missing
    // file, or a line beyond its end); the demonstration then ends instead of repeating a line.
    bool recordMissing() const { return m_recordMissing; }

protected:
    void Form_Load() override;
    void Form_KeyUp(int keyCode, int shift) override;
    void Form_DblClick() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    // Glide helpers shared by every glide of the window.
    void aim();                        // step length and velocity from the pointer to the target
    void aimAtCentre(const tk::Control& c);
    void moveOnce();
    bool arrived() const;
    bool glideGivenUp();               // a glide without area test that ran far too long
    bool glideTick();                  // one move, the arrow drawn; whether the glide is over
    void placeClickMark();             // the mark at the pointer, its blink started
    void advance();                    // doNext from a timer: an error ends only the call
    void startEnd();                   // animation stopped, TimEnd on; asking again changes nothing
    void stopAnimation();              // every timer but TimEnd off
    bool ending() const { return TimEnd.Enabled(); }

    void readRecord();
    void buildTabStrip();              // the tab strip of a tab step, inside setData
    void tabFirstArrival();
    void startSecondLeg();
    void openDropDown();               // arrival at a menu-bar title
    void showRowHighlight();
    void openSubmenu();
    void showSubRowHighlight();
    void loadTypingText();
    tk::Image* imageOf(int number);    // Image1-Image5, or none
    tk::ControlArray<demo::MenuLabel>* listLabels(int section); // LRM2, LRM4, LRM6, LRM9, or none

    bool m_recordMissing = false;
    int m_chainDepth = 0;              // nested builds of steps without motion
};
