// Judges of the second hot spot Label4: rubber bands (004s) and drags (005s) from it into the hot
// spot with the step's Shift state, and the left press on it that completes any step without the
// drag-only mark.
//
// A press on Label4 keeps the mouse, so the release over the hot spot comes here too. A gesture
// ends with its release: the selection frame is hidden and no drag is under way any more, also
// after a release with another Shift state. The scene build ends it as well.

#include "surface/frmmain.h"
#include "surface/judges.h"

#include "platform/programfolder.h"

#include <algorithm>
#include <cmath>

using judges::current;
using judges::step;

namespace {

// The Shift state of a rubber-band or drag step, when the current step is one.
std::optional<int> dragShift() { return current().opCode().dragShift(); }
bool rubberBandStep() { return current().run(8, 10) == u"004"; }

// A point of the surface lies inside the hot spot, edges included.
bool insideHotSpot(const tk::Label& hot, double px, double py)
{
    return hot.Left() <= px && px <= hot.Left() + hot.Width() && hot.Top() <= py && py <= hot.Top() + hot.Height();
}

} // namespace

void FrmMain::endSecondHotSpotDrag()
{
    step([&] { Shape6.hide(); });
    dragging = false;
}

void FrmMain::Label4_MouseDown(int button, int shift, float x, float y)
{
    if (!current().dragOnly() && button == 1)
        doNext();
    const std::optional<int> s = dragShift();
    if (!s || *s != shift)
        return;
    if (rubberBandStep()) {
        step([&] {
            bandAnchorX = vb::clng(Label4.Left() + x);
            bandAnchorY = vb::clng(Label4.Top() + y);
        });
        step([&] { Shape6.Move(bandAnchorX, bandAnchorY, 15, 15); });
        step([&] { Shape6.show(); });
    }
    dragging = true;
}

void FrmMain::Label4_MouseMove(int, int shift, float x, float y)
{
    step([&] { HiddeMenu(); });
    applyDragPointerToHotSpot();
    const std::optional<int> s = dragShift();
    if (!s || *s != shift)
        return;
    if (rubberBandStep()) {
        if (!Shape6.Visible())
            return;
        // The frame spans the anchor and the pointer, whichever way it was dragged.
        step([&] {
            const double px = Label4.Left() + x;
            const double py = Label4.Top() + y;
            Shape6.Move(std::min<double>(bandAnchorX, px), std::min<double>(bandAnchorY, py),
                        std::abs(px - bandAnchorX), std::abs(py - bandAnchorY));
        });
    }
    if (!dragging)
        return;
    const bank::PointerSpec p = current().secondHotSpotPointer();
    if (p.kind == bank::PointerSpec::Kind::Standard) {
        step([&] { Label4.setMousePointer(p.number); });
    } else {
        step([&] { Label4.setMousePointer(99); });
        const QString name = p.cursorFileName();
        if (!name.isEmpty())
            step([&] { Label4.loadMouseIcon(platform::programPath(name)); });
    }
}

void FrmMain::Label4_MouseUp(int, int shift, float x, float y)
{
    // Read once: the rubber band may advance the step before the drag is judged.
    const std::optional<int> s = dragShift();
    const bool band = rubberBandStep();
    const bool matches = s && *s == shift;
    if (matches && band) {
        bool inside = false;
        step([&] { inside = insideHotSpot(Label1, Label4.Left() + x, Label4.Top() + y); });
        if (Shape6.Visible() && inside)
            doNext();
    }
    if (matches) {
        dragging = false;
        // Measured again: after an advance the hot spots stand where the next step puts them.
        bool inside = false;
        step([&] { inside = insideHotSpot(Label1, Label4.Left() + x, Label4.Top() + y); });
        if (inside && Label4.MousePointer() != 0)
            doNext();
    }
    endSecondHotSpotDrag();
    step([&] { Label4.setMousePointer(0); });
}
