#include "app/frmstart.h"

#include "app/moddata.h"
#include "app/startup.h"
#include "home/frmfengmian.h"
#include "platform/osversion.h"
#include "platform/programfolder.h"
#include "platform/screenmetrics.h"
#include "platform/singleinstance.h"
#include "platform/waits.h"
#include "platform/windowpos.h"
#include "toolkit/vb.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

std::function<void()>& endProgram()
{
    static std::function<void()> end;
    return end;
}

// Held for the whole run once taken.
std::unique_ptr<platform::SingleInstance>& instanceLock()
{
    static std::unique_ptr<platform::SingleInstance> lock;
    return lock;
}

bool previousInstance()
{
    if (!instanceLock())
        instanceLock() = std::make_unique<platform::SingleInstance>(platform::programFolder());
    return instanceLock()->previousInstance();
}

QString skin(const QString& name) { return ModData::sDataPath + name + QStringLiteral(".mxy"); }

} // namespace

namespace app {

QString alreadyRunningText()
{
    return QStringLiteral(
        "考试练习系统已在运行。如果你没有找到，请关闭其它窗口和程序，或者注销或重启。");
}

void showAlreadyRunning()
{
    platform::MessageBox box(QMessageBox::Information, QStringLiteral("系统提示"), alreadyRunningText(),
                             QMessageBox::Ok);
    if (QGuiApplication::platformName() == u"offscreen") {
        std::fprintf(stderr, "%s\n", alreadyRunningText().toLocal8Bit().constData());
        std::fflush(stderr);
        QTimer::singleShot(0, &box, &QMessageBox::accept);
    }
    platform::enteringWait(platform::WaitKind::StandardBox);
    box.exec();
}

} // namespace app

FrmStart::FrmStart()
{
    setBorderless();
    Label1.setBackStyle(0);
    Label1.setForeColor(0xFFFFFF);
    Label1.setAutoSize(true);
    Label1.setFontName(QStringLiteral("宋体"));
    Label1.setCaption(QStringLiteral("正在启动软件，请稍候..."));
    Timer1.onTimer = [this] { Timer1_Timer(); };
}

void FrmStart::setEndProgramForTests(std::function<void()> end) { endProgram() = std::move(end); }

void FrmStart::releaseInstanceLockForTests() { instanceLock().reset(); }

void FrmStart::Form_Load()
{
    // A second copy says so and ends before it reads or writes anything.
    if (previousInstance()) {
        app::showAlreadyRunning();
        if (endProgram()) {
            endProgram()();
            return;
        }
        std::fflush(nullptr);
        std::_Exit(0);
    }

    const vb::ErrorTrap trap(QStringLiteral("startload"));
    trap([&] { readInfo(); });
    trap([&] {
        ModData::dScaleX = platform::twipsPerPixelX() / 15.0;
        ModData::dScaleY = platform::twipsPerPixelY() / 15.0;
    });
    const double sx = ModData::dScaleX;
    const double sy = ModData::dScaleY;
    trap([&] { setWidth(6000 * sx); });
    trap([&] { setHeight(3000 * sy); });
    trap([&] { loadPicture(skin(QStringLiteral("l20059"))); });
    trap([&] { Label1.setTop(2160 * sy); });
    trap([&] {
        Label1.setCaption(QStringLiteral("正在启动") + ModData::sProName +
                          QStringLiteral("，请稍候..."));
    });
    trap([&] { Label1.setFontSize(11 * sx); });
    trap([&] { Label1.setLeft((Width() - Label1.Width()) / 2); });
    ModData::iLianXiSub = 0;
    ModData::bYanShiOn = false;
    trap([&] { ModData::sKsName = ModData::sSettings(8); });
    trap([&] { loadIcon(skin(QStringLiteral("l62011"))); });
    setCaption(QStringLiteral("模拟考试练习系统"));
    ModData::sOsVer = GetOSVersionOF();
    // Centred on the screen when it first shows.
    trap([&] {
        const QSize screen = platform::screenSizeTwips();
        Move((screen.width() - Width()) / 2, (screen.height() - Height()) / 2);
    });
    handOverPending_ = true;
    Timer1.setEnabled(true);
}

// Closed before its timer handed over, the program would run on with no window at all, holding
// its single-instance lock, so that every new start is refused: the hand-over goes on instead.
void FrmStart::Form_QueryUnload(int& cancel, int unloadMode)
{
    if (unloadMode == FromControlMenu)
        cancel = 1;
}

void FrmStart::readInfo() { app::readInfo(); }

QString FrmStart::GetOSVersionOF() { return platform::osVersion(); }

void FrmStart::Timer1_Timer()
{
    if (!handOverPending_)
        return;
    handOverPending_ = false;
    Timer1.setEnabled(false);
    UpdataExe();
}

void FrmStart::UpdataExe()
{
    vb::attempt([] { FrmFengmian::get().Show(); });
    vb::attempt([] { ModData::sErrLogFile = app::runLogPath(vb::now()); });
    ModData::iUpdataShow = 0;
    vb::attempt([this] { unload(); });
}
