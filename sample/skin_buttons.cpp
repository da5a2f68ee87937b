#include "skin_buttons.h"

#include "skin_paint.h"

#include <QFontMetrics>
#include <QPainterPath>

namespace skin {

namespace {

enum class Look {
    Push,      // rounded button, caption and optional glyph
    TitleBar,  // small square on a header strip
    PageTile,  // large square card on the home start page, above a strip of page colour
    Tile,      // card with a glyph above its caption
    Tab,       // tab of the home window's top bar; the disabled frame is the open tab
    Side,      // entry of a left-hand list; the disabled frame is the chosen entry
    CheckOff,  // review scope switch, off
    CheckOn,   // review scope switch, on
    RadioOff,  // practice scope choice, not chosen
    RadioOn,   // practice scope choice, chosen
};

// Light faces for the question-number buttons, whose black number the window writes over them.
const Palette kNumOpened{QColor(0xea, 0xf3, 0xff), QColor(0xb6, 0xd4, 0xf8), QColor(0x6a, 0x96, 0xd0),
                         Qt::black};
const Palette kNumMarked{QColor(0xff, 0xf3, 0xd0), QColor(0xff, 0xcf, 0x70), QColor(0xd0, 0x92, 0x2a),
                         Qt::black};
const Palette kNumDone{QColor(0xe6, 0xf8, 0xdf), QColor(0xa4, 0xde, 0x94), QColor(0x58, 0xa4, 0x48),
                       Qt::black};
const Palette kNumWrong{QColor(0xff, 0xe6, 0xe2), QColor(0xf4, 0xa6, 0x9e), QColor(0xc8, 0x56, 0x4a),
                        Qt::black};
const Palette kPurple{QColor(0xb8, 0x8e, 0xe8), QColor(0x74, 0x46, 0xbc), QColor(0x52, 0x2e, 0x8a),
                      Qt::white};
const Palette kItem{QColor(0xff, 0xff, 0xff), QColor(0xe6, 0xee, 0xf9), kLine, kInk};

struct ButtonDef {
    const char* id;
    int w;
    int h;
    Look look;
    const Palette* pal;
    const char* caption;
    Glyph glyph;
    QColor backdrop;
};

// Every strip, with the size of the button that shows it. Captions stand in the picture only
// where the window gives its button no caption of its own.
const ButtonDef kButtons[] = {
    // Message box, update, about and input-method dialogs; 02 and 03 also on the home window.
    {"l20000", 90, 30, Look::Push, &kSilver, "取消", Glyph::None, kFooter},
    {"l20001", 90, 30, Look::Push, &kBlue, "确定", Glyph::None, kFooter},
    {"l20002", 22, 22, Look::TitleBar, &kBlue, "", Glyph::Minimise, kHeaderMid},
    {"l20003", 22, 22, Look::TitleBar, &kRed, "", Glyph::Close, kHeaderMid},
    // Home window: page buttons of the start page.
    {"l20004", 150, 160, Look::PageTile, &kBlue, "题库练习", Glyph::Book, kBody},
    {"l20005", 150, 160, Look::PageTile, &kOrange, "模拟考试", Glyph::Paper, kBody},
    {"l20006", 150, 160, Look::PageTile, &kGreen, "收藏题目", Glyph::Star, kBody},
    {"l20007", 150, 160, Look::PageTile, &kPurple, "我的错题", Glyph::WrongBook, kBody},
    // Bottom row of the start page (09 and 10 have no place there and stay plain).
    {"l20008", 36, 55, Look::Tile, &kBlue, "升级", Glyph::Update, kBody},
    {"l20009", 36, 55, Look::Tile, &kSilver, "", Glyph::None, kBody},
    {"l20010", 36, 55, Look::Tile, &kSilver, "", Glyph::None, kBody},
    {"l20011", 36, 55, Look::Tile, &kGreen, "帮助", Glyph::Help, kBody},
    {"l20012", 36, 55, Look::Tile, &kOrange, "网站", Glyph::Globe, kBody},
    // Top bar.
    {"l20013", 22, 22, Look::TitleBar, &kBlue, "", Glyph::Minimise, kHeaderMid},
    {"l20014", 22, 22, Look::TitleBar, &kRed, "", Glyph::Close, kHeaderMid},
    {"l20015", 82, 80, Look::Tab, &kBlue, "首页", Glyph::Home, kTabBandTop},
    {"l20016", 82, 80, Look::Tab, &kBlue, "题库练习", Glyph::Book, kTabBandTop},
    {"l20017", 82, 80, Look::Tab, &kBlue, "模拟考试", Glyph::Paper, kTabBandTop},
    {"l20018", 82, 80, Look::Tab, &kBlue, "收藏题目", Glyph::Star, kTabBandTop},
    {"l20019", 82, 80, Look::Tab, &kBlue, "我的错题", Glyph::WrongBook, kTabBandTop},
    // Start and clear buttons of the panels (26 and 27 have no place and stay plain).
    {"l20020", 120, 40, Look::Push, &kGreen, "开始练习", Glyph::Play, kBody},
    {"l20021", 120, 40, Look::Push, &kGreen, "生成随机试卷", Glyph::None, kBody},
    {"l20022", 120, 40, Look::Push, &kGreen, "开始复习", Glyph::Play, kBody},
    {"l20023", 80, 25, Look::Push, &kSilver, "清除题目", Glyph::None, kBody},
    {"l20024", 120, 40, Look::Push, &kGreen, "开始复习", Glyph::Play, kBody},
    {"l20025", 80, 25, Look::Push, &kSilver, "清除题目", Glyph::None, kBody},
    {"l20026", 80, 25, Look::Push, &kSilver, "", Glyph::None, kBody},
    {"l20027", 80, 25, Look::Push, &kSilver, "", Glyph::None, kBody},
    // Paper views and help pages: entries of the left strip.
    {"l20028", 180, 50, Look::Side, &kItem, "冲刺试卷", Glyph::Paper, kStrip},
    {"l20029", 180, 50, Look::Side, &kItem, "模拟试卷", Glyph::Paper, kStrip},
    {"l20030", 180, 50, Look::Side, &kItem, "生成随机试卷", Glyph::Dice, kStrip},
    {"l20031", 180, 50, Look::Side, &kItem, "随机试卷", Glyph::Dice, kStrip},
    {"l20032", 180, 50, Look::Side, &kItem, "软件介绍", Glyph::Book, kStrip},
    {"l20033", 180, 50, Look::Side, &kItem, "备考指南", Glyph::Paper, kStrip},
    {"l20034", 180, 50, Look::Side, &kItem, "考试大纲", Glyph::Chart, kStrip},
    {"l20035", 180, 50, Look::Side, &kItem, "答题技巧", Glyph::Star, kStrip},
    {"l20036", 180, 50, Look::Side, &kItem, "常见问题", Glyph::Help, kStrip},
    // Practice scope of the unit panel: plain and chosen.
    {"l20037", 60, 25, Look::RadioOff, &kSilver, "全部", Glyph::None, kBody},
    {"l20038", 60, 25, Look::RadioOff, &kSilver, "已学", Glyph::None, kBody},
    {"l20039", 60, 25, Look::RadioOff, &kSilver, "未学", Glyph::None, kBody},
    {"l20087", 60, 25, Look::RadioOn, &kChosen, "全部", Glyph::None, kBody},
    {"l20088", 60, 25, Look::RadioOn, &kChosen, "已学", Glyph::None, kBody},
    {"l20089", 60, 25, Look::RadioOn, &kChosen, "未学", Glyph::None, kBody},
    // Review scope of the marked and wrong-question panels: off and on.
    {"l20040", 80, 30, Look::CheckOff, &kSilver, "未复习", Glyph::None, kBody},
    {"l20041", 80, 30, Look::CheckOff, &kSilver, "已复习", Glyph::None, kBody},
    {"l20042", 80, 30, Look::CheckOff, &kSilver, "未学习", Glyph::None, kBody},
    {"l20043", 80, 30, Look::CheckOff, &kSilver, "已学习", Glyph::None, kBody},
    {"l20090", 80, 30, Look::CheckOn, &kNumOpened, "未复习", Glyph::None, kBody},
    {"l20091", 80, 30, Look::CheckOn, &kNumOpened, "已复习", Glyph::None, kBody},
    {"l20092", 80, 30, Look::CheckOn, &kNumOpened, "未学习", Glyph::None, kBody},
    {"l20093", 80, 30, Look::CheckOn, &kNumOpened, "已学习", Glyph::None, kBody},
    // Unit panel: the all-units entry, the unit entries (named by the window), the page buttons.
    {"l20044", 180, 58, Look::Side, &kItem, "所有题库", Glyph::Chart, kStrip},
    {"l20045", 180, 35, Look::Side, &kItem, "", Glyph::None, kStrip},
    {"l20046", 79, 37, Look::Push, &kSlate, "", Glyph::None, kStrip},
    {"l20086", 79, 37, Look::Push, &kOrange, "", Glyph::None, kStrip},
    // Start buttons of the paper cards: sprint papers, then the other papers.
    {"l20047", 85, 30, Look::Push, &kOrange, "开始考试", Glyph::None, Qt::white},
    {"l20048", 85, 30, Look::Push, &kBlue, "开始考试", Glyph::None, Qt::white},
    // Question panel: function buttons.
    {"l01000", 48, 22, Look::Push, &kSilver, "上一题", Glyph::None, kPanelFace},
    {"l01001", 48, 22, Look::Push, &kSilver, "下一题", Glyph::None, kPanelFace},
    {"l01002", 58, 22, Look::Push, &kSilver, "重做本题", Glyph::None, kPanelFace},
    {"l01003", 58, 22, Look::Push, &kSilver, "收藏本题", Glyph::None, kPanelFace},
    {"l01004", 48, 22, Look::Push, &kSilver, "选题", Glyph::None, kPanelFace},
    {"l01005", 58, 22, Look::Push, &kSilver, "退出练习", Glyph::None, kPanelFace},
    {"l01006", 58, 22, Look::Push, &kBlue, "提示", Glyph::None, kPanelFace},
    {"l01007", 58, 22, Look::Push, &kBlue, "演示", Glyph::None, kPanelFace},
    {"l01008", 58, 22, Look::Push, &kOrange, "交卷", Glyph::None, kPanelFace},
    {"l01009", 58, 22, Look::Push, &kSilver, "考生信息", Glyph::None, kPanelFace},
    {"l01010", 58, 22, Look::Push, &kBlue, "查看答案", Glyph::None, kPanelFace},
    {"l01011", 58, 22, Look::Push, &kSilver, "取消收藏", Glyph::None, kPanelFace},
    {"l01053", 58, 22, Look::Push, &kSilver, "标记", Glyph::None, kPanelFace},
    {"l01054", 58, 22, Look::Push, &kSilver, "取消标记", Glyph::None, kPanelFace},
    // Question panel: number buttons (not opened, opened, marked), picture button, pages.
    {"l01030", 30, 30, Look::Push, &kSilver, "", Glyph::None, kPanelFace},
    {"l01031", 30, 30, Look::Push, &kNumOpened, "", Glyph::None, kPanelFace},
    {"l01032", 30, 30, Look::Push, &kNumMarked, "", Glyph::None, kPanelFace},
    {"l01043", 16, 18, Look::Push, &kSilver, "?", Glyph::None, kPanelFace},
    {"l01044", 58, 22, Look::Push, &kSilver, "", Glyph::None, Qt::white},
    {"l01045", 55, 22, Look::Push, &kSilver, "返回", Glyph::None, kPanelFace},
    {"l01047", 55, 22, Look::Push, &kSilver, "上一页", Glyph::None, kPanelFace},
    {"l01048", 55, 22, Look::Push, &kSilver, "下一页", Glyph::None, kPanelFace},
    // Score window: result buttons (completed, not completed) and its three buttons.
    {"l01033", 30, 30, Look::Push, &kNumDone, "", Glyph::None, kBody},
    {"l01034", 30, 30, Look::Push, &kNumWrong, "", Glyph::None, kBody},
    {"l01035", 128, 30, Look::Push, &kBlue, "本次考题复习", Glyph::None, kBody},
    {"l01036", 128, 30, Look::Push, &kOrange, "本次错题复习", Glyph::None, kBody},
    {"l01037", 58, 30, Look::Push, &kSilver, "返回", Glyph::None, kBody},
    // Hint window and hand-in dialogs.
    {"l01038", 128, 30, Look::Push, &kSilver, "关闭", Glyph::None, kPanelFace},
    {"l01039", 128, 30, Look::Push, &kOrange, "我想立即看答案", Glyph::None, kPanelFace},
    {"l01041", 88, 28, Look::Push, &kBlue, "交卷", Glyph::None, kHandInFace},
    {"l01042", 88, 28, Look::Push, &kSilver, "返回", Glyph::None, kHandInFace},
};

int captionSize(int h)
{
    if (h <= 18)
        return 11;
    if (h <= 25)
        return 12;
    if (h <= 30)
        return 13;
    return 15;
}

// Caption with an optional glyph before it, centred together in r.
void drawCaption(QPainter& p, const QRectF& r, const QString& text, Glyph glyph, const QColor& colour,
                 int px, bool bold)
{
    const qreal glyphSide = glyph == Glyph::None ? 0 : px + 2;
    const qreal gap = (glyph == Glyph::None || text.isEmpty()) ? 0 : 5;
    const qreal textWidth = QFontMetricsF(font(px, bold)).horizontalAdvance(text);
    const qreal left = r.left() + (r.width() - glyphSide - gap - textWidth) / 2;
    if (glyph != Glyph::None)
        drawGlyph(p, glyph, QRectF(left, r.center().y() - glyphSide / 2, glyphSide, glyphSide), colour);
    drawText(p, QRectF(left + glyphSide + gap, r.top(), textWidth + 2, r.height()), text, colour, px,
             bold, Qt::AlignLeft | Qt::AlignVCenter);
}

// The palette of a frame: 0 rest, 1 hover, 2 pressed, 3 disabled.
Palette framePalette(const Palette& pal, int frame)
{
    switch (frame) {
    case 1:
        return lighter(pal, 22);
    case 2:
        return darker(pal, 12);
    case 3:
        return kGrey;
    default:
        return pal;
    }
}

void drawPush(QPainter& p, const ButtonDef& b, const QString& caption, int frame)
{
    const Palette pal = framePalette(*b.pal, frame);
    const qreal radius = std::min(b.h / 2.0 - 1, 5.0);
    drawBody(p, QRectF(0, 0, b.w, b.h), pal, radius);
    const qreal shift = frame == 2 ? 1 : 0;
    const int px = captionSize(b.h);
    drawCaption(p, QRectF(shift, shift, b.w, b.h), caption, b.glyph, pal.text, px, b.h >= 28);
}

void drawTitleBar(QPainter& p, const ButtonDef& b, int frame)
{
    const Palette pal = framePalette(*b.pal, frame);
    drawBody(p, QRectF(0, 0, b.w, b.h), {pal.top, pal.bottom, QColor(255, 255, 255, 200), pal.text}, 4);
    const qreal shift = frame == 2 ? 1 : 0;
    drawGlyph(p, b.glyph, QRectF(4 + shift, 4 + shift, b.w - 8, b.h - 8), Qt::white);
}

void drawTile(QPainter& p, const ButtonDef& b, const QString& caption, int frame, qreal cardHeight)
{
    const Palette pal = framePalette(*b.pal, frame);
    const qreal radius = b.w >= 100 ? 14 : 5;
    drawBody(p, QRectF(0, 0, b.w, cardHeight), pal, radius);
    const qreal shift = frame == 2 ? 1 : 0;
    const bool large = b.w >= 100;
    const qreal glyphSide = large ? 70 : 22;
    const qreal glyphTop = large ? 22 : 5;
    drawGlyph(p, b.glyph, QRectF((b.w - glyphSide) / 2 + shift, glyphTop + shift, glyphSide, glyphSide),
              pal.text);
    const QRectF textBox = large ? QRectF(shift, 100 + shift, b.w, 36) : QRectF(shift, 30 + shift, b.w, 20);
    drawText(p, textBox, caption, pal.text, large ? 22 : 12, true);
}

void drawTab(QPainter& p, const ButtonDef& b, const QString& caption, int frame)
{
    fillGradient(p, QRectF(0, 0, b.w, b.h), kTabBandTop, kTabBandBottom);
    QColor ink = Qt::white;
    const QRectF tab(3, 4, b.w - 6, b.h + 8);
    if (frame == 1) {
        p.setPen(QPen(QColor(255, 255, 255, 150), 1));
        p.setBrush(QColor(255, 255, 255, 50));
        p.drawRoundedRect(tab.adjusted(0.5, 0.5, -0.5, 0), 8, 8);
    } else if (frame == 2) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 50));
        p.drawRoundedRect(tab, 8, 8);
    } else if (frame == 3) {
        // The open tab joins the panel below it.
        fillGradient(p, tab, Qt::white, kBody, 8);
        ink = kHeaderBottom;
    }
    const qreal shift = frame == 2 ? 1 : 0;
    drawGlyph(p, b.glyph, QRectF((b.w - 34) / 2.0 + shift, 12 + shift, 34, 34), ink);
    drawText(p, QRectF(shift, 50 + shift, b.w, 22), caption, ink, 14, true);
}

