// The demonstration's menus: the pictured pull-down of a menu-bar step (drop-down row, its hold,
// the cascading submenu and its row), and the drawn context menu of a popup-menu step with its
// cascade submenu, each row reached by a glide of one move per tick.

#include "demo/frmyanshi.h"

#include "bank/menubar.h"
#include "bank/popupmenu.h"
#include "bank/value.h"
#include "demo/demostep.h"
#include "platform/programfolder.h"
#include "toolkit/vb.h"

#include <QFontMetrics>
#include <QPainter>

using namespace ModData;
using demo::record;
using demo::step;
namespace mb = bank::menubar;
namespace pm = bank::popupmenu;

namespace {

// Layout of the drawn context menu, twips applied unscaled.
constexpr int kFirstRow = 90;       // first row below the panel's top
constexpr int kRowHeight = 270;     // a field or cascade caption
constexpr int kSeparator = 135;     // a separator
constexpr int kTextLeft = 300;      // row text from the panel's left
constexpr int kLineInset = 60;      // separator ends inside each side
constexpr int kArrowLeft = 180;     // arrow from the panel's right edge
constexpr int kArrowTop = 30;       // arrow below its row's top
constexpr int kPanelExtra = 690;    // panel width beyond the widest field
constexpr int kFlipMargin = 300;    // margin above the window's bottom for the upward flip
constexpr int kSubFirstRow = 135;   // first row of the cascade submenu below its top
constexpr int kSubOverlap = 60;     // the submenu overlaps the menu's right edge

// Block line of each section (lines counted from 0): cascades carry their caption there, lists
// their fields. The item list of a cascade's submenu follows on the next line.
constexpr int kSectionLine[] = {0, 1, 3, 4, 6, 7, 9, 10, 12, 14};
constexpr int kCascades[] = {1, 3, 5, 7, 8};

// A menu row's text: one line from the top left, "&" marking the underlined character.
constexpr int kMenuText = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;

bool isCascade(int g) { return g == 1 || g == 3 || g == 5 || g == 7 || g == 8; }
bool isList(int g) { return g == 2 || g == 4 || g == 6 || g == 9; }

int popupSet(const QString& code)
{
    if (code.startsWith(u'3'))
        return 1;
    if (code.startsWith(u'4'))
        return 2;
    return 0;
}

int digitOf(const QString& code, int i) { return i < code.size() ? bank::digitValue(code.at(i)) : 0; }

QString menuFile() { return platform::programPath(pm::kFileName.toString()); }

} // namespace

// ---- Menu rows ---------------------------------------------------------------------------------------

void demo::MenuLabel::setCaption(const QString& text)
{
    tk::Label::setCaption(text);
    fitToShownText();
}

void demo::MenuLabel::fontChanged()
{
    tk::Label::fontChanged();
    fitToShownText();
}

void demo::MenuLabel::fitToShownText()
{
    if (!AutoSize())
        return;
    const QFontMetrics fm(font());
    const QString text = Caption();
    const QRect r = fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), kMenuText, text);
    setPixelSize(text.isEmpty() ? 0 : r.width(), text.isEmpty() ? fm.height() : r.height());
}

void demo::MenuLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (BackStyle() == 1)
        p.fillRect(rect(), tk::colorFromVb(BackColor()));
    p.setPen(tk::colorFromVb(ForeColor()));
    p.setFont(font());
    p.drawText(rect(), kMenuText, Caption());
}

tk::ControlArray<demo::MenuLabel>* FrmYanShi::listLabels(int section)
{
    switch (section) {
    case 2: return &LRM2;
    case 4: return &LRM4;
    case 6: return &LRM6;
    case 9: return &LRM9;
    default: return nullptr;
    }
}

// ---- Pull-down of a menu-bar step ------------------------------------------------------------------

void FrmYanShi::showRowHighlight()
{
    const int r = int(record().value(126, 127));
    step([&] { ImgShuMenu.loadPicture(pictureFolder + mb::dropDownRowPicture(menuSet, r)); });
    step([&] { ImgShuMenu.Move(LblShuMenu[r].Left(), LblShuMenu[r].Top()); });
    ImgShuMenu.show();
}

