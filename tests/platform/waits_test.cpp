// Input held back during a wait: delivered in order once the last hold ends, only to windows that
// still take input then; a modal window opened inside the hold works as usual.

#include "platform/waits.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct Clicks {
    QStringList log;
    void watch(QPushButton& b) { QObject::connect(&b, &QPushButton::clicked, [this, &b] { log << b.text(); }); }
};

void drain()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

TEST(InputHold, ClicksAndKeysWaitForTheLastHoldAndArriveInOrder)
{
    QWidget window;
    QPushButton a(QStringLiteral("a"), &window), b(QStringLiteral("b"), &window);
    b.move(0, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Clicks clicks;
    clicks.watch(a);
    clicks.watch(b);
    {
        const platform::InputHold outer;
        EXPECT_TRUE(platform::isHoldingInput());
        QTest::mouseClick(&b, Qt::LeftButton);
        {
            const platform::InputHold inner;
            QTest::mouseClick(&a, Qt::LeftButton);
            QTest::keyClick(&b, Qt::Key_Space);
        }
        drain(); // the inner hold's end delivers nothing: the outer one still holds
        EXPECT_TRUE(clicks.log.isEmpty());
    }
    EXPECT_FALSE(platform::isHoldingInput());
    EXPECT_TRUE(clicks.log.isEmpty()); // delivered from the event loop, after the holder returned
    drain();
    EXPECT_EQ(clicks.log, (QStringList{QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("b")}));
}

TEST(InputHold, HeldInputToAClosedOrCoveredWindowIsDropped)
{
    QWidget closing, covered;
    QPushButton x(QStringLiteral("x"), &closing), y(QStringLiteral("y"), &covered);
    closing.show();
    covered.show();
    QDialog modal;
    Clicks clicks;
    clicks.watch(x);
    clicks.watch(y);
    {
        const platform::InputHold hold;
        QTest::mouseClick(&x, Qt::LeftButton);
        QTest::mouseClick(&y, Qt::LeftButton);
        closing.hide();
    }
    modal.setModal(true);
    modal.show(); // a box now covers the other window
    drain();
    EXPECT_TRUE(clicks.log.isEmpty());
    modal.hide();
}

TEST(InputHold, AModalWindowOpenedInsideTheHoldTakesItsClicks)
{
    QWidget window;
    QPushButton outside(QStringLiteral("outside"), &window);
    window.show();
    Clicks clicks;
    clicks.watch(outside);
    const platform::InputHold hold;
    QDialog box;
    box.setModal(true);
    QPushButton ok(QStringLiteral("ok"), &box);
    clicks.watch(ok);
    QObject::connect(&ok, &QPushButton::clicked, &box, &QDialog::accept);
    QTimer::singleShot(0, &ok, [&ok] { QTest::mouseClick(&ok, Qt::LeftButton); });
    EXPECT_EQ(box.exec(), QDialog::Accepted); // a time-up box inside a report's wait is answered
    EXPECT_EQ(clicks.log, QStringList{QStringLiteral("ok")});
}

TEST(WaitHook, RunsAtEveryWaitButNotInsideItself)
{
    QList<platform::WaitKind> seen;
    platform::setWaitProbeForTests([&seen](platform::WaitKind kind) {
        seen << kind;
        platform::enteringWait(platform::WaitKind::ModalWindow); // a wait the probe itself starts
    });
    platform::enteringWait(platform::WaitKind::ErrorReport);
    platform::enteringWait(platform::WaitKind::Download);
    platform::setWaitProbeForTests({});
    platform::enteringWait(platform::WaitKind::PopupMenu);
    EXPECT_EQ(seen, (QList<platform::WaitKind>{platform::WaitKind::ErrorReport, platform::WaitKind::Download}));
}
