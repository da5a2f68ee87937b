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
