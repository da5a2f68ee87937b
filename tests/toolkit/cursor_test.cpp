// Cursor files, written byte by byte here, and mouse pointers by number.

#include "common/picturefiles.h"
#include "platform/cursorfile.h"
#include "toolkit/controls.h"
#include "toolkit/pointers.h"
#include "toolkit/vberror.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

void put16(QByteArray& b, int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); }
void put32(QByteArray& b, quint32 v)
{
    put16(b, int(v & 0xFFFF));
    put16(b, int(v >> 16));
}

// One-entry cursor file of w x h pixels, hot spot (hx, hy). bpp 1: a black pixel at the top-left
// corner on transparency; bpp 32: a half-transparent blue pixel there, the rest transparent.
QByteArray cursorFile(int w, int h, int hx, int hy, int bpp)
{
    QByteArray dib;
    put32(dib, 40);
    put32(dib, quint32(w));
    put32(dib, quint32(h * 2));
    put16(dib, 1);
    put16(dib, bpp);
    put32(dib, 0);
    for (int i = 0; i < 5; ++i)
        put32(dib, 0);
    if (bpp == 1) {
        put32(dib, 0x00000000); // black
        put32(dib, 0x00FFFFFF); // white
    }
    const int xorStride = ((w * bpp + 31) / 32) * 4;
    const int andStride = ((w + 31) / 32) * 4;
    for (int row = h - 1; row >= 0; --row) { // bottom row first
        QByteArray r(xorStride, '\0');
        if (bpp == 32 && row == 0) {
            r[0] = char(0xFF); // blue
            r[3] = char(0x80); // alpha
        }
        dib.append(r);
    }
    for (int row = h - 1; row >= 0; --row) {
        QByteArray r(andStride, char(0xFF)); // transparent...
        if (row == 0)
            r[0] = char(0x7F); // ...but the top-left pixel
        dib.append(r);
    }
    QByteArray f;
    put16(f, 0);
    put16(f, 2);
    put16(f, 1);
    f.append(char(w)).append(char(h)).append(char(0)).append(char(0));
    put16(f, hx);
    put16(f, hy);
    put32(f, quint32(dib.size()));
    put32(f, 22);
    return f + dib;
}

// A 16 x 16 PNG, all green.
QByteArray greenPng()
{
    QImage png(16, 16, QImage::Format_ARGB32);
    png.fill(qRgba(0, 255, 0, 255));
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    png.save(&buf, "PNG");
    return bytes;
}

} // namespace

TEST(CursorFile, BitmapCursorsKeepTheirHotSpotAndMask)
{
    for (int bpp : {1, 32}) {
        const auto c = platform::readCursorFile(cursorFile(32, 32, 5, 7, bpp));
        ASSERT_TRUE(c) << bpp;
        EXPECT_EQ(c->image.size(), QSize(32, 32));
        EXPECT_EQ(c->hotSpot, QPoint(5, 7));
        const QRgb corner = c->image.pixel(0, 0);
        if (bpp == 1)
            EXPECT_EQ(corner, qRgba(0, 0, 0, 255));
        else
            EXPECT_EQ(qAlpha(corner), 0x80);
        EXPECT_EQ(qAlpha(c->image.pixel(1, 0)), 0);
        EXPECT_EQ(qAlpha(c->image.pixel(31, 31)), 0);
    }
}

TEST(CursorFile, EmbeddedPngAndIconCentre)
{
    const QByteArray pngBytes = greenPng();
    for (int type : {1, 2}) {
        QByteArray f;
        put16(f, 0);
        put16(f, type);
        put16(f, 1);
        f.append(char(16)).append(char(16)).append(char(0)).append(char(0));
        put16(f, type == 2 ? 3 : 1);
        put16(f, type == 2 ? 4 : 32);
        put32(f, quint32(pngBytes.size()));
        put32(f, 22);
        const auto c = platform::readCursorFile(f + pngBytes);
        ASSERT_TRUE(c) << type;
        EXPECT_EQ(c->hotSpot, type == 2 ? QPoint(3, 4) : QPoint(8, 8));
        EXPECT_EQ(c->image.pixel(5, 5), qRgba(0, 255, 0, 255));
    }
}

TEST(CursorFile, DamagedFilesGiveNoCursor)
{
    const QByteArray good = cursorFile(32, 32, 5, 7, 1);
    QByteArray badType = good;
    badType[2] = 3;
    QByteArray offsetPastEnd = good;
    offsetPastEnd[18] = char(0x7F);
    QByteArray hugeWidth = good;
    hugeWidth[22 + 4] = char(0xFF);
    hugeWidth[22 + 5] = char(0xFF);
    QByteArray depth = good;
    depth[22 + 14] = 7;
    for (const QByteArray& b : {QByteArray(), good.left(30), good.left(good.size() - 200), badType, offsetPastEnd,
                                hugeWidth, depth, QByteArray(4000, '\xFF')})
        EXPECT_FALSE(platform::readCursorFile(b)) << b.size();
}

