// The cache of decoded pictures: one decode per unchanged file, shared pixels, a byte bound that
// lets the least recently used go, and files found ignoring letter case.

#include "common/picturefiles.h"
#include "toolkit/controls.h"
#include "toolkit/picturecache.h"
#include "toolkit/vberror.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A w x h PNG of one colour at path (the program's pictures are named ".mxy").
void writePicture(const QString& path, QSize size, QColor colour)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    ASSERT_TRUE(img.save(path, "PNG")) << path.toStdString();
}

// The bytes as the whole file at path.
void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QRgb topLeft(const QPixmap& p) { return p.toImage().pixel(0, 0); }

// A PNG file of a hundred-odd bytes whose header claims w x h pixels (8 or 16 bits a channel,
// RGB): a sound header over the first few rows of pixel data, as a decompression bomb starts.
QByteArray pngClaiming(int w, int h, int bitsPerChannel = 8) { return picturefiles::png(w, h, bitsPerChannel, false); }

// A 2 x 1 GIF, blue and white: screen, colour table, image, its data blocks, the end.
QByteArray gif2x1() { return QByteArray("GIF89a\2\0\1\0\x80\0\0\0\0\xff\xff\xff\xff,\0\0\0\0\2\0\1\0\0\2\2\x44\x0A\0;", 35); }

QByteArray saved(const QImage& image, const char* format)
{
    QByteArray b;
    QBuffer buffer(&b);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return b;
}

// How many of the loads raise; each raises 481 if it does.
int refusals(std::initializer_list<std::function<void()>> loads)
{
    int errors = 0;
    for (const std::function<void()>& load : loads) {
        try {
            load();
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), vb::ErrInvalidPicture);
            ++errors;
        }
    }
    return errors;
}

// The same GIF on a logical screen of w x h, which the decoder makes the picture's size.
QByteArray gifOnScreen(quint16 w, quint16 h)
{
    QByteArray g = gif2x1();
    qToLittleEndian(w, g.data() + 6);
    qToLittleEndian(h, g.data() + 8);
    return g;
}

int decodes() { return tk::pictureCacheStats().decodes; }

// Each test starts on an empty cache of the default bound.
struct PictureCache : ::testing::Test {
    void SetUp() override
    {
        tk::clearPictureCache();
        limit = tk::pictureCacheLimit();
    }
    void TearDown() override
    {
        tk::setPictureCacheLimit(limit);
        tk::clearPictureCache();
    }
    qint64 limit = 0;
    QTemporaryDir dir;
};

} // namespace

TEST_F(PictureCache, AnUnchangedFileIsDecodedOnceAndSharedAChangedOneIsReadAgain)
{
    const QString path = dir.filePath(QStringLiteral("l20045.mxy"));
    writePicture(path, {120, 30}, Qt::red);
    const int before = decodes();
    const QPixmap first = tk::loadPicture(path);
    const QPixmap second = tk::loadPicture(path);
    EXPECT_EQ(decodes() - before, 1);
    EXPECT_EQ(first.cacheKey(), second.cacheKey()) << "both hold the same pixels, not a copy";

    // Another size on disk.
    writePicture(path, {60, 30}, Qt::blue);
    const QPixmap bigger = tk::loadPicture(path);
    EXPECT_EQ(decodes() - before, 2);
    EXPECT_EQ(bigger.size(), QSize(60, 30));
    EXPECT_EQ(first.size(), QSize(120, 30)) << "a control that shows the old picture keeps it";

    // The same size, another modification time.
    writePicture(path, {60, 30}, Qt::green);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    f.close();
    EXPECT_EQ(topLeft(tk::loadPicture(path)), QColor(Qt::green).rgb());
    EXPECT_EQ(decodes() - before, 3);
    tk::loadPicture(path);
    EXPECT_EQ(decodes() - before, 3);
}

