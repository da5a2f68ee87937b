#include "app/moddata.h"
#include "controls/tavobutton.h"
#include "toolkit/controlarray.h"
#include "toolkit/form.h"

#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A strip of four frames, 90 x 30 pixels each (1350 x 450 twips).
QPixmap strip()
{
    QPixmap p(360, 30);
    QPainter g(&p);
    const Qt::GlobalColor colours[] = {Qt::gray, Qt::yellow, Qt::darkGray, Qt::lightGray};
    for (int k = 0; k < 4; ++k)
        g.fillRect(k * 90, 0, 90, 30, colours[k]);
    return p;
}

class HostForm : public tk::FormT<HostForm> {
public:
    HostForm()
    {
        setBorderless();
        Move(0, 0, 3000, 1500);
        for (int i : {0, 1}) {
            tavoButton& b = Buttons.create(i);
            b.useProgramDesign();
            b.Move(150 + i * 1500, 150, 1350, 450);
            b.setPicture(strip());
        }
        Buttons.onClick = [this](int i) {
            ++clicks[i];
            if (closeOnClick)
                unload();
        };
    }
    tk::ControlArray<tavoButton> Buttons{this};
    int clicks[2] = {0, 0};
    bool closeOnClick = false;
};

class ImageButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModData::dScaleX = ModData::dScaleY = 1;
        tavoButton::setPointerTestForTests([this](const QWidget*) { return pointerOver; });
        HostForm::get().Show();
    }
    void TearDown() override
    {
        tavoButton::setPointerTestForTests({});
        HostForm::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ModData::resetAll();
    }
    bool pointerOver = true;
};

} // namespace

TEST_F(ImageButton, FramesFollowThePointerAndEveryReleaseClicks)
{
    HostForm& host = HostForm::get();
    tavoButton& b = host.Buttons[0];
    const QPoint inside(45, 15);
    const QPoint outside(500, 200);
    enum Action { Move, Press, Release, ReleaseOutside, RightPress, RightRelease, TickOver,
                  TickAway, Disable, Enable, PressDisabled };
    const struct {
        Action action;
        int frame;
        bool timer;
        int clicks;
    } steps[] = {
        {TickAway, 0, false, 0},     // the first tick away from the button stops the timer
        {Move, 1, true, 0},          // hover
        {TickOver, 1, true, 0},      // still over it: nothing
        {Press, 2, true, 0},
        {Release, 0, false, 1},      // frame 0 although the pointer rests on it
        {Move, 1, true, 1},          // hover comes back with the next move
        {TickAway, 0, false, 1},     // leaving
        {Press, 2, true, 1},
        {ReleaseOutside, 0, false, 2},
        {RightPress, 2, true, 2},    // any button presses it
        {RightRelease, 0, false, 3},
        {Disable, 3, false, 3},
        {PressDisabled, 3, false, 3},
        {TickAway, 3, false, 3},
        {Enable, 0, false, 3},       // frame 0 at once, pointer over it or not
    };
    for (const auto& s : steps) {
        switch (s.action) {
        case Move: // a move to the very same point would be no move at all
            QTest::mouseMove(&b.ImgBack, inside + QPoint(int(&s - steps) % 7, 1));
            break;
        case Press: QTest::mousePress(&b.ImgBack, Qt::LeftButton, {}, inside); break;
        case Release: QTest::mouseRelease(&b.ImgBack, Qt::LeftButton, {}, inside); break;
        case ReleaseOutside: QTest::mouseRelease(&b.ImgBack, Qt::LeftButton, {}, outside); break;
        case RightPress: QTest::mousePress(&b.LblCaption, Qt::RightButton, {}, {1, 1}); break;
        case RightRelease: QTest::mouseRelease(&b.LblCaption, Qt::RightButton, {}, {1, 1}); break;
        case TickOver: pointerOver = true; b.Timer1_Timer(); break;
        case TickAway: pointerOver = false; b.Timer1_Timer(); break;
        case Disable: b.setEnabled(false); break;
        case Enable: pointerOver = true; b.setEnabled(true); break;
        case PressDisabled:
            QTest::mousePress(&b.ImgBack, Qt::LeftButton, {}, inside);
            QTest::mouseRelease(&b.ImgBack, Qt::LeftButton, {}, inside);
            break;
        }
        const int index = int(&s - steps);
        EXPECT_EQ(b.frame(), s.frame) << "step " << index;
        EXPECT_EQ(b.timerRunning(), s.timer) << "step " << index;
        EXPECT_EQ(host.clicks[0], s.clicks) << "step " << index;
        // The strip always shows exactly one whole frame.
        EXPECT_EQ(b.ImgBack.Left(), -s.frame * 1350.0) << "step " << index;
    }
    EXPECT_EQ(host.clicks[1], 0);
}

TEST_F(ImageButton, OwnEnabledStateChoosesTheRestFrame)
{
    HostForm& host = HostForm::get();
    tavoButton& b = host.Buttons[0];
    static_cast<tk::Control&>(b).setEnabled(false); // through the base, as generic code does
    EXPECT_EQ(b.frame(), 3);
    static_cast<QWidget&>(b).setEnabled(true);
    EXPECT_EQ(b.frame(), 0);
    // A disabled window takes no input, but its buttons keep their own look.
    host.QWidget::setEnabled(false);
    EXPECT_EQ(b.frame(), 0);
    host.QWidget::setEnabled(true);
    EXPECT_EQ(b.frame(), 0);
}

TEST_F(ImageButton, PressedCaptionLiesOnePixelRightAndDown)
{
    tavoButton& b = HostForm::get().Buttons[1];
    b.setCaption(QStringLiteral("确定"));
    const double restLeft = b.LblCaption.Left();
    const double restTop = b.LblCaption.Top();
    EXPECT_EQ(std::fmod(restLeft, 15.0), 0.0);
    EXPECT_EQ(std::fmod(restTop, 15.0), 0.0);
    QTest::mousePress(&b.ImgBack, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(b.LblCaption.Left(), restLeft + 15);
    EXPECT_EQ(b.LblCaption.Top(), restTop + 15);
    QTest::mouseRelease(&b.ImgBack, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(b.LblCaption.Left(), restLeft);
    EXPECT_EQ(b.LblCaption.Top(), restTop);

    // A font change leaves the caption where it was until the next centring.
    b.setFontSize(30);
    EXPECT_EQ(b.LblCaption.Left(), restLeft);
    b.setCaption(QStringLiteral("确定"));
    EXPECT_LT(b.LblCaption.Left(), restLeft);
}

TEST_F(ImageButton, ButtonWithoutStripStillClicks)
{
    HostForm& host = HostForm::get();
    tavoButton& b = host.Buttons[0];
    b.setPicture(QPixmap());
    b.ImgBack.Move(0, 0, 0, 0);
    QTest::mouseClick(&b, Qt::LeftButton, {}, {40, 20});
    EXPECT_EQ(host.clicks[0], 1);
}

TEST_F(ImageButton, ClickHandlerMayUnloadItsOwnWindow)
{
    HostForm& host = HostForm::get();
    host.closeOnClick = true;
    QPointer<tavoButton> b = &host.Buttons[1];
    QTest::mouseClick(&b->ImgBack, Qt::LeftButton, {}, {10, 10});
    EXPECT_FALSE(HostForm::isLoaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(b.isNull());
}
