#pragma once
// The panel's small windows (hint window, question picture window, input-method dialog) on the
// panel's test program folder: they are unloaded before the panel and the surface go, since
// closing them touches both. Also a real mouse drag through the platform, for the drag handles.

#include "exam/frmczts.h"
#include "exam/frmime.h"
#include "exam/frmpicture.h"
#include "panelfixture.h"
#include "toolkit/toolkit_testutil.h"

#include <QTimer>
#include <functional>

namespace dialogfixture {

inline void closeDialogs()
{
    FrmCZTS::unloadIfLoaded();
    FrmIME::unloadIfLoaded();
    FrmPicture::unloadIfLoaded();
    tktest::flushDeletes();
}

class World : public panelfixture::Panel {
public:
    explicit World(int count = 3) : Panel(count) { closeDialogs(); }
    ~World() { closeDialogs(); }
};

// Presses `button` on `handle` at a point inside it, moves the mouse by `by` and releases it.
// Returns how far the window of `handle` moved, in pixels.
inline QPoint dragBy(QWidget& handle, QPoint at, QPoint by, Qt::MouseButton button = Qt::LeftButton)
{
    QWidget* top = handle.window();
    QWindow* w = top->windowHandle();
    const QPoint before = top->pos();
    const QPoint start = handle.mapToGlobal(at);
    auto local = [w](QPoint global) { return global - w->position(); };
    // Once the button is down, the mouse moves and comes up (queued before the press, so that it
    // comes even if the press handler held the press in a loop of its own).
    QTimer::singleShot(0, top, [=] {
        QCursor::setPos(start + by);
        QTest::mouseMove(w, local(start + by));
        QTest::mouseRelease(w, button, {}, local(start + by));
    });
    QCursor::setPos(start);
    QTest::mousePress(w, button, {}, local(start));
    QCoreApplication::processEvents(); // a press that started no drag: its release now
    return top->pos() - before;
}

} // namespace dialogfixture
