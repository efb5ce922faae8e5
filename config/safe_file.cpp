#include "config/safe_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

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

}  // namespace

bool replace_file_contents(const char* file_name, const std::string& contents) {
    // Same folder as the target, so that the rename stays on one file system and is atomic.
    std::string temporary = std::string(file_name) + ".saving";
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0664);
    if (fd < 0) {
        return false;
    }
    bool written = write_all(fd, contents) && fsync(fd) == 0;
    bool closed = close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), file_name) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}
