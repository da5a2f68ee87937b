// Handlers that wait (an error report, the message box) and go on afterwards: what ran in the
// wait may have shown and closed the box, deleted or added a paper. The handler that resumes
// shows its own box, and starts, reviews or deletes a generated paper only while that paper is
// still in its slot; a new paper's history change is made from the files as they are after the
// wait. Reports go through the real reporter (to a closed port); the probe acts inside the first
// wait of the handler under test.

#include "app/modzcb.h"
#include "history/historyfiles.h"
#include "paperhistory.h"
#include "platform/waits.h"

using namespace hometest;

class HandlerWaits : public PapersReporting {
protected:
    // Runs `act` inside the first wait that starts from now on.
    void inTheFirstWait(std::function<void()> act)
    {
        platform::setWaitProbeForTests([this, act](platform::WaitKind) {
            platform::setWaitProbeForTests({});
            waited = true;
            act();
        });
    }
    // The marked list cannot be read: every launch reports, and waits on its report.
    void marksUnreadable()
    {
        QFile::remove(userPath(QStringLiteral("288862.mxy")));
        ASSERT_TRUE(QDir().mkdir(userPath(QStringLiteral("288862.mxy"))));
    }
    FrmFengmian& home()
    {
        FrmFengmian& w = FrmFengmian::get();
        w.Show();
        w.ClickBotn_Click(5);
        return w;
    }

    bool waited = false;
};

TEST_F(HandlerWaits, AnExitWhoseReportWaitsShowsItsOwnBoxAfterANoticeCameAndWent)
{
    QFile::remove(dataPath(QStringLiteral("l20071.mxy"))); // the exit box's picture: a report
    FrmFengmian& w = home();
    BoxAnswer box(1);
    inTheFirstWait([&w] { asEvent(&w, [&w] { w.ClickBotn_Click(22); }); }); // the empty marked store's notice

    asEvent(&w, [&w] { w.ClickBotn_Click(3); });

    EXPECT_TRUE(waited);
    EXPECT_EQ(box.titles, (QStringList{QStringLiteral("收藏题目练习"), QStringLiteral("退出系统")}));
    EXPECT_EQ(ended, 1);
}

// A paper deleted while the new paper's launcher waits stays deleted; every paper keeps its own
// record and wrong questions.
TEST_F(HandlerWaits, ANewPaperIsWrittenOverTheFilesAsTheyAreAfterTheWait)
{
    marksUnreadable();
    FrmFengmian& w = home();
    BoxAnswer box(1);
    inTheFirstWait([&w] { asEvent(&w, [&w] { w.LblShiJuanDel_Click(20); }); });
    const QString wrong21 = readLines(wrongFile(21)).value(0);

    asEvent(&w, [&w] { w.ClickBotn_Click(21); });

    EXPECT_TRUE(waited);
    ASSERT_TRUE(FrmLogon::isLoaded()); // the new paper starts
    const QStringList list = readLines(listFile());
    ASSERT_EQ(history::generatedPaperCount(list), 3) << list.join(u'|').toStdString();
    EXPECT_EQ(list.mid(1, 2), (QStringList{paperIds(21), paperIds(22)}));
    EXPECT_EQ(list.value(0).size(), 160);
    EXPECT_EQ(recordTime(21), QStringLiteral("T21"));
    EXPECT_EQ(recordTime(22), QStringLiteral("T22"));
    EXPECT_EQ(readLines(wrongFile(21)).value(0), wrong21);
    EXPECT_EQ(readLines(wrongFile(22)).value(0), paperIds(22).left(8));
    EXPECT_EQ(ModData::iSelIndex, 20);
}

// A start, a wrong-question review and a deletion of paper 21, while paper 20 is deleted in
// their wait: paper 22 is in slot 21 now, and nothing is started or deleted for it.
class PaperLeftItsSlot : public HandlerWaits, public ::testing::WithParamInterface<int> {};

