#include "bank/oprecord.h"
#include "bank/value.h"
#include "platform/textfile.h"
#include "print.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace bank;

namespace {
// A 196-column record of zeros with the given runs written at their first column.
QString rec(std::initializer_list<std::pair<int, QString>> runs)
{
    QString line(196, u'0');
    for (const auto& [col, text] : runs)
        line.replace(col - 1, text.size(), text);
    return line;
}

QString writeGbk(const QTemporaryDir& dir, const QString& name, const QString& text)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(platform::encodeGbk(text));
    return path;
}
} // namespace

TEST(RunValue, LeadingNumberOrZero)
{
    const std::pair<QString, double> cases[] = {
        {"00150", 150},    {"  -12.5x", -12.5}, {"+7", 7},     {"abc", 0},   {"", 0},
        {"1 2", 1},        {".5", 0.5},         {"-", 0},      {"12.3.4", 12.3},
        {"S0011", 0},      {"0000000000", 0},   {"\t 42", 42}, {"- 3", 0},   {"9999", 9999},
    };
    for (const auto& [run, want] : cases)
        EXPECT_DOUBLE_EQ(runValue(run), want) << run.toStdString();
}

TEST(RunValue, IntegersRoundHalfToEvenAndSaturate)
{
    const std::pair<double, int> to16[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {1e10, 32767}, {-1e10, -32768}, {32767.4, 32767}};
    for (const auto& [v, want] : to16)
        EXPECT_EQ(toInt16(v), want) << v;
    EXPECT_EQ(toCoord(-5), 0);
    EXPECT_EQ(toCoord(99999), 32767);
    EXPECT_EQ(toInt32(9999999999.0), 2147483647);

    // Hundreds of digits give the largest value, never a fault.
    const QString huge(400, u'9');
    EXPECT_EQ(toInt16(runValue(huge)), 32767);
    EXPECT_EQ(toInt32(runValue(u'-' + huge)), -2147483647 - 1);
    EXPECT_EQ(OpRecord(huge).coord(1, 400), 32767);
}

TEST(OpRecord, ColumnsCountCharactersAndEndEarly)
{
    const OpRecord r(QStringLiteral("12345中文ab"));
    EXPECT_EQ(r.run(6, 7), QStringLiteral("中文"));
    EXPECT_EQ(r.col(8), u'a');
    EXPECT_EQ(r.run(8, 20), "ab");
    EXPECT_EQ(r.run(10, 20), "");
    EXPECT_EQ(r.run(0, 2), "12");
    EXPECT_EQ(r.run(5, 2), "");
    EXPECT_EQ(r.col(0), QChar());
    EXPECT_EQ(r.col(99), QChar());
    EXPECT_EQ(r.value(1, 5), 12345);
    EXPECT_EQ(r.value(6, 7), 0);
}

