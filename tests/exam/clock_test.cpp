// The mock-paper clock of the question panel, driven tick by tick.

#include "common/testscope.h"
#include "panelfixture.h"
#include "paperfixture.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <string>

using panelfixture::Panel;
using namespace ModData;

namespace {

std::string s(const QString& text) { return text.toStdString(); }

} // namespace

TEST(ExamClock, FiftyMinutesOfAMockPaper)
{
    for (int kind : {0, 8}) {
        SCOPED_TRACE(kind);
        Panel world(40);
        iLianXiType = qint16(kind);
        iRunMode = 3;
        FrmTm& panel = Panel::panel();
        panel.PTime.setWidth(2000);
        ASSERT_TRUE(panel.TimeKS.Enabled()); // running from the panel's load
        panel.Show();
        const QPointF where(panel.Left(), panel.Top());
        bool enabledWhileAsking = false;
        bool handInModal = false;
        bool panelStayed = false;
        world.onBox = [&] {
            enabledWhileAsking = panel.TimeKS.Enabled();
            // Once the box is closed the first hand-in window opens; the candidate goes back.
            QTimer::singleShot(0, testscope::context(), [&] {
                handInModal = FrmEnd1::isLoaded() && FrmEnd1::get().isModalShown();
                panelStayed = panel.Visible() && QPointF(panel.Left(), panel.Top()) == where;
                FrmEnd1::get().Command2_Click();
            });
        };

        ASSERT_TRUE(panel.TimeKS.fire());
        EXPECT_EQ(s(panel.LblTime.Caption()), s(QStringLiteral("剩余50分钟")));
        EXPECT_EQ(panel.LblTimeJD.Width(), 0);
        EXPECT_EQ(iLeftMinutes, 49);

        for (int tick = 2; tick <= 49; ++tick)
            ASSERT_TRUE(panel.TimeKS.fire());
        EXPECT_TRUE(world.asked.empty());
        EXPECT_EQ(iLeftMinutes, 1);

        ASSERT_TRUE(panel.TimeKS.fire()); // the 50th tick
        EXPECT_EQ(s(panel.LblTime.Caption()), s(QStringLiteral("剩余1分钟")));
        EXPECT_EQ(panel.LblTimeJD.Width(), 1960);
        EXPECT_EQ(iLeftMinutes, 0);
        ASSERT_EQ(world.asked.size(), 1u);
        EXPECT_EQ(s(world.asked[0].prompt), s(QStringLiteral("时间已到，自动交卷！")));
        EXPECT_EQ(s(world.asked[0].title), "Windows XP");
        EXPECT_EQ(world.asked[0].buttons, exam::BoxButtons::Ok);
        EXPECT_TRUE(enabledWhileAsking); // stopped only once the box is closed
        EXPECT_TRUE(handInModal);
        EXPECT_TRUE(panelStayed); // the time-out neither moves nor hides the panel
        EXPECT_FALSE(panel.TimeKS.Enabled());
        EXPECT_FALSE(panel.TimeKS.fire());
    }
}

