// The demonstration's menus: the pictured pull-down of menu-bar steps with its holds and submenu,
// and the drawn context menu of popup-menu steps with its cascade submenu.

#include "demoworld.h"

#include "toolkit/twips.h"
#include "toolkit/vb.h"

#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

using namespace demotest;
using namespace ModData;
using Y = FrmYanShi;

namespace {

// ---- pull-down ----

struct MenuBarWorld : World {
    MenuBarWorld()
    {
        const QString pics = folder + QStringLiteral("/examdata/");
        for (const char* id : {"750088", "750000", "750004", "740088", "740000", "741000", "741005", "710088",
                               "710000", "710002", "710003"})
            picture(QString::fromLatin1(id), 80, 200, pics);
    }
};

// Glides to the title and opens the drop-down.
void openTheDropDown(FrmYanShi& d)
{
    fireWhileOn(d.Timer2, 20);
    ASSERT_TRUE(d.Timer6.Enabled());
}

// ---- context menu ----

// sMenu.sys with every line "0" except the given blocks: set, block, its fifteen lines (lines
// not given stay "0").
struct Block {
    int set, block;
    QStringList lines;
};
QStringList menuLines(const std::vector<Block>& blocks)
{
    QStringList all;
    for (int i = 0; i < 270; ++i)
        all << QStringLiteral("0");
    for (const Block& b : blocks)
        for (int i = 0; i < b.lines.size(); ++i)
            all[(b.block - 1) * 15 + (b.set - 1) * 135 + i] = b.lines[i];
    return all;
}

// Block with a cascade in section 1 (its submenu on the next line) and a list in section 2.
QStringList block(const QString& cascade, const QString& submenu, const QString& list)
{
    QStringList l;
    for (int i = 0; i < 15; ++i)
        l << QStringLiteral("0");
    l[0] = QStringLiteral("block");
    l[1] = cascade;
    l[2] = submenu;
    l[3] = list;
    return l;
}

// A popup-menu step whose hot spot lies where the pointer starts, the menu placed at `place`
// ("00000" in cols 130-134: at the pointer).
Rec popupStep(const QString& code, const QString& place = QStringLiteral("0400003000"))
{
    return Rec(code).hotAt(7680, 5760).shared(place);
}

// Starts the demonstration and lets the glide arrive at the hot spot, which draws the menu.
FrmYanShi& openTheMenu()
{
    FrmYanShi& d = World::start();
    d.Timer2.fire();
    EXPECT_TRUE(d.TimerRM.Enabled());
    return d;
}

} // namespace

TEST(DemoPullDown, RowsOfTheDemonstrationsSetFive)
{
    MenuBarWorld w;
    w.ops({Rec("7000").shared(QStringLiteral("5040000000")), Rec("9999")});
    FrmYanShi& d = World::start();
    openTheDropDown(d);
    EXPECT_DOUBLE_EQ(d.ImgMenuSys.Left(), 435 + 4 * 870);
    EXPECT_DOUBLE_EQ(d.ImgMenuSys.Top(), 420);
    const double T = 690; // the drop-down below the title
    EXPECT_DOUBLE_EQ(d.ImgMenuSel.Top(), T);
    const double tops[] = {30, 360, 690, 1020, 1395, 1725};
    for (int i = 1; i <= 6; ++i)
        EXPECT_DOUBLE_EQ(d.LblShuMenu[i].Top(), T + tops[i - 1]) << i;
    EXPECT_DOUBLE_EQ(d.LblShuMenu[10].Top(), T + 3090);
    EXPECT_DOUBLE_EQ(d.LblShuMenu[1].Left(), 435 + 4 * 870 + 30);
    EXPECT_TRUE(d.LblShuMenu[11].Visible());
    EXPECT_FALSE(d.LblShuMenu[12].Visible());
    const tk::Label& row = d.LblShuMenu[4];
    EXPECT_EQ(QPoint(Y::targetX, Y::targetY), QPoint(vb::clng(row.Left() + row.Width() / 2), vb::clng(row.Top() + 165)));
}

