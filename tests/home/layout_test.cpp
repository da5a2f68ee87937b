// The home window as the candidate sees it after a load, and the pages its buttons open.

#include "homefixture.h"

#include <QDir>
#include <QTest>

using namespace hometest;

namespace {

struct Rect {
    int index;
    double left, top, width, height;
};

void expectRect(const tavoButton& b, const Rect& r)
{
    EXPECT_EQ(b.Left(), r.left) << "button " << r.index;
    EXPECT_EQ(b.Top(), r.top) << "button " << r.index;
    EXPECT_EQ(b.Width(), r.width) << "button " << r.index;
    EXPECT_EQ(b.Height(), r.height) << "button " << r.index;
}

} // namespace

using HomeLayout = HomeTest;

TEST_F(HomeLayout, StartPageAfterTheWindowBuild)
{
    ModData::sSettings(16) = QStringLiteral("http://127.0.0.1/");
    ModData::sSettings(10) = QStringLiteral("010-1234");
    ModData::sSettings(11) = QStringLiteral("12345");
    ModData::sSettings(29) = QStringLiteral("&HFF");
    ModData::sSettings(30) = QStringLiteral("300");
    ModData::sSettings(33) = QStringLiteral("9000");
    ModData::sSettings(34) = QStringLiteral("02"); // anything but "2": four page buttons
    writeLines(dataPath(QStringLiteral("288895.mxy")), {QStringLiteral(" 202612010800 ")});

    FrmFengmian& w = FrmFengmian::get();

    EXPECT_EQ(w.Width(), 12000);
    EXPECT_EQ(w.Height(), 9000);
    EXPECT_EQ(w.Caption(), QStringLiteral("模拟考试练习系统"));
    EXPECT_EQ(w.LblCaption.Caption(), ModData::sProName + QStringLiteral("——"));
    EXPECT_EQ(w.LblCaption.Left(), 240);
    EXPECT_EQ(w.LblCaption.Top(), 120);
    EXPECT_EQ(ModData::sTkVer, QStringLiteral("202612010800"));
    EXPECT_EQ(w.LblInfo[0].Caption(), QStringLiteral("   题库版本：V 202612010800 "));
    EXPECT_EQ(w.LblInfo[1].Caption(), QStringLiteral("官方网站：http://127.0.0.1/"));
    EXPECT_EQ(w.LblInfo[2].Caption(), QStringLiteral("客服电话：010-1234"));
    EXPECT_EQ(w.LblInfo[3].Caption(), QStringLiteral("客服QQ：12345"));
    for (int i = 0; i <= 3; ++i) {
        EXPECT_EQ(w.LblInfo[i].Top(), 8670);
        EXPECT_EQ(w.LblInfo[i].ForeColor(), 255);
    }
    EXPECT_EQ(w.LblInfo[0].Left(), 300);
    EXPECT_EQ(w.LblInfo[3].Left(), 9000);
    EXPECT_EQ(w.PicTiKu.Top(), 1650);
    EXPECT_EQ(w.PicTiKu.Height(), 6900);
    EXPECT_EQ(w.PicHelp.Top(), 1650);
    EXPECT_EQ(w.LblMove.Width(), 10455);

    const Rect rects[] = {
        {2, 11175, 90, 330, 330},      {3, 11580, 90, 330, 330},      {13, 11175, 90, 330, 330},
        {14, 11580, 90, 330, 330},     {4, 750, 3840, 2250, 2400},    {7, 8850, 3840, 2250, 2400},
        {8, 7800, 7320, 540, 825},     {11, 9720, 7320, 540, 825},    {12, 10680, 7320, 540, 825},
        {15, 225, 435, 1230, 1200},    {19, 5445, 435, 1230, 1200},   {20, 9000, 5880, 1800, 600},
        {21, 9750, 5850, 1800, 600},   {22, 8880, 2310, 1800, 600},   {23, 6240, 3300, 1200, 375},
        {24, 8880, 2310, 1800, 600},   {25, 6240, 3300, 1200, 375},   {49, 15, 0, 2700, 870},
        {50, 15, 870, 2700, 525},      {59, 15, 5595, 2700, 525},     {47, 150, 6270, 1185, 555},
        {48, 1365, 6270, 1185, 555},   {37, 4485, 5700, 900, 375},    {39, 7485, 5700, 900, 375},
    };
    for (const Rect& r : rects)
        expectRect(w.ClickBotn[r.index], r);

    // The start page: cover, page buttons and bottom row; no top bar, panel or strip.
    EXPECT_TRUE(w.picShouYe.Visible());
    EXPECT_FALSE(w.PicTOP.Visible());
    for (const tk::PictureBox* p : {&w.PicTiKu, &w.PicKaCH, &w.PicBiaoZhi, &w.PicCuoTi, &w.PicHelp, &w.PicAd})
        EXPECT_FALSE(p->Visible());
    for (int i : {0, 1, 44, 45, 46})
        EXPECT_FALSE(w.ClickBotn[i].Visible()) << i;
    for (int i : {2, 3, 4, 5, 6, 7, 8, 11, 12})
        EXPECT_TRUE(w.ClickBotn[i].Visible()) << i;
    for (int i = 17; i <= 21; ++i)
        EXPECT_FALSE(w.LblInfo[i].Visible()) << i;
    // The panels lie above the window's own buttons, the tabs on the top bar.
    EXPECT_EQ(w.ClickBotn[16].parentWidget(), &w.PicTOP);
    EXPECT_EQ(w.ClickBotn[20].parentWidget(), &w.PicTiKu);
    EXPECT_EQ(w.ClickBotn[4].parentWidget(), &w);
    EXPECT_EQ(w.ClickBotn[30].MousePointer(), 99);
    EXPECT_TRUE(w.ClickBotn[30].hasMouseIcon());
}

