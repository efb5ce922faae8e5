#include "tests/e2e/x_client.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <thread>
#include <vector>

#include "tests/e2e/process.h"

namespace {

int ignore_error(Display*, XErrorEvent*) {
    return 0;
}

Display* as_display(void* display) {
    return static_cast<Display*>(display);
}

// The bytes of a text property (plain ASCII here, in whatever encoding type the toolkit chose:
// XFetchName would miss UTF8_STRING names).
std::string text_of(Display* d, Window window, bool icon) {
    XTextProperty property{};
    Status got = icon ? XGetWMIconName(d, window, &property) : XGetWMName(d, window, &property);
    std::string text;
    if (got != 0 && property.value != nullptr) {
        text.assign(reinterpret_cast<const char*>(property.value), property.nitems);
        XFree(property.value);
    }
    return text;
}

// The children of window.
std::vector<Window> children_of(Display* d, Window window) {
    Window root, parent;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<Window> result;
    if (XQueryTree(d, window, &root, &parent, &children, &count) != 0 && children != nullptr) {
        result.assign(children, children + count);
        XFree(children);
    }
    return result;
}

XWindowId search_tree(Display* d, Window window, const std::string& title) {
    XWindowAttributes attributes;
    if (text_of(d, window, false) == title && XGetWindowAttributes(d, window, &attributes) != 0 &&
        attributes.map_state == IsViewable) {
        return window;
    }
    for (Window child : children_of(d, window)) {
        if (XWindowId found = search_tree(d, child, title)) {
            return found;
        }
    }
    return 0;
}

void clear_tree(Display* d, Window window, unsigned long rgb) {
    XSetWindowBackground(d, window, rgb);
    XClearArea(d, window, 0, 0, 0, 0, True);
    for (Window child : children_of(d, window)) {
        clear_tree(d, child, rgb);
    }
}

// A channel of pixel scaled to 0..255.
Uint32 channel(unsigned long pixel, unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        pixel >>= 1;
        ++shift;
    }
    return mask == 0 ? 0 : Uint32((pixel & mask) * 255 / mask);
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

XWindowId XClient::find_window(const std::string& title, int timeout_ms) {
    long long deadline = now_ms() + timeout_ms;
    Display* d = as_display(display);
    XWindowId found = 0;
    while ((found = search_tree(d, DefaultRootWindow(d), title)) == 0 && now_ms() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return found;
}

std::string XClient::title(XWindowId window, bool icon) {
    return text_of(as_display(display), window, icon);
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
            unsigned long pixel = XGetPixel(image, column, row);
            picture.pixels.push_back(0xFF000000u | channel(pixel, image->red_mask) << 16 |
                                     channel(pixel, image->green_mask) << 8 |
                                     channel(pixel, image->blue_mask));
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
