// Checks of the sound settings of "prefs.txt": the files load as the game loads them, the
// volumes are in range, the mute key is a key.
#pragma once

#include <set>
#include <string>

#include "tools/check/checked_file.h"
#include "config/problems.h"

// Checks every sound setting prefs holds (all are optional): each sound and music file loads
// with the game's own loaders, "sound_volume" and "music_volume" are whole numbers 0..128,
// "sound_muted" is "true" or "false", "mute_key" is a key name (key_names) that no action of
// the game shares. The files are loaded under SDL's dummy audio driver unless SDL_AUDIODRIVER
// names another, so the check needs no sound card.
void check_sounds(const CheckedFile& prefs, const std::set<std::string>& key_names, Report& report);
