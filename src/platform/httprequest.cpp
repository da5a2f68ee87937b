#include "platform/httprequest.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace platform {

HttpRequest::HttpRequest() : manager_(std::make_unique<QNetworkAccessManager>()) {}

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
    // This machine is never reached through a proxy.
    const QHostAddress host(u.host());
    if (u.host().compare(u"localhost", Qt::CaseInsensitive) == 0 || host.isLoopback())
        manager_->setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(u);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    reply_ = manager_->get(request);
    connect(reply_, &QNetworkReply::finished, this, &HttpRequest::onFinished);
    return true;
}

void HttpRequest::onFinished()
{
    QNetworkReply* reply = reply_;
    if (!reply)
        return;
    reply_ = nullptr;
    status_ = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::NoError && status_ >= 200 && status_ < 300) {
        body_ = reply->readAll();
        complete_ = true;
    } else {
        failed_ = true;
    }
    reply->deleteLater();
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
