#include "toolkit/pointers.h"

#include "toolkit/picturecache.h"
#include "toolkit/vberror.h"

#include <QWidget>

namespace tk {

bool isPointerNumber(int number) { return (number >= 0 && number <= 15) || number == 99; }

QCursor standardPointer(int number)
{
    switch (number) {
    case 2: return QCursor(Qt::CrossCursor);
    case 3: return QCursor(Qt::IBeamCursor);
    case 5: return QCursor(Qt::SizeAllCursor);
    case 6: return QCursor(Qt::SizeBDiagCursor);
    case 7: return QCursor(Qt::SizeVerCursor);
    case 8: return QCursor(Qt::SizeFDiagCursor);
    case 9: return QCursor(Qt::SizeHorCursor);
    case 10: return QCursor(Qt::UpArrowCursor);
    case 11: return QCursor(Qt::WaitCursor);
    case 12: return QCursor(Qt::ForbiddenCursor);
    case 13: return QCursor(Qt::BusyCursor);
    case 14: return QCursor(Qt::WhatsThisCursor);
    case 15: return QCursor(Qt::SizeAllCursor);
    default: return QCursor(Qt::ArrowCursor); // 0, 1 arrow, 4 icon
    }
}

void applyPointer(QWidget* widget, int number, const QCursor* icon)
{
    if (number == 99 && icon)
        widget->setCursor(*icon);
    else if (number >= 1 && number <= 15)
        widget->setCursor(standardPointer(number));
    else
        widget->unsetCursor(); // the widget's own default
}

// Found ignoring letter case and decoded once, as every picture (picturecache.h).
QCursor loadCursor(const QString& path)
{
    const DecodedPicture d = decodedPicture(path);
    if (!d.hotSpot)
        vb::raise(vb::ErrInvalidPicture);
    return QCursor(d.pixmap, d.hotSpot->x(), d.hotSpot->y());
}

} // namespace tk
