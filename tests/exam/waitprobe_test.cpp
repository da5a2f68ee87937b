// The actions that wait during a mock paper (the hand-in windows, the answer window and its
// "look now" box, the time-up box, the input-method dialog and menu, the work surface's popup
// menu, the notice of a score that could not be saved, the score window's notice, leaving a
// paper's wrong-question review: its question and notice), each crossed in every wait it reaches
// with what can run inside that wait: the clock's time-out, the start of a demonstration asked for
// just before the wait and its end by itself, the window manager closing every window it can
// reach, another hand-in click where the window system delivers it, a queued report of a history
// file set that could not be settled. Whatever the pair: a window of the program is shown, no
// input is held or grabbed, and a paper that is over shows its score window, nothing of the paper
// on top of it, and no question of it changed after the score came up.

#include "common/closedport.h"
#include "app/modzcb.h"
#include "common/waitprobe.h"
#include "demo/frmyanshi.h"
#include "dialogfixture.h"
#include "exam/paperflow.h"
#include "paperfixture.h"
#include "platform/textfile.h"
#include "platform/waits.h"
#include "surface/menufile.h"
#include "surface/recordbuilder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>

using paperfixture::Paper;
using namespace ModData;

namespace {

// The probe of the pair under way: the stand-in input-method menu asks it what a real menu could
// still do.
waitprobe::ActInWait*& probeNow()
{
    static waitprobe::ActInWait* p = nullptr;
    return p;
}

void handInAndConfirm(Paper&); // the paper handed in, its score window up

// The paper's history cannot be written: the hand-in tells so over the score window.
void historyBlocked(Paper& paper)
{
    QDir().mkpath(paper.userPath(QStringLiteral("288892")) + QStringLiteral(".pending"));
}

// The paper's own wrong questions in practice, some of them answered: leaving asks whether they
// leave the paper's file; that file cannot be written, and the candidate is told.
void wrongReviewOfThePaper(Paper& paper)
{
    paper.writeFile(paper.userPath(QStringLiteral("182403")), QStringLiteral("0101010201030104\r\n"));
    QDir().mkpath(paper.userPath(QStringLiteral("182403")) + QStringLiteral(".pending"));
    iLianXiType = 2;
    iLianXiSub = 17;
    iSelIndex = 3;
    iRunMode = 2;
    iTmCount = 4;
    const int flags[] = {5, 1, 5, 1};
    for (int q = 1; q <= 4; ++q) {
        iTmCode(q) = qint16(100 + q);
        iTmFlags(q) = qint16(flags[q - 1]);
    }
}

// Question 1 of the paper is a popup-menu step: a right press on its hot spot opens the menu of
// block 1, whose second entry ("粘贴") completes the step. The stand-in menu picks that entry
// when a real menu could still take the pick.
void popupStepOnTheSurface(Paper& paper)
{
    menufile::write({{{1, 1}, menufile::block({{4, "复制|粘贴"}})}});
    const QStringList ops{testrec::Record(QStringLiteral("3121")).hotSpot(1500, 1500, 1500, 900).line(),
                          testrec::Record(QStringLiteral("9999")).line()};
    Paper::writeFile(paper.dataPath(QStringLiteral("288804")), ops.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    iTmNo = 1;
    iTmLine(1) = 1;
    iStepNo = 1;
    FrmMain& surface = FrmMain::get();
    surface.setData();
    surface.Timer2.setEnabled(false);
    surface.showPopup = [](QMenu& menu, const QPoint&) {
        if (probeNow() && !waitprobe::realMenuCouldPick(*probeNow(), FrmMain::isLoaded() ? &FrmMain::get() : nullptr))
            return;
        for (QAction* a : menu.actions())
            if (a->isVisible() && a->text() == QStringLiteral("粘贴"))
                a->trigger();
    };
}

struct Waiting {
    const char* name;
    int waits; // how many waits the action reaches when nothing interferes
    std::function<void()> run;
    std::function<void(Paper&)> before = {}; // what the action needs, before the probe is in
    std::function<void()> done = {};         // what holds after it when nothing interferes
};

const std::vector<Waiting>& waitingActions()
{
    static const std::vector<Waiting> list{
        // The first and the second hand-in window.
        {"HandIn", 2, [] { tk::raiseEvent(&FrmTm::get(), [] { FrmTm::get().CmdGN_Click(8); }); }},
        // The answer window and its "look now" box.
        {"LookAtTheAnswer", 2, [] { tk::raiseEvent(&FrmTm::get(), [] { FrmTm::get().CmdGN_Click(10); }); }},
        // Both hand-in windows and the notice of a score that could not be saved.
        {"HandInUnsaved", 3, [] { tk::raiseEvent(&FrmTm::get(), [] { FrmTm::get().CmdGN_Click(8); }); },
         historyBlocked},
        // The time-up box and both hand-in windows.
        {"ClockTimeOut", 3,
         [] {
             iLeftMinutes = 1;
             FrmTm::get().TimeKS.fire();
         }},
        {"InputMethodDialog", 1, [] { tk::raiseEvent(&FrmTm::get(), [] { FrmTm::get().CmdEn_Click(); }); }},
        {"InputMethodMenu", 1,
         [] {
             bAutoIme = true;
             tk::raiseEvent(&FrmTm::get(), [] { FrmTm::get().LblIME_Click(); });
         }},
        // The surface's popup menu, picked or closed as a real one would be.
        {"SurfacePopupMenu", 1,
         [] {
             FrmMain& surface = FrmMain::get();
             tk::raiseEvent(&surface.Label1, surface.Label1.onMouseDown, 2, 0, 150.0f, 300.0f);
         },
         popupStepOnTheSurface, [] { EXPECT_GE(iTmFlags(1), 4) << "the pick did not complete the question"; }},
        // The score window's wrong-question review of a paper without wrong questions: its notice.
        {"NoWrongQuestionsNotice", 1,
         [] {
             if (FrmChengji::isLoaded())
                 tk::raiseEvent(&FrmChengji::get(), [] { FrmChengji::get().Command3_Click(); });
         },
         handInAndConfirm},
        // The leave question and the notice of what could not be saved.
        {"LeaveWrongReview", 2, [] { tk::raiseEvent(&FrmTm::get(), [] { FrmTm::get().CmdGN_Click(5); }); },
         wrongReviewOfThePaper},
    };
    return list;
}

// The candidate's click on a button of the panel, as the window system delivers it inside the wait
// (a hidden window takes none; the paper hides the panel while the hand-in windows and the score
// window are up).
void clickPanel(int button)
{
    waitprobe::clickOn([]() -> QWidget* { return FrmTm::isLoaded() ? &FrmTm::get() : nullptr; },
                       [button] { tk::raiseEvent(&FrmTm::get(), [button] { FrmTm::get().CmdGN_Click(button); }); });
}

// A demonstration of the current question asked for on the panel just before the wait (the
// candidate's click came before the wait's window or box, while the paper still ran): its start
// timer comes up inside the wait. Returns whether it ticked there.
bool startDemonstration()
{
    if (!FrmTm::isLoaded() || paperflow::paperOver())
        return false;
    tk::raiseEvent(&FrmTm::get(), [] { FrmTm::get().CmdGN_Click(7); });
    bool ticked = false;
    for (int tick = 0; tick < 2; ++tick)
        ticked = (FrmTm::isLoaded() && FrmTm::get().TimStartYS.fire()) || ticked;
    return ticked;
}

// The waits of a paper that is over (the notices over its score window) and of the practice of its
// wrong questions after the leave question: no clock runs and no demonstration can be asked for.
const std::vector<std::string> kNoPaperRunning{"HandInUnsaved_3", "NoWrongQuestionsNotice", "LeaveWrongReview_2"};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<waitprobe::Action>& interferingActions()
{
    static const std::vector<waitprobe::Action> list{
        // Not in the time-up box's wait, which runs inside the clock's own tick (a timer does not
        // tick inside its own handler), nor in the hand-in windows after it (the clock has stopped).
        {"ClockTimeOut",
         [] {
             if (!FrmTm::isLoaded())
                 return;
             iLeftMinutes = 1;
             waitprobe::landedIf(FrmTm::get().TimeKS.fire());
         },
         kNoPaperRunning + std::vector<std::string>{"ClockTimeOut", "ClockTimeOut_2", "ClockTimeOut_3"}},
        {"DemonstrationStart", [] { waitprobe::landedIf(startDemonstration()); }, kNoPaperRunning},
        // The demonstration comes up and reaches its end record: it ends by itself.
        {"DemonstrationEndsByItself",
         [] {
             startDemonstration();
             if (!FrmYanShi::isLoaded())
                 return;
             FrmYanShi::get().TimEnd.setEnabled(true);
             for (int tick = 0; tick < 4 && FrmYanShi::isLoaded(); ++tick)
                 waitprobe::landedIf(FrmYanShi::get().TimEnd.fire());
         },
         kNoPaperRunning},
        // A standard box blocks the close of every window.
        {"CloseEveryWindow", waitprobe::closeEveryWindow, {"LookAtTheAnswer_2", "ClockTimeOut", "LeaveWrongReview"}},
        // Only a popup menu's wait lets a click through, and the click closes the menu: every
        // other wait is a modal window or box over the panel, or the panel is hidden behind the
        // hand-in windows.
        {"HandInAgain", [] { clickPanel(8); },
         {"HandIn", "HandIn_2", "LookAtTheAnswer", "LookAtTheAnswer_2", "HandInUnsaved", "HandInUnsaved_2",
          "HandInUnsaved_3", "ClockTimeOut", "ClockTimeOut_2", "ClockTimeOut_3", "InputMethodDialog",
          "NoWrongQuestionsNotice", "LeaveWrongReview", "LeaveWrongReview_2"}},
        // A settling of the history that had to set its marker aside: its report comes from the
        // event loop, inside the wait, and waits itself. (The paper's other reports are left out
        // of this table: they do not wait.)
        {"UnsettledMarkerReport",
         [] {
             ModZCB::installErrorReporter();
             waitprobe::settleWithMarkerSetAside();
         }},
    };
    return list;
}

// Every window that waits for the candidate is answered: both hand-in windows confirmed, the
// answer window's "look now", the input-method dialog closed, the paper's notices read. Each
// answer runs from a call of its own, queued from the timer: an answer that opens the next
// window waits in it, and a call that has not run when the answers end goes with them.
class Answers {
public:
    Answers()
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QTimer::singleShot(0, &timer_, [this] { answer(); });
        });
        timer_.start();
    }
    ~Answers() { timer_.stop(); }
    bool handInAfterTheEnd = false;

