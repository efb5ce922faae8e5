// The preferences screen: a menu whose buttons name the preferences keys the player rebinds.
#pragma once

#include <string>

#include "audio/audio.h"
#include "config/config_store.h"

// Shows the menu file named by the "prefs_menu" value of prefs, with prefs as its substitution
// store, until the player leaves. Returns false when the player chose "back", true when the
// window was closed (the program must end). A word "toggle <key>" switches that setting between
// "1" and "0" (a missing or 0 setting is off); %toggle <key>% in a text of the menu shows "on" or
// "off". Any other button word names a preferences key: the next key pressed is stored under it
// as SDL_GetKeyName spells it. Either way "prefs.txt" in the working folder is saved at once and
// the menu is built again so that its texts show the new value. The menu's texts read a copy of
// prefs: a key they name that prefs lacks is not added to it.
// When saving fails, "couldn't save preferences to: prefs.txt" is printed and the binding stays
// in prefs. The event right after a captured key (normally its release) is dropped. A missing
// menu file ends the program (see Menu). The menu plays its sounds through audio (may be null).
bool preferences_screen(ConfigStore& prefs, Audio* audio = nullptr);

// What the preferences menu's %key% texts show: a copy of prefs in which every "toggle <key>"
// word of the menu file menu_file also names the state of its setting, "on" or "off", so that a
// row can show "%toggle ghost_piece%". An unreadable menu file adds nothing.
ConfigStore preferences_menu_texts(const ConfigStore& prefs, const std::string& menu_file);
