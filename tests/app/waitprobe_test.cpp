// Every action of the update chain that can wait (the update-list request, the list's and the
// entries' downloads, the update's boxes), crossed with every action that can run inside each of
// its waits. Whatever the pair, afterwards: the program ended at most once, nothing holds the
// candidate's input or the mouse, and an update window unloaded in the wait was not loaded again
// by what came after it. Run under the address sanitizer, no pair touches a freed window.

#include "app/programfolders.h"
#include "app/frmstart.h"
#include "app/frmupdata.h"
#include "app/moddata.h"
#include "app/modzcb.h"
#include "app/startup.h"
#include "common/testscope.h"
#include "common/waitprobe.h"
#include "home/frmfengmian.h"
#include "platform/programfolder.h"
#include "platform/routedhttp.h"
#include "platform/settingsstore.h"
#include "platform/singleinstance.h"
#include "platform/textfile.h"
#include "platform/updaterstart.h"
#include "platform/waits.h"

#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString kBase = QStringLiteral("/up/exmsim/Windows%20XP/");
const QString kListPath = kBase + QStringLiteral("xpdata/288895.txt");

// The actions that wait: the update button's check, with what the server answers and how the
// update's question is answered, and how many waits the check reaches when nothing interferes.
struct Waiting {
    const char* name;
    QByteArray list;
    bool answerYes;
    int waits;
};

const std::vector<Waiting>& waitingActions()
{
    static const std::vector<Waiting> list{
        // The list request only: the list is not newer.
        {"ListNotNewer", "202501010000\r\n", false, 1},
        // The request, the list's download, the update's question answered No.
        {"NewerAnsweredNo", "202701010000\r\nD202701010101288890\r\n", false, 3},
        // ... answered Yes: the entry's download and the box that says what was updated.
        {"NewerAccepted", "202701010000\r\nD202701010101288890\r\n", true, 5},
    };
    return list;
}

// The window is hidden from the update's question on: nothing closes it or clicks on it there.
const std::vector<std::string> kWindowHidden{"NewerAnsweredNo_3", "NewerAccepted_3", "NewerAccepted_4",
                                             "NewerAccepted_5"};

// (The window's own timer is not among them: the check runs inside its tick, and a timer does not
// tick inside its own handler.)
const std::vector<waitprobe::Action>& interferingActions()
{
    static const std::vector<waitprobe::Action> list{
        {"CloseEveryWindow", waitprobe::closeEveryWindow, kWindowHidden},
        // The window's close button.
        {"CloseButton",
         [] {
             waitprobe::clickOn([]() -> QWidget* { return FrmUpdata::isLoaded() ? &FrmUpdata::get() : nullptr; },
                                [] {
                                    if (FrmUpdata::isLoaded())
                                        FrmUpdata::get().Command1_Click();
                                });
         },
         kWindowHidden},
        // A settling of the history that had to set its marker aside: its report comes from the
        // event loop, inside the wait, and waits itself.
        {"UnsettledMarkerReport",
         [] {
             ModZCB::installErrorReporter();
             waitprobe::settleWithMarkerSetAside();
         }},
    };
    return list;
}

void drain()
{
    for (int n = 0; n < 10; ++n) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace

class UpdateUnderWay : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        programfolders::layUpdateFolder(dir, server.address());
        server.route(kBase + QStringLiteral("xpdata/288890.rar"), "new 288890");
        FrmUpdata::setEndProgramForTests([this] { ++ends; });
        platform::setUpdaterStartForTests([](const QString&) { return true; });
        app::update::setProgramFileNameForTests(QStringLiteral("xpprac"));
    }
    void TearDown() override
    {
        platform::setWaitProbeForTests({});
        FrmUpdata::unloadIfLoaded();
        drain();
        FrmUpdata::setMessageBoxForTests({});
        FrmUpdata::setEndProgramForTests({});
        platform::setUpdaterStartForTests({});
        app::update::setProgramFileNameForTests({});
        vb::setReporter({});
        platform::setUnsettledMarkerReporter({});
        platform::setProgramFolder({});
        ModZCB::setWebServiceAddress({});
        ModData::resetAll();
    }

    // The update button: the window opens, the probe goes in, and the window's timer runs the
    // check as the event loop would.
    void runCheck(const Waiting& waiting)
    {
        server.route(kListPath, waiting.list);
        FrmUpdata::setMessageBoxForTests([yes = waiting.answerYes](const QString&, const QString&, bool yesNo) {
            waitprobe::ActInWait::noteBox();
            return yesNo && yes;
        });
        ModData::iUpdataShow = 1;
        FrmUpdata& w = FrmUpdata::get();
        w.Show();
        window = &w;
    }

    QTemporaryDir dir;
    RoutedHttp server;
    int ends = 0;
    QPointer<FrmUpdata> window;
};