void FrmYanShi::showSubRowHighlight()
{
    const int s = int(record().value(128, 129));
    step([&] { ImgSubSel.loadPicture(pictureFolder + mb::submenuRowPicture(openSubmenuCode, s)); });
    step([&] { ImgSubSel.Move(LblSubSel[s].Left(), LblSubSel[s].Top()); });
    ImgSubSel.show();
}

void FrmYanShi::Timer6_Timer()
{
    if (!bYanShiOn)
        return;
    if (!glideTick())
        return;
    showRowHighlight();
    placeClickMark();
    Timer6.setEnabled(false);
    Timer7.setEnabled(true);
}

void FrmYanShi::Timer7_Timer()
{
    if (!bYanShiOn)
        return;
    step([&] { tickCount = vb::cint(tickCount + 1); });
    showRowHighlight();
    if (tickCount < 3)
        return;
    tickCount = 0;
    if (record().run(128, 129) == u"00") {
        Timer7.setEnabled(false);
        advance();
    } else {
        openSubmenu();
        Timer8.setEnabled(true);
        Timer7.setEnabled(false);
    }
}

// The submenu of the chosen drop-down row opens beside the drop-down; the pointer heads for the
// submenu row. A later record of the same row wins.
void FrmYanShi::openSubmenu()
{
    const double sx = dScaleX;
    const double sy = dScaleY;
    const bank::OpRecord rec = record();
    const int r = int(rec.value(126, 127));
    ImgSubSel.hide();
    int ordinal = 0;
    QString entry;
    step([&] { entry = subMenuTable.at(std::size_t(menuSet)); });
    int k = 0;
    for (qsizetype at = 0; at < entry.size(); at += 6) {
        const QString rec6 = entry.mid(at, 6);
        ++k;
        if (mb::rowKeyValue(rec6.at(0)) != r)
            continue;
        ImgSubSel.show();
        ordinal = k;
        step([&] { ImgSubMenu.loadPicture(pictureFolder + mb::submenuPicture(menuSet, k)); });
        step([&] { ImgSubMenu.setLeft(mb::submenuLeft(ImgMenuSel.Left(), ImgMenuSel.Width(), sx)); });
        step([&] { ImgSubMenu.setTop(LblShuMenu[r].Top()); });
        const mb::Submenu sub{k, r, rec6.mid(1)};
        const mb::RowLayout rows = mb::submenuRows(sub, ImgSubMenu.Top(), sy);
        int count = 0;
        for (QChar g : sub.groups)
            count += mb::rowKeyValue(g);
        for (int j = 1; j <= count && j <= mb::kMaxRows; ++j) {
            tk::Label& row = LblSubSel[j];
            row.Move(mb::rowLeft(ImgSubMenu.Left(), sx), vb::roundHalfEven(rows.tops[std::size_t(j - 1)]));
            row.show();
        }
        for (int j = count + 1; j <= mb::kMaxRows; ++j)
            LblSubSel[j].hide();
    }
    ImgSubSel.setPicture(QPixmap());
    step([&] { openSubmenuCode = mb::openSubmenuCode(menuSet, ordinal, r); });
    step([&] {
        const tk::Label& row = LblSubSel[int(rec.value(128, 129))];
        step([&] { targetX = vb::clng(row.Left() + row.Width() / 2); });
        step([&] { targetY = vb::clng(row.Top() + row.Height() / 2); });
    });
    aim();
}

void FrmYanShi::Timer8_Timer()
{
    if (!bYanShiOn)
        return;
    if (!glideTick())
        return;
    showSubRowHighlight();
    placeClickMark();
    Timer8.setEnabled(false);
    Timer9.setEnabled(true);
}

void FrmYanShi::Timer9_Timer()
{
    if (!bYanShiOn)
        return;
    step([&] { tickCount = vb::cint(tickCount + 1); });
    showSubRowHighlight();
    if (tickCount < 3)
        return;
    tickCount = 0;
    advance();
    Timer9.setEnabled(false);
}

// ---- Drawn context menu ----------------------------------------------------------------------------

void FrmYanShi::CSH()
{
    if (!bYanShiOn)
        return;
    for (int i = 0; i <= 9; ++i) {
        for (auto* list : {&LRM2, &LRM4, &LRM6, &LRM9}) {
            (*list)[i].hide();
            (*list)[i].setCaption(QString());
        }
        LRFGX[i].hide();
        LRS[i].hide();
        LRS[i].setCaption(QString());
    }
    for (int g : kCascades) {
        LRMJL[g].hide();
        LRMJL[g].setCaption(QString());
        ImgJLSanjiao[g].hide();
    }
    for (int c = 0; c <= 5; ++c)
        LRSFgx[c].hide();
    LRightMMenu.hide();
    ShapeRMain.hide();
    LRightSub.hide();
    ShapeRSUB.hide();
}

