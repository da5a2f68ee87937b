#include "platform/textfile.h"

#include "platform/filelookup.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cstring>

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
std::function<void()>& rewriteHook()
{
    static std::function<void()> hook;
    return hook;
}
} // namespace

void setRewriteHookForTests(std::function<void()> hook) { rewriteHook() = std::move(hook); }

bool writeWholeFile(const QString& path, const QString& text)
{
    if (path.isEmpty())
        return false;
    QSaveFile f(writeTarget(path));
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = encodeGbk(text);
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    if (rewriteHook()) {
        f.flush();
        rewriteHook()();
    }
    return f.commit();
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
