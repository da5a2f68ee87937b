// What lies on top of the surface where a hot spot overlaps the drawn menu bar's titles, the tab
// labels or the step-back spot: the hot spot takes the candidate's click, through real mouse
// events, in the first scene and in every one built after it.

#include "bank/tabs.h"
#include "menutab_fixture.h"

#include <gtest/gtest.h>

using namespace menutest;
using judgetest::PopupHand;
using testrec::Record;
using namespace ModData;

namespace {

// Steps 1 and 2 alike (so that the second is built by the first one's advance), then the end.
QStringList twice(const QString& step) { return {step, step, Record(QStringLiteral("9999"))}; }

} // namespace

// A popup step whose hot spot lies on the title band of a record that shows the titles: the
// click opens the popup menu at the record's position, not the drawn drop-down.
TEST(Stacking, HotSpotOnTheTitleBandTakesTheClick)
{
    MenuWorld w;
    PopupHand hand;
    FrmMain& m = w.shown(twice(Record(QStringLiteral("3121")).hotSpot(450, 450, 600, 200)
                                   .shared(QStringLiteral("0045001000"))));
    hand.install(m);
    ASSERT_TRUE(m.LMainMenu[1].Visible());
    ASSERT_TRUE(rect(m.LMainMenu[1]).contains(centreOf(m.Label1)));
    clickOn(m, m.Label1);
    EXPECT_EQ(hand.openings, 1);
    EXPECT_FALSE(m.menuOpen);
    EXPECT_TRUE(shownPicture(m.ImgMenuSel).isEmpty());

    // The next scene keeps the order.
    m.doNext();
    ASSERT_EQ(iStepNo, 2);
    clickOn(m, m.Label1);
    EXPECT_EQ(hand.openings, 2);
    EXPECT_FALSE(m.menuOpen);
}

// A click step whose hot spot lies under a tab label of its dialog, or under the step-back spot:
// the click completes the step (neither a tab change nor a step back).
TEST(Stacking, HotSpotOverTabLabelsAndTheStepBackSpot)
{
    ShownWorld w;
    w.picture(QStringLiteral("500002"), 400, 400);
    const bank::tabs::TabLayout layout(*bank::tabs::builtInLayout(u'A'));
    const QRectF tab2 = *layout.tabRect(2, 600, 900, 1, 1, 1);
    const QRectF back = layout.backSpotRect(600, 900, 1, 1);
    struct Case {
        const char* name;
        QString step;
        QPointF at;
    } cases[] = {
        {"under tab 2",
         Record(QStringLiteral("0001")).plane(2, 600, 900, QStringLiteral("500002"))
             .hotSpot(int(tab2.left()), int(tab2.top()), 400, 200).shared(QStringLiteral("00000XA112")),
         tab2.topLeft() + QPointF(60, 60)},
        {"under the step-back spot of a tab step",
         Record(QStringLiteral("0001")).plane(2, 600, 900, QStringLiteral("500002"))
             .hotSpot(int(back.left()), int(back.top()), 400, 200).shared(QStringLiteral("00000XA112")),
         back.topLeft() + QPointF(60, 60)},
        {"under the step-back spot of a back mark",
         Record(QStringLiteral("0001")).hotSpot(3000, 3000, 600, 300).shared(QStringLiteral("Q000200000"))
             .dragBound(3000, 3000),
         QPointF(3100, 3100)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FrmMain& m = w.shown(twice(c.step));
        for (int step = 1; step <= 2; ++step) {
            ASSERT_EQ(iStepNo, step);
            ASSERT_TRUE(rect(m.Label1).contains(c.at));
            clickAt(m, c.at);
            EXPECT_EQ(iStepNo, step + 1);
        }
    }
}