TEST(OpCode, KindsAndPartsAsTheJudgesReadThem)
{
    struct Case {
        QString code;
        StepKind kind;
        int value;
    };
    const Case cases[] = {
        {"0001", StepKind::Click, 1},         {"0002", StepKind::DoubleClick, 2},
        {"0003", StepKind::RightClick, 3},    {"9102", StepKind::Button, 9102},
        {"9999", StepKind::End, 9999},        {"6013", StepKind::Key, 6013},
        {"0030", StepKind::Hover, 30},        {"0041", StepKind::RubberBand, 41},
        {"0050", StepKind::Drag, 50},         {"0026", StepKind::TypeThenClick, 26},
        {"0020", StepKind::Typing, 20},       {"0025", StepKind::ExactTyping, 25},
        {"0021", StepKind::Rename, 21},       {"0023", StepKind::Selection, 23},
        {"0024", StepKind::TypingEnter, 24},  {"0027", StepKind::SecondBox, 27},
        {"3123", StepKind::Popup, 3123},      {"4910", StepKind::Popup, 4910},
        {"7000", StepKind::MenuBar, 7000},    {"8001", StepKind::PictureDrag, 8001},
        {"8009", StepKind::PictureDrag, 8009}, {"8005", StepKind::Unknown, 8005},
        {"8888", StepKind::Timed, 8888},      {"2000", StepKind::DemoClick, 2000},
        {"5123", StepKind::DemoClick, 5123},  {"T001", StepKind::ClickInPlace, 0},
        {"", StepKind::Unknown, 0},           {"ab", StepKind::Unknown, 0},
        {"  30", StepKind::Unknown, 30},      {"-001", StepKind::Unknown, -1},
    };
    for (const Case& c : cases) {
        const OpCode code(c.code);
        EXPECT_EQ(code.kind(), c.kind) << c.code.toStdString();
        EXPECT_EQ(code.value(), c.value) << c.code.toStdString();
    }

    EXPECT_EQ(OpCode("9102").buttonStep(), (ButtonStep{2, 1}));
    EXPECT_EQ(OpCode("9401").buttonStep(), (ButtonStep{1, 4}));
    EXPECT_FALSE(OpCode("9999").buttonStep());
    EXPECT_EQ(OpCode("3123").popupStep(), (PopupStep{1, 1, 2, 3}));
    EXPECT_EQ(OpCode("4907").popupStep(), (PopupStep{2, 9, 0, 7}));
    EXPECT_FALSE(OpCode("5123").popupStep());
    EXPECT_EQ(OpCode("0043").dragShift(), 3);
    EXPECT_EQ(OpCode("005x").dragShift(), 0);
    EXPECT_EQ(OpCode("005").dragShift(), 0);
    EXPECT_FALSE(OpCode("0060").dragShift());
    EXPECT_EQ(OpCode("8007").pictureDragDirection(), 7);
    EXPECT_FALSE(OpCode("8005").pictureDragDirection());
    EXPECT_TRUE(OpCode("8005").shrinksHotSpots());
    EXPECT_TRUE(OpCode("80ab").shrinksHotSpots());
    EXPECT_FALSE(OpCode(" 9999").isEnd());
    EXPECT_TRUE(OpCode("0041").keepsHoverPointer());
    EXPECT_TRUE(OpCode("3452").keepsHoverPointer());
    EXPECT_FALSE(OpCode("0030").keepsHoverPointer());
    EXPECT_FALSE(OpCode("00").keepsHoverPointer());
}

TEST(OpRecord, KeyStepsMapKeyNumbersToKeys)
{
    const std::pair<int, int> keys[] = {
        {3, 113}, {9, 119}, {12, 112}, {13, 13}, {14, 114}, {19, 119}, {20, 120}, {0, 100},
        {2, 102}, {4, 104}, {10, 110}, {11, 111}, {91, 191}, {99, 190}, {27, 27}, {65, 65}};
    for (const auto& [number, code] : keys)
        EXPECT_EQ(keyCodeOfNumber(number), code) << number;

    EXPECT_EQ(OpRecord(rec({{8, "6109"}})).keyStep(), (KeyStep{1, 9, 119}));
    EXPECT_EQ(OpRecord(rec({{8, "6013"}})).keyStep(), (KeyStep{0, 13, 13}));
    EXPECT_FALSE(OpRecord(rec({{8, "0001"}})).keyStep());
    // The key override takes Ctrl+A whatever the code; col 87 is not read.
    const OpRecord over(rec({{8, "0001"}, {86, "Px265"}}));
    EXPECT_TRUE(over.keyOverride());
    EXPECT_EQ(over.keyStep(), (KeyStep{2, 65, 65}));
    EXPECT_FALSE(over.textBoxShown()); // "P..." has the value 0
}

TEST(OpRecord, PlanesWithKeepAndHiddenMarks)
{
    const OpRecord r(rec({{12, "888888"},
                          {18, "00120"}, {23, "00300"}, {28, "100001"},
                          {34, "0000000000"}, {44, "100002"},
                          {50, "00010"}, {55, "00020"}, {60, "888888"},
                          {135, "00500"}, {140, "00600"}, {145, "100004"},
                          {151, "01000"}, {156, "02000"}, {161, "100005"}}));
    struct Want { bool hidden; int left, top; QString picture; bool keep; };
    const Want want[] = {{false, 0, 0, "888888", true},   {false, 120, 300, "100001", false},
                         {true, 0, 0, "100002", false},   {false, 10, 20, "888888", true},
                         {false, 500, 600, "100004", false}, {false, 1000, 2000, "100005", false}};
    for (int k = 0; k < 6; ++k) {
        const auto p = r.plane(k);
        ASSERT_TRUE(p) << k;
        EXPECT_EQ(p->hidden, want[k].hidden) << k;
        EXPECT_EQ(p->left, want[k].left) << k;
        EXPECT_EQ(p->top, want[k].top) << k;
        EXPECT_EQ(p->picture, want[k].picture) << k;
        EXPECT_EQ(p->keep(), want[k].keep) << k;
    }
    EXPECT_FALSE(r.plane(-1));
    EXPECT_FALSE(r.plane(6));
}

