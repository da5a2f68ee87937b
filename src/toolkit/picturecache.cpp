#include "toolkit/picturecache.h"

#include "platform/cursorfile.h"
#include "platform/picturefile.h"
#include "platform/textfile.h"
#include "toolkit/vberror.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QImageReader>

#include <list>

namespace tk {

namespace {

struct Entry {
    QString path; // the real path on disk
    qint64 size = 0;
    qint64 mtime = 0; // nanoseconds
    qint64 bytes = 0;
    DecodedPicture picture;
};

// Most recently used first.
struct Cache {
    std::list<Entry> entries;
    QHash<QString, std::list<Entry>::iterator> byPath;
    qint64 bytes = 0;
    qint64 limit = qint64(48) << 20;
    int decodes = 0;
    // Files loaded but not decoded yet, while some control holds them.
    QHash<QString, std::weak_ptr<Picture::Pending>> pending;

    void drop(std::list<Entry>::iterator it)
    {
        bytes -= it->bytes;
        byPath.remove(it->path);
        entries.erase(it);
    }

    void trim()
    {
        while (bytes > limit && !entries.empty())
            drop(std::prev(entries.end()));
    }
};

Cache& cache()
{
    static Cache c;
    return c;
}

qint64 pixelBytes(const QPixmap& p) { return qint64(p.width()) * p.height() * std::max(1, p.depth()) / 8; }

// The size the header of a picture file claims, checked against the bound of what is decoded:
// a claim beyond it raises 481 before anything is allocated. Invalid when the format tells no
// size before decoding.
QSize checkedHeaderSize(QImageReader& reader)
{
    const QSize size = reader.size();
    if (size.isValid() && !size.isEmpty() && !pictureFitsDecodeBound(size, reader.imageFormat()))
        vb::raise(vb::ErrInvalidPicture);
    return size;
}

// A reader of the bytes in the format their first bytes name and in no other: no reader is
// picked by what it makes of the content. Raises 481 for bytes of no format the program reads.
class FormatReader {
public:
    explicit FormatReader(const QByteArray& bytes) : format_(platform::pictureFormat(bytes)), bytes_(bytes)
    {
        if (format_ == platform::PictureFormat::None)
            vb::raise(vb::ErrInvalidPicture);
        buffer_.setBuffer(&bytes_); // shared, not copied
        reader_.setDevice(&buffer_);
        reader_.setFormat(platform::qtFormatName(format_));
        reader_.setAutoDetectImageFormat(false);
    }

    bool isCursor() const { return format_ == platform::PictureFormat::Cursor; }
    bool isPng() const { return format_ == platform::PictureFormat::Png; }

    // The size the header claims, within the bound, of content that runs whole to its end:
    // raises 481 otherwise. Invalid when the format tells no size before decoding.
    QSize checkedSize()
    {
        if (!reader_.canRead())
            vb::raise(vb::ErrInvalidPicture);
        const QSize size = checkedHeaderSize(reader_);
        if (const auto screen = platform::gifScreenSize(bytes_); screen && (screen->width() > kMaxPictureSide || screen->height() > kMaxPictureSide ||
                                                                         (!screen->isEmpty() && !pictureFitsDecodeBound(*screen))))
            vb::raise(vb::ErrInvalidPicture); // what a GIF decodes to
        if (!platform::pictureIsWhole(format_, bytes_))
            vb::raise(vb::ErrInvalidPicture);
        return size;
    }

