// Window drags on a desktop whose window manager moves the windows itself: the surface carries the
// question panel wherever it goes, every other drag ends where the pointer took the window, and a
// click on a drag area stays a click that moves nothing and leaves the pointer to nobody.

#include "exam/frmime.h"
#include "exam/paperfixture.h"
#include "xdesktop.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QCursor>
#include <QMouseEvent>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

using xdesk::placeOf;
using xdesk::settled;
using xdesk::waitFor;

namespace {

// The presses and releases each window gets from the platform.
class MouseSeen : public QObject {
public:
    MouseSeen() { qApp->installEventFilter(this); }
    ~MouseSeen() override { qApp->removeEventFilter(this); }
    int presses(const QWidget& w) const { return presses_.value(w.window()->windowHandle()); }
    int releases(const QWidget& w) const { return releases_.value(w.window()->windowHandle()); }
    int moves(const QWidget& w) const { return moves_.value(w.window()->windowHandle()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched->isWindowType() && event->type() == QEvent::MouseButtonPress)
            ++presses_[watched];
        if (watched->isWindowType() && event->type() == QEvent::MouseButtonRelease)
            ++releases_[watched];
        if (watched->isWindowType() && event->type() == QEvent::MouseMove)
            ++moves_[watched];
        return false;
    }

private:
    QHash<const QObject*, int> presses_, releases_, moves_;
};


// A point of `area` on the screen that its own window shows there (no control above it).
QPoint pointOn(QWidget& area)
{
    QWidget* top = area.window();
    for (int y = 3; y < area.height(); y += 3)
        for (int x = 3; x < area.width(); x += 3) {
            const QPoint at(x, y);
            QWidget* hit = top->childAt(&area == top ? at : area.mapTo(top, at));
            if (hit == &area || (!hit && &area == top))
                return area.mapToGlobal(at);
        }
    ADD_FAILURE() << "no point of the drag area is free";
    return {};
}

// The left button held on `area`, the pointer taken by `by` (a first step past the drag distance,
// then on to the end, where it stays, stirring a pixel, until the window has come), and the
// button released; the release comes to the window, and then nothing holds the pointer.
QString otherWindows(const QWidget& except)
{
    QString out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &except && w->isVisible())
            out += QStringLiteral("; %1 0x%2 %3x%4+%5+%6 [%7] flags 0x%8 state %9")
                       .arg(QString::fromLatin1(w->metaObject()->className()))
                       .arg(w->winId(), 0, 16)
                       .arg(w->width()).arg(w->height()).arg(w->x()).arg(w->y())
                       .arg(xdesk::states(*w).join(u' '))
                       .arg(int(w->windowFlags()), 0, 16)
                       .arg(int(w->windowState()));
    return out;
}

// Why a press at `from` did not reach `window`: where the pointer is, what lies under it, the
// window and every other one shown, and the stacking.
std::string pressReport(const QWidget& window, QPoint from)
{
    std::ostringstream out;
    out << "the press did not come at " << from.x() << ',' << from.y() << " (the pointer at " << QCursor::pos().x() << ','
        << QCursor::pos().y() << "); under the pointer " << qPrintable(xdesk::underPointer()) << "; the window 0x" << std::hex
        << window.winId() << std::dec << ' ' << xdesk::sizeOf(window).width() << 'x' << xdesk::sizeOf(window).height() << '+'
        << placeOf(window).x() << '+' << placeOf(window).y() << " (" << window.width() << 'x' << window.height() << ") "
        << qPrintable(xdesk::states(window).join(u' ')) << (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? " on top" : "")
        << qPrintable(otherWindows(window)) << "; " << qPrintable(xdesk::stackingReport());
    return out.str();
}

void dragBy(QWidget& area, QPoint by)
{
    QWidget& window = *area.window();
    MouseSeen seen;
    const QPoint from = pointOn(area);
    const QPoint origin = placeOf(window);
    const QPoint first(by.x() > 0 ? 12 : -12, by.y() > 0 ? 9 : -9);
    xdesk::pointerTo(from);
    xdesk::leftButton(true);
    ASSERT_TRUE(waitFor([&] { return seen.presses(window) == 1; })) << pressReport(window, from);
    xdesk::pointerTo(from + first);
    ASSERT_TRUE(waitFor([&] { return seen.moves(window) > 0; })) << "the move did not come";
    EXPECT_TRUE(waitFor([&] {
        xdesk::pointerTo(from + by + QPoint(1, 0));
        xdesk::pointerTo(from + by);
        return placeOf(window) == origin + by;
    })) << "the window did not follow the pointer: " << placeOf(window).x() << ',' << placeOf(window).y() << ", not "
        << (origin + by).x() << ',' << (origin + by).y();
    xdesk::leftButton(false);
    EXPECT_TRUE(waitFor([&] { return seen.releases(window) == 1; })) << "the release did not come";
    EXPECT_TRUE(waitFor(xdesk::pointerFree)) << "something holds the pointer after the release";
}

