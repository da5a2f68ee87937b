// Generated random papers: the paper list, the paper results file and the papers'
// wrong-question files, read and moved together when a paper is added at the head of the list
// and when one is deleted, as the home window's paper panel does it.
// Input parts ("\n=====\n" between them):
//   0 line 1: the paper to delete (a number), line 2: the new paper's ids
//   1 288891 generated paper list   2 288892 paper results
//   3.. wrong-question files of papers 20, 21, ... (at most ten)

#include "bank/exercise.h"
#include "bank/questionset.h"
#include "fuzzfiles.h"
#include "history/handin.h"
#include "history/historyfiles.h"
#include "history/paperresults.h"
#include "history/randompaper.h"
#include "platform/textfile.h"

#include <QFile>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace h = history;

namespace {

// The count the home window keeps: the lines of the list before the first blank one.
int listedCount(const h::UserFolder& dir)
{
    return h::generatedPaperCount(h::readGeneratedList(dir).value_or(QStringList{}));
}

void showPapers(const h::UserFolder& dir)
{
    const auto table = h::readResults(dir);
    if (!table || table->size() != h::kResultEntries)
        std::abort();
    const auto list = h::readGeneratedList(dir);
    if (!list)
        std::abort();
    for (int p = 0; p < h::kPaperCount; ++p) {
        (void)table->value(3 * p).left(16);
        (void)table->value(3 * p + 1);
        if (const auto line = h::readFirstLine(dir, h::paperWrongFileName(p))) {
            const QString trimmed = line->trimmed();
            if (bank::wholeIdCount(trimmed) > 0)
                (void)bank::paperWrongReviewSet(p, trimmed);
        }
        if (p >= h::kFirstGeneratedPaper)
            (void)bank::paperStart(p, h::handedInPaperIds(bank::kind::RandomPaper, 0, p, {}, *list));
    }
}

// What a paper's files hold: its list line, its three results entries, its wrong-question file.
struct Snapshot {
    QStringList list;
    QStringList results;
    QList<std::optional<QByteArray>> wrong; // papers 0 to 29; nothing for no file
};

// A line as it reads after being written back: what GBK cannot hold (an undecodable byte read
// as U+FFFD) is written as "?".
QStringList rewritten(QStringList lines)
{
    for (QString& l : lines)
        l = platform::decodeGbk(platform::encodeGbk(l));
    return lines;
}

Snapshot snapshot(const h::UserFolder& dir)
{
    Snapshot s;
    s.list = rewritten(h::readGeneratedList(dir).value_or(QStringList{}));
    s.results = rewritten(h::readResults(dir).value_or(QStringList{}));
    for (int p = 0; p < h::kPaperCount; ++p) {
        QFile f(dir.file(h::paperWrongFileName(p)));
        if (f.open(QIODevice::ReadOnly))
            s.wrong << f.readAll();
        else
            s.wrong << std::nullopt;
    }
    return s;
}

// Paper `to` now holds what paper `from` held before: results and wrong-question file (a paper
// without a file leaves none, or an empty line).
void samePaper(const Snapshot& before, int from, const Snapshot& after, int to)
{
    for (int k = 0; k < 3; ++k)
        if (after.results.value(3 * to + k) != before.results.value(3 * from + k))
            std::abort();
    const auto& was = before.wrong.at(from);
    const auto& now = after.wrong.at(to);
    if (was ? now != was : (now && *now != QByteArray("\r\n")))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzfiles::clear();
    const QList<QByteArray> parts = fuzzfiles::parts(fuzzfiles::bytes(data, size), 13);
    const QStringList head = platform::splitLines(platform::decodeGbk(parts.value(0)));
    const int toDelete = head.value(0).trimmed().toInt() % 64;
    // The new paper's ids: never a blank line (a draw gives 40 ids).
    const QString newIds = head.value(1).trimmed().isEmpty() ? QStringLiteral("0101") : head.value(1);
    const h::UserFolder dir = h::UserFolder::open(fuzzfiles::folder());
    if (parts.size() > 1)
        fuzzfiles::put(QStringLiteral("288891.mxy"), parts.at(1));
    if (parts.size() > 2)
        fuzzfiles::put(QStringLiteral("288892.mxy"), parts.at(2));
    for (int i = 3; i < parts.size(); ++i)
        fuzzfiles::put(h::paperWrongFileName(h::kFirstGeneratedPaper + i - 3), parts.at(i));

    showPapers(dir);

    // A paper deleted, if it is a listed one.
    int count = listedCount(dir);
    if (h::isListedGeneratedPaper(toDelete, count)) {
        const Snapshot before = snapshot(dir);
        const auto change = h::deletionChange(dir, toDelete);
        if (!change || h::writeSet(dir, change->files) != platform::SetResult::Written)
            std::abort();
        const int after = listedCount(dir);
        if (after != count - 1)
            std::abort();
        // Every paper after the deleted one moved up one, with its list line, record and file.
        const Snapshot now = snapshot(dir);
        for (int p = toDelete; p <= 18 + count; ++p) {
            if (now.list.value(p - 20) != before.list.value(p - 19))
                std::abort();
            samePaper(before, p + 1, now, p);
        }
        showPapers(dir);
    }

    // A new paper at the head of the list.
    count = listedCount(dir);
    const Snapshot before = snapshot(dir);
    const auto change = h::newPaperChange(dir, newIds, QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    if (!change || h::writeSet(dir, change->files) != platform::SetResult::Written)
        std::abort();
    if (h::readGeneratedList(dir).value_or(QStringList()).value(0) != rewritten({newIds}).value(0))
        std::abort();
    // The listed papers moved down one, the new paper first with no record and no wrong questions.
    const Snapshot now = snapshot(dir);
    if (listedCount(dir) != std::min(count + 1, h::kMaxGeneratedPapers))
        std::abort();
    for (int p = 21; p <= std::min(20 + count, 29); ++p) {
        if (now.list.value(p - 20) != before.list.value(p - 21))
            std::abort();
        samePaper(before, p - 1, now, p);
    }
    if (now.wrong.at(20) != QByteArray("\r\n") || now.results.value(61) != u"0")
        std::abort();
    showPapers(dir);
    return 0;
}
