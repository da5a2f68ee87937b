// Controls: twips geometry, the mouse as the judges meet it, stacking, plain-text captions,
// pictures, text boxes, check boxes, control arrays and timers.

#include "common/namedpipe.h"
#include "toolkit/controlarray.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/realticks.h"
#include "toolkit/textbox.h"
#include "toolkit/timer.h"
#include "toolkit_testutil.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class Surface : public tk::FormT<Surface> {
public:
    Surface() { Move(0, 0, 12000, 9000); }
    tk::Label Lower{this};
    tk::Label Upper{this};
    tk::TextBox Text1{this};
    tk::Label AfterText{this};
    QStringList keys;
    QStringList mouse;

protected:
    void Form_MouseDown(int b, int, float x, float y) override { mouse << QStringLiteral("down %1 %2 %3").arg(b).arg(x).arg(y); }
    void Form_Click() override { mouse << QStringLiteral("click"); }
    void Form_KeyUp(int keyCode, int shift) override { keys << QStringLiteral("up %1 %2").arg(keyCode).arg(shift); }
    void Form_KeyDown(int keyCode, int) override { keys << QStringLiteral("down %1").arg(keyCode); }
};

// Events of one control, in the order they came, with twips positions.
QStringList* recordMouse(tk::Control& c, QStringList& log)
{
    c.onMouseDown = [&log](int b, int s, float x, float y) { log << QStringLiteral("down %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y); };
    c.onMouseUp = [&log](int b, int s, float x, float y) { log << QStringLiteral("up %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y); };
    c.onClick = [&log] { log << QStringLiteral("click"); };
    c.onDblClick = [&log] { log << QStringLiteral("dbl"); };
    return &log;
}

struct Fresh {
    Fresh()
    {
        Surface::unloadIfLoaded();
        tktest::flushDeletes();
    }
    ~Fresh()
    {
        Surface::unloadIfLoaded();
        tktest::flushDeletes();
    }
};

} // namespace

TEST(ControlGeometry, TwipsShowAt15PerPixelAndReadBackAsSet)
{
    Fresh fresh;
    tk::Label& l = Surface::get().Lower;
    struct Row {
        double twips;
        int pixels;
    } rows[] = {{1500, 100}, {0, 0}, {7, 0}, {8, 1}, {1507, 100}, {-15, -1}, {9000 * 0.8, 480}};
    for (const Row& r : rows) {
        l.Move(r.twips, r.twips, 15, 15);
        EXPECT_EQ(l.x(), r.pixels) << r.twips;
        EXPECT_EQ(l.y(), r.pixels) << r.twips;
        EXPECT_DOUBLE_EQ(l.Left(), r.twips);
        EXPECT_DOUBLE_EQ(l.Top(), r.twips);
    }
    EXPECT_THROW(l.setWidth(-1), vb::Error);
    EXPECT_DOUBLE_EQ(l.Width(), 15) << "a refused size leaves the control as it was";

    // Inside a container the place counts from the container's corner; a line spans its points.
    tk::PictureBox box(&Surface::get());
    box.Move(1500, 1500, 3000, 3000);
    tk::Label inner(&box);
    inner.Move(150, 300, 150, 150);
    EXPECT_EQ(inner.mapTo(&Surface::get(), QPoint(0, 0)), QPoint(110, 120));
    tk::Line line(&box);
    line.setPoints(3000, 1500, 1500, 750);
    EXPECT_TRUE(line.geometry().contains(QPoint(100, 50)));
    EXPECT_TRUE(line.geometry().contains(QPoint(200, 100)));
    EXPECT_DOUBLE_EQ(line.X1(), 3000);
}

TEST(ControlMouse, PressReportsTwipsOnTheLabelAndItKeepsTheMouseUntilRelease)
{
    Fresh fresh;
    Surface& f = Surface::get();
    f.Upper.hide();
    f.Lower.Move(1500, 1500, 1500, 750); // 100,100 100x50 pixels
    f.Lower.setBackStyle(0);             // a transparent hot spot takes the mouse all over
    ASSERT_TRUE(tktest::showExposed(f));
    QStringList log;
    recordMouse(f.Lower, log);
    QStringList moves;
    f.Lower.onMouseMove = [&moves](int b, int, float x, float) { moves << QStringLiteral("%1 %2").arg(b).arg(x); };

    tktest::press(f.Lower, {10, 5}, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
    tktest::moveTo(f.Lower, {300, 200}); // far outside the label
    tktest::release(f.Lower, {300, 200});
    EXPECT_EQ(log, QStringList({"down 1 3 150 75", "up 1 0 4500 3000"}))
        << "no Click for a release away from the label";
    ASSERT_FALSE(moves.isEmpty());
    EXPECT_EQ(moves.last(), QStringLiteral("1 4500"));

    log.clear();
    tktest::press(f.Lower, {1, 1}, Qt::RightButton);
    tktest::release(f.Lower, {2, 2}, Qt::RightButton);
    EXPECT_EQ(log, QStringList({"down 2 0 15 15", "up 2 0 30 30", "click"}));
}

TEST(ControlMouse, DoubleClickArrivesAsDownUpClickDblClickUp)
{
    Fresh fresh;
    Surface& f = Surface::get();
    f.Lower.Move(0, 0, 1500, 1500);
    ASSERT_TRUE(tktest::showExposed(f));
    QStringList log;
    recordMouse(f.Upper, log);
    f.Upper.Move(0, 0, 1500, 1500);
    QTest::mouseDClick(f.windowHandle(), Qt::LeftButton, {}, tktest::inWindow(f.Upper, {5, 5}));
    EXPECT_EQ(log, QStringList({"down 1 0 75 75", "up 1 0 75 75", "click", "dbl", "up 1 0 75 75"}));

    // A double click whose first click went to another control is a plain press there.
    QStringList lower;
    recordMouse(f.Lower, lower);
    f.Upper.hide();
    QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(5, 5), f.Lower.mapToGlobal(QPointF(5, 5)),
                       Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(5, 5), f.Lower.mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                   Qt::NoButton, {});
    QApplication::sendEvent(&f.Lower, &second);
    QApplication::sendEvent(&f.Lower, &up);
    EXPECT_EQ(lower, QStringList({"down 1 0 75 75", "up 1 0 75 75", "click"}));
}

TEST(ControlStacking, TopmostUnderThePointerGetsThePressAndWindowedControlsStayAbove)
{
    Fresh fresh;
    Surface& f = Surface::get();
    for (tk::Control* c : std::initializer_list<tk::Control*>{&f.Lower, &f.Upper, &f.Text1, &f.AfterText})
        c->Move(0, 0, 1500, 1500);
    f.Text1.hide();
    ASSERT_TRUE(tktest::showExposed(f));
    QStringList lower, upper, after;
    recordMouse(f.Lower, lower);
    recordMouse(f.Upper, upper);
    recordMouse(f.AfterText, after);

    auto clickAt = [&] {
        lower.clear(), upper.clear(), after.clear();
        tktest::press(f.Lower, {20, 20});
        tktest::release(f.Lower, {20, 20});
    };
    clickAt();
    EXPECT_FALSE(after.isEmpty()) << "the label created last lies on top";
    f.AfterText.hide();
    clickAt();
    EXPECT_FALSE(upper.isEmpty());
    EXPECT_TRUE(lower.isEmpty());
    f.Upper.ZOrder(1);
    clickAt();
    EXPECT_FALSE(lower.isEmpty());
    EXPECT_TRUE(upper.isEmpty());
    f.Upper.ZOrder(0);
    clickAt();
    EXPECT_FALSE(upper.isEmpty());

    // A label brought to the front still lies below a text box.
    f.Text1.show();
    f.AfterText.show();
    f.AfterText.ZOrder(0);
    clickAt();
    EXPECT_TRUE(after.isEmpty());
    EXPECT_TRUE(upper.isEmpty());
    EXPECT_EQ(QApplication::widgetAt(f.mapToGlobal(QPoint(20, 20)))->parentWidget(), &f.Text1);

    // Shapes let the mouse through.
    tk::Shape frame(&f);
    frame.Move(0, 0, 1500, 1500);
    f.Text1.hide();
    f.AfterText.hide();
    clickAt();
    EXPECT_FALSE(upper.isEmpty());
}

TEST(Label, CaptionIsPlainTextAndAutoSizeFitsIt)
{
    Fresh fresh;
    tk::Label& l = Surface::get().Lower;
    l.setAutoSize(true);
    const QFontMetrics fm(l.font());
    for (const QString& text : {QStringLiteral("<b>x</b>"), QStringLiteral("a & b"), QStringLiteral("x")}) {
        l.setCaption(text);
        EXPECT_EQ(l.Caption(), text);
        EXPECT_EQ(l.width(), fm.boundingRect(QRect(0, 0, 100000, 100000), Qt::AlignLeft, text).width()) << text.toStdString();
    }
    l.setCaption(QStringLiteral("one\r\ntwo"));
    EXPECT_EQ(l.height(), fm.boundingRect(QRect(0, 0, 1000, 1000), 0, QStringLiteral("one\ntwo")).height());
    EXPECT_DOUBLE_EQ(l.Height(), l.height() * 15.0) << "a self-sized label reports pixels x 15";
    EXPECT_THROW(l.setMousePointer(50), vb::Error);
    EXPECT_EQ(l.MousePointer(), 0);
}

TEST(ImagePicture, LoadsByContentTakesItsSizeAndFailuresLeaveItAsItWas)
{
    Fresh fresh;
    QTemporaryDir dir;
    QImage png(40, 30, QImage::Format_ARGB32);
    png.fill(Qt::red);
    const QString good = dir.filePath(QStringLiteral("l20067.mxy"));
    ASSERT_TRUE(png.save(good, "PNG"));
    const QString bad = dir.filePath(QStringLiteral("text.mxy"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture at all");
    }
    tk::Image img(&Surface::get());
    img.Move(150, 150, 1500, 1500);
    img.loadPicture(good);
    EXPECT_EQ(img.size(), QSize(40, 30));
    EXPECT_DOUBLE_EQ(img.Width(), 600);
    EXPECT_DOUBLE_EQ(img.Left(), 150);

    // A named pipe, a folder or a link to a pipe in the picture's place cannot be read (75), at once.
    const QString pipe = dir.filePath(QStringLiteral("pipe.mxy"));
    ASSERT_TRUE(namedpipe::make(pipe));
    ASSERT_TRUE(QFile::link(pipe, dir.filePath(QStringLiteral("link.mxy"))));
    const namedpipe::BlockGuard guard({pipe});
    struct Row {
        QString path;
        int error;
    } rows[] = {{dir.filePath(QStringLiteral("missing.mxy")), 53}, {bad, 481}, {dir.path(), 75}, {pipe, 75},
                {dir.filePath(QStringLiteral("LINK.MXY")), 75}};
    for (const Row& r : rows) {
        try {
            img.loadPicture(r.path);
            ADD_FAILURE() << "no error for " << r.path.toStdString();
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), r.error) << r.path.toStdString();
        }
        EXPECT_EQ(img.Picture().size(), QSize(40, 30));
    }
    EXPECT_FALSE(guard.freed()) << "the picture's pipe was waited on";
    img.setStretch(true);
    img.Move(0, 0, 3000, 3000);
    EXPECT_EQ(img.size(), QSize(200, 200));
    img.loadPicture(QString()); // the empty picture
    EXPECT_TRUE(img.Picture().isNull());
}

TEST(TextBox, ChangeIsRaisedInsideTheAssignmentAndKeysStayInTheBox)
{
    Fresh fresh;
    Surface& f = Surface::get();
    tk::TextBox& t = f.Text1;
    QStringList log;
    t.onChange = [&] { log << QStringLiteral("change ") + t.Text(); };
    t.setText(QStringLiteral("abc"));
    log << QStringLiteral("after");
    t.setText(QStringLiteral("abc"));
    EXPECT_EQ(log, QStringList({"change abc", "after"}));

    t.setSelStart(1);
    t.setSelLength(5);
    EXPECT_EQ(t.SelStart(), 1);
    EXPECT_EQ(t.SelLength(), 2);
    t.setSelText(QStringLiteral("X"));
    EXPECT_EQ(t.Text(), QStringLiteral("aX"));

    f.hide();
    EXPECT_THROW(t.SetFocus(), vb::Error);
    t.Move(0, 0, 1500, 300);
    ASSERT_TRUE(tktest::showExposed(f));
    tk::TextBox other(&f);
    other.Move(0, 600, 1500, 300);
    QStringList focus;
    t.onGotFocus = [&] { focus << QStringLiteral("got"); };
    t.onLostFocus = [&] { focus << QStringLiteral("lost"); };
    other.SetFocus();
    t.SetFocus();
    t.SetFocus(); // it has the focus already
    EXPECT_EQ(focus, QStringList({"lost", "got"}));

    QStringList boxKeys;
    t.onKeyUp = [&](int k, int s) { boxKeys << QStringLiteral("%1 %2").arg(k).arg(s); };
    t.onKeyPress = [](int& ascii) {
        if (ascii == 'z')
            ascii = 0; // dropped
        else if (ascii == 'y')
            ascii = 'Y';
    };
    t.setText(QString());
    QTest::keyClicks(t.editor(), QStringLiteral("azy"));
    QTest::keyClick(t.editor(), Qt::Key_F2);
    EXPECT_EQ(t.Text(), QStringLiteral("aY"));
    EXPECT_EQ(boxKeys, QStringList({"65 0", "90 0", "89 0", "113 0"}));
    EXPECT_TRUE(f.keys.isEmpty()) << "a text box's keys never reach the form";
}

TEST(FormKeys, KeysOfTheFormGiveVirtualKeysAndOneKeyUpPerHeldKey)
{
    Fresh fresh;
    Surface& f = Surface::get();
    f.Text1.hide();
    ASSERT_TRUE(tktest::showExposed(f));
    QTest::keyClick(&f, Qt::Key_Question, Qt::ShiftModifier);
    QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
    QApplication::sendEvent(&f, &repeatUp);
    QTest::keyRelease(&f, Qt::Key_Return);
    // (the test presses and releases Shift itself around the key)
    EXPECT_EQ(f.keys, QStringList({"down 16", "down 191", "up 191 1", "up 16 0", "up 13 0"}));
}

TEST(CheckBox, ClickFollowsEveryChangeOfValue)
{
    Fresh fresh;
    Surface& f = Surface::get();
    tk::CheckBox box(&f);
    box.Move(3000, 3000, 1500, 300);
    ASSERT_TRUE(tktest::showExposed(f));
    QList<int> seen;
    box.onClick = [&] { seen << box.Value(); };
    box.setValue(1);
    box.setValue(1);
    tktest::press(box, {5, 5});
    tktest::release(box, {5, 5});
    tktest::press(box, {5, 5}, Qt::RightButton);
    tktest::release(box, {5, 5}, Qt::RightButton);
    EXPECT_EQ(seen, QList<int>({1, 0}));
    EXPECT_THROW(box.setValue(3), vb::Error);
}

TEST(ControlArray, ElementsShareOneHandlerAndRunTimeElementsCopyTheLowestOne)
{
    Fresh fresh;
    Surface& f = Surface::get();
    tk::ControlArray<tk::Label> rows(&f);
    rows.create(1).Move(0, 0, 1500, 300);
    rows[1].setCaption(QStringLiteral("row"));
    rows[1].setBackStyle(0);
    tk::Label& added = rows.load(4);
    EXPECT_FALSE(added.Visible());
    EXPECT_EQ(added.Caption(), QStringLiteral("row"));
    EXPECT_EQ(added.BackStyle(), 0);
    EXPECT_DOUBLE_EQ(added.Width(), 1500);
    added.Move(0, 600, 1500, 300);
    added.show();
    EXPECT_EQ(rows.LBound(), 1);
    EXPECT_EQ(rows.UBound(), 4);
    EXPECT_EQ(rows.Count(), 2);

    ASSERT_TRUE(tktest::showExposed(f));
    QList<int> pressed;
    rows.onMouseDown = [&](int index, int button, int, float, float y) { pressed << index << button << int(y); };
    rows.onClick = [&](int index) { rows.unload(index); }; // from the element's own handler
    tktest::press(added, {3, 2});
    tktest::release(added, {3, 2});
    EXPECT_EQ(pressed, QList<int>({4, 1, 30}));
    EXPECT_FALSE(rows.exists(4));
    tktest::flushDeletes();

    struct Row {
        std::function<void()> call;
        int error;
    } errors[] = {
        {[&] { rows[4]; }, 340},
        {[&] { rows.unload(9); }, 340},
        {[&] { rows.create(1); }, 360},
        {[&] { rows.unload(1); }, 362},
    };
    for (const Row& r : errors) {
        try {
            r.call();
            ADD_FAILURE() << "no error " << r.error;
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), r.error);
        }
    }
}

