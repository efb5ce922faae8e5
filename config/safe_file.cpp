#include "config/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#if BROWSER_STORAGE
#include <emscripten.h>
#endif

namespace {

bool write_all(int fd, const std::string& contents) {
    size_t done = 0;
    while (done < contents.size()) {
        ssize_t n = write(fd, contents.data() + done, contents.size() - done);
        if (n < 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The file a path finally names: symbolic links followed one by one, a relative link read
// from its own folder. The last file need not exist yet. False (errno ELOOP) on a loop.
bool follow_links(std::string& path) {
    for (int hops = 0; hops < 40; hops++) {
        struct stat info;
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true;
        }
        std::vector<char> target(static_cast<size_t>(info.st_size) + 256);
        ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length < 0) {
            return false;
        }
        std::string next(target.data(), static_cast<size_t>(length));
        size_t slash = path.rfind('/');
        if (next[0] != '/' && slash != std::string::npos) {
            next = path.substr(0, slash + 1) + next;
        }
        path = next;
    }
    errno = ELOOP;
    return false;
}

// Whether the file may be replaced: it does not exist yet, or this process may write it (a
// rename would otherwise replace a file its owner made read-only). Its permission bits, or
// -1 for a new file, go to mode.
bool may_replace(const std::string& path, int& mode) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        mode = -1;
        return errno == ENOENT;
    }
    mode = static_cast<int>(info.st_mode & 07777);
    return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// Writes the new content into temporary, a fresh file; true when it is completely on disk.
bool write_new_file(const std::string& temporary, int mode, const std::string& contents) {
    // A stale file left by a crashed save is cleared; O_EXCL and O_NOFOLLOW then make sure
    // the content goes into a new plain file, never through a link planted in its place.
    unlink(temporary.c_str());
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0664);
    if (fd < 0) {
        return false;
    }
    bool written = (mode < 0 || fchmod(fd, static_cast<mode_t>(mode)) == 0) &&
                   write_all(fd, contents) && fsync(fd) == 0;
    int reason = errno;
    bool closed = close(fd) == 0;
    if (written && !closed) {
        reason = errno;
    }
    errno = reason;
    return written && closed;
}

// In a browser the working folder lives in the page's memory: the page copies each saved file
// into the browser's own storage (web/page_storage.js), which keeps it for the next visit.
void keep_for_next_visit(const char* file_name) {
#if BROWSER_STORAGE
    EM_ASM({ Module.keepSavedFile(UTF8ToString($0)); }, file_name);
#else
    (void)file_name;
#endif
}

}  // namespace

bool replace_file_contents(const char* file_name, const std::string& contents) {
    std::string target = file_name;
    int mode = -1;
    if (!follow_links(target) || !may_replace(target, mode)) {
        return false;
    }
    // Same folder as the target, so that the rename stays on one file system and is atomic.
    std::string temporary = target + ".saving";
    if (write_new_file(temporary, mode, contents) &&
        std::rename(temporary.c_str(), target.c_str()) == 0) {
        keep_for_next_visit(file_name);
        return true;
    }
    int reason = errno;
    unlink(temporary.c_str());
    errno = reason;
    return false;
}

bool read_file_contents(const std::string& file_name, std::string& bytes) {
    std::ifstream in(file_name, std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    bytes = read.str();
    return in.is_open();
}
