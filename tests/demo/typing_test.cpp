// Typing steps: the first accepted answer typed one character per tick into the step's box.

#include "demoworld.h"

#include <gtest/gtest.h>

using namespace demotest;
using namespace ModData;
using Y = FrmYanShi;

namespace {

// Glides to the box of step 1 until the typing takes over.
void glideToTheBox(FrmYanShi& d)
{
    for (int i = 0; i < 20 && !d.Timer1.Enabled(); ++i)
        d.Timer2.fire();
    ASSERT_TRUE(d.Timer1.Enabled());
    ASSERT_FALSE(d.Timer2.Enabled());
}

} // namespace

TEST(DemoTyping, OneCharacterPerTickThenTheNextStep)
{
    struct Case {
        const char* code;
        int answer;               // line of the operation-text file, 0 for "000"
        bool intoRename;          // Text2 rather than Text1
        std::vector<const char*> shown; // the box after each tick; the step goes on at the last
    } cases[] = {
        {"0020", 2, false, {"a", "ab", "abc"}}, // the second answer is never typed
        {"0021", 2, true, {"a", "ab", "abc"}},
        {"0027", 2, false, {"a", "ab", "abc"}},
        {"0024", 3, false, {"x"}},               // no Enter follows
        {"0020", 0, false, {""}},                // no answer: the box is emptied
        {"0023", 2, false, {"旧名"}},             // a selection types nothing
    };
    for (const Case& c : cases) {
        World w;
        w.texts({QStringLiteral("旧名"), QStringLiteral("abc|xyz"), QStringLiteral("x")});
        w.ops({Rec(QString::fromLatin1(c.code)).box(2000, 2000, 3000, 300).initial(1).answer(c.answer),
               Rec("0001").hotAt(100, 100), Rec("9999")});
        FrmYanShi& d = World::start();
        glideToTheBox(d);
        tk::TextBox& box = c.intoRename ? d.Text2 : d.Text1;
        for (std::size_t t = 0; t < c.shown.size(); ++t) {
            EXPECT_EQ(Y::stepNo, 1) << c.code << " before tick " << t + 1;
            d.Timer1.fire();
            EXPECT_EQ(box.Text().toStdString(), c.shown[t]) << c.code << " tick " << t + 1;
            if (c.code != std::string("0023")) {
                EXPECT_EQ(box.SelStart(), int(box.Text().size())) << c.code;
            }
        }
        EXPECT_FALSE(d.Timer1.Enabled()) << c.code;
        EXPECT_EQ(Y::stepNo, 2) << c.code;
        EXPECT_EQ(Y::typedCount, 0) << c.code;
        EXPECT_TRUE(d.Timer2.Enabled()) << c.code; // the next glide
    }
}

TEST(DemoTyping, ASelectionEndsAtTheFirstTickWhateverTheLengthOfItsText)
{
    World w;
    w.texts({QStringLiteral("旧名"), QString(302, u'z')});
    w.ops({Rec("0023").box(2000, 2000, 3000, 300).initial(1).answer(2), Rec("9999")});
    FrmYanShi& d = World::start();
    glideToTheBox(d);
    d.Timer1.fire();
    EXPECT_EQ(d.Text1.Text(), QStringLiteral("旧名"));
    EXPECT_FALSE(d.Timer1.Enabled());
    EXPECT_TRUE(d.TimEnd.Enabled()); // on to the end record
}

TEST(DemoTyping, EndingWhileTypingStopsItAndTheNextDemonstrationTypesFromTheStart)
{
    World w;
    w.texts({QStringLiteral("abcdef")});
    w.ops({Rec("0020").box(2000, 2000, 3000, 300).answer(1), Rec("9999")});
    FrmYanShi& d = World::start();
    glideToTheBox(d);
    d.Timer1.fire();
    d.Timer1.fire();
    d.TimEnd.setEnabled(true);
    for (int i = 0; i < 4; ++i)
        d.TimEnd.fire();
    ASSERT_FALSE(bYanShiOn);
    EXPECT_FALSE(d.Timer1.Enabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    FrmYanShi& again = World::start();
    glideToTheBox(again);
    again.Timer1.fire();
    EXPECT_EQ(again.Text1.Text(), QStringLiteral("a"));
}
