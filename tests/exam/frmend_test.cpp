// The hand-in windows: the first window's warning, the design both share, the way back to the
// paper with the panel docked again, and the final hand-in that ends the paper.

#include "paperfixture.h"

#include "exam/frmczts.h"

#include <QApplication>

#include <gtest/gtest.h>

using paperfixture::Paper;
using paperfixture::whenModal;
using namespace ModData;

namespace {

QRectF rectOf(const tk::Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

// Where the docking rule puts the panel on the surface.
QPointF dockedPlace()
{
    const FrmMain& s = FrmMain::get();
    const FrmTm& p = FrmTm::get();
    return {s.Left() + s.Width() - p.Width(), s.Top() + s.Height() - p.Height()};
}

// The hand-in button's part: the panel to the screen's top-left corner, hidden.
void panelAsTheHandInButtonLeavesIt()
{
    FrmTm& p = FrmTm::get();
    p.Move(0, 0);
    p.Hide();
}

// The panel up over the surface in the paper's last minute; the time-out's box is answered.
FrmTm& inTheLastMinute(Paper& world)
{
    FrmTm& p = world.panel();
    FrmMain::get().Show();
    p.Show();
    iLeftMinutes = 1;
    world.answer = exam::BoxAnswer::Ok;
    return p;
}

} // namespace

TEST(HandInWindows, FirstWindowWarnsUnlessEveryQuestionIsOpenedAndUnmarked)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString warned = QStringLiteral("您还有题目未做或仍处于标识状态！") + crlf + crlf + QStringLiteral("您是否确定交卷?");
    const QString plain = crlf + QStringLiteral("您是否确定交卷?");
    const struct {
        const char* name;
        int question, flags; // question (1 to 40) given these flags, all others 1 or 5
        bool warning;
    } cases[] = {
        {"all opened and unmarked, some completed", 7, 5, false},
        {"never shown", 12, 0, true},
        {"shown and marked", 40, 3, true},
        {"completed and marked", 1, 7, true},
        {"completed without the opened flag", 20, 4, true},
        {"marked, never shown", 33, 2, true},
        {"completed, marked, never shown", 33, 6, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Paper world;
        for (int q = 1; q <= 40; ++q)
            iTmFlags(q) = qint16(q % 2 ? 1 : 5);
        iTmFlags(c.question) = qint16(c.flags);
        iTmCount = 3; // the rule reads all 40 whatever the question count
        EXPECT_EQ(FrmEnd1::needsWarning(), c.warning);
        EXPECT_EQ(FrmEnd1::get().Label1.Caption(), c.warning ? warned : plain);
        FrmEnd1::get().unload();
    }
    EXPECT_EQ(FrmEnd2::message(), QStringLiteral("按“交卷”后您将退出本场考试，并且不能重新登录!") + crlf + crlf +
                                      QStringLiteral("是否确定交卷?"));
}

TEST(HandInWindows, SharedDesign)
{
    for (const auto& s : paperfixture::kScales) {
        SCOPED_TRACE(s.sx);
        Paper world;
        dScaleX = s.sx;
        dScaleY = s.sy;
        for (bool second : {false, true}) {
            tk::Form& w = second ? static_cast<tk::Form&>(FrmEnd2::get()) : FrmEnd1::get();
            tk::Frame& frame = second ? FrmEnd2::get().Frame1 : FrmEnd1::get().Frame1;
            tk::Label& label = second ? FrmEnd2::get().Label1 : FrmEnd1::get().Label1;
            tavoButton& confirm = second ? FrmEnd2::get().Command1 : FrmEnd1::get().Command1;
            tavoButton& back = second ? FrmEnd2::get().Command2 : FrmEnd1::get().Command2;
            EXPECT_EQ(w.Caption(), QStringLiteral("重要提示"));
            EXPECT_EQ(QSizeF(w.Width(), w.Height()), QSizeF(4410, 2670)) << "not scaled";
            EXPECT_EQ(w.Left(), (15360 - 4410) / 2.0);
            EXPECT_EQ(w.Top(), (11520 - 2670) / 2.0);
            EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowCloseButtonHint));
            EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
            EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
            EXPECT_FALSE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
            EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << "above the topmost panel";
            EXPECT_EQ(w.BackColor(), 0xD8E9EB);
            EXPECT_EQ(rectOf(frame), QRectF(90, 60, 4215, 1935));
            EXPECT_EQ(rectOf(label), QRectF(150, 240, 3855, 1575));
            EXPECT_EQ(label.ForeColor(), 0xFF);
            EXPECT_EQ(label.BorderStyle(), 1);
            EXPECT_EQ(label.FontSize(), 15);
            EXPECT_TRUE(label.FontBold());
            EXPECT_EQ(rectOf(confirm), QRectF(600, 2160, 1320 * s.sx, 420 * s.sy));
            EXPECT_EQ(rectOf(back), QRectF(2400, 2160, 1320 * s.sx, 420 * s.sy));
            EXPECT_FALSE(confirm.Picture().isNull());
            EXPECT_FALSE(back.Picture().isNull());
            // A close asked of the window itself is refused: the buttons are the ways out.
            EXPECT_FALSE(w.unload(tk::Form::FromControlMenu));
            EXPECT_TRUE(w.unload());
        }
    }
}

