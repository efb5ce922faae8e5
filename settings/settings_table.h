// The one table of the settings of "prefs.txt": every key with its kind, whether the game needs
// it, the numbers it can use and what it is for. The game's loaders, the data checker and the
// data documentation all read it, so a new setting is one new row.
#pragma once

#include <climits>
#include <string>
#include <vector>

#include "config/config_store.h"

enum class SettingKind {
    number,       // a whole number
    option,       // a whole number that switches a feature: off while missing or 0
    file,         // a file name: the pieces file, the scores file, a font
    menu,         // a file name of a menu file
    image,        // a file name of a picture
    sound,        // a file name of a sound or of the music
    key_name,     // a key as SDL_GetKeyName spells it
    pad_binding,  // pad inputs: "button N", "hat up", "axis N+", separated by ", "
    yes_no,       // "true" or "false"
    text,         // any text
};

struct Setting {
    const char* key;
    SettingKind kind;
    bool needed;  // the game cannot do without it; the others are optional
    int min;      // numbers: the values the game can use
    int max;
    const char* what;  // one line, for the checker and the documentation
};

// Every setting, in the order of the shipped "prefs.txt"; the sound events' files come from
// their own table (see sound_settings) and stand at its place among the sound settings.
const std::vector<Setting>& all_settings();

// The keys of one kind that the game needs (or, with needed false, the optional ones), in table
// order: the needed key names are the actions, in the order the game tries them on a key press.
std::vector<const char*> setting_keys(SettingKind kind, bool needed);

// The number key holds in config, or shipped when it is missing, clamped to the range of its
// row in the table (a key without a row is not clamped). Adds nothing to config.
int read_ranged(const ConfigStore& config, const char* key, int shipped);