TEST_F(PictureCache, TheByteBoundLetsTheLeastRecentlyUsedGo)
{
    // 100 x 100 at 32 bits: 40000 bytes each; two fit, three do not.
    tk::setPictureCacheLimit(100000);
    const QString a = dir.filePath(QStringLiteral("a.mxy")), b = dir.filePath(QStringLiteral("b.mxy")),
                  c = dir.filePath(QStringLiteral("c.mxy"));
    for (const QString& p : {a, b, c})
        writePicture(p, {100, 100}, Qt::gray);
    const int before = decodes();
    tk::loadPicture(a);
    tk::loadPicture(b);
    tk::loadPicture(a); // a is now the most recently used
    tk::loadPicture(c); // b goes
    EXPECT_EQ(decodes() - before, 3);
    EXPECT_LE(tk::pictureCacheStats().bytes, 100000);
    tk::loadPicture(a);
    tk::loadPicture(c);
    EXPECT_EQ(decodes() - before, 3) << "a and c stayed";
    tk::loadPicture(b);
    EXPECT_EQ(decodes() - before, 4) << "b was let go and is read again";

    // A picture larger than the whole bound is shown but not kept.
    const QString big = dir.filePath(QStringLiteral("big.mxy"));
    writePicture(big, {400, 400}, Qt::gray);
    EXPECT_EQ(tk::loadPicture(big).size(), QSize(400, 400));
    EXPECT_LE(tk::pictureCacheStats().bytes, 100000);
}

TEST_F(PictureCache, NamesAreFoundIgnoringLetterCaseAndFailuresAreNotKept)
{
    writePicture(dir.filePath(QStringLiteral("L20060.MXY")), {20, 10}, Qt::red);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Menu")));
    writePicture(dir.filePath(QStringLiteral("Menu/m0101.MXY")), {30, 10}, Qt::red);
    struct Row {
        QString asked;
        QSize size;
    } rows[] = {{QStringLiteral("l20060.mxy"), {20, 10}},
                {QStringLiteral("L20060.mxy"), {20, 10}},
                {QStringLiteral("menu/M0101.mxy"), {30, 10}}};
    for (const Row& r : rows) {
        QPixmap p;
        EXPECT_NO_THROW(p = tk::loadPicture(dir.filePath(r.asked))) << r.asked.toStdString();
        EXPECT_EQ(p.size(), r.size) << r.asked.toStdString();
    }
    EXPECT_EQ(tk::pictureCacheStats().entries, 2) << "one entry per file on disk, however it is asked for";

    // A file that is no picture fails every time, and becomes one once it is written.
    const QString bad = dir.filePath(QStringLiteral("text.mxy"));
    writeFile(bad, "not a picture");
    for (int round = 0; round < 2; ++round) {
        try {
            tk::loadPicture(bad);
            ADD_FAILURE() << "no error";
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), vb::ErrInvalidPicture);
        }
    }
    writePicture(bad, {5, 5}, Qt::red);
    EXPECT_EQ(tk::loadPicture(bad).size(), QSize(5, 5));
}

