#include "platform/openurl.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

QString webLink(const QString& text)
{
    QString link = text.trimmed();
    if (link.startsWith(QStringLiteral("www."), Qt::CaseInsensitive))
        link.prepend(QStringLiteral("http://"));
    const QUrl u(link, QUrl::TolerantMode);
    const QString scheme = u.scheme().toLower();
    if (!u.isValid() || u.host().isEmpty() || (scheme != u"http" && scheme != u"https"))
        return {};
    return QString::fromLatin1(u.toEncoded());
}

bool isWebLink(const QString& text) { return !webLink(text).isEmpty(); }

bool openWebLink(const QString& text)
{
    const QString link = webLink(text);
    if (link.isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromEncoded(link.toLatin1(), QUrl::StrictMode));
}

} // namespace platform
