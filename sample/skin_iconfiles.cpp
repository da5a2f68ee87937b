#include "skin_iconfiles.h"

#include "skin_paint.h"

#include <QDataStream>
#include <QIODevice>

namespace skin {

namespace {

struct Entry {
    QImage image;
    quint16 planesOrHotX;   // icon: colour planes (1); cursor: hot spot x
    quint16 bitsOrHotY;     // icon: bits per pixel (32); cursor: hot spot y
};

// The bitmap of one entry: header with the doubled height of colour and mask, the colour rows
// bottom-up as blue, green, red, alpha, then the mask rows bottom-up (1 = transparent).
QByteArray entryBitmap(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    const int maskStride = ((w + 31) / 32) * 4;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(40) << qint32(w) << qint32(2 * h) << quint16(1) << quint16(32) << quint32(0)
        << quint32(w * h * 4 + maskStride * h) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            out << quint8(qBlue(row[x])) << quint8(qGreen(row[x])) << quint8(qRed(row[x]))
                << quint8(qAlpha(row[x]));
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray mask(maskStride, '\0');
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qAlpha(row[x]) == 0)
                mask[x / 8] = char(mask[x / 8] | (0x80 >> (x % 8)));
        out.writeRawData(mask.constData(), mask.size());
    }
    return bytes;
}

// Directory (reserved 0, type, count), one 16-byte record per entry, then the bitmaps.
QByteArray container(quint16 type, const QList<Entry>& entries)
{
    QList<QByteArray> bitmaps;
    for (const Entry& e : entries)
        bitmaps.append(entryBitmap(e.image));
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << type << quint16(entries.size());
    quint32 offset = 6 + 16 * quint32(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        out << quint8(e.image.width() & 0xff) << quint8(e.image.height() & 0xff) << quint8(0) << quint8(0)
            << e.planesOrHotX << e.bitsOrHotY << quint32(bitmaps[i].size()) << offset;
        offset += quint32(bitmaps[i].size());
    }
    for (const QByteArray& b : bitmaps)
        out.writeRawData(b.constData(), int(b.size()));
    return bytes;
}

} // namespace

QByteArray iconFileBytes(const QList<QImage>& images)
{
    QList<Entry> entries;
    for (const QImage& image : images)
        entries.append({image, 1, 32});
    return container(1, entries);
}

QByteArray cursorFileBytes(const QImage& image, QPoint hotSpot)
{
    return container(2, {{image, quint16(hotSpot.x()), quint16(hotSpot.y())}});
}

QImage handCursorImage()
{
    QImage image = blankImage(32, 32, Qt::transparent);
    QPainter p;
    beginPainter(p, image);
    drawGlyph(p, Glyph::Hand, QRectF(0, 0, 32, 32), Qt::white);
    p.end();
    return image;
}

QPoint handCursorHotSpot()
{
    return {10, 1};
}

} // namespace skin