TEST_F(PictureCache, ControlsDecodeTheirPictureWhenFirstDrawnAndShowWhatWasReadAtTheLoad)
{
    const QString path = dir.filePath(QStringLiteral("l20053.mxy"));
    const QString other = dir.filePath(QStringLiteral("l20057.mxy"));
    writePicture(path, {120, 30}, Qt::red);
    writePicture(other, {50, 50}, Qt::yellow);
    QWidget window;
    window.resize(300, 100);
    tk::Image shown{&window}, alsoShown{&window};
    QWidget hiddenPanel{&window};
    tk::Image hidden{&hiddenPanel};
    hiddenPanel.hide();

    const int before = decodes();
    shown.loadPicture(path);
    alsoShown.loadPicture(path);
    hidden.loadPicture(other);
    EXPECT_EQ(decodes() - before, 0) << "loading reads the file, it does not decode it";
    EXPECT_EQ(shown.size(), QSize(120, 30)) << "the size is known from the file's header";
    EXPECT_EQ(hidden.size(), QSize(50, 50));

    // Changed on disk before anything is drawn: the controls show the picture as it was loaded.
    writePicture(path, {60, 30}, Qt::blue);
    const QImage drawn = window.grab().toImage();
    EXPECT_EQ(drawn.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(decodes() - before, 1) << "one decode for both controls";
    EXPECT_EQ(alsoShown.Picture().pixmap().cacheKey(), shown.Picture().pixmap().cacheKey());
    EXPECT_FALSE(hidden.Picture().isDecoded()) << "a hidden control costs no decoding";
    EXPECT_EQ(hidden.Picture().toImage().pixelColor(0, 0), QColor(Qt::yellow)) << "until its pixels are asked for";
    EXPECT_EQ(decodes() - before, 2);

    // A load after the change reads the new content.
    hidden.loadPicture(path);
    EXPECT_EQ(hidden.Picture().toImage().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(hidden.size(), QSize(60, 30));
}

// A file whose content is cut off or damaged after a sound header is refused when it is loaded,
// whether the picture is decoded now or only when drawn: the load raises 481 and a control keeps
// the picture, the size and the drawing it had, as with any picture that cannot be loaded.
TEST_F(PictureCache, AFileCutOrDamagedAfterASoundHeaderIsRefusedAtTheLoadAndTheControlKeepsItsPicture)
{
    // Noise packs badly: the pixel data is most of the file.
    QImage noise(80, 40, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb((x * 97 + y * 31) % 256, (x * y * 13) % 256, (x + y * 57) % 256));
    const QByteArray png = saved(noise, "PNG"), bmp = saved(noise, "BMP"), jpeg = saved(noise, "JPEG");
    QByteArray flipped = png;
    flipped[png.size() / 2] = char(flipped[png.size() / 2] ^ 0x10); // in the pixel data
    const QByteArray gif = gif2x1();
    const struct {
        const char* name;
        QByteArray file;
    } cases[] = {
        {"a PNG cut in half", png.left(png.size() / 2)},
        {"a PNG without its end chunk", png.left(png.size() - 12)},
        {"a PNG with a changed byte in its pixel data", flipped},
        {"a PNG whose image data another chunk splits", picturefiles::pngWithDataSplitBy(80, 40, picturefiles::pngChunk("tEXt", QByteArray("Comment\0split", 13)))},
        {"a BMP cut in half", bmp.left(bmp.size() / 2)},
        {"a BMP without its last row", bmp.left(bmp.size() - 80 * 3)},
        {"a JPEG cut in half", jpeg.left(jpeg.size() / 2)},
        {"a GIF cut in its data", gif.left(gif.size() - 4)},
    };
    const QString before = dir.filePath(QStringLiteral("before.mxy"));
    writePicture(before, {40, 20}, Qt::red);
    writeFile(dir.filePath(QStringLiteral("whole.gif")), gif);
    ASSERT_EQ(tk::loadPicture(dir.filePath(QStringLiteral("whole.gif"))).size(), QSize(2, 1)) << "the GIF is sound whole";

    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("cut%1.mxy").arg(++n));
        writeFile(path, c.file);
        QWidget window;
        window.resize(100, 50);
        tk::Image image{&window};
        tk::PictureBox box{&window};
        box.Move(0, 25 * 15, 100 * 15, 25 * 15);
        box.setAutoSize(true);
        image.loadPicture(before);
        box.loadPicture(before);
        const int errors = refusals({[&] { image.loadPicture(path); }, [&] { box.loadPicture(path); }, [&] { tk::loadPicture(path); }});
        EXPECT_EQ(errors, 3) << "both lazy loads and the eager one raise at the load";
        EXPECT_EQ(image.size(), QSize(40, 20));
        EXPECT_EQ(box.size(), QSize(40, 20));
        const QImage drawn = window.grab().toImage();
        EXPECT_EQ(drawn.pixelColor(5, 5), QColor(Qt::red)) << "the plane shows the picture it had";
        EXPECT_EQ(drawn.pixelColor(5, 30), QColor(Qt::red));
    }
}

// The load of a PNG reads its chunks' headers and checksums but unpacks nothing: a file made on
// purpose, every checksum sound, whose compressed rows break off, is taken at the load and draws
// as nothing; the load that decodes at once refuses it.
TEST_F(PictureCache, APngMadeWithSoundChecksumsOverRowsThatBreakOffIsTakenAtTheLoadAndDrawsNothing)
{
    const QString path = dir.filePath(QStringLiteral("rows.mxy"));
    writeFile(path, pngClaiming(80, 40));
    const int before = decodes();
    tk::Picture lazy;
    ASSERT_NO_THROW(lazy = tk::Picture::fromFile(path));
    EXPECT_EQ(lazy.size(), QSize(80, 40));
    EXPECT_EQ(decodes() - before, 0);
    EXPECT_TRUE(lazy.pixmap().isNull());
    tk::clearPictureCache();
    EXPECT_EQ(refusals({[&] { tk::loadPicture(path); }}), 1);
}

