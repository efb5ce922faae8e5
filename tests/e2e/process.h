// Child processes of the end-to-end tests: the X server, the game and the X tools. Every child
// is killed when the test process dies, so no server or game outlives a crashed test.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// One running child, killed (SIGKILL) and reaped by the destructor if it still runs.
class ChildProcess {
public:
    pid_t pid = -1;
    int exit_status = -1;  // set once the child has exited normally; -1 before and on a signal
    bool finished = false;

    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] (looked up in PATH) in folder with the extra environment entries
    // ("NAME=value"). Standard output and standard error go to
    // the files named (empty: /dev/null). extra_fd, if not -1, stays open in the child.
    // Returns false when the child cannot be made.
    bool start(const std::vector<std::string>& argv, const std::string& folder,
               const std::vector<std::string>& environment, const std::string& stdout_file,
               const std::string& stderr_file, int extra_fd = -1);

    // Waits up to timeout_ms for the child to end. True when it has ended (exit_status says
    // how); false when it still runs.
    bool wait_for_exit(int timeout_ms);

    // Whether the child still runs (reaps it if it has ended).
    bool running();

    // Sends signal, waits up to timeout_ms, then kills it for good. Reaps the child.
    void stop(int signal, int timeout_ms);
};

// Runs a tool to its end with DISPLAY set to display, its output thrown away; a tool that takes
// longer than 10 s is killed.
void run_tool(const std::vector<std::string>& argv, const std::string& display);

// Milliseconds on a monotonic clock.
long long now_ms();
