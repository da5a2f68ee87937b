#pragma once
// Leaving a practice exercise: what the question panel's return button saves. The decision is
// pure (leavePractice); readLeaveFiles and writeLeaveOutcome do the file work around it, so the
// panel only reads, asks, decides and writes.

#include "history/idlist.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace history {

struct LeaveInput {
    int exerciseKind = 0; // `iLianXiType`
    int subKind = 0;      // `iLianXiSub`
    int selIndex = 0;     // `iSelIndex`
    Questions questions;  // questions 1 to `iTmCount`: `iTmCode` and `iTmFlags`
    bool dropAnswered = false; // kind 2: the candidate answered Yes to dropping what he answered
    // The questions' marked bits came from the marked list at the start. When it could not be read
    // then, an unmarked question may be marked in the store: the leave takes none out of it.
    bool marksRead = true;
};

// The files as they stand; std::nullopt for a file that exists but cannot be read (a missing
// file is empty). Only the files the exercise kind may change need to be filled.
struct LeaveFiles {
    std::optional<QStringList> progress;      // unit progress file, every line
    std::optional<QString> markedList;        // trimmed
    std::optional<QString> markedFlags;       // trimmed, fitted to the list (readStore)
    std::optional<QString> ownWrongFlags;     // trimmed, fitted to the own wrong-question list
    std::optional<QString> paperWrong;        // as read
};

// What each file becomes; std::nullopt = not written.
struct LeaveOutcome {
    std::optional<QStringList> progress; // the lines, written each with CR LF and one more CR LF
    std::optional<QString> markedList;
    std::optional<QString> markedFlags;
    std::optional<QString> ownWrongFlags;
    std::optional<QString> paperWrong;
    int homePage = 0; // `iFengmianPage`
    // A file the save needs exists but could not be read: nothing of the set is written.
    bool unreadable = false;
};

// `iFengmianPage` after leaving: 16 for kinds 5, 6, 20; 18 for 9 to 11; 19 for 12 to 14; else 0.
int homePageAfterLeaving(int exerciseKind);

// Whether leaving asks the candidate to drop the questions answered in a paper's wrong-question
// review: kind 2 with at least one question completed.
bool leavingAsks(const LeaveInput& in);

// The question the panel shows then (standard message box, Yes/No, No by default).
QString dropAnsweredQuestionText();

LeaveOutcome leavePractice(const LeaveInput& in, const LeaveFiles& files);

// The files of the user folder that leavePractice reads.
LeaveFiles readLeaveFiles(const UserFolder& folder, const LeaveInput& in);
// Writes what changed as one unit (files whose bytes are already on disk are left alone):
// Written, or Undone (every file as it was; so too when a file it needs could not be read), or
// Mixed when the set could be neither finished nor undone.
platform::SetResult writeLeaveOutcome(const UserFolder& folder, const LeaveInput& in, const LeaveOutcome& out);

} // namespace history
