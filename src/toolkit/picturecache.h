#pragma once
// Decoded pictures, shared. Every picture and pointer file the program shows is read and decoded
// here once and handed out as an implicitly shared QPixmap, so the thirty buttons cut from one
// strip, and every window that shows the same back picture, hold one copy of its pixels.
//
//   const tk::DecodedPicture p = tk::decodedPicture(folder + "/l20045.mxy"); // raises 53 / 481
//   button.setPicture(p.pixmap);
//
// A file is found ignoring letter case, as every data file is (platform/filelookup.h). It is
// known by its real path, its size and its modification time: a file changed on disk is read
// again, an unchanged one never. The cache keeps at most pictureCacheLimit() bytes of decoded
// pixels and lets the least recently used picture go first; a control that still shows a picture
// let go keeps it (the pixels stay shared with the control), and the file is read again only when
// it is asked for again.

#include <QPixmap>
#include <QPoint>
#include <QString>
#include <optional>

namespace tk {

struct DecodedPicture {
    QPixmap pixmap;
    std::optional<QPoint> hotSpot; // set for a cursor or icon file
};

// The decoded picture of the file at path, format read from the content: BMP, PNG, GIF, JPEG,
// icon and cursor files. Raises vb::Error 53 when no such file exists (letter case aside), 75
// when it cannot be read, 481 when it holds no picture. Copies are cheap: the pixels are shared.
DecodedPicture decodedPicture(const QString& path);

// The bound, in bytes of decoded pixels, of what the cache keeps (default 48 MB).
qint64 pictureCacheLimit();
void setPictureCacheLimit(qint64 bytes);

// What the cache holds now, and how many files it has decoded since the start (tests, benchmarks).
struct PictureCacheStats {
    int entries = 0;
    qint64 bytes = 0;
    int decodes = 0;
};
PictureCacheStats pictureCacheStats();

// Forgets every kept picture (benchmarks of a cold start; never needed for correctness).
void clearPictureCache();

} // namespace tk