// `count` clicks on `area`, each a press and its release sent at once, the next once the program
// has had the last: each press and its release reach the program (none is left to a move of the
// window manager's), nothing holds the pointer after them, and the window has not moved.
void quickClicks(QWidget& area, int count)
{
    QWidget& window = *area.window();
    MouseSeen seen;
    const QPoint place = placeOf(window);
    const QPoint at = pointOn(area);
    xdesk::pointerTo(at);
    for (int i = 1; i <= count; ++i) {
        xdesk::leftButton(true);
        xdesk::leftButton(false);
        ASSERT_TRUE(waitFor([&] { return seen.presses(window) == i && seen.releases(window) == i; }, 10000))
            << "click " << i << ": presses " << seen.presses(window) << ", releases " << seen.releases(window);
    }
    EXPECT_TRUE(waitFor(xdesk::pointerFree)) << "something holds the pointer after the clicks";
    // The pointer goes on without a button: the window stays.
    xdesk::pointerTo(at + QPoint(4, 3));
    EXPECT_TRUE(waitFor(xdesk::pointerFree));
    EXPECT_EQ(placeOf(window), place);
    EXPECT_EQ(window.pos(), place);
}

QPoint bottomRight(const QWidget& w) { return placeOf(w) + QPoint(w.width(), w.height()); }

} // namespace

// The 1024 x 768 screen: the surface of 800 x 600 at 112,84, the panel docked at its corner. The
// surface goes to 62,44 by its strip, by another program moving it (as the window manager may),
// and by the program itself; the panel, expanded or collapsed to its bar, ends at its new corner
// with its own size, in the X server's places and the program's alike.
TEST(DesktopDrag, TheSurfaceCarriesThePanelWhateverMovesIt)
{
    enum class By { Strip, OtherProgram, Program };
    for (bool collapsed : {false, true})
        for (By by : {By::Strip, By::OtherProgram, By::Program}) {
            SCOPED_TRACE(collapsed ? "the collapsed bar" : "the expanded panel");
            SCOPED_TRACE(by == By::Strip ? "by its strip" : by == By::OtherProgram ? "by another program" : "by the program");
            panelfixture::Panel world(3);
            FrmTm& panel = world.panel();
            FrmMain& surface = FrmMain::get();
            surface.Show();
            panel.Show();
            if (collapsed)
                panel.LblZXH_Click();
            ASSERT_TRUE(settled(surface));
            ASSERT_TRUE(settled(panel));
            ASSERT_EQ(surface.pos(), QPoint(112, 84));
            const QSize size = panel.size();
            ASSERT_EQ(size, collapsed ? QSize(54, 58) : QSize(332, 242));

            const QPoint to(62, 44);
            switch (by) {
            case By::Strip: dragBy(surface.lblMove, to - surface.pos()); break;
            case By::OtherProgram: xdesk::moveWindow(surface, to); break;
            case By::Program: surface.move(to); break;
            }
            const QPoint corner = to + QPoint(800, 600);
            EXPECT_TRUE(waitFor([&] { return placeOf(surface) == to && bottomRight(panel) == corner; }))
                << "the panel is at " << placeOf(panel).x() << ',' << placeOf(panel).y();
            EXPECT_TRUE(waitFor([&] { return surface.pos() == to && panel.geometry().bottomRight() + QPoint(1, 1) == corner; }));
            EXPECT_EQ(panel.size(), size);
        }
}

