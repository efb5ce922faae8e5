#include "session/session.h"

#include "display/window_mode.h"
#include "input/bindings.h"

Session::Session(ConfigStore& prefs, Audio* audio) : prefs(prefs), audio(audio) {}

bool Session::mute_if(const std::string& key_name) {
    return audio != nullptr && audio->toggle_mute_if(key_name);
}

bool Session::mute_if(const PadInput& input) {
    return audio != nullptr && pad_bound(prefs, "mute_key", input) && audio->toggle_mute();
}

bool Session::fullscreen_key(const std::string& key_name) const {
    std::string bound = setting(prefs, "fullscreen_key");
    return !bound.empty() && bound == key_name;
}

bool Session::fullscreen_pad(const PadInput& input) const {
    return pad_bound(prefs, "fullscreen_key", input);
}

bool Session::switch_fullscreen() {
    return toggle_fullscreen(prefs, player_prefs_file);
}

KeyRepeat Session::key_repeat() const {
    return ::key_repeat(prefs);
}
