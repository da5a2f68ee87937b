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
#include <QFileInfo>
#include <QMenu>
#include <QTimer>
#include <QWindow>
#include <algorithm>
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
//
// The act says when what it did took effect (landed(), or a Landing taken during the act for what
// takes effect later: a click held back by the wait, a report queued from it). A probe that goes
// without having acted, or whose act never took effect, fails the test it is in: a pair whose
// interference never happened would run as the same pair without one.
class ActInWait {
    struct State;

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
            current() = s;
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
        if (!state_->acted)
            ADD_FAILURE() << "wait " << state_->n << " not reached";
        else if (!state_->landed)
            ADD_FAILURE() << "what the probe did in wait " << state_->n
                          << " never took effect: the pair runs as one without it";
    }
    ActInWait(const ActInWait&) = delete;
    ActInWait& operator=(const ActInWait&) = delete;

    bool acted() const { return state_->acted; }
    bool landed() const { return state_->landed; }
    int waits() const { return state_->waits; }
    platform::WaitKind kind() const { return state_->kind; }
    bool menuClosedInside() const { return state_->menuClosed; }

    // What the act running now did, to be marked as taken effect now or later (empty outside an
    // act).
    class Landing {
    public:
        void operator()() const
        {
            if (state_)
                state_->landed = true;
        }

    private:
        friend class ActInWait;
        std::shared_ptr<State> state_;
    };
    static Landing landing()
    {
        Landing l;
        l.state_ = current();
        return l;
    }

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
        bool landed = false;
        bool menuClosed = false;
        platform::WaitKind kind = platform::WaitKind::ErrorReport;
        Watch watch;
    };
    static std::shared_ptr<State>& current()
    {
        static std::shared_ptr<State> s;
        return s;
    }
    std::shared_ptr<State> state_;
};

// What the probe's act did has taken effect.
inline void landed() { ActInWait::landing()(); }
// Marks the act's effect when `took` (a timer's fire(), say) and passes it on.
inline bool landedIf(bool took)
{
    if (took)
        landed();
    return took;
}

// Counts the waits that start while it lives, acting in none.
class CountWaits {
public:
    CountWaits() : waits_(std::make_shared<int>(0))
    {
        platform::setWaitProbeForTests([w = waits_](platform::WaitKind) { ++*w; });
    }
    ~CountWaits() { platform::setWaitProbeForTests({}); }
    CountWaits(const CountWaits&) = delete;
    CountWaits& operator=(const CountWaits&) = delete;
    int waits() const { return *waits_; }

private:
    std::shared_ptr<int> waits_;
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
        landed(); // the window took the close, refused or not
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
// closes it reaches no window. Either takes effect for the probe; a click that reaches nothing
// does not.
namespace detail {
inline void deliverClick(std::function<QWidget*()> window, std::function<void()> act, ActInWait::Landing landing)
{
    if (ActInWait::menuOpenNow()) {
        ActInWait::noteClick();
        landing();
        return;
    }
    if (platform::isHoldingInput()) {
        QTimer::singleShot(0, testscope::context(),
                           [window, act, landing] { deliverClick(window, act, landing); });
        return;
    }
    QWidget* w = window();
    if (!w || !w->isVisible() || !takesCloseNow(w->window()))
        return;
    ActInWait::noteClick();
    landing();
    act();
}
} // namespace detail

inline void clickOn(std::function<QWidget*()> window, std::function<void()> act)
{
    detail::deliverClick(std::move(window), std::move(act), ActInWait::landing());
}

// A settling of the history in the user folder that has to set its marker aside (its report, if a
// reporter is installed, comes from the event loop). Takes effect once the marker is set aside and
// what the settling queued has run.
inline void settleWithMarkerSetAside()
{
    const QString user = platform::programFolder() + QStringLiteral("/ksdata");
    const QString marker = user + QLatin1Char('/') + QLatin1String(platform::kFileSetMarker);
    QDir(user).mkpath(QLatin1String(platform::kFileSetMarker) + QStringLiteral("/x"));
    platform::settleFileSet(user);
    if (!QFileInfo::exists(marker))
        QTimer::singleShot(0, testscope::context(), [landing = ActInWait::landing()] { landing(); });
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

// An interfering action of a table, and the waits it cannot take effect in, named as its pairs
// are ("Row" for a row's first wait, "Row_2" for its second...): those pairs are left out of the
// table, each with the reason beside it. A pair left in whose action does not take effect fails.
struct Action {
    const char* name;
    std::function<void()> run;
    std::vector<std::string> cannotLandIn = {};
};

// A pair of a table: a waiting action, the wait it is crossed in (from 1), an interfering action.
struct Pair {
    int waiting;
    int wait;
    int interfering;
};

// "Waiting" for a row's first wait, "Waiting_2" for its second and so on.
inline std::string waitName(const char* waiting, int wait)
{
    return wait > 1 ? std::string(waiting) + "_" + std::to_string(wait) : std::string(waiting);
}

// Every pair of the tables: each waiting action in each of the waits it reaches (`waits`),
// crossed with every interfering action that can take effect there.
template <class Waiting, class Interfering>
std::vector<Pair> pairs(const Waiting& waiting, const Interfering& interfering)
{
    std::vector<Pair> list;
    for (size_t w = 0; w < waiting().size(); ++w)
        for (int n = 1; n <= waiting().at(w).waits; ++n)
            for (size_t i = 0; i < interfering().size(); ++i) {
                const std::vector<std::string>& out = interfering().at(i).cannotLandIn;
                if (std::find(out.begin(), out.end(), waitName(waiting().at(w).name, n)) == out.end())
                    list.push_back({int(w), n, int(i)});
            }
    return list;
}

// "Waiting_Interfering" for the first wait, "Waiting_2_Interfering" for the second and so on.
template <class Waiting, class Interfering>
auto pairName(const Waiting& waiting, const Interfering& interfering)
{
    return [&waiting, &interfering](const ::testing::TestParamInfo<Pair>& info) {
        const Pair& p = info.param;
        return waitName(waiting().at(size_t(p.waiting)).name, p.wait) + "_" +
               interfering().at(size_t(p.interfering)).name;
    };
}

} // namespace waitprobe
