// Child processes of the end-to-end tests: the X server, the game and the X tools. Every child
// is killed when the test process dies, so no server or game outlives a crashed test.
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <string>
#include <vector>

// One running child, killed (SIGKILL) and reaped by the destructor if it still runs.
class ChildProcess {
public:
    pid_t pid = -1;
    int exit_status = -1;  // once the child has exited normally; -1 before and on a signal

    ChildProcess() = default;
    ~ChildProcess() { stop(SIGKILL, 2000); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] (looked up in PATH) in folder ("" for this one) with the extra environment
    // entries ("NAME=value"), its standard output and error going to output_file (empty:
    // /dev/null). keep_fd, if not -1, stays open in the child. False when it cannot start.
    bool start(const std::vector<std::string>& argv, const std::string& folder,
               const std::vector<std::string>& environment, const std::string& output_file,
               int keep_fd = -1);

    // Waits up to timeout_ms for the child to end; true once it has (exit_status says how).
    bool wait_for_exit(int timeout_ms);

    // Sends signal, waits up to timeout_ms, then kills the child for good.
    void stop(int signal, int timeout_ms);
};

// Runs a tool to its end with DISPLAY set to display, its output thrown away; a tool that takes
// longer than 10 s is killed.
void run_tool(const std::vector<std::string>& argv, const std::string& display);

// Milliseconds on a monotonic clock.
long long now_ms();
