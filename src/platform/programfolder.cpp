#include "platform/programfolder.h"

#include "platform/filelookup.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform {

namespace {
QString& overrideSlot()
{
    static QString folder;
    return folder;
}

QString withoutTrailingSlash(QString f)
{
    f.replace(u'\\', u'/');
    while (f.size() > 1 && f.endsWith(u'/'))
        f.chop(1);
    return f;
}
} // namespace

QString programFolder()
{
    if (!overrideSlot().isEmpty())
        return overrideSlot();
    if (QCoreApplication::instance())
        return withoutTrailingSlash(QCoreApplication::applicationDirPath());
    // No application object yet: the folder of the running program file itself.
    return withoutTrailingSlash(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()
                                    .section(u'/', 0, -2));
}

void setProgramFolder(const QString& folder) { overrideSlot() = withoutTrailingSlash(folder); }

QString programPath(const QString& relative) { return joinPath(programFolder(), relative); }

} // namespace platform
