#pragma once
// Numbers read from question-bank text: the value of a run of characters and its conversion to
// the program's 16-bit and 32-bit integers. Kept here, small and pure, so that the bank formats
// need nothing of the window toolkit.

#include <QChar>
#include <QStringView>
#include <QtGlobal>

namespace bank {

// The leading decimal number of a run: leading blanks skipped, an optional sign, digits with an
// optional decimal point; a run that does not begin with a number is 0. Reading stops at the
// first character that cannot continue the number, so any length of text is fine.
double runValue(QStringView run);

// The value of one character: its digit, or 0 for anything that is not a digit.
int digitValue(QChar c);

// Whole numbers the way the program stores them: rounded to the nearest, halves to even, and
// clamped to the type's range (a run of a hundred digits gives the largest value, not a fault).
qint16 toInt16(double v);
qint32 toInt32(double v);

// Coordinates of the 12000 x 9000 design surface: whole twips, 0 to 32767.
qint16 toCoord(double v);

} // namespace bank
