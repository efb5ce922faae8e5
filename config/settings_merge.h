// Bringing a player's settings file up to date with a newer shipped one, the way Debian merges
// changed configuration files: what the player changed stays theirs, what they left alone
// follows the shipped file.
#pragma once

#include <string>
#include <vector>

#include "config/config_store.h"

// What a merge did, each list in the new shipped file's order.
struct SettingsMerge {
    // Keys the player had left at the old shipped value and that now have the new one.
    std::vector<std::string> updated;
    // Keys the player's file lacked, with the new shipped value; its save appends them.
    std::vector<std::string> added;
    // Keys whose shipped value changed (or, without an old shipped value, differs) while the
    // player's value differs from both: the player's value stays.
    std::vector<std::string> kept;
};

// Merges new_shipped into player. old_shipped is the shipped file the player's file was made
// from; a key absent from it counts as the player's own. Only values change and keys are
// added: the player's other lines (notes, blank lines, repeated keys, their order) stay.
// Keys the new shipped file dropped stay in the player's file.
SettingsMerge merge_shipped_settings(ConfigStore& player, const ConfigStore& old_shipped,
                                     const ConfigStore& new_shipped);
