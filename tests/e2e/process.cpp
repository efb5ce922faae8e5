#include "tests/e2e/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

long long now_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool ChildProcess::start(const std::vector<std::string>& argv, const std::string& folder,
                         const std::vector<std::string>& environment,
                         const std::string& output_file, int keep_fd) {
    exit_status = -1;
    pid = fork();
    if (pid != 0) {
        return pid > 0;
    }
    // The child: it dies with the test process, so a crashed test leaves nothing behind.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    setpgid(0, 0);
    if (!folder.empty() && chdir(folder.c_str()) != 0) {
        _exit(126);
    }
    for (const std::string& entry : environment) {
        putenv(strdup(entry.c_str()));  // the child execs next: the copy is never freed
    }
    int output = open(output_file.empty() ? "/dev/null" : output_file.c_str(),
                      O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(output, STDOUT_FILENO);
    dup2(output, STDERR_FILENO);
    dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
    for (int fd = 3; fd < 1024; ++fd) {
        if (fd != keep_fd) {
            close(fd);
        }
    }
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

bool ChildProcess::wait_for_exit(int timeout_ms) {
    long long deadline = now_ms() + timeout_ms;
    int status = 0;
    while (pid > 0) {
        pid_t result = waitpid(pid, &status, WNOHANG);
        if (result != 0) {
            exit_status = result == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            pid = -1;
        } else if (now_ms() > deadline) {
            return false;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    return true;
}

void ChildProcess::stop(int signal, int timeout_ms) {
    if (pid > 0 && !wait_for_exit(0)) {
        kill(pid, signal);
        if (!wait_for_exit(timeout_ms)) {
            kill(pid, SIGKILL);
            wait_for_exit(5000);
        }
    }
}

void run_tool(const std::vector<std::string>& argv, const std::string& display) {
    ChildProcess tool;  // killed by its destructor if it still runs
    if (tool.start(argv, "", {"DISPLAY=" + display}, "")) {
        tool.wait_for_exit(10000);
    }
}
