#include "platform/textfile.h"

#include "platform/filelookup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
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

QString markerPath(const QString& folder) { return folder + u'/' + QString::fromLatin1(kFileSetMarker); }
QString pendingPath(const QString& path) { return path + QString::fromLatin1(kPendingSuffix); }

// A file name of the marker that stays in its folder.
bool plainName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\');
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
} // namespace

void setRewriteHookForTests(std::function<void(RewriteStep)> hook) { rewriteHook() = std::move(hook); }

bool writeWholeFile(const QString& path, const QString& text) { return writeWholeFileBytes(path, encodeGbk(text)); }

bool writeWholeFileBytes(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return false;
    QSaveFile f(writeTarget(path));
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (!writeInHalves(f, bytes)) {
        f.cancelWriting();
        return false;
    }
    step(RewriteStep::TempWritten);
    return f.commit();
}

bool writeFileSet(const QString& folder, const std::vector<FileWrite>& files)
{
    if (files.empty())
        return true;
    settleFileSet(folder);
    const QString dir = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    // An earlier set that could not be finished yet is never overwritten by a new one.
    if (QFileInfo::exists(markerPath(dir)))
        return false;
    QStringList names, targets, pending;
    for (const FileWrite& w : files) {
        if (w.path.isEmpty())
            return false;
        const QFileInfo target(writeTarget(w.path));
        // A folder under a file's name could not be replaced: found now, before anything is written.
        if (QDir::cleanPath(target.absolutePath()) != dir || !plainName(target.fileName()) ||
            names.contains(target.fileName()) || (target.exists() && !target.isFile()))
            return false;
        names << target.fileName();
        targets << dir + u'/' + target.fileName();
        pending << pendingPath(targets.last());
    }
    const QString marker = markerPath(dir);
    if (!writeWholeFileBytes(marker, markerBytes("undo", names)))
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
    if (!writeWholeFileBytes(marker, markerBytes("finish", names)))
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
    const QString marker = markerPath(folder);
    if (!QFileInfo(marker).isFile())
        return;
    const auto lines = readAllLines(marker);
    if (!lines || lines->isEmpty())
        return;
    const bool finish = lines->first() == u"finish";
    for (const QString& name : lines->mid(1)) {
        if (!plainName(name))
            continue;
        const QString target = folder + u'/' + name;
        const QString pending = pendingPath(target);
        if (!QFileInfo::exists(pending))
            continue;
        if (finish) {
            if (!renameOver(pending, target))
                return; // tried again at the next settling
        } else {
            QFile::remove(pending);
        }
    }
    syncFolder(folder);
    QFile::remove(marker);
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
