#include "platform/textfile.h"

#include "platform/filelookup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <utility>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
// Opens the entry at exactly this path so that the open cannot block; -1 with errno otherwise.
int openNonBlocking(const QString& path, bool follow = true)
{
    const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (follow ? 0 : O_NOFOLLOW);
    int fd;
    do
        fd = ::open(QFile::encodeName(path).constData(), flags);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Whether anything stands at the path, a dangling link included.
bool entryThere(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}
} // namespace

OpenedFile::OpenedFile(const QString& path, qint64 maxBytes, Links links) : bound_(std::max<qint64>(0, maxBytes))
{
    if (path.isEmpty())
        return;
    realPath_ = path;
    fd_ = openNonBlocking(path, links == Links::Follow);
    if (fd_ < 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            status_ = ReadStatus::Unreadable; // a link refused among them
            return;
        }
        if (links == Links::Refuse)
            return; // missing
        if (entryThere(path)) {
            status_ = ReadStatus::Unreadable; // a dangling link
            return;
        }
        // The name in another letter case: whatever stands there, so that it is never missing. A
        // path that steps up a folder is taken only as written, as every lookup refuses it.
        QString slashed = path;
        slashed.replace(u'\\', u'/');
        if (slashed.split(u'/').contains(QStringLiteral("..")))
            return; // missing
        const QFileInfo asked(slashed);
        const auto real = findAnyEntry(asked.path(), asked.fileName());
        if (!real || *real == path)
            return; // missing
        realPath_ = *real;
        fd_ = openNonBlocking(*real);
        if (fd_ < 0) {
            status_ = ReadStatus::Unreadable;
            return;
        }
    }
    // What was opened is looked at, never what the name showed before.
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        status_ = ReadStatus::Unreadable;
        ::close(fd_);
        fd_ = -1;
        return;
    }
    size_ = st.st_size;
    modifiedNs_ = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    status_ = size_ > bound_ ? ReadStatus::TooLarge : ReadStatus::Read;
}

OpenedFile::~OpenedFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

OpenedFile::OpenedFile(OpenedFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), status_(other.status_), realPath_(std::move(other.realPath_)),
      size_(other.size_), modifiedNs_(other.modifiedNs_), bound_(other.bound_), offset_(other.offset_)
{
}

OpenedFile& OpenedFile::operator=(OpenedFile&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        status_ = other.status_;
        realPath_ = std::move(other.realPath_);
        size_ = other.size_;
        modifiedNs_ = other.modifiedNs_;
        bound_ = other.bound_;
        offset_ = other.offset_;
    }
    return *this;
}

