#pragma once
// An HTTP server on 127.0.0.1 inside the test process that answers by request path: each path
// has its own status and body, any other path gets 404. It answers while the code under test
// waits in its own event loop, and keeps every request path in the order they came.
//
//   RoutedHttp server;
//   server.route("/up/ad/x/170100.rar", "AD");
//   server.cut("/big.rar", "half");      // announces more bytes than it sends, then hangs up
//   server.stall("/slow.rar");           // reads the request and never answers
//   server.redirect("/old.rar", other.address() + "/new.rar");  // 302 with that Location
//   server.address() + "/up/ad/x/170100.rar"

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

class RoutedHttp : public QObject {
public:
    RoutedHttp()
    {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection())
                serve(s);
        });
    }

    void route(const QString& path, const QByteArray& body, int status = 200)
    {
        routes_[path] = Route{status, body, Kind::Whole, {}};
    }
    void cut(const QString& path, const QByteArray& firstBytes)
    {
        routes_[path] = Route{200, firstBytes, Kind::Cut, {}};
    }
    void stall(const QString& path) { routes_[path] = Route{200, {}, Kind::Stall, {}}; }
    void redirect(const QString& path, const QString& location, int status = 302)
    {
        routes_[path] = Route{status, "moved", Kind::Whole, location.toUtf8()};
    }

    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }
    const QStringList& targets() const { return targets_; }
    void clearTargets() { targets_.clear(); }

private:
    enum class Kind { Whole, Cut, Stall };
    struct Route {
        int status = 404;
        QByteArray body = "not found";
        Kind kind = Kind::Whole;
        QByteArray location;
    };

    void serve(QTcpSocket* s)
    {
        s->setParent(this);
        connect(s, &QTcpSocket::readyRead, s, [this, s] {
            pending_[s] += s->readAll();
            const QByteArray got = pending_[s];
            if (!got.contains("\r\n\r\n"))
                return;
            pending_.remove(s);
            const QString target = QString::fromLatin1(got.split(' ').value(1));
            targets_ << target;
            const Route r = routes_.value(target, Route{});
            if (r.kind == Kind::Stall)
                return;
            const qsizetype announced = r.kind == Kind::Cut ? r.body.size() + 1000 : r.body.size();
            const QByteArray location = r.location.isEmpty() ? QByteArray() : "Location: " + r.location + "\r\n";
            s->write("HTTP/1.1 " + QByteArray::number(r.status) + " X\r\n" + location + "Content-Length: " +
                     QByteArray::number(announced) + "\r\nConnection: close\r\n\r\n" + r.body);
            s->disconnectFromHost();
        });
    }

    QTcpServer server_;
    QHash<QString, Route> routes_;
    QStringList targets_;
    QHash<QTcpSocket*, QByteArray> pending_;
};
