// Every home-window action that can wait, crossed with every action that can take effect inside
// each wait it reaches; the candidate's clicks among them arrive as the window system delivers
// them. Whatever the pair, afterwards: each listed generated paper keeps its own record and
// wrong questions, a running paper exercise's slot holds that paper, a window of the program is
// shown, and no input is held back or grabbed. Run under the address sanitizer, no pair touches
// a freed window.

#include "app/frmabout.h"
#include "app/modzcb.h"
#include "exam/frmchengji.h"
#include "exam/frmend.h"
#include "exam/frmlogon.h"
#include "exam/standardbox.h"
#include "history/historyfiles.h"
#include "paperhistory.h"
#include "common/waitprobe.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "platform/waits.h"

#include <QApplication>

using namespace hometest;

namespace {

// The home window, if one is loaded: an action inside a wait never loads one.
FrmFengmian* home() { return FrmFengmian::isLoaded() ? &FrmFengmian::get() : nullptr; }

// The actions that wait, each with what makes it wait and how many waits it reaches when nothing
// interferes.
enum Setup { Plain, MarksUnreadable, BoxPictureMissing, MarkedLeftOut, PagePictureMissing };
struct Waiting {
    const char* name;
    Setup setup;
    int waits;
    std::function<void()> run;
    std::function<void()> before = {}; // what the action needs, before the probe is in
};

// An action on the home window, made as the candidate makes it (from the event loop).
std::function<void()> onHome(std::function<void(FrmFengmian&)> act)
{
    return [act] {
        if (FrmFengmian* w = home())
            asEvent(w, [w, act] { act(*w); });
    };
}

// The candidate's click on the home window, as the window system delivers it inside the wait.
void clickHome(void (*act)(FrmFengmian&))
{
    waitprobe::clickOn([]() -> QWidget* { return home(); },
                       [act] {
                           if (FrmFengmian* w = home())
                               asEvent(w, [w, act] { act(*w); });
                       });
}

void onLogon(void (FrmLogon::*click)())
{
    if (FrmLogon::isLoaded())
        asEvent(&FrmLogon::get(), [click] { (FrmLogon::get().*click)(); });
}

const std::vector<Waiting>& waitingActions()
{
    static const std::vector<Waiting> list{
        {"ExitClick", Plain, 1, onHome([](FrmFengmian& w) { w.ClickBotn_Click(3); })},
        // The box's picture is reported, then the box asks.
        {"ExitClickReporting", BoxPictureMissing, 2, onHome([](FrmFengmian& w) { w.ClickBotn_Click(3); })},
        {"WindowManagerClose", Plain, 1, onHome([](FrmFengmian& w) { w.close(); })},
        {"NewRandomPaper", MarksUnreadable, 1, onHome([](FrmFengmian& w) { w.ClickBotn_Click(21); })},
        {"PaperStart", MarksUnreadable, 1, onHome([](FrmFengmian& w) { w.ClickBotn_Click(91); })},
        {"WrongReview", MarksUnreadable, 1, onHome([](FrmFengmian& w) { w.LblShiJuanCCC_Click(21); })},
        {"Deletion", Plain, 1, onHome([](FrmFengmian& w) { w.LblShiJuanDel_Click(21); })},
        {"DeletionReporting", BoxPictureMissing, 2, onHome([](FrmFengmian& w) { w.LblShiJuanDel_Click(21); })},
        {"UnitStart", MarksUnreadable, 1,
         onHome([](FrmFengmian& w) {
             w.ClickBotn_Click(50);
             w.ClickBotn_Click(20);
         })},
        {"EmptyStoreNotice", Plain, 1, onHome([](FrmFengmian& w) { w.ClickBotn_Click(22); })},
        // Marked questions the bank no longer holds: the exercise starts without them, and a
        // notice says how many were left out.
        {"QuestionsLeftOutNotice", MarkedLeftOut, 1, onHome([](FrmFengmian& w) { w.ClickBotn_Click(22); })},
        // Clearing the marked-question store: its question.
        {"ClearStore", Plain, 1,
         onHome([](FrmFengmian& w) {
             w.iBiaoZhiScope = 1;
             w.ClickBotn_Click(23);
         })},
        {"AboutWindow", Plain, 1, onHome([](FrmFengmian& w) { w.LblInfo_Click(0); })},
        // The home page timer going back to a page that waits (the empty store's notice).
        // The unit page's first page, the picture of its page button missing: the page is laid out
        // twice, each time with a report, and goes on without a box, so a click held by a report
        // reaches the home window after it.
        {"UnitPageReporting", PagePictureMissing, 2, onHome([](FrmFengmian& w) { w.ClickBotn_Click(47); })},
        {"HomePageTimer", Plain, 1,
         onHome([](FrmFengmian& w) {
             ModData::iFengmianPage = 22;
             w.TimFH.setEnabled(true);
             w.TimFH.fire();
         })},
        // The log-on window of a paper, its exit button: its question.
        {"LogOnExit", Plain, 1, [] { onLogon(&FrmLogon::CmdExit_Click); },
         onHome([](FrmFengmian& w) { w.ClickBotn_Click(91); })},
    };
    return list;
}

// Every wait of the home window but the reports of the unit page: each is the program's message
// box, the about window, the log-on window's question, or a report that the exit's or the
// deletion's box follows, and a click the report held back finds the box over the home window.
const std::vector<std::string> kHomeBlocked{
    "ExitClick", "ExitClickReporting", "ExitClickReporting_2", "WindowManagerClose", "NewRandomPaper",
    "PaperStart", "WrongReview", "Deletion", "DeletionReporting", "DeletionReporting_2", "UnitStart",
    "EmptyStoreNotice", "QuestionsLeftOutNotice", "ClearStore", "AboutWindow", "HomePageTimer", "LogOnExit"};

// (No paper's clock runs in any of these waits: a paper under way hides the home window.)
const std::vector<waitprobe::Action>& interferingActions()
{
    static const std::vector<waitprobe::Action> list{
        {"DeletePaper", [] { clickHome([](FrmFengmian& w) { w.LblShiJuanDel_Click(20); }); }, kHomeBlocked},
        {"NewRandomPaper", [] { clickHome([](FrmFengmian& w) { w.ClickBotn_Click(21); }); }, kHomeBlocked},
        {"StartUnit",
         [] {
             clickHome([](FrmFengmian& w) { w.ClickBotn_Click(50); });
             clickHome([](FrmFengmian& w) { w.ClickBotn_Click(20); });
         },
         kHomeBlocked},
        // The log-on window's question is a standard box: it blocks the close of every window.
        {"CloseEveryWindow", waitprobe::closeEveryWindow, {"LogOnExit"}},
        {"ExitClick", [] { clickHome([](FrmFengmian& w) { w.ClickBotn_Click(3); }); }, kHomeBlocked},
        // Not over the program's message box itself: one box is shown at a time.
        {"MessageBox",
         [] {
             if (FrmKVMSGBOX::isLoaded() && FrmKVMSGBOX::get().isVisible())
                 return;
             FrmKVMSGBOX& box = FrmKVMSGBOX::get();
             box.LblTitle.setCaption(QStringLiteral("系统提示"));
             asEvent(&box, [&box] {
                 waitprobe::landed();
                 box.Show(true);
             });
         },
         {"ExitClick", "ExitClickReporting_2", "WindowManagerClose", "Deletion", "DeletionReporting_2",
          "EmptyStoreNotice", "QuestionsLeftOutNotice", "ClearStore", "HomePageTimer"}},
        // The home page timer, set by the end of an exercise, going to the marked-question page.
        {"HomePageTimer",
         [] {
             if (FrmFengmian* w = home()) {
                 ModData::iFengmianPage = 18;
                 w->TimFH.setEnabled(true);
                 waitprobe::landedIf(w->TimFH.fire());
             }
         },
         // Not inside its own tick (a timer does not tick inside its own handler), nor once the
         // log-on window has taken the home window's place.
         {"HomePageTimer", "LogOnExit"}},
        // A settling of the history that had to set its marker aside: its report comes from the
        // event loop, inside the wait, and waits itself.
        {"UnsettledMarkerReport",
         [] {
             waitprobe::settleWithMarkerSetAside();
         }},
    };
    return list;
}

} // namespace

