#pragma once
// What the question panel writes when it shows a question: the title of each exercise kind, the
// list of unfinished questions and the question text of a question-text line. Plain functions of
// their inputs, so that the panel and the surface build these texts the same way.

#include <QString>
#include <functional>
#include <optional>

namespace exam {

// The exercise being run, as far as the title needs it.
struct TitleInputs {
    int kind = 0;        // iLianXiType
    int subKind = 0;     // iLianXiSub
    int paper = 0;       // iSelIndex
    QString module;      // sKeMu
    int number = 0;      // iTmNo
    int count = 0;       // iTmCount
    int questionId = 0;  // iTmCode(iTmNo)
    QString doneMark;    // sTmDone(iTmNo)
};

// The caption of the title label for the exercise kind, or nothing for a kind without a title
// (the caption then stays as it was).
std::optional<QString> questionTitle(const TitleInputs& in);

// "未完成的题目" followed by " " and the number of every question 1..count whose flags are 3
// or less. flagOf(i) gives the flags of question i.
QString unfinishedList(int count, const std::function<int(int)>& flagOf);

// A question's line of the question-text file, as the panel shows it.
struct QuestionText {
    QString text;          // the text for the question text box
    bool isPicture = false;
    QString pictureName;   // six characters, for a picture question
};
QuestionText questionText(const QString& line);

} // namespace exam
