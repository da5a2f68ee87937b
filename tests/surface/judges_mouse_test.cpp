// Judges of the hot spot and the keyboard, through real mouse and key events on the surface:
// clicks, double clicks, right clicks, button steps with a Shift state, hover, type-then-click,
// key steps and the key override. A wrong action leaves the step where it is.

#include "judges_fixture.h"

#include <gtest/gtest.h>

using namespace judgetest;
using testrec::Record;
using testworld::World;
using namespace ModData;

namespace {

// A step with its hot spot, then the end record.
QStringList oneStep(const QString& line) { return {line, Record(QStringLiteral("9999"))}; }
QString hotStep(const QString& code) { return Record(code).hotSpot(1500, 1500, 1500, 900); }

using Action = void (*)(FrmMain&);
void leftClick(FrmMain& m) { click(m.Label1, centre(m.Label1)); }
void ctrlLeftClick(FrmMain& m) { click(m.Label1, centre(m.Label1), Qt::LeftButton, Qt::ControlModifier); }
void rightClick(FrmMain& m) { click(m.Label1, centre(m.Label1), Qt::RightButton); }
void shiftRightClick(FrmMain& m) { click(m.Label1, centre(m.Label1), Qt::RightButton, Qt::ShiftModifier); }
void shiftCtrlRightClick(FrmMain& m)
{
    click(m.Label1, centre(m.Label1), Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier);
}
void middleClick(FrmMain& m) { click(m.Label1, centre(m.Label1), Qt::MiddleButton); }
void altMiddleClick(FrmMain& m) { click(m.Label1, centre(m.Label1), Qt::MiddleButton, Qt::AltModifier); }
void dblClick(FrmMain& m) { doubleClick(m.Label1, centre(m.Label1)); }
// Pressed on the hot spot, released far away from it: the hot spot keeps the mouse.
void pressMoveOffRelease(FrmMain& m)
{
    tktest::press(m.Label1, centre(m.Label1));
    tktest::moveTo(m.Label1, {-60, -60});
    tktest::release(m.Label1, {-60, -60});
}
void hover(FrmMain& m)
{
    tktest::moveTo(m.Label1, {-30, -30}); // from beside it
    tktest::moveTo(m.Label1, centre(m.Label1));
}
void hoverHeld(FrmMain& m)
{
    tktest::press(m.Label1, {2, 2});
    tktest::moveTo(m.Label1, centre(m.Label1));
}

} // namespace

TEST(HotSpotJudge, MouseActionsCompleteOnlyTheirOwnStep)
{
    struct Case {
        const char* code;
        Action act;
        const char* what;
        bool advances;
    };
    const Case cases[] = {
        {"0001", leftClick, "left click", true},
        {"0001", pressMoveOffRelease, "pressed on it, released away", true},
        {"0001", ctrlLeftClick, "Ctrl+left click", false},
        {"0001", rightClick, "right click", false},
        {"0001", dblClick, "double click", true}, // its first release
        {"0002", dblClick, "double click", true},
        {"0002", leftClick, "left click", false},
        {"0003", rightClick, "right click", true},
        {"0003", leftClick, "left click", false},
        {"9102", shiftRightClick, "Shift+right", true},
        {"9102", shiftCtrlRightClick, "Shift+Ctrl+right", false},
        {"9102", rightClick, "right", false},
        {"9001", leftClick, "left", true},
        {"9001", ctrlLeftClick, "Ctrl+left", false},
        {"9404", altMiddleClick, "Alt+middle", true},
        {"9404", middleClick, "middle", false},
        {"0030", hover, "move over it", true},
        {"0030", hoverHeld, "move over it, button held", true},
        {"6013", leftClick, "left click on a key step", false},
        {"0040", leftClick, "left click on a rubber-band step", false},
        {"8888", leftClick, "left click on a timed step", false},
    };
    for (const Case& c : cases) {
        World w;
        w.ops(oneStep(hotStep(QString::fromLatin1(c.code))));
        FrmMain& m = shown();
        const QRectF spot(m.Label1.Left(), m.Label1.Top(), m.Label1.Width(), m.Label1.Height());
        c.act(m);
        SCOPED_TRACE(std::string(c.code) + ": " + c.what);
        EXPECT_EQ(iStepNo, c.advances ? 2 : 1);
        EXPECT_EQ(iTmFlags(1) >= 4, c.advances);
        if (!c.advances) { // nothing else changed either
            EXPECT_EQ(m.opCode, QString::fromLatin1(c.code).toShort());
            EXPECT_EQ(QRectF(m.Label1.Left(), m.Label1.Top(), m.Label1.Width(), m.Label1.Height()), spot);
            EXPECT_FALSE(m.LblSuccess.Visible());
        }
    }
}

