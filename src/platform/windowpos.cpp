#include "platform/windowpos.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

#include <cstdlib>
#include <cstring>
#include <utility>
#include <xcb/xcb.h>

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

void prepareMessageBox(QMessageBox* box)
{
    if (!box)
        return;
    box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    keepUpWhileModal(box);
    const std::pair<QMessageBox::StandardButton, const char*> texts[] = {
        {QMessageBox::Yes, "是(&Y)"}, {QMessageBox::No, "否(&N)"}, {QMessageBox::Ok, "确定"}};
    for (const auto& [which, text] : texts)
        if (QAbstractButton* b = box->button(which))
            b->setText(QString::fromUtf8(text));
}

namespace {

// The window manager's move on X11 (_NET_WM_MOVERESIZE). The platform's own start takes the
// pointer's place from the last mouse event and the window's current place, so that the window
// would lag the pointer by the distance it went before the drag began; this one starts from the
// press, and can call the move off.
constexpr quint32 kMove = 8;
constexpr quint32 kCancel = 11;

xcb_connection_t* x11(const QWindow* window)
{
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app && window && window->handle() ? app->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, quint16(strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return a;
}

xcb_window_t rootOf(xcb_connection_t* c, xcb_window_t w)
{
    xcb_query_tree_reply_t* r = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
    const xcb_window_t root = r ? r->root : xcb_window_t(XCB_WINDOW_NONE);
    free(r);
    return root;
}

// The window manager says it offers the move.
bool managerMoves(xcb_connection_t* c, xcb_window_t root, xcb_atom_t moveResize)
{
    const xcb_atom_t supported = atom(c, "_NET_SUPPORTED");
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, root, supported, XCB_ATOM_ATOM, 0, 4096), nullptr);
    bool found = false;
    if (r && r->format == 32) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(r));
        const int n = xcb_get_property_value_length(r) / 4;
        for (int i = 0; i < n && !found; ++i)
            found = atoms[i] == moveResize;
    }
    free(r);
    return found;
}

// Asks the window manager to move the window with the pointer from `pointer` (a screen position)
// or to call its move off; false where there is no X11 window manager that moves windows.
bool x11Move(QWindow* window, QPoint pointer, quint32 action)
{
    xcb_connection_t* c = x11(window);
    if (!c)
        return false;
    const auto w = xcb_window_t(window->winId());
    const xcb_window_t root = rootOf(c, w);
    const xcb_atom_t moveResize = atom(c, "_NET_WM_MOVERESIZE");
    if (root == XCB_WINDOW_NONE || moveResize == XCB_ATOM_NONE || !managerMoves(c, root, moveResize))
        return false;
    const QPoint at = pointer * window->devicePixelRatio();
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = w;
    e.type = moveResize;
    e.data.data32[0] = quint32(at.x());
    e.data.data32[1] = quint32(at.y());
    e.data.data32[2] = action;
    e.data.data32[3] = XCB_BUTTON_INDEX_1;
    e.data.data32[4] = 1; // a normal application
    if (action == kMove)
        xcb_ungrab_pointer(c, XCB_CURRENT_TIME); // the press's own hold: the manager takes the pointer
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&e));
    xcb_flush(c);
    return true;
}

// One drag of one window. It watches that window's own events only (its platform window and the
// window itself), never the application's, grabs nothing, and ends itself: at the release, at a
// move or a press that finds the left button up, and when the window is hidden, closed or blocked
// by a modal window (whose box then gets the mouse; the release is not seen then).
//
// A press alone moves nothing: the drag begins once the pointer has gone the platform's drag
// distance from the press with the left button held, so that a click stays a click (its control
// gets the release) and nothing is left following a pointer whose button is already up. Then the
// window is put where the pointer has taken it so far and handed to the window manager's (or
// compositor's) own move where the system offers one; a platform without one (no window manager,
// the offscreen platform) says so, and the drag moves the window on the pointer's moves.
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
            const QPoint by = me->globalPosition().toPoint() - start_;
            switch (mode_) {
            case Mode::Pressed:
                if (by.manhattanLength() < QApplication::startDragDistance())
                    return false; // still a click
                if (x11Move(handle_, start_, kMove)) {
                    mode_ = Mode::System; // from the press: the window catches up at the next move
                    return true;
                }
                window_->move(origin_ + by);
                mode_ = !x11(handle_) && handle_->startSystemMove() ? Mode::System : Mode::Follow;
                return true;
            case Mode::Follow:
                window_->move(origin_ + by);
                return true; // the pointer's moves are the drag's: no control sees them
            case Mode::System:
                return false;
            }
            return false;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton)
                return false;
            // Handed over, yet the release came here: the window manager had not taken the
            // pointer yet and would take it with the button up, the window following the pointer
            // until the next click. Its move is called off.
            if (mode_ == Mode::System)
                x11Move(handle_, QCursor::pos(), kCancel);
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
    WindowDrag(QWidget* window, QWindow* handle)
        : QObject(handle), window_(window), handle_(handle), start_(QCursor::pos()), origin_(window->pos())
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

    QPointer<QWidget> window_;
    QPointer<QWindow> handle_;
    Mode mode_ = Mode::Pressed;
    QPoint start_;
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
