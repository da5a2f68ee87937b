#pragma once
// Mouse pointers by number: 0 default, 1 arrow, 2 cross, 3 I-beam, 4 icon, 5 size, 6 size NE-SW,
// 7 size N-S, 8 size NW-SE, 9 size W-E, 10 up arrow, 11 hourglass, 12 no drop, 13 arrow and
// hourglass, 14 arrow and question mark, 15 size all, 99 custom (the control's MouseIcon).
//
//   QCursor c = tk::standardPointer(11);
//   QCursor hand = tk::loadCursor(folder + "/ico05.CUR");   // 53 missing, 481 not a cursor

#include <QCursor>
#include <QString>

class QWidget;

namespace tk {

bool isPointerNumber(int number); // 0..15 or 99

// The cursor of a standard pointer 1..15 (the arrow for 0 and any other number).
QCursor standardPointer(int number);

// Shows pointer `number` over the widget: 99 shows *icon (the default pointer when icon is null).
void applyPointer(QWidget* widget, int number, const QCursor* icon);

// A cursor read from a cursor (or icon) file, with its hot spot. Raises vb::Error 53 when the
// file is missing and 481 when it is no cursor.
QCursor loadCursor(const QString& path);

} // namespace tk
