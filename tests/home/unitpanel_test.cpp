// The question-bank panel: unit progress upkeep, unit pages, the unit pick with its counts and
// bars, the scope buttons and the pre-selection of the question-bank tab.

#include "homefixture.h"

using namespace hometest;

namespace {

QString progress(int learned, int notLearned)
{
    return QString(learned, u'T') + QString(notLearned, u'F');
}

} // namespace

class UnitPanel : public HomeTest {
protected:
    QImage picture(const QString& name) const
    {
        return tk::loadPicture(dataPath(name + QStringLiteral(".mxy"))).toImage();
    }
    // Units with these (learned, not learned) questions, named "单元一" and so on.
    void makeUnits(const QList<QPair<int, int>>& units)
    {
        QList<int> counts;
        QStringList lines;
        for (int u = 0; u < units.size(); ++u) {
            counts << units[u].first + units[u].second;
            lines << progress(units[u].first, units[u].second);
            ModData::sDanYuan(u, 1) = QStringLiteral("第%1个单元").arg(u + 1);
        }
        makeBank(counts);
        writeLines(userPath(QStringLiteral("288893.mxy")), lines);
    }
};

TEST_F(UnitPanel, UpkeepRewritesTheProgressFileAndFillsTheUnitTable)
{
    makeBank({3, 5});
    writeLines(userPath(QStringLiteral("288893.mxy")), {QStringLiteral("TFTT"), QStringLiteral("  ")});

    FrmFengmian::get();

    const QString text = platform::decodeGbk([&] {
        QFile f(userPath(QStringLiteral("288893.mxy")));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }());
    // Cut or filled up to the unit's count; blanks stay in the file but not in the table.
    EXPECT_EQ(text, QStringLiteral("TFT\r\n  FFF\r\n") + QStringLiteral("\r\n").repeated(23) + QStringLiteral("\r\n"));
    const char* const table[2][3] = {{"3", "1", "TFT"}, {"3", "3", "FFF"}};
    for (int u = 0; u < 2; ++u)
        for (int c = 2; c <= 4; ++c)
            EXPECT_EQ(ModData::sDanYuan(u, c), QString::fromUtf8(table[u][c - 2])) << u << c;
}

TEST_F(UnitPanel, WithoutUnitCountsTheProgressFileIsLeftAlone)
{
    const QStringList layouts[] = {
        {QStringLiteral("0002")},                           // no line 2
        {QStringLiteral("0002"), QStringLiteral("0000")},   // no count above 0
        {QStringLiteral("0002"), QStringLiteral("  xy")},   // no digits
    };
    for (const QStringList& layout : layouts) {
        SCOPED_TRACE(layout.join(u'|').toStdString());
        writeLines(dataPath(QStringLiteral("288891.mxy")), layout);
        writeLines(userPath(QStringLiteral("288893.mxy")), {QStringLiteral("TFTT"), QStringLiteral("FF")});
        FrmFengmian::get();
        EXPECT_EQ(readLines(userPath(QStringLiteral("288893.mxy"))),
                  (QStringList{QStringLiteral("TFTT"), QStringLiteral("FF")}));
        EXPECT_EQ(ModData::sDanYuan(0, 4), QStringLiteral("TFTT"));
        EXPECT_EQ(ModData::sDanYuan(1, 3), QStringLiteral("2"));
        unloadWindows();
    }
}

TEST_F(UnitPanel, TwoPagesOfUnits)
{
    QList<QPair<int, int>> units;
    for (int u = 0; u < 15; ++u)
        units << qMakePair(2, u == 4 ? 1 : 0); // only unit 4 has more than a fifth to learn
    makeUnits(units);
    FrmFengmian& w = FrmFengmian::get();

    // After the build: the all-units summary on page 1.
    EXPECT_EQ(w.iSelUnit, -1);
    EXPECT_EQ(w.iUnitScope, 0);
    EXPECT_FALSE(w.ClickBotn[49].Enabled());
    EXPECT_EQ(w.ClickBotn[47].Caption(), QStringLiteral("1-10单元"));
    EXPECT_EQ(w.ClickBotn[48].Caption(), QStringLiteral("11-15单元"));
    EXPECT_TRUE(w.ClickBotn[48].Enabled());
    EXPECT_EQ(w.LblUnitDQCAP[0].Caption(), QStringLiteral("学习进度信息"));
    EXPECT_EQ(w.LblUnitDQCAP[1].Caption(), QStringLiteral("所有题库中题目"));
    EXPECT_EQ(w.LblUnitDQCAP[2].Caption(), QStringLiteral("31题"));
    EXPECT_EQ(w.LblUnitDQCAP[3].Caption(), QStringLiteral("30题"));
    EXPECT_EQ(w.LblUnitDQCAP[4].Caption(), QStringLiteral("1题"));
    for (int i = 50; i <= 69; ++i)
        EXPECT_EQ(w.ClickBotn[i].Visible(), i < 60) << i;
    EXPECT_EQ(w.ClickBotn[50].Caption(), QStringLiteral("1.第1个单元") + QString(14, u' '));

    // The question-bank tab picks the first unit with more than a fifth not learned.
    w.ClickBotn_Click(16);
    EXPECT_EQ(w.iSelUnit, 4);
    EXPECT_FALSE(w.ClickBotn[54].Enabled());
    EXPECT_EQ(w.LblUnitDQCAP[1].Caption(), QStringLiteral("第5单元 第5个单元"));

    // The second page button picks unit 11 and shows units 11 to 15.
    w.ClickBotn_Click(48);
    EXPECT_EQ(w.iSelUnit, 10);
    EXPECT_EQ(w.LblUnitDQCAP[1].Caption(), QStringLiteral("第11单元 第11个单元"));
    for (int i = 50; i <= 69; ++i)
        EXPECT_EQ(w.ClickBotn[i].Visible(), i >= 60 && i < 65) << i;
    EXPECT_FALSE(w.ClickBotn[60].Enabled());
    EXPECT_TRUE(w.ClickBotn[54].Enabled());
    EXPECT_EQ(w.ClickBotn[48].Picture().toImage(), picture(QStringLiteral("l20086")));
    EXPECT_EQ(w.ClickBotn[47].Picture().toImage(), picture(QStringLiteral("l20046")));

    // A pick from code on the other page turns the page.
    w.ClickBotn_Click(52);
    for (int i = 50; i <= 69; ++i)
        EXPECT_EQ(w.ClickBotn[i].Visible(), i < 60) << i;
    EXPECT_EQ(w.ClickBotn[47].Picture().toImage(), picture(QStringLiteral("l20086")));

    // The summary keeps the page.
    w.ClickBotn_Click(49);
    EXPECT_EQ(w.iSelUnit, -1);
    EXPECT_TRUE(w.ClickBotn[52].Visible());
    EXPECT_FALSE(w.ClickBotn[49].Enabled());
}

