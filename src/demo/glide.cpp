// The pointer's glide: the aim of each step, the main glide with its arrival actions, the second
// legs of drags and tab changes, the drag glide, the click-mark blink and the typing.

#include "demo/frmyanshi.h"

#include "bank/menubar.h"
#include "demo/demostep.h"
#include "platform/programfolder.h"
#include "toolkit/vb.h"

#include <cmath>
#include <cstdlib>

using namespace ModData;
using demo::record;
using demo::step;

namespace {

// A glide arrives within about fifteen moves; one that has not after this many never will (its
// velocity could not be formed), and is taken as arrived.
constexpr int kMaxGlideMoves = 300;

// Colour of the click mark for an operation code.
vb::Long markColour(const QString& code)
{
    if (code == u"0002")
        return 65280;
    if (code == u"0003" || code.startsWith(u'3') || code.startsWith(u'4'))
        return 65535;
    return 255;
}

// The drag pointer picture: "ico00.CUR" for a standard pointer, else the file numbered by the
// pointer field's last two characters. Nothing for characters that would leave the program folder.
QString dragPointerFile(const QString& field)
{
    QString digits = QStringLiteral("00");
    if (!field.startsWith(u'S'))
        digits = field.right(2);
    if (digits.contains(u'/') || digits.contains(u'\\'))
        return {};
    return platform::programPath(QStringLiteral("ico") + digits + QStringLiteral(".CUR"));
}

} // namespace

// ---- Glide helpers ---------------------------------------------------------------------------------

void FrmYanShi::aim()
{
    const double dx = double(targetX) - pointX;
    const double dy = double(targetY) - pointY;
    stepLength = std::sqrt(dx * dx + dy * dy) / 15;
    glideMoves = 0;
    if (dx == 0 && dy == 0) {
        // Already there: no direction to go; the arrival test's radius ends the glide.
        velocityX = 0;
        velocityY = 0;
        return;
    }
    if (std::abs(dx) > std::abs(dy)) {
        step([&] { velocityX = vb::cint(stepLength); });
        step([&] { velocityY = vb::cint(std::abs(dy) * stepLength / std::abs(dx)); });
    } else {
        step([&] { velocityX = vb::cint(std::abs(dx) * stepLength / std::abs(dy)); });
        step([&] { velocityY = vb::cint(stepLength); });
    }
    if (targetX < pointX)
        step([&] { velocityX = vb::cint(-velocityX); });
    if (targetY < pointY)
        step([&] { velocityY = vb::cint(-velocityY); });
}

void FrmYanShi::aimAtCentre(const tk::Control& c)
{
    step([&] { targetX = vb::clng(c.Left() + c.Width() / 2); });
    step([&] { targetY = vb::clng(c.Top() + c.Height() / 2); });
    aim();
}

void FrmYanShi::moveOnce()
{
    step([&] { pointX = vb::clng(double(pointX) + velocityX); });
    step([&] { pointY = vb::clng(double(pointY) + velocityY); });
    ++glideMoves;
}

// Within 1.2 steps on both axes, or nearer than 1.5 steps, or nearer than 120 twips.
bool FrmYanShi::arrived() const
{
    const double dx = std::abs(double(pointX) - targetX);
    const double dy = std::abs(double(pointY) - targetY);
    const double d = std::sqrt(dx * dx + dy * dy);
    const double s = stepLength;
    return (dx * 5 <= s * 6 && dy * 5 <= s * 6) || d * 2 < s * 3 || d < 120 * dScaleX;
}

bool FrmYanShi::glideGivenUp() { return glideMoves >= kMaxGlideMoves; }

// One tick of the glides that move once per tick (drag, menus): the move, the arrow, the test.
bool FrmYanShi::glideTick()
{
    moveOnce();
    vb::attempt([this] { pointMove(); });
    return arrived() || glideGivenUp();
}

void FrmYanShi::placeClickMark()
{
    step([&] { Shape5.Move(pointX - 180, pointY - 180); });
    Timer5.setEnabled(true);
}

