// The demonstration window as a whole: its start, the step driver, the ways it ends and hands back
// to the surface and the panel, the running guard, and the data that must not keep it running.

#include "demoworld.h"

#include "toolkit/twips.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace demotest;
using namespace ModData;

namespace {

// Step 1 a click on a hot spot centred at (1680, 5760), then the end record.
QStringList clickQuestion() { return {Rec("0001").hotAt(1680, 5760), Rec("9999")}; }

// A double click as the platform delivers it: press, release, double-click press, release.
void doubleClick(QWidget* target)
{
    const QPointF at(2, 2);
    const QPointF global = target->mapToGlobal(at);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, at, global, Qt::LeftButton, held, {});
        QApplication::sendEvent(target, &e);
    }
}

} // namespace

TEST(DemoStart, PointerWindowAndModeAtTheStart)
{
    World w;
    w.ops(clickQuestion());
    FrmYanShi::pointX = 99;
    FrmYanShi::pointY = 99;
    FrmYanShi& d = World::start();
    EXPECT_EQ(FrmYanShi::pointX, 7680);
    EXPECT_EQ(FrmYanShi::pointY, 5760);
    EXPECT_EQ(iRunMode, 1);
    EXPECT_EQ(FrmYanShi::stepNo, 1);
    EXPECT_DOUBLE_EQ(d.Width(), 12000);
    EXPECT_DOUBLE_EQ(d.Height(), 9000);
    EXPECT_TRUE(d.Timer2.Enabled());
    // Step 1 is aimed at its hot spot.
    EXPECT_EQ(FrmYanShi::targetX, 1680);
    EXPECT_EQ(FrmYanShi::targetY, 5760);
}

TEST(DemoStart, PointerAtTheStartFollowsTheScale)
{
    World w;
    w.ops(clickQuestion());
    dScaleX = 0.8;
    dScaleY = 1.25;
    World::start();
    EXPECT_EQ(FrmYanShi::pointX, 6144);
    EXPECT_EQ(FrmYanShi::pointY, 7200);
}

// The question note holds one line for every fourteen characters, and at least the lines its text
// wraps to, each of the font's line spacing: its last line shows whole.
TEST(DemoStart, QuestionNoteShowsItsLastLineWhole)
{
    struct Case {
        QString text;
        int lines;
    } cases[] = {
        {QStringLiteral("  一二三四五六七八九十一二三  "), 1},     // 13 characters once trimmed
        {QStringLiteral("一二三四五六七八九十一二三四"), 2},         // 14
        {QStringLiteral("一二三四五六七八九十一二三四五六七八九十一二三四五六七八"), 3}, // 28
        {QStringLiteral("Click the icon, then choose Properties from the menu that opens."), 5},
    };
    for (const Case& c : cases) {
        World w;
        w.ops(clickQuestion());
        FrmTm::get().RtbTM.setText(c.text);
        FrmYanShi& d = World::start();
        EXPECT_EQ(d.ImgLogo.Caption(), c.text.trimmed()) << c.text.toStdString();
        const QFontMetrics fm(d.ImgLogo.font());
        const QRect wrapped = fm.boundingRect(QRect(0, 0, tk::toPixels(d.ImgLogo.Width()), 1 << 20),
                                              Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, d.ImgLogo.Caption());
        const int pixels = tk::toPixels(d.ImgLogo.Height());
        EXPECT_GE(pixels, c.lines * fm.lineSpacing()) << c.text.toStdString();
        EXPECT_GE(pixels, wrapped.height()) << c.text.toStdString();
        EXPECT_LE(pixels, std::max(c.lines * fm.lineSpacing(), wrapped.height()) + 2) << c.text.toStdString();
        EXPECT_DOUBLE_EQ(d.ImgLogo.Left(), 9420);
        EXPECT_EQ(d.ImgLogo.BackColor(), 0xC0FFFF);
        // With XP_DEMO_SCREENSHOT set to a file name prefix: "<prefix>-note<lines>.png".
        if (const QString shots = qEnvironmentVariable("XP_DEMO_SCREENSHOT"); !shots.isEmpty())
            d.grab().save(shots + QStringLiteral("-note%1.png").arg(c.lines));
    }
}