// The rest of a gesture reaches the judges under the next step's record.
TEST(HotSpotJudge, RestOfAGestureIsJudgedAgainstTheNextStep)
{
    struct Case {
        const char* first;
        Action act;
        int stepAfter;
    };
    const Case cases[] = {
        {"0003", rightClick, 2}, // the right release does not click the next step
        {"0002", dblClick, 3},   // the second release clicks the next step
        {"9001", leftClick, 3},  // the release after the press clicks it
        {"9002", rightClick, 2},
    };
    for (const Case& c : cases) {
        World w;
        w.ops({hotStep(QString::fromLatin1(c.first)), hotStep(QStringLiteral("0001")), Record(QStringLiteral("9999"))});
        FrmMain& m = shown();
        c.act(m);
        SCOPED_TRACE(c.first);
        EXPECT_EQ(iStepNo, c.stepAfter);
    }
}

TEST(KeyJudge, KeyNumbersSelectTheirKeys)
{
    struct Case {
        const char* code;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        bool advances;
    };
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    const Case cases[] = {
        {"6003", Qt::Key_F2, none, true},
        {"6009", Qt::Key_F8, none, true},
        {"6019", Qt::Key_F8, none, true},
        {"6012", Qt::Key_F1, none, true},
        {"6020", Qt::Key_F9, none, true},
        {"6013", Qt::Key_Return, none, true},
        {"6013", Qt::Key_Enter, pad, true},
        {"6091", Qt::Key_Slash, none, true},
        {"6091", Qt::Key_Slash, pad, false}, // the keypad's "/" is a key of its own
        {"6011", Qt::Key_Slash, pad, true},
        {"6191", Qt::Key_Question, Qt::ShiftModifier, true}, // Shift+"/" is still the "/" key
        {"6099", Qt::Key_Period, none, true},
        {"6010", Qt::Key_Period, pad, true},
        {"6000", Qt::Key_4, pad, true},      // 00 is keypad code 100
        {"6000", Qt::Key_4, none, false},
        {"6002", Qt::Key_6, pad, true},
        {"6109", Qt::Key_F8, Qt::ShiftModifier, true},
        {"6109", Qt::Key_F8, Qt::ShiftModifier | Qt::ControlModifier, false},
        {"6109", Qt::Key_F8, none, false},
        {"6009", Qt::Key_F8, Qt::ShiftModifier, false},
        {"6027", Qt::Key_Escape, none, true},
        {"6046", Qt::Key_Delete, none, true},
        {"6040", Qt::Key_Down, none, true},
        {"6265", Qt::Key_A, Qt::ControlModifier, true},
        {"6265", Qt::Key_B, Qt::ControlModifier, false},
        {"6413", Qt::Key_Return, Qt::AltModifier, true},
        {"0001", Qt::Key_Return, none, false}, // no key step
    };
    for (const Case& c : cases) {
        World w;
        w.ops(oneStep(hotStep(QString::fromLatin1(c.code))));
        FrmMain& m = shown();
        key(m, c.key, c.mods);
        SCOPED_TRACE(std::string(c.code) + " " + QKeySequence(c.key | c.mods).toString().toStdString());
        EXPECT_EQ(iStepNo, c.advances ? 2 : 1);
    }
}

