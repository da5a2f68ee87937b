#pragma once
// The hint window of a mock paper: a small modal dialog, above every other window, telling the
// candidate that answers cannot be seen in the real examination and how to see them after it.
// Its answer button, after a confirmation, turns the paper into practice (the panel gets its
// practice buttons, the score will not count as a best score) and starts the demonstration of
// the current question. Every other click closes it without effect.
//
//   FrmCZTS::get().Show(true);   // the panel's hint-window button; loaded afresh at each show

#include "controls/tavobutton.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

class FrmCZTS : public tk::FormT<FrmCZTS> {
    Q_OBJECT
public:
    FrmCZTS();

    // Lowest first.
    tk::Shape Shape1{this};
    tk::Shape Shape2{this};
    tk::Label Label3{this}; // "请注意!!!"
    tk::Label Label2{this}; // the explanation
    tavoButton Command1{this}; // close
    tavoButton Command2{this}; // "I want to see the answer now"

    void Command1_Click();
    void Command2_Click();
    void Label2_Click();
    void Label3_Click();

protected:
    void Form_Load() override;
    void Form_Click() override;
};
