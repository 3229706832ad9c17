// Waits for a shown top-level window with the given title on the X display and asks it to
// close, the way a window manager's close button does: a WM_DELETE_WINDOW message. The
// program behind the window then runs its own close handling and decides whether to end.
//
// Usage: close_window TITLE [SECONDS]
// Prints the window's WM_CLASS instance and class names on a line "class: NAME CLASS".
// Exit code 0 when the window was found and asked to close, 1 otherwise.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <thread>

namespace {

struct Atoms {
    Atom netWmName;
    Atom utf8String;
    Atom wmProtocols;
    Atom wmDeleteWindow;
};

// Qt writes the UTF-8 title to _NET_WM_NAME and a Latin-1 copy to WM_NAME; read the first.
std::string windowTitle(Display *display, Window window, const Atoms &atoms)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, atoms.netWmName, 0, 1024, False, atoms.utf8String,
                           &type, &format, &count, &remaining, &data) == Success &&
        data != nullptr && type == atoms.utf8String && format == 8) {
        title.assign(reinterpret_cast<const char *>(data), count);
    } else {
        char *name = nullptr;
        if (XFetchName(display, window, &name) && name != nullptr) {
            title = name;
            XFree(name);
        }
    }
    if (data != nullptr) {
        XFree(data);
    }
    return title;
}

bool acceptsDelete(Display *display, Window window, const Atoms &atoms)
{
    Atom *protocols = nullptr;
    int count = 0;
    bool found = false;
    if (XGetWMProtocols(display, window, &protocols, &count)) {
        for (int i = 0; i < count; ++i) {
            found = found || protocols[i] == atoms.wmDeleteWindow;
        }
        XFree(protocols);
    }
    return found;
}

// Without a window manager the program's windows are direct children of the root.
std::optional<Window> findShownWindow(Display *display, const std::string &wanted,
                                      const Atoms &atoms, std::set<std::string> &seen)
{
    Window root = 0;
    Window parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    std::optional<Window> result;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        return result;
    }
    for (unsigned int i = 0; i < count && !result; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes) ||
            attributes.map_state != IsViewable) {
            continue;
        }
        const std::string title = windowTitle(display, children[i], atoms);
        seen.insert(title);
        if (title == wanted) {
            result = children[i];
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return result;
}

// A window that vanishes between listing and asking must not end this helper.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s TITLE [SECONDS]\n", argv[0]);
        return 1;
    }
    const std::string wanted = argv[1];
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;

    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const Atoms atoms{XInternAtom(display, "_NET_WM_NAME", False),
                      XInternAtom(display, "UTF8_STRING", False),
                      XInternAtom(display, "WM_PROTOCOLS", False),
                      XInternAtom(display, "WM_DELETE_WINDOW", False)};

    std::set<std::string> seen;
    std::optional<Window> window;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!(window = findShownWindow(display, wanted, atoms, seen)) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!window) {
        std::fprintf(stderr, "no shown window titled \"%s\" within %d s; shown titles:\n",
                     wanted.c_str(), seconds);
        for (const std::string &title : seen) {
            std::fprintf(stderr, "  \"%s\"\n", title.c_str());
        }
        XCloseDisplay(display);
        return 1;
    }
    std::printf("found window 0x%lx titled \"%s\"\n", *window, wanted.c_str());
    // The desktop matches a window to its menu entry by this class.
    XClassHint hint{};
    if (XGetClassHint(display, *window, &hint)) {
        std::printf("class: %s %s\n", hint.res_name, hint.res_class);
        XFree(hint.res_name);
        XFree(hint.res_class);
    }

    // Closing a window that does not take part in WM_DELETE_WINDOW would take killing its
    // client, which says nothing about how the program ends.
    if (!acceptsDelete(display, *window, atoms)) {
        std::fprintf(stderr, "the window does not accept WM_DELETE_WINDOW\n");
        XCloseDisplay(display);
        return 1;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = *window;
    event.xclient.message_type = atoms.wmProtocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(atoms.wmDeleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, *window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    std::printf("asked it to close\n");
    return 0;
}
