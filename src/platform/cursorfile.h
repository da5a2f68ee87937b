#pragma once
// Reader of Windows cursor and icon files (".CUR", ".ICO"): a directory (type 2 cursor, 1 icon)
// of images, each a PNG or a device-independent bitmap of 1, 4, 8, 24 or 32 bits a pixel with
// its AND mask. Every entry's size is read from its own header, never from the directory, and
// an entry of more than 256 pixels a side is passed over undecoded. Of the others the entry
// nearest 32 x 32 pixels is taken, the deepest on a tie, and only it is decoded. A cursor's hot
// spot comes from its directory entry; an icon's is its centre.
//
//   if (auto c = platform::readCursorFile(bytes)) { QCursor(QPixmap::fromImage(c->image), c->hotSpot.x(), c->hotSpot.y()); }

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QPoint>
#include <optional>

namespace platform {

struct CursorImage {
    QImage image; // ARGB32, transparent where the mask says so
    QPoint hotSpot;
};

// Nothing when the bytes are no cursor or icon file, no entry is a picture of a cursor's size,
// or the entry taken is damaged.
std::optional<CursorImage> readCursorFile(const QByteArray& bytes);

// How many entries readCursorFile() has decoded since the start (tests).
int cursorEntriesDecoded();

// Whether the bytes begin like a cursor or icon file (reserved 0, type 1 or 2, count >= 1).
bool looksLikeCursorFile(QByteArrayView bytes);

} // namespace platform
