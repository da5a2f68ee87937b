// The mock-paper clock and the demonstration starter. Once a minute the clock shows the minutes
// left and the elapsed-time bar, counts down, and hands the paper in when the time is up;
// practice exercises stop it at its first tick.

#include "app/moddata.h"
#include "bank/exercise.h"
#include "exam/frmend.h"
#include "exam/frmtm.h"
#include "exam/standardbox.h"
#include "toolkit/vb.h"

using namespace ModData;

void FrmTm::TimeKS_Timer()
{
    if (iLianXiType != bank::kind::FixedPaper && iLianXiType != bank::kind::RandomPaper) {
        TimeKS.setEnabled(false);
        return;
    }
    // The row shows the minutes as they were before this tick.
    LblTime.setCaption(QStringLiteral("剩余") + QString::number(iLeftMinutes) + QStringLiteral("分钟"));
    vb::attempt([&] {
        const float share = float(50 - iLeftMinutes) / 50.0f;
        LblTimeJD.setWidth(vb::roundHalfEven(float(PTime.Width()) * share));
    });
    vb::attempt([] { iLeftMinutes = vb::cint(iLeftMinutes - 1); });
    if (iLeftMinutes == 0) {
        exam::BoxRequest timeUp;
        timeUp.prompt = QStringLiteral("时间已到，自动交卷！");
        timeUp.title = sKeMu;
        exam::standardBox(timeUp);
        TimeKS.setEnabled(false);
        vb::attempt([] { FrmEnd1::get().Show(true); });
    }
}

// The demonstration starter: the demonstration comes up on the timer's second tick.
void FrmTm::TimStartYS_Timer()
{
    iStartYsTicks = qint16(iStartYsTicks + 1);
    if (iStartYsTicks < 2)
        return;
    iStartYsTicks = 0;
    TimStartYS.setEnabled(false);
    // Here the surface and the panel hide and the demonstration window FrmYanShi shows
    // (bYanShiOn stays true), once the demonstration window exists.
}
