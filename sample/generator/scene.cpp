#include "scene.h"

#include "../tables.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSet>

namespace gen {

namespace {

const QString kFontFamily = QStringLiteral("WenQuanYi Micro Hei");
const QColor kFace(0xEC, 0xE9, 0xD8);
const QColor kSelect(0x31, 0x6A, 0xC5);
const QColor kFrame(0x00, 0x55, 0xEA);
const QColor kBoxBorder(0x7F, 0x9D, 0xB9);
const QColor kMenuBorder(0xAC, 0xA8, 0x99);

QFont font(int px, bool bold = false)
{
    QFont f(kFontFamily);
    f.setPixelSize(px);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QColor colourOf(const QString& text, const QColor& fallback)
{
    if (text.isEmpty())
        return fallback;
    const QColor c(text);
    return c.isValid() ? c : fallback;
}

// The painter of one picture with its regions.
class Canvas {
public:
    explicit Canvas(QImage& image) : p(&image)
    {
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
    }

    QPainter p;
    QMap<QString, QRect> regions;

    void region(const QString& name, const QRect& r)
    {
        if (!name.isEmpty() && name != u"-")
            regions[name] = r;
    }

    void text(const QRect& r, const QString& s, int px, const QColor& colour, int flags = Qt::AlignLeft | Qt::AlignVCenter,
              bool bold = false)
    {
        p.setFont(font(px, bold));
        p.setPen(colour);
        p.drawText(r, flags | Qt::TextWordWrap, s);
    }

    // --- icons, drawn in a square of side s at (x, y).
    void glyph(const QString& type, int x, int y, int s, bool selected = false);

    // Caption buttons: "window" minimise, maximise and close; "dialog" close; "help" help and close.
    void titleBar(const QRect& r, const QString& title, bool active, const QString& buttons, const QString& name, const QString& icon);
    void raisedButton(const QRect& r, const QString& caption, bool isDefault = false, bool enabled = true);
    void textBox(const QRect& r, const QString& content);
    void menuRows(const QRect& r, const QStringList& items, int selected, int rowHeight, int sepHeight, const QString& name,
                  const QSet<int>& arrows = {});
};

void Canvas::glyph(const QString& type, int x, int y, int s, bool selected)
{
    const double k = s / 32.0;
    p.save();
    p.translate(x, y);
    p.scale(k, k);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    if (type == u"computer") {
        p.setBrush(QColor(0xD8, 0xD8, 0xD0));
        p.drawRoundedRect(3, 2, 26, 20, 2, 2);
        QLinearGradient g(0, 4, 0, 19);
        g.setColorAt(0, QColor(0x5B, 0xA8, 0xF5));
        g.setColorAt(1, QColor(0x1C, 0x5C, 0xC8));
        p.setBrush(g);
        p.drawRect(6, 5, 20, 14);
        p.setBrush(QColor(0xB8, 0xB8, 0xB0));
        p.drawRect(10, 23, 12, 3);
        p.drawRoundedRect(4, 26, 24, 5, 2, 2);
    } else if (type == u"folder" || type == u"openfolder") {
        p.setBrush(QColor(0xE8, 0xB8, 0x40));
        p.drawRoundedRect(2, 6, 13, 6, 2, 2);
        QLinearGradient g(0, 8, 0, 28);
        g.setColorAt(0, QColor(0xFF, 0xE6, 0x8C));
        g.setColorAt(1, QColor(0xF0, 0xC0, 0x48));
        p.setBrush(g);
        p.drawRoundedRect(2, 9, 28, 19, 2, 2);
    } else if (type == u"recycle" || type == u"recyclefull") {
        p.setBrush(QColor(0xE8, 0xEE, 0xF4));
        QPolygon bin;
        bin << QPoint(7, 8) << QPoint(25, 8) << QPoint(23, 30) << QPoint(9, 30);
        p.drawPolygon(bin);
        p.setBrush(QColor(0xC8, 0xD2, 0xDC));
        p.drawRoundedRect(5, 5, 22, 4, 1, 1);
        p.setPen(QPen(QColor(0x2E, 0x9E, 0x3C), 2));
        p.drawArc(11, 13, 10, 10, 30 * 16, 300 * 16);
        if (type == u"recyclefull") {
            p.setPen(QPen(QColor(60, 60, 60), 1));
            p.setBrush(Qt::white);
            p.drawRect(9, 1, 8, 7);
            p.drawRect(16, 2, 7, 6);
        }
    } else if (type == u"doc" || type == u"txt" || type == u"word" || type == u"excel" || type == u"image" || type == u"music") {
        p.setBrush(Qt::white);
        QPolygon page;
        page << QPoint(6, 2) << QPoint(21, 2) << QPoint(27, 8) << QPoint(27, 30) << QPoint(6, 30);
        p.drawPolygon(page);
        p.drawLine(21, 2, 21, 8);
        p.drawLine(21, 8, 27, 8);
        if (type == u"word" || type == u"excel") {
            p.setBrush(type == u"word" ? QColor(0x2B, 0x57, 0x9A) : QColor(0x1D, 0x7A, 0x3E));
            p.drawRect(3, 13, 14, 13);
            p.setPen(Qt::white);
            p.setFont(font(11, true));
            p.drawText(QRect(3, 13, 14, 13), Qt::AlignCenter, type == u"word" ? QStringLiteral("W") : QStringLiteral("X"));
        } else if (type == u"image") {
            p.setBrush(QColor(0x9C, 0xD2, 0xF5));
            p.drawRect(9, 12, 15, 13);
            p.setBrush(QColor(0x3C, 0xA0, 0x3C));
            QPolygon hill;
            hill << QPoint(9, 25) << QPoint(15, 17) << QPoint(20, 22) << QPoint(24, 18) << QPoint(24, 25);
            p.drawPolygon(hill);
        } else if (type == u"music") {
            p.setBrush(QColor(0x30, 0x30, 0x90));
            p.drawEllipse(10, 21, 6, 5);
            p.drawLine(16, 23, 16, 12);
            p.drawLine(16, 12, 22, 14);
        } else {
            p.setPen(QColor(0x80, 0x80, 0x80));
            for (int ly = 13; ly <= 26; ly += 4)
                p.drawLine(10, ly, 23, ly);
        }
    } else if (type == u"ie") {
        p.setBrush(QColor(0x1E, 0x78, 0xD8));
        p.drawEllipse(4, 4, 24, 24);
        p.setPen(Qt::white);
        p.setFont(font(20, true));
        p.drawText(QRect(4, 2, 24, 26), Qt::AlignCenter, QStringLiteral("e"));
        p.setPen(QPen(QColor(0xF0, 0xC0, 0x30), 2));
        p.drawArc(1, 9, 30, 14, 0, 360 * 16);
    } else if (type == u"drive" || type == u"cd") {
        p.setBrush(QColor(0xD8, 0xD8, 0xD8));
        p.drawRoundedRect(2, 11, 28, 13, 2, 2);
        if (type == u"cd") {
            p.setBrush(QColor(0xE0, 0xE8, 0xF8));
            p.drawEllipse(9, 3, 18, 18);
            p.setBrush(Qt::white);
            p.drawEllipse(16, 10, 4, 4);
        }
        p.setBrush(QColor(0x30, 0xC0, 0x30));
        p.drawRect(23, 19, 4, 2);
    } else if (type == u"network") {
        p.setBrush(QColor(0x3C, 0x8C, 0xE0));
        p.drawEllipse(6, 2, 20, 20);
        p.setPen(QPen(QColor(0x30, 0xA0, 0x30), 2));
        p.drawLine(8, 12, 24, 12);
        p.drawLine(16, 3, 16, 21);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(0xC8, 0xC8, 0xC8));
        p.drawRect(2, 24, 28, 5);
    } else if (type == u"control") {
        p.setBrush(QColor(0xF0, 0xF0, 0xF0));
        p.drawRoundedRect(2, 4, 28, 24, 3, 3);
        const QColor cs[4] = {QColor(0xE0, 0x40, 0x30), QColor(0x30, 0xA0, 0x30), QColor(0x30, 0x70, 0xE0), QColor(0xF0, 0xB0, 0x20)};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(cs[i]);
            p.drawRect(6 + (i % 2) * 11, 8 + (i / 2) * 9, 9, 7);
        }
    } else if (type == u"printer") {
        p.setBrush(Qt::white);
        p.drawRect(9, 3, 14, 10);
        p.setBrush(QColor(0xC8, 0xC8, 0xC8));
        p.drawRoundedRect(3, 12, 26, 12, 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(8, 22, 16, 7);
    } else if (type == u"program" || type == u"notepad" || type == u"paint" || type == u"calc") {
        p.setBrush(Qt::white);
        p.drawRect(3, 5, 26, 22);
        p.setBrush(QColor(0x1C, 0x5C, 0xC8));
        p.drawRect(3, 5, 26, 6);
        if (type == u"notepad") {
            p.setPen(QColor(0x80, 0x80, 0x80));
            for (int ly = 15; ly <= 24; ly += 3)
                p.drawLine(7, ly, 25, ly);
        } else if (type == u"paint") {
            p.setBrush(QColor(0xE0, 0x40, 0x30));
            p.drawEllipse(7, 14, 7, 7);
            p.setBrush(QColor(0x30, 0xA0, 0x30));
            p.drawEllipse(15, 16, 7, 7);
        } else if (type == u"calc") {
            p.setBrush(QColor(0xD0, 0xD0, 0xD0));
            for (int i = 0; i < 6; ++i)
                p.drawRect(7 + (i % 3) * 6, 14 + (i / 3) * 6, 4, 4);
        }
    } else if (type == u"user") {
        p.setBrush(QColor(0xF5, 0xC8, 0x8C));
        p.drawEllipse(10, 3, 12, 12);
        p.setBrush(QColor(0x3C, 0x8C, 0x3C));
        p.drawRoundedRect(5, 16, 22, 14, 6, 6);
    } else if (type == u"search") {
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 3));
        p.setBrush(QColor(0xD8, 0xEC, 0xFF));
        p.drawEllipse(4, 4, 16, 16);
        p.drawLine(18, 18, 28, 28);
    } else if (type == u"help") {
        p.setBrush(QColor(0x1E, 0x78, 0xD8));
        p.drawEllipse(4, 4, 24, 24);
        p.setPen(Qt::white);
        p.setFont(font(18, true));
        p.drawText(QRect(4, 4, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
    } else if (type == u"run") {
        p.setBrush(Qt::white);
        p.drawRect(4, 8, 24, 18);
        p.setBrush(QColor(0x1C, 0x5C, 0xC8));
        p.drawRect(4, 8, 24, 5);
        p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2));
        p.drawLine(8, 21, 14, 21);
    } else if (type == u"logoff" || type == u"shutdown") {
        p.setBrush(type == u"logoff" ? QColor(0xF0, 0xA0, 0x20) : QColor(0xE0, 0x40, 0x20));
        p.drawRoundedRect(3, 3, 26, 26, 5, 5);
        p.setPen(QPen(Qt::white, 3));
        p.drawArc(9, 9, 14, 14, 120 * 16, 300 * 16);
        p.drawLine(16, 6, 16, 15);
    } else {
        p.setBrush(QColor(0xB0, 0xC4, 0xDE));
        p.drawRect(4, 4, 24, 24);
    }
    if (selected) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x31, 0x6A, 0xC5, 90));
        p.drawRect(0, 0, 32, 32);
    }
    p.restore();
}

