// Typing judges through real keys (and input-method commits for Chinese text) in the surface's
// text boxes: typing with and without case, typing and Enter, selecting, the rename box and the
// second box; the input method switched on when the answer box gets the focus.

#include "judges_fixture.h"
#include "platform/keyboardlayout.h"

#include <gtest/gtest.h>

using namespace judgetest;
using testrec::Record;
using testworld::World;
using namespace ModData;

namespace {

// A step of `code` with the text box, its answer on line 1 of the operation-text file (none
// when answer is null) and its initial text on line 2, then the end record.
FrmMain& typingStep(World& w, const char* code, const char* answer, const QString& initial = QString())
{
    w.texts({answer ? QString::fromUtf8(answer) : QStringLiteral("unused"), initial});
    w.ops({Record(QString::fromLatin1(code)).textBox(1500, 4500, 3000, 300).answer(answer ? 1 : 0).initialText(initial.isEmpty() ? 0 : 2),
           Record(QStringLiteral("9999"))});
    return shown();
}

} // namespace

TEST(TypingJudge, TypingAndExactTyping)
{
    struct Case {
        const char* code;
        const char* answer; // null: "000"
        const char* keys;   // "\b" Backspace, "\r" Enter
        bool advances;
        const char* boxAfter;
    };
    const Case cases[] = {
        {"0020", "ab", "abc", true, "ab"}, // judged as soon as "ab" stands in the box
        {"0020", "Disk", "DISK", true, "DISK"},
        {"0020", "a|b|c", "b|c", true, "b|c"}, // split at the first bar only
        {"0020", "a|b|c", "c", false, "c"},
        {"0020", "文件夹|folder", "文件夹", true, "文件夹"},
        {"0020", "文件夹|folder", " FOLDER", true, " FOLDER"},
        {"0020", "ab", "a\rb", true, "ab"}, // Enter puts no line break into the box
        {"0020", "abc|", "x\b", true, ""},  // the empty second answer: emptying the box
        {"0020", nullptr, " ", true, " "},  // no answer: blanks only
        {"0020", nullptr, "a", false, "a"},
        {"0025", "Disk", "disk", false, "disk"},
        {"0025", "Disk", " Disk ", true, " Disk"},
        {"0025", "Disk|disc", "disc", true, "disc"},
        {"0024", "New", "new", false, "new"}, // typing alone: only Enter is judged
        {"0021", "ab", "ab", true, ""},       // the keys go to the rename box
    };
    for (const Case& c : cases) {
        World w;
        SCOPED_TRACE(std::string(c.code) + " '" + (c.answer ? c.answer : "000") + "' typed '" + c.keys + "'");
        FrmMain& m = typingStep(w, c.code, c.answer);
        EXPECT_EQ(iStepNo, 1);
        type(m, QString::fromUtf8(c.keys));
        EXPECT_EQ(iStepNo, c.advances ? 2 : 1);
        if (QString::fromLatin1(c.code) != u"0021") {
            EXPECT_EQ(m.Text1.Text(), QString::fromUtf8(c.boxAfter));
        }
    }
}

TEST(TypingJudge, TypingAndEnter)
{
    struct Case {
        const char* answer;
        const char* keys;
        bool advances;
        const char* boxAfter;
    };
    const Case cases[] = {
        {"New", "new\r", true, "new"},
        {"New", "NEW \r", true, "NEW "},
        {"New|Neu", "neu\r", true, "neu"},
        {"New", "now\r", false, ""}, // a wrong answer empties the box
        {"New", "新New\r", true, "新New"}, // its printable-ASCII form matches
        {"文件", "文件\r", true, "文件"},
        {"文件", "文件x\r", false, ""},
    };
    for (const Case& c : cases) {
        World w;
        FrmMain& m = typingStep(w, "0024", c.answer);
        type(m, QString::fromUtf8(c.keys));
        SCOPED_TRACE(std::string(c.answer) + " typed '" + c.keys + "'");
        EXPECT_EQ(iStepNo, c.advances ? 2 : 1);
        EXPECT_EQ(m.Text1.Text(), QString::fromUtf8(c.boxAfter));
    }
}

