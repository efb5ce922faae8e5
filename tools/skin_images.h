// The shipped skins: today's look named as a skin, a light one and a high-contrast one whose
// pieces stay apart for players with a colour-vision deficiency.
#pragma once

#include <string>

#include "config/config_store.h"

// One shipped skin, made from the shipped look.
struct SkinRecipe {
    const char* id;         // its folder in skins/
    const char* name;       // its "skin_name"
    bool redraw_pictures;   // false: the skin is today's look and names no file
    bool light;             // pictures and text colours turned from dark to light
    bool high_contrast;     // darks darker, lights lighter, the safe tiles, larger menu text
};

extern const SkinRecipe shipped_skins[3];

// The seven piece colours of the high-contrast skin (0xRRGGBB, in tile order): chosen to stay
// apart under protanopia, deuteranopia and tritanopia alike.
extern const unsigned safe_tile_colours[7];

// A colour of the shipped look as the skin shows it, 0xRRGGBB in and out. A menu text colour
// (text = true) of the high-contrast skin goes to near white or black.
unsigned skin_colour(const SkinRecipe& recipe, unsigned rgb, bool text);

// Writes every shipped skin into data/skins/<id>: "skin.txt", the recoloured pictures of
// data/images (read with SDL_image), the menu files of data/menus with their pictures, colours
// and (high contrast) font sizes changed, and the high-contrast blocks with a symbol on each
// tile. Needs the shipped pictures written first. False, with a message, when a file cannot be
// read or written.
bool make_skins(ConfigStore& prefs, const std::string& data);