void drawSide(QPainter& p, const ButtonDef& b, const QString& caption, int frame)
{
    p.fillRect(QRect(0, 0, b.w, b.h), b.backdrop);
    Palette pal = *b.pal;
    if (frame == 1)
        pal = {QColor(0xf4, 0xf9, 0xff), QColor(0xd2, 0xe4, 0xfb), QColor(0x5a, 0x8c, 0xd6), kInk};
    else if (frame == 2)
        pal = darker(pal, 8);
    else if (frame == 3)
        pal = kChosen;
    const QRectF body(2, 2, b.w - 4, b.h - 4);
    drawBody(p, body, pal, 4);
    if (frame == 3) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xec, 0x7a, 0x12));
        p.drawRoundedRect(QRectF(3, 4, 5, b.h - 8), 2, 2);
    }
    if (caption.isEmpty() && b.glyph == Glyph::None)
        return;
    const qreal shift = frame == 2 ? 1 : 0;
    const qreal glyphSide = std::min(26, b.h - 18);
    drawGlyph(p, b.glyph, QRectF(22 + shift, (b.h - glyphSide) / 2 + shift, glyphSide, glyphSide),
              frame == 3 ? QColor(0xc0, 0x5a, 0x00) : kHeaderBottom);
    drawText(p, QRectF(32 + glyphSide + shift, shift, b.w - 40 - glyphSide, b.h), caption, pal.text, 16,
             true, Qt::AlignLeft | Qt::AlignVCenter);
}

