#include "bank/unittable.h"

#include "platform/textfile.h"

#include <algorithm>

namespace bank {

int displayColumns(QChar c)
{
    if (c.unicode() == 0)
        return 2; // code 0 is not positive
    if (c.unicode() < 0x80)
        return 1;
    // A character GBK writes with one byte keeps a positive code; one it cannot write becomes "?".
    return platform::encodeGbk(QString(c)).size() >= 2 ? 2 : 1;
}

QString fitUnitCaption(int unit, const QString& name)
{
    const QString text = QString::number(unit + 1) + u'.' + name + QString(7 + 64, u' ');
    int columns = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        columns += displayColumns(text.at(i));
        if (columns < 24)
            continue;
        QString caption = text.left(i + 1);
        if (columns == 24) {
            const bool nextNarrow = i + 1 < text.size() && displayColumns(text.at(i + 1)) == 1;
            caption += nextNarrow ? text.at(i + 1) : QChar(u' ');
        }
        return caption;
    }
    return text; // not reached: the blanks alone make 71 columns
}

UnitSummary unitSummary(const UnitRow& row)
{
    return {row.count, row.notLearned};
}

UnitSummary allUnitsSummary(const std::vector<UnitRow>& rows, int unitCount)
{
    UnitSummary s;
    const int n = std::min<int>(std::max(unitCount, 0), int(rows.size()));
    for (int u = 0; u < n; ++u) {
        s.total += rows[size_t(u)].count;
        s.notLearned += rows[size_t(u)].notLearned;
    }
    return s;
}

UnitBars unitBars(const UnitSummary& s)
{
    UnitBars b;
    if (s.total <= 0)
        return b;
    b.valid = true;
    b.notLearnedHeight = double(s.notLearned) / s.total * kBarFull;
    b.learnedHeight = double(s.learned()) / s.total * kBarFull;
    return b;
}

int preselectUnitButton(const std::vector<UnitRow>& rows, int unitCount)
{
    const int units = std::clamp(unitCount, 0, kUnitButtons);
    for (int u = 0; u < units; ++u) {
        double n = 0, m = 0;
        if (u < int(rows.size())) {
            n = rows[size_t(u)].count;
            m = rows[size_t(u)].notLearned;
        }
        if (n == 0)
            n = m = 10;
        if (m / n > 0.2)
            return kFirstUnitButton + u;
    }
    return kAllUnitsButton + units;
}

} // namespace bank