TEST_F(HomeLayout, TwoButtonStartPage)
{
    ModData::sSettings(34) = QStringLiteral("2");
    FrmFengmian& w = FrmFengmian::get();

    expectRect(w.ClickBotn[4], {4, 2400, 3000, 2250, 2250});
    expectRect(w.ClickBotn[5], {5, 6900, 3000, 2250, 2250});
    EXPECT_FALSE(w.ClickBotn[6].Visible());
    EXPECT_FALSE(w.ClickBotn[7].Visible());
    EXPECT_TRUE(w.ClickBotn[18].Visible()); // the tabs stay
    const struct {
        int index;
        double left, top, width;
    } spots[] = {{17, 1440, 6840, 1380}, {18, 3030, 6840, 1380}, {19, 1440, 7440, 1380},
                 {20, 3030, 7440, 1380}, {21, 480, 6570, 2820}};
    for (const auto& s : spots) {
        const tk::Label& l = w.LblInfo[s.index];
        EXPECT_EQ(l.Left(), s.left) << s.index;
        EXPECT_EQ(l.Top(), s.top) << s.index;
        EXPECT_EQ(l.Width(), s.width) << s.index;
        EXPECT_EQ(l.Height(), 300) << s.index;
        EXPECT_TRUE(l.Caption().isEmpty());
        EXPECT_TRUE(l.Visible());
    }
}

TEST_F(HomeLayout, MissingFilesFallBackAndAreReported)
{
    QFile::remove(dataPath(QStringLiteral("288895.mxy")));
    QFile::remove(dataPath(QStringLiteral("288891.mxy")));
    QFile::remove(userPath(QStringLiteral("288890.mxy")));
    QFile::remove(userPath(QStringLiteral("288891.mxy")));
    writeLines(userPath(QStringLiteral("288890.mxy")), {}); // an empty option file: no report
    QFile::remove(dataPath(QStringLiteral("l20051.mxy")));   // the cover picture
    Reports reports;
    ModData::bAutoIme = true;
    const QStringList progress = readLines(userPath(QStringLiteral("288893.mxy")));

    FrmFengmian& w = FrmFengmian::get();

    EXPECT_EQ(ModData::sTkVer, QString());
    EXPECT_EQ(w.LblInfo[0].Caption(), QStringLiteral("   题库版本：V"));
    EXPECT_FALSE(ModData::bAutoIme);
    EXPECT_EQ(ModData::iPaperMix, 0);
    EXPECT_EQ(ModData::iDanYuanCount, 0);
    EXPECT_EQ(w.iSuiJiCount, 0);
    EXPECT_EQ(reports.list.count(QStringLiteral("fengmaincsh:53")), 3);
    EXPECT_EQ(reports.list.count(QStringLiteral("fmload:53")), 1);
    EXPECT_TRUE(w.picShouYe.Picture().isNull());
    EXPECT_FALSE(w.ClickBotn[49].Enabled()); // the build went on to its end
    // No bank layout: the unit progress file is left as it was.
    EXPECT_EQ(readLines(userPath(QStringLiteral("288893.mxy"))), progress);
}

