#include "platform/cursorfile.h"

#include "platform/picturefile.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <vector>

namespace platform {

namespace {

constexpr int kMaxSide = 256;

std::atomic<int> entriesDecoded{0};

quint16 u16(QByteArrayView b, qsizetype at) { return qFromLittleEndian<quint16>(b.data() + at); }
quint32 u32(QByteArrayView b, qsizetype at) { return qFromLittleEndian<quint32>(b.data() + at); }
qint32 s32(QByteArrayView b, qsizetype at) { return qFromLittleEndian<qint32>(b.data() + at); }

// An entry of the directory, with the size its own data's header gives.
struct Entry {
    QSize size; // from the entry's header, not from the directory
    int bits; // from the directory, only to rank the entries
    QPoint hotSpot;
    QByteArrayView data;
    bool png;
};

// Where the parts of one device-independent bitmap lie in its data: header, palette, colour
// rows, AND-mask rows, bottom row first.
struct Dib {
    int width;
    int height;
    int bpp;
    std::vector<QRgb> palette;
    qsizetype xorAt;
    qsizetype xorStride;
    qsizetype andAt;
    qsizetype andStride;
    bool hasMask;
};

// Nothing when a size or offset does not fit the data; nothing is decoded.
std::optional<Dib> dibLayout(QByteArrayView d)
{
    if (d.size() < 40)
        return std::nullopt;
    const quint32 headerSize = u32(d, 0);
    if (headerSize < 40 || headerSize > quint32(d.size()))
        return std::nullopt;
    const qint32 w = s32(d, 4);
    const qint32 h2 = s32(d, 8); // colour and mask rows together
    const int planes = u16(d, 12);
    const int bpp = u16(d, 14);
    const quint32 compression = u32(d, 16);
    const quint32 colorsUsed = u32(d, 32);
    if (w <= 0 || w > kMaxSide || h2 <= 0 || h2 > 2 * kMaxSide || planes > 1)
        return std::nullopt;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return std::nullopt;
    if (compression != 0 && !(compression == 3 && bpp == 32)) // plain rows (or 32-bit fields)
        return std::nullopt;
    Dib dib;
    dib.width = w;
    dib.height = h2 / 2 > 0 ? h2 / 2 : h2;
    dib.bpp = bpp;

    qsizetype at = headerSize;
    if (compression == 3 && headerSize == 40)
        at += 12; // the three colour masks follow a short header
    if (bpp <= 8) {
        const quint32 n = colorsUsed ? colorsUsed : (1u << bpp);
        if (n > 256u || at + qsizetype(n) * 4 > d.size())
            return std::nullopt;
        for (quint32 i = 0; i < n; ++i) {
            const uchar* q = reinterpret_cast<const uchar*>(d.data() + at + i * 4);
            dib.palette.push_back(qRgb(q[2], q[1], q[0]));
        }
        at += qsizetype(n) * 4;
    }
    dib.xorStride = ((qsizetype(w) * bpp + 31) / 32) * 4;
    dib.andStride = ((qsizetype(w) + 31) / 32) * 4;
    dib.xorAt = at;
    dib.andAt = dib.xorAt + dib.xorStride * dib.height;
    if (dib.andAt > d.size())
        return std::nullopt;
    // The mask may be missing in 32-bit images, which carry their own alpha.
    dib.hasMask = dib.andAt + dib.andStride * dib.height <= d.size();
    if (!dib.hasMask && bpp != 32)
        return std::nullopt;
    return dib;
}

QImage readDib(QByteArrayView d, const Dib& dib)
{
    const int w = dib.width, h = dib.height, bpp = dib.bpp;
    const auto& palette = dib.palette;
    QImage img(w, h, QImage::Format_ARGB32);
    bool anyAlpha = false;
    for (int y = 0; y < h; ++y) {
        const uchar* row = reinterpret_cast<const uchar*>(d.data() + dib.xorAt + dib.xorStride * (h - 1 - y));
        const uchar* mrow =
            dib.hasMask ? reinterpret_cast<const uchar*>(d.data() + dib.andAt + dib.andStride * (h - 1 - y)) : nullptr;
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            QRgb c = 0;
            int index = -1;
            switch (bpp) {
            case 1: index = (row[x / 8] >> (7 - x % 8)) & 1; break;
            case 4: index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF; break;
            case 8: index = row[x]; break;
            case 24: c = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]); break;
            case 32:
                c = qRgba(row[x * 4 + 2], row[x * 4 + 1], row[x * 4], row[x * 4 + 3]);
                anyAlpha = anyAlpha || row[x * 4 + 3] != 0;
                break;
            }
            if (index >= 0)
                c = index < int(palette.size()) ? palette[size_t(index)] : qRgb(0, 0, 0);
            const bool masked = mrow && ((mrow[x / 8] >> (7 - x % 8)) & 1);
            if (bpp != 32) {
                // A masked pixel is transparent; one that would invert the screen shows black.
                c = masked ? (qRed(c) | qGreen(c) | qBlue(c) ? qRgba(0, 0, 0, 255) : qRgba(0, 0, 0, 0))
                           : (c | 0xFF000000u);
            } else if (masked) {
                c = c & 0x00FFFFFFu; // kept for images without alpha, see below
            }
            out[x] = c;
        }
    }
    if (bpp == 32 && !anyAlpha) {
        // Old 32-bit images leave alpha at 0: the mask decides.
        for (int y = 0; y < h; ++y) {
            const uchar* mrow = dib.hasMask
                                    ? reinterpret_cast<const uchar*>(d.data() + dib.andAt + dib.andStride * (h - 1 - y))
                                    : nullptr;
            auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const bool masked = mrow && ((mrow[x / 8] >> (7 - x % 8)) & 1);
                out[x] = masked ? 0u : (out[x] | 0xFF000000u);
            }
        }
    }
    return img;
}

