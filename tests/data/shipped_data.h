// Where the shipped data and the run folder are, for the data tests.
#pragma once

#include <string>

#include "config/config_store.h"

// TEST_SOURCE_DIR/data/<name>: a file shipped with the game.
std::string data_path(const std::string& name);
// TEST_RUN_DIR/<name>: a file the build puts into the run folder (the fonts).
std::string run_path(const std::string& name);

// The shipped file name, loaded (the test fails when it cannot be read).
ConfigStore load_shipped(const std::string& name);