// Every other drag area: the window ends where the pointer took it, and twenty quick clicks on it
// move nothing.
TEST(DesktopDrag, EachDragAreaDragsItsWindowAndTakesClicksAsClicks)
{
    paperfixture::Paper world(4);
    FrmTm& panel = world.panel();
    FrmMain::get().Show();
    panel.Show();
    // The home window's start page, whose picture is its drag area.
    QImage cover(800, 600, QImage::Format_RGB32);
    cover.fill(Qt::darkCyan);
    cover.save(world.data + QStringLiteral("l20051.mxy"), "PNG");
    FrmPicture::get().Image1.setPicture([] {
        QPixmap p(160, 120);
        p.fill(Qt::green);
        return p;
    }());

    // Each window opens at its first place and is unloaded after its case (the panel goes with
    // the fixture), so that no case, nor a repetition of the test, starts where one ended.
    const struct {
        const char* name;
        std::function<QWidget&()> open;
        std::function<void()> close;
    } areas[] = {
        {"home window's start page", [] () -> QWidget& { FrmFengmian::get().Show(); return FrmFengmian::get().picShouYe; },
         [] { FrmFengmian::unloadIfLoaded(); }},
        {"panel's strip", [&] () -> QWidget& { return panel.lblMove; }, [] {}},
        {"collapsed bar", [&] () -> QWidget& { panel.LblZXH_Click(); return panel.FrmZXH; }, [] {}},
        {"collapsed bar's strip", [&] () -> QWidget& { panel.LblZXH_Click(); return panel.Label2; }, [] {}},
        {"message box's strip", [] () -> QWidget& { FrmKVMSGBOX::get().Show(); return FrmKVMSGBOX::get().lblMove; },
         [] { FrmKVMSGBOX::unloadIfLoaded(); }},
        {"input-method dialog's strip", [] () -> QWidget& { FrmIME::get().Show(); return FrmIME::get().lblMove; },
         [] { FrmIME::unloadIfLoaded(); }},
        {"picture window's picture", [] () -> QWidget& { FrmPicture::get().Show(); return FrmPicture::get().Image1; },
         [] { FrmPicture::unloadIfLoaded(); }},
    };
    for (const auto& a : areas) {
        SCOPED_TRACE(a.name);
        QWidget& area = a.open();
        QWidget& window = *area.window();
        window.raise();
        window.activateWindow();
        ASSERT_TRUE(settled(window));
        ASSERT_TRUE(area.isVisible());
        const QPoint from = window.pos();

        dragBy(area, {60, 45});
        EXPECT_TRUE(waitFor([&] { return placeOf(window) == from + QPoint(60, 45) && window.pos() == from + QPoint(60, 45); }))
            << "ended at " << placeOf(window).x() << ',' << placeOf(window).y() << " (the program's place "
            << window.pos().x() << ',' << window.pos().y() << "), not at " << from.x() + 60 << ',' << from.y() + 45;

        quickClicks(area, 20);
        a.close();
    }
}

