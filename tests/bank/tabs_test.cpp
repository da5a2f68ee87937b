#include "bank/oprecord.h"
#include "bank/tabs.h"
#include "print.h"

#include <gtest/gtest.h>

using namespace bank::tabs;

namespace {
TabLayout layout(char letter, Table table = Table::Surface)
{
    return TabLayout(builtInLayout(QChar(letter), table).value());
}
} // namespace

TEST(Tabs, BuiltInLayoutsReadFieldByField)
{
    struct Want {
        char letter;
        int count, top, height;
        std::vector<std::pair<QString, int>> tabs; // page picture at left
        int end;
        QRectF back;
    };
    const Want want[] = {
        {'A', 8, 540, 285,
         {{"121001", 150}, {"121002", 1440}, {"121003", 3000}, {"121004", 4230},
          {"121005", 150}, {"121006", 1530}, {"121007", 2910}, {"121008", 4275}},
         5430, {4395, 5880, 1095, 285}},
        {'B', 2, 570, 285, {{"380014", 150}, {"380015", 960}}, 1740, {3720, 960, 1095, 285}},
        {'C', 3, 555, 285, {{"370002", 150}, {"380003", 1200}, {"460357", 2100}}, 3030,
         {4710, 4845, 1095, 285}},
        {'D', 8, 525, 270,
         {{"320020", 165}, {"320021", 1350}, {"320022", 2535}, {"460356", 4425},
          {"320016", 165}, {"320017", 1530}, {"320018", 2895}, {"320019", 4260}},
         5610, {4560, 5865, 1095, 285}},
        {'E', 6, 555, 285,
         {{"460011", 150}, {"460012", 1290}, {"460013", 2100}, {"460014", 2910},
          {"460015", 3720}, {"460016", 4530}},
         5280, {3810, 5325, 1080, 270}},
        {'F', 2, 555, 270, {{"321001", 150}, {"460067", 855}}, 1620, {5265, 1365, 1095, 285}},
        {'G', 2, 555, 270, {{"380159", 135}, {"460052", 1080}}, 1920, {4335, 5340, 1095, 285}},
        {'I', 2, 585, 285, {{"380039", 135}, {"460061", 1140}}, 2235, {4980, 5355, 1080, 270}},
        {'J', 4, 585, 285,
         {{"460079", 150}, {"320028", 930}, {"460080", 1740}, {"320061", 2550}}, 3315,
         {4560, 1260, 1080, 270}},
    };
    for (const Want& w : want) {
        const TabLayout l = layout(w.letter);
        SCOPED_TRACE(w.letter);
        EXPECT_EQ(l.text().size(), 155);
        EXPECT_EQ(l.count(), w.count);
        EXPECT_EQ(l.labelTop(), w.top);
        EXPECT_EQ(l.labelHeight(), w.height);
        for (int i = 1; i <= w.count; ++i) {
            EXPECT_EQ(l.pagePicture(i), w.tabs[i - 1].first) << i;
            EXPECT_EQ(l.tabLeft(i), w.tabs[i - 1].second) << i;
        }
        EXPECT_EQ(l.tabLeft(w.count + 1), w.end);
        EXPECT_EQ(l.backSpotRect(0, 0, 1, 1), w.back);
    }
    EXPECT_FALSE(builtInLayout(u'K'));
    EXPECT_FALSE(builtInLayout(u'a'));
    EXPECT_EQ(builtInLayout(u'A', Table::Demo)->size(), 155);
    EXPECT_EQ(builtInLayout(u'B', Table::Demo), builtInLayout(u'B'));
}

