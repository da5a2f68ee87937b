#include "toolkit/controls.h"

#include "toolkit/picturecache.h"
#include "toolkit/twips.h"
#include "toolkit/vberror.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tk {

// The name is found ignoring letter case and the picture decoded once and shared (picturecache.h).
QPixmap loadPicture(const QString& path)
{
    if (path.isEmpty())
        return QPixmap();
    return decodedPicture(path).pixmap;
}

namespace {

void checkStyle(int value, int last)
{
    if (value < 0 || value > last)
        vb::raise(vb::ErrInvalidPropertyValue);
}

Qt::Alignment horizontalAlignment(int alignment)
{
    switch (alignment) {
    case 1: return Qt::AlignRight;
    case 2: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

// Text as shown: CR LF, a lone CR or a lone LF break the line.
QString lineBreaks(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

void drawSingleBorder(QPainter& p, const QRect& r)
{
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

} // namespace

// ---- Label ----

Label::Label(QWidget* container) : Control(container, Layer::Lightweight) {}

void Label::setCaption(const QString& text)
{
    caption_ = text;
    fitToCaption();
    update();
}

void Label::setBackStyle(int style)
{
    checkStyle(style, 1);
    backStyle_ = style;
    update();
}

void Label::setAlignment(int alignment)
{
    checkStyle(alignment, 2);
    alignment_ = alignment;
    update();
}

void Label::setAutoSize(bool on)
{
    autoSize_ = on;
    fitToCaption();
}

void Label::setWordWrap(bool on)
{
    wordWrap_ = on;
    fitToCaption();
}

void Label::setBorderStyle(int style)
{
    checkStyle(style, 1);
    borderStyle_ = style;
    fitToCaption();
    update();
}

QString Label::shownText() const { return lineBreaks(caption_); }

void Label::fitToCaption()
{
    if (!autoSize_)
        return;
    const QFontMetrics fm(font());
    const int border = borderStyle_ ? 2 : 0;
    const QString text = shownText();
    const int flags = int(horizontalAlignment(alignment_) | Qt::AlignTop);
    if (wordWrap_) {
        // The width stays; the label grows or shrinks downwards to hold the wrapped text.
        const int w = std::max(1, width() - border);
        QRect r = fm.boundingRect(QRect(0, 0, w, 1 << 20), flags | Qt::TextWordWrap, text);
        const int h = text.isEmpty() ? fm.height() : r.height();
        setPixelSize(width(), h + border);
    } else {
        QRect r = fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), flags, text);
        const int w = text.isEmpty() ? 0 : r.width();
        const int h = text.isEmpty() ? fm.height() : r.height();
        setPixelSize(w + border, h + border);
    }
}

void Label::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (backStyle_ == 1)
        p.fillRect(rect(), colorFromVb(BackColor()));
    QRect area = rect();
    if (borderStyle_) {
        drawSingleBorder(p, rect());
        area.adjust(1, 1, -1, -1);
    }
    QColor fore = colorFromVb(ForeColor());
    if (!isEnabled())
        fore = QColor(0x80, 0x80, 0x80);
    p.setPen(fore);
    p.setFont(font());
    // drawText of a QString never reads markup: what the caption holds is what shows.
    p.drawText(area, int(horizontalAlignment(alignment_) | Qt::AlignTop | Qt::TextWordWrap), shownText());
}

void Label::copyFrom(const Control& other)
{
    if (auto* o = qobject_cast<const Label*>(&other)) {
        caption_ = o->caption_;
        backStyle_ = o->backStyle_;
        alignment_ = o->alignment_;
        autoSize_ = o->autoSize_;
        wordWrap_ = o->wordWrap_;
        borderStyle_ = o->borderStyle_;
    }
    Control::copyFrom(other);
    fitToCaption();
}

// ---- Image ----

Image::Image(QWidget* container) : Control(container, Layer::Lightweight) {}

void Image::setPicture(const tk::Picture& picture)
{
    picture_ = picture;
    if (!stretch_ && !picture_.isNull())
        setPixelSize(picture_.width(), picture_.height());
    update();
}

void Image::loadPicture(const QString& path)
{
    setPicture(tk::Picture::fromFile(path));
}

void Image::setStretch(bool on)
{
    stretch_ = on;
    if (!stretch_ && !picture_.isNull())
        setPixelSize(picture_.width(), picture_.height());
    update();
}

void Image::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    const QPixmap pixels = picture_.pixmap();
    QPainter p(this);
    if (stretch_)
        p.drawPixmap(rect(), pixels);
    else
        p.drawPixmap(0, 0, pixels);
}

