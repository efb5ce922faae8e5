// Skins: a folder holding "skin.txt" (the look settings that change, and a "skin_name" shown to
// the player) and the files it names. The chosen skin's settings are read over prefs.txt's
// without ever being written into it.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "config/config_store.h"
#include "config/problems.h"

struct Skin {
    std::string id;      // the folder's own name: the value of "skin" in prefs.txt
    std::string folder;  // the folder, as a path from the game's folder
    std::string name;    // "skin_name", or id when the file gives none
    // The look settings in file order; file values already lead from the game's folder.
    std::vector<std::pair<std::string, std::string>> settings;
};

// Reads folder's "skin.txt" into skin; id is the folder's last name. Every problem is appended
// to problems as an error at its line of "skin.txt" (0 for the folder as a whole), naming the
// key:
// a folder without "skin.txt"; a key that is not part of the look (see look_kind), which is
// ignored; a file value that is absolute, leads out of the skin's folder or names no file.
// Returns false when the skin cannot be shown: no "skin.txt", or a file it needs is missing.
bool read_skin(const std::string& folder, Skin& skin, std::vector<Problem>& problems);

// The skins a player can choose: every folder in "skins_folder" and then in "my_skins_folder"
// of prefs (each in name order; a missing key or folder gives none), read by read_skin. Skins
// that cannot be shown are left out, and an id already listed is not listed again; both are
// reported in problems. Adds no key to prefs.
std::vector<Skin> find_skins(const ConfigStore& prefs, std::vector<Problem>& problems);

// The skin worn over a store: what each of its settings covered, so that it can be taken off.
struct WornSkin {
    struct Covered {
        bool had_value;
        std::string value;
    };
    std::string id;  // "" while no skin is worn
    std::map<std::string, Covered> covered;
};

// Lays skin's settings and its "skin_name" over prefs, taking off the one worn before. Reading
// prefs then gives the skin's values, but to_text and save still write the player's own: a
// line of the file is kept as it was read, a key the file lacks is not added.
void wear_skin(ConfigStore& prefs, const Skin& skin, WornSkin& worn);

// Puts back what the worn skin covered; nothing when none is worn.
void take_off_skin(ConfigStore& prefs, WornSkin& worn);

// Wears the skin that the "skin" key of prefs names, or none when the key is missing or
// empty. A skin that is not found or cannot be shown prints why and leaves the look as it was.
// Returns false then.
bool wear_chosen_skin(ConfigStore& prefs, WornSkin& worn);

// The id of the skin after the worn one in skins, "" (no skin) after the last, the first one
// when none is worn: the order a player steps through the looks in.
std::string next_skin_id(const std::vector<Skin>& skins, const std::string& worn_id);
