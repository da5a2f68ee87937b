// A demonstration asked for but not up yet when the practice is left: the flag goes with it, and
// no flag left over keeps the next practice's surface from building its scenes.

#include "demo/demostate.h"
#include "panelfixture.h"

#include <gtest/gtest.h>

using panelfixture::Panel;
using namespace ModData;

namespace {

// The scene build the panel asks of the surface when it shows a question: true when it ran, false
// when it is still waiting.
bool surfaceBuildsItsScene()
{
    FrmMain& surface = FrmMain::get();
    surface.Timer2.setEnabled(true);
    EXPECT_TRUE(surface.Timer2.fire());
    return !surface.Timer2.Enabled();
}

} // namespace

TEST(CancelledDemonstration, LeavingBeforeItComesUpLeavesTheNextPracticeItsScenes)
{
    const struct {
        const char* what;
        std::function<void(FrmTm&)> ask;
    } cases[] = {
        {"the demonstration button", [](FrmTm& panel) { panel.CmdGN_Click(7); }},
        {"the hint window's answer", [](FrmTm&) { FrmCZTS::get().Command2_Click(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Panel world(3);
        world.answer = exam::BoxAnswer::Yes; // to the hint window's question
        FrmTm& panel = Panel::panel();
        FrmMain::get().Show();
        panel.Show();
        c.ask(panel);
        ASSERT_TRUE(bYanShiOn);
        ASSERT_TRUE(panel.TimStartYS.Enabled());
        panel.TimStartYS.fire(); // its first tick: not up yet

        panel.CmdGN_Click(5); // back to the home window
        EXPECT_FALSE(bYanShiOn);
        EXPECT_FALSE(FrmYanShi::isLoaded());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        // The next practice, as the home window starts it.
        bTmCanClose = false;
        FrmTm& next = FrmTm::get();
        next.TimerREDO.setEnabled(true);
        next.Show();
        FrmMain::get().Show();
        ASSERT_TRUE(next.TimerREDO.fire());
        EXPECT_TRUE(surfaceBuildsItsScene());
    }
}

// The surface waits only for a demonstration that is on its way or running; a flag left over
// (a start cancelled some other way) holds nothing, and an exercise start clears it.
TEST(CancelledDemonstration, OnlyADemonstrationUnderWayHoldsTheSurface)
{
    enum class State { FlagOnly, StarterArmed, WindowUp };
    const struct {
        const char* what;
        State state;
        bool waits;
    } cases[] = {
        {"a flag left over", State::FlagOnly, false},
        {"the starter armed", State::StarterArmed, true},
        {"the demonstration up", State::WindowUp, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Panel world(1);
        FrmTm& panel = Panel::panel();
        FrmMain::get().Show();
        panel.Show();
        if (c.state == State::FlagOnly) {
            bYanShiOn = true;
        } else {
            panel.CmdGN_Click(7);
            if (c.state == State::WindowUp) {
                panel.TimStartYS.fire();
                panel.TimStartYS.fire();
                ASSERT_TRUE(FrmYanShi::isLoaded());
            }
        }
        EXPECT_EQ(surfaceBuildsItsScene(), !c.waits);
        EXPECT_EQ(demo::underWay(), c.waits);
        demo::clearStaleFlag();
        EXPECT_EQ(bYanShiOn, c.waits);
    }
}

// The starter ticking while the candidate answers the leaving question (a paper's wrong-question
// review asks whether the answered questions leave its file) brings nothing up: the practice is
// on its way out.
TEST(CancelledDemonstration, NothingComesUpWhileTheLeavingQuestionWaits)
{
    Panel world(4);
    iLianXiType = 2;
    iLianXiSub = 17;
    iSelIndex = 3;
    const int flags[] = {5, 1, 5, 1};
    for (int q = 1; q <= 4; ++q) {
        iTmCode(q) = qint16(100 + q);
        iTmFlags(q) = qint16(flags[q - 1]);
    }
    Panel::writeFile(world.user + QStringLiteral("182403.mxy"), QStringLiteral("0101010201030104\r\n"));
    FrmTm& panel = Panel::panel();
    FrmMain::get().Show();
    panel.Show();
    panel.CmdGN_Click(7);
    ASSERT_TRUE(panel.TimStartYS.Enabled());
    world.onBox = [&] {
        panel.TimStartYS.fire();
        panel.TimStartYS.fire();
    };

    panel.CmdGN_Click(5);
    ASSERT_EQ(world.asked.size(), 1u);
    EXPECT_FALSE(FrmYanShi::isLoaded());
    EXPECT_FALSE(bYanShiOn);
    ASSERT_TRUE(FrmFengmian::isLoaded());
    EXPECT_TRUE(FrmFengmian::get().isVisible());
}