namespace {
// Reads up to count bytes at the offset into out (appended); the bytes read, -1 on an error.
qint64 readAt(int fd, qint64 offset, qint64 count, QByteArray& out)
{
    const qsizetype start = out.size();
    out.resize(start + qsizetype(count));
    qint64 got = 0;
    while (got < count) {
        const ssize_t n = ::pread(fd, out.data() + start + got, size_t(count - got), off_t(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out.resize(start);
            return -1;
        }
        if (n == 0)
            break;
        got += n;
    }
    out.resize(start + qsizetype(got));
    return got;
}
} // namespace

QByteArray OpenedFile::head(qint64 count) const
{
    QByteArray out;
    if (fd_ >= 0 && count > 0)
        readAt(fd_, 0, std::min(count, bound_ + 1), out);
    return out;
}

FileBytes OpenedFile::readAll() const
{
    FileBytes r;
    r.status = status_;
    if (status_ != ReadStatus::Read)
        return r;
    // One byte past the bound tells a file that grew past it since it was opened.
    QByteArray bytes;
    bytes.reserve(qsizetype(std::min(size_, bound_) + 1));
    qint64 at = 0;
    while (at <= bound_) {
        const qint64 want = std::min<qint64>(bound_ + 1 - at, std::max<qint64>(size_ - at, 0) + 65536);
        const qint64 got = readAt(fd_, at, want, bytes);
        if (got < 0) {
            r.status = ReadStatus::Unreadable;
            return r;
        }
        if (got == 0)
            break;
        at += got;
    }
    if (at > bound_) {
        r.status = ReadStatus::TooLarge;
        return r;
    }
    r.bytes = std::move(bytes);
    return r;
}

bool OpenedFile::readNext(QByteArray& chunk, qint64 count)
{
    chunk.resize(0);
    if (status_ != ReadStatus::Read)
        return false;
    const qint64 got = readAt(fd_, offset_, std::min(count, bound_ + 1 - offset_), chunk);
    if (got < 0) {
        status_ = ReadStatus::Unreadable;
        return false;
    }
    offset_ += got;
    if (offset_ > bound_) {
        status_ = ReadStatus::TooLarge;
        chunk.resize(0);
        return false;
    }
    return true;
}

FileBytes readFile(const QString& path, qint64 maxBytes) { return OpenedFile(path, maxBytes).readAll(); }

namespace {
// The existing file whose name equals the path's name ignoring letter case, else the path.
QString writeTarget(const QString& path) { return pathForWrite(path).value_or(path); }
} // namespace

QString decodeGbk(const QByteArray& bytes)
{
    // The decoder keeps an unfinished double-byte character at the end back for more input, and
    // never gives it out: a file or a line ending in a lone lead byte would lose it, and a last
    // line of only that byte would vanish. A NUL after the bytes ends it as an undecodable
    // character (NUL is never a second byte), the way one in the middle of a file reads.
    QStringDecoder dec("GBK");
    QString text = dec.decode(bytes + '\0');
    text.chop(1);
    return text;
}

QByteArray encodeGbk(const QString& text)
{
    QStringEncoder enc("GBK");
    return enc.encode(text);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

LinesRead readLines(const QString& path, qint64 maxBytes)
{
    FileBytes f = readFile(path, maxBytes);
    LinesRead r{f.status, {}};
    if (f.read())
        r.lines = splitLines(decodeGbk(f.bytes));
    return r;
}

std::optional<QStringList> readAllLines(const QString& path)
{
    LinesRead r = readLines(path);
    if (!r.read())
        return std::nullopt;
    return std::move(r.lines);
}

LineRead readLineN(const QString& path, int n) { return readLineN(path, n, kTextFileBytes); }

LineRead readLineN(const QString& path, int n, qint64 maxBytes)
{
    LineRead r;
    OpenedFile f(path, maxBytes);
    r.status = f.status();
    if (r.status != ReadStatus::Read)
        return r;
    // Read only as far as needed: operation files are long and every step asks for one line.
    // Line ends are found with memchr; only the last line read is kept and decoded.
    QByteArray pending; // the line being read
    QByteArray last;    // the last complete line read
    int lineNo = 0;
    auto take = [&] {
        ++lineNo;
        last.swap(pending);
        pending.resize(0); // keeps its buffer for the next line
        if (lineNo == n)
            r.exists = true;
    };
    QByteArray chunk;
    bool skipLf = false; // the previous chunk ended with CR: a LF first in this one belongs to it
    while (lineNo < n) {
        if (!f.readNext(chunk, 65536))
            return LineRead{f.status(), false, {}}; // a read error, or grown past its bound
        if (chunk.isEmpty())
            break;
        const char* p = chunk.constData();
        const char* const end = p + chunk.size();
        if (skipLf && *p == '\n')
            ++p;
        skipLf = false;
        auto next = [end](char c, const char* from) {
            const void* q = std::memchr(from, c, size_t(end - from));
            return q ? static_cast<const char*>(q) : end;
        };
        const char* cr = next('\r', p);
        const char* lf = next('\n', p);
        while (lineNo < n) {
            const char* t = std::min(cr, lf);
            if (t == end) {
                pending.append(p, end - p);
                break;
            }
            pending.append(p, t - p);
            take();
            p = t + 1;
            if (*t == '\r') {
                if (p < end && *p == '\n')
                    ++p;
                else if (p == end)
                    skipLf = true;
            }
            if (cr < p)
                cr = next('\r', p);
            if (lf < p)
                lf = next('\n', p);
        }
    }
    if (lineNo < n && !pending.isEmpty())
        take();
    r.text = decodeGbk(last);
    return r;
}

namespace {
std::function<void(RewriteStep)>& rewriteHook()
{
    static std::function<void(RewriteStep)> hook;
    return hook;
}

void step(RewriteStep s)
{
    if (rewriteHook())
        rewriteHook()(s);
}

// Writes the bytes to an open file in two halves, with the test hook between them.
bool writeInHalves(QFileDevice& f, const QByteArray& bytes)
{
    const qsizetype half = bytes.size() / 2;
    if (f.write(bytes.constData(), half) != half)
        return false;
    if (rewriteHook()) {
        f.flush();
        step(RewriteStep::TempHalfWritten);
    }
    const qsizetype rest = bytes.size() - half;
    return f.write(bytes.constData() + half, rest) == rest && f.flush();
}

bool syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool renameOver(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString pendingPath(const QString& path) { return path + QString::fromLatin1(kPendingSuffix); }
QString oldPath(const QString& path) { return path + QString::fromLatin1(kOldSuffix); }

QString markerName() { return QString::fromLatin1(kFileSetMarker); }

bool isMarkerName(const QString& name) { return name.compare(markerName(), Qt::CaseInsensitive) == 0; }

// A temporary file that a rewrite of the marker leaves when it is killed: the marker's name, a dot
// and six letters or digits.
bool isMarkerTemp(const QString& name)
{
    const qsizetype base = qsizetype(std::strlen(kFileSetMarker)) + 1;
    if (name.size() != base + 6 || !name.startsWith(markerName() + u'.', Qt::CaseInsensitive))
        return false;
    return std::all_of(name.begin() + base, name.end(),
                       [](QChar c) { return c.unicode() < 128 && std::isalnum(c.unicode()); });
}

// What stands at a path, symbolic links not followed.
enum class Entry { None, File, Folder, Link, Other };
Entry entryAt(const QString& path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return Entry::None;
    if (S_ISREG(st.st_mode))
        return Entry::File;
    if (S_ISDIR(st.st_mode))
        return Entry::Folder;
    return S_ISLNK(st.st_mode) ? Entry::Link : Entry::Other;
}

bool removeEntry(const QString& path) { return ::unlink(QFile::encodeName(path).constData()) == 0; }

// Removes what stands at the path unless it is a folder; true when nothing is left there.
bool clearEntry(const QString& path)
{
    const Entry e = entryAt(path);
    return e == Entry::None || (e != Entry::Folder && removeEntry(path));
}

// The bytes of the file at the path, a link never followed, held to the bound of the user
// folder's files (the folder of every set); nothing when no file can be read there.
std::optional<QByteArray> readNoFollow(const QString& path)
{
    FileBytes f = OpenedFile(path, kUserFileBytes, OpenedFile::Links::Refuse).readAll();
    if (!f.read())
        return std::nullopt;
    return std::move(f.bytes);
}

// Writes the bytes to the open file, syncs and closes it.
bool writeAndClose(int fd, const QByteArray& bytes)
{
    QFile f;
    if (!f.open(fd, QIODevice::WriteOnly, QFile::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    const bool ok = writeInHalves(f, bytes) && ::fsync(fd) == 0;
    f.close();
    return ok;
}

// Writes the bytes as a new file at the path and syncs it: whatever stood under the name (a file
// or a link, never followed) goes first; a folder there fails the write.
bool writeFresh(const QString& path, const QByteArray& bytes)
{
    if (!clearEntry(path))
        return false;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool ok = writeAndClose(fd, bytes);
    if (!ok)
        ::unlink(name.constData());
    return ok;
}

// Replaces the marker through a temporary file beside it (the name a settling removes when a kill
// leaves it) renamed over it: a link standing under the marker's name is replaced, never followed.
bool writeMarker(const QString& marker, const QByteArray& bytes)
{
    QByteArray temp = QFile::encodeName(marker) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = writeAndClose(fd, bytes);
    if (ok) {
        step(RewriteStep::TempWritten);
        ok = ::rename(temp.constData(), QFile::encodeName(marker).constData()) == 0;
    }
    if (!ok)
        ::unlink(temp.constData());
    return ok;
}

// One file of a set as its marker lists it.
struct Listed {
    QString name;
    bool created = false; // the set creates it: undoing the set removes it
};

QByteArray markerBytes(const char* state, const std::vector<Listed>& files)
{
    QString text = QString::fromLatin1(state) + QStringLiteral("\r\n");
    for (const Listed& l : files)
        text += (l.created ? QStringLiteral("/") : QString()) + l.name + QStringLiteral("\r\n");
    return encodeGbk(text);
}

// The folder of a set as it stands on disk, letter case resolved, absolute and clean.
std::optional<QString> setFolder(const QString& folder)
{
    if (folder.isEmpty())
        return std::nullopt;
    const auto real = findFolder(folder);
    if (!real)
        return std::nullopt;
    return QDir::cleanPath(QFileInfo(*real).absoluteFilePath());
}

std::function<void(const QString&)>& unsettledReporter()
{
    static std::function<void(const QString&)> reporter;
    return reporter;
}

// Renames the marker that cannot be settled out of the way, under a name no lookup of the marker
// finds, and reports it. False when it could not be moved.
bool setAside(const QString& dir, const QString& marker)
{
    const QString base = dir + u'/' + QFileInfo(marker).fileName() + QString::fromLatin1(kUnsettledSuffix);
    for (int n = 1; n <= 100; ++n) {
        const QString kept = n == 1 ? base : base + u'.' + QString::number(n);
        if (entryAt(kept) != Entry::None)
            continue;
        if (!renameOver(marker, kept))
            return false;
        syncFolder(dir);
        if (unsettledReporter())
            unsettledReporter()(kept);
        return true;
    }
    return false;
}

// Drops a set that never counted as written: its ".pending" and ".old" files and its marker.
bool discardSet(const QString& dir, const QString& marker, const std::vector<Listed>& files)
{
    for (const Listed& l : files) {
        const QString target = dir + u'/' + l.name;
        clearEntry(pendingPath(target));
        if (!l.created && entryAt(oldPath(target)) == Entry::File)
            removeEntry(oldPath(target));
    }
    syncFolder(dir);
    return removeEntry(marker) || entryAt(marker) == Entry::None;
}

// Undoes a set whose marker says "restore": every file takes its old bytes back. A file whose
// ".pending" file is still there was never replaced; of the others, one the set kept old bytes of
// takes its ".old" file back and one the set created goes (an ".old" file beside it is none of the
// set's and stays as it is). True when the set is undone and its marker gone; when some
// file cannot be given its old bytes the marker is set aside, and false.
bool restoreSet(const QString& dir, const QString& marker, const std::vector<Listed>& files)
{
    bool complete = true;
    for (const Listed& l : files) {
        const QString target = dir + u'/' + l.name;
        const QString pending = pendingPath(target);
        const QString old = oldPath(target);
        if (entryAt(pending) != Entry::None) {
            // The old bytes go first: a kill in between leaves a file that is plainly not replaced.
            if (!l.created && entryAt(old) == Entry::File)
                removeEntry(old);
            complete = clearEntry(pending) && complete;
            continue;
        }
        if (l.created) {
            if (entryAt(target) == Entry::File && !removeEntry(target))
                complete = false;
        } else if (entryAt(old) == Entry::File) {
            if (!renameOver(old, target))
                complete = false;
        }
        step(RewriteStep::Renamed);
    }
    syncFolder(dir);
    if (!complete) {
        setAside(dir, marker);
        return false;
    }
    return removeEntry(marker);
}

// Goes on with a set whose marker says "commit": every ".pending" file still there is renamed over
// its file, then the ".old" files and the marker go. When a file refuses to be replaced, the set
// is undone instead (restoreSet). True when the set stands whole, old or new, and its marker is gone.
enum class Committed { Written, Undone, Mixed };
Committed commitSet(const QString& dir, const QString& marker, const std::vector<Listed>& files)
{
    for (const Listed& l : files) {
        const QString target = dir + u'/' + l.name;
        const QString pending = pendingPath(target);
        const Entry p = entryAt(pending);
        if (p == Entry::None)
            continue; // renamed before
        if (p != Entry::File || entryAt(target) == Entry::Folder || entryAt(target) == Entry::Link ||
            !renameOver(pending, target)) {
            step(RewriteStep::Refused);
            // The marker says so first, so that a kill while undoing goes on undoing.
            writeMarker(marker, markerBytes("restore", files));
            return restoreSet(dir, marker, files) ? Committed::Undone : Committed::Mixed;
        }
        step(RewriteStep::Renamed);
    }
    syncFolder(dir);
    for (const Listed& l : files) {
        const QString old = oldPath(dir + u'/' + l.name);
        if (!l.created && entryAt(old) == Entry::File)
            removeEntry(old);
    }
    syncFolder(dir);
    removeEntry(marker);
    return Committed::Written;
}

// A marker "finish" of an earlier version: every listed ".pending" file still there is renamed
// over its file. One that cannot be leaves the marker set aside, the others finished all the same.
bool finishEarlierSet(const QString& dir, const QString& marker, const std::vector<Listed>& files)
{
    bool stuck = false;
    for (const Listed& l : files) {
        const QString target = dir + u'/' + l.name;
        const QString pending = pendingPath(target);
        const Entry p = entryAt(pending);
        if (p == Entry::None)
            continue;
        if (p != Entry::File || entryAt(target) == Entry::Folder || !renameOver(pending, target))
            stuck = true;
    }
    syncFolder(dir);
    if (stuck)
        return setAside(dir, marker);
    return removeEntry(marker);
}

// Settles the set one marker of the folder describes. False when the marker is still there.
bool settleMarker(const QString& dir, const QString& marker)
{
    // Read by its own name, never through a link: another marker of the same letter fold is
    // settled in a round of its own.
    const auto bytes = entryAt(marker) == Entry::File ? readNoFollow(marker) : std::nullopt;
    if (!bytes)
        return setAside(dir, marker); // a folder, a link, or nothing that can be read
    const QStringList lines = splitLines(decodeGbk(*bytes));
    std::vector<Listed> files;
    for (const QString& line : lines.mid(1)) {
        Listed l{line, line.startsWith(u'/')};
        if (l.created)
            l.name = line.mid(1);
        if (isPlainName(l.name) && !isMarkerName(l.name))
            files.push_back(l);
    }
    const QString state = lines.isEmpty() ? QString() : lines.first();
    if (state == u"commit")
        return commitSet(dir, marker, files) != Committed::Mixed || entryAt(marker) == Entry::None;
    if (state == u"restore") {
        restoreSet(dir, marker, files);
        return entryAt(marker) == Entry::None;
    }
    if (state == u"finish")
        return finishEarlierSet(dir, marker, files);
    return discardSet(dir, marker, files);
}

// Settles the resolved folder: strays of the marker's own rewrite go, then every marker in it,
// whatever its letter case, a link under its name included. False when a marker is left.
bool settleIn(const QString& dir)
{
    for (const QString& name : folderEntries(dir)) {
        if (isMarkerTemp(name) && entryAt(dir + u'/' + name) == Entry::File)
            removeEntry(dir + u'/' + name);
    }
    // Each round removes its marker or sets it aside; a few names of one letter fold at most.
    for (int round = 0; round < 8; ++round) {
        const auto marker = findAnyEntry(dir, markerName());
        if (!marker)
            return true;
        if (!settleMarker(dir, *marker))
            return false;
    }
    return !findAnyEntry(dir, markerName());
}

// Replaces the file at exactly this path (no letter-case lookup) through a temporary file.
bool saveWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (!writeInHalves(f, bytes)) {
        f.cancelWriting();
        return false;
    }
    step(RewriteStep::TempWritten);
    return f.commit();
}
} // namespace

void setRewriteHookForTests(std::function<void(RewriteStep)> hook) { rewriteHook() = std::move(hook); }

void setUnsettledMarkerReporter(std::function<void(const QString& keptPath)> reporter)
{
    unsettledReporter() = std::move(reporter);
}

bool writeWholeFile(const QString& path, const QString& text) { return writeWholeFileBytes(path, encodeGbk(text)); }

bool writeWholeFileBytes(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return false;
    return saveWhole(writeTarget(path), bytes);
}

SetResult writeFileSetResult(const QString& folder, const std::vector<FileWrite>& files)
{
    if (files.empty())
        return SetResult::Written;
    const auto resolved = setFolder(folder);
    if (!resolved)
        return SetResult::Undone;
    const QString dir = *resolved;
    // An earlier set that could not be finished yet is never overwritten by a new one.
    if (!settleIn(dir))
        return SetResult::Undone;
    struct Item {
        Listed listed;
        QString target;
        const QByteArray* bytes;
        std::optional<QByteArray> before; // the old bytes, kept to undo the set
    };
    std::vector<Item> items;
    QStringList names;
    for (const FileWrite& w : files) {
        if (w.path.isEmpty())
            return SetResult::Undone;
        const QFileInfo asked(w.path);
        if (setFolder(asked.path()) != dir || !isPlainName(asked.fileName()) || isMarkerName(asked.fileName()))
            return SetResult::Undone;
        // The file's name as it stands in the folder, whatever the letter case asked and whatever
        // stands there.
        const QString name =
            QFileInfo(findAnyEntry(dir, asked.fileName()).value_or(dir + u'/' + asked.fileName())).fileName();
        if (names.contains(name))
            return SetResult::Undone;
        names << name;
        Item item{{name, false}, dir + u'/' + name, &w.bytes, std::nullopt};
        // Found now, before anything is written: a link, a folder or a file that cannot be read
        // could not be replaced with its old bytes kept.
        switch (entryAt(item.target)) {
        case Entry::None:
            item.listed.created = true;
            break;
        case Entry::File:
            item.before = readNoFollow(item.target);
            if (!item.before)
                return SetResult::Undone;
            if (*item.before == w.bytes)
                continue; // already on disk
            break;
        default:
            return SetResult::Undone;
        }
        items.push_back(std::move(item));
    }
    if (items.empty())
        return SetResult::Written;
    std::vector<Listed> listed;
    for (const Item& i : items)
        listed.push_back(i.listed);

    // No marker of any letter case is left (settled above): this one is the folder's only one.
    const QString marker = dir + u'/' + markerName();
    if (!writeMarker(marker, markerBytes("undo", listed)))
        return SetResult::Undone;
    auto discard = [&] {
        discardSet(dir, marker, listed);
        return SetResult::Undone;
    };
    for (const Item& i : items) {
        if (!writeFresh(pendingPath(i.target), *i.bytes))
            return discard();
        step(RewriteStep::TempWritten);
    }
    for (const Item& i : items) {
        if (!i.before)
            continue;
        if (!writeFresh(oldPath(i.target), *i.before))
            return discard();
        step(RewriteStep::TempWritten);
    }
    if (!writeMarker(marker, markerBytes("commit", listed)))
        return discard();
    switch (commitSet(dir, marker, listed)) {
    case Committed::Written: return SetResult::Written;
    case Committed::Undone: return SetResult::Undone;
    case Committed::Mixed: return SetResult::Mixed;
    }
    return SetResult::Mixed;
}

bool writeFileSet(const QString& folder, const std::vector<FileWrite>& files)
{
    return writeFileSetResult(folder, files) == SetResult::Written;
}

void settleFileSet(const QString& folder)
{
    if (const auto dir = setFolder(folder))
        settleIn(*dir);
}

bool appendToFile(const QString& path, const QString& text)
{
    if (path.isEmpty())
        return false;
    QFile f(writeTarget(path));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = encodeGbk(text);
    return f.write(bytes) == bytes.size();
}

} // namespace platform
