#include "tests/support/test_support.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

std::string make_scratch_dir(const std::string& name) {
    // Below a folder of the running test's own, so that tests run side by side (ctest -j)
    // never share one; the root is fixed at the first call, before any test changes folder.
    static const std::filesystem::path root = std::filesystem::current_path() / "scratch";
    std::filesystem::path dir = root;
    if (const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info()) {
        dir /= std::string(test->test_suite_name()) + "." + test->name();
    }
    dir /= name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

void write_file(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary);
    out << contents;
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

SDL_Surface* make_filled_surface(int w, int h, Uint32 rgb) {
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    SDL_FillRect(surface, nullptr, rgb);
    return surface;
}

static Uint32 argb_at(SDL_Surface* surface, int x, int y) {
    SDL_LockSurface(surface);
    Uint32 raw = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) +
                                            y * surface->pitch + x * 4);
    SDL_UnlockSurface(surface);
    Uint8 r, g, b, a;
    SDL_GetRGBA(raw, surface->format, &r, &g, &b, &a);
    return (Uint32(a) << 24) | (Uint32(r) << 16) | (Uint32(g) << 8) | b;
}

Uint32 pixel_at(SDL_Surface* surface, int x, int y) {
    return argb_at(surface, x, y) & 0xFFFFFF;
}

Uint8 alpha_at(SDL_Surface* surface, int x, int y) {
    return Uint8(argb_at(surface, x, y) >> 24);
}

CommandResult run_command(const std::string& folder, const std::string& command) {
    std::string full = "cd '" + folder + "' && " + command;
    return run_in_child([&full] {
        execl("/bin/sh", "sh", "-c", full.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    });
}

CommandResult run_in_child(const std::function<void()>& body) {
    CommandResult result{-1, ""};
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) {
        return result;
    }
    std::fflush(stdout);
    pid_t child = fork();
    if (child == 0) {
        close(pipe_ends[0]);
        dup2(pipe_ends[1], STDOUT_FILENO);
        body();
        std::fflush(stdout);
        _exit(0);
    }
    close(pipe_ends[1]);
    char buffer[4096];
    ssize_t n;
    while ((n = read(pipe_ends[0], buffer, sizeof buffer)) > 0) {
        result.output.append(buffer, static_cast<size_t>(n));
    }
    close(pipe_ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}
