// The picture-drag judge: the eight directions accepted at and beyond their bound and rejected
// before it, the picture trailing the pointer on its own axes, and drags through real events.

#include "judges_fixture.h"

#include <gtest/gtest.h>

using namespace judgetest;
using testrec::Record;
using testworld::World;
using namespace ModData;

namespace {

// The drag picture (20 x 10 pixels) placed at `place` (twips), the bound given.
FrmMain& pictureStep(World& w, const QString& code, QPoint bound, QPoint place = {3000, 3000})
{
    w.picture(QStringLiteral("500001"));
    w.ops({Record(code).plane(5, place.x(), place.y(), QStringLiteral("500001")).dragBound(bound.x(), bound.y()),
           Record(QStringLiteral("9999"))});
    return shown();
}

QPointF placeOf(const tk::Control& c) { return QPointF(c.Left(), c.Top()); }

// Direction of a code on each axis: -1 left or up, +1 right or down.
QPoint direction(int code)
{
    switch (code) {
    case 8001: return {-1, 0};
    case 8002: return {1, 0};
    case 8003: return {0, -1};
    case 8004: return {0, 1};
    case 8006: return {-1, 1};
    case 8007: return {1, 1};
    case 8008: return {-1, -1};
    case 8009: return {1, -1};
    default: return {0, 0};
    }
}

} // namespace

// The drop is judged where the drag base stands; the bound itself counts as reached. The bound
// (3000, 3000) and the record's place (5000, 5000) are design twips, at the screen scale.
TEST(PictureDrag, AcceptedAtAndBeyondTheBound)
{
    struct Case {
        int code;
        int offX, offY; // the drag base from the placed bound, twips, on the code's own axes
        bool advances;
    };
    const Case cases[] = {
        {8001, 0, 0, true},  {8001, 1, 0, false},   {8002, 0, 0, true},  {8002, -1, 0, false},
        {8003, 0, 0, true},  {8003, 0, 1, false},   {8004, 0, 0, true},  {8004, 0, -1, false},
        {8006, 0, 0, true}, {8006, 1, 0, false}, {8006, 0, -1, false},
        {8007, 0, 0, true}, {8007, -1, 0, false}, {8007, 0, -1, false},
        {8008, 0, 0, true}, {8008, 1, 0, false}, {8008, 0, 1, false},
        {8009, 0, 0, true}, {8009, -1, 0, false}, {8009, 0, 1, false},
    };
    for (const testworld::Scale& k : testworld::kScales) {
        const QPointF bound = k.of(QPointF(3000, 3000)), place = k.of(QPointF(5000, 5000));
        for (const Case& c : cases) {
            World w;
            World::useScale(k);
            FrmMain& m = pictureStep(w, QString::number(c.code), {3000, 3000}, {5000, 5000});
            const QPoint d = direction(c.code);
            m.Image5.Move(100, 200); // dropped somewhere
            const long baseX = d.x() ? long(bound.x()) + c.offX : 100;
            m.dragBaseLeft = baseX;
            m.dragBaseTop = qint16(d.y() ? int(bound.y()) + c.offY : 200);
            m.Image5_MouseUp(2, 0, 0, 0); // any button is judged
            SCOPED_TRACE(std::to_string(c.code) + " off " + std::to_string(c.offX) + "," + std::to_string(c.offY) + " "
                         + k.name());
            EXPECT_EQ(iStepNo, c.advances ? 2 : 1);
            // Accepted: snapped onto the bound; rejected: back where the record puts it. Only on
            // the code's own axes, both of them even when one alone failed.
            const QPointF onAxes = c.advances ? bound : place;
            EXPECT_EQ(placeOf(m.Image5), QPointF(d.x() ? onAxes.x() : 100, d.y() ? onAxes.y() : 200));
            if (!c.advances) {
                EXPECT_EQ(m.dragBaseLeft, baseX) << "a rejected drop leaves the base";
            }
        }
    }
}

