#include "config/player_prefs.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

const char* const player_prefs_file = "prefs.txt";

bool save_player_prefs(const ConfigStore& prefs, bool tell_reason) {
    if (prefs.save(player_prefs_file)) {
        return true;
    }
    // Taken before printing, which may set errno itself.
    const char* reason = std::strerror(errno);
    std::printf("couldn't save preferences to: %s\n", player_prefs_file);
    if (tell_reason) {
        std::printf("reason: %s\n", reason);
    }
    std::fflush(stdout);
    return false;
}

KeyRepeat key_repeat(const ConfigStore& prefs) {
    return KeyRepeat{prefs.find_int("key_repeat_delay", 0), prefs.find_int("key_repeat_rate", 0)};
}