TEST(OpRecord, HotSpotsTextBoxHintAndBound)
{
    const OpRecord all0(rec({}));
    EXPECT_TRUE(all0.hotSpotHidden());
    EXPECT_FALSE(all0.textBoxShown());
    EXPECT_FALSE(all0.hintPlaced());
    EXPECT_FALSE(all0.secondHotSpotPlaced());

    const OpRecord r(rec({{66, "01000020000300000000"},
                          {86, "00100002000015000300"},
                          {112, "00050"}, {117, "08000"},
                          {167, "-0100"}, {172, "04500"},
                          {177, "00010000200000000040"}}));
    EXPECT_FALSE(r.hotSpotHidden());
    EXPECT_EQ(r.hotSpot(), (TwipRect{1000, 2000, 3000, 0})); // height 0: a 1 x 1 spot
    EXPECT_TRUE(r.textBoxShown());
    EXPECT_EQ(r.textBox(), (TwipRect{100, 200, 150, 300}));
    EXPECT_TRUE(r.hintPlaced());
    EXPECT_EQ(r.hintLeft(), 50);
    EXPECT_EQ(r.hintTop(), 8000);
    EXPECT_EQ(r.dragBoundX(), -100);
    EXPECT_EQ(r.dragBoundY(), 4500);
    // Width 0 and height 40: cols 187-196 are not the hidden mark, so the spot is placed.
    EXPECT_TRUE(r.secondHotSpotPlaced());
    EXPECT_EQ(r.secondHotSpot(), (TwipRect{10, 20, 0, 40}));
    EXPECT_FALSE(r.dragOnly());
    EXPECT_TRUE(OpRecord(rec({{6, "EE"}})).dragOnly());
}

TEST(OpRecord, SharedBlockUsesAtOnce)
{
    // A shown text box with font field 120, style 1, font 4, text 2, back 1: 12 points, bold,
    // 隶书, red on blue; the same columns turn the menu titles on at popup (1200, 1421).
    const OpRecord r(rec({{86, "00100001000015000300"}, {125, "0120001421"}}));
    const FontSpec f = r.fontSpec();
    EXPECT_EQ(f.points, 12.0);
    EXPECT_EQ(f.bold, true);
    EXPECT_EQ(f.italic, false);
    EXPECT_EQ(f.underline, false);
    EXPECT_EQ(f.family, QStringLiteral("隶书"));
    EXPECT_EQ(f.textColour, 0x0000FFu);
    EXPECT_EQ(f.backColour, 0xFF0000u);
    EXPECT_TRUE(r.menuBarLive());
    EXPECT_EQ(r.popupX(), 1200);
    EXPECT_EQ(r.popupY(), 1421);
    EXPECT_FALSE(r.menuBarFrame());
    EXPECT_FALSE(r.hasTabSpec());
    EXPECT_EQ(r.backMark(), "NONO");

    // Zeros give 9 points in 宋体, black on white, plain.
    const FontSpec z = OpRecord(rec({})).fontSpec();
    EXPECT_EQ(z.points, 9.0);
    EXPECT_EQ(z.family, QStringLiteral("宋体"));
    EXPECT_EQ(z.textColour, 0u);
    EXPECT_EQ(z.backColour, 0xFFFFFFu);
    EXPECT_EQ(z.bold, false);

    // Digits without a row leave the property as it was; a non-digit counts as 0.
    const FontSpec out = OpRecord(rec({{125, "0-50009999"}})).fontSpec();
    EXPECT_FALSE(out.points);
    EXPECT_FALSE(out.bold);
    EXPECT_FALSE(out.family);
    EXPECT_FALSE(out.textColour);
    EXPECT_EQ(out.backColour, 0xA8A8FFu);
    EXPECT_FALSE(OpRecord(rec({{125, "0000000004"}})).fontSpec().backColour);
    const FontSpec letters = OpRecord(rec({{125, "0xyz00abcd"}})).fontSpec();
    EXPECT_EQ(letters.points, 9.0);
    EXPECT_EQ(letters.family, QStringLiteral("宋体"));
    EXPECT_EQ(letters.backColour, 0xFFFFFFu);
}

