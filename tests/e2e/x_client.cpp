#include "tests/e2e/x_client.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

int ignore_error(Display*, XErrorEvent*) {
    return 0;
}

Display* as_display(void* display) {
    return static_cast<Display*>(display);
}

void clear_tree(Display* d, Window window, unsigned long rgb) {
    XSetWindowBackground(d, window, rgb);
    XClearArea(d, window, 0, 0, 0, 0, True);
    Window root, parent;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(d, window, &root, &parent, &children, &count) != 0 && children != nullptr) {
        for (unsigned i = 0; i < count; ++i) {
            clear_tree(d, children[i], rgb);
        }
        XFree(children);
    }
}

}  // namespace

XClient::XClient(const std::string& display_name) {
    XSetErrorHandler(ignore_error);
    display = XOpenDisplay(display_name.c_str());
}

XClient::~XClient() {
    if (display != nullptr) {
        XCloseDisplay(as_display(display));
    }
}

Picture XClient::grab(XWindowId window) {
    Picture picture;
    Display* d = as_display(display);
    XWindowAttributes attributes;
    int x = 0, y = 0;
    Window child;
    if (XGetWindowAttributes(d, window, &attributes) == 0 ||
        XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &x, &y, &child) == 0) {
        return picture;
    }
    // Read from the root window: it shows the window together with its SDL child window.
    XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, unsigned(attributes.width),
                              unsigned(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return picture;
    }
    picture.w = attributes.width;
    picture.h = attributes.height;
    for (int row = 0; row < picture.h; ++row) {
        for (int column = 0; column < picture.w; ++column) {
            picture.pixels.push_back(0xFF000000u |
                                     (Uint32(XGetPixel(image, column, row)) & 0xFFFFFF));
        }
    }
    XDestroyImage(image);
    return picture;
}

void XClient::focus(XWindowId window) {
    Display* d = as_display(display);
    XSetInputFocus(d, window == 0 ? DefaultRootWindow(d) : window, RevertToParent, CurrentTime);
    XSync(d, False);
}

void XClient::clear_and_expose(XWindowId window, unsigned long rgb) {
    clear_tree(as_display(display), window, rgb);
    XSync(as_display(display), False);
}

void XClient::request_close(XWindowId window) {
    Display* d = as_display(display);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &event);
    XSync(d, False);
}