class HomeUnderWay : public PapersReporting {
protected:
    void SetUp() override
    {
        PapersReporting::SetUp();
        if (IsSkipped())
            return;
        exam::setStandardBoxForTests([](const exam::BoxRequest&) {
            waitprobe::ActInWait::noteBox();
            return exam::BoxAnswer::Yes;
        });
        FrmFengmian::setOpenLinkForTests([](const QString&) {});
        // Every box is answered: the exit is refused, everything else confirmed; the about window
        // is closed.
        answer.setInterval(0);
        QObject::connect(&answer, &QTimer::timeout, [] {
            if (FrmAbout::isLoaded() && FrmAbout::get().isModalShown()) {
                FrmAbout::get().LblClick_Click(1);
                return;
            }
            if (!FrmKVMSGBOX::isLoaded() || !FrmKVMSGBOX::get().isVisible())
                return;
            FrmKVMSGBOX& box = FrmKVMSGBOX::get();
            box.LblClick_Click(box.LblTitle.Caption() == QStringLiteral("退出系统") ? 0 : 1);
        });
        answer.start();
    }
    void TearDown() override
    {
        answer.stop();
        exam::setStandardBoxForTests({});
        FrmFengmian::setOpenLinkForTests({});
        platform::setUnsettledMarkerReporter({});
        FrmAbout::unloadIfLoaded();
        FrmEnd1::unloadIfLoaded();
        FrmEnd2::unloadIfLoaded();
        FrmChengji::unloadIfLoaded();
        PapersReporting::TearDown();
    }