// ---- Aim -------------------------------------------------------------------------------------------

void FrmYanShi::MuBiaoWei()
{
    if (!bYanShiOn || ending())
        return;
    const bank::OpRecord rec = record();
    if (rec.col(130) == u'X' && rec.col(132) != rec.col(133)) {
        // A tab step goes to the target tab first.
        step([&] {
            const tk::Label& t = LblXXK[targetTab];
            targetX = vb::clng(t.Left() + t.Width() / 2);
            targetY = vb::clng(t.Top() + t.Height() / 2);
        });
    } else {
        const QString c = rec.run(8, 11);
        const QChar first = c.isEmpty() ? QChar() : c.at(0);
        const auto centreOf = [&](const tk::Control& ctl) {
            step([&] { targetX = vb::clng(ctl.Left() + ctl.Width() / 2); });
            step([&] { targetY = vb::clng(ctl.Top() + ctl.Height() / 2); });
        };
        if (c == u"0001" || c == u"0002" || c == u"2000" || c == u"0003" || first == u'3' || first == u'4'
            || first == u'5' || first == u'9') {
            centreOf(Label1);
        } else if (c.startsWith(u"004") || c.startsWith(u"005")) {
            centreOf(Label4);
        } else if (c.startsWith(u"002")) {
            step([&] { targetX = vb::clng(Text1.Left() + 300); });
            step([&] { targetY = vb::clng(Text1.Top() + Text1.Height() / 2); });
        } else if (c.startsWith(u"800")) {
            centreOf(Image5);
        } else if (c == u"7000") {
            step([&] { centreOf(LMainMenu[int(rec.value(125, 125))]); });
        } else if (first == u'6') {
            // A key step: nothing to glide to, on to the next step at once.
            targetX = pointX;
            targetY = pointY;
            doNext();
            return;
        } else if (c == u"0030") {
            centreOf(Label1); // a hover rests on the hot spot
        } else if (first != u'T') {
            // A code without a target of its own (an unknown one) acts where the pointer stands;
            // a click in place keeps the target of the step before.
            targetX = pointX;
            targetY = pointY;
        }
    }
    if (opCode == 8888)
        doNext(); // the timed step passes at once; the glide below heads for what it left
    if (ending())
        return; // the end came in the steps passed at once
    aim();
    Timer2.setEnabled(true);
}

// ---- Main glide ------------------------------------------------------------------------------------

