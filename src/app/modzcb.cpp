#include "app/modzcb.h"

#include "app/moddata.h"
#include "platform/httprequest.h"
#include "platform/settingsstore.h"
#include "platform/textfile.h"
#include "platform/waits.h"
#include "toolkit/vb.h"
#include "toolkit/vberror.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QtEndian>
#include <algorithm>

namespace ModZCB {

namespace {

QString& addressOverride()
{
    static QString address;
    return address;
}

// The wait of a web request. Failures of the request itself are reported only when asked: the
// reporter's own request never reports.
QString fetch(const QString& url, int timeoutSeconds, bool reportFailures)
{
    platform::HttpRequest request;
    const bool sent = request.send(url);
    if (!sent) {
        // Nothing can arrive: no wait. Reported once, unless this is the reporter's own request.
        if (reportFailures)
            vb::ErrorTrap(QStringLiteral("getHtmlStr"))([] { vb::raise(5); });
        return timeoutText();
    }

    // Whole clock seconds: the request gives up once more than timeoutSeconds second boundaries
    // of the clock lie behind its start, between timeoutSeconds and timeoutSeconds + 1 seconds
    // after it. A clock set back during the wait cannot stretch it beyond that bound either.
    const qint64 seconds = std::clamp(qint64(timeoutSeconds), qint64(0), qint64(24 * 3600));
    const qint64 startSecond = QDateTime::currentMSecsSinceEpoch() / 1000;
    QElapsedTimer elapsed;
    elapsed.start();
    const qint64 boundMs = (seconds + 1) * 1000;
    auto remainingMs = [&]() -> qint64 {
        const qint64 nowMs = QDateTime::currentMSecsSinceEpoch();
        if (nowMs / 1000 - startSecond > seconds || elapsed.elapsed() >= boundMs)
            return 0;
        return std::clamp<qint64>((startSecond + seconds + 1) * 1000 - nowMs, 1,
                                  boundMs - elapsed.elapsed());
    };

    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    // A request that plainly failed (refused, no such host, a reply outside 2xx) ends the wait at
    // once; only a server that does not answer keeps it waiting until the time-out.
    QObject::connect(&request, &platform::HttpRequest::finished, &loop, &QEventLoop::quit);
    auto ended = [&] { return request.isComplete() || request.hasFailed(); };
    // The other windows' events run while it waits.
    for (qint64 ms = remainingMs(); ms > 0 && !ended(); ms = remainingMs()) {
        deadline.start(int(ms));
        if (loop.exec() != 0)
            break; // the program is ending: no more waiting
    }

    if (request.isComplete())
        return vb::trim(platform::decodeGbk(request.body()));
    request.abort();
    return timeoutText();
}

} // namespace

QString webServiceAddress()
{
    if (!addressOverride().isEmpty())
        return addressOverride();
    return QStringLiteral("http://127.0.0.1:18086");
}

void setWebServiceAddress(const QString& address)
{
    QString a = address;
    while (a.endsWith(u'/'))
        a.chop(1);
    addressOverride() = a;
}

QString timeoutText() { return QStringLiteral("error-timeout，网络状况不好，请重试！"); }

QString errorReportQuery(const QString& keMu, const QString& tkVer, const QString& osVer,
                         const QString& tag, long number, const QString& text,
                         const QString& extra)
{
    auto enc = [](const QString& v) {
        return QString::fromLatin1(platform::encodeGbk(v).toPercentEncoding());
    };
    return QStringLiteral("/up/error/submit.asp?pronm=") + enc(keMu) + QStringLiteral("&pver=") +
           enc(tkVer) + QStringLiteral("&osver=") + enc(osVer) + QStringLiteral("&errsub=") +
           enc(tag) + QStringLiteral("&errno=") + QString::number(number) +
           QStringLiteral("&errdescript=") + enc(text + extra);
}

QString runLogEntry(const QString& tag, long number, const QString& text, const QString& osVer,
                    const QString& tkVer)
{
    return QStringLiteral("软件运行提示:") + tag + text + QStringLiteral("\r\n系统版本:") + osVer +
           QStringLiteral(",软件版本:") + tkVer + u',' + QString::number(number) +
           QStringLiteral("\r\n");
}

QString runLogRecord(const QDateTime& when, const QString& entry)
{
    return QStringLiteral("\r\n") + vb::format(when, QStringLiteral("YYYY-MM-DD HH:MM:SS")) +
           QStringLiteral("\r\n") + vb::trim(entry) + QStringLiteral("\r\n");
}

void appendLog(const QString& path, const QString& entry)
{
    vb::attempt([&] {
        if (path.isEmpty())
            return;
        platform::appendToFile(path, runLogRecord(vb::now(), entry));
    });
}

void reportError(QString tag, long number, QString text, QString extra)
{
    vb::attempt([&] {
        // The values of this report are fixed before the wait: reports made while it waits
        // change the program-wide state, not this report.
        const QString keMu = ModData::sKeMu;
        const QString tkVer = ModData::sTkVer;
        const QString osVer = ModData::sOsVer;
        const QString url = webServiceAddress() +
                            errorReportQuery(keMu, tkVer, osVer, tag, number, text, extra);
        {
            // The candidate's clicks and keys wait with the report: nothing they start runs
            // under the handler that reports.
            const platform::InputHold hold;
            platform::enteringWait(platform::WaitKind::ErrorReport);
            fetch(url, 1, false);
        }
        appendLog(ModData::sErrLogFile, runLogEntry(tag, number, text, osVer, tkVer));
    });
}

void installErrorReporter()
{
    vb::setReporter([](const QString& tag, long number, const QString& text) {
        ModData::sErrProc = tag;
        ModData::lErrNum = vb::Long(number);
        ModData::sErrDesc = text;
        reportError(ModData::sErrProc, ModData::lErrNum, ModData::sErrDesc, QString());
    });
    // A history file set whose marker had to be set aside is reported from the event loop, not
    // from inside the settling: that runs in the middle of a read or a write of the history, and
    // a report waits for the web service with the program's other events running.
    platform::setUnsettledMarkerReporter([](const QString&) {
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                app, [] { vb::report(QStringLiteral("settlefileset"), vb::ErrPathFileAccess, vb::errorText(vb::ErrPathFileAccess)); },
                Qt::QueuedConnection);
    });
}

