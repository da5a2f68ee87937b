#include "bank/unittable.h"

#include <gtest/gtest.h>

using namespace bank;

namespace {
int columns(const QString& s)
{
    int n = 0;
    for (QChar c : s)
        n += displayColumns(c);
    return n;
}
QString han(int n)
{
    return QString(n, QChar(0x5355)); // 单
}
} // namespace

TEST(UnitTable, CaptionsAreFittedTo25DisplayColumns)
{
    struct Case { const char* name; int unit; QString unitName; QString caption; };
    const Case cases[] = {
        {"8 double-byte characters: 7 blanks", 0, han(8), "1." + han(8) + QString(7, u' ')},
        {"unit 11 with 12 characters: cut after 11", 11, han(12), "12." + han(11)},
        {"24 columns and a wide next character: one blank", 0, han(12), "1." + han(11) + " "},
        {"plain letters", 2, "Files", "3.Files" + QString(18, u' ')},
        {"24 columns and a narrow next character: that character", 0, han(10) + "abcd", "1." + han(10) + "abc"},
        {"empty name", 9, "", "10." + QString(22, u' ')},
    };
    for (const Case& c : cases) {
        const QString got = fitUnitCaption(c.unit, c.unitName);
        EXPECT_EQ(got, c.caption) << c.name;
        EXPECT_EQ(columns(got), 25) << c.name;
    }
    EXPECT_EQ(displayColumns(u'a'), 1);
    EXPECT_EQ(displayColumns(QChar(0x5355)), 2);
}

TEST(UnitTable, BarsAndSummaries)
{
    const UnitBars b = unitBars({40, 10});
    ASSERT_TRUE(b.valid);
    EXPECT_DOUBLE_EQ(b.learnedHeight, 2677.5);
    EXPECT_DOUBLE_EQ(b.notLearnedHeight, 892.5);
    EXPECT_DOUBLE_EQ(b.learnedTop(), 5550 - 2677.5);

    const UnitBars all = unitBars({12, 0});
    EXPECT_DOUBLE_EQ(all.learnedHeight, 3570);
    EXPECT_DOUBLE_EQ(all.notLearnedHeight, 0);
    EXPECT_DOUBLE_EQ(all.notLearnedTop(), 5550);

    // Total 0: nothing computed, the caller keeps its bars.
    EXPECT_FALSE(unitBars({0, 0}).valid);

    const std::vector<UnitRow> rows{{40, 10, ""}, {20, 20, ""}, {5, 1, ""}};
    const UnitSummary s = allUnitsSummary(rows, 2);
    EXPECT_EQ(s.total, 60);
    EXPECT_EQ(s.notLearned, 30);
    EXPECT_EQ(s.learned(), 30);
    EXPECT_EQ(allUnitsSummary(rows, 9).total, 65); // rows beyond the table count as empty
    EXPECT_EQ(allUnitsSummary(rows, -1).total, 0);
}

TEST(UnitTable, PreSelection)
{
    struct Case { const char* name; std::vector<UnitRow> rows; int unitCount; int button; };
    const UnitRow low{25, 5, ""}; // share 0.2: passed over
    const Case cases[] = {
        {"5 of 25 passed over, 6 of 29 picked", {low, {29, 6, ""}, {10, 10, ""}}, 3, 51},
        {"all low: the last unit", {low, low, low}, 3, 52},
        {"a unit without questions counts as share 1", {low, {0, 0, ""}, {10, 10, ""}}, 3, 51},
        {"no units: the all-units summary", {}, 0, 49},
        {"rows missing beyond the table: share 1", {low}, 4, 51},
        {"more than 20 units, all low: never past the unit buttons", std::vector<UnitRow>(30, low), 30, 69},
        {"more than 20 units, only unit 25 high: the last button", [&] {
             std::vector<UnitRow> r(30, low);
             r[25] = {10, 10, ""};
             return r;
         }(), 30, 69},
    };
    for (const Case& c : cases)
        EXPECT_EQ(preselectUnitButton(c.rows, c.unitCount), c.button) << c.name;
}
