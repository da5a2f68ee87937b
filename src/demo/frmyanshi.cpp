// The demonstration window as a whole: its controls, its start, the step driver, the ways a
// demonstration ends, the arrow pointer and the two menu procedures nothing calls.

#include "demo/frmyanshi.h"

#include "bank/menubar.h"
#include "bank/popupmenu.h"
#include "demo/demostep.h"
#include "exam/frmtm.h"
#include "exam/paperflow.h"
#include "platform/programfolder.h"
#include "platform/screenmetrics.h"
#include "surface/frmmain.h"
#include "surface/popupfill.h"
#include "toolkit/twips.h"
#include "toolkit/vb.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <utility>
#include <vector>

using namespace ModData;
using demo::step;
namespace pm = bank::popupmenu;

namespace {

// A step is advanced inside the build of the step before it when it has no motion of its own
// (key and timed steps). Questions have far fewer steps; a longer chain is a loop in the data.
constexpr int kMaxChain = 100;

// The arrow, as end points in design twips from the pointer position: outline LPoint(0-6) (the
// eighth line joins the ends of lines 2 and 6) and fill LPoinB(0-5).
constexpr int kOutline[7][4] = {{60, 0, 60, 240},    {60, 240, 120, 180}, {120, 180, 180, 300},
                                {150, 150, 225, 285}, {165, 150, 240, 150}, {60, -15, 240, 165},
                                {195, 300, 225, 270}};
constexpr int kFill[6][4] = {{75, 15, 75, 210},   {105, 45, 105, 180}, {135, 75, 135, 150},
                             {165, 105, 165, 135}, {195, 120, 195, 135}, {135, 165, 210, 300}};

// The cascade arrow of the drawn context menu: a black triangle pointing right, 4 x 7 pixels.
QPixmap cascadeArrow()
{
    QImage img(4, 7, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (int x = 0; x < 4; ++x)
        for (int y = x; y <= 6 - x; ++y)
            img.setPixel(x, y, qRgb(0, 0, 0));
    return QPixmap::fromImage(img);
}

// A coordinate as the line stores it: computed in double precision, kept in single precision.
double single(double v) { return double(float(v)); }

} // namespace

void demo::ClickMark::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = std::max(1, BorderWidth());
    p.setPen(QPen(tk::colorFromVb(BorderColor()), w));
    p.setBrush(Qt::NoBrush);
    const qreal half = w / 2.0;
    p.drawEllipse(QRectF(half, half, std::max<qreal>(0, width() - w), std::max<qreal>(0, height() - w)));
}

