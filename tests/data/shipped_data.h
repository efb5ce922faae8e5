// Where the shipped data and the run folder are, and small checks shared by the data tests.
#pragma once

#include <SDL.h>

#include <string>

#include "config/config_store.h"

// TEST_SOURCE_DIR/data/<name>: a file shipped with the game.
std::string data_path(const std::string& name);
// TEST_RUN_DIR/<name>: a file the build puts into the run folder (the fonts).
std::string run_path(const std::string& name);

// The shipped prefs.txt, loaded (the test fails when it cannot be read).
ConfigStore load_shipped(const std::string& name);

// True when the store has the key from its file, whatever the value.
bool has_key(const ConfigStore& store, const std::string& key);

// True when `text` is a decimal number (optional minus sign and at least one digit, no more).
bool is_number(const std::string& text);

// Starts SDL's video (dummy driver) and SDL_ttf for a test; both are shut down by the
// destructor.
class SdlSession {
public:
    SdlSession();
    ~SdlSession();
};
