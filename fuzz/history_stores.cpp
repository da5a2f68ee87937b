// The two review stores (id list and flags), the unit progress file, a paper's wrong-question
// file and the paper results file, read and merged the way leaving a practice, handing in a paper
// and clearing a review store read and merge them, and written back.
// Input parts ("\n=====\n" between them):
//   0 the exercise: line 1 kind, sub-kind, paper (numbers apart by blanks), "Y" to drop
//     answered questions and "U" for marks the start could not read; line 2 its question ids (four characters each; a review-store practice
//     takes them from its store instead); line 3 one flag digit
//     per question; line 4 the paper's id line; line 5 the start time
//   1 288862 marked list   2 288872 marked flags   3 288863 own wrong list   4 288873 own flags
//   5 the paper's wrong-question file   6 288893 unit progress   7 288892 paper results

#include "bank/exercise.h"
#include "bank/questionset.h"
#include "fuzzfiles.h"
#include "history/handin.h"
#include "history/historyfiles.h"
#include "history/idlist.h"
#include "history/leavepractice.h"
#include "history/paperresults.h"
#include "history/storeclear.h"
#include "platform/textfile.h"

#include <array>
#include <climits>
#include <cstdlib>

namespace h = history;

namespace {

bool fitted(const h::StoreLines& s) { return s.flags.size() == bank::wholeIdCount(s.list); }

void mustBeFitted(const h::StoreLines& s)
{
    if (!fitted(s))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzfiles::clear();
    const QList<QByteArray> parts = fuzzfiles::parts(fuzzfiles::bytes(data, size), 8);
    const QStringList head = platform::splitLines(platform::decodeGbk(parts.value(0)));
    const QStringList numbers = head.value(0).split(u' ', Qt::SkipEmptyParts);
    const int kind = numbers.value(0).toInt() % 32;
    const int sub = numbers.value(1).toInt() % 64;
    const int paper = numbers.value(2).toInt() % 64;
    const bool drop = head.value(0).contains(u'Y');
    const bool marksUnread = head.value(0).contains(u'U');
    const h::UserFolder dir = h::UserFolder::open(fuzzfiles::folder());
    const char* names[] = {h::kMarkedList, h::kMarkedFlags, h::kOwnWrongList, h::kOwnWrongFlags};
    for (int i = 0; i < 4; ++i)
        if (parts.size() > i + 1)
            fuzzfiles::put(QString::fromLatin1(names[i]) + QStringLiteral(".mxy"), parts.at(i + 1));
    if (parts.size() > 5 && !h::paperWrongFileName(paper).isEmpty())
        fuzzfiles::put(h::paperWrongFileName(paper), parts.at(5));
    if (parts.size() > 6)
        fuzzfiles::put(QStringLiteral("288893.mxy"), parts.at(6));
    if (parts.size() > 7)
        fuzzfiles::put(QStringLiteral("288892.mxy"), parts.at(7));

    // The questions of the exercise. A review-store practice takes its questions from the store
    // the way its start chose them (question q is then the q-th id it chose); other exercises
    // take the ids of line 2.
    QStringList ids = bank::splitIds(head.value(1));
    if (kind >= bank::kind::MarkedAll && kind <= bank::kind::WrongReviewed) {
        const bool marked = kind <= bank::kind::MarkedReviewed;
        const bank::Store store = marked ? bank::Store::Marked : bank::Store::OwnWrong;
        const int scope = std::array{3, 1, 2}[size_t((kind - bank::kind::MarkedAll) % 3)];
        const h::StoreLines lines = h::readStore(dir, store).value_or(h::StoreLines{});
        const bank::StartDecision d = bank::storeStart(store, scope, lines.list, lines.flags);
        ids = d.what == bank::StartDecision::What::Start ? bank::splitIds(d.set.ids) : QStringList{};
    }
    const QString flagDigits = head.value(2);
    h::Questions questions;
    for (int q = 0; q < ids.size() && q < bank::kTableSize; ++q)
        questions.push_back({ids.at(q).toInt(), q < flagDigits.size() ? flagDigits.at(q).digitValue() : 0});

    // The review panels: counters, starts and clears of both stores.
    for (bank::Store store : {bank::Store::Marked, bank::Store::OwnWrong}) {
        const auto lines = h::readStore(dir, store);
        if (!lines)
            std::abort(); // files of this folder can always be read
        (void)h::reviewCounts(lines->flags);
        (void)h::lookupString(lines->list);
        for (const QString& id : ids)
            (void)h::idNumber(lines->list, id);
        for (int scope = 0; scope <= 4; ++scope) {
            (void)bank::storeStart(store, scope, lines->list, lines->flags);
            const h::StoreLines kept = h::clearStore(*lines, scope);
            if (scope >= 1 && scope <= 3)
                mustBeFitted(kept);
        }
    }

    // Leaving a practice: read, decide, write.
    h::LeaveInput leave{kind, sub, paper, questions, drop, !marksUnread};
    const h::LeaveFiles leaveFiles = h::readLeaveFiles(dir, leave);
    (void)h::leavingAsks(leave);
    const h::LeaveOutcome left = h::leavePractice(leave, leaveFiles);
    if (left.markedList && left.markedFlags && leaveFiles.markedList && leaveFiles.markedFlags &&
        fitted({*leaveFiles.markedList, *leaveFiles.markedFlags}))
        mustBeFitted({*left.markedList, *left.markedFlags});
    // Marks the start could not read take nothing out of the store.
    if (marksUnread && left.markedList && leaveFiles.markedList) {
        const QStringList kept = bank::splitIds(*left.markedList, INT_MAX);
        for (const QString& id : bank::splitIds(*leaveFiles.markedList, INT_MAX))
            if (!kept.contains(id))
                std::abort();
    }
    (void)h::writeLeaveOutcome(dir, leave, left);

    // Handing in a paper: read, decide, write.
    h::HandInInput in;
    in.exerciseKind = kind;
    in.subKind = sub;
    in.selIndex = paper;
    in.questions = questions;
    in.paperIds = head.value(3);
    (void)h::readHandedInPaperIds(dir, fuzzfiles::folder(), kind, sub, paper);
    in.startTime = head.value(4);
    in.now = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));
    const h::HandInOutcome out = h::handInPaper(in, h::readHandInFiles(dir));
    if (out.marked)
        mustBeFitted(*out.marked);
    if (out.ownWrong)
        mustBeFitted(*out.ownWrong);
    if (out.results && out.results->size() < h::kResultEntries)
        std::abort();
    (void)h::scoreLine(kind, sub, out.score);
    (void)h::writeHandInOutcome(dir, paper, out);

    // The paper's wrong-question review as the score window and the home window start it.
    if (const auto line = h::readFirstLine(dir, h::paperWrongFileName(paper)))
        (void)bank::paperWrongReviewSet(paper, line->trimmed());
    return 0;
}
