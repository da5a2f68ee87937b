#pragma once
// The input-method dialog: explains that some input methods make the program fail and lets the
// candidate turn the input-method option ("调用输入法") on or off. The option is written to the
// user folder's option file at every change of the box and taken into ModData::bAutoIme.
// While the dialog is open the question panel is collapsed to its bar; every way of closing the
// dialog brings the panel back, expanded, at the work surface's bottom-right corner.
//
//   FrmTm::get().LblZXH_Click();   // the panel's input-method button collapses the panel,
//   FrmIME::get().Show(true);      // then shows the dialog modally

#include "controls/tavobutton.h"
#include "toolkit/controlarray.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

class FrmIME : public tk::FormT<FrmIME> {
    Q_OBJECT
public:
    FrmIME();

    // Lowest first: the title and the logo lie under the drag strip.
    tk::ControlArray<tk::Label> Label1{this}; // 0 the explanation, 2 the title
    tk::Image ImgLogo1{this};
    tk::Label lblMove{this};
    tk::CheckBox Check1{this};
    tk::ControlArray<tavoButton> lblClick{this}; // 0 close, 1 confirm

    void Check1_Click();
    void lblClick_Click(int index);
    void lblMove_MouseDown(int button, int shift, float x, float y);

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
};
