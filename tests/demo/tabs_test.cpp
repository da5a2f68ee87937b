// Tab steps: the tab labels laid out from the demonstration's tab layouts, the prompt for the
// target tab, the two-row strips, and the two legs of a tab change.

#include "demoworld.h"

#include "bank/tabs.h"

#include <gtest/gtest.h>

using namespace demotest;
using namespace ModData;
using Y = FrmYanShi;

namespace {

// A tab step on Image1 at (600, 900): hot spot (3000, 3000, 400, 200), hint line 1.
Rec tabStep(const QString& tabField, const QString& code = QStringLiteral("0001"))
{
    return Rec(code).image(1, 600, 900, QStringLiteral("100001")).hot(3000, 3000, 400, 200).hint(100, 100, 1).at(130, tabField);
}

struct TabWorld : World {
    TabWorld()
    {
        texts({QStringLiteral("单击确定")});
        picture(QStringLiteral("100001"), 50, 50); // the record's picture: the target page
        picture(QStringLiteral("321005"), 33, 11); // page of tab 1 in layout "A"
        picture(QStringLiteral("100003"), 70, 10);
    }
};

} // namespace

TEST(DemoTabs, TabStepPromptsForTheTargetTabOnTheCurrentPage)
{
    TabWorld w;
    w.ops({tabStep(QStringLiteral("XA131")), Rec("0001").hotAt(100, 100), Rec("9999")});
    FrmYanShi& d = World::start();
    EXPECT_EQ(d.LHelp.Caption(), QStringLiteral("请选择第3个选项卡"));
    EXPECT_EQ(d.Image1.Picture().width(), 33); // the current tab's page
    EXPECT_EQ(rectOf(d.LblXXK[3]), QRectF(2340, 1485, 810, 285));
    EXPECT_EQ(rectOf(d.Shape1), rectOf(d.LblXXK[3]));
    EXPECT_EQ(rectOf(d.Label1), QRectF(3000, 3000, 1, 1));
    EXPECT_EQ(QPoint(Y::targetX, Y::targetY), QPoint(2745, 1628)); // the tab's centre, halves to even

    // First arrival: the target page, the hot spot and its hint, and on to the hot spot.
    int ticks = 0;
    while (d.Shape4.Left() != -100 && ticks++ < 20)
        d.Timer2.fire();
    ASSERT_DOUBLE_EQ(d.Shape4.Left(), -100);
    EXPECT_EQ(d.Image1.Picture().width(), 50);
    EXPECT_EQ(rectOf(d.Label1), QRectF(3000, 3000, 400, 200));
    EXPECT_EQ(rectOf(d.Shape1), rectOf(d.Label1));
    EXPECT_EQ(d.LHelp.Caption(), QStringLiteral("单击确定"));
    EXPECT_EQ(QPoint(Y::targetX, Y::targetY), QPoint(3200, 3100));
    EXPECT_EQ(Y::stepNo, 1);
    // Second arrival: the click and the next step.
    while (Y::stepNo == 1 && ticks++ < 40)
        d.Timer2.fire();
    EXPECT_EQ(Y::stepNo, 2);
}

TEST(DemoTabs, EqualTabsAreNoTabStep)
{
    TabWorld w;
    w.ops({tabStep(QStringLiteral("XA221")), Rec("9999")});
    FrmYanShi& d = World::start();
    EXPECT_EQ(d.LHelp.Caption(), QStringLiteral("单击确定"));
    EXPECT_EQ(d.Image1.Picture().width(), 50); // the record's own picture
    EXPECT_EQ(rectOf(d.Label1), QRectF(3000, 3000, 400, 200));
    EXPECT_EQ(rectOf(d.Shape1), rectOf(d.Label1));
    EXPECT_EQ(QPoint(Y::targetX, Y::targetY), QPoint(3200, 3100)); // aimed by its code
}

TEST(DemoTabs, LabelsOfTheDemonstrationsLayoutA)
{
    TabWorld w;
    w.ops({Rec("0001").image(1, 0, 0, QStringLiteral("100001")).hot(3000, 3000, 400, 200).at(130, QStringLiteral("XA121"))});
    FrmYanShi& d = World::start();
    const int lefts[] = {150, 930, 1740, 2550, 3360, 4320};
    const int widths[] = {780, 810, 810, 810, 960, 870};
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(rectOf(d.LblXXK[i]), QRectF(lefts[i - 1], 585, widths[i - 1], 285)) << i;
    EXPECT_EQ(rectOf(d.LblXXK[7]), QRectF(-1, -1, 1, 1)); // beyond the tab count: parked
    EXPECT_EQ(rectOf(d.LblXXK[0]), QRectF(5910, 4065, 1080, 270));
    EXPECT_EQ(Y::tabCount, 6);
}

