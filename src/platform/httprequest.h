#pragma once
// An asynchronous HTTP GET: sent at once, it completes while the caller lets events run.
// Only a reply with a 2xx status counts as complete; a network failure or any other status
// leaves the request failed, and a failed request never completes. A reply whose body is longer
// than the request's bound fails as soon as that is known: no more of it is read or kept.
// Requests go through the program's one network access object (networkaccess.h).

#include <QByteArray>
#include <QObject>
#include <QString>

class QNetworkReply;

namespace platform {

class HttpRequest : public QObject {
    Q_OBJECT
public:
    // The longest body kept by default: the web service's answers are a few lines of text.
    static constexpr qint64 kDefaultMaxBody = qint64(1) << 20;

    explicit HttpRequest(qint64 maxBodyBytes = kDefaultMaxBody);
    ~HttpRequest() override;

    // Sends a GET of the address. False, with nothing sent, when the address is not an http or
    // https URL.
    bool send(const QString& url);

    bool isComplete() const { return complete_; } // a 2xx reply has fully arrived
    bool hasFailed() const { return failed_; }    // network failure, a status outside 2xx, too long
    int status() const { return status_; }        // HTTP status, 0 when none arrived
    const QByteArray& body() const { return body_; }

    // Stops waiting for the reply; nothing more arrives. Returns at once, whatever the server
    // goes on sending.
    void abort();

signals:
    void finished(); // complete or failed

private:
    void onMetaData();
    void onReadyRead();
    void onFinished();
    void fail();

    qint64 maxBody_;
    QNetworkReply* reply_ = nullptr;
    bool complete_ = false;
    bool failed_ = false;
    int status_ = 0;
    QByteArray body_;
};

} // namespace platform