    QImage read() { return reader_.read(); }

private:
    platform::PictureFormat format_;
    QByteArray bytes_;
    QBuffer buffer_;
    QImageReader reader_;
};

DecodedPicture decode(const QByteArray& bytes)
{
    DecodedPicture d;
    QImage image;
    FormatReader reader(bytes);
    if (reader.isCursor()) {
        ++cache().decodes;
        if (auto c = platform::readCursorFile(bytes)) {
            image = std::move(c->image);
            d.hotSpot = c->hotSpot;
        }
    } else {
        reader.checkedSize();
        ++cache().decodes;
        image = reader.read();
        // Held to the bound once decoded too: a format may tell no size first, or decode to
        // another (a GIF to its screen, not its first image).
        if (!image.isNull() && !pictureFitsDecodeBound(image.size(), image.format()))
            image = QImage();
    }
    if (image.isNull())
        vb::raise(vb::ErrInvalidPicture);
    d.pixmap = QPixmap::fromImage(std::move(image)); // converted in place where the format allows
    return d;
}

// A file as found on disk: its real path, size and modification time.
struct FileKey {
    QString real;
    qint64 size = 0;
    qint64 mtime = 0; // nanoseconds
};

// A picture file opened by the one reader, held to the picture bound, and its key.
struct OpenedPicture {
    platform::OpenedFile file;
    FileKey key;
};

OpenedPicture findPictureFile(const QString& path)
{
    if (path.isEmpty())
        vb::raise(vb::ErrFileNotFound);
    // Found ignoring letter case; a path the lookup refuses (one that steps up a folder) is taken
    // as written.
    platform::OpenedFile file(path, kMaxPictureFileBytes);
    switch (file.status()) {
    case platform::ReadStatus::Missing: vb::raise(vb::ErrFileNotFound);
    case platform::ReadStatus::Unreadable: vb::raise(vb::ErrPathFileAccess); // a folder, a pipe, ...
    case platform::ReadStatus::TooLarge: vb::raise(vb::ErrInvalidPicture); // no picture within the bound is that long
    case platform::ReadStatus::Read: break;
    }
    FileKey k{file.realPath(), file.size(), file.modifiedNs()};
    return {std::move(file), std::move(k)};
}

// The kept picture of the file as it is on disk now; the picture of an older content is let go.
std::optional<DecodedPicture> kept(const FileKey& k, bool current = true)
{
    Cache& c = cache();
    const auto hit = c.byPath.constFind(k.real);
    if (hit == c.byPath.cend())
        return std::nullopt;
    const auto it = *hit;
    if (it->size != k.size || it->mtime != k.mtime) {
        if (current)
            c.drop(it); // changed on disk: read again
        return std::nullopt;
    }
    c.entries.splice(c.entries.begin(), c.entries, it);
    return it->picture;
}

void keep(const FileKey& k, const DecodedPicture& picture)
{
    Cache& c = cache();
    const qint64 bytesOfPixels = pixelBytes(picture.pixmap);
    if (bytesOfPixels > c.limit)
        return;
    if (const auto old = c.byPath.constFind(k.real); old != c.byPath.cend())
        c.drop(*old);
    c.entries.push_front(Entry{k.real, k.size, k.mtime, bytesOfPixels, picture});
    c.byPath.insert(k.real, c.entries.begin());
    c.bytes += bytesOfPixels;
    c.trim();
}

QByteArray readPictureFile(const platform::OpenedFile& file)
{
    // A file of no format the program reads is not read further than its first bytes.
    if (platform::pictureFormat(file.head(32)) == platform::PictureFormat::None)
        vb::raise(vb::ErrInvalidPicture);
    platform::FileBytes read = file.readAll();
    if (read.status == platform::ReadStatus::TooLarge)
        vb::raise(vb::ErrInvalidPicture); // grown past the bound since it was opened
    if (!read.read())
        vb::raise(vb::ErrPathFileAccess);
    return std::move(read.bytes);
}

} // namespace

bool pictureFitsDecodeBound(QSize size, QImage::Format format) { return platform::fitsPictureBound(size, format); }

DecodedPicture decodedPicture(const QString& path)
{
    const OpenedPicture opened = findPictureFile(path);
    const FileKey& k = opened.key;
    if (auto hit = kept(k))
        return *hit;
    DecodedPicture picture = decode(readPictureFile(opened.file));
    keep(k, picture);
    return picture;
}

// ---- Picture ----

struct Picture::Pending {
    FileKey file;
    QSize size; // from the header
    QByteArray bytes; // the file as it was read at the load, until it is decoded
    bool done = false;
    QPixmap decoded;
};

Picture::Picture(const QPixmap& pixmap) : size_(pixmap.size()), pixmap_(pixmap) {}

Picture Picture::fromFile(const QString& path)
{
    if (path.isEmpty())
        return Picture();
    const OpenedPicture opened = findPictureFile(path);
    const FileKey& k = opened.key;
    if (auto hit = kept(k))
        return Picture(hit->pixmap);
    Cache& c = cache();
    if (const auto p = c.pending.value(k.real).lock(); p && p->file.size == k.size && p->file.mtime == k.mtime) {
        Picture shared;
        shared.pending_ = p;
        shared.size_ = p->size;
        return shared;
    }

    QByteArray bytes = readPictureFile(opened.file);
    QSize size;
    if (FormatReader reader(bytes); reader.isPng())
        size = reader.checkedSize(); // what the decode would refuse is refused now
    if (!size.isValid() || size.isEmpty()) {
        // The program's pictures are PNG files, checked whole without decoding them. A file of
        // any other format is decoded now: whatever its decoder refuses is refused at the load.
        DecodedPicture picture = decode(bytes);
        keep(k, picture);
        return Picture(picture.pixmap);
    }
    auto p = std::make_shared<Pending>();
    p->file = k;
    p->size = size;
    p->bytes = std::move(bytes);
    if (c.pending.size() > 256) {
        for (auto it = c.pending.begin(); it != c.pending.end();)
            it = it->expired() ? c.pending.erase(it) : std::next(it);
    }
    c.pending.insert(k.real, p);
    Picture picture;
    picture.size_ = size;
    picture.pending_ = std::move(p);
    return picture;
}

bool Picture::pendingDone() const { return pending_->done; }

QPixmap Picture::pixmap() const
{
    if (pending_) {
        Pending& p = *pending_;
        if (!p.done) {
            // The file may have changed since it was read; what shows is what was read then.
            if (auto hit = kept(p.file, false)) {
                p.decoded = hit->pixmap;
            } else {
                try {
                    const DecodedPicture picture = decode(p.bytes);
                    if (!cache().byPath.contains(p.file.real)) // a newer content is kept as it is
                        keep(p.file, picture);
                    p.decoded = picture.pixmap;
                } catch (const vb::Error&) {
                    // The header was sound, the rest is not: nothing to show.
                }
            }
            p.done = true;
            p.bytes = QByteArray();
        }
        pixmap_ = p.decoded;
        pending_.reset();
    }
    return pixmap_;
}

qint64 pictureCacheLimit() { return cache().limit; }

void setPictureCacheLimit(qint64 bytes)
{
    cache().limit = std::max<qint64>(0, bytes);
    cache().trim();
}

PictureCacheStats pictureCacheStats()
{
    const Cache& c = cache();
    return PictureCacheStats{int(c.entries.size()), c.bytes, c.decodes};
}

void clearPictureCache()
{
    Cache& c = cache();
    c.entries.clear();
    c.byPath.clear();
    c.pending.clear();
    c.bytes = 0;
}

} // namespace tk
