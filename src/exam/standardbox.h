#pragma once
// The system's standard message box, as the question panel and the examination windows ask it:
// a prompt, a caption, OK alone or Yes and No, an optional question icon and default button.
// It answers with the button pressed. Tests put their own in its place.
//
//   exam::BoxRequest r;
//   r.prompt = QStringLiteral("时间已到，自动交卷！");
//   r.title = ModData::sKeMu;
//   exam::standardBox(r);   // modal; the panel's timers go on firing meanwhile

#include <QString>
#include <functional>

namespace exam {

enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Ok, Yes, No };

struct BoxRequest {
    QString prompt;
    QString title;
    BoxButtons buttons = BoxButtons::Ok;
    bool questionIcon = false;
    bool defaultNo = false; // Yes/No: No is the default button
};

BoxAnswer standardBox(const BoxRequest& request);

// Closes every standard box still open, as its close box would (a question answers No): the
// paper they belong to is over.
void closeStandardBoxes();

// An empty function puts the real box back.
void setStandardBoxForTests(std::function<BoxAnswer(const BoxRequest&)> box);

} // namespace exam
