// Small helpers shared by the test suites.
#pragma once

#include <SDL.h>

#include <functional>
#include <string>

// A fresh, empty folder for one test, below the test's working directory in a folder named
// after the running test.
std::string make_scratch_dir(const std::string& name);

// Writes contents to path byte for byte; fails the test if it cannot.
void write_file(const std::string& path, const std::string& contents);

// The whole file byte for byte ("" when it cannot be read).
std::string read_file(const std::string& path);

// A 32-bit software surface filled with one colour (0xRRGGBB, opaque).
SDL_Surface* make_filled_surface(int w, int h, Uint32 rgb);

// The 0xRRGGBB colour, and the alpha, of one pixel of a 32-bit surface.
Uint32 pixel_at(SDL_Surface* surface, int x, int y);
Uint8 alpha_at(SDL_Surface* surface, int x, int y);

// The exit status and the standard output of a shell command run in folder.
struct CommandResult {
    int status;
    std::string output;
};
CommandResult run_command(const std::string& folder, const std::string& command);

// Runs body in a forked child with its standard output captured: for code that prints a
// message and ends the program. status is the child's exit status (-1 if it did not exit,
// for instance on a crash); a body that returns exits with status 0.
CommandResult run_in_child(const std::function<void()>& body);
