#include "history/unitprogress.h"

#include "history/historyfiles.h"

#include <algorithm>

namespace history {

namespace {
constexpr int kUnitRows = 41; // rows 0 to 40 of the unit table
}

QStringList normaliseProgress(const QStringList& fileLines, const std::vector<int>& counts)
{
    QStringList lines;
    for (int u = 0; u < kProgressLines; ++u) {
        const int count = u < int(counts.size()) ? std::max(counts[size_t(u)], 0) : 0;
        const QString line = u < fileLines.size() ? fileLines.at(u) : QString();
        lines.append(line.left(count).leftJustified(count, u'F'));
    }
    return lines;
}

bank::UnitRow unitRow(const QString& progressLine)
{
    const QString t = progressLine.trimmed();
    return {int(t.size()), int(progressLine.count(u'F')), t};
}

ProgressUpkeep upkeepUnitProgress(const UserFolder& folder, const std::optional<std::vector<int>>& counts,
                                  int unitCount)
{
    ProgressUpkeep r;
    const std::optional<QStringList> read = readLines(folder, historyFileName(kUnitProgress));
    // A file that cannot be read gives the rows no progress; it is never rewritten.
    QStringList lines = read ? *read : QStringList{};
    if (counts) {
        lines = normaliseProgress(lines, *counts);
        if (read)
            r.rewritten = writeSet(folder, {{folder.file(kUnitProgress), closedLinesBytes(lines)}}) ==
                          platform::SetResult::Written;
    }
    const int rows = std::clamp(unitCount, 0, kUnitRows);
    for (int u = 0; u < rows; ++u)
        r.rows.push_back(unitRow(u < lines.size() ? lines.at(u) : QString()));
    return r;
}

QStringList progressLinesToKeep(const QStringList& fileLines)
{
    QStringList lines = fileLines;
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace history
