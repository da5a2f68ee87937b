#pragma once
// Window z-order, dragging of borderless windows and the pointer test, in place of the system
// calls the program was written against.
//
//   platform::setTopmost(&panel);     // SetWindowPos HWND_TOPMOST, no move, no size
//   platform::raiseTop(&surface);     // SetWindowPos HWND_TOP, no move, no size
//   platform::dragWindow(this);       // from a left-button press handler: the window follows
//                                     // the mouse until the button comes up; returns at once
//   platform::isPointerOver(button);  // the pointer lies on the widget (or a child), nothing above

#include <QMessageBox>
#include <QWidget>

namespace platform {

void setTopmost(QWidget* window, bool on = true);
void raiseTop(QWidget* window);

// Starts a drag of the window of `widget` with the mouse, from the handler of a left-button press
// (nothing when no left button is held), and returns at once: no loop of its own runs, so the
// handler goes on before the window has moved. The press alone moves nothing: once the pointer
// has gone the platform's drag distance from the press with the button held, the window follows
// the pointer's moves by their way from the press, while the moves go to no control, and at the
// release it is put by the release's way from the press. The way is counted from the press's own
// place, not from the pointer's when the handler runs, so a press handled late moves the window
// as far as the pointer went; moves merged or dropped on the way change nothing of where the
// window ends. The program moves its own window: nothing is handed to the window manager, whose
// late answer could leave a window following a pointer whose button is up (only on Wayland, where
// a program cannot place its windows, the compositor's move takes over). A click that never went
// the drag distance is a click: its control gets the release. Nothing is grabbed beyond the
// press's own hold and nothing filters the other windows' events: a window that opens meanwhile
// (a modal box) takes the mouse, and the drag ends as the window is hidden, closed or blocked by
// a modal window. A window that carries another along watches its own moves (moveEvent), which
// the window manager may make too.
void dragWindow(QWidget* widget);

bool isPointerOver(const QWidget* widget);

// A window shown modally has no minimise button, but a window manager may minimise it all the same
// (openbox offers it on every window, whatever the window asks for); minimised, it would go on
// blocking every other window of the program while none of them can be used. From this call on,
// the window comes straight back whenever it is minimised while it is modal.
void keepUpWhileModal(QWidget* window);

// A message box of the program; every box is made as one, so that each comes up above every
// other window, the program's windows kept on top (the panel, the answer window...) included, as a
// box sits above the window that asked it; comes back whenever it is minimised (keepUpWhileModal);
// and has its buttons read as a Chinese system's boxes do ("是(Y)", "否(N)", "确定").
//
//   platform::MessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No);
//   box.exec();
class MessageBox : public QMessageBox {
public:
    MessageBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons);
};

} // namespace platform
