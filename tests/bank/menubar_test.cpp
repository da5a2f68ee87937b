#include "bank/menubar.h"
#include "print.h"

#include <gtest/gtest.h>

using namespace bank::menubar;

TEST(MenuBar, DropDownRowsOfEverySet)
{
    // Row tops below the drop-down's top at the design scale: groups of each set's entry with a
    // 45-twip gap after every group.
    EXPECT_EQ(dropDownRowCount(1), 15);
    const RowLayout one = dropDownRows(1, 0, 1);
    const double want[] = {30, 360, 690, 1065, 1395, 1770, 2145, 2475,
                           2850, 3180, 3555, 3885, 4215, 4545, 4920};
    ASSERT_EQ(one.count, 15);
    for (int j = 0; j < 15; ++j)
        EXPECT_EQ(one.tops[j], want[j]) << "row " << j + 1;

    const std::pair<int, int> counts[] = {{1, 15}, {2, 12}, {3, 10}, {4, 13}, {5, 12},
                                          {6, 3},  {7, 11}, {8, 4},  {9, 2},  {0, 0}, {10, 0}};
    for (const auto& [set, n] : counts) {
        EXPECT_EQ(dropDownRowCount(set), n) << set;
        EXPECT_EQ(dropDownRows(set, 0, 1).count, n) << set;
    }
    // The demonstration's copy of set 5 has one group fewer.
    EXPECT_EQ(dropDownRowCount(5, Table::Demo), 11);
    EXPECT_EQ(dropDownEntry(5, Table::Demo), u"4511");
    EXPECT_EQ(dropDownEntry(4, Table::Demo), dropDownEntry(4));

    // Row 1 of title 1 at left 420, top 720.
    const QRectF t1 = *title(1);
    EXPECT_EQ(rowLeft(t1.left(), 1), 420);
    EXPECT_EQ(dropDownRows(1, t1.top() + t1.height(), 1).tops[0], 720);

    // Scaled: every offset scales; the demonstration rounds at each addition.
    const RowLayout scaled = dropDownRows(9, 100, 1.1);
    EXPECT_DOUBLE_EQ(scaled.tops[1], 100 + 30 * 1.1 + 330 * 1.1);
    EXPECT_DOUBLE_EQ(scaled.tops[2], 100 + 30 * 1.1 + 2 * 330 * 1.1 + 45 * 1.1);
    const RowLayout whole = dropDownRows(9, 100.4, 1.1, Table::Surface, true);
    EXPECT_EQ(whole.tops[0], 133);
    EXPECT_EQ(whole.tops[2], 908); // 859 + 49.5, halves to even
}

TEST(MenuBar, TitlesAndPictureNames)
{
    EXPECT_EQ(*title(3), QRectF(2130, 420, 870, 270));
    EXPECT_EQ(*title(9, 2, 0.5), QRectF((390 + 8 * 870) * 2, 210, 1740, 135));
    EXPECT_FALSE(title(0));
    EXPECT_FALSE(title(10));

    EXPECT_EQ(hoveredTitlePicture(4), "740099.mxy");
    EXPECT_EQ(openTitlePicture(4), "740088.mxy");
    EXPECT_EQ(dropDownPicture(4), "740000.mxy");
    EXPECT_EQ(dropDownRowPicture(4, 3), "740003.mxy");
    EXPECT_EQ(dropDownRowPicture(5, 10), "750010.mxy");
    EXPECT_EQ(submenuPicture(4, 2), "742000.mxy");
    EXPECT_EQ(submenuRowPicture(openSubmenuCode(4, 2, 7), 2), "742002.mxy");
    // A row without a submenu: ordinal 0 in the name.
    EXPECT_EQ(submenuRowPicture(openSubmenuCode(1, 0, 3), 4), "710004.mxy");
    EXPECT_EQ(dropDownRowWidth(1), 1215);
    EXPECT_EQ(dropDownRowWidth(2), 2415);
}

TEST(MenuBar, SubmenuRecordsAndRowKeys)
{
    const std::pair<QChar, int> keys[] = {{u'1', 1}, {u'9', 9}, {u'A', 10}, {u'Q', 26},
                                          {u'0', 0}, {u'a', 0}, {u'R', 0}};
    for (const auto& [c, n] : keys)
        EXPECT_EQ(rowKeyValue(c), n) << QString(c).toStdString();

    const auto four = submenus(4);
    ASSERT_EQ(four.size(), 4u);
    struct Want { int ordinal, row, rows; };
    const Want want[] = {{1, 1, 7}, {2, 7, 3}, {3, 8, 3}, {4, 9, 2}};
    for (size_t i = 0; i < four.size(); ++i) {
        EXPECT_EQ(four[i].ordinal, want[i].ordinal);
        EXPECT_EQ(four[i].row, want[i].row);
        EXPECT_EQ(four[i].rowCount(), want[i].rows);
    }
    EXPECT_EQ(submenuOfRow(5, 10)->ordinal, 1); // row key "A"
    EXPECT_EQ(submenuOfRow(5, 10)->rowCount(), 3);
    EXPECT_EQ(submenuOfRow(7, 7)->ordinal, 4);
    EXPECT_FALSE(submenuOfRow(4, 2));
    for (int set : {0, 1, 6, 8, 9, 10, -3})
        EXPECT_TRUE(submenus(set).empty()) << set;

    // "134000": rows 1-3, a gap, rows 4-7; the gap after row 7 moves only hidden rows.
    const RowLayout sub = submenuRows(four[0], 1000, 1);
    EXPECT_EQ(sub.count, 7);
    EXPECT_EQ(sub.tops[0], 1030);
    EXPECT_EQ(sub.tops[3], 1030 + 3 * 330 + 45);
    EXPECT_EQ(sub.tops[7], 1030 + 7 * 330 + 90);
    // "0" is no group and adds no gap; "A" counts ten rows; more than 20 rows stop at 20.
    EXPECT_EQ(submenuRows({1, 1, "0A000"}, 0, 1).tops[10], 30 + 10 * 330 + 45);
    EXPECT_EQ(submenuRows({1, 1, "QQ"}, 0, 1).count, kMaxRows);
    EXPECT_EQ(submenuLeft(420, 2500, 1), 2905);
}

TEST(MenuBar, ChoiceTests)
{
    struct Case { qint32 choice; int set, row; bool match; };
    const Case drop[] = {
        {10300, 1, 3, true},  {10300, 2, 3, false}, {10300, 1, 4, false},
        {40700, 4, 7, true},  {40702, 4, 7, false}, {0, 0, 0, false},
        {51000, 5, 10, true}, {300, 0, 3, true},
    };
    for (const Case& c : drop)
        EXPECT_EQ(dropDownChoiceMatches(c.choice, c.set, c.row), c.match) << c.choice;

    struct Sub { qint32 choice; int set; qint32 open; int subRow; bool match; };
    const Sub sub[] = {
        {40702, 4, openSubmenuCode(4, 2, 7), 2, true},
        {40702, 4, openSubmenuCode(4, 3, 8), 2, false},
        {51003, 5, openSubmenuCode(5, 1, 10), 3, true},
        {51003, 5, openSubmenuCode(5, 1, 10), 4, false},
        {40702, 4, 0, 2, false}, // nothing opened yet
    };
    for (const Sub& c : sub)
        EXPECT_EQ(submenuChoiceMatches(c.choice, c.set, c.open, c.subRow), c.match) << c.choice;
}
