#pragma once
// The string, number, date and colour helpers the program is written with, behaving as the
// runtime the program was first written for behaves: Val reads a leading number, Trim removes
// blanks only, Left/Mid/Right count characters from 1, conversions to whole numbers round halves
// to the even neighbour and fail with error 6 when the value does not fit, colours are numbers
// with red in the low byte (&HBBGGRR). Every failure raises vb::Error with the runtime's number.
//
// Types: Integer is qint16, Long is qint32, Double is double, String is QString. Booleans are
// plain C++ bool; where a Boolean is taken as a number it reads -1 for true (boolNum).
//
// Characters are QString's UTF-16 units, which is one unit per character for every character of
// the GBK repertoire the program's files hold.

#include "toolkit/vberror.h"

#include <QColor>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <concepts>
#include <functional>

namespace vb {

using Integer = qint16;
using Long = qint32;

// ---- Numbers read from text --------------------------------------------------------------------

// Val: the number at the start of the text. Blanks, tabs and line feeds are skipped wherever they
// stand; then an optional sign, digits with an optional decimal point and an optional exponent
// (E or D); or "&H" and hexadecimal digits, or "&O" and octal digits (values up to &HFFFF read as
// 16-bit signed, up to &HFFFFFFFF as 32-bit signed). Reading stops at the first character that
// cannot continue the number; no number gives 0. A result too large for a Double raises 6.
double val(const QString& text);

// Whether the whole text, blanks around it allowed, is one number (decimal or &H/&O).
bool isNumeric(const QString& text);

// The number that the whole text is, for the runtime's own conversion of a String to a number
// (CDbl, and implicit conversions): blanks around it allowed; anything else, the empty text
// included, raises 13 (type mismatch).
double cdbl(const QString& text);

// ---- Whole numbers ------------------------------------------------------------------------------

// To the nearest whole number, halves to the even neighbour: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2,
// -37.5 -> -38.
double roundHalfEven(double x);

// CInt and CLng: rounded half to even; outside -32768..32767 (CInt) or -2147483648..2147483647
// (CLng), or not a number at all, raise 6. The text forms first read the text as cdbl does (13
// when it is no number).
Integer cint(double x);
Long clng(double x);
Integer cint(const QString& text);
Long clng(const QString& text);

// Boolean as a number: true is -1, false is 0.
constexpr Integer boolNum(bool b) { return b ? Integer(-1) : Integer(0); }
// CBool of a number: not 0.
constexpr bool cbool(double x) { return x != 0; }

// a \ b: both operands rounded to whole numbers (halves to even, 6 when beyond the Long range),
// then divided with the remainder dropped (toward zero). b = 0 raises 11.
Long idiv(double a, double b);
// a Mod b: operands rounded as for idiv; the remainder has the sign of a. b = 0 raises 11.
Long mod(double a, double b);

// ---- Numbers written as text --------------------------------------------------------------------

// CStr of a number, and the text a number turns into when joined to a String: integers in
// decimal; a Double with at most 15 significant digits, no trailing zeros, "E+15"/"E-05" style
// exponents outside 1E-5 .. 1E15.
QString cstr(double x);
template <std::integral T>
    requires(!std::same_as<T, bool>)
QString cstr(T x)
{
    return QString::number(x);
}
// CStr of a Boolean: "True" or "False".
inline QString cstr(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }

// Str: like cstr for numbers, but a non-negative number gets a leading blank and a fraction
// below 1 has no "0" before its point (" 12", "-3", " .5", "-.5").
QString str(double x);
template <std::integral T>
    requires(!std::same_as<T, bool>)
QString str(T x)
{
    return x < 0 ? QString::number(x) : QLatin1Char(' ') + QString::number(x);
}

// ---- Strings ------------------------------------------------------------------------------------

// Blanks (U+0020) only: tabs, line ends and full-width spaces stay.
QString trim(const QString& s);
QString ltrim(const QString& s);
QString rtrim(const QString& s);

// Characters counted from 1. A negative length or a start below 1 raises 5; counts beyond the end
// give what there is.
qsizetype len(const QString& s);
QString left(const QString& s, qsizetype n);
QString right(const QString& s, qsizetype n);
QString mid(const QString& s, qsizetype start);
QString mid(const QString& s, qsizetype start, qsizetype length);

// InStr: position (from 1) of the first occurrence of find at or after start, 0 when absent.
// Exact comparison. An empty find gives start (0 when start lies beyond the text); an empty text
// gives 0. start below 1 raises 5.
qsizetype instr(const QString& s, const QString& find);
qsizetype instr(qsizetype start, const QString& s, const QString& find);

QString lcase(const QString& s);
QString ucase(const QString& s);

// Replace every occurrence of find (exact comparison); an empty find leaves the text as it is.
QString replace(const QString& s, const QString& find, const QString& with);

// Split: the parts between the delimiters, empty parts kept; the empty text gives no part at all;
// an empty delimiter gives the whole text as one part.
QStringList split(const QString& s, const QString& delimiter);
QString join(const QStringList& parts, const QString& delimiter);

// Space(n) and String(n, c). A negative count raises 5.
QString space(qsizetype n);
QString stringOf(qsizetype n, QChar c);

// ---- Characters of the ANSI code page (GBK) ------------------------------------------------------

// Asc: the ANSI code of the first character: 0 to 255 for a one-byte character, the 16-bit code
// (lead byte x 256 + trail byte) read as signed for a double-byte one (so negative for every
// Chinese character). A character GBK does not hold reads as "?" (63). The empty text raises 5.
Integer asc(const QString& s);

// Chr: the character of an ANSI code: 0 to 255 one byte; a double-byte code either as its signed
// form -32768..-1 or as 256..65535. Any other code raises 5. A code that is no character of
// the code page gives "?".
QString chr(long code);

// ---- Dates and times ----------------------------------------------------------------------------

// Now: the local date and time. Tests may put a clock of their own in place (an empty function
// restores the system clock).
QDateTime now();
void setClock(std::function<QDateTime()> clock);

// Timer: seconds since midnight of now(), with the fraction.
double timer();

// Format of a date and time with the runtime's date pattern letters, upper or lower case alike:
// yyyy (yy) year, mm (m) month, dd (d) day, hh (h) hour of 24, nn (n) minute, ss (s) second.
// An m or mm whose previous pattern letter is an h, or whose next one is an s, is the minute:
// "yyyy-mm-dd hh:mm:ss" and "YYYYMMDDHHMMSS" both work. Any other character is copied; a "\"
// copies the character after it and text in double quotes is copied as it stands.
QString format(const QDateTime& when, const QString& pattern);

// ---- Colours -------------------------------------------------------------------------------------

// Whether a number is a colour: 0 to &HFFFFFF (red in the low byte), or a system colour
// &H80000000 + index for index 0 to 30.
bool isColour(Long number);
// The colour of a colour number; system colours take the Windows XP default scheme. Any other
// number raises 380 (invalid property value), as assigning it to a colour property does.
QColor bgr(Long number);
// The number of a colour: red + green x 256 + blue x 65536.
Long bgrNumber(const QColor& colour);

// ---- Random numbers ------------------------------------------------------------------------------

// Rnd: the next number of the runtime's pseudo-random sequence, in [0, 1).
float rnd();
// Randomize: reseeds the sequence from the clock (timer()). randomizeWith reseeds it from a
// number: one seed always gives the same sequence (tests).
void randomize();
void randomizeWith(double seed);

} // namespace vb
