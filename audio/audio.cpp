#include "audio/audio.h"

#include <cstdio>
#include <cstdlib>

#include "audio/mixer_library.h"

namespace {

const std::string no_value;

// Any sound setting naming a file switches sound on.
bool names_any_sound(const ConfigStore& prefs) {
    for (const SoundSetting& sound : sound_settings) {
        if (!setting_value(prefs, sound.key).empty()) {
            return true;
        }
    }
    return !setting_value(prefs, music_key).empty();
}

}  // namespace

const std::string& setting_value(const ConfigStore& prefs, const std::string& key) {
    const std::string* value = prefs.find(key);
    return value == nullptr ? no_value : *value;
}

int volume_setting(const ConfigStore& prefs, const std::string& key) {
    const std::string& text = setting_value(prefs, key);
    if (text.empty()) {
        return MIX_MAX_VOLUME;
    }
    long volume = std::strtol(text.c_str(), nullptr, 10);
    if (volume < 0) {
        return 0;
    }
    return volume > MIX_MAX_VOLUME ? MIX_MAX_VOLUME : static_cast<int>(volume);
}

Audio::Audio(ConfigStore& prefs, const char* prefs_file) : prefs(&prefs), prefs_file(prefs_file) {
    enabled = names_any_sound(prefs);
    if (!enabled) {
        return;
    }
    muted = setting_value(prefs, muted_key) == "true";
    open_device();
    if (device_open) {
        load_sounds();
        apply_volumes();
    }
}

Audio::~Audio() {
    if (!device_open) {
        return;
    }
    mixer.halt_music();
    mixer.halt_channel(-1);
    if (music != nullptr) {
        mixer.free_music(music);
    }
    for (Mix_Chunk* chunk : chunks) {
        if (chunk != nullptr) {
            mixer.free_chunk(chunk);
        }
    }
    close_mixer();
}

bool open_mixer(std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        // Undone even though it failed: the compatibility layer over SDL 2 otherwise keeps a
        // half-started audio part, and the next start claims success without a driver.
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    // SDL starts its audio part even when it finds no driver to play through; the mixer is
    // loaded only once it has one.
    char driver[32];
    if (SDL_AudioDriverName(driver, sizeof driver) == nullptr) {
        error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    if (!load_mixer_library(error)) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    if (mixer.open_audio(mixer_rate, AUDIO_S16SYS, 2, mixer_buffer_frames) != 0) {
        error = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

void close_mixer() {
    mixer.close_audio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

Mix_Chunk* load_sound(const std::string& file) {
    return mixer.load_wav_rw(SDL_RWFromFile(file.c_str(), "rb"), 1);
}

Mix_Music* load_music(const std::string& file) {
    return mixer.load_mus(file.c_str());
}

void free_sound(Mix_Chunk* sound) {
    mixer.free_chunk(sound);
}

void free_music(Mix_Music* music) {
    mixer.free_music(music);
}

void Audio::open_device() {
    std::string error;
    if (!open_mixer(error)) {
        std::printf("couldn't open the audio device: %s; playing on without sound\n",
                    error.c_str());
        return;
    }
    device_open = true;
    // One channel per event: a sound played again restarts on its own channel instead of
    // piling up over itself, and different sounds never cut each other off.
    mixer.allocate_channels(sound_event_count);
}

void Audio::load_sounds() {
    for (int i = 0; i < sound_event_count; i++) {
        const std::string& file = setting_value(*prefs, sound_settings[i].key);
        if (file.empty()) {
            continue;
        }
        chunks[i] = load_sound(file);
        if (chunks[i] == nullptr) {
            std::printf("couldn't load the sound \"%s\": %s; %s stays silent\n", file.c_str(),
                        Mix_GetError(), sound_settings[i].what);
        }
    }
    const std::string& file = setting_value(*prefs, music_key);
    if (!file.empty()) {
        music = load_music(file);
        if (music == nullptr) {
            std::printf("couldn't load the music \"%s\": %s; games stay without music\n",
                        file.c_str(), Mix_GetError());
        }
    }
}

void Audio::apply_volumes() {
    mixer.volume(-1, muted ? 0 : volume_setting(*prefs, sound_volume_key));
    mixer.volume_music(muted ? 0 : volume_setting(*prefs, music_volume_key));
}

void Audio::play(SoundEvents events) {
    if (!device_open || muted || events.empty()) {
        return;
    }
    SoundEvents available;
    for (int i = 0; i < sound_event_count; i++) {
        if (chunks[i] != nullptr) {
            available.add(static_cast<SoundEvent>(i));
        }
    }
    SoundEvent chosen = choose_sound(events, available);
    if (chosen != SoundEvent::none) {
        int channel = static_cast<int>(chosen);
        mixer.play_channel_timed(channel, chunks[channel], 0, -1);
    }
}

void Audio::play(SoundEvent event) {
    SoundEvents events;
    events.add(event);
    play(events);
}

void Audio::start_music() {
    // Muted music plays on at volume 0, so that unmuting brings it back in its place.
    if (device_open && music != nullptr) {
        mixer.play_music(music, -1);
    }
}

void Audio::pause_music() {
    if (device_open) {
        mixer.pause_music();
    }
}

void Audio::resume_music() {
    if (device_open) {
        mixer.resume_music();
    }
}

void Audio::stop_music() {
    if (device_open) {
        mixer.halt_music();
    }
}

bool Audio::toggle_mute_if(const std::string& key_name) {
    const std::string& binding = setting_value(*prefs, mute_key);
    if (binding.empty() || key_name != binding) {
        return false;
    }
    return toggle_mute();
}

bool Audio::toggle_mute() {
    if (!enabled) {
        return false;
    }
    muted = !muted;
    if (device_open) {
        if (muted) {
            mixer.halt_channel(-1);
        }
        apply_volumes();
    }
    prefs->get_string(muted_key) = muted ? "true" : "false";
    if (!prefs->save(prefs_file.c_str())) {
        std::printf("couldn't save preferences to: %s\n", prefs_file.c_str());
    }
    return true;
}
