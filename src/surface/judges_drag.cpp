// The picture-drag judge: the drag picture Image5 trails the pointer on the axes of its step's
// direction, and a drop beyond the drag bound snaps onto the bound and completes the step; any
// other drop puts the picture back where the record places it.

#include "surface/frmmain.h"
#include "surface/judges.h"

using namespace ModData;
using judges::current;
using judges::step;

namespace {

// One picture-drag code: on each axis -1 asks the drag base to lie at or before the bound,
// +1 at or beyond it, 0 leaves the axis alone.
struct PictureDrag {
    int code;
    int x;
    int y;
};

// In the order the drop is judged. There is no 8005.
constexpr PictureDrag kPictureDrags[] = {
    {8001, -1, 0}, {8002, 1, 0}, {8003, 0, -1}, {8004, 0, 1},
    {8006, -1, 1}, {8007, 1, 1}, {8008, -1, -1}, {8009, 1, -1},
};

const PictureDrag* pictureDrag(int code)
{
    for (const PictureDrag& d : kPictureDrags)
        if (d.code == code)
            return &d;
    return nullptr;
}

bool reached(int direction, double base, double bound)
{
    return direction == 0 || (direction < 0 ? base <= bound : base >= bound);
}

} // namespace

void FrmMain::Image5_MouseMove(int button, int, float x, float y)
{
    step([&] { HiddeMenu(); });
    const PictureDrag* d = pictureDrag(opCode);
    if (!d || button != 1) // the left button alone
        return;
    // Each move puts the moved edge halfway between where it was and the pointer.
    if (d->x != 0)
        step([&] { Image5.setLeft(dragBaseLeft + x / 2.0); });
    if (d->y != 0)
        step([&] { Image5.setTop(dragBaseTop + y / 2.0); });
    if (d->x != 0)
        step([&] { dragBaseLeft = vb::clng(Image5.Left()); });
    if (d->y != 0)
        step([&] { dragBaseTop = vb::cint(Image5.Top()); });
}

void FrmMain::Image5_MouseUp(int, int, float, float)
{
    // Every rule is tried in turn: after an accepted drop the next step is judged at once.
    for (const PictureDrag& d : kPictureDrags) {
        if (opCode != d.code)
            continue;
        const double boundX = dragBoundX * dScaleX;
        const double boundY = dragBoundY * dScaleY;
        if (reached(d.x, dragBaseLeft, boundX) && reached(d.y, dragBaseTop, boundY)) {
            if (d.y != 0)
                step([&] { Image5.setTop(boundY); });
            if (d.x != 0)
                step([&] { Image5.setLeft(boundX); });
            doNext();
        } else {
            const bank::OpRecord rec = current();
            if (d.y != 0)
                step([&] { Image5.setTop(rec.value(156, 160) * dScaleY); });
            if (d.x != 0)
                step([&] { Image5.setLeft(rec.value(151, 155) * dScaleX); });
        }
    }
}