TEST(DemoPullDown, RowLightsUpIsHeldAndTheStepEnds)
{
    MenuBarWorld w;
    w.ops({Rec("7000").shared(QStringLiteral("5040000000")), Rec("0001").hotAt(100, 100), Rec("9999")});
    FrmYanShi& d = World::start();
    openTheDropDown(d);
    EXPECT_LE(fireWhileOn(d.Timer6), 15);
    EXPECT_TRUE(d.ImgShuMenu.Visible());
    EXPECT_EQ(d.ImgShuMenu.Picture().height(), 200);
    EXPECT_DOUBLE_EQ(d.ImgShuMenu.Top(), d.LblShuMenu[4].Top());
    EXPECT_TRUE(d.Timer5.Enabled());
    ASSERT_TRUE(d.Timer7.Enabled());
    d.Timer5.setEnabled(false); // without a blink the hold lasts three of its ticks
    d.Timer7.fire();
    d.Timer7.fire();
    EXPECT_EQ(Y::stepNo, 1);
    d.Timer7.fire();
    EXPECT_EQ(Y::stepNo, 2);
    EXPECT_FALSE(d.Timer7.Enabled());
    EXPECT_FALSE(d.Timer8.Enabled());
    EXPECT_TRUE(d.ImgShuMenu.Picture().isNull()); // the next step's build clears the menu
}

TEST(DemoPullDown, SubmenuOpensBesideTheRowAndItsRowIsChosen)
{
    MenuBarWorld w;
    // Set 4, row 1, whose submenu record "134000" has groups of 3 and 4 rows; submenu row 5.
    w.ops({Rec("7000").shared(QStringLiteral("4010500000")), Rec("0001").hotAt(100, 100), Rec("9999")});
    FrmYanShi& d = World::start();
    openTheDropDown(d);
    fireWhileOn(d.Timer6);
    d.Timer5.setEnabled(false);
    fireWhileOn(d.Timer7);
    ASSERT_TRUE(d.Timer8.Enabled());
    EXPECT_EQ(Y::openSubmenuCode, 4101);
    EXPECT_DOUBLE_EQ(d.ImgSubMenu.Left(), d.ImgMenuSel.Left() + d.ImgMenuSel.Width() - 15);
    const double top = d.LblShuMenu[1].Top();
    EXPECT_DOUBLE_EQ(d.ImgSubMenu.Top(), top);
    const double subTops[] = {30, 360, 690, 1065, 1395, 1725, 2055};
    for (int j = 1; j <= 7; ++j) {
        EXPECT_TRUE(d.LblSubSel[j].Visible()) << j;
        EXPECT_DOUBLE_EQ(d.LblSubSel[j].Top(), top + subTops[j - 1]) << j;
    }
    EXPECT_FALSE(d.LblSubSel[8].Visible());
    EXPECT_TRUE(d.ImgSubSel.Visible());
    EXPECT_TRUE(d.ImgSubSel.Picture().isNull());
    fireWhileOn(d.Timer8);
    EXPECT_EQ(d.ImgSubSel.Picture().height(), 200); // "741005"
    EXPECT_DOUBLE_EQ(d.ImgSubSel.Top(), d.LblSubSel[5].Top());
    ASSERT_TRUE(d.Timer9.Enabled());
    d.Timer5.setEnabled(false);
    EXPECT_EQ(fireWhileOn(d.Timer9), 3);
    EXPECT_EQ(Y::stepNo, 2);
}

TEST(DemoPullDown, UnusualMenuChoicesStillEndTheStep)
{
    struct Case {
        const char* name;
        const char* shared;
        bool submenu;
    } cases[] = {
        {"no submenu asked on a row that has one", "4010000000", false},
        {"a submenu row on a set without submenus", "1020300000", true},
        {"a row beyond the drop-down's rows", "1250000000", false},
        {"a set beyond the menu bar", "0010000000", false},
    };
    for (const Case& c : cases) {
        MenuBarWorld w;
        w.ops({Rec("7000").shared(QString::fromLatin1(c.shared)), Rec("0001").hotAt(100, 100), Rec("9999")});
        World::start();
        EXPECT_GT(runToEnd(), 0) << c.name;
        EXPECT_FALSE(bYanShiOn) << c.name;
    }
    // The highlight of a submenu row without a submenu names ordinal 0.
    MenuBarWorld w;
    w.ops({Rec("7000").shared(QStringLiteral("1020300000")), Rec("9999")});
    FrmYanShi& d = World::start();
    fireWhileOn(d.Timer2, 20);
    fireWhileOn(d.Timer6);
    d.Timer5.setEnabled(false);
    fireWhileOn(d.Timer7);
    EXPECT_EQ(Y::openSubmenuCode, 1002);
    fireWhileOn(d.Timer8);
    EXPECT_EQ(d.ImgSubSel.Picture().height(), 200); // "710003"
}

