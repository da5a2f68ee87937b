#pragma once
// Helpers of the toolkit tests: real mouse events through the window, so the platform's
// capture and double-click rules apply as they do for the candidate.

#include <QCoreApplication>
#include <QCursor>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>

#include <ostream>

namespace tktest {

// Shows a window and waits until the platform has exposed it (no timers involved).
inline bool showExposed(QWidget& w)
{
    w.show();
    return QTest::qWaitForWindowExposed(&w);
}

// Deletes what deleteLater left behind, as returning to the event loop would.
inline void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// A point of `w` in its window's coordinates.
inline QPoint inWindow(const QWidget& w, QPoint local) { return w.mapTo(w.window(), local); }

inline void press(QWidget& w, QPoint local, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
{
    QTest::mousePress(w.window()->windowHandle(), b, m, inWindow(w, local));
}
inline void release(QWidget& w, QPoint local, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
{
    QTest::mouseRelease(w.window()->windowHandle(), b, m, inWindow(w, local));
}
inline void moveTo(QWidget& w, QPoint local)
{
    QTest::mouseMove(w.window()->windowHandle(), inWindow(w, local));
}

// The left button held on a point of `w` and moved by offsets from there, through the window of
// `w`, the pointer going along. The pointer is a screen position: as the window moves under it,
// its place in the window changes. The window may be gone by the release.
class DragMouse {
public:
    DragMouse(QWidget& w, QPoint local) : window_(w.window()->windowHandle()), start_(w.mapToGlobal(local)) {}
    void press(Qt::MouseButton b = Qt::LeftButton)
    {
        QCursor::setPos(start_);
        if (window_)
            QTest::mousePress(window_, b, {}, at(start_));
    }
    void moveBy(QPoint by)
    {
        QCursor::setPos(start_ + by);
        if (window_)
            QTest::mouseMove(window_, at(start_ + by));
    }
    void releaseAt(QPoint by, Qt::MouseButton b = Qt::LeftButton)
    {
        if (window_)
            QTest::mouseRelease(window_, b, {}, at(start_ + by));
    }
    // Presses, runs `whileHeld` with the button down and releases it at `releaseAt`; false when
    // that never came. `whileHeld` is queued before the press, so that a press handler holding
    // the press in a loop of its own (it must not) runs it too.
    bool dragWhile(QPoint releaseAt, const std::function<void()>& whileHeld)
    {
        bool done = false;
        QObject guard;
        QTimer::singleShot(0, &guard, [&] {
            whileHeld();
            this->releaseAt(releaseAt);
            done = true;
        });
        press();
        for (int pass = 0; pass < 100 && !done; ++pass)
            QCoreApplication::processEvents();
        return done;
    }

private:
    QPoint at(QPoint global) const { return global - window_->position(); }
    QPointer<QWindow> window_;
    QPoint start_;
};

} // namespace tktest

// Readable failure messages for Qt strings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join(QStringLiteral(" | ")).toStdString() << ']'; }
QT_END_NAMESPACE
