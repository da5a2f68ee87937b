#include "toolkit/form.h"

#include "platform/waits.h"
#include "platform/windowpos.h"
#include "toolkit/controls.h"
#include "toolkit/keys.h"
#include "toolkit/mouseevents.h"
#include "toolkit/pointers.h"
#include "toolkit/twips.h"
#include "toolkit/vberror.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace tk {

Form::Form() : QWidget(nullptr, Qt::Window)
{
    setMouseTracking(true);
}

Form::~Form()
{
    if (modalLoop_)
        modalLoop_->quit();
}

namespace detail {

HandlerScope::HandlerScope(const QObject* source)
{
    for (const QObject* o = source; o; o = o->parent()) {
        if (auto* f = qobject_cast<const Form*>(o)) {
            form_ = const_cast<Form*>(f);
            ++form_->handlersRunning_;
            return;
        }
    }
}

bool HandlerScope::formUnloaded() const { return form_ && form_->isUnloaded(); }

HandlerScope::~HandlerScope()
{
    Form* f = form_.data();
    if (f && --f->handlersRunning_ == 0 && f->deletePending_)
        f->deleteLater(); // nothing of the form is left on the stack above the caller
}

} // namespace detail

void Form::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    raiseEvent(this, [this] { Form_Load(); });
}

void Form::deleteWhenIdle()
{
    if (handlersRunning_ > 0)
        deletePending_ = true; // the last handler to return deletes it
    else
        deleteLater();
}

bool Form::unload(UnloadMode mode)
{
    if (unloaded_)
        return true;
    if (unloading_) // asked again from its own QueryUnload/Unload handler
        return false;
    unloading_ = true;
    int cancel = 0;
    {
        const detail::HandlerScope running(this);
        raiseEvent([&] {
            Form_QueryUnload(cancel, mode);
            if (cancel == 0)
                Form_Unload(cancel);
        });
    }
    unloading_ = false;
    if (cancel != 0)
        return false;
    unloaded_ = true;
    hide(); // ends a modal show
    if (modalLoop_)
        modalLoop_->quit();
    deleteWhenIdle();
    return true;
}

void Form::Show(bool modal)
{
    if (unloaded_)
        return;
    if (!modal || modalLoop_) {
        show();
        raiseTop();
        return;
    }
    if (isVisible())
        throw vb::Error(400, QStringLiteral("Form already displayed; can't show modally"));
    setWindowModality(Qt::ApplicationModal);
    platform::keepUpWhileModal(this);
    show();
    raiseTop();
    QEventLoop loop;
    modalLoop_ = &loop;
    QPointer<Form> self(this);
    platform::enteringWait(platform::WaitKind::ModalWindow);
    if (!self || unloaded_ || isHidden()) {
        if (self)
            modalLoop_ = nullptr;
        return;
    }
    loop.exec(QEventLoop::DialogExec);
    if (self) {
        self->modalLoop_ = nullptr;
        if (self->isHidden())
            self->setWindowModality(Qt::NonModal);
    }
}

void Form::Hide() { hide(); }

void Form::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous() && modalLoop_)
        modalLoop_->quit();
}

void Form::closeEvent(QCloseEvent* event)
{
    // The window's close box asks the form like an unload from its control menu.
    event->ignore();
    unload(FromControlMenu);
}

double Form::Left() const { return reportTwips(left_, x()); }
double Form::Top() const { return reportTwips(top_, y()); }
double Form::Width() const { return reportTwips(width_, width()); }
double Form::Height() const { return reportTwips(height_, height()); }
void Form::setLeft(double twips) { Move(twips, Top()); }
void Form::setTop(double twips) { Move(Left(), twips); }
void Form::setWidth(double twips) { Move(Left(), Top(), twips, Height()); }
void Form::setHeight(double twips) { Move(Left(), Top(), Width(), twips); }

void Form::Move(double left, double top)
{
    if (!std::isfinite(left) || !std::isfinite(top))
        vb::raise(vb::ErrInvalidPropertyValue);
    left_ = left;
    top_ = top;
    move(toPixels(left_), toPixels(top_));
}

void Form::Move(double left, double top, double width, double height)
{
    if (!std::isfinite(width) || !std::isfinite(height) || width < 0 || height < 0)
        vb::raise(vb::ErrInvalidPropertyValue);
    Move(left, top);
    width_ = width;
    height_ = height;
    resize(toPixels(width_), toPixels(height_));
    keepSize(QWidget::windowState());
}

