// Judges of the second hot spot through real mouse events: the left press that completes any
// step without the drag-only mark, rubber bands and drags into the hot spot with their Shift
// state, the selection frame, and the end of a gesture.

#include "judges_fixture.h"

#include <gtest/gtest.h>

using namespace judgetest;
using testrec::Record;
using testworld::World;
using namespace ModData;

namespace {

// Second hot spot at pixels (100, 100) 60 x 40; hot spot at pixels (400, 200) 100 x 60.
QString gestureStep(const char* code, bool markOnly = true, const char* dragPointer = "S0002")
{
    const QString line = withDragPointer(
        Record(QString::fromLatin1(code)).hotSpot(6000, 3000, 1500, 900).second(1500, 1500, 900, 600),
        QString::fromLatin1(dragPointer));
    return markOnly ? dragOnly(line) : line;
}

// Presses on the middle of the second hot spot; moves and releases at points of the surface, in
// its pixels.
void pressOnSecond(FrmMain& m, Qt::KeyboardModifiers mods, Qt::MouseButton b = Qt::LeftButton)
{
    tktest::press(m.Label4, centre(m.Label4), b, mods);
}
void moveOnSurface(FrmMain& m, QPoint surfacePixel) { QTest::mouseMove(m.windowHandle(), surfacePixel); }
void releaseOnSurface(FrmMain& m, QPoint surfacePixel, Qt::KeyboardModifiers mods)
{
    QTest::mouseRelease(m.windowHandle(), Qt::LeftButton, mods, surfacePixel);
}

} // namespace

TEST(SecondHotSpot, LeftPressCompletesAnyStepWithoutTheMark)
{
    struct Case {
        const char* code;
        bool mark;
        Qt::MouseButton button;
        Qt::KeyboardModifiers mods;
        bool advances;
    };
    const Case cases[] = {
        {"0001", false, Qt::LeftButton, {}, true},
        {"0003", false, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, true},
        {"6013", false, Qt::LeftButton, {}, true},
        {"2000", false, Qt::LeftButton, {}, true}, // a code with no judge of its own
        {"0052", false, Qt::LeftButton, Qt::ControlModifier, true},
        {"0001", true, Qt::LeftButton, {}, false},
        {"0001", false, Qt::RightButton, {}, false},
        {"0001", false, Qt::MiddleButton, {}, false},
    };
    for (const Case& c : cases) {
        World w;
        w.ops({gestureStep(c.code, c.mark), Record(QStringLiteral("9999"))});
        FrmMain& m = shown();
        pressOnSecond(m, c.mods, c.button);
        tktest::release(m.Label4, centre(m.Label4), c.button, c.mods);
        SCOPED_TRACE(std::string(c.code) + (c.mark ? " EE" : ""));
        EXPECT_EQ(iStepNo, c.advances ? 2 : 1);
    }
}