    static void drain()
    {
        for (int i = 0; i < 10; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // Each listed paper is one of the three papers or a new one; its record and wrong questions
    // are its own.
    void expectPapersWhole()
    {
        const QStringList list = readLines(listFile());
        for (int slot = 20; slot < 20 + history::generatedPaperCount(list); ++slot) {
            SCOPED_TRACE(slot);
            const QString ids = list.value(slot - 20);
            int original = 0;
            for (int p = 20; p <= 22; ++p)
                if (ids == paperIds(p))
                    original = p;
            const QString wrong = readLines(wrongFile(slot)).value(0);
            if (original) {
                EXPECT_EQ(recordTime(slot), QStringLiteral("T%1").arg(original));
                EXPECT_EQ(wrong, paperIds(original).left(8));
            } else {
                EXPECT_EQ(ids.size(), 160) << ids.toStdString();
                EXPECT_FALSE(recordTime(slot).startsWith(u'T')) << recordTime(slot).toStdString();
                EXPECT_TRUE(wrong.isEmpty()) << wrong.toStdString();
            }
        }
    }

    // A running exercise of a generated paper asks only questions of the paper in its slot.
    void expectRunningPaperInItsSlot()
    {
        const bool running = FrmLogon::isLoaded() || FrmTm::isLoaded();
        const int kind = ModData::iLianXiType;
        const int slot = ModData::iSelIndex;
        if (!running || (kind != bank::kind::RandomPaper && kind != bank::kind::PaperWrong) || slot < 20)
            return;
        const QString ids = readLines(listFile()).value(slot - 20);
        for (int q = 1; q <= ModData::iTmCount; ++q) {
            const QString id = QStringLiteral("%1").arg(int(ModData::iTmCode(q)), 4, 10, QChar(u'0'));
            bool found = false;
            for (int i = 0; i + 4 <= ids.size() && !found; i += 4)
                found = ids.mid(i, 4) == id;
            EXPECT_TRUE(found) << "question " << id.toStdString() << " is not of paper " << slot;
        }
    }

    // The home window with what the action needs.
    void prepare(const Waiting& waiting)
    {
        if (waiting.setup == MarksUnreadable) {
            QFile::remove(userPath(QStringLiteral("288862.mxy")));
            EXPECT_TRUE(QDir().mkdir(userPath(QStringLiteral("288862.mxy"))));
        } else if (waiting.setup == MarkedLeftOut) {
            writeLines(userPath(QStringLiteral("288862.mxy")), {QStringLiteral("010109990102")});
        } else if (waiting.setup == BoxPictureMissing) {
            QFile::remove(dataPath(QStringLiteral("l20071.mxy")));
        } else if (waiting.setup == PagePictureMissing) {
            QFile::remove(dataPath(QStringLiteral("l20086.mxy")));
        }
        FrmFengmian& home = FrmFengmian::get();
        home.Show();
        home.ClickBotn_Click(5);
        home.ClickBotn_Click(30);
        if (waiting.before)
            waiting.before();
    }

    QTimer answer;
};

class WaitProbe : public HomeUnderWay, public ::testing::WithParamInterface<waitprobe::Pair> {};

TEST_P(WaitProbe, NothingActsOnWhatTheWaitChanged)
{
    const waitprobe::Pair pair = GetParam();
    const Waiting& waiting = waitingActions().at(size_t(pair.waiting));
    prepare(waiting);
    waitprobe::ActInWait probe(pair.wait, interferingActions().at(size_t(pair.interfering)).run);

    waiting.run();
    drain();

    expectPapersWhole();
    expectRunningPaperInItsSlot();
    waitprobe::expectShownAndFree();
}

INSTANTIATE_TEST_SUITE_P(Pairs, WaitProbe, ::testing::ValuesIn(waitprobe::pairs(waitingActions, interferingActions)),
                         waitprobe::pairName(waitingActions, interferingActions));

// The table names every wait each action reaches: none goes uncrossed.
class HomeWaits : public HomeUnderWay, public ::testing::WithParamInterface<int> {};

TEST_P(HomeWaits, EachActionReachesTheWaitsItsRowNames)
{
    const Waiting& waiting = waitingActions().at(size_t(GetParam()));
    prepare(waiting);
    waitprobe::CountWaits count;
    waiting.run();
    drain();
    EXPECT_EQ(count.waits(), waiting.waits);
}

INSTANTIATE_TEST_SUITE_P(Rows, HomeWaits, ::testing::Range(0, int(waitingActions().size())),
                         [](const ::testing::TestParamInfo<int>& info) { return std::string(waitingActions().at(size_t(info.param)).name); });
