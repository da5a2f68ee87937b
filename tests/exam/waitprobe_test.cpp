// The actions that wait during a mock paper (the hand-in windows, the answer window and its
// question, the time-up box), crossed with what can run inside their first wait: the clock's time-out, the
// demonstration's start timer, the window manager closing every window, another hand-in click.
// Whatever the pair: a window of the program is shown, no input is held or grabbed, and a paper
// that is over shows its score window and nothing of the paper on top of it.

#include "dialogfixture.h"
#include "exam/paperflow.h"
#include "paperfixture.h"
#include "common/waitprobe.h"
#include "platform/waits.h"

#include <gtest/gtest.h>

#include <QApplication>

using paperfixture::Paper;
using namespace ModData;

namespace {

struct Action {
    const char* name;
    std::function<void()> run;
};

const std::vector<Action>& waitingActions()
{
    static const std::vector<Action> list{
        {"HandIn", [] { tk::raiseEvent(&FrmTm::get(), [] { FrmTm::get().CmdGN_Click(8); }); }},
        {"LookAtTheAnswer", [] { tk::raiseEvent(&FrmTm::get(), [] { FrmTm::get().CmdGN_Click(10); }); }},
        {"ClockTimeOut",
         [] {
             iLeftMinutes = 1;
             FrmTm::get().TimeKS.fire();
         }},
    };
    return list;
}

const std::vector<Action>& interferingActions()
{
    static const std::vector<Action> list{
        {"ClockTimeOut",
         [] {
             if (!FrmTm::isLoaded())
                 return;
             iLeftMinutes = 1;
             FrmTm::get().TimeKS.fire();
         }},
        {"DemonstrationStart",
         [] {
             if (!FrmTm::isLoaded())
                 return;
             tk::raiseEvent(&FrmTm::get(), [] { FrmTm::get().CmdGN_Click(7); });
             FrmTm::get().TimStartYS.fire();
             if (FrmTm::isLoaded())
                 FrmTm::get().TimStartYS.fire();
         }},
        {"CloseEveryWindow",
         [] {
             for (QWidget* top : QApplication::topLevelWidgets())
                 if (top->isVisible())
                     top->close();
         }},
        {"HandInAgain",
         [] {
             if (FrmTm::isLoaded())
                 tk::raiseEvent(&FrmTm::get(), [] { FrmTm::get().CmdGN_Click(8); });
         }},
    };
    return list;
}

} // namespace

class PaperWaitProbe : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(PaperWaitProbe, NothingActsOnWhatTheWaitChanged)
{
    Paper paper;
    dialogfixture::closeDialogs();
    for (const char* id : {"l01038", "l01039", "l01003", "l01011"})
        paper.picture(QLatin1String(id), Qt::gray);
    FrmTm& panel = FrmTm::get();
    panel.TimKsModel.fire();
    FrmMain::get().Show();
    panel.Show();
    paper.answer = exam::BoxAnswer::Yes;
    // Every window that waits for the candidate is answered: both hand-in windows confirmed, the
    // answer window's "look now".
    QTimer answer;
    answer.setInterval(0);
    // Each answer runs from a timer of its own: an answer that opens the next window waits in it.
    bool handInAfterTheEnd = false;
    QObject::connect(&answer, &QTimer::timeout, [&handInAfterTheEnd] {
        QTimer::singleShot(0, qApp, [&handInAfterTheEnd] {
            const bool handInShown = (FrmEnd1::isLoaded() && FrmEnd1::get().isVisible()) ||
                                     (FrmEnd2::isLoaded() && FrmEnd2::get().isVisible());
            handInAfterTheEnd = handInAfterTheEnd || (handInShown && paperflow::paperOver());
            if (FrmEnd2::isLoaded() && FrmEnd2::get().isModalShown())
                FrmEnd2::get().Command1_Click();
            else if (FrmEnd1::isLoaded() && FrmEnd1::get().isModalShown())
                FrmEnd1::get().Command1_Click();
            else if (FrmCZTS::isLoaded() && FrmCZTS::get().isModalShown())
                FrmCZTS::get().Command2_Click();
        });
    });
    answer.start();

    const auto [w, i] = GetParam();
    bool waited = false;
    platform::setWaitProbeForTests([&, i = i](platform::WaitKind) {
        platform::setWaitProbeForTests({});
        waited = true;
        interferingActions().at(size_t(i)).run();
    });
    waitingActions().at(size_t(w)).run();
    for (int n = 0; n < 10; ++n) {
        QCoreApplication::processEvents();
        tktest::flushDeletes();
    }
    answer.stop();
    platform::setWaitProbeForTests({});

    EXPECT_TRUE(waited);
    EXPECT_FALSE(handInAfterTheEnd) << "a hand-in window came up over the paper's score";
    waitprobe::expectShownAndFree();
    if (paperflow::paperOver()) {
        ASSERT_TRUE(FrmChengji::isLoaded());
        EXPECT_TRUE(FrmChengji::get().isVisible());
        EXPECT_FALSE(FrmMain::isLoaded() && FrmMain::get().isVisible());
        EXPECT_FALSE(FrmEnd1::isLoaded());
        EXPECT_FALSE(FrmEnd2::isLoaded());
        EXPECT_FALSE(FrmCZTS::isLoaded() && FrmCZTS::get().isVisible());
    }
    dialogfixture::closeDialogs();
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, PaperWaitProbe,
    ::testing::Combine(::testing::Range(0, int(waitingActions().size())), ::testing::Range(0, int(interferingActions().size()))),
    waitprobe::pairName(waitingActions, interferingActions));
