#include "platform/osversion.h"

#include <QRegularExpression>
#include <sys/utsname.h>

namespace platform {

QString majorMinorOf(const QString& release)
{
    static const QRegularExpression re(QStringLiteral("^(\\d+)\\.(\\d+)"));
    const auto m = re.match(release);
    if (!m.hasMatch())
        return QStringLiteral("Unknown");
    bool okMajor = false, okMinor = false;
    const qulonglong major = m.captured(1).toULongLong(&okMajor);
    const qulonglong minor = m.captured(2).toULongLong(&okMinor);
    if (!okMajor || !okMinor)
        return QStringLiteral("Unknown");
    return QString::number(major) + u'.' + QString::number(minor);
}

QString osVersion()
{
    struct utsname u {};
    if (uname(&u) != 0)
        return QStringLiteral("Unknown");
    return majorMinorOf(QString::fromLocal8Bit(u.release));
}

} // namespace platform