TEST_F(UnitPanel, OnePageOfEightUnits)
{
    makeUnits(QList<QPair<int, int>>(8, qMakePair(1, 1)));
    FrmFengmian& w = FrmFengmian::get();

    EXPECT_FALSE(w.ClickBotn[48].Enabled());
    EXPECT_TRUE(w.ClickBotn[48].Caption().isEmpty());
    EXPECT_EQ(w.ClickBotn[47].Caption(), QStringLiteral("1-8单元"));
    w.ClickBotn_Click(47);
    EXPECT_EQ(w.iSelUnit, 0);
    for (int i = 50; i <= 69; ++i)
        EXPECT_EQ(w.ClickBotn[i].Visible(), i < 58) << i;
}

TEST_F(UnitPanel, CountsAndBars)
{
    makeUnits({{30, 10}, {4, 0}, {0, 0}});
    FrmFengmian& w = FrmFengmian::get();
    Reports reports;

    const struct {
        int button;
        const char *total, *learned, *notLearned;
        double learnedHeight, notLearnedHeight;
        int reports;
    } rows[] = {
        {50, "40题", "30题", "10题", 2677.5, 892.5, 0},
        {51, "4题", "4题", "0题", 3570, 0, 0},
        {52, "0题", "0题", "0题", 3570, 0, 2}, // nothing to divide: the bars stay
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.button);
        reports.list.clear();
        w.ClickBotn_Click(r.button);
        EXPECT_EQ(w.LblUnitDQCAP[2].Caption(), QString::fromUtf8(r.total));
        EXPECT_EQ(w.LblUnitDQCAP[3].Caption(), QString::fromUtf8(r.learned));
        EXPECT_EQ(w.LblUnitDQCAP[4].Caption(), QString::fromUtf8(r.notLearned));
        EXPECT_EQ(w.ImgUnitD.Height(), r.learnedHeight);
        EXPECT_EQ(w.ImgUnitC.Height(), r.notLearnedHeight);
        EXPECT_EQ(w.ImgUnitD.Top(), 5550 - r.learnedHeight);
        EXPECT_EQ(w.ImgUnitC.Top(), 5550 - r.notLearnedHeight);
        EXPECT_EQ(w.LblUnitDQCAP[3].Top(), w.ImgUnitD.Top() - 240);
        EXPECT_EQ(w.LblUnitDQCAP[4].Top(), w.ImgUnitC.Top() - 240);
        EXPECT_EQ(w.ImgUnitD.Left(), 5910);
        EXPECT_EQ(w.ImgUnitC.Left(), 7410);
        EXPECT_EQ(reports.list.count(QStringLiteral("clickbotn:6")), r.reports);
    }
}

TEST_F(UnitPanel, PreselectionPicksByShare)
{
    const struct {
        QList<QPair<int, int>> units;
        int selUnit;
    } rows[] = {
        {{{20, 5}, {23, 6}}, 1},          // 5 of 25 is not more than a fifth; 6 of 29 is
        {{{9, 1}, {10, 0}, {8, 2}}, 2},   // none above a fifth: the last unit
        {{{5, 0}, {0, 0}, {1, 1}}, 1},    // a unit without questions counts as all to learn
        {{}, -1},                         // no units: the all-units summary
        {QList<QPair<int, int>>(20, qMakePair(4, 0)), 19}, // never beyond the last unit button
        {QList<QPair<int, int>>(25, qMakePair(4, 0)), -1}, // more units than buttons: a damaged bank
    };
    for (const auto& r : rows) {
        makeUnits(r.units);
        FrmFengmian& w = FrmFengmian::get();
        w.ClickBotn_Click(16);
        EXPECT_EQ(w.iSelUnit, r.selUnit);
        unloadWindows();
    }
}

TEST_F(UnitPanel, ScopeButtonsChangeOnlyTheScope)
{
    makeUnits({{1, 1}, {1, 1}});
    FrmFengmian& w = FrmFengmian::get();
    w.ClickBotn_Click(51);
    EXPECT_EQ(w.ClickBotn[37].Picture().toImage(), picture(QStringLiteral("l20087")));

    w.ClickBotn_Click(39);
    EXPECT_EQ(w.iUnitScope, 2);
    EXPECT_EQ(w.iSelUnit, 1);
    EXPECT_EQ(w.ClickBotn[37].Picture().toImage(), picture(QStringLiteral("l20037")));
    EXPECT_EQ(w.ClickBotn[38].Picture().toImage(), picture(QStringLiteral("l20038")));
    EXPECT_EQ(w.ClickBotn[39].Picture().toImage(), picture(QStringLiteral("l20089")));
}
