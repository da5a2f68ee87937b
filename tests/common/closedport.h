#pragma once
// A port of this machine on which nothing listens, for a request that must fail at once: one the
// test bound on 127.0.0.1 and closed again itself. A fixed low port can be a service of the
// machine (9 is a discard service on some), and the request would then wait or succeed.

#include <QHostAddress>
#include <QString>
#include <QTcpServer>

namespace closedport {

inline quint16 port()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

// "http://127.0.0.1:<port>", without a trailing slash; `scheme` for another one.
inline QString address(const QString& scheme = QStringLiteral("http"))
{
    return QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(port());
}

} // namespace closedport