void FrmYanShi::Timer2_Timer()
{
    const double sx = dScaleX;
    const double sy = dScaleY;
    QString code = demo::codeText();
    step([&] { Shape5.setBorderColor(markColour(code)); });
    if (!bYanShiOn) {
        Timer2.setEnabled(false);
        return;
    }
    // A pointer that leaves the design area gives the step up.
    moveOnce();
    if (pointX < 0 || pointY < 0 || pointX > 12000 || pointY > 9000) {
        advance();
        return;
    }
    Shape6.setWidth(1);
    Shape6.setHeight(1);
    moveOnce();
    // During a drag the drag pointer picture stands in for the arrow.
    const bool secondLeg = Shape4.Left() == -100;
    if (code.startsWith(u"004") || (code.startsWith(u"005") && secondLeg)) {
        if (code.startsWith(u"004") && dragFlag) {
            const double w = pointX - Shape6.Left() + 120 * sx;
            const double h = pointY - Shape6.Top() + 120 * sy;
            if (w >= 0)
                Shape6.setWidth(w);
            if (h >= 0)
                Shape6.setHeight(h);
        }
        step([&] { ImgICO.loadPicture(dragPointerFile(record().run(101, 105))); });
        ImgICO.show();
        ImgICO.Move(pointX, pointY);
        for (int i = 0; i <= 5; ++i) {
            LPoinB[i].setX1(-100);
            LPoinB[i].setX2(-100);
        }
        for (int i = 0; i <= 7; ++i) {
            LPoint[i].setX1(-100);
            LPoint[i].setX2(-100);
        }
    } else {
        ImgICO.hide();
        vb::attempt([this] { pointMove(); });
    }
    if (!arrived())
        return;
    placeClickMark();
    // Arrival rules, the first that applies.
    const bank::OpRecord rec = record();
    code = rec.run(8, 11);
    const QChar first = code.isEmpty() ? QChar() : code.at(0);
    if (rec.col(130) == u'X' && rec.col(132) != rec.col(133) && !secondLeg) {
        tabFirstArrival();
        return;
    }
    if (code == u"0001" || code == u"0002" || code == u"0003" || first == u'T' || first == u'5' || secondLeg
        || code == u"2000") {
        advance();
        return;
    }
    if (code.startsWith(u"004") || code.startsWith(u"005")) {
        startSecondLeg();
        return;
    }
    Shape6.hide();
    if (first == u'9' && code != u"9999") {
        advance();
        return;
    }
    if (first == u'3' || first == u'4') {
        vb::attempt([this] { RightKeyMenu(); });
        Timer2.setEnabled(false);
        return;
    }
    if (code.startsWith(u"002")) {
        loadTypingText();
        Timer1.setEnabled(true);
        Timer2.setEnabled(false);
    } else if (code.startsWith(u"800")) {
        // The drag glide carries the picture to the drag bound; an axis without bound keeps the
        // picture's centre.
        if (dragBoundX != 0)
            step([&] { targetX = vb::clng(dragBoundX * sx); });
        if (dragBoundY != 0)
            step([&] { targetY = vb::clng(dragBoundY * sy); });
        aim();
        Timer2.setEnabled(false);
        Timer3.setEnabled(true);
    } else if (code == u"9999") {
        startEnd();
        Timer2.setEnabled(false);
    } else if (code == u"7000") {
        openDropDown();
    } else {
        // A hover or a code without an arrival action: done on arrival, as drifting on would take
        // as long as the pointer needs to leave the window, and standing still it never would.
        advance();
    }
}

// Rule of a rubber-band or drag step: from the second hot spot to the hot spot.
void FrmYanShi::startSecondLeg()
{
    const bool band = demo::codeText().startsWith(u"004");
    step([&] { targetX = vb::clng(Label1.Left() + Label1.Width() / 2); });
    step([&] { targetY = vb::clng(Label1.Top() + Label1.Height() / 2); });
    dragFlag = true;
    aim();
    Shape6.Move(Shape4.Left(), Shape4.Top(), 1, 1);
    Shape6.setVisible(band);
    Shape4.setLeft(-100);
    Shape4.setWidth(15);
    Timer2_Timer();
}

// First arrival of a tab step: the target page, the hot spot on it, and on to the hot spot.
void FrmYanShi::tabFirstArrival()
{
    static constexpr int kPictureCols[] = {0, 28, 44, 60, 145, 161};
    const double sx = dScaleX;
    const double sy = dScaleY;
    if (tk::Image* img = imageOf(tabImage)) {
        const int c = kPictureCols[tabImage];
        step([&] { img->loadPicture(sDataPath + record().run(c, c + 5) + QStringLiteral(".mxy")); });
    }
    Label1.show();
    LHelp.setCaption(hintText);
    Label1.setHeight(hotSpotHeight * sy);
    Label1.setWidth(hotSpotWidth * sx);
    Shape1.Move(Label1.Left(), Label1.Top(), Label1.Width(), Label1.Height());
    aimAtCentre(Label1);
    Shape4.setLeft(-100);
    Timer2_Timer();
}

