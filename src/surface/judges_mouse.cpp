// Judges of the hot spot and of the keyboard: click, double click, right click, button steps with
// a Shift state, hover, the click half of type-then-click, key steps, and the opening of the
// popup menu of popup-menu steps.
//
// A judge that matches calls doNext, which builds the next step's scene before it returns; what
// the judge does after that sees the next step. So the rest of a gesture (the release after a
// press, the second release of a double click) is judged against the next step.

#include "surface/frmmain.h"
#include "platform/waits.h"
#include "surface/judges.h"

#include "platform/programfolder.h"
#include "toolkit/twips.h"

using namespace ModData;
using judges::current;
using judges::step;

void FrmMain::Form_KeyUp(int keyCode, int shift)
{
    const bank::OpRecord rec = current();
    step([&] { opCode = vb::cint(rec.value(8, 11)); });
    const std::optional<bank::KeyStep> key = rec.keyStep();
    if (key && keyCode == key->keyCode && shift == key->shift)
        doNext();
}

void FrmMain::Label1_DblClick()
{
    if (opCode == 2)
        doNext();
}

void FrmMain::Label1_MouseDown(int button, int shift, float x, float y)
{
    const int c = opCode;
    if (c / 1000 == 9 && c != 9999 && button == c % 100 && shift == (c % 1000) / 100) {
        doNext();
        return;
    }
    if (button == 2 && c == 3) {
        doNext();
        return;
    }
    if (c / 1000 != 3 && c / 1000 != 4)
        return;
    QPoint at;
    if (button == 2 && popupY == 0) {
        at = Label1.mapToGlobal(QPoint(tk::toPixels(x), tk::toPixels(y)));
    } else if (button == 1 && popupY != 0) {
        at = mapToGlobal(QPoint(tk::toPixels(popupX * dScaleX), tk::toPixels(popupY * dScaleY)));
    } else {
        return;
    }
    popupBlock = qint16((c / 100) % 10);
    step([&] { systemMenu(); });
    step([&] {
        platform::enteringWait(platform::WaitKind::PopupMenu);
        showPopup(wm100, at);
    });
}

void FrmMain::Label1_MouseMove(int, int, float, float)
{
    step([&] { HiddeMenu(); });
    if (current().run(8, 11) == u"0030")
        doNext();
    if (current().opCode().keepsHoverPointer())
        return;
    applyDragPointerToHotSpot();
}

void FrmMain::Label1_MouseUp(int button, int shift, float, float)
{
    step([&] { opCode = vb::cint(current().value(8, 11)); });
    if (button == 1 && shift == 0 && opCode == 1)
        doNext();
    if (opCode != 26)
        return;
    const QString answer = judges::textOf(current().answerText());
    const QString typed = judges::loose(Text1.Text());
    if (judges::eitherAnswer(typed, answer, [](const QString& t, const QString& a) { return t == judges::loose(a); }))
        doNext();
}

// The hot spot takes the pointer of the drag pointer field, cols 101-105.
void FrmMain::applyDragPointerToHotSpot()
{
    const bank::PointerSpec p = current().dragPointer();
    switch (p.kind) {
    case bank::PointerSpec::Kind::Standard:
        step([&] { Label1.setMousePointer(p.number); }); // a number of no pointer leaves it
        break;
    case bank::PointerSpec::Kind::Custom: {
        step([&] { Label1.setMousePointer(99); });
        const QString name = p.cursorFileName();
        if (!name.isEmpty())
            step([&] { Label1.loadMouseIcon(platform::programPath(name)); });
        break;
    }
    case bank::PointerSpec::Kind::Default:
        step([&] { Label1.setMousePointer(0); });
        break;
    }
}
