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

class QMessageBox;

namespace platform {

void setTopmost(QWidget* window, bool on = true);
void raiseTop(QWidget* window);

// Starts a drag of the window of `widget` with the mouse, from the handler of a left-button press
// (nothing when no left button is held), and returns at once: no loop of its own runs, so the
// handler goes on before the window has moved. The press alone moves nothing: once the pointer
// has gone the platform's drag distance with the button held, the window is put where the
// pointer has taken it and, where the system moves windows itself (the window manager's move,
// the compositor's on Wayland), handed to it; elsewhere the window follows the pointer's moves by
// the pointer's offset from the press, while the moves go to no control, and the drag ends at the
// release. A click that never went that far is a click: its control gets the release. Nothing is
// grabbed and nothing filters the other windows' events: a window that opens meanwhile (a modal
// box) takes the mouse, and the drag ends as the window is hidden or blocked by a modal window.
// A window that carries another along watches its own moves: the system's come after the drag.
void dragWindow(QWidget* widget);

bool isPointerOver(const QWidget* widget);

// A window shown modally has no minimise button, but a window manager may minimise it all the same
// (openbox offers it on every window, whatever the window asks for); minimised, it would go on
// blocking every other window of the program while none of them can be used. From this call on,
// the window comes straight back whenever it is minimised while it is modal.
void keepUpWhileModal(QWidget* window);

// A message box of the program, before it is shown: it comes up above every other window, the
// program's windows kept on top (the panel, the answer window...) included, as a box sits above
// the window that asked it; it comes back whenever it is minimised (keepUpWhileModal); and its
// buttons read as a Chinese system's boxes do ("是(Y)", "否(N)", "确定").
void prepareMessageBox(QMessageBox* box);

} // namespace platform
