#include "xdesktop.h"

#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace xdesk {

namespace {

pid_t server = 0;
pid_t manager = 0;
Display* display = nullptr;

// Runs `args` with no input or output of its own; it ends with this process whatever ends it.
pid_t spawn(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

bool running(pid_t pid) { return pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0; }

void end(pid_t& pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    pid = 0;
}

// The display number the server writes to `fd` once it takes connections.
int readDisplayNumber(int fd)
{
    std::string line;
    const int deadlineMs = 30000;
    for (int waited = 0; waited < deadlineMs && line.find('\n') == std::string::npos;) {
        pollfd p{fd, POLLIN, 0};
        const int r = poll(&p, 1, 100);
        if (r < 0 && errno != EINTR)
            return -1;
        if (r <= 0) {
            waited += 100;
            continue;
        }
        char buf[32];
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0)
            return -1; // the server ended before it took connections
        line.append(buf, size_t(n));
    }
    return line.find('\n') == std::string::npos ? -1 : std::atoi(line.c_str());
}

// The window manager has said who it is on the root window and what it supports.
bool managerUp()
{
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
    bool up = true;
    for (Atom a : {check, supported}) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, DefaultRootWindow(display), a, 0, 1, False, AnyPropertyType, &type, &format,
                               &items, &after, &data) != Success || items == 0)
            up = false;
        if (data)
            XFree(data);
    }
    return up;
}

} // namespace

bool start(QString* error)
{
    int fds[2];
    if (pipe(fds) != 0) {
        *error = QStringLiteral("no pipe");
        return false;
    }
    server = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                    "-noreset"});
    close(fds[1]);
    const int number = readDisplayNumber(fds[0]);
    close(fds[0]);
    if (number < 0) {
        *error = QStringLiteral("Xvfb did not come up");
        stop();
        return false;
    }
    const std::string name = ":" + std::to_string(number);
    setenv("DISPLAY", name.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    display = XOpenDisplay(name.c_str());
    int event = 0, errorBase = 0, major = 0, minor = 0;
    if (!display || !XTestQueryExtension(display, &event, &errorBase, &major, &minor)) {
        *error = QStringLiteral("no XTest on display %1").arg(QString::fromStdString(name));
        stop();
        return false;
    }
    manager = spawn({"openbox", "--sm-disable"});
    for (int waited = 0; !managerUp(); waited += 10) {
        if (waited > 30000 || !running(manager)) {
            *error = QStringLiteral("openbox did not come up");
            stop();
            return false;
        }
        usleep(10000);
    }
    return true;
}

void stop()
{
    if (display) {
        XCloseDisplay(display);
        display = nullptr;
    }
    end(manager);
    end(server);
}

void pointerTo(QPoint screen)
{
    XTestFakeMotionEvent(display, -1, screen.x(), screen.y(), CurrentTime);
    XSync(display, False);
}

void leftButton(bool down)
{
    XTestFakeButtonEvent(display, 1, down ? True : False, CurrentTime);
    XSync(display, False);
}

void letGo()
{
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    if (XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y, &mask) && (mask & Button1Mask))
        leftButton(false);
}

void pointerPath(const std::vector<QPoint>& points)
{
    for (const QPoint& p : points)
        XTestFakeMotionEvent(display, -1, p.x(), p.y(), CurrentTime);
    XSync(display, False);
}

void holdManager(bool held)
{
    kill(manager, held ? SIGSTOP : SIGCONT);
}

ForeignWindow::ForeignWindow(QRect rect) : rect_(rect)
{
    const Window root = DefaultRootWindow(display);
    id_ = XCreateSimpleWindow(display, root, rect.x(), rect.y(), unsigned(rect.width()), unsigned(rect.height()), 0, 0,
                              0x808080);
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    hints.x = rect.x();
    hints.y = rect.y();
    hints.width = rect.width();
    hints.height = rect.height();
    XSetWMNormalHints(display, Window(id_), &hints);
    // No frame: the window lies exactly where asked.
    struct {
        unsigned long flags, functions, decorations;
        long input;
        unsigned long status;
    } motif{2, 0, 0, 0, 0};
    const Atom motifAtom = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, Window(id_), motifAtom, motifAtom, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&motif), 5);
    XSelectInput(display, Window(id_), ButtonPressMask | ButtonReleaseMask);
    XMapRaised(display, Window(id_));
    XSync(display, False);
}

