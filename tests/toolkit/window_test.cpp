// Borderless windows dragged by a strip, z-order helpers and the pointer test.

#include "platform/windowpos.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit_testutil.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class DragForm : public tk::FormT<DragForm> {
public:
    DragForm()
    {
        setBorderless();
        Move(1500, 1500, 6000, 4500);
        lblMove.Move(0, 0, 6000, 540);
        lblMove.setBackStyle(0);
        lblMove.onMouseDown = [this](int button, int, float, float) {
            if (button == 1)
                platform::dragWindow(this);
            log << QStringLiteral("pressed at %1,%2").arg(Left()).arg(Top());
        };
        lblMove.onMouseUp = [this](int, int, float, float) { log << QStringLiteral("up"); };
    }
    void moveEvent(QMoveEvent* event) override
    {
        tk::FormT<DragForm>::moveEvent(event);
        if (isVisible())
            log << QStringLiteral("moved to %1,%2").arg(Left()).arg(Top());
    }
    tk::Label lblMove{this};
    QStringList log;
};

tktest::DragMouse stripMouse(DragForm& f) { return tktest::DragMouse(f.lblMove, {40, 25}); }

} // namespace

TEST(WindowDrag, TheWindowFollowsTheMouseFromThePressToTheRelease)
{
    DragForm& f = DragForm::get();
    ASSERT_TRUE(tktest::showExposed(f));
    tktest::DragMouse m = stripMouse(f);
    QStringList during;
    ASSERT_TRUE(m.dragWhile({30, 20}, [&] {
        m.moveBy({10, 5});
        m.moveBy({30, 20});
        during = f.log;
    }));
    EXPECT_EQ(during, QStringList({"pressed at 1500,1500", "moved to 1650,1575", "moved to 1950,1800"}))
        << "the handler goes on at once; the window follows the mouse by its offset from the press";
    EXPECT_EQ(f.log.mid(during.size()), QStringList({"up"})) << "the strip gets its release";
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // The release ended it: the mouse moves on, the window stays.
    f.log.clear();
    m.moveBy({80, 80});
    EXPECT_EQ(f.Left(), 1950);
    EXPECT_EQ(f.Top(), 1800);

    // Moves shorter than the drag distance leave the press a click.
    f.log.clear();
    m = stripMouse(f);
    m.press();
    m.moveBy({3, 2});
    m.moveBy({-2, 3});
    m.releaseAt({-2, 3});
    EXPECT_EQ(f.log, QStringList({"pressed at 1950,1800", "up"}));
    EXPECT_EQ(f.Left(), 1950);
    EXPECT_EQ(f.Top(), 1800);

    // Other buttons do not drag.
    f.log.clear();
    m.press(Qt::RightButton);
    m.moveBy({100, 100});
    m.releaseAt({100, 100}, Qt::RightButton);
    EXPECT_EQ(f.log, QStringList({"pressed at 1950,1800", "up"}));
    EXPECT_EQ(f.Left(), 1950);
    DragForm::unloadIfLoaded();
    tktest::flushDeletes();
}

// A modal box that opens while the strip is held takes the mouse: its button takes a click, and
// the drag is over, whatever the mouse does after.
TEST(WindowDrag, AModalBoxOpenedMidDragTakesTheClicksAndEndsTheDrag)
{
    DragForm& f = DragForm::get();
    ASSERT_TRUE(tktest::showExposed(f));
    tktest::DragMouse m = stripMouse(f);
    bool clicked = false;
    EXPECT_TRUE(m.dragWhile({70, 70}, [&] {
        m.moveBy({30, 20});
        QMessageBox box(QMessageBox::Information, QStringLiteral("t"), QStringLiteral("p"), QMessageBox::Ok);
        QTimer::singleShot(0, &box, [&] {
            QAbstractButton* ok = box.button(QMessageBox::Ok);
            tktest::press(*ok, ok->rect().center());
            tktest::release(*ok, ok->rect().center());
            clicked = !box.isVisible();
            box.reject(); // should the click have been swallowed
        });
        box.exec();
        m.moveBy({70, 70});
    }));
    EXPECT_TRUE(clicked) << "the box's button did not get the click";
    EXPECT_EQ(f.Left(), 1950) << "the drag went on under the box";
    EXPECT_EQ(f.Top(), 1800);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    DragForm::unloadIfLoaded();
    tktest::flushDeletes();
}

