#pragma once
// What the program takes for a picture file, before anything is decoded: the formats its files
// are (BMP, PNG, GIF, JPEG, and icon and cursor files), told by their first bytes and never by
// the name; the one bound on what a picture may decode to; and whether a file's content runs to
// its end, so that a file cut off after a sound header is refused when it is read, not found out
// when it is drawn.
//
//   const platform::PictureFormat f = platform::pictureFormat(bytes); // None: no picture
//   if (!platform::pictureIsWhole(f, bytes)) { /* damaged */ }
//   platform::fitsPictureBound(QSize(4096, 4096));                   // true: at the bound

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <optional>

namespace platform {

enum class PictureFormat { None, Bmp, Png, Gif, Jpeg, Cursor };

// The format the bytes begin as; None for anything else (SVG, TIFF, WebP, compressed data, ...).
PictureFormat pictureFormat(QByteArrayView bytes);

// The name Qt's image reader knows the format by ("bmp", "png", "gif", "jpeg"); empty for a
// cursor or icon file, which the program reads itself (cursorfile.h), and for None.
QByteArray qtFormatName(PictureFormat format);

// The bound of every decoded picture: no side longer than kMaxPictureSide pixels and at most
// kMaxPictureBytes of pixels at the depth the format decodes to (at least 32 bits a pixel), nor
// more than Qt's allocation limit for one image.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr qint64 kMaxPictureBytes = qint64(64) << 20; // 4096 x 4096 at 32 bits
bool fitsPictureBound(QSize size, QImage::Format format = QImage::Format_Invalid);

// The width and height in the header (IHDR) of PNG data; nothing when the data does not begin
// with a PNG signature and a well-formed header.
std::optional<QSize> pngHeaderSize(QByteArrayView png);

// The size of a GIF's logical screen, which its first image is decoded onto, widened to that
// image where it lies beyond the screen; nothing for other data.
std::optional<QSize> gifScreenSize(QByteArrayView gif);

// Whether the content of a BMP, PNG, GIF or JPEG file is all there: every part its header and
// its blocks announce lies within the bytes; for PNG, every critical chunk is sound, in its place
// and its checksum right, and the image data one run of chunks; for JPEG, no more scans than a
// real picture has, so that the decoder's work is bounded as its size is. Checked by walking the
// file's blocks without unpacking or decoding anything, in little memory. True for a cursor or
// icon file (read whole when it is loaded) and false for None. The size in the header is to be
// checked against the bound first.
bool pictureIsWhole(PictureFormat format, QByteArrayView bytes);

} // namespace platform
