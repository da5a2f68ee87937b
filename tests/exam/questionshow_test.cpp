// Titles, unfinished list and question texts of the question panel.

#include "exam/questionshow.h"

#include <gtest/gtest.h>

#include <vector>

using exam::TitleInputs;

namespace {

struct TitleCase {
    int kind, sub, paper, n, count, id;
    const char* done;
    const char* expected; // nullptr: no title for this kind
};

} // namespace

TEST(QuestionTitle, EveryExerciseKind)
{
    const TitleCase cases[] = {
        // whole unit: the Part's example, kind 20 sub-kind 0, question 3 of 12, not done
        {20, 0, 0, 3, 12, 2, "F", "Wi 1单元3/12题(未完成)"},
        // fixed paper: sub-kind 4, question 7, id 0310 shows 0410; no state
        {0, 4, 4, 7, 40, 310, "F", "Wi 5套第7题(0410)"},
        {2, 17, 3, 2, 9, 5, "T", "Wi 错4-2/9(0105)(已完成)"},
        {5, 14, 1, 1, 3, 1203, "", "Wi 已1/3(1303)(已完成)"},
        {6, 13, 1, 2, 3, 1203, "F", "Wi 未2/3(1303)(未完成)"},
        // random paper 20: the number after " 随" is 0
        {8, 11, 20, 5, 40, 5, "F", "Wi 随0-5(0105)"},
        {9, 10, 0, 1, 2, 99, "F", "Wi 藏1/2(0199)(未完成)"},
        {11, 8, 0, 2, 2, 99, "T", "Wi 藏2/2(0199)(已完成)"},
        {12, 7, 0, 1, 1, 0, "F", "Wi 复1/1(0100)(未完成)"},
        {14, 5, 0, 1, 1, 0, "x", "Wi 复1/1(0100)(已完成)"},
        {1, 0, 0, 1, 1, 0, "F", nullptr},
        {21, 0, 0, 1, 1, 0, "F", nullptr},
    };
    for (const auto& c : cases) {
        TitleInputs in;
        in.kind = c.kind;
        in.subKind = c.sub;
        in.paper = c.paper;
        in.module = QStringLiteral("Windows XP");
        in.number = c.n;
        in.count = c.count;
        in.questionId = c.id;
        in.doneMark = QString::fromUtf8(c.done);
        const auto title = exam::questionTitle(in);
        if (c.expected == nullptr) {
            EXPECT_FALSE(title.has_value()) << "kind " << c.kind;
        } else {
            ASSERT_TRUE(title.has_value()) << "kind " << c.kind;
            EXPECT_EQ(title->toStdString(), c.expected) << "kind " << c.kind;
        }
    }
}

TEST(QuestionTitle, ShortModuleNameAndLargeIds)
{
    TitleInputs in;
    in.kind = 5;
    in.module = QStringLiteral("W");
    in.number = 1;
    in.count = 1;
    in.questionId = 9950; // + 100 has five digits: the last four show
    EXPECT_EQ(exam::questionTitle(in)->toStdString(), "W 已1/1(0050)(已完成)");
}

TEST(UnfinishedList, ListsFlagsOfThreeOrLess)
{
    const std::vector<int> flags{1, 5, 0, 7, 3, 4, 6, 2};
    const auto list = exam::unfinishedList(int(flags.size()), [&](int i) { return flags[i - 1]; });
    EXPECT_EQ(list.toStdString(), "未完成的题目 1 3 5 8");
    EXPECT_EQ(exam::unfinishedList(0, [](int) { return 0; }).toStdString(), "未完成的题目");
    EXPECT_EQ(exam::unfinishedList(2, [](int) { return 4; }).toStdString(), "未完成的题目");
}

TEST(QuestionText, PlainAndPictureForms)
{
    struct Case {
        const char* line;
        const char* text;
        bool picture;
        const char* name;
    };
    const Case cases[] = {
        {"000103打开|文件夹", "打开\r\n文件夹", false, ""},
        {"000103picture123456看图|回答", "看图|回答", true, "123456"},
        {"000103picture654321", "", true, "654321"},
        {"000103Picture123456x", "Picture123456x", false, ""}, // case counts
        {"0001", "", false, ""},
        {"", "", false, ""},
    };
    for (const auto& c : cases) {
        const auto q = exam::questionText(QString::fromUtf8(c.line));
        EXPECT_EQ(q.text.toStdString(), c.text) << c.line;
        EXPECT_EQ(q.isPicture, c.picture) << c.line;
        EXPECT_EQ(q.pictureName.toStdString(), c.name) << c.line;
    }
}
