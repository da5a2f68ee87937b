#pragma once
// The tab labels of a scene, LblXXK(0) to LblXXK(13), put out of sight before a step lays out
// the tabs it has. The work surface and the demonstration both build their scenes this way.

#include "toolkit/controlarray.h"
#include "toolkit/controls.h"
#include "toolkit/vb.h"

#include <QString>

namespace surface {

// Each label 1 x 1 twip (not scaled) at (-1 x sx, -1 x sy), without caption. A label that
// fails is passed over and the next one still parked.
inline void parkTabLabels(tk::ControlArray<tk::Label>& labels, double sx, double sy)
{
    for (int i = 0; i <= 13; ++i) {
        vb::attempt([&] {
            tk::Label& t = labels[i];
            t.setHeight(1);
            t.setWidth(1);
            t.setLeft(-1 * sx);
            t.setTop(-1 * sy);
            t.setCaption(QString());
        });
    }
}

} // namespace surface
