// The paper panel: card titles and rows by paper mix, card contents from the history files, the
// four views and the papers tab's choice of view, and the paper starts.

#include "app/fonts.h"
#include "homefixture.h"

#include <QDir>

using namespace hometest;

class PaperPanel : public HomeTest {
protected:
    // Line 1 of the bank layout with the paper mix; the rest of the file as it was.
    void setPaperMix(int mix)
    {
        QStringList lines = readLines(dataPath(QStringLiteral("288891.mxy")));
        lines[0] = QString::number(mix).rightJustified(2, u'0') + lines[0].trimmed().mid(2, 2);
        writeLines(dataPath(QStringLiteral("288891.mxy")), lines);
    }
    // Records of papers 0 to 29 from (paper, time, score); the others never taken.
    void setResults(const std::vector<std::tuple<int, QString, QString>>& records, int lines = 90)
    {
        QStringList t;
        for (int n = 1; n <= 90; ++n)
            t << (n % 3 == 1 ? QStringLiteral("您还未考试！") : n % 3 == 2 ? QStringLiteral("0") : QStringLiteral("E"));
        for (const auto& [p, time, score] : records) {
            t[3 * p] = time;
            t[3 * p + 1] = score;
        }
        writeLines(userPath(QStringLiteral("288892.mxy")), t.mid(0, lines));
    }
    QString wrongFile(int p) const { return userPath(QStringLiteral("1824%1.mxy").arg(p, 2, 10, QChar(u'0'))); }
    static QList<int> shownCards(FrmFengmian& w)
    {
        QList<int> shown;
        for (int p = 0; p < 30; ++p) {
            const bool v = w.ImgShiJuan[p].Visible();
            EXPECT_EQ(w.LblShiJuanBiao[p].Visible(), v);
            EXPECT_EQ(w.LblShiJuanCuoTi[p].Visible(), v);
            EXPECT_EQ(w.ClickBotn[70 + p].Visible(), v);
            if (v)
                shown << p;
        }
        return shown;
    }
};