void Image::copyFrom(const Control& other)
{
    Control::copyFrom(other);
    if (auto* o = qobject_cast<const Image*>(&other)) {
        stretch_ = o->stretch_;
        setPicture(o->picture_);
    }
}

// ---- PictureBox ----

PictureBox::PictureBox(QWidget* container) : Control(container, Layer::Windowed) {}

void PictureBox::setPicture(const tk::Picture& picture)
{
    picture_ = picture;
    if (autoSize_ && !picture_.isNull())
        setPixelSize(picture_.width(), picture_.height());
    update();
}

void PictureBox::loadPicture(const QString& path)
{
    setPicture(tk::Picture::fromFile(path));
}

void PictureBox::setAutoSize(bool on)
{
    autoSize_ = on;
    if (autoSize_ && !picture_.isNull())
        setPixelSize(picture_.width(), picture_.height());
}

void PictureBox::setBorderStyle(int style)
{
    checkStyle(style, 1);
    borderStyle_ = style;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), colorFromVb(BackColor()));
    if (!picture_.isNull())
        p.drawPixmap(0, 0, picture_.pixmap());
    if (borderStyle_)
        drawSingleBorder(p, rect());
}

void PictureBox::copyFrom(const Control& other)
{
    Control::copyFrom(other);
    if (auto* o = qobject_cast<const PictureBox*>(&other)) {
        autoSize_ = o->autoSize_;
        borderStyle_ = o->borderStyle_;
        setPicture(o->picture_);
    }
}

// ---- Frame ----

Frame::Frame(QWidget* container) : Control(container, Layer::Windowed) {}

void Frame::setCaption(const QString& text)
{
    caption_ = text;
    update();
}

void Frame::setBorderStyle(int style)
{
    checkStyle(style, 1);
    borderStyle_ = style;
    update();
}

void Frame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), colorFromVb(BackColor()));
    if (!borderStyle_)
        return;
    const QFontMetrics fm(font());
    const int top = caption_.isEmpty() ? 0 : fm.height() / 2;
    drawSingleBorder(p, rect().adjusted(0, top, 0, 0));
    if (!caption_.isEmpty()) {
        const QString text = lineBreaks(caption_).section(QLatin1Char('\n'), 0, 0);
        QRect r(8, 0, fm.horizontalAdvance(text) + 4, fm.height());
        p.fillRect(r, colorFromVb(BackColor()));
        p.setPen(colorFromVb(ForeColor()));
        p.setFont(font());
        p.drawText(r, int(Qt::AlignCenter), text);
    }
}

void Frame::copyFrom(const Control& other)
{
    Control::copyFrom(other);
    if (auto* o = qobject_cast<const Frame*>(&other)) {
        caption_ = o->caption_;
        borderStyle_ = o->borderStyle_;
    }
}

// ---- Shape ----

Shape::Shape(QWidget* container) : Control(container, Layer::Lightweight)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setBorderColor(vb::Long color)
{
    checkColour(color);
    borderColor_ = color;
    update();
}

void Shape::setBorderWidth(int pixels)
{
    if (pixels < 1 || pixels > 8192)
        vb::raise(vb::ErrInvalidPropertyValue);
    borderWidth_ = pixels;
    update();
}

void Shape::setBorderStyle(int style)
{
    checkStyle(style, 6);
    borderStyle_ = style;
    update();
}

