#include "exam/frmczts.h"

#include "app/moddata.h"
#include "app/settingslist.h"
#include "exam/datapicture.h"
#include "exam/frmtm.h"
#include "exam/paperflow.h"
#include "exam/standardbox.h"
#include "platform/screenmetrics.h"
#include "surface/frmmain.h"
#include "toolkit/vb.h"

#include <QPointer>

using namespace ModData;

namespace {

constexpr int kWidth = 4815; // twips, not scaled
constexpr int kHeight = 5130;

} // namespace

FrmCZTS::FrmCZTS()
{
    // A fixed dialog frame with a caption bar and a close box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    Move(0, 0, kWidth, kHeight);
    setFixedSize(size());

    Shape1.Move(60, 60, 4695, 5010);
    Shape1.setBorderColor(0x808080);
    Shape2.Move(75, 75, 4695, 5010);
    Shape2.setBorderColor(0xFFFFFF);

    Label3.Move(240, 360, 1080, 240);
    Label3.setBackStyle(0);
    Label3.setForeColor(0xFF0000);
    Label3.setFontName(QStringLiteral("宋体"));
    Label3.setFontSize(12);
    Label3.setCaption(QStringLiteral("请注意!!!"));

    Label2.Move(240, 840, 4380, 3540);
    Label2.setBackStyle(0);
    Label2.setForeColor(0xFF);
    Label2.setFontName(QStringLiteral("宋体"));
    Label2.setFontSize(12);
    Label2.setCaption(QStringLiteral("1.正式考试时不能看答案。\r\n\r\n"
                                     "2.如果有不会做的题目，在结束考试后，可以点“本次错题复习”或者“本次考题复习”，"
                                     "这时，所有试题都可以查看答案（手把手教和操作演示都可以）。\r\n\r\n"
                                     "3.如果你实在等不及了，可以点“我想立即看答案”。"));

    Command1.Move(360, 4440);
    Command2.Move(2520, 4440);

    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Label2.onClick = [this] { Label2_Click(); };
    Label3.onClick = [this] { Label3_Click(); };
}

void FrmCZTS::Form_Load()
{
    const double sx = dScaleX;
    const double sy = dScaleY;
    vb::attempt([&] { loadIcon(exam::dataPicture("l62011")); });
    vb::attempt([&] { setCaption(app::programTitle(sSettings, sKeMu)); });
    vb::attempt([&] { setTopmost(true); });
    vb::attempt([&] { Command1.setWidth(1920 * sx); });
    vb::attempt([&] { Command1.setHeight(450 * sy); });
    vb::attempt([&] { Command2.setWidth(Command1.Width()); });
    vb::attempt([&] { Command2.setHeight(Command1.Height()); });
    vb::attempt([&] { Command1.loadPicture(exam::dataPicture("l01038")); });
    vb::attempt([&] { Command2.loadPicture(exam::dataPicture("l01039")); });
    // Centred on the screen when shown.
    vb::attempt([&] {
        const QSize screen = platform::screenSizeTwips();
        Move((screen.width() - Width()) / 2, (screen.height() - Height()) / 2);
    });
}

void FrmCZTS::Command1_Click() { unload(); }
void FrmCZTS::Form_Click() { unload(); }
void FrmCZTS::Label2_Click() { unload(); }
void FrmCZTS::Label3_Click() { unload(); }

// Gives up the examination conditions: the paper goes on as practice and the current question's
// demonstration starts once this window and the panel's click that opened it are gone. A paper
// handed in while the question was open (its time-out) took this window with it: then nothing.
void FrmCZTS::Command2_Click()
{
    const QPointer<FrmCZTS> self(this);
    exam::BoxRequest ask;
    ask.prompt = QStringLiteral("立即看答案将不能测试您的实际水平，如果你坚持现在看答案，成绩将不记入本次练习记录！"
                                "\r\n您现在就要看答案吗？");
    ask.title = QStringLiteral("不建议您立即看答案");
    ask.buttons = exam::BoxButtons::YesNo;
    if (exam::standardBox(ask) != exam::BoxAnswer::Yes)
        return;
    if (!self || isUnloaded() || paperflow::paperOver() || !FrmTm::isLoaded())
        return; // never a panel made afresh for an exercise that has gone

    iRunMode = 2;
    FrmTm& panel = FrmTm::get();
    vb::attempt([&] { panel.CmdGN[3].loadPicture(exam::dataPicture("l01003")); });
    vb::attempt([&] { panel.CmdGN[11].loadPicture(exam::dataPicture("l01011")); });
    panel.PicUnit.show();
    for (int i = 5; i <= 10; ++i)
        vb::attempt([&] { panel.CmdGN[i].setVisible(panel.PicUnit.Visible() != (i >= 8)); });
    bTmCanClose = false;
    sKsStartTime = QStringLiteral("-1");
    unload();
    vb::attempt([] { FrmMain::get().Show(); });
    bYanShiOn = true;
    iStepNo = 1;
    panel.TimStartYS.setEnabled(true);
    panel.TimKsModel.setEnabled(true);
}
