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

bool isRedirectAllowed(const QUrl& from, const QUrl& to)
{
    const QString fromScheme = from.scheme().toLower();
    const QString toScheme = to.scheme().toLower();
    if (toScheme != u"http" && toScheme != u"https")
        return false;
    if (fromScheme == u"https" && toScheme != u"https")
        return false;
    const int fromPort = from.port(fromScheme == u"https" ? 443 : 80);
    const int toPort = to.port(toScheme == u"https" ? 443 : 80);
    return !to.host().isEmpty() && to.host().compare(from.host(), Qt::CaseInsensitive) == 0 && toPort == fromPort;
}

QNetworkReply* getFresh(const QUrl& url, qint64 readAhead)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = networkAccess().get(request);
    reply->setReadBufferSize(readAhead);
    // A redirect elsewhere is not followed: the reply ends as a failed one.
    QObject::connect(reply, &QNetworkReply::redirected, reply, [reply, url](const QUrl& to) {
        if (isRedirectAllowed(url, reply->url().resolved(to)))
            emit reply->redirectAllowed();
        else
            reply->abort();
    });
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
