#include "platform/waits.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <memory>
#include <vector>

namespace platform {

namespace {

std::function<void(WaitKind)>& probe()
{
    static std::function<void(WaitKind)> p;
    return p;
}

bool& probing()
{
    static bool on = false;
    return on;
}

bool isHeldInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

// The top-level widget or window an event's receiver belongs to.
QObject* topOf(QObject* receiver)
{
    if (auto* w = qobject_cast<QWidget*>(receiver))
        return w->window();
    if (auto* win = qobject_cast<QWindow*>(receiver))
        return win;
    return nullptr;
}

bool isShown(QObject* receiver)
{
    if (auto* w = qobject_cast<QWidget*>(receiver))
        return w->isVisible();
    if (auto* win = qobject_cast<QWindow*>(receiver))
        return win->isVisible();
    return false;
}

// The modal window or popup that takes input now, if any.
QObject* inputOwner()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QGuiApplication::modalWindow();
}

// Whether input to the receiver would reach it now: shown, and not behind a modal window.
bool takesInputNow(QObject* receiver)
{
    if (!isShown(receiver))
        return false;
    QObject* top = topOf(receiver);
    if (QWidget* modal = QApplication::activeModalWidget())
        return top == modal;
    if (QWindow* modal = QGuiApplication::modalWindow()) {
        if (auto* w = qobject_cast<QWidget*>(top))
            return w->windowHandle() == modal;
        return top == modal;
    }
    return true;
}

class Holder : public QObject {
public:
    Holder() : ownerAtStart_(inputOwner()) { qApp->installEventFilter(this); }
    ~Holder() override
    {
        qApp->removeEventFilter(this);
        // Delivered in order after the handler that held them has returned to the event loop,
        // each only if its window still takes input then: a click meant for a window that has
        // closed, or that a modal box now covers, is dropped as the window system drops it.
        for (Held& h : held_) {
            QMetaObject::invokeMethod(
                qApp,
                [receiver = h.receiver, event = std::shared_ptr<QEvent>(std::move(h.event))] {
                    if (receiver && takesInputNow(receiver))
                        QCoreApplication::sendEvent(receiver, event.get());
                },
                Qt::QueuedConnection);
        }
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (!isHeldInput(event->type()) || !topOf(receiver))
            return false;
        // A modal window or popup opened during the hold (a time-up box, say) works as usual.
        QObject* owner = inputOwner();
        if (owner && owner != ownerAtStart_.data())
            return false;
        if (event->type() == QEvent::MouseMove && !held_.empty() && held_.back().receiver == receiver &&
            held_.back().event->type() == QEvent::MouseMove) {
            held_.back().event.reset(event->clone());
            return true; // only the last of a run of moves counts
        }
        held_.push_back(Held{receiver, std::unique_ptr<QEvent>(event->clone())});
        return true;
    }

private:
    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };
    std::vector<Held> held_;
    QPointer<QObject> ownerAtStart_;
};

int& holdDepth()
{
    static int depth = 0;
    return depth;
}

std::unique_ptr<Holder>& holder()
{
    static std::unique_ptr<Holder> h;
    return h;
}

} // namespace

void enteringWait(WaitKind kind)
{
    if (!probe() || probing())
        return;
    probing() = true;
    struct Reset {
        ~Reset() { probing() = false; }
    } reset;
    const auto run = probe(); // the probe may put another in its place, or none
    run(kind);
}

void setWaitProbeForTests(std::function<void(WaitKind)> p) { probe() = std::move(p); }

InputHold::InputHold()
{
    if (holdDepth()++ == 0 && qApp)
        holder() = std::make_unique<Holder>();
}

InputHold::~InputHold()
{
    if (--holdDepth() == 0)
        holder().reset();
}

bool isHoldingInput() { return holdDepth() > 0; }

} // namespace platform
