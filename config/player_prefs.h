// The player's own preferences file and what every screen reads of it alike, so that the menus
// and the game agree on the file's name and on how key repeat is read.
#pragma once

#include "config/config_store.h"

// "prefs.txt" in the working folder: read at start, saved after every change the player makes.
extern const char* const player_prefs_file;

// Saves prefs to player_prefs_file. On failure prints "couldn't save preferences to: prefs.txt"
// (with tell_reason, then "reason: " and the system's reason on a line of its own) and returns
// false.
bool save_player_prefs(const ConfigStore& prefs, bool tell_reason = false);

// How a held key or pad direction repeats, in ms: "key_repeat_delay" before the first repeat
// (0: no repeat) and "key_repeat_rate" between repeats. A missing or empty key reads as 0 and
// is not added to the store.
struct KeyRepeat {
    int delay = 0;
    int rate = 0;
};
KeyRepeat key_repeat(const ConfigStore& prefs);
