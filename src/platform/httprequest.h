#pragma once
// An asynchronous HTTP GET: sent at once, it completes while the caller lets events run.
// Only a reply with a 2xx status counts as complete; a network failure or any other status
// leaves the request failed, and a failed request never completes.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace platform {

class HttpRequest : public QObject {
    Q_OBJECT
public:
    HttpRequest();
    ~HttpRequest() override;

    // Sends a GET of the address. False, with nothing sent, when the address is not an http or
    // https URL.
    bool send(const QString& url);

    bool isComplete() const { return complete_; } // a 2xx reply has fully arrived
    bool hasFailed() const { return failed_; }    // network failure or a status outside 2xx
    int status() const { return status_; }        // HTTP status, 0 when none arrived
    const QByteArray& body() const { return body_; }

    // Stops waiting for the reply; nothing more arrives.
    void abort();

signals:
    void finished(); // complete or failed

private:
    void onFinished();

    std::unique_ptr<QNetworkAccessManager> manager_;
    QNetworkReply* reply_ = nullptr;
    bool complete_ = false;
    bool failed_ = false;
    int status_ = 0;
    QByteArray body_;
};

} // namespace platform
