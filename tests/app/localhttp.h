#pragma once
// A small HTTP server on 127.0.0.1 inside the test process. It answers while the code under test
// waits in its own event loop, and remembers every request target it saw. A held server reads
// the requests but answers none until it is released: a server that is slow, for as long as a
// test needs, without any time involved. A streaming server answers with a body of filler bytes
// sent for as long as the client takes them (a service that keeps sending, or a huge answer),
// and stops by itself at the end of that body or when the client hangs up.
//
// LocalHttpThread runs one on a thread of its own: it goes on answering while the test's thread
// is blocked, as a service elsewhere would.

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QSemaphore>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
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

    // Answers with `length` filler bytes in place of the body: `chunk` bytes each time the client
    // has taken the last ones, or, with everyMs, one chunk every everyMs milliseconds (a slow
    // service). The length is announced unless `announced` is false; the connection is closed at
    // the end.
    void stream(qint64 length, bool announced = true, qint64 chunk = 64 * 1024, int everyMs = 0)
    {
        streamLength_ = length;
        announced_ = announced;
        chunk_ = std::max<qint64>(1, chunk);
        everyMs_ = everyMs;
    }
    // Bytes of streamed bodies written so far, on every connection.
    qint64 streamedBytes() const { return streamed_; }

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
        if (streamLength_ >= 0) {
            QByteArray head = "HTTP/1.1 " + QByteArray::number(status_) + " X\r\n";
            if (announced_)
                head += "Content-Length: " + QByteArray::number(streamLength_) + "\r\n";
            s->write(head + "Connection: close\r\n\r\n");
            auto left = std::make_shared<qint64>(streamLength_);
            if (everyMs_ > 0) {
                auto* tick = new QTimer(s);
                connect(tick, &QTimer::timeout, s, [this, s, left] { pump(s, *left); });
                tick->start(everyMs_);
            } else {
                connect(s, &QTcpSocket::bytesWritten, s, [this, s, left] { pump(s, *left); });
            }
            pump(s, *left);
            return;
        }
        QByteArray reply = "HTTP/1.1 " + QByteArray::number(status_) + " X\r\nContent-Length: " +
                           QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_;
        s->write(reply);
        s->disconnectFromHost();
    }

    // One more chunk once the last one has gone.
    void pump(QTcpSocket* s, qint64& left)
    {
        if (s->state() != QAbstractSocket::ConnectedState)
            return;
        if (left > 0 && s->bytesToWrite() <= chunk_) {
            const qint64 n = std::min(left, chunk_);
            s->write(QByteArray(n, 'x'));
            left -= n;
            streamed_ += n;
        }
        if (left == 0 && s->bytesToWrite() == 0)
            s->disconnectFromHost();
    }

    QTcpServer server_;
    qint64 streamLength_ = -1;
    bool announced_ = true;
    qint64 chunk_ = 64 * 1024;
    int everyMs_ = 0;
    std::atomic<qint64> streamed_{0}; // read from other threads
    int status_;
    QByteArray body_;
    QStringList targets_;
    QHash<QTcpSocket*, QByteArray> pending_;
    bool held_ = false;
    QList<QTcpSocket*> waiting_;
};

class LocalHttpThread : public QThread {
public:
    // setup configures the server on its thread before anything can reach it.
    explicit LocalHttpThread(std::function<void(LocalHttp&)> setup = {}) : setup_(std::move(setup))
    {
        start();
        ready_.acquire();
    }
    ~LocalHttpThread() override
    {
        quit();
        wait();
    }
    QString address() const { return address_; }
    qint64 streamedBytes() const
    {
        const LocalHttp* s = server_;
        return s ? s->streamedBytes() : 0;
    }

private:
    void run() override
    {
        LocalHttp server;
        if (setup_)
            setup_(server);
        address_ = server.address();
        server_ = &server;
        ready_.release();
        exec();
        server_ = nullptr;
    }

    std::function<void(LocalHttp&)> setup_;
    std::atomic<LocalHttp*> server_{nullptr};
    QString address_;
    QSemaphore ready_;
};