// The same files there but not readable (a folder stands in each place): each is reported as a
// file that cannot be read, none as missing, and the build falls back as for a missing one.
TEST_F(HomeLayout, FilesThatCannotBeReadAreReportedSoAndNotAsMissing)
{
    for (const QString& path : {dataPath(QStringLiteral("288895.mxy")), dataPath(QStringLiteral("288891.mxy")),
                                userPath(QStringLiteral("288890.mxy")), userPath(QStringLiteral("288891.mxy"))}) {
        QFile::remove(path);
        QDir().mkpath(path);
    }
    Reports reports;
    ModData::bAutoIme = true;

    FrmFengmian& w = FrmFengmian::get();

    EXPECT_EQ(ModData::sTkVer, QString());
    EXPECT_FALSE(ModData::bAutoIme);
    EXPECT_EQ(ModData::iDanYuanCount, 0);
    EXPECT_EQ(w.iSuiJiCount, 0);
    EXPECT_EQ(reports.list.count(QStringLiteral("fengmaincsh:75")), 4) << reports.list.join(u' ').toStdString();
    EXPECT_EQ(reports.list.count(QStringLiteral("fengmaincsh:53")), 0) << reports.list.join(u' ').toStdString();
}

TEST_F(HomeLayout, BankLayoutAndGeneratedPaperCount)
{
    writeLines(dataPath(QStringLiteral("288891.mxy")), {QStringLiteral("  1020"), QStringLiteral("01")});
    QStringList papers;
    for (int i = 0; i < 14; ++i)
        papers << QStringLiteral("0001");
    writeLines(userPath(QStringLiteral("288891.mxy")), papers);
    writeLines(userPath(QStringLiteral("288890.mxy")), {QStringLiteral("1")});

    FrmFengmian& w = FrmFengmian::get();

    EXPECT_EQ(ModData::iPaperMix, 10);
    EXPECT_EQ(ModData::iDanYuanCount, 20);
    EXPECT_EQ(w.iSuiJiCount, 10); // never more than the list may hold
    EXPECT_TRUE(ModData::bAutoIme);
}

// ---- Pages ---------------------------------------------------------------------------------------

using HomePages = HomeTest;

TEST_F(HomePages, EachButtonOpensItsPage)
{
    FrmFengmian& w = FrmFengmian::get();
    const tk::PictureBox* panels[] = {&w.PicTiKu, &w.PicKaCH, &w.PicBiaoZhi, &w.PicCuoTi, &w.PicHelp};
    const struct {
        int button;
        int panel;        // index into panels, -1 none
        int disabledTab;  // 0 none
        bool top, ad;
    } rows[] = {
        {4, 0, 16, true, true},  {15, -1, 0, false, false}, {5, 1, 17, true, true},
        {18, 2, 18, true, true}, {19, 3, 19, true, true},   {16, 0, 16, true, true},
        {15, -1, 0, false, false}, {11, 4, 0, true, true},  {15, -1, 0, false, false},
        {6, 2, 18, true, true},  {17, 1, 17, true, true},   {7, 3, 19, true, true},
    };
    for (const auto& r : rows) {
        w.ClickBotn_Click(r.button);
        SCOPED_TRACE(r.button);
        EXPECT_EQ(w.PicTOP.Visible(), r.top);
        EXPECT_EQ(w.PicAd.Visible(), r.ad);
        for (int p = 0; p < 5; ++p)
            EXPECT_EQ(panels[p]->Visible(), p == r.panel) << p;
        for (int t = 15; t <= 19; ++t)
            EXPECT_EQ(w.ClickBotn[t].Enabled(), t != r.disabledTab) << t;
    }

    // Buttons without a behaviour and indexes outside the array change nothing.
    for (int i : {0, 1, 44, 45, 46, 100, -1, 32767})
        w.ClickBotn_Click(i);
    EXPECT_TRUE(w.PicCuoTi.Visible());
    EXPECT_FALSE(w.ClickBotn[19].Enabled());
}

