#pragma once
// Window z-order, dragging of borderless windows and the pointer test, in place of the system
// calls the program was written against.
//
//   platform::setTopmost(&panel);     // SetWindowPos HWND_TOPMOST, no move, no size
//   platform::raiseTop(&surface);     // SetWindowPos HWND_TOP, no move, no size
//   platform::dragWindow(this);       // from a left-button press handler: moves the window with
//                                     // the mouse and returns when the button is released
//   platform::isPointerOver(button);  // the pointer lies on the widget (or a child), nothing above

#include <QWidget>

namespace platform {

void setTopmost(QWidget* window, bool on = true);
void raiseTop(QWidget* window);

// Drags the window of `widget` with the mouse while the left button is held, and returns when it
// is released (or at once when no left button is held). On Wayland, where a program cannot place
// its windows, the drag is handed to the compositor and the call returns at once.
void dragWindow(QWidget* widget);

bool isPointerOver(const QWidget* widget);

} // namespace platform
