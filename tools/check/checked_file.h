// A configuration file under check ("prefs.txt" or a menu file): the game's own store of it,
// the name problems are reported under (at the line each key's value came from).
#pragma once

#include <string>

#include "config/config_store.h"
#include "menu/menu_file.h"
#include "config/problems.h"

class CheckedFile {
public:
    std::string name;   // as the game names it: "prefs.txt", "menus/main_menu.txt"
    ConfigStore store;  // loaded with the game's loader

    // Loads name with ConfigStore::load. False when it cannot be read.
    bool load(const std::string& file_name);

    // Whether a line of the file holds the key (a key looked up later does not count).
    bool has(const std::string& key) const;

    // The key's value, "" when the file has no such key. Unlike get_string, adds nothing.
    std::string value(const std::string& key) const;

    // Reports the key as missing (an error, "file: missing key ...") and returns false when no
    // line holds it; true otherwise.
    bool require(const std::string& key, Report& report) const;

    // The key's value as a whole integer. Reports an error and returns false when the key is
    // missing (if required) or its value is not an integer; an absent optional key gives
    // fallback and true.
    bool read_int(const std::string& key, bool required, int fallback, int& result,
                  Report& report) const;

    // Reports an error at the key's line.
    void error(const std::string& key, const std::string& message, Report& report) const;
    void warning(const std::string& key, const std::string& message, Report& report) const;
};

struct ImageSize {
    int w;
    int h;
};

// Loads the picture at path for its size. When it cannot be loaded: an error at key, or, for a
// picture the game does without, a warning that ends with what goes missing; false.
bool load_image_size(const CheckedFile& file, const std::string& key, const std::string& path,
                     ImageSize& size, Report& report, const char* missing = nullptr);

// The file's lines themselves, read again from the file: CR LF line endings (one warning for the
// file) and a key set on more than one line (a warning at each later line, naming the first).
void check_lines(const CheckedFile& file, Report& report);