void Shape::setBackStyle(int style)
{
    checkStyle(style, 1);
    backStyle_ = style;
    update();
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (backStyle_ == 1)
        p.fillRect(rect(), colorFromVb(BackColor()));
    if (borderStyle_ == 0)
        return;
    const int w = std::max(1, borderWidth_);
    QPen pen(colorFromVb(borderColor_), w);
    pen.setJoinStyle(Qt::MiterJoin);
    if (borderStyle_ >= 2 && borderStyle_ <= 5 && w == 1)
        pen.setStyle(borderStyle_ == 2 ? Qt::DashLine : borderStyle_ == 3 ? Qt::DotLine
                                                    : borderStyle_ == 4 ? Qt::DashDotLine
                                                                        : Qt::DashDotDotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // The outline lies inside the control's rectangle.
    const qreal half = w / 2.0;
    p.drawRect(QRectF(half, half, std::max<qreal>(0, width() - w), std::max<qreal>(0, height() - w)));
}

void Shape::copyFrom(const Control& other)
{
    Control::copyFrom(other);
    if (auto* o = qobject_cast<const Shape*>(&other)) {
        borderColor_ = o->borderColor_;
        borderWidth_ = o->borderWidth_;
        borderStyle_ = o->borderStyle_;
        backStyle_ = o->backStyle_;
    }
}

// ---- Line ----

Line::Line(QWidget* container) : Control(container, Layer::Lightweight)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setX1(double twips) { setPoints(twips, y1_, x2_, y2_); }
void Line::setY1(double twips) { setPoints(x1_, twips, x2_, y2_); }
void Line::setX2(double twips) { setPoints(x1_, y1_, twips, y2_); }
void Line::setY2(double twips) { setPoints(x1_, y1_, x2_, twips); }

void Line::setPoints(double x1, double y1, double x2, double y2)
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        vb::raise(vb::ErrInvalidPropertyValue);
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    place();
}

void Line::setBorderColor(vb::Long color)
{
    checkColour(color);
    borderColor_ = color;
    update();
}

void Line::setBorderWidth(int pixels)
{
    if (pixels < 1 || pixels > 8192)
        vb::raise(vb::ErrInvalidPropertyValue);
    borderWidth_ = pixels;
    place();
}

void Line::place()
{
    // The widget covers the line's box and a margin of the pen width on every side.
    const double m = toTwips(borderWidth_);
    const double l = std::min(x1_, x2_) - m, t = std::min(y1_, y2_) - m;
    Control::Move(l, t, std::abs(x2_ - x1_) + 2 * m, std::abs(y2_ - y1_) + 2 * m);
    update();
}

void Line::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(colorFromVb(borderColor_), borderWidth_));
    const QPoint origin = pos();
    p.drawLine(QPoint(toPixels(x1_), toPixels(y1_)) - origin, QPoint(toPixels(x2_), toPixels(y2_)) - origin);
}

void Line::copyFrom(const Control& other)
{
    Control::copyFrom(other);
    if (auto* o = qobject_cast<const Line*>(&other)) {
        borderColor_ = o->borderColor_;
        borderWidth_ = o->borderWidth_;
        setPoints(o->x1_, o->y1_, o->x2_, o->y2_);
    }
}

// ---- CheckBox ----

CheckBox::CheckBox(QWidget* container) : Control(container, Layer::Windowed) {}

void CheckBox::setCaption(const QString& text)
{
    caption_ = text;
    update();
}

void CheckBox::setValue(int value)
{
    checkStyle(value, 2);
    if (value == value_)
        return;
    value_ = value;
    update();
    raiseEvent(this, onClick);
}

void CheckBox::clickedByMouse(int button)
{
    if (button == 1 && isEnabled())
        setValue(value_ == 1 ? 0 : 1);
}

void CheckBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), colorFromVb(BackColor()));
    const int box = 13;
    const QRect r(1, (height() - box) / 2, box, box);
    p.fillRect(r, value_ == 2 ? QColor(0xC0, 0xC0, 0xC0) : QColor(Qt::white));
    p.setPen(QColor(0x1C, 0x51, 0x80));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (value_ != 0) {
        p.setPen(QPen(QColor(0x21, 0xA1, 0x21), 2));
        p.drawLine(r.left() + 3, r.center().y(), r.left() + 5, r.bottom() - 3);
        p.drawLine(r.left() + 5, r.bottom() - 3, r.right() - 3, r.top() + 3);
    }
    p.setPen(isEnabled() ? colorFromVb(ForeColor()) : QColor(0x80, 0x80, 0x80));
    p.setFont(font());
    p.drawText(rect().adjusted(box + 5, 0, 0, 0), int(Qt::AlignLeft | Qt::AlignVCenter), lineBreaks(caption_));
}

void CheckBox::copyFrom(const Control& other)
{
    Control::copyFrom(other);
    if (auto* o = qobject_cast<const CheckBox*>(&other)) {
        caption_ = o->caption_;
        value_ = o->value_;
    }
}

} // namespace tk