void Canvas::titleBar(const QRect& r, const QString& title, bool active, const QString& buttons, const QString& name, const QString& icon)
{
    QLinearGradient g(0, r.top(), 0, r.bottom());
    if (active) {
        g.setColorAt(0, QColor(0x3D, 0x95, 0xFF));
        g.setColorAt(0.15, QColor(0x0A, 0x5F, 0xE6));
        g.setColorAt(1, QColor(0x00, 0x48, 0xD0));
    } else {
        g.setColorAt(0, QColor(0xA6, 0xBB, 0xF0));
        g.setColorAt(1, QColor(0x7A, 0x96, 0xDF));
    }
    QPainterPath path;
    path.addRoundedRect(r.adjusted(0, 0, 0, 8), 7, 7);
    p.save();
    p.setClipRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
    p.restore();
    int textLeft = r.left() + 8;
    if (!icon.isEmpty()) {
        glyph(icon, r.left() + 6, r.top() + 6, 16);
        textLeft += 20;
    }
    // Caption buttons from the right: close, maximise, minimise (dialogs: close, help).
    const int bs = 21;
    const int by = r.top() + (r.height() - bs) / 2;
    int bx = r.right() - 5 - bs;
    auto capButton = [&](const QString& kind, const QString& part) {
        const QRect b(bx, by, bs, bs);
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(kind == u"close" ? QColor(0xE0, 0x50, 0x28) : QColor(0x2A, 0x6C, 0xF0));
        p.drawRoundedRect(b.adjusted(0, 0, -1, -1), 3, 3);
        p.setPen(QPen(Qt::white, 2));
        if (kind == u"close") {
            p.drawLine(b.left() + 6, b.top() + 6, b.right() - 6, b.bottom() - 6);
            p.drawLine(b.right() - 6, b.top() + 6, b.left() + 6, b.bottom() - 6);
        } else if (kind == u"max") {
            p.setBrush(Qt::NoBrush);
            p.drawRect(b.adjusted(5, 5, -6, -6));
        } else if (kind == u"min") {
            p.drawLine(b.left() + 6, b.bottom() - 6, b.left() + 12, b.bottom() - 6);
        } else {
            p.setFont(font(13, true));
            p.drawText(b, Qt::AlignCenter, QStringLiteral("?"));
        }
        region(name + QLatin1Char('.') + part, b);
        bx -= bs + 2;
    };
    capButton(QStringLiteral("close"), QStringLiteral("close"));
    if (buttons == u"help") {
        capButton(QStringLiteral("help"), QStringLiteral("help"));
    } else if (buttons == u"window") {
        capButton(QStringLiteral("max"), QStringLiteral("max"));
        capButton(QStringLiteral("min"), QStringLiteral("min"));
    }
    // One line, cut at the buttons.
    p.setFont(font(13, true));
    const QRect textRect(textLeft, r.top(), bx - textLeft, r.height());
    const QString shown = QFontMetrics(p.font()).elidedText(title, Qt::ElideRight, textRect.width());
    p.setPen(QColor(0, 0, 0x60));
    p.drawText(textRect.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, shown);
    p.setPen(Qt::white);
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, shown);
    region(name + QStringLiteral(".title"), QRect(r.left(), r.top(), bx - r.left(), r.height()));
}

