// The harness shared by the fuzz targets: a private scratch folder, file writing, checks that
// abort, and a dummy video surface with plain pictures for the targets that draw.
#pragma once

#include <SDL.h>

#include <string>

// A folder of this fuzzing process alone, made on first use (in memory where the system
// offers it, so that the many small writes of a run stay cheap). Ends with no slash.
const std::string& scratch_folder();

// Writes size bytes of data to path, replacing it; aborts when it cannot.
void write_bytes(const std::string& path, const void* data, size_t size);

// Aborts with the message when condition is false: libFuzzer keeps the input that did it.
void require(bool condition, const char* message);

// A w x h 32-bit window on SDL's dummy driver, in the scratch folder.
void start_video(int w, int h);

// A BMP of count half-transparent stripes of w x h pixels, stacked, each its own colour.
void save_strip(const std::string& path, int w, int h, int count);