TEST(DemoStart, WindowTakesTheSurfacePlaceOnlyWhileTheSurfaceIsNormal)
{
    {
        World w(QSize(1024, 768));
        w.ops(clickQuestion());
        FrmMain& s = FrmMain::get();
        s.setWindowState(0);
        s.Move(1500, 1200);
        FrmYanShi& d = World::start();
        EXPECT_DOUBLE_EQ(d.Left(), 1500);
        EXPECT_DOUBLE_EQ(d.Top(), 1200);
    }
    {
        World w(QSize(800, 600));
        w.ops(clickQuestion());
        FrmTm::get();
        FrmMain::get().setWindowState(2);
        ASSERT_EQ(FrmMain::get().WindowState(), 2);
        FrmYanShi& d = World::start();
        EXPECT_DOUBLE_EQ(d.Left(), (12000 - d.Width()) / 2);
        EXPECT_DOUBLE_EQ(d.Top(), (9000 - d.Height()) / 2);
    }
}

TEST(DemoDriver, RecordOfAStepIsItsLineAfterTheQuestionOffset)
{
    World w;
    QStringList lines;
    for (int i = 1; i <= 12; ++i)
        lines << Rec("0001").hotAt(1000 + i, 1000).line();
    w.ops(lines);
    iTmNo = 2;
    iTmLine(2) = 8;
    FrmYanShi& d = FrmYanShi::get(); // not running: builds without aiming
    FrmYanShi::stepNo = 3;
    d.setData();
    EXPECT_EQ(FrmYanShi::opRecord, lines[9]);
}

TEST(DemoDriver, EndRecordEndsAfterFourTicksAndHandsBack)
{
    World w;
    w.ops({Rec("9999").hint(100, 100, 0)});
    FrmMain::get();
    FrmTm::get();
    iStepNo = 3;
    iTmFlags(1) = 1;
    iTmStep(1) = 3;
    sTmPic(1, 2) = QStringLiteral("123456");
    FrmYanShi& d = World::start();
    EXPECT_EQ(d.LHelp.Caption(), QStringLiteral("操作成功！"));
    EXPECT_FALSE(d.Shape1.Visible());
    EXPECT_TRUE(d.TimEnd.Enabled());
    EXPECT_FALSE(d.Timer2.Enabled()); // the end record is not aimed
    for (int i = 1; i <= 3; ++i) {
        d.TimEnd.fire();
        EXPECT_TRUE(bYanShiOn);
        EXPECT_DOUBLE_EQ(d.Shape5.Left(), -500);
        EXPECT_DOUBLE_EQ(d.Shape5.Top(), -500);
    }
    d.TimEnd.fire();
    EXPECT_FALSE(bYanShiOn);
    EXPECT_FALSE(FrmYanShi::isLoaded());
    EXPECT_TRUE(FrmMain::get().Visible());
    EXPECT_TRUE(FrmTm::get().Visible());
    EXPECT_TRUE(FrmTm::get().TimerREDO.Enabled());
    EXPECT_EQ(FrmYanShi::stepNo, 1);
    EXPECT_EQ(FrmYanShi::tickCount, 0);
    // The candidate's own place in the question is left as it was.
    EXPECT_EQ(iStepNo, 3);
    EXPECT_EQ(iTmFlags(1), 1);
    EXPECT_EQ(iTmStep(1), 3);
    EXPECT_EQ(sTmPic(1, 2), QStringLiteral("123456"));
    // The panel's timer shows the question again, in practice.
    FrmTm::get().TimerREDO.fire();
    EXPECT_EQ(iRunMode, 2);
    EXPECT_EQ(iTmNo, 1);
}