void Canvas::raisedButton(const QRect& r, const QString& caption, bool isDefault, bool enabled)
{
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    g.setColorAt(1, QColor(0xE3, 0xE3, 0xDB));
    p.setPen(QPen(isDefault ? QColor(0x3C, 0x64, 0xC8) : QColor(0x00, 0x3C, 0x74), isDefault ? 2 : 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    text(r, caption, 12, enabled ? Qt::black : QColor(0xA0, 0xA0, 0x98), Qt::AlignCenter);
}

void Canvas::textBox(const QRect& r, const QString& content)
{
    p.setPen(kBoxBorder);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
    text(r.adjusted(4, 0, -2, 0), content, 12, Qt::black);
}

void Canvas::menuRows(const QRect& r, const QStringList& items, int selected, int rowHeight, int sepHeight, const QString& name,
                      const QSet<int>& arrows)
{
    p.setPen(kMenuBorder);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
    int y = r.top() + 2;
    for (int i = 0; i < items.size(); ++i) {
        const QString& item = items[i];
        if (item == u"-") {
            p.setPen(kMenuBorder);
            p.drawLine(r.left() + 3, y + sepHeight / 2, r.right() - 3, y + sepHeight / 2);
            y += sepHeight;
            continue;
        }
        QString caption = item;
        bool arrow = arrows.contains(i + 1);
        if (caption.endsWith(QLatin1Char('>'))) {
            caption.chop(1);
            arrow = true;
        }
        const QRect row(r.left() + 2, y, r.width() - 4, rowHeight);
        const bool sel = i + 1 == selected;
        if (sel) {
            p.setPen(Qt::NoPen);
            p.setBrush(kSelect);
            p.drawRect(row);
        }
        text(row.adjusted(22, 0, -14, 0), caption, 12, sel ? Qt::white : Qt::black);
        if (arrow) {
            p.setPen(Qt::NoPen);
            p.setBrush(sel ? Qt::white : Qt::black);
            const int cy = row.center().y();
            QPolygon tri;
            tri << QPoint(row.right() - 10, cy - 4) << QPoint(row.right() - 6, cy) << QPoint(row.right() - 10, cy + 4);
            p.drawPolygon(tri);
        }
        region(QStringLiteral("%1.%2").arg(name).arg(i + 1), row);
        y += rowHeight;
    }
}

// Height of a drawn menu of these items.
int menuHeight(const QStringList& items, int rowHeight, int sepHeight)
{
    int h = 4;
    for (const QString& i : items)
        h += i == u"-" ? sepHeight : rowHeight;
    return h;
}

QRect rectArgs(const Words& w, int from)
{
    return QRect(w.number(from), w.number(from + 1), w.number(from + 2), w.number(from + 3));
}

void drawDesktop(Canvas& c, const QSize& size)
{
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x2F, 0x6E, 0xD8));
    sky.setColorAt(0.6, QColor(0x7C, 0xB4, 0xF0));
    sky.setColorAt(1, QColor(0xB8, 0xDA, 0xF8));
    c.p.fillRect(QRect(QPoint(0, 0), size), sky);
    QPainterPath hill;
    hill.moveTo(0, size.height() * 0.72);
    hill.cubicTo(size.width() * 0.3, size.height() * 0.55, size.width() * 0.7, size.height() * 0.62, size.width(), size.height() * 0.7);
    hill.lineTo(size.width(), size.height());
    hill.lineTo(0, size.height());
    hill.closeSubpath();
    QLinearGradient grass(0, size.height() * 0.55, 0, size.height());
    grass.setColorAt(0, QColor(0x6C, 0xB8, 0x3C));
    grass.setColorAt(1, QColor(0x2C, 0x80, 0x20));
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(grass);
    c.p.drawPath(hill);
}

void drawTaskbar(Canvas& c, const Words& w, const QSize& size)
{
    const QString name = w.has(1) ? w.at(1) : QStringLiteral("taskbar");
    const QString at = w.option(QStringLiteral("at"), QStringLiteral("bottom"), 2);
    if (at != u"bottom" && at != u"top")
        failAt(w.where, QStringLiteral("a taskbar lies at=bottom or at=top, not \"%1\"").arg(at));
    const bool top = at == u"top";
    const QRect bar(0, top ? 0 : size.height() - 30, size.width(), 30);
    QLinearGradient g(0, bar.top(), 0, bar.bottom());
    g.setColorAt(0, QColor(0x3C, 0x81, 0xF3));
    g.setColorAt(0.2, QColor(0x24, 0x5E, 0xDC));
    g.setColorAt(1, QColor(0x1C, 0x4E, 0xC8));
    c.p.fillRect(bar, g);
    c.region(name, bar);
    // Start button.
    const QRect start(0, bar.top(), 98, 30);
    QLinearGradient sg(0, start.top(), 0, start.bottom());
    sg.setColorAt(0, QColor(0x5E, 0xB5, 0x5E));
    sg.setColorAt(0.5, QColor(0x3C, 0x9B, 0x3C));
    sg.setColorAt(1, QColor(0x2E, 0x7E, 0x2E));
    QPainterPath sp;
    sp.addRoundedRect(QRectF(start).adjusted(-10, 0, 0, 0), 12, 12);
    c.p.setBrush(sg);
    c.p.drawPath(sp);
    const QColor flag[4] = {QColor(0xF0, 0x50, 0x20), QColor(0x70, 0xC0, 0x30), QColor(0x30, 0x90, 0xF0), QColor(0xF8, 0xC0, 0x20)};
    for (int i = 0; i < 4; ++i) {
        c.p.setBrush(flag[i]);
        c.p.drawRect(12 + (i % 2) * 9, bar.top() + 6 + (i / 2) * 9, 8, 8);
    }
    c.text(QRect(34, bar.top(), 64, 30), QStringLiteral("开始"), 16, Qt::white, Qt::AlignLeft | Qt::AlignVCenter, true);
    c.region(name + QStringLiteral(".start"), start);
    // Tray with the clock.
    const QRect tray(size.width() - 90, bar.top(), 90, 30);
    c.p.fillRect(tray, QColor(0x0F, 0x8B, 0xEB));
    c.p.setPen(QColor(0x10, 0x40, 0xA0));
    c.p.drawLine(tray.topLeft(), tray.bottomLeft());
    c.glyph(QStringLiteral("network"), tray.left() + 6, bar.top() + 7, 16);
    c.text(tray.adjusted(26, 0, -4, 0), QStringLiteral("10:30"), 12, Qt::white, Qt::AlignCenter);
    c.region(name + QStringLiteral(".tray"), tray);
    c.region(name + QStringLiteral(".clock"), tray.adjusted(30, 0, 0, 0));
    // Task buttons.
    int x = 106;
    int k = 0;
    for (int i = 2; i < w.size(); ++i) {
        QString label = w.at(i);
        if (label.startsWith(QLatin1String("at=")))
            continue;
        const bool active = label.startsWith(QLatin1Char('*'));
        if (active)
            label = label.mid(1);
        const QRect b(x, bar.top() + 3, 150, 24);
        c.p.setPen(QColor(0x10, 0x40, 0xA0));
        c.p.setBrush(active ? QColor(0x1E, 0x48, 0xB8) : QColor(0x3C, 0x80, 0xF4));
        c.p.drawRoundedRect(b, 3, 3);
        c.glyph(QStringLiteral("program"), b.left() + 4, b.top() + 4, 16);
        c.text(b.adjusted(24, 0, -4, 0), label, 12, Qt::white);
        c.region(QStringLiteral("%1.task%2").arg(name).arg(++k), b);
        x += 154;
    }
    c.region(name + QStringLiteral(".empty"), QRect(x, bar.top(), tray.left() - x, 30));
}

void drawIcon(Canvas& c, const Words& w, bool onDesktop)
{
    const QString name = w.at(1);
    const int x = w.number(2), y = w.number(3);
    const QString label = w.at(4);
    const QString type = w.at(5);
    const bool sel = w.flag(QStringLiteral("sel"), 6);
    const QRect icon(x + 21, y + 2, 32, 32);
    c.glyph(type, icon.left(), icon.top(), 32, sel);
    c.p.setFont(font(12));
    const QFontMetrics fm(c.p.font());
    const QRect textBounds = fm.boundingRect(QRect(x, y + 37, 74, 40), Qt::AlignHCenter | Qt::TextWordWrap, label);
    const QRect labelRect(x + (74 - textBounds.width()) / 2 - 2, y + 37, textBounds.width() + 4, textBounds.height() + 2);
    if (sel) {
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(kSelect);
        c.p.drawRect(labelRect);
    }
    if (onDesktop && !sel)
        c.text(QRect(x + 1, y + 38, 74, 40), label, 12, QColor(0, 0, 0, 160), Qt::AlignHCenter | Qt::AlignTop);
    c.text(QRect(x, y + 37, 74, 40), label, 12, onDesktop || sel ? Qt::white : Qt::black, Qt::AlignHCenter | Qt::AlignTop);
    c.region(name, QRect(x + 4, y, 66, 37 + labelRect.height()));
    c.region(name + QStringLiteral(".icon"), icon);
    c.region(name + QStringLiteral(".label"), labelRect);
}