FrmYanShi::FrmYanShi()
{
    setBorderless(true);
    setBackColor(0xFFFFFF);

    ImgLogo.setBackStyle(1);
    ImgLogo.setWordWrap(true);
    LHelp.setBackColor(8454143);
    LHelp.setForeColor(255);
    LHelp.setFontName(QStringLiteral("宋体"));
    LHelp.setFontSize(10.5);
    LHelp.setFontBold(true);
    LHelp.setAutoSize(true);
    // Red frame of the hot spot, yellow of the menu bar, green of the second hot spot.
    for (auto [frame, colour] : {std::pair{&Shape1, 255}, {&Shape2, 65535}, {&Shape4, 65280}}) {
        frame->setBorderColor(colour);
        frame->setBorderWidth(2);
    }
    Shape6.setBorderStyle(3);
    Shape6.hide();
    Label1.setBackStyle(0);
    Label4.setBackStyle(0);
    for (tk::Image* img : {&Image1, &Image2, &Image3, &Image4, &Image5})
        img->hide();

    for (int i = 1; i <= 9; ++i)
        LMainMenu.create(i).setBackStyle(0);
    for (int i = 1; i <= 20; ++i) {
        tk::Label& row = LblShuMenu.create(i);
        row.setBackStyle(0);
        row.Move(0, 0, bank::menubar::kRowWidth, bank::menubar::kRowHeight);
        tk::Label& sub = LblSubSel.create(i);
        sub.setBackStyle(0);
        sub.Move(0, 0, bank::menubar::kSubRowWidth, bank::menubar::kRowHeight);
    }
    for (int i = 0; i <= 13; ++i)
        LblXXK.create(i).setBackStyle(0);

    // The drawn context menu: the panels under their rows, separators and arrows.
    LRightMMenu.setBackStyle(1);
    LRightMMenu.setBackColor(0xFFFFFF);
    LRightMMenu.setCaption(QString());
    ShapeRMain.setBorderColor(0xC0C0C0);
    LRightSub.setBackStyle(1);
    LRightSub.setBackColor(0xFFFFFF);
    LRightSub.setCaption(QString());
    ShapeRSUB.setBorderColor(0xC0C0C0);
    LRightSub.ZOrder(0);
    ShapeRSUB.ZOrder(0);
    const auto row = [](tk::Label& l) {
        l.setBackStyle(0);
        l.setAutoSize(true);
    };
    for (auto* list : {&LRM2, &LRM4, &LRM6, &LRM9})
        for (int j = 0; j <= 9; ++j)
            row(list->create(j));
    const QPixmap arrow = cascadeArrow();
    for (int g : {1, 3, 5, 7, 8}) {
        row(LRMJL.create(g));
        ImgJLSanjiao.create(g).setPicture(arrow);
    }
    for (int c = 0; c <= 9; ++c)
        LRFGX.create(c).setBorderColor(0xC0C0C0);
    for (int j = 0; j <= 9; ++j)
        row(LRS.create(j));
    for (int c = 0; c <= 5; ++c)
        LRSFgx.create(c).setBorderColor(0xC0C0C0);

    // The red frame also marks rows of the drawn menus: it lies above them.
    Shape1.ZOrder(0);
    Shape5.Move(0, 0, 375, 375);
    Shape5.setBorderWidth(2);
    Shape5.setBorderColor(255);
    Shape5.hide();
    Shape5.ZOrder(0);
    ImgICO.hide();
    ImgICO.ZOrder(0);

    // The arrow lies above everything drawn, outside the visible area until it is first drawn.
    for (int i = 0; i <= 7; ++i)
        LPoint.create(i).setPoints(-1000, -1000, -1000, -1000);
    for (int i = 0; i <= 5; ++i) {
        tk::Line& l = LPoinB.create(i);
        l.setBorderColor(0xFFFFFF);
        l.setBorderWidth(2);
        l.setPoints(-1000, -1000, -1000, -1000);
    }

    // Popup menu tree: element 0 of each item array belongs to the window's design.
    static constexpr bool kCascade[] = {true, false, true, false, true, false, true, true, false};
    int cascade = 0;
    int list = 0;
    for (bool isCascade : kCascade) {
        if (isCascade) {
            sTavoMain[++cascade] = wm100.addMenu(QString());
            sTavoSub[cascade][0] = sTavoMain[cascade]->addAction(QString());
        } else {
            sTavoInde[++list][0] = wm100.addAction(QString());
        }
    }

    Timer1.onTimer = [this] { Timer1_Timer(); };
    Timer2.onTimer = [this] { Timer2_Timer(); };
    Timer3.onTimer = [this] { Timer3_Timer(); };
    Timer4.onTimer = [this] { Timer4_Timer(); };
    Timer5.onTimer = [this] { Timer5_Timer(); };
    Timer6.onTimer = [this] { Timer6_Timer(); };
    Timer7.onTimer = [this] { Timer7_Timer(); };
    Timer8.onTimer = [this] { Timer8_Timer(); };
    Timer9.onTimer = [this] { Timer9_Timer(); };
    TimerRM.onTimer = [this] { TimerRM_Timer(); };
    TimerRS.onTimer = [this] { TimerRS_Timer(); };
    TimEnd.onTimer = [this] { TimEnd_Timer(); };
    for (tk::Image* img : {&Image1, &Image2, &Image3, &Image4, &Image5})
        img->onDblClick = [this] { Image_DblClick(); };
    for (tk::TextBox* box : {&Text1, &Text2})
        box->onKeyUp = [this](int keyCode, int shift) { Form_KeyUp(keyCode, shift); };
}

FrmYanShi::~FrmYanShi() = default;

void FrmYanShi::resetFields()
{
    stepNo = 1;
    pointX = pointY = targetX = targetY = 0;
    stepLength = 0;
    velocityX = velocityY = 0;
    tickCount = 0;
    endCount = 0;
    opCode = 0;
    dragBoundX = dragBoundY = 0;
    typingText.clear();
    typedCount = 0;
    menuLeft = menuTop = menuPitch = 0;
    pictureFolder.clear();
    menuSet = 1;
    dropDownTable = {};
    subMenuTable = {};
    openSubmenuCode = 0;
    dragFlag = false;
    hotSpotWidth = hotSpotHeight = 0;
    hintText.clear();
    tabLayout.clear();
    tabCount = tabLeft = tabTop = frontTabRow = tabImage = targetTab = 0;
    menuBlock = 0;
    glideMoves = 0;
    opRecord.clear();
}

