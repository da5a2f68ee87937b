// The cache of decoded pictures: one decode per unchanged file, shared pixels, a byte bound that
// lets the least recently used go, and files found ignoring letter case.

#include "toolkit/controls.h"
#include "toolkit/picturecache.h"
#include "toolkit/vberror.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
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

QRgb topLeft(const QPixmap& p) { return p.toImage().pixel(0, 0); }

quint32 crc32(const QByteArray& bytes)
{
    quint32 c = 0xFFFFFFFFu;
    for (const char b : bytes) {
        c ^= quint8(b);
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

QByteArray bigEndian(quint32 v)
{
    const char b[] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    return QByteArray(b, 4);
}

QByteArray pngChunk(const QByteArray& type, const QByteArray& data)
{
    return bigEndian(quint32(data.size())) + type + data + bigEndian(crc32(type + data));
}

// A PNG file of a hundred-odd bytes whose header claims w x h pixels (8 or 16 bits a channel,
// RGB): a sound header over the first few rows of pixel data, as a decompression bomb starts.
QByteArray pngClaiming(int w, int h, int bitsPerChannel = 8)
{
    const char depthAndKind[] = {char(bitsPerChannel), 2, 0, 0, 0}; // RGB, no interlace
    const QByteArray header = bigEndian(quint32(w)) + bigEndian(quint32(h)) + QByteArray(depthAndKind, 5);
    const QByteArray rows = qCompress(QByteArray(4096, '\0')).mid(4); // the zlib stream alone
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", rows) +
           pngChunk("IEND", {});
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
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }
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

TEST_F(PictureCache, AFileBrokenAfterASoundHeaderLoadsAndDrawsNothing)
{
    // Noise compresses badly: the pixel data is most of the file, and half of it is cut off.
    const QString path = dir.filePath(QStringLiteral("cut.mxy"));
    QImage noise(80, 40, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb((x * 97 + y * 31) % 256, (x * y * 13) % 256, (x + y * 57) % 256));
    ASSERT_TRUE(noise.save(path, "PNG"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.resize(f.size() / 2));
    f.close();

    QWidget window;
    window.resize(100, 50);
    tk::PictureBox box{&window};
    box.setBackColor(0x00FF00);
    box.setAutoSize(true);
    box.loadPicture(path);
    EXPECT_EQ(box.size(), QSize(80, 40));
    EXPECT_EQ(window.grab().toImage().pixelColor(5, 5), QColor(Qt::green)) << "the back colour, nothing over it";
    EXPECT_TRUE(box.Picture().pixmap().isNull());
    try {
        tk::loadPicture(path);
        ADD_FAILURE() << "decoding the whole file at once reports it";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), vb::ErrInvalidPicture);
    }
}

// What the decode would refuse, the load refuses: a header that claims more than the decode
// bound, or a file longer than any picture within it, raises 481 at once, whether the picture is
// decoded now or only when drawn, and a control keeps the picture and size it had. A picture at
// the bound loads and decodes.
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
        {"a small picture in a file longer than any picture", {}, {8, 8}, true},
        {"4096 x 4096", {}, {4096, 4096}, false},
        {"4096 x 2048 at 16 bits a channel", pngClaiming(4096, 2048, 16), {4096, 2048}, false},
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
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.file);
        }
        QWidget window;
        tk::Image image{&window};
        tk::PictureBox box{&window};
        box.setAutoSize(true);
        image.loadPicture(before);
        box.loadPicture(before);
        const qint64 shown = image.Picture().pixmap().cacheKey();

        int errors = 0;
        for (const std::function<void()>& load : std::initializer_list<std::function<void()>>{
                 [&] { tk::loadPicture(path); }, [&] { image.loadPicture(path); }, [&] { box.loadPicture(path); }}) {
            try {
                load();
            } catch (const vb::Error& e) {
                EXPECT_EQ(e.number(), vb::ErrInvalidPicture);
                ++errors;
            }
        }
        if (c.refused) {
            EXPECT_EQ(errors, 3) << "the eager load, and both lazy loads, raise at the load";
            EXPECT_EQ(image.size(), QSize(40, 20));
            EXPECT_EQ(box.size(), QSize(40, 20));
            EXPECT_EQ(image.Picture().pixmap().cacheKey(), shown) << "the picture it had";
        } else {
            EXPECT_EQ(errors, c.file.isEmpty() ? 0 : 1) << "a claim within the bound loads; only its "
                                                           "broken-off rows fail to decode";
            EXPECT_EQ(image.size(), c.size);
            EXPECT_EQ(box.size(), c.size);
            if (c.file.isEmpty()) {
                EXPECT_EQ(image.Picture().pixmap().size(), c.size) << "the decode takes what the load took";
            }
        }
        tk::clearPictureCache();
    }
}
