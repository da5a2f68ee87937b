#pragma once
// The question picture window: a small borderless window that shows a question's picture inside
// a red frame. The panel's picture button opens and closes it; it fits itself to the picture,
// stays above the other windows and is centred on the screen each time it is opened. It can be
// dragged by its frame or by the picture.
//
//   FrmPicture::get().Image1.loadPicture(path);   // the question display (the window stays hidden)
//   exam::hidePicture(Image2);                     // whoever hides it resets the button too
//   exam::pictureButtonClick(Image2);              // the panel's Image2_Click
//
// The picture button's caption tells what a click will do: "显示图片" (the window is closed) or
// "隐藏图片" (it is open). A close from the window system only hides the window, as the button
// does, so that it keeps its picture for the next click.

#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"

class tavoButton;

class FrmPicture : public tk::FormT<FrmPicture> {
    Q_OBJECT
public:
    FrmPicture();

    tk::Image Image1{this};              // the question picture, at its own size
    tk::Timer Timer1{this, 100, true};   // one-shot fit and placement

    void Timer1_Timer();
    void Image1_MouseDown(int button, int shift, float x, float y);

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_MouseDown(int button, int shift, float x, float y) override;
};

namespace exam {

inline constexpr const char* kShowPicture = "显示图片";
inline constexpr const char* kHidePicture = "隐藏图片";

// The panel's picture button: opens the window when the caption reads "显示图片", else closes it.
void pictureButtonClick(tavoButton& button);

// Hides the picture window and sets the button back to "显示图片".
void hidePicture(tavoButton& button);

} // namespace exam