TEST(DemoContextMenu, LayoutAtTheRecordsPosition)
{
    World w;
    w.menuFile(menuLines({{1, 1, block(QStringLiteral("新建(&W)"), QStringLiteral("文件夹|-|快捷方式"),
                                       QStringLiteral("查看|排列图标|-|刷新"))}}));
    w.ops({popupStep(QStringLiteral("3121")), Rec("0001").hotAt(100, 100), Rec("9999")});
    FrmYanShi& d = openTheMenu();
    EXPECT_EQ(Y::menuBlock, 1);
    EXPECT_TRUE(d.LRightMMenu.Visible());
    EXPECT_DOUBLE_EQ(d.LRightMMenu.Left(), 4000);
    EXPECT_DOUBLE_EQ(d.LRightMMenu.Top(), 3000);
    EXPECT_EQ(d.LRMJL[1].Caption(), QStringLiteral("新建(&W)"));
    EXPECT_DOUBLE_EQ(d.LRMJL[1].Left(), 4300);
    EXPECT_DOUBLE_EQ(d.LRMJL[1].Top(), 3090);
    EXPECT_DOUBLE_EQ(d.ImgJLSanjiao[1].Top(), 3120);
    EXPECT_DOUBLE_EQ(d.LRM2[0].Top(), 3360);
    EXPECT_DOUBLE_EQ(d.LRM2[1].Top(), 3630);
    EXPECT_FALSE(d.LRM2[2].Visible()); // the separator's place
    EXPECT_TRUE(d.LRFGX[0].Visible());
    EXPECT_DOUBLE_EQ(d.LRFGX[0].Y1(), 3900);
    EXPECT_DOUBLE_EQ(d.LRM2[3].Top(), 4035);
    const double width = std::max({d.LRM2[0].Width(), d.LRM2[1].Width(), d.LRM2[3].Width()}) + 690;
    EXPECT_EQ(rectOf(d.LRightMMenu), QRectF(4000, 3000, width, 1305));
    EXPECT_EQ(rectOf(d.ShapeRMain), rectOf(d.LRightMMenu));
    EXPECT_DOUBLE_EQ(d.ImgJLSanjiao[1].Left(), 4000 + width - 180);
    EXPECT_DOUBLE_EQ(d.LRFGX[0].X1(), 4060);
    EXPECT_DOUBLE_EQ(d.LRFGX[0].X2(), 4000 + width - 60);
    // The target is item 1 of section 2, framed across the menu.
    const tk::Label& item = d.LRM2[1];
    EXPECT_EQ(Y::targetY, vb::clng(item.Top() + item.Height() / 2));
    EXPECT_EQ(rectOf(d.Shape1), QRectF(4000, Y::targetY - 135, width, 270));
    // The glide to it, then the click and the next step.
    d.Timer5.setEnabled(false);
    EXPECT_LE(fireWhileOn(d.TimerRM), 15);
    EXPECT_TRUE(d.Timer5.Enabled());
    EXPECT_EQ(Y::stepNo, 2);
    EXPECT_FALSE(d.LRightMMenu.Visible()); // the next step's build takes the menu away
}

TEST(DemoContextMenu, OnlyTheRecordsPositionIsScaled)
{
    World w;
    dScaleX = 0.8;
    dScaleY = 0.8;
    w.menuFile(menuLines({{1, 1, block(QStringLiteral("新建"), QStringLiteral("a"), QStringLiteral("查看"))}}));
    w.ops({popupStep(QStringLiteral("3120")), Rec("9999")}); // the hot spot, scaled, is under the pointer
    FrmYanShi& d = openTheMenu();
    EXPECT_DOUBLE_EQ(d.LRightMMenu.Left(), 3200);
    EXPECT_DOUBLE_EQ(d.LRightMMenu.Top(), 2400);
    EXPECT_DOUBLE_EQ(d.LRMJL[1].Left(), 3500);
    EXPECT_DOUBLE_EQ(d.LRM2[0].Top(), 2400 + 90 + 270);
}

