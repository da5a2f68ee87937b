#include "exam/standardbox.h"

#include "platform/waits.h"
#include "platform/windowpos.h"

#include <QList>
#include <QMessageBox>
#include <QPointer>

namespace exam {

namespace {

std::function<BoxAnswer(const BoxRequest&)>& testBox()
{
    static std::function<BoxAnswer(const BoxRequest&)> box;
    return box;
}

// The boxes open now, innermost last.
QList<QPointer<QMessageBox>>& openBoxes()
{
    static QList<QPointer<QMessageBox>> boxes;
    return boxes;
}

} // namespace

BoxAnswer standardBox(const BoxRequest& request)
{
    platform::enteringWait(platform::WaitKind::StandardBox);
    if (testBox())
        return testBox()(request);
    const bool yesNo = request.buttons == BoxButtons::YesNo;
    platform::MessageBox box(request.questionIcon ? QMessageBox::Question : QMessageBox::NoIcon, request.title,
                             request.prompt, yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    if (yesNo)
        box.setDefaultButton(request.defaultNo ? QMessageBox::No : QMessageBox::Yes);
    openBoxes().append(&box);
    const int pressed = box.exec();
    openBoxes().removeAll(&box);
    if (!yesNo)
        return BoxAnswer::Ok;
    // Closing the box without a button counts as its No.
    return pressed == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

void closeStandardBoxes()
{
    for (const QPointer<QMessageBox>& box : openBoxes())
        if (box)
            box->reject();
}

void setStandardBoxForTests(std::function<BoxAnswer(const BoxRequest&)> box)
{
    testBox() = std::move(box);
}

} // namespace exam
