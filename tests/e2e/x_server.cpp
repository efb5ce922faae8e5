#include "tests/e2e/x_server.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>

namespace {

const int first_display = 90;
const int last_display = 190;
const int start_timeout_ms = 15000;

// Reads what Xvfb writes to its -displayfd descriptor: the display number, once it is ready.
// Empty when the server ended first (display taken) or took too long.
std::string read_ready_line(int fd) {
    std::string text;
    long long deadline = now_ms() + start_timeout_ms;
    while (text.find('\n') == std::string::npos) {
        pollfd waiting{fd, POLLIN, 0};
        int left = static_cast<int>(deadline - now_ms());
        if (left <= 0 || poll(&waiting, 1, left) <= 0) {
            return "";
        }
        char buffer[64];
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            return "";
        }
        text.append(buffer, static_cast<size_t>(n));
    }
    return text;
}

}  // namespace

XServer::XServer(int width, int height) {
    std::string geometry = std::to_string(width) + "x" + std::to_string(height) + "x24";
    for (int number = first_display; number <= last_display; ++number) {
        if (try_display(number, geometry)) {
            display = ":" + std::to_string(number);
            return;
        }
    }
}

XServer::~XServer() {
    server.stop(SIGTERM, 5000);
}

bool XServer::try_display(int number, const std::string& geometry) {
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) {
        return false;
    }
    std::string ready_fd = std::to_string(pipe_ends[1]);
    bool started = server.start({"Xvfb", ":" + std::to_string(number), "-screen", "0", geometry,
                                 "-nolisten", "tcp", "-noreset", "-displayfd", ready_fd},
                                "", {}, "", "", pipe_ends[1]);
    close(pipe_ends[1]);
    std::string line = started ? read_ready_line(pipe_ends[0]) : "";
    close(pipe_ends[0]);
    if (!line.empty() && std::atoi(line.c_str()) == number) {
        return true;
    }
    server.stop(SIGKILL, 2000);
    return false;
}
