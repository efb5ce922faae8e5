// The preferences screen: a menu whose buttons name the preferences keys the player rebinds.
#pragma once

#include <string>

#include "config/config_store.h"
#include "session/session.h"
#include "skins/skin.h"

// Shows the menu file named by the "prefs_menu" value of the session's prefs (below, prefs),
// with prefs as its substitution store, until the player leaves. Returns false when the player
// chose "back", true when the window was closed (the program must end). A word "toggle <key>"
// switches that setting between "1" and "0" (a missing or 0 setting is off); %toggle <key>% in a
// text of the menu shows "on" or "off". Any other button word names a preferences key: the next
// key pressed is stored under it as SDL_GetKeyName spells it. Either way "prefs.txt" in the
// working folder is saved at once and the menu is built again so that its texts show the new
// value. The menu's texts read a copy of prefs: a key they name that prefs lacks is not added to
// it.
// A pad button or direction pressed instead of a key is stored under the word's "_pad" key
// ("drop_key" gives "drop_pad"), taken from any other action that had it; the menu comes back
// once it is let go. With "swap_bindings: true" in the menu file, an action that had the key
// takes the word's old key. The word "defaults" puts back every "_key" and "_pad" binding of
// "prefs.txt.shipped". While waiting, the menu's text "<word>_prompt" is shown in its prompt
// line (see Menu::show_prompt); after a binding that cannot be saved, its text "save_failed".
// When saving fails, "couldn't save preferences to: prefs.txt" is printed with a second line
// "reason: " and the system's reason, and the binding stays in prefs. The event right after a
// captured key (normally its release) is dropped. A missing menu file ends the program (see
// Menu). The menu plays its sounds through the session's audio (may be null).
// The word "choose skin" puts on the next skin (see next_skin_id; after the last, none), names
// it in "skin" and saves; the menu comes back in the new look. Without worn it does nothing.
// The word "scale window" steps "window_scale" (see step_window_scale) and saves.
bool preferences_screen(Session& session, WornSkin* worn = nullptr);

// What the preferences menu's %key% texts show: a copy of prefs with the bindings as shown
// ("X_key_shown", see shown_bindings), in which every "toggle <key>" word of the menu file
// menu_file also names the state of its setting, "on" or "off", so that a row can show
// "%toggle ghost_piece%". "skin_name" names the look worn: the skin's name, or the menu file's
// "no_skin_name" text when none is. An unreadable menu file adds nothing.
ConfigStore preferences_menu_texts(const ConfigStore& prefs, const std::string& menu_file);
