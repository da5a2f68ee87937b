#include "platform/picturefile.h"

#include "platform/cursorfile.h"

#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <zlib.h>

namespace platform {

namespace {

using View = QByteArrayView;

quint8 u8(View d, qsizetype at) { return quint8(d[at]); }
quint16 le16(View d, qsizetype at) { return qFromLittleEndian<quint16>(d.data() + at); }
quint32 le32(View d, qsizetype at) { return qFromLittleEndian<quint32>(d.data() + at); }
quint32 be32(View d, qsizetype at) { return qFromBigEndian<quint32>(d.data() + at); }

constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";

// ---- PNG ----

struct PngHeader {
    quint32 width = 0;
    quint32 height = 0;
    int depth = 0;
    int colourType = 0;
    bool interlaced = false;

    int bitsPerPixel() const
    {
        const int channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
        return channels * depth;
    }
};

// The header as the PNG rules allow it: the first chunk, 13 bytes, a depth the colour type
// takes, and nothing but the one compression and filter method.
std::optional<PngHeader> pngHeader(View d)
{
    if (d.size() < 8 + 8 + 13 || !d.startsWith(View(kPngSignature, 8)) || be32(d, 8) != 13 ||
        d.sliced(12, 4) != "IHDR")
        return std::nullopt;
    PngHeader h;
    h.width = be32(d, 16);
    h.height = be32(d, 20);
    h.depth = u8(d, 24);
    h.colourType = u8(d, 25);
    const bool depthFits = [&] {
        switch (h.colourType) {
        case 0: return h.depth == 1 || h.depth == 2 || h.depth == 4 || h.depth == 8 || h.depth == 16;
        case 3: return h.depth == 1 || h.depth == 2 || h.depth == 4 || h.depth == 8;
        case 2:
        case 4:
        case 6: return h.depth == 8 || h.depth == 16;
        default: return false;
        }
    }();
    if (h.width == 0 || h.height == 0 || h.width > 0x7FFFFFFFu || h.height > 0x7FFFFFFFu || !depthFits ||
        u8(d, 26) != 0 || u8(d, 27) != 0 || u8(d, 28) > 1)
        return std::nullopt;
    h.interlaced = u8(d, 28) == 1;
    return h;
}

// The start of a zlib stream as PNG data must begin: deflate, a window of at most 32 KB, a sound
// check value, no preset dictionary. The rest of the stream is not unpacked here.
bool zlibHeaderIsSound(quint8 cmf, quint8 flg)
{
    return (cmf & 0x0F) == 8 && (cmf >> 4) <= 7 && (cmf * 256 + flg) % 31 == 0 && !(flg & 0x20);
}

// The chunks to IEND, each within the bytes and the critical ones with a sound checksum and in
// their place: the header first, a palette before the image data where the colour type needs
// one, and the image data in one run of IDAT chunks (libpng stops at any other chunk between
// them) beginning as a zlib stream does. Only the chunks' headers and checksums are read: the
// compressed rows are left to the decode, so that loading a picture that is not shown yet costs
// no unpacking. A file made on purpose with every checksum sound over rows that do not unpack
// passes here and decodes to nothing.
bool pngIsWhole(View d)
{
    const auto header = pngHeader(d);
    if (!header || !fitsPictureBound(QSize(int(std::min<quint32>(header->width, kMaxPictureSide + 1)),
                                           int(std::min<quint32>(header->height, kMaxPictureSide + 1))),
                                     header->depth == 16 ? QImage::Format_RGBA64 : QImage::Format_Invalid))
        return false;
    bool palette = false;
    enum { Before, In, After } data = Before; // the run of IDAT chunks
    std::array<quint8, 2> stream{}; // the first two bytes of the image data
    int streamBytes = 0;
    for (qsizetype at = 8;;) {
        if (d.size() - at < 12)
            return false;
        const quint32 length = be32(d, at);
        if (length > 0x7FFFFFFFu || d.size() - at - 12 < qsizetype(length))
            return false;
        const View type = d.sliced(at + 4, 4);
        if (!std::all_of(type.begin(), type.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }))
            return false;
        // A critical chunk the reader does not know, or out of its place, stops the reader.
        const bool critical = !(u8(d, at + 4) & 0x20);
        if (critical) {
            if (crc32(0, reinterpret_cast<const Bytef*>(d.data() + at + 4), uInt(length + 4)) != be32(d, at + 8 + length))
                return false;
            if (type == "IHDR" ? at != 8 : type == "PLTE" ? false : type != "IDAT" && type != "IEND")
                return false;
            if (type == "IDAT" && header->colourType == 3 && !palette)
                return false;
        }
        palette = palette || type == "PLTE";
        if (type == "IEND")
            return streamBytes == 2 && zlibHeaderIsSound(stream[0], stream[1]);
        if (type == "IDAT") {
            if (data == After)
                return false; // image data split by another chunk
            for (qsizetype i = 0; i < qsizetype(length) && streamBytes < 2; ++i)
                stream[size_t(streamBytes++)] = u8(d, at + 8 + i);
            data = In;
        } else if (data == In) {
            data = After;
        }
        at += 12 + qsizetype(length);
    }
}

// ---- BMP ----

// Runs of an RLE-compressed bitmap up to its end mark.
bool rleRunsEnd(View d, qsizetype at, bool fourBits)
{
    while (d.size() - at >= 2) {
        const int count = u8(d, at), value = u8(d, at + 1);
        at += 2;
        if (count != 0)
            continue; // a run of one value
        if (value == 1)
            return true; // end of the bitmap
        if (value == 0)
            continue; // end of a row
        if (value == 2) {
            at += 2; // a move
            continue;
        }
        const qsizetype bytes = fourBits ? (value + 1) / 2 : value;
        at += bytes + (bytes & 1); // literal pixels, padded to a word
    }
    return false;
}

bool bmpIsWhole(View d)
{
    if (d.size() < 14 + 12 || !d.startsWith("BM"))
        return false;
    const quint32 offset = le32(d, 10);
    const quint32 infoSize = le32(d, 14);
    qint64 width = 0, height = 0;
    int bits = 0;
    quint32 compression = 0;
    if (infoSize == 12) {
        width = le16(d, 18);
        height = le16(d, 20);
        bits = le16(d, 24);
    } else if (infoSize >= 40 && d.size() >= 14 + 40) {
        width = qint32(le32(d, 18));
        height = std::abs(qint64(qint32(le32(d, 22))));
        bits = le16(d, 28);
        compression = le32(d, 30);
    } else {
        return false;
    }
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide)
        return false;
    const qint64 pixels = std::max<qint64>(offset, 14 + qint64(infoSize));
    if (pixels > d.size())
        return false;
    switch (compression) {
    case 0: // plain rows
    case 3: // rows with colour masks
    case 6: {
        const qint64 stride = (width * bits + 31) / 32 * 4;
        return d.size() - pixels >= stride * height;
    }
    case 1: return rleRunsEnd(d, pixels, false);
    case 2: return rleRunsEnd(d, pixels, true);
    default: return true; // what the reader does not know it refuses itself
    }
}

