// The tests' own connection to the X server: finding the game's window, reading its titles and
// pixels, moving the input focus, repainting it and asking it to close as a window manager
// would. Xlib stays inside x_client.cpp (its macros clash with GoogleTest).
#pragma once

#include <string>

#include "tests/e2e/picture.h"

typedef unsigned long XWindowId;

class XClient {
public:
    void* display = nullptr;  // Display*, null when the server cannot be reached

    // Connects to display (":N"). X errors (a window that has just gone) are ignored.
    explicit XClient(const std::string& display_name);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    // The first window, searched through the whole tree, whose WM_NAME is title, once it is
    // shown on the screen; 0 when there is none within timeout_ms.
    XWindowId find_window(const std::string& title, int timeout_ms);

    // The window's title (WM_NAME) or icon title (WM_ICON_NAME); "" when unset.
    std::string title(XWindowId window, bool icon = false);

    // What the screen shows inside the window (with everything drawn over it). Empty when the
    // window is gone.
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
