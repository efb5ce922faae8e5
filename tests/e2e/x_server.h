// A private X server (Xvfb) for one test, on a display number no one else uses.
#pragma once

#include <signal.h>

#include <string>

#include "tests/e2e/process.h"

class XServer {
public:
    ChildProcess server;
    std::string display;  // ":N" once the server accepts clients, "" when none could start

    // Starts Xvfb with a width x height x 24 screen and waits until it accepts clients.
    XServer(int width, int height);
    ~XServer() { server.stop(SIGTERM, 5000); }
};
