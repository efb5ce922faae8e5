#include "input/bindings.h"

#include <vector>

namespace {

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::string setting(const ConfigStore& prefs, const std::string& key) {
    const std::string* value = prefs.find(key);
    return value == nullptr ? std::string() : *value;
}

std::string pad_setting_of(const std::string& key_setting) {
    if (ends_with(key_setting, "_key")) {
        return key_setting.substr(0, key_setting.size() - 4) + "_pad";
    }
    return key_setting + "_pad";
}

bool pad_bound(const ConfigStore& prefs, const std::string& key_setting, const PadInput& input) {
    std::vector<PadInput> inputs;
    parse_pad_binding(setting(prefs, pad_setting_of(key_setting)), inputs);
    for (const PadInput& bound : inputs) {
        if (bound == input) {
            return true;
        }
    }
    return false;
}

bool has_pad_bindings(const ConfigStore& prefs) {
    for (const auto& entry : prefs.values()) {
        if (ends_with(entry.first, "_pad")) {
            return true;
        }
    }
    return false;
}

std::string readable_key_name(const std::string& sdl_name) {
    // SDL 1.2 writes the keypad's keys in brackets, and its Enter key as plain "enter" beside
    // the main "return".
    if (sdl_name.size() > 2 && sdl_name.front() == '[' && sdl_name.back() == ']') {
        return "keypad " + sdl_name.substr(1, sdl_name.size() - 2);
    }
    if (sdl_name == "enter") {
        return "keypad enter";
    }
    return sdl_name;
}

std::string binding_shown(const ConfigStore& prefs, const std::string& key_setting) {
    std::string shown = readable_key_name(setting(prefs, key_setting));
    std::string pad = setting(prefs, pad_setting_of(key_setting));
    if (!pad.empty()) {
        shown += " / " + pad;
    }
    return shown;
}

ConfigStore shown_bindings(const ConfigStore& prefs) {
    ConfigStore shown = prefs;
    for (const auto& entry : prefs.values()) {
        if (ends_with(entry.first, "_key")) {
            shown.set(entry.first + "_shown", binding_shown(prefs, entry.first));
        }
    }
    return shown;
}
