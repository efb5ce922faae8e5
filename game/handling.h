// The handling options: a lock delay, kicks for turns, a longer preview, a soft-drop speed and
// drop protection. Read from the preferences in one place into a plain value the game plays
// by, so that the rules, a replay and a test all see the same settings.
#pragma once

#include <SDL.h>

#include <string>

#include "config/config_store.h"

// The most next pieces the game shows.
const int max_next_count = 5;

struct HandlingOptions {
    int lock_delay = 0;          // ms a resting piece waits before it lands; 0 lands at once
    int lock_resets = 15;        // moves and turns per piece that may restart that wait
    std::string kicks_file;      // the kicks for turns that overlap; "" for none
    int next_count = 1;          // next pieces shown, 1 to max_next_count
    int soft_drop_interval = 0;  // ms per row while down is held; 0: the key repeats instead
    int drop_protect = 0;        // ms the drop key is ignored after a new piece appears
};

// The options the preferences ask for, never adding a key: each key's value clamped to the
// range the settings table gives it, or the value above when the key is missing, so that an
// older prefs.txt plays as it
// always did. With "modern_handling" on, modern_handling_options() instead, whatever the
// other keys say (its kicks file is "kicks_file" when that names one).
HandlingOptions read_handling(const ConfigStore& config);

// The values the "Modern handling" switch plays with.
HandlingOptions modern_handling_options();

// What the options need to remember while a piece falls.
struct HandlingState {
    bool resting = false;        // the piece has found itself unable to fall and waits to land
    Uint32 rest_since = 0;       // when that wait began or was last restarted
    int resets_used = 0;         // restarts of the wait this piece has had
    bool has_rested = false;     // it rested before: resting again counts as a restart
    Uint32 piece_since = 0;      // when the falling piece appeared
    bool soft_drop_key = false;  // the down key is held, with soft drop on
    bool soft_drop_pad = false;  // the pad's down direction is held, with soft drop on
    Uint32 next_soft_drop = 0;   // when the held down key moves the piece next
};
