// The road of a mock paper through the log-on, the hand-in windows and the score window into the
// review of its wrong questions, and out of that review back to the home window.

#include "paperfixture.h"

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
