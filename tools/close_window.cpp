// Waits for a shown top-level window titled TITLE on the X display, prints its class and
// geometry, and asks it to close the way a window manager's close box does
// (WM_DELETE_WINDOW), so that the program behind it runs its own close handling.
//
// Usage: close_window TITLE [SECONDS]; exit code 0 when the window was found and asked.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

// Without a window manager the program's windows are direct children of the root.
static Window findShown(Display *display, const char *title)
{
    Window root, parent, *children = nullptr, found = 0;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        char *name = nullptr;
        if (XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable && XFetchName(display, children[i], &name)) {
            found = std::strcmp(name, title) == 0 ? children[i] : 0;
            XFree(name);
        }
    }
    XFree(children);
    return found;
}

int main(int argc, char **argv)
{
    Display *display = argc > 1 ? XOpenDisplay(nullptr) : nullptr;
    if (!display)
        return std::fprintf(stderr, "usage: close_window TITLE [SECONDS], with an X display\n"), 1;
    Window window = 0;
    for (int tenths = 10 * (argc > 2 ? std::atoi(argv[2]) : 20); !window && tenths-- > 0;)
        if (!(window = findShown(display, argv[1])))
            usleep(100000);
    if (!window)
        return std::fprintf(stderr, "no shown window titled \"%s\"\n", argv[1]), 1;

    XClassHint hint{}; // the desktop matches a window to its menu entry by this class
    if (XGetClassHint(display, window, &hint)) {
        std::printf("class: %s %s\n", hint.res_name, hint.res_class);
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    std::printf("geometry: %d %d %d %d\n", attributes.x, attributes.y, attributes.width,
                attributes.height);

    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XCloseDisplay(display);
    return 0;
}
