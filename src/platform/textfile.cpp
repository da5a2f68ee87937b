#include "platform/textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

QString decodeGbk(const QByteArray& bytes)
{
    QStringDecoder dec("GBK");
    return dec.decode(bytes);
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
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return splitLines(decodeGbk(f.readAll()));
}

LineRead readLineN(const QString& path, int n)
{
    LineRead r;
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return r;
    r.readable = true;
    // Read only as far as needed: operation files are long and every step asks for one line.
    QByteArray pending;
    int lineNo = 0;
    auto take = [&](const QByteArray& raw) {
        ++lineNo;
        r.text = decodeGbk(raw);
        if (lineNo == n)
            r.exists = true;
    };
    char buf[16384];
    bool lastWasCr = false;
    while (lineNo < n) {
        const qint64 got = f.read(buf, sizeof buf);
        if (got <= 0)
            break;
        qint64 start = 0;
        for (qint64 i = 0; i < got && lineNo < n; ++i) {
            const char c = buf[i];
            if (c == '\n' && lastWasCr) {
                lastWasCr = false;
                start = i + 1;
                continue;
            }
            lastWasCr = false;
            if (c == '\r' || c == '\n') {
                pending.append(buf + start, i - start);
                take(pending);
                pending.clear();
                lastWasCr = (c == '\r');
                start = i + 1;
            }
        }
        if (lineNo < n && start < got)
            pending.append(buf + start, got - start);
    }
    if (lineNo < n && !pending.isEmpty())
        take(pending);
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
    QSaveFile f(path);
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
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = encodeGbk(text);
    return f.write(bytes) == bytes.size();
}

} // namespace platform
