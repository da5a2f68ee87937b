// The road of a mock paper through the log-on, the hand-in windows and the score window into the
// review of its wrong questions, and out of that review back to the home window.

#include "paperfixture.h"

#include "history/historyfiles.h"
#include "platform/textfile.h"

#include <gtest/gtest.h>

using paperfixture::Paper;
using paperfixture::paperId;
using paperfixture::whenModal;
using namespace ModData;

TEST(MockPaperRoad, LogOnHandInScoreAndWrongQuestionReview)
{
    Paper world(4);
    // The paper's exercise pair as the launcher wrote it, and the unit files of its questions.
    QStringList text;
    for (int q = 1; q <= 40; ++q)
        text << QStringLiteral("000001试卷第%1题").arg(q);
    Paper::writeFile(world.dataPath(QStringLiteral("288854")), text.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    for (int unit = 0; unit < 4; ++unit)
        world.unitFiles(unit, std::vector<int>(10, 1));
    for (int q = 1; q <= 40; ++q)
        iTmFlags(q) = 0;

    // Log-on: the panel and the surface come up on question 1.
    FrmLogon& logon = FrmLogon::get();
    logon.Timer1.fire();
    logon.CmdLog_Click();
    while (FrmLogon::isLoaded() && logon.Timer2.fire()) {
    }
    tktest::flushDeletes();
    FrmTm& p = FrmTm::get();
    EXPECT_EQ(sTmTextFile, world.dataPath(QStringLiteral("288854")));
    EXPECT_EQ(p.RtbTM.Text(), QStringLiteral("试卷第1题"));

    // Questions 1 to 38 done; 39 opened, 40 never shown.
    for (int q = 1; q <= 38; ++q)
        iTmFlags(q) = 5;
    iTmFlags(39) = 1;

    // The hand-in button, then both windows confirmed.
    QString firstMessage;
    bool panelHidden = false;
    whenModal([&] {
        firstMessage = FrmEnd1::get().Label1.Caption();
        panelHidden = !p.isVisible();
        whenModal([&] { FrmEnd2::get().Command1_Click(); });
        FrmEnd1::get().Command1_Click();
    });
    p.CmdGN_Click(8);
    EXPECT_TRUE(panelHidden);
    EXPECT_TRUE(firstMessage.startsWith(QStringLiteral("您还有题目未做"))) << "question 40 was never shown";

    ASSERT_TRUE(FrmChengji::isLoaded());
    FrmChengji& score = FrmChengji::get();
    EXPECT_EQ(score.Label1.Caption(), QStringLiteral("第5套得分：95分"));
    EXPECT_EQ(Paper::readFile(world.user + QStringLiteral("182404.mxy")), paperId(39) + paperId(40) + QStringLiteral("\r\n"));
    EXPECT_EQ(platform::splitLines(Paper::readFile(world.userPath(QStringLiteral("288892")))).value(13), QStringLiteral("95"));

    // The review of the two wrong questions.
    score.Command3_Click();
    tktest::flushDeletes();
    EXPECT_EQ(iLianXiType, 2);
    EXPECT_EQ(iTmCount, 2);
    EXPECT_EQ(iTmCode(1), paperfixture::paperCode(39));
    p.TimerREDO.fire();
    EXPECT_EQ(p.RtbTM.Text(), QStringLiteral("单元3第9题"));
    EXPECT_TRUE(p.isVisible());
    EXPECT_FALSE(p.TimeKS.Enabled());

    // Question 2 of the review answered; leaving drops it from the paper's wrong questions.
    iTmFlags(2) = 5;
    world.answer = exam::BoxAnswer::Yes;
    p.CmdGN_Click(5);
    tktest::flushDeletes();
    EXPECT_EQ(world.asked.size(), 1u);
    EXPECT_EQ(Paper::readFile(world.user + QStringLiteral("182404.mxy")), paperId(39) + QStringLiteral("\r\n"));
    EXPECT_FALSE(FrmTm::isLoaded());
    EXPECT_FALSE(FrmMain::isLoaded());
    ASSERT_TRUE(FrmFengmian::isLoaded());
    EXPECT_TRUE(FrmFengmian::get().isVisible());
}

TEST(MockPaperRoad, TimeOutOpensTheHandInWindowAndBackGoesOnWithoutAClock)
{
    Paper world(4);
    FrmTm& p = world.panel();
    FrmMain::get().Show();
    p.Show();
    const QPointF docked(p.Left(), p.Top());
    iLeftMinutes = 1;
    world.answer = exam::BoxAnswer::Ok;
    bool opened = false;
    world.onBox = [&] {
        whenModal([&] {
            opened = FrmEnd1::isLoaded() && FrmEnd1::get().isModalShown();
            FrmEnd1::get().Command2_Click();
        });
    };
    p.TimeKS.fire();
    EXPECT_TRUE(opened);
    EXPECT_EQ(world.asked.size(), 1u);
    EXPECT_FALSE(FrmEnd1::isLoaded());
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(QPointF(p.Left(), p.Top()), docked);
    EXPECT_FALSE(p.TimeKS.Enabled());
    EXPECT_FALSE(FrmChengji::isLoaded());
}

// Three mock papers one after the other, each started from the home window and left back to it:
// every paper starts afresh, with a log-on window of its own (seat number), a panel whose clock
// runs its 50 minutes from the log-on, and the flags the launcher gives. The first ends at its
// time-out, the others through the hand-in button.
TEST(MockPaperRoad, ASecondAndAThirdPaperAfterGoingHomeEachStartAfresh)
{
    Paper world(4);
    for (int unit = 0; unit < 4; ++unit)
        world.unitFiles(unit, std::vector<int>(10, 1));
    Paper::writeFile(world.userPath(QString::fromLatin1(history::kMarkedList)), QStringLiteral("\r\n"));
    Paper::writeFile(world.userPath(QString::fromLatin1(history::kMarkedFlags)), QStringLiteral("\r\n"));
    world.answer = exam::BoxAnswer::Ok;
    const auto confirmBoth = [] {
        whenModal([] {
            whenModal([] { FrmEnd2::get().Command1_Click(); });
            FrmEnd1::get().Command1_Click();
        });
    };
    world.onBox = confirmBoth;
    FrmFengmian::get().Show();

    const struct {
        const char* seat;
        const char* zwh;
        bool timeOut;
    } papers[] = {{"7", "07", true}, {"12", "12", false}, {"", "00", false}};
    for (const auto& paper : papers) {
        SCOPED_TRACE(paper.zwh);
        ASSERT_TRUE(FrmFengmian::isLoaded());
        whenModal([] {
            if (FrmKVMSGBOX::isLoaded()) {
                ADD_FAILURE() << "notice: " << FrmKVMSGBOX::get().LblPrompt.Caption().toStdString();
                FrmKVMSGBOX::get().unload();
            }
        });
        FrmFengmian::get().ClickBotn_Click(74); // fixed paper 5
        tktest::flushDeletes();
        ASSERT_TRUE(FrmLogon::isLoaded());
        EXPECT_FALSE(FrmTm::isLoaded()) << "the last paper's panel went home with it";
        FrmLogon& logon = FrmLogon::get();
        EXPECT_EQ(logon.TxtZwh.Text(), QStringLiteral("18")) << "a log-on window of its own";
        logon.Timer1.fire();
        logon.TxtZwh.setText(QString::fromLatin1(paper.seat));
        logon.CmdLog_Click();
        while (FrmLogon::isLoaded() && logon.Timer2.fire()) {
        }
        tktest::flushDeletes();

        ASSERT_TRUE(FrmTm::isLoaded());
        FrmTm& p = FrmTm::get();
        EXPECT_EQ(sKsZwh, QString::fromLatin1(paper.zwh));
        EXPECT_EQ(p.KsZWH1.Caption(), QString::fromLatin1(paper.zwh));
        EXPECT_EQ(iLianXiType, 0);
        EXPECT_EQ(iRunMode, 3);
        EXPECT_EQ(iTmCount, 40);
        EXPECT_EQ(iTmFlags(1), 1) << "question 1 shown";
        for (int q = 2; q <= 40; ++q)
            EXPECT_EQ(iTmFlags(q), 0) << q;
        EXPECT_TRUE(p.isVisible());
        EXPECT_TRUE(FrmMain::get().isVisible());
        ASSERT_TRUE(p.TimeKS.Enabled());
        EXPECT_EQ(p.LblTime.Caption(), QStringLiteral("剩余50分钟"));
        ASSERT_TRUE(p.TimeKS.fire());
        EXPECT_EQ(p.LblTime.Caption(), QStringLiteral("剩余50分钟")) << "the first minute of its own clock";
        EXPECT_EQ(iLeftMinutes, 49);

        // Some work, then the end of the paper.
        for (int q = 1; q <= 20; ++q)
            iTmFlags(q) = 5;
        world.asked.clear();
        if (paper.timeOut) {
            while (!FrmChengji::isLoaded() && p.TimeKS.fire()) {
            }
            EXPECT_EQ(world.asked.size(), 1u) << "one time-out";
        } else {
            confirmBoth();
            p.CmdGN_Click(8);
            EXPECT_TRUE(world.asked.empty());
        }
        tktest::flushDeletes();
        ASSERT_TRUE(FrmChengji::isLoaded());
        EXPECT_EQ(FrmChengji::get().Label1.Caption(), QStringLiteral("第5套得分：50分"));
        EXPECT_FALSE(p.isVisible());
        EXPECT_FALSE(p.TimeKS.Enabled());

        FrmChengji::get().Command2_Click(); // home
        tktest::flushDeletes();
        EXPECT_FALSE(FrmTm::isLoaded());
        EXPECT_FALSE(FrmMain::isLoaded());
    }
}
