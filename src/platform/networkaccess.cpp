#include "platform/networkaccess.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

namespace platform {

namespace {

class LoopbackDirect : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override
    {
        const QString host = query.peerHostName();
        if (host.compare(u"localhost", Qt::CaseInsensitive) == 0 || QHostAddress(host).isLoopback())
            return {QNetworkProxy::NoProxy};
        return QNetworkProxyFactory::proxyForQuery(query);
    }
};

QPointer<QNetworkAccessManager>& manager()
{
    static QPointer<QNetworkAccessManager> m;
    return m;
}

} // namespace

QNetworkAccessManager& networkAccess()
{
    // Owned by the application object, so it goes with it (and a later application gets its own).
    QPointer<QNetworkAccessManager>& manager = platform::manager();
    if (!manager) {
        manager = new QNetworkAccessManager(QCoreApplication::instance());
        manager->setProxyFactory(new LoopbackDirect);
    }
    return *manager;
}

QNetworkReply* getFresh(const QUrl& url, qint64 readAhead)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = networkAccess().get(request);
    reply->setReadBufferSize(readAhead);
    return reply;
}

bool announcesMoreThan(const QNetworkReply& reply, qint64 bound)
{
    bool known = false;
    const qint64 announced = reply.header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    return known && announced > bound;
}

void endNetworkAccess()
{
    QPointer<QNetworkAccessManager>& m = manager();
    if (!m)
        return;
    m->clearConnectionCache();
    delete m.data(); // quits its thread and waits for it
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace platform