// ---- GIF ----

// The data blocks from at to their empty end block; the position after it, or -1.
qsizetype afterBlocks(View d, qsizetype at)
{
    while (at < d.size()) {
        const int n = u8(d, at++);
        if (n == 0)
            return at;
        at += n;
    }
    return -1;
}

// Everything up to the end of the first image's data: the picture that is shown.
bool gifIsWhole(View d)
{
    if (d.size() < 13 || !(d.startsWith("GIF87a") || d.startsWith("GIF89a")))
        return false;
    qsizetype at = 13;
    if (u8(d, 10) & 0x80)
        at += 3 * (qsizetype(2) << (u8(d, 10) & 7)); // the global colour table
    while (at >= 0 && at < d.size()) {
        const int kind = u8(d, at++);
        if (kind == 0x21) { // an extension: its label, then its blocks
            at = at < d.size() ? afterBlocks(d, at + 1) : -1;
        } else if (kind == 0x2C) { // an image: its descriptor, colour table, code size, blocks
            if (d.size() - at < 9)
                return false;
            const int flags = u8(d, at + 8);
            at += 9;
            if (flags & 0x80)
                at += 3 * (qsizetype(2) << (flags & 7));
            return at < d.size() && afterBlocks(d, at + 1) >= 0;
        } else {
            return false; // the end before any image, or no block at all
        }
    }
    return false;
}

// ---- JPEG ----

// The most scans a JPEG may have. The decoder passes over the whole picture once a scan, so its
// work grows with the scans as well as with the pixels: a 4096 x 4096 picture of a few hundred
// tiny refinement scans (tens of kilobytes) takes seconds to decode, and thousands take minutes.
// A real picture has one scan, or one a colour component; a progressive one about ten (libjpeg's
// own script: ten for colour, six for grey), and encoders that tune their script stay within a
// few dozen. 64 leaves room for every one of them and holds the decode to a few times a normal
// picture's work.
constexpr int kMaxJpegScans = 64;

