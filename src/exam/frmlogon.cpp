#include "exam/frmlogon.h"

#include "app/moddata.h"
#include "bank/exercise.h"
#include "exam/frmtm.h"
#include "exam/paperflow.h"
#include "exam/standardbox.h"
#include "home/frmfengmian.h"
#include "platform/screenmetrics.h"
#include "surface/frmmain.h"
#include "toolkit/vb.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPointer>
#include <algorithm>

using namespace ModData;
using paperflow::dataPicture;
using paperflow::step;

namespace {

void setMaxLength(tk::TextBox& box, int length)
{
    if (auto* line = qobject_cast<QLineEdit*>(box.editor()))
        line->setMaxLength(length);
}

void designEntry(tk::TextBox& box, int maxLength, const QString& text)
{
    box.setFontName(QStringLiteral("宋体"));
    box.setFontSize(12);
    box.setFontBold(true);
    setMaxLength(box, maxLength);
    box.setText(text);
}

// The log-on and exit buttons are drawn on the page picture; their spots show the hand.
void designButton(tk::Label& spot)
{
    spot.setBackStyle(0);
    spot.setMouseIcon(QCursor(Qt::PointingHandCursor));
    spot.setMousePointer(99);
}

void designField(tk::Label& label, const QString& placeholder)
{
    label.setBackStyle(0);
    label.setAutoSize(true);
    label.setFontName(QStringLiteral("宋体"));
    label.setFontSize(12);
    label.setFontBold(true);
    label.setCaption(placeholder);
}

constexpr int kBackColour = 0x808040;
constexpr int kBarColour = 0xFF0000; // blue
constexpr int kKeyBackspace = 8;

} // namespace

QString FrmLogon::fillNumber() { return QStringLiteral("100000200001010000"); }
QString FrmLogon::initialIdText() { return QStringLiteral("110000199001010018"); }

QString FrmLogon::idCardText(const QString& text)
{
    QString kept;
    for (const QChar c : text) {
        if ((c >= u'0' && c <= u'9') || ((c == u'x' || c == u'X') && kept.size() == 17))
            kept += c;
    }
    return kept;
}

FrmLogon::FrmLogon()
{
    setBorderless();
    setBackColor(kBackColour);

    Picture1.Move(0, 0, 12000, 9000);
    designEntry(TxtZwh, 3, QStringLiteral("18"));
    designEntry(TxtSFZ, 18, initialIdText());
    designButton(CmdLog);
    designButton(CmdExit);

    Picture2.Move(0, 0, 12000, 9000);
    designField(LblName, QStringLiteral("姓名"));
    designField(LblZwh, QStringLiteral("座位号"));
    designField(LblCC, QStringLiteral("场次"));
    designField(LblKm, QStringLiteral("科目"));
    designField(LblSfz, QStringLiteral("身份证号"));
    designField(LblDah, QStringLiteral("档案号"));
    designField(LblDate, QStringLiteral("日期"));
    P2.setHeight(180);
    LJD.Move(0, 0, 255, 375);
    LJD.setBackColor(kBarColour);

    Timer1.onTimer = [this] { Timer1_Timer(); };
    Timer2.onTimer = [this] { Timer2_Timer(); };
    TxtSFZ.onKeyPress = [this](int& keyAscii) { TxtSFZ_KeyPress(keyAscii); };
    TxtSFZ.onChange = [this] { TxtSFZ_Change(); };
    CmdLog.onClick = [this] { CmdLog_Click(); };
    CmdExit.onClick = [this] { CmdExit_Click(); };
}