void drawRow(Canvas& c, const Words& w)
{
    const QString name = w.at(1);
    const QRect r(w.number(2), w.number(3), w.number(4), 18);
    const QString label = w.at(5);
    const QString type = w.at(6);
    const bool sel = w.flag(QStringLiteral("sel"), 7);
    c.glyph(type, r.left() + 2, r.top() + 1, 16);
    c.p.setFont(font(12));
    const int tw = QFontMetrics(c.p.font()).horizontalAdvance(label) + 6;
    const QRect labelRect(r.left() + 21, r.top(), tw, 18);
    if (sel) {
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(kSelect);
        c.p.drawRect(labelRect);
    }
    c.text(labelRect.adjusted(3, 0, 0, 0), label, 12, sel ? Qt::white : Qt::black);
    const QString detail = w.option(QStringLiteral("detail"), QString(), 7);
    // Detail columns (size, type, date) at fixed places, so that a header can line up with them.
    const QStringList columns = detail.isEmpty() ? QStringList() : detail.split(QLatin1Char('|'));
    const int columnLeft[3] = {200, 280, 400};
    for (int i = 0; i < columns.size() && i < 3; ++i) {
        c.p.setFont(font(12));
        c.p.setPen(QColor(0x40, 0x40, 0x40));
        c.p.drawText(QRect(r.left() + columnLeft[i], r.top(), 160, 18), Qt::AlignLeft | Qt::AlignVCenter, columns[i]);
    }
    c.region(name, QRect(r.left(), r.top(), 21 + tw, 18));
    c.region(name + QStringLiteral(".label"), labelRect);
}

void drawWindow(Canvas& c, const Words& w, const Bank& bank)
{
    const QString name = w.at(1);
    const QRect r = rectArgs(w, 2);
    const QString title = w.at(6);
    const bool active = !w.flag(QStringLiteral("inactive"), 7);
    // Frame and title bar.
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(active ? kFrame : QColor(0x7A, 0x96, 0xDF));
    c.p.drawRoundedRect(r, 7, 7);
    c.titleBar(QRect(r.left(), r.top(), r.width(), 28), title, active, QStringLiteral("window"), name, w.option(QStringLiteral("icon"), QStringLiteral("folder"), 7));
    c.region(name, r);
    QRect inner(r.left() + 3, r.top() + 28, r.width() - 6, r.height() - 31);
    int y = inner.top();
    if (w.flag(QStringLiteral("menubar"), 7)) {
        const QRect bar(inner.left(), y, inner.width(), 19);
        c.p.fillRect(bar, kFace);
        c.region(name + QStringLiteral(".menubar"), bar);
        for (int i = 0; i < 9; ++i) {
            const QRect t(r.left() + sample::kMenuTitleLeft / 15 + i * (sample::kMenuTitlePitch / 15), y, sample::kMenuTitlePitch / 15, 18);
            if (t.right() > inner.right())
                break;
            c.text(t, bank.menuBar.titles[i], 12, Qt::black, Qt::AlignCenter);
            c.region(QStringLiteral("%1.menu%2").arg(name).arg(i + 1), t);
        }
        y += 19;
    }
    if (w.flag(QStringLiteral("toolbar"), 7)) {
        const QRect bar(inner.left(), y, inner.width(), 36);
        c.p.fillRect(bar, kFace);
        c.p.setPen(QColor(0xD0, 0xCC, 0xB8));
        c.p.drawLine(bar.left(), bar.top(), bar.right(), bar.top());
        struct Tool { const char* key; const char* caption; int width; };
        const Tool tools[] = {{"back", "后退", 64}, {"forward", "", 30}, {"up", "", 30}, {"search", "搜索", 62}, {"folders", "文件夹", 74}, {"views", "", 36}};
        int x = bar.left() + 4;
        for (const Tool& t : tools) {
            const QRect b(x, bar.top() + 3, t.width, 30);
            const QString key = QString::fromLatin1(t.key);
            if (key == u"back" || key == u"forward" || key == u"up") {
                c.p.setPen(Qt::NoPen);
                c.p.setBrush(key == u"up" ? QColor(0xF0, 0xC0, 0x40) : QColor(0x3C, 0xA0, 0x3C));
                c.p.drawEllipse(b.left() + 4, b.top() + 4, 22, 22);
                c.p.setPen(QPen(Qt::white, 3));
                const QPoint m(b.left() + 15, b.top() + 15);
                if (key == u"up") {
                    c.p.drawLine(m + QPoint(0, 6), m + QPoint(0, -6));
                    c.p.drawLine(m + QPoint(-5, -1), m + QPoint(0, -6));
                    c.p.drawLine(m + QPoint(5, -1), m + QPoint(0, -6));
                } else {
                    const int d = key == u"back" ? -1 : 1;
                    c.p.drawLine(m + QPoint(-6 * d, 0), m + QPoint(6 * d, 0));
                    c.p.drawLine(m + QPoint(1 * d, -5), m + QPoint(6 * d, 0));
                    c.p.drawLine(m + QPoint(1 * d, 5), m + QPoint(6 * d, 0));
                }
            } else if (key == u"search") {
                c.glyph(QStringLiteral("search"), b.left() + 2, b.top() + 6, 18);
            } else if (key == u"folders") {
                c.glyph(QStringLiteral("folder"), b.left() + 2, b.top() + 6, 18);
            } else {
                c.p.setPen(QColor(0x40, 0x40, 0x40));
                c.p.setBrush(Qt::white);
                for (int i = 0; i < 4; ++i)
                    c.p.drawRect(b.left() + 6 + (i % 2) * 9, b.top() + 7 + (i / 2) * 9, 7, 7);
            }
            if (*t.caption)
                c.text(b.adjusted(28, 0, 0, 0), QString::fromUtf8(t.caption), 12, Qt::black);
            c.region(name + QLatin1Char('.') + key, b);
            x += t.width + 2;
        }
        y += 36;
    }
    const QString address = w.option(QStringLiteral("address"), QString(), 7);
    if (!address.isEmpty()) {
        const QRect bar(inner.left(), y, inner.width(), 24);
        c.p.fillRect(bar, kFace);
        c.text(QRect(bar.left() + 6, y, 60, 24), QStringLiteral("地址(D)"), 12, QColor(0x40, 0x40, 0x40));
        const QRect box(bar.left() + 60, y + 2, bar.width() - 120, 20);
        c.textBox(box, QString());
        c.glyph(QStringLiteral("folder"), box.left() + 3, box.top() + 2, 16);
        c.text(box.adjusted(24, 0, 0, 0), address, 12, Qt::black);
        c.region(name + QStringLiteral(".address"), box);
        const QRect go(box.right() + 6, y + 2, 50, 20);
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(QColor(0x3C, 0xA0, 0x3C));
        c.p.drawRoundedRect(go.left(), go.top() + 2, 16, 16, 3, 3);
        c.text(go.adjusted(20, 0, 0, 0), QStringLiteral("转到"), 12, Qt::black);
        c.region(name + QStringLiteral(".go"), go);
        y += 24;
    }
    const bool status = w.has(7) && !w.option(QStringLiteral("status"), QString(), 7).isEmpty();
    QRect client(inner.left(), y, inner.width(), inner.bottom() - y + 1 - (status ? 22 : 0));
    c.p.fillRect(client, Qt::white);
    if (status) {
        const QRect sb(inner.left(), client.bottom() + 1, inner.width(), 22);
        c.p.fillRect(sb, kFace);
        c.text(sb.adjusted(8, 0, 0, 0), w.option(QStringLiteral("status"), QString(), 7), 12, Qt::black);
        c.region(name + QStringLiteral(".status"), sb);
    }
    const QString tasks = w.option(QStringLiteral("tasks"), QString(), 7);
    if (!tasks.isEmpty()) {
        const QRect pane(client.left(), client.top(), 180, client.height());
        QLinearGradient g(0, pane.top(), 0, pane.bottom());
        g.setColorAt(0, QColor(0x74, 0x9A, 0xEE));
        g.setColorAt(1, QColor(0x64, 0x82, 0xD8));
        c.p.fillRect(pane, g);
        const QStringList links = tasks.split(QLatin1Char('|'));
        const QRect head(pane.left() + 10, pane.top() + 12, 160, 24);
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(Qt::white);
        c.p.drawRoundedRect(head.adjusted(0, 0, 0, 6), 4, 4);
        c.text(head.adjusted(8, 0, 0, 0), w.option(QStringLiteral("taskhead"), QStringLiteral("文件和文件夹任务"), 7), 12,
               QColor(0x21, 0x5D, 0xC6), Qt::AlignLeft | Qt::AlignVCenter, true);
        const QRect body(head.left(), head.bottom() + 1, 160, 10 + 22 * int(links.size()));
        c.p.fillRect(body, QColor(0xD6, 0xDF, 0xF7));
        for (int i = 0; i < links.size(); ++i) {
            const QRect l(body.left() + 6, body.top() + 5 + 22 * i, 150, 20);
            c.glyph(QStringLiteral("doc"), l.left(), l.top() + 2, 16);
            c.text(l.adjusted(20, 0, 0, 0), links[i], 12, QColor(0x21, 0x5D, 0xC6));
            c.region(QStringLiteral("%1.task%2").arg(name).arg(i + 1), l);
        }
        client.setLeft(pane.right() + 1);
    }
    c.region(name + QStringLiteral(".client"), client);
}

