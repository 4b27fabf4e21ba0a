// Waits on the X display for the first top-level window with the given title to be mapped and
// then painted, and prints both moments as CLOCK_REALTIME microseconds: "<mapped> <painted>".
// Prints "ready" once it listens, so the caller can start the program after that.
// Usage: mapwatch TITLE [TIMEOUT_SECONDS]; exits 2 on timeout.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <poll.h>
#include <string>

namespace {

long long nowMicroseconds()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return ts.tv_sec * 1000000LL + ts.tv_nsec / 1000;
}

// Other clients' windows may be gone by the time a request about them arrives.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

std::string title(Display *display, Window window)
{
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::string result;
    if (XGetWindowProperty(
            display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data)
            == Success
        && data) {
        result.assign(reinterpret_cast<const char *>(data), count);
        XFree(data);
    }
    char *name = nullptr;
    if (result.empty() && XFetchName(display, window, &name) && name) {
        result = name;
        XFree(name);
    }
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: mapwatch TITLE [TIMEOUT_SECONDS]\n");
        return 1;
    }
    const std::string wanted = argv[1];
    const long long deadline =
        nowMicroseconds() + (argc > 2 ? std::atoll(argv[2]) : 30) * 1000000LL;

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "mapwatch: cannot open the display\n");
        return 1;
    }
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "mapwatch: the X server has no Damage extension\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);

    Window target = None;
    long long mapped = 0;
    pollfd connection{ ConnectionNumber(display), POLLIN, 0 };
    for (;;) {
        while (!XPending(display)) {
            const long long left = deadline - nowMicroseconds();
            if (left <= 0)
                return 2;
            poll(&connection, 1, static_cast<int>(left / 1000) + 1);
        }
        XEvent event;
        XNextEvent(display, &event);
        const long long at = nowMicroseconds();
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            // Watch every new top-level window from its birth: its first paint may follow the
            // map closer than a round trip.
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportRawRectangles);
        } else if (event.type == MapNotify && target == None && event.xmap.event == root
            && title(display, event.xmap.window) == wanted) {
            target = event.xmap.window;
            mapped = at;
        } else if (event.type == damageEvent + XDamageNotify && target != None
            && reinterpret_cast<const XDamageNotifyEvent &>(event).drawable == target) {
            std::printf("%lld %lld\n", mapped, at);
            return 0;
        }
    }
}
