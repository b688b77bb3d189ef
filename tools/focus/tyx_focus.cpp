// tyx_focus.cpp — the companion that a starting tyx runs to find a copy that
// already runs on this X display: tyx-focus PROGRAM TITLE1 TITLE2.
//
// Looks for a top-level window titled TITLE1 or TITLE2. If there is one, it
// is raised and given the focus and the exit status is 1: the new copy then
// ends. Otherwise, and on any failure (no display, wrong arguments), the exit
// status is 0 and the new copy starts. PROGRAM, the full path of the starting
// program, is accepted but not needed: the titles identify the copy.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace {

constexpr int kRunningCopyFound = 1;
constexpr int kNoCopy = 0;

// Client windows sit below the window manager's frames; four levels reach
// them under every common reparenting window manager.
constexpr int kSearchDepth = 4;

// Windows may vanish while they are looked at. Xlib's default handlers would
// end the program with status 1, which means "copy found": never let them.
int ignore_error(Display*, XErrorEvent*)
{
    return 0;
}

int lost_display(Display*)
{
    _exit(kNoCopy);
}

bool has_title(Display* display, Window window, const char* title1, const char* title2)
{
    auto matches = [&](const char* name) {
        return name != nullptr &&
               (std::strcmp(name, title1) == 0 || std::strcmp(name, title2) == 0);
    };

    // The EWMH title in UTF-8 first, then the ICCCM one.
    Atom net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, window, net_wm_name, 0, 1024, False, utf8, &type, &format,
                           &count, &remaining, &data) == Success &&
        data != nullptr) {
        if (type == utf8 && format == 8)
            found = matches(std::string(reinterpret_cast<char*>(data), count).c_str());
        XFree(data);
    }
    if (found)
        return true;

    char* name = nullptr;
    if (XFetchName(display, window, &name) != 0 && name != nullptr) {
        found = matches(name);
        XFree(name);
    }
    return found;
}

// Depth-first search below `parent`; returns the matching window or 0.
Window find_titled(Display* display, Window parent, int depth, const char* title1,
                   const char* title2)
{
    Window root, grandparent, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, parent, &root, &grandparent, &children, &count) == 0)
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; i++) {
        if (has_title(display, children[i], title1, title2))
            found = children[i];
        else if (depth > 1)
            found = find_titled(display, children[i], depth - 1, title1, title2);
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

// The child of the root that holds `window`: the frame a window manager put
// around it, or the window itself.
Window top_level_of(Display* display, Window window)
{
    for (;;) {
        Window root, parent, *children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, window, &root, &parent, &children, &count) == 0)
            return window;
        if (children != nullptr)
            XFree(children);
        if (parent == root || parent == 0)
            return window;
        window = parent;
    }
}

bool window_manager_activates(Display* display, Window root)
{
    Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
    Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, root, supported, 0, 4096, False, XA_ATOM, &type, &format,
                           &count, &remaining, &data) == Success &&
        data != nullptr) {
        if (type == XA_ATOM && format == 32) {
            const Atom* atoms = reinterpret_cast<const Atom*>(data);
            for (unsigned long i = 0; i < count && !found; i++)
                found = atoms[i] == active;
        }
        XFree(data);
    }
    return found;
}

// Asks the window manager to activate the window (it also restores it from
// an icon); without one that understands the request, raises it and gives it
// the keyboard focus directly.
void bring_to_front(Display* display, Window root, Window window)
{
    if (window_manager_activates(display, root)) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = 2; // the request comes from a pager-like tool
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    } else {
        XRaiseWindow(display, top_level_of(display, window));
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, window, &attributes) != 0 &&
            attributes.map_state == IsViewable)
            XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    }
    XSync(display, False);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return kNoCopy;
    XSetErrorHandler(ignore_error);
    XSetIOErrorHandler(lost_display);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return kNoCopy;

    int status = kNoCopy;
    for (int s = 0; s < ScreenCount(display) && status == kNoCopy; s++) {
        Window root = RootWindow(display, s);
        Window window = find_titled(display, root, kSearchDepth, argv[2], argv[3]);
        if (window != 0) {
            bring_to_front(display, root, window);
            status = kRunningCopyFound;
        }
    }
    XCloseDisplay(display);
    return status;
}
