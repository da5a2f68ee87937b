#pragma once
// The simulated examination log-on in front of every mock paper: a log-on page that takes the
// seat number and the ID card number, then a confirmation page with the candidate's data and a
// short progress bar, after which the work surface and the question panel show question 1.
// Nothing entered is rejected; short entries are filled up, long ones cut.
//
//   // the launcher, after setting up a fixed or random paper:
//   FrmLogon::get().Show();    // loaded afresh; its set-up names the exercise files again
//
// The exit button, after a confirmation, goes back to the home window; a close from the window
// system is the exit button too (refused on the confirmation page, where the hand-over is under
// way). Sizes are twips of the 800 x 600 design times the screen scale.

#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/textbox.h"
#include "toolkit/timer.h"

#include <QString>

class FrmLogon : public tk::FormT<FrmLogon> {
    Q_OBJECT
public:
    FrmLogon();

    // The number that fills up a short ID card entry, and the ID box's text at load.
    static QString fillNumber();
    static QString initialIdText();
    // What the ID box keeps of a text: its digits, and an "x" or "X" only as the 18th character.
    static QString idCardText(const QString& text);

    // ---- Controls, from the bottom of the stack to its top ----
    tk::PictureBox Picture1{this}; // log-on page
    tk::TextBox TxtZwh{&Picture1};
    tk::TextBox TxtSFZ{&Picture1};
    tk::Label CmdLog{&Picture1};  // log-on button, drawn on the page picture
    tk::Label CmdExit{&Picture1}; // exit button

    tk::PictureBox Picture2{this}; // confirmation page, above the log-on page
    tk::Label LblName{&Picture2};
    tk::Label LblZwh{&Picture2};
    tk::Label LblCC{&Picture2};
    tk::Label LblKm{&Picture2};
    tk::Label LblSfz{&Picture2};
    tk::Label LblDah{&Picture2};
    tk::Label LblDate{&Picture2};
    tk::PictureBox P2{&Picture2}; // progress track
    tk::Label LJD{&P2};           // progress bar

    tk::Timer Timer1{this, 100, true}; // one-shot page set-up
    tk::Timer Timer2{this, 100};       // progress

    // ---- Event handlers ----
    void Timer1_Timer();
    void Timer2_Timer();
    void TxtSFZ_KeyPress(int& keyAscii);
    void TxtSFZ_Change(); // text that came in another way (an input method, a paste)
    void CmdLog_Click();
    void CmdExit_Click();

protected:
    void Form_Load() override;
    void closeEvent(QCloseEvent* event) override;
};