QString getHtmlStr(QString url, int timeoutSeconds)
{
    platform::enteringWait(platform::WaitKind::WebRequest);
    return fetch(url, timeoutSeconds, true);
}

long regWriteValue(long root, const QString& subKey, const QString& valueName, long valueType,
                   QVariant& value, long& dataLength)
{
    namespace reg = platform::registry;
    long key = 0;
    const long opened = reg::createKey(std::uint32_t(root), subKey, key);
    if (opened != reg::Success)
        return opened;
    // The key is closed on every way out, a conversion error included.
    struct Closer {
        long key;
        ~Closer() { platform::registry::closeKey(key); }
    } closer{key};

    auto toLong = [](const QVariant& v) -> vb::Long {
        if (v.typeId() == QMetaType::QString)
            return vb::clng(v.toString());
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (!ok)
            vb::raise(vb::ErrTypeMismatch);
        return vb::clng(d);
    };
    auto numberBytes = [](vb::Long n) {
        QByteArray b(4, '\0');
        qToLittleEndian<qint32>(n, b.data());
        return b;
    };

    switch (valueType) {
    case reg::TypeSz:
    case reg::TypeExpandSz: {
        const QString text = value.toString();
        dataLength = long(text.size());
        return reg::setValue(key, valueName, valueType, platform::encodeGbk(text).left(dataLength));
    }
    case reg::TypeDword: {
        dataLength = 4;
        const vb::Long n = toLong(value);
        value = n;
        return reg::setValue(key, valueName, valueType, numberBytes(n));
    }
    case reg::TypeBinary: {
        const vb::Long n = toLong(value);
        value = n;
        const long count = std::clamp<long>(dataLength, 0, 4);
        return reg::setValue(key, valueName, valueType, numberBytes(n).left(count));
    }
    default:
        return reg::Success;
    }
}

} // namespace ModZCB