// The release that completes one picture drag is judged at once for the next step too, against
// that step's own place and bound.
TEST(PictureDrag, OneReleaseJudgesTheNextStepToo)
{
    for (int nextBoundY : {2000, 4000}) {
        World w;
        w.picture(QStringLiteral("500001"));
        w.ops({Record(QStringLiteral("8001")).plane(5, 3000, 3000, QStringLiteral("500001")).dragBound(2000, 0),
               Record(QStringLiteral("8003")).plane(5, 1000, 3000, QStringLiteral("888888")).dragBound(0, nextBoundY),
               Record(QStringLiteral("9999"))});
        FrmMain& m = shown();
        m.dragBaseLeft = 1500;
        m.Image5_MouseUp(1, 0, 0, 0);
        SCOPED_TRACE(nextBoundY);
        EXPECT_EQ(iStepNo, nextBoundY >= 3000 ? 3 : 2);
    }
}

// Each move puts the moved edge halfway to the pointer, on the code's axes only, and only with
// the left button alone. The picture is placed at (3000, 3000) design twips, at the screen scale;
// the pointer's position is twips of the picture.
TEST(PictureDrag, PictureTrailsThePointer)
{
    struct Case {
        const char* code;
        int buttons;
        QPointF moved; // from the placed picture
    };
    const Case cases[] = {
        {"8002", 1, {500, 0}},
        {"8004", 1, {0, 300}},
        {"8007", 1, {500, 300}},
        {"8002", 3, {0, 0}}, // two buttons held
        {"8002", 2, {0, 0}},
        {"8005", 1, {0, 0}}, // no such direction
        {"0001", 1, {0, 0}},
    };
    for (const testworld::Scale& k : testworld::kScales) {
        for (const Case& c : cases) {
            World w;
            World::useScale(k);
            FrmMain& m = pictureStep(w, QString::fromLatin1(c.code), {6000, 6000});
            m.Image5_MouseMove(c.buttons, 0, 1000, 600);
            SCOPED_TRACE(std::string(c.code) + " buttons " + std::to_string(c.buttons) + " " + k.name());
            const QPointF after = k.of(QPointF(3000, 3000)) + c.moved;
            EXPECT_EQ(placeOf(m.Image5), after);
            EXPECT_EQ(QPointF(m.dragBaseLeft, m.dragBaseTop), after);
        }
    }
}

// Real drags: the pointer pulled well beyond the bound completes the step; one that stops
// short puts the picture back. Place, bound and pull are design twips, at the screen scale.
TEST(PictureDrag, DragsThroughRealEvents)
{
    for (const testworld::Scale& k : testworld::kScales) {
        const QPointF place = k.of(QPointF(3000, 3000));
        for (int code : {8001, 8002, 8003, 8004, 8005, 8006, 8007, 8008, 8009}) {
            for (bool farEnough : {true, false}) {
                World w;
                World::useScale(k);
                const QPoint d = direction(code);
                const QPoint bound = QPoint(3000, 3000) + d * 1500;
                FrmMain& m = pictureStep(w, QString::number(code), bound);
                const QPoint start = tktest::inWindow(m.Image5, centre(m.Image5));
                const QPointF pull = k.of(QPointF(d * (farEnough ? 2000 : 1000))) / 15;
                const QPoint target = start + pull.toPoint();
                tktest::press(m.Image5, centre(m.Image5));
                for (int i = 0; i < 12; ++i)
                    QTest::mouseMove(m.windowHandle(), target + QPoint(i % 2, i % 2));
                const QPointF dropped = placeOf(m.Image5);
                QTest::mouseRelease(m.windowHandle(), Qt::LeftButton, {}, target);
                SCOPED_TRACE(std::to_string(code) + (farEnough ? " far " : " short ") + k.name());
                const bool advances = farEnough && code != 8005;
                EXPECT_EQ(iStepNo, advances ? 2 : 1);
                if (code == 8005) {
                    EXPECT_EQ(dropped, place) << "8005 never moves";
                } else {
                    EXPECT_EQ(dropped.x() != place.x(), d.x() != 0) << "only the code's axes move";
                    EXPECT_EQ(dropped.y() != place.y(), d.y() != 0);
                }
                EXPECT_EQ(placeOf(m.Image5), advances ? k.of(QPointF(bound)) : place);
            }
        }
    }
}
