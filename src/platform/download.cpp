#include "platform/download.h"

#include "platform/networkaccess.h"
#include "platform/waits.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace platform {

namespace {
constexpr qint64 kReadAhead = 256 * 1024;
} // namespace

bool downloadToFile(const QString& url, const QString& localPath, DownloadLimits limits)
{
    const QUrl u(url, QUrl::TolerantMode);
    const QString scheme = u.scheme().toLower();
    if (!u.isValid() || u.host().isEmpty() || (scheme != u"http" && scheme != u"https"))
        return false;
    const QFileInfo target(localPath);
    if (localPath.isEmpty() || target.isDir() || !target.absoluteDir().exists())
        return false;

    QSaveFile file(localPath);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;

    // The network thread reads only a little ahead of what is stored: a fast server waits.
    QPointer<QNetworkReply> reply = getFresh(u, kReadAhead);

    const qint64 maxBytes = std::max<qint64>(0, limits.maxBytes);
    qint64 kept = 0;
    bool failed = false; // a write failed, or the reply is longer than the bound
    QEventLoop loop;
    QTimer idle;
    idle.setSingleShot(true);
    QObject::connect(&idle, &QTimer::timeout, &loop, &QEventLoop::quit);
    auto fail = [&] {
        failed = true;
        loop.quit();
    };
    // A reply that announces more than the bound is not waited for.
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        if (announcesMoreThan(*reply, maxBytes))
            fail();
    });
    auto store = [&] {
        if (failed)
            return;
        const QByteArray bytes = reply->readAll();
        if (bytes.size() > maxBytes - kept || file.write(bytes) != bytes.size()) {
            fail();
            return;
        }
        kept += bytes.size();
    };
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        store();
        idle.start(std::max(1, limits.idleMs));
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    enteringWait(WaitKind::Download);
    QElapsedTimer total;
    total.start();
    idle.start(std::max(1, limits.idleMs));
    while (reply && !reply->isFinished() && !failed && idle.isActive()) {
        const qint64 left = qint64(limits.totalMs) - total.elapsed();
        if (left <= 0)
            break;
        QTimer whole;
        whole.setSingleShot(true);
        QObject::connect(&whole, &QTimer::timeout, &loop, &QEventLoop::quit);
        whole.start(int(left));
        if (loop.exec(QEventLoop::ExcludeUserInputEvents) != 0)
            break; // the program is ending
    }

    bool ok = false;
    if (reply && reply->isFinished() && !failed) {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() == QNetworkReply::NoError && status >= 200 && status < 300) {
            store(); // what is left
            ok = !failed;
        }
    }
    if (reply) {
        QObject::disconnect(reply, nullptr, &loop, nullptr);
        if (!reply->isFinished())
            reply->abort();
        delete reply.data();
    }
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace platform
