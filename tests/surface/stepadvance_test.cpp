// Step advance, the one-shot scene build, timed steps, and the data that must never make the
// surface loop: builds that run a judge from inside themselves, steps beyond the file's end.

#include "bank/oprecord.h"
#include "recordbuilder.h"
#include "surfaceworld.h"

#include <functional>
#include <gtest/gtest.h>

using testrec::Record;
using testworld::World;
using namespace ModData;

TEST(StepAdvance, OneShotBuildReadsTheStepWhenItFires)
{
    World w;
    w.ops({Record(QStringLiteral("0001")), Record(QStringLiteral("0002")), Record(QStringLiteral("0003"))});
    FrmMain& m = World::surface();
    ASSERT_TRUE(m.Timer2.Enabled()); // the panel's display asked for it
    iStepNo = 3;
    EXPECT_TRUE(m.Timer2.fire());
    EXPECT_EQ(m.opCode, 3);
    EXPECT_EQ(iTmStep(1), 3);
    EXPECT_FALSE(m.Timer2.Enabled());
    EXPECT_FALSE(m.Timer2.fire()); // once per enabling
}

TEST(StepAdvance, AdvancesAndClosesTheMenus)
{
    World w;
    w.ops({Record(QStringLiteral("0001")).hotSpot(10, 10, 100, 100), Record(QStringLiteral("0002")).hotSpot(10, 10, 100, 100),
           Record(QStringLiteral("9999"))});
    FrmMain& m = World::build(1);
    m.menuOpen = true;
    m.LblShuMenu[3].show();
    m.doNext();
    EXPECT_EQ(iStepNo, 2);
    EXPECT_EQ(m.opCode, 2);
    EXPECT_FALSE(m.menuOpen);
    EXPECT_FALSE(m.LblShuMenu[3].Visible());
    m.doNext();
    m.doNext(); // a judge calling twice for one event goes two steps: here the second meets the end
    EXPECT_EQ(iStepNo, 3);
    EXPECT_EQ(iTmFlags(1), 5);
}

// On the end record's scene the advance builds nothing: no step change, no label rewritten.
TEST(StepAdvance, EndRecordRebuildsNothing)
{
    World w;
    iTmCount = 2;
    w.ops({Record(QStringLiteral("9999"))});
    FrmMain& m = World::build(1);
    FrmTm& p = FrmTm::get();
    EXPECT_EQ(iTmFlags(1), 5);
    p.LblUnit.setCaption(QStringLiteral("unchanged"));
    m.LblSuccess.hide();
    iTmFlags(1) = 2; // say the flag was taken away meanwhile
    m.doNext();
    EXPECT_EQ(iStepNo, 1);
    EXPECT_EQ(iTmFlags(1), 6);
    EXPECT_EQ(p.LblUnit.Caption().toStdString(), "unchanged");
    EXPECT_FALSE(m.LblSuccess.Visible());
    m.doNext();
    EXPECT_EQ(iTmFlags(1), 6);
}

TEST(StepAdvance, TimedSteps)
{
    World w;
    w.ops({Record(QStringLiteral("8888")), Record(QStringLiteral("8888")), Record(QStringLiteral("0001")),
           Record(QStringLiteral("8888")), Record(QStringLiteral("9999"))});
    FrmMain& m = World::build(1);
    EXPECT_TRUE(m.Timer3.Enabled());
    EXPECT_TRUE(m.Timer3.fire());
    EXPECT_EQ(iStepNo, 2);
    EXPECT_TRUE(m.Timer3.Enabled()); // two timed steps in a row: still on
    m.Timer3.fire();
    EXPECT_EQ(iStepNo, 3);
    EXPECT_FALSE(m.Timer3.Enabled());
    m.Timer3_Timer(); // a tick on another step does nothing
    EXPECT_EQ(iStepNo, 3);

    m.doNext();
    EXPECT_TRUE(m.Timer3.Enabled());
    m.Timer3.fire(); // a timed step before the end record: completed, timer off
    EXPECT_EQ(iStepNo, 5);
    EXPECT_FALSE(m.Timer3.Enabled());
    EXPECT_EQ(iTmFlags(1), 5);
}

// A timed step on the last line of a file that has no end record: the step beyond the file is
// built once (from the last line) and the timer then advances no further.
TEST(StepAdvance, NoEndlessAdvanceBeyondTheFile)
{
    World w;
    w.ops({Record(QStringLiteral("0001")), Record(QStringLiteral("8888"))});
    FrmMain& m = World::build(2);
    m.Timer3.fire();
    EXPECT_EQ(iStepNo, 3);
    EXPECT_TRUE(m.recordBeyondFile());
    for (int i = 0; i < 5; ++i)
        m.Timer3.fire();
    EXPECT_EQ(iStepNo, 3);
    EXPECT_EQ(iTmStep(1), 3);
}

