#include "platform/windowpos.h"

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
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

// Moves the window with the mouse until the left button is released. Filters the whole
// application, so the press's own control sees neither the moves nor the release, as when the
// system takes over a caption drag.
class WindowDrag : public QObject {
public:
    WindowDrag(QWidget* window, QPoint start) : window_(window), start_(start), origin_(window->pos()) {}

    void run()
    {
        qApp->installEventFilter(this);
        // The button may come up where no event reaches us (another program took the mouse):
        // look at the buttons now and then, so the drag can never outlive the press.
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [this] {
            if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
                loop_.quit();
        });
        watch.start(50);
        connect(window_, &QObject::destroyed, &loop_, &QEventLoop::quit);
        loop_.exec();
        qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseMove: {
            auto* me = static_cast<QMouseEvent*>(event);
            if (window_)
                window_->move(origin_ + (me->globalPosition().toPoint() - start_));
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                loop_.quit();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;
        default:
            return false;
        }
    }

private:
    QPointer<QWidget> window_;
    QPoint start_;
    QPoint origin_;
    QEventLoop loop_;
};

} // namespace

void dragWindow(QWidget* widget)
{
    if (!widget)
        return;
    QWidget* window = widget->window();
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
        return;
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        if (QWindow* handle = window->windowHandle())
            handle->startSystemMove();
        return;
    }
    // The press gave the pressed control the mouse; the drag takes it over.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    WindowDrag drag(window, QCursor::pos());
    drag.run();
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