// Every window is laid out for its size: it tells the window manager so (minimum = maximum), which
// then offers no resize or maximise and stretches it at no request. A window the program
// maximises (the log-on) leaves the size to the window manager while it is maximised.
void Form::keepSize(Qt::WindowStates state)
{
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else if (width_ > 0 && height_ > 0) {
        setFixedSize(toPixels(width_), toPixels(height_));
    }
}

// Full screen is offered by some window managers (openbox) on every window, whatever its size
// hints say: a window of a fixed size put there (or maximised) by the window manager goes
// straight back, where it can be dragged again.
void Form::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !stretchedByOthers())
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (stretchedByOthers())
                QWidget::setWindowState(QWidget::windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        },
        Qt::QueuedConnection);
}

bool Form::stretchedByOthers() const
{
    return (QWidget::windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) && minimumSize() == maximumSize();
}

int Form::WindowState() const
{
    const Qt::WindowStates s = QWidget::windowState();
    if (s & Qt::WindowMinimized)
        return 1;
    if (s & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return 2;
    return 0;
}

void Form::setWindowState(int state)
{
    Qt::WindowStates s;
    switch (state) {
    case 0: s = Qt::WindowNoState; break;
    case 1: s = Qt::WindowMinimized; break;
    case 2: s = Qt::WindowMaximized; break;
    default: vb::raise(vb::ErrInvalidPropertyValue);
    }
    keepSize(s);
    QWidget::setWindowState(s);
}

void Form::setPicture(const tk::Picture& picture)
{
    picture_ = picture;
    update();
}

void Form::loadPicture(const QString& path)
{
    setPicture(tk::Picture::fromFile(path));
}
void Form::setIcon(const QPixmap& picture) { setWindowIcon(QIcon(picture)); }
void Form::loadIcon(const QString& path) { setIcon(tk::loadPicture(path)); }

void Form::setBackColor(vb::Long color)
{
    checkColour(color);
    backColor_ = color;
    update();
}

void Form::setMousePointer(int number)
{
    if (!isPointerNumber(number))
        vb::raise(vb::ErrInvalidPropertyValue);
    pointer_ = number;
    applyPointer();
}

void Form::setMouseIcon(const QCursor& cursor)
{
    icon_ = cursor;
    hasIcon_ = true;
    applyPointer();
}

void Form::applyPointer() { tk::applyPointer(this, pointer_, hasIcon_ ? &icon_ : nullptr); }

void Form::setBorderless(bool on)
{
    const bool shown = isVisible();
    setWindowFlag(Qt::FramelessWindowHint, on); // hides a shown window
    if (shown)
        show();
}

void Form::setTopmost(bool on) { platform::setTopmost(this, on); }
void Form::raiseTop() { platform::raiseTop(this); }

void Form::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), colorFromVb(backColor_));
    if (!picture_.isNull())
        p.drawPixmap(0, 0, picture_.pixmap());
}

void Form::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    if (!loaded_ || unloaded_)
        return;
    const KeyInfo k = keyInfo(*event);
    raiseEvent(this, [&] { Form_KeyDown(k.keyCode, k.shift); });
    int ascii = keyAscii(*event);
    if (!unloaded_ && ascii != 0)
        raiseEvent(this, [&] { Form_KeyPress(ascii); });
}

void Form::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
    if (!loaded_ || unloaded_)
        return;
    const KeyInfo k = keyInfo(*event);
    if (!k.autoRepeat) // a held key gives one KeyUp, at its real release
        raiseEvent(this, [&] { Form_KeyUp(k.keyCode, k.shift); });
}

void Form::Form_MouseDown(int, int, float, float) {}
void Form::Form_MouseMove(int, int, float, float) {}
void Form::Form_MouseUp(int, int, float, float) {}

void Form::handleMouse(QMouseEvent* event)
{
    event->accept();
    if (!loaded_ || unloaded_)
        return;
    const detail::MouseTargets t{
        [this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); },
        [this](int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); },
        [this](int b, int s, float x, float y) { Form_MouseUp(b, s, x, y); },
        [this](int) { Form_Click(); },
        [this] { Form_DblClick(); },
    };
    detail::dispatchMouse(this, *event, event->position(), rect(), afterDblClick_, t);
}

void Form::mousePressEvent(QMouseEvent* event) { handleMouse(event); }
void Form::mouseMoveEvent(QMouseEvent* event) { handleMouse(event); }
void Form::mouseReleaseEvent(QMouseEvent* event) { handleMouse(event); }
void Form::mouseDoubleClickEvent(QMouseEvent* event) { handleMouse(event); }

} // namespace tk
