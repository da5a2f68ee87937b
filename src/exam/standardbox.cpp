#include "exam/standardbox.h"

#include <QMessageBox>

namespace exam {

namespace {

std::function<BoxAnswer(const BoxRequest&)>& testBox()
{
    static std::function<BoxAnswer(const BoxRequest&)> box;
    return box;
}

} // namespace

BoxAnswer standardBox(const BoxRequest& request)
{
    if (testBox())
        return testBox()(request);
    const bool yesNo = request.buttons == BoxButtons::YesNo;
    QMessageBox box(request.questionIcon ? QMessageBox::Question : QMessageBox::NoIcon, request.title,
                    request.prompt, yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    if (yesNo)
        box.setDefaultButton(request.defaultNo ? QMessageBox::No : QMessageBox::Yes);
    const int pressed = box.exec();
    if (!yesNo)
        return BoxAnswer::Ok;
    // Closing the box without a button counts as its No.
    return pressed == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

void setStandardBoxForTests(std::function<BoxAnswer(const BoxRequest&)> box)
{
    testBox() = std::move(box);
}

} // namespace exam
