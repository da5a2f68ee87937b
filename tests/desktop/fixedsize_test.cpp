// Windows of a fixed design size on a desktop whose window manager would stretch them: each says
// its size is fixed, so the window manager offers no resize, maximise or full screen and a
// maximise request (a desktop's keyboard shortcut) leaves it as it is; the log-on, laid out
// maximised, stays maximised.

#include "exam/frmime.h"
#include "exam/paperfixture.h"
#include "xdesktop.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

using xdesk::placeOf;
using xdesk::settled;
using xdesk::waitFor;

TEST(DesktopWindows, AWindowOfAFixedSizeStaysAtItsSizeWhenAskedToMaximise)
{
    paperfixture::Paper world(4);
    FrmTm& panel = world.panel();
    FrmMain::get().Show();
    panel.Show();
    const struct {
        const char* name;
        std::function<tk::Form&()> open;
        std::function<void()> close;
    } windows[] = {
        {"surface", [] () -> tk::Form& { return FrmMain::get(); }, [] {}},
        {"panel", [&] () -> tk::Form& { return panel; }, [] {}},
        {"home window", [] () -> tk::Form& { FrmFengmian::get().Show(); return FrmFengmian::get(); },
         [] { FrmFengmian::unloadIfLoaded(); }},
        {"message box", [] () -> tk::Form& { FrmKVMSGBOX::get().Show(); return FrmKVMSGBOX::get(); },
         [] { FrmKVMSGBOX::unloadIfLoaded(); }},
        {"input-method dialog", [] () -> tk::Form& { FrmIME::get().Show(); return FrmIME::get(); },
         [] { FrmIME::unloadIfLoaded(); }},
        {"picture window", [] () -> tk::Form& { FrmPicture::get().Show(); return FrmPicture::get(); },
         [] { FrmPicture::unloadIfLoaded(); }},
    };
    for (const auto& w : windows) {
        SCOPED_TRACE(w.name);
        tk::Form& window = w.open();
        ASSERT_TRUE(settled(window));
        const QSize size = window.size();
        const QPoint place = placeOf(window);
        EXPECT_TRUE(waitFor([&] {
            const QStringList offered = xdesk::allowedActions(window);
            return !offered.isEmpty() &&
                   !offered.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE_HORZ")) &&
                   !offered.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE_VERT")) &&
                   !offered.contains(QStringLiteral("_NET_WM_ACTION_RESIZE"));
        }, 5000)) << "the window manager offers " << qPrintable(xdesk::allowedActions(window).join(u' '));

        xdesk::askState(window, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
        // A move asked after it: once it is done, the window manager has dealt with the request.
        const QPoint moved = place + QPoint(10, 10);
        xdesk::moveWindow(window, moved);
        EXPECT_TRUE(waitFor([&] { return placeOf(window) == moved && window.pos() == moved; }, 5000))
            << "at " << placeOf(window).x() << ',' << placeOf(window).y();
        EXPECT_EQ(xdesk::sizeOf(window), size);
        EXPECT_EQ(window.size(), size);
        EXPECT_EQ(window.WindowState(), 0);
        EXPECT_FALSE(xdesk::states(window).join(u' ').contains(QStringLiteral("MAXIMIZED")));
        // Full screen, which the window manager offers all the same: the window comes back.
        // (openbox keeps the panel, a window kept on top, as it is.) A state asked after it, that
        // changes nothing of the window, tells when the window manager has dealt with it.
        xdesk::askState(window, "_NET_WM_STATE_FULLSCREEN");
        xdesk::askState(window, "_NET_WM_STATE_SKIP_PAGER");
        EXPECT_TRUE(waitFor([&] { return xdesk::states(window).contains(QStringLiteral("_NET_WM_STATE_SKIP_PAGER")); }, 5000));
        EXPECT_TRUE(waitFor([&] {
            return !window.isFullScreen() && !xdesk::states(window).contains(QStringLiteral("_NET_WM_STATE_FULLSCREEN")) &&
                   placeOf(window) == moved && window.pos() == moved;
        }, 5000)) << "at " << placeOf(window).x() << ',' << placeOf(window).y() << ", "
                  << qPrintable(xdesk::states(window).join(u' '));
        EXPECT_EQ(xdesk::sizeOf(window), size);
        EXPECT_EQ(window.size(), size);
        w.close();
    }
}

TEST(DesktopWindows, TheLogOnStaysMaximised)
{
    paperfixture::Paper world(4);
    FrmLogon& logon = FrmLogon::get();
    logon.Show();
    EXPECT_TRUE(waitFor([&] {
        const QStringList s = xdesk::states(logon);
        return logon.windowHandle()->isExposed() && s.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_VERT")) &&
               s.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_HORZ"));
    }, 5000)) << qPrintable(xdesk::states(logon).join(u' '));
    EXPECT_EQ(logon.WindowState(), 2);
}

// The panel collapsed to its bar and opened again while the window manager answers late (a loaded
// machine): the window manager takes the run of moves and resizes at once, with the size the
// window then says is fixed. Each time the panel ends at its new size and place.
TEST(DesktopWindows, APanelResizedWhileTheWindowManagerIsLateEndsAtItsSizeAndPlace)
{
    paperfixture::Paper world(4);
    FrmTm& panel = world.panel();
    FrmMain& surface = FrmMain::get();
    surface.Show();
    panel.Show();
    ASSERT_TRUE(settled(surface));
    ASSERT_TRUE(settled(panel));
    const QPoint corner = surface.geometry().bottomRight() + QPoint(1, 1);
    for (bool collapse : {true, false, true}) {
        SCOPED_TRACE(collapse ? "collapsed" : "opened");
        xdesk::holdManager(true);
        if (collapse)
            panel.LblZXH_Click();
        else
            panel.Command2_Click();
        // Every request is with the server, waiting for the window manager.
        QGuiApplication::sync();
        xdesk::holdManager(false);
        const QRect wanted = collapse ? QRect(surface.pos() + QPoint(0, 600 - 58), QSize(54, 58))
                                      : QRect(corner - QPoint(332, 242), QSize(332, 242));
        EXPECT_TRUE(waitFor([&] { return xdesk::inPlace(panel) && panel.geometry() == wanted; }, 5000))
            << "the server has " << xdesk::sizeOf(panel).width() << 'x' << xdesk::sizeOf(panel).height() << '+'
            << placeOf(panel).x() << '+' << placeOf(panel).y() << ", the program " << panel.width() << 'x'
            << panel.height() << '+' << panel.x() << '+' << panel.y();
    }
}
