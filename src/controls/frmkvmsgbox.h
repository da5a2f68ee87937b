#pragma once
// FrmKVMSGBOX: the program's own modal message box. It answers only through
// ModData::iMsgAnswer: its confirm button sets 1; cancel, close and any other way of closing it
// leave what the caller set (0).
//
//   ModData::iMsgAnswer = 0;
//   FrmKVMSGBOX::get().LblTitle.setCaption("系统提示");
//   vb::attempt([] { FrmKVMSGBOX::get().Image1.loadPicture(ModData::sDataPath + "l20071.mxy"); });
//   FrmKVMSGBOX::get().LblPrompt.setCaption("\r\n你要退出吗？");
//   FrmKVMSGBOX::get().Show(true);      // returns when the box has unloaded itself
//   if (ModData::iMsgAnswer == 1) ...
//
// Keys do nothing: Enter does not confirm and Escape does not cancel.

#include "controls/tavobutton.h"
#include "toolkit/controlarray.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

class FrmKVMSGBOX : public tk::FormT<FrmKVMSGBOX> {
    Q_OBJECT
public:
    FrmKVMSGBOX();

    // Shows the box modally with the title, the picture (an empty one leaves the box's own) and
    // the prompt, and returns ModData::iMsgAnswer (1 confirmed). Nothing waits between taking the
    // box and showing it: a caller that waited for its picture (an error report) never holds a
    // box that was shown and freed meanwhile. Returns 0, showing nothing, while a box is up
    // already (another handler's).
    static int ask(const QString& title, const tk::Picture& picture, const QString& prompt);

    void LblClick_Click(int index);
    void lblMove_MouseDown(int button, int shift, float x, float y);

    // Lowest first: a press on the title lands on the drag strip, the logo lies above it.
    tk::Label LblTitle{this};
    tk::Image Image1{this};
    tk::Label LblPrompt{this};
    tk::Label lblMove{this};
    tk::Image ImgLogo1{this};
    // 1 confirm, 0 cancel, 3 close, 2 hidden.
    tk::ControlArray<tavoButton> LblClick{this};

protected:
    void Form_Load() override;
};
