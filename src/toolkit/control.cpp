#include "toolkit/control.h"

#include "toolkit/keys.h"
#include "toolkit/mouseevents.h"
#include "toolkit/pointers.h"
#include "toolkit/twips.h"
#include "toolkit/vberror.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>

#include <cmath>

namespace tk {

QColor colorFromVb(vb::Long color)
{
    return vb::isColour(color) ? vb::bgr(color) : QColor(Qt::black);
}

void checkColour(vb::Long color)
{
    if (!vb::isColour(color))
        vb::raise(vb::ErrInvalidPropertyValue);
}

namespace {

// The lowest windowed control among the siblings of `self` (other than `self`), if any.
QWidget* lowestWindowed(QWidget* parent, const QWidget* self)
{
    if (!parent)
        return nullptr;
    for (QObject* o : parent->children()) { // children are in stacking order, bottom first
        auto* c = qobject_cast<Control*>(o);
        if (c && c != self && c->layer() == Layer::Windowed)
            return c;
    }
    return nullptr;
}

int buttonBits(Qt::MouseButtons buttons)
{
    return int(buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton));
}

int buttonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

} // namespace

Control::Control(QWidget* container, Layer layer) : QWidget(container), layer_(layer)
{
    setAttribute(Qt::WA_NoMousePropagation); // an event of a control is never its container's
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true); // moves without a button held are events too
    ZOrder(0);
    applyGeometry();
    // Visible by default, also when placed on a window that is shown already.
    if (container && container->isVisible())
        show();
}

Control::~Control() = default;

double Control::Left() const { return reportTwips(left_, x()); }
double Control::Top() const { return reportTwips(top_, y()); }
double Control::Width() const { return reportTwips(width_, width()); }
double Control::Height() const { return reportTwips(height_, height()); }

void Control::setLeft(double twips) { Move(twips, Top(), Width(), Height()); }
void Control::setTop(double twips) { Move(Left(), twips, Width(), Height()); }
void Control::setWidth(double twips) { Move(Left(), Top(), twips, Height()); }
void Control::setHeight(double twips) { Move(Left(), Top(), Width(), twips); }
void Control::Move(double left, double top) { Move(left, top, Width(), Height()); }

void Control::Move(double left, double top, double width, double height)
{
    // A negative size is refused as it always was (380), leaving the control as it was.
    if (width < 0 || height < 0 || !std::isfinite(left) || !std::isfinite(top) || !std::isfinite(width)
        || !std::isfinite(height))
        vb::raise(vb::ErrInvalidPropertyValue);
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    applyGeometry();
}

void Control::applyGeometry()
{
    setGeometry(toPixels(left_), toPixels(top_), toPixels(width_), toPixels(height_));
}

void Control::setPixelSize(int width, int height)
{
    width_ = toTwips(width);
    height_ = toTwips(height);
    left_ = Left();
    top_ = Top();
    applyGeometry();
}

void Control::setMousePointer(int number)
{
    if (!isPointerNumber(number))
        vb::raise(vb::ErrInvalidPropertyValue);
    pointer_ = number;
    applyPointer();
}

void Control::setMouseIcon(const QCursor& cursor)
{
    icon_ = cursor;
    hasIcon_ = true;
    applyPointer();
}

void Control::loadMouseIcon(const QString& path) { setMouseIcon(loadCursor(path)); }

void Control::applyPointer() { tk::applyPointer(this, pointer_, hasIcon_ ? &icon_ : nullptr); }

void Control::ZOrder(int position)
{
    // Lightweight controls stay below every windowed sibling, whatever the order asked for.
    const bool front = position == 0;
    if (layer_ == Layer::Lightweight && !front) {
        lower();
        return;
    }
    QWidget* windowed = lowestWindowed(parentWidget(), this);
    if (layer_ == Layer::Lightweight || !front) {
        if (windowed)
            stackUnder(windowed);
        else
            raise();
        return;
    }
    raise();
}

void Control::setBackColor(vb::Long color)
{
    checkColour(color);
    backColor_ = color;
    colorsChanged();
}

void Control::setForeColor(vb::Long color)
{
    checkColour(color);
    foreColor_ = color;
    colorsChanged();
}

QString Control::FontName() const { return font().family(); }
double Control::FontSize() const { return font().pointSizeF(); }
bool Control::FontBold() const { return font().bold(); }
bool Control::FontItalic() const { return font().italic(); }
bool Control::FontUnderline() const { return font().underline(); }

void Control::changeFont(const std::function<void(QFont&)>& change)
{
    QFont f = font();
    change(f);
    setFont(f);
    fontChanged();
}

void Control::setFontName(const QString& name)
{
    changeFont([&](QFont& f) { f.setFamilies({name}); });
}

void Control::setFontSize(double points)
{
    if (!(points > 0) || points > 2048)
        return;
    changeFont([&](QFont& f) { f.setPointSizeF(points); });
}

void Control::setFontBold(bool on)
{
    changeFont([&](QFont& f) { f.setBold(on); });
}

