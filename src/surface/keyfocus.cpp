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
        // The focus the window gives its keys to, whether or not it is the active window.
        QWidget* focus = m_window->focusWidget();
        for (std::size_t i = 0; i < m_boxes.size(); ++i) {
            tk::TextBox* box = m_boxes[i];
            if (box == watched && focus && (focus == box || box->isAncestorOf(focus))) {
                passFocusOn(i);
                break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void KeyFocusKeeper::passFocusOn(std::size_t hidden)
{
    for (std::size_t k = 1; k < m_boxes.size(); ++k) {
        tk::TextBox* next = m_boxes[(hidden + k) % m_boxes.size()];
        if (next->isVisible() && next->isEnabled() && next->editor()) {
            next->editor()->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    m_window->setFocus(Qt::OtherFocusReason);
}

} // namespace surface
