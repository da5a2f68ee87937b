#pragma once
// The base of every control placed on a form: geometry in twips, visibility, mouse pointer,
// tooltip, stacking order, font and colours, and the mouse events.
//
//   tk::Label Label1{this};                  // `this` is the form, or a PictureBox / Frame
//   Label1.Move(1500, 300, 900, 255);        // twips; Left 1500 sits at pixel 100, reads 1500
//   Label1.onMouseDown = [this](int button, int shift, float x, float y) {
//       Label1_MouseDown(button, shift, x, y);
//   };
//
// Geometry. Left/Top/Width/Height are twips relative to the container, shown at 15 twips a
// pixel (tk::toPixels). A value reads back exactly as set while the control still has the pixel
// size that value gave; when the control sized itself (AutoSize, an image taking its picture's
// size) it reads pixels x 15. The windows apply the screen scale to their design values
// themselves (left, width and font sizes x dScaleX, top and height x dScaleY).
//
// Events are std::function members, set by the window that owns the control; an empty one does
// nothing. The form's own events are virtual methods of tk::Form instead.
//   mouse: button 1 left, 2 right, 4 middle (in moves: the buttons held, or-ed together);
//          shift 1 Shift, 2 Ctrl, 4 Alt; x, y in twips from the control's own top-left corner.
//   A press captures the mouse: the following moves and the release go to the pressed control,
//   also outside it, and also when a handler moved or hid it meanwhile. Click follows a release
//   over the control (any button). A double click arrives as MouseDown, MouseUp, Click, DblClick,
//   MouseUp: the second press is no MouseDown and its release gives no Click (when the first
//   click went to another control, the second press is a plain MouseDown).
//   An error escaping a handler (vb::Error or any other exception) ends that handler silently.
//
// Stacking. Among siblings a control created later lies above one created earlier. Windowed
// controls (TextBox, PictureBox, Frame, CheckBox, user controls) always lie above lightweight
// ones (Label, Image, Shape, Line), as they did in the original toolkit. ZOrder(0) brings a
// control to the front of its layer, ZOrder(1) sends it to the back. The topmost control under
// the pointer gets the mouse; Shape and Line let the mouse through to what lies below.
//
// Colours are the program's BGR numbers (&H00BBGGRR) or system colours (&H800000nn), as
// vb::Long; a number that is neither raises vb::Error 380 and leaves the colour as it was.

#include "toolkit/vb.h"

#include <QCursor>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <concepts>
#include <functional>

class QMouseEvent;

namespace tk {

enum class Layer { Lightweight, Windowed };

using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
using Handler = std::function<void()>;
using KeyHandler = std::function<void(int keyCode, int shift)>;
using KeyPressHandler = std::function<void(int& keyAscii)>; // set keyAscii to 0 to drop the key

// Standard colours of the original toolkit.
inline constexpr vb::Long kButtonFace = vb::Long(0x8000000F); // back colour of labels, picture boxes, frames
inline constexpr vb::Long kButtonText = vb::Long(0x80000012); // fore colour of labels, check boxes, frames
inline constexpr vb::Long kWindowBack = vb::Long(0x80000005); // back colour of text boxes
inline constexpr vb::Long kWindowText = vb::Long(0x80000008); // fore colour of text boxes

// The QColor of a BGR or system colour number (black for a number that is no colour).
QColor colorFromVb(vb::Long color);
// Raises vb::Error 380 for a number that is no colour, as assigning it to a colour property did.
void checkColour(vb::Long color);

class Form;

namespace detail {
// Counts one handler of the form that holds `source` (the form itself, or a control or timer
// anywhere inside it) as running, for as long as the scope lives: the form is never deleted
// while a handler of it is still on the stack (see Form::unload). A source outside every form
// counts nothing.
class HandlerScope {
public:
    explicit HandlerScope(const QObject* source);
    ~HandlerScope();
    bool formUnloaded() const; // the form was unloaded: its events are no longer raised
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

private:
    QPointer<Form> form_;
};
} // namespace detail

// Runs one event handler; an error that escapes it ends it silently (never through Qt's loop).
// This form, without a source, is for a handler that forwards to another one of the same form
// while it is counted already (a control array hands on its element's events).
template <class F, class... A>
    requires std::invocable<const F&, A&&...>
void raiseEvent(const F& handler, A&&... args)
{
    if constexpr (requires { static_cast<bool>(handler); }) {
        if (!static_cast<bool>(handler))
            return;
    }
    try {
        handler(std::forward<A>(args)...);
    } catch (...) {
    }
}

// Runs one event handler of the form that holds `source` (a control, a timer, the form itself):
// counted as running on that form, and an error escaping it ends it silently. The controls and
// timers of an unloaded form raise nothing, though the form may live on until its running
// handlers have returned.
template <class F, class... A>
void raiseEvent(const QObject* source, const F& handler, A&&... args)
{
    const detail::HandlerScope running(source);
    if (!running.formUnloaded())
        raiseEvent(handler, std::forward<A>(args)...);
}

class Control : public QWidget {
    Q_OBJECT
public:
    explicit Control(QWidget* container, Layer layer = Layer::Lightweight);
    ~Control() override;

    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);

