#pragma once
// Picture files made byte by byte for the tests and benchmarks: PNGs of any claimed size with
// whole or cut rows, or with their image data split, progressive JPEGs of any number of scans,
// icon and cursor files whose entries point anywhere, and gzip-compressed SVG. Large pictures are packed as they are made, a few rows at a time: a 5600 x 5600 PNG costs
// its compressed bytes, not its pixels.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <QList>
#include <QPoint>
#include <QRgb>
#include <QString>
#include <QtEndian>
#include <zlib.h>

namespace picturefiles {

inline QByteArray bigEndian(quint32 v)
{
    QByteArray b(4, '\0');
    qToBigEndian(v, b.data());
    return b;
}

inline QByteArray littleEndian16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

inline QByteArray littleEndian32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

inline QByteArray pngChunk(const QByteArray& type, const QByteArray& data)
{
    const QByteArray body = type + data;
    return bigEndian(quint32(data.size())) + body +
           bigEndian(quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))));
}

// Deflates `count` copies of `piece` (zlib stream, or raw deflate when raw), a copy at a time.
inline QByteArray deflateRepeated(const QByteArray& piece, qint64 count, bool raw = false, int level = 9)
{
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, raw ? -15 : 15, 9, Z_DEFAULT_STRATEGY);
    QByteArray out;
    char buf[64 * 1024];
    for (qint64 i = 0; i <= count; ++i) {
        const bool last = i == count;
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.constData()));
        z.avail_in = last ? 0 : uInt(piece.size());
        do {
            z.next_out = reinterpret_cast<Bytef*>(buf);
            z.avail_out = sizeof buf;
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            out.append(buf, qsizetype(sizeof buf - z.avail_out));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return out;
}

// A w x h PNG of 8 or 16 bits a channel, RGB, all black. With whole false only its first rows
// are there: a sound header over a few kilobytes of pixel data, as a decompression bomb or a cut
// download starts.
inline QByteArray png(int w, int h, int bitsPerChannel = 8, bool whole = true, int colourType = 2)
{
    const char depthAndKind[] = {char(bitsPerChannel), char(colourType), 0, 0, 0}; // no interlace
    const QByteArray header = bigEndian(quint32(w)) + bigEndian(quint32(h)) + QByteArray(depthAndKind, 5);
    const int channels = colourType == 2 ? 3 : colourType == 6 ? 4 : 1;
    const QByteArray row(1 + qsizetype(w) * channels * bitsPerChannel / 8, '\0');
    const QByteArray rows = whole ? deflateRepeated(row, h) : deflateRepeated(QByteArray(4096, '\0'), 1);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", rows) +
           pngChunk("IEND", {});
}

// The same w x h black PNG with its image data in two IDAT chunks and `between` (whole chunks,
// every checksum sound) between them.
inline QByteArray pngWithDataSplitBy(int w, int h, const QByteArray& between)
{
    const QByteArray whole = png(w, h);
    const qsizetype dataAt = 8 + 25; // after the signature and the header chunk
    const QByteArray rows = whole.mid(dataAt + 8, qFromBigEndian<quint32>(whole.constData() + dataAt));
    const qsizetype half = rows.size() / 2;
    return whole.left(dataAt) + pngChunk("IDAT", rows.left(half)) + between + pngChunk("IDAT", rows.mid(half)) +
           pngChunk("IEND", {});
}

// A progressive JPEG of the picture as Qt's writer makes it (libjpeg's script of scans), its last
// scan then repeated until it has `scans` scans: the tiny refinement scans that cost the decoder
// a pass over the whole picture each. Fewer scans than the writer's gives the writer's.
inline QByteArray progressiveJpeg(const QImage& image, int scans)
{
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(true);
        writer.write(image);
    }
    // Each scan: its header segment and compressed data, up to the next mark that is no
    // restart mark.
    auto be16 = [&jpeg](qsizetype at) { return qsizetype(qFromBigEndian<quint16>(jpeg.constData() + at)); };
    QByteArray lastScan;
    int written = 0;
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && quint8(jpeg[at + 1]) != 0xD9) {
        const bool scan = quint8(jpeg[at + 1]) == 0xDA;
        qsizetype end = at + 2 + be16(at + 2);
        if (scan) {
            while (end + 1 < jpeg.size() &&
                   !(quint8(jpeg[end]) == 0xFF && quint8(jpeg[end + 1]) != 0 && (quint8(jpeg[end + 1]) & 0xF8) != 0xD0))
                ++end;
            lastScan = jpeg.mid(at, end - at);
            ++written;
        }
        at = end;
    }
    QByteArray more;
    for (int i = written; i < scans; ++i)
        more += lastScan;
    return jpeg.insert(at, more);
}

