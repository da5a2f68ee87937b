// A mock paper handed in with the mouse on the desktop: the hand-in button, both hand-in windows,
// the score and the way back home, each a real click on what the candidate sees, and the same
// outcome as offscreen.

#include "exam/paperfixture.h"
#include "history/historyfiles.h"
#include "xdesktop.h"

#include <gtest/gtest.h>

#include <QTimer>

using namespace ModData;

namespace {

// The window of `w` is up and the X server has it where the program thinks it is.
bool onScreen(const QWidget& w) { return xdesk::inPlace(w); }

void clickOn(QWidget& w)
{
    xdesk::pointerTo(w.mapToGlobal(w.rect().center()));
    xdesk::leftButton(true);
    xdesk::leftButton(false);
}

// Clicks, one by one, the control each step names once its window is on the screen. It runs from
// whatever event loop runs, the hand-in windows' own too.
class Clicks {
public:
    struct Step {
        std::function<bool()> ready;
        std::function<QWidget&()> target;
    };
    explicit Clicks(std::vector<Step> steps) : steps_(std::move(steps))
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (next_ >= steps_.size() || !steps_[next_].ready())
                return;
            QWidget& target = steps_[next_].target();
            if (!onScreen(target))
                return;
            ++next_;
            clickOn(target);
        });
        timer_.start();
    }
    size_t done() const { return next_; }

private:
    std::vector<Step> steps_;
    size_t next_ = 0;
    QTimer timer_;
};

} // namespace

TEST(DesktopPaper, HandInScoreAndTheWayHomeByTheMouse)
{
    paperfixture::Paper world(4);
    for (int unit = 0; unit < 4; ++unit)
        world.unitFiles(unit, std::vector<int>(10, 1));
    paperfixture::Paper::writeFile(world.userPath(QString::fromLatin1(history::kMarkedList)), QStringLiteral("\r\n"));
    paperfixture::Paper::writeFile(world.userPath(QString::fromLatin1(history::kMarkedFlags)), QStringLiteral("\r\n"));
    FrmTm& panel = world.panel();
    FrmMain::get().Show();
    panel.Show();
    for (int q = 1; q <= 20; ++q)
        iTmFlags(q) = 5;

    QString score;
    bool surfaceAtScore = true;
    Clicks clicks({
        {[] { return true; }, [&]() -> QWidget& { return panel.CmdGN[8]; }},
        {[] { return FrmEnd1::isLoaded() && FrmEnd1::get().isModalShown(); },
         []() -> QWidget& { return FrmEnd1::get().Command1; }},
        {[] { return FrmEnd2::isLoaded() && FrmEnd2::get().isModalShown(); },
         []() -> QWidget& { return FrmEnd2::get().Command1; }},
        {[] { return FrmChengji::isLoaded(); },
         [&]() -> QWidget& {
             score = FrmChengji::get().Label1.Caption();
             surfaceAtScore = FrmMain::isLoaded();
             return FrmChengji::get().Command2;
         }},
    });
    EXPECT_TRUE(xdesk::waitFor(
        [&] { return clicks.done() == 4 && FrmFengmian::isLoaded() && onScreen(FrmFengmian::get()); }, 60000))
        << "stopped before click " << clicks.done() + 1;

    EXPECT_EQ(score, QStringLiteral("第5套得分：50分"));
    EXPECT_FALSE(surfaceAtScore) << "a surface over the score";
    EXPECT_TRUE(world.asked.empty());
    EXPECT_FALSE(FrmChengji::isLoaded());
    EXPECT_FALSE(FrmTm::isLoaded());
    EXPECT_FALSE(FrmMain::isLoaded());
    ASSERT_TRUE(FrmFengmian::isLoaded());
    EXPECT_TRUE(FrmFengmian::get().isVisible());
}
