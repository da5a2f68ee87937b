// The hint window of a mock paper: its look, the clicks that only close it, and the answer button
// that turns the paper into practice and starts the demonstration.

#include "dialogfixture.h"

#include <gtest/gtest.h>

using dialogfixture::World;
using panelfixture::Panel;
using namespace ModData;

namespace {

const QColor kMarkExam(1, 2, 3), kUnmarkExam(4, 5, 6), kMarkPractice(7, 8, 9), kUnmarkPractice(10, 11, 12);

QColor colourOf(const tavoButton& b) { return b.Picture().toImage().pixelColor(0, 0); }

// A mock paper under way: question 1 of 3 shown, the panel with its examination buttons.
class MockPaper : public World {
public:
    MockPaper()
    {
        picture(QStringLiteral("l01053"), kMarkExam);
        picture(QStringLiteral("l01054"), kUnmarkExam);
        picture(QStringLiteral("l01003"), kMarkPractice);
        picture(QStringLiteral("l01011"), kUnmarkPractice);
        picture(QStringLiteral("l01038"), Qt::gray);
        picture(QStringLiteral("l01039"), Qt::yellow);
        iLianXiType = 0;
        iSelIndex = 4;
        iRunMode = 3;
        sKsStartTime = QStringLiteral("2026-12-10 13:00:00");
        bTmCanClose = false;
        FrmTm& p = panel();
        p.TimKsModel.fire();
        p.TimStartYS.setEnabled(false);
        bTmCanClose = false;
        iStepNo = 3; // the candidate is at step 3 of question 1
    }
    FrmCZTS& hint()
    {
        FrmCZTS& h = FrmCZTS::get();
        tktest::showExposed(h);
        return h;
    }
};

void click(QWidget& w, QPoint at)
{
    tktest::press(w, at);
    tktest::release(w, at);
}

} // namespace