void drawDialogFrame(Canvas& c, const QString& name, const QRect& r, const QString& title, bool help)
{
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(kFrame);
    c.p.drawRoundedRect(r, 7, 7);
    c.titleBar(QRect(r.left(), r.top(), r.width(), 26), title, true, help ? QStringLiteral("help") : QStringLiteral("dialog"), name,
               QString());
    const QRect body(r.left() + 3, r.top() + 26, r.width() - 6, r.height() - 29);
    c.p.fillRect(body, kFace);
    c.region(name, r);
    c.region(name + QStringLiteral(".client"), body);
}

void drawStartMenu(Canvas& c, const Words& w)
{
    const QString name = w.at(1);
    const QRect r(w.number(2), w.number(3), 380, 420);
    const QString user = w.has(4) ? w.at(4) : QStringLiteral("考生");
    const QString sel = w.option(QStringLiteral("sel"), QString(), 5);
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(kFrame);
    c.p.drawRoundedRect(r, 7, 7);
    QLinearGradient hg(0, r.top(), 0, r.top() + 56);
    hg.setColorAt(0, QColor(0x3C, 0x8C, 0xF4));
    hg.setColorAt(1, QColor(0x18, 0x5C, 0xD8));
    c.p.setBrush(hg);
    c.p.drawRoundedRect(QRect(r.left(), r.top(), r.width(), 56), 7, 7);
    c.p.setPen(QPen(Qt::white, 2));
    c.p.setBrush(QColor(0xF0, 0xF0, 0xF0));
    c.p.drawRoundedRect(r.left() + 8, r.top() + 8, 40, 40, 4, 4);
    c.glyph(QStringLiteral("user"), r.left() + 12, r.top() + 12, 32);
    c.text(QRect(r.left() + 58, r.top(), 300, 56), user, 16, Qt::white, Qt::AlignLeft | Qt::AlignVCenter, true);
    const QRect left(r.left() + 2, r.top() + 56, 190, 322);
    const QRect right(left.right() + 1, left.top(), r.right() - 2 - left.right(), 322);
    c.p.fillRect(left, Qt::white);
    c.p.fillRect(right, QColor(0xD3, 0xE5, 0xFA));
    struct Item { const char* key; const char* caption; const char* icon; };
    const Item leftItems[] = {{"ie", "Internet", "ie"}, {"mail", "电子邮件", "doc"}, {"notepad", "记事本", "notepad"},
                              {"paint", "画图", "paint"}, {"calc", "计算器", "calc"}, {"cmd", "命令提示符", "run"}};
    const Item rightItems[] = {{"mydocs", "我的文档", "folder"}, {"recent", "我最近的文档", "folder"}, {"pictures", "图片收藏", "image"},
                               {"music", "我的音乐", "music"}, {"mycomp", "我的电脑", "computer"}, {"control", "控制面板", "control"},
                               {"printers", "打印机和传真", "printer"}, {"help", "帮助和支持", "help"}, {"search", "搜索", "search"},
                               {"run", "运行...", "run"}};
    auto item = [&](const Item& it, const QRect& row, int iconSize, bool bold) {
        const QString key = QString::fromLatin1(it.key);
        const bool s = key == sel;
        if (s) {
            c.p.setPen(Qt::NoPen);
            c.p.setBrush(kSelect);
            c.p.drawRect(row);
        }
        c.glyph(QString::fromLatin1(it.icon), row.left() + 4, row.top() + (row.height() - iconSize) / 2, iconSize);
        c.text(row.adjusted(iconSize + 10, 0, 0, 0), QString::fromUtf8(it.caption), 12, s ? Qt::white : QColor(0x10, 0x10, 0x10),
               Qt::AlignLeft | Qt::AlignVCenter, bold);
        c.region(name + QLatin1Char('.') + key, row);
    };
    int y = left.top() + 6;
    for (const Item& it : leftItems) {
        item(it, QRect(left.left() + 4, y, left.width() - 8, 36), 28, it.key == std::string("ie"));
        y += 38;
    }
    c.p.setPen(QColor(0xC0, 0xC0, 0xC0));
    c.p.drawLine(left.left() + 10, left.bottom() - 40, left.right() - 10, left.bottom() - 40);
    const QRect all(left.left() + 4, left.bottom() - 34, left.width() - 8, 28);
    const bool allSel = sel == u"allprograms";
    if (allSel) {
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(kSelect);
        c.p.drawRect(all);
    }
    c.text(all.adjusted(30, 0, 0, 0), QStringLiteral("所有程序(P)"), 13, allSel ? Qt::white : Qt::black, Qt::AlignLeft | Qt::AlignVCenter, true);
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(QColor(0x3C, 0xA0, 0x3C));
    c.p.drawEllipse(all.right() - 30, all.top() + 6, 16, 16);
    c.region(name + QStringLiteral(".allprograms"), all);
    y = right.top() + 6;
    for (const Item& it : rightItems) {
        item(it, QRect(right.left() + 4, y, right.width() - 8, 28), 22, false);
        y += 31;
    }
    const QRect bottom(r.left(), r.bottom() - 41, r.width(), 42);
    QLinearGradient bg(0, bottom.top(), 0, bottom.bottom());
    bg.setColorAt(0, QColor(0x3C, 0x8C, 0xF4));
    bg.setColorAt(1, QColor(0x18, 0x5C, 0xD8));
    c.p.fillRect(bottom.adjusted(0, 0, 0, -4), bg);
    const Item bottomItems[] = {{"logoff", "注销(L)", "logoff"}, {"shutdown", "关闭计算机(U)", "shutdown"}};
    int bx = r.left() + 150;
    for (const Item& it : bottomItems) {
        const QRect b(bx, bottom.top() + 6, 110, 28);
        c.glyph(QString::fromLatin1(it.icon), b.left(), b.top() + 2, 24);
        c.text(b.adjusted(28, 0, 0, 0), QString::fromUtf8(it.caption), 12, Qt::white);
        c.region(name + QLatin1Char('.') + QString::fromLatin1(it.key), b);
        bx += 114;
    }
    c.region(name, r);
}

