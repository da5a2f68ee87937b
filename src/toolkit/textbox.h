#pragma once
// The text box. One line by default; setMultiLine(true) gives several lines (set it before the
// text, at design). Text of several lines reads with CR LF line ends.
//
//   tk::TextBox Text1{this};
//   Text1.onChange = [this] { Text1_Change(); };
//   Text1.onKeyUp = [this](int keyCode, int shift) { Text1_KeyUp(keyCode, shift); };
//   Text1.setText("abc");     // raises Change at once, inside this call, when the text differs
//   Text1.SetFocus();         // raises GotFocus at once; 5 when the box or its window is hidden
//
// Keys: KeyDown/KeyUp get the Windows virtual-key code and the shift bits (keys.h); a held key
// repeats KeyDown and KeyPress but gives one KeyUp. KeyPress gets the character code and may set
// it to 0 to drop the character, or to another code to type that one instead. Keys of a text box
// never reach its form. GotFocus/LostFocus follow the focus between controls; switching to another
// window and back raises neither.

#include "toolkit/control.h"

class QLineEdit;
class QPlainTextEdit;

namespace tk {

class TextBox : public Control {
    Q_OBJECT
public:
    explicit TextBox(QWidget* container);
    ~TextBox() override;

    QString Text() const;
    void setText(const QString& text);
    int SelStart() const;
    void setSelStart(int start);   // also empties the selection, as it always did
    int SelLength() const;
    void setSelLength(int length); // from SelStart, cut at the end of the text
    QString SelText() const;
    void setSelText(const QString& text); // replaces the selection
    bool Locked() const { return locked_; }
    void setLocked(bool on);
    bool MultiLine() const { return multiLine_; }
    void setMultiLine(bool on);
    int ScrollBars() const { return scrollBars_; } // 0 none, 2 vertical (multi-line only)
    void setScrollBars(int bars);
    int BorderStyle() const { return borderStyle_; } // 0 none, 1 fixed single (default)
    void setBorderStyle(int style);
    int Alignment() const { return alignment_; } // 0 left, 1 right, 2 centre
    void setAlignment(int alignment);

    // Gives the box the keyboard focus; raises vb::Error 5 while the box or its window is hidden
    // or disabled.
    void SetFocus();

    void copyFrom(const Control& other) override;

    Handler onChange;
    Handler onGotFocus;
    Handler onLostFocus;
    KeyHandler onKeyDown;
    KeyHandler onKeyUp;
    KeyPressHandler onKeyPress;

    QWidget* editor() const; // the inner editing widget (for tests and focus checks)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void fontChanged() override;
    void colorsChanged() override;

private:
    void buildEditor();
    void applyLook();
    void textEdited();
    void gotFocus();
    void lostFocus();

    QLineEdit* line_ = nullptr;
    QPlainTextEdit* plain_ = nullptr;
    QString lastText_;
    bool locked_ = false;
    bool multiLine_ = false;
    int scrollBars_ = 0;
    int borderStyle_ = 1;
    int alignment_ = 0;
    bool focused_ = false;
};

} // namespace tk