// A switch with its mark (tick box or choice dot) before the caption.
void drawSwitch(QPainter& p, const ButtonDef& b, const QString& caption, int frame, bool on, bool dot)
{
    const Palette pal = framePalette(*b.pal, frame);
    drawBody(p, QRectF(0, 0, b.w, b.h), pal, b.h / 2.0 - 1);
    const qreal shift = frame == 2 ? 1 : 0;
    const qreal side = b.h <= 25 ? 11 : 14;
    const QRectF mark(7 + shift, (b.h - side) / 2 + shift, side, side);
    const QColor accent = frame == 3 ? kGrey.border : QColor(0x24, 0x5c, 0xb8);
    p.save();
    p.setPen(QPen(accent, 1.2));
    p.setBrush(on ? accent : QColor(Qt::white));
    if (dot) {
        p.drawEllipse(mark);
        if (on) {
            p.setBrush(Qt::white);
            p.setPen(Qt::NoPen);
            p.drawEllipse(mark.center(), side / 5, side / 5);
        }
    } else {
        p.drawRoundedRect(mark, 2, 2);
        if (on) {
            p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF({mark.topLeft() + QPointF(side * 0.2, side * 0.5),
                                      mark.topLeft() + QPointF(side * 0.42, side * 0.74),
                                      mark.topLeft() + QPointF(side * 0.8, side * 0.26)}));
        }
    }
    p.restore();
    drawText(p, QRectF(mark.right() + 3, shift, b.w - mark.right() - 6, b.h), caption, pal.text,
             captionSize(b.h), on, Qt::AlignCenter);
}

