#pragma once
// Program folders of the start and update tests, laid out in a test's temporary folder.

#include "app/moddata.h"
#include "app/modzcb.h"
#include "platform/programfolder.h"
#include "platform/settingsstore.h"
#include "platform/textfile.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace programfolders {

// "XP操作" as a number-encoded line.
inline const QString kDisplayName = QStringLiteral("500088500080180249189751");

// What the start window reads: ver.txt naming the data folder "data", its first files, the user
// folder, a settings store of its own; the web service at `address`.
inline void layStartFolder(const QTemporaryDir& dir, const QString& address)
{
    QDir(dir.path()).mkdir(QStringLiteral("data"));
    QDir(dir.path()).mkdir(QStringLiteral("ksdata"));
    platform::writeWholeFile(dir.filePath(QStringLiteral("ver.txt")),
                             QStringLiteral("500088500080\r\n") + kDisplayName +
                                 QStringLiteral("\r\n500100500097500116500097\r\n500053\r\n"));
    platform::writeWholeFile(dir.filePath(QStringLiteral("data/288901.mxy")), QString());
    platform::writeWholeFile(dir.filePath(QStringLiteral("data/288892.mxy")), QStringLiteral("1\r\n"));
    platform::setProgramFolder(dir.path());
    platform::registry::setStoreFile(dir.filePath(QStringLiteral("registry.ini")));
    ModZCB::setWebServiceAddress(address);
    ModData::resetAll();
}

// What the update window reads: the three folders, the program's names and bank version, an
// advertisement line; the web service at `address`.
inline void layUpdateFolder(const QTemporaryDir& dir, const QString& address)
{
    for (const char* sub : {"xpdata", "ksdata", "examdata"})
        QDir(dir.path()).mkdir(QLatin1String(sub));
    platform::setProgramFolder(dir.path());
    ModData::resetAll();
    ModData::sDataPath = dir.path() + QStringLiteral("/xpdata/");
    ModData::sKeMu = QStringLiteral("Windows XP");
    ModData::sProName = QStringLiteral("XP操作");
    ModData::sTkVer = QStringLiteral("202601010000");
    ModData::sSettings(12) = QStringLiteral("ad x");
    ModData::dScaleX = ModData::dScaleY = 1;
    ModZCB::setWebServiceAddress(address);
}

} // namespace programfolders