private:
    void answer()
    {
        const bool handInShown = (FrmEnd1::isLoaded() && FrmEnd1::get().isVisible()) ||
                                 (FrmEnd2::isLoaded() && FrmEnd2::get().isVisible());
        handInAfterTheEnd = handInAfterTheEnd || (handInShown && paperflow::paperOver());
        if (FrmEnd2::isLoaded() && FrmEnd2::get().isModalShown())
            FrmEnd2::get().Command1_Click();
        else if (FrmEnd1::isLoaded() && FrmEnd1::get().isModalShown())
            FrmEnd1::get().Command1_Click();
        else if (FrmCZTS::isLoaded() && FrmCZTS::get().isModalShown())
            FrmCZTS::get().Command2_Click();
        else if (FrmIME::isLoaded() && FrmIME::get().isModalShown())
            FrmIME::get().lblClick_Click(0);
        else if (FrmKVMSGBOX::isLoaded() && FrmKVMSGBOX::get().isVisible())
            FrmKVMSGBOX::get().LblClick_Click(1);
    }
    QTimer timer_;
};

// The questions' flags as they stood when the score window first came up: nothing of the paper
// may change after it.
struct HandedIn : QObject {
    HandedIn() { qApp->installEventFilter(this); }
    ~HandedIn() override { qApp->removeEventFilter(this); }
    static std::vector<int> flagsNow()
    {
        std::vector<int> f;
        for (int q = 1; q <= 40; ++q)
            f.push_back(iTmFlags(q));
        return f;
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && flags.empty() && FrmChengji::isLoaded() && o == &FrmChengji::get())
            flags = flagsNow();
        return false;
    }
    std::vector<int> flags;
};

