#include "platform/cursorfile.h"

#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace platform {

namespace {

constexpr int kMaxSide = 256;

quint16 u16(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }
quint32 u32(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
qint32 s32(const QByteArray& b, qsizetype at) { return qFromLittleEndian<qint32>(b.constData() + at); }

struct Entry {
    int width;
    int height;
    int bits; // from the entry, only to rank the entries
    QPoint hotSpot;
    quint32 size;
    quint32 offset;
};

bool hasPngSignature(const QByteArray& b)
{
    static const char sig[] = "\x89PNG\r\n\x1a\n";
    return b.size() >= 8 && std::equal(sig, sig + 8, b.constData());
}

// One device-independent bitmap of the file: header, palette, colour rows, AND-mask rows,
// bottom row first. Nothing when a size or offset does not fit the data.
std::optional<QImage> readDib(const QByteArray& d)
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
    const int h = h2 / 2 > 0 ? h2 / 2 : h2;

    qsizetype at = headerSize;
    if (compression == 3 && headerSize == 40)
        at += 12; // the three colour masks follow a short header
    std::vector<QRgb> palette;
    if (bpp <= 8) {
        const quint32 n = colorsUsed ? colorsUsed : (1u << bpp);
        if (n > 256u || at + qsizetype(n) * 4 > d.size())
            return std::nullopt;
        for (quint32 i = 0; i < n; ++i) {
            const uchar* q = reinterpret_cast<const uchar*>(d.constData() + at + i * 4);
            palette.push_back(qRgb(q[2], q[1], q[0]));
        }
        at += qsizetype(n) * 4;
    }
    const qsizetype xorStride = ((qsizetype(w) * bpp + 31) / 32) * 4;
    const qsizetype andStride = ((qsizetype(w) + 31) / 32) * 4;
    const qsizetype xorAt = at;
    const qsizetype andAt = xorAt + xorStride * h;
    if (andAt > d.size())
        return std::nullopt;
    // The mask may be missing in 32-bit images, which carry their own alpha.
    const bool hasMask = andAt + andStride * h <= d.size();
    if (!hasMask && bpp != 32)
        return std::nullopt;

    QImage img(w, h, QImage::Format_ARGB32);
    bool anyAlpha = false;
    for (int y = 0; y < h; ++y) {
        const uchar* row = reinterpret_cast<const uchar*>(d.constData() + xorAt + xorStride * (h - 1 - y));
        const uchar* mrow = hasMask ? reinterpret_cast<const uchar*>(d.constData() + andAt + andStride * (h - 1 - y))
                                    : nullptr;
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
            const uchar* mrow = hasMask ? reinterpret_cast<const uchar*>(d.constData() + andAt + andStride * (h - 1 - y))
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

} // namespace

bool looksLikeCursorFile(const QByteArray& b)
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
    std::vector<Entry> entries;
    for (int i = 0; i < count; ++i) {
        const qsizetype e = 6 + qsizetype(i) * 16;
        if (e + 16 > b.size())
            break;
        const uchar* p = reinterpret_cast<const uchar*>(b.constData() + e);
        Entry en;
        en.width = p[0] ? p[0] : 256;
        en.height = p[1] ? p[1] : 256;
        en.bits = cursor ? 0 : u16(b, e + 6);
        en.hotSpot = cursor ? QPoint(u16(b, e + 4), u16(b, e + 6)) : QPoint(-1, -1);
        en.size = u32(b, e + 8);
        en.offset = u32(b, e + 12);
        if (en.offset < 6 || en.size == 0 || quint64(en.offset) + en.size > quint64(b.size()))
            continue;
        entries.push_back(en);
    }
    // The entry nearest 32 x 32 first; the deepest of equally near ones.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& c) {
        const int da = std::abs(a.width - 32) + std::abs(a.height - 32);
        const int dc = std::abs(c.width - 32) + std::abs(c.height - 32);
        return da != dc ? da < dc : a.bits > c.bits;
    });
    for (const Entry& en : entries) {
        const QByteArray data = b.mid(en.offset, en.size);
        QImage img;
        if (hasPngSignature(data)) {
            img.loadFromData(data, "PNG");
            if (img.isNull() || img.width() > kMaxSide || img.height() > kMaxSide)
                continue;
            img = img.convertToFormat(QImage::Format_ARGB32);
        } else if (auto dib = readDib(data)) {
            img = *dib;
        } else {
            continue;
        }
        QPoint hot = en.hotSpot.x() < 0 ? QPoint(img.width() / 2, img.height() / 2) : en.hotSpot;
        hot.setX(std::clamp(hot.x(), 0, img.width() - 1));
        hot.setY(std::clamp(hot.y(), 0, img.height() - 1));
        return CursorImage{img, hot};
    }
    return std::nullopt;
}

} // namespace platform
