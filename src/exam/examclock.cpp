// The mock-paper clock and the demonstration start. Once a minute the clock shows the minutes
// left and the elapsed-time bar, counts down, and hands the paper in when the time is up;
// practice exercises stop it at its first tick.

#include "app/moddata.h"
#include "bank/exercise.h"
#include "demo/frmyanshi.h"
#include "exam/frmend.h"
#include "exam/frmpicture.h"
#include "exam/frmtm.h"
#include "exam/paperflow.h"
#include "exam/questionshow.h"
#include "exam/standardbox.h"
#include "platform/textfile.h"
#include "surface/frmmain.h"
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
        // The box waited with the program's other events running, and a handler goes on after a
        // wait holding nothing from before it: a paper that is over by now stays over, and no
        // hand-in window comes up over its score. Nothing hands a paper in inside this box today
        // (the box blocks the hand-in windows' buttons and the window manager's close of every
        // window, and the clock does not tick again inside its own tick), but the final hand-in
        // closes every standard box still open for such a case, and this box is one of them.
        if (paperflow::paperOver())
            return;
        // A hand-in window already open (from the hand-in button) cannot open again, and going
        // back from it would go on without a clock: the paper is handed in now.
        if (FrmEnd1::isLoaded() || FrmEnd2::isLoaded())
            exam::finalHandIn();
        else
            vb::attempt([] { FrmEnd1::get().Show(true); });
    }
}

// The demonstration of the current question: the question text is put as the demonstration's
// note takes it ("|" kept), and the demonstration comes up on the starter's second tick.
void FrmTm::startDemo()
{
    exam::hidePicture(Image2);
    bYanShiOn = true;
    // The question's line, read as the question display reads it.
    vb::attempt([] {
        const platform::LineRead r = iTmNo >= 1 ? platform::readLineN(sTmTextFile, iTmNo)
                                                : platform::LineRead{};
        sTmLine = r.exists ? r.text : QString();
    });
    const exam::QuestionText q = exam::questionText(sTmLine);
    RtbTM.setText(vb::mid(sTmLine, 7));
    Image2.hide();
    if (q.isPicture) {
        vb::attempt([&] { FrmPicture::get().Image1.loadPicture(sDataPath + q.pictureName + QStringLiteral(".mxy")); });
        Image2.setCaption(QString::fromUtf8(exam::kShowPicture));
        RtbTM.setText(q.text);
        Image2.show();
    }
    bYanShiOn = true;
    TimStartYS.setEnabled(true);
}

void FrmTm::TimStartYS_Timer()
{
    if (paperflow::paperOver()) { // handed in before the demonstration came up
        TimStartYS.setEnabled(false);
        bYanShiOn = false;
        return;
    }
    iStartYsTicks = qint16(iStartYsTicks + 1);
    if (iStartYsTicks < 2)
        return;
    iStartYsTicks = 0;
    TimStartYS.setEnabled(false);
    vb::attempt([] { FrmMain::get().Hide(); });
    Hide();
    vb::attempt([] { FrmYanShi::get().Show(); });
    bYanShiOn = true;
}