TEST_F(HomePages, RealClicksOnTheStartPageAndTheTopBar)
{
    FrmFengmian& w = FrmFengmian::get();
    w.Show();
    QTest::mouseClick(&w.ClickBotn[4], Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(w.PicTiKu.Visible());
    QTest::mouseClick(&w.ClickBotn[15], Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(w.PicTOP.Visible());
    // The open tab is disabled: a click on it does nothing.
    QTest::mouseClick(&w.ClickBotn[5], Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(w.PicKaCH.Visible());
    QTest::mouseClick(&w.ClickBotn[17], Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(w.PicKaCH.Visible());
}

TEST_F(HomePages, PageReturnClicksTheStoredPageOnce)
{
    const struct {
        int page;
        bool bankShown;
    } rows[] = {{16, true}, {0, false}};
    for (const auto& r : rows) {
        ModData::iFengmianPage = vb::Integer(r.page);
        FrmFengmian& w = FrmFengmian::get();
        w.TimFH.setEnabled(true);
        w.Show();
        EXPECT_TRUE(w.TimFH.fire());
        EXPECT_EQ(w.PicTiKu.Visible(), r.bankShown);
        EXPECT_FALSE(w.TimFH.Enabled());
        EXPECT_EQ(ModData::iFengmianPage, r.page); // kept
        unloadWindows();
    }
}

TEST_F(HomePages, MinimiseExitAndWebSite)
{
    FrmFengmian& w = FrmFengmian::get();
    w.Show();
    w.ClickBotn_Click(16);
    w.ClickBotn_Click(13);
    EXPECT_EQ(w.WindowState(), 1);
    EXPECT_TRUE(w.PicTiKu.Visible());
    w.setWindowState(0);

    {
        BoxAnswer cancel(0);
        w.ClickBotn_Click(14);
        ASSERT_EQ(cancel.titles, QStringList{QStringLiteral("退出系统")});
        EXPECT_EQ(cancel.prompts.first(), QStringLiteral("\r\n\r\n\r\n您确实要退出学习软件吗？"));
    }
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(w.PicTiKu.Visible());
    {
        BoxAnswer confirm(1);
        w.ClickBotn_Click(3);
        EXPECT_EQ(confirm.titles.size(), 1);
    }
    EXPECT_EQ(ended, 1);

    // Only http and https links from the settings are opened, written as people write them.
    const struct {
        const char* link;
        const char* opens; // the address handed to the browser; nullptr: none
    } links[] = {{"http://127.0.0.1/xp", "http://127.0.0.1/xp"},
                 {"https://127.0.0.1/", "https://127.0.0.1/"},
                 {"http://www.example.com/ad page.html", "http://www.example.com/ad%20page.html"},
                 {"http://example.com/?q={x}", "http://example.com/?q=%7Bx%7D"},
                 {"http://example.com/a|b", "http://example.com/a%7Cb"},
                 {"www.example.com", "http://www.example.com"},
                 {"file:///etc/passwd", nullptr},
                 {"calc.exe", nullptr},
                 {"", nullptr}};
    for (const auto& l : links) {
        opened.clear();
        ModData::sSettings(2) = QString::fromUtf8(l.link);
        w.ClickBotn_Click(12);
        EXPECT_EQ(opened, l.opens ? QStringList{QString::fromUtf8(l.opens)} : QStringList{}) << l.link;
    }
}
