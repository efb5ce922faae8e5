#include "tests/e2e/x_client.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <thread>

#include "tests/e2e/process.h"

namespace {

int ignore_error(Display*, XErrorEvent*) {
    return 0;
}

Display* as_display(void* display) {
    return static_cast<Display*>(display);
}

// The bytes of a text property (window names are plain ASCII here, in whatever encoding type
// the toolkit chose: XFetchName would miss UTF8_STRING names).
std::string property_text(XTextProperty& property, Status got) {
    std::string text;
    if (got != 0 && property.value != nullptr) {
        text.assign(reinterpret_cast<const char*>(property.value), property.nitems);
        XFree(property.value);
    }
    return text;
}

std::string window_name(Display* display, Window window) {
    XTextProperty property{};
    return property_text(property, XGetWMName(display, window, &property));
}

XWindowId search_tree(Display* display, Window window, const std::string& title) {
    if (window_name(display, window) == title) {
        return window;
    }
    Window root_return, parent_return;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &root_return, &parent_return, &children, &count) == 0) {
        return 0;
    }
    XWindowId found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        found = search_tree(display, children[i], title);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

// The low bit position and width of a channel mask, for reading the visual's pixels.
int mask_shift(unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

Uint32 channel(unsigned long pixel, unsigned long mask) {
    unsigned long value = (pixel & mask) >> mask_shift(mask);
    unsigned long top = mask >> mask_shift(mask);
    return top == 0 ? 0 : static_cast<Uint32>(value * 255 / top);
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
    for (;;) {
        Display* d = as_display(display);
        XWindowId found = search_tree(d, DefaultRootWindow(d), title);
        if (found != 0 || now_ms() > deadline) {
            return found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool XClient::exists(XWindowId window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(as_display(display), window, &attributes) != 0;
}

bool XClient::viewable(XWindowId window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(as_display(display), window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

bool XClient::box(XWindowId window, WindowBox& result) {
    Display* d = as_display(display);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(d, window, &attributes) == 0) {
        return false;
    }
    Window child;
    if (XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &result.x, &result.y,
                              &child) == 0) {
        return false;
    }
    result.w = attributes.width;
    result.h = attributes.height;
    return true;
}

std::string XClient::title(XWindowId window) {
    return window_name(as_display(display), window);
}

std::string XClient::icon_title(XWindowId window) {
    XTextProperty property{};
    return property_text(property, XGetWMIconName(as_display(display), window, &property));
}

Picture XClient::grab(XWindowId window) {
    Picture picture;
    WindowBox where;
    if (!box(window, where) || where.w <= 0 || where.h <= 0) {
        return picture;
    }
    Display* d = as_display(display);
    // Read from the root window: it shows the window together with its SDL child window.
    XImage* image =
        XGetImage(d, DefaultRootWindow(d), where.x, where.y, static_cast<unsigned>(where.w),
                  static_cast<unsigned>(where.h), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return picture;
    }
    picture.w = where.w;
    picture.h = where.h;
    picture.pixels.resize(static_cast<size_t>(where.w) * where.h);
    for (int y = 0; y < where.h; ++y) {
        for (int x = 0; x < where.w; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            picture.pixels[static_cast<size_t>(y) * where.w + x] =
                0xFF000000u | channel(pixel, image->red_mask) << 16 |
                channel(pixel, image->green_mask) << 8 | channel(pixel, image->blue_mask);
        }
    }
    XDestroyImage(image);
    return picture;
}

void XClient::focus(XWindowId window) {
    Display* d = as_display(display);
    Window target = window == 0 ? DefaultRootWindow(d) : window;
    XSetInputFocus(d, target, RevertToParent, CurrentTime);
    XSync(d, False);
}

namespace {

void clear_tree(Display* d, Window window, unsigned long rgb) {
    XSetWindowBackground(d, window, rgb);
    XClearArea(d, window, 0, 0, 0, 0, True);
    Window root, parent;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(d, window, &root, &parent, &children, &count) != 0) {
        for (unsigned k = 0; k < count; ++k) {
            clear_tree(d, children[k], rgb);
        }
        if (children != nullptr) {
            XFree(children);
        }
    }
}

}  // namespace

void XClient::clear_and_expose(XWindowId window, unsigned long rgb) {
    Display* d = as_display(display);
    clear_tree(d, window, rgb);
    XSync(d, False);
}

void XClient::request_close(XWindowId window) {
    Display* d = as_display(display);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &event);
    XSync(d, False);
}
