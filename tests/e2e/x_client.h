// The tests' own connection to the X server: finding the game's window, reading its size,
// titles and pixels, moving the input focus and asking the window to close as a window
// manager would. Xlib stays inside x_client.cpp (its macros clash with GoogleTest).
#pragma once

#include <string>

#include "tests/e2e/picture.h"

typedef unsigned long XWindowId;

struct WindowBox {
    int x = 0;  // top-left corner on the screen
    int y = 0;
    int w = 0;
    int h = 0;
};

class XClient {
public:
    void* display = nullptr;  // Display*, null when the server cannot be reached

    // Connects to display (":N"). X errors (a window that has just gone) are ignored rather
    // than ending the test process.
    explicit XClient(const std::string& display_name);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    // The first window, searched through the whole tree, whose WM_NAME is title; 0 when there
    // is none within timeout_ms.
    XWindowId find_window(const std::string& title, int timeout_ms);

    // Whether the window still exists.
    bool exists(XWindowId window);

    // Whether the window is mapped and shown on the screen.
    bool viewable(XWindowId window);

    // The window's position on the screen and its size. False when the window is gone.
    bool box(XWindowId window, WindowBox& result);

    // The window's title (WM_NAME) and icon title (WM_ICON_NAME); "" when unset.
    std::string title(XWindowId window);
    std::string icon_title(XWindowId window);

    // What the screen shows inside the window's box (the window with everything drawn over
    // it). Empty when the window is gone.
    Picture grab(XWindowId window);

    // Gives the input focus to window (0: to the root window, which takes it from every
    // application window).
    void focus(XWindowId window);

    // Clears the window and every window inside it to rgb (0xRRGGBB, on a 24-bit server) and
    // sends each an Expose event, as when it is uncovered: SDL then sends its whole picture.
    void clear_and_expose(XWindowId window, unsigned long rgb);

    // Sends WM_DELETE_WINDOW, what a window manager sends when the close button is pressed.
    void request_close(XWindowId window);
};
