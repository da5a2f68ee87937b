#pragma once
// A real desktop for the window tests: an X server (Xvfb, 1024 x 768) on a display it picks itself
// and a window manager (openbox) on it, both started by the test program before its application
// and stopped when it ends; the pointer driven through XTest, as a person's mouse would be; and
// the windows' places as the X server has them. Every wait is for a condition, with a time-out.

#include <QPoint>
#include <QString>

#include <functional>

class QWidget;

namespace xdesk {

// Starts the server and the window manager and points DISPLAY and QT_QPA_PLATFORM at them; false
// (and `error`) when either did not come up.
bool start(QString* error);
void stop();

// The pointer: moved to a screen position, its left button pressed or released. Each call has
// reached the X server when it returns.
void pointerTo(QPoint screen);
void leftButton(bool down);

// Another program asks for the window to go to `screen` (the window manager carries it out).
void moveWindow(const QWidget& window, QPoint screen);

// The window manager minimises the window, as its minimise button does.
void minimise(const QWidget& window);

// The window is mapped and can be seen, and the window manager has it in the normal state (not
// minimised, not hidden).
bool viewable(const QWidget& window);

// The window's top-left corner on the screen as the X server has it.
QPoint placeOf(const QWidget& window);

// No client (the window manager's move above all) holds the pointer.
bool pointerFree();

// Runs the application's events until `condition` holds; false at the time-out.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 20000);

} // namespace xdesk
