#include "common/testscope.h"
#include "app/tickstopwatch.h"

#include <QCoreApplication>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A tick counter the test sets by hand, and a log of every event the stopwatch raises.
class Stopwatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        P_Cls_Tick::setTickSourceForTests([this] { return now; });
    }
    void TearDown() override { P_Cls_Tick::setTickSourceForTests({}); }

    void watch(P_Cls_Tick& t)
    {
        QObject::connect(&t, &P_Cls_Tick::TickOk, [this] { events << QStringLiteral("TickOk"); });
        QObject::connect(&t, &P_Cls_Tick::Busy, [this](bool b) { events << QStringLiteral("Busy %1").arg(int(b)); });
        QObject::connect(&t, &P_Cls_Tick::HavePause, [this](bool b) { events << QStringLiteral("HavePause %1").arg(int(b)); });
        QObject::connect(&t, &P_Cls_Tick::HaveStop, [this](bool b) { events << QStringLiteral("HaveStop %1").arg(int(b)); });
    }

    quint32 now = 1000;
    QStringList events;
};

// Runs f after the given number of passes of the event loop, without any timer interval.
void afterPasses(int passes, std::function<void()> f)
{
    if (passes <= 0) {
        f();
        return;
    }
    QTimer::singleShot(0, testscope::context(), [passes, f = std::move(f)] { afterPasses(passes - 1, f); });
}

} // namespace

TEST_F(Stopwatch, StartAndEndRaiseTheirEventsOnce)
{
    P_Cls_Tick t;
    watch(t);
    t.setOPause(true);
    // setOStop raises HaveStop; the reset of InitTick clears it without one.
    t.setOStop(true);
    events.clear();

    EXPECT_TRUE(t.InitTick(true));
    EXPECT_EQ(events, (QStringList{QStringLiteral("HavePause 0"), QStringLiteral("Busy 1")}));
    EXPECT_FALSE(t.oPause());
    EXPECT_FALSE(t.oStop());
    EXPECT_TRUE(t.isBusy());

    events.clear();
    EXPECT_FALSE(t.InitTick(true)); // running already: nothing changes, nothing is raised
    EXPECT_TRUE(events.isEmpty());

    t.OverTick();
    EXPECT_FALSE(t.isBusy());
    EXPECT_EQ(events, QStringList{QStringLiteral("Busy 0")});

    // Without the reset the flags stay as they are.
    t.setOPause(true);
    events.clear();
    EXPECT_TRUE(t.InitTick(false));
    EXPECT_TRUE(t.oPause());
    EXPECT_EQ(events, QStringList{QStringLiteral("Busy 1")});
}

TEST_F(Stopwatch, FlagWritesRaiseTheirEventChangedOrNot)
{
    P_Cls_Tick t;
    watch(t);
    t.setOPause(false);
    t.setOPause(false);
    t.setOStop(false);
    t.setOStop(true);
    EXPECT_EQ(events, (QStringList{QStringLiteral("HavePause 0"), QStringLiteral("HavePause 0"),
                                   QStringLiteral("HaveStop 0"), QStringLiteral("HaveStop 1")}));
}

// Each period is measured from the call that ended the one before.
TEST_F(Stopwatch, PeriodsAreMeasuredFromTheLastPeriodsEnd)
{
    P_Cls_Tick t;
    watch(t);
    t.InitTick(true);
    events.clear();
    const quint32 start = now;
    const struct {
        quint32 at;
        bool tick;
    } calls[] = {{50, false}, {99, false}, {120, true}, {219, false}, {220, true}, {221, false}};
    for (const auto& c : calls) {
        now = start + c.at;
        events.clear();
        EXPECT_EQ(t.DoTickEvents(100, false, 0), c.tick) << c.at;
        EXPECT_EQ(events, c.tick ? QStringList{QStringLiteral("TickOk")} : QStringList()) << c.at;
    }
    EXPECT_EQ(t.CrossedTick(), 221);
    EXPECT_EQ(t.CrossedTicks(), 221);
}

