#pragma once
// Forms: the program's windows. Every window class has ONE program-wide instance, created and
// loaded at its first reference and destroyed by unload; the next reference creates a fresh one
// and runs its Form_Load again.
//
//   class FrmMain : public tk::FormT<FrmMain> {
//   public:
//       FrmMain();                          // creates the controls, wires their events
//       tk::Label Label1{this};
//       tk::Timer Timer2{this, 100};
//   protected:
//       void Form_Load() override;          // runs once per load, right after the constructor
//       void Form_KeyUp(int keyCode, int shift) override;
//   };
//
//   FrmMain::get().Label1.setCaption("");   // first reference: constructs and runs Form_Load
//   FrmMain::get().Show();                  // or Show(true): modal, returns when hidden/unloaded
//                                           // (400 when the form is shown already)
//   FrmMain::isLoaded();                    // without loading it
//   FrmMain::get().unload();                // Form_QueryUnload, Form_Unload (both may cancel)
//   FrmMain::unloadIfLoaded();              // the same, but never loads it first
//
// The window's close box asks the form as an unload from its control menu (mode 0).
// An unloaded form is hidden at once and deleted only once no handler of it is running anywhere
// on the stack: its events, its controls' and timers' events, its load and unload (each raised
// through tk::raiseEvent with a source inside the form). A handler may unload its own form, or
// wait (an error report, a modal box) while another window unloads it: the form and its
// controls stay until the outermost of its handlers has returned. An unloaded form raises no
// more events and Show does nothing; a handler that resumes finds it hidden and unloaded.
// Geometry is in twips (see twips.h): Left/Top the window's position on the screen, Width/Height
// its client size (the same as its outer size for the program's borderless windows). A window
// sized by Move/setWidth/setHeight keeps that size: the window manager may not stretch it, nor
// maximise it unless the program does (setWindowState).
// The form's own events are virtual methods named as the program names them; they are raised
// only while the form is loaded, and an error escaping one ends it silently.

#include "toolkit/control.h"
#include "toolkit/picturecache.h"
#include "toolkit/vberror.h"

#include <QPixmap>
#include <QPointer>

class QEventLoop;

namespace tk {

class Form : public QWidget {
    Q_OBJECT
public:
    enum UnloadMode { FromControlMenu = 0, FromCode = 1 };

    Form();
    ~Form() override;

    bool isUnloaded() const { return unloaded_; }
    // Asks Form_QueryUnload and Form_Unload; unless one cancels, hides the form, ends a modal
    // show and deletes the form later. Returns false when the unload was refused.
    bool unload(UnloadMode mode = FromCode);

    void Show(bool modal = false);
    void Hide();

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

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& text) { setWindowTitle(text); }
    bool Visible() const { return !isHidden(); }
    bool Enabled() const { return !testAttribute(Qt::WA_Disabled); }

    // 0 normal, 1 minimised, 2 maximised.
    int WindowState() const;
    void setWindowState(int state);

    // The background picture (plane 0 of the work surface), drawn at the top-left, unscaled.
    tk::Picture Picture() const { return picture_; }
    void setPicture(const tk::Picture& picture);
    // Raises as tk::loadPicture, and the form stays as it was; decoded when first drawn.
    void loadPicture(const QString& path);
    void setIcon(const QPixmap& picture);
    void loadIcon(const QString& path);
    vb::Long BackColor() const { return backColor_; }
    void setBackColor(vb::Long color);

    int MousePointer() const { return pointer_; }
    void setMousePointer(int number); // as tk::Control
    void setMouseIcon(const QCursor& cursor);

    void setBorderless(bool on = true);
    void setTopmost(bool on = true); // above every ordinary window, position and size unchanged
    void raiseTop();                 // to the top of the ordinary windows

    bool isModalShown() const { return modalLoop_ != nullptr; }
    // How many of the form's handlers are running now (nested ones each count).
    int handlersRunning() const { return handlersRunning_; }

protected:
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int& cancel, int unloadMode) { (void)cancel, (void)unloadMode; }
    virtual void Form_Unload(int& cancel) { (void)cancel; }
    virtual void Form_KeyDown(int keyCode, int shift) { (void)keyCode, (void)shift; }
    virtual void Form_KeyUp(int keyCode, int shift) { (void)keyCode, (void)shift; }
    virtual void Form_KeyPress(int& keyAscii) { (void)keyAscii; }
    virtual void Form_MouseDown(int button, int shift, float x, float y);
    virtual void Form_MouseMove(int button, int shift, float x, float y);
    virtual void Form_MouseUp(int button, int shift, float x, float y);
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

    // Runs Form_Load once; called by FormT right after construction.
    void load();

private:
    template <class T>
    friend class FormT;
    friend class detail::HandlerScope;

    void applyPointer();
    void keepSize(Qt::WindowStates state);
    bool stretchedByOthers() const;
    void handleMouse(QMouseEvent* event);
    void deleteWhenIdle();

    tk::Picture picture_;
    vb::Long backColor_ = kButtonFace;
    int pointer_ = 0;
    QCursor icon_;
    bool hasIcon_ = false;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool unloading_ = false;
    bool afterDblClick_ = false;
    int handlersRunning_ = 0;
    bool deletePending_ = false;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    QEventLoop* modalLoop_ = nullptr;
};

// The program-wide instance of the window class T (T derives from FormT<T>).
template <class T>
class FormT : public Form {
public:
    // The instance, created and loaded at the first reference after start or after an unload.
    // A reference from inside T's own constructor, before the instance exists, raises
    // vb::Error 91 instead of building instances without end.
    static T& get()
    {
        if (!instance_ || instance_->isUnloaded()) {
            if (constructing_)
                throw vb::Error(vb::ErrObjectVariable);
            constructing_ = true;
            T* form = nullptr;
            try {
                form = new T();
            } catch (...) {
                constructing_ = false;
                throw;
            }
            constructing_ = false;
            instance_ = form;
            form->load();
        }
        return *instance_;
    }
    static bool isLoaded() { return instance_ && !instance_->isUnloaded(); }
    // Unloads the instance when it is loaded; returns false only when a loaded form refused.
    static bool unloadIfLoaded() { return !isLoaded() || instance_->unload(); }

private:
    static inline QPointer<T> instance_;
    static inline bool constructing_ = false;
};

} // namespace tk
