#include "history/randompaper.h"

#include "history/historyfiles.h"
#include "history/paperresults.h"
#include "platform/textfile.h"

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

WrongFileMove readWrongFileMove(const UserFolder& folder, int from, int to)
{
    const QString source = paperWrongFileName(from);
    const QString target = paperWrongFileName(to);
    if (source.isEmpty() || target.isEmpty())
        return {};
    WrongFileMove m;
    if (!folder.has(source)) {
        // The paper that now takes this number has no wrong questions on record: it must not keep
        // those of the paper that had the number before.
        m.result = CopyResult::SourceMissing;
        if (folder.has(target))
            m.bytes = lineBytes(QString());
        return m;
    }
    platform::FileBytes in = platform::readFile(folder.file(source), platform::kUserFileBytes);
    if (!in.read()) {
        m.result = CopyResult::SourceUnreadable;
        return m;
    }
    m.result = CopyResult::Copied;
    m.bytes = std::move(in.bytes);
    return m;
}

namespace {
// The moves of a change, each read from the files as they stand; false when a source cannot be read.
bool addMoves(PaperListChange& change, const UserFolder& folder, const std::vector<PaperCopy>& moves)
{
    for (const PaperCopy& c : moves) {
        WrongFileMove m = readWrongFileMove(folder, c.from, c.to);
        if (m.result == CopyResult::SourceUnreadable)
            return false;
        change.moves.push_back(m.result);
        if (m.bytes)
            change.files.push_back({folder.file(paperWrongFileName(c.to)), std::move(*m.bytes)});
    }
    return true;
}
} // namespace

std::optional<PaperListChange> newPaperChange(const UserFolder& folder, const QString& ids, const QDateTime& now)
{
    const auto list = readGeneratedList(folder);
    const auto results = readResults(folder);
    if (!list || !results)
        return std::nullopt;
    PaperListChange change;
    change.files.push_back(
        {folder.file(kGeneratedPapers), platform::encodeGbk(listText(listWithNewPaper(*list, ids)))});
    change.files.push_back({folder.file(kPaperResults), resultsBytes(resultsWithNewPaper(*results, now))});
    if (!addMoves(change, folder, wrongFileMovesForNewPaper(generatedPaperCount(*list))))
        return std::nullopt;
    change.files.push_back({folder.file(paperWrongFileName(kFirstGeneratedPaper)), lineBytes(QString())});
    return change;
}

std::optional<PaperListChange> deletionChange(const UserFolder& folder, int paper)
{
    const auto list = readGeneratedList(folder);
    const auto results = readResults(folder);
    if (!list || !results)
        return std::nullopt;
    const int count = generatedPaperCount(*list);
    if (!isListedGeneratedPaper(paper, count))
        return std::nullopt;
    PaperListChange change;
    change.files.push_back({folder.file(kGeneratedPapers), closedLinesBytes(listWithoutPaper(*list, paper, count))});
    if (!addMoves(change, folder, wrongFileMovesForDeletion(paper, count)))
        return std::nullopt;
    change.files.push_back({folder.file(kPaperResults), resultsBytes(resultsWithoutPaper(*results, paper, count))});
    return change;
}

std::optional<QStringList> readGeneratedList(const UserFolder& folder)
{
    auto lines = readLines(folder, historyFileName(kGeneratedPapers));
    if (!lines)
        return std::nullopt;
    return lines->mid(0, kMaxListLines);
}

} // namespace history