class WaitProbe : public UpdateUnderWay, public ::testing::WithParamInterface<waitprobe::Pair> {};

TEST_P(WaitProbe, NothingActsOnWhatTheWaitChanged)
{
    const waitprobe::Pair pair = GetParam();
    const Waiting& waiting = waitingActions().at(size_t(pair.waiting));
    runCheck(waiting);
    waitprobe::ActInWait probe(pair.wait, interferingActions().at(size_t(pair.interfering)).run);

    QTimer::singleShot(0, testscope::context(), [w = window] {
        if (w)
            w->Timer1.fire();
    });
    drain();

    EXPECT_LE(ends, 1);
    if (!window) {
        EXPECT_FALSE(FrmUpdata::isLoaded()) << "the update window was loaded again after its unload";
    }
    EXPECT_FALSE(platform::isHoldingInput());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Pairs, WaitProbe, ::testing::ValuesIn(waitprobe::pairs(waitingActions, interferingActions)),
                         waitprobe::pairName(waitingActions, interferingActions));

// The table names every wait each action reaches: none goes uncrossed.
class UpdateWaits : public UpdateUnderWay, public ::testing::WithParamInterface<int> {};

TEST_P(UpdateWaits, EachActionReachesTheWaitsItsRowNames)
{
    const Waiting& waiting = waitingActions().at(size_t(GetParam()));
    runCheck(waiting);
    waitprobe::CountWaits count;
    QTimer::singleShot(0, testscope::context(), [w = window] {
        if (w)
            w->Timer1.fire();
    });
    drain();
    EXPECT_EQ(count.waits(), waiting.waits);
}

INSTANTIATE_TEST_SUITE_P(Rows, UpdateWaits, ::testing::Range(0, int(waitingActions().size())),
                         [](const ::testing::TestParamInfo<int>& info) { return std::string(waitingActions().at(size_t(info.param)).name); });

// ---- The start window: its load's reports and its hand-over to the home window -------------------
//
// The start window loads with pictures of its skin missing (each one reported, each report
// waiting for the web service), then its timer hands over to the home window. Whatever runs in
// any of those waits, afterwards the home window is shown, the start window is gone and was not
// loaded again, and nothing holds the candidate's input or the mouse.

namespace {

// (The start window's timer is not among them: its waits come before the timer runs, in the
// window's load, or inside its tick, the hand-over, and a timer does not tick inside its own
// handler.)
const std::vector<waitprobe::Action>& startInterferingActions()
{
    static const std::vector<waitprobe::Action> list{
        // No window is shown yet during the first reports of the start window's load, nor when
        // the second copy's box comes up in it.
        {"CloseEveryWindow", waitprobe::closeEveryWindow, {"Start_1", "Start_2", "AlreadyRunning"}},
        {"UnsettledMarkerReport", waitprobe::settleWithMarkerSetAside},
    };
    return list;
}

// The interfering actions that can take effect in `wait` (as "Start_2"), by their index.
std::vector<int> startActionsIn(const std::string& wait)
{
    std::vector<int> list;
    for (size_t i = 0; i < startInterferingActions().size(); ++i) {
        const std::vector<std::string>& out = startInterferingActions().at(i).cannotLandIn;
        if (std::find(out.begin(), out.end(), wait) == out.end())
            list.push_back(int(i));
    }
    return list;
}

} // namespace

