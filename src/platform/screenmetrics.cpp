#include "platform/screenmetrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

namespace {
QSize& overrideSlot()
{
    static QSize size;
    return size;
}
constexpr int twipsPerPixel = 15;
} // namespace

QSize screenSizePixels()
{
    if (!overrideSlot().isEmpty())
        return overrideSlot();
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            return screen->size();
    }
    return QSize(800, 600);
}

QSize screenSizeTwips()
{
    const QSize p = screenSizePixels();
    return QSize(p.width() * twipsPerPixelX(), p.height() * twipsPerPixelY());
}

int twipsPerPixelX() { return twipsPerPixel; }
int twipsPerPixelY() { return twipsPerPixel; }

double screenScaleX() { return twipsPerPixelX() / 15.0; }
double screenScaleY() { return twipsPerPixelY() / 15.0; }

void setScreenSizeOverride(QSize pixels) { overrideSlot() = pixels; }

} // namespace platform
