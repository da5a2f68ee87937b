// The update window and the about window with the sample program folder's skins, saved as
// pictures to look at. Runs only when XP_SCREENSHOT_DIR names a folder for them:
//
//   XP_SCREENSHOT_DIR=/tmp build-o/tests/test_app --gtest_filter='Screenshot.*'
//
// gives /tmp/frmupdata.png, /tmp/frmupdata_failed.png (after a check that reached nobody) and
// /tmp/frmabout.png (grabbed offscreen, nothing is sent anywhere).

#include "common/closedport.h"
#include "app/fonts.h"
#include "app/frmabout.h"
#include "app/frmupdata.h"
#include "app/moddata.h"
#include "app/modzcb.h"
#include "app/settingslist.h"
#include "home/frmfengmian.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <gtest/gtest.h>

TEST(Screenshot, UpdateAndAboutWindows)
{
    const QString out = qEnvironmentVariable("XP_SCREENSHOT_DIR");
    if (out.isEmpty())
        GTEST_SKIP() << "XP_SCREENSHOT_DIR not set";
    const QString program = QStringLiteral(XP_BUILD_DIR) + QStringLiteral("/program");
    if (!QFile::exists(program + QStringLiteral("/ver.txt")))
        GTEST_SKIP() << "the sample program folder is not built";
    platform::setProgramFolder(program);
    app::installFontSubstitutes();
    // A port of this machine where nobody listens: the advertisement fetch fails at once.
    ModZCB::setWebServiceAddress(closedport::address());

    // The settings as start-up reads them, without its first-run writes into the sample folder.
    ModData::resetAll();
    app::SettingsList settings = app::defaultSettings();
    app::applyNumberLines(settings, platform::readAllLines(program + QStringLiteral("/ver.txt")).value_or(QStringList()), 1);
    const app::ModuleInfo info = app::moduleInfo(settings);
    ModData::sKeMu = info.keMu;
    ModData::sProName = info.proName;
    ModData::sDataPath = program + u'/' + info.dataFolder + u'/';
    app::applyNumberLines(settings, platform::readAllLines(ModData::sDataPath + QStringLiteral("288901.mxy")).value_or(QStringList()), 0);
    app::trimSettings(settings);
    ModData::sSettings = settings;
    ModData::dScaleX = ModData::dScaleY = 1;
    ModData::sTkVer = platform::readLine1(ModData::sDataPath + QStringLiteral("288895.mxy")).text.trimmed();

    FrmUpdata& update = FrmUpdata::get();
    update.Show();
    EXPECT_TRUE(update.grab().save(QDir(out).filePath(QStringLiteral("frmupdata.png"))));
    // The check with nobody listening: the window says it failed.
    update.Timer1_Timer();
    EXPECT_TRUE(update.grab().save(QDir(out).filePath(QStringLiteral("frmupdata_failed.png"))));

    FrmFengmian::get().LblInfo[0].setCaption(QStringLiteral("   题库版本：V") + ModData::sTkVer);
    FrmAbout& about = FrmAbout::get();
    about.Show();
    EXPECT_TRUE(about.grab().save(QDir(out).filePath(QStringLiteral("frmabout.png"))));

    FrmUpdata::unloadIfLoaded();
    FrmAbout::unloadIfLoaded();
    FrmFengmian::unloadIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::setProgramFolder({});
    ModZCB::setWebServiceAddress({});
    ModData::resetAll();
}
