#include "exam/frmend.h"

#include "app/moddata.h"
#include "demo/frmyanshi.h"
#include "exam/frmchengji.h"
#include "exam/frmczts.h"
#include "exam/frmime.h"
#include "exam/frmpicture.h"
#include "exam/frmtm.h"
#include "exam/paperflow.h"
#include "exam/standardbox.h"
#include "platform/screenmetrics.h"
#include "surface/frmmain.h"
#include "toolkit/vb.h"

using namespace ModData;
using paperflow::dataPicture;
using paperflow::step;

namespace {

constexpr int kBackColour = 0xD8E9EB;
constexpr int kWidth = 4410; // twips, not scaled
constexpr int kHeight = 2670;

const QString kCrLf = QStringLiteral("\r\n");

// The design both windows have: a fixed frame with a caption and no window buttons.
void design(tk::Form& form, tk::Frame& frame, tk::Label& message, tavoButton& confirm, tavoButton& back)
{
    form.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::MSWindowsFixedSizeDialogHint);
    form.setCaption(QStringLiteral("重要提示"));
    form.setBackColor(kBackColour);
    form.Move(0, 0, kWidth, kHeight);
    form.setFixedSize(form.size());

    frame.Move(90, 60, 4215, 1935);
    frame.setBackColor(kBackColour);
    message.Move(150, 240, 3855, 1575);
    message.setBackColor(kBackColour);
    message.setForeColor(0xFF);
    message.setBorderStyle(1);
    message.setFontName(QStringLiteral("宋体"));
    message.setFontSize(15);
    message.setFontBold(true);
    confirm.Move(600, 2160);
    back.Move(2400, 2160);
}

// The load set-up after the message.
void layOut(tk::Form& form, tavoButton& confirm, tavoButton& back)
{
    step([&] { form.loadIcon(dataPicture("l62011")); });
    // Topmost like the panel and the hint window, and shown after them: above both.
    step([&] { form.setTopmost(true); });
    step([&] { confirm.setWidth(1320 * dScaleX); });
    step([&] { confirm.setHeight(420 * dScaleY); });
    step([&] { back.setWidth(confirm.Width()); });
    step([&] { back.setHeight(confirm.Height()); });
    step([&] { confirm.loadPicture(dataPicture("l01041")); });
    step([&] { back.loadPicture(dataPicture("l01042")); });
    step([&] {
        const QSize screen = platform::screenSizeTwips();
        form.Move((screen.width() - form.Width()) / 2, (screen.height() - form.Height()) / 2);
    });
}

// Back to the paper: the dialog goes, the panel comes back docked at the surface's bottom-right
// corner (the hand-in button left it at the screen's corner, hidden).
void backToPaper(tk::Form& dialog)
{
    dialog.unload();
    step(paperflow::dockPanel);
    step([] { FrmTm::get().Show(); });
}

} // namespace

// ---- FrmEnd1 -----------------------------------------------------------------------------------

FrmEnd1::FrmEnd1()
{
    design(*this, Frame1, Label1, Command1, Command2);
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
}

bool FrmEnd1::needsWarning()
{
    for (int q = 1; q <= 40; ++q) {
        const int flags = iTmFlags(q);
        if (flags % 2 == 0 || flags == 3 || flags == 7)
            return true;
    }
    return false;
}

QString FrmEnd1::message(bool warning)
{
    const QString ask = QStringLiteral("您是否确定交卷?");
    return warning ? QStringLiteral("您还有题目未做或仍处于标识状态！") + kCrLf + kCrLf + ask : kCrLf + ask;
}

void FrmEnd1::Form_Load()
{
    step([&] { Label1.setCaption(message(needsWarning())); });
    layOut(*this, Command1, Command2);
}

void FrmEnd1::Form_QueryUnload(int& cancel, int unloadMode)
{
    if (unloadMode == FromControlMenu)
        cancel = -1;
}

void FrmEnd1::Command1_Click()
{
    // The first dialog goes before the second opens; whoever opened it waits for both.
    unload();
    step([] { FrmEnd2::get().Show(true); });
}

void FrmEnd1::Command2_Click() { backToPaper(*this); }

// ---- FrmEnd2 -----------------------------------------------------------------------------------

FrmEnd2::FrmEnd2()
{
    design(*this, Frame1, Label1, Command1, Command2);
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
}

QString FrmEnd2::message()
{
    return QStringLiteral("按“交卷”后您将退出本场考试，并且不能重新登录!") + kCrLf + kCrLf +
           QStringLiteral("是否确定交卷?");
}

void FrmEnd2::Form_Load()
{
    step([&] { Label1.setCaption(message()); });
    layOut(*this, Command1, Command2);
}

void FrmEnd2::Form_QueryUnload(int& cancel, int unloadMode)
{
    if (unloadMode == FromControlMenu)
        cancel = -1;
}

void FrmEnd2::Command1_Click() { exam::finalHandIn(); }

void FrmEnd2::Command2_Click() { backToPaper(*this); }

// ---- Final hand-in -------------------------------------------------------------------------------

namespace exam {

void finalHandIn()
{
    iLeftMinutes = 50;
    step([] { FrmTm::get().LblTime.setCaption(QStringLiteral("剩余") + QString::number(iLeftMinutes) + QStringLiteral("分钟")); });
    step([] {
        FrmTm& panel = FrmTm::get();
        panel.LblTimeJD.setWidth(panel.PTime.Width() * (50 - iLeftMinutes) / 50);
    });
    // The paper is over: its clock stops here, so that it cannot time out later over the score
    // window or the home window and hand the same paper in a second time; a demonstration armed
    // by the hint window never comes up.
    step([] { FrmTm::get().TimeKS.setEnabled(false); });
    step([] { FrmTm::get().TimStartYS.setEnabled(false); });
    step([] { FrmEnd2::unloadIfLoaded(); });
    step([] { FrmEnd1::unloadIfLoaded(); });
    // Hidden, as the hand-in button leaves it; after a time-out it was still up over the surface.
    step([] { FrmTm::get().Hide(); });
    step([] { FrmTm::unloadIfLoaded(); }); // refused for the whole paper: the reviews reuse it
    step([] { FrmMain::unloadIfLoaded(); });
    step([] { FrmChengji::get().Show(); });

    // Whatever else of the paper was open goes now; the score window is up, so none of them
    // brings the paper back on its way out.
    step([] { closeStandardBoxes(); });
    step([] { FrmIME::unloadIfLoaded(); });
    step([] { FrmCZTS::unloadIfLoaded(); });
    bYanShiOn = false;
    step([] { FrmYanShi::unloadIfLoaded(); });
    // The question picture is topmost: left open it would stay over the score and home windows.
    step([] {
        if (FrmTm::isLoaded())
            hidePicture(FrmTm::get().Image2);
        else if (FrmPicture::isLoaded())
            FrmPicture::get().Hide();
    });
    // Last, over the score window: a history that could not be written is told.
    step([] {
        if (FrmChengji::isLoaded())
            FrmChengji::get().tellIfUnsaved();
    });
}

} // namespace exam
