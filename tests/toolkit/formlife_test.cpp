// A form lives while any handler of it runs: a handler that waits (an error report, a modal box)
// lets the program's other events run, and one of them may unload the form meanwhile. The form
// is deleted only once the outermost of its handlers has returned, and an unloaded form raises
// no more events.

#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"
#include "toolkit_testutil.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// What a handler saw when its wait was over.
struct Resumed {
    bool ran = false;
    bool formThere = false; // its form was not deleted under it
    bool unloaded = false;
};

class WaitingForm : public tk::FormT<WaitingForm> {
public:
    WaitingForm()
    {
        Move(0, 0, 4500, 3000);
        Button.Move(0, 0, 1500, 1500);
        Other.Move(1500, 0, 1500, 1500);
        Button.onClick = [this] { waitingHandler(); };
        Check.onClick = [this] { waitingHandler(); };
        Tick.onTimer = [this] { waitingHandler(); };
        Other.onClick = [this] {
            ++otherClicks;
            unload();
        };
    }
    tk::Label Button{this};
    tk::Label Other{this};
    tk::CheckBox Check{this};
    tk::Timer Tick{this, 1000, false};
    int otherClicks = 0;

    // What the rest of the program does while the handler waits, and what the handler saw.
    static inline std::function<void(WaitingForm&)> duringWait;
    static inline bool waitInLoad = false;
    static inline Resumed resumed;
    static inline int handlerRuns = 0;

    // A wait like the error report's: other events run in a local loop, and that loop also runs
    // the deletes that were asked for in it.
    void waitingHandler()
    {
        ++handlerRuns;
        QPointer<WaitingForm> self(this);
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&] {
            if (duringWait)
                duringWait(*this);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            loop.quit();
        });
        loop.exec();
        resumed.ran = true;
        resumed.formThere = !self.isNull();
        if (!self)
            return;
        resumed.unloaded = isUnloaded();
        Button.setCaption(QStringLiteral("resumed")); // its controls are still there
    }

protected:
    void Form_Load() override
    {
        if (waitInLoad)
            waitingHandler();
    }
    void Form_KeyDown(int, int) override { waitingHandler(); }
};

void reset()
{
    WaitingForm::duringWait = {};
    WaitingForm::waitInLoad = false;
    WaitingForm::resumed = {};
    WaitingForm::handlerRuns = 0;
    WaitingForm::unloadIfLoaded();
    tktest::flushDeletes();
}

void clickAt(tk::Control& c)
{
    tktest::press(c, {5, 5});
    tktest::release(c, {5, 5});
}

} // namespace

TEST(FormLife, AFormUnloadedWhileItsHandlerWaitsLivesUntilTheHandlerReturns)
{
    const struct {
        const char* way;
        std::function<void(WaitingForm&)> raise;
    } ways[] = {
        {"a control's click", [](WaitingForm& f) { clickAt(f.Button); }},
        {"the form's key", [](WaitingForm& f) { QTest::keyClick(&f, Qt::Key_A); }},
        {"a timer's tick",
         [](WaitingForm& f) {
             f.Tick.setEnabled(true);
             f.Tick.fire();
         }},
        {"a check box set from code", [](WaitingForm& f) { f.Check.setValue(1); }},
        {"the form's load", [](WaitingForm&) {}},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        reset();
        const bool inLoad = std::string(w.way) == "the form's load";
        WaitingForm::waitInLoad = inLoad;
        // Another window unloads the form during the wait.
        WaitingForm::duringWait = [](WaitingForm& f) { f.unload(); };
        QPointer<WaitingForm> form;
        if (inLoad) {
            WaitingForm& f = WaitingForm::get(); // the load waits inside the first reference
            form = &f;
        } else {
            form = &WaitingForm::get();
            ASSERT_TRUE(tktest::showExposed(*form));
            w.raise(*form);
        }
        EXPECT_TRUE(WaitingForm::resumed.ran);
        EXPECT_TRUE(WaitingForm::resumed.formThere);
        EXPECT_TRUE(WaitingForm::resumed.unloaded);
        EXPECT_FALSE(WaitingForm::isLoaded());
        // Once its handlers have returned, the form goes as any unloaded form does (the events
        // of a real click may have run that already).
        if (form) {
            EXPECT_FALSE(form->isVisible());
            EXPECT_EQ(form->handlersRunning(), 0);
        }
        tktest::flushDeletes();
        EXPECT_FALSE(form);
    }
    reset();
}

// A handler of the form that runs during the wait and unloads it (the start button clicked
// while the unit button's report waits) does not free the form under the waiting handler.
TEST(FormLife, AnInnerHandlerOfTheSameFormThatUnloadsItLeavesItToTheOuterOne)
{
    reset();
    WaitingForm& f = WaitingForm::get();
    ASSERT_TRUE(tktest::showExposed(f));
    QPointer<WaitingForm> form(&f);
    int runningInside = 0;
    int otherClicks = 0;
    WaitingForm::duringWait = [&](WaitingForm& w) {
        clickAt(w.Other);
        runningInside = w.handlersRunning();
        otherClicks = w.otherClicks;
    };
    clickAt(f.Button); // the form may be gone once the click's events have all run
    EXPECT_EQ(otherClicks, 1);
    EXPECT_GT(runningInside, 0); // the outer click still counts
    EXPECT_TRUE(WaitingForm::resumed.formThere);
    EXPECT_TRUE(WaitingForm::resumed.unloaded);
    tktest::flushDeletes();
    EXPECT_FALSE(form);
    reset();
}

// While the unloaded form waits for its handlers to return, nothing of it is raised any more:
// not its timers, not its controls' clicks, not its keys.
TEST(FormLife, AnUnloadedFormRaisesNothingWhileItLivesOn)
{
    reset();
    WaitingForm& f = WaitingForm::get();
    ASSERT_TRUE(tktest::showExposed(f));
    QPointer<WaitingForm> form(&f);
    int runsDuringWait = -1;
    WaitingForm::duringWait = [&](WaitingForm& w) {
        w.unload();
        const int before = WaitingForm::handlerRuns;
        w.Tick.setEnabled(true);
        w.Tick.fire();
        w.Check.setValue(1);
        QTest::keyClick(&w, Qt::Key_A);
        QTest::mouseClick(&w.Button, Qt::LeftButton, {}, QPoint(5, 5));
        runsDuringWait = WaitingForm::handlerRuns - before;
    };
    clickAt(f.Button);
    EXPECT_EQ(runsDuringWait, 0);
    EXPECT_TRUE(WaitingForm::resumed.formThere);
    tktest::flushDeletes();
    EXPECT_FALSE(form);
    reset();
}
