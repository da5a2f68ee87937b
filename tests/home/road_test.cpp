// The road of one unit practice on the sample program folder: start-up, home screen, a unit and
// the not-yet-learned scope, the questions on the surface, the way back and the progress shown.

#include "app/fonts.h"
#include "app/frmstart.h"
#include "bank/oprecord.h"
#include "homefixture.h"
#include "toolkit/toolkit_testutil.h"

#include <QTest>

using namespace hometest;

namespace {

void click(QWidget& w)
{
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(w.width() / 2, w.height() / 2));
}

// The candidate's hand on the surface, for the kinds of step the practised questions ask.
void act(FrmMain& m)
{
    const bank::OpRecord rec(ModData::sOpRecord);
    const QPoint at(m.Label1.width() / 2, m.Label1.height() / 2);
    switch (rec.opCode().kind()) {
    case bank::StepKind::Click:
        tktest::press(m.Label1, at);
        tktest::release(m.Label1, at);
        break;
    case bank::StepKind::RightClick:
        tktest::press(m.Label1, at, Qt::RightButton);
        tktest::release(m.Label1, at, Qt::RightButton);
        break;
    case bank::StepKind::DoubleClick:
        QTest::mouseDClick(m.windowHandle(), Qt::LeftButton, {}, tktest::inWindow(m.Label1, at));
        break;
    case bank::StepKind::Hover:
        tktest::moveTo(m.Label1, {-20, -20});
        tktest::moveTo(m.Label1, at);
        break;
    default:
        ADD_FAILURE() << "no hand for the step " << rec.opCode().text().toStdString();
    }
}

// Answers question iTmNo on the surface, step by step; false when it is never completed.
bool completeQuestion()
{
    FrmMain& surface = FrmMain::get();
    surface.Timer2.fire();
    for (int step = 0; step < 40 && ModData::iTmFlags(ModData::iTmNo) < 4; ++step)
        act(surface);
    return ModData::iTmFlags(ModData::iTmNo) >= 4;
}

} // namespace

class HomeRoad : public HomeTest {
protected:
    void SetUp() override
    {
        HomeTest::SetUp();
        if (IsSkipped())
            return;
        // The candidate has learned unit 1 but for its second and last questions.
        writeLines(userPath(QStringLiteral("288893.mxy")), {QStringLiteral("TFTTTTF")});
        // Not the first run; the data path is named before the reset empties it.
        writeLines(dataPath(QStringLiteral("288892.mxy")), {QStringLiteral("1")});
        ModData::resetAll(); // start-up reads everything again
        FrmStart::setEndProgramForTests([] {});
    }
    void TearDown() override
    {
        FrmStart::unloadIfLoaded();
        FrmStart::setEndProgramForTests({});
        HomeTest::TearDown();
    }
};

TEST_F(HomeRoad, UnitPracticeOfNotYetLearnedQuestions)
{
    FrmStart::get().Timer1_Timer();
    ASSERT_TRUE(FrmFengmian::isLoaded());
    FrmFengmian* home = &FrmFengmian::get();
    EXPECT_TRUE(home->isVisible());
    EXPECT_FALSE(home->PicTOP.Visible());

    // The question-bank page opens on the unit to learn.
    click(home->ClickBotn[4]);
    EXPECT_TRUE(home->PicTiKu.Visible());
    EXPECT_EQ(home->iSelUnit, 0);
    EXPECT_EQ(home->LblUnitDQCAP[4].Caption(), QStringLiteral("2题"));
    click(home->ClickBotn[39]);
    EXPECT_EQ(home->iUnitScope, 2);
    click(home->ClickBotn[20]);

    // The panel and the surface, on question 1 of two.
    EXPECT_FALSE(FrmFengmian::isLoaded());
    ASSERT_TRUE(FrmTm::isLoaded());
    EXPECT_TRUE(FrmTm::get().isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&FrmMain::get()));
    EXPECT_EQ(ModData::iTmNo, 1);
    EXPECT_EQ(ModData::iTmCount, 2);
    EXPECT_EQ(ModData::iLianXiType, 6);
    EXPECT_EQ(ModData::iTmCode(1), 2);
    EXPECT_EQ(ModData::iTmCode(2), 7);
    FrmTm& panel = FrmTm::get();
    EXPECT_TRUE(panel.TimerREDO.fire());
    EXPECT_TRUE(panel.TimKsModel.fire());
    ASSERT_TRUE(completeQuestion());
    click(panel.CmdGN[1]); // next question
    EXPECT_EQ(ModData::iTmNo, 2);
    ASSERT_TRUE(completeQuestion());

    // The panel's return button saves the progress and shows the home window again.
    ASSERT_TRUE(panel.CmdGN[5].isVisible());
    click(panel.CmdGN[5]);
    EXPECT_FALSE(FrmTm::isLoaded());
    EXPECT_FALSE(FrmMain::isLoaded());
    ASSERT_TRUE(FrmFengmian::isLoaded());
    home = &FrmFengmian::get();
    EXPECT_TRUE(home->isVisible());
    EXPECT_FALSE(home->PicTOP.Visible()); // the start page until the page return
    EXPECT_TRUE(home->TimFH.fire());
    EXPECT_FALSE(home->TimFH.Enabled());

    // Back on the question-bank page: everything learned.
    EXPECT_TRUE(home->PicTiKu.Visible());
    EXPECT_FALSE(home->ClickBotn[16].Enabled());
    EXPECT_EQ(readLines(userPath(QStringLiteral("288893.mxy"))).value(0), QStringLiteral("TTTTTTT"));
    EXPECT_EQ(ModData::sDanYuan(0, 3), QStringLiteral("0"));
    EXPECT_EQ(home->iSelUnit, 1); // the pre-selection moves on to the next unit to learn
    click(home->ClickBotn[50]);
    EXPECT_EQ(home->LblUnitDQCAP[2].Caption(), QStringLiteral("7题"));
    EXPECT_EQ(home->LblUnitDQCAP[3].Caption(), QStringLiteral("7题"));
    EXPECT_EQ(home->LblUnitDQCAP[4].Caption(), QStringLiteral("0题"));
}

// Pictures of the home screen for a person to look at: written only when XP_SHOT_DIR names a
// folder (run it under a real X server to see the fonts as the candidate does).
TEST_F(HomeRoad, Screenshots)
{
    const QString out = qEnvironmentVariable("XP_SHOT_DIR");
    if (out.isEmpty())
        GTEST_SKIP() << "XP_SHOT_DIR not set";
    app::installFontSubstitutes(); // the program's fonts, as the candidate sees them
    FrmStart::get().Timer1_Timer();
    FrmFengmian& home = FrmFengmian::get();
    QCoreApplication::processEvents();
    ASSERT_TRUE(home.grab().save(out + QStringLiteral("/home_start.png")));
    home.ClickBotn_Click(4);
    QCoreApplication::processEvents();
    ASSERT_TRUE(home.grab().save(out + QStringLiteral("/home_units.png")));
    home.ClickBotn_Click(48);
    QCoreApplication::processEvents();
    ASSERT_TRUE(home.grab().save(out + QStringLiteral("/home_units_page2.png")));
}
