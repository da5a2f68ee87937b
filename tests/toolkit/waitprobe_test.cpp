// The candidate's clicks and closes that the wait tables make inside a wait arrive as a desktop
// delivers them: not to a hidden window or one a modal window or box blocks, after the wait when
// the wait holds input back, and a click outside an open popup menu only closes the menu. A probe
// whose act never took effect fails the test it is in.

#include "common/waitprobe.h"

#include <QCoreApplication>
#include <QWidget>
#include <optional>
#include <utility>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

void drain()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

struct Windows {
    Windows()
    {
        home.show();
        other.show();
    }
    // A modal window over both, as a modal form or box of the program shows.
    void blockBoth()
    {
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
    }
    QWidget home, other, modal;
    int clicks = 0;
    void clickHome()
    {
        waitprobe::clickOn([this] { return &home; }, [this] { ++clicks; });
    }
};

} // namespace

TEST(WaitProbeClick, ReachesOnlyAWindowThatTakesItNow)
{
    {
        Windows w;
        w.clickHome();
        EXPECT_EQ(w.clicks, 1) << "nothing blocks: the click arrives";
    }
    {
        Windows w;
        w.home.hide();
        w.clickHome();
        EXPECT_EQ(w.clicks, 0) << "a hidden window takes no click";
    }
    {
        Windows w;
        w.blockBoth();
        w.clickHome();
        EXPECT_EQ(w.clicks, 0) << "a modal window blocks it";
        EXPECT_TRUE(waitprobe::takesCloseNow(&w.modal));
        w.modal.hide();
        w.clickHome();
        EXPECT_EQ(w.clicks, 1) << "the modal window has gone";
    }
}

namespace {

// The program enters a box's wait before the box shows (and tests put in boxes that show none):
// inside that wait every window counts as blocked, and a click there never takes effect.
void clickInsideABoxsWait()
{
    Windows w;
    waitprobe::ActInWait probe(1, [&] {
        w.clickHome();
        EXPECT_FALSE(waitprobe::takesCloseNow(&w.other));
    });
    platform::enteringWait(platform::WaitKind::StandardBox);
    EXPECT_TRUE(probe.acted());
    EXPECT_EQ(w.clicks, 0);
}

// A click in the first wait the probe sees; holds input back meanwhile when `held`.
void clickInAWait(bool held)
{
    Windows w;
    {
        std::optional<platform::InputHold> hold;
        if (held)
            hold.emplace();
        waitprobe::ActInWait probe(1, [&] { w.clickHome(); });
        platform::enteringWait(platform::WaitKind::ErrorReport);
        hold.reset();
        drain();
    }
    EXPECT_EQ(w.clicks, 1);
}

void nothingInAWait()
{
    waitprobe::ActInWait probe(1, [] {});
    platform::enteringWait(platform::WaitKind::ModalWindow);
}

void aWaitNeverReached()
{
    waitprobe::ActInWait probe(2, [] { waitprobe::landed(); });
    platform::enteringWait(platform::WaitKind::ModalWindow);
}

} // namespace

TEST(WaitProbe, APairWhoseInterferenceNeverTookEffectFails)
{
    EXPECT_NONFATAL_FAILURE(clickInsideABoxsWait(), "never took effect");
    EXPECT_NONFATAL_FAILURE(nothingInAWait(), "never took effect");
    EXPECT_NONFATAL_FAILURE(aWaitNeverReached(), "wait 2 not reached");
    // A click that arrives, at once or once the hold is over, takes effect.
    clickInAWait(false);
    clickInAWait(true);
}

TEST(WaitProbeClick, AHeldClickArrivesAfterTheHoldIfItsWindowTakesItThen)
{
    for (const bool modalAfter : {false, true}) {
        SCOPED_TRACE(modalAfter ? "a modal window up when the hold ends" : "nothing blocks when the hold ends");
        Windows w;
        {
            const platform::InputHold hold;
            w.clickHome();
            drain();
            EXPECT_EQ(w.clicks, 0) << "held while the wait lasts";
            if (modalAfter)
                w.blockBoth();
        }
        drain();
        EXPECT_EQ(w.clicks, modalAfter ? 0 : 1);
    }
}

namespace {

// The candidate clicks the home window `clicks` times inside a popup menu's wait: whether a real
// menu over the other window could still take a pick then, and how many clicks arrived.
std::pair<bool, int> clicksInAMenusWait(int clicks)
{
    Windows w;
    waitprobe::ActInWait probe(1, [&] {
        for (int n = 0; n < clicks; ++n)
            w.clickHome();
    });
    platform::enteringWait(platform::WaitKind::PopupMenu);
    return {waitprobe::realMenuCouldPick(probe, &w.other), w.clicks};
}

} // namespace

TEST(WaitProbeClick, AClickInsideAPopupMenusWaitOnlyClosesTheMenu)
{
    static std::pair<bool, int> none;
    EXPECT_NONFATAL_FAILURE(none = clicksInAMenusWait(0), "never took effect");
    EXPECT_EQ(none, std::make_pair(true, 0));
    // The first click closes the menu (and so takes effect), the next arrive.
    EXPECT_EQ(clicksInAMenusWait(1), std::make_pair(false, 0));
    EXPECT_EQ(clicksInAMenusWait(2), std::make_pair(false, 1));
}
