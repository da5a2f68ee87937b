#pragma once
// tavoButton: the program's image button. It draws itself from a picture strip of four frames side
// by side, each as large as the button (0 normal, 1 hover, 2 pressed, 3 disabled), shows an
// optional caption centred over it, follows the pointer with a short timer and raises one event,
// Click (onClick; in a control array the array's onClick with the index), at every release of a
// mouse button that was pressed on it, wherever the pointer is at the release.
//
//   tavoButton& ok = LblClick.create(1);
//   ok.useProgramDesign();                       // red caption, 宋体 9 pt, as every window has it
//   ok.Move(2460 * sx, 2880 * sy, 1350 * sx, 450 * sy);
//   vb::attempt([&] { ok.loadPicture(dataPath + "l20001.mxy"); });
//   LblClick.onClick = [this](int index) { LblClick_Click(index); };
//
// The caption's attributes (ForeColor, Font, FontName, FontSize, FontBold, FontUnderline) are the
// caption label's; these setters hide tk::Control's, which would style the button itself.
// Click is raised as the very last step of the release, so its handler may unload the window
// that holds the button.

#include "toolkit/controls.h"
#include "toolkit/timer.h"

#include <QFont>
#include <QPixmap>
#include <functional>

class tavoButton : public tk::Control {
    Q_OBJECT
public:
    explicit tavoButton(QWidget* container);

    long ForeColor() const { return LblCaption.ForeColor(); }
    void setForeColor(long color) { LblCaption.setForeColor(color); }
    bool Enabled() const { return ownEnabled_; } // its own setting, whatever its window's
    void setEnabled(bool on);
    QFont Font() const { return LblCaption.font(); }
    void setFont(const QFont& font) { LblCaption.setFont(font); }
    QString Caption() const { return LblCaption.Caption(); }
    void setCaption(const QString& text);
    bool FontBold() const { return LblCaption.FontBold(); }
    void setFontBold(bool on) { LblCaption.setFontBold(on); }
    QString FontName() const { return LblCaption.FontName(); }
    void setFontName(const QString& name) { LblCaption.setFontName(name); }
    double FontSize() const { return LblCaption.FontSize(); }
    void setFontSize(double points) { LblCaption.setFontSize(points); }
    bool FontUnderline() const { return LblCaption.FontUnderline(); }
    void setFontUnderline(bool on) { LblCaption.setFontUnderline(on); }
    tk::Picture Picture() const { return ImgBack.Picture(); }
    void setPicture(const tk::Picture& strip) { ImgBack.setPicture(strip); }
    // Raises vb::Error 53 (missing) or 481 (no picture); the strip stays as it was.
    void loadPicture(const QString& path) { ImgBack.loadPicture(path); }

    // The design every button of the program's windows has: caption colour 255 (red), 宋体 9 pt.
    void useProgramDesign();

    // The frame shown, as the strip's position gives it.
    int frame() const;
    bool timerRunning() const { return Timer1.Enabled(); }

    void copyFrom(const tk::Control& other) override;

    // The pointer test of the timer; tests put their own.
    static void setPointerTestForTests(std::function<bool(const QWidget*)> test);

    // Handlers, named as the control's own.
    void ImgBack_MouseDown(int button, int shift, float x, float y);
    void ImgBack_MouseMove(int button, int shift, float x, float y);
    void ImgBack_MouseUp(int button, int shift, float x, float y);
    void UserControl_Resize();
    void Timer1_Timer();

    // Constituents, the strip below the caption.
    tk::Image ImgBack{this};
    tk::Label LblCaption{this};
    tk::Timer Timer1{this, 100, true};

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // A change of the button's own enabled state made through tk::Control or QWidget shows its
    // frame too; a disabled container leaves the frame alone.
    void changeEvent(QEvent* event) override;
    void clickedByMouse(int button) override;
    // Where neither strip nor caption covers the button (no strip loaded), its own surface
    // reacts the same way.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool IsMouseOver() const;
    void showFrame(int k);
    int restFrame() const { return ownEnabled_ ? 0 : 3; }
    void centreCaption(bool pressed);

    bool ownEnabled_ = true;
};
