#include "platform/networkaccess.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
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

} // namespace

QNetworkAccessManager& networkAccess()
{
    // Owned by the application object, so it goes with it (and a later application gets its own).
    static QPointer<QNetworkAccessManager> manager;
    if (!manager) {
        manager = new QNetworkAccessManager(QCoreApplication::instance());
        manager->setProxyFactory(new LoopbackDirect);
    }
    return *manager;
}

} // namespace platform
