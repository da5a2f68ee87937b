// Borderless windows dragged by a strip, z-order helpers and the pointer test.

#include "platform/windowpos.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit_testutil.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {

class DragForm : public tk::FormT<DragForm> {
public:
    DragForm()
    {
        setBorderless();
        Move(1500, 1500, 6000, 4500);
        lblMove.Move(0, 0, 6000, 540);
        lblMove.setBackStyle(0);
        lblMove.onMouseDown = [this](int button, int, float, float) {
            if (button == 1)
                platform::dragWindow(this);
            log << QStringLiteral("after drag at %1,%2").arg(Left()).arg(Top());
        };
        lblMove.onMouseUp = [this](int, int, float, float) { log << QStringLiteral("up"); };
    }
    tk::Label lblMove{this};
    QStringList log;
};

} // namespace

TEST(WindowDrag, LeftPressOnTheStripMovesTheWindowAndReturnsAtTheRelease)
{
    DragForm& f = DragForm::get();
    ASSERT_TRUE(tktest::showExposed(f));
    // The pointer is a screen position: as the window moves under it, its place in the window
    // changes.
    QWindow* w = f.windowHandle();
    const QPoint start = f.lblMove.mapToGlobal(QPoint(40, 25));
    auto at = [w](QPoint global) { return global - w->position(); };
    // While the drag holds the press handler, the mouse moves 30 right, 20 down and comes up.
    QTimer::singleShot(0, &f, [&] {
        for (QPoint step : {QPoint(10, 5), QPoint(30, 20)}) {
            QCursor::setPos(start + step);
            QTest::mouseMove(w, at(start + step));
        }
        QTest::mouseRelease(w, Qt::LeftButton, {}, at(start + QPoint(30, 20)));
    });
    QCursor::setPos(start);
    QTest::mousePress(w, Qt::LeftButton, {}, at(start));
    EXPECT_EQ(f.log, QStringList({"after drag at 1950,1800"}))
        << "the handler goes on after the drag; the strip sees no release";

    // Other buttons do not drag.
    f.log.clear();
    tktest::press(f.lblMove, {40, 25}, Qt::RightButton);
    tktest::release(f.lblMove, {40, 25}, Qt::RightButton);
    EXPECT_EQ(f.log, QStringList({"after drag at 1950,1800", "up"}));
    DragForm::unloadIfLoaded();
    tktest::flushDeletes();
}

TEST(WindowOrder, TopmostKeepsPlaceAndSize)
{
    DragForm& f = DragForm::get();
    ASSERT_TRUE(tktest::showExposed(f));
    f.setTopmost();
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(f.isVisible());
    EXPECT_DOUBLE_EQ(f.Left(), 1500);
    EXPECT_DOUBLE_EQ(f.Width(), 6000);
    f.setTopmost(false);
    EXPECT_FALSE(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(f.isVisible());
    DragForm::unloadIfLoaded();
    tktest::flushDeletes();
}

TEST(PointerTest, OnlyTheWidgetUnderThePointerAndItsChildrenCount)
{
    DragForm& f = DragForm::get();
    ASSERT_TRUE(tktest::showExposed(f));
    QCursor::setPos(f.lblMove.mapToGlobal(QPoint(5, 5)));
    EXPECT_TRUE(platform::isPointerOver(&f.lblMove));
    EXPECT_TRUE(platform::isPointerOver(&f));
    QCursor::setPos(f.mapToGlobal(QPoint(5, 200)));
    EXPECT_FALSE(platform::isPointerOver(&f.lblMove));
    QCursor::setPos(f.lblMove.mapToGlobal(QPoint(5, 5)));
    f.lblMove.setEnabled(false);
    EXPECT_FALSE(platform::isPointerOver(&f.lblMove));
    DragForm::unloadIfLoaded();
    tktest::flushDeletes();
}
