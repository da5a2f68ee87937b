#pragma once
// Helpers of the toolkit tests: real mouse events through the window, so the platform's
// capture and double-click rules apply as they do for the candidate.

#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

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

} // namespace tktest

// Readable failure messages for Qt strings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join(QStringLiteral(" | ")).toStdString() << ']'; }
QT_END_NAMESPACE