    bool Visible() const { return !isHidden(); } // the control's own setting; setVisible sets it
    bool Enabled() const { return !testAttribute(Qt::WA_Disabled); } // setEnabled sets it

    // 0 default, 1..15 the standard pointers, 99 the custom pointer MouseIcon. Any other number
    // raises vb::Error 380 and leaves the pointer as it was.
    int MousePointer() const { return pointer_; }
    void setMousePointer(int number);
    bool hasMouseIcon() const { return hasIcon_; }
    QCursor MouseIcon() const { return icon_; }
    void setMouseIcon(const QCursor& cursor);
    // Loads MouseIcon from a cursor file: 53 when the file is missing, 481 when it is no cursor;
    // either way the previous MouseIcon stays.
    void loadMouseIcon(const QString& path);

    QString ToolTipText() const { return toolTip(); }
    void setToolTipText(const QString& text) { setToolTip(text); }

    void ZOrder(int position = 0);

    vb::Long BackColor() const { return backColor_; }
    void setBackColor(vb::Long color);
    vb::Long ForeColor() const { return foreColor_; }
    void setForeColor(vb::Long color);

    QString FontName() const;
    void setFontName(const QString& name);
    double FontSize() const;
    void setFontSize(double points); // 0 or less is ignored
    bool FontBold() const;
    void setFontBold(bool on);
    bool FontItalic() const;
    void setFontItalic(bool on);
    bool FontUnderline() const;
    void setFontUnderline(bool on);

    Layer layer() const { return layer_; }

    // The properties a control array hands on to an element it loads (geometry, colours, font,
    // pointer, tooltip, enabled state and each kind's own design properties; not Visible).
    virtual void copyFrom(const Control& other);

    MouseHandler onMouseDown;
    MouseHandler onMouseMove;
    MouseHandler onMouseUp;
    Handler onClick;
    Handler onDblClick;

protected:
    // For kinds that size themselves: the new size in pixels, stored as pixels x 15.
    void setPixelSize(int width, int height);
    // Mouse events of an inner widget (text box editor, check box) handed to this control's
    // events; positions are mapped from `source` to this control.
    void dispatchMouse(QMouseEvent* event, QWidget* source);
    // Called when the font changed, so a self-sizing kind can size itself again.
    virtual void fontChanged() {}
    virtual void colorsChanged() { update(); }
    // A release over the control: raises Click (a check box toggles instead).
    virtual void clickedByMouse(int button);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void changeFont(const std::function<void(QFont&)>& change);
    void applyGeometry();
    void applyPointer();

    Layer layer_;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    int pointer_ = 0;
    QCursor icon_;
    bool hasIcon_ = false;
    vb::Long backColor_ = kButtonFace;
    vb::Long foreColor_ = kButtonText;
    bool afterDblClick_ = false; // the release that ends a double click gives no Click
};

} // namespace tk