void drain()
{
    for (int n = 0; n < 10; ++n) {
        QCoreApplication::processEvents();
        tktest::flushDeletes();
    }
}

void handInAndConfirm(Paper&)
{
    Answers answers;
    tk::raiseEvent(&FrmTm::get(), [] { FrmTm::get().CmdGN_Click(8); });
    drain();
}

} // namespace

class PaperUnderWay : public ::testing::Test {
protected:
    // A paper under way, its panel on the surface; every box answered Yes.
    void SetUp() override
    {
        dialogfixture::closeDialogs();
        for (const char* id : {"l01038", "l01039", "l01003", "l01011"})
            paper.picture(QLatin1String(id), Qt::gray);
        FrmTm& panel = FrmTm::get();
        panel.TimKsModel.fire();
        FrmMain::get().Show();
        panel.Show();
        paper.answer = exam::BoxAnswer::Yes;
        paper.onBox = waitprobe::ActInWait::noteBox;
        // The input-method menu picks its first Chinese layout, when a real one could.
        panel.showPopup = [](QMenu&, const QPoint&) {
            if (probeNow() && waitprobe::realMenuCouldPick(*probeNow(), FrmTm::isLoaded() ? &FrmTm::get() : nullptr))
                FrmTm::get().mEng->trigger();
        };
        ModZCB::setWebServiceAddress(closedport::address());
    }
    void TearDown() override
    {
        probeNow() = nullptr;
        platform::setWaitProbeForTests({});
        vb::setReporter({});
        platform::setUnsettledMarkerReporter({});
        ModZCB::setWebServiceAddress({});
        dialogfixture::closeDialogs();
    }
    Paper paper;
};

