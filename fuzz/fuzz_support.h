// Helpers shared by the fuzz targets: a private scratch folder and plain file writing.
#pragma once

#include <string>

// A folder of this fuzzing process alone, made on first use (in memory where the system
// offers it, so that the many small writes of a run stay cheap). Ends with no slash.
const std::string& scratch_folder();

// Writes size bytes of data to path, replacing it. Aborts when it cannot: a fuzz target that
// cannot set up its input would report nothing useful.
void write_bytes(const std::string& path, const void* data, size_t size);

// Aborts with the message when condition is false; libFuzzer then keeps the input that did it.
void require(bool condition, const char* message);
