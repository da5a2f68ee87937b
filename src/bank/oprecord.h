#pragma once
// The operation record: one fixed-column text line per step of an operation question, and the
// operation-text file whose lines the records name by three-digit references.
//
// Columns are numbered from 1 and count characters of the line as read (a Chinese character is
// one column). A run beyond the end of a short line reads as empty text, so every reading below
// works on any line, short, garbled or long.

#include <QChar>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace bank {

// Marks of the record.
inline constexpr QStringView kKeepMark = u"888888";       // picture id: keep the plane's picture
inline constexpr QStringView kHiddenMark = u"0000000000"; // position pair: hide / leave unplaced
inline constexpr QStringView kNoText = u"000";            // text reference naming no text
inline constexpr QStringView kNoBackMark = u"NONO";

// What kind of step an operation code asks for, classified by the same tests the judges make.
enum class StepKind {
    Unknown,       // no judge on the surface
    Click,         // 0001
    DoubleClick,   // 0002
    RightClick,    // 0003
    Button,        // 9bss, not 9999
    Key,           // 6bkk
    Hover,         // 0030
    RubberBand,    // 004s
    Drag,          // 005s
    TypeThenClick, // 0026
    Typing,        // 0020
    ExactTyping,   // 0025
    Rename,        // 0021
    Selection,     // 0023
    TypingEnter,   // 0024
    SecondBox,     // 0027
    Popup,         // 3mgi, 4mgi
    MenuBar,       // 7000
    PictureDrag,   // 8001-8004, 8006-8009
    Timed,         // 8888
    End,           // 9999
    DemoClick,     // 2000, 5xxx
    ClickInPlace,  // Txxx
};

// Button step 9bss: mouse button ss (1 left, 2 right, 4 middle) with Shift state b.
struct ButtonStep {
    int button = 0;
    int shift = 0;
    bool operator==(const ButtonStep&) const = default;
};

// Key step 6bkk, or any step with the key override "P" in col 86.
struct KeyStep {
    int shift = 0;     // bits 1 Shift, 2 Ctrl, 4 Alt
    int keyNumber = 0; // as written in the record
    int keyCode = 0;   // the Windows virtual-key code it selects (keyCodeOfNumber)
    bool operator==(const KeyStep&) const = default;
};

// Popup-menu step smgi: set 1 for code 3mgi, 2 for 4mgi; menu block m, section g, item i.
struct PopupStep {
    int set = 0;
    int block = 0;
    int section = 0;
    int item = 0;
    bool operator==(const PopupStep&) const = default;
};

// The virtual-key code of a key number of a key step: 9 becomes 119, 20 or less gets 100 added,
// 113 becomes 13, 103 becomes 113, 91 becomes 191, 99 becomes 190, applied in this order.
int keyCodeOfNumber(int keyNumber);

// The operation code, cols 8-11: as written and as its value.
class OpCode {
public:
    OpCode() = default;
    explicit OpCode(QString text);

    const QString& text() const { return m_text; }
    qint16 value() const { return m_value; }
    StepKind kind() const;

    std::optional<ButtonStep> buttonStep() const;  // 9bss, not 9999
    std::optional<PopupStep> popupStep() const;    // 3mgi, 4mgi
    // Rubber-band (004s) and drag (005s) steps: the Shift state s, the value of col 11.
    std::optional<int> dragShift() const;
    // Picture-drag steps 8001-8004, 8006-8009: the direction digit (1 left, 2 right, 3 up,
    // 4 down, 6 down-left, 7 down-right, 8 up-left, 9 up-right).
    std::optional<int> pictureDragDirection() const;
    bool isEnd() const { return m_text == u"9999"; }
    // Third character "4" or "5" (rubber-band and drag steps): moving over the hot spot leaves
    // its pointer as it is.
    bool keepsHoverPointer() const
    {
        return m_text.size() > 2 && (m_text.at(2) == u'4' || m_text.at(2) == u'5');
    }
    // Every code beginning "80": hot spot and second hot spot shrink to 1 x 1.
    bool shrinksHotSpots() const { return m_text.startsWith(u"80"); }

private:
    QString m_text;
    qint16 m_value = 0;
};

// A rectangle in design twips.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipRect&) const = default;
};

// One picture plane: 0 the form picture, 1-3 Image1-Image3, 4 Image4, 5 Image5 (drag picture).
struct Plane {
    bool hidden = false; // hidden mark in the position pair (never for plane 0)
    int left = 0;        // design twips; 0 for plane 0
    int top = 0;
    QString picture;     // six-character id as written
    bool keep() const { return picture == kKeepMark; }
};

// A three-digit text reference into the operation-text file.
struct TextRef {
    QString digits; // as written; shorter when the line ends early
    bool none() const { return digits == kNoText; }
    int number() const; // its value, the line to look up
};

// Mouse pointer field, five characters: a letter, two unread characters, two-digit number nn.
struct PointerSpec {
    enum class Kind { Default, Standard, Custom };
    Kind kind = Kind::Default;
    int number = 0;       // Standard: nn; Custom: 99; Default: 0
    QString cursorDigits; // cols of nn as written, for the cursor file
    // The pointer number to set, or nothing for a standard number outside 0-15 (the property
    // is then left as it was).
    std::optional<int> pointer() const;
    // The cursor file name "ico" & nn & ".CUR" for a custom pointer; empty otherwise, and empty
    // when the characters would leave the program folder.
    QString cursorFileName() const;
};