// ---- Start ---------------------------------------------------------------------------------------

void FrmYanShi::Form_Load()
{
    const double sx = dScaleX;
    const double sy = dScaleY;
    step([&] { loadIcon(sDataPath + QStringLiteral("l62011.mxy")); });
    // The arrow is drawn by the first glide tick.
    step([&] { pointX = vb::clng(7680 * sx); });
    step([&] { pointY = vb::clng(5760 * sy); });
    iRunMode = 1;
    tickCount = 0;
    Label1.setCaption(QString());
    step([&] { setWindowState(0); });
    step([&] { setWidth(12000 * sx); });
    step([&] { setHeight(9000 * sy); });
    // The question note.
    step([&] { ImgLogo.setLeft(9420 * sx); });
    step([&] { ImgLogo.setTop(7620 * sy); });
    step([&] { ImgLogo.setWidth(2535 * sx); });
    step([&] { ImgLogo.setBackStyle(1); });
    step([&] { ImgLogo.setBackColor(0xC0FFFF); });
    step([&] { ImgLogo.setFontSize(9 * sx); });
    step([&] { ImgLogo.setCaption(vb::trim(FrmTm::get().RtbTM.Text())); });
    // One line for every fourteen characters, or as many as the text wraps to, each as high as
    // the font's line spacing, so that the last line shows whole.
    step([&] {
        const qsizetype lines = vb::len(ImgLogo.Caption()) / 14 + 1;
        const QFontMetrics fm(ImgLogo.font());
        const int width = std::max(1, tk::toPixels(ImgLogo.Width()));
        const QRect wrapped = fm.boundingRect(QRect(0, 0, width, 1 << 20),
                                              Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, ImgLogo.Caption());
        const int pixels = std::max(int(lines) * fm.lineSpacing(), wrapped.height());
        ImgLogo.setHeight(tk::toTwips(pixels) + 15 * sy);
    });
    step([&] { ImgLogo.setForeColor(tk::kButtonText); });
    step([&] { setTopmost(true); });
    // Centred on the screen, or on the surface's place while the surface is not maximised.
    step([&] {
        const QSize screen = platform::screenSizeTwips();
        setLeft((screen.width() - Width()) / 2);
        setTop((screen.height() - Height()) / 2);
    });
    step([&] {
        FrmMain& surface = FrmMain::get();
        if (surface.WindowState() == 0) {
            setLeft(surface.Left());
            setTop(surface.Top());
        }
    });
    step([&] { pictureFolder = platform::programPath(QStringLiteral("examdata/")); });
    menuLeft = 435;
    menuTop = 420;
    menuPitch = 870;
    menuSet = 1;
    for (tk::Image* img : {&ImgMenuSys, &ImgMenuSel, &ImgShuMenu, &ImgSubMenu, &ImgSubSel})
        img->setPicture(QPixmap());
    for (int i = 1; i <= 9; ++i) {
        step([&] {
            tk::Label& t = LMainMenu[i];
            t.Move(((i - 1) * 870 + 435) * sx, 420 * sy, 870 * sx, 270 * sy);
            t.setCaption(QString());
            t.hide();
        });
    }
    ImgMenuSys.setVisible(LMainMenu[1].Visible());
    for (int i = 1; i <= 20; ++i) {
        LblShuMenu[i].setCaption(QString());
        LblShuMenu[i].hide();
        LblSubSel[i].setCaption(QString());
        LblSubSel[i].hide();
    }
    for (int set = 1; set <= 9; ++set) {
        dropDownTable[set] = bank::menubar::dropDownEntry(set, bank::menubar::Table::Demo).toString();
        subMenuTable[set] = bank::menubar::submenuEntry(set).toString();
    }
    // Elements 1-10 of the popup tree's item arrays.
    surface::addPopupElements(wm100, {sTavoMain, sTavoSub, sTavoInde});
    stepNo = 1;
    CSH();
    setData();
}

// ---- Step driver ---------------------------------------------------------------------------------

