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

void start_video(int w, int h) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    require(SDL_Init(SDL_INIT_VIDEO) == 0, "SDL_Init failed");
    require(SDL_SetVideoMode(w, h, 32, SDL_SWSURFACE) != nullptr, "no window");
    require(chdir(scratch_folder().c_str()) == 0, "cannot enter the scratch folder");
}

void save_strip(const std::string& path, int w, int h, int count) {
    SDL_Surface* strip = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h * count, 32, 0xFF0000, 0x00FF00,
                                              0x0000FF, 0xFF000000);
    require(strip != nullptr, "cannot make an image");
    for (int i = 0; i < count; i++) {
        SDL_Rect stripe{0, static_cast<Sint16>(i * h), static_cast<Uint16>(w),
                        static_cast<Uint16>(h)};
        SDL_FillRect(strip, &stripe, 0x80000000u | 0x203040u * static_cast<Uint32>(i + 1));
    }
    require(SDL_SaveBMP(strip, path.c_str()) == 0, "cannot save an image");
    SDL_FreeSurface(strip);
}
