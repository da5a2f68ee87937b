#include "app/startup.h"

#include "app/moddata.h"
#include "app/modzcb.h"
#include "app/settingslist.h"
#include "platform/filelookup.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "toolkit/vb.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace app {

namespace {

const QString kTag = QStringLiteral("readInfo");

void report(const vb::Error& e) { vb::report(kTag, e.number(), e.text()); }

// A file of the program's folders, found ignoring letter case; the path as written otherwise.
QString lookup(const QString& path)
{
    return platform::findFile(path).value_or(path);
}

// Lays one number-encoded file over the list. A file that cannot be read, or the first fault in
// it, is reported; one report per file at the most.
void layFile(SettingsList& settings, const QString& path, int firstEntry)
{
    const platform::LinesRead read = platform::readLines(path, platform::kProgramFileBytes);
    if (!read.read()) {
        report(vb::Error(vb::notReadError(read.status == platform::ReadStatus::Missing)));
        return;
    }
    if (const auto fault = applyNumberLines(settings, read.lines, firstEntry))
        report(*fault);
}

void writeInstallValues()
{
    const InstallValueNames names = installValueNames(ModData::iProNo);
    const QString key = QStringLiteral("Software\\") + ModData::sSettings(15);
    const QString programName =
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    // The results are not looked at: a failed write is no reason to ask again at every start.
    QVariant path = platform::programFolder() + QString(72, u'*');
    long length = 0;
    vb::attempt([&] {
        ModZCB::regWriteValue(ModZCB::HKEY_CURRENT_USER_ROOT, key, names.path, 1, path, length);
    });
    QVariant name = programName + QString(36, u'*');
    length = 0;
    vb::attempt([&] {
        ModZCB::regWriteValue(ModZCB::HKEY_CURRENT_USER_ROOT, key, names.name, 1, name, length);
    });
}

void firstRun()
{
    const QString flag = lookup(ModData::sDataPath + QStringLiteral("288892.mxy"));
    const platform::LineRead line = platform::readLine1(flag);
    if (!line.readable()) {
        report(vb::Error(vb::ErrFileNotFound));
        return;
    }
    if (!line.exists || line.text != u"0")
        return;
    writeInstallValues();
    if (!platform::writeWholeFile(flag, QStringLiteral("1\r\n")))
        report(vb::Error(vb::ErrPermission));
}

} // namespace

void readInfo()
{
    SettingsList settings = defaultSettings();
    layFile(settings, platform::programPath(QStringLiteral("ver.txt")), 1);

    // What comes from the module description, before the override can change the list.
    const ModuleInfo info = moduleInfo(settings);
    vb::ErrorTrap trap(kTag);
    trap([&] { ModData::iProNo = vb::cint(vb::val(settings(4))); });
    ModData::sKeMu = info.keMu;
    ModData::sProName = info.proName;
    ModData::sDataPath = platform::programFolder() + u'/' + info.dataFolder + u'/';
    for (int u = 0; u <= 20; ++u)
        ModData::sDanYuan(u, 1) = info.unitNames.at(u);

    layFile(settings, ModData::sDataPath + QStringLiteral("288901.mxy"), 0);
    trimSettings(settings);
    ModData::sSettings = settings;

    setProgramTitle(app::programTitle(ModData::sSettings, ModData::sKeMu));

    firstRun();
}

namespace {
QString& title()
{
    static QString text;
    return text;
}
} // namespace

// Kept apart from the application's display name, which the window system would add to every
// window's caption.
QString programTitle() { return title(); }
void setProgramTitle(const QString& text) { title() = text; }

QString runLogPath(const QDateTime& when)
{
    return platform::programFolder() + QStringLiteral("/ksdata/") +
           vb::format(when, QStringLiteral("YYYYMMDDHHMMSS")) + QStringLiteral(".txt");
}

} // namespace app
