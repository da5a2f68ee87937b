// The candidate's clicks and closes that the wait tables make inside a wait arrive as a desktop
// delivers them: not to a hidden window or one a modal window or box blocks, after the wait when
// the wait holds input back, and a click outside an open popup menu only closes the menu.

#include "common/waitprobe.h"

#include <QCoreApplication>
#include <QWidget>
#include <algorithm>
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
    {
        // The program enters a box's wait before the box shows (and tests put in boxes that show
        // none): inside that wait every window counts as blocked.
        Windows w;
        waitprobe::ActInWait probe(1, [&] {
            w.clickHome();
            EXPECT_FALSE(waitprobe::takesCloseNow(&w.other));
        });
        platform::enteringWait(platform::WaitKind::StandardBox);
        EXPECT_TRUE(probe.acted());
        EXPECT_EQ(w.clicks, 0);
    }
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

TEST(WaitProbeClick, AClickInsideAPopupMenusWaitOnlyClosesTheMenu)
{
    for (const int clicks : {0, 1, 2}) {
        Windows w;
        waitprobe::ActInWait probe(1, [&] {
            for (int n = 0; n < clicks; ++n)
                w.clickHome();
        });
        platform::enteringWait(platform::WaitKind::PopupMenu);
        EXPECT_EQ(waitprobe::realMenuCouldPick(probe, &w.other), clicks == 0);
        EXPECT_EQ(w.clicks, std::max(clicks - 1, 0)) << "the first click closes the menu, the next arrive";
    }
}
