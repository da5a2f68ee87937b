#pragma once
// A real desktop for the window tests: an X server (Xvfb, 1024 x 768) on a display it picks itself
// and a window manager (openbox) on it, both started by the test program before its application
// and stopped when it ends; the pointer driven through XTest, as a person's mouse would be; and
// the windows' places as the X server has them. Every wait is for a condition, with a time-out.

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

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
// The left button released if it is down: a test that failed while holding it leaves it to no
// test after it.
void letGo();

// The pointer taken through `points` one after the other with nothing between them, as the moves
// of a quick flick come.
void pointerPath(const std::vector<QPoint>& points);

// The window manager stops (SIGSTOP) and answers nothing until it goes on (SIGCONT), as one that
// a loaded machine leaves waiting.
void holdManager(bool held);

// A window of another program at `rect`, above the other normal windows, while the object lives.
class ForeignWindow {
public:
    explicit ForeignWindow(QRect rect);
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;
    // Mapped by the window manager, where it was asked to be.
    bool up() const;

private:
    unsigned long id_ = 0;
    QRect rect_;
};

// Another program asks for the window to go to `screen` (the window manager carries it out).
void moveWindow(const QWidget& window, QPoint screen);

// The window manager minimises the window, as its minimise button does.
void minimise(const QWidget& window);

// A desktop asks the window manager to put the window in a state (_NET_WM_STATE, one or two of
// its states by name), as its keyboard shortcut to maximise a window or make it full screen does.
void askState(const QWidget& window, const char* first, const char* second = nullptr);

// The actions the window manager offers for the window (_NET_WM_ALLOWED_ACTIONS), and the states
// it has it in (_NET_WM_STATE), by their names.
QStringList allowedActions(const QWidget& window);
QStringList states(const QWidget& window);

// The window is mapped and can be seen, and the window manager has it in the normal state (not
// minimised, not hidden).
bool viewable(const QWidget& window);

// The window's top-left corner on the screen as the X server has it.
QPoint placeOf(const QWidget& window);

// The window's size as the X server has it.
QSize sizeOf(const QWidget& window);

// The window of `widget` is shown and exposed, and the X server, the widget and its platform
// window (whose place maps the program's points to the screen) have it at one place and size: a
// point of it mapped to the screen is where the server shows it. The window manager answers a run
// of moves and resizes late, each answer with the place of its own time, so until the last has
// come the platform window can lag behind the server and the widget.
bool inPlace(const QWidget& widget);

// Waits until the window manager has dealt with every request the program made for the window of
// `widget` so far (it answers a request sent after them), the program has its answers, and the
// window is in place: no late answer can move it after. False at the time-out.
bool settled(const QWidget& widget);

// The windows under the pointer, from the root's child down, for a failure's message.
QString underPointer();
// The window manager's stacking of its clients (bottom first), each one's transient-for, and
// the active window, for a failure's message.
QString stackingReport();

// No client (the window manager's move above all) holds the pointer.
bool pointerFree();

// Runs the application's events until `condition` holds; false at the time-out.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 20000);


} // namespace xdesk
