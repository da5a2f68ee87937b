#pragma once
// What the judges of the work surface share: the record as it stands now, statements that go on
// after an error, and the answer texts of typing steps.

#include "app/moddata.h"
#include "bank/oprecord.h"
#include "toolkit/vb.h"

#include <QString>
#include <utility>

namespace judges {

// The record of the current step; after a step advance, the next step's.
inline bank::OpRecord current() { return bank::OpRecord(ModData::sOpRecord); }

// Every statement of a judge goes on after an error, with nothing reported.
template <class F>
void step(F&& f)
{
    vb::attempt(std::forward<F>(f));
}

// A text as the judges compare it when case does not count: blanks around it removed, lower case.
inline QString loose(const QString& text) { return vb::lcase(vb::trim(text)); }

// The text of a reference of the current record; empty for "000" or an unreadable file.
inline QString textOf(const bank::TextRef& ref)
{
    QString text;
    step([&] { text = bank::operationText(ModData::sOpTextFile, ref); });
    return text;
}

// Whether a typed text is one of the two accepted answers of an answer text "a|b" (split at its
// first bar; a text without a bar is the one answer), compared as `same` says.
template <class Same>
bool eitherAnswer(const QString& typed, const QString& answerText, Same same)
{
    const bank::Answers a = bank::splitAnswers(answerText);
    return same(typed, a.first) || same(typed, a.second);
}

} // namespace judges
