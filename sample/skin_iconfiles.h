#pragma once
#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QImage>

namespace skin {

// A Windows icon file holding the given pictures (each at most 256 pixels a side), as
// 32-bit bitmaps with their transparency mask.
QByteArray iconFileBytes(const QList<QImage>& images);

// A Windows cursor file holding one picture with its hot spot.
QByteArray cursorFileBytes(const QImage& image, QPoint hotSpot);

// The hand pointer over links and buttons, 32 x 32 with its hot spot at the finger tip.
QImage handCursorImage();
QPoint handCursorHotSpot();

} // namespace skin