// The segments from the start mark to the end mark, each within the bytes, the compressed data
// after every scan header run to the next mark, and no more than kMaxJpegScans scans.
bool jpegIsWhole(View d)
{
    if (d.size() < 4 || u8(d, 0) != 0xFF || u8(d, 1) != 0xD8)
        return false;
    int scans = 0;
    qsizetype at = 2;
    while (true) {
        if (d.size() - at < 2 || u8(d, at) != 0xFF)
            return false;
        while (at + 1 < d.size() && u8(d, at + 1) == 0xFF)
            ++at; // fill bytes
        if (d.size() - at < 2)
            return false;
        const int mark = u8(d, at + 1);
        at += 2;
        if (mark == 0xD9)
            return scans > 0;
        if (mark == 0x01 || (mark >= 0xD0 && mark <= 0xD7))
            continue; // marks without a length
        if (d.size() - at < 2 || qFromBigEndian<quint16>(d.data() + at) < 2 ||
            d.size() - at < qFromBigEndian<quint16>(d.data() + at))
            return false;
        at += qFromBigEndian<quint16>(d.data() + at);
        if (mark != 0xDA)
            continue;
        if (++scans > kMaxJpegScans)
            return false;
        // Compressed data: a 0xFF in it is followed by 0 or a restart mark.
        for (;; ++at) {
            if (d.size() - at < 2)
                return false;
            if (u8(d, at) == 0xFF) {
                const int next = u8(d, at + 1);
                if (next != 0 && !(next >= 0xD0 && next <= 0xD7) && next != 0xFF)
                    break;
            }
        }
    }
}

} // namespace

PictureFormat pictureFormat(QByteArrayView b)
{
    if (b.startsWith(View(kPngSignature, 8)))
        return PictureFormat::Png;
    if (b.startsWith("GIF87a") || b.startsWith("GIF89a"))
        return PictureFormat::Gif;
    if (b.size() >= 3 && u8(b, 0) == 0xFF && u8(b, 1) == 0xD8 && u8(b, 2) == 0xFF)
        return PictureFormat::Jpeg;
    if (b.startsWith("BM"))
        return PictureFormat::Bmp;
    if (looksLikeCursorFile(b))
        return PictureFormat::Cursor;
    return PictureFormat::None;
}

QByteArray qtFormatName(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Bmp: return QByteArrayLiteral("bmp");
    case PictureFormat::Png: return QByteArrayLiteral("png");
    case PictureFormat::Gif: return QByteArrayLiteral("gif");
    case PictureFormat::Jpeg: return QByteArrayLiteral("jpeg");
    case PictureFormat::Cursor:
    case PictureFormat::None: break;
    }
    return {};
}

bool fitsPictureBound(QSize size, QImage::Format format)
{
    if (size.isEmpty() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
        return false;
    // At the depth the decoder gives the format, and never under 32 bits: the pixels of a
    // picture that is drawn are 32 bits wide.
    const int depth =
        format == QImage::Format_Invalid ? 32 : std::max<int>(32, QImage::toPixelFormat(format).bitsPerPixel());
    const qint64 bytes = qint64(size.width()) * size.height() * (depth / 8);
    qint64 bound = kMaxPictureBytes;
    // Never past Qt's own limit of one image's allocation, should it be set lower.
    if (const int mb = QImageReader::allocationLimit(); mb > 0)
        bound = std::min(bound, qint64(mb) << 20);
    return bytes <= bound;
}

std::optional<QSize> pngHeaderSize(QByteArrayView png)
{
    const auto h = pngHeader(png);
    if (!h)
        return std::nullopt;
    return QSize(int(h->width), int(h->height));
}

std::optional<QSize> gifScreenSize(QByteArrayView gif)
{
    if (pictureFormat(gif) != PictureFormat::Gif || gif.size() < 13)
        return std::nullopt;
    int w = le16(gif, 6), h = le16(gif, 8);
    // The first image widens the screen where it lies beyond it.
    qsizetype at = 13;
    if (u8(gif, 10) & 0x80)
        at += 3 * (qsizetype(2) << (u8(gif, 10) & 7));
    while (at >= 0 && at + 9 < gif.size()) {
        const int kind = u8(gif, at++);
        if (kind == 0x21) {
            at = afterBlocks(gif, at + 1);
        } else {
            if (kind == 0x2C) {
                w = std::max(w, le16(gif, at) + le16(gif, at + 4));
                h = std::max(h, le16(gif, at + 2) + le16(gif, at + 6));
            }
            break;
        }
    }
    return QSize(w, h);
}

bool pictureIsWhole(PictureFormat format, QByteArrayView bytes)
{
    switch (format) {
    case PictureFormat::Png: return pngIsWhole(bytes);
    case PictureFormat::Bmp: return bmpIsWhole(bytes);
    case PictureFormat::Gif: return gifIsWhole(bytes);
    case PictureFormat::Jpeg: return jpegIsWhole(bytes);
    case PictureFormat::Cursor: return true;
    case PictureFormat::None: break;
    }
    return false;
}

} // namespace platform