void FrmYanShi::RightKeyMenu()
{
    if (!bYanShiOn)
        return;
    const double sx = dScaleX;
    const double sy = dScaleY;
    const bank::OpRecord rec = record();
    const QString code = rec.run(8, 11);
    LRightMMenu.show();
    ShapeRMain.show();
    // At the record's position, or at the pointer.
    const bool atPointer = rec.run(130, 134) == u"00000";
    if (atPointer) {
        LRightMMenu.Move(pointX, pointY);
    } else {
        step([&] { LRightMMenu.setLeft(rec.value(125, 129) * sx); });
        step([&] { LRightMMenu.setTop(rec.value(130, 134) * sy); });
    }
    const double left = LRightMMenu.Left();
    const double top = LRightMMenu.Top();
    ShapeRMain.Move(left, top);
    double y = vb::roundHalfEven(top + kFirstRow);
    double widest = 0;
    int separators = 0;
    step([&] { menuBlock = qint16(vb::mod(vb::idiv(opCode, 100), 10)); });
    std::array<QString, pm::kBlockLines> lines;
    step([&] { lines = pm::readBlockLines(menuFile(), popupSet(code), menuBlock); });
    // Sections 1 to 9, top to bottom; an absent one takes no room.
    for (int g = 1; g <= 9; ++g) {
        const QString& line = lines[std::size_t(kSectionLine[g])];
        if (line == pm::kAbsent)
            continue;
        if (isCascade(g)) {
            LRMJL[g].setCaption(line);
            LRMJL[g].Move(left + kTextLeft, y);
            LRMJL[g].show();
            ImgJLSanjiao[g].setTop(y + kArrowTop);
            ImgJLSanjiao[g].show();
            y += kRowHeight;
            continue;
        }
        tk::ControlArray<demo::MenuLabel>& labels = *listLabels(g);
        const QStringList fields = pm::splitItems(line);
        for (int j = 0; j < fields.size(); ++j) {
            if (pm::Section::isSeparator(fields[j])) {
                if (separators <= 9) {
                    tk::Line& l = LRFGX[separators];
                    l.setX1(left + kLineInset);
                    l.setY1(y);
                    l.setY2(y);
                    l.show();
                }
                ++separators;
                y += kSeparator;
                continue;
            }
            demo::MenuLabel& label = labels[j];
            label.setCaption(fields[j]);
            label.Move(left + kTextLeft, y);
            label.show();
            if (label.Width() > widest)
                widest = vb::roundHalfEven(label.Width());
            y += kRowHeight;
        }
    }
    // Size.
    const double width = widest + kPanelExtra;
    const double height = y - top;
    LRightMMenu.setWidth(width);
    LRightMMenu.setHeight(height);
    ShapeRMain.setWidth(width);
    ShapeRMain.setHeight(height);
    for (int g : kCascades)
        ImgJLSanjiao[g].setLeft(left + width - kArrowLeft);
    for (int c = 0; c <= 9; ++c)
        LRFGX[c].setX2(LRFGX[c].X1() + width - 2 * kLineInset);
    // A menu opened at the pointer opens to its left or above it when it would not fit.
    if (atPointer) {
        const auto shift = [&](double dx, double dy) {
            for (tk::Control* c : std::initializer_list<tk::Control*>{&LRightMMenu, &ShapeRMain})
                c->Move(c->Left() + dx, c->Top() + dy);
            for (auto* list : {&LRM2, &LRM4, &LRM6, &LRM9})
                for (int j = 0; j <= 9; ++j)
                    (*list)[j].Move((*list)[j].Left() + dx, (*list)[j].Top() + dy);
            for (int c = 0; c <= 9; ++c) {
                tk::Line& l = LRFGX[c];
                l.setPoints(l.X1() + dx, l.Y1() + dy, l.X2() + dx, l.Y2() + dy);
            }
            for (int g : kCascades) {
                LRMJL[g].Move(LRMJL[g].Left() + dx, LRMJL[g].Top() + dy);
                ImgJLSanjiao[g].Move(ImgJLSanjiao[g].Left() + dx, ImgJLSanjiao[g].Top() + dy);
            }
        };
        if (LRightMMenu.Left() + width >= Width() - width)
            shift(-width, 0);
        if (LRightMMenu.Top() + height >= Height() - kFlipMargin)
            shift(0, -height);
    }
    // The row to choose: item i of a list section, or the caption of a cascade section.
    const int g = digitOf(code, 2);
    const int i = digitOf(code, 3);
    const tk::Label* target = nullptr;
    if (isList(g))
        step([&] { target = &(*listLabels(g))[i]; });
    else if (isCascade(g))
        target = &LRMJL[g];
    if (target) {
        step([&] { targetX = vb::clng(target->Left() + target->Width() / 2); });
        step([&] { targetY = vb::clng(target->Top() + target->Height() / 2); });
    }
    Shape1.Move(LRightMMenu.Left(), targetY - 135, width, 270);
    aim();
    TimerRM.setEnabled(true);
}