void FrmYanShi::doNext()
{
    if (!bYanShiOn)
        return;
    // The end record ends the demonstration, and so does a record the operation file does not
    // hold: repeating the file's last line would never end.
    if (demo::codeText() == u"9999" || m_recordMissing) {
        Shape5.Move(-500, -500);
        startEnd();
        return;
    }
    // A chain of steps without motion that does not end, or a step number at its limit, is a
    // loop in the data: the demonstration ends as at the end record.
    if (m_chainDepth >= kMaxChain || stepNo >= 32767) {
        startEnd();
        return;
    }
    stepNo = vb::cint(stepNo + 1);
    setData();
}

// doNext from a timer or an arrival: an error inside ends that call only.
void FrmYanShi::advance()
{
    vb::attempt([this] { doNext(); });
}

// ---- End -----------------------------------------------------------------------------------------

void FrmYanShi::stopAnimation()
{
    for (demo::Timer* t : {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5, &Timer6, &Timer7, &Timer8, &Timer9,
                           &TimerRM, &TimerRS})
        t->setEnabled(false);
}

// Once the end is asked for, the animation stops: no glide, blink or hold can restart a timer or
// reset a count the end waits for, and the end counts its own ticks. The count runs from the first
// request; asking again (a key, a double click) does not start it anew.
void FrmYanShi::startEnd()
{
    stopAnimation();
    if (!TimEnd.Enabled()) {
        endCount = 0;
        TimEnd.setEnabled(true);
    }
}

void FrmYanShi::TimEnd_Timer()
{
    step([&] { Shape5.Move(-500, -500); });
    stopAnimation();
    endCount = qint16(endCount + 1);
    if (endCount < 4)
        return;
    endCount = 0;
    tickCount = 0;
    stepNo = 1;
    bYanShiOn = false;
    TimEnd.setEnabled(false);
    step([&] { unload(); });
    if (paperflow::paperOver()) // the paper was handed in meanwhile: nothing of it comes back
        return;
    step([] { FrmMain::get().Show(); });
    step([] { FrmTm::get().TimerREDO.setEnabled(true); });
    step([] { FrmTm::get().Show(); });
}

// Closing the window from the window system ends the demonstration the ordinary way, so that
// the surface and the panel come back; only the end itself unloads the window.
void FrmYanShi::Form_QueryUnload(int& cancel, int unloadMode)
{
    if (unloadMode == FromControlMenu) {
        cancel = 1;
        startEnd();
    }
}

void FrmYanShi::Form_DblClick() { startEnd(); }
void FrmYanShi::Image_DblClick() { startEnd(); }

// Enter, Space and Esc end the demonstration whatever has the focus: the text boxes pass their
// key releases on to this handler.
void FrmYanShi::Form_KeyUp(int keyCode, int)
{
    if (keyCode == 13 || keyCode == 32 || keyCode == 27)
        startEnd();
}

// ---- Arrow pointer -------------------------------------------------------------------------------

void FrmYanShi::pointMove()
{
    const double sx = dScaleX;
    const double sy = dScaleY;
    const auto place = [&](tk::Line& l, const int (&p)[4]) {
        l.setPoints(single(pointX + p[0] * sx), single(pointY + p[1] * sy), single(pointX + p[2] * sx),
                    single(pointY + p[3] * sy));
    };
    for (int i = 0; i <= 6; ++i)
        place(LPoint[i], kOutline[i]);
    LPoint[7].setPoints(LPoint[2].X2(), LPoint[2].Y2(), LPoint[6].X1(), LPoint[6].Y1());
    for (int i = 0; i <= 5; ++i)
        place(LPoinB[i], kFill[i]);
}

// ---- Menu procedures nothing calls --------------------------------------------------------------

void FrmYanShi::MenuClose()
{
    if (!bYanShiOn)
        return;
    for (tk::Image* img : {&ImgMenuSys, &ImgMenuSel, &ImgShuMenu, &ImgSubMenu, &ImgSubSel}) {
        img->setPicture(QPixmap());
        img->setWidth(1);
    }
    for (int i = 1; i <= 20; ++i) {
        LblShuMenu[i].hide();
        LblSubSel[i].hide();
    }
}

void FrmYanShi::systemMenu()
{
    if (!bYanShiOn)
        return;
    const int set = pm::setOfCode(opCode);
    pm::MenuBlock block;
    step([&] { block = pm::readMenuBlock(platform::programPath(pm::kFileName.toString()), set, menuBlock); });
    // Every element but the design's element 0 hidden, the cascade headers too; then the block.
    surface::fillPopupTree({sTavoMain, sTavoSub, sTavoInde}, block, 1);
}
