// Measures how long a program takes from its start to its first complete picture: it starts
// the program itself, then reads two strips of the screen back from the X server every
// millisecond. The picture the screen settles on is the first frame; its time is that of the
// first read that shows it. The window must cross the strips (at a third of the screen's width
// and height), and the pointer must stay still, or hover images change the picture.
//
// Usage: first_frame <folder> <settle_ms> <program> [arguments...]
// Runs the program in folder (standard output and error to /dev/null), polls until the screen
// has not changed for settle_ms, and prints "first_frame_ms <ms>", "first_change_ms <ms>" (the
// first read that differed from the empty screen), "cpu_ms <ms>" and "waiting_ms <ms>" (the
// program's time on a CPU and waiting for one until the first frame, from
// /proc/<pid>/schedstat: on a busy machine the waiting explains a slow start) and
// "pid <pid>". The program is left running.
// Exit status 1 when the display or the program cannot be opened or nothing ever appears.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const long long give_up_ms = 20000;

long long now_us() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

const int strip = 8;  // pixels across each strip that is read back

// FNV-1a over an area of the screen: equal pictures give equal hashes.
void hash_area(Display* display, Window root, int x, int y, int w, int h,
               unsigned long long& hash) {
    XImage* image = XGetImage(display, root, x, y, w, h, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return;
    }
    size_t size = static_cast<size_t>(image->bytes_per_line) * image->height;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(image->data);
    for (size_t k = 0; k < size; k++) {
        hash = (hash ^ bytes[k]) * 1099511628211ULL;
    }
    XDestroyImage(image);
}

// A hash of one column strip and one row strip crossing the screen at a third of its width
// and height. A first frame is one full repaint presented as a whole, so the strips change
// exactly when that picture appears; reading them instead of the whole screen keeps the probe
// from taking the CPU that the program it measures needs.
unsigned long long picture_hash(Display* display, Window root, int width, int height) {
    unsigned long long hash = 1469598103934665603ULL;
    hash_area(display, root, width / 3, 0, strip, height, hash);
    hash_area(display, root, 0, height / 3, width, strip, hash);
    return hash;
}

pid_t start_program(const char* folder, char** argv) {
    pid_t pid = fork();
    if (pid != 0) {
        return pid;
    }
    int null_file = open("/dev/null", O_WRONLY);
    dup2(null_file, 1);
    dup2(null_file, 2);
    if (chdir(folder) == 0) {
        execv(argv[0], argv);
    }
    _exit(127);
}

// The process's time on a CPU and waiting in the run queue, in nanoseconds; 0 0 if unknown.
struct Scheduling {
    long long running_ns = 0;
    long long waiting_ns = 0;
};

Scheduling scheduling_of(pid_t pid) {
    Scheduling times;
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/schedstat", static_cast<int>(pid));
    if (FILE* file = std::fopen(path, "r")) {
        if (std::fscanf(file, "%lld %lld", &times.running_ns, &times.waiting_ns) != 2) {
            times = Scheduling();
        }
        std::fclose(file);
    }
    return times;
}

struct Read {
    long long at_us;
    unsigned long long hash;
    Scheduling scheduling;
};

// The first of the reads that show the last picture, when that picture is not the empty
// screen and has stayed for settle_us; -1 while the screen has not settled.
long long settled_frame(const std::vector<Read>& reads, unsigned long long empty,
                        long long settle_us) {
    const Read& last = reads.back();
    size_t first = reads.size() - 1;
    while (first > 0 && reads[first - 1].hash == last.hash) {
        first--;
    }
    if (last.hash == empty || last.at_us - reads[first].at_us < settle_us) {
        return -1;
    }
    return static_cast<long long>(first);
}

void report(const std::vector<Read>& reads, const Read& frame, unsigned long long empty,
            pid_t pid) {
    long long change_us = frame.at_us;
    for (const Read& read : reads) {
        if (read.hash != empty) {
            change_us = read.at_us;
            break;
        }
    }
    std::printf("first_frame_ms %.1f\nfirst_change_ms %.1f\n", frame.at_us / 1000.0,
                change_us / 1000.0);
    std::printf("cpu_ms %.1f\nwaiting_ms %.1f\npid %d\n", frame.scheduling.running_ns / 1e6,
                frame.scheduling.waiting_ns / 1e6, pid);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::printf("usage: first_frame <folder> <settle_ms> <program> [arguments...]\n");
        return 1;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::printf("can't open the X display\n");
        return 1;
    }
    Window root = DefaultRootWindow(display);
    int width = DisplayWidth(display, DefaultScreen(display));
    int height = DisplayHeight(display, DefaultScreen(display));
    long long settle_us = std::atoll(argv[2]) * 1000;
    unsigned long long empty = picture_hash(display, root, width, height);

    long long start = now_us();
    pid_t pid = start_program(argv[1], argv + 3);
    if (pid < 0) {
        std::printf("can't start %s\n", argv[3]);
        return 1;
    }
    std::vector<Read> reads;
    while (now_us() - start < give_up_ms * 1000) {
        long long at_us = now_us() - start;
        unsigned long long hash = picture_hash(display, root, width, height);
        reads.push_back(Read{at_us, hash, scheduling_of(pid)});
        long long frame = settled_frame(reads, empty, settle_us);
        if (frame >= 0) {
            report(reads, reads[frame], empty, pid);
            return 0;
        }
        usleep(1000);
    }
    std::printf("nothing appeared within %lld ms\npid %d\n", give_up_ms, pid);
    return 1;
}