void drawFrame(QPainter& p, const ButtonDef& b, int frame)
{
    const QString caption = QString::fromUtf8(b.caption);
    p.fillRect(QRect(0, 0, b.w, b.h), b.backdrop);
    switch (b.look) {
    case Look::Push:
        drawPush(p, b, caption, frame);
        break;
    case Look::TitleBar:
        drawTitleBar(p, b, frame);
        break;
    case Look::PageTile:
        drawTile(p, b, caption, frame, b.w);
        break;
    case Look::Tile:
        drawTile(p, b, caption, frame, b.h);
        break;
    case Look::Tab:
        drawTab(p, b, caption, frame);
        break;
    case Look::Side:
        drawSide(p, b, caption, frame);
        break;
    case Look::CheckOff:
    case Look::CheckOn:
        drawSwitch(p, b, caption, frame, b.look == Look::CheckOn, false);
        break;
    case Look::RadioOff:
    case Look::RadioOn:
        drawSwitch(p, b, caption, frame, b.look == Look::RadioOn, true);
        break;
    }
}

QImage strip(const ButtonDef& b)
{
    QImage image = blankImage(4 * b.w, b.h, b.backdrop);
    QPainter p;
    beginPainter(p, image);
    for (int frame = 0; frame < 4; ++frame) {
        p.save();
        p.translate(frame * b.w, 0);
        p.setClipRect(QRect(0, 0, b.w, b.h));
        drawFrame(p, b, frame);
        p.restore();
    }
    p.end();
    return image;
}

} // namespace

QImage buttonStrip(const QString& id)
{
    for (const ButtonDef& b : kButtons)
        if (id == QLatin1String(b.id))
            return strip(b);
    return {};
}

void writeButtonStrips(const QString& dataFolder)
{
    for (const ButtonDef& b : kButtons)
        strip(b).save(dataFolder + QLatin1String(b.id) + QLatin1String(".mxy"), "PNG");
}

} // namespace skin