void FrmLogon::Form_Load()
{
    const double sx = dScaleX;
    const double sy = dScaleY;
    step([&] { loadIcon(dataPicture("l62011")); });
    // Maximised: the whole screen.
    step([&] {
        const QSize screen = platform::screenSizeTwips();
        Move(0, 0, screen.width(), screen.height());
    });
    step([&] { setWindowState(2); });

    // 1. Places.
    step([&] { TxtZwh.Move(5070 * sx, 4440 * sy, 3255, 360); });
    step([&] { TxtSFZ.Move(TxtZwh.Left(), 4905 * sy, 3255, 360); });
    step([&] { CmdLog.Move(4275 * sx, 5640 * sy, 1335, 495); });
    step([&] { CmdExit.Move(6660 * sx, 5640 * sy, 1335, 495); });
    step([&] { LblName.Move(4080 * sx, 2610 * sy); });
    step([&] { LblZwh.Move(LblName.Left(), 2940 * sy); });
    step([&] { LblCC.Move(LblName.Left(), 3300 * sy); });
    step([&] { LblKm.Move(2505 * sx, 4215 * sy); });
    step([&] { LblSfz.Move(LblKm.Left(), 4590 * sy); });
    step([&] { LblDah.Move(LblKm.Left(), 4950 * sy); });
    step([&] { LblDate.Move(LblKm.Left(), 5250 * sy); });
    step([&] { P2.Move(1110 * sx, 7980 * sy); });
    step([&] { P2.setWidth(10335 * sx); });

    // 2. Page pictures.
    step([&] { Picture1.loadPicture(dataPicture("9l0056")); });
    step([&] { Picture2.loadPicture(dataPicture("9l0057")); });

    // 3. The exercise's files, named again as the launcher named them.
    step([] {
        const bank::ExercisePaths paths =
            bank::exercisePaths(sDataPath, bank::exerciseFileNumber(iLianXiType, iLianXiSub));
        if (paths.opFile.isEmpty())
            return; // no file pair of that number: the launcher's names stay
        sOpTextFile = paths.opTextFile;
        sOpFile = paths.opFile;
        sTmTextFile = paths.textFile;
    });
}

void FrmLogon::Timer1_Timer()
{
    step([&] { Picture1.Move(0, 0); });
    step([&] { Picture2.Move(Picture1.Left(), Picture1.Top()); });
    Picture1.show();
    Picture2.hide();
    Timer1.setEnabled(false);
}

void FrmLogon::TxtSFZ_KeyPress(int& keyAscii)
{
    if ((keyAscii >= '0' && keyAscii <= '9') || keyAscii == kKeyBackspace)
        return;
    if ((keyAscii == 'x' || keyAscii == 'X') && TxtSFZ.Text().size() >= 17)
        return;
    keyAscii = 0;
}

// Keys are filtered as they are pressed; text committed by an input method or pasted never passes
// that filter, so whatever else reached the box is taken out again here.
void FrmLogon::TxtSFZ_Change()
{
    const QString text = TxtSFZ.Text();
    const QString kept = idCardText(text);
    if (kept != text)
        TxtSFZ.setText(kept);
}

void FrmLogon::CmdLog_Click()
{
    bTmCanClose = false; // the panel stays for the whole paper
    sKsZwh = vb::right(QStringLiteral("00") + vb::trim(TxtZwh.Text()), 2);
    sKsCC = QStringLiteral("18");
    // A short entry is filled up with the fill number's leading digits.
    const QString id = vb::trim(TxtSFZ.Text());
    sKsSfz = vb::right(fillNumber().left(std::max<qsizetype>(0, 18 - id.size())) + id, 18);
    sKsDah = QStringLiteral("888888");

    LblName.setCaption(sKsName);
    LblZwh.setCaption(sKsZwh);
    LblCC.setCaption(sKsCC);
    LblKm.setCaption(sKeMu);
    LblSfz.setCaption(sKsSfz);
    LblDah.setCaption(sKsDah);
    LblDate.setCaption(vb::format(vb::now(), QStringLiteral("yyyy年mm月dd日")));

    Picture1.hide();
    Picture2.show();
    Timer2.setEnabled(true);
}

void FrmLogon::Timer2_Timer()
{
    step([&] { LJD.setWidth(LJD.Width() + 1500 * dScaleX); });
    if (!(LJD.Width() > P2.Width()))
        return;

    // The bar is full: over to the panel and the surface.
    Timer1.setEnabled(false);
    Timer2.setEnabled(false);
    unload();
    sKsStartTime = vb::format(vb::now(), QStringLiteral("yyyy-mm-dd hh:mm:ss"));
    iTmNo = 1;
    step([] { FrmTm::get().TimerREDO.setEnabled(true); });
    step([] { FrmMain::get().Show(); });
    step([] { FrmTm::get().Show(); });
}

void FrmLogon::CmdExit_Click()
{
    exam::BoxRequest box;
    box.prompt = QStringLiteral("确实要退出考试系统吗？");
    box.title = sSettings(0) + QStringLiteral("电脑技能");
    box.buttons = exam::BoxButtons::YesNo;
    box.questionIcon = true;
    box.defaultNo = true;
    const QPointer<FrmLogon> self(this);
    if (exam::standardBox(box) != exam::BoxAnswer::Yes)
        return;
    if (!self || isUnloaded())
        return;
    unload();
    step([] { FrmFengmian::get().Show(); });
}

// The window system's close asks as the exit button does; without this the window went and left
// the program with no window at all.
void FrmLogon::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (!isUnloaded() && !Timer2.Enabled())
        CmdExit_Click();
}