TEST(OpRecord, SharedBlockSwitchesFrameBackMarkAndTabs)
{
    struct Case {
        QString block;
        bool live;
        bool frame;
        QString backMark;
        int backSteps;
        bool tab;
    };
    const Case cases[] = {
        {"0000000000", false, false, "NONO", 1, false},
        {"1030000000", true, true, "NONO", 1, false},  // menu choice 10300 shows the frame
        {"1111100000", true, false, "NONO", 1, false}, // "11111" never does
        {"10300X1251", true, false, "NONO", 1, true},  // tab field behind digits: titles live
        {"00000XA261", false, false, "NONO", 1, true}, // tab field behind zeros: not live
        {"Q0003XA261", false, false, "Q0003", 3, true},
        {"Q0000abcde", false, false, "Q0000", 1, false},
        {"Q000x00000", false, false, "Q000x", 1, false},
        {"0000000001", true, false, "NONO", 1, false},
    };
    for (const Case& c : cases) {
        const OpRecord r(rec({{125, c.block}}));
        EXPECT_EQ(r.menuBarLive(), c.live) << c.block.toStdString();
        EXPECT_EQ(r.menuBarFrame(), c.frame) << c.block.toStdString();
        EXPECT_EQ(r.backMark(), c.backMark) << c.block.toStdString();
        EXPECT_EQ(r.backSteps(), c.backSteps) << c.block.toStdString();
        EXPECT_EQ(r.hasTabSpec(), c.tab) << c.block.toStdString();
    }
    // A back mark cut short by the end of the line.
    QString shortQ = rec({});
    shortQ.truncate(124);
    EXPECT_EQ(OpRecord(shortQ + "Q2").backMark(), "Q2");
    EXPECT_EQ(OpRecord(shortQ + "Q2").backSteps(), 2);
    EXPECT_EQ(OpRecord(shortQ + "Q").backSteps(), 1);
}

TEST(OpRecord, MenuChoiceAndTabSpec)
{
    struct Case { QString cols; qint32 code; int set, row, subRow; bool hasSub; };
    const Case cases[] = {{"10300", 10300, 1, 3, 0, false},
                          {"40702", 40702, 4, 7, 2, true},
                          {"51003", 51003, 5, 10, 3, true},
                          {"4x7y2", 4, 4, 0, 0, true}};
    for (const Case& c : cases) {
        const MenuChoice m = OpRecord(rec({{8, "7000"}, {125, c.cols}})).menuChoice();
        EXPECT_EQ(m.code, c.code) << c.cols.toStdString();
        EXPECT_EQ(m.set, c.set) << c.cols.toStdString();
        EXPECT_EQ(m.row, c.row) << c.cols.toStdString();
        EXPECT_EQ(m.subRow, c.subRow) << c.cols.toStdString();
        EXPECT_EQ(m.hasSubRow, c.hasSub) << c.cols.toStdString();
    }

    const auto t = OpRecord(rec({{130, "XA2A1"}})).tabSpec();
    ASSERT_TRUE(t);
    EXPECT_EQ(t->layout, u'A');
    EXPECT_EQ(t->currentTab, 2);
    EXPECT_EQ(t->targetTab, 10);
    EXPECT_EQ(t->imagePlane, 1);
    const auto odd = OpRecord(rec({{130, "XZ0Ez"}})).tabSpec();
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->currentTab, 0);
    EXPECT_EQ(odd->targetTab, 0);
    EXPECT_EQ(odd->imagePlane, 0);
    EXPECT_FALSE(OpRecord(rec({{130, "xA2A1"}})).tabSpec());

    const std::pair<QChar, int> digits[] = {{u'1', 1}, {u'9', 9}, {u'A', 10}, {u'D', 13},
                                            {u'E', 0}, {u'0', 0}, {u'a', 0}, {QChar(), 0}};
    for (const auto& [c, want] : digits)
        EXPECT_EQ(tabDigit(c), want);
}

TEST(OpRecord, PointerSpecs)
{
    using K = PointerSpec::Kind;
    struct Case { QString field; K hot; std::optional<int> hotPointer; QString cursor; K second; };
    const Case cases[] = {
        {"S0011", K::Standard, 11, "", K::Standard},
        {"M0003", K::Custom, 99, "ico03.CUR", K::Custom},
        {"00150", K::Default, 0, "", K::Custom},   // width digits of a shown text box
        {"X0005", K::Default, 0, "", K::Custom},
        {"S0055", K::Standard, std::nullopt, "", K::Standard}, // outside the table
        {"M00/x", K::Custom, 99, "", K::Custom},   // never leaves the program folder
        {"Mab12", K::Custom, 99, "ico12.CUR", K::Custom}, // cols 97-98 unread
    };
    for (const Case& c : cases) {
        const OpRecord r(rec({{96, c.field}, {101, c.field}}));
        const PointerSpec hot = r.hotSpotPointer();
        EXPECT_EQ(hot.kind, c.hot) << c.field.toStdString();
        EXPECT_EQ(hot.pointer(), c.hotPointer) << c.field.toStdString();
        EXPECT_EQ(hot.cursorFileName(), c.cursor) << c.field.toStdString();
        EXPECT_EQ(r.dragPointer().kind, c.hot) << c.field.toStdString();
        EXPECT_EQ(r.secondHotSpotPointer().kind, c.second) << c.field.toStdString();
    }
}