// Text-box font field, cols 125-134 while the text box is shown. A property without a row in
// its table is left as it was.
struct FontSpec {
    std::optional<double> points; // size in points: cols 126-128 / 10, or 9 for 0
    std::optional<bool> bold, italic, underline; // col 131
    std::optional<QString> family;               // col 132
    std::optional<quint32> textColour;           // col 133, platform 0xBBGGRR
    std::optional<quint32> backColour;           // col 134, platform 0xBBGGRR
};

// Menu choice code, cols 125-129, of a menu-bar step.
struct MenuChoice {
    qint32 code = 0; // value of cols 125-129, compared by the drawn menu bar
    int set = 0;     // value of col 125
    int row = 0;     // value of cols 126-127
    int subRow = 0;  // value of cols 128-129; 0 when they are "00"
    bool hasSubRow = false; // cols 128-129 are not "00"
};

// Tab field, cols 130-134 when col 130 is "X".
struct TabSpec {
    QChar layout;       // col 131, layout letter
    int currentTab = 0; // col 132, tab digit
    int targetTab = 0;  // col 133, tab digit
    int imagePlane = 0; // value of col 134, 1-5 names Image1-Image5
};

// Tab digit: "1"-"9" for 1-9, "A"-"D" for 10-13, anything else 0.
int tabDigit(QChar c);

class OpRecord {
public:
    OpRecord() = default;
    explicit OpRecord(QString line) : m_line(std::move(line)) {}

    const QString& line() const { return m_line; }

    // Columns a to b; empty or shorter where the line ends earlier.
    QString run(int a, int b) const;
    QStringView runView(int a, int b) const;
    QChar col(int a) const; // QChar() beyond the end
    double value(int a, int b) const;
    qint16 int16(int a, int b) const;
    qint32 int32(int a, int b) const;
    int coord(int a, int b) const; // 0 to 32767
    bool isHiddenMark(int a) const { return runView(a, a + 9) == kHiddenMark; }

    // cols 6-7 "EE": a left press on the second hot spot does not complete the step.
    bool dragOnly() const { return runView(6, 7) == u"EE"; }
    OpCode opCode() const { return OpCode(run(8, 11)); }

    // Plane k, 0-5; nothing for another k.
    std::optional<Plane> plane(int k) const;

    // Hot spot Label1, cols 66-85; hidden when they are twenty zeros.
    bool hotSpotHidden() const { return runView(66, 85) == u"00000000000000000000"; }
    TwipRect hotSpot() const;

    // Text box Text1, cols 86-105; shown when the value of all twenty is not 0.
    bool textBoxShown() const { return value(86, 105) != 0; }
    TwipRect textBox() const;

    // Key step: from the code 6bkk, or from the key override "P" in col 86 (Shift state col 88,
    // key number cols 89-90) whatever the code.
    bool keyOverride() const { return col(86) == u'P'; }
    std::optional<KeyStep> keyStep() const;

    PointerSpec hotSpotPointer() const;       // cols 96-100: "S" standard, "M" custom, else 0
    PointerSpec dragPointer() const;          // cols 101-105, same reading, for Label1
    PointerSpec secondHotSpotPointer() const; // cols 101-105: "S" standard, anything else custom

    TextRef initialText() const { return {run(106, 108)}; }
    TextRef answerText() const { return {run(109, 111)}; }
    TextRef hintText() const { return {run(122, 124)}; }

    // Hint label LHelp, cols 112-121; not placed under the hidden mark.
    bool hintPlaced() const { return !isHiddenMark(112); }
    int hintLeft() const { return coord(112, 116); }
    int hintTop() const { return coord(117, 121); }

    // The shared block, cols 125-134, each use tested on its own.
    QString sharedBlock() const { return run(125, 134); }
    FontSpec fontSpec() const;
    // Menu-bar switch: titles live unless cols 125-134 are the hidden mark or their value is 0.
    bool menuBarLive() const;
    qint32 popupX() const { return int32(125, 129); }
    qint32 popupY() const { return int32(130, 134); }
    MenuChoice menuChoice() const;
    // Back mark: cols 125-129 when col 125 is "Q", else "NONO".
    QString backMark() const;
    // Steps the step-back spot goes back for a "Q" mark: digit of its last character, 0 as 1.
    int backSteps() const;
    // Yellow menu-bar frame: value of cols 125-129 above 0, not "11111", cols 130-134 "00000".
    bool menuBarFrame() const;
    bool hasTabSpec() const { return col(130) == u'X'; }
    std::optional<TabSpec> tabSpec() const;

    int dragBoundX() const { return int16(167, 171); }
    int dragBoundY() const { return int16(172, 176); }

    // Second hot spot Label4, cols 177-196; placed unless cols 187-196 are the hidden mark.
    bool secondHotSpotPlaced() const { return !isHiddenMark(187); }
    TwipRect secondHotSpot() const;

private:
    PointerSpec pointerAt(int a, bool anyLetterIsCustom) const;
    QString m_line;
};

// The two accepted answers of an answer text: the parts before and after its first "|"; the
// whole text twice when it has none.
struct Answers {
    QString first;
    QString second;
    bool operator==(const Answers&) const = default;
};
Answers splitAnswers(const QString& answerText);

// Record of a line of an operation file, read from the top: a line beyond the end, or below 1,
// gives the file's last line. Nothing when the file cannot be read.
std::optional<QString> readOpRecord(const QString& opFile, int lineNo);

// Text of line n of the operation-text file: the line from its 4th character on. A reference
// beyond the last line, or below 1, gives the last line's text; a line of three characters or
// fewer and a missing file give the empty text.
QString operationText(const QString& opTextFile, int n);
// The same for a reference; "000" gives the empty text (callers with another default test none()).
QString operationText(const QString& opTextFile, const TextRef& ref);

} // namespace bank
