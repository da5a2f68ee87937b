#include "exam/frmpicture.h"

#include "app/moddata.h"
#include "controls/tavobutton.h"
#include "exam/frmtm.h"
#include "platform/screenmetrics.h"
#include "platform/windowpos.h"
#include "toolkit/vb.h"

#include <QPainter>

using namespace ModData;

namespace {

// The window's own icon, 16 x 16 pixels: a framed landscape.
QPixmap designIcon()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.fillRect(2, 3, 12, 10, QColor(0x9c, 0xd0, 0xf5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3c, 0x9a, 0x3c));
    const QPoint hill[] = {{2, 13}, {7, 7}, {10, 10}, {12, 8}, {14, 11}, {14, 13}};
    p.drawPolygon(hill, 6);
    p.setBrush(QColor(0xf5, 0xc8, 0x2a));
    p.drawEllipse(QPoint(5, 6), 1, 1);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::NoBrush);
    p.drawRect(1, 2, 13, 11);
    return pm;
}

} // namespace

FrmPicture::FrmPicture()
{
    setBorderless(true);
    setBackColor(0xFF);
    setIcon(designIcon());
    Move(0, 0, 930, 525);
    Image1.Move(0, 0);

    Timer1.onTimer = [this] { Timer1_Timer(); };
    Image1.onMouseDown = [this](int b, int s, float x, float y) { Image1_MouseDown(b, s, x, y); };
}

void FrmPicture::Form_Load()
{
    vb::attempt([&] { Image1.Move(60 * dScaleX, 60 * dScaleY); });
    Timer1.setEnabled(true);
}

// Fits the window round the picture, keeps it above the other windows and centres it.
void FrmPicture::Timer1_Timer()
{
    const double sx = dScaleX;
    const double sy = dScaleY;
    vb::attempt([&] { setWidth(Image1.Width() + 120 * sx); });
    vb::attempt([&] { setHeight(Image1.Height() + 120 * sy); });
    vb::attempt([&] { setTopmost(true); });
    vb::attempt([&] {
        const QSize screen = platform::screenSizeTwips();
        Move((screen.width() - Width()) * sx / 2, (screen.height() - Height()) * sy / 2);
    });
    Timer1.setEnabled(false);
}

void FrmPicture::Form_QueryUnload(int& cancel, int unloadMode)
{
    if (unloadMode != FromControlMenu)
        return;
    cancel = -1;
    if (FrmTm::isLoaded())
        exam::hidePicture(FrmTm::get().Image2);
    else
        Hide();
}

void FrmPicture::Form_MouseDown(int button, int, float, float)
{
    if (button == 1)
        platform::dragWindow(this);
}

void FrmPicture::Image1_MouseDown(int button, int, float, float)
{
    if (button == 1)
        platform::dragWindow(this);
}

namespace exam {

void pictureButtonClick(tavoButton& button)
{
    if (button.Caption() == QString::fromUtf8(kShowPicture)) {
        FrmPicture& window = FrmPicture::get();
        window.Show();
        window.Timer1.setEnabled(true);
        button.setCaption(QString::fromUtf8(kHidePicture));
    } else {
        FrmPicture::get().Hide();
        button.setCaption(QString::fromUtf8(kShowPicture));
    }
}

void hidePicture(tavoButton& button)
{
    vb::attempt([] { FrmPicture::get().Hide(); });
    button.setCaption(QString::fromUtf8(kShowPicture));
}

} // namespace exam