class StartUnderWay : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        programfolders::layStartFolder(dir, server.address());
        ModZCB::installErrorReporter();
    }
    void TearDown() override
    {
        platform::setWaitProbeForTests({});
        FrmStart::unloadIfLoaded();
        FrmFengmian::unloadIfLoaded();
        FrmUpdata::unloadIfLoaded();
        drain();
        vb::setReporter({});
        platform::setUnsettledMarkerReporter({});
        platform::setProgramFolder({});
        platform::registry::setStoreFile({});
        ModZCB::setWebServiceAddress({});
        ModData::resetAll();
    }
    // The program's start: the start window loads and shows, and its timer hands over.
    static void start()
    {
        FrmStart& s = FrmStart::get();
        s.Show();
        QTimer::singleShot(0, testscope::context(), [] {
            if (FrmStart::isLoaded())
                FrmStart::get().Timer1.fire();
        });
        drain();
    }
    QTemporaryDir dir;
    RoutedHttp server;
};

// How many waits the start reaches when nothing interferes: one report for each missing picture of
// the start and the home window.
constexpr int kStartWaits = 139;

TEST_F(StartUnderWay, TheStartReachesTheWaitsItsTableNames)
{
    waitprobe::CountWaits count;
    start();
    EXPECT_EQ(count.waits(), kStartWaits);
}

// The first waits, one in the middle and the last, crossed with every interfering action (all of
// the waits would take minutes: each is a report of the same kind).
class StartWaitProbe : public StartUnderWay, public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(StartWaitProbe, TheHomeWindowComesWhateverRunsInTheWait)
{
    const auto [wait, interfering] = GetParam();
    waitprobe::ActInWait probe(wait, startInterferingActions().at(size_t(interfering)).run);
    start();

    ASSERT_TRUE(FrmFengmian::isLoaded());
    EXPECT_TRUE(FrmFengmian::get().isVisible());
    EXPECT_FALSE(FrmStart::isLoaded());
    waitprobe::expectShownAndFree();
}

std::vector<std::tuple<int, int>> startPairs()
{
    std::vector<std::tuple<int, int>> list;
    for (const int wait : {1, 2, kStartWaits / 2, kStartWaits})
        for (const int action : startActionsIn("Start_" + std::to_string(wait)))
            list.emplace_back(wait, action);
    return list;
}

INSTANTIATE_TEST_SUITE_P(Pairs, StartWaitProbe, ::testing::ValuesIn(startPairs()),
                         [](const ::testing::TestParamInfo<std::tuple<int, int>>& info) {
                             return "Start_" + std::to_string(std::get<0>(info.param)) + "_" +
                                    startInterferingActions().at(size_t(std::get<1>(info.param))).name;
                         });

// ---- A second copy: the already-running box ------------------------------------------------------
//
// Another copy holds the program folder: the start window's load says so in its box and ends the
// program. Whatever runs in the box's wait, the program ends once, nothing of it comes up, and
// nothing holds the candidate's input or the mouse.

class AlreadyRunningWaitProbe : public StartUnderWay, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        StartUnderWay::SetUp();
        FrmStart::releaseInstanceLockForTests();
        FrmStart::setEndProgramForTests([this] { ++ends; });
    }
    void TearDown() override
    {
        FrmStart::setEndProgramForTests({});
        FrmStart::releaseInstanceLockForTests();
        StartUnderWay::TearDown();
    }
    int ends = 0;
};

TEST_P(AlreadyRunningWaitProbe, TheSecondCopyEndsOnceWhateverRunsInTheWait)
{
    const platform::SingleInstance running(dir.path()); // the copy already running
    ASSERT_FALSE(running.previousInstance());
    waitprobe::ActInWait probe(1, startInterferingActions().at(size_t(GetParam())).run);
    FrmStart::get();
    drain();

    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(FrmFengmian::isLoaded());
    EXPECT_FALSE(FrmStart::isLoaded() && FrmStart::get().isVisible());
    EXPECT_FALSE(platform::isHoldingInput());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
}

// The box is the second copy's one wait.
TEST_F(AlreadyRunningWaitProbe, TheSecondCopyReachesOneWait)
{
    const platform::SingleInstance running(dir.path());
    waitprobe::CountWaits count;
    FrmStart::get();
    drain();
    EXPECT_EQ(count.waits(), 1);
    EXPECT_EQ(ends, 1);
}

INSTANTIATE_TEST_SUITE_P(Pairs, AlreadyRunningWaitProbe, ::testing::ValuesIn(startActionsIn("AlreadyRunning")),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string("AlreadyRunning_") + startInterferingActions().at(size_t(info.param)).name;
                         });
