#include "audio/mixer_library.h"

#if MIXER_AT_RUN_TIME
#include <dlfcn.h>
#endif

MixerLibrary mixer;

#if MIXER_AT_RUN_TIME

namespace {

// The file name under which the system installs SDL_mixer 1.2 (its soname).
const char* const mixer_file = "libSDL_mixer-1.2.so.0";

// Sets entry to the library's symbol name; false when it has none.
template <typename Entry>
bool find(void* library, const char* name, Entry& entry) {
    entry = reinterpret_cast<Entry>(dlsym(library, name));
    return entry != nullptr;
}

bool find_all(void* library, MixerLibrary& table) {
    return find(library, "Mix_OpenAudio", table.open_audio) &&
           find(library, "Mix_CloseAudio", table.close_audio) &&
           find(library, "Mix_AllocateChannels", table.allocate_channels) &&
           find(library, "Mix_LoadWAV_RW", table.load_wav_rw) &&
           find(library, "Mix_LoadMUS", table.load_mus) &&
           find(library, "Mix_FreeChunk", table.free_chunk) &&
           find(library, "Mix_FreeMusic", table.free_music) &&
           find(library, "Mix_PlayChannelTimed", table.play_channel_timed) &&
           find(library, "Mix_HaltChannel", table.halt_channel) &&
           find(library, "Mix_PlayMusic", table.play_music) &&
           find(library, "Mix_PauseMusic", table.pause_music) &&
           find(library, "Mix_ResumeMusic", table.resume_music) &&
           find(library, "Mix_HaltMusic", table.halt_music) &&
           find(library, "Mix_Volume", table.volume) &&
           find(library, "Mix_VolumeMusic", table.volume_music);
}

}  // namespace

bool load_mixer_library(std::string& error) {
    if (mixer.loaded) {
        return true;
    }
    // Never closed: the mixer's threads and the audio device may outlive any owner here, and
    // the system unloads it at exit.
    void* library = dlopen(mixer_file, RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) {
        error = dlerror();
        return false;
    }
    MixerLibrary table;
    if (!find_all(library, table)) {
        error = dlerror();
        return false;
    }
    mixer = table;
    mixer.loaded = true;
    return true;
}

#else

// Where the mixer is part of the program (the browser's SDL holds one), the table points at it.
bool load_mixer_library(std::string&) {
    mixer = MixerLibrary{true,
                         &Mix_OpenAudio,
                         &Mix_CloseAudio,
                         &Mix_AllocateChannels,
                         &Mix_LoadWAV_RW,
                         &Mix_LoadMUS,
                         &Mix_FreeChunk,
                         &Mix_FreeMusic,
                         &Mix_PlayChannelTimed,
                         &Mix_HaltChannel,
                         &Mix_PlayMusic,
                         &Mix_PauseMusic,
                         &Mix_ResumeMusic,
                         &Mix_HaltMusic,
                         &Mix_Volume,
                         &Mix_VolumeMusic};
    return true;
}

#endif
