#include "platform/updaterstart.h"

#include "platform/filelookup.h"
#include "platform/programfolder.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace platform {

namespace {

std::function<bool(const QString&)>& updaterStart()
{
    static std::function<bool(const QString&)> start;
    return start;
}

std::function<bool(const QString&)>& folderOpen()
{
    static std::function<bool(const QString&)> open;
    return open;
}

} // namespace

QString updaterFileName() { return QStringLiteral("kvitpk.rar"); }

bool startUpdater()
{
    const auto path = findInFolder(programFolder(), updaterFileName());
    if (updaterStart())
        return updaterStart()(path.value_or(joinPath(programFolder(), updaterFileName())));
    if (!path)
        return false;
    return QProcess::startDetached(*path, {}, programFolder());
}

bool openFolder(const QString& folder)
{
    if (folderOpen())
        return folderOpen()(folder);
    if (!QFileInfo(folder).isDir())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void setUpdaterStartForTests(std::function<bool(const QString&)> start)
{
    updaterStart() = std::move(start);
}

void setOpenFolderForTests(std::function<bool(const QString&)> open)
{
    folderOpen() = std::move(open);
}

} // namespace platform
