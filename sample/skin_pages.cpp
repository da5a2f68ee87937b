#include "skin_pages.h"

#include "skin_paint.h"

#include <QPainterPath>

namespace skin {

namespace {

const QColor kLink(0x1a, 0x5c, 0xc8);
const QColor kTitleBlue(0x1f, 0x52, 0xac);

QString u(const char* text)
{
    return QString::fromUtf8(text);
}

// A white card with a thin frame.
void drawCard(QPainter& p, const QRectF& r, qreal radius = 8, const QColor& fill = Qt::white)
{
    p.save();
    p.setPen(QPen(kLine, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

// A framed white box standing for an entry field.
void drawField(QPainter& p, const QRectF& r)
{
    p.save();
    p.setPen(QPen(QColor(0x7f, 0x9d, 0xb9), 1));
    p.setBrush(Qt::white);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();
}

void drawFooterBand(QPainter& p, int w, int h, int top)
{
    p.fillRect(QRect(1, top, w - 2, h - top - 1), kFooter);
    p.fillRect(QRect(1, top, w - 2, 1), kLine);
}

// Window with a header strip and a footer band (message box, update, about, input method).
void paintDialog(QPainter& p, int w, int h, int footerTop)
{
    drawWindowFrame(p, w, h, 36);
    drawFooterBand(p, w, h, footerTop);
}

void paintMessageDialog(QPainter& p, int w, int h)
{
    paintDialog(p, w, h, 180);
}

void paintAboutDialog(QPainter& p, int w, int h)
{
    paintDialog(p, w, h, 220);
}

void paintStartUp(QPainter& p, int w, int h)
{
    fillGradient(p, QRectF(0, 0, w, h), kHeaderTop, kHeaderBottom);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 28));
    p.drawEllipse(QPointF(w - 40, -10), 150, 150);
    p.drawEllipse(QPointF(w - 10, h + 40), 110, 110);
    p.restore();
    drawGlyph(p, Glyph::Logo, QRectF(28, 34, 72, 72), Qt::white);
    drawHeading(p, QRectF(112, 36, w - 120, 40), u("模拟考试练习系统"), Qt::white, 30);
    drawText(p, QRectF(114, 80, w - 120, 24), u("Windows XP 上机操作练习"), QColor(0xdc, 0xea, 0xff), 15,
             false, Qt::AlignLeft | Qt::AlignVCenter);
    // The starting text is written by the window over the lower band.
    p.fillRect(QRect(0, 128, w, h - 128), QColor(0, 0, 0, 40));
    p.fillRect(QRect(0, 128, w, 1), QColor(255, 255, 255, 90));
    p.setPen(QPen(QColor(0x16, 0x3c, 0x80), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
}

void paintQuestionPanel(QPainter& p, int w, int h)
{
    drawWindowFrame(p, w, h, 30);
    p.fillRect(QRect(1, 30, w - 2, h - 31), kPanelFace);
}

void paintSurfaceLogo(QPainter& p, int w, int h)
{
    drawBody(p, QRectF(0, 0, w, h), kBlue, h / 2.0 - 1);
    drawGlyph(p, Glyph::Logo, QRectF(6, 2, h - 4, h - 4), Qt::white);
    drawText(p, QRectF(h + 4, 0, w - h - 8, h), u("模拟考试练习"), Qt::white, 12, true,
             Qt::AlignLeft | Qt::AlignVCenter);
}

void paintHomeBackground(QPainter& p, int w, int h)
{
    p.fillRect(QRect(0, 0, w, h), kBody);
    fillGradient(p, QRectF(0, 0, w, 180), kHeaderTop, kBody);
    // Links of the start page: the window lays caption-less hot spots over these texts.
    drawCard(p, QRectF(24, 430, 284, 96));
    drawGlyph(p, Glyph::Notice, QRectF(34, 440, 16, 16), kLink);
    drawText(p, QRectF(54, 438, 166, 20), u("关于本软件"), kLink, 13, true, Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRectF(34, 456, 60, 20), u("网站："), kSoftInk, 13, false, Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRectF(34, 496, 60, 20), u("咨询："), kSoftInk, 13, false, Qt::AlignLeft | Qt::AlignVCenter);
    const struct {
        int x;
        int y;
        const char* text;
    } links[] = {{96, 456, "官方网站"}, {202, 456, "产品主页"}, {96, 496, "在线客服"}, {202, 496, "技术支持"}};
    for (const auto& link : links) {
        drawText(p, QRectF(link.x, link.y, 92, 20), u(link.text), kLink, 13, false,
                 Qt::AlignLeft | Qt::AlignVCenter);
        p.fillRect(QRect(link.x, link.y + 17, 52, 1), kLink);
    }
    // Shelf behind the bottom row of buttons.
    drawCard(p, QRectF(508, 480, 252, 72), 10, QColor(0xe8, 0xef, 0xf9));
    p.fillRect(QRect(0, 566, w, h - 566), kFooter);
    p.fillRect(QRect(0, 566, w, 1), kLine);
}

void paintCover(QPainter& p, int w, int h)
{
    fillGradient(p, QRectF(0, 0, w, h), kHeaderTop, QColor(0x8d, 0xbb, 0xf0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 30));
    p.drawEllipse(QPointF(w - 120, 20), 190, 190);
    p.drawEllipse(QPointF(w - 300, 170), 120, 120);
    // The cover ends in a soft hill that runs into the page colour.
    QPainterPath hill;
    hill.moveTo(0, h - 34);
    hill.cubicTo(w * 0.3, h - 70, w * 0.6, h + 10, w, h - 46);
    hill.lineTo(w, h);
    hill.lineTo(0, h);
    hill.closeSubpath();
    p.setBrush(kBody);
    p.drawPath(hill);
    p.restore();
    drawGlyph(p, Glyph::Logo, QRectF(40, 30, 86, 86), Qt::white);
    drawHeading(p, QRectF(142, 34, 520, 50), u("模拟考试练习系统"), Qt::white, 38);
    drawText(p, QRectF(146, 88, 520, 26), u("Windows XP 上机操作练习与模拟考试"), QColor(0xf0, 0xf6, 0xff), 17,
             false, Qt::AlignLeft | Qt::AlignVCenter);
}

void paintTopBar(QPainter& p, int w, int h)
{
    fillGradient(p, QRectF(0, 0, w, 29), kHeaderTop, kHeaderBottom);
    // The tab buttons stand on this band; they paint the same gradient over their own rows.
    fillGradient(p, QRectF(0, 29, w, 80), kTabBandTop, kTabBandBottom);
    p.fillRect(QRect(0, h - 1, w, 1), kLine);
    drawGlyph(p, Glyph::Logo, QRectF(520, 44, 48, 48), Qt::white);
    drawHeading(p, QRectF(578, 46, 210, 44), u("模拟考试练习系统"), Qt::white, 22);
}

void paintPanel(QPainter& p, int w, int h)
{
    p.fillRect(QRect(0, 0, w, h), kBody);
    fillGradient(p, QRectF(0, 0, w, 10), QColor(0xd6, 0xe2, 0xf3), kBody);
    p.fillRect(QRect(0, h - 1, w, 1), kLine);
}

void paintLeftStrip(QPainter& p, int w, int h)
{
    p.fillRect(QRect(0, 0, w, h), kStrip);
    p.fillRect(QRect(w - 1, 0, 1, h), kLine);
}

void paintChart(QPainter& p, int w, int h)
{
    drawCard(p, QRectF(0, 0, w, h), 6);
    const qreal base = h - 4;
    const qreal full = 238;
    for (int i = 0; i <= 4; ++i) {
        const qreal y = base - full * i / 4;
        p.fillRect(QRectF(96, y, w - 110, 1), i == 0 ? QColor(0x5a, 0x6e, 0x8c) : QColor(0xe0, 0xe7, 0xf1));
        drawText(p, QRectF(40, y - 9, 50, 18), QString::number(i * 25) + QLatin1Char('%'), kSoftInk, 11,
                 false, Qt::AlignRight | Qt::AlignVCenter);
    }
    // The whole of the questions: the full column the two progress bars are measured against.
    const QRectF total(112, base - full, 60, full);
    fillGradient(p, total, QColor(0x8c, 0xb8, 0xf0), QColor(0x3a, 0x74, 0xcc));
    drawText(p, QRectF(8, 8, 80, 20), u("学习进度"), kTitleBlue, 13, true, Qt::AlignLeft | Qt::AlignVCenter);
}

void paintUnitTitle(QPainter& p, int w, int h)
{
    QRadialGradient g(QPointF(w * 0.4, h * 0.35), w * 0.7);
    g.setColorAt(0, QColor(0x7e, 0xb6, 0xf4));
    g.setColorAt(1, QColor(0x24, 0x5c, 0xb8));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QRectF(2, 2, w - 4, h - 4));
    drawGlyph(p, Glyph::Book, QRectF(w * 0.2, h * 0.2, w * 0.6, h * 0.6), Qt::white);
}

void paintPaperCard(QPainter& p, int w, int h)
{
    p.fillRect(QRect(0, 0, w, h), kBody);
    drawCard(p, QRectF(0, 0, w, h), 6);
    p.fillRect(QRectF(1, 8, 3, h - 16), QColor(0x3a, 0x74, 0xcc));
    drawGlyph(p, Glyph::Paper, QRectF(w - 30, 8, 22, 22), QColor(0xb8, 0xcc, 0xe8));
}

void paintRandomPaper(QPainter& p, int w, int h)
{
    p.fillRect(QRect(0, 0, w, h), kBody);
    drawCard(p, QRectF(8, 10, w - 16, 330), 10);
    drawGlyph(p, Glyph::Dice, QRectF(36, 46, 120, 120), QColor(0x3a, 0x74, 0xcc));
    drawHeading(p, QRectF(180, 44, w - 200, 36), u("随机试卷"), kTitleBlue, 26);
    const char* lines[] = {
        "从全部题库中随机抽取40道题目，组成一套新的模拟试卷。",
        "考试时间50分钟，每题2.5分，满分100分。",
        "最近生成的10套试卷保存在“随机试卷”中，可以再次考试。",
        "点击右下方的按钮，立即生成试卷并开始考试。",
    };
    qreal y = 96;
    for (const char* line : lines) {
        drawText(p, QRectF(180, y, w - 200, 48), u(line), kInk, 14, false, Qt::AlignLeft | Qt::AlignTop);
        y += 40;
    }
}

void paintReview(QPainter& p, int w, int h, Glyph glyph, const QColor& accent, const char* title,
                 const char* intro, const char* notYet, const char* done)
{
    p.fillRect(QRect(0, 0, w, h), kBody);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(lighter(accent, 82));
    p.drawEllipse(QRectF(50, 70, 170, 170));
    p.restore();
    drawGlyph(p, glyph, QRectF(85, 105, 100, 100), accent);
    drawHeading(p, QRectF(260, 30, 480, 40), u(title), kTitleBlue, 26);
    drawText(p, QRectF(262, 74, 500, 40), u(intro), kSoftInk, 14, false, Qt::AlignLeft | Qt::AlignTop);
    // The frame around the scope switches, counters and the start and clear buttons.
    p.save();
    p.setPen(QPen(kLine, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(360.5, 124.5, 380, 136), 8, 8);
    p.restore();
    p.fillRect(QRect(372, 116, 76, 18), kBody);
    drawText(p, QRectF(374, 116, 72, 18), u("复习范围"), kTitleBlue, 13, true);
    drawText(p, QRectF(528, 152, 40, 30), u("题"), kInk, 14, false, Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRectF(528, 182, 40, 30), u("题"), kInk, 14, false, Qt::AlignLeft | Qt::AlignVCenter);
    const QString hint = u("勾选“%1”或“%2”选好复习范围，再点“开始复习”。").arg(u(notYet), u(done));
    drawText(p, QRectF(262, 290, 500, 40), hint, kSoftInk, 13, false, Qt::AlignLeft | Qt::AlignTop);
}

void paintMarkedPanel(QPainter& p, int w, int h)
{
    paintReview(p, w, h, Glyph::Star, QColor(0xec, 0x9a, 0x12), "收藏题目",
                "练习时收藏的题目集中在这里，可以随时复习。", "未复习", "已复习");
}

void paintWrongPanel(QPainter& p, int w, int h)
{
    paintReview(p, w, h, Glyph::WrongBook, QColor(0x74, 0x46, 0xbc), "我的错题",
                "模拟考试中没有完成的题目会记入我的错题，可以反复练习。", "未学习", "已学习");
}

// Backdrop shared by the two log-on pages.
void paintLogOnBackdrop(QPainter& p, int w, int h)
{
    fillGradient(p, QRectF(0, 0, w, h), QColor(0x3e, 0x80, 0xd8), QColor(0x9c, 0xc4, 0xf0));
    fillGradient(p, QRectF(0, 0, w, 80), kHeaderBottom, kHeaderTop);
    drawGlyph(p, Glyph::Logo, QRectF(24, 12, 56, 56), Qt::white);
    drawHeading(p, QRectF(94, 14, 600, 52), u("模拟考试练习系统"), Qt::white, 30);
    drawText(p, QRectF(0, h - 34, w, 24), u("本系统为模拟练习环境，登录信息只用于练习。"), Qt::white, 13);
}

void paintLogOn(QPainter& p, int w, int h)
{
    paintLogOnBackdrop(p, w, h);
    drawCard(p, QRectF(150, 170, 500, 280), 12);
    drawHeading(p, QRectF(150, 188, 500, 36), u("考 生 登 录"), kTitleBlue, 24, Qt::AlignCenter);
    drawText(p, QRectF(150, 236, 500, 24), u("请输入座位号和身份证号，然后点击“登录”。"), kSoftInk, 14);
    drawText(p, QRectF(200, 296, 130, 24), u("座 位 号："), kInk, 16, true, Qt::AlignRight | Qt::AlignVCenter);
    drawText(p, QRectF(200, 327, 130, 24), u("身份证号："), kInk, 16, true, Qt::AlignRight | Qt::AlignVCenter);
    drawField(p, QRectF(336, 294, 221, 28));
    drawField(p, QRectF(336, 325, 221, 28));
    // The two buttons: the window lays its hot spots exactly over them.
    drawBody(p, QRectF(285, 376, 89, 33), kBlue, 6);
    drawText(p, QRectF(285, 376, 89, 33), u("登录"), Qt::white, 16, true);
    drawBody(p, QRectF(444, 376, 89, 33), kSilver, 6);
    drawText(p, QRectF(444, 376, 89, 33), u("退出"), kSilver.text, 16, true);
}

void paintLogOnCheck(QPainter& p, int w, int h)
{
    paintLogOnBackdrop(p, w, h);
    drawCard(p, QRectF(30, 104, 740, 456), 12);
    drawHeading(p, QRectF(30, 112, 740, 32), u("考生信息确认"), kTitleBlue, 22, Qt::AlignCenter);
    drawText(p, QRectF(70, 148, 200, 20), u("考生信息"), kTitleBlue, 14, true, Qt::AlignLeft | Qt::AlignVCenter);
    const struct {
        int right;
        int y;
        const char* text;
    } names[] = {{266, 172, "姓    名："}, {266, 194, "座 位 号："}, {266, 218, "场    次："},
                 {161, 279, "考试科目："}, {161, 304, "身份证号："}, {161, 328, "档 案 号："},
                 {161, 348, "考试日期："}};
    for (const auto& n : names)
        drawText(p, QRectF(n.right - 150, n.y, 150, 20), u(n.text), kInk, 16, true,
                 Qt::AlignRight | Qt::AlignVCenter);
    p.fillRect(QRect(70, 248, 480, 1), kLine);
    drawText(p, QRectF(70, 254, 200, 20), u("考试信息"), kTitleBlue, 14, true, Qt::AlignLeft | Qt::AlignVCenter);
    // Photograph frame.
    drawField(p, QRectF(580, 150, 120, 150));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc8, 0xd6, 0xe8));
    p.drawEllipse(QRectF(615, 170, 50, 56));
    p.drawRoundedRect(QRectF(598, 232, 84, 66), 30, 30);
    p.restore();
    drawText(p, QRectF(70, 400, 660, 24), u("请核对以上信息，核对无误后系统将自动进入考试。"), kSoftInk, 14, false,
             Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRectF(70, 500, 500, 24), u("正在进入考试，请稍候……"), kInk, 14, false,
             Qt::AlignLeft | Qt::AlignVCenter);
    drawField(p, QRectF(73, 531, 691, 14));
}

void paintScorePage(QPainter& p, int w, int h)
{
    p.fillRect(QRect(0, 0, w, h), kBody);
    fillGradient(p, QRectF(0, 0, w, 100), kHeaderTop, kHeaderBottom);
    drawGlyph(p, Glyph::Chart, QRectF(40, 22, 56, 56), Qt::white);
    drawHeading(p, QRectF(110, 20, 600, 40), u("模拟考试成绩"), Qt::white, 30);
    drawText(p, QRectF(112, 62, 600, 24), u("本场考试已交卷"), QColor(0xdc, 0xea, 0xff), 15, false,
             Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRectF(0, 150, w, 30), u("考试结束！下面是本次考试的结果。"), kInk, 18, true);
    // Legend of the result buttons.
    const qreal y = 212;
    drawBody(p, QRectF(250, y, 18, 18), {QColor(0xe6, 0xf8, 0xdf), QColor(0xa4, 0xde, 0x94), QColor(0x58, 0xa4, 0x48), kInk}, 3);
    drawText(p, QRectF(274, y - 3, 60, 24), u("已完成"), kInk, 14, false, Qt::AlignLeft | Qt::AlignVCenter);
    drawBody(p, QRectF(346, y, 18, 18), {QColor(0xff, 0xe6, 0xe2), QColor(0xf4, 0xa6, 0x9e), QColor(0xc8, 0x56, 0x4a), kInk}, 3);
    drawText(p, QRectF(370, y - 3, 60, 24), u("未完成"), kInk, 14, false, Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRectF(440, y - 3, 200, 24), u("点击题号可查看题目"), kSoftInk, 14, false,
             Qt::AlignLeft | Qt::AlignVCenter);
    p.fillRect(QRect(100, 358, 600, 1), kLine);
    drawCard(p, QRectF(66, 512, 668, 68), 6);
}

void paintLogo(QPainter& p, int w, int h)
{
    drawGlyph(p, Glyph::Logo, QRectF(0, 0, w, h), Qt::white);
}

void paintQuestionIcon(QPainter& p, int w, int h)
{
    drawGlyph(p, Glyph::Question, QRectF(0, 0, w, h), QColor(0xf0, 0x8a, 0x1c));
}

void paintNoticeIcon(QPainter& p, int w, int h)
{
    drawGlyph(p, Glyph::Notice, QRectF(0, 0, w, h), QColor(0x2a, 0x6e, 0xd0));
}

struct PageDef {
    const char* id;
    int w;
    int h;
    bool transparent;
    void (*paint)(QPainter&, int, int);
};

const PageDef kPages[] = {
    {"l20059", 400, 200, false, paintStartUp},
    {"l20069", 370, 250, false, paintMessageDialog},
    {"l20070", 420, 280, false, paintAboutDialog},
    {"l20067", 24, 24, true, paintLogo},
    {"l20071", 48, 48, true, paintQuestionIcon},
    {"l20072", 48, 48, true, paintNoticeIcon},
    {"l62009", 116, 23, true, paintSurfaceLogo},
    {"l01046", 332, 242, false, paintQuestionPanel},
    {"l20060", 800, 600, false, paintHomeBackground},
    {"l20051", 800, 180, false, paintCover},
    {"l20052", 800, 110, false, paintTopBar},
    {"l20053", 800, 460, false, paintPanel},
    {"l20054", 184, 458, false, paintLeftStrip},
    {"l20055", 410, 262, false, paintChart},
    {"l20064", 64, 64, true, paintUnitTitle},
    {"l20065", 294, 80, false, paintPaperCard},
    {"l20066", 606, 440, false, paintRandomPaper},
    {"l20057", 800, 460, false, paintMarkedPanel},
    {"l20058", 800, 460, false, paintWrongPanel},
    {"9l0056", 800, 600, false, paintLogOn},
    {"9l0057", 800, 600, false, paintLogOnCheck},
    {"9l0058", 800, 600, false, paintScorePage},
};

QImage render(const PageDef& page)
{
    QImage image = blankImage(page.w, page.h, page.transparent ? QColor(Qt::transparent) : kBody);
    QPainter p;
    beginPainter(p, image);
    page.paint(p, page.w, page.h);
    p.end();
    return image;
}

} // namespace

QImage pagePicture(const QString& id)
{
    for (const PageDef& page : kPages)
        if (id == QLatin1String(page.id))
            return render(page);
    return {};
}

QImage logoImage(int side)
{
    return render({"", side, side, true, paintLogo});
}

void writePagePictures(const QString& dataFolder)
{
    for (const PageDef& page : kPages)
        render(page).save(dataFolder + QLatin1String(page.id) + QLatin1String(".mxy"), "PNG");
}

} // namespace skin
