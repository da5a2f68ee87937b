// A paper ends once: the final hand-in, after a time-out or through the hand-in button, closes
// every other window of the paper, and none of them brings the paper back on its way out.

#include "dialogfixture.h"
#include "paperfixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <algorithm>

using paperfixture::Paper;
using paperfixture::whenModal;
using namespace ModData;

namespace {

const QString kTimeUp = QStringLiteral("时间已到，自动交卷！");

// Both hand-in windows confirmed, as soon as the first one is open.
void confirmBothOnceOpen()
{
    whenModal([] {
        if (!FrmEnd1::isLoaded() || !FrmEnd1::get().isModalShown())
            return;
        whenModal([] {
            if (FrmEnd2::isLoaded() && FrmEnd2::get().isModalShown())
                FrmEnd2::get().Command1_Click();
        });
        FrmEnd1::get().Command1_Click();
    });
}

// A mock paper under way on the surface, the panel with its examination buttons;
// at the time-out the candidate confirms both hand-in windows (`onTimeUp`). Other questions of
// the standard box go to `onOtherBox`. No hand posted for a window outlives the paper.
class RunningPaper : public Paper {
public:
    RunningPaper()
    {
        dialogfixture::closeDialogs();
        for (const char* id : {"l01038", "l01039", "l01003", "l01011"})
            picture(QLatin1String(id), Qt::gray);
        picture(QStringLiteral("p00001"), QColor(1, 2, 3));
        FrmTm& p = panel();
        p.TimKsModel.fire();
        FrmMain::get().Show();
        p.Show();
        answer = exam::BoxAnswer::Yes;
        onBox = [this] {
            if (asked.back().prompt == kTimeUp)
                onTimeUp();
            else if (onOtherBox)
                onOtherBox();
        };
    }
    ~RunningPaper()
    {
        QCoreApplication::processEvents();
        dialogfixture::closeDialogs();
    }

    // The last minute of the clock runs out.
    static void timeOut()
    {
        iLeftMinutes = 1;
        panel().TimeKS.fire();
    }

    std::function<void()> onTimeUp = confirmBothOnceOpen;
    std::function<void()> onOtherBox;
};

// The paper is over and stays so: the score window up, the surface gone, the panel loaded but
// hidden and idle, no other window of the paper left.
void expectPaperOver()
{
    tktest::flushDeletes();
    ASSERT_TRUE(FrmChengji::isLoaded());
    EXPECT_TRUE(FrmChengji::get().isVisible());
    EXPECT_FALSE(FrmMain::isLoaded()) << "the surface came back";
    ASSERT_TRUE(FrmTm::isLoaded());
    FrmTm& p = FrmTm::get();
    EXPECT_FALSE(p.isVisible()) << "the panel came back";
    EXPECT_FALSE(p.TimeKS.Enabled());
    EXPECT_FALSE(p.TimStartYS.Enabled()) << "a demonstration is on its way";
    EXPECT_FALSE(p.TimerREDO.Enabled()) << "a question is on its way";
    EXPECT_FALSE(bYanShiOn);
    EXPECT_FALSE(FrmEnd1::isLoaded());
    EXPECT_FALSE(FrmEnd2::isLoaded());
    EXPECT_FALSE(FrmIME::isLoaded());
    EXPECT_FALSE(FrmCZTS::isLoaded());
    EXPECT_FALSE(FrmYanShi::isLoaded());
    EXPECT_FALSE(FrmPicture::isLoaded() && FrmPicture::get().isVisible());
}

// The hint window's answer: Yes to its question turns the paper into practice and arms the
// demonstration.
void answerNow() { FrmCZTS::get().Command2_Click(); }

} // namespace

