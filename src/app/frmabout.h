#pragma once
// FrmAbout: the about window. It shows the product's brand and title, the module, the home
// window's footer line (with the bank version), the maker's company line and the program folder,
// which opens in the desktop's file manager when clicked.
//
//   FrmAbout::get().Show(true);   // the home window's footer labels 0 and 21; returns when closed
//
// Borderless and topmost, 6300 x 4200 design twips times the screen scale. Either image button
// of LblClick closes it. The texts are taken once, at load; errors of the load leave their part
// as it was, without a report.

#include "controls/tavobutton.h"
#include "toolkit/controlarray.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

class FrmAbout : public tk::FormT<FrmAbout> {
    Q_OBJECT
public:
    FrmAbout();

    void Label1_Click(int index);
    void LblClick_Click(int index);
    void lblMove_MouseDown(int button, int shift, float x, float y);

    // ---- Controls, from the bottom of the stack to its top ----
    tk::Image ImgLogo1{this};
    tk::ControlArray<tk::Line> Line1{this};  // 3 and 4: the separator and its shadow
    tk::ControlArray<tk::Label> Label1{this}; // 0, 1, 2, 3, 4 and 6
    tk::Label lblMove{this};
    tk::ControlArray<tavoButton> LblClick{this}; // 0 close mark, 1 button

protected:
    void Form_Load() override;
};