ForeignWindow::~ForeignWindow()
{
    XDestroyWindow(display, Window(id_));
    XSync(display, False);
}

bool ForeignWindow::up() const
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, Window(id_), &a) || a.map_state != IsViewable)
        return false;
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display, Window(id_), DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return QPoint(x, y) == rect_.topLeft();
}

void moveWindow(const QWidget& window, QPoint screen)
{
    XMoveWindow(display, Window(window.winId()), screen.x(), screen.y());
    XSync(display, False);
}

void minimise(const QWidget& window)
{
    XIconifyWindow(display, Window(window.winId()), DefaultScreen(display));
    XSync(display, False);
}

namespace {

// Asks the window manager to add (1) or remove (0) one or two states of the window.
void sendState(const QWidget& window, long action, const char* first, const char* second = nullptr)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = Window(window.winId());
    e.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = action;
    e.xclient.data.l[1] = long(XInternAtom(display, first, False));
    e.xclient.data.l[2] = second ? long(XInternAtom(display, second, False)) : 0;
    e.xclient.data.l[3] = 1; // a normal application
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XSync(display, False);
}

} // namespace

void askState(const QWidget& window, const char* first, const char* second) { sendState(window, 1, first, second); }

namespace {

QStringList atomList(const QWidget& window, const char* property)
{
    QStringList names;
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, Window(window.winId()), XInternAtom(display, property, False), 0, 64, False, XA_ATOM,
                           &type, &format, &items, &after, &data) == Success && format == 32)
        for (unsigned long i = 0; i < items; ++i) {
            char* name = XGetAtomName(display, reinterpret_cast<Atom*>(data)[i]);
            names << QString::fromLatin1(name);
            XFree(name);
        }
    if (data)
        XFree(data);
    return names;
}

} // namespace

QString stackingReport()
{
    auto windows = [](Window w, const char* property, Atom type) {
        std::vector<unsigned long> ids;
        Atom got = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, w, XInternAtom(display, property, False), 0, 256, False, type, &got, &format,
                               &items, &after, &data) == Success && format == 32)
            for (unsigned long i = 0; i < items; ++i)
                ids.push_back(reinterpret_cast<unsigned long*>(data)[i]);
        if (data)
            XFree(data);
        return ids;
    };
    const Window root = DefaultRootWindow(display);
    QString out = QStringLiteral("stacking (bottom first):");
    for (unsigned long w : windows(root, "_NET_CLIENT_LIST_STACKING", XA_WINDOW)) {
        out += QStringLiteral(" 0x%1").arg(w, 0, 16);
        for (unsigned long t : windows(Window(w), "WM_TRANSIENT_FOR", XA_WINDOW))
            out += QStringLiteral(" (transient for 0x%1)").arg(t, 0, 16);
    }
    for (unsigned long a : windows(root, "_NET_ACTIVE_WINDOW", XA_WINDOW))
        out += QStringLiteral("; active 0x%1").arg(a, 0, 16);
    out += QStringLiteral("; the server's stacking (bottom first):");
    Window r = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, root, &r, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes a;
            if (!XGetWindowAttributes(display, children[i], &a) || a.map_state != IsViewable)
                continue;
            out += QStringLiteral(" 0x%1 %2x%3+%4+%5").arg(children[i], 0, 16).arg(a.width).arg(a.height).arg(a.x).arg(a.y);
            Window r2 = 0, p2 = 0;
            Window* inner = nullptr;
            unsigned n2 = 0;
            if (XQueryTree(display, children[i], &r2, &p2, &inner, &n2) && n2)
                out += QStringLiteral("[0x%1]").arg(inner[n2 - 1], 0, 16);
            if (inner)
                XFree(inner);
        }
        XFree(children);
    }
    return out;
}