void drawTabStrip(Canvas& c, const QString& name, const sample::TabLayout& layout, const QStringList& captions, int selected)
{
    // The row of tabs 1-4 and the row of tabs 5 and after; the row holding the selected tab lies
    // 300 twips lower, next to the page, as the work surface re-stacks it.
    const int selRow = layout.twoRows() && selected > 4 ? 2 : 1;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 1; i <= layout.count; ++i) {
            const int row = layout.twoRows() && i > 4 ? 2 : 1;
            const bool front = !layout.twoRows() || row == selRow;
            if ((pass == 0) == front)
                continue; // back row first, then the front row over it
            const int top = layout.top + (layout.twoRows() && front ? 300 : 0);
            QRect t(layout.lefts[i - 1] / 15, top / 15, layout.widths[i - 1] / 15, layout.height / 15);
            const bool sel = i == selected;
            if (sel)
                t.adjust(-2, -2, 2, 1);
            c.p.setPen(QColor(0x91, 0x9B, 0x9C));
            c.p.setBrush(sel ? QColor(0xFC, 0xFC, 0xFE) : QColor(0xF0, 0xF0, 0xEA));
            c.p.drawRect(QRectF(t).adjusted(0.5, 0.5, -0.5, 0));
            if (sel) {
                c.p.setPen(Qt::NoPen);
                c.p.setBrush(QColor(0xFF, 0xC8, 0x3C));
                c.p.drawRect(t.left() + 1, t.top() + 1, t.width() - 1, 3);
            }
            c.text(t, captions.value(i - 1), 12, Qt::black, Qt::AlignCenter);
            c.region(QStringLiteral("%1.tab%2").arg(name).arg(i), t);
        }
    }
}

// A dialog with tabs, as a picture of its own: the frame, the strip with tab `selected` in
// front, the page, and the buttons; the cancel button lies on the layout's step-back spot.
void drawTabDialog(Canvas& c, const QString& name, const DialogDef& d, const QString& layoutString, int selected)
{
    const sample::TabLayout layout = sample::parseLayout(layoutString);
    const QRect r(QPoint(0, 0), d.size);
    drawDialogFrame(c, name, r, d.title, true);
    const int pageTop = (layout.top + layout.height + (layout.twoRows() ? 300 : 0)) / 15;
    const QRect back(layout.backSpot.left() / 15, layout.backSpot.top() / 15, layout.backSpot.width() / 15,
                     layout.backSpot.height() / 15);
    const bool buttonsBelow = back.top() > pageTop + 100;
    const QRect page(7, pageTop, d.size.width() - 14, (buttonsBelow ? back.top() - 8 : d.size.height() - 10) - pageTop);
    c.p.setPen(QColor(0x91, 0x9B, 0x9C));
    c.p.setBrush(QColor(0xFC, 0xFC, 0xFE));
    c.p.drawRect(QRectF(page).adjusted(0.5, 0.5, -0.5, -0.5));
    c.region(name + QStringLiteral(".page"), page);
    drawTabStrip(c, name, layout, d.tabs, selected);
    if (back.width() > 0) {
        c.raisedButton(back, QStringLiteral("取消"));
        c.region(name + QStringLiteral(".cancel"), back);
        const QRect ok = back.translated(-(back.width() + 6), 0);
        c.raisedButton(ok, QStringLiteral("确定"), true);
        c.region(name + QStringLiteral(".ok"), ok);
        const QRect apply = back.translated(back.width() + 6, 0);
        if (apply.right() < r.right() - 4) {
            c.raisedButton(apply, QStringLiteral("应用(A)"));
            c.region(name + QStringLiteral(".apply"), apply);
        }
    }
}

const QString& layoutStringFor(const QString& key)
{
    static QMap<QString, QString> cache;
    if (!cache.contains(key))
        cache[key] = key == u"A-demo" ? sample::demoLayoutAString() : sample::surfaceLayoutString(key.at(0));
    return cache[key];
}

void checkGlyphType(const Words& w, int at)
{
    static const QStringList types = {
        QStringLiteral("computer"), QStringLiteral("folder"), QStringLiteral("openfolder"), QStringLiteral("recycle"),
        QStringLiteral("recyclefull"), QStringLiteral("doc"), QStringLiteral("txt"), QStringLiteral("word"),
        QStringLiteral("excel"), QStringLiteral("image"), QStringLiteral("music"), QStringLiteral("ie"),
        QStringLiteral("drive"), QStringLiteral("cd"), QStringLiteral("network"), QStringLiteral("control"),
        QStringLiteral("printer"), QStringLiteral("program"), QStringLiteral("notepad"), QStringLiteral("paint"),
        QStringLiteral("calc"), QStringLiteral("user"), QStringLiteral("search"), QStringLiteral("help"),
        QStringLiteral("run"), QStringLiteral("logoff"), QStringLiteral("shutdown")};
    if (!types.contains(w.at(at)))
        failAt(w.where, QStringLiteral("unknown icon type \"%1\"").arg(w.at(at)));
}

