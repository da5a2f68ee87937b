#pragma once
// The screen the program's windows are laid out on. Geometry is designed in twips; on this
// platform a pixel is always 15 twips, so the screen scale (twips per pixel / 15) is 1.0.

#include <QSize>

namespace platform {

// Size of the primary screen in pixels (800 x 600 when there is no screen at all).
QSize screenSizePixels();
// The same in twips.
QSize screenSizeTwips();

// Twips per pixel, horizontally and vertically: 15.
int twipsPerPixelX();
int twipsPerPixelY();

// The screen scale: twips per pixel / 15.
double screenScaleX();
double screenScaleY();

// Tests can pretend another screen size; an empty size restores the real screen.
void setScreenSizeOverride(QSize pixels);

} // namespace platform
