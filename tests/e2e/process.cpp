#include "tests/e2e/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

void redirect(int target_fd, const std::string& file) {
    const char* path = file.empty() ? "/dev/null" : file.c_str();
    int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        dup2(fd, target_fd);
        close(fd);
    }
}

// Runs in the forked child only: never returns.
[[noreturn]] void become(const std::vector<std::string>& argv, const std::string& folder,
                         const std::vector<std::string>& environment,
                         const std::string& stdout_file, const std::string& stderr_file,
                         int extra_fd) {
    // Dies with the test process: a crashed or killed test leaves no X server or game behind.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    setpgid(0, 0);
    if (!folder.empty() && chdir(folder.c_str()) != 0) {
        _exit(126);
    }
    for (const std::string& entry : environment) {
        putenv(strdup(entry.c_str()));  // the child execs next: the copy is never freed
    }
    redirect(STDOUT_FILENO, stdout_file);
    redirect(STDERR_FILENO, stderr_file);
    int null_in = open("/dev/null", O_RDONLY);
    dup2(null_in, STDIN_FILENO);
    for (int fd = 3; fd < 1024; ++fd) {
        if (fd != extra_fd) {
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

}  // namespace

long long now_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

ChildProcess::~ChildProcess() {
    if (pid > 0 && !finished) {
        stop(SIGKILL, 2000);
    }
}

bool ChildProcess::start(const std::vector<std::string>& argv, const std::string& folder,
                         const std::vector<std::string>& environment,
                         const std::string& stdout_file, const std::string& stderr_file,
                         int extra_fd) {
    pid = fork();
    if (pid == 0) {
        become(argv, folder, environment, stdout_file, stderr_file, extra_fd);
    }
    finished = false;
    exit_status = -1;
    return pid > 0;
}

bool ChildProcess::running() {
    if (pid <= 0 || finished) {
        return false;
    }
    int status = 0;
    pid_t result = waitpid(pid, &status, WNOHANG);
    if (result == 0) {
        return true;
    }
    finished = true;
    if (result == pid && WIFEXITED(status)) {
        exit_status = WEXITSTATUS(status);
    }
    return false;
}

bool ChildProcess::wait_for_exit(int timeout_ms) {
    long long deadline = now_ms() + timeout_ms;
    while (running()) {
        if (now_ms() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void ChildProcess::stop(int signal, int timeout_ms) {
    if (!running()) {
        return;
    }
    kill(pid, signal);
    if (!wait_for_exit(timeout_ms)) {
        kill(pid, SIGKILL);
        wait_for_exit(5000);
    }
}

void run_tool(const std::vector<std::string>& argv, const std::string& display) {
    ChildProcess tool;  // killed by its destructor if it still runs
    if (tool.start(argv, "", {"DISPLAY=" + display}, "", "")) {
        tool.wait_for_exit(10000);
    }
}