// Each entry's size is read from its own header before anything is decoded, and only the entry
// taken is decoded: a file of a thousand entries that all point at one 4096 x 4096 PNG (16 MB of
// pixels in 16 KB) costs no more than its directory, by the reader and by the picture loader.
// The directory's own size bytes (32 x 32 in every entry here) rank nothing.
TEST(CursorFile, EntriesAreSizedByTheirHeaderAndOnlyTheOneTakenIsDecoded)
{
    using picturefiles::IconEntry;
    const QByteArray large = picturefiles::png(4096, 4096, 8, true, 0); // grey, whole
    const QByteArray blue = picturefiles::dib(32, 32, qRgb(0, 0, 255));
    const QByteArray smallPng = greenPng();

    QList<IconEntry> manyLarge(1024, IconEntry{0, {1, 2}});
    QList<IconEntry> manyLargeThenBlue = manyLarge;
    manyLargeThenBlue << IconEntry{1, {3, 4}};
    const struct {
        const char* name;
        QByteArray file;
        QSize size; // invalid: no cursor
        QPoint hotSpot;
    } cases[] = {
        {"a thousand entries at one large PNG, then a 32 x 32 bitmap",
         picturefiles::iconFile(2, manyLargeThenBlue, {large, blue}), {32, 32}, {3, 4}},
        {"a thousand entries at one large PNG", picturefiles::iconFile(2, manyLarge, {large}), {}, {}},
        {"a 16 x 16 PNG before a 32 x 32 bitmap", picturefiles::iconFile(2, {{0, {1, 2}}, {1, {3, 4}}}, {smallPng, blue}),
         {32, 32}, {3, 4}},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_LT(c.file.size(), 40000) << "small on disk";
        const QString path = dir.filePath(QStringLiteral("ico07.CUR"));
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(c.file);
        }
        const int decodedBefore = platform::cursorEntriesDecoded();
        const auto read = platform::readCursorFile(c.file);
        QSize loaded;
        try {
            loaded = tk::loadPicture(path).size();
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), vb::ErrInvalidPicture);
        }
        EXPECT_EQ(platform::cursorEntriesDecoded() - decodedBefore, c.size.isValid() ? 2 : 0)
            << "the reader and the loader each decode the entry taken and no other";
        EXPECT_EQ(read.has_value(), c.size.isValid());
        if (read) {
            EXPECT_EQ(read->image.size(), c.size);
            EXPECT_EQ(read->hotSpot, c.hotSpot);
            EXPECT_EQ(read->image.pixel(5, 5), qRgba(0, 0, 255, 255));
        }
        EXPECT_EQ(loaded, c.size);
    }
}

TEST(MousePointer, CustomPointerFromAFileAndAFailedLoadKeepsThePrevious)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("ico05.CUR"));
    const QString bad = dir.filePath(QStringLiteral("ico06.CUR"));
    for (auto [path, bytes] : {std::pair{good, cursorFile(32, 32, 5, 7, 1)}, std::pair{bad, QByteArray("\0\0\2\0garbage", 11)}}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QWidget form;
    tk::Label l(&form);
    l.setMousePointer(99);
    EXPECT_EQ(l.cursor().shape(), Qt::ArrowCursor) << "99 without a picture shows the default";
    l.loadMouseIcon(good);
    EXPECT_EQ(l.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(l.cursor().hotSpot(), QPoint(5, 7));
    for (auto [path, error] : {std::pair{bad, 481}, std::pair{dir.filePath(QStringLiteral("none.CUR")), 53}}) {
        try {
            l.loadMouseIcon(path);
            ADD_FAILURE() << path.toStdString();
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), error);
        }
        EXPECT_EQ(l.MousePointer(), 99);
        EXPECT_EQ(l.cursor().hotSpot(), QPoint(5, 7));
    }
    // A cursor file is a picture too.
    EXPECT_EQ(tk::loadPicture(good).size(), QSize(32, 32));

    struct Row {
        int number;
        Qt::CursorShape shape;
    } rows[] = {{1, Qt::ArrowCursor}, {2, Qt::CrossCursor}, {3, Qt::IBeamCursor}, {11, Qt::WaitCursor},
                {12, Qt::ForbiddenCursor}, {13, Qt::BusyCursor}, {14, Qt::WhatsThisCursor}, {15, Qt::SizeAllCursor}};
    for (const Row& r : rows) {
        l.setMousePointer(r.number);
        EXPECT_EQ(l.cursor().shape(), r.shape) << r.number;
    }
    l.setMousePointer(0);
    EXPECT_FALSE(l.testAttribute(Qt::WA_SetCursor));
}

TEST(MousePointer, PointerFilesAreFoundIgnoringLetterCase)
{
    QTemporaryDir dir;
    {
        QFile f(dir.filePath(QStringLiteral("ico03.CUR")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(cursorFile(32, 32, 3, 4, 1));
    }
    for (const char* asked : {"ICO03.cur", "ico03.cur", "Ico03.Cur"}) {
        QCursor c;
        EXPECT_NO_THROW(c = tk::loadCursor(dir.filePath(QString::fromLatin1(asked)))) << asked;
        EXPECT_EQ(c.hotSpot(), QPoint(3, 4)) << asked;
    }
    QWidget form;
    tk::Label l(&form);
    l.setMousePointer(99);
    l.loadMouseIcon(dir.filePath(QStringLiteral("ICO03.cur")));
    EXPECT_EQ(l.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(l.cursor().hotSpot(), QPoint(3, 4));
}

TEST(CursorFile, DamagedBytesAnywhereNeverCrashTheReader)
{
    // Deterministic damage: every run reads the same files.
    quint32 seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int bpp : {1, 32}) {
        const QByteArray good = cursorFile(32, 32, 5, 7, bpp);
        int readable = 0;
        for (int round = 0; round < 1500; ++round) {
            QByteArray b = good;
            for (int k = 0; k < 1 + int(next() % 4); ++k)
                b[int(next() % 80)] = char(next() >> 8); // headers and palette
            if (next() % 5 == 0)
                b.truncate(int(next() % b.size()));
            if (const auto c = platform::readCursorFile(b)) {
                ++readable;
                EXPECT_FALSE(c->image.isNull());
                EXPECT_TRUE(QRect(QPoint(0, 0), c->image.size()).contains(c->hotSpot));
            }
        }
        EXPECT_GT(readable, 0); // damage in unread places leaves a cursor
    }
}