// The decoder passes over the whole picture once a scan: a JPEG of more scans than any real
// picture has is refused as a damaged picture before it is decoded, so that a 4096 x 4096 JPEG
// of hundreds of tiny scans (a few kilobytes) cannot hold the start for seconds. A real
// progressive JPEG (ten scans) and one at the bound load.
TEST_F(PictureCache, AJpegOfMoreScansThanARealPictureIsRefusedBeforeItIsDecoded)
{
    QImage small(64, 48, QImage::Format_RGB32);
    small.fill(Qt::blue);
    QImage large(4096, 4096, QImage::Format_Grayscale8);
    large.fill(200);
    const struct {
        const char* name;
        QByteArray file;
        QSize size; // empty: refused
    } cases[] = {
        {"a progressive JPEG as libjpeg writes it", picturefiles::progressiveJpeg(small, 0), {64, 48}},
        {"64 scans", picturefiles::progressiveJpeg(small, 64), {64, 48}},
        {"65 scans", picturefiles::progressiveJpeg(small, 65), {}},
        {"4096 x 4096 of 320 scans", picturefiles::progressiveJpeg(large, 320), {}},
    };
    const QString before = dir.filePath(QStringLiteral("before.mxy"));
    writePicture(before, {40, 20}, Qt::red);
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_GT(c.file.size(), 0);
        const QString path = dir.filePath(QStringLiteral("j%1.mxy").arg(++n));
        writeFile(path, c.file);
        QWidget window;
        tk::Image image{&window};
        image.loadPicture(before);
        const int errors = refusals({[&] { image.loadPicture(path); }, [&] { tk::loadPicture(path); }});
        if (c.size.isEmpty()) {
            EXPECT_EQ(errors, 2);
            EXPECT_EQ(image.size(), QSize(40, 20)) << "the picture it had";
        } else {
            EXPECT_EQ(errors, 0);
            EXPECT_EQ(image.size(), c.size);
            const QColor corner = image.Picture().toImage().pixelColor(0, 0);
            EXPECT_TRUE(corner.blue() > 200 && corner.red() < 60) << corner.name().toStdString();
        }
        tk::clearPictureCache();
    }
}

// Only the formats of the program's files are read: BMP, PNG, GIF, JPEG, icon and cursor files,
// told by their first bytes, whatever the file is named. Any other picture Qt could read (a
// gzip-compressed SVG that unpacks to 64 MB, a plain SVG, PPM, XPM) is a damaged picture,
// refused at once by every load.
TEST_F(PictureCache, OnlyTheProgramsFormatsAreReadAnyOtherIsADamagedPicture)
{
    QImage small(4, 3, QImage::Format_RGB32);
    small.fill(Qt::blue);
    const QByteArray svg("<?xml version=\"1.0\"?><svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" "
                         "height=\"3\"><rect width=\"4\" height=\"3\" fill=\"blue\"/></svg>");
    const struct {
        const char* name;
        QByteArray file;
        bool read;
    } cases[] = {
        {"PNG", saved(small, "PNG"), true},
        {"BMP", saved(small, "BMP"), true},
        {"JPEG", saved(small, "JPEG"), true},
        {"GIF", gif2x1(), true},
        {"icon", picturefiles::iconFile(1, {{0, {}}}, {picturefiles::dib(4, 3, qRgb(0, 0, 255))}), true},
        {"gzip-compressed SVG of 64 MB", picturefiles::svgz(4, 3, qint64(64) << 20), false},
        {"SVG", svg, false},
        {"PPM", saved(small, "PPM"), false},
        {"XPM", saved(small, "XPM"), false},
    };
    const QString before = dir.filePath(QStringLiteral("before.mxy"));
    writePicture(before, {40, 20}, Qt::red);
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.file.isEmpty());
        const QString path = dir.filePath(QStringLiteral("f%1.mxy").arg(++n));
        writeFile(path, c.file);
        QWidget window;
        tk::Image image{&window};
        image.loadPicture(before);
        const int before = decodes();
        const int errors = refusals({[&] { image.loadPicture(path); }, [&] { tk::loadPicture(path); }});
        if (c.read) {
            EXPECT_EQ(errors, 0);
            EXPECT_EQ(image.size(), c.file.startsWith("GIF") ? QSize(2, 1) : QSize(4, 3));
            const QColor corner = image.Picture().toImage().pixelColor(0, 0);
            EXPECT_TRUE(corner.blue() > 200 && corner.red() < 60) << corner.name().toStdString();
        } else {
            EXPECT_EQ(errors, 2);
            EXPECT_EQ(image.size(), QSize(40, 20)) << "the picture it had";
            EXPECT_EQ(decodes() - before, 0) << "refused before any decoder sees it";
        }
        tk::clearPictureCache();
    }
}

