// What every screen shares with the player: their preferences file and the keys that work the
// same on every screen (full screen, mute) and how held keys repeat. The menus and the game
// ask it rather than each handling these again; each screen still decides in which order it
// tries them against its own keys.
#pragma once

#include <string>

#include "audio/audio.h"
#include "config/config_store.h"
#include "config/player_prefs.h"
#include "input/pad_input.h"

struct Session {
    ConfigStore& prefs;      // the player's "prefs.txt" as read at start; not owned
    Audio* audio = nullptr;  // not owned; null: nothing plays and the mute key does nothing

    explicit Session(ConfigStore& prefs, Audio* audio = nullptr);

    // When key_name is the "mute_key" binding and there is audio: toggles all sound as
    // Audio::toggle_mute_if does. Whether the key was taken as the mute key.
    bool mute_if(const std::string& key_name);
    // The same for a pad input bound to "mute_key" ("mute_pad"): true when it toggled sound.
    bool mute_if(const PadInput& input);

    // Whether key_name is the "fullscreen_key" binding; with none bound, no key is. Adds no key
    // to prefs.
    bool fullscreen_key(const std::string& key_name) const;
    // Whether input is bound to "fullscreen_key" ("fullscreen_pad").
    bool fullscreen_pad(const PadInput& input) const;
    // Switches between window and full screen and keeps the choice in the player's file (see
    // toggle_fullscreen: its messages, and false when nothing switched).
    bool switch_fullscreen();

    // How held keys and pad directions repeat (see key_repeat). Adds no key to prefs.
    KeyRepeat key_repeat() const;
};
