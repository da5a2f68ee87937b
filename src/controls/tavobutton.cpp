#include "controls/tavobutton.h"

#include "app/moddata.h"
#include "platform/windowpos.h"
#include "toolkit/vb.h"

#include <QEvent>
#include <QPainter>
#include <cmath>

namespace {

constexpr long kBackColour = 0xFF80FF;

std::function<bool(const QWidget*)>& pointerTest()
{
    static std::function<bool(const QWidget*)> test;
    return test;
}

// Centring on whole pixels: halves to the even twip, then down toward zero to a multiple of 15.
double centred(double outer, double inner)
{
    const double x = vb::roundHalfEven((outer - inner) / 2);
    return std::trunc(x / 15) * 15;
}

} // namespace

tavoButton::tavoButton(QWidget* container) : tk::Control(container, tk::Layer::Windowed)
{
    setBackColor(kBackColour);
    LblCaption.setBackStyle(0);
    LblCaption.setAutoSize(true);
    LblCaption.setCaption(QString());
    ImgBack.Move(0, 0);

    ImgBack.onMouseDown = [this](int b, int s, float x, float y) { ImgBack_MouseDown(b, s, x, y); };
    ImgBack.onMouseMove = [this](int b, int s, float x, float y) { ImgBack_MouseMove(b, s, x, y); };
    ImgBack.onMouseUp = [this](int b, int s, float x, float y) { ImgBack_MouseUp(b, s, x, y); };
    // The caption hands its mouse events on, so the whole button reacts alike.
    LblCaption.onMouseDown = ImgBack.onMouseDown;
    LblCaption.onMouseMove = ImgBack.onMouseMove;
    LblCaption.onMouseUp = ImgBack.onMouseUp;
    Timer1.onTimer = [this] { Timer1_Timer(); };

    centreCaption(false);
    showFrame(restFrame());
}

void tavoButton::useProgramDesign()
{
    setForeColor(255);
    setFontName(QStringLiteral("宋体"));
    setFontSize(9);
}

void tavoButton::setEnabled(bool on)
{
    tk::Control::setEnabled(on);
    ownEnabled_ = on;
    showFrame(on ? 0 : 3);
}

void tavoButton::changeEvent(QEvent* event)
{
    tk::Control::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    const bool own = !testAttribute(Qt::WA_ForceDisabled);
    if (own != ownEnabled_) {
        ownEnabled_ = own;
        showFrame(own ? 0 : 3);
    }
}

void tavoButton::setCaption(const QString& text)
{
    LblCaption.setCaption(text);
    centreCaption(false);
}

int tavoButton::frame() const
{
    const double w = Width();
    if (w <= 0)
        return 0;
    return int(std::lround(-ImgBack.Left() / w));
}

void tavoButton::copyFrom(const tk::Control& other)
{
    tk::Control::copyFrom(other);
    if (const auto* b = qobject_cast<const tavoButton*>(&other)) {
        LblCaption.copyFrom(b->LblCaption);
        LblCaption.setCaption(b->Caption());
        ImgBack.setPicture(b->Picture());
        setEnabled(b->Enabled());
    }
    centreCaption(false);
}

void tavoButton::setPointerTestForTests(std::function<bool(const QWidget*)> test)
{
    pointerTest() = std::move(test);
}

void tavoButton::showFrame(int k) { ImgBack.Move(-k * Width(), 0); }

void tavoButton::centreCaption(bool pressed)
{
    double x = centred(Width(), LblCaption.Width());
    double y = centred(Height(), LblCaption.Height());
    if (pressed) {
        x += 15 * ModData::dScaleX;
        y += 15 * ModData::dScaleY;
    }
    LblCaption.Move(x, y);
}

bool tavoButton::IsMouseOver() const
{
    // No window answers for a disabled control.
    if (!isEnabled())
        return false;
    if (pointerTest())
        return pointerTest()(this);
    return platform::isPointerOver(this);
}

void tavoButton::ImgBack_MouseDown(int, int, float, float)
{
    showFrame(2);
    centreCaption(true);
    Timer1.setEnabled(true);
}

void tavoButton::ImgBack_MouseMove(int, int, float, float)
{
    if (ImgBack.Left() == 0) { // frame 0 shown
        showFrame(1);
        centreCaption(false);
    }
    Timer1.setEnabled(true);
}

void tavoButton::ImgBack_MouseUp(int, int, float, float)
{
    showFrame(0);
    centreCaption(false);
    Timer1.setEnabled(false);
    // Last: the handler may unload the window that holds this button.
    tk::raiseEvent(this, onClick);
}

void tavoButton::UserControl_Resize()
{
    centreCaption(false);
    ImgBack.setTop(0);
}

void tavoButton::Timer1_Timer()
{
    if (IsMouseOver())
        return;
    const int rest = restFrame();
    if (ImgBack.Left() != -rest * Width()) {
        showFrame(rest);
        centreCaption(false);
    }
    Timer1.setEnabled(false);
}

void tavoButton::resizeEvent(QResizeEvent* event)
{
    tk::Control::resizeEvent(event);
    UserControl_Resize();
}

void tavoButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), tk::colorFromVb(BackColor()));
}

void tavoButton::clickedByMouse(int)
{
    // Click is raised by the release handler itself, wherever the release happens.
}

void tavoButton::mousePressEvent(QMouseEvent* event)
{
    tk::Control::mousePressEvent(event);
    ImgBack_MouseDown(0, 0, 0, 0);
}

void tavoButton::mouseMoveEvent(QMouseEvent* event)
{
    tk::Control::mouseMoveEvent(event);
    ImgBack_MouseMove(0, 0, 0, 0);
}

void tavoButton::mouseReleaseEvent(QMouseEvent* event)
{
    tk::Control::mouseReleaseEvent(event);
    ImgBack_MouseUp(0, 0, 0, 0);
}
