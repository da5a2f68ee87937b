#include "exam/frmtm.h"

#include "app/moddata.h"
#include "exam/frmime.h"
#include "exam/frmpicture.h"
#include "exam/imemenu.h"
#include "exam/paperflow.h"
#include "platform/keyboardlayout.h"
#include "exam/questionshow.h"
#include "platform/textfile.h"
#include "platform/waits.h"
#include "platform/windowpos.h"
#include "surface/frmmain.h"
#include "toolkit/twips.h"
#include "toolkit/vb.h"

#include <QPainter>

using namespace ModData;

namespace {

template <class F>
void step(F&& f)
{
    vb::attempt(std::forward<F>(f));
}

QString dataPicture(const QString& id) { return sDataPath + id + QStringLiteral(".mxy"); }

// The collapsed bar's own picture, 54 x 58 pixels: a blue tile with the way back drawn on it.
QPixmap barPicture()
{
    QPixmap pm(54, 58);
    pm.fill(QColor(0x24, 0x5e, 0xdc));
    QPainter p(&pm);
    p.setPen(Qt::white);
    p.drawRect(0, 0, 53, 57);
    p.fillRect(1, 1, 52, 16, QColor(0x0a, 0x24, 0x6a));
    QFont f = p.font();
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 20, 54, 36), Qt::AlignCenter, QStringLiteral("试题"));
    return pm;
}

// The candidate photograph of the information page, 138 x 188 pixels: a neutral silhouette.
QPixmap photoPicture()
{
    QPixmap pm(138, 188);
    pm.fill(QColor(0xdd, 0xe6, 0xf0));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8a, 0x99, 0xac));
    p.drawEllipse(QPointF(69, 70), 32, 38);
    p.drawRoundedRect(QRectF(19, 120, 100, 80), 40, 40);
    return pm;
}

} // namespace