TEST(HintWindow, LaidOutFromItsDesign)
{
    const struct {
        double sx, sy;
    } scales[] = {{1, 1}, {1.25, 0.8}};
    for (const auto& s : scales) {
        SCOPED_TRACE(s.sx);
        MockPaper world;
        dScaleX = s.sx;
        dScaleY = s.sy;
        FrmCZTS& h = FrmCZTS::get();
        EXPECT_EQ(h.Caption(), QStringLiteral("职称计算机练习——Windows XP模块"));
        EXPECT_EQ(QRectF(0, 0, h.Width(), h.Height()), QRectF(0, 0, 4815, 5130)) << "not scaled";
        EXPECT_EQ(h.Left(), (15360 - 4815) / 2.0);
        EXPECT_EQ(h.Top(), (11520 - 5130) / 2.0);
        EXPECT_TRUE(h.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_FALSE(h.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(h.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        for (tavoButton* b : {&h.Command1, &h.Command2}) {
            EXPECT_EQ(b->Width(), 1920 * s.sx);
            EXPECT_EQ(b->Height(), 450 * s.sy);
            EXPECT_EQ(b->Top(), 4440);
        }
        EXPECT_EQ(h.Command1.Left(), 360);
        EXPECT_EQ(h.Command2.Left(), 2520);
        EXPECT_EQ(colourOf(h.Command1), QColor(Qt::gray));
        EXPECT_EQ(colourOf(h.Command2), QColor(Qt::yellow));
        EXPECT_EQ(h.Label3.Caption(), QStringLiteral("请注意!!!"));
        EXPECT_EQ(h.Label2.Caption().split(QStringLiteral("\r\n\r\n")).size(), 3) << "three paragraphs";
        EXPECT_TRUE(h.Label2.Caption().startsWith(QStringLiteral("1.正式考试时不能看答案。")));
        EXPECT_TRUE(h.Label2.Caption().endsWith(QStringLiteral("3.如果你实在等不及了，可以点“我想立即看答案”。")));
        EXPECT_EQ(h.Label2.FontSize(), 12);
    }
}

TEST(HintWindow, EveryOtherClickOnlyCloses)
{
    const struct {
        const char* what;
        std::function<void(FrmCZTS&)> act;
    } cases[] = {
        {"close button", [](FrmCZTS& h) { click(h.Command1.ImgBack, {2, 2}); }},
        {"explanation", [](FrmCZTS& h) { click(h.Label2, {40, 60}); }},
        {"caption", [](FrmCZTS& h) { click(h.Label3, {10, 5}); }},
        {"background", [](FrmCZTS& h) { click(h, {2, 2}); }},
        {"inside the frame lines", [](FrmCZTS& h) { click(h, {4, 200}); }},
        {"close box", [](FrmCZTS& h) { h.close(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MockPaper world;
        c.act(world.hint());
        EXPECT_FALSE(FrmCZTS::isLoaded());
        EXPECT_TRUE(world.asked.empty());
        EXPECT_EQ(iRunMode, 3);
        EXPECT_EQ(sKsStartTime, QStringLiteral("2026-12-10 13:00:00"));
        EXPECT_FALSE(bYanShiOn);
        EXPECT_EQ(iStepNo, 3);
        EXPECT_FALSE(Panel::panel().TimStartYS.Enabled());
        EXPECT_TRUE(Panel::panel().CmdGN[8].Visible());
    }
}

TEST(HintWindow, AnswerButtonAsksFirstAndNoChangesNothing)
{
    MockPaper world;
    world.answer = exam::BoxAnswer::No;
    FrmCZTS& h = world.hint();
    click(h.Command2.ImgBack, {2, 2});
    ASSERT_EQ(world.asked.size(), 1u);
    const exam::BoxRequest& r = world.asked[0];
    EXPECT_EQ(r.prompt, QStringLiteral("立即看答案将不能测试您的实际水平，如果你坚持现在看答案，成绩将不记入本次练习记录！"
                                       "\r\n您现在就要看答案吗？"));
    EXPECT_EQ(r.title, QStringLiteral("不建议您立即看答案"));
    EXPECT_EQ(r.buttons, exam::BoxButtons::YesNo);
    EXPECT_FALSE(r.defaultNo);
    EXPECT_FALSE(r.questionIcon);

    EXPECT_TRUE(FrmCZTS::isLoaded());
    EXPECT_TRUE(h.isVisible());
    EXPECT_EQ(iRunMode, 3);
    EXPECT_EQ(sKsStartTime, QStringLiteral("2026-12-10 13:00:00"));
    EXPECT_FALSE(bYanShiOn);
    FrmTm& p = Panel::panel();
    EXPECT_EQ(colourOf(p.CmdGN[3]), kMarkExam);
    for (int i = 5; i <= 10; ++i)
        EXPECT_EQ(p.CmdGN[i].Visible(), i >= 8) << i;
    EXPECT_FALSE(p.TimStartYS.Enabled());
}

TEST(HintWindow, YesTurnsThePaperIntoPracticeAndArmsTheDemonstration)
{
    MockPaper world;
    world.answer = exam::BoxAnswer::Yes;
    FrmTm& p = Panel::panel();
    FrmMain::get().Hide();
    click(world.hint().Command2.ImgBack, {2, 2});

    EXPECT_EQ(world.asked.size(), 1u);
    EXPECT_FALSE(FrmCZTS::isLoaded());
    EXPECT_EQ(iRunMode, 2);
    EXPECT_EQ(sKsStartTime, QStringLiteral("-1"));
    EXPECT_TRUE(bYanShiOn);
    EXPECT_EQ(iStepNo, 1);
    EXPECT_FALSE(bTmCanClose);
    EXPECT_TRUE(FrmMain::get().Visible());
    EXPECT_EQ(colourOf(p.CmdGN[3]), kMarkPractice);
    EXPECT_EQ(colourOf(p.CmdGN[11]), kUnmarkPractice);
    EXPECT_TRUE(p.PicUnit.Visible());
    for (int i = 5; i <= 10; ++i)
        EXPECT_EQ(p.CmdGN[i].Visible(), i <= 7) << i;
    EXPECT_TRUE(p.TimStartYS.Enabled());
    EXPECT_TRUE(p.TimKsModel.Enabled());
    // The panel's own arrangement for the new mode agrees.
    p.TimKsModel.fire();
    for (int i = 5; i <= 10; ++i)
        EXPECT_EQ(p.CmdGN[i].Visible(), i <= 7) << i;
    // The paper stays the same exercise.
    EXPECT_EQ(iLianXiType, 0);
    EXPECT_EQ(iSelIndex, 4);
    EXPECT_EQ(iTmCount, 3);
}
