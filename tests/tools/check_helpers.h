// A copy of the shipped game folder to break on purpose, and derevarez-check run on it.
#pragma once

#include <string>

#include "tests/support/test_support.h"

// A fresh folder holding the shipped data and the two menu fonts, as the run folder does.
std::string copy_game_folder(const std::string& name);

// Replaces the line "key: ..." of the file with "key: value"; fails the test if there is none.
void set_value(const std::string& path, const std::string& key, const std::string& value);

// Removes the line "key: ..." of the file.
void remove_key(const std::string& path, const std::string& key);

// The 1-based number of the line "key: ..." of the file (0 when there is none).
int line_of(const std::string& path, const std::string& key);

// derevarez-check run in folder.
CommandResult run_checker(const std::string& folder);

// Whether output has a line that starts with place (such as "prefs.txt:12: ") and holds
// phrase.
bool reports(const std::string& output, const std::string& place, const std::string& phrase);

// "file:line: " for a key of a file of the game folder.
std::string place_of(const std::string& folder, const std::string& file, const std::string& key);
