// The preferences screen: a menu whose buttons name the preferences keys the player rebinds.
#pragma once

#include "config/config_store.h"

// Shows the menu file named by the "prefs_menu" value of prefs, with prefs as its substitution
// store, until the player leaves. Returns false when the player chose "back", true when the
// window was closed (the program must end). Any other button word names a preferences key: the
// next key pressed is stored under it as SDL_GetKeyName spells it, "prefs.txt" in the working
// folder is saved at once and the menu is built again so that its texts show the new value.
// When saving fails, "couldn't save preferences to: prefs.txt" is printed and the binding stays
// in prefs. The event right after a captured key (normally its release) is dropped. A missing
// menu file ends the program (see Menu).
bool preferences_screen(ConfigStore& prefs);
