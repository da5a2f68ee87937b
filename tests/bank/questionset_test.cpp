#include "bank/questionset.h"

#include <gtest/gtest.h>

using namespace bank;
using What = StartDecision::What;

namespace {
const QString kThreeBreaks = QStringLiteral("\r\n\r\n\r\n");
}

TEST(QuestionSet, StartNotices)
{
    struct Case { const char* name; StartDecision d; QString title; QString prompt; };
    const UnitRow tftt{4, 1, "TFTT"}, allT{2, 0, "TT"}, allF{2, 2, "FF"};
    const Case cases[] = {
        {"no unit picked", unitStart(-1, 0, tftt, 12), "单元练习",
         "\r\n本模块共有12单元\r\n\r\n请先点击左边单元名称选择您要学习的单元，再点开始学习！"},
        {"learned scope, no T", unitStart(0, 1, allF, 12), "章节练习", kThreeBreaks + "您本部分没有已学题！"},
        {"not-learned scope, no F", unitStart(0, 2, allT, 12), "章节练习", kThreeBreaks + "您本部分没有未学题！"},
        {"whole unit of no questions", unitStart(0, 0, UnitRow{0, 0, ""}, 12), "章节练习",
         kThreeBreaks + "您本部分没有未学题！"},
        {"no marked list", storeStart(Store::Marked, 3, "", "T"), "收藏题目练习", kThreeBreaks + "您还没有已收藏题目！"},
        {"marked flags missing", storeStart(Store::Marked, 1, "0101", ""), "收藏题目练习",
         kThreeBreaks + "您还没有已收藏题目！"},
        {"no unreviewed marked", storeStart(Store::Marked, 1, "0101", "T"), "收藏题目练习",
         kThreeBreaks + "您没有未复习的收藏题目！"},
        {"no reviewed marked", storeStart(Store::Marked, 2, "0101", "F"), "收藏题目练习",
         kThreeBreaks + "您没有已复习的收藏题目！"},
        {"no own wrong list", storeStart(Store::OwnWrong, 1, "", ""), "错题复习", kThreeBreaks + "您还没有错题记录！"},
        {"no unreviewed own wrong", storeStart(Store::OwnWrong, 1, "0101", "T"), "错题复习",
         kThreeBreaks + "您还没有未复习的错题记录！"},
        {"no reviewed own wrong", storeStart(Store::OwnWrong, 2, "0101", "F"), "错题复习",
         kThreeBreaks + "您还没有已复习的错题记录！"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.d.what, What::Notice) << c.name;
        EXPECT_EQ(c.d.notice.title, c.title) << c.name;
        EXPECT_EQ(c.d.notice.prompt, c.prompt) << c.name;
    }
    EXPECT_EQ(storeStart(Store::Marked, 0, "0101", "T").what, What::Nothing);
}

TEST(QuestionSet, Scopes)
{
    struct Case {
        const char* name;
        StartDecision d;
        int kind, sub;
        QString ids;
        QStringList done;
    };
    const UnitRow tftt{4, 1, "TFTT"};
    const Case cases[] = {
        {"unit 3 learned", unitStart(3, 1, tftt, 12), 5, 14, "030103030304", {"T", "T", "T"}},
        {"unit 3 not learned", unitStart(3, 2, tftt, 12), 6, 13, "0302", {"F"}},
        {"unit 3 whole", unitStart(3, 0, tftt, 12), 20, 3, "", {"T", "F", "T", "T"}},
        {"marked T,F,T scope 1", storeStart(Store::Marked, 1, "010102020303", "TFT"), 10, 9, "0202", {"F"}},
        {"marked T,F,T scope 2", storeStart(Store::Marked, 2, "010102020303", "TFT"), 11, 8, "01010303", {"T", "T"}},
        {"marked T,F,T scope 3", storeStart(Store::Marked, 3, "010102020303", "TFT"), 9, 10, "010102020303",
         {"T", "F", "T"}},
        {"own wrong scope 3, flags short", storeStart(Store::OwnWrong, 3, "010102020303", "FT"), 12, 7,
         "010102020303", {"F", "T", ""}},
        {"own wrong scope 1, ids beyond the last flag go nowhere", storeStart(Store::OwnWrong, 1, "010102020303", "FT"),
         13, 6, "0101", {"F"}},
        {"fixed paper 5", paperStart(5, "0101"), 0, 5, "0101", QStringList(40, "F")},
        {"generated paper 20", paperStart(20, "0202"), 8, 11, "0202", QStringList(40, "F")},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.d.what, What::Start) << c.name;
        EXPECT_EQ(c.d.set.exerciseKind, c.kind) << c.name;
        EXPECT_EQ(c.d.set.subKind, c.sub) << c.name;
        EXPECT_EQ(c.d.set.ids, c.ids) << c.name;
        EXPECT_EQ(c.d.set.done, c.done) << c.name;
    }
    const StartDecision unit = unitStart(3, 1, tftt, 12);
    EXPECT_EQ(unit.set.selIndex, 3);
    EXPECT_EQ(unitStart(3, 0, tftt, 12).set.unitCount, 4);
    EXPECT_EQ(paperStart(23, "").set.selIndex, 23);
    EXPECT_EQ(paperStart(23, "").set.runMode, 3);

    const QuestionSet review = paperWrongReviewSet(7, "010102020");
    EXPECT_EQ(review.exerciseKind, 2);
    EXPECT_EQ(review.subKind, 17);
    EXPECT_EQ(review.selIndex, 7);
    EXPECT_EQ(review.done, (QStringList{"F", "F"}));
    EXPECT_TRUE(paperWrongReviewSet(7, "").done.isEmpty());

    // 600 marked questions: only the first 500 are practised.
    const StartDecision many = storeStart(Store::Marked, 3, QString("0101").repeated(600), QString(600, u'F'));
    EXPECT_EQ(wholeIdCount(many.set.ids), 500);
    EXPECT_EQ(many.set.done.size(), 500);
}
