// The input-method choice: the layout menu built from the installed layouts, the option file as
// the dialog and the home screen read and write it, the dialog's look, closing and dragging.

#include "common/testscope.h"
#include "dialogfixture.h"
#include "exam/imemenu.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QMenu>

using dialogfixture::World;
using panelfixture::Panel;
using namespace ModData;

namespace {

platform::KeyboardLayout plain(qint32 h) { return {h, QString()}; }
platform::KeyboardLayout ime(qint32 h, const QString& name) { return {h, name}; }

std::vector<platform::KeyboardLayout> described(int n)
{
    std::vector<platform::KeyboardLayout> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(ime(0x1000 + i, QStringLiteral("输入法%1").arg(i)));
    return v;
}

QString optionFile(const World& w) { return w.user + QStringLiteral("288890.mxy"); }

// What the home screen's next build makes of the option file.
bool homeReadsOption()
{
    const bool before = bAutoIme;
    bAutoIme = false;
    FrmFengmian::get();
    const bool off = !bAutoIme;
    FrmFengmian::unloadIfLoaded();
    bAutoIme = true;
    FrmFengmian::get();
    const bool on = bAutoIme;
    FrmFengmian::unloadIfLoaded();
    tktest::flushDeletes();
    bAutoIme = before;
    EXPECT_NE(off, on) << "the home screen read the file";
    return on;
}

} // namespace