TEST(DemoContextMenu, FieldsOfAListLine)
{
    struct Case {
        const char* name;
        QString line;
        int rows;       // labels shown
        int separators; // lines shown
        double height;
    } cases[] = {
        {"one field", QStringLiteral("打开"), 1, 0, 90 + 270},
        {"a separator alone", QStringLiteral("-"), 0, 1, 90 + 135},
        {"an empty field between two", QStringLiteral("a||b"), 3, 0, 90 + 3 * 270},
        {"a trailing bar", QStringLiteral("a|"), 2, 0, 90 + 2 * 270},
        {"twelve fields", QStringLiteral("1|2|3|4|5|6|7|8|9|10|11|12"), 10, 0, 90 + 10 * 270},
        {"an empty line: one blank row", QString(), 1, 0, 90 + 270},
    };
    for (const Case& c : cases) {
        World w;
        w.menuFile(menuLines({{1, 1, block(QStringLiteral("0"), QStringLiteral("0"), c.line)}}));
        w.ops({popupStep(QStringLiteral("3120")), Rec("9999")});
        FrmYanShi& d = openTheMenu();
        EXPECT_EQ(visibleCount(d.LRM2, 0, 9), c.rows) << c.name;
        EXPECT_EQ(visibleCount(d.LRFGX, 0, 9), c.separators) << c.name;
        EXPECT_DOUBLE_EQ(d.LRightMMenu.Height(), c.height) << c.name;
    }
}

TEST(DemoContextMenu, ItemDigitCountsSeparators)
{
    World w;
    w.menuFile(menuLines({{1, 1, block(QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("打开|-|删除"))}}));
    w.ops({popupStep(QStringLiteral("3122")), Rec("9999")});
    FrmYanShi& d = openTheMenu();
    const double first = 3000 + 90;
    EXPECT_DOUBLE_EQ(d.LRM2[2].Top(), first + 270 + 135);
    EXPECT_EQ(Y::targetY, vb::clng(d.LRM2[2].Top() + d.LRM2[2].Height() / 2));
}

TEST(DemoContextMenu, CascadesOnlyMakeAMenuOfTheExtraWidth)
{
    World w;
    QStringList b = block(QStringLiteral("一个很长很长很长的级联标题"), QStringLiteral("a"), QStringLiteral("0"));
    b[4] = QStringLiteral("另一个"); // section 3
    w.menuFile(menuLines({{1, 1, b}}));
    w.ops({popupStep(QStringLiteral("3110")), Rec("9999")});
    FrmYanShi& d = openTheMenu();
    EXPECT_DOUBLE_EQ(d.LRightMMenu.Width(), 690);
    EXPECT_DOUBLE_EQ(d.LRightMMenu.Height(), 90 + 2 * 270);
}

TEST(DemoContextMenu, MissingMenuFileDrawsBlankRows)
{
    World w;
    w.ops({popupStep(QStringLiteral("3120")), Rec("9999")});
    FrmYanShi& d = openTheMenu();
    EXPECT_DOUBLE_EQ(d.LRightMMenu.Height(), 90 + 9 * 270);
    EXPECT_GT(runToEnd(), 0);
}

