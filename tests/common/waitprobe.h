#pragma once
// What the tables of waiting actions crossed with interfering actions share: the probe that acts
// in a chosen wait of a handler, interferences that behave as on a desktop, the checks that hold
// after every pair, and the pairs' names.

#include "common/testscope.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "platform/waits.h"
#include "toolkit/form.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace waitprobe {

// Acts once, in the nth wait (from 1) that starts while it lives, and counts the waits that start
// (not those inside the act). Notes whether a modal window, a box or another popup menu came up
// during the act, or the candidate clicked: a real popup menu open in that wait would have closed
// then.
class ActInWait {
public:
    ActInWait(int n, std::function<void()> act) : state_(std::make_shared<State>())
    {
        state_->n = n;
        state_->act = std::move(act);
        platform::setWaitProbeForTests([s = state_](platform::WaitKind kind) {
            if (++s->waits != s->n)
                return;
            s->kind = kind;
            s->acting = true;
            current() = s.get();
            qApp->installEventFilter(&s->watch);
            s->act();
            qApp->removeEventFilter(&s->watch);
            current() = nullptr;
            s->acting = false;
            s->acted = true;
        });
    }
    ~ActInWait()
    {
        platform::setWaitProbeForTests({});
        current() = nullptr;
    }
    ActInWait(const ActInWait&) = delete;
    ActInWait& operator=(const ActInWait&) = delete;

    bool acted() const { return state_->acted; }
    int waits() const { return state_->waits; }
    platform::WaitKind kind() const { return state_->kind; }
    bool menuClosedInside() const { return state_->menuClosed; }

    // For stand-ins of boxes that show no window: a box came up (during the act, if one runs).
    static void noteBox()
    {
        if (current())
            current()->menuClosed = true;
    }
    // Whether the probe acts in a popup menu's wait and nothing has closed the menu yet.
    static bool menuOpenNow()
    {
        return current() && current()->kind == platform::WaitKind::PopupMenu && !current()->menuClosed;
    }
    // A click outside a popup menu closes it.
    static void noteClick() { noteBox(); }
    // The kind of wait the probe is acting in now, if it is acting.
    static std::optional<platform::WaitKind> actingIn()
    {
        return current() ? std::optional<platform::WaitKind>(current()->kind) : std::nullopt;
    }

private:
    struct Watch : QObject {
        bool* seen = nullptr;
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (e->type() == QEvent::Show) {
                auto* w = qobject_cast<QWidget*>(o);
                if (w && w->isWindow() && (w->windowModality() != Qt::NonModal || qobject_cast<QMenu*>(w)))
                    *seen = true;
            }
            return false;
        }
    };
    struct State {
        State() { watch.seen = &menuClosed; }
        int n = 1;
        std::function<void()> act;
        int waits = 0;
        bool acting = false;
        bool acted = false;
        bool menuClosed = false;
        platform::WaitKind kind = platform::WaitKind::ErrorReport;
        Watch watch;
    };
    static State*& current()
    {
        static State* s = nullptr;
        return s;
    }
    std::shared_ptr<State> state_;
};

// Whether the window system delivers a close (or a click) to `top` now: not to a window that a
// modal window blocks (the window manager's close button of such a window does nothing). A
// standard box blocks every window of the program; the program enters its wait before the box is
// shown, and tests put in boxes that show none, so inside that wait every window counts as blocked.
inline bool takesCloseNow(QWidget* top)
{
    if (ActInWait::actingIn() == platform::WaitKind::StandardBox)
        return false;
    QWindow* modal = QGuiApplication::modalWindow();
    if (!modal || !top->windowHandle())
        return true;
    for (QWindow* w = modal; w; w = w->transientParent())
        if (w == top->windowHandle())
            return w == modal;
    return false;
}