// An icon (type 1) or cursor (type 2) file whose directory lists the entries, each at its data:
// the same data may stand behind many entries. The directory's own size bytes say 32 x 32.
struct IconEntry {
    int data; // index into the data list
    QPoint hotSpot;
};
inline QByteArray iconFile(int type, const QList<IconEntry>& entries, const QList<QByteArray>& data)
{
    QByteArray f = littleEndian16(0) + littleEndian16(quint16(type)) + littleEndian16(quint16(entries.size()));
    QList<quint32> offsets;
    quint32 at = quint32(6 + 16 * entries.size());
    for (const QByteArray& d : data) {
        offsets << at;
        at += quint32(d.size());
    }
    for (const IconEntry& e : entries) {
        f += QByteArray("\x20\x20\0\0", 4);
        f += littleEndian16(quint16(e.hotSpot.x())) + littleEndian16(quint16(e.hotSpot.y()));
        f += littleEndian32(quint32(data[e.data].size())) + littleEndian32(offsets[e.data]);
    }
    for (const QByteArray& d : data)
        f += d;
    return f;
}

// The device-independent bitmap of an icon entry: w x h at 24 bits, one colour, no pixel masked.
inline QByteArray dib(int w, int h, QRgb colour)
{
    QByteArray d = littleEndian32(40) + littleEndian32(quint32(w)) + littleEndian32(quint32(h * 2)) +
                   littleEndian16(1) + littleEndian16(24) + QByteArray(24, '\0');
    const qsizetype stride = (qsizetype(w) * 24 + 31) / 32 * 4;
    QByteArray row(stride, '\0');
    for (int x = 0; x < w; ++x) {
        row[x * 3] = char(qBlue(colour));
        row[x * 3 + 1] = char(qGreen(colour));
        row[x * 3 + 2] = char(qRed(colour));
    }
    for (int y = 0; y < h; ++y)
        d += row;
    d += QByteArray((qsizetype(w) + 31) / 32 * 4 * h, '\0'); // the mask: nothing masked
    return d;
}

// A gzip-compressed SVG (".svgz") of width x height whose document is padded with `blanks`
// spaces: a file of about blanks / 1000 bytes that unpacks to blanks bytes. The blanks are packed
// a megabyte at a time, each megabyte to the same bytes, so that even a 1.5 GB document is made
// in a few milliseconds.
inline QByteArray svgz(int width, int height, qint64 blanks)
{
    const QByteArray head = QStringLiteral("<?xml version=\"1.0\"?><svg xmlns=\"http://www.w3.org/2000/svg\" "
                                           "width=\"%1\" height=\"%2\"><rect width=\"%1\" height=\"%2\" fill=\"red\"/>")
                                .arg(width)
                                .arg(height)
                                .toLatin1();
    const QByteArray tail("</svg>");
    const qint64 piece = 1 << 20;
    const QByteArray megabyte(piece, ' ');
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    auto pack = [&z](const QByteArray& in, int flush) {
        QByteArray out;
        char buf[64 * 1024];
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
        z.avail_in = uInt(in.size());
        do {
            z.next_out = reinterpret_cast<Bytef*>(buf);
            z.avail_out = sizeof buf;
            deflate(&z, flush);
            out.append(buf, qsizetype(sizeof buf - z.avail_out));
        } while (z.avail_out == 0);
        return out;
    };
    // After a full flush the packer starts afresh: every further megabyte packs to the same bytes.
    QByteArray body = pack(head, Z_FULL_FLUSH);
    const qint64 megabytes = blanks / piece;
    QByteArray packedMegabyte;
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(head.constData()), uInt(head.size()));
    const uLong megabyteCrc = crc32(0, reinterpret_cast<const Bytef*>(megabyte.constData()), uInt(piece));
    for (qint64 i = 0; i < megabytes; ++i) {
        if (i < 2) {
            const QByteArray p = pack(megabyte, Z_FULL_FLUSH);
            packedMegabyte = p;
        }
        body += packedMegabyte;
        crc = crc32_combine(crc, megabyteCrc, z_off_t(piece));
    }
    const QByteArray rest = QByteArray(blanks % piece, ' ') + tail;
    body += pack(rest, Z_FINISH);
    deflateEnd(&z);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(rest.constData()), uInt(rest.size()));
    const qint64 total = head.size() + blanks + tail.size();
    return QByteArray("\x1f\x8b\x08\0\0\0\0\0\0\x03", 10) + body + littleEndian32(quint32(crc)) +
           littleEndian32(quint32(total));
}

} // namespace picturefiles