TEST(DemoTabs, StripsOfEightTabsHaveTwoRows)
{
    const bank::tabs::TabLayout layout(*bank::tabs::builtInLayout(u'D', bank::tabs::Table::Demo));
    ASSERT_EQ(layout.count(), 8);
    const int t = layout.labelTop();
    struct Case {
        QChar current;
        int front;
    } cases[] = {{u'6', 2}, {u'3', 1}};
    for (const Case& c : cases) {
        TabWorld w;
        w.ops({tabStep(QStringLiteral("XD") + c.current + QStringLiteral("21")), Rec("9999")});
        FrmYanShi& d = World::start();
        EXPECT_EQ(Y::frontTabRow, c.front);
        EXPECT_DOUBLE_EQ(d.LblXXK[4].Width(), 1215);
        for (int i = 1; i <= 8; ++i) {
            const bool lowered = (i > 4) == (c.front == 2);
            EXPECT_DOUBLE_EQ(d.LblXXK[i].Top(), (lowered ? t + 300 : t) + 900) << i << " current " << c.current.toLatin1();
        }
    }
}

TEST(DemoTabs, LayoutHHasNoTabsOnlyTheStepBackSpot)
{
    TabWorld w;
    w.ops({tabStep(QStringLiteral("XH111")), Rec("9999")});
    FrmYanShi& d = World::start();
    EXPECT_EQ(Y::tabCount, 0);
    EXPECT_EQ(rectOf(d.LblXXK[0]), QRectF(600, 900, 0, 0));
    EXPECT_EQ(rectOf(d.LblXXK[1]), QRectF(-1, -1, 1, 1));
}

TEST(DemoTabs, AnUnknownLetterOrImageKeepsThoseOfTheTabStepBefore)
{
    TabWorld w;
    w.ops({tabStep(QStringLiteral("XA121")),
           Rec().image(1, 2000, 2000, QStringLiteral("888888")).hot(3000, 3000, 400, 200).at(130, QStringLiteral("XZ120")),
           Rec("9999")});
    FrmYanShi& d = FrmYanShi::get(); // built, not run
    FrmYanShi::stepNo = 2;
    d.setData();
    EXPECT_EQ(Y::tabLayout, *bank::tabs::builtInLayout(u'A', bank::tabs::Table::Demo));
    EXPECT_EQ(Y::tabLeft, 600); // image 0: the strip of step 1
    EXPECT_EQ(Y::tabTop, 900);
    EXPECT_DOUBLE_EQ(d.LblXXK[2].Left(), 930 + 600);
}

TEST(DemoTabs, TheTargetPageIsLoadedAtTheFirstArrivalNotBefore)
{
    TabWorld w;
    w.picture(QStringLiteral("100009"), 90, 10);
    w.ops({Rec("0002").image(3, 600, 900, QStringLiteral("100003")).hot(3000, 3000, 400, 200).at(130, QStringLiteral("XA333")),
           Rec("0002").image(3, 600, 900, QStringLiteral("100009")).hot(3000, 3000, 400, 200).at(130, QStringLiteral("XA123")),
           Rec("9999")});
    FrmYanShi& d = World::start();
    EXPECT_EQ(d.Image3.Picture().width(), 70); // equal tabs: the record's own picture
    int ticks = 0;
    while (Y::stepNo == 1 && ticks++ < 20)
        d.Timer2.fire();
    ASSERT_EQ(Y::stepNo, 2);
    EXPECT_EQ(d.Image3.Picture().width(), 33); // the current tab's page first
    while (d.Shape4.Left() != -100 && ticks++ < 40)
        d.Timer2.fire();
    ASSERT_DOUBLE_EQ(d.Shape4.Left(), -100);
    EXPECT_EQ(d.Image3.Picture().width(), 90); // cols 60-65 at the first arrival
    EXPECT_EQ(d.Shape5.BorderColor(), 65280);  // a double-click step marks both arrivals green
    EXPECT_TRUE(d.Timer5.Enabled());
}

TEST(DemoTabs, EveryLayoutPlacesItsLabelsFromItsOwnEdges)
{
    for (QChar letter : QStringLiteral("ABCDEFGIJ")) {
        const bank::tabs::TabLayout layout(*bank::tabs::builtInLayout(letter, bank::tabs::Table::Demo));
        TabWorld w;
        w.ops({tabStep(QStringLiteral("X") + letter + QStringLiteral("121")), Rec("9999")});
        FrmYanShi& d = World::start();
        ASSERT_EQ(Y::tabCount, layout.count()) << letter.toLatin1();
        for (int i = 1; i <= layout.count(); ++i) {
            int width = layout.tabLeft(i + 1) - layout.tabLeft(i);
            if (width < 0)
                width = 990; // the next edge lies to the left: a tab of its own width
            if (i == 4 && layout.count() >= 8)
                width = 1215;
            EXPECT_DOUBLE_EQ(d.LblXXK[i].Left(), 600 + layout.tabLeft(i)) << letter.toLatin1() << i;
            EXPECT_DOUBLE_EQ(d.LblXXK[i].Width(), width) << letter.toLatin1() << i;
            EXPECT_DOUBLE_EQ(d.LblXXK[i].Height(), layout.labelHeight()) << letter.toLatin1() << i;
        }
    }
}