TEST(DemoDriver, TheCandidateEndsItAtAnyMoment)
{
    struct Case {
        const char* name;
        std::function<void(FrmYanShi&)> act;
        bool ends;
    } cases[] = {
        {"double click on the window", [](FrmYanShi& d) { doubleClick(&d); }, true},
        {"double click on a picture", [](FrmYanShi& d) { doubleClick(&d.Image1); }, true},
        {"Esc", [](FrmYanShi& d) { QTest::keyRelease(&d, Qt::Key_Escape); }, true},
        {"Enter", [](FrmYanShi& d) { QTest::keyRelease(&d, Qt::Key_Return); }, true},
        {"Shift+Space", [](FrmYanShi& d) { QTest::keyRelease(&d, Qt::Key_Space, Qt::ShiftModifier); }, true},
        {"the window closed by the window system", [](FrmYanShi& d) { d.close(); }, true},
        {"F1", [](FrmYanShi& d) { QTest::keyRelease(&d, Qt::Key_F1); }, false},
        {"a letter", [](FrmYanShi& d) { QTest::keyRelease(&d, Qt::Key_A); }, false},
        {"an arrow", [](FrmYanShi& d) { QTest::keyRelease(&d, Qt::Key_Left); }, false},
    };
    for (const Case& c : cases) {
        World w;
        w.ops({Rec("0001").hotAt(1680, 5760).image(1, 0, 0, QStringLiteral("100001")), Rec("9999")});
        w.picture(QStringLiteral("100001"), 200, 200);
        FrmYanShi& d = World::start();
        d.Timer2.fire(); // the glide is under way
        c.act(d);
        EXPECT_EQ(d.TimEnd.Enabled(), c.ends) << c.name;
        if (!c.ends)
            continue;
        EXPECT_FALSE(d.Timer2.Enabled()) << c.name; // the animation stops for the end
        for (int i = 0; i < 4 && FrmYanShi::isLoaded(); ++i)
            d.TimEnd.fire();
        EXPECT_FALSE(bYanShiOn) << c.name;
        EXPECT_TRUE(FrmTm::get().TimerREDO.Enabled()) << c.name;
    }
}