TEST(Timer, EnabledTicksRunTheHandlerAndAOneShotDisablesItself)
{
    tk::Timer t(nullptr, 100);
    int ticks = 0;
    t.onTimer = [&] {
        t.setEnabled(false); // one-shot
        ++ticks;
        EXPECT_FALSE(t.fire()) << "no tick inside its own handler";
    };
    EXPECT_FALSE(t.fire()) << "off at design";
    t.setEnabled(true);
    EXPECT_TRUE(t.fire());
    EXPECT_FALSE(t.fire());
    EXPECT_EQ(ticks, 1);

    t.setInterval(0);
    t.setEnabled(true);
    EXPECT_FALSE(t.fire()) << "interval 0 never ticks";
    t.setInterval(1000);
    EXPECT_TRUE(t.Enabled());
    EXPECT_TRUE(t.fire());
    EXPECT_EQ(ticks, 2);

    // The clock behind it, as the program runs it with real ticks.
    QTimer* clock = t.findChild<QTimer*>();
    ASSERT_NE(clock, nullptr);
    tk::setRealTicks(true);
    EXPECT_FALSE(clock->isActive()) << "the one-shot handler switched it off";
    t.setEnabled(true);
    EXPECT_TRUE(clock->isActive());
    t.setEnabled(false);
    EXPECT_FALSE(clock->isActive());
    t.setInterval(50);
    EXPECT_FALSE(clock->isActive()) << "a new interval does not enable it";
    // Without real ticks, as the tests run: enabled, it ticks only when fired.
    tk::setRealTicks(false);
    t.setEnabled(true);
    EXPECT_FALSE(clock->isActive());
    EXPECT_TRUE(t.Enabled());

    // An error in the handler ends the tick, not the program; the timer goes on.
    t.onTimer = [] { vb::raise(vb::ErrSubscript); };
    t.setEnabled(true);
    EXPECT_TRUE(t.fire());
    EXPECT_TRUE(t.Enabled());
}