// The candidate closes every window with the window manager's close button, one after the
// other, as long as one that takes the close is shown.
inline void closeEveryWindow()
{
    for (int round = 0; round < 20; ++round) {
        QWidget* next = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && !qobject_cast<QMenu*>(top) && takesCloseNow(top))
                next = top;
        if (!next)
            return;
        const bool closed = next->close();
        if (!closed || next->isVisible())
            return; // refused: the candidate gives up
    }
}

// Whether a real popup menu opened over `owner` when `probe` acted in its wait could still take
// a pick: it closes when a modal window comes up, and a menu over a window that is gone or blocked
// by a modal one takes nothing.
inline bool realMenuCouldPick(const ActInWait& probe, QWidget* owner)
{
    if (probe.acted() && probe.kind() == platform::WaitKind::PopupMenu && probe.menuClosedInside())
        return false;
    return owner && owner->isVisible() && takesCloseNow(owner->window());
}

// The candidate clicks on a window of the program (`window` finds it when the click arrives), and
// `act` is what the click does there, as the window system delivers it in the wait the probe acts
// in: to a hidden window or one a modal window or box blocks, not at all; while the wait holds the
// candidate's input back (the error report's), once the hold is over and only if the window takes
// the click then. A click outside an open popup menu only closes the menu: on X11 the press that
// closes it reaches no window.
inline void clickOn(std::function<QWidget*()> window, std::function<void()> act)
{
    if (ActInWait::menuOpenNow()) {
        ActInWait::noteClick();
        return;
    }
    if (platform::isHoldingInput()) {
        QTimer::singleShot(0, testscope::context(), [window, act] { clickOn(window, act); });
        return;
    }
    QWidget* w = window();
    if (!w || !w->isVisible() || !takesCloseNow(w->window()))
        return;
    ActInWait::noteClick();
    act();
}

// A settling of the history in the user folder that has to set its marker aside (its report, if a
// reporter is installed, comes from the event loop).
inline void settleWithMarkerSetAside()
{
    const QString user = platform::programFolder() + QStringLiteral("/ksdata");
    QDir(user).mkpath(QLatin1String(platform::kFileSetMarker) + QStringLiteral("/x"));
    platform::settleFileSet(user);
}

// A window of the program is shown, and nothing holds the candidate's input or the mouse.
inline void expectShownAndFree()
{
    bool shown = false;
    for (QWidget* top : QApplication::topLevelWidgets())
        shown = shown || (qobject_cast<tk::Form*>(top) && top->isVisible());
    EXPECT_TRUE(shown) << "no window of the program is shown";
    EXPECT_FALSE(platform::isHoldingInput());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
}

// An interfering action of a table.
struct Action {
    const char* name;
    std::function<void()> run;
};

// A pair of a table: a waiting action, the wait it is crossed in (from 1), an interfering action.
struct Pair {
    int waiting;
    int wait;
    int interfering;
};

// Every pair of the tables: each waiting action in each of the waits it reaches (`waitsOf`),
// crossed with every interfering action.
template <class Waiting, class Interfering>
std::vector<Pair> pairs(const Waiting& waiting, const Interfering& interfering)
{
    std::vector<Pair> list;
    for (size_t w = 0; w < waiting().size(); ++w)
        for (int n = 1; n <= waiting().at(w).waits; ++n)
            for (size_t i = 0; i < interfering().size(); ++i)
                list.push_back({int(w), n, int(i)});
    return list;
}

// "Waiting_Interfering" for the first wait, "Waiting_2_Interfering" for the second and so on.
template <class Waiting, class Interfering>
auto pairName(const Waiting& waiting, const Interfering& interfering)
{
    return [&waiting, &interfering](const ::testing::TestParamInfo<Pair>& info) {
        const Pair& p = info.param;
        std::string name = waiting().at(size_t(p.waiting)).name;
        if (p.wait > 1)
            name += "_" + std::to_string(p.wait);
        return name + "_" + interfering().at(size_t(p.interfering)).name;
    };
}

} // namespace waitprobe