void FrmYanShi::TimerRM_Timer()
{
    if (!bYanShiOn)
        return;
    if (!glideTick())
        return;
    if (isList(digitOf(demo::codeText(), 2))) {
        placeClickMark();
        TimerRM.setEnabled(false);
        advance();
    } else {
        TimerRM.setEnabled(false);
        vb::attempt([this] { RightKeySub(); });
    }
    TimerRM.setEnabled(false);
}

void FrmYanShi::RightKeySub()
{
    if (!bYanShiOn)
        return;
    const QString code = demo::codeText();
    step([&] { menuBlock = qint16(vb::mod(vb::idiv(opCode, 100), 10)); });
    const int g = digitOf(code, 2);
    // Beside the menu, level with the cascade caption; never moved to stay inside the window.
    LRightSub.show();
    ShapeRSUB.show();
    step([&] { LRightSub.setLeft(LRightMMenu.Left() + LRightMMenu.Width() - kSubOverlap); });
    step([&] { LRightSub.setTop(LRMJL[g].Top()); });
    ShapeRSUB.Move(LRightSub.Left(), LRightSub.Top());
    QString itemLine;
    if (isCascade(g)) {
        std::array<QString, pm::kBlockLines> lines;
        step([&] { lines = pm::readBlockLines(menuFile(), popupSet(code), menuBlock); });
        itemLine = lines[std::size_t(kSectionLine[g] + 1)];
    }
    // Rows.
    const double left = LRightSub.Left();
    double y = vb::roundHalfEven(LRightSub.Top() + kSubFirstRow);
    int separators = 0;
    double widest = 0;
    const QStringList items = pm::splitItems(itemLine);
    for (int p = 0; p < items.size(); ++p) {
        if (pm::Section::isSeparator(items[p])) {
            if (separators <= 5) {
                tk::Line& l = LRSFgx[separators];
                l.show();
                l.setX1(left + kLineInset);
                l.setY1(y);
                l.setY2(y);
            }
            y += kSeparator;
            ++separators;
            continue;
        }
        demo::MenuLabel& label = LRS[p];
        label.show();
        label.setCaption(items[p]);
        label.Move(left + kTextLeft, y);
        if (label.Width() > widest)
            widest = label.Width();
        y += kRowHeight;
    }
    // Size.
    const double width = widest + kPanelExtra;
    LRightSub.setWidth(width);
    LRightSub.setHeight(y - LRightSub.Top());
    ShapeRSUB.setWidth(width);
    ShapeRSUB.setHeight(LRightSub.Height());
    for (int c = 0; c <= 5; ++c)
        LRSFgx[c].setX2(LRSFgx[c].X1() + width - 2 * kLineInset);
    // The item, framed, and the glide to it.
    const int i = digitOf(code, 3);
    step([&] {
        const tk::Label& item = LRS[i];
        targetX = vb::clng(item.Left() + item.Width() / 2);
        targetY = vb::clng(item.Top() + item.Height() / 2);
        Shape1.Move(left, item.Top() - 60, width, 285);
    });
    aim();
    TimerRS.setEnabled(true);
}

void FrmYanShi::TimerRS_Timer()
{
    if (!bYanShiOn)
        return;
    if (!glideTick())
        return;
    placeClickMark();
    TimerRS.setEnabled(false);
    advance();
}