TEST(ControlMouse, TheReleaseReachesThePressedLabelAlsoWhenItsHandlerMovedOrHidItDuringThePress)
{
    Fresh fresh;
    Surface& f = Surface::get();
    f.Upper.hide();
    f.Lower.Move(0, 0, 1500, 1500);
    f.AfterText.Move(3000, 3000, 1500, 1500);
    ASSERT_TRUE(tktest::showExposed(f));
    for (bool hide : {false, true}) {
        QStringList log, other;
        recordMouse(f.Lower, log);
        recordMouse(f.AfterText, other);
        f.Lower.show();
        f.Lower.Move(0, 0, 1500, 1500);
        f.Lower.onMouseDown = [&](int, int, float, float) {
            // the next step's scene: the hot spot moves away, or goes
            f.Lower.Move(6000, 6000, 1500, 1500);
            if (hide)
                f.Lower.hide();
        };
        tktest::press(f.AfterText, {-195, -195}); // 5,5 of where the hot spot was
        QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(log.join(QLatin1Char('|')), QStringLiteral("up 1 0 -5925 -5925")) << "hidden: " << hide;
        EXPECT_TRUE(other.isEmpty());
    }
    // After the release the hidden label gets nothing more.
    QStringList late;
    f.Lower.onMouseMove = [&](int, int, float, float) { late << QStringLiteral("move"); };
    tktest::moveTo(f.AfterText, {3, 3});
    EXPECT_TRUE(late.isEmpty());
}

TEST(FormMouse, TheFormGetsWhatNoControlTakesInItsOwnTwips)
{
    Fresh fresh;
    Surface& f = Surface::get();
    f.Lower.Move(0, 0, 1500, 1500);
    f.Text1.hide();
    ASSERT_TRUE(tktest::showExposed(f));
    tktest::press(f, {300, 200}, Qt::MiddleButton);
    tktest::release(f, {300, 200}, Qt::MiddleButton);
    tktest::press(f.Lower, {5, 5}); // a control's events stay the control's
    tktest::release(f.Lower, {5, 5});
    EXPECT_EQ(f.mouse, QStringList({"down 4 4500 3000", "click"}));
}
