#include "toolkit/vb.h"
#include "toolkit/vbarray.h"

#include <gtest/gtest.h>

using namespace vb;

namespace {
// The error number a step raises, 0 when it raises none.
template <class F>
int errorOf(F&& step)
{
    try {
        step();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}
} // namespace

TEST(Vb, ValReadsTheLeadingNumber)
{
    struct Case { QString text; double value; };
    const Case cases[] = {
        {" 12x", 12},       {"-3", -3},          {"1.5", 1.5},         {"&H1F", 31},
        {"&h1f", 31},       {"&O17", 15},        {"", 0},              {"abc", 0},
        {"  +7", 7},        {".5", 0.5},         {"1.5.3", 1.5},       {"1 2", 12},
        {"\t 4", 4},        {"1e3", 1000},       {"2D2", 200},         {"12e", 12},
        {"&HFFFF", -1},     {"&H8000", -32768},  {"&H10000", 65536},   {"&H666666", 6710886},
        {"&HFFFFFFFF", -1}, {"-&H10", 0},        {"00600", 600},       {"1,000", 1},
        {"--3", 0},         {"12345678901234567890", 12345678901234567890.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(val(c.text), c.value) << c.text.toStdString();
    EXPECT_EQ(errorOf([] { val("&H100000000"); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { val("1e999"); }), ErrOverflow);
}

TEST(Vb, TextThatMustBeANumber)
{
    EXPECT_EQ(cdbl(" 2.5 "), 2.5);
    EXPECT_EQ(cdbl("&H10"), 16);
    EXPECT_EQ(cint("12.5"), 12);
    for (const QString t : {"", "abc", "12x", "1 2"}) {
        EXPECT_FALSE(isNumeric(t)) << t.toStdString();
        EXPECT_EQ(errorOf([&] { cdbl(t); }), ErrTypeMismatch) << t.toStdString();
    }
}

TEST(Vb, WholeNumbersRoundHalvesToEven)
{
    struct Case { double x; double rounded; };
    const Case cases[] = {{0.5, 0},  {1.5, 2},   {2.5, 2},     {-37.5, -38}, {-0.5, 0},
                          {-1.5, -2}, {0.49, 0}, {2.51, 3},    {-2.6, -3},   {7, 7}};
    for (const Case& c : cases) {
        EXPECT_EQ(roundHalfEven(c.x), c.rounded) << c.x;
        EXPECT_EQ(cint(c.x), c.rounded) << c.x;
        EXPECT_EQ(clng(c.x), c.rounded) << c.x;
    }
    EXPECT_EQ(cint(32767.4), 32767);
    EXPECT_EQ(cint(-32768.5), -32768);
    EXPECT_EQ(clng(2147483647.0), 2147483647);
}

TEST(Vb, ConversionsOutsideTheirRangeRaiseOverflow)
{
    for (double x : {32767.5, 32768.0, -32768.6, 1e10, std::nan("")})
        EXPECT_EQ(errorOf([&] { cint(x); }), ErrOverflow) << x;
    for (double x : {2147483647.5, -2147483649.0, 1e300})
        EXPECT_EQ(errorOf([&] { clng(x); }), ErrOverflow) << x;
    EXPECT_EQ(errorOf([] { cint("40000"); }), ErrOverflow);
}

TEST(Vb, IntegerDivisionAndMod)
{
    EXPECT_EQ(idiv(-38, 15), -2); // cut toward zero
    EXPECT_EQ(idiv(37.5, 15), 2); // 37.5 rounds to 38 first
    EXPECT_EQ(mod(7, 2), 1);
    EXPECT_EQ(mod(-7, 2), -1);
    EXPECT_EQ(mod(2.5, 10), 2);
    EXPECT_EQ(errorOf([] { idiv(1, 0); }), ErrDivisionByZero);
    EXPECT_EQ(errorOf([] { mod(1, 0.4); }), ErrDivisionByZero);
}

TEST(Vb, NumbersAsText)
{
    struct Case { double x; const char* cstr; const char* str; };
    const Case cases[] = {
        {12, "12", " 12"},       {-3, "-3", "-3"},        {2.5, "2.5", " 2.5"},
        {0.5, "0.5", " .5"},     {-0.5, "-0.5", "-.5"},   {0, "0", " 0"},
        {97.5, "97.5", " 97.5"}, {0.1 + 0.2, "0.3", " .3"}, {1e15, "1E+15", " 1E+15"},
        {123456789012345.0, "123456789012345", " 123456789012345"}, {0.00001, "1E-05", " 1E-05"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cstr(c.x), c.cstr) << c.x;
        EXPECT_EQ(str(c.x), c.str) << c.x;
    }
    EXPECT_EQ(cstr(qint16(-5)), "-5");
    EXPECT_EQ(str(qint32(40)), " 40");
    EXPECT_EQ(cstr(true), "True");
    EXPECT_EQ(boolNum(true), -1);
    EXPECT_EQ(boolNum(false), 0);
}

TEST(Vb, TrimRemovesBlanksOnly)
{
    EXPECT_EQ(trim("  a b  "), "a b");
    EXPECT_EQ(trim("\ta\t"), "\ta\t");
    EXPECT_EQ(trim(" \t a"), "\t a");
    EXPECT_EQ(trim(QStringLiteral("　a　")), QStringLiteral("　a　")); // full-width spaces stay
    EXPECT_EQ(ltrim("  a "), "a ");
    EXPECT_EQ(rtrim("  a "), "  a");
    EXPECT_EQ(trim("   "), "");
}

TEST(Vb, CharacterPositionsCountFromOne)
{
    const QString rec = QStringLiteral("未完成ab");
    EXPECT_EQ(len(rec), 5);
    EXPECT_EQ(left(rec, 2), QStringLiteral("未完"));
    EXPECT_EQ(left(rec, 99), rec);
    EXPECT_EQ(right(rec, 3), QStringLiteral("成ab"));
    EXPECT_EQ(right("0" + QString("5"), 2), "05");
    EXPECT_EQ(mid(rec, 3), QStringLiteral("成ab"));
    EXPECT_EQ(mid(rec, 3, 2), QStringLiteral("成a"));
    EXPECT_EQ(mid(rec, 9, 2), "");
    EXPECT_EQ(mid("abc", 2, 0), "");
    EXPECT_EQ(errorOf([] { mid("abc", 0, 1); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { mid("abc", 1, -1); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { left("abc", -1); }), ErrInvalidCall);

    EXPECT_EQ(instr("_0101_0203", "0203"), 7);
    EXPECT_EQ(instr("_0101_0203", "0303"), 0);
    EXPECT_EQ(instr(3, "abab", "ab"), 3);
    EXPECT_EQ(instr("abc", "B"), 0);
    EXPECT_EQ(instr(2, "abc", ""), 2);
    EXPECT_EQ(instr("", ""), 0);
    EXPECT_EQ(errorOf([] { instr(0, "abc", "a"); }), ErrInvalidCall);
}

TEST(Vb, CaseReplaceSplitJoin)
{
    EXPECT_EQ(lcase("New Folder"), "new folder");
    EXPECT_EQ(ucase("abc1"), "ABC1");
    EXPECT_EQ(replace(QStringLiteral("题目(未完成)"), QStringLiteral("(未完成)"),
                      QStringLiteral("(已完成)")),
              QStringLiteral("题目(已完成)"));
    EXPECT_EQ(replace("aaa", "", "b"), "aaa");
    EXPECT_EQ(split("a||b|", "|"), (QStringList{"a", "", "b", ""}));
    EXPECT_TRUE(split("", "|").isEmpty());
    EXPECT_EQ(split("ab", ""), QStringList{"ab"});
    EXPECT_EQ(join({"a", "b"}, "|"), "a|b");
    EXPECT_EQ(space(3), "   ");
    EXPECT_EQ(stringOf(3, u'0'), "000");
}

TEST(Vb, AnsiCodesOfGbk)
{
    EXPECT_EQ(asc("A"), 65);
    EXPECT_EQ(asc(QStringLiteral("中")), qint16(0xD6D0 - 0x10000)); // signed: negative
    EXPECT_EQ(asc(QStringLiteral("€")), 128);
    EXPECT_EQ(asc(QStringLiteral("😀")), 63);
    EXPECT_EQ(errorOf([] { asc(""); }), ErrInvalidCall);
    EXPECT_EQ(chr(65), "A");
    EXPECT_EQ(chr(0xD6D0), QStringLiteral("中"));
    EXPECT_EQ(chr(0xD6D0 - 0x10000), QStringLiteral("中"));
    EXPECT_EQ(chr(13) + chr(10), "\r\n");
    EXPECT_EQ(errorOf([] { chr(-32769); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { chr(65536); }), ErrInvalidCall);
}

TEST(Vb, DateFormats)
{
    const QDateTime t(QDate(2024, 3, 7), QTime(9, 5, 4));
    EXPECT_EQ(format(t, "yyyy-mm-dd hh:mm:ss"), "2024-03-07 09:05:04");
    EXPECT_EQ(format(t, "YYYYMMDDHHMMSS"), "20240307090504");
    EXPECT_EQ(format(t, "YYYY-MM-DD HH:MM:SS"), "2024-03-07 09:05:04");
    EXPECT_EQ(format(t, "yy/m/d h:nn"), "24/3/7 9:05");
    EXPECT_EQ(format(t, "mm:ss"), "05:04"); // an m before s is the minute
    EXPECT_EQ(format(t, "\"at\" hh\\h"), "at 09h");

    setClock([t] { return t; });
    EXPECT_EQ(now(), t);
    EXPECT_EQ(timer(), 9 * 3600 + 5 * 60 + 4);
    setClock({});
    EXPECT_LE(qAbs(now().secsTo(QDateTime::currentDateTime())), 2);
}

TEST(Vb, ColoursAreNumbersWithRedInTheLowByte)
{
    EXPECT_EQ(bgr(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(bgr(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(bgr(0x666666), QColor(0x66, 0x66, 0x66));
    EXPECT_EQ(bgr(0xC0FFFF), QColor(255, 255, 0xC0));
    EXPECT_EQ(bgr(Long(0x80000012)), QColor(0, 0, 0)); // system button text
    EXPECT_EQ(bgrNumber(QColor(255, 128, 0)), 0x0080FF);
    EXPECT_EQ(bgrNumber(bgr(0xFF80FF)), 0xFF80FF);
    EXPECT_FALSE(isColour(0x1000000));
    EXPECT_FALSE(isColour(-1));
    EXPECT_EQ(errorOf([] { bgr(0x1000000); }), ErrInvalidPropertyValue);
}

TEST(Vb, RandomNumbersAreRepeatableAfterASeed)
{
    randomizeWith(5);
    QList<float> first;
    for (int i = 0; i < 100; ++i) {
        const float r = rnd();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        first.append(r);
    }
    randomizeWith(5);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(rnd(), first[i]);
}

TEST(VbArray, BoundsAreInclusiveAndAnIndexOutsideRaisesNine)
{
    Array<int, 1, 500> a;
    a(1) = 7;
    a(500) = 9;
    EXPECT_EQ(a(1), 7);
    EXPECT_EQ(a(500), 9);
    EXPECT_EQ(a(1.5), 0); // 1.5 rounds to 2
    EXPECT_EQ(errorOf([&] { a(0.5) = 1; }), ErrSubscript); // 0.5 rounds to 0
    EXPECT_EQ(errorOf([&] { a(0) = 1; }), ErrSubscript);
    EXPECT_EQ(errorOf([&] { a(501) = 1; }), ErrSubscript);
    EXPECT_EQ(errorOf([&] { a(500.6) = 1; }), ErrSubscript);
    EXPECT_EQ(a(500.5), 9); // 500.5 rounds to 500
    int sum = 0;
    for (int v : a)
        sum += v;
    EXPECT_EQ(sum, 16); // nothing was written by the failed stores

    Array2<QString, 1, 500, 0, 6> t;
    t(500, 6) = "x";
    EXPECT_EQ(t(500, 6), "x");
    EXPECT_EQ(errorOf([&] { t(501, 0) = "y"; }), ErrSubscript);
    EXPECT_EQ(errorOf([&] { t(1, 7) = "y"; }), ErrSubscript);
    EXPECT_EQ(errorOf([&] { t(0, 0) = "y"; }), ErrSubscript);
    for (const QString& v : t)
        EXPECT_TRUE(v.isEmpty() || v == "x");
}
