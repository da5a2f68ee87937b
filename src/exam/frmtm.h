#pragma once
// The question panel: a small borderless window, always on top, docked at the work surface's
// bottom-right corner. It shows the exercise title, the question text, the function buttons, the
// clock row and the list of unfinished questions; it collapses to a small bar at the surface's
// bottom-left corner and comes back from it.
//
//   ModData::iTmNo = 3;
//   FrmTm::get().TimerREDO.setEnabled(true);  // another window asks for question 3
//   FrmTm::get().DqExam();                    // the panel itself shows question iTmNo
//
// Sizes are twips of the 800 x 600 design times the screen scale.

#include "controls/tavobutton.h"
#include "exam/imemenu.h"
#include "toolkit/controlarray.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/textbox.h"
#include "toolkit/timer.h"

#include <QAction>
#include <QMenu>
#include <array>
#include <functional>

class FrmTm : public tk::FormT<FrmTm> {
    Q_OBJECT
public:
    using Button = tavoButton;

    FrmTm();
    ~FrmTm() override;

    // ---- Procedures ----
    void DqExam();   // shows question iTmNo
    void dqYeMian(); // fills and opens the number page (panel buttons)

    // ---- Form-level values ----
    qint16 iSelPage = 0;
    qint16 iSelLastPage = 0;
    qint16 iStartYsTicks = 0;

    // ---- Controls, from the bottom of the stack to its top ----
    tk::Image ImgLogo1{this};
    tk::Label LblBiao{this}; // exercise title
    tk::Label lblMove{this}; // title strip
    Button LblZXH{this};     // collapse
    Button LblClose{this};   // close look, no action

    tk::PictureBox FrmZhuYa{this}; // main page
    tk::TextBox RtbTM{&FrmZhuYa};  // question text
    Button Image2{&FrmZhuYa};      // shows or hides the question picture
    tk::ControlArray<Button> CmdGN{&FrmZhuYa};
    tk::Label LblTime{&FrmZhuYa};
    tk::PictureBox PTime{&FrmZhuYa};
    tk::Label LblTimeJD{&PTime};
    tk::Label LblName{&FrmZhuYa};
    tk::Label LblIME{&FrmZhuYa};
    Button CmdEn{&FrmZhuYa};
    tk::PictureBox PicUnit{&FrmZhuYa};
    tk::Label LblUnit{&PicUnit}; // unfinished questions

    tk::Frame FrmSelect{this}; // number page
    tk::ControlArray<Button> CmTNO{&FrmSelect};
    Button CmdSelFH{&FrmSelect};
    Button CmdSelLast{&FrmSelect};
    Button CmdSelNext{&FrmSelect};

    tk::Frame FrmKSXX{this}; // candidate information page
    tk::Image Image1{&FrmKSXX};
    tk::ControlArray<tk::Label> Label1{&FrmKSXX};
    tk::Label KsName1{&FrmKSXX};
    tk::Label KsZWH1{&FrmKSXX};
    tk::Label KsCC1{&FrmKSXX};
    tk::Label KsDAH1{&FrmKSXX};
    tk::Label KsKM1{&FrmKSXX};
    tk::Label KsSFZ1{&FrmKSXX};
    Button CmdKSFH{&FrmKSXX};

    tk::PictureBox FrmZXH{this}; // the collapsed bar, above everything
    tk::Label Label2{&FrmZXH};   // its drag strip
    tk::Label Command2{&FrmZXH}; // its restore spot

    QMenu mIme; // "输入法"
    QAction* mEng = nullptr;
    std::array<QAction*, 11> mCn{}; // 1-10
    exam::ImeMenu imeMenu;          // the installed layouts behind mEng and mCn, from the load
    // Opens the input-method menu with its top-left corner at a point of the screen and returns
    // when the menu has closed; the chosen item's handler has run by then. Modal by default;
    // a test puts in a hand that picks an entry.
    std::function<void(QMenu& menu, const QPoint& globalPos)> showPopup =
        [](QMenu& menu, const QPoint& globalPos) { menu.exec(globalPos); };

    tk::Timer TimKsModel{this, 500, true};
    tk::Timer TimeKS{this, 60000, true};
    tk::Timer TimerREDO{this, 100};
    tk::Timer TimStartYS{this, 100};

    // ---- Event handlers ----
    void TimerREDO_Timer();
    void LblZXH_Click();   // collapse
    void Command2_Click(); // restore
    void lblMove_MouseDown(int button, int shift, float x, float y);
    void Label2_MouseDown(int button, int shift, float x, float y);
    void FrmZXH_MouseDown(int button, int shift, float x, float y);
    void FrmZXH_MouseMove(int button, int shift, float x, float y);
    void Command2_MouseMove(int button, int shift, float x, float y);
    void LblUnit_Click();
    void LblUnit_MouseMove(int button, int shift, float x, float y);
    void RtbTM_Click();
    void RtbTM_KeyUp(int keyCode, int shift);
    void PicUnit_KeyUp(int keyCode, int shift);

    // Buttons, pages, clock, demonstration start, picture and input method: hooks, wired to
    // their controls, filled in with those parts of the panel.
    void CmdGN_Click(int index);
    void CmTNO_Click(int index);
    void CmdSelFH_Click();
    void CmdSelLast_Click();
    void CmdSelNext_Click();
    void CmdKSFH_Click();
    void TimKsModel_Timer();
    void TimeKS_Timer();
    void TimStartYS_Timer();
    void Image2_Click();
    void LblIME_Click();
    void CmdEn_Click();
    void mEng_Click();
    void mCn_Click(int index); // mCn1_Click .. mCn10_Click
    void fillImeMenu();        // the load set-up's input-method menu

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Form_KeyUp(int keyCode, int shift) override;

private:
    bool handBack(); // the surface becomes the active window again; false once the paper is over
    void takeImeItem(int item); // input-method menu item 0 (mEng) or K (mCnK) chosen
    void dock();

    // Panel buttons: leaving a practice exercise (the return button, leavepractice.cpp) and
    // starting the demonstration (the demonstration button, examclock.cpp).
    void leavePractice();
    void startDemo();
};
