#pragma once
// Window z-order, dragging of borderless windows and the pointer test, in place of the system
// calls the program was written against.
//
//   platform::setTopmost(&panel);     // SetWindowPos HWND_TOPMOST, no move, no size
//   platform::raiseTop(&surface);     // SetWindowPos HWND_TOP, no move, no size
//   platform::dragWindow(this);       // from a left-button press handler: the window follows
//                                     // the mouse until the button comes up; returns at once
//   platform::isPointerOver(button);  // the pointer lies on the widget (or a child), nothing above

#include <QWidget>

#include <functional>

namespace platform {

void setTopmost(QWidget* window, bool on = true);
void raiseTop(QWidget* window);

// Starts a drag of the window of `widget` with the mouse, from the handler of a left-button press
// (nothing when no left button is held), and returns at once: no loop of its own runs, so the
// handler goes on before the window has moved. Where the system moves windows itself (the window
// manager's move, the compositor's on Wayland) the drag is handed to it; elsewhere the window
// follows the pointer's moves by the pointer's offset from the press, while the moves go to no
// control, and the drag ends at the release. Nothing is grabbed and nothing filters the other
// windows' events: a window that opens meanwhile (a modal box) takes the mouse, and the drag
// ends as the window is hidden or blocked by a modal window.
// `moved` runs after each move of the window the drag brings (to carry another window along); it
// never runs once the drag is over.
void dragWindow(QWidget* widget, std::function<void()> moved = {});

bool isPointerOver(const QWidget* widget);

} // namespace platform
