#pragma once
// The score window that ends every mock paper. Its load scores the paper (2.5 points per
// completed question), writes the paper's history (marked-question store, the paper's
// wrong-question file, own wrong-question store, paper results file) and shows 40 result buttons,
// green for a completed question and red for the others, with the score line. A result button
// shows its question's text. Three buttons lead on: a review of the whole paper, back to the
// home window's paper page, and a review of the paper's wrong questions. They are the only ways
// out: a close from the window system is refused.
//
//   FrmChengji::get().Show();   // the final hand-in; loaded afresh for every handed-in paper
//
// Sizes are twips of the 800 x 600 design times the screen scale; the result page itself is
// 12000 x 9000 twips, centred in the maximised window.

#include "controls/tavobutton.h"
#include "toolkit/controlarray.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"

#include <QString>
#include <array>

class FrmChengji : public tk::FormT<FrmChengji> {
    Q_OBJECT
public:
    FrmChengji();

    // The review of the paper's wrong questions: builds the exercise from the paper's
    // wrong-question file and opens the panel and the surface on question 1. When there is
    // nothing to review, or the question bank cannot give the questions, the candidate is told so
    // and the score window stays.
    void InitShiTi();

    // When the load could not write the paper's history (its files then stay as they were), tells
    // the candidate so, once. The final hand-in calls it as its last step, over the window.
    void tellIfUnsaved();

    // ---- Form-level values ----
    std::array<QString, 41> sTiMuText; // 1 to 40: the question texts the result buttons show

    // ---- Controls, from the bottom of the stack to its top ----
    tk::PictureBox Picture1{this}; // the result page
    tavoButton Command3{&Picture1}; // review the wrong questions
    tavoButton Command1{&Picture1}; // review the whole paper
    tavoButton Command2{&Picture1}; // back to the home window
    tk::Frame Frame1{&Picture1};
    tk::ControlArray<tavoButton> CmTNO{&Frame1};
    tk::Label LblTiMuYQ{&Picture1};
    tk::Label Label1{&Picture1}; // score line

    tk::Timer Timer1{this, 100, true}; // one-shot centring

    // ---- Event handlers ----
    void Timer1_Timer();
    void CmTNO_Click(int index);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void showPanelOnSurface(); // the reviews' hand-over to the panel
    bool historySaved = false; // the load wrote the paper's history
    bool historyPartly = false; // the load wrote part of it and could not undo that
    bool unsavedTold = false;
};
