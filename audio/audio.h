// The game's sounds and music: the files named in "prefs.txt", loaded once when the screens are
// built, played on the events of games and menus, and muted by the player's mute key.
#pragma once

#include <SDL_mixer.h>

#include <string>

#include "audio/sound_event.h"
#include "config/config_store.h"

// The mixer's output: CD rate, 16 bits, stereo, and a buffer of 1024 frames, so that a sound
// starts at most about 23 ms after its event.
const int mixer_rate = 44100;
const int mixer_buffer_frames = 1024;

class Audio {
public:
    ConfigStore* prefs;      // not owned; "sound_muted" is written back to it
    std::string prefs_file;  // where prefs is saved when the player mutes or unmutes
    bool enabled = false;    // some sound setting names a file: the mute key works
    bool device_open = false;
    bool muted = false;
    Mix_Chunk* chunks[sound_event_count] = {};  // null: that event is silent
    Mix_Music* music = nullptr;

    // Reads the sound settings of prefs (which must outlive it) without adding any key to it.
    // When no sound setting names a file, nothing is started at all and every operation does
    // nothing: an older "prefs.txt" plays exactly as before. Otherwise opens the audio device
    // (no device, or a busy one: one message, and the game runs silent) and loads every sound
    // file named (a missing or unreadable file: one message naming it, that event stays
    // silent).
    Audio(ConfigStore& prefs, const char* prefs_file);
    ~Audio();
    Audio(const Audio&) = delete;
    Audio& operator=(const Audio&) = delete;

    // Plays the sound chosen among the events of one pass (see choose_sound), unless muted.
    // The same sound played again restarts it rather than piling up a second copy.
    void play(SoundEvents events);
    void play(SoundEvent event);

    // The music loops from its start while a game runs; pausing keeps its place.
    void start_music();
    void pause_music();
    void resume_music();
    void stop_music();

    // When key_name is the "mute_key" binding: toggles all sound and music, keeps the new
    // state in prefs under "sound_muted" and saves it ("couldn't save preferences to: ..."
    // when that fails). Returns whether the key was the mute key.
    bool toggle_mute_if(const std::string& key_name);

    // Toggles all sound and music as the mute key does (a pad input bound to "mute_pad", for
    // instance). False, with nothing changed, when no sound setting names a file.
    bool toggle_mute();

private:
    void open_device();
    void load_sounds();
    void apply_volumes();
};

// The value of key in prefs, "" when prefs has no such key; unlike ConfigStore::get_string it
// never adds the key, so that reading a sound setting never writes it into the player's file.
const std::string& setting_value(const ConfigStore& prefs, const std::string& key);

// Starts SDL's audio, loads SDL_mixer (see mixer_library.h) and opens the mixer the way the game
// plays (see mixer_rate). False, with the reason in error and nothing left started, when there
// is no usable audio device or SDL_mixer cannot be loaded.
bool open_mixer(std::string& error);
// Closes what open_mixer opened.
void close_mixer();
// Loads a sound effect or a music file as the game does, for an open mixer: null when the
// file is missing or unreadable (Mix_GetError says why).
Mix_Chunk* load_sound(const std::string& file);
Mix_Music* load_music(const std::string& file);
// Frees what load_sound or load_music returned.
void free_sound(Mix_Chunk* sound);
void free_music(Mix_Music* music);

// A volume setting: 0..128 read like ConfigStore::get_int and clamped to that range; the full
// 128 when prefs has no value for key.
int volume_setting(const ConfigStore& prefs, const std::string& key);