TEST_F(PaperPanel, TitlesAndRowsByPaperMix)
{
    const struct {
        int mix, lastSprint;
        QList<int> simulation;
    } rows[] = {
        {3, 7, {}}, {4, 1, {2, 3}}, {7, 1, {2, 3, 4, 5, 6}}, {8, 3, {4, 5, 6, 7}}, {11, 3, {4, 5, 6, 7, 8, 9, 10}},
        {12, 5, {6, 7, 8, 9, 10, 11}}, {15, 5, {6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {16, 7, {8, 9, 10, 11, 12, 13, 14, 15}}, {2, 7, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.mix);
        setPaperMix(r.mix);
        FrmFengmian& w = FrmFengmian::get();
        EXPECT_EQ(w.iChongCiLast, r.lastSprint);
        QList<int> sprint;
        for (int p = 0; p <= r.lastSprint; ++p)
            sprint << p;
        EXPECT_EQ(shownCards(w), sprint); // the build ends in the sprint view
        EXPECT_FALSE(w.ClickBotn[28].Enabled());
        w.ClickBotn_Click(29);
        EXPECT_EQ(shownCards(w), r.simulation);
        unloadWindows();
    }

    setPaperMix(6);
    FrmFengmian& w = FrmFengmian::get();
    EXPECT_EQ(w.LblShiJuanBiao[0].Caption(), QStringLiteral("冲刺试卷一"));
    EXPECT_EQ(w.LblShiJuanBiao[1].Caption(), QStringLiteral("冲刺试卷二"));
    EXPECT_EQ(w.LblShiJuanBiao[0].ForeColor(), 15302412);
    EXPECT_EQ(w.LblShiJuanBiao[2].Caption(), QStringLiteral("模拟试卷一"));
    EXPECT_EQ(w.LblShiJuanBiao[5].Caption(), QStringLiteral("模拟试卷四"));
    EXPECT_EQ(w.LblShiJuanBiao[5].ForeColor(), 3355443);
    const struct {
        int paper;
        double left, top;
    } places[] = {{0, 2880, 120}, {1, 7440, 120}, {2, 2880, 120}, {3, 7440, 120}, {4, 2880, 1470}, {5, 7440, 1470}};
    for (const auto& c : places) {
        EXPECT_DOUBLE_EQ(w.ImgShiJuan[c.paper].Left(), c.left) << c.paper;
        EXPECT_DOUBLE_EQ(w.ImgShiJuan[c.paper].Top(), c.top) << c.paper;
        EXPECT_DOUBLE_EQ(w.LblShiJuanTime[c.paper].Top(), c.top + 555) << c.paper;
        EXPECT_DOUBLE_EQ(w.ClickBotn[70 + c.paper].Left(), c.left + 3000) << c.paper;
    }
    unloadWindows();

    setPaperMix(20);
    FrmFengmian& w20 = FrmFengmian::get();
    EXPECT_EQ(w20.LblShiJuanBiao[17].Caption(), QStringLiteral("模拟试卷十"));
    EXPECT_EQ(w20.LblShiJuanBiao[18].Caption(), QStringLiteral("模拟试卷"));
    EXPECT_DOUBLE_EQ(w20.ImgShiJuan[19].Top(), 6870);
    EXPECT_EQ(w20.LblShiJuanBiao[29].Caption(), QStringLiteral("随机试卷十"));
}

TEST_F(PaperPanel, CardsShowTheHistoryFiles)
{
    setPaperMix(20);
    setResults({{0, QStringLiteral("2019-07-16 09:05:33"), QStringLiteral("97.5")}, {1, QString(), QStringLiteral("5")}});
    writeLines(wrongFile(0), {QStringLiteral("000100020003000400")}); // 18 characters: 4 ids
    writeLines(wrongFile(1), {QString()});
    QDir().mkpath(wrongFile(2)); // not a file
    Reports reports;
    FrmFengmian& w = FrmFengmian::get();
    const struct {
        int paper;
        const char *time, *score, *wrong, *del;
    } rows[] = {
        {0, "最后考试时间：2019-07-16 09:05", "97.5", "(4)", ""},
        {1, "最后考试时间：", "5", "(0)", ""},
        {2, "最后考试时间：您还未考试！", "0", "(0)", ""},
        {3, "最后考试时间：您还未考试！", "0", "(0)", ""}, // no file at all
        {20, "最后考试时间：您还未考试！", "0", "(0)", "删除试卷"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.paper);
        EXPECT_EQ(w.LblShiJuanTime[r.paper].Caption(), QString::fromUtf8(r.time));
        EXPECT_EQ(w.LblShiJuanScore[r.paper].Caption(), QString::fromUtf8(r.score));
        EXPECT_EQ(w.LblShiJuanCuoTi[r.paper].Caption(), QString::fromUtf8(r.wrong));
        EXPECT_EQ(w.LblShiJuanDel[r.paper].Caption(), QString::fromUtf8(r.del));
        EXPECT_EQ(w.LblShiJuanCCC[r.paper].Caption(), QStringLiteral("错题复习"));
        // At least the designed blanks: as many more as the score needs at this font (see below).
        EXPECT_TRUE(w.LblShiJuanSSSS[r.paper].Caption().startsWith(QStringLiteral("最好成绩：    ")));
        EXPECT_TRUE(w.LblShiJuanSSSS[r.paper].Caption().endsWith(QStringLiteral("分")));
    }
    EXPECT_EQ(reports.list, QStringList{QStringLiteral("fengmaincsh:75")}); // only the folder
    unloadWindows();

    // A results file of 3 lines: paper 0's record from it, the rest never taken; a missing file
    // is reported and reads as no results at all.
    setResults({{0, QStringLiteral("2020-01-01 00:00:00"), QStringLiteral("50")}}, 3);
    EXPECT_EQ(FrmFengmian::get().LblShiJuanScore[0].Caption(), QStringLiteral("50"));
    EXPECT_EQ(FrmFengmian::get().LblShiJuanScore[1].Caption(), QStringLiteral("0"));
    unloadWindows();
    QFile::remove(userPath(QStringLiteral("288892.mxy")));
    Reports missing;
    EXPECT_EQ(FrmFengmian::get().LblShiJuanTime[0].Caption(), QStringLiteral("最后考试时间：您还未考试！"));
    EXPECT_TRUE(missing.list.contains(QStringLiteral("fengmaincsh:53")));
}

TEST_F(PaperPanel, ViewsAndRandomPapers)
{
    FrmFengmian& w0 = FrmFengmian::get();
    w0.ClickBotn_Click(31);
    EXPECT_EQ(shownCards(w0), QList<int>{});
    EXPECT_TRUE(w0.LblNoHis.Visible());
    EXPECT_EQ(w0.LblNoHis.Caption(), QStringLiteral("您还没有练习过随机试卷！"));
    EXPECT_FALSE(w0.ClickBotn[31].Enabled());
    EXPECT_TRUE(w0.ClickBotn[28].Enabled());
    w0.ClickBotn_Click(30);
    EXPECT_TRUE(w0.ImgSuiJi.Visible());
    EXPECT_TRUE(w0.ClickBotn[21].Visible());
    EXPECT_FALSE(w0.LblNoHis.Visible());
    EXPECT_EQ(shownCards(w0), QList<int>{});
    w0.ClickBotn_Click(28);
    EXPECT_FALSE(w0.ImgSuiJi.Visible());
    EXPECT_FALSE(w0.ClickBotn[21].Visible());
    unloadWindows();

    writeLines(userPath(QStringLiteral("288891.mxy")), {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    FrmFengmian& w = FrmFengmian::get();
    EXPECT_EQ(w.iSuiJiCount, 3);
    w.ClickBotn_Click(31);
    EXPECT_EQ(shownCards(w), (QList<int>{20, 21, 22}));
    EXPECT_FALSE(w.LblNoHis.Visible());
    EXPECT_EQ(w.LblShiJuanBiao[22].Caption(), QStringLiteral("随机试卷三"));
    EXPECT_DOUBLE_EQ(w.ImgShiJuan[21].Left(), 7440);
    EXPECT_DOUBLE_EQ(w.ImgShiJuan[22].Left(), 2880);
    EXPECT_DOUBLE_EQ(w.ImgShiJuan[22].Top(), 1470);
}

TEST_F(PaperPanel, PapersTabOpensTheViewTheScoresSuggest)
{
    const struct {
        const char* what;
        int mix; // paper mix 16: sprint papers 0-7; 4: sprint papers 0 and 1
        std::vector<std::tuple<int, QString, QString>> records;
        int view;
    } rows[] = {
        {"never taken", 16, {}, 28},
        {"all sprint papers from 1 at 75 or more, paper 0 at 0", 16,
         {{1, "t", "75"}, {2, "t", "80"}, {3, "t", "100"}, {4, "t", "75"}, {5, "t", "90"}, {6, "t", "75"}, {7, "t", "77.5"}},
         29},
        {"one at 74.9", 16,
         {{1, "t", "75"}, {2, "t", "80"}, {3, "t", "74.9"}, {4, "t", "75"}, {5, "t", "90"}, {6, "t", "75"}, {7, "t", "77.5"}},
         28},
        {"only paper 1 taken, of sprint papers 1-7", 16, {{1, "t", "100"}}, 28},
        {"only paper 1 taken, the one sprint paper after 0", 4, {{1, "t", "75"}}, 29},
        {"only paper 1 taken at 74.9, the one sprint paper after 0", 4, {{1, "t", "74.9"}}, 28},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        setPaperMix(r.mix);
        setResults(r.records);
        FrmFengmian& w = FrmFengmian::get();
        ASSERT_EQ(w.iChongCiLast, r.mix == 4 ? 1 : 7);
        w.ClickBotn_Click(5);
        EXPECT_TRUE(w.PicKaCH.Visible());
        EXPECT_FALSE(w.ClickBotn[r.view].Enabled());
        EXPECT_TRUE(w.ClickBotn[r.view == 28 ? 29 : 28].Enabled());
        unloadWindows();
    }
}

TEST_F(PaperPanel, StartButtonsStartTheirPapers)
{
    makeBank({30, 30});
    QStringList layout = readLines(dataPath(QStringLiteral("288891.mxy")));
    layout[0] = QStringLiteral("0202");
    QString paper0, paper1;
    for (int q = 1; q <= 40; ++q) {
        paper0 += QStringLiteral("00") + QString::number((q - 1) % 30 + 1).rightJustified(2, u'0');
        paper1 += QStringLiteral("01") + QString::number((q - 1) % 30 + 1).rightJustified(2, u'0');
    }
    layout << paper0 << paper1;
    writeLines(dataPath(QStringLiteral("288891.mxy")), layout);
    writeLines(userPath(QStringLiteral("288891.mxy")), {paper1.left(8), QStringLiteral("0003")});

    const struct {
        int button;
        int kind, sub, sel, count;
        const char* opFile;
        int firstCode;
    } rows[] = {
        {70, 0, 0, 0, 40, "288800.mxy", 1},
        {71, 0, 1, 1, 40, "288801.mxy", 101},
        {90, 8, 11, 20, 2, "288819.mxy", 101},
        {91, 8, 11, 21, 1, "288819.mxy", 3},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.button);
        FrmFengmian& w = FrmFengmian::get();
        w.ClickBotn_Click(r.button);
        EXPECT_FALSE(FrmFengmian::isLoaded());
        ASSERT_TRUE(FrmLogon::isLoaded());
        EXPECT_TRUE(FrmLogon::get().isVisible());
        EXPECT_EQ(ModData::iLianXiType, r.kind);
        EXPECT_EQ(ModData::iLianXiSub, r.sub);
        EXPECT_EQ(ModData::iSelIndex, r.sel);
        EXPECT_EQ(ModData::iRunMode, 3);
        EXPECT_EQ(ModData::iTmCount, r.count);
        EXPECT_EQ(ModData::iTmCode(1), r.firstCode);
        EXPECT_EQ(ModData::sTmDone(1), QStringLiteral("F"));
        EXPECT_EQ(ModData::sOpFile, dataPath(QString::fromUtf8(r.opFile)));
        EXPECT_EQ(readLines(ModData::sTmTextFile).size(), r.count);
        unloadWindows();
    }

    // A paper without a line of questions is not started.
    FrmFengmian& w = FrmFengmian::get();
    BoxAnswer box;
    w.ClickBotn_Click(72);
    ASSERT_EQ(box.titles.size(), 1);
    EXPECT_EQ(box.prompts.first(), QStringLiteral("\r\n\r\n\r\n题库文件无法读取，本次练习未能开始！"));
    EXPECT_TRUE(FrmFengmian::isLoaded());
    EXPECT_FALSE(FrmLogon::isLoaded());
}

// At the program's fonts the best score lies over the blanks of "最好成绩：    分" where it fits, and
// the unit follows it where it does not, before the card's "错题复习"; the labels stay where the
// card's design puts them.
TEST_F(PaperPanel, TheBestScoreNeverRunsIntoItsUnit)
{
    app::installFontSubstitutes();
    setPaperMix(20);
    const QString scores[] = {"0", "50", "2.5", "100", "67.5", "97.5", "12345.5"};
    std::vector<std::tuple<int, QString, QString>> records;
    for (int p = 0; p < 7; ++p)
        records.emplace_back(p, QStringLiteral("2026-11-30 10:15:02"), scores[p]);
    setResults(records);
    FrmFengmian& w = FrmFengmian::get();
    for (int p = 0; p < 7; ++p) {
        SCOPED_TRACE(scores[p].toStdString());
        const tk::Label& unit = w.LblShiJuanSSSS[p];
        const tk::Label& score = w.LblShiJuanScore[p];
        ASSERT_EQ(score.Caption(), scores[p]);
        const double x = 2880 + 4560 * (p % 2), y = 120 + 1350 * (p / 2);
        EXPECT_EQ(QPointF(unit.Left(), unit.Top()), QPointF(x + 120, y + 870));
        EXPECT_EQ(QPointF(score.Left(), score.Top()), QPointF(x + 1140, y + 870));
        // The caption is the designed text with more blanks at most.
        const QString caption = unit.Caption();
        ASSERT_TRUE(caption.startsWith(QStringLiteral("最好成绩：    ")) && caption.endsWith(QStringLiteral("分")));
        EXPECT_TRUE(caption.mid(5).chopped(1).trimmed().isEmpty());
        // Pixels: the unit starts after the score ends.
        const int unitStart = unit.x() + QFontMetrics(unit.font()).horizontalAdvance(caption.chopped(1));
        EXPECT_GE(unitStart, score.x() + score.width());
        if (p < 2) {
            EXPECT_EQ(caption, QStringLiteral("最好成绩：    分")) << "a short score keeps the designed text";
        }
        if (scores[p].size() <= 4) {
            EXPECT_LE(unit.x() + unit.width(), w.LblShiJuanCCC[p].x());
        }
    }
}

// Pictures of the panels for looking at (XP_SHOT_DIR=/some/folder).
TEST_F(PaperPanel, Screenshots)
{
    const QString out = qEnvironmentVariable("XP_SHOT_DIR");
    if (out.isEmpty())
        GTEST_SKIP() << "XP_SHOT_DIR not set";
    app::installFontSubstitutes(); // the program's fonts, as the candidate sees them
    setResults({{0, QStringLiteral("2026-11-30 10:15:02"), QStringLiteral("87.5")},
                {1, QStringLiteral("2026-12-01 19:40:11"), QStringLiteral("62.5")}});
    writeLines(wrongFile(0), {QStringLiteral("00010002000300040005")});
    writeLines(userPath(QStringLiteral("288862.mxy")), {QStringLiteral("000100020003")});
    writeLines(userPath(QStringLiteral("288872.mxy")), {QStringLiteral("TFT")});
    FrmFengmian& w = FrmFengmian::get();
    w.Show();
    const auto shot = [&](int button, const char* name) {
        w.ClickBotn_Click(button);
        QCoreApplication::processEvents();
        ASSERT_TRUE(w.grab().save(out + u'/' + QString::fromUtf8(name)));
    };
    shot(5, "home_papers.png");
    shot(30, "home_papers_new.png");
    shot(18, "home_marked.png");
    shot(15, "home_start_again.png");
    shot(11, "home_help.png");
}
