// New random papers, the review of a paper's wrong questions and the deletion of a generated
// paper, through the home window's buttons and card labels: what each writes to which history
// file and which exercise starts.

#include "paperhistory.h"

#include <QDir>
#include <random>

using namespace hometest;

TEST_F(GeneratedPapers, FirstNewPaperStartsAndIsRecorded)
{
    QFile::remove(listFile());
    QFile::remove(resultsFile());
    FrmFengmian& w = FrmFengmian::get();
    w.ClickBotn_Click(5);
    w.ClickBotn_Click(30);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    w.ClickBotn_Click(21);

    EXPECT_FALSE(FrmFengmian::isLoaded());
    ASSERT_TRUE(FrmLogon::isLoaded());
    EXPECT_TRUE(FrmLogon::get().isVisible());
    EXPECT_EQ(ModData::iLianXiType, 8);
    EXPECT_EQ(ModData::iLianXiSub, 11);
    EXPECT_EQ(ModData::iSelIndex, 20);
    EXPECT_EQ(ModData::iRunMode, 3);
    EXPECT_EQ(ModData::iTmCount, 40);
    EXPECT_EQ(ModData::iTmNo, 1);
    EXPECT_EQ(ModData::sOpFile, dataPath(QStringLiteral("288819.mxy")));
    EXPECT_EQ(readLines(dataPath(QStringLiteral("288869.mxy"))).size(), 40);

    const QStringList list = readLines(listFile());
    ASSERT_EQ(list.size(), 10);
    ASSERT_EQ(list.first().size(), 160);
    EXPECT_EQ(list.mid(1), QStringList(9, QString()));
    EXPECT_EQ(raw(listFile()).size(), 160 + 10 * 2); // ten lines, nothing after them
    QSet<QString> ids;
    for (int q = 1; q <= 40; ++q) {
        const QString id = list.first().mid(4 * (q - 1), 4);
        ids.insert(id);
        EXPECT_EQ(ModData::iTmCode(q), id.toInt());
        EXPECT_EQ(ModData::sTmDone(q), QStringLiteral("F"));
        EXPECT_EQ(ModData::iTmFlags(q) & ~1, 0);
    }
    EXPECT_EQ(ids.size(), 40);

    EXPECT_EQ(raw(wrongFile(20)), QByteArray("\r\n"));
    EXPECT_FALSE(QFile::exists(wrongFile(21)));
    const QStringList results = readLines(resultsFile());
    ASSERT_EQ(results.size(), 91);
    const QDateTime made = QDateTime::fromString(results.at(60), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    EXPECT_TRUE(made >= before && made <= QDateTime::currentDateTime()) << results.at(60).toStdString();
    EXPECT_EQ(results.at(61), QStringLiteral("0"));
    EXPECT_EQ(results.at(62), QStringLiteral("E"));
    EXPECT_EQ(results.at(63), QStringLiteral("您还未考试！"));
    EXPECT_EQ(results.at(90), QString());
}

TEST_F(GeneratedPapers, TenPapersStayTenAndMoveUp)
{
    listPapers(10);
    numberedResults();
    FrmFengmian& w = FrmFengmian::get();
    ASSERT_EQ(w.iSuiJiCount, 10);
    w.ClickBotn_Click(21);
    ASSERT_TRUE(FrmLogon::isLoaded());

    const QStringList list = readLines(listFile());
    ASSERT_EQ(list.size(), 10);
    EXPECT_EQ(list.at(1), QStringLiteral("L20"));
    EXPECT_EQ(list.at(9), QStringLiteral("L28"));
    EXPECT_EQ(readLines(wrongFile(20)), QStringList{QString()});
    for (int p = 21; p <= 29; ++p)
        EXPECT_EQ(readLines(wrongFile(p)), QStringList{QStringLiteral("W%1").arg(p - 1)}) << p;
    EXPECT_EQ(recordTime(19), QStringLiteral("T19"));
    for (int p = 21; p <= 29; ++p)
        EXPECT_EQ(recordTime(p), QStringLiteral("T%1").arg(p - 1)) << p;
}

TEST_F(GeneratedPapers, NoPaperWhenTheBankIsTooSmallOrTheHistoryUnreadable)
{
    const struct {
        const char* what;
        std::function<void(GeneratedPapers&)> prepare;
        const char* text;
    } rows[] = {
        {"39 questions", [](GeneratedPapers& t) { t.makeBank({20, 19}); }, "题库中的题目不足，无法生成随机试卷！"},
        {"unreadable results",
         [](GeneratedPapers& t) {
             t.makeBank({30, 30});
             QFile::remove(t.resultsFile());
             QDir().mkpath(t.resultsFile());
         },
         "考试记录无法读取，本次考试未能开始！"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        listPapers(2);
        r.prepare(*this);
        const QByteArray listBefore = raw(listFile());
        FrmFengmian& w = FrmFengmian::get();
        BoxAnswer box;
        w.ClickBotn_Click(21);
        ASSERT_EQ(box.titles.size(), 1);
        EXPECT_EQ(box.titles.first(), QStringLiteral("随机试卷"));
        EXPECT_EQ(box.prompts.first(), QStringLiteral("\r\n\r\n\r\n") + QString::fromUtf8(r.text));
        EXPECT_TRUE(FrmFengmian::isLoaded());
        EXPECT_FALSE(FrmLogon::isLoaded());
        EXPECT_EQ(raw(listFile()), listBefore);
        EXPECT_EQ(readLines(wrongFile(20)), QStringList{QStringLiteral("W20")});
        unloadWindows();
        QDir(resultsFile()).removeRecursively();
    }
}

TEST_F(GeneratedPapers, ReviewOfAPapersWrongQuestions)
{
    const QString none = QStringLiteral("\r\n\r\n\r\n你可能是还没有做本套试题，或者上次得分为0。\r\n请点“开始考试”做本套试题。");
    const struct {
        int paper;
        const char* line; // nullptr: no file
        int count;
    } rows[] = {
        {3, nullptr, 0}, {3, "", 0}, {3, "  ", 0}, {3, "012", 0}, {3, "0001010200", 2}, {21, "0003", 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.line ? r.line : "no file");
        QFile::remove(wrongFile(r.paper));
        if (r.line)
            writeLines(wrongFile(r.paper), {QString::fromUtf8(r.line)});
        for (int q = 1; q <= 500; ++q) {
            ModData::sTmDone(q) = QStringLiteral("T");
            ModData::iTmFlags(q) = 4;
        }
        FrmFengmian& w = FrmFengmian::get();
        BoxAnswer box;
        w.LblShiJuanCCC_Click(r.paper);
        if (r.count == 0) {
            ASSERT_EQ(box.titles.size(), 1);
            EXPECT_EQ(box.titles.first(), QStringLiteral("没有生成错题"));
            EXPECT_EQ(box.prompts.first(), none);
            EXPECT_TRUE(FrmFengmian::isLoaded());
            EXPECT_FALSE(FrmTm::isLoaded());
        } else {
            EXPECT_TRUE(box.titles.isEmpty());
            EXPECT_FALSE(FrmFengmian::isLoaded());
            ASSERT_TRUE(FrmTm::isLoaded());
            EXPECT_EQ(ModData::iLianXiType, 2);
            EXPECT_EQ(ModData::iLianXiSub, 17);
            EXPECT_EQ(ModData::iSelIndex, r.paper);
            EXPECT_EQ(ModData::iRunMode, 2);
            EXPECT_EQ(ModData::iTmCount, r.count);
            for (int q = 1; q <= r.count; ++q) {
                EXPECT_EQ(ModData::sTmDone(q), QStringLiteral("F"));
                EXPECT_EQ(ModData::iTmFlags(q) & ~1, 0);
            }
        }
        unloadWindows();
    }
}

// A paper's wrong-question record that cannot be read is no paper without wrong questions: the
// candidate is told so, and no review starts.
TEST_F(GeneratedPapers, AReviewWhoseRecordCannotBeReadSaysSo)
{
    listPapers(2);
    for (int paper : {3, 21}) {
        SCOPED_TRACE(paper);
        QFile::remove(wrongFile(paper));
        QDir().mkpath(wrongFile(paper));
        FrmFengmian& w = FrmFengmian::get();
        Reports reports;
        BoxAnswer box;
        w.LblShiJuanCCC_Click(paper);
        ASSERT_EQ(box.titles, QStringList{QStringLiteral("错题复习")});
        EXPECT_EQ(box.prompts.first(), QStringLiteral("\r\n\r\n\r\n考试记录无法读取，本次错题复习未能开始！"));
        EXPECT_TRUE(reports.list.contains(QStringLiteral("lblshijuancc:75")));
        EXPECT_TRUE(FrmFengmian::isLoaded());
        EXPECT_FALSE(FrmTm::isLoaded());
        unloadWindows();
        QDir(wrongFile(paper)).removeRecursively();
    }
}

TEST_F(GeneratedPapers, DeletionMovesTheLaterPapers)
{
    const struct {
        int count, paper;
        QStringList list;                 // the list file's lines afterwards
        std::vector<const char*> wrong;   // wrong files of papers 20 to 19 + count afterwards
        std::vector<const char*> times;   // records of papers 20 to 19 + count afterwards
    } rows[] = {
        {3, 20, {"L21", "L22", ""}, {"W21", "W22", "W22"}, {"T21", "T22", "T22"}},
        {3, 22, {"L20", "L21", ""}, {"W20", "W21", "W22"}, {"T20", "T21", "T22"}},
        {1, 20, {""}, {"W20"}, {"T20"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.paper);
        listPapers(r.count);
        numberedResults();
        writeLines(wrongFile(5), {QStringLiteral("W05")});
        FrmFengmian& w = FrmFengmian::get();
        w.ClickBotn_Click(5);
        BoxAnswer confirm(1);
        w.LblShiJuanDel_Click(r.paper);
        ASSERT_EQ(confirm.titles, QStringList{QStringLiteral("删除试卷")});
        EXPECT_EQ(confirm.prompts.first(), QStringLiteral("\r\n\r\n\r\n您确实要删除本套随机试题吗？"));

        EXPECT_EQ(readLines(listFile()), r.list);
        EXPECT_TRUE(raw(listFile()).endsWith("\r\n\r\n") || r.count == 1);
        for (int p = 20; p < 20 + r.count; ++p) {
            EXPECT_EQ(readLines(wrongFile(p)), QStringList{QString::fromUtf8(r.wrong[size_t(p - 20)])}) << p;
            EXPECT_EQ(recordTime(p), QString::fromUtf8(r.times[size_t(p - 20)])) << p;
        }
        EXPECT_EQ(recordTime(19), QStringLiteral("T19"));
        EXPECT_EQ(recordTime(5), QStringLiteral("T5"));
        EXPECT_EQ(readLines(wrongFile(5)), QStringList{QStringLiteral("W05")});
        EXPECT_EQ(readLines(resultsFile()).size(), 91);

        // The panels are rebuilt on the open window, which stays on the paper page.
        ASSERT_TRUE(FrmFengmian::isLoaded());
        EXPECT_EQ(w.iSuiJiCount, r.count - 1);
        EXPECT_TRUE(w.PicKaCH.Visible());
        EXPECT_FALSE(w.ClickBotn[28].Enabled());
        w.ClickBotn_Click(31);
        EXPECT_EQ(w.LblNoHis.Visible(), r.count == 1);
        unloadWindows();
    }
    EXPECT_EQ(raw(listFile()), QByteArray("\r\n"));
}

TEST_F(GeneratedPapers, DeletionRefusedOrCancelledChangesNothing)
{
    listPapers(3);
    numberedResults();
    const QByteArray list = raw(listFile()), results = raw(resultsFile()), wrong = raw(wrongFile(20));
    FrmFengmian& w = FrmFengmian::get();
    {
        BoxAnswer box(1);
        for (int p : {5, 19, 23, 29, -1, 40})
            w.LblShiJuanDel_Click(p);
        QCoreApplication::processEvents();
        EXPECT_TRUE(box.titles.isEmpty());
    }
    BoxAnswer cancel(0);
    w.LblShiJuanDel_Click(21);
    EXPECT_EQ(cancel.titles.size(), 1);
    EXPECT_EQ(raw(listFile()), list);
    EXPECT_EQ(raw(resultsFile()), results);
    EXPECT_EQ(raw(wrongFile(20)), wrong);
    EXPECT_EQ(w.iSuiJiCount, 3);
}

// A later paper without a wrong-question file leaves no other paper's wrong questions behind.
TEST_F(GeneratedPapers, MissingWrongFilesLeaveNoStaleWrongQuestions)
{
    listPapers(3);
    numberedResults();
    QFile::remove(wrongFile(22));
    Reports reports;
    FrmFengmian& w = FrmFengmian::get();
    BoxAnswer confirm(1);
    w.LblShiJuanDel_Click(20);
    EXPECT_EQ(readLines(wrongFile(20)), QStringList{QStringLiteral("W21")});
    EXPECT_EQ(readLines(wrongFile(21)), QStringList{QString()});
    EXPECT_EQ(w.LblShiJuanCuoTi[21].Caption(), QStringLiteral("(0)"));
    EXPECT_TRUE(reports.list.contains(QStringLiteral("lblshijuandel:53")));
}

// The deletion's confirmation reports its failing steps under the deletion's own tag; the
// clearing of a store, which asks the same way, under the button handler's.
TEST_F(GeneratedPapers, TheConfirmationReportsUnderTheTagOfItsHandler)
{
    listPapers(3);
    numberedResults();
    const auto icon = platform::findFile(dataPath(QStringLiteral("l20071.mxy")));
    ASSERT_TRUE(icon.has_value());
    ASSERT_TRUE(QFile::remove(*icon));
    const struct {
        const char* name;
        std::function<void(FrmFengmian&)> ask;
        const char* report;
    } rows[] = {
        {"paper deletion", [](FrmFengmian& w) { w.LblShiJuanDel_Click(21); }, "lblshijuandel:53"},
        {"marked store clearing", [](FrmFengmian& w) { w.ClickBotn_Click(23); }, "clickbotn:53"},
    };
    for (const auto& r : rows) {
        FrmFengmian& w = FrmFengmian::get();
        Reports reports;
        BoxAnswer cancel(0);
        r.ask(w);
        EXPECT_EQ(cancel.titles.size(), 1) << r.name;
        EXPECT_EQ(reports.list, QStringList{QString::fromUtf8(r.report)}) << r.name;
        unloadWindows();
    }
}

// A wrong-question file that a change moves but cannot read is no missing one: neither the deletion
// nor the new paper writes anything, and the candidate is told.
TEST_F(GeneratedPapers, AWrongFileThatCannotBeReadStopsTheChange)
{
    const struct {
        const char* what;
        bool newPaper;
        const char* title;
        const char* text;
    } rows[] = {
        {"deletion", false, "删除试卷", "考试记录无法读取，本套试卷未能删除！"},
        {"new paper", true, "随机试卷", "考试记录无法读取，本次考试未能开始！"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        listPapers(3);
        numberedResults();
        QFile::remove(wrongFile(22));
        QDir().mkpath(wrongFile(22)); // moves to paper 21 at the deletion, to 23 at a new paper
        const QByteArray list = raw(listFile()), results = raw(resultsFile());
        Reports reports;
        FrmFengmian& w = FrmFengmian::get();
        BoxAnswer box(1);
        if (r.newPaper)
            w.ClickBotn_Click(21);
        else
            w.LblShiJuanDel_Click(20);
        ASSERT_EQ(box.titles.size(), r.newPaper ? 1 : 2);
        EXPECT_EQ(box.titles.last(), QString::fromUtf8(r.title));
        EXPECT_EQ(box.prompts.last(), QStringLiteral("\r\n\r\n\r\n") + QString::fromUtf8(r.text));
        EXPECT_TRUE(reports.list.contains(r.newPaper ? QStringLiteral("clickbotn:75") : QStringLiteral("lblshijuandel:75")));
        EXPECT_FALSE(FrmLogon::isLoaded());
        EXPECT_EQ(raw(listFile()), list);
        EXPECT_EQ(raw(resultsFile()), results);
        EXPECT_EQ(readLines(wrongFile(20)), QStringList{QStringLiteral("W20")});
        EXPECT_EQ(readLines(wrongFile(21)), QStringList{QStringLiteral("W21")});
        EXPECT_FALSE(QFile::exists(wrongFile(23)));
        unloadWindows();
        QDir(wrongFile(22)).removeRecursively();
    }
}

// The list, the results and the wrong-question files move together: when one of them cannot be
// replaced, none is, and the new paper does not start.
TEST_F(GeneratedPapers, AFileThatCannotBeReplacedChangesNothing)
{
    const struct {
        const char* what;
        bool newPaper;
        int folder; // the paper whose wrong-question file is a folder, where the change writes
    } rows[] = {{"new paper", true, 23}, {"deletion", false, 20}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        listPapers(3);
        numberedResults();
        QFile::remove(wrongFile(r.folder));
        QDir().mkpath(wrongFile(r.folder));
        const QByteArray list = raw(listFile()), results = raw(resultsFile());
        Reports reports;
        FrmFengmian& w = FrmFengmian::get();
        if (r.newPaper) {
            BoxAnswer box;
            w.ClickBotn_Click(21);
            ASSERT_EQ(box.titles, QStringList{QStringLiteral("随机试卷")});
            EXPECT_EQ(box.prompts.first(), QStringLiteral("\r\n\r\n\r\n考试记录无法写入，本次考试未能开始！"));
            EXPECT_FALSE(FrmLogon::isLoaded());
        } else {
            BoxAnswer confirm(1);
            w.LblShiJuanDel_Click(20);
            EXPECT_TRUE(reports.list.contains(QStringLiteral("lblshijuandel:75")));
        }
        EXPECT_EQ(raw(listFile()), list);
        EXPECT_EQ(raw(resultsFile()), results);
        for (int p = 20; p <= 22; ++p) {
            if (p != r.folder) {
                EXPECT_EQ(readLines(wrongFile(p)), QStringList{QStringLiteral("W%1").arg(p)}) << p;
            }
        }
        if (r.folder != 23) {
            EXPECT_FALSE(QFile::exists(wrongFile(23)));
        }
        EXPECT_EQ(QDir(userPath(QString())).entryList({QStringLiteral("*.pending")}, QDir::Files), QStringList{});
        unloadWindows();
        QDir(wrongFile(r.folder)).removeRecursively();
    }
}
