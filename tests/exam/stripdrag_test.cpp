// A title strip held and moved while the paper's clock or the demonstration's starter fires: the
// windows that open meanwhile take the candidate's clicks, and the release undoes none of it.
// The mouse goes through the windows as the candidate's would; what happens "while the strip is
// held" is queued before the press, so that it would run inside a loop of the press handler too.

#include "common/testscope.h"
#include "dialogfixture.h"
#include "paperfixture.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

using namespace ModData;

namespace {

// A point of `target` that the mouse reaches there (no other control above it), in its own pixels.
QPoint reachable(QWidget& target)
{
    QWidget* top = target.window();
    for (int y = 2; y < target.height(); y += 4)
        for (int x = 2; x < target.width(); x += 4) {
            const QPoint at(x, y);
            QWidget* hit = top->childAt(&target == top ? at : target.mapTo(top, at));
            if (hit == &target || (!hit && &target == top))
                return at;
        }
    ADD_FAILURE() << "no point of the target is free";
    return {};
}

void clickOn(QWidget& target)
{
    const QPoint at = reachable(target);
    tktest::press(target, at);
    tktest::release(target, at);
}

// Presses `strip`, runs `whileHeld`, releases the button where the mouse last went.
void dragWhile(QWidget& strip, const std::function<void(tktest::DragMouse&)>& whileHeld, QPoint releaseAt)
{
    tktest::DragMouse mouse(strip, reachable(strip));
    ASSERT_TRUE(mouse.dragWhile(releaseAt, [&] { whileHeld(mouse); }));
}

// Runs `act` once `ready` holds, from whatever loop runs then (a modal window's own).
void once(std::function<bool()> ready, std::function<void()> act, int passes = 200)
{
    QTimer::singleShot(0, testscope::context(), [=] {
        if (ready())
            act();
        else if (passes > 0)
            once(ready, act, passes - 1);
    });
}

// The candidate answers the time-up box and confirms both hand-in windows, each with a click of
// its button; `landed` lists the clicks that did what they should. A click that went nowhere is
// made up for, so that the paper still ends.
void answerTimeUpAndHandIn(QStringList& landed)
{
    const auto box = [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); };
    once([=] { return box() != nullptr; }, [=, &landed] {
        const QPointer<QMessageBox> timeUp = box();
        once([] { return FrmEnd1::isLoaded() && FrmEnd1::get().isModalShown(); }, [&landed] {
            once([] { return FrmEnd2::isLoaded() && FrmEnd2::get().isModalShown(); }, [&landed] {
                clickOn(FrmEnd2::get().Command1);
                if (FrmEnd2::isLoaded())
                    FrmEnd2::get().Command1_Click();
                else
                    landed << QStringLiteral("hand-in 2");
            });
            clickOn(FrmEnd1::get().Command1);
            if (FrmEnd1::isLoaded() && !FrmEnd2::isLoaded())
                FrmEnd1::get().Command1_Click();
            else
                landed << QStringLiteral("hand-in 1");
        });
        clickOn(*timeUp->button(QMessageBox::Ok));
        if (timeUp && timeUp->isVisible())
            timeUp->accept();
        else
            landed << QStringLiteral("time-up box");
    });
}

// The mouse is nobody's: no grab, and a plain window takes a click through the platform.
void expectMouseFree()
{
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    struct Probe : QWidget {
        int presses = 0;
        void mousePressEvent(QMouseEvent*) override { ++presses; }
    } probe;
    probe.resize(40, 40);
    ASSERT_TRUE(tktest::showExposed(probe));
    tktest::press(probe, {5, 5});
    tktest::release(probe, {5, 5});
    EXPECT_EQ(probe.presses, 1);
}

QPoint bottomRight(const tk::Form& f) { return f.geometry().bottomRight(); }

} // namespace