// A drag whose events come late or merged: the window manager stopped while the pointer goes on
// and the button comes up over another window (one of the program's, another program's); the
// program busy as the button is pressed, so that it handles the press once the pointer has gone
// on; six moves and the release within a few milliseconds. Each ends with the window moved by the
// pointer's way from the press to the release, nothing holding the pointer, nothing following it
// after, and the surface's panel at its corner.
TEST(DesktopDrag, EveryDragEndsUnderThePointerHoweverLateTheProgramOrTheWindowManagerAnswers)
{
    enum class Which { Surface, Home, Panel };
    enum class Timing { ManagerLateOverOurWindow, ManagerLateOverAnotherProgram, PressHandledLate, Flick };
    for (Which which : {Which::Surface, Which::Home, Which::Panel})
        for (Timing timing : {Timing::ManagerLateOverOurWindow, Timing::ManagerLateOverAnotherProgram,
                              Timing::PressHandledLate, Timing::Flick}) {
            SCOPED_TRACE(which == Which::Surface ? "the surface" : which == Which::Home ? "the home window" : "the panel");
            SCOPED_TRACE(timing == Timing::ManagerLateOverOurWindow       ? "window manager late, released over our window"
                         : timing == Timing::ManagerLateOverAnotherProgram ? "window manager late, released over another program"
                         : timing == Timing::PressHandledLate              ? "press handled late"
                                                                           : "flick");
            paperfixture::Paper world(4);
            FrmTm& panel = world.panel();
            FrmMain& surface = FrmMain::get();
            surface.Show();
            panel.Show();
            if (which == Which::Home) {
                // The program never shows the home window with the surface, which lies at the same
                // place: a window manager may keep a window that comes up under the one that has
                // the focus.
                surface.Hide();
                QImage cover(800, 600, QImage::Format_RGB32);
                cover.fill(Qt::darkCyan);
                cover.save(world.data + QStringLiteral("l20051.mxy"), "PNG");
                FrmFengmian::get().Show();
            }
            QWidget& area = which == Which::Surface ? static_cast<QWidget&>(surface.lblMove)
                            : which == Which::Home  ? static_cast<QWidget&>(FrmFengmian::get().picShouYe)
                                                    : static_cast<QWidget&>(panel.lblMove);
            QWidget& window = *area.window();
            if (which != Which::Home) {
                ASSERT_TRUE(settled(surface));
            }
            ASSERT_TRUE(settled(panel));
            ASSERT_TRUE(settled(window));
            const QPoint from = pointOn(area);
            const QPoint origin = placeOf(window);
            // Released up and to the left, off the window; or over another window of the program:
            // the panel for the home window's drag, the surface for the panel's, and for the
            // surface's a picture window at the screen's corner (the panel goes along with the
            // surface, and the window manager would keep it from leaving the screen).
            QPoint to = from + QPoint(-60, -50);
            if (timing == Timing::ManagerLateOverOurWindow && which == Which::Surface) {
                FrmPicture& picture = FrmPicture::get();
                picture.Image1.setPicture([] {
                    QPixmap p(160, 120);
                    p.fill(Qt::green);
                    return p;
                }());
                picture.Show();
                picture.move(0, 0);
                ASSERT_TRUE(settled(picture));
                to = pointOn(picture.Image1);
            } else if (timing == Timing::ManagerLateOverOurWindow) {
                to = which == Which::Panel ? pointOn(surface.lblMove) : pointOn(panel.lblMove);
            }
            const QPoint by = to - from;
            std::optional<xdesk::ForeignWindow> other;
            if (timing == Timing::ManagerLateOverAnotherProgram) {
                other.emplace(QRect(to - QPoint(20, 20), QSize(40, 40)));
                ASSERT_TRUE(waitFor([&] { return other->up(); }));
            }

            MouseSeen seen;
            const QPoint first = from + QPoint(by.x() > 0 ? 12 : -12, by.y() > 0 ? 9 : -9);
            xdesk::pointerTo(from);
            ASSERT_TRUE(waitFor(xdesk::pointerFree));
            switch (timing) {
            case Timing::ManagerLateOverOurWindow:
            case Timing::ManagerLateOverAnotherProgram:
                xdesk::leftButton(true);
                ASSERT_TRUE(waitFor([&] { return seen.presses(window) == 1; })) << pressReport(window, from);
                xdesk::holdManager(true);
                xdesk::pointerTo(first);
                xdesk::pointerTo(to);
                xdesk::leftButton(false);
                // The program has the release (the drag's window has it, whatever lies under the
                // pointer); on a fault it may never come, and the window manager goes on anyway.
                waitFor([&] { return seen.releases(window) == 1; }, 3000);
                xdesk::holdManager(false);
                break;
            case Timing::PressHandledLate:
                // Sent while the program runs no events: it handles the press once the pointer is
                // at the end.
                xdesk::leftButton(true);
                xdesk::pointerTo(first);
                xdesk::pointerTo(to);
                ASSERT_TRUE(waitFor([&] { return seen.presses(window) == 1 && seen.moves(window) > 0; }))
                    << "presses " << seen.presses(window) << ", moves " << seen.moves(window) << "; " << pressReport(window, from);
                xdesk::leftButton(false);
                break;
            case Timing::Flick: {
                xdesk::leftButton(true);
                ASSERT_TRUE(waitFor([&] { return seen.presses(window) == 1; })) << pressReport(window, from);
                std::vector<QPoint> steps;
                for (int i = 1; i <= 6; ++i)
                    steps.push_back(from + by * i / 6);
                xdesk::pointerPath(steps);
                xdesk::leftButton(false);
                break;
            }
            }
            const QPoint end = origin + by;
            EXPECT_TRUE(waitFor([&] { return placeOf(window) == end && window.pos() == end; }, 10000))
                << "the window is at " << placeOf(window).x() << ',' << placeOf(window).y() << ", not at " << end.x()
                << ',' << end.y();
            EXPECT_TRUE(waitFor(xdesk::pointerFree, 5000)) << "something holds the pointer after the release";
            if (which == Which::Surface) {
                const QPoint corner = end + QPoint(800, 600);
                EXPECT_TRUE(waitFor([&] { return bottomRight(panel) == corner; }, 5000))
                    << "the panel is at " << placeOf(panel).x() << ',' << placeOf(panel).y();
            }
            // The pointer goes on with its button up: nothing follows it.
            xdesk::pointerTo(to + QPoint(25, 15));
            EXPECT_TRUE(waitFor(xdesk::pointerFree, 5000));
            QCoreApplication::processEvents();
            EXPECT_EQ(placeOf(window), end);
            EXPECT_EQ(window.pos(), end);
        }
}
