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
#include <cstring>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {
// Opens path, or the file whose name equals its name ignoring letter case.
bool openForReading(QFile& f, const QString& path)
{
    if (path.isEmpty())
        return false;
    f.setFileName(path);
    if (f.open(QIODevice::ReadOnly))
        return true;
    const auto real = findFile(path);
    if (!real || *real == path)
        return false;
    f.setFileName(*real);
    return f.open(QIODevice::ReadOnly);
}

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

std::optional<QStringList> readAllLines(const QString& path)
{
    QFile f;
    if (!openForReading(f, path))
        return std::nullopt;
    return splitLines(decodeGbk(f.readAll()));
}

LineRead readLineN(const QString& path, int n)
{
    LineRead r;
    QFile f;
    if (!openForReading(f, path))
        return r;
    r.readable = true;
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
    char buf[65536];
    bool skipLf = false; // the previous chunk ended with CR: a LF first in this one belongs to it
    while (lineNo < n) {
        const qint64 got = f.read(buf, sizeof buf);
        if (got <= 0)
            break;
        const char* p = buf;
        const char* const end = buf + got;
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

QByteArray markerBytes(const char* state, const QStringList& names)
{
    QString text = QString::fromLatin1(state) + QStringLiteral("\r\n");
    for (const QString& n : names)
        text += n + QStringLiteral("\r\n");
    return encodeGbk(text);
}

void removeAll(const QStringList& paths)
{
    for (const QString& p : paths)
        QFile::remove(p);
}

// Something, a broken link included, stands at the path.
bool entryExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
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
        if (entryExists(kept))
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

// Settles the set one marker of the folder describes. False when it must wait for a later settling.
bool settleMarker(const QString& dir, const QString& marker)
{
    // Read by its own name: another marker of the same letter fold is settled in a round of its own.
    QFile f(marker);
    if (!QFileInfo(marker).isFile() || !f.open(QIODevice::ReadOnly))
        return setAside(dir, marker); // a folder, or nothing that can be read
    const QStringList lines = splitLines(decodeGbk(f.readAll()));
    f.close();
    const bool finish = !lines.isEmpty() && lines.first() == u"finish";
    bool stuck = false; // a file of a finished set that can never take its new bytes
    for (const QString& name : lines.mid(1)) {
        if (!isPlainName(name) || isMarkerName(name))
            continue;
        const QString target = dir + u'/' + name;
        const QString pending = pendingPath(target);
        if (!entryExists(pending))
            continue;
        const bool pendingIsFile = QFileInfo(pending).isFile();
        if (!finish) {
            if (pendingIsFile)
                QFile::remove(pending);
            continue;
        }
        if (pendingIsFile && renameOver(pending, target))
            continue;
        const QFileInfo t(target);
        if (!pendingIsFile || (entryExists(target) && !t.isFile()))
            stuck = true;
        else
            return false; // tried again at the next settling
    }
    syncFolder(dir);
    if (stuck)
        return setAside(dir, marker);
    return QFile::remove(marker);
}

// Settles the resolved folder: strays of the marker's own rewrite go, then every marker in it,
// whatever its letter case. False when a marker is left that a later settling must finish.
bool settleIn(const QString& dir)
{
    for (const QString& name : folderEntries(dir)) {
        if (isMarkerTemp(name) && QFileInfo(dir + u'/' + name).isFile())
            QFile::remove(dir + u'/' + name);
    }
    // Each round removes its marker or sets it aside; a few names of one letter fold at most.
    for (int round = 0; round < 8; ++round) {
        const auto marker = findInFolder(dir, markerName(), EntryKind::Any);
        if (!marker)
            return true;
        if (!settleMarker(dir, *marker))
            return false;
    }
    return !findInFolder(dir, markerName(), EntryKind::Any);
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

bool writeFileSet(const QString& folder, const std::vector<FileWrite>& files)
{
    if (files.empty())
        return true;
    const auto resolved = setFolder(folder);
    if (!resolved)
        return false;
    const QString dir = *resolved;
    // An earlier set that could not be finished yet is never overwritten by a new one.
    if (!settleIn(dir))
        return false;
    QStringList names, targets, pending;
    for (const FileWrite& w : files) {
        if (w.path.isEmpty())
            return false;
        const QFileInfo asked(w.path);
        if (setFolder(asked.path()) != dir || !isPlainName(asked.fileName()) || isMarkerName(asked.fileName()))
            return false;
        // The file's name as it stands in the folder, whatever the letter case asked.
        const QFileInfo target(pathForWrite(dir, asked.fileName()).value_or(QString()));
        // A folder under a file's name could not be replaced: found now, before anything is written.
        if (target.fileName().isEmpty() || names.contains(target.fileName()) ||
            (entryExists(target.filePath()) && !target.isFile()))
            return false;
        names << target.fileName();
        targets << dir + u'/' + target.fileName();
        pending << pendingPath(targets.last());
    }
    // No marker of any letter case is left (settled above): this one is the folder's only one.
    const QString marker = dir + u'/' + markerName();
    if (!saveWhole(marker, markerBytes("undo", names)))
        return false;
    auto undo = [&] {
        removeAll(pending);
        QFile::remove(marker);
        return false;
    };
    for (size_t i = 0; i < files.size(); ++i) {
        QFile f(pending.at(qsizetype(i)));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || !writeInHalves(f, files[i].bytes) ||
            ::fsync(f.handle()) != 0)
            return undo();
        f.close();
        step(RewriteStep::TempWritten);
    }
    if (!saveWhole(marker, markerBytes("finish", names)))
        return undo();
    for (qsizetype i = 0; i < targets.size(); ++i) {
        if (!renameOver(pending.at(i), targets.at(i)))
            return false; // the marker stays: the next settling finishes the set
        step(RewriteStep::Renamed);
    }
    syncFolder(dir);
    QFile::remove(marker);
    return true;
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
