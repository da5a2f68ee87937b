// Exercise starts from the home panels: the notices shown instead of an empty start, the
// launcher's exercise state, and the starts refused because the bank files fail.

#include "bank/questionset.h"
#include "homefixture.h"

using namespace hometest;

class HomeStarts : public HomeTest {
protected:
    void SetUp() override
    {
        HomeTest::SetUp();
        if (IsSkipped())
            return;
        makeBank({4, 2});
        writeLines(userPath(QStringLiteral("288893.mxy")), {QStringLiteral("TFTF"), QStringLiteral("TT")});
    }
    void setStore(const char* list, const char* flags, const char* listFile, const char* flagFile)
    {
        writeLines(userPath(QString::fromUtf8(listFile) + QStringLiteral(".mxy")), {QString::fromUtf8(list)});
        writeLines(userPath(QString::fromUtf8(flagFile) + QStringLiteral(".mxy")), {QString::fromUtf8(flags)});
    }
};

TEST_F(HomeStarts, NoticesInsteadOfAnEmptyStart)
{
    const QString three = QStringLiteral("\r\n\r\n\r\n");
    const struct {
        std::vector<int> clicks; // buttons pressed before the start button
        int start;
        const char *list, *flags; // the store of the start (22 marked, 24 own wrong)
        const char *title, *text;
    } rows[] = {
        {{}, 20, "", "", "单元练习",
         "\r\n本模块共有2单元\r\n\r\n请先点击左边单元名称选择您要学习的单元，再点开始学习！"},
        {{51, 39}, 20, "", "", "章节练习", "您本部分没有未学题！"},
        {{51, 38}, 20, "", "", nullptr, nullptr}, // learned questions 1 and 2: starts
        {{}, 22, "", "", "收藏题目练习", "您还没有已收藏题目！"},
        {{}, 22, "0001", "", nullptr, nullptr}, // flags fitted to the list: one not yet reviewed, starts
        {{}, 22, "00010002", "TT", "收藏题目练习", "您没有未复习的收藏题目！"},
        {{40, 41}, 22, "00010002", "FF", "收藏题目练习", "您没有已复习的收藏题目！"},
        {{}, 24, "", "", "错题复习", "您还没有错题记录！"},
        {{}, 24, "0101", "T", "错题复习", "您还没有未复习的错题记录！"},
        {{42, 43}, 24, "0101", "F", "错题复习", "您还没有已复习的错题记录！"},
        {{42}, 24, "", "", nullptr, nullptr}, // both scopes off: nothing at all
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.start);
        setStore(r.start == 22 ? r.list : "", r.start == 22 ? r.flags : "", "288862", "288872");
        setStore(r.start == 24 ? r.list : "", r.start == 24 ? r.flags : "", "288863", "288873");
        FrmFengmian& w = FrmFengmian::get();
        for (int c : r.clicks)
            w.ClickBotn_Click(c);
        BoxAnswer box;
        w.ClickBotn_Click(r.start);
        if (r.title) {
            ASSERT_EQ(box.titles.size(), 1);
            EXPECT_EQ(box.titles.first(), QString::fromUtf8(r.title));
            const QString text = QString::fromUtf8(r.text);
            EXPECT_EQ(box.prompts.first(), text.startsWith(u'\r') ? text : three + text);
            EXPECT_TRUE(FrmFengmian::isLoaded()); // nothing started
            EXPECT_FALSE(FrmTm::isLoaded());
        } else {
            EXPECT_TRUE(box.titles.isEmpty());
        }
        unloadWindows();
    }
}

