#include "history/randompaper.h"

#include "history/historyfiles.h"
#include "history/paperresults.h"
#include "platform/filelookup.h"
#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace history {

namespace {

constexpr int kUnitsWithFiles = 20;  // units 0 to 19 own a file pair
constexpr int kMaxListLines = 15;    // no reader looks further
constexpr long kMaxDraws = 1000000;  // far beyond what any bank that can give 40 ids needs

QString twoDigits(int n) { return QString::number(n).rightJustified(2, u'0'); }

// floor(1000 r) mod m, r in [0, 1).
int thousandthsMod(double r, int m)
{
    const double x = std::floor(1000.0 * std::clamp(r, 0.0, 0.999999));
    return int(x) % m;
}

} // namespace

std::optional<QString> drawRandomPaper(int unitCount, const std::vector<int>& unitCounts,
                                       const std::function<double()>& rnd)
{
    if (unitCount < 1 || !rnd)
        return std::nullopt;
    auto countOf = [&](int u) {
        if (u < 0 || u >= kUnitsWithFiles || size_t(u) >= unitCounts.size())
            return 0;
        return std::clamp(unitCounts[size_t(u)], 0, 99);
    };
    // Only the units the draw can reach count: floor(1000 r) mod unitCount reaches them all.
    int available = 0;
    for (int u = 0; u < std::min(unitCount, 1000); ++u)
        available += countOf(u);
    if (available < kRandomPaperQuestions)
        return std::nullopt;

    QString ids;
    QSet<QString> drawn;
    long tries = 0;
    while (drawn.size() < kRandomPaperQuestions) {
        if (++tries > kMaxDraws)
            return std::nullopt;
        const int u = thousandthsMod(rnd(), unitCount);
        const double r2 = rnd();
        const int count = countOf(u);
        if (count == 0)
            continue;
        const int n = thousandthsMod(r2, count) + 1;
        const QString id = twoDigits(u) + twoDigits(n);
        if (drawn.contains(id))
            continue;
        drawn.insert(id);
        ids += id;
    }
    return ids;
}

QStringList listWithNewPaper(const QStringList& oldLines, const QString& ids)
{
    QStringList lines{ids};
    for (int k = 1; k <= kMaxGeneratedPapers - 1; ++k)
        lines << oldLines.value(k - 1);
    return lines;
}

QString listText(const QStringList& lines)
{
    QString text;
    for (const QString& l : lines)
        text += l + QStringLiteral("\r\n");
    return text;
}

QStringList resultsWithNewPaper(QStringList table, const QDateTime& now)
{
    const QStringList old = table;
    // Papers 21 to 29 take papers 20 to 28: entries 61 to 87 move to 64 to 90.
    for (int n = 64; n <= 90; ++n)
        table[n - 1] = old.at(n - 4);
    table[60] = timeText(now); // entry 61
    table[61] = QStringLiteral("0");
    table[62] = QStringLiteral("E");
    return table;
}

std::vector<PaperCopy> wrongFileMovesForNewPaper(int generatedCount)
{
    std::vector<PaperCopy> moves;
    for (int n = std::min(generatedCount, kMaxGeneratedPapers - 1); n >= 1; --n)
        moves.push_back({19 + n, 20 + n});
    return moves;
}

bool isListedGeneratedPaper(int paper, int generatedCount)
{
    return paper >= kFirstGeneratedPaper && paper <= 19 + std::min(generatedCount, kMaxGeneratedPapers);
}

QStringList listWithoutPaper(const QStringList& listLines, int paper, int generatedCount)
{
    const int count = std::clamp(generatedCount, 0, kMaxGeneratedPapers);
    QStringList lines;
    for (int k = 1; k <= count; ++k)
        lines << listLines.value(k - 1);
    if (isListedGeneratedPaper(paper, count))
        lines.removeAt(paper - kFirstGeneratedPaper);
    return lines;
}

