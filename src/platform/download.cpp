#include "platform/download.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace platform {

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

    QNetworkAccessManager manager;
    // This machine is never reached through a proxy.
    if (u.host().compare(u"localhost", Qt::CaseInsensitive) == 0 || QHostAddress(u.host()).isLoopback())
        manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(u);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    QPointer<QNetworkReply> reply = manager.get(request);

    bool writeFailed = false;
    QEventLoop loop;
    QTimer idle;
    idle.setSingleShot(true);
    QObject::connect(&idle, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        const QByteArray bytes = reply->readAll();
        if (file.write(bytes) != bytes.size()) {
            writeFailed = true;
            loop.quit();
            return;
        }
        idle.start(std::max(1, limits.idleMs));
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    QElapsedTimer total;
    total.start();
    idle.start(std::max(1, limits.idleMs));
    while (reply && !reply->isFinished() && !writeFailed && idle.isActive()) {
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
    if (reply && reply->isFinished() && !writeFailed) {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() == QNetworkReply::NoError && status >= 200 && status < 300) {
            const QByteArray rest = reply->readAll();
            ok = file.write(rest) == rest.size();
        }
    }
    if (reply) {
        reply->disconnect();
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