TEST(ImeMenu, ItemsCaptionsAndTheLayoutsTheyTake)
{
    const QString longName(300, QChar(0x4E2D)); // 600 bytes in the system's code page
    const struct {
        const char* what;
        std::vector<platform::KeyboardLayout> layouts;
        QStringList captions; // mCn1.. the shown ones
        int nextItem;
        std::vector<qint32> takes; // handle of mEng, mCn1, mCn2, ...
    } cases[] = {
        {"English, then two input methods",
         {plain(0x409), ime(0xE001, "A"), ime(0xE002, "B")}, {"A", "B"}, 3, {0x409, 0xE001, 0xE002}},
        {"an input method before the plain layout takes its own layout",
         {ime(0xE001, "A"), plain(0x409)}, {"A"}, 2, {0x409, 0xE001}},
        {"a plain layout between input methods is no copy of the one before",
         {ime(0xE001, "A"), plain(0x409), ime(0xE002, "B")}, {"A", "B"}, 3, {0x409, 0xE001, 0xE002}},
        {"no layouts: the design captions, and nothing to take",
         {}, {"中文1"}, 1, {0, 0}},
        {"only input methods: English stands for no layout",
         {ime(0xE001, "A")}, {"A"}, 2, {0, 0xE001}},
        {"a blank description is no input method; a NUL ends one",
         {ime(0xE001, "   "), ime(0xE002, QStringLiteral("拼音") + QChar(0) + "junk")}, {"拼音"}, 2, {0xE001, 0xE002}},
        {"two plain layouts: English takes the first",
         {plain(0x409), plain(0x804), ime(0xE001, "A")}, {"A"}, 2, {0x409, 0xE001}},
        {"a description beyond the system's buffer is cut, not dropped",
         {ime(0xE001, longName)}, {longName.left(127)}, 2, {0, 0xE001}},
        {"a huge description is cut as quickly",
         {ime(0xE001, QString(4000000, QLatin1Char('a')))}, {QString(255, QLatin1Char('a'))}, 2, {0, 0xE001}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const exam::ImeMenu m = exam::imeMenu(c.layouts);
        EXPECT_EQ(m.engCaption, QStringLiteral("英语（美国）"));
        EXPECT_EQ(m.nextItem, c.nextItem);
        for (int k = 1; k <= 10; ++k) {
            const bool shown = k <= std::max<int>(1, int(c.captions.size()));
            EXPECT_EQ(m.visible[k], shown) << k;
            if (shown) {
                EXPECT_EQ(m.caption[k], c.captions[k - 1]) << k;
            }
        }
        for (std::size_t item = 0; item < c.takes.size(); ++item)
            EXPECT_EQ(m.layoutOf(int(item)), c.takes[item]) << "item " << item;
        EXPECT_EQ(m.layoutOf(-1), 0);
        EXPECT_EQ(m.layoutOf(11), 0);
    }
}

TEST(ImeMenu, ManyLayoutsFillTenItemsAndTheMenuRisesWithTheCount)
{
    const struct {
        int described;
        int nextItem;
        double above; // twips between the menu's top and the label's top
    } cases[] = {{2, 3, 900}, {10, 11, 3300}, {12, 13, 3900}, {20, 17, 5100}}; // 16 listed at most
    for (const auto& c : cases) {
        SCOPED_TRACE(c.described);
        auto layouts = described(c.described);
        const exam::ImeMenu m = exam::imeMenu(layouts);
        EXPECT_EQ(m.nextItem, c.nextItem);
        for (int k = 1; k <= 10; ++k) {
            EXPECT_EQ(m.visible[k], k <= c.described) << k;
            if (k <= c.described) {
                EXPECT_EQ(m.caption[k], QStringLiteral("输入法%1").arg(k));
                EXPECT_EQ(m.layoutOf(k), 0x1000 + k);
            }
        }
        const QPointF at = exam::imeMenuPlace(4230, 2760, 450, m.nextItem);
        EXPECT_EQ(at, QPointF(4230, 2760 + 450 - c.above));
    }
}

TEST(ImeMenu, MenuItemsShowTheNamesAsTheyAre)
{
    QMenu menu;
    QAction* eng = menu.addAction(QStringLiteral("英语（美国）"));
    std::array<QAction*, 11> cn{};
    for (int k = 1; k <= 10; ++k)
        cn[k] = menu.addAction(QStringLiteral("中文%1").arg(k));
    exam::showImeMenu(exam::imeMenu({plain(1), ime(2, "R&D 输入法"), ime(3, "B")}), eng, cn);
    EXPECT_EQ(eng->iconText(), QStringLiteral("英语（美国）"));
    EXPECT_EQ(cn[1]->iconText(), QStringLiteral("R&D 输入法"));
    EXPECT_EQ(cn[2]->iconText(), QStringLiteral("B"));
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(cn[k]->isVisible(), k <= 2) << k;
}

TEST(ImeOption, DialogAndHomeScreenReadTheFileTheirOwnWay)
{
    const struct {
        const char* file; // nullptr: no file
        bool ticked;
        const char* after; // file content after the dialog's load
        bool autoImeBefore, autoImeAfter;
        bool homeReads;
    } cases[] = {
        {"1\r\n", true, "1\r\n", false, true, true},
        {"1", true, "1\r\n", false, true, true},
        {"1\r\n0\r\n", true, "1\r\n", false, true, true},
        {" 1\r\n", false, " 1\r\n", true, true, true},
        {"1.0\r\n", false, "1.0\r\n", false, false, true},
        {"0\r\n", false, "0\r\n", true, true, false},
        {"", false, "", true, true, false},
        {"abc\r\n", false, "abc\r\n", false, false, false},
        {nullptr, false, nullptr, true, true, false},
        {nullptr, false, nullptr, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "(no file)");
        World world;
        // The data folder's file of the same number is another file.
        Panel::writeFile(world.data + QStringLiteral("288890.mxy"), QStringLiteral("001题\r\n"));
        if (c.file)
            Panel::writeFile(optionFile(world), QString::fromUtf8(c.file));
        bAutoIme = c.autoImeBefore;
        EXPECT_EQ(homeReadsOption(), c.homeReads) << "the home screen";

        FrmIME& dlg = FrmIME::get();
        EXPECT_EQ(dlg.Check1.Value(), c.ticked ? 1 : 0);
        EXPECT_EQ(bAutoIme, c.autoImeAfter);
        if (c.after)
            EXPECT_EQ(Panel::readFile(optionFile(world)), QString::fromUtf8(c.after));
        else
            EXPECT_FALSE(Panel::exists(optionFile(world)));
    }
}

TEST(ImeOption, TickingWritesTheFileAndTheHomeScreenReadsItBack)
{
    World world;
    FrmIME& dlg = FrmIME::get();
    ASSERT_TRUE(tktest::showExposed(dlg));
    const struct {
        int value;
        const char* file;
    } clicks[] = {{1, "1\r\n"}, {0, "0\r\n"}, {1, "1\r\n"}};
    for (const auto& c : clicks) {
        tktest::press(dlg.Check1, {5, 5});
        tktest::release(dlg.Check1, {5, 5});
        EXPECT_EQ(dlg.Check1.Value(), c.value);
        EXPECT_EQ(bAutoIme, c.value == 1);
        EXPECT_EQ(Panel::readFile(optionFile(world)), QString::fromUtf8(c.file));
        EXPECT_EQ(homeReadsOption(), c.value == 1);
    }
}

TEST(ImeOption, AMissingUserFolderStillSetsTheOption)
{
    World world;
    ASSERT_TRUE(QDir(world.user).removeRecursively());
    FrmIME& dlg = FrmIME::get();
    dlg.Check1.setValue(1);
    EXPECT_TRUE(bAutoIme);
    dlg.Check1.setValue(0);
    EXPECT_FALSE(bAutoIme);
    EXPECT_FALSE(QDir(world.user).exists()) << "the program creates no folder";
    EXPECT_FALSE(homeReadsOption());
}

TEST(ImeDialog, LaidOutCentredAtTheScreenScale)
{
    const struct {
        double sx, sy;
    } scales[] = {{1, 1}, {1.2, 0.8}};
    for (const auto& s : scales) {
        SCOPED_TRACE(s.sx);
        World world;
        dScaleX = s.sx;
        dScaleY = s.sy;
        FrmIME& d = FrmIME::get();
        auto rect = [](const tk::Control& c) { return QRectF(c.Left(), c.Top(), c.Width(), c.Height()); };
        const double w = 6300 * s.sx, h = 4200 * s.sy;
        EXPECT_EQ(QRectF(d.Left(), d.Top(), d.Width(), d.Height()),
                  QRectF((15360 - w) / 2, (11520 - h) / 2, w, h));
        EXPECT_TRUE(d.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(d.Caption(), QStringLiteral("职称计算机练习——Windows XP模块"));
        EXPECT_EQ(rect(d.lblMove), QRectF(0, 0, 5580 * s.sx, 540 * s.sy));
        EXPECT_EQ(rect(d.lblClick[0]), QRectF(w - 420 * s.sx, 90 * s.sy, 330 * s.sx, 330 * s.sy));
        EXPECT_EQ(rect(d.lblClick[1]), QRectF(4620 * s.sx, 3480 * s.sy, 1350 * s.sx, 450 * s.sy));
        EXPECT_EQ(rect(d.Label1[0]), QRectF(720 * s.sx, 1440 * s.sy, 4695 * s.sx, 1215 * s.sy));
        EXPECT_EQ(rect(d.Check1), QRectF(2400 * s.sx, 2520 * s.sy, 1455 * s.sx, 255 * s.sy));
        EXPECT_EQ(d.Label1[2].Left(), 600 * s.sx);
        EXPECT_EQ(d.Label1[2].Top(), 180 * s.sy);
        EXPECT_EQ(d.Label1[2].FontSize(), 10 * s.sx);
        EXPECT_EQ(d.Check1.FontSize(), 9 * s.sx);
        EXPECT_EQ(d.ImgLogo1.Left(), 120 * s.sx);
        EXPECT_EQ(d.Check1.Caption(), QStringLiteral("调用输入法"));
        EXPECT_EQ(d.Label1[2].Caption(), QStringLiteral("输入法调用提示"));
        EXPECT_TRUE(d.Label1[0].Caption().contains(QStringLiteral("Ctrl+Shift")));
    }
}

TEST(ImeDialog, EveryWayOfClosingBringsThePanelBack)
{
    const struct {
        const char* how;
        std::function<void(FrmIME&)> act;
    } cases[] = {
        {"close button", [](FrmIME& d) { tktest::press(d.lblClick[0], {2, 2}); tktest::release(d.lblClick[0], {2, 2}); }},
        {"confirm button", [](FrmIME& d) { tktest::press(d.lblClick[1], {2, 2}); tktest::release(d.lblClick[1], {2, 2}); }},
        {"window closed", [](FrmIME& d) { d.close(); }},
        {"unloaded by code", [](FrmIME& d) { d.unload(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        World world;
        FrmTm& p = Panel::panel();
        FrmMain& m = FrmMain::get();
        m.Move(600, 450);
        p.LblZXH_Click(); // the panel's input-method button collapses the panel first
        ASSERT_TRUE(p.FrmZXH.Visible());
        m.Hide();

        bool closedItself = false;
        QTimer::singleShot(0, testscope::context(), [&] {
            FrmIME& d = FrmIME::get();
            if (!QTest::qWaitForWindowExposed(&d))
                return;
            c.act(d);
            closedItself = !FrmIME::isLoaded();
            FrmIME::unloadIfLoaded();
        });
        FrmIME::get().Show(true);
        tktest::flushDeletes();

        EXPECT_TRUE(closedItself);
        EXPECT_TRUE(m.Visible());
        EXPECT_EQ(QRectF(p.Left(), p.Top(), p.Width(), p.Height()),
                  QRectF(600 + 12000 - 4980, 450 + 9000 - 3630, 4980, 3630));
        EXPECT_FALSE(p.FrmZXH.Visible());
    }
}

TEST(ImeDialog, DraggedByItsTitleStripWithTheLeftButtonOnly)
{
    World world;
    FrmIME& d = FrmIME::get();
    ASSERT_TRUE(tktest::showExposed(d));
    EXPECT_EQ(dialogfixture::dragBy(d.lblMove, {200, 15}, {40, -10}), QPoint(40, -10));
    EXPECT_EQ(dialogfixture::dragBy(d.lblMove, {200, 15}, {40, -10}, Qt::RightButton), QPoint(0, 0));
    EXPECT_EQ(dialogfixture::dragBy(d.lblMove, {10, 10}, {5, 5}), QPoint(5, 5)) << "over the logo too";
    EXPECT_EQ(dialogfixture::dragBy(d.Label1[0], {10, 10}, {5, 5}), QPoint(0, 0)) << "not by the text";
}