TEST_F(HomeStarts, NotYetLearnedUnitStartsOnItsOwnQuestions)
{
    // Left over from an earlier exercise: must not survive into this one.
    for (int q = 1; q <= 500; ++q) {
        ModData::iTmCode(q) = 1999;
        ModData::iTmFlags(q) = 7;
        ModData::sTmDone(q) = QStringLiteral("T");
        ModData::iTmLine(q) = 99;
        ModData::sTmPic(q, 2) = QStringLiteral("l01000");
    }
    // Marked: question 4 of unit 0 and a question of another unit.
    setStore("00040101", "FF", "288862", "288872");
    FrmFengmian& w = FrmFengmian::get();
    w.ClickBotn_Click(4);
    w.ClickBotn_Click(50);
    w.ClickBotn_Click(39);
    BoxAnswer box;
    w.ClickBotn_Click(20);

    EXPECT_TRUE(box.titles.isEmpty());
    EXPECT_FALSE(FrmFengmian::isLoaded());
    ASSERT_TRUE(FrmTm::isLoaded());
    EXPECT_TRUE(FrmTm::get().isVisible());
    EXPECT_TRUE(FrmMain::get().isVisible());

    EXPECT_EQ(ModData::iLianXiType, 6);
    EXPECT_EQ(ModData::iLianXiSub, 13);
    EXPECT_EQ(ModData::iSelIndex, 0);
    EXPECT_EQ(ModData::iRunMode, 2);
    EXPECT_EQ(ModData::iTmCount, 2);
    EXPECT_EQ(ModData::iTmNo, 1);
    EXPECT_EQ(ModData::iLeftMinutes, 50);
    EXPECT_EQ(ModData::sOpFile, dataPath(QStringLiteral("288819.mxy")));
    EXPECT_EQ(ModData::sTmTextFile, dataPath(QStringLiteral("288869.mxy")));
    EXPECT_EQ(ModData::sOpTextFile, dataPath(QStringLiteral("288890.mxy")));
    const struct {
        int code, flags, line;
        const char* done;
    } questions[] = {{2, 0, 1, "F"}, {4, 2, 3, "F"}, {0, 0, 5, ""}, {0, 0, 0, ""}};
    for (int q = 1; q <= 4; ++q) {
        SCOPED_TRACE(q);
        EXPECT_EQ(ModData::iTmCode(q), questions[q - 1].code);
        EXPECT_EQ(ModData::iTmFlags(q) & ~1, questions[q - 1].flags); // the panel opens question 1
        EXPECT_EQ(ModData::iTmLine(q), questions[q - 1].line);
        EXPECT_EQ(ModData::sTmDone(q), QString::fromUtf8(questions[q - 1].done));
    }
    EXPECT_EQ(ModData::iTmCode(500), 0);
    EXPECT_EQ(ModData::sTmPic(2, 2), QString());
    EXPECT_EQ(readLines(dataPath(QStringLiteral("288869.mxy"))).size(), 2);
    EXPECT_EQ(readLines(dataPath(QStringLiteral("288819.mxy"))).size(), 4);
}

TEST_F(HomeStarts, WholeUnitReadsTheUnitPair)
{
    FrmFengmian& w = FrmFengmian::get();
    w.ClickBotn_Click(4);
    w.ClickBotn_Click(50);
    w.ClickBotn_Click(20);
    EXPECT_FALSE(FrmFengmian::isLoaded());
    EXPECT_EQ(ModData::iLianXiType, 20);
    EXPECT_EQ(ModData::iLianXiSub, 0);
    EXPECT_EQ(ModData::iTmCount, 4);
    EXPECT_EQ(ModData::sOpFile, dataPath(QStringLiteral("288820.mxy")));
    const int flags[] = {4, 0, 4, 0};
    for (int q = 1; q <= 4; ++q) {
        EXPECT_EQ(ModData::iTmCode(q), q);
        EXPECT_EQ(ModData::iTmFlags(q) & ~1, flags[q - 1]);
        EXPECT_EQ(ModData::iTmLine(q), 1 + 2 * (q - 1));
    }
    EXPECT_FALSE(QFile::exists(dataPath(QStringLiteral("288819.mxy"))));
}