TEST(HandInWindows, BackFromEitherWindowDocksThePanelAndThePaperGoesOn)
{
    for (bool fromSecond : {false, true}) {
        SCOPED_TRACE(fromSecond);
        Paper world;
        FrmTm& p = world.panel();
        iTmFlags(5) = 7;
        iLeftMinutes = 31;
        panelAsTheHandInButtonLeavesIt();
        bool secondWasOpen = false;
        whenModal([&] {
            if (!fromSecond) {
                FrmEnd1::get().Command2_Click();
                return;
            }
            whenModal([&] {
                secondWasOpen = FrmEnd2::isLoaded() && FrmEnd2::get().isModalShown();
                EXPECT_FALSE(FrmEnd1::isLoaded()) << "the first window goes before the second opens";
                FrmEnd2::get().Command2_Click();
            });
            FrmEnd1::get().Command1_Click();
        });
        FrmEnd1::get().Show(true);
        EXPECT_EQ(secondWasOpen, fromSecond);
        EXPECT_FALSE(FrmEnd1::isLoaded());
        EXPECT_FALSE(FrmEnd2::isLoaded());
        EXPECT_TRUE(p.isVisible());
        EXPECT_EQ(QPointF(p.Left(), p.Top()), dockedPlace());
        EXPECT_EQ(iTmFlags(5), 7);
        EXPECT_EQ(iLeftMinutes, 31);
        EXPECT_TRUE(p.TimeKS.Enabled());
        EXPECT_TRUE(FrmMain::isLoaded());
        EXPECT_FALSE(FrmChengji::isLoaded());
    }
}

TEST(HandInWindows, FinalHandInEndsThePaperAndShowsTheScore)
{
    Paper world;
    FrmTm& p = world.panel();
    iLeftMinutes = 20;
    p.LblTimeJD.setWidth(900);
    p.LblTime.setCaption(QStringLiteral("剩余21分钟"));
    panelAsTheHandInButtonLeavesIt();
    bool resumedAfterBoth = false;
    whenModal([&] {
        whenModal([&] { FrmEnd2::get().Command1_Click(); });
        FrmEnd1::get().Command1_Click();
        resumedAfterBoth = !FrmEnd2::isLoaded();
    });
    FrmEnd1::get().Show(true);
    tktest::flushDeletes();
    EXPECT_TRUE(resumedAfterBoth);
    EXPECT_EQ(iLeftMinutes, 50);
    ASSERT_TRUE(FrmTm::isLoaded()) << "the panel refuses: the reviews reuse it";
    EXPECT_EQ(p.LblTime.Caption(), QStringLiteral("剩余50分钟"));
    EXPECT_EQ(p.LblTimeJD.Width(), 0);
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(QPointF(p.Left(), p.Top()), QPointF(0, 0));
    EXPECT_FALSE(p.TimeKS.Enabled()) << "a handed-in paper cannot time out later";
    EXPECT_FALSE(FrmMain::isLoaded());
    ASSERT_TRUE(FrmChengji::isLoaded());
    EXPECT_TRUE(FrmChengji::get().isVisible());
    EXPECT_EQ(sKsStartTime, QStringLiteral("-1")) << "the score window scored it";
}

// The time-out leaves the panel up over the surface while the hand-in windows are open; the
// final hand-in hides it all the same, so nothing of the paper stays usable over the score window.
TEST(HandInWindows, AfterATimeOutTheFinalHandInHidesThePanel)
{
    Paper world;
    FrmTm& p = inTheLastMinute(world);
    bool panelUpMeanwhile = false;
    world.onBox = [&] {
        whenModal([&] {
            panelUpMeanwhile = p.isVisible();
            whenModal([&] { FrmEnd2::get().Command1_Click(); });
            FrmEnd1::get().Command1_Click();
        });
    };
    p.TimeKS.fire();
    tktest::flushDeletes();
    EXPECT_TRUE(panelUpMeanwhile) << "the time-out neither moves nor hides the panel";
    ASSERT_TRUE(FrmTm::isLoaded());
    EXPECT_FALSE(p.isVisible());
    EXPECT_FALSE(FrmMain::isLoaded());
    ASSERT_TRUE(FrmChengji::isLoaded());
    EXPECT_TRUE(FrmChengji::get().isVisible());
}

// At a time-out the panel is up (topmost) and the hint window may be open (topmost and modal): the
// hand-in windows open above both, topmost themselves and shown after them, with their buttons
// free.
TEST(HandInWindows, OpenAboveEveryWindowOfThePaperAtATimeOut)
{
    for (bool hint : {false, true}) {
        SCOPED_TRACE(hint ? "hint window open" : "panel only");
        Paper world;
        FrmTm& p = inTheLastMinute(world);
        bool topmost = false, active = false, hintBelow = false;
        world.onBox = [&] {
            whenModal([&] {
                FrmEnd1& w = FrmEnd1::get();
                topmost = w.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                active = QApplication::activeModalWidget() == &w;
                hintBelow = FrmCZTS::isLoaded() && FrmCZTS::get().isVisible();
                w.Command2_Click();
            });
        };
        if (hint) {
            whenModal([&] {
                p.TimeKS.fire();
                FrmCZTS::unloadIfLoaded();
            });
            p.CmdGN_Click(10);
        } else {
            p.TimeKS.fire();
        }
        EXPECT_TRUE(p.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(topmost);
        EXPECT_TRUE(active);
        EXPECT_EQ(hintBelow, hint);
    }
}