FrmTm::FrmTm()
{
    setBorderless(true);
    setWindowFlag(Qt::Tool, true);
    setBackColor(0xF0F0F0);

    LblBiao.setBackStyle(0);
    LblBiao.setForeColor(0xFFFFFF);
    LblBiao.setFontBold(true);
    LblBiao.setFontSize(9.75);
    LblBiao.setAutoSize(true);
    lblMove.setBackStyle(0);
    FrmZhuYa.setBackColor(0xF0F0F0);
    RtbTM.setMultiLine(true);
    RtbTM.setScrollBars(2);
    RtbTM.setLocked(true);
    RtbTM.setFontName(QStringLiteral("宋体"));
    RtbTM.setFontSize(10.5);
    Image2.setCaption(QStringLiteral("显示图片"));
    for (int i = 0; i <= 11; ++i)
        CmdGN.create(i);
    LblTime.setBorderStyle(1);
    LblTimeJD.setBackColor(0xFF0000);
    LblName.setBorderStyle(1);
    LblIME.setBorderStyle(1);
    LblIME.setForeColor(0xFFFFFF);
    LblIME.setBackColor(0xFF0000);
    LblIME.setCaption(QStringLiteral("EN")); // left-aligned: the "?" button covers the label's right end
    LblUnit.setBackStyle(0);
    LblUnit.setAutoSize(true);
    LblUnit.setCaption(QStringLiteral("未完成的题目:"));

    FrmSelect.setBorderStyle(0);
    FrmSelect.setBackColor(0xF0F0F0);
    FrmSelect.hide();
    for (int i = 1; i <= 40; ++i)
        CmTNO.create(i);
    FrmKSXX.setBorderStyle(0);
    FrmKSXX.hide();
    Image1.setStretch(true);
    Image1.setPicture(photoPicture());
    static const char* const kFields[] = {"姓    名：", "座 位 号：", "场    次：",
                                          "档 案 号：", "报考科目：", "身份证号："};
    for (int k = 0; k <= 5; ++k) {
        tk::Label& l = Label1.create(k);
        l.setBackStyle(0);
        l.setAutoSize(true);
        l.setCaption(QString::fromUtf8(kFields[k]));
    }
    for (tk::Label* v : {&KsName1, &KsZWH1, &KsCC1, &KsDAH1, &KsKM1, &KsSFZ1}) {
        v->setBackStyle(0);
        v->setAutoSize(true);
    }

    FrmZXH.setPicture(barPicture());
    FrmZXH.Move(0, 0, 810, 870);
    FrmZXH.hide();
    Label2.setBackStyle(0);
    Label2.Move(-120, 0, 855, 255);
    Command2.setBackStyle(0);

    mIme.setTitle(QStringLiteral("输入法"));
    mEng = mIme.addAction(QString());
    QObject::connect(mEng, &QAction::triggered, this, [this] { tk::raiseEvent(this, [&] { mEng_Click(); }); });
    for (int i = 1; i <= 10; ++i) {
        mCn[i] = mIme.addAction(QString());
        mCn[i]->setVisible(false);
        QObject::connect(mCn[i], &QAction::triggered, this, [this, i] { tk::raiseEvent(this, [&] { mCn_Click(i); }); });
    }

    // Events.
    TimerREDO.onTimer = [this] { TimerREDO_Timer(); };
    TimKsModel.onTimer = [this] { TimKsModel_Timer(); };
    TimeKS.onTimer = [this] { TimeKS_Timer(); };
    TimStartYS.onTimer = [this] { TimStartYS_Timer(); };
    LblZXH.onClick = [this] { LblZXH_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    lblMove.onMouseDown = [this](int b, int s, float x, float y) { lblMove_MouseDown(b, s, x, y); };
    Label2.onMouseDown = [this](int b, int s, float x, float y) { Label2_MouseDown(b, s, x, y); };
    FrmZXH.onMouseDown = [this](int b, int s, float x, float y) { FrmZXH_MouseDown(b, s, x, y); };
    FrmZXH.onMouseMove = [this](int b, int s, float x, float y) { FrmZXH_MouseMove(b, s, x, y); };
    Command2.onMouseMove = [this](int b, int s, float x, float y) { Command2_MouseMove(b, s, x, y); };
    LblUnit.onClick = [this] { LblUnit_Click(); };
    LblUnit.onMouseMove = [this](int b, int s, float x, float y) { LblUnit_MouseMove(b, s, x, y); };
    RtbTM.onClick = [this] { RtbTM_Click(); };
    RtbTM.onKeyUp = [this](int k, int s) { RtbTM_KeyUp(k, s); };
    CmdGN.onClick = [this](int i) { CmdGN_Click(i); };
    CmTNO.onClick = [this](int i) { CmTNO_Click(i); };
    CmdSelFH.onClick = [this] { CmdSelFH_Click(); };
    CmdSelLast.onClick = [this] { CmdSelLast_Click(); };
    CmdSelNext.onClick = [this] { CmdSelNext_Click(); };
    CmdKSFH.onClick = [this] { CmdKSFH_Click(); };
    Image2.onClick = [this] { Image2_Click(); };
    LblIME.onClick = [this] { LblIME_Click(); };
    CmdEn.onClick = [this] { CmdEn_Click(); };
}

FrmTm::~FrmTm() = default;

// ---- Set-up ------------------------------------------------------------------------------------

void FrmTm::Form_Load()
{
    const double sx = dScaleX;
    const double sy = dScaleY;

    // 1
    step([&] { loadIcon(dataPicture(QStringLiteral("l62011"))); });
    step([&] { setWidth(4980 * sx); });
    step([&] { setHeight(3630 * sy); });
    step([&] { loadPicture(dataPicture(QStringLiteral("l01046"))); });
    step([&] { ImgLogo1.Move(60 * sx, 30 * sy, 360, 360); });
    step([&] { ImgLogo1.loadPicture(dataPicture(QStringLiteral("l20067"))); });
    // 2
    iStartYsTicks = 0;
    for (Integer& s : iTmStep)
        s = 1;
    // 3. Topmost; provisionally at the design screen's corner until the surface docks it.
    step([&] { setTopmost(true); });
    step([&] { Move(15360 * sx - Width(), 9000 * sy - Height()); });
    // 4
    for (tk::Label* l : {&LblUnit, &LblTime, &LblIME, &LblName})
        step([&] { l->setFontSize(9 * sx); });
    step([&] { LblBiao.Move(510 * sx, 90 * sy); });
    step([&] { LblBiao.setFontSize(10 * sx); });
    step([&] { lblMove.Move(0, 0, Width(), 450 * sy); });
    // 5
    step([&] { LblClose.Move(Width() - 420 * sx + 30 * sx, 30 * sy, 330 * sx, 330 * sy); });
    step([&] { LblClose.loadPicture(dataPicture(QStringLiteral("l20003"))); });
    step([&] { LblZXH.Move(Width() - 825 * sx + 30 * sx, 30 * sy, 330 * sx, 330 * sy); });
    step([&] { LblZXH.loadPicture(dataPicture(QStringLiteral("l20002"))); });
    // 6
    step([&] { FrmSelect.Move(0, 450 * sy, Width(), 4035 * sy); });
    step([&] { FrmKSXX.Move(0, 450 * sy, Width(), 4035 * sy); });
    step([&] { FrmZhuYa.Move(0, 450 * sy, Width(), 4125); });
    step([&] { FrmZXH.Move(0, 0); });
    // 7. Function buttons.
    static constexpr int kLefts[] = {90, 1020, 1950, 3030, 4110, 90, 2010, 3930, 90, 2010, 3930, 3030};
    for (int i = 0; i <= 11; ++i) {
        Button& b = CmdGN[i];
        step([&] { b.loadPicture(dataPicture(QStringLiteral("l010%1").arg(i, 2, 10, QLatin1Char('0')))); });
        const double width = (i == 0 || i == 1 || i == 4) ? 720 : 870;
        const double top = (i >= 5 && i <= 10) ? 2355 : 15;
        step([&] { b.Move(kLefts[i] * sx, top * sy, width * sx, 330 * sy); });
    }
    if (iRunMode == 3) {
        step([&] { CmdGN[3].loadPicture(dataPicture(QStringLiteral("l01053"))); });
        step([&] { CmdGN[11].loadPicture(dataPicture(QStringLiteral("l01054"))); });
    }
    // 8
    step([&] { Command2.Move((FrmZXH.Width() - 645 * sx) / 2, 270 * sy, 645 * sx, 540 * sy); });
    // 9. Main page.
    step([&] { RtbTM.Move(90 * sx, 450 * sy, 4770 * sx, 1815 * sy); });
    step([&] { RtbTM.setFontSize(11 * sx); });
    step([&] { Image2.Move(3720 * sx, 1800 * sy, 870 * sx, 330 * sy); });
    step([&] { Image2.setFontSize(9 * sx); });
    step([&] { Image2.setCaption(QStringLiteral("显示图片")); });
    step([&] { Image2.setForeColor(0); });
    step([&] { LblTime.Move(90 * sx, 2760 * sy, 1215 * sx, 285 * sy); });
    step([&] { PTime.Move(1365 * sx, LblTime.Top(), 2055 * sx, LblTime.Height()); });
    step([&] { LblName.Move(3450 * sx, LblTime.Top(), 735 * sx, LblTime.Height()); });
    step([&] { LblIME.Move(4230 * sx, LblTime.Top(), 615 * sx, LblTime.Height()); });
    step([&] { PicUnit.Move(LblTime.Left(), LblTime.Top(), 4080 * sx, LblTime.Height()); });
    // 10. Candidate information page.
    step([&] { Image1.Move(120 * sx, 120 * sy, 1455 * sx, 1740 * sy); });
    step([&] { Label1[0].Move(1680 * sx, 120 * sy); });
    for (int k = 1; k <= 5; ++k)
        step([&] { Label1[k].Move(1680 * sx, Label1[k - 1].Top() + 315 * sy); });
    step([&] { Label1[0].setFontSize(9 * sx); });
    tk::Label* const values[] = {&KsName1, &KsZWH1, &KsCC1, &KsDAH1, &KsKM1, &KsSFZ1};
    for (int k = 0; k <= 5; ++k) {
        if (k > 0)
            step([&] { Label1[k].setFontSize(Label1[0].FontSize()); });
        step([&] { values[k]->Move(2640 * sx, Label1[k].Top()); });
        step([&] { values[k]->setFontSize(Label1[k].FontSize()); });
    }
    KsName1.setCaption(sKsName);
    KsZWH1.setCaption(sKsZwh);
    KsCC1.setCaption(sKsCC);
    KsDAH1.setCaption(sKsDah);
    KsKM1.setCaption(sKeMu);
    KsSFZ1.setCaption(sKsSfz);
    // 11
    step([&] {
        CmdEn.Move(LblIME.Left() + LblIME.Width() - 240 * sx, LblIME.Top(), 240 * sx, 270 * sy);
    });
    step([&] { CmdEn.loadPicture(dataPicture(QStringLiteral("l01043"))); });
    // 12. Clock row.
    iLeftMinutes = 50;
    LblTime.setCaption(QStringLiteral("剩余") + QString::number(iLeftMinutes) + QStringLiteral("分钟"));
    step([&] { LblTimeJD.Move(0, 0, PTime.Width() * (50 - iLeftMinutes) / 50, PTime.Height()); });
    LblName.setCaption(sKsName);
    // 13. Number buttons, ten to a row.
    for (int i = 1; i <= 40; ++i) {
        Button& b = CmTNO[i];
        b.setCaption(QString::number(i));
        step([&] { b.setForeColor(0); });
        step([&] {
            b.Move(60 * sx + ((i - 1) % 10) * 480 * sx, 150 * sy + ((i - 1) / 10) * 480 * sy,
                   450 * sx, 450 * sy);
        });
        step([&] { b.loadPicture(dataPicture(QStringLiteral("l01030"))); });
    }
    // 14
    iSelPage = 0;
    if (iTmCount <= 40) {
        CmdSelLast.hide();
        CmdSelNext.hide();
        for (int i = std::max(1, iTmCount + 1); i <= 40; ++i)
            CmTNO[i].hide();
    } else {
        CmdSelLast.show();
        CmdSelNext.show();
    }
    step([&] { iSelLastPage = vb::cint(iTmCount / 40 - (iTmCount % 40 == 0 ? 1 : 0)); });
    // 15
    step([&] {
        const double top = CmTNO[35].Top() + CmTNO[35].Height() + 540 * sy;
        CmdSelFH.Move((FrmSelect.Width() - 825 * sx) / 2, top, 825 * sx, 330 * sy);
    });
    step([&] { CmdSelFH.loadPicture(dataPicture(QStringLiteral("l01045"))); });
    step([&] {
        CmdSelLast.Move(CmdSelFH.Left() - 1.5 * CmdSelFH.Width(), CmdSelFH.Top(), CmdSelFH.Width(),
                        CmdSelFH.Height());
    });
    step([&] { CmdSelLast.loadPicture(dataPicture(QStringLiteral("l01047"))); });
    step([&] { CmdKSFH.Move(CmdSelFH.Left(), CmdSelFH.Top(), CmdSelFH.Width(), CmdSelFH.Height()); });
    step([&] { CmdKSFH.loadPicture(dataPicture(QStringLiteral("l01045"))); });
    step([&] {
        CmdSelNext.Move(CmdSelFH.Left() + 1.5 * CmdSelFH.Width(), CmdSelFH.Top(), CmdSelFH.Width(),
                        CmdSelFH.Height());
    });
    step([&] { CmdSelNext.loadPicture(dataPicture(QStringLiteral("l01048"))); });
    // 16
    FrmSelect.hide();
    FrmKSXX.hide();
    // 17. Question 1 counts as opened.
    step([] {
        if (iTmFlags(1) % 2 == 0)
            iTmFlags(1) = vb::cint(iTmFlags(1) + 1);
    });
    // 18-20
    step([&] { fillImeMenu(); });
    step([&] { DqExam(); });
    TimKsModel.setEnabled(true);
}

// Refused while the exercise may not let the panel go.
void FrmTm::Form_Unload(int& cancel)
{
    if (!bTmCanClose)
        cancel = -1;
}

// ---- Showing a question ------------------------------------------------------------------------

void FrmTm::DqExam()
{
    // 1
    step([&] { CmdGN[0].setEnabled(iTmNo > 1); });
    step([&] { CmdGN[1].setEnabled(iTmNo < iTmCount); });
    // 2. The question's line; a line the file does not hold shows nothing.
    step([&] {
        const platform::LineRead r = iTmNo >= 1 ? platform::readLineN(sTmTextFile, iTmNo)
                                                : platform::LineRead{};
        sTmLine = r.exists ? r.text : QString();
    });
    // 3-5. The question picture window closes at every question; a picture question loads its
    // picture there and shows the picture button.
    const exam::QuestionText q = exam::questionText(sTmLine);
    step([&] { RtbTM.setText(q.text); });
    step([] { FrmPicture::get().Hide(); });
    step([&] { Image2.hide(); });
    if (q.isPicture) {
        step([&] { FrmPicture::get().Image1.loadPicture(dataPicture(q.pictureName)); });
        step([&] { Image2.setCaption(QStringLiteral("显示图片")); });
        step([&] { Image2.show(); });
    }
    // 6-7. The surface back to the question's saved pictures; its scene build follows.
    FrmMain& surface = FrmMain::get();
    tk::Image* const planes[] = {nullptr, &surface.Image1, &surface.Image2, &surface.Image3,
                                 &surface.Image4, &surface.Image5};
    for (int k = 0; k <= 5; ++k) {
        step([&] {
            const QString path = dataPicture(sTmPic(iTmNo, k));
            if (k == 0)
                surface.loadPicture(path);
            else
                planes[k]->loadPicture(path);
        });
    }
    surface.stopTimedStep();
    surface.Timer2.setEnabled(true);
    // 8-9. Title.
    step([&] {
        exam::TitleInputs in;
        in.kind = iLianXiType;
        in.subKind = iLianXiSub;
        in.paper = iSelIndex;
        in.module = sKeMu;
        in.number = iTmNo;
        in.count = iTmCount;
        vb::attempt([&] { in.questionId = iTmCode(iTmNo); });
        vb::attempt([&] { in.doneMark = sTmDone(iTmNo); });
        if (const auto title = exam::questionTitle(in))
            LblBiao.setCaption(*title);
    });
    // 10
    LblUnit.setCaption(exam::unfinishedList(iTmCount, [](int i) {
        int flags = 0; // a question beyond the table is listed, as an unreadable flag always was
        vb::attempt([&] { flags = iTmFlags(i); });
        return flags;
    }));
    // 11. Opened; back to the saved step.
    step([] {
        if (iTmFlags(iTmNo) % 2 == 0)
            iTmFlags(iTmNo) = vb::cint(iTmFlags(iTmNo) + 1);
    });
    step([] { iStepNo = iTmStep(iTmNo); });
    // 12
    if (iRunMode != 3)
        iRunMode = 2;
    // 13. Mark or unmark.
    step([&] {
        const int f = iTmFlags(iTmNo);
        CmdGN[3].setVisible(f == 0 || f == 1 || f == 4 || f == 5);
    });
    step([&] { CmdGN[11].setVisible(!CmdGN[3].Visible()); });
    // 14
    if (iLianXiType == 0 && iRunMode == 2)
        TimKsModel.setEnabled(true);
    // 15
    handBack();
}

void FrmTm::TimerREDO_Timer()
{
    step([this] { DqExam(); });
    TimerREDO.setEnabled(false);
}

// ---- Collapse, restore, drag, hand-back --------------------------------------------------------

// Not once the paper has been handed in (its time-out while the input-method menu was up): the
// surface went with it, and none is made afresh over the score.
bool FrmTm::handBack()
{
    if (paperflow::paperOver())
        return false;
    FrmMain& surface = FrmMain::get();
    step([&] { surface.setWindowState(0); });
    step([&] { surface.Show(); });
    return true;
}

void FrmTm::dock()
{
    FrmMain& surface = FrmMain::get();
    step([&] { setLeft(surface.Left() + surface.Width() - Width()); });
    step([&] { setTop(surface.Top() + surface.Height() - Height()); });
}

void FrmTm::LblZXH_Click()
{
    FrmMain& surface = FrmMain::get();
    step([&] { setWidth(FrmZXH.Width()); });
    step([&] { setHeight(FrmZXH.Height()); });
    step([&] { setLeft(surface.Left()); });
    step([&] { setTop(surface.Top() + surface.Height() - Height()); });
    FrmZXH.show();
}

void FrmTm::Command2_Click()
{
    if (!handBack())
        return;
    step([&] { setWidth(4980 * dScaleX); });
    step([&] { setHeight(3630 * dScaleY); });
    dock();
    FrmZXH.hide();
}

// The surface comes back as the strip is pressed; the drag then goes on without the handler, and
// whatever happens while the mouse moves the panel (a time-out's hand-in, the demonstration
// coming up) is not undone at the release.
void FrmTm::lblMove_MouseDown(int button, int, float, float)
{
    handBack();
    if (button == 1)
        platform::dragWindow(this);
}

void FrmTm::Label2_MouseDown(int button, int, float, float)
{
    Command2.setBorderStyle(0);
    handBack();
    if (button == 1)
        platform::dragWindow(this);
}

void FrmTm::FrmZXH_MouseDown(int button, int, float, float)
{
    if (button == 1)
        platform::dragWindow(this);
    Command2.setBorderStyle(0);
}

void FrmTm::FrmZXH_MouseMove(int, int, float, float) { Command2.setBorderStyle(0); }
void FrmTm::Command2_MouseMove(int, int, float, float) { Command2.setBorderStyle(1); }
void FrmTm::LblUnit_Click() { LblUnit.setToolTipText(LblUnit.Caption()); }
void FrmTm::LblUnit_MouseMove(int, int, float, float) { LblUnit.setToolTipText(LblUnit.Caption()); }
void FrmTm::Form_KeyUp(int, int) { handBack(); }
void FrmTm::RtbTM_Click() { handBack(); }
void FrmTm::RtbTM_KeyUp(int, int) { handBack(); }
void FrmTm::PicUnit_KeyUp(int, int) { handBack(); }
void FrmTm::Image2_Click() { exam::pictureButtonClick(Image2); }

// ---- Input method -------------------------------------------------------------------------------

void FrmTm::fillImeMenu()
{
    imeMenu = exam::imeMenu(platform::keyboardLayouts());
    exam::showImeMenu(imeMenu, mEng, mCn);
}

// The layout menu opens just above and left of the "EN" label, only while the option is on.
void FrmTm::LblIME_Click()
{
    if (!bAutoIme)
        return;
    const QPointF at = exam::imeMenuPlace(LblIME.Left(), LblIME.Top(), FrmZhuYa.Top(), imeMenu.nextItem);
    // The place is the menu's top-right corner.
    QPoint corner = mapToGlobal(QPoint(tk::toPixels(at.x()), tk::toPixels(at.y())));
    corner.rx() -= mIme.sizeHint().width();
    step([&] {
        platform::enteringWait(platform::WaitKind::PopupMenu);
        showPopup(mIme, corner);
    });
}

void FrmTm::CmdEn_Click()
{
    LblZXH_Click();
    step([] { FrmIME::get().Show(true); });
}

void FrmTm::mEng_Click() { takeImeItem(0); }
void FrmTm::mCn_Click(int index) { takeImeItem(index); }

void FrmTm::takeImeItem(int item)
{
    lImeHkl = imeMenu.layoutOf(item);
    if (!handBack())
        return;
    // The text box's focus handler switches to the layout while the option is on.
    step([] { FrmMain::get().Text1.SetFocus(); });
}