QImage decodePng(QByteArrayView data)
{
    QByteArray bytes = QByteArray::fromRawData(data.data(), data.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// The size an entry's data gives in its own header, within the side of a cursor and the bound
// of every picture; nothing for an entry that is no PNG or bitmap of such a size.
std::optional<QSize> entrySize(QByteArrayView data, bool& png)
{
    png = pictureFormat(data) == PictureFormat::Png;
    QSize size;
    if (png) {
        const auto s = pngHeaderSize(data);
        if (!s)
            return std::nullopt;
        size = *s;
    } else if (const auto dib = dibLayout(data)) {
        size = QSize(dib->width, dib->height);
    } else {
        return std::nullopt;
    }
    if (size.width() > kMaxSide || size.height() > kMaxSide || !fitsPictureBound(size))
        return std::nullopt;
    return size;
}

} // namespace

int cursorEntriesDecoded() { return entriesDecoded; }

bool looksLikeCursorFile(QByteArrayView b)
{
    if (b.size() < 6 + 16)
        return false;
    const quint16 type = u16(b, 2);
    return u16(b, 0) == 0 && (type == 1 || type == 2) && u16(b, 4) >= 1;
}

std::optional<CursorImage> readCursorFile(const QByteArray& b)
{
    if (!looksLikeCursorFile(b))
        return std::nullopt;
    const bool cursor = u16(b, 2) == 2;
    const int count = u16(b, 4);
    // Every entry's size is read from its header; only the one taken is decoded, so that many
    // entries pointing at one large picture cost no more than their directory.
    std::vector<Entry> entries;
    for (int i = 0; i < count; ++i) {
        const qsizetype e = 6 + qsizetype(i) * 16;
        if (e + 16 > b.size())
            break;
        Entry en;
        en.bits = cursor ? 0 : u16(b, e + 6);
        en.hotSpot = cursor ? QPoint(u16(b, e + 4), u16(b, e + 6)) : QPoint(-1, -1);
        const quint32 size = u32(b, e + 8);
        const quint32 offset = u32(b, e + 12);
        if (offset < 6 || size == 0 || quint64(offset) + size > quint64(b.size()))
            continue;
        en.data = QByteArrayView(b).sliced(offset, size);
        const auto headerSize = entrySize(en.data, en.png);
        if (!headerSize)
            continue;
        en.size = *headerSize;
        entries.push_back(en);
    }
    // The entry nearest 32 x 32; the deepest of equally near ones.
    const auto taken = std::min_element(entries.begin(), entries.end(), [](const Entry& a, const Entry& c) {
        const int da = std::abs(a.size.width() - 32) + std::abs(a.size.height() - 32);
        const int dc = std::abs(c.size.width() - 32) + std::abs(c.size.height() - 32);
        return da != dc ? da < dc : a.bits > c.bits;
    });
    if (taken == entries.end())
        return std::nullopt;
    ++entriesDecoded;
    QImage img;
    if (taken->png) {
        img = decodePng(taken->data);
        if (img.isNull() || img.size() != taken->size)
            return std::nullopt;
        img = img.convertToFormat(QImage::Format_ARGB32);
    } else {
        img = readDib(taken->data, *dibLayout(taken->data));
    }
    QPoint hot = taken->hotSpot.x() < 0 ? QPoint(img.width() / 2, img.height() / 2) : taken->hotSpot;
    hot.setX(std::clamp(hot.x(), 0, img.width() - 1));
    hot.setY(std::clamp(hot.y(), 0, img.height() - 1));
    return CursorImage{img, hot};
}

} // namespace platform
