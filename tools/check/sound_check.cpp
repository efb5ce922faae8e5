#include "tools/check/sound_check.h"

#include <algorithm>
#include <cstdlib>

#include "audio/audio.h"
#include "settings/settings_table.h"
#include "tools/check/prefs_check.h"

namespace {

void check_files(const CheckedFile& prefs, Report& report) {
    for (const SoundSetting& sound : sound_settings) {
        std::string file = prefs.value(sound.key);
        if (file.empty()) {
            continue;  // a silent event is allowed
        }
        Mix_Chunk* chunk = load_sound(file);
        if (chunk == nullptr) {
            prefs.error(sound.key,
                        "cannot load " + quoted(file) + ": " + Mix_GetError() + "; " + sound.what +
                            " stays silent",
                        report);
        } else {
            free_sound(chunk);
        }
    }
    std::string file = prefs.value(music_key);
    if (!file.empty()) {
        Mix_Music* music = load_music(file);
        if (music == nullptr) {
            prefs.error(music_key, "cannot load " + quoted(file) + ": " + Mix_GetError(), report);
        } else {
            free_music(music);
        }
    }
}

void load_files(const CheckedFile& prefs, Report& report) {
    std::vector<const char*> files = setting_keys(SettingKind::sound, false);
    if (std::all_of(files.begin(), files.end(),
                    [&](const char* key) { return prefs.value(key).empty(); })) {
        return;
    }
    // The check needs the files, not a loudspeaker.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::string error;
    if (!open_mixer(error)) {
        report.warning(prefs.name, 0, "cannot open audio to try the sound files: " + error);
        return;
    }
    check_files(prefs, report);
    close_mixer();
}

void check_volumes(const CheckedFile& prefs, Report& report) {
    for (const char* key : {sound_volume_key, music_volume_key}) {
        int volume = 0;
        if (prefs.read_int(key, false, MIX_MAX_VOLUME, volume, report) &&
            (volume < 0 || volume > MIX_MAX_VOLUME)) {
            prefs.error(key,
                        quoted(key) + " is " + int_to_text(volume) + ", must be 0 to " +
                            int_to_text(MIX_MAX_VOLUME),
                        report);
        }
    }
    std::string muted = prefs.value(muted_key);
    if (prefs.has(muted_key) && muted != "true" && muted != "false") {
        prefs.warning(muted_key,
                      quoted(muted_key) + " is " + quoted(muted) +
                          ": only \"true\" mutes, anything else plays",
                      report);
    }
}

void check_mute_key(const CheckedFile& prefs, const std::set<std::string>& key_names,
                    Report& report) {
    std::string name = prefs.value(mute_key);
    if (name.empty()) {
        return;
    }
    check_binding(prefs, mute_key, key_names, report);
    // The game tries the pause key first, so muting on the pause key never happens, and a
    // mute key shared with a move takes the move away.
    for (const char* action : setting_keys(SettingKind::key_name, true)) {
        if (prefs.value(action) == name) {
            prefs.warning(
                mute_key,
                quoted(mute_key) + " and " + quoted(action) + " share the key " + quoted(name),
                report);
        }
    }
}

}  // namespace

void check_sounds(const CheckedFile& prefs, const std::set<std::string>& key_names,
                  Report& report) {
    load_files(prefs, report);
    check_volumes(prefs, report);
    check_mute_key(prefs, key_names, report);
}
