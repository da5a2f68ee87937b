#include "platform/httprequest.h"

#include "platform/networkaccess.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <algorithm>

namespace platform {

namespace {
// What the network thread reads ahead of the request: a server that sends faster than the body
// is taken waits, and an aborted reply has little to let go.
constexpr qint64 kReadAhead = 64 * 1024;
} // namespace

HttpRequest::HttpRequest(qint64 maxBodyBytes) : maxBody_(std::max<qint64>(0, maxBodyBytes)) {}

HttpRequest::~HttpRequest() { abort(); }

bool HttpRequest::send(const QString& url)
{
    abort();
    complete_ = failed_ = false;
    status_ = 0;
    body_.clear();
    const QUrl u(url, QUrl::TolerantMode);
    const QString scheme = u.scheme().toLower();
    if (!u.isValid() || u.host().isEmpty() || (scheme != u"http" && scheme != u"https"))
        return false;
    reply_ = getFresh(u, kReadAhead);
    connect(reply_, &QNetworkReply::metaDataChanged, this, &HttpRequest::onMetaData);
    connect(reply_, &QNetworkReply::readyRead, this, &HttpRequest::onReadyRead);
    connect(reply_, &QNetworkReply::finished, this, &HttpRequest::onFinished);
    return true;
}

// A body announced longer than the bound is not waited for.
void HttpRequest::onMetaData()
{
    if (reply_ && announcesMoreThan(*reply_, maxBody_))
        fail();
}

void HttpRequest::onReadyRead()
{
    if (!reply_)
        return;
    // Only the body of a 2xx reply is kept; any other is read away unkept.
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray bytes = reply_->readAll();
    if (status < 200 || status >= 300)
        return;
    if (bytes.size() > maxBody_ - body_.size()) {
        fail();
        return;
    }
    body_ += bytes;
}

void HttpRequest::onFinished()
{
    QNetworkReply* reply = reply_;
    if (!reply)
        return;
    onReadyRead(); // what is left
    if (!reply_)
        return; // too long: failed
    reply_ = nullptr;
    status_ = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::NoError && status_ >= 200 && status_ < 300)
        complete_ = true;
    else
        failed_ = true;
    if (failed_)
        body_.clear();
    reply->deleteLater();
    emit finished();
}

void HttpRequest::fail()
{
    status_ = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    abort();
    body_.clear();
    failed_ = true;
    emit finished();
}

void HttpRequest::abort()
{
    QNetworkReply* reply = reply_;
    if (!reply)
        return;
    reply_ = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

} // namespace platform