TEST(StripDrag, ATimeOutWhileAStripIsDraggedHandsInThroughWindowsThatTakeTheClicks)
{
    for (bool surfaceStrip : {false, true}) {
        SCOPED_TRACE(surfaceStrip ? "the surface's strip" : "the panel's strip");
        paperfixture::Paper world;
        FrmTm& panel = world.panel();
        FrmMain& surface = FrmMain::get();
        ASSERT_TRUE(tktest::showExposed(surface));
        ASSERT_TRUE(tktest::showExposed(panel));
        exam::setStandardBoxForTests({}); // the real box: it has to take the click
        QWidget& strip = surfaceStrip ? static_cast<QWidget&>(surface.lblMove) : panel.lblMove;
        const QPoint surfaceFrom = surface.pos(), panelFrom = panel.pos();
        QStringList landed;
        QPoint panelAfterHandIn;

        dragWhile(strip, [&](tktest::DragMouse& mouse) {
            mouse.moveBy({30, 20});
            // The window follows the mouse; the panel follows the surface.
            EXPECT_EQ((surfaceStrip ? surface.pos() - surfaceFrom : panel.pos() - panelFrom), QPoint(30, 20));
            if (surfaceStrip) {
                EXPECT_EQ(bottomRight(panel), bottomRight(surface));
            }
            answerTimeUpAndHandIn(landed);
            iLeftMinutes = 1;
            panel.TimeKS.fire();
            panelAfterHandIn = panel.pos();
            mouse.moveBy({90, 70});
        }, {90, 70});

        landed.sort();
        EXPECT_EQ(landed, QStringList({"hand-in 1", "hand-in 2", "time-up box"}));
        tktest::flushDeletes();
        ASSERT_TRUE(FrmChengji::isLoaded());
        EXPECT_TRUE(FrmChengji::get().isVisible());
        EXPECT_FALSE(FrmMain::isLoaded()) << "the surface came back at the release";
        EXPECT_FALSE(panel.isVisible());
        EXPECT_EQ(panel.pos(), panelAfterHandIn) << "the drag went on after the hand-in";
        expectMouseFree();
    }
}

TEST(StripDrag, TheDemonstrationComingUpWhileThePanelIsDraggedStaysInFront)
{
    panelfixture::Panel world(1);
    FrmTm& panel = world.panel();
    FrmMain& surface = FrmMain::get();
    ASSERT_TRUE(tktest::showExposed(surface));
    ASSERT_TRUE(tktest::showExposed(panel));
    panel.CmdGN_Click(7); // the demonstration button
    ASSERT_TRUE(panel.TimStartYS.Enabled());
    const QPoint from = panel.pos();
    QPoint whenUp;

    dragWhile(panel.lblMove, [&](tktest::DragMouse& mouse) {
        mouse.moveBy({30, 20});
        EXPECT_EQ(panel.pos() - from, QPoint(30, 20));
        panel.TimStartYS.fire();
        panel.TimStartYS.fire();
        whenUp = panel.pos();
        mouse.moveBy({90, 70});
    }, {90, 70});

    ASSERT_TRUE(FrmYanShi::isLoaded());
    FrmYanShi& demo = FrmYanShi::get();
    EXPECT_TRUE(demo.isVisible());
    EXPECT_FALSE(surface.isVisible()) << "the surface came back over the demonstration";
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(panel.pos(), whenUp) << "the hidden panel went on following the mouse";
    expectMouseFree();
    // The demonstration takes the candidate's double click: it ends.
    const QPoint at = reachable(demo);
    QTest::mouseDClick(demo.windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(demo.TimEnd.Enabled());
}

// The surface carries the panel only when it changes place: the collapsed bar, which sits at the
// surface's bottom-left corner, stays there while the surface is hidden and shown again (as the
// demonstration does), minimised and brought back, or shown afresh.
TEST(StripDrag, TheCollapsedBarStaysWhileTheSurfaceStaysWhereItIs)
{
    paperfixture::Paper world;
    FrmTm& panel = world.panel();
    FrmMain& surface = FrmMain::get();
    ASSERT_TRUE(tktest::showExposed(surface));
    ASSERT_TRUE(tktest::showExposed(panel));
    panel.LblZXH_Click();
    const QPoint bar = panel.pos();
    ASSERT_EQ(bar, QPoint(surface.x(), surface.y() + surface.height() - panel.height()));
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"hidden and shown", [&] { surface.Hide(); surface.Show(); }},
        {"minimised and back", [&] { surface.setWindowState(1); surface.setWindowState(0); surface.Show(); }},
        {"shown again", [&] { surface.Show(); }},
    };
    for (const auto& [name, way] : ways) {
        SCOPED_TRACE(name);
        way();
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        EXPECT_EQ(panel.pos(), bar);
    }
}