TEST(Tabs, WidthsAndRows)
{
    // Layout A: tab 1 is 1290 wide, tab 4 1215 (two rows), tab 8 1155; tab 4's next left is
    // smaller than its own, which would give 990 without the two-row rule.
    const TabLayout a = layout('A');
    EXPECT_TRUE(a.twoRows());
    EXPECT_EQ(a.tabWidth(1), 1290);
    EXPECT_EQ(a.tabWidth(4), 1215);
    EXPECT_EQ(a.tabWidth(8), 1155);
    EXPECT_EQ(layout('D').tabWidth(4), 1215);
    // A one-row layout whose next left is smaller: 990.
    const TabLayout odd(QStringLiteral("Z20540285") + "111111" + "1000" + "222222" + "0500"
                        + "000000" + "0100");
    EXPECT_EQ(odd.tabWidth(1), 990);
    EXPECT_EQ(odd.tabWidth(2), 990);
    EXPECT_EQ(a.tabWidth(0), 0);
    EXPECT_EQ(a.tabWidth(14), 0);
    EXPECT_EQ(a.pagePicture(0), "");
    EXPECT_EQ(a.pagePicture(14), "");

    // Current tab 2, target 6: tabs 1-4 lie 300 below tabs 5-8; choosing tab 6 swaps them.
    const double ox = 600, oy = 900;
    EXPECT_EQ(a.tabRect(2, ox, oy, 1, 1, rowOfTab(2))->top(), 540 + 300 + 900);
    EXPECT_EQ(a.tabRect(6, ox, oy, 1, 1, rowOfTab(2))->top(), 540 + 900);
    EXPECT_EQ(a.tabRect(2, ox, oy, 1, 1, rowOfTab(6))->top(), 540 + 900);
    EXPECT_EQ(a.tabRect(6, ox, oy, 1, 1, rowOfTab(6))->top(), 540 + 300 + 900);
    EXPECT_EQ(*a.tabRect(5, ox, oy, 2, 0.5, 1), QRectF(150 * 2 + ox, 540 * 0.5 + oy, 1380 * 2, 142.5));
    EXPECT_FALSE(a.tabRect(0, 0, 0, 1, 1));
    EXPECT_FALSE(a.tabRect(9, 0, 0, 1, 1));
    // One-row strips are never re-stacked.
    EXPECT_EQ(layout('E').tabRect(6, 0, 0, 1, 1, 2)->top(), 555);
    EXPECT_EQ(rowOfTab(0), 1);
    EXPECT_EQ(rowOfTab(4), 1);
    EXPECT_EQ(rowOfTab(5), 2);
}

TEST(Tabs, DemonstrationLayoutA)
{
    const TabLayout a = layout('A', Table::Demo);
    ASSERT_EQ(a.count(), 6);
    const int lefts[] = {150, 930, 1740, 2550, 3360, 4320};
    const int widths[] = {780, 810, 810, 810, 960, 870};
    const char* pages[] = {"321005", "460238", "321006", "460239", "380064", "460240"};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(*a.tabRect(i, 0, 0, 1, 1), QRectF(lefts[i - 1], 585, widths[i - 1], 285)) << i;
        EXPECT_EQ(a.pagePicture(i), pages[i - 1]) << i;
    }
    EXPECT_EQ(a.backSpotRect(0, 0, 1, 1), QRectF(5910, 4065, 1080, 270));
    // Image1 at (600, 900): tab 3 at 2340, 1485, 810 x 285.
    EXPECT_EQ(*a.tabRect(3, 600, 900, 1, 1), QRectF(2340, 1485, 810, 285));
}

TEST(Tabs, LayoutHAndPrompt)
{
    const TabLayout h = layout('H');
    EXPECT_EQ(h.count(), 0);
    EXPECT_FALSE(h.tabRect(1, 0, 0, 1, 1));
    EXPECT_EQ(h.backSpotRect(300, 400, 1, 1), QRectF(300, 400, 0, 0));
    EXPECT_EQ(h.pagePicture(1), "");
    EXPECT_EQ(TabLayout().count(), 0);

    EXPECT_EQ(tabPrompt(3), QStringLiteral("请选择第3个选项卡"));
    EXPECT_EQ(tabPrompt(bank::tabDigit(u'A')), QStringLiteral("请选择第10个选项卡"));
    EXPECT_EQ(backMarkSpotRect(100, 200, 2, 1), QRectF(200, 200, 2190, 285));
}
