// Judges of the three text boxes: typing (case ignored or exact), typing and Enter, selecting a
// text, the rename box and the second box; and the candidate's input method switched on when
// the answer box gets the focus.
//
// Every event reads the record and the operation-text file afresh. A text set by the program
// (the scene build filling a box) is judged like a typed one.

#include "surface/frmmain.h"
#include "surface/judges.h"

#include "platform/keyboardlayout.h"

using namespace ModData;
using judges::current;
using judges::loose;

namespace {

bool sameLoose(const QString& typed, const QString& answer) { return typed == loose(answer); }
bool sameTrimmed(const QString& typed, const QString& answer) { return typed == vb::trim(answer); }

// The characters of a text from "!" to "~": blanks, line ends and every double-byte character
// dropped.
QString printableAscii(const QString& text)
{
    QString kept;
    for (const QChar ch : text)
        if (ch.unicode() > 32 && ch.unicode() < 127)
            kept += ch;
    return kept;
}

// The rename box and the second box take either answer of "a|b", or the whole answer text.
bool boxMatches(const tk::TextBox& box)
{
    const QString answer = judges::textOf(current().answerText());
    const QString typed = loose(box.Text());
    return judges::eitherAnswer(typed, answer, sameLoose) || sameLoose(typed, answer);
}

} // namespace

void FrmMain::Text1_Change()
{
    const bank::OpRecord rec = current();
    const QString answer = judges::textOf(rec.answerText());
    const QString code = rec.run(8, 11);
    if (code == u"0020") {
        if (judges::eitherAnswer(loose(Text1.Text()), answer, sameLoose))
            doNext();
    } else if (code == u"0025") {
        if (judges::eitherAnswer(vb::trim(Text1.Text()), answer, sameTrimmed))
            doNext();
    }
}

void FrmMain::Text1_KeyUp(int keyCode, int)
{
    if (keyCode != 13 || current().run(8, 11) != u"0024")
        return;
    const QString answer = judges::textOf(current().answerText());
    const QString text = Text1.Text();
    if (judges::eitherAnswer(loose(printableAscii(text)), answer, sameLoose)
        || judges::eitherAnswer(loose(text), answer, sameLoose)) {
        doNext();
        return;
    }
    judges::step([&] { Text1.setText(QString()); });
}

void FrmMain::Text1_MouseUp(int, int, float, float)
{
    if (current().run(8, 11) != u"0023")
        return;
    // The selection must be the target itself: case does not count, blanks around it do.
    const QString target = loose(judges::textOf(current().hintText()));
    if (vb::lcase(Text1.SelText()) == target)
        doNext();
}

void FrmMain::Text2_Change()
{
    if (boxMatches(Text2))
        doNext();
}

void FrmMain::Text3_Change()
{
    if (boxMatches(Text3))
        doNext();
}

void FrmMain::Text1_GotFocus()
{
    if (bAutoIme)
        platform::activateKeyboardLayout(lImeHkl);
}
