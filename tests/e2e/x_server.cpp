#include "tests/e2e/x_server.h"

#include <poll.h>
#include <unistd.h>

XServer::XServer(int width, int height) {
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) {
        return;
    }
    // Given no display number, Xvfb takes the first free one and writes it to the descriptor
    // once it accepts clients: servers started side by side never collide.
    std::string geometry = std::to_string(width) + "x" + std::to_string(height) + "x24";
    bool started = server.start({"Xvfb", "-screen", "0", geometry, "-nolisten", "tcp", "-noreset",
                                 "-displayfd", std::to_string(pipe_ends[1])},
                                "", {}, "", pipe_ends[1]);
    close(pipe_ends[1]);
    std::string text;
    char buffer[64];
    pollfd ready{pipe_ends[0], POLLIN, 0};
    while (started && text.find('\n') == std::string::npos && poll(&ready, 1, 15000) > 0) {
        ssize_t n = read(pipe_ends[0], buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        text.append(buffer, size_t(n));
    }
    close(pipe_ends[0]);
    if (text.find('\n') != std::string::npos) {
        display = ":" + text.substr(0, text.find('\n'));
    }
}
