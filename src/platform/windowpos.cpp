#include "platform/windowpos.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

namespace platform {

void setTopmost(QWidget* window, bool on)
{
    if (!window)
        return;
    QWidget* w = window->window();
    if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) {
        if (on)
            raiseTop(w);
        return;
    }
    const bool shown = w->isVisible();
    const QRect geometry = w->geometry();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, on); // hides a shown window
    w->setGeometry(geometry);
    if (shown)
        w->show();
}

void raiseTop(QWidget* window)
{
    if (!window)
        return;
    QWidget* w = window->window();
    if (!w->isVisible())
        return;
    // The offscreen platform (tests, benchmarks) keeps no stacking order and says so at every raise.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        w->raise();
    w->activateWindow();
}

namespace {

// One drag of one window. It watches that window's own events only (its platform window and the
// window itself), never the application's, grabs nothing, and ends itself: at the release, at a
// move or a press that finds the left button up, and when the window is hidden, closed or blocked
// by a modal window (whose box then gets the mouse; the release is not seen then).
class WindowDrag : public QObject {
public:
    // Follow: the drag moves the window on its mouse moves. System: the system moves it, and the
    // drag only carries `moved` along until the window's mouse events show the button up.
    enum class Mode { Follow, System };

    static void start(QWidget* window, QWindow* handle, Mode mode, std::function<void()> moved)
    {
        for (WindowDrag* earlier : handle->findChildren<WindowDrag*>(Qt::FindDirectChildrenOnly))
            earlier->finish();
        auto* drag = new WindowDrag(window, handle, mode, std::move(moved));
        handle->installEventFilter(drag);
        window->installEventFilter(drag);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (over_)
            return false;
        switch (event->type()) {
        case QEvent::Hide:
        case QEvent::Close:
        case QEvent::WindowBlocked:
            finish();
            return false;
        case QEvent::Move: // the system moved the window
            if (watched == window_ && mode_ == Mode::System)
                carryAlong();
            return false;
        default:
            break;
        }
        if (watched != handle_)
            return false;
        switch (event->type()) {
        case QEvent::MouseMove: {
            auto* me = static_cast<QMouseEvent*>(event);
            // Qt's own hover move, as the window comes under a pointer that stays, has no buttons.
            if (me->source() == Qt::MouseEventSynthesizedByQt)
                return false;
            if (!(me->buttons() & Qt::LeftButton) || !window_ || !window_->isVisible()) {
                finish();
                return false;
            }
            if (mode_ != Mode::Follow)
                return false;
            window_->move(origin_ + (me->globalPosition().toPoint() - start_));
            carryAlong();
            return true; // the pointer's moves are the drag's: no control sees them
        }
        case QEvent::MouseButtonRelease:
            if (!(static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton))
                finish();
            return false; // the press's control gets its release, so that nothing stays pressed
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            finish();
            return false;
        default:
            return false;
        }
    }

private:
    WindowDrag(QWidget* window, QWindow* handle, Mode mode, std::function<void()> moved)
        : QObject(handle), window_(window), handle_(handle), mode_(mode), moved_(std::move(moved)),
          start_(QCursor::pos()), origin_(window->pos())
    {
    }

    void finish()
    {
        if (over_)
            return;
        over_ = true;
        if (handle_)
            handle_->removeEventFilter(this);
        if (window_)
            window_->removeEventFilter(this);
        deleteLater();
    }

    // `moved` may wait (an error report): the drag may be over and gone when it returns, so it
    // runs from a copy and nothing of the drag is used after it.
    void carryAlong()
    {
        if (!moved_)
            return;
        const std::function<void()> moved = moved_;
        moved();
    }

    QPointer<QWidget> window_;
    QPointer<QWindow> handle_;
    Mode mode_;
    std::function<void()> moved_;
    QPoint start_;
    QPoint origin_;
    bool over_ = false;
};

} // namespace

void dragWindow(QWidget* widget, std::function<void()> moved)
{
    if (!widget)
        return;
    QWidget* window = widget->window();
    QWindow* handle = window->windowHandle();
    if (!handle || !window->isVisible() || !(QGuiApplication::mouseButtons() & Qt::LeftButton))
        return;
    // The window manager's (or compositor's) own move where it offers one; a platform without
    // one (no window manager, the offscreen platform) says so, and the drag moves the window.
    const bool system = handle->startSystemMove();
    WindowDrag::start(window, handle, system ? WindowDrag::Mode::System : WindowDrag::Mode::Follow,
                      std::move(moved));
}

bool isPointerOver(const QWidget* widget)
{
    if (!widget || !widget->isVisible() || !widget->isEnabled())
        return false;
    const QWidget* at = QApplication::widgetAt(QCursor::pos());
    while (at && at != widget)
        at = at->parentWidget();
    return at == widget;
}

} // namespace platform