TEST(DemoContextMenu, MenuOpenedAtThePointerFlipsWhenItWouldNotFit)
{
    World w;
    w.menuFile(menuLines({{1, 1, block(QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("打开|删除|属性"))}}));
    w.ops({popupStep(QStringLiteral("3120"), QStringLiteral("0999900000")), Rec("9999")});
    FrmYanShi& d = openTheMenu();
    const double wMenu = d.LRightMMenu.Width();
    const double hMenu = d.LRightMMenu.Height();
    struct Case {
        QPoint pointer;
        QPoint panel;
    } cases[] = {
        {{int(12000 - 2 * wMenu), 1000}, {int(12000 - 3 * wMenu), 1000}},
        {{int(12000 - 2 * wMenu - 1), 1000}, {int(12000 - 2 * wMenu - 1), 1000}},
        {{1000, int(9000 - 300 - hMenu)}, {1000, int(9000 - 300 - 2 * hMenu)}},
        {{1000, int(9000 - 300 - hMenu - 1)}, {1000, int(9000 - 300 - hMenu - 1)}},
        {{11000, 8500}, {int(11000 - wMenu), int(8500 - hMenu)}}, // both ways
    };
    for (const Case& c : cases) {
        Y::pointX = c.pointer.x();
        Y::pointY = c.pointer.y();
        d.CSH();
        d.RightKeyMenu();
        EXPECT_EQ(QPointF(d.LRightMMenu.Left(), d.LRightMMenu.Top()), QPointF(c.panel)) << c.pointer.x() << "," << c.pointer.y();
        EXPECT_DOUBLE_EQ(d.LRM2[0].Left(), c.panel.x() + 300);
        EXPECT_DOUBLE_EQ(d.ShapeRMain.Top(), c.panel.y());
    }
    // A menu placed from the record never moves.
    FrmYanShi::opRecord = popupStep(QStringLiteral("3120"), QStringLiteral("1150008500"));
    d.RightKeyMenu();
    EXPECT_EQ(QPointF(d.LRightMMenu.Left(), d.LRightMMenu.Top()), QPointF(11500, 8500));
}

TEST(DemoContextMenu, CascadeTargetOpensTheSubmenuWithoutAClick)
{
    World w;
    w.menuFile(menuLines({{1, 1, block(QStringLiteral("新建"), QStringLiteral("Open|-|Close"), QStringLiteral("查看"))}}));
    w.ops({popupStep(QStringLiteral("3112")), Rec("0001").hotAt(100, 100), Rec("9999")});
    FrmYanShi& d = openTheMenu();
    const tk::Label& caption = d.LRMJL[1];
    EXPECT_EQ(Y::targetY, vb::clng(caption.Top() + caption.Height() / 2));
    EXPECT_DOUBLE_EQ(d.Shape1.Top(), Y::targetY - 135);
    d.Timer5.setEnabled(false);
    fireWhileOn(d.TimerRM);
    EXPECT_FALSE(d.Timer5.Enabled()); // no click on a cascade caption
    ASSERT_TRUE(d.TimerRS.Enabled());
    EXPECT_EQ(Y::stepNo, 1);

    const double T = caption.Top();
    const double width = d.LRightMMenu.Width();
    EXPECT_DOUBLE_EQ(d.LRightSub.Left(), d.LRightMMenu.Left() + width - 60);
    EXPECT_DOUBLE_EQ(d.LRightSub.Top(), T);
    EXPECT_DOUBLE_EQ(d.LRS[0].Top(), T + 135);
    EXPECT_DOUBLE_EQ(d.LRSFgx[0].Y1(), T + 405);
    EXPECT_DOUBLE_EQ(d.LRS[2].Top(), T + 540);
    EXPECT_FALSE(d.LRS[1].Visible());
    EXPECT_DOUBLE_EQ(d.LRightSub.Height(), 810);
    EXPECT_DOUBLE_EQ(d.LRightSub.Width(), std::max(d.LRS[0].Width(), d.LRS[2].Width()) + 690);
    EXPECT_EQ(rectOf(d.ShapeRSUB), rectOf(d.LRightSub));
    EXPECT_EQ(QPoint(Y::targetX, Y::targetY),
              QPoint(vb::clng(d.LRS[2].Left() + d.LRS[2].Width() / 2), vb::clng(d.LRS[2].Top() + d.LRS[2].Height() / 2)));
    EXPECT_EQ(rectOf(d.Shape1), QRectF(d.LRightSub.Left(), T + 540 - 60, d.LRightSub.Width(), 285));
    fireWhileOn(d.TimerRS);
    EXPECT_TRUE(d.Timer5.Enabled());
    EXPECT_EQ(Y::stepNo, 2);
}

