// The settings that make up the game's look: pictures, fonts, positions, sizes and sounds.
// A skin may set these and nothing else, so that choosing one never changes the keys or the
// rules a player plays by.
#pragma once

#include <string>

// What a look setting holds.
enum class LookKind {
    none,    // not a look setting: a rule, a binding or a setting of the program
    number,  // a position, a size or a level
    file,    // a picture, font, menu file or sound, named relative to the skin's folder
};

// The kind of the prefs.txt key; LookKind::none for any key that is not part of the look
// ("skin_name", which only names the skin, is not a setting either).
LookKind look_kind(const std::string& key);
