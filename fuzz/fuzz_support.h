// The harness shared by the fuzz targets: a private scratch folder, file writing, checks that
// abort, and a dummy video surface with plain pictures for the targets that draw.
#pragma once

#include <SDL.h>

#include <string>

// A folder of this fuzzing process alone, made on first use (in memory where the system
// offers it, so that the many small writes of a run stay cheap). Ends with no slash.
const std::string& scratch_folder();

// Writes size bytes of data to path, replacing it. Aborts when it cannot: a fuzz target that
// cannot set up its input would report nothing useful.
void write_bytes(const std::string& path, const void* data, size_t size);

// The whole file's bytes ("" when it cannot be read).
std::string read_bytes(const std::string& path);

// Aborts with the message when condition is false; libFuzzer then keeps the input that did it.
void require(bool condition, const char* message);

// Opens a w x h 32-bit window on SDL's dummy driver and makes the scratch folder the working
// folder.
void start_video(int w, int h);

// Saves a BMP of count stripes of w x h pixels stacked top to bottom, each its own colour,
// half transparent.
void save_strip(const std::string& path, int w, int h, int count);