QStringList resultsWithoutPaper(QStringList table, int paper, int generatedCount)
{
    if (!isListedGeneratedPaper(paper, generatedCount) || table.size() < kResultEntries)
        return table;
    const int count = std::min(generatedCount, kMaxGeneratedPapers);
    for (int i = paper; i <= 18 + count; ++i)
        for (int k = 1; k <= 3; ++k)
            table[3 * i + k - 1] = table.at(3 * (i + 1) + k - 1);
    return table;
}

std::vector<PaperCopy> wrongFileMovesForDeletion(int paper, int generatedCount)
{
    std::vector<PaperCopy> moves;
    if (!isListedGeneratedPaper(paper, generatedCount))
        return moves;
    for (int i = paper; i <= 18 + std::min(generatedCount, kMaxGeneratedPapers); ++i)
        moves.push_back({i + 1, i});
    return moves;
}

WrongFileMove readWrongFileMove(const QString& userDir, int from, int to)
{
    const QString source = paperWrongPath(userDir, from);
    const QString target = paperWrongPath(userDir, to);
    if (source.isEmpty() || target.isEmpty())
        return {};
    WrongFileMove m;
    // The paper that now takes this number has no wrong questions on record, or none that can be
    // read: either way it must not keep those of the paper that had the number before.
    auto emptied = [&](CopyResult r) {
        m.result = r;
        if (platform::findFile(target, platform::EntryKind::Any))
            m.bytes = lineBytes(QString());
        return m;
    };
    const auto found = platform::findFile(source, platform::EntryKind::Any);
    if (!found)
        return emptied(CopyResult::SourceMissing);
    QFile in(*found);
    if (!QFileInfo(*found).isFile() || !in.open(QIODevice::ReadOnly))
        return emptied(CopyResult::SourceUnreadable);
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return emptied(CopyResult::SourceUnreadable);
    m.result = CopyResult::Copied;
    m.bytes = bytes;
    return m;
}

namespace {
void addMoves(PaperListChange& change, const QString& userDir, const std::vector<PaperCopy>& moves)
{
    for (const PaperCopy& c : moves) {
        WrongFileMove m = readWrongFileMove(userDir, c.from, c.to);
        change.moves.push_back(m.result);
        if (m.bytes)
            change.files.push_back({paperWrongPath(userDir, c.to), std::move(*m.bytes)});
    }
}
} // namespace

std::optional<PaperListChange> newPaperChange(const QString& userDir, const QString& ids, int generatedCount,
                                              const QDateTime& now)
{
    const auto list = readGeneratedList(userDir);
    const auto results = readResults(userDir);
    if (!list || !results)
        return std::nullopt;
    PaperListChange change;
    change.files.push_back(
        {userFile(userDir, kGeneratedPapers), platform::encodeGbk(listText(listWithNewPaper(*list, ids)))});
    change.files.push_back({userFile(userDir, kPaperResults), resultsBytes(resultsWithNewPaper(*results, now))});
    addMoves(change, userDir, wrongFileMovesForNewPaper(generatedCount));
    change.files.push_back({paperWrongPath(userDir, kFirstGeneratedPaper), lineBytes(QString())});
    return change;
}

std::optional<PaperListChange> deletionChange(const QString& userDir, int paper, int generatedCount)
{
    if (!isListedGeneratedPaper(paper, generatedCount))
        return std::nullopt;
    const auto list = readGeneratedList(userDir);
    const auto results = readResults(userDir);
    if (!list || !results)
        return std::nullopt;
    PaperListChange change;
    change.files.push_back({userFile(userDir, kGeneratedPapers),
                            closedLinesBytes(listWithoutPaper(*list, paper, generatedCount))});
    addMoves(change, userDir, wrongFileMovesForDeletion(paper, generatedCount));
    change.files.push_back(
        {userFile(userDir, kPaperResults), resultsBytes(resultsWithoutPaper(*results, paper, generatedCount))});
    return change;
}

std::optional<QStringList> readGeneratedList(const QString& userDir)
{
    auto lines = readLines(userFile(userDir, kGeneratedPapers));
    if (!lines)
        return std::nullopt;
    return lines->mid(0, kMaxListLines);
}

} // namespace history