class PaperWaitProbe : public PaperUnderWay, public ::testing::WithParamInterface<waitprobe::Pair> {};

TEST_P(PaperWaitProbe, NothingActsOnWhatTheWaitChanged)
{
    const waitprobe::Pair pair = GetParam();
    const Waiting& waiting = waitingActions().at(size_t(pair.waiting));
    HandedIn handedIn;
    if (waiting.before)
        waiting.before(paper);
    Answers answers;
    waitprobe::ActInWait probe(pair.wait, interferingActions().at(size_t(pair.interfering)).run);
    probeNow() = &probe;
    waiting.run();
    drain();

    EXPECT_FALSE(answers.handInAfterTheEnd) << "a hand-in window came up over the paper's score";
    waitprobe::expectShownAndFree();
    if (paperflow::paperOver()) {
        ASSERT_TRUE(FrmChengji::isLoaded());
        EXPECT_TRUE(FrmChengji::get().isVisible());
        EXPECT_FALSE(FrmMain::isLoaded() && FrmMain::get().isVisible());
        EXPECT_EQ(handedIn.flags, handedIn.flagsNow()) << "the paper's questions changed after its score came up";
        EXPECT_FALSE(FrmEnd1::isLoaded());
        EXPECT_FALSE(FrmEnd2::isLoaded());
        EXPECT_FALSE(FrmCZTS::isLoaded() && FrmCZTS::get().isVisible());
        EXPECT_FALSE(FrmYanShi::isLoaded() && FrmYanShi::get().isVisible()) << "a demonstration over the score";
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, PaperWaitProbe, ::testing::ValuesIn(waitprobe::pairs(waitingActions, interferingActions)),
                         waitprobe::pairName(waitingActions, interferingActions));

// The table names every wait each action reaches: none goes uncrossed.
class PaperWaits : public PaperUnderWay, public ::testing::WithParamInterface<int> {};

TEST_P(PaperWaits, EachActionReachesTheWaitsItsRowNames)
{
    const Waiting& waiting = waitingActions().at(size_t(GetParam()));
    if (waiting.before)
        waiting.before(paper);
    Answers answers;
    waitprobe::CountWaits count;
    waiting.run();
    drain();
    EXPECT_EQ(count.waits(), waiting.waits);
    if (waiting.done)
        waiting.done();
}

INSTANTIATE_TEST_SUITE_P(Rows, PaperWaits, ::testing::Range(0, int(waitingActions().size())),
                         [](const ::testing::TestParamInfo<int>& info) { return std::string(waitingActions().at(size_t(info.param)).name); });
