// SDL_mixer, loaded only when the game opens its audio device. Linked directly, the mixer and
// the many codec and synthesiser libraries it depends on (about 35 of the program's 89) would
// be loaded and relocated before the first picture is shown, and kept in memory by a player
// without sound or without an audio device.
#pragma once

#include <SDL_mixer.h>

#include <string>

// The mixer's entry points the game uses, found in the loaded library.
class MixerLibrary {
public:
    bool loaded = false;
    decltype(&Mix_OpenAudio) open_audio = nullptr;
    decltype(&Mix_CloseAudio) close_audio = nullptr;
    decltype(&Mix_AllocateChannels) allocate_channels = nullptr;
    decltype(&Mix_LoadWAV_RW) load_wav_rw = nullptr;
    decltype(&Mix_LoadMUS) load_mus = nullptr;
    decltype(&Mix_FreeChunk) free_chunk = nullptr;
    decltype(&Mix_FreeMusic) free_music = nullptr;
    decltype(&Mix_PlayChannelTimed) play_channel_timed = nullptr;
    decltype(&Mix_HaltChannel) halt_channel = nullptr;
    decltype(&Mix_PlayMusic) play_music = nullptr;
    decltype(&Mix_PauseMusic) pause_music = nullptr;
    decltype(&Mix_ResumeMusic) resume_music = nullptr;
    decltype(&Mix_HaltMusic) halt_music = nullptr;
    decltype(&Mix_Volume) volume = nullptr;
    decltype(&Mix_VolumeMusic) volume_music = nullptr;
};

// The one table of the program; every entry is null until load_mixer_library succeeds.
extern MixerLibrary mixer;

// Loads SDL_mixer (once; later calls only say whether it is there) and fills `mixer`. Built
// without MIXER_AT_RUN_TIME, the program holds the mixer and the table always fills. False,
// with the dynamic loader's reason in error, when the library or one of its entry points cannot
// be found; the table then stays empty.
bool load_mixer_library(std::string& error);