TEST(DemoContextMenu, SubmenuItemLines)
{
    struct Case {
        const char* name;
        QString line;
        int rows, separators;
        double height;
    } cases[] = {
        {"one item", QStringLiteral("Open"), 1, 0, 135 + 270},
        {"a trailing bar", QStringLiteral("Open|"), 2, 0, 135 + 2 * 270},
        {"eleven items", QStringLiteral("1|2|3|4|5|6|7|8|9|10|11"), 10, 0, 135 + 10 * 270},
        {"seven separators", QStringLiteral("-|-|-|-|-|-|-|a"), 1, 6, 135 + 7 * 135 + 270},
    };
    for (const Case& c : cases) {
        World w;
        w.menuFile(menuLines({{1, 1, block(QStringLiteral("新建"), c.line, QStringLiteral("0"))}}));
        w.ops({popupStep(QStringLiteral("3110")), Rec("9999")});
        FrmYanShi& d = openTheMenu();
        fireWhileOn(d.TimerRM);
        EXPECT_EQ(visibleCount(d.LRS, 0, 9), c.rows) << c.name;
        EXPECT_EQ(visibleCount(d.LRSFgx, 0, 5), c.separators) << c.name;
        EXPECT_DOUBLE_EQ(d.LRightSub.Height(), c.height) << c.name;
    }
}

TEST(DemoContextMenu, SetTwoBlockThreeReadsItsOwnLines)
{
    World w;
    w.menuFile(menuLines({{2, 3, block(QStringLiteral("第二套第三块"), QStringLiteral("a"), QStringLiteral("0"))},
                          {1, 3, block(QStringLiteral("第一套"), QStringLiteral("a"), QStringLiteral("0"))}}));
    w.ops({popupStep(QStringLiteral("4310")), Rec("9999")});
    FrmYanShi& d = openTheMenu();
    EXPECT_EQ(Y::menuBlock, 3);
    EXPECT_EQ(d.LRMJL[1].Caption(), QStringLiteral("第二套第三块"));
    EXPECT_EQ(d.Shape5.BorderColor(), 65535); // the popup step's yellow mark stays
}

TEST(DemoContextMenu, ResetHidesAndBlanksButMovesNothing)
{
    World w;
    w.menuFile(menuLines({{1, 1, block(QStringLiteral("新建"), QStringLiteral("Open"), QStringLiteral("查看|-|刷新"))}}));
    w.ops({popupStep(QStringLiteral("3110")), Rec("9999")});
    FrmYanShi& d = openTheMenu();
    fireWhileOn(d.TimerRM);
    const QRectF menu = rectOf(d.LRightMMenu);
    const QRectF frame = rectOf(d.Shape1);
    const double rowTop = d.LRM2[0].Top();
    d.CSH();
    for (tk::Control* c : std::initializer_list<tk::Control*>{&d.LRightMMenu, &d.ShapeRMain, &d.LRightSub, &d.ShapeRSUB,
                                                              &d.LRM2[0], &d.LRM2[2], &d.LRMJL[1], &d.ImgJLSanjiao[1],
                                                              &d.LRFGX[0], &d.LRS[0], &d.LRSFgx[0]})
        EXPECT_FALSE(c->Visible());
    EXPECT_EQ(d.LRM2[0].Caption(), QString());
    EXPECT_EQ(d.LRMJL[1].Caption(), QString());
    EXPECT_EQ(d.LRS[0].Caption(), QString());
    EXPECT_EQ(rectOf(d.LRightMMenu), menu);
    EXPECT_EQ(rectOf(d.Shape1), frame);
    EXPECT_DOUBLE_EQ(d.LRM2[0].Top(), rowTop);
}

TEST(DemoPullDown, HoldSharesItsCountWithTheBlink)
{
    struct Case {
        const char* order;
        bool blinkFirst;
        int holdTicks; // ticks of the hold until the step ends
    } cases[] = {{"blink first", true, 1}, {"hold first", false, 4}};
    for (const Case& c : cases) {
        MenuBarWorld w;
        w.ops({Rec("7000").shared(QStringLiteral("5040000000")), Rec("0001").hotAt(100, 100), Rec("9999")});
        FrmYanShi& d = World::start();
        openTheDropDown(d);
        fireWhileOn(d.Timer6);
        ASSERT_EQ(Y::tickCount, 0);
        d.Timer5.fire(); // 100 ms
        int holdTicks = 0;
        for (int ms = 200; ms <= 1000 && Y::stepNo == 1; ms += 200) {
            if (c.blinkFirst)
                d.Timer5.fire();
            d.Timer7.fire();
            ++holdTicks;
            if (!c.blinkFirst)
                d.Timer5.fire();
        }
        EXPECT_EQ(holdTicks, c.holdTicks) << c.order;
        EXPECT_EQ(Y::stepNo, 2) << c.order;
    }
}

