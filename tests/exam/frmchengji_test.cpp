// The score window: the score, the result buttons and the history it writes for a handed-in
// paper; its layout; the question texts of the result buttons; its three ways on (the review of
// the whole paper, the home window, the review of the paper's wrong questions).

#include "common/privileges.h"
#include "paperfixture.h"

#include "platform/textfile.h"

#include <QDir>
#include <QMap>
#include <QPointer>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <vector>

using paperfixture::colourOf;
using paperfixture::kDone;
using paperfixture::kNow;
using paperfixture::kWrong;
using paperfixture::Paper;
using paperfixture::paperId;
using paperfixture::whenModal;
using namespace ModData;

namespace {

QRectF rectOf(const tk::Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

void complete(const std::set<int>& questions)
{
    for (int q : questions)
        iTmFlags(q) = 5;
}

QString wrongIdsExcept(const std::set<int>& completed)
{
    QString ids;
    for (int q = 1; q <= 40; ++q)
        if (!completed.count(q))
            ids += paperId(q);
    return ids;
}

QStringList resultLines(const Paper& world)
{
    return platform::splitLines(Paper::readFile(world.userPath(QStringLiteral("288892"))));
}

// The results file with paper p's record set, the others never taken.
void writeResults(const Paper& world, int paper, const QString& time, const QString& score)
{
    QString text;
    for (int p = 0; p < 30; ++p)
        text += (p == paper ? time : QStringLiteral("您还未考试！")) + QStringLiteral("\r\n") +
                (p == paper ? score : QStringLiteral("0")) + QStringLiteral("\r\nE\r\n");
    Paper::writeFile(world.userPath(QStringLiteral("288892")), text + QStringLiteral("\r\n"));
}

} // namespace

TEST(ScoreWindow, ScoresTheResultButtonsAndThePaperWrongQuestionFile)
{
    std::set<int> all;
    for (int q = 1; q <= 40; ++q)
        all.insert(q);
    const struct {
        const char* name;
        int paper;
        std::set<int> completed;
        const char* scoreLine;
    } cases[] = {
        {"all completed", 0, all, "第1套得分：100分"},
        {"none completed", 0, {}, "第1套得分：0分"},
        {"fixed paper 5", 4, {2, 5, 40}, "第5套得分：7.5分"},
        {"random paper", 23, {1}, "随机题得分：2.5分"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Paper world(c.paper);
        complete(c.completed);
        iTmFlags(9) = c.completed.count(9) ? 7 : 3; // marked does not count either way
        FrmChengji& w = FrmChengji::get();
        EXPECT_EQ(w.Label1.Caption(), QString::fromUtf8(c.scoreLine));
        for (int q = 1; q <= 40; ++q) {
            SCOPED_TRACE(q);
            const tavoButton& b = w.CmTNO[q];
            EXPECT_EQ(b.Caption(), QString::number(q));
            EXPECT_EQ(colourOf(b), c.completed.count(q) ? kDone : kWrong);
            EXPECT_TRUE(b.FontBold());
            EXPECT_EQ(b.ForeColor(), 0);
        }
        const QString wrongFile =
            world.user + QStringLiteral("1824") + QString::number(c.paper).rightJustified(2, u'0') + QStringLiteral(".mxy");
        EXPECT_EQ(Paper::bytes(wrongFile), (wrongIdsExcept(c.completed) + QStringLiteral("\r\n")).toLatin1());
        EXPECT_TRUE(w.Command3.isVisibleTo(&w)) << "shown even with nothing to review";
        EXPECT_EQ(sKsStartTime, QStringLiteral("-1"));
    }
}

TEST(ScoreWindow, WritesTheResultsFileInGbkWithCrLf)
{
    Paper world(4);
    complete({1, 2, 3});
    FrmChengji::get();
    const QByteArray bytes = Paper::bytes(world.userPath(QStringLiteral("288892")));
    EXPECT_EQ(bytes.count("\r\n"), 91) << "90 record lines and one empty line";
    EXPECT_EQ(bytes.count('\n'), 91);
    EXPECT_TRUE(bytes.endsWith("E\r\n\r\n"));
    EXPECT_TRUE(bytes.startsWith(platform::encodeGbk(QStringLiteral("您还未考试！\r\n0\r\nE\r\n"))));
    const QStringList lines = resultLines(world);
    EXPECT_EQ(lines.mid(12, 3), (QStringList{QStringLiteral("2026-12-10 13:00:00"), QStringLiteral("7.5"), QStringLiteral("E")}));
}

TEST(ScoreWindow, KeepsTheBestScoreAndFollowsTheLastExam)
{
    const struct {
        const char* name;
        QString startTime;
        QString earlierScore;
        int completed;
        QString time, score;
    } cases[] = {
        {"lower score: only the time changes", QStringLiteral("2026-12-10 13:00:00"), QStringLiteral("50"), 2,
         QStringLiteral("2026-12-10 13:00:00"), QStringLiteral("50")},
        {"equal score", QStringLiteral("2026-12-10 13:00:00"), QStringLiteral("5"), 2,
         QStringLiteral("2026-12-10 13:00:00"), QStringLiteral("5")},
        {"higher score replaces it", QStringLiteral("2026-12-10 13:00:00"), QStringLiteral("2.5"), 39,
         QStringLiteral("2026-12-10 13:00:00"), QStringLiteral("97.5")},
        {"answers viewed: time of scoring, best score stays", QStringLiteral("-1"), QStringLiteral("2.5"), 40,
         QStringLiteral("2026-12-10 14:05:09"), QStringLiteral("2.5")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Paper world(7);
        writeResults(world, 7, QStringLiteral("2026-01-01 08:00:00"), c.earlierScore);
        for (int q = 1; q <= c.completed; ++q)
            iTmFlags(q) = 5;
        sKsStartTime = c.startTime;
        FrmChengji::get();
        const QStringList lines = resultLines(world);
        EXPECT_EQ(lines.value(21), c.time);
        EXPECT_EQ(lines.value(22), c.score);
        EXPECT_EQ(lines.value(0), QStringLiteral("您还未考试！"));
    }
}

TEST(ScoreWindow, AddsToTheOwnWrongAndMarkedStores)
{
    Paper world(0);
    Paper::writeFile(world.userPath(QStringLiteral("288863")), QStringLiteral("0003\r\n"));
    Paper::writeFile(world.userPath(QStringLiteral("288873")), QStringLiteral("T\r\n"));
    Paper::writeFile(world.userPath(QStringLiteral("288862")), QStringLiteral("0007\r\n"));
    Paper::writeFile(world.userPath(QStringLiteral("288872")), QStringLiteral("T\r\n"));
    for (int q = 1; q <= 40; ++q)
        iTmFlags(q) = 5;
    iTmFlags(3) = 1;  // id 0003: wrong, listed already
    iTmFlags(4) = 3;  // id 0004: wrong and marked
    iTmFlags(6) = 7;  // id 0006: completed and marked
    iTmFlags(7) = 7;  // id 0007: marked, listed already
    FrmChengji::get();
    EXPECT_EQ(Paper::readFile(world.userPath(QStringLiteral("288863"))), QStringLiteral("00030004\r\n"));
    EXPECT_EQ(Paper::readFile(world.userPath(QStringLiteral("288873"))), QStringLiteral("TF\r\n"));
    EXPECT_EQ(Paper::readFile(world.userPath(QStringLiteral("288862"))), QStringLiteral("000700040006\r\n"));
    EXPECT_EQ(Paper::readFile(world.userPath(QStringLiteral("288872"))), QStringLiteral("TFF\r\n"));
}

TEST(ScoreWindow, WithoutThePapersIdLineItStillScoresAndListsNoId)
{
    const struct {
        const char* name;
        int paper;
        const char* file; // "" for none
        QString content;
    } cases[] = {
        {"no bank layout file", 4, "", QString()},
        // Another paper's line must not stand in for the missing one.
        {"bank layout file ends before the paper's line", 4, "data",
         QStringLiteral("a\r\nb\r\n") + paperfixture::paperIds() + QStringLiteral("\r\n")},
        {"generated paper list ends before the paper's line", 23, "user",
         paperfixture::paperIds() + QStringLiteral("\r\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Paper world(c.paper);
        QFile::remove(world.dataPath(QStringLiteral("288891")));
        QFile::remove(world.userPath(QStringLiteral("288891")));
        if (*c.file)
            Paper::writeFile((QLatin1String(c.file) == QLatin1String("data") ? world.dataPath(QStringLiteral("288891"))
                                                                            : world.userPath(QStringLiteral("288891"))),
                             c.content);
        complete({1});
        FrmChengji& w = FrmChengji::get();
        EXPECT_TRUE(w.Label1.Caption().endsWith(QStringLiteral("2.5分")));
        EXPECT_EQ(colourOf(w.CmTNO[1]), kDone);
        EXPECT_EQ(colourOf(w.CmTNO[2]), kWrong);
        const QString wrongFile =
            world.user + QStringLiteral("1824") + QString::number(c.paper).rightJustified(2, u'0') + QStringLiteral(".mxy");
        EXPECT_EQ(Paper::readFile(wrongFile), QStringLiteral("\r\n"));
        EXPECT_TRUE(Paper::readFile(world.userPath(QStringLiteral("288863"))).trimmed().isEmpty())
            << "the own wrong-question list gains nothing";
        EXPECT_EQ(platform::splitLines(Paper::readFile(world.userPath(QStringLiteral("288892")))).value(3 * c.paper + 1),
                  QStringLiteral("2.5"));
    }
}

namespace {
// Hands the paper in through the end windows, the panel hidden, and lets the score window load.
void handIn(Paper& world)
{
    world.panel().Hide();
    whenModal([&] {
        whenModal([&] { FrmEnd2::get().Command1_Click(); });
        FrmEnd1::get().Command1_Click();
    });
    FrmEnd1::get().Show(true);
    tktest::flushDeletes();
}
} // namespace

// A history that cannot be written (a folder stands where the new results would go) or that cannot
// be read (a folder in the place of the results, of the random paper's list or of the fixed
// paper's bank layout file, which give the paper's ids) leaves every file as it was, and the
// candidate is told so over the score window, which still shows the score.
TEST(ScoreWindow, AHistoryThatCannotBeWrittenIsToldAndKeepsItsFiles)
{
    const struct {
        int paper;
        bool data; // the blocked entry is in the data folder
        const char* blocked;
        const char* scoreLine;
    } cases[] = {
        {4, false, "288892.mxy.pending", "第5套得分：7.5分"},
        {4, false, "288892.mxy", "第5套得分：7.5分"},
        {20, false, "288891.mxy", "随机题得分：7.5分"},
        {4, true, "288891.mxy", "第5套得分：7.5分"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.blocked);
        SCOPED_TRACE(c.paper);
        Paper world(c.paper);
        complete({1, 2, 3});
        writeResults(world, 4, QStringLiteral("2026-01-01 08:00:00"), QStringLiteral("50"));
        Paper::writeFile(world.userPath(QStringLiteral("288863")), QStringLiteral("0003\r\n"));
        Paper::writeFile(world.userPath(QStringLiteral("288873")), QStringLiteral("T\r\n"));
        const QString blocked = (c.data ? world.data : world.user) + QString::fromLatin1(c.blocked);
        QFile::remove(blocked);
        ASSERT_TRUE(QDir().mkpath(blocked));
        auto folder = [&] {
            QMap<QString, QByteArray> f;
            for (const QString& name : QDir(world.user).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
                f.insert(name, Paper::bytes(world.user + name));
            return f;
        };
        const auto before = folder();
        panelfixture::Notices notices;
        handIn(world);

        ASSERT_TRUE(FrmChengji::isLoaded());
        EXPECT_TRUE(FrmChengji::get().isVisible());
        EXPECT_EQ(FrmChengji::get().Label1.Caption(), QString::fromUtf8(c.scoreLine));
        EXPECT_EQ(notices.seen, QStringList{QStringLiteral("保存成绩|\r\n\r\n\r\n考试记录无法写入，本次考试的成绩未能保存！")});
        EXPECT_EQ(folder(), before);
        QDir(blocked).removeRecursively();
    }
}

// A history that could be written only in part and not undone (the folder refuses every change
// once the first file is replaced) is told as such, not as a history left as it was.
TEST(ScoreWindow, AHistoryWrittenOnlyInPartIsToldSo)
{
    Paper world(4);
    complete({1, 2, 3});
    writeResults(world, 4, QStringLiteral("2026-01-01 08:00:00"), QStringLiteral("50"));
    // Once the first file is replaced the folder refuses every change, its files' undo included.
    privileges::Refusal frozen(world.user);
    bool engaged = false;
    bool refused = false;
    platform::setRewriteHookForTests([&](platform::RewriteStep s) {
        if (s == platform::RewriteStep::Renamed && !engaged) {
            engaged = true;
            refused = frozen.engage();
        }
    });
    panelfixture::Notices notices;
    handIn(world);
    platform::setRewriteHookForTests({});
    frozen.lift();

    ASSERT_TRUE(refused) << "the user folder could not be made to refuse changes";
    ASSERT_TRUE(FrmChengji::isLoaded());
    EXPECT_EQ(notices.seen,
              QStringList{QStringLiteral("保存成绩|\r\n\r\n\r\n考试记录只写入了一部分，本次考试的成绩未能完整保存！")});
}

TEST(ScoreWindow, LaidOutFromItsDesign)
{
    for (const auto& s : paperfixture::kScales) {
        SCOPED_TRACE(s.sx);
        Paper world;
        dScaleX = s.sx;
        dScaleY = s.sy;
        FrmChengji& w = FrmChengji::get();
        EXPECT_EQ(w.Caption(), QStringLiteral("职称计算机练习——Windows XP模块"));
        EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(w.WindowState(), 2);
        EXPECT_EQ(w.BackColor(), 0xFEF9F6);
        EXPECT_EQ(QSizeF(w.Picture1.Width(), w.Picture1.Height()), QSizeF(12000, 9000));
        EXPECT_FALSE(w.Picture1.Picture().isNull());
        const double sx = s.sx, sy = s.sy;
        EXPECT_EQ(rectOf(w.Command3), QRectF(3480 * sx, 4080 * sy, 1920 * sx, 450 * sy));
        EXPECT_EQ(rectOf(w.Command1), QRectF(3480 * sx + 2040 * sx, 4080 * sy, 1920 * sx, 450 * sy));
        EXPECT_EQ(rectOf(w.Command2), QRectF(3480 * sx + 4080 * sx, 4080 * sy, 870 * sx, 450 * sy));
        EXPECT_EQ(QPointF(w.Label1.Left(), w.Label1.Top()), QPointF(5010 * sx, 5040 * sy));
        EXPECT_EQ(rectOf(w.CmTNO[1]), QRectF(0, 0, 450 * sx, 450 * sy));
        EXPECT_EQ(rectOf(w.CmTNO[12]), QRectF(480 * sx, 480 * sy, 450 * sx, 450 * sy));
        EXPECT_EQ(rectOf(w.CmTNO[40]), QRectF(9 * 480 * sx, 3 * 480 * sy, 450 * sx, 450 * sy));
        const double frameWidth = 9 * 480 * sx + 450 * sx, frameHeight = 3 * 480 * sy + 450 * sy;
        EXPECT_EQ(rectOf(w.Frame1), QRectF((12000 - frameWidth) / 2, 5520 * sy, frameWidth, frameHeight));
        EXPECT_EQ(rectOf(w.LblTiMuYQ),
                  QRectF((12000 - 9855 * sx) / 2, 5520 * sy + frameHeight + 360 * sy, 9855 * sx, 855 * sy));
        EXPECT_FALSE(FrmMain::isLoaded());

        // The one-shot centring of the page in the maximised window.
        EXPECT_TRUE(w.Timer1.fire());
        EXPECT_EQ(QPointF(w.Picture1.Left(), w.Picture1.Top()),
                  QPointF((w.Width() - 12000) / 2, (w.Height() - 9000) / 2));
        EXPECT_FALSE(w.Timer1.Enabled());
    }
}

TEST(ScoreWindow, ResultButtonShowsItsQuestionText)
{
    Paper world;
    QStringList lines;
    for (int q = 1; q <= 40; ++q)
        lines << QStringLiteral("000101题目%1的文字|第二行").arg(q);
    lines[11] = QStringLiteral("000101pictureab1234图中的文字");
    lines[12] = QStringLiteral("000101pictureab1234");
    lines << QStringLiteral("000101第41行");
    Paper::writeFile(sTmTextFile, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    FrmChengji& w = FrmChengji::get();
    const struct {
        int button;
        const char* shown;
    } cases[] = {
        {1, "第1题： 题目1的文字|第二行"},
        {12, "第12题： 图中的文字"},
        {13, "第13题： "},
        {40, "第40题： 题目40的文字|第二行"},
    };
    for (const auto& c : cases) {
        w.CmTNO_Click(c.button);
        EXPECT_EQ(w.LblTiMuYQ.Caption(), QString::fromUtf8(c.shown));
    }
}

TEST(ScoreWindow, ReviewOfTheWholePaper)
{
    Paper world(23);
    FrmTm& p = world.panel();
    p.Hide();
    iTmFlags(3) = 7;
    iTmFlags(4) = 5;
    FrmChengji& w = FrmChengji::get();
    ASSERT_TRUE(FrmTm::isLoaded());
    w.Command1_Click();
    tktest::flushDeletes();
    EXPECT_FALSE(FrmChengji::isLoaded());
    EXPECT_EQ(iRunMode, 2);
    EXPECT_FALSE(bTmCanClose);
    for (int q = 1; q <= 40; ++q)
        EXPECT_EQ(sTmDone(q), QStringLiteral("F"));
    EXPECT_EQ(iSelIndex, 23);
    EXPECT_EQ(iLianXiType, 8);
    EXPECT_EQ(iTmFlags(3), 7);
    EXPECT_EQ(iTmFlags(4), 5);
    EXPECT_EQ(iTmNo, 1);
    EXPECT_TRUE(p.TimerREDO.Enabled());
    EXPECT_TRUE(p.TimKsModel.Enabled());
    EXPECT_FALSE(p.TimeKS.Enabled());
    EXPECT_EQ(p.LblUnit.Caption(), QString());
    ASSERT_TRUE(FrmMain::isLoaded());
    const FrmMain& s = FrmMain::get();
    EXPECT_TRUE(s.isVisible());
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(QPointF(p.Left(), p.Top()), QPointF(s.Left() + s.Width() - p.Width(), s.Top() + s.Height() - p.Height()));
}

TEST(ScoreWindow, BackToTheHomeWindowsPaperPage)
{
    Paper world;
    const QPointer<FrmTm> p = &world.panel(); // freed once unloaded
    FrmChengji::get().Command2_Click();
    tktest::flushDeletes();
    EXPECT_FALSE(FrmChengji::isLoaded());
    EXPECT_FALSE(FrmMain::isLoaded());
    EXPECT_FALSE(FrmTm::isLoaded()) << "no exercise runs: the paper's panel and clock go";
    EXPECT_TRUE(!p || p->isUnloaded());
    EXPECT_EQ(iFengmianPage, 17);
    ASSERT_TRUE(FrmFengmian::isLoaded());
    EXPECT_TRUE(FrmFengmian::get().isVisible());
}

// Its three buttons are the ways out: a close from the window system would leave the program
// with no window at all.
TEST(ScoreWindow, RefusesAWindowSystemClose)
{
    Paper world;
    FrmChengji& w = FrmChengji::get();
    w.Show();
    EXPECT_FALSE(w.close());
    tktest::flushDeletes();
    ASSERT_TRUE(FrmChengji::isLoaded());
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(FrmFengmian::isLoaded());
}

TEST(ScoreWindow, ReviewOfTheWrongQuestionsBuildsFilePair19)
{
    const struct {
        const char* name;
        int paper;
        QString wrong;
        QStringList textLines, opLines;
        std::vector<int> codes, offsets, flags;
    } cases[] = {
        {"unit 1 question 2, unit 15 question 7", 4, QStringLiteral("01021507"),
         {QStringLiteral("000003单元1第2题"), QStringLiteral("000002单元15第7题")},
         {QStringLiteral("1-2-1"), QStringLiteral("1-2-2"), QStringLiteral("1-2-3"), QStringLiteral("15-7-1"),
          QStringLiteral("15-7-2")},
         {102, 1507},
         {1, 4},
         {0, 2}},
        {"a unit's first question, random paper", 23, QStringLiteral("1501"),
         {QStringLiteral("000001单元15第1题")},
         {QStringLiteral("15-1-1")},
         {1501},
         {1},
         {0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Paper world(c.paper);
        world.unitFiles(1, {2, 3, 1});
        world.unitFiles(15, {1, 1, 1, 1, 1, 1, 2});
        Paper::writeFile(world.userPath(QStringLiteral("288862")), QStringLiteral("1507\r\n"));
        Paper::writeFile(world.userPath(QStringLiteral("288872")), QStringLiteral("F\r\n"));
        FrmTm& p = world.panel();
        p.Hide();
        FrmChengji& w = FrmChengji::get();
        Paper::writeFile(world.user + QStringLiteral("1824") + QString::number(c.paper).rightJustified(2, u'0') +
                             QStringLiteral(".mxy"),
                         c.wrong + QStringLiteral("\r\n"));
        w.Command3_Click();
        tktest::flushDeletes();

        EXPECT_EQ(platform::splitLines(Paper::readFile(world.dataPath(QStringLiteral("288869")))), c.textLines);
        EXPECT_EQ(platform::splitLines(Paper::readFile(world.dataPath(QStringLiteral("288819")))), c.opLines);
        EXPECT_EQ(sTmTextFile, world.dataPath(QStringLiteral("288869")));
        EXPECT_EQ(sOpFile, world.dataPath(QStringLiteral("288819")));
        EXPECT_EQ(sOpTextFile, world.dataPath(QStringLiteral("288890")));
        EXPECT_EQ(iLianXiType, 2);
        EXPECT_EQ(iLianXiSub, 17);
        EXPECT_EQ(iSelIndex, c.paper);
        EXPECT_EQ(iRunMode, 2);
        ASSERT_EQ(iTmCount, int(c.codes.size()));
        for (int q = 1; q <= iTmCount; ++q) {
            SCOPED_TRACE(q);
            EXPECT_EQ(iTmCode(q), c.codes[size_t(q - 1)]);
            EXPECT_EQ(iTmLine(q), c.offsets[size_t(q - 1)]);
            EXPECT_EQ(iTmFlags(q), c.flags[size_t(q - 1)]) << "listed in the marked store: starts marked";
            EXPECT_EQ(sTmDone(q), QStringLiteral("F"));
        }
        EXPECT_EQ(iTmFlags(iTmCount + 1), 0);
        EXPECT_EQ(iTmNo, 1);
        EXPECT_EQ(iStepNo, 1);
        EXPECT_EQ(iLeftMinutes, 50);

        EXPECT_FALSE(FrmChengji::isLoaded());
        for (int i = 1; i <= 40; ++i)
            EXPECT_EQ(p.CmTNO[i].isVisibleTo(&p.FrmSelect), i <= iTmCount) << i;
        EXPECT_TRUE(p.TimerREDO.Enabled());
        EXPECT_TRUE(p.TimKsModel.Enabled());
        EXPECT_FALSE(p.TimeKS.Enabled());
        EXPECT_EQ(p.LblUnit.Caption(), QString());
        const FrmMain& s = FrmMain::get();
        EXPECT_TRUE(s.isVisible());
        EXPECT_TRUE(p.isVisible());
        EXPECT_EQ(QPointF(p.Left(), p.Top()),
                  QPointF(s.Left() + s.Width() - p.Width(), s.Top() + s.Height() - p.Height()));

        // The panel shows the review's question 1.
        p.TimerREDO.fire();
        EXPECT_EQ(p.RtbTM.Text(), c.textLines.front().mid(6));
    }
}

TEST(ScoreWindow, NoWrongQuestionReviewWithoutQuestions)
{
    const struct {
        const char* name;
        QString wrong;
        bool unitFiles;
        bool shortOperationFile; // without question 2's block
        const char* told;
    } cases[] = {
        {"every question completed", QString(), true, false, "本次考试没有错题！"},
        // A record that cannot be read (a folder in its place) is no paper without wrong questions.
        {"the record cannot be read", QStringLiteral("/"), true, false, "考试记录无法读取，本次错题复习未能开始！"},
        {"unit files missing", QStringLiteral("0102"), false, false, "这些题目都已不在题库中，本次练习未能开始！"},
        {"no such questions in the unit", QStringLiteral("01070109"), true, false, "这些题目都已不在题库中，本次练习未能开始！"},
        {"unit file damaged", QStringLiteral("0102"), true, true, "题库文件无法读取，本次练习未能开始！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Paper world(4);
        if (c.unitFiles)
            world.unitFiles(1, {2, 3});
        if (c.shortOperationFile)
            Paper::writeFile(world.dataPath(QStringLiteral("288821")), QStringLiteral("1-1-1\r\n"));
        FrmTm& p = world.panel();
        p.Hide();
        FrmChengji& w = FrmChengji::get();
        const QString record = world.user + QStringLiteral("182404.mxy");
        QFile::remove(record);
        if (c.wrong == u"/")
            QDir().mkpath(record);
        else
            Paper::writeFile(record, c.wrong + QStringLiteral("\r\n"));
        QString prompt;
        whenModal([&] {
            prompt = FrmKVMSGBOX::get().LblPrompt.Caption();
            FrmKVMSGBOX::get().LblClick_Click(1);
        });
        w.Command3_Click();
        EXPECT_EQ(prompt, QStringLiteral("\r\n\r\n\r\n") + QString::fromUtf8(c.told));
        EXPECT_TRUE(FrmChengji::isLoaded()) << "the score window stays";
        EXPECT_EQ(iLianXiType, 0);
        EXPECT_EQ(iTmCount, 40);
        EXPECT_FALSE(p.isVisible());
        EXPECT_FALSE(FrmMain::isLoaded());
    }
}
