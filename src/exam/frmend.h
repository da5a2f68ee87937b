#pragma once
// The two hand-in windows of a mock paper: small modal dialogs captioned "重要提示", each with a
// confirm and a back button. FrmEnd1 asks whether to hand in, warning when a question was never
// opened or is still marked; its confirm opens FrmEnd2, which warns that handing in ends the
// exam. Confirming FrmEnd2 ends the paper and shows the score window; either back button returns
// to the paper with the question panel docked on the work surface again.
//
//   FrmEnd1::get().Show(true);   // the hand-in button and the clock's time-out; returns when
//                                // both dialogs are closed. Loaded afresh at every show.
//
// Neither has a close box, and a close asked of the window itself (Alt+F4) is refused: the
// buttons are the only ways out, so the hidden panel always comes back or the paper ends.
// Both are designed 4410 x 2670 twips, not scaled; the buttons are sized by the screen scale.
// They are topmost and open above every other window of the paper (the panel and the hint window
// are topmost too).

#include "controls/tavobutton.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

class FrmEnd1 : public tk::FormT<FrmEnd1> {
    Q_OBJECT
public:
    FrmEnd1();

    // Warning when any of questions 1 to 40 was never opened (an even flags value) or is marked
    // while opened (3 or 7): every value must be 1 or 5 for the plain message.
    static bool needsWarning();
    static QString message(bool warning);

    tk::Frame Frame1{this};
    tk::Label Label1{&Frame1};
    tavoButton Command1{this};
    tavoButton Command2{this};

    void Command1_Click(); // confirm: on to FrmEnd2
    void Command2_Click(); // back

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
};

class FrmEnd2 : public tk::FormT<FrmEnd2> {
    Q_OBJECT
public:
    FrmEnd2();

    static QString message();

    tk::Frame Frame1{this};
    tk::Label Label1{&Frame1};
    tavoButton Command1{this};
    tavoButton Command2{this};

    void Command1_Click(); // final hand-in
    void Command2_Click(); // back

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
};

namespace exam {

// The final hand-in, once per paper: the clock row back to 50 minutes, the clock and the
// demonstration starter stopped, the hand-in windows closed, the panel hidden (it stays loaded for
// the reviews), the surface unloaded, the score window shown; then every other window of the
// paper is closed (standard boxes, input-method dialog, hint window, demonstration, question
// picture). FrmEnd2's confirm, and a time-out that finds a hand-in window already open.
void finalHandIn();

} // namespace exam