TEST(PaperEnd, ATimeOutHandsInOverEveryOtherWindowOfThePaper)
{
    const struct {
        const char* what;
        std::function<void(RunningPaper&)> run;
    } cases[] = {
        {"input-method dialog, closed by the candidate afterwards",
         [](RunningPaper& world) {
             whenModal([] {
                 RunningPaper::timeOut();
                 if (FrmIME::isLoaded())
                     FrmIME::get().lblClick_Click(0);
             });
             world.panel().CmdEn_Click();
         }},
        {"hint window, its answer pressed afterwards",
         [](RunningPaper& world) {
             whenModal([] {
                 RunningPaper::timeOut();
                 if (FrmCZTS::isLoaded())
                     answerNow();
                 FrmCZTS::unloadIfLoaded();
             });
             world.panel().CmdGN_Click(10);
         }},
        {"hint window's question open at the time-out, answered Yes afterwards",
         [](RunningPaper& world) {
             world.onOtherBox = [] { RunningPaper::timeOut(); };
             whenModal([] {
                 answerNow();
                 FrmCZTS::unloadIfLoaded();
             });
             world.panel().CmdGN_Click(10);
         }},
        {"demonstration armed by the hint window, not up yet",
         [](RunningPaper& world) {
             whenModal(answerNow);
             world.panel().CmdGN_Click(10);
             ASSERT_TRUE(world.panel().TimStartYS.Enabled());
             RunningPaper::timeOut();
             for (int tick = 0; tick < 2 && world.panel().TimStartYS.fire(); ++tick) {
             }
         }},
        {"demonstration running, ended by the candidate afterwards",
         [](RunningPaper& world) {
             whenModal(answerNow);
             world.panel().CmdGN_Click(10);
             world.panel().TimStartYS.fire();
             world.panel().TimStartYS.fire();
             ASSERT_TRUE(FrmYanShi::isLoaded());
             RunningPaper::timeOut();
             if (FrmYanShi::isLoaded()) {
                 FrmYanShi& demo = FrmYanShi::get();
                 demo.Image_DblClick();
                 for (int tick = 0; tick < 10 && FrmYanShi::isLoaded() && demo.TimEnd.fire(); ++tick) {
                 }
             }
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RunningPaper world;
        c.run(world);
        expectPaperOver();
        EXPECT_TRUE(std::any_of(world.asked.begin(), world.asked.end(),
                                [](const exam::BoxRequest& r) { return r.prompt == kTimeUp; }));
    }
}

// The time-out comes while the hand-in button's window is open: the paper is handed in then and
// there, with no way back to a paper without a clock.
TEST(PaperEnd, ATimeOutWhileAHandInWindowIsOpenHandsThePaperIn)
{
    for (bool second : {false, true}) {
        SCOPED_TRACE(second ? "second window" : "first window");
        RunningPaper world;
        FrmTm& p = world.panel();
        // Should a hand-in window open again, the candidate goes back from it.
        world.onTimeUp = [] {
            whenModal([] {
                if (FrmEnd1::isLoaded() && FrmEnd1::get().isModalShown())
                    FrmEnd1::get().Command2_Click();
            });
        };
        bool timedOut = false;
        const auto timeOutThenBack = [&] {
            RunningPaper::timeOut();
            timedOut = true;
            // Whatever is still open, the candidate goes back.
            if (FrmEnd2::isLoaded())
                FrmEnd2::get().Command2_Click();
            if (FrmEnd1::isLoaded())
                FrmEnd1::get().Command2_Click();
        };
        whenModal([&] {
            if (!second) {
                timeOutThenBack();
                return;
            }
            whenModal(timeOutThenBack);
            FrmEnd1::get().Command1_Click();
        });
        p.CmdGN_Click(8);
        EXPECT_TRUE(timedOut);
        expectPaperOver();
        EXPECT_EQ(world.asked.size(), 1u);
    }
}

// The question picture window is topmost: left open, it would stay over the score window and the
// home window.
TEST(PaperEnd, TheQuestionPictureGoesWithTheHandIn)
{
    for (bool timeOut : {false, true}) {
        SCOPED_TRACE(timeOut ? "time-out" : "hand-in button");
        RunningPaper world;
        Paper::writeFile(sTmTextFile, QStringLiteral("000101picturep00001看图\r\n000101二\r\n000101三\r\n"));
        FrmTm& p = world.panel();
        p.DqExam();
        ASSERT_TRUE(p.Image2.isVisible());
        p.Image2_Click();
        ASSERT_TRUE(FrmPicture::get().isVisible());
        if (timeOut) {
            RunningPaper::timeOut();
        } else {
            confirmBothOnceOpen();
            p.CmdGN_Click(8);
        }
        expectPaperOver();
        EXPECT_EQ(p.Image2.Caption(), QStringLiteral("显示图片"));
    }
}

// The demonstration's own end gives the surface and the panel back only while the paper lasts.
TEST(PaperEnd, ADemonstrationEndingAfterTheHandInGivesNothingBack)
{
    RunningPaper world;
    FrmYanShi& demo = FrmYanShi::get();
    demo.Show();
    bYanShiOn = true;
    FrmChengji::get().Show(); // the paper was handed in meanwhile
    FrmMain::unloadIfLoaded();
    world.panel().Hide();
    demo.Image_DblClick();
    for (int tick = 0; tick < 10 && FrmYanShi::isLoaded() && demo.TimEnd.fire(); ++tick) {
    }
    tktest::flushDeletes();
    EXPECT_FALSE(FrmYanShi::isLoaded());
    EXPECT_FALSE(FrmMain::isLoaded());
    EXPECT_FALSE(world.panel().isVisible());
    EXPECT_FALSE(world.panel().TimerREDO.Enabled());
}

// A standard box still open when the paper ends is closed with it; a question closed so counts
// as No.
TEST(PaperEnd, OpenStandardBoxesCloseWithThePaper)
{
    Paper world;
    exam::setStandardBoxForTests({});
    for (exam::BoxButtons buttons : {exam::BoxButtons::YesNo, exam::BoxButtons::Ok}) {
        exam::BoxRequest r;
        r.prompt = QStringLiteral("?");
        r.buttons = buttons;
        bool wasOpen = false;
        whenModal([&] {
            wasOpen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
            exam::closeStandardBoxes();
        });
        const exam::BoxAnswer a = exam::standardBox(r);
        EXPECT_TRUE(wasOpen);
        EXPECT_EQ(a, buttons == exam::BoxButtons::YesNo ? exam::BoxAnswer::No : exam::BoxAnswer::Ok);
    }
}

// The panel's ways back to the surface, taken after the hand-in (an input-method choice from a
// menu that was up at the time-out, the bar's restore spot, a key on the panel): the surface went
// with the paper and none comes back over the score.
TEST(PaperEnd, ThePanelsWaysBackToTheSurfaceBringNothingBackAfterTheHandIn)
{
    const struct {
        const char* name;
        std::function<void(FrmTm&)> act;
    } ways[] = {
        {"English", [](FrmTm& p) { p.mEng_Click(); }},
        {"an input method", [](FrmTm& p) { p.mCn_Click(1); }},
        {"the bar's restore spot", [](FrmTm& p) { p.Command2_Click(); }},
        {"a key on the question text", [](FrmTm& p) { p.RtbTM_KeyUp(0, 0); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        RunningPaper world;
        RunningPaper::timeOut();
        tktest::flushDeletes();
        ASSERT_TRUE(FrmChengji::isLoaded());
        ASSERT_FALSE(FrmMain::isLoaded());
        way.act(world.panel());
        expectPaperOver();
    }
}