TEST(DemoDriver, ASecondDemonstrationStartsAgainAtStepOne)
{
    World w;
    w.ops({Rec("0001").hotAt(1680, 5760), Rec("0001").hotAt(3000, 3000), Rec("9999")});
    World::start();
    ASSERT_GT(runToEnd(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    World::start();
    EXPECT_EQ(FrmYanShi::stepNo, 1);
    EXPECT_EQ(FrmYanShi::pointX, 7680);
    EXPECT_EQ(FrmYanShi::targetX, 1680);
}

TEST(DemoDriver, NothingMovesWhileTheFlagIsDown)
{
    World w;
    w.ops(clickQuestion());
    FrmYanShi& d = World::start();
    bYanShiOn = false;
    const qint32 x = FrmYanShi::pointX;
    // Typing and the main glide stop themselves.
    for (tk::Timer* t : {&d.Timer1, &d.Timer2}) {
        t->setEnabled(true);
        t->fire();
        EXPECT_FALSE(t->Enabled());
    }
    // The other animation timers do nothing and stay on.
    for (tk::Timer* t : {&d.Timer3, &d.Timer5, &d.Timer6, &d.Timer7, &d.Timer8, &d.Timer9, &d.TimerRM, &d.TimerRS}) {
        t->setEnabled(true);
        t->fire();
        EXPECT_TRUE(t->Enabled());
    }
    EXPECT_EQ(FrmYanShi::pointX, x);
    d.doNext();
    EXPECT_EQ(FrmYanShi::stepNo, 1);
    d.LRightMMenu.show();
    d.CSH();
    EXPECT_TRUE(d.LRightMMenu.Visible());
}

// Data that would keep a demonstration going for ever ends it instead.
TEST(DemoDriver, DataWithoutAnEndStillEnds)
{
    struct Case {
        const char* name;
        std::function<void(World&)> make;
    } cases[] = {
        {"no end record: the file ends", [](World& w) {
             w.ops({Rec("0001").hotAt(1680, 5760), Rec("0001").hotAt(3000, 3000)});
         }},
        {"no operation file", [](World&) {}},
        {"a line beyond a short file", [](World& w) {
             w.ops({Rec("0001").hotAt(1680, 5760)});
             iTmLine(1) = 5;
         }},
        {"a line before the file", [](World& w) {
             w.ops({Rec("0001").hotAt(1680, 5760), Rec("0001").hotAt(3000, 3000)});
             iTmLine(1) = -3;
         }},
        {"thousands of key steps", [](World& w) {
             QStringList lines;
             for (int i = 0; i < 3000; ++i)
                 lines << Rec("6013").line();
             w.ops(lines);
         }},
        {"a step that stands still", [](World& w) {
             // Hover steps aim at the target of the step before; the pointer stands on it.
             QStringList lines{Rec("0001").hotAt(7680, 5760)};
             for (int i = 0; i < 5; ++i)
                 lines << Rec("0030").line();
             lines << Rec("9999").line();
             w.ops(lines);
         }},
        {"garbled lines", [](World& w) {
             w.ops({QStringLiteral("x"), QString(), QStringLiteral("0000001ZZZZ|||||") + QString(300, u'9')});
         }},
    };
    for (const Case& c : cases) {
        World w;
        c.make(w);
        World::start();
        EXPECT_GE(runToEnd(20000), 0) << c.name;
        EXPECT_FALSE(bYanShiOn) << c.name;
        EXPECT_TRUE(FrmMain::get().Visible()) << c.name;
        EXPECT_TRUE(FrmTm::get().Visible()) << c.name;
    }
}

TEST(DemoDriver, StepNumberAtItsLimitEndsTheDemonstration)
{
    World w;
    w.ops(clickQuestion());
    FrmYanShi& d = World::start();
    FrmYanShi::stepNo = 32767;
    FrmYanShi::opRecord = Rec("0001").hotAt(100, 100);
    d.doNext();
    EXPECT_EQ(FrmYanShi::stepNo, 32767);
    EXPECT_TRUE(d.TimEnd.Enabled());
}

TEST(DemoDriver, PanelsButtonStartsItAndTheEndHandsTheQuestionBack)
{
    World w;
    w.ops(clickQuestion());
    w.questions({QStringLiteral("000102单击图标。")});
    FrmMain::get();
    FrmTm& panel = FrmTm::get();
    panel.CmdGN_Click(7); // the demonstration button
    EXPECT_TRUE(bYanShiOn);
    EXPECT_FALSE(FrmYanShi::isLoaded());
    panel.TimStartYS.fire();
    EXPECT_FALSE(FrmYanShi::isLoaded()); // on the second tick
    panel.TimStartYS.fire();
    ASSERT_TRUE(FrmYanShi::isLoaded());
    EXPECT_TRUE(FrmYanShi::get().Visible());
    EXPECT_FALSE(panel.Visible());
    EXPECT_FALSE(FrmMain::get().Visible());
    EXPECT_EQ(FrmYanShi::get().ImgLogo.Caption(), QStringLiteral("单击图标。"));
    EXPECT_GT(runToEnd(), 0);
    EXPECT_FALSE(bYanShiOn);
    EXPECT_TRUE(panel.Visible());
    EXPECT_TRUE(FrmMain::get().Visible());
    ASSERT_TRUE(panel.TimerREDO.Enabled());
    panel.TimerREDO.fire();
    EXPECT_EQ(iRunMode, 2);
}

// The hidden surface waits on its timed step while a demonstration plays: its timer firing mid-way
// neither advances the candidate's step nor completes the question, and the demonstration plays
// every step of its own record to the end.
TEST(DemoDriver, TheSurfacesTimedStepWaitsWhileItPlays)
{
    World w;
    w.ops({Rec("8888"), Rec("0001").hotAt(1680, 5760), Rec("0001").hotAt(3000, 3000), Rec("9999")});
    FrmMain& s = FrmMain::get();
    FrmTm::get();
    iStepNo = 1;
    iTmFlags(1) = 1;
    s.setData();
    ASSERT_TRUE(s.Timer3.Enabled());
    const QString record = sOpRecord;
    World::start();
    int fired = 0;
    int lastStep = 0;
    const int ticks = runToEnd(5000, [&](FrmYanShi&) {
        lastStep = std::max<int>(lastStep, FrmYanShi::stepNo);
        if (FrmYanShi::stepNo >= 2)
            fired += s.Timer3.fire() ? 1 : 0;
    });
    EXPECT_GT(ticks, 0);
    EXPECT_GT(fired, 5);
    EXPECT_EQ(lastStep, 4);
    EXPECT_EQ(iStepNo, 1);
    EXPECT_EQ(iTmStep(1), 1);
    EXPECT_EQ(iTmFlags(1), 1);
    EXPECT_EQ(sOpRecord, record);
}

// Enter, Space and Esc end the demonstration while its text box has the focus, during a typing
// step and after it, the keys going where Qt sends them: to the focused box.
TEST(DemoDriver, EndKeysWhileTheTextBoxHasTheFocus)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape}) {
        for (bool afterTyping : {false, true}) {
            SCOPED_TRACE(std::to_string(int(key)) + (afterTyping ? " after typing" : " while typing"));
            World w;
            w.texts({QStringLiteral("abcdef")});
            w.ops({Rec("0020").box(2000, 2000, 3000, 300).answer(1),
                   Rec("0001").hotAt(6000, 2000).box(2000, 2000, 3000, 300), Rec("9999")});
            FrmYanShi& d = World::start();
            d.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
            fireWhileOn(d.Timer2, 20);
            ASSERT_TRUE(d.Timer1.Enabled());
            d.Timer1.fire();
            if (afterTyping) {
                fireWhileOn(d.Timer1, 20);
                ASSERT_EQ(FrmYanShi::stepNo, 2);
            }
            d.Text1.SetFocus();
            QWidget* focus = QApplication::focusWidget();
            ASSERT_TRUE(focus == d.Text1.editor());
            QTest::keyClick(focus, key);
            EXPECT_TRUE(d.TimEnd.Enabled());
            for (int i = 0; i < 4 && FrmYanShi::isLoaded(); ++i)
                d.TimEnd.fire();
            EXPECT_FALSE(bYanShiOn);
        }
    }
}

