#include "skin_paint.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace skin {

const Palette kBlue{QColor(0x6a, 0xa6, 0xee), QColor(0x2a, 0x66, 0xc6), QColor(0x1c, 0x4a, 0x96),
                    Qt::white};
const Palette kSilver{QColor(0xff, 0xff, 0xff), QColor(0xd9, 0xe2, 0xee), QColor(0x8c, 0xa0, 0xbe),
                      QColor(0x1e, 0x34, 0x5c)};
const Palette kGreen{QColor(0x7c, 0xcf, 0x72), QColor(0x2f, 0x98, 0x3a), QColor(0x21, 0x72, 0x2a),
                     Qt::white};
const Palette kOrange{QColor(0xff, 0xb8, 0x5c), QColor(0xec, 0x7a, 0x12), QColor(0xb8, 0x5a, 0x0a),
                      Qt::white};
const Palette kRed{QColor(0xef, 0x8a, 0x6e), QColor(0xc4, 0x3c, 0x26), QColor(0x8e, 0x26, 0x16),
                   Qt::white};
const Palette kGrey{QColor(0xee, 0xee, 0xee), QColor(0xd2, 0xd2, 0xd2), QColor(0xa8, 0xa8, 0xa8),
                    QColor(0x9a, 0x9a, 0x9a)};
const Palette kChosen{QColor(0xff, 0xf3, 0xd2), QColor(0xff, 0xd9, 0x8a), QColor(0xe0, 0x9a, 0x2c),
                      QColor(0x7a, 0x3c, 0x00)};
const Palette kSlate{QColor(0x93, 0xa6, 0xc4), QColor(0x5c, 0x72, 0x98), QColor(0x44, 0x56, 0x78),
                     Qt::white};

const QColor kHeaderTop(0x4a, 0x8a, 0xe0);
const QColor kHeaderBottom(0x1f, 0x52, 0xac);
const QColor kBody(0xf4, 0xf7, 0xfc);
const QColor kFooter(0xe2, 0xea, 0xf6);
const QColor kInk(0x22, 0x2e, 0x40);
const QColor kSoftInk(0x5a, 0x66, 0x78);
const QColor kLine(0x9d, 0xb2, 0xd2);
const QColor kTabBandTop(0x3b, 0x78, 0xd0);
const QColor kTabBandBottom(0x24, 0x58, 0xb0);
const QColor kStrip(0xdd, 0xe8, 0xf6);
const QColor kPanelFace(0xf0, 0xf0, 0xf0);
const QColor kHandInFace(0xeb, 0xe9, 0xd8);
const QColor kHeaderMid(0x37, 0x70, 0xc8);

QColor lighter(const QColor& c, int percent)
{
    auto up = [percent](int v) { return v + (255 - v) * percent / 100; };
    return QColor(up(c.red()), up(c.green()), up(c.blue()));
}

QColor darker(const QColor& c, int percent)
{
    auto down = [percent](int v) { return v * (100 - percent) / 100; };
    return QColor(down(c.red()), down(c.green()), down(c.blue()));
}

Palette lighter(const Palette& p, int percent)
{
    return {lighter(p.top, percent), lighter(p.bottom, percent), p.border, p.text};
}

Palette darker(const Palette& p, int percent)
{
    return {darker(p.top, percent), darker(p.bottom, percent), darker(p.border, percent), p.text};
}

