// Bringing a player's prefs.txt up to date with the prefs.txt a newer build or version ships,
// keeping what the player changed (see settings_merge.h), for the build's run folder, an
// installed player's folder and the browser version's kept files alike.
#pragma once

// Updates the player's file at player_path from the shipped file at shipped_path. copy_path is
// the copy of the shipped file the player's file was made from (kept as "prefs.txt.shipped"
// beside it); it is replaced by the shipped file. Without a player's file, both are made from
// the shipped one; without a copy, every value of the player's counts as their own and only
// missing keys are added. Names every changed key on standard output. Returns 0, or 1 with a
// message when a file cannot be read or written.
int update_player_prefs(const char* player_path, const char* copy_path, const char* shipped_path);
