// The player's bindings in the preferences: "X_key" holds an SDL key name, "X_pad" beside it
// the pad inputs of the same action. Look-ups here never add a key to the store, so a
// prefs.txt without pad bindings is saved exactly as it was.
#pragma once

#include <string>

#include "config/config_store.h"
#include "input/pad_input.h"

// The key's value, "" when the store has no such key. Adds nothing.
std::string setting(const ConfigStore& prefs, const std::string& key);

// The pad binding beside a key binding: "drop_key" gives "drop_pad"; a name without the
// "_key" ending gets "_pad" appended.
std::string pad_setting_of(const std::string& key_setting);

// Whether the pad binding of key_setting's action ("drop_key" looks at "drop_pad") holds
// input. A missing or unreadable pad binding holds nothing.
bool pad_bound(const ConfigStore& prefs, const std::string& key_setting, const PadInput& input);

// Whether prefs holds any pad binding (a key ending in "_pad"): only then are pads opened.
bool has_pad_bindings(const ConfigStore& prefs);

// A key name as a person reads it: SDL's keypad names such as "[8]" and "enter" become
// "keypad 8" and "keypad enter"; other names stay as SDL spells them.
std::string readable_key_name(const std::string& sdl_name);

// What a preferences row shows for key_setting: the readable key name, and " / " with the pad
// binding when the action has one ("space / button 2").
std::string binding_shown(const ConfigStore& prefs, const std::string& key_setting);

// What the preferences menu's texts may show: a copy of prefs with, beside each key binding
// "X_key", an "X_key_shown" holding binding_shown of it. A copy, so that a text naming a key
// that does not exist adds nothing to the player's file.
ConfigStore shown_bindings(const ConfigStore& prefs);