// Arrival at a menu-bar title: the title opens its drop-down and the pointer heads for the row.
void FrmYanShi::openDropDown()
{
    namespace mb = bank::menubar;
    const double sx = dScaleX;
    const double sy = dScaleY;
    const bank::OpRecord rec = record();
    step([&] { menuSet = vb::cint(rec.value(125, 125)); });
    step([&] {
        const tk::Label& title = LMainMenu[menuSet];
        step([&] { ImgMenuSys.loadPicture(pictureFolder + mb::openTitlePicture(menuSet)); });
        ImgMenuSys.Move(title.Left(), title.Top());
    });
    step([&] {
        const tk::Label& title = LMainMenu[menuSet];
        step([&] { ImgMenuSel.loadPicture(pictureFolder + mb::dropDownPicture(menuSet)); });
        ImgMenuSel.Move(title.Left(), title.Top() + title.Height());
    });
    // Row tops, whole twips at every addition, with a gap after every group of the set's rows.
    mb::RowLayout rows;
    step([&] { rows = mb::dropDownRows(menuSet, ImgMenuSel.Top(), sy, mb::Table::Demo, true); });
    const int count = rows.count;
    for (int i = 1; i <= count; ++i) {
        tk::Label& row = LblShuMenu[i];
        step([&] { row.Move(mb::rowLeft(ImgMenuSel.Left(), sx), rows.tops[std::size_t(i - 1)]); });
        row.show();
    }
    for (int i = count + 1; i <= mb::kMaxRows; ++i)
        LblShuMenu[i].hide();
    step([&] {
        const tk::Label& row = LblShuMenu[int(rec.value(126, 127))];
        step([&] { targetX = vb::clng(row.Left() + row.Width() / 2); });
        step([&] { targetY = vb::clng(row.Top() + row.Height() / 2); });
    });
    aim();
    Timer6.setEnabled(true);
    Timer2.setEnabled(false);
}

// ---- Drag glide ------------------------------------------------------------------------------------

void FrmYanShi::Timer3_Timer()
{
    if (!bYanShiOn)
        return;
    const bool over = glideTick();
    step([&] { Image5.setLeft(pointX - Image5.Width() / 2); });
    step([&] { Image5.setTop(pointY - Image5.Height() / 2); });
    if (!over)
        return;
    advance();
    Timer3.setEnabled(false);
}

// A pause of three ticks, then the next step. Nothing starts it.
void FrmYanShi::Timer4_Timer()
{
    step([&] { tickCount = vb::cint(tickCount + 1); });
    if (tickCount <= 2)
        return;
    tickCount = 0;
    advance();
    Timer2.setEnabled(false);
    Timer4.setEnabled(false);
}

// ---- Click-mark blink ------------------------------------------------------------------------------

void FrmYanShi::Timer5_Timer()
{
    if (!bYanShiOn)
        return;
    Shape5.setVisible(tickCount % 2 == 0);
    step([&] { tickCount = vb::cint(tickCount + 1); });
    if (tickCount >= 3) {
        tickCount = 0;
        Shape5.hide();
        Timer5.setEnabled(false);
    }
}

// ---- Typing ----------------------------------------------------------------------------------------

// The first accepted answer of the step, typed by Timer1.
void FrmYanShi::loadTypingText()
{
    const bank::TextRef ref = record().answerText();
    if (ref.none()) {
        typingText.clear();
        return;
    }
    typingText = bank::operationText(sOpTextFile, ref.number());
    const qsizetype bar = typingText.indexOf(u'|');
    if (bar >= 0)
        typingText.truncate(bar);
}

void FrmYanShi::Timer1_Timer()
{
    if (!bYanShiOn) {
        Timer1.setEnabled(false);
        return;
    }
    const QString code = demo::codeText();
    step([&] { typedCount = vb::cint(typedCount + 1); });
    if (code == u"0023") {
        typedCount = 300;
    } else {
        tk::TextBox& box = code == u"0021" ? Text2 : Text1;
        step([&] { box.setText(typingText.left(typedCount)); });
        step([&] { box.setSelStart(typedCount); });
    }
    // A selection types nothing and ends here, however long its text (counting on from 300
    // would never reach the end of a longer one). The count cannot pass its 16-bit limit either.
    if (typedCount >= typingText.size() || code == u"0023" || typedCount == 32767) {
        typedCount = 0;
        Timer1.setEnabled(false);
        advance();
    }
}