// The 32-bit counter changes sign after 24.9 days and wraps after 49.7: elapsed times stay right.
TEST_F(Stopwatch, ElapsedTimeIsRightAcrossTheCountersSignChangeAndWrap)
{
    const struct {
        quint32 start;
        quint32 later;
        qint64 crossed;
    } cases[] = {
        {0x7FFFFFF0u, 0x80000010u, 32},
        {0xFFFFFFF0u, 0x00000010u, 32},
        {0x00000000u, 0x7FFFFFFFu, 0x7FFFFFFF},
        {0x00000001u, 0x00000000u, 0xFFFFFFFF},
    };
    for (const auto& c : cases) {
        now = c.start;
        P_Cls_Tick t;
        t.InitTick(true);
        now = c.later;
        EXPECT_EQ(t.CrossedTick(), c.crossed) << c.start;
        EXPECT_TRUE(t.DoTickEvents(30, false, 0)) << c.start;
    }
}

// While paused, the period's end holds until a handler that runs meanwhile clears the pause or
// sets the stop; a stop set before, or no pause, does not hold at all.
TEST_F(Stopwatch, APausedPeriodHoldsUntilAHandlerLetsItGo)
{
    P_Cls_Tick::setTickSourceForTests({}); // the delay runs on the real counter
    const struct {
        const char* name;
        bool pause;
        bool stop;
        bool releaseByStop; // the handler sets the stop instead of clearing the pause
        qint64 wait;
    } cases[] = {
        {"cleared pause", true, false, false, 20},
        {"stop set", true, false, true, 20},
        {"no wait time", true, false, false, 0},
        {"negative wait time", true, false, false, -5},
        {"stopped already", true, true, false, 20},
        {"not paused", false, false, false, 20},
    };
    for (const auto& c : cases) {
        P_Cls_Tick t;
        t.setOPause(c.pause);
        t.setOStop(c.stop);
        bool released = false;
        const bool holds = c.pause && !c.stop;
        if (holds) {
            afterPasses(3, [&] {
                released = true;
                if (c.releaseByStop)
                    t.setOStop(true);
                else
                    t.setOPause(false);
            });
        }
        int ticks = 0;
        QObject::connect(&t, &P_Cls_Tick::TickOk, [&] { ++ticks; });
        EXPECT_TRUE(t.DoTickEvents(0, true, c.wait)) << c.name;
        EXPECT_EQ(ticks, 1) << c.name;
        EXPECT_EQ(released, holds) << c.name;
        QCoreApplication::processEvents();
    }
}

// An owner that drops the stopwatch from a handler during the wait ends the wait safely.
TEST_F(Stopwatch, DeletedDuringTheWaitEndsTheWait)
{
    P_Cls_Tick::setTickSourceForTests({});
    QPointer<P_Cls_Tick> t = new P_Cls_Tick;
    t->setOPause(true);
    afterPasses(2, [&] { delete t.data(); });
    EXPECT_TRUE(t->DoTickEvents(0, true, 5));
    EXPECT_TRUE(t.isNull());
}

// Once the application is quitting, every local event loop returns at once: a paused wait must
// end then, not spin. A guard in the tick counter releases a wait that spins: the wait reads the
// counter a few times in each of its 20 ms slices, a spinning one thousands of times at once.
TEST_F(Stopwatch, APausedWaitEndsWhenTheApplicationQuits)
{
    P_Cls_Tick t;
    int reads = 0;
    bool guardReleased = false;
    P_Cls_Tick::setTickSourceForTests([&] {
        if (++reads == 2000) {
            guardReleased = true;
            t.setOStop(true);
        }
        return now;
    });
    bool returned = false;
    QTimer::singleShot(0, testscope::context(), [&] {
        t.setOPause(true);
        afterPasses(2, [] { QCoreApplication::quit(); });
        returned = t.DoTickEvents(0, true, 20);
        QCoreApplication::exit(); // the main loop ends even if the quit did not reach it
    });
    QCoreApplication::exec();
    EXPECT_TRUE(returned);
    EXPECT_FALSE(guardReleased) << "the wait went on after the quit";
    EXPECT_TRUE(t.oPause());
    EXPECT_FALSE(t.oStop());
}
