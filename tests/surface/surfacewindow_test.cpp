// The work surface window: its place on screens of several sizes, the panel docked at its
// corner, the title strip, and what a new load resets.

#include "recordbuilder.h"
#include "surfaceworld.h"
#include "toolkit/toolkit_testutil.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTest>
#include <gtest/gtest.h>

using testworld::World;
using namespace ModData;

namespace {

QRectF rectOf(const tk::Form& f) { return QRectF(f.Left(), f.Top(), f.Width(), f.Height()); }

} // namespace

TEST(SurfaceWindow, PlaceOnTheScreenAndDockedPanel)
{
    struct Case {
        QSize screen;
        QRectF surface;
        bool stripActs; // presses on the title strip re-dock the panel
    };
    const Case cases[] = {
        {{1024, 768}, {1680, 1260, 12000, 9000}, true}, // 800 x 600 pixels, centred
        {{800, 600}, {0, 0, 12000, 9000}, false},       // maximised: the whole screen
        {{1280, 650}, {0, 0, 19200, 9750}, true},       // 650 high: maximised, yet the strip acts
    };
    for (const auto& c : cases) {
        World w(c.screen);
        FrmMain& m = World::surface();
        FrmTm& p = FrmTm::get();
        SCOPED_TRACE(c.screen.height());
        EXPECT_EQ(rectOf(m), c.surface);
        EXPECT_EQ(p.Width(), 4980);
        EXPECT_EQ(p.Height(), 3630);
        EXPECT_EQ(p.Left() + p.Width(), m.Left() + m.Width());
        EXPECT_EQ(p.Top() + p.Height(), m.Top() + m.Height());
        EXPECT_EQ(m.lblMove.Left(), 1440);
        EXPECT_EQ(m.lblMove.Width(), 9495);

        // A panel dragged away snaps back at a press of any button on the strip.
        for (int button : {2, 4, 1}) {
            p.Move(15, 30);
            m.lblMove_MouseDown(button, 0, 0, 0);
            EXPECT_EQ(p.Left() == 15, !c.stripActs) << button;
            if (c.stripActs) {
                EXPECT_EQ(p.Top() + p.Height(), m.Top() + m.Height());
            }
        }
    }
}

TEST(SurfaceWindow, StripMovesTheCollapsedBarToTheCorner)
{
    World w;
    FrmMain& m = World::surface();
    FrmTm& p = FrmTm::get();
    p.LblZXH_Click();
    ASSERT_EQ(p.Width(), 810);
    EXPECT_EQ(p.Left(), m.Left());
    m.lblMove_MouseDown(2, 0, 0, 0);
    EXPECT_EQ(QRectF(p.Left(), p.Top(), p.Width(), p.Height()),
              QRectF(m.Left() + m.Width() - 810, m.Top() + m.Height() - 870, 810, 870));
}

// Whatever moves the surface (the window manager after a drag, the program), the panel ends at
// its new corner, expanded or collapsed, with its own size; while the surface stays where it is, a
// panel moved or collapsed on its own stays too.
TEST(SurfaceWindow, ThePanelGoesWhereverTheSurfaceGoes)
{
    for (bool collapsed : {false, true}) {
        SCOPED_TRACE(collapsed ? "collapsed" : "expanded");
        World w;
        FrmMain& m = World::surface();
        FrmTm& p = FrmTm::get();
        ASSERT_TRUE(tktest::showExposed(m));
        ASSERT_TRUE(tktest::showExposed(p));
        if (collapsed)
            p.LblZXH_Click();
        const QRectF own(15, 30, p.Width(), p.Height());
        p.Move(own.left(), own.top());
        m.Show();
        m.raise();
        m.setWindowState(0);
        EXPECT_EQ(QRectF(p.Left(), p.Top(), p.Width(), p.Height()), own) << "the surface did not move";

        m.Move(m.Left() - 750, m.Top() - 600);
        EXPECT_EQ(QRectF(p.Left(), p.Top(), p.Width(), p.Height()),
                  QRectF(m.Left() + m.Width() - own.width(), m.Top() + m.Height() - own.height(), own.width(), own.height()));
        m.move(m.pos() + QPoint(20, 10));
        EXPECT_EQ(p.geometry().bottomRight(), m.geometry().bottomRight());
    }
}

TEST(SurfaceWindow, LoadResetsSavedStepsOfTheFirstFortyQuestions)
{
    World w;
    World::surface();
    iTmStep(3) = 5;
    iTmStep(40) = 2;
    iTmStep(41) = 7;
    bTmCanClose = false; // the panel stays, as after a mock paper
    FrmMain::unloadIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    FrmMain& m = World::surface();
    EXPECT_EQ(iTmStep(3), 1);
    EXPECT_EQ(iTmStep(40), 1);
    EXPECT_EQ(iTmStep(41), 7);
    EXPECT_EQ(m.menuSet, 1);
    EXPECT_FALSE(m.menuOpen);
    EXPECT_EQ(m.dropDownTable[1].toStdString(), "3212241");
    EXPECT_FALSE(m.LMainMenu[1].Visible());
    EXPECT_FALSE(m.LblSuccess.Visible());
    EXPECT_EQ(m.Label1.Caption(), QString());
    EXPECT_TRUE(m.pictureFolder.endsWith(QStringLiteral("/examdata/")));
}

// A close from the window system (Alt+F4 caught by the desktop, a window manager's close button)
// leaves the surface in place mid-exercise; the program's own unload still closes it.
TEST(SurfaceWindow, OnlyTheProgramClosesIt)
{
    World w;
    w.ops({testrec::Record(QStringLiteral("0001")).hotSpot(3000, 3000, 600, 300),
           testrec::Record(QStringLiteral("9999"))});
    FrmMain& m = World::build(1);
    m.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m));
    QCloseEvent close;
    QApplication::sendEvent(&m, &close);
    EXPECT_FALSE(close.isAccepted());
    ASSERT_TRUE(FrmMain::isLoaded());
    EXPECT_TRUE(m.isVisible());
    EXPECT_EQ(iStepNo, 1);
    EXPECT_TRUE(m.close() == false);
    EXPECT_TRUE(FrmMain::isLoaded());
    EXPECT_TRUE(FrmMain::unloadIfLoaded());
    EXPECT_FALSE(FrmMain::isLoaded());
}