// What the decode would refuse, the load refuses: a header that claims more than the decode
// bound, a GIF whose screen (what Qt decodes it onto, whatever size its reader tells) is beyond
// it, or a file longer than any picture within it, raises 481 at once, before anything is
// decoded, whether the picture is decoded now or only when drawn, and a control keeps the
// picture and size it had. A picture at the bound loads and decodes.
TEST_F(PictureCache, AClaimBeyondTheDecodeBoundIsRefusedAtTheLoadAndTheControlKeepsItsPicture)
{
    const QString before = dir.filePath(QStringLiteral("before.mxy"));
    writePicture(before, {40, 20}, Qt::red);
    const struct {
        const char* name;
        QByteArray file; // empty: a real picture of the size
        QSize size;
        bool refused;
    } cases[] = {
        {"claims 30000 x 30000", pngClaiming(30000, 30000), {30000, 30000}, true},
        {"claims 4097 x 4096", pngClaiming(4097, 4096), {4097, 4096}, true},
        {"claims 4096 x 4096 at 16 bits a channel", pngClaiming(4096, 4096, 16), {4096, 4096}, true},
        {"a side of 20000", {}, {20000, 1}, true},
        {"a 2 x 1 GIF on a screen of 2 x 40000", gifOnScreen(2, 40000), {2, 40000}, true},
        {"a 2 x 1 GIF on a screen of 4097 x 4096", gifOnScreen(4097, 4096), {4097, 4096}, true},
        {"a small picture in a file longer than any picture", {}, {8, 8}, true},
        {"4096 x 4096", {}, {4096, 4096}, false},
        {"4096 x 2048 at 16 bits a channel", picturefiles::png(4096, 2048, 16), {4096, 2048}, false},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("p%1.mxy").arg(++n));
        if (c.file.isEmpty()) {
            writePicture(path, c.size, Qt::blue);
            if (c.refused && c.size == QSize(8, 8)) {
                QFile f(path);
                ASSERT_TRUE(f.resize(tk::kMaxPictureFileBytes + 1)); // a hole: nothing is written
            }
        } else {
            writeFile(path, c.file);
        }
        QWidget window;
        tk::Image image{&window};
        tk::PictureBox box{&window};
        box.setAutoSize(true);
        image.loadPicture(before);
        box.loadPicture(before);
        const qint64 shown = image.Picture().pixmap().cacheKey();

        const int before = decodes();
        const int errors = refusals({[&] { tk::loadPicture(path); }, [&] { image.loadPicture(path); }, [&] { box.loadPicture(path); }});
        if (c.refused) {
            EXPECT_EQ(errors, 3) << "the eager load, and both lazy loads, raise at the load";
            EXPECT_EQ(decodes() - before, 0) << "before anything is decoded";
            EXPECT_EQ(image.size(), QSize(40, 20));
            EXPECT_EQ(box.size(), QSize(40, 20));
            EXPECT_EQ(image.Picture().pixmap().cacheKey(), shown) << "the picture it had";
        } else {
            EXPECT_EQ(errors, 0);
            EXPECT_EQ(image.size(), c.size);
            EXPECT_EQ(box.size(), c.size);
            EXPECT_EQ(image.Picture().pixmap().size(), c.size) << "the decode takes what the load took";
        }
        tk::clearPictureCache();
    }
}
