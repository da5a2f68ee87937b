// The mock-paper clock: once a minute it shows the minutes left and the elapsed-time bar, counts
// down, and hands the paper in when the time is up. Practice exercises stop it at its first tick.

#include "app/moddata.h"
#include "bank/exercise.h"
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
        // The first hand-in window FrmEnd1 opens here, modally, once it exists.
    }
}