// "P" in col 86 makes any step a key step as well: here Ctrl+A.
TEST(KeyJudge, KeyOverrideOnAnyCode)
{
    for (const char* code : {"0001", "0003", "0030", "0020", "3110", "6013", "T001"}) {
        World w;
        w.ops(oneStep(withKeyOverride(hotStep(QString::fromLatin1(code)), 2, 65)));
        FrmMain& m = shown();
        SCOPED_TRACE(code);
        EXPECT_FALSE(m.Text1.Visible()) << "the override keeps the text box hidden";
        key(m, Qt::Key_Return);
        key(m, Qt::Key_A);
        key(m, Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier);
        EXPECT_EQ(iStepNo, 1);
        key(m, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(iStepNo, 2);
    }
    World w;
    w.ops(oneStep(withKeyOverride(hotStep(QStringLiteral("0001")), 2, 65)));
    FrmMain& m = shown();
    leftClick(m);
    EXPECT_EQ(iStepNo, 2) << "and by the action its code asks for";
}

TEST(KeyJudge, KeysOfTheTextBoxAndRepeatsAreNotJudged)
{
    World w;
    w.ops(oneStep(Record(QStringLiteral("6013")).textBox(1500, 4500, 3000, 300)));
    FrmMain& m = shown();
    ASSERT_TRUE(m.Text1.Visible());
    key(m, Qt::Key_Return);
    EXPECT_EQ(iStepNo, 1) << "Enter went to the text box";

    World w2;
    w2.ops(oneStep(hotStep(QStringLiteral("6119"))));
    FrmMain& m2 = shown();
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_F8, Qt::ShiftModifier, QString(), true);
    QApplication::sendEvent(&m2, &repeat);
    EXPECT_EQ(iStepNo, 1) << "a held key is judged at its real release";
    key(m2, Qt::Key_F8, Qt::ShiftModifier);
    EXPECT_EQ(iStepNo, 2);
}

// Moving over the hot spot shows the drag pointer (cols 101-105), except at rubber-band and drag
// steps, where the hot spot keeps the pointer the scene gave it (cols 96-100).
TEST(HotSpotJudge, HoverPointer)
{
    struct Case {
        const char* code;
        const char* dragSpec;
        int before, after;
    };
    const Case cases[] = {
        {"0001", "S0011", 2, 11},
        {"0002", "M0003", 2, 99},
        {"0003", "X0011", 2, 0},
        {"0040", "S0011", 2, 2},
        {"0051", "S0011", 2, 2},
    };
    for (const Case& c : cases) {
        World w;
        w.ops(oneStep(withDragPointer(Record(QString::fromLatin1(c.code)).hotSpot(1500, 1500, 1500, 900).pointer(QStringLiteral("S0002")),
                                      QString::fromLatin1(c.dragSpec))));
        FrmMain& m = shown();
        SCOPED_TRACE(c.code);
        EXPECT_EQ(m.Label1.MousePointer(), c.before);
        hover(m);
        EXPECT_EQ(m.Label1.MousePointer(), c.after);
        EXPECT_EQ(iStepNo, 1);
    }
}

// Type an accepted answer, then click the hot spot with any button.
TEST(HotSpotJudge, TypeThenClick)
{
    struct Case {
        int answerRef; // 0: "000"
        const char* typed;
        Action act;
        bool advances;
    };
    const Case cases[] = {
        {1, "cd", leftClick, true},
        {1, " AB ", rightClick, true},
        {1, "ab|cd", leftClick, false},
        {1, "abc", leftClick, false},
        {1, "", leftClick, false},
        {2, "b|c", leftClick, true},  // split at the first bar only
        {2, "c", leftClick, false},
        {0, "   ", leftClick, true},  // no answer: an empty box or one of blanks
        {0, "", ctrlLeftClick, true},
        {0, "a", leftClick, false},
    };
    for (const Case& c : cases) {
        World w;
        w.texts({QStringLiteral("ab|cd"), QStringLiteral("a|b|c")});
        w.ops(oneStep(Record(QStringLiteral("0026")).hotSpot(6000, 1500, 1500, 900).textBox(1500, 4500, 3000, 300).answer(c.answerRef)));
        FrmMain& m = shown();
        type(m, QString::fromLatin1(c.typed));
        SCOPED_TRACE(std::to_string(c.answerRef) + " '" + c.typed + "'");
        EXPECT_EQ(m.Text1.Text(), QString::fromLatin1(c.typed));
        EXPECT_EQ(iStepNo, 1) << "typing alone never completes it";
        c.act(m);
        EXPECT_EQ(iStepNo, c.advances ? 2 : 1);
    }
}
