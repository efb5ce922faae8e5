// The tests' own connection to the X server, for what the X tools cannot do quickly or at all:
// reading the window's pixels, moving the input focus, repainting it and asking it to close as
// a window manager would. Xlib stays inside x_client.cpp (its macros clash with GoogleTest).
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

// Pixels as 0xAARRGGBB, row by row. Screenshots are opaque (alpha 255).
struct Picture {
    int w = 0;
    int h = 0;
    std::vector<Uint32> pixels;

    bool empty() const { return pixels.empty(); }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    Uint32 at(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }
};

typedef unsigned long XWindowId;

class XClient {
public:
    void* display = nullptr;  // Display*, null when the server cannot be reached

    // Connects to display (":N"). X errors (a window that has just gone) are ignored.
    explicit XClient(const std::string& display_name);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    // What the 24-bit screen shows inside the window (with everything drawn over it). Empty
    // when the window is gone.
    Picture grab(XWindowId window);
    // Gives the input focus to window (0: to the root window, which takes it from every
    // application window).
    void focus(XWindowId window);
    // Clears the window and every window inside it to rgb (0xRRGGBB) and sends each an Expose
    // event, as when it is uncovered: SDL then sends its whole picture.
    void clear_and_expose(XWindowId window, unsigned long rgb);
    // Sends WM_DELETE_WINDOW, what a window manager sends when the close button is pressed.
    void request_close(XWindowId window);
};