TEST(DemoMenuProcedures, PopupTreeFilledFromTheBlockAndMenuBarCleared)
{
    World w;
    w.menuFile(menuLines({{1, 2, block(QStringLiteral("新建"), QStringLiteral("文件夹|-|快捷方式"), QStringLiteral("查看|刷新"))}}));
    w.ops({Rec("0001").hotAt(1000, 1000), Rec("9999")});
    FrmYanShi& d = World::start();
    Y::opCode = 3211;
    Y::menuBlock = 2;
    d.systemMenu();
    EXPECT_TRUE(d.sTavoMain[1]->menuAction()->isVisible());
    EXPECT_EQ(d.sTavoMain[1]->title(), QStringLiteral("新建"));
    EXPECT_TRUE(d.sTavoSub[1][1]->isSeparator());
    EXPECT_EQ(d.sTavoSub[1][2]->text(), QStringLiteral("快捷方式"));
    EXPECT_EQ(d.sTavoInde[1][1]->text(), QStringLiteral("刷新"));
    EXPECT_FALSE(d.sTavoInde[1][2]->isVisible());
    EXPECT_FALSE(d.sTavoMain[2]->menuAction()->isVisible());

    d.ImgMenuSel.setPicture(QPixmap(20, 20));
    d.LblShuMenu[3].show();
    d.MenuClose();
    EXPECT_TRUE(d.ImgMenuSel.Picture().isNull());
    EXPECT_DOUBLE_EQ(d.ImgMenuSel.Width(), 1);
    EXPECT_FALSE(d.LblShuMenu[3].Visible());
}

// A field's "&" is not drawn and underlines the next character; the field is as wide as the text
// it shows. With XP_DEMO_SCREENSHOT set to a file name prefix the window is saved as
// "<prefix>-ampersand.png".
TEST(DemoContextMenu, AmpersandUnderlinesTheNextCharacterAndTakesNoRoom)
{
    World w;
    w.menuFile(menuLines({{1, 1, block(QStringLiteral("新建(&W)"), QStringLiteral("0"),
                                       QStringLiteral("复制(&C)|复制(C)|粘贴(&P)|A&&B"))}}));
    w.ops({popupStep(QStringLiteral("3120")), Rec("9999")});
    FrmYanShi& d = openTheMenu();
    EXPECT_EQ(d.LRM2[0].Caption(), QStringLiteral("复制(&C)"));
    EXPECT_DOUBLE_EQ(d.LRM2[0].Width(), d.LRM2[1].Width());
    EXPECT_DOUBLE_EQ(d.LRM2[0].Height(), d.LRM2[1].Height());
    const QFontMetrics fm(d.LRM2[3].font());
    EXPECT_EQ(tk::toPixels(d.LRM2[3].Width()), fm.boundingRect(QStringLiteral("A&B")).width());
    // The same glyphs above the baseline; below it the marked one has its underline.
    const QImage marked = d.LRM2[0].grab().toImage();
    const QImage plain = d.LRM2[1].grab().toImage();
    ASSERT_EQ(marked.size(), plain.size());
    bool underlined = false;
    for (int y = 0; y < marked.height(); ++y) {
        for (int x = 0; x < marked.width(); ++x) {
            if (marked.pixel(x, y) == plain.pixel(x, y))
                continue;
            EXPECT_GT(y, fm.ascent() - 1) << "x " << x << " y " << y;
            underlined = true;
        }
    }
    EXPECT_TRUE(underlined);
    const QString shots = qEnvironmentVariable("XP_DEMO_SCREENSHOT");
    if (!shots.isEmpty())
        d.grab().save(shots + QStringLiteral("-ampersand.png"));
}
