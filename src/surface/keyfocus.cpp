#include "surface/keyfocus.h"

#include "toolkit/textbox.h"

#include <QEvent>

namespace surface {

KeyFocusKeeper::KeyFocusKeeper(QWidget* window, std::initializer_list<tk::TextBox*> boxes)
    : QObject(window), m_window(window), m_boxes(boxes)
{
    for (tk::TextBox* box : m_boxes)
        box->installEventFilter(this);
}

bool KeyFocusKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide) {
        // The focus a window gives its keys to, whether or not the window is the active one.
        QWidget* focus = m_window->focusWidget();
        for (tk::TextBox* box : m_boxes) {
            if (box == watched && focus && (focus == box || box->isAncestorOf(focus))) {
                m_window->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace surface