QFont font(int pixelSize, bool bold)
{
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QImage blankImage(int w, int h, const QColor& fill)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

void beginPainter(QPainter& p, QImage& image)
{
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

void fillGradient(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom,
                  qreal radius)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    if (radius > 0)
        p.drawRoundedRect(r, radius, radius);
    else
        p.drawRect(r);
    p.restore();
}

void drawBody(QPainter& p, const QRectF& r, const Palette& pal, qreal radius)
{
    const QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    fillGradient(p, body, pal.top, pal.bottom, radius);
    p.save();
    // A soft shine on the upper half.
    QRectF shine = body.adjusted(1.5, 1.5, -1.5, -body.height() / 2);
    QLinearGradient g(shine.topLeft(), shine.bottomLeft());
    g.setColorAt(0, QColor(255, 255, 255, 110));
    g.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(shine, std::max<qreal>(radius - 1, 0), std::max<qreal>(radius - 1, 0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pal.border, 1));
    p.drawRoundedRect(body, radius, radius);
    p.restore();
}

void drawText(QPainter& p, const QRectF& r, const QString& text, const QColor& colour,
              int pixelSize, bool bold, int flags)
{
    p.save();
    p.setFont(font(pixelSize, bold));
    p.setPen(colour);
    p.drawText(r, flags | Qt::TextWordWrap, text);
    p.restore();
}

void drawHeading(QPainter& p, const QRectF& r, const QString& text, const QColor& colour,
                 int pixelSize, int flags)
{
    const QColor shadow = colour.lightness() > 128 ? QColor(0, 0, 0, 90) : QColor(255, 255, 255, 160);
    drawText(p, r.translated(1, 1), text, shadow, pixelSize, true, flags);
    drawText(p, r, text, colour, pixelSize, true, flags);
}

void drawWindowFrame(QPainter& p, int w, int h, int headerHeight)
{
    p.fillRect(QRect(0, 0, w, h), kBody);
    fillGradient(p, QRectF(0, 0, w, headerHeight), kHeaderTop, kHeaderBottom);
    p.fillRect(QRect(0, headerHeight - 2, w, 2), QColor(0x16, 0x3c, 0x80));
    p.save();
    p.setPen(QPen(kHeaderBottom, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    p.restore();
}

namespace {

// The pointing hand, in a 100 x 100 box with the finger tip at (30, 3).
QPainterPath handPath()
{
    QPainterPath path;
    path.moveTo(22, 12);
    path.cubicTo(22, 0, 38, 0, 38, 12);
    path.lineTo(38, 44);
    path.cubicTo(39, 36, 50, 36, 50, 46);
    path.cubicTo(52, 38, 64, 38, 64, 50);
    path.cubicTo(66, 42, 78, 42, 78, 54);
    path.lineTo(78, 74);
    path.cubicTo(78, 86, 72, 94, 62, 96);
    path.lineTo(38, 96);
    path.cubicTo(30, 94, 24, 86, 16, 74);
    path.lineTo(6, 58);
    path.cubicTo(2, 50, 12, 44, 18, 52);
    path.lineTo(22, 60);
    path.closeSubpath();
    return path;
}

QPainterPath starPath(qreal cx, qreal cy, qreal outer, qreal inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const qreal rad = (i % 2 == 0) ? outer : inner;
        const QPointF pt(cx + rad * std::cos(a), cy + rad * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

// The colour at low opacity: the inside of outlined glyphs, light on any ground.
QColor wash(const QColor& c, int alpha)
{
    return QColor(c.red(), c.green(), c.blue(), alpha);
}

void paperSheet(QPainter& p, const QColor& colour, const QColor& fill)
{
    QPainterPath sheet;
    sheet.moveTo(20, 6);
    sheet.lineTo(64, 6);
    sheet.lineTo(82, 24);
    sheet.lineTo(82, 94);
    sheet.lineTo(20, 94);
    sheet.closeSubpath();
    p.setBrush(fill);
    p.setPen(QPen(colour, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(sheet);
    p.drawPolyline(QPolygonF({QPointF(64, 6), QPointF(64, 24), QPointF(82, 24)}));
}

void circleMark(QPainter& p, const QColor& colour, const QString& mark)
{
    QRadialGradient g(QPointF(40, 34), 60);
    g.setColorAt(0, lighter(colour, 45));
    g.setColorAt(1, colour);
    p.setPen(QPen(darker(colour, 25), 3));
    p.setBrush(g);
    p.drawEllipse(QRectF(5, 5, 90, 90));
    p.setPen(Qt::white);
    QFont f = font(64, true);
    p.setFont(f);
    p.drawText(QRectF(5, 2, 90, 90), Qt::AlignCenter, mark);
}

} // namespace

void drawGlyph(QPainter& p, Glyph g, const QRectF& r, const QColor& colour)
{
    if (g == Glyph::None)
        return;
    const qreal side = std::min(r.width(), r.height());
    p.save();
    p.translate(r.center().x() - side / 2, r.center().y() - side / 2);
    p.scale(side / 100.0, side / 100.0);
    const QPen thick(colour, 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QPen medium(colour, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (g) {
    case Glyph::None:
        break;
    case Glyph::Minimise:
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRect(QRectF(24, 64, 52, 14));
        break;
    case Glyph::Close:
        p.setPen(QPen(colour, 14, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(28, 28), QPointF(72, 72));
        p.drawLine(QPointF(72, 28), QPointF(28, 72));
        break;
    case Glyph::Logo: {
        // A screen with a tick: the mark of this trainer.
        QLinearGradient screen(QPointF(0, 8), QPointF(0, 72));
        screen.setColorAt(0, QColor(0x5f, 0xb0, 0xff));
        screen.setColorAt(1, QColor(0x16, 0x5a, 0xc8));
        p.setPen(QPen(QColor(0x12, 0x36, 0x70), 4));
        p.setBrush(screen);
        p.drawRoundedRect(QRectF(6, 8, 88, 64), 10, 10);
        p.setBrush(QColor(0x12, 0x36, 0x70));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(42, 72, 16, 12));
        p.drawRoundedRect(QRectF(24, 84, 52, 10), 4, 4);
        p.setPen(QPen(QColor(0xff, 0xd2, 0x3a), 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(28, 40), QPointF(44, 56), QPointF(74, 24)}));
        break;
    }
    case Glyph::Question:
        circleMark(p, colour, QStringLiteral("?"));
        break;
    case Glyph::Notice:
        circleMark(p, colour, QStringLiteral("i"));
        break;
    case Glyph::Home:
        p.setPen(medium);
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(8, 50), QPointF(50, 12), QPointF(92, 50)}));
        p.drawPolyline(QPolygonF({QPointF(22, 40), QPointF(22, 90), QPointF(78, 90), QPointF(78, 40)}));
        p.setBrush(colour);
        p.drawRect(QRectF(42, 62, 16, 28));
        break;
    case Glyph::Book:
        p.setPen(medium);
        p.setBrush(wash(colour, 70));
        p.drawPolygon(QPolygonF({QPointF(50, 24), QPointF(10, 14), QPointF(10, 80), QPointF(50, 90)}));
        p.drawPolygon(QPolygonF({QPointF(50, 24), QPointF(90, 14), QPointF(90, 80), QPointF(50, 90)}));
        p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 3; ++i) {
            p.drawLine(QPointF(20, 36 + i * 14), QPointF(42, 41 + i * 14));
            p.drawLine(QPointF(58, 41 + i * 14), QPointF(80, 36 + i * 14));
        }
        break;
    case Glyph::Paper:
        paperSheet(p, colour, wash(colour, 60));
        p.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(32, 40 + i * 14), QPointF(70, 40 + i * 14));
        break;
    case Glyph::Star:
        p.setPen(QPen(darker(colour, 20), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(colour);
        p.drawPath(starPath(50, 54, 46, 19));
        break;
    case Glyph::WrongBook:
        paperSheet(p, colour, wash(colour, 60));
        p.setPen(QPen(QColor(0xd8, 0x2c, 0x20), 10, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(36, 44), QPointF(66, 74));
        p.drawLine(QPointF(66, 44), QPointF(36, 74));
        break;
    case Glyph::Update: {
        p.setPen(thick);
        p.setBrush(Qt::NoBrush);
        const QRectF ring(18, 18, 64, 64);
        p.drawArc(ring, 30 * 16, 150 * 16);
        p.drawArc(ring, 210 * 16, 150 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(QPolygonF({QPointF(90, 18), QPointF(92, 50), QPointF(64, 38)}));
        p.drawPolygon(QPolygonF({QPointF(10, 82), QPointF(8, 50), QPointF(36, 62)}));
        break;
    }
    case Glyph::Help:
        p.setPen(medium);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(8, 8, 84, 84));
        p.setPen(colour);
        p.setFont(font(62, true));
        p.drawText(QRectF(8, 6, 84, 84), Qt::AlignCenter, QStringLiteral("?"));
        break;
    case Glyph::Globe:
        p.setPen(QPen(colour, 6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(8, 8, 84, 84));
        p.drawEllipse(QRectF(30, 8, 40, 84));
        p.drawLine(QPointF(50, 8), QPointF(50, 92));
        p.drawLine(QPointF(8, 50), QPointF(92, 50));
        p.drawLine(QPointF(16, 28), QPointF(84, 28));
        p.drawLine(QPointF(16, 72), QPointF(84, 72));
        break;
    case Glyph::Play:
        p.setPen(QPen(colour, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(colour);
        p.drawPolygon(QPolygonF({QPointF(28, 16), QPointF(84, 50), QPointF(28, 84)}));
        break;
    case Glyph::Dice:
        p.setPen(QPen(colour, 6));
        p.setBrush(wash(colour, 40));
        p.drawRoundedRect(QRectF(10, 10, 80, 80), 16, 16);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        for (const QPointF& c : {QPointF(30, 30), QPointF(70, 30), QPointF(50, 50), QPointF(30, 70),
                                 QPointF(70, 70)})
            p.drawEllipse(c, 8, 8);
        break;
    case Glyph::Chart:
        p.setPen(QPen(colour, 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10, 90), QPointF(92, 90));
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRect(QRectF(18, 50, 16, 36));
        p.drawRect(QRectF(42, 24, 16, 62));
        p.setBrush(lighter(colour, 40));
        p.drawRect(QRectF(66, 38, 16, 48));
        break;
    case Glyph::Bin:
        p.setPen(medium);
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(14, 24), QPointF(86, 24));
        p.drawPolyline(QPolygonF({QPointF(38, 24), QPointF(40, 12), QPointF(60, 12), QPointF(62, 24)}));
        p.drawPolygon(QPolygonF({QPointF(22, 32), QPointF(28, 92), QPointF(72, 92), QPointF(78, 32)}));
        p.drawLine(QPointF(42, 44), QPointF(43, 80));
        p.drawLine(QPointF(58, 44), QPointF(57, 80));
        break;
    case Glyph::Back:
        p.setPen(thick);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(24, 26, 64, 60), -90 * 16, 180 * 16);
        p.drawLine(QPointF(56, 86), QPointF(40, 86));
        p.drawLine(QPointF(56, 26), QPointF(30, 26));
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(QPolygonF({QPointF(8, 26), QPointF(36, 6), QPointF(36, 46)}));
        break;
    case Glyph::Previous:
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(QPolygonF({QPointF(24, 50), QPointF(70, 18), QPointF(70, 82)}));
        break;
    case Glyph::Next:
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(QPolygonF({QPointF(76, 50), QPointF(30, 18), QPointF(30, 82)}));
        break;
    case Glyph::Hand:
        p.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(colour);
        p.drawPath(handPath());
        p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(50, 48), QPointF(50, 62));
        p.drawLine(QPointF(64, 52), QPointF(64, 64));
        break;
    }
    p.restore();
}

} // namespace skin