// A typing judge that finds the text box's initial text already matching advances from inside the
// build. At the last line of a file the next step is that same line, built again and again.
TEST(StepAdvance, BuildsRunningJudgesStop)
{
    struct Case {
        const char* name;
        QStringList ops;
        int startStep;
        int finalStep;
    };
    const QString typing = Record(QStringLiteral("0020")).textBox(100, 100, 900, 285).initialText(1).answer(1);
    const QString typing2 = Record(QStringLiteral("0020")).textBox(100, 100, 900, 285).initialText(2).answer(2);
    const Case cases[] = {
        // A matching box on step 1 and step 2: two steps advance within one build.
        {"chain to the end record", {typing, typing2, Record(QStringLiteral("9999"))}, 1, 3},
        // The last line matches: one pass beyond the file, then no more.
        {"last line", {Record(QStringLiteral("0001")), typing}, 2, 3},
    };
    for (const auto& c : cases) {
        World w;
        w.texts({QStringLiteral("abc"), QStringLiteral("xyz")});
        w.ops(c.ops);
        FrmMain& m = World::surface();
        m.Text1.setText(QString());
        int judged = 0;
        // Stands in for the typing judge: the box's text equals the answer text.
        m.Text1.onChange = [&m, &judged] {
            ++judged;
            const bank::OpRecord rec(sOpRecord);
            if (rec.opCode().text() == u"0020" && m.Text1.Text() == bank::operationText(sOpTextFile, rec.answerText()))
                m.doNext();
        };
        World::build(c.startStep);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(iStepNo, c.finalStep);
        EXPECT_LT(judged, 10);
    }
}

// Even a chain that never reaches the end of a file of thousands of matching lines ends.
TEST(StepAdvance, DeepChainsAreBounded)
{
    World w;
    QStringList ops;
    for (int i = 0; i < 3000; ++i)
        ops << Record(QStringLiteral("0020")).textBox(100, 100, 900, 285).initialText(1 + i % 2).answer(1 + i % 2);
    w.texts({QStringLiteral("abc"), QStringLiteral("xyz")});
    w.ops(ops);
    FrmMain& m = World::surface();
    m.Text1.setText(QString());
    m.Text1.onChange = [&m] {
        const bank::OpRecord rec(sOpRecord);
        if (m.Text1.Text() == bank::operationText(sOpTextFile, rec.answerText()))
            m.doNext();
    };
    World::build(1);
    EXPECT_GT(iStepNo, 10);
    EXPECT_LT(iStepNo, 200);
}

// A timed step's timer belongs to its question: every question switch of the panel stops it, and a
// tick that comes after the switch, before the next question's scene is built, acts on nothing.
TEST(StepAdvance, TimedStepTimerStopsAtAQuestionSwitch)
{
    struct Case {
        const char* name;
        std::function<void(FrmTm&)> switchQuestion;
        int shown; // the question shown after the switch
    } cases[] = {
        {"next", [](FrmTm& p) { p.CmdGN_Click(1); }, 3},
        {"previous", [](FrmTm& p) { p.CmdGN_Click(0); }, 1},
        {"number page choice", [](FrmTm& p) { p.CmTNO_Click(3); }, 3},
        {"redo", [](FrmTm& p) { p.CmdGN_Click(2); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        World w;
        // Question 1 at line 1, question 2 (a timed step first) at line 3, question 3 at line 6.
        w.ops({Record(QStringLiteral("0001")), Record(QStringLiteral("9999")), Record(QStringLiteral("8888")),
               Record(QStringLiteral("0001")), Record(QStringLiteral("9999")), Record(QStringLiteral("0001")),
               Record(QStringLiteral("9999"))});
        iTmCount = 3;
        for (int q = 1; q <= 3; ++q) {
            iTmLine(q) = qint16(q == 1 ? 1 : q == 2 ? 3 : 6);
            sTmDone(q) = QStringLiteral("F");
        }
        iTmNo = 1;
        FrmMain& m = World::surface();
        FrmTm& panel = FrmTm::get();
        panel.CmdGN_Click(1); // on to question 2, whose scene the panel's one-shot builds
        m.Timer2.fire();
        ASSERT_EQ(iTmNo, 2);
        ASSERT_TRUE(m.Timer3.Enabled());

        c.switchQuestion(panel);
        EXPECT_EQ(iTmNo, c.shown);
        EXPECT_FALSE(m.Timer3.fire()); // no tick before the next question's scene is built
        EXPECT_EQ(iStepNo, 1);
        for (int q = 1; q <= 3; ++q)
            EXPECT_LT(iTmFlags(q), 4) << "question " << q;
        m.Timer2.fire();
        EXPECT_EQ(iStepNo, 1);
        EXPECT_EQ(m.Timer3.Enabled(), c.shown == 2); // a redo arms the timed step again
    }
    {
        SCOPED_TRACE("a tick after the question changed by other means");
        World w;
        w.ops({Record(QStringLiteral("8888")), Record(QStringLiteral("9999")), Record(QStringLiteral("0001")),
               Record(QStringLiteral("9999"))});
        iTmCount = 2;
        iTmLine(2) = 3;
        FrmMain& m = World::build(1);
        ASSERT_TRUE(m.Timer3.Enabled());
        iTmNo = 2;
        EXPECT_TRUE(m.Timer3.fire());
        EXPECT_FALSE(m.Timer3.Enabled());
        EXPECT_EQ(iStepNo, 1);
        EXPECT_LT(iTmFlags(1), 4);
        EXPECT_LT(iTmFlags(2), 4);
    }
}