QStringList allowedActions(const QWidget& window) { return atomList(window, "_NET_WM_ALLOWED_ACTIONS"); }
QStringList states(const QWidget& window) { return atomList(window, "_NET_WM_STATE"); }

bool viewable(const QWidget& window)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, Window(window.winId()), &a) || a.map_state != IsViewable)
        return false;
    // The window manager has it in the normal state too, not hidden.
    const Window w = Window(window.winId());
    bool normal = false;
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    if (XGetWindowProperty(display, w, wmState, 0, 2, False, wmState, &type, &format, &items, &after, &data) == Success &&
        items >= 1 && format == 32)
        normal = reinterpret_cast<long*>(data)[0] == NormalState;
    if (data)
        XFree(data);
    data = nullptr;
    const Atom hidden = XInternAtom(display, "_NET_WM_STATE_HIDDEN", False);
    if (XGetWindowProperty(display, w, XInternAtom(display, "_NET_WM_STATE", False), 0, 32, False, XA_ATOM, &type, &format,
                           &items, &after, &data) == Success && format == 32)
        for (unsigned long i = 0; i < items; ++i)
            normal = normal && reinterpret_cast<Atom*>(data)[i] != hidden;
    if (data)
        XFree(data);
    return normal;
}

QPoint placeOf(const QWidget& window)
{
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display, Window(window.winId()), DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return {x, y};
}

QSize sizeOf(const QWidget& window)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, Window(window.winId()), &a))
        return {};
    return {a.width, a.height};
}

bool settled(const QWidget& widget)
{
    const QWidget& top = *widget.window();
    // Every request of the program is with the server, and so with the window manager before the
    // one below. A state that changes nothing of the window, asked and then taken back: once the
    // window manager shows it, it has dealt with everything asked before.
    QGuiApplication::sync();
    const QString mark = QStringLiteral("_NET_WM_STATE_SKIP_PAGER");
    askState(top, "_NET_WM_STATE_SKIP_PAGER");
    const bool answered = waitFor([&] { return states(top).contains(mark); });
    sendState(top, 0, "_NET_WM_STATE_SKIP_PAGER");
    const bool back = waitFor([&] { return !states(top).contains(mark); });
    // The window manager's answers, sent before it, are with the program.
    QGuiApplication::sync();
    return answered && back && waitFor([&] { return inPlace(widget); });
}

bool inPlace(const QWidget& widget)
{
    const QWidget& top = *widget.window();
    const QWindow* handle = top.windowHandle();
    // The client area: a window the window manager frames has its frame's place as its pos().
    const QRect area = top.geometry();
    return widget.isVisible() && handle && handle->isExposed() && placeOf(top) == area.topLeft() && sizeOf(top) == area.size()
           && handle->geometry() == area;
}

QString underPointer()
{
    QStringList chain;
    Window w = DefaultRootWindow(display);
    for (int depth = 0; w && depth < 8; ++depth) {
        Window root = 0, child = 0;
        int rx = 0, ry = 0, x = 0, y = 0;
        unsigned mask = 0;
        if (!XQueryPointer(display, w, &root, &child, &rx, &ry, &x, &y, &mask) || !child)
            break;
        char* name = nullptr;
        XFetchName(display, child, &name);
        XWindowAttributes a;
        XGetWindowAttributes(display, child, &a);
        chain << QStringLiteral("0x%1 '%2' %3x%4+%5+%6")
                     .arg(child, 0, 16)
                     .arg(QString::fromUtf8(name ? name : ""))
                     .arg(a.width)
                     .arg(a.height)
                     .arg(a.x)
                     .arg(a.y);
        if (name)
            XFree(name);
        w = child;
    }
    return chain.join(QStringLiteral(" > "));
}

bool pointerFree()
{
    const int r = XGrabPointer(display, DefaultRootWindow(display), False, ButtonPressMask, GrabModeAsync,
                               GrabModeAsync, 0, 0, CurrentTime);
    if (r == GrabSuccess)
        XUngrabPointer(display, CurrentTime);
    XSync(display, False);
    return r == GrabSuccess;
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs) { return QTest::qWaitFor(condition, timeoutMs); }

} // namespace xdesk
