#pragma once
// Id lists, lookup strings and review flags of the marked-question store and the own
// wrong-question store, and the changes the exercises make to them.
//
// An id list is four-digit question ids concatenated (whole ids only: a trailing fragment is no
// id); the review flags hold one character per listed id, "T" reviewed, "F" not yet. Every change
// here keeps the flags exactly as long as the list's id count.

#include "bank/questionset.h"
#include "history/historyfiles.h"

#include <QString>
#include <optional>
#include <vector>

namespace history {

// One question of the running exercise: its id (`iTmCode`) and its question flags (`iTmFlags`).
struct Question {
    int code = 0;
    int flags = 0;
};
using Questions = std::vector<Question>;

// Flags tests: every reader tests the whole value.
inline bool isMarked(int flags) { return flags == 2 || flags == 3 || flags == 6 || flags == 7; }
inline bool isCompleted(int flags) { return flags > 3; }
bool anyCompleted(const Questions& questions);

// "_" in front of every whole id of the list: "_0101_0203".
QString lookupString(const QString& list);
// The number (from 1) of the id in the list, 0 when it is not listed.
int idNumber(const QString& list, const QString& id);

// The flags filled up with "F" or cut to count characters.
QString fitFlags(const QString& flags, int count);
// Character n (from 1) of a flag or progress line becomes "T"; a shorter line is first filled
// with "F" up to position n - 1. Unchanged for n below 1.
QString setLearned(const QString& line, int n);

// A store's two lines.
struct StoreLines {
    QString list;
    QString flags;
};

// Marked-question merge: appends the id of every marked question not yet listed (one id once),
// then fits the flags to the new id count (new ids get "F").
StoreLines mergeMarked(const StoreLines& store, const Questions& questions);
// Removal of unmarked questions: every listed id whose question is not marked leaves the list
// together with its flag.
StoreLines removeUnmarked(const StoreLines& store, const Questions& questions);

// A handed-in paper: the paper's id line and its 40 questions' flags (index q - 1).
// The ids of the questions not completed, in question order.
QString paperWrongIds(const QString& paperIds, const Questions& questions);
// The own wrong-question store with those ids appended when not yet listed, flags fitted.
StoreLines addOwnWrong(const StoreLines& store, const QString& wrongIds);
// A paper's wrong-question line after a review in which the candidate drops what he answered:
// id k stays unless question k was completed.
QString keepUncompleted(const QString& paperWrongLine, const Questions& questions);

// ---- the store files ------------------------------------------------------------------------
struct StoreFiles {
    QString list;
    QString flags;
};
StoreFiles storeFiles(const UserFolder& folder, bank::Store store);

// Both lines, trimmed (a missing file is empty), the flags fitted to the list's id count ("F" for
// an id without a flag): a list and flags that still disagree can only be the rest of a pair
// written before pairs were written as one unit, and no id is dropped for it. Nothing when either
// file exists but cannot be read, in which case the store must not be rewritten.
std::optional<StoreLines> readStore(const UserFolder& folder, bank::Store store);
// Both files as one unit (writeSet): the new pair or the old one stands, never a mix.
platform::SetResult writeStore(const UserFolder& folder, bank::Store store, const StoreLines& lines);
// The pair's two files for a set written together with other files.
void addStore(FileSet& set, const StoreFiles& files, const StoreLines& lines);

} // namespace history