TEST(SecondHotSpot, RubberBandsAndDrags)
{
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    struct Case {
        const char* code;
        const char* dragPointer;
        Qt::KeyboardModifiers atPress, atMove, atRelease;
        bool moves;
        QPoint releaseAt; // surface pixels
        bool advances;
    };
    const QPoint inside(450, 230), rightEdge(500, 230), bottomEdge(450, 260), beyond(501, 230);
    const Case cases[] = {
        {"0040", "S0002", none, none, none, true, inside, true},
        {"0040", "S0002", none, none, none, true, rightEdge, true}, // edges count as inside
        {"0040", "S0002", none, none, none, true, bottomEdge, true},
        {"0040", "S0002", none, none, none, true, beyond, false},
        {"0040", "S0000", none, none, none, true, inside, true}, // a frame needs no pointer
        {"0040", "S0002", none, none, shift, true, inside, false},
        {"0041", "S0002", shift, shift, shift, true, inside, true},
        {"0041", "S0002", none, shift, shift, true, inside, false}, // Shift needed at the press
        {"0041", "S0002", shift, shift, none, true, inside, false}, // and at the release
        {"0050", "S0002", none, none, none, true, inside, true},
        {"0050", "M0004", none, none, none, true, inside, true}, // custom pointer, even unloadable
        {"0050", "S0002", none, none, none, false, inside, false}, // no move, no drag pointer
        {"0050", "S0000", none, none, none, true, inside, false},  // pointer 0: never
        {"0050", "S0002", none, none, none, true, beyond, false},
        {"0052", "S0002", Qt::ControlModifier, Qt::ControlModifier, Qt::ControlModifier, true, inside, true},
        {"0052", "S0002", Qt::ControlModifier, Qt::ControlModifier, Qt::ControlModifier | shift, true, inside, false},
    };
    for (const Case& c : cases) {
        World w;
        w.ops({gestureStep(c.code, true, c.dragPointer), Record(QStringLiteral("9999"))});
        FrmMain& m = shown();
        if (c.moves) {
            pressOnSecond(m, c.atPress);
            QTest::mouseMove(m.windowHandle(), QPoint(300, 180));
            // the last move carries the modifiers of its moment
            QMouseEvent mv(QEvent::MouseMove, QPointF(c.releaseAt - m.Label4.mapTo(&m, QPoint())),
                           QPointF(m.mapToGlobal(c.releaseAt)), Qt::NoButton, Qt::LeftButton, c.atMove);
            QApplication::sendEvent(&m.Label4, &mv);
            releaseOnSurface(m, c.releaseAt, c.atRelease);
        } else {
            // Released without a move in between: only the handlers can tell.
            const QPoint rel = c.releaseAt - m.Label4.mapTo(&m, QPoint());
            m.Label4_MouseDown(1, tk::shiftState(c.atPress), 150, 150);
            m.Label4_MouseUp(1, tk::shiftState(c.atRelease), float(tk::toTwips(rel.x())), float(tk::toTwips(rel.y())));
        }
        SCOPED_TRACE(std::string(c.code) + " " + c.dragPointer + " release at " + std::to_string(c.releaseAt.x()) + ","
                     + std::to_string(c.releaseAt.y()));
        EXPECT_EQ(iStepNo, c.advances ? 2 : 1);
        // Every release ends the gesture.
        EXPECT_FALSE(m.Shape6.Visible());
        EXPECT_FALSE(m.dragging);
        EXPECT_EQ(m.Label4.MousePointer(), 0);
    }
}

// The frame spans the anchor and the pointer, whichever way the band is dragged.
TEST(SecondHotSpot, SelectionFrame)
{
    World w;
    w.ops({gestureStep("0040"), Record(QStringLiteral("9999"))});
    FrmMain& m = shown();
    pressOnSecond(m, {}); // surface pixel (130, 120)
    EXPECT_TRUE(m.Shape6.Visible());
    EXPECT_TRUE(m.dragging);
    struct Move {
        QPoint to;
        QRectF frame;
    };
    const Move moves[] = {
        {{160, 150}, {1950, 1800, 450, 450}},
        {{40, 50}, {600, 750, 1350, 1050}}, // up and to the left
        {{130, 60}, {1950, 900, 0, 900}},
    };
    for (const Move& mv : moves) {
        moveOnSurface(m, mv.to);
        EXPECT_EQ(QRectF(m.Shape6.Left(), m.Shape6.Top(), m.Shape6.Width(), m.Shape6.Height()), mv.frame);
    }
    // A scene build ends the gesture as well.
    World::build(1);
    EXPECT_FALSE(m.Shape6.Visible());
    EXPECT_FALSE(m.dragging);
    releaseOnSurface(m, QPoint(130, 60), {});
    EXPECT_EQ(iStepNo, 1);
}

// Moving over the second hot spot gives the hot spot the drag pointer, whatever the step.
TEST(SecondHotSpot, MoveShowsTheDragPointerOnTheHotSpot)
{
    World w;
    w.ops({gestureStep("0001", false, "S0011"), Record(QStringLiteral("9999"))});
    FrmMain& m = shown();
    moveOnSurface(m, QPoint(10, 10));
    EXPECT_EQ(m.Label1.MousePointer(), 0);
    moveOnSurface(m, QPoint(110, 110));
    EXPECT_EQ(m.Label1.MousePointer(), 11);
    EXPECT_EQ(iStepNo, 1);
}

// The release that completes a rubber band is judged once more as a drag of the next step.
TEST(SecondHotSpot, RestOfTheGestureReachesTheNextStep)
{
    for (bool nextHolds : {true, false}) {
        World w;
        const QString next = Record(QStringLiteral("0001")).hotSpot(nextHolds ? 6000 : 9000, 3000, 1500, 900).second(1500, 1500, 900, 600);
        w.ops({gestureStep("0040"), dragOnly(withDragPointer(next, QStringLiteral("S0002"))), Record(QStringLiteral("9999"))});
        FrmMain& m = shown();
        pressOnSecond(m, {});
        moveOnSurface(m, QPoint(450, 230));
        releaseOnSurface(m, QPoint(450, 230), {});
        SCOPED_TRACE(nextHolds);
        EXPECT_EQ(iStepNo, nextHolds ? 3 : 2);
    }
}