TEST(ExamClock, SingleTicks)
{
    struct Case {
        const char* what;
        int kind;
        int leftBefore;
        double track;
        const char* caption; // after the tick; nullptr: unchanged
        double bar;          // after the tick; < 0: unchanged
        int leftAfter;
        bool running;
    };
    const Case cases[] = {
        {"30 minutes left", 0, 30, 2000, "剩余30分钟", 800, 29, true},
        {"a paper turned into practice keeps its clock", 8, 12, 2055, "剩余12分钟", 1562, 11, true},
        {"a tick at 0 goes below, no time-out", 0, 0, 2000, "剩余0分钟", 2000, -1, true},
        {"a tick below 0", 8, -1, 2000, "剩余-1分钟", 2040, -2, true},
        {"whole unit stops at its first tick", 20, 50, 2000, nullptr, -1, 50, false},
        {"paper wrong-question review", 2, 50, 2000, nullptr, -1, 50, false},
        {"unit practice", 6, 50, 2000, nullptr, -1, 50, false},
        {"marked questions", 9, 50, 2000, nullptr, -1, 50, false},
        {"own wrong questions", 14, 50, 2000, nullptr, -1, 50, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Panel world(3);
        iLianXiType = qint16(c.kind);
        FrmTm& panel = Panel::panel();
        panel.PTime.setWidth(c.track);
        panel.LblTime.setCaption(QStringLiteral("before"));
        panel.LblTimeJD.setWidth(7);
        iLeftMinutes = qint16(c.leftBefore);

        ASSERT_TRUE(panel.TimeKS.fire());
        EXPECT_EQ(s(panel.LblTime.Caption()), c.caption ? s(QString::fromUtf8(c.caption)) : "before");
        EXPECT_EQ(panel.LblTimeJD.Width(), c.bar < 0 ? 7 : c.bar);
        EXPECT_EQ(iLeftMinutes, c.leftAfter);
        EXPECT_EQ(panel.TimeKS.Enabled(), c.running);
        EXPECT_TRUE(world.asked.empty());
    }
}

// The time-up box waits with the program's other events running: a paper handed in meanwhile is
// over when the box closes, and stays so.
TEST(ExamClock, APaperHandedInWhileTheTimeUpBoxWaitsStaysOver)
{
    paperfixture::Paper world;
    FrmTm& panel = world.panel();
    FrmMain::get().Show();
    panel.Show();
    iLeftMinutes = 1;
    world.answer = exam::BoxAnswer::Ok;
    bool handInWindowAfterTheBox = false;
    world.onBox = [&] {
        exam::finalHandIn();
        // A hand-in window that came up after the box would wait: noted, and the candidate goes
        // back from it.
        paperfixture::whenModal([&] {
            handInWindowAfterTheBox = FrmEnd1::isLoaded();
            if (FrmEnd1::isLoaded())
                FrmEnd1::get().Command2_Click();
        });
    };

    ASSERT_TRUE(panel.TimeKS.fire());
    QCoreApplication::processEvents();
    EXPECT_EQ(world.asked.size(), 1u);
    EXPECT_FALSE(handInWindowAfterTheBox) << "a hand-in window came up over the score";
    EXPECT_FALSE(FrmEnd1::isLoaded());
    ASSERT_TRUE(FrmChengji::isLoaded());
    EXPECT_TRUE(FrmChengji::get().isVisible());
    EXPECT_FALSE(panel.isVisible());
    EXPECT_FALSE(FrmMain::isLoaded() && FrmMain::get().isVisible());
    EXPECT_FALSE(panel.TimeKS.Enabled());
}

TEST(DemonstrationStart, ThroughTheDemonstrationButton)
{
    struct Case {
        const char* what;
        const char* line;
        const char* text; // the question text box afterwards
        bool picture;
    };
    const Case cases[] = {
        {"plain text keeps its bars", "000101第一行|第二行", "第一行|第二行", false},
        {"picture question", "000101picturep00001看图|操作", "看图|操作", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Panel world(1);
        world.picture(QStringLiteral("p00001"), QColor(1, 2, 3));
        Panel::writeFile(sTmTextFile, QString::fromUtf8(c.line) + QStringLiteral("\r\n"));
        FrmTm& panel = Panel::panel();
        FrmMain& surface = FrmMain::get();
        surface.Show();
        panel.Show();
        FrmPicture::get().Show(); // a question picture left open
        panel.Image2.setCaption(QStringLiteral("隐藏图片"));

        panel.CmdGN_Click(7);
        EXPECT_TRUE(bYanShiOn);
        EXPECT_EQ(s(panel.RtbTM.Text()), c.text);
        EXPECT_FALSE(FrmPicture::get().Visible());
        EXPECT_EQ(panel.Image2.Visible(), c.picture);
        EXPECT_EQ(s(panel.Image2.Caption()), s(QStringLiteral("显示图片")));
        if (c.picture) {
            EXPECT_EQ(FrmPicture::get().Image1.Picture().toImage().pixelColor(0, 0), QColor(1, 2, 3));
        }
        ASSERT_TRUE(panel.TimStartYS.Enabled());

        ASSERT_TRUE(panel.TimStartYS.fire()); // first tick: nothing yet
        EXPECT_EQ(panel.iStartYsTicks, 1);
        EXPECT_TRUE(surface.Visible());
        EXPECT_TRUE(panel.Visible());
        EXPECT_FALSE(FrmYanShi::isLoaded());

        ASSERT_TRUE(panel.TimStartYS.fire()); // second tick: the demonstration comes up
        EXPECT_EQ(panel.iStartYsTicks, 0);
        EXPECT_FALSE(panel.TimStartYS.Enabled());
        EXPECT_FALSE(surface.Visible());
        EXPECT_FALSE(panel.Visible());
        ASSERT_TRUE(FrmYanShi::isLoaded());
        EXPECT_TRUE(FrmYanShi::get().Visible());
        EXPECT_EQ(s(FrmYanShi::get().ImgLogo.Caption()), c.text); // its note: the text as stored
        EXPECT_TRUE(bYanShiOn);
    }
}
