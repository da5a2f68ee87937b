// Forms: one program-wide instance, load at first reference, unload with a refusal, modal show,
// geometry in twips.

#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/twips.h"
#include "toolkit/vberror.h"
#include "toolkit_testutil.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {

class CountingForm : public tk::FormT<CountingForm> {
public:
    static inline int loads = 0;
    static inline int unloads = 0;
    static inline bool refuse = false;
    tk::Label Label1{this};
    int loadedCaption = 0;

protected:
    void Form_Load() override
    {
        ++loads;
        Label1.setCaption(QStringLiteral("loaded"));
        // A reference to the form inside its own load is the same instance, not a new one.
        loadedCaption = &CountingForm::get() == this ? 1 : -1;
    }
    void Form_Unload(int& cancel) override
    {
        ++unloads;
        if (refuse)
            cancel = 1;
    }
};

class SelfClosingForm : public tk::FormT<SelfClosingForm> {
public:
    SelfClosingForm()
    {
        Move(0, 0, 3000, 3000);
        Close.Move(0, 0, 1500, 1500);
        Close.onClick = [this] {
            unload();
            // The form and its controls live on until the handler has returned.
            Close.setCaption(QStringLiteral("still here"));
            handlerFinished = Close.Caption() == QStringLiteral("still here");
        };
    }
    tk::Label Close{this};
    static inline bool handlerFinished = false;
};

class ModalForm : public tk::FormT<ModalForm> {};

// A window whose constructor refers to itself: an error, never endless construction.
class SelfReferringForm : public tk::FormT<SelfReferringForm> {
public:
    SelfReferringForm() { SelfReferringForm::get(); }
};

void resetCounting()
{
    CountingForm::refuse = false;
    CountingForm::unloadIfLoaded();
    tktest::flushDeletes();
    CountingForm::loads = 0;
    CountingForm::unloads = 0;
}

} // namespace

TEST(Form, FirstReferenceLoadsOnceAndAReferenceAfterUnloadLoadsAFreshInstanceOnce)
{
    resetCounting();
    EXPECT_FALSE(CountingForm::isLoaded());
    CountingForm& first = CountingForm::get();
    CountingForm::get().Label1.setCaption(QStringLiteral("changed"));
    EXPECT_EQ(CountingForm::loads, 1);
    EXPECT_EQ(first.loadedCaption, 1);

    EXPECT_TRUE(CountingForm::get().unload());
    EXPECT_FALSE(CountingForm::isLoaded());
    EXPECT_FALSE(first.isVisible());

    CountingForm& second = CountingForm::get();
    CountingForm::get();
    EXPECT_EQ(CountingForm::loads, 2);
    EXPECT_NE(&first, &second);
    EXPECT_EQ(second.Label1.Caption(), QStringLiteral("loaded")) << "nothing survives an unload";
    resetCounting();
}

TEST(Form, RefusedUnloadKeepsTheSameLoadedInstance)
{
    resetCounting();
    CountingForm::refuse = true;
    CountingForm& f = CountingForm::get();
    f.Label1.setCaption(QStringLiteral("kept"));
    EXPECT_FALSE(CountingForm::unloadIfLoaded());
    EXPECT_FALSE(f.unload());
    tktest::flushDeletes();
    EXPECT_TRUE(CountingForm::isLoaded());
    EXPECT_EQ(&CountingForm::get(), &f);
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("kept"));
    EXPECT_EQ(CountingForm::loads, 1);
    EXPECT_EQ(CountingForm::unloads, 2);

    // The window's close box asks the same question.
    f.close();
    EXPECT_TRUE(CountingForm::isLoaded());
    CountingForm::refuse = false;
    f.close();
    EXPECT_FALSE(CountingForm::isLoaded());
    resetCounting();
}

TEST(Form, UnloadFromItsOwnClickHandlerIsSafe)
{
    SelfClosingForm& f = SelfClosingForm::get();
    ASSERT_TRUE(tktest::showExposed(f));
    QPointer<SelfClosingForm> watch(&f);
    tktest::press(f.Close, {10, 10});
    tktest::release(f.Close, {10, 10});
    EXPECT_FALSE(SelfClosingForm::isLoaded());
    EXPECT_TRUE(SelfClosingForm::handlerFinished);
    tktest::flushDeletes();
    EXPECT_FALSE(watch);
    // The next reference builds it again.
    EXPECT_TRUE(SelfClosingForm::get().Close.Visible());
    SelfClosingForm::unloadIfLoaded();
    tktest::flushDeletes();
}

TEST(Form, ModalShowReturnsWhenTheFormIsUnloadedOrHidden)
{
    for (bool byUnload : {true, false}) {
        ModalForm& f = ModalForm::get();
        bool ranInside = false;
        QTimer::singleShot(0, &f, [&] {
            ranInside = f.isModalShown() && f.isVisible();
            if (byUnload)
                f.unload();
            else
                f.Hide();
        });
        f.Show(true);
        EXPECT_TRUE(ranInside);
        EXPECT_EQ(ModalForm::isLoaded(), !byUnload);
        EXPECT_FALSE(f.isModalShown() && ModalForm::isLoaded());
        ModalForm::unloadIfLoaded();
        tktest::flushDeletes();
    }
}

TEST(Form, GeometryInTwipsReadsBackAsSet)
{
    CountingForm& f = CountingForm::get();
    f.Move(1500, 3000, 12000, 9000);
    EXPECT_EQ(f.pos(), QPoint(100, 200));
    EXPECT_EQ(f.size(), QSize(800, 600));
    EXPECT_DOUBLE_EQ(f.Left(), 1500);
    EXPECT_DOUBLE_EQ(f.Height(), 9000);
    f.setWidth(5557); // 370.47 pixels
    EXPECT_EQ(f.width(), 370);
    EXPECT_DOUBLE_EQ(f.Width(), 5557);
    f.setFixedSize(100, 50); // sized by other means: pixels x 15
    EXPECT_DOUBLE_EQ(f.Width(), 1500);
    EXPECT_THROW(f.setWindowState(7), vb::Error);
    resetCounting();
}

TEST(Form, AReferenceFromItsOwnConstructorIsAnErrorNotEndlessConstruction)
{
    EXPECT_THROW(SelfReferringForm::get(), vb::Error);
    EXPECT_FALSE(SelfReferringForm::isLoaded());
}