void drawElement(Canvas& c, const Element& e, const QSize& size, const Bank& bank)
{
    const Words& w = e.words;
    const QString& k = e.kind;
    if (k == u"icon" || k == u"file" || k == u"glyph")
        checkGlyphType(w, k == u"glyph" ? 4 : 5);
    else if (k == u"row")
        checkGlyphType(w, 6);
    if (k == u"desktop") {
        drawDesktop(c, size);
    } else if (k == u"taskbar") {
        drawTaskbar(c, w, size);
    } else if (k == u"icon" || k == u"file") {
        drawIcon(c, w, k == u"icon");
    } else if (k == u"row") {
        drawRow(c, w);
    } else if (k == u"window") {
        drawWindow(c, w, bank);
    } else if (k == u"dialog") {
        drawDialogFrame(c, w.at(1), rectArgs(w, 2), w.at(6), w.flag(QStringLiteral("help"), 7));
    } else if (k == u"button") {
        const QRect r = rectArgs(w, 2);
        c.raisedButton(r, w.at(6), w.flag(QStringLiteral("default"), 7), !w.flag(QStringLiteral("disabled"), 7));
        c.region(w.at(1), r);
    } else if (k == u"textbox") {
        const QRect r = rectArgs(w, 2);
        c.textBox(r, w.has(6) ? w.at(6) : QString());
        c.region(w.at(1), r);
    } else if (k == u"textarea") {
        const QRect r = rectArgs(w, 2);
        c.p.setPen(kBoxBorder);
        c.p.setBrush(Qt::white);
        c.p.drawRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
        const QString t = w.has(6) ? w.at(6) : QString();
        c.text(r.adjusted(4, 3, -4, -3), t.split(QLatin1Char('|')).join(QLatin1Char('\n')), 13, Qt::black, Qt::AlignLeft | Qt::AlignTop);
        c.region(w.at(1), r);
    } else if (k == u"check" || k == u"radio") {
        const int x = w.number(2), y = w.number(3);
        const bool on = w.flag(QStringLiteral("on"), 5);
        const QRect box(x, y + 2, 13, 13);
        c.p.setPen(QColor(0x1C, 0x51, 0x80));
        c.p.setBrush(Qt::white);
        if (k == u"check") {
            c.p.drawRect(box);
            if (on) {
                c.p.setPen(QPen(QColor(0x21, 0xA1, 0x21), 2));
                c.p.drawLine(box.left() + 3, box.top() + 6, box.left() + 5, box.top() + 9);
                c.p.drawLine(box.left() + 5, box.top() + 9, box.left() + 10, box.top() + 3);
            }
        } else {
            c.p.drawEllipse(box);
            if (on) {
                c.p.setPen(Qt::NoPen);
                c.p.setBrush(QColor(0x21, 0xA1, 0x21));
                c.p.drawEllipse(box.adjusted(3, 3, -3, -3));
            }
        }
        c.p.setFont(font(12));
        const int tw = QFontMetrics(c.p.font()).horizontalAdvance(w.at(4));
        c.text(QRect(x + 18, y, tw + 4, 17), w.at(4), 12, Qt::black);
        c.region(w.at(1), QRect(x, y, tw + 22, 17));
    } else if (k == u"label") {
        const int px = w.option(QStringLiteral("size"), QStringLiteral("12"), 5).toInt();
        const QColor col = colourOf(w.option(QStringLiteral("color"), QString(), 5), Qt::black);
        const bool bold = w.flag(QStringLiteral("bold"), 5);
        c.p.setFont(font(px, bold));
        const QRect br = QFontMetrics(c.p.font()).boundingRect(QRect(w.number(2), w.number(3), 760, 200), Qt::TextWordWrap,
                                                                w.at(4).split(QLatin1Char('|')).join(QLatin1Char('\n')));
        c.text(br.adjusted(0, 0, 2, 0), w.at(4).split(QLatin1Char('|')).join(QLatin1Char('\n')), px, col, Qt::AlignLeft | Qt::AlignTop, bold);
        c.region(w.at(1), br);
    } else if (k == u"group") {
        const QRect r = rectArgs(w, 2);
        c.p.setPen(QColor(0xD0, 0xD0, 0xBF));
        c.p.setBrush(Qt::NoBrush);
        c.p.drawRoundedRect(QRectF(r).adjusted(0.5, 6.5, -0.5, -0.5), 3, 3);
        c.p.setFont(font(12));
        const int tw = QFontMetrics(c.p.font()).horizontalAdvance(w.at(6)) + 6;
        c.p.fillRect(QRect(r.left() + 8, r.top(), tw, 14), kFace);
        c.text(QRect(r.left() + 10, r.top() - 1, tw, 16), w.at(6), 12, QColor(0x00, 0x46, 0xD5));
        c.region(w.at(1), r);
    } else if (k == u"menu") {
        const QStringList items = w.at(4).split(QLatin1Char('|'));
        const int width = w.option(QStringLiteral("w"), QStringLiteral("170"), 5).toInt();
        const QRect r(w.number(2), w.number(3), width, menuHeight(items, 22, 7));
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(QColor(0, 0, 0, 50));
        c.p.drawRect(r.translated(3, 3));
        c.menuRows(r, items, w.option(QStringLiteral("sel"), QStringLiteral("0"), 5).toInt(), 22, 7, w.at(1));
        c.region(w.at(1), r);
    } else if (k == u"startmenu") {
        drawStartMenu(c, w);
    } else if (k == u"rect") {
        const QRect r = rectArgs(w, 2);
        c.p.setPen(w.option(QStringLiteral("border"), QString(), 7).isEmpty() ? QPen(Qt::NoPen)
                                                                              : QPen(colourOf(w.option(QStringLiteral("border"), QString(), 7), Qt::black)));
        c.p.setBrush(colourOf(w.at(6), Qt::white));
        c.p.drawRect(r);
        c.region(w.at(1), r);
    } else if (k == u"band") {
        const QRect r = rectArgs(w, 2);
        c.p.setPen(QPen(QColor(0x31, 0x6A, 0xC5), 1, Qt::SolidLine));
        c.p.setBrush(QColor(0x31, 0x6A, 0xC5, 50));
        c.p.drawRect(r);
        c.region(w.at(1), r);
    } else if (k == u"slider") {
        const QRect r = rectArgs(w, 2);
        const bool vertical = r.height() > r.width();
        c.p.setPen(QColor(0x90, 0x90, 0x90));
        c.p.setBrush(QColor(0xF4, 0xF4, 0xF0));
        const QRect track = vertical ? QRect(r.center().x() - 2, r.top(), 4, r.height()) : QRect(r.left(), r.center().y() - 2, r.width(), 4);
        c.p.drawRect(track);
        c.p.setPen(QColor(0x40, 0x40, 0x40));
        const int ticks = w.option(QStringLiteral("ticks"), QStringLiteral("5"), 6).toInt();
        for (int i = 0; i < ticks; ++i) {
            if (vertical) {
                const int ty = r.top() + i * (r.height() - 1) / std::max(1, ticks - 1);
                c.p.drawLine(r.center().x() + 9, ty, r.center().x() + 13, ty);
            } else {
                const int tx = r.left() + i * (r.width() - 1) / std::max(1, ticks - 1);
                c.p.drawLine(tx, r.center().y() + 9, tx, r.center().y() + 13);
            }
        }
        c.region(w.at(1), r);
    } else if (k == u"thumb") {
        const QRect r = rectArgs(w, 2);
        QLinearGradient g(r.topLeft(), r.topRight());
        g.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
        g.setColorAt(1, QColor(0xD6, 0xD6, 0xCE));
        c.p.setPen(QColor(0x1C, 0x51, 0x80));
        c.p.setBrush(g);
        c.p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        c.p.setPen(QColor(0x21, 0xA1, 0x21));
        c.p.drawLine(r.left() + 2, r.top() + 2, r.right() - 2, r.top() + 2);
        c.region(w.at(1), r);
    } else if (k == u"progress") {
        const QRect r = rectArgs(w, 2);
        c.p.setPen(kBoxBorder);
        c.p.setBrush(Qt::white);
        c.p.drawRect(r);
        const int filled = (r.width() - 4) * w.number(6) / 100;
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(QColor(0x2E, 0xB8, 0x2E));
        for (int x = 2; x + 8 <= filled; x += 10)
            c.p.drawRect(r.left() + x, r.top() + 2, 8, r.height() - 4);
        c.region(w.at(1), r);
    } else if (k == u"glyph") {
        const int s = w.option(QStringLiteral("size"), QStringLiteral("32"), 5).toInt();
        c.glyph(w.at(4), w.number(2), w.number(3), s);
        c.region(w.at(1), QRect(w.number(2), w.number(3), s, s));
    } else if (k == u"balloon") {
        const QRect r(w.number(2), w.number(3), w.number(4), 44);
        c.p.setPen(QColor(0x40, 0x40, 0x40));
        c.p.setBrush(QColor(0xFF, 0xFF, 0xE1));
        c.p.drawRoundedRect(r, 6, 6);
        c.text(r.adjusted(8, 2, -8, -2), w.at(5).split(QLatin1Char('|')).join(QLatin1Char('\n')), 12, Qt::black);
        c.region(w.at(1), r);
    } else if (k == u"photo") {
        const QRect r = rectArgs(w, 2);
        QLinearGradient sky(0, r.top(), 0, r.bottom());
        sky.setColorAt(0, QColor(0x6C, 0xB0, 0xF0));
        sky.setColorAt(1, QColor(0xE0, 0xF0, 0xFF));
        c.p.fillRect(r, sky);
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(QColor(0xF8, 0xD0, 0x40));
        c.p.drawEllipse(r.left() + r.width() * 3 / 4, r.top() + r.height() / 8, r.width() / 8, r.width() / 8);
        c.p.setBrush(QColor(0x48, 0x98, 0x30));
        QPolygon hill;
        hill << QPoint(r.left(), r.bottom()) << QPoint(r.left() + r.width() / 3, r.top() + r.height() / 2)
             << QPoint(r.left() + r.width() * 2 / 3, r.top() + r.height() * 3 / 4) << QPoint(r.right(), r.top() + r.height() / 2)
             << QPoint(r.right(), r.bottom());
        c.p.drawPolygon(hill);
        c.region(w.at(1), r);
    } else if (k == u"tabdialog") {
        const DialogDef* d = bank.dialog(w.at(2));
        if (!d)
            failAt(w.where, QStringLiteral("no dialog for tab layout %1").arg(w.at(2)));
        drawTabDialog(c, w.at(1), *d, layoutStringFor(w.at(2)), w.number(3));
    } else {
        failAt(w.where, QStringLiteral("unknown element \"%1\"").arg(k));
    }
}

} // namespace

