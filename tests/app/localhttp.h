#pragma once
// A small HTTP server on 127.0.0.1 inside the test process. It answers while the code under test
// waits in its own event loop, and remembers every request target it saw. A held server reads
// the requests but answers none until it is released: a server that is slow, for as long as a
// test needs, without any time involved.

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <utility>

class LocalHttp : public QObject {
public:
    explicit LocalHttp(int status = 200, QByteArray body = "ok") : status_(status), body_(std::move(body))
    {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection())
                serve(s);
        });
    }
    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }
    const QStringList& targets() const { return targets_; }

    void hold() { held_ = true; }
    // Answers every held request, and every later one at once.
    void release()
    {
        held_ = false;
        const QList<QTcpSocket*> waiting = std::exchange(waiting_, {});
        for (QTcpSocket* s : waiting)
            answer(s);
    }
    qsizetype heldCount() const { return waiting_.size(); }

    // A port of this machine on which nobody listens.
    static QString closedAddress()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        return QStringLiteral("http://127.0.0.1:%1").arg(port);
    }

private:
    void serve(QTcpSocket* s)
    {
        s->setParent(this);
        connect(s, &QTcpSocket::readyRead, s, [this, s] {
            pending_[s] += s->readAll();
            const QByteArray& got = pending_[s];
            if (!got.contains("\r\n\r\n"))
                return;
            targets_ << QString::fromLatin1(got.split(' ').value(1));
            pending_.remove(s);
            if (held_)
                waiting_ << s;
            else
                answer(s);
        });
        connect(s, &QTcpSocket::disconnected, this, [this, s] { waiting_.removeAll(s); });
    }

    void answer(QTcpSocket* s)
    {
        QByteArray reply = "HTTP/1.1 " + QByteArray::number(status_) + " X\r\nContent-Length: " +
                           QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_;
        s->write(reply);
        s->disconnectFromHost();
    }

    QTcpServer server_;
    int status_;
    QByteArray body_;
    QStringList targets_;
    QHash<QTcpSocket*, QByteArray> pending_;
    bool held_ = false;
    QList<QTcpSocket*> waiting_;
};
