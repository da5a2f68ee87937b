// Every home-window action that can wait, crossed with every action that can run inside its
// first wait. Whatever the pair, afterwards: each listed generated paper keeps its own record and
// wrong questions, a running paper exercise's slot holds that paper, a window of the program is
// shown, and no input is held back or grabbed. Run under the address sanitizer, no pair touches
// a freed window.

#include "app/modzcb.h"
#include "exam/frmchengji.h"
#include "exam/frmend.h"
#include "exam/standardbox.h"
#include "history/historyfiles.h"
#include "paperhistory.h"
#include "common/waitprobe.h"
#include "platform/waits.h"

#include <QApplication>

using namespace hometest;

namespace {

// The home window, if one is loaded: an action inside a wait never loads one.
FrmFengmian* home() { return FrmFengmian::isLoaded() ? &FrmFengmian::get() : nullptr; }

struct Action {
    const char* name;
    std::function<void()> run;
};

// The actions that wait, each with what makes it wait.
enum Setup { Plain, MarksUnreadable, BoxPictureMissing };
struct Waiting {
    const char* name;
    Setup setup;
    std::function<void(FrmFengmian&)> run;
};

const std::vector<Waiting>& waitingActions()
{
    static const std::vector<Waiting> list{
        {"ExitClick", Plain, [](FrmFengmian& w) { w.ClickBotn_Click(3); }},
        {"ExitClickReporting", BoxPictureMissing, [](FrmFengmian& w) { w.ClickBotn_Click(3); }},
        {"WindowManagerClose", Plain, [](FrmFengmian& w) { w.close(); }},
        {"NewRandomPaper", MarksUnreadable, [](FrmFengmian& w) { w.ClickBotn_Click(21); }},
        {"PaperStart", MarksUnreadable, [](FrmFengmian& w) { w.ClickBotn_Click(91); }},
        {"WrongReview", MarksUnreadable, [](FrmFengmian& w) { w.LblShiJuanCCC_Click(21); }},
        {"Deletion", Plain, [](FrmFengmian& w) { w.LblShiJuanDel_Click(21); }},
        {"DeletionReporting", BoxPictureMissing, [](FrmFengmian& w) { w.LblShiJuanDel_Click(21); }},
        {"UnitStart", MarksUnreadable,
         [](FrmFengmian& w) {
             w.ClickBotn_Click(50);
             w.ClickBotn_Click(20);
         }},
        {"EmptyStoreNotice", Plain, [](FrmFengmian& w) { w.ClickBotn_Click(22); }},
    };
    return list;
}

const std::vector<Action>& interferingActions()
{
    static const std::vector<Action> list{
        {"DeletePaper", [] { if (FrmFengmian* w = home()) asEvent(w, [w] { w->LblShiJuanDel_Click(20); }); }},
        {"NewRandomPaper", [] { if (FrmFengmian* w = home()) asEvent(w, [w] { w->ClickBotn_Click(21); }); }},
        {"StartUnit",
         [] {
             if (FrmFengmian* w = home()) {
                 asEvent(w, [w] { w->ClickBotn_Click(50); });
                 if (FrmFengmian* again = home())
                     asEvent(again, [again] { again->ClickBotn_Click(20); });
             }
         }},
        {"CloseEveryWindow",
         [] {
             for (QWidget* top : QApplication::topLevelWidgets())
                 if (top->isVisible())
                     top->close();
         }},
        {"ClockTimeOut",
         [] {
             if (!FrmTm::isLoaded())
                 return;
             ModData::iLeftMinutes = 1;
             FrmTm::get().TimeKS.fire();
         }},
        {"ExitClick", [] { if (FrmFengmian* w = home()) asEvent(w, [w] { w->ClickBotn_Click(3); }); }},
        {"MessageBox",
         [] {
             if (FrmKVMSGBOX::isLoaded() && FrmKVMSGBOX::get().isVisible())
                 return;
             FrmKVMSGBOX& box = FrmKVMSGBOX::get();
             box.LblTitle.setCaption(QStringLiteral("系统提示"));
             asEvent(&box, [&box] { box.Show(true); });
         }},
    };
    return list;
}

} // namespace

class WaitProbe : public PapersReporting, public ::testing::WithParamInterface<std::tuple<int, int>> {
protected:
    void SetUp() override
    {
        PapersReporting::SetUp();
        if (IsSkipped())
            return;
        exam::setStandardBoxForTests([](const exam::BoxRequest&) { return exam::BoxAnswer::Yes; });
        // Every box is answered: the exit is refused, everything else confirmed.
        answer.setInterval(0);
        QObject::connect(&answer, &QTimer::timeout, [] {
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

    QTimer answer;
};

TEST_P(WaitProbe, NothingActsOnWhatTheWaitChanged)
{
    const auto [w, i] = GetParam();
    const Waiting& waiting = waitingActions().at(size_t(w));
    const Action& interfering = interferingActions().at(size_t(i));
    if (waiting.setup == MarksUnreadable) {
        QFile::remove(userPath(QStringLiteral("288862.mxy")));
        ASSERT_TRUE(QDir().mkdir(userPath(QStringLiteral("288862.mxy"))));
    } else if (waiting.setup == BoxPictureMissing) {
        QFile::remove(dataPath(QStringLiteral("l20071.mxy")));
    }
    FrmFengmian& home = FrmFengmian::get();
    home.Show();
    home.ClickBotn_Click(5);
    home.ClickBotn_Click(30);
    bool waited = false;
    platform::setWaitProbeForTests([&](platform::WaitKind) {
        platform::setWaitProbeForTests({});
        waited = true;
        interfering.run();
    });

    asEvent(&home, [&] { waiting.run(home); });
    drain();

    EXPECT_TRUE(waited);
    expectPapersWhole();
    expectRunningPaperInItsSlot();
    waitprobe::expectShownAndFree();
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, WaitProbe,
    ::testing::Combine(::testing::Range(0, int(waitingActions().size())), ::testing::Range(0, int(interferingActions().size()))),
    waitprobe::pairName(waitingActions, interferingActions));