Rendered renderScene(const SceneDef& scene, const Bank& bank)
{
    QSize size = scene.size;
    if (!scene.elements.isEmpty() && scene.elements.first().kind == u"tabdialog") {
        const DialogDef* d = bank.dialog(scene.elements.first().words.at(2));
        if (d)
            size = d->size;
    }
    Rendered out;
    out.image = QImage(size, QImage::Format_RGB32);
    out.image.fill(kFace);
    Canvas c(out.image);
    for (const Element& e : scene.elements)
        drawElement(c, e, size, bank);
    c.p.end();
    out.regions = c.regions;
    return out;
}

QMap<QString, QImage> renderMenuBarPictures(const MenuBarDef& bar)
{
    using namespace sample;
    QMap<QString, QImage> out;
    const int titleW = kMenuTitlePitch / 15, titleH = kMenuTitleHeight / 15;
    for (int set = 1; set <= 9; ++set) {
        const QString caption = bar.titles[set - 1];
        for (bool open : {false, true}) {
            QImage img(titleW, titleH, QImage::Format_RGB32);
            img.fill(kFace);
            Canvas c(img);
            if (open) {
                c.p.fillRect(img.rect(), kSelect);
            } else {
                c.p.setPen(QColor(0x31, 0x6A, 0xC5));
                c.p.setBrush(QColor(0xC1, 0xD2, 0xEE));
                c.p.drawRect(QRectF(img.rect()).adjusted(0.5, 0.5, -0.5, -0.5));
            }
            c.text(img.rect(), caption, 12, open ? Qt::white : Qt::black, Qt::AlignCenter);
            c.p.end();
            out[open ? openTitlePicture(set) : hoveredTitlePicture(set)] = img;
        }
        // The drop-down, its highlighted rows, its submenus and their highlighted rows.
        const QVector<int> dropTops = dropRowTops(set);
        const QVector<Submenu> subs = submenus(set);
        QStringList captions;
        for (const QString& r : bar.rows[set - 1])
            if (r != u"-")
                captions.append(r);
        auto drawMenu = [&](const QVector<int>& tops, const QStringList& rows, int rowWidth, const QSet<int>& arrows, int highlighted) {
            const int h = (tops.isEmpty() ? kMenuFirstRow : tops.last() + kMenuRowHeight) / 15 + 2;
            const int w = rowWidth / 15 + 4;
            QImage img(highlighted ? QSize(rowWidth / 15, kMenuRowHeight / 15) : QSize(w, h), QImage::Format_RGB32);
            img.fill(Qt::white);
            Canvas c(img);
            auto rowText = [&](const QRect& rr, int i, bool sel) {
                c.text(rr.adjusted(22, 0, -14, 0), rows.value(i - 1), 12, sel ? Qt::white : Qt::black);
                if (arrows.contains(i)) {
                    c.p.setPen(Qt::NoPen);
                    c.p.setBrush(sel ? Qt::white : Qt::black);
                    const int cy = rr.center().y();
                    QPolygon tri;
                    tri << QPoint(rr.right() - 10, cy - 4) << QPoint(rr.right() - 6, cy) << QPoint(rr.right() - 10, cy + 4);
                    c.p.drawPolygon(tri);
                }
            };
            if (highlighted) {
                c.p.fillRect(img.rect(), kSelect);
                rowText(img.rect(), highlighted, true);
            } else {
                c.p.setPen(kMenuBorder);
                c.p.setBrush(Qt::NoBrush);
                c.p.drawRect(QRectF(img.rect()).adjusted(0.5, 0.5, -0.5, -0.5));
                for (int i = 1; i <= tops.size(); ++i) {
                    const QRect rr(2, tops[i - 1] / 15, rowWidth / 15, kMenuRowHeight / 15);
                    rowText(rr, i, false);
                    if (i < tops.size() && tops[i] - tops[i - 1] > kMenuRowHeight) {
                        c.p.setPen(kMenuBorder);
                        const int sy = (tops[i - 1] + kMenuRowHeight) / 15 + 1;
                        c.p.drawLine(3, sy, w - 4, sy);
                    }
                }
            }
            c.p.end();
            return img;
        };
        QSet<int> arrows;
        for (const Submenu& s : subs)
            arrows.insert(s.row);
        out[dropDownPicture(set)] = drawMenu(dropTops, captions, kDropRowWidth, arrows, 0);
        for (int r = 1; r <= dropTops.size(); ++r)
            out[dropRowPicture(set, r)] = drawMenu(dropTops, captions, kDropRowWidth, arrows, r);
        for (const Submenu& s : subs) {
            QStringList subCaptions;
            for (const QString& r : bar.subs.value({set, s.row}))
                if (r != u"-")
                    subCaptions.append(r);
            const QVector<int> subTops = submenuRowTops(set, s.ordinal);
            out[submenuPicture(set, s.ordinal)] = drawMenu(subTops, subCaptions, kSubRowWidth, {}, 0);
            for (int t = 1; t <= subTops.size(); ++t)
                out[submenuRowPicture(set, s.ordinal, t)] = drawMenu(subTops, subCaptions, kSubRowWidth, {}, t);
        }
    }
    return out;
}

QMap<QString, QImage> renderTabPages(const QString& layoutString, const DialogDef& d)
{
    QMap<QString, QImage> out;
    const sample::TabLayout layout = sample::parseLayout(layoutString);
    for (int i = 1; i <= layout.count; ++i) {
        QImage img(d.size, QImage::Format_RGB32);
        img.fill(kFace);
        Canvas c(img);
        drawTabDialog(c, QStringLiteral("dlg"), d, layoutString, i);
        const QRect page = c.regions.value(QStringLiteral("dlg.page"));
        const QString caption = d.tabs.value(i - 1);
        c.text(QRect(page.left() + 14, page.top() + 12, page.width() - 28, 20), QStringLiteral("“%1”选项卡").arg(caption), 13,
               QColor(0x00, 0x46, 0xD5), Qt::AlignLeft | Qt::AlignVCenter, true);
        const QStringList options = {QStringLiteral("启用此项设置"), QStringLiteral("在任务栏中显示图标"), QStringLiteral("应用到所有项目")};
        for (int k = 0; k < options.size() && page.top() + 44 + k * 26 < page.bottom() - 20; ++k) {
            const QRect box(page.left() + 18, page.top() + 46 + k * 26, 13, 13);
            c.p.setPen(QColor(0x1C, 0x51, 0x80));
            c.p.setBrush(Qt::white);
            c.p.drawRect(box);
            c.text(QRect(box.right() + 6, box.top() - 2, page.width() - 60, 17), options[k], 12, Qt::black);
        }
        c.p.end();
        out[layout.pages.value(i - 1)] = img;
    }
    return out;
}

QImage contactSheet(const QVector<QPair<QString, QImage>>& pictures, int columns, int cellWidth)
{
    const int cellHeight = cellWidth * 3 / 4 + 22;
    const int rows = (int(pictures.size()) + columns - 1) / columns;
    QImage sheet(columns * cellWidth, rows * cellHeight, QImage::Format_RGB32);
    sheet.fill(QColor(0x30, 0x30, 0x30));
    Canvas c(sheet);
    c.p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < pictures.size(); ++i) {
        const QRect cell((i % columns) * cellWidth, (i / columns) * cellHeight, cellWidth, cellHeight);
        const QImage scaled = pictures[i].second.scaled(cellWidth - 8, cellWidth * 3 / 4 - 4, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        c.p.drawImage(cell.left() + 4, cell.top() + 2, scaled);
        c.text(QRect(cell.left() + 4, cell.bottom() - 20, cellWidth - 8, 20), pictures[i].first, 13, Qt::white);
    }
    c.p.end();
    return sheet;
}

} // namespace gen
