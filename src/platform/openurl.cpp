#include "platform/openurl.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

bool isWebLink(const QString& url)
{
    const QUrl u(url.trimmed(), QUrl::StrictMode);
    if (!u.isValid() || u.host().isEmpty())
        return false;
    const QString scheme = u.scheme().toLower();
    return scheme == u"http" || scheme == u"https";
}

bool openWebLink(const QString& url)
{
    if (!isWebLink(url))
        return false;
    return QDesktopServices::openUrl(QUrl(url.trimmed(), QUrl::StrictMode));
}

} // namespace platform
