#include "history/paperresults.h"

#include "bank/banklayout.h"
#include "history/historyfiles.h"
#include "platform/textfile.h"

namespace history {

QString noResultText()
{
    return QStringLiteral("您还未考试！");
}

QStringList prefilledResults()
{
    QStringList t;
    t.reserve(kResultEntries);
    for (int i = 1; i <= kResultEntries; ++i)
        t.append(i % 3 == 1 ? noResultText() : i % 3 == 2 ? QStringLiteral("0") : QStringLiteral("E"));
    return t;
}

QStringList resultsTable(const QStringList& fileLines)
{
    QStringList t = prefilledResults();
    for (int i = 0; i < kResultEntries && i < fileLines.size(); ++i)
        t[i] = fileLines.at(i);
    return t;
}

QString resultsFileText(const QStringList& table)
{
    QString text;
    for (int i = 0; i < kResultLinesWritten; ++i)
        text += (i < table.size() ? table.at(i) : prefilledResults().at(i)) + QStringLiteral("\r\n");
    return text + QStringLiteral("\r\n");
}

QString scoreText(double score)
{
    return QString::number(score, 'g', 12);
}

QString timeText(const QDateTime& t)
{
    return t.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QStringList recordPaperResult(QStringList table, int paper, const QString& startTime, double score,
                              const QDateTime& now)
{
    if (paper < 0 || paper >= kPaperCount)
        return table;
    if (table.size() < kResultEntries)
        table = resultsTable(table);
    const int timeIdx = 3 * paper, scoreIdx = 3 * paper + 1;
    if (startTime == QStringLiteral("-1")) {
        table[timeIdx] = timeText(now);
    } else {
        table[timeIdx] = startTime;
        if (bank::numericValue(table.at(scoreIdx)) < score)
            table[scoreIdx] = scoreText(score);
    }
    return table;
}

std::optional<QStringList> readResults(const UserFolder& folder)
{
    auto lines = readLines(folder, historyFileName(kPaperResults));
    if (!lines)
        return std::nullopt;
    return resultsTable(*lines);
}

QByteArray resultsBytes(const QStringList& table)
{
    return platform::encodeGbk(resultsFileText(table));
}

} // namespace history
