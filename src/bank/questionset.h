#pragma once
// The exercise starts of the home panels: which questions a unit, marked-question, own
// wrong-question or paper start takes, or the notice shown instead of an empty start.

#include "bank/exercise.h"
#include "bank/unittable.h"

#include <QString>

namespace bank {

// A notice of the program's message box (picture "l20072"); the prompt holds its CR LF breaks.
struct Notice {
    QString title;
    QString prompt;
};

// What a start decided: nothing at all, a notice, or a question set for prepareExercise.
struct StartDecision {
    enum class What { Nothing, Notice, Start } what = What::Nothing;
    Notice notice;
    QuestionSet set;
};

// Unit practice (button 20). selUnit is `iSelUnit` (-1 none), scope `iUnitScope` (0 whole unit,
// 1 learned, 2 not yet learned), row the unit's row of the unit table. A unit of no questions
// starts nothing: its whole-unit start gives the not-yet-learned notice.
StartDecision unitStart(int selUnit, int scope, const UnitRow& row, int unitCount);

// The two review stores.
enum class Store { Marked, OwnWrong };

// Marked-question practice (button 22) or own wrong-question practice (button 24). scope is
// `iBiaoZhiScope` or `iCuoTiScope` (1 not yet reviewed, 2 reviewed, 3 both, 0 none); list and
// flags are line 1 of the store's two files, trimmed (empty for a missing file).
StartDecision storeStart(Store store, int scope, const QString& list, const QString& flags);

// Paper start (buttons 70 to 99): paper p with its question-id string (line p + 3 of the bank
// layout file for p below 20, line p - 19 of the generated paper list otherwise).
StartDecision paperStart(int paper, const QString& paperIds);

// The wrong-question review of paper p from its paper wrong-question line (kind 2, sub-kind 17,
// every question not done), for the score window's review and the home window's. A line without
// a whole id gives a set of 0 questions: the callers decide not to start it.
QuestionSet paperWrongReviewSet(int paper, const QString& wrongLine);

} // namespace bank
