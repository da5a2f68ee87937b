#pragma once
// Decoded pictures, shared. Every picture and pointer file the program shows is read and decoded
// here once and handed out as an implicitly shared QPixmap, so the thirty buttons cut from one
// strip, and every window that shows the same back picture, hold one copy of its pixels. Controls
// hold a tk::Picture, decoded only when it is first drawn.
//
//   const tk::DecodedPicture p = tk::decodedPicture(folder + "/l20045.mxy"); // raises 53 / 481
//   window.setIcon(p.pixmap);
//   button.setPicture(tk::Picture::fromFile(folder + "/l20045.mxy"));
//
// A file is found ignoring letter case, as every data file is (platform/filelookup.h). It is
// known by its real path, its size and its modification time: a file changed on disk is read
// again, an unchanged one never. The cache keeps at most pictureCacheLimit() bytes of decoded
// pixels and lets the least recently used picture go first; a control that still shows a picture
// let go keeps it (the pixels stay shared with the control), and the file is read again only when
// it is asked for again.

#include "platform/picturefile.h"

#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QString>
#include <memory>
#include <optional>

namespace tk {

struct DecodedPicture {
    QPixmap pixmap;
    std::optional<QPoint> hotSpot; // set for a cursor or icon file
};

// The bound of what is decoded, shared by the check of a file's header at the load, by the
// decode itself and by the reader of cursor files (platform/picturefile.h): no side longer than
// kMaxPictureSide pixels (within every format's own limits) and at most kMaxPictureBytes of
// pixels at the depth the format decodes to (at least 32 bits a pixel), nor more than Qt's
// allocation limit for one image. A file whose header claims more, or whose content decodes to
// more, holds no picture the program shows.
inline constexpr int kMaxPictureSide = platform::kMaxPictureSide;
inline constexpr qint64 kMaxPictureBytes = platform::kMaxPictureBytes;
bool pictureFitsDecodeBound(QSize size, QImage::Format format = QImage::Format_Invalid);
// The longest picture file read: the pixels of the bound stored plainly, and room for headers.
inline constexpr qint64 kMaxPictureFileBytes = kMaxPictureBytes + (qint64(1) << 20);

// The decoded picture of the file at path, format read from the content: BMP, PNG, GIF, JPEG,
// icon and cursor files, and no other (platform/picturefile.h). Raises vb::Error 53 when no such
// file exists (letter case aside), 75 when it cannot be read, 481 when it holds no picture of
// these formats, one beyond the decode bound, one whose content is cut off or damaged, or is
// longer than kMaxPictureFileBytes. Copies are cheap: the pixels are shared.
DecodedPicture decodedPicture(const QString& path);

// A picture as a control holds it: decoded pixels, or a PNG file (the format of the program's
// pictures) that was read and checked whole when it was loaded (platform::pictureIsWhole) and
// whose pixels are decoded the first time they are drawn or asked for. Files of the other
// formats are decoded when they are loaded. A
// window builds all its panels at once but shows one; the pictures of the hidden ones cost no
// decoding and no memory until the candidate opens them. Copies share one decode.
//
//   const tk::Picture p = tk::Picture::fromFile(path); // raises 53 / 75 / 481 now
//   p.size();                                          // known from the file's header
//   painter.drawPixmap(0, 0, p.pixmap());              // decoded here, once
class Picture {
public:
    Picture() = default;
    Picture(const QPixmap& pixmap); // NOLINT: a decoded picture is a picture

    // The picture of a file, found ignoring letter case; the empty picture for an empty path.
    // Missing, unreadable and not-a-picture files raise as decodedPicture() does, now, and so
    // do a header that claims a size beyond the decode bound and a file cut off or damaged
    // after a sound header. A file already decoded and unchanged is shared at once; any other
    // PNG file is kept as read (its bytes, a few kilobytes) until its first use.
    static Picture fromFile(const QString& path);

    bool isNull() const { return size_.isEmpty(); }
    QSize size() const { return size_; }
    int width() const { return size_.width(); }
    int height() const { return size_.height(); }
    bool isDecoded() const { return !pending_ || pendingDone(); }

    // The pixels, decoded now if they were not yet. Content the check at the load passed but
    // the decoder refuses (made so on purpose: every checksum sound) gives the empty pixmap.
    QPixmap pixmap() const;
    QImage toImage() const { return pixmap().toImage(); }

    struct Pending;

private:
    bool pendingDone() const;

    QSize size_;
    mutable QPixmap pixmap_;
    mutable std::shared_ptr<Pending> pending_;
};

// The bound, in bytes of decoded pixels, of what the cache keeps (default 48 MB).
qint64 pictureCacheLimit();
void setPictureCacheLimit(qint64 bytes);

// What the cache holds now, and how many files it has handed to a decoder since the start (a file
// refused before it is decoded counts none; tests, benchmarks).
struct PictureCacheStats {
    int entries = 0;
    qint64 bytes = 0;
    int decodes = 0;
};
PictureCacheStats pictureCacheStats();

// Forgets every kept picture (benchmarks of a cold start; never needed for correctness).
void clearPictureCache();

} // namespace tk
