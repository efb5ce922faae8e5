#include "fuzz/fuzz_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

// Removes the folder when the fuzzing process ends normally; after a crash it stays for a look.
struct ScratchFolder {
    std::string path;
    ScratchFolder() {
        const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        path = std::string(base) + "/derevarez-fuzz-" + std::to_string(getpid());
        mkdir(path.c_str(), 0700);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

const std::string& scratch_folder() {
    static const ScratchFolder folder;
    return folder.path;
}

void write_bytes(const std::string& path, const void* data, size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    require(file != nullptr, "cannot create a scratch file");
    require(size == 0 || std::fwrite(data, 1, size, file) == size, "cannot write a scratch file");
    require(std::fclose(file) == 0, "cannot close a scratch file");
}

void require(bool condition, const char* message) {
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", message);
        std::abort();
    }
}
