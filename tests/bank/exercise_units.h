#pragma once
// A small question bank in a folder: unit file pairs whose lines tell where they come from.
//   question-text line of question q of unit u: "0000" & block length (two digits) & "题u-q"
//   operation record s of that question: "u-q-s"

#include "bank/exercise.h"
#include "platform/textfile.h"

#include <QString>
#include <vector>

namespace exercise_units {

inline QString textLine(int unit, int q, int blockLen)
{
    return QStringLiteral("0000") + QString::number(blockLen).rightJustified(2, u'0') +
           QStringLiteral("题%1-%2").arg(unit).arg(q);
}

inline QString record(int unit, int q, int step)
{
    return QStringLiteral("%1-%2-%3").arg(unit).arg(q).arg(step);
}

// Writes unit u with one question per block length.
inline void writeUnit(const QString& dataDir, int unit, const std::vector<int>& blockLens)
{
    QString text, ops;
    for (size_t i = 0; i < blockLens.size(); ++i) {
        const int q = int(i) + 1;
        text += textLine(unit, q, blockLens[i]) + QStringLiteral("\r\n");
        for (int s = 1; s <= blockLens[i]; ++s)
            ops += record(unit, q, s) + QStringLiteral("\r\n");
    }
    platform::writeWholeFile(bank::unitTextPath(dataDir, unit), text);
    platform::writeWholeFile(bank::unitOpPath(dataDir, unit), ops);
}

} // namespace exercise_units