TEST(OpRecord, TextReferencesAndAnswers)
{
    const OpRecord r(rec({{106, "000"}, {109, "012"}, {122, "x5y"}}));
    EXPECT_TRUE(r.initialText().none());
    EXPECT_FALSE(r.answerText().none());
    EXPECT_EQ(r.answerText().number(), 12);
    EXPECT_EQ(r.hintText().number(), 0);
    EXPECT_FALSE(TextRef{"00"}.none());

    const std::pair<QString, Answers> answers[] = {
        {"abc", {"abc", "abc"}}, {"a|b", {"a", "b"}}, {"a|b|c", {"a", "b|c"}},
        {"a|", {"a", ""}},       {"|b", {"", "b"}},   {"", {"", ""}},
        {QStringLiteral("文件夹|folder"), {QStringLiteral("文件夹"), "folder"}}};
    for (const auto& [text, want] : answers)
        EXPECT_EQ(splitAnswers(text), want) << text.toStdString();
}

TEST(OperationTextFile, LinesFromTheFourthCharacter)
{
    QTemporaryDir dir;
    const QString texts =
        writeGbk(dir, "288890.mxy", QStringLiteral("001新建文件夹\r\n00\r\n003a|b\r\n"));
    const QString missing = dir.filePath("none.mxy");
    struct Case { QString path; int n; QString want; };
    const Case cases[] = {
        {texts, 1, QStringLiteral("新建文件夹")}, {texts, 2, ""}, {texts, 3, "a|b"},
        {texts, 5, "a|b"}, {texts, 0, "a|b"}, {texts, -4, "a|b"}, {missing, 1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(operationText(c.path, c.n), c.want) << c.n;
    EXPECT_EQ(operationText(texts, TextRef{"000"}), "");
    EXPECT_EQ(operationText(texts, TextRef{"005"}), "a|b");
    EXPECT_EQ(operationText(texts, TextRef{"001"}), QStringLiteral("新建文件夹"));

    const QString ops = writeGbk(dir, "288801.mxy", "r1\r\nr2\r\nr3\r\n");
    EXPECT_EQ(readOpRecord(ops, 2), "r2");
    EXPECT_EQ(readOpRecord(ops, 9), "r3");
    EXPECT_EQ(readOpRecord(ops, 0), "r3");
    EXPECT_FALSE(readOpRecord(missing, 1));
}

TEST(OpRecord, AnyLineReadsWithoutFault)
{
    QString garbled;
    for (int i = 0; i < 300; ++i)
        garbled += QChar(char16_t(0x20 + (i * 37) % 0x5e));
    const QString lines[] = {"",          "0001",           QString(1000, u'9'),
                             garbled,     QString(196, u'中'), QString(250, u'-'),
                             QString(196, QChar(0xD800)) /* lone surrogates */};
    for (const QString& line : lines) {
        const OpRecord r(line);
        r.opCode().kind();
        r.opCode().buttonStep();
        r.opCode().popupStep();
        r.keyStep();
        for (int k = 0; k < 6; ++k)
            r.plane(k);
        r.hotSpot();
        r.textBox();
        r.secondHotSpot();
        r.fontSpec();
        r.menuChoice();
        r.backSteps();
        r.tabSpec();
        r.hotSpotPointer().cursorFileName();
        r.secondHotSpotPointer().pointer();
        EXPECT_GE(r.hotSpot().left, 0);
        EXPECT_LE(r.hotSpot().width, 32767);
    }
    const OpRecord chinese(QString(196, u'中'));
    EXPECT_EQ(chinese.opCode().kind(), StepKind::Unknown);
    EXPECT_FALSE(chinese.hotSpotHidden());
    EXPECT_EQ(chinese.backMark(), "NONO");
}
