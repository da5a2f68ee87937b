#include "platform/windowpos.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

#include <utility>

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

class ModalKeeper : public QObject {
public:
    static constexpr const char* kName = "platform-modal-keeper";
    explicit ModalKeeper(QWidget* window) : QObject(window), window_(window)
    {
        setObjectName(QLatin1String(kName));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::WindowStateChange && minimisedWhileModal())
            QMetaObject::invokeMethod(this, [this] { restore(); }, Qt::QueuedConnection);
        return false;
    }

private:
    bool minimisedWhileModal() const
    {
        return window_->isMinimized() && window_->isVisible() && window_->windowModality() != Qt::NonModal;
    }
    void restore()
    {
        if (!minimisedWhileModal())
            return;
        window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
        window_->show();
        raiseTop(window_);
    }
    QWidget* window_;
};

} // namespace

void keepUpWhileModal(QWidget* window)
{
    if (!window)
        return;
    QWidget* w = window->window();
    if (!w->findChild<ModalKeeper*>(QLatin1String(ModalKeeper::kName), Qt::FindDirectChildrenOnly))
        new ModalKeeper(w);
}

MessageBox::MessageBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons)
    : QMessageBox(icon, title, text, buttons)
{
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    keepUpWhileModal(this);
    const std::pair<QMessageBox::StandardButton, const char*> texts[] = {
        {QMessageBox::Yes, "是(&Y)"}, {QMessageBox::No, "否(&N)"}, {QMessageBox::Ok, "确定"}};
    for (const auto& [which, label] : texts)
        if (QAbstractButton* b = button(which))
            b->setText(QString::fromUtf8(label));
}

namespace {

// One drag of one window. It watches that window's own events only (its platform window and the
// window itself), never the application's, grabs nothing, and ends itself: at the release, at a
// move or a press that finds the left button up, and when the window is hidden, closed or blocked
// by a modal window (whose box then gets the mouse; the release is not seen then).
//
// The press's implicit hold (the X server's, the compositor's) sends every move and the release
// to the pressed window, wherever the pointer goes, so the drag moves the window itself and hands
// nothing over: a window manager that answers late, or a release over another window, cannot
// leave the window following a pointer whose button is up. Its way is counted from the press's own
// place (every mouse event carries it), not from the pointer's when the handler ran, so a press
// handled late still takes the window the whole way; and the release puts the window at the
// press's offset from the release's place, so moves that were merged or dropped on the way cost
// nothing. A press alone moves nothing: the drag begins once the pointer has gone the platform's
// drag distance with the left button held, so that a click stays a click (its control gets the
// release). Only where a program cannot place its own window (Wayland) is the window handed to
// the compositor's move once the drag begins.
class WindowDrag : public QObject {
public:
    enum class Mode { Pressed, Follow, System };

    static void start(QWidget* window, QWindow* handle)
    {
        for (WindowDrag* earlier : handle->findChildren<WindowDrag*>(Qt::FindDirectChildrenOnly))
            earlier->finish();
        auto* drag = new WindowDrag(window, handle);
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
            const QPoint by = wayFromPress(*me);
            switch (mode_) {
            case Mode::Pressed:
                if (by.manhattanLength() < QApplication::startDragDistance())
                    return false; // still a click
                window_->move(origin_ + by);
                mode_ = ownPlaceOutOfReach() && handle_->startSystemMove() ? Mode::System : Mode::Follow;
                return true;
            case Mode::Follow:
                window_->move(origin_ + by);
                return true; // the pointer's moves are the drag's: no control sees them
            case Mode::System:
                return false;
            }
            return false;
        }
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->buttons() & Qt::LeftButton)
                return false;
            if (mode_ == Mode::Follow && window_)
                window_->move(origin_ + wayFromPress(*me));
            finish();
            return false; // the press's control gets its release, so that nothing stays pressed
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            finish();
            return false;
        default:
            return false;
        }
    }

private:
    WindowDrag(QWidget* window, QWindow* handle) : QObject(handle), window_(window), handle_(handle), origin_(window->pos())
    {
    }

    // The pointer's way from the press to this event, both as the events have them.
    static QPoint wayFromPress(const QMouseEvent& event)
    {
        const QEventPoint& point = event.points().first();
        return point.globalPosition().toPoint() - point.globalPressPosition().toPoint();
    }

    // A program places its own windows everywhere but on Wayland, where only the compositor moves
    // a window (and says so by taking its system move).
    static bool ownPlaceOutOfReach()
    {
        return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
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

    QPointer<QWidget> window_;
    QPointer<QWindow> handle_;
    Mode mode_ = Mode::Pressed;
    QPoint origin_;
    bool over_ = false;
};

} // namespace

void dragWindow(QWidget* widget)
{
    if (!widget)
        return;
    QWidget* window = widget->window();
    QWindow* handle = window->windowHandle();
    if (!handle || !window->isVisible() || !(QGuiApplication::mouseButtons() & Qt::LeftButton))
        return;
    WindowDrag::start(window, handle);
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
