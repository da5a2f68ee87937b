#pragma once
// Turns Qt mouse events into the program's mouse events (shared by forms and controls).

#include <QPointF>
#include <QRect>
#include <functional>

class QMouseEvent;
class QObject;

namespace tk::detail {

struct MouseTargets {
    std::function<void(int button, int shift, float x, float y)> down, move, up;
    std::function<void(int button)> click; // a release over the target
    std::function<void()> dblClick;
};

// target: who receives the event (a form or a control; its form counts the handlers as running);
// pos: the event's position in the target's own pixels; area: the target's own rectangle.
// afterDblClick carries between events: the release that ends a double click gives no Click.
void dispatchMouse(const QObject* target, const QMouseEvent& event, QPointF pos, const QRect& area,
                   bool& afterDblClick, const MouseTargets& targets);

} // namespace tk::detail
