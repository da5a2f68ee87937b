#include "exam/frmime.h"

#include "app/moddata.h"
#include "app/settingslist.h"
#include "exam/datapicture.h"
#include "exam/frmtm.h"
#include "exam/imemenu.h"
#include "exam/paperflow.h"
#include "history/historyfiles.h"
#include "platform/screenmetrics.h"
#include "platform/textfile.h"
#include "platform/windowpos.h"
#include "surface/frmmain.h"
#include "toolkit/vb.h"

using namespace ModData;

FrmIME::FrmIME()
{
    setBorderless(true);

    tk::Label& text = Label1.create(0);
    text.setBackStyle(0);
    text.setFontName(QStringLiteral("宋体"));
    text.setCaption(QStringLiteral(
        "如果输入文字时出现计算机考试***.exe遇到问题需要关闭时，说明您另外安装的输入法和本软件不兼容，"
        "您可以取消调用输入法，在您需要输入汉字时，可以按Ctrl+Shift键切换，或者点击电脑右下角的输入法按钮。"));
    tk::Label& title = Label1.create(2);
    title.setBackStyle(0);
    title.setAutoSize(true);
    title.setForeColor(0xFFFFFF);
    title.setFontName(QStringLiteral("宋体"));
    title.setCaption(QStringLiteral("输入法调用提示"));

    lblMove.setBackStyle(0);

    Check1.setBackColor(0xE1FFFF);
    Check1.setForeColor(0xFF);
    Check1.setFontName(QStringLiteral("宋体"));
    Check1.setCaption(QStringLiteral("调用输入法"));

    for (int i : {0, 1})
        lblClick.create(i).useProgramDesign();

    Check1.onClick = [this] { Check1_Click(); };
    lblClick.onClick = [this](int index) { lblClick_Click(index); };
    lblMove.onMouseDown = [this](int b, int s, float x, float y) { lblMove_MouseDown(b, s, x, y); };
}

void FrmIME::Form_Load()
{
    const double sx = dScaleX;
    const double sy = dScaleY;
    vb::attempt([&] { loadIcon(exam::dataPicture("l62011")); });
    vb::attempt([&] { setCaption(app::programTitle(sSettings, sKeMu)); });
    vb::attempt([&] { setWidth(6300 * sx); });
    vb::attempt([&] { setHeight(4200 * sy); });
    vb::attempt([&] {
        const QSize screen = platform::screenSizeTwips();
        Move((screen.width() - Width()) / 2, (screen.height() - Height()) / 2);
    });
    vb::attempt([&] { loadPicture(exam::dataPicture("l20070")); });

    vb::attempt([&] { ImgLogo1.Move(120 * sx, 90 * sy, 360, 360); });
    vb::attempt([&] { ImgLogo1.loadPicture(exam::dataPicture("l20067")); });
    vb::attempt([&] { lblMove.Move(0, 0, 5580 * sx, 540 * sy); });
    vb::attempt([&] { Label1[2].Move(600 * sx, 180 * sy); });
    vb::attempt([&] { Label1[2].setFontSize(10 * sx); });
    vb::attempt([&] { lblClick[0].Move(Width() - 420 * sx, 90 * sy, 330 * sx, 330 * sy); });
    vb::attempt([&] { lblClick[0].loadPicture(exam::dataPicture("l20003")); });
    vb::attempt([&] { Label1[0].Move(720 * sx, 1440 * sy, 4695 * sx, 1215 * sy); });
    vb::attempt([&] { Label1[0].setFontSize(9 * sx); });
    vb::attempt([&] { Check1.Move(2400 * sx, 2520 * sy, 1455 * sx, 255 * sy); });
    vb::attempt([&] { Check1.setFontSize(9 * sx); });
    vb::attempt([&] { lblClick[1].Move(4620 * sx, 3480 * sy, 1350 * sx, 450 * sy); });
    vb::attempt([&] { lblClick[1].loadPicture(exam::dataPicture("l20001")); });

    // The option as the user folder's file holds it (not the data folder's file of the same
    // number); ticking the box counts as a change and rewrites the file.
    const auto line =
        history::readFirstLine(history::UserFolder::ofProgram(), history::historyFileName(history::kImeOption));
    vb::attempt([&] { Check1.setValue(line && *line == QLatin1String("1") ? 1 : 0); });
}

// The panel comes back expanded at the surface's bottom-right corner and the bar goes; not when
// the paper was handed in meanwhile (a time-out while the dialog was open).
void FrmIME::Form_Unload(int&)
{
    if (paperflow::paperOver())
        return;
    const double sx = dScaleX;
    const double sy = dScaleY;
    FrmMain& surface = FrmMain::get();
    FrmTm& panel = FrmTm::get();
    vb::attempt([&] { surface.setWindowState(0); });
    vb::attempt([&] { surface.Show(); });
    vb::attempt([&] { panel.setWidth(4980 * sx); });
    vb::attempt([&] { panel.setHeight(3630 * sy); });
    vb::attempt([&] { panel.setLeft(surface.Left() + surface.Width() - panel.Width()); });
    vb::attempt([&] { panel.setTop(surface.Top() + surface.Height() - panel.Height()); });
    vb::attempt([&] { panel.FrmZXH.hide(); });
}

// A failed write is not reported: the option still follows the box and the file keeps what it had.
void FrmIME::Check1_Click()
{
    const int value = Check1.Value();
    const history::UserFolder folder = history::UserFolder::ofProgram();
    history::writeSet(folder, {{folder.file(history::kImeOption), history::lineBytes(vb::trim(vb::cstr(value)))}});
    bAutoIme = value != 0;
}

void FrmIME::lblClick_Click(int) { unload(); }

void FrmIME::lblMove_MouseDown(int button, int, float, float)
{
    if (button == 1)
        platform::dragWindow(this);
}