TEST_F(HomeStarts, FailingBankFilesGiveANoticeAndNoExercise)
{
    const struct {
        const char* what;
        std::function<void(HomeStarts&)> breakIt;
        int scope;
        const char* text;
        const char* report;
    } rows[] = {
        {"unit files missing", [](HomeStarts& t) { QFile::remove(t.dataPath(QStringLiteral("288870.mxy"))); }, 39,
         "题库文件无法读取，本次练习未能开始！", "initshiti:53"},
        {"whole unit beyond its files", [](HomeStarts& t) { t.writeLines(t.dataPath(QStringLiteral("288870.mxy")), {}); },
         37, "题库文件无法读取，本次练习未能开始！", "initshiti:53"},
        {"records end inside a block",
         [](HomeStarts& t) { t.writeLines(t.dataPath(QStringLiteral("288820.mxy")), {QStringLiteral("0000100")}); }, 39,
         "题库文件无法读取，本次练习未能开始！", "initshiti:53"},
        {"pair cannot be written", [](HomeStarts& t) { QDir().mkpath(t.dataPath(QStringLiteral("288819.mxy"))); }, 39,
         "练习文件无法写入，本次练习未能开始！", "initshiti:75"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        makeBank({4, 2});
        QDir(dataPath(QStringLiteral("288819.mxy"))).removeRecursively();
        r.breakIt(*this);
        ModData::iTmCount = 33;
        ModData::iLianXiType = 9;
        FrmFengmian& w = FrmFengmian::get();
        w.ClickBotn_Click(4);
        w.ClickBotn_Click(50);
        w.ClickBotn_Click(r.scope);
        Reports reports;
        BoxAnswer box;
        w.ClickBotn_Click(20);
        ASSERT_EQ(box.titles.size(), 1);
        EXPECT_EQ(box.titles.first(), QStringLiteral("章节练习"));
        EXPECT_EQ(box.prompts.first(), QStringLiteral("\r\n\r\n\r\n") + QString::fromUtf8(r.text));
        EXPECT_TRUE(reports.list.contains(QString::fromUtf8(r.report))) << reports.list.join(u' ').toStdString();
        EXPECT_TRUE(FrmFengmian::isLoaded());
        EXPECT_FALSE(FrmTm::isLoaded());
        EXPECT_EQ(ModData::iTmCount, 33);
        EXPECT_EQ(ModData::iLianXiType, 9);
        unloadWindows();
    }
}

// Ids the bank no longer holds are left out, each remaining id with its own flag, and the candidate
// is told how many; the start is refused only when none is left, and no file error is reported.
TEST_F(HomeStarts, IdsNoLongerInTheBankAreLeftOut)
{
    const struct {
        const char *list, *flags;
        std::vector<int> clicks;
        const char* text;
        std::vector<int> codes, flags_; // the exercise, when it starts
    } rows[] = {
        // No unit 99; unit 0 has 4 questions, so no question 0099.
        {"0001990100030099", "TFFT", {41}, "有2道题目已不在题库中，本次练习不含这些题目。", {1, 3}, {6, 2}},
        {"99010099", "FF", {}, "这些题目都已不在题库中，本次练习未能开始！", {}, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.list);
        setStore(r.list, r.flags, "288862", "288872");
        FrmFengmian& w = FrmFengmian::get();
        w.ClickBotn_Click(6);
        for (int c : r.clicks)
            w.ClickBotn_Click(c);
        Reports reports;
        BoxAnswer box;
        w.ClickBotn_Click(22);
        ASSERT_EQ(box.titles, QStringList{QStringLiteral("收藏题目练习")});
        EXPECT_EQ(box.prompts.first(), QStringLiteral("\r\n\r\n\r\n") + QString::fromUtf8(r.text));
        EXPECT_TRUE(reports.list.isEmpty()) << reports.list.join(u' ').toStdString();
        EXPECT_EQ(FrmTm::isLoaded(), !r.codes.empty());
        if (!r.codes.empty()) {
            EXPECT_EQ(ModData::iLianXiType, 9);
            ASSERT_EQ(ModData::iTmCount, int(r.codes.size()));
            for (int q = 1; q <= ModData::iTmCount; ++q) {
                EXPECT_EQ(ModData::iTmCode(q), r.codes[size_t(q - 1)]);
                EXPECT_EQ(ModData::iTmFlags(q) & ~1, r.flags_[size_t(q - 1)]);
            }
        }
        unloadWindows();
    }
}

// A unit without questions starts no whole-unit practice.
TEST_F(HomeStarts, AUnitWithoutQuestionsDoesNotStart)
{
    makeBank({4, 0});
    writeLines(userPath(QStringLiteral("288893.mxy")), {QStringLiteral("TFTF"), QString()});
    FrmFengmian& w = FrmFengmian::get();
    w.ClickBotn_Click(4);
    w.ClickBotn_Click(51);
    w.ClickBotn_Click(37);
    BoxAnswer box;
    w.ClickBotn_Click(20);
    ASSERT_EQ(box.titles, QStringList{QStringLiteral("章节练习")});
    EXPECT_EQ(box.prompts.first(), QStringLiteral("\r\n\r\n\r\n您本部分没有未学题！"));
    EXPECT_TRUE(FrmFengmian::isLoaded());
    EXPECT_FALSE(FrmTm::isLoaded());
}

TEST_F(HomeStarts, MarkedQuestionsByScope)
{
    const struct {
        const char *list, *reviewFlags;
        std::vector<int> clicks;
        int kind, count;
        std::vector<int> codes, flags;
    } rows[] = {
        {"000100020003", "TFT", {}, 10, 1, {2}, {2}},                 // not yet reviewed
        {"000100020003", "TFT", {40, 41}, 11, 2, {1, 3}, {6, 6}},     // reviewed
        {"000100020003", "TFT", {41}, 9, 3, {1, 2, 3}, {6, 2, 6}},    // both: flags are the done marks
        {"000300", "T", {41}, 9, 1, {3}, {6}},                        // whole ids only
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.list);
        setStore(r.list, r.reviewFlags, "288862", "288872");
        FrmFengmian& w = FrmFengmian::get();
        w.ClickBotn_Click(6);
        for (int c : r.clicks)
            w.ClickBotn_Click(c);
        w.ClickBotn_Click(22);
        EXPECT_FALSE(FrmFengmian::isLoaded());
        EXPECT_EQ(ModData::iLianXiType, r.kind);
        EXPECT_EQ(ModData::iLianXiType + ModData::iLianXiSub, 19);
        EXPECT_EQ(ModData::iTmCount, r.count);
        for (int q = 1; q <= r.count; ++q) {
            EXPECT_EQ(ModData::iTmCode(q), r.codes[size_t(q - 1)]);
            EXPECT_EQ(ModData::iTmFlags(q) & ~1, r.flags[size_t(q - 1)]);
        }
        unloadWindows();
    }
}

// The launcher hands a mock paper to the examination log-on, every practice to the panel.
TEST_F(HomeStarts, MockPaperGoesThroughTheLogOn)
{
    const QString ids = QStringLiteral("0001000200030004");
    FrmFengmian& w = FrmFengmian::get();
    ASSERT_TRUE(w.InitShiTi(bank::paperStart(3, ids).set, QStringLiteral("模拟考试")));
    w.startLianXi();
    EXPECT_FALSE(FrmFengmian::isLoaded());
    ASSERT_TRUE(FrmLogon::isLoaded());
    EXPECT_TRUE(FrmLogon::get().isVisible());
    EXPECT_FALSE(FrmTm::isLoaded());
    EXPECT_EQ(ModData::iLianXiType, 0);
    EXPECT_EQ(ModData::iLianXiSub, 3);
    EXPECT_EQ(ModData::iSelIndex, 3);
    EXPECT_EQ(ModData::iRunMode, 3);
    EXPECT_EQ(ModData::iTmCount, 4);
    EXPECT_EQ(ModData::iLeftMinutes, 50);
    EXPECT_EQ(readLines(dataPath(QStringLiteral("288853.mxy"))).size(), 4);
}
