#include "app/programfolders.h"
#include "app/frmstart.h"
#include "app/moddata.h"
#include "app/modzcb.h"
#include "home/frmfengmian.h"
#include "localhttp.h"
#include "platform/programfolder.h"
#include "platform/settingsstore.h"
#include "platform/textfile.h"
#include "reportspy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using programfolders::kDisplayName;

class StartWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        programfolders::layStartFolder(dir, server.address());
        ModData::iUpdataShow = 1;
        ModData::iLianXiSub = 7;
        ModData::bYanShiOn = true;
    }
    void TearDown() override
    {
        FrmStart::unloadIfLoaded();
        FrmFengmian::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::setProgramFolder({});
        platform::registry::setStoreFile({});
        ModZCB::setWebServiceAddress({});
        vb::setClock({});
        ModData::resetAll();
    }
    QTemporaryDir dir;
    LocalHttp server;
};

} // namespace

TEST_F(StartWindow, LoadLaysOutTheSplashAndArmsTheHandOver)
{
    ReportSpy spy;
    FrmStart& start = FrmStart::get();

    EXPECT_EQ(start.Width(), 6000);
    EXPECT_EQ(start.Height(), 3000);
    EXPECT_EQ(start.Caption(), QStringLiteral("模拟考试练习系统"));
    EXPECT_EQ(start.Label1.Caption(), QStringLiteral("正在启动XP操作，请稍候..."));
    EXPECT_EQ(start.Label1.Top(), 2160);
    EXPECT_NEAR(start.Label1.Left(), (6000 - start.Label1.Width()) / 2, 15);
    EXPECT_EQ(ModData::sProName, QStringLiteral("XP操作"));
    EXPECT_EQ(ModData::sDataPath, dir.path() + QStringLiteral("/data/"));
    EXPECT_EQ(ModData::dScaleX, 1.0);
    EXPECT_EQ(ModData::sKsName, ModData::sSettings(8));
    EXPECT_FALSE(ModData::sOsVer.isEmpty());
    EXPECT_EQ(ModData::iLianXiSub, 0);
    EXPECT_FALSE(ModData::bYanShiOn);
    EXPECT_TRUE(ModData::sErrLogFile.isEmpty());
    EXPECT_TRUE(start.handOverPending());
    EXPECT_TRUE(start.Timer1.Enabled());
    // Only the missing skin pictures were reported; every file was read.
    for (const QString& r : spy.reports)
        EXPECT_TRUE(r == u"startload:53") << r.toStdString();
}

TEST_F(StartWindow, HandOverRunsOnceAndNamesTheRunLog)
{
    FrmStart& start = FrmStart::get();
    vb::setClock([] { return QDateTime(QDate(2026, 12, 10), QTime(9, 8, 7)); });

    start.Timer1_Timer();
    EXPECT_TRUE(FrmFengmian::isLoaded());
    EXPECT_TRUE(FrmFengmian::get().isVisible());
    EXPECT_EQ(ModData::sErrLogFile, dir.path() + QStringLiteral("/ksdata/20261210090807.txt"));
    EXPECT_EQ(ModData::iUpdataShow, 0);
    EXPECT_FALSE(FrmStart::isLoaded());
    EXPECT_FALSE(start.Timer1.Enabled());

    // A second tick does nothing.
    FrmFengmian::get().Hide();
    ModData::sErrLogFile.clear();
    start.Timer1_Timer();
    EXPECT_FALSE(FrmFengmian::get().isVisible());
    EXPECT_TRUE(ModData::sErrLogFile.isEmpty());
}

// Closed from the window system between its show and its timer, the start window stays and
// hands over as usual: the program never runs on with no window.
TEST_F(StartWindow, ACloseBeforeTheHandOverIsRefusedAndTheHandOverComes)
{
    FrmStart& start = FrmStart::get();
    start.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&start));
    start.windowHandle()->close();
    EXPECT_TRUE(FrmStart::isLoaded());
    EXPECT_TRUE(start.isVisible());

    EXPECT_TRUE(start.Timer1.fire());
    ASSERT_TRUE(FrmFengmian::isLoaded());
    EXPECT_TRUE(FrmFengmian::get().isVisible());
    EXPECT_FALSE(FrmStart::isLoaded());
}

// Two real processes of the program in one program folder.
namespace {

// Whether a process holds a lock on a folder, as the system lists it (read only: a lock taken
// here to find out would stand in the first copy's way).
bool holdsLockOn(qint64 pid, const QString& folder)
{
    struct stat st {};
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0)
        return false;
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return false;
    const QString inode = QStringLiteral(":%1").arg(qulonglong(st.st_ino));
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QStringList f = QString::fromLatin1(line).simplified().split(u' ');
        // "1: FLOCK  ADVISORY  WRITE 4711 fd:01:123456 0 EOF"
        if (f.size() >= 6 && f.at(4) == QString::number(pid) && f.at(5).endsWith(inode))
            return true;
    }
    return false;
}

} // namespace

TEST(SecondInstance, ShowsTheMessageAndEndsWhileTheFirstRunsOn)
{
    const QString built = QStringLiteral(XP_BUILD_DIR "/program/xpprac");
    if (!QFile::exists(built))
        GTEST_SKIP() << "the program is not built";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString exe = folder.filePath(QStringLiteral("xpprac"));
    ASSERT_TRUE(QFile::copy(built, exe));
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(exe, {});
    ASSERT_TRUE(first.waitForStarted());
    // Waits on a busy machine as long as it takes; the test's own time limit ends a hang.
    ASSERT_TRUE(QTest::qWaitFor([&] { return holdsLockOn(first.processId(), folder.path()); }, 240000));

    auto listing = [&] {
        QStringList out;
        for (const QFileInfo& f : QDir(folder.path()).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            out << f.fileName() + u' ' + QString::number(f.size()) + u' ' +
                       f.lastModified().toString(Qt::ISODateWithMs);
        return out;
    };
    const QStringList before = listing();

    // The second copy comes with another environment: another runtime and temporary folder.
    QTemporaryDir otherRuntime, otherTemp;
    QProcessEnvironment otherEnv = env;
    otherEnv.insert(QStringLiteral("XDG_RUNTIME_DIR"), otherRuntime.path());
    otherEnv.insert(QStringLiteral("TMPDIR"), otherTemp.path());
    QProcess second;
    second.setProcessEnvironment(otherEnv);
    second.start(exe, {});
    ASSERT_TRUE(second.waitForFinished(-1));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(QString::fromLocal8Bit(second.readAllStandardError()).contains(app::alreadyRunningText()));

    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(listing(), before);
    first.kill();
    first.waitForFinished();
}