void Control::setFontItalic(bool on)
{
    changeFont([&](QFont& f) { f.setItalic(on); });
}

void Control::setFontUnderline(bool on)
{
    changeFont([&](QFont& f) { f.setUnderline(on); });
}

void Control::copyFrom(const Control& other)
{
    left_ = other.Left();
    top_ = other.Top();
    width_ = other.Width();
    height_ = other.Height();
    applyGeometry();
    pointer_ = other.pointer_;
    icon_ = other.icon_;
    hasIcon_ = other.hasIcon_;
    applyPointer();
    setToolTip(other.toolTip());
    setEnabled(other.Enabled());
    backColor_ = other.backColor_;
    foreColor_ = other.foreColor_;
    setFont(other.font());
    colorsChanged();
    fontChanged();
}

namespace detail {

void dispatchMouse(const QObject* target, const QMouseEvent& event, QPointF pos, const QRect& area,
                   bool& afterDblClick, const MouseTargets& t)
{
    // One count for the whole event: its MouseUp may unload the form, and no Click follows then.
    const HandlerScope running(target);
    auto raise = [&running](const auto& handler, auto... args) {
        if (!running.formUnloaded())
            raiseEvent(handler, args...);
    };
    // The target of the last press: a double click whose first click went elsewhere is a press.
    static const QObject* lastPressed = nullptr;
    const float x = float(toTwips(pos.x()));
    const float y = float(toTwips(pos.y()));
    const int shift = shiftState(event.modifiers());
    QEvent::Type type = event.type();
    if (type == QEvent::MouseButtonDblClick && lastPressed != target)
        type = QEvent::MouseButtonPress;
    switch (type) {
    case QEvent::MouseButtonPress:
        lastPressed = target;
        afterDblClick = false;
        raise(t.down, buttonOf(event.button()), shift, x, y);
        break;
    case QEvent::MouseMove:
        raise(t.move, buttonBits(event.buttons()), shift, x, y);
        break;
    case QEvent::MouseButtonRelease: {
        const bool click = area.contains(pos.toPoint()) && !afterDblClick;
        afterDblClick = false;
        const int button = buttonOf(event.button());
        raise(t.up, button, shift, x, y);
        if (click)
            raise(t.click, button);
        break;
    }
    case QEvent::MouseButtonDblClick:
        // Qt reports the second press of a double click as this event: it is no MouseDown.
        afterDblClick = true;
        raise(t.dblClick);
        break;
    default:
        break;
    }
}

} // namespace detail

namespace {

// The control a press went to, while its buttons are held. Qt gives the pressed widget the
// following moves and the release, but stops when a handler hides it during the press (the next
// step's scene may): the keeper then hands them to it all the same, as the program expects.
class CaptureKeeper : public QObject {
public:
    static CaptureKeeper& instance()
    {
        static CaptureKeeper* keeper = [] {
            auto* k = new CaptureKeeper;
            k->setParent(qApp);
            qApp->installEventFilter(k);
            return k;
        }();
        return *keeper;
    }

    QPointer<Control> pressed;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if ((type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) || !watched->isWindowType())
            return false;
        Control* c = pressed.data();
        if (!c)
            return false;
        auto* me = static_cast<QMouseEvent*>(event);
        // A press whose release went elsewhere (a popup menu's loop took it) holds nothing.
        if (type == QEvent::MouseMove && me->buttons() == Qt::NoButton) {
            pressed.clear();
            return false;
        }
        if (c->isVisible())
            return false;
        if (type == QEvent::MouseButtonRelease && me->buttons() == Qt::NoButton)
            pressed.clear();
        const QPointF local = c->mapFromGlobal(me->globalPosition());
        QMouseEvent toControl(type, local, me->scenePosition(), me->globalPosition(), me->button(), me->buttons(),
                              me->modifiers());
        QCoreApplication::sendEvent(c, &toControl);
        return true;
    }
};

} // namespace

void Control::dispatchMouse(QMouseEvent* event, QWidget* source)
{
    CaptureKeeper& keeper = CaptureKeeper::instance();
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        keeper.pressed = this;
    else if (event->type() == QEvent::MouseButtonRelease && event->buttons() == Qt::NoButton && keeper.pressed == this)
        keeper.pressed.clear();
    const QPointF p = source == this ? event->position() : QPointF(source->mapTo(this, event->position().toPoint()));
    // The handlers may unload the form: the control then lives on until they return (deleteLater),
    // but a Click must not follow into a control that was taken apart meanwhile.
    QPointer<Control> self(this);
    detail::MouseTargets t{onMouseDown, onMouseMove, onMouseUp,
                           [this, self](int button) {
                               if (self)
                                   clickedByMouse(button);
                           },
                           onDblClick};
    detail::dispatchMouse(this, *event, p, rect(), afterDblClick_, t);
}

void Control::clickedByMouse(int) { raiseEvent(this, onClick); }

void Control::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    dispatchMouse(event, this);
}

void Control::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    dispatchMouse(event, this);
}

void Control::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    dispatchMouse(event, this);
}

void Control::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    dispatchMouse(event, this);
}

} // namespace tk
