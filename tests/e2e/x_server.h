// A private X server (Xvfb) for one test, on the first free display number from 90 upward.
#pragma once

#include <string>

#include "tests/e2e/process.h"

class XServer {
public:
    ChildProcess server;
    std::string display;  // ":N" once the server accepts clients, "" when none could start

    // Starts Xvfb with a width x height x 24 screen and waits until it accepts clients. Display
    // numbers that are taken (their lock file belongs to a running server) are skipped, so
    // tests running side by side each get their own server.
    XServer(int width, int height);
    // Stops the server (SIGTERM, then SIGKILL) and waits for it.
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

private:
    bool try_display(int number, const std::string& geometry);
};