TEST(WindowOrder, TopmostKeepsPlaceAndSize)
{
    DragForm& f = DragForm::get();
    ASSERT_TRUE(tktest::showExposed(f));
    f.setTopmost();
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(f.isVisible());
    EXPECT_DOUBLE_EQ(f.Left(), 1500);
    EXPECT_DOUBLE_EQ(f.Width(), 6000);
    f.setTopmost(false);
    EXPECT_FALSE(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(f.isVisible());
    DragForm::unloadIfLoaded();
    tktest::flushDeletes();
}

TEST(PointerTest, OnlyTheWidgetUnderThePointerAndItsChildrenCount)
{
    DragForm& f = DragForm::get();
    ASSERT_TRUE(tktest::showExposed(f));
    QCursor::setPos(f.lblMove.mapToGlobal(QPoint(5, 5)));
    EXPECT_TRUE(platform::isPointerOver(&f.lblMove));
    EXPECT_TRUE(platform::isPointerOver(&f));
    QCursor::setPos(f.mapToGlobal(QPoint(5, 200)));
    EXPECT_FALSE(platform::isPointerOver(&f.lblMove));
    QCursor::setPos(f.lblMove.mapToGlobal(QPoint(5, 5)));
    f.lblMove.setEnabled(false);
    EXPECT_FALSE(platform::isPointerOver(&f.lblMove));
    DragForm::unloadIfLoaded();
    tktest::flushDeletes();
}

// A window manager may minimise any window: a window shown modally (a form or a message box) comes
// straight back, or it would block every other window while none could be seen; a modeless one
// stays minimised.
TEST(ModalWindow, MinimisedWhileModalItComesBack)
{
    for (const bool modal : {true, false}) {
        SCOPED_TRACE(modal ? "modal" : "modeless");
        DragForm& form = DragForm::get();
        bool minimised = false, back = false;
        auto minimiseAndLook = [&] {
            form.QWidget::setWindowState(form.windowState() | Qt::WindowMinimized); // the window manager's minimise
            minimised = form.isMinimized();
            for (int i = 0; i < 5; ++i)
                QCoreApplication::processEvents();
            back = !form.isMinimized();
            DragForm::unloadIfLoaded();
        };
        if (modal) {
            QTimer::singleShot(0, &form, minimiseAndLook);
            form.Show(true);
        } else {
            form.Show();
            minimiseAndLook();
        }
        EXPECT_TRUE(minimised);
        EXPECT_EQ(back, modal);
        tktest::flushDeletes();
    }
}

// Every message box of the program is made one way: it comes up above the windows kept on top,
// its buttons read as a Chinese system's, and minimised it comes back.
TEST(ModalWindow, AMessageBoxOfTheProgramIsAboveAllReadsInChineseAndComesBack)
{
    platform::MessageBox ok(QMessageBox::Information, QStringLiteral("t"), QStringLiteral("p"), QMessageBox::Ok);
    EXPECT_EQ(ok.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    platform::MessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("是(&Y)"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("否(&N)"));
    EXPECT_TRUE(box.windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << "a box must come up above the windows kept on top";
    bool cameBack = false;
    QTimer::singleShot(0, &box, [&] {
        box.setWindowState(box.windowState() | Qt::WindowMinimized);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        cameBack = box.isVisible() && !box.isMinimized();
        box.button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(box.exec(), QMessageBox::Yes);
    EXPECT_TRUE(cameBack);
}
