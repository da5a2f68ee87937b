#include "toolkit/picturecache.h"

#include "platform/cursorfile.h"
#include "platform/filelookup.h"
#include "toolkit/vberror.h"

#include <QFile>
#include <QHash>
#include <QImage>

#include <list>
#include <sys/stat.h>

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

DecodedPicture decode(const QByteArray& bytes)
{
    DecodedPicture d;
    QImage image;
    if (platform::looksLikeCursorFile(bytes)) {
        if (auto c = platform::readCursorFile(bytes)) {
            image = std::move(c->image);
            d.hotSpot = c->hotSpot;
        }
    } else {
        image.loadFromData(bytes); // the format is read from the content, not the name
    }
    if (image.isNull())
        vb::raise(vb::ErrInvalidPicture);
    d.pixmap = QPixmap::fromImage(std::move(image)); // converted in place where the format allows
    return d;
}

} // namespace

DecodedPicture decodedPicture(const QString& path)
{
    if (path.isEmpty())
        vb::raise(vb::ErrFileNotFound);
    // A path the lookup refuses (one that steps up a folder) is taken as written.
    const QString real = platform::findFile(path).value_or(path);
    struct stat st {};
    if (::stat(QFile::encodeName(real).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        vb::raise(vb::ErrFileNotFound);
    const qint64 size = st.st_size;
    const qint64 mtime = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;

    Cache& c = cache();
    if (const auto hit = c.byPath.constFind(real); hit != c.byPath.cend()) {
        const auto it = *hit;
        if (it->size == size && it->mtime == mtime) {
            c.entries.splice(c.entries.begin(), c.entries, it);
            return it->picture;
        }
        c.drop(it); // changed on disk: read again
    }

    QFile file(real);
    if (!file.open(QIODevice::ReadOnly))
        vb::raise(vb::ErrPathFileAccess);
    const QByteArray bytes = file.readAll();
    file.close();
    DecodedPicture picture = decode(bytes);
    ++c.decodes;

    const qint64 bytesOfPixels = pixelBytes(picture.pixmap);
    if (bytesOfPixels <= c.limit) {
        c.entries.push_front(Entry{real, size, mtime, bytesOfPixels, picture});
        c.byPath.insert(real, c.entries.begin());
        c.bytes += bytesOfPixels;
        c.trim();
    }
    return picture;
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
    c.bytes = 0;
}

} // namespace tk