TEST_P(PaperLeftItsSlot, AndTheHandlerThatWaitedLeavesItAlone)
{
    const std::function<void(FrmFengmian&)> acts[] = {
        [](FrmFengmian& w) { asEvent(&w, [&w] { w.ClickBotn_Click(91); }); },
        [](FrmFengmian& w) { asEvent(&w, [&w] { w.LblShiJuanCCC_Click(21); }); },
        [](FrmFengmian& w) { asEvent(&w, [&w] { w.LblShiJuanDel_Click(21); }); },
    };
    marksUnreadable();
    QFile::remove(dataPath(QStringLiteral("l20071.mxy"))); // the deletion's box reports too
    FrmFengmian& w = home();
    BoxAnswer box(1);
    inTheFirstWait([&w] { asEvent(&w, [&w] { w.LblShiJuanDel_Click(20); }); });

    acts[GetParam()](w);

    EXPECT_TRUE(waited);
    EXPECT_FALSE(FrmLogon::isLoaded());
    EXPECT_FALSE(FrmTm::isLoaded());
    EXPECT_EQ(readLines(listFile()).mid(0, 3), (QStringList{paperIds(21), paperIds(22), QString()}));
    EXPECT_EQ(recordTime(20), QStringLiteral("T21"));
    EXPECT_EQ(recordTime(21), QStringLiteral("T22"));
    EXPECT_EQ(readLines(wrongFile(21)).value(0), paperIds(22).left(8));
}

INSTANTIATE_TEST_SUITE_P(StartReviewDeletion, PaperLeftItsSlot, ::testing::Range(0, 3));

// The same handlers with nothing done in their wait go on as ever.
TEST_F(HandlerWaits, AGeneratedPaperStillInItsSlotAfterTheWaitGoesOn)
{
    marksUnreadable();
    FrmFengmian& w = home();
    BoxAnswer box(1);
    inTheFirstWait([] {});
    asEvent(&w, [&w] { w.ClickBotn_Click(91); });
    EXPECT_TRUE(waited);
    ASSERT_TRUE(FrmLogon::isLoaded());
    EXPECT_EQ(ModData::iSelIndex, 21);
}

TEST_F(HandlerWaits, TheWindowManagersCloseAsksAsTheExitButtonDoes)
{
    for (const int answer : {0, 1}) {
        SCOPED_TRACE(answer);
        ended = 0;
        FrmFengmian& w = home();
        BoxAnswer box(answer);
        EXPECT_FALSE(w.close());
        QCoreApplication::processEvents();
        EXPECT_EQ(box.titles, QStringList{QStringLiteral("退出系统")});
        EXPECT_EQ(ended, answer);
        EXPECT_TRUE(FrmFengmian::isLoaded());
        EXPECT_TRUE(w.isVisible());
    }
}

// Leaving a practice lets the panel close; the next practice's start takes that back.
TEST_F(HandlerWaits, EveryPracticesPanelRefusesTheWindowManagersClose)
{
    ModData::bTmCanClose = true; // as a left practice leaves it
    FrmFengmian& w = FrmFengmian::get();
    w.Show();
    w.ClickBotn_Click(4);
    w.ClickBotn_Click(50);
    w.ClickBotn_Click(20);
    ASSERT_TRUE(FrmTm::isLoaded());
    EXPECT_FALSE(FrmTm::get().close());
    EXPECT_TRUE(FrmTm::isLoaded());
    EXPECT_TRUE(FrmTm::get().isVisible());
}

// The unit count of the bank layout is checked where it is read: more units than the 20 unit
// buttons, or fewer than none, is a damaged bank file.
TEST_F(HandlerWaits, AUnitCountTheButtonsCannotShowIsADamagedBank)
{
    vb::setReporter({});
    struct Row {
        const char* line1;
        bool damaged;
    };
    for (const Row row : {Row{"0020", false}, Row{"0021", true}, Row{"0099", true}, Row{"00-1", true}}) {
        SCOPED_TRACE(row.line1);
        unloadWindows();
        writeLines(dataPath(QStringLiteral("288891.mxy")), {QString::fromLatin1(row.line1), QString(40, u'3')});
        Reports reports;
        FrmFengmian& w = FrmFengmian::get();
        EXPECT_EQ(reports.list.contains(QStringLiteral("fengmaincsh:53")), row.damaged) << reports.list.join(u' ').toStdString();
        EXPECT_EQ(int(ModData::iDanYuanCount), row.damaged ? 0 : 20);
        if (!row.damaged)
            continue;
        w.Show();
        w.ClickBotn_Click(4);
        BoxAnswer box;
        w.iSelUnit = 0;
        w.ClickBotn_Click(20);
        EXPECT_EQ(box.prompts.value(0).trimmed(), QStringLiteral("题库文件无法读取，本次练习未能开始！"));
        EXPECT_FALSE(FrmTm::isLoaded());
        w.ClickBotn_Click(30);
        w.ClickBotn_Click(21); // nor a random paper from the damaged bank
        EXPECT_EQ(box.prompts.value(1).trimmed(), QStringLiteral("题库文件无法读取，本次练习未能开始！"));
        EXPECT_FALSE(FrmLogon::isLoaded());
    }
}