// The selection must be the target itself, whatever the case of either; blanks count.
TEST(TypingJudge, SelectionIsComparedExactlyButForCase)
{
    struct Case {
        const char* target;
        int start, length;
        bool advances;
    };
    const Case cases[] = {
        {"readme", 5, 6, true},  // "Readme"
        {"Readme", 5, 6, true},
        {" readme ", 5, 6, true}, // the target is trimmed
        {"readme", 4, 7, false},  // " Readme"
        {"readme", 5, 5, false},
        {"readme", 5, 0, false},
    };
    for (const Case& c : cases) {
        World w;
        w.texts({QString::fromLatin1(c.target), QStringLiteral("open Readme now")});
        w.ops({Record(QStringLiteral("0023")).textBox(1500, 4500, 3000, 300).initialText(2).hintRef(1), Record(QStringLiteral("9999"))});
        FrmMain& m = shown();
        ASSERT_EQ(m.Text1.Text(), QStringLiteral("open Readme now"));
        // Dragged over the text; judged at the release.
        const QPoint from = boundaryPoint(m.Text1, c.start);
        const QPoint to = boundaryPoint(m.Text1, c.start + c.length);
        tktest::press(m.Text1, from);
        tktest::moveTo(m.Text1, to);
        const QString selected = m.Text1.SelText();
        SCOPED_TRACE(std::string(c.target) + " selected '" + selected.toStdString() + "'");
        EXPECT_EQ(selected.size(), c.length);
        EXPECT_EQ(iStepNo, 1);
        tktest::release(m.Text1, to);
        EXPECT_EQ(iStepNo, c.advances ? 2 : 1);
    }
    // A selection made with the keyboard is judged at the next release of the mouse.
    World w;
    w.texts({QStringLiteral("readme"), QStringLiteral("open Readme now")});
    w.ops({Record(QStringLiteral("0023")).textBox(1500, 4500, 3000, 300).initialText(2).hintRef(1), Record(QStringLiteral("9999"))});
    FrmMain& m = shown();
    key(m, Qt::Key_End);
    for (int i = 0; i < 4; ++i)
        key(m, Qt::Key_Left);
    for (int i = 0; i < 6; ++i)
        key(m, Qt::Key_Left, Qt::ShiftModifier);
    ASSERT_EQ(m.Text1.SelText(), QStringLiteral("Readme"));
    EXPECT_EQ(iStepNo, 1);
    m.Text1_MouseUp(1, 0, 0, 0);
    EXPECT_EQ(iStepNo, 2);
}

// The rename box and the second box take either answer of "a|b" and the whole answer text.
TEST(TypingJudge, RenameAndSecondBox)
{
    struct Case {
        const char* code;
        const char* initial; // Text1's initial text, which the box takes over
        const char* keys;    // typed after selecting the box's text
        bool advances;
    };
    const Case cases[] = {
        {"0021", "新建文件夹", "xa", true},
        {"0021", "新建文件夹", " YB", true},
        {"0021", "新建文件夹", "x", false},
        {"0021", "xa|yb", "", true}, // the whole answer text, as the box takes it over
        {"0021", "xa|y", "", false},
        {"0027", "old", "yb", true},
        {"0027", "old", "xa|yb", true},
        {"0027", "XA|YB", "", true},
        {"0027", "old", "z", false},
    };
    for (const Case& c : cases) {
        World w;
        FrmMain& m = typingStep(w, c.code, "xa|yb", QString::fromUtf8(c.initial));
        SCOPED_TRACE(std::string(c.code) + " " + c.initial + " '" + c.keys + "'");
        tk::TextBox& box = QString::fromLatin1(c.code) == u"0021" ? m.Text2 : m.Text3;
        if (iStepNo == 1) {
            EXPECT_TRUE(box.Visible());
            EXPECT_FALSE(m.Text1.Visible());
            EXPECT_EQ(box.Text(), QString::fromUtf8(c.initial));
            click(box, centre(box));
            key(m, Qt::Key_A, Qt::ControlModifier);
            type(m, QString::fromUtf8(c.keys));
        }
        EXPECT_EQ(iStepNo, c.advances ? 2 : 1);
    }
}

// The answer box hides at rename and second-box steps; its keys go on to the box shown in its
// place, so the candidate types straight on.
TEST(TypingJudge, KeysMoveOnToTheBoxShownInsteadOfTheAnswerBox)
{
    for (const char* code : {"0021", "0027"}) {
        World w;
        FrmMain& m = typingStep(w, code, "xa|yb", QStringLiteral("新建文件夹"));
        SCOPED_TRACE(code);
        key(m, Qt::Key_A, Qt::ControlModifier);
        type(m, QStringLiteral("yb"));
        EXPECT_EQ(iStepNo, 2);
    }
}

// After a typing step the keys reach the surface again: a key step that follows is judged.
TEST(TypingJudge, KeyStepAfterATypingStep)
{
    World w;
    w.texts({QStringLiteral("ab")});
    w.ops({Record(QStringLiteral("0020")).textBox(1500, 4500, 3000, 300).answer(1),
           Record(QStringLiteral("6013")).hotSpot(1500, 1500, 900, 900), Record(QStringLiteral("9999"))});
    FrmMain& m = shown();
    type(m, QStringLiteral("ab"));
    ASSERT_EQ(iStepNo, 2);
    EXPECT_FALSE(m.Text1.Visible());
    key(m, Qt::Key_Return);
    EXPECT_EQ(iStepNo, 3);
}

TEST(TypingJudge, InputMethodOnFocus)
{
    QList<qint32> activated;
    platform::setKeyboardLayoutServices({{}, [&](qint32 h) { activated << h; }});
    for (bool on : {true, false}) {
        activated.clear();
        World w;
        bAutoIme = on;
        lImeHkl = 0x08040804;
        typingStep(w, "0020", "ab");
        SCOPED_TRACE(on);
        // Two empty lists are not compared: Qt's list comparison hands memcmp null pointers then.
        if (on) {
            EXPECT_EQ(activated, QList<qint32>{0x08040804});
        } else {
            EXPECT_TRUE(activated.isEmpty());
        }
    }
    platform::setKeyboardLayoutServices({});
    EXPECT_EQ(platform::keyboardLayouts().size(), 1u); // the default layout alone
}
