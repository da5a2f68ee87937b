#include "bank/banklayout.h"

#include <gtest/gtest.h>

using namespace bank;

TEST(BankLayout, NumericValue)
{
    struct Case { const char* text; double value; };
    const Case cases[] = {
        {"12", 12}, {" 7", 7}, {"7 ", 7}, {"1 2", 12}, {"07", 7}, {"", 0}, {"ab", 0}, {"3x", 3},
        {"-4", -4}, {"2.5", 2.5}, {"1e2", 100}, {"1e", 1}, {"&H1F", 31}, {"&O17", 15}, {"&", 0}, {".5", 0.5},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(numericValue(c.text), c.value) << c.text;
    EXPECT_EQ(roundToInt(2.5), 2);
    EXPECT_EQ(roundToInt(3.5), 4);
    EXPECT_EQ(roundToInt(1e300), INT_MAX);
}

TEST(BankLayout, LineOne)
{
    struct Case { const char* line; int paperMix; int unitCount; };
    for (const Case& c : {Case{"1020", 10, 20}, Case{"12", 12, 0}, Case{"  1020", 10, 20}, Case{"", 0, 0},
                          Case{"0508xyz", 5, 8}, Case{"ab12", 0, 12}}) {
        const BankLayoutHead h = parseLayoutHead(c.line);
        EXPECT_EQ(h.paperMix, c.paperMix) << c.line;
        EXPECT_EQ(h.unitCount, c.unitCount) << c.line;
    }
}

TEST(BankLayout, UnitCountsComeFromLineTwoOnly)
{
    // One line, no file, or a line 2 without counts: nothing to cut the progress to.
    EXPECT_FALSE(unitQuestionCounts({"1020"}));
    EXPECT_FALSE(unitQuestionCounts({}));
    EXPECT_FALSE(unitQuestionCounts({"1020", "0000"}));
    EXPECT_FALSE(unitQuestionCounts({"1020", ""}));

    const auto c = unitQuestionCounts({"1020", "4035 7xx4"});
    ASSERT_TRUE(c);
    ASSERT_EQ(c->size(), 26u);
    EXPECT_EQ((std::vector<int>(c->begin(), c->begin() + 6)), (std::vector<int>{40, 35, 7, 0, 4, 0}));

    // More than 26 counts: the rest is not read.
    const auto many = unitQuestionCounts({"", QString(60, u'1')});
    ASSERT_TRUE(many);
    EXPECT_EQ(many->size(), 26u);
    EXPECT_EQ(many->back(), 11);
}

TEST(BankLayout, FixedPaperIds)
{
    const QStringList lines{"0203", "4040", "00010002", " 0101", "last"};
    EXPECT_EQ(fixedPaperIds(lines, 0), "00010002");
    EXPECT_EQ(fixedPaperIds(lines, 1), " 0101"); // as read
    EXPECT_EQ(fixedPaperIds(lines, 3), "");      // no such line: no paper, not the last line
    EXPECT_EQ(fixedPaperIds(lines, -1), "");
    EXPECT_EQ(fixedPaperIds(lines, 20), "");
    EXPECT_EQ(bankLayoutPath("/d/data"), "/d/data/288891.mxy");
}