// Once the end is asked for, nothing delays it: the animation stops, and the end counts its own
// ticks whatever else counts. A block without its end record whose last step leaves the pointer
// still ends in both orders of timers that fall due together.
TEST(DemoDriver, TheEndComesWhateverTheTimersDo)
{
    {
        World w;
        w.ops(clickQuestion());
        FrmYanShi& d = World::start();
        d.Timer2.fire();
        QTest::keyRelease(&d, Qt::Key_Escape);
        ASSERT_TRUE(d.TimEnd.Enabled());
        for (tk::Timer* t : {&d.Timer1, &d.Timer2, &d.Timer3, &d.Timer5, &d.Timer6, &d.Timer7, &d.Timer8,
                             &d.Timer9, &d.TimerRM, &d.TimerRS})
            EXPECT_FALSE(t->Enabled());
        // A blink asked for all the same counts on its own.
        for (int i = 0; i < 3; ++i) {
            d.TimEnd.fire();
            d.Timer5.setEnabled(true);
            d.Timer5.fire();
            EXPECT_TRUE(bYanShiOn);
        }
        d.TimEnd.fire();
        EXPECT_FALSE(bYanShiOn);
    }
    for (Order order : {Order::Declared, Order::Reversed}) {
        SCOPED_TRACE(order == Order::Declared ? "declared order" : "reversed order");
        World w;
        w.ops({Rec("0001").hotAt(7680, 5760)}); // where the pointer starts; no end record
        World::start();
        const int ticks = runToEnd(1000, {}, order);
        EXPECT_GE(ticks, 0);
        EXPECT_LE(ticks, 10);
        EXPECT_FALSE(bYanShiOn);
        EXPECT_TRUE(FrmTm::get().Visible());
    }
}
