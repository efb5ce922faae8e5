// The events of a game and of the menus that can play a sound, the preferences key that names
// each one's sound file, and which of several events in one pass is heard.
#pragma once

#include <SDL.h>

enum class SoundEvent {
    move,
    turn,
    drop,
    land,
    clear,   // a landing that empties one to three rows
    clear4,  // a landing that empties four rows
    level,
    pause,  // pausing and resuming alike
    game_over,
    menu_hover,
    menu_click,
    none,  // no event: nothing to play
};

const int sound_event_count = static_cast<int>(SoundEvent::none);

// The one table of the sound settings: the key of "prefs.txt" naming the event's sound file,
// and what the event is, in words for the data checker. Indexed by SoundEvent.
struct SoundSetting {
    const char* key;
    const char* what;
};
extern const SoundSetting sound_settings[sound_event_count];

// The other sound settings of "prefs.txt".
extern const char* const music_key;         // the music file, looped during games
extern const char* const sound_volume_key;  // 0..128, effects
extern const char* const music_volume_key;  // 0..128, music
extern const char* const mute_key;          // the key binding that toggles all sound
extern const char* const muted_key;         // "true" while the player has muted the game

// A set of events, as they gather during one pass of a loop.
struct SoundEvents {
    Uint32 bits = 0;
    void add(SoundEvent event) { bits |= 1u << static_cast<int>(event); }
    bool has(SoundEvent event) const { return (bits & (1u << static_cast<int>(event))) != 0; }
    bool empty() const { return bits == 0; }
};

// The one event of `happened` that is heard, among those whose sound is `available`: the most
// telling one, so that a landing that clears four rows and raises the level plays one sound,
// never three. From most to least telling: game over, level up, four rows, one to three rows,
// drop, landing, pause, turn, move, click, hover. SoundEvent::none when no event of `happened`
// has a sound.
SoundEvent choose_sound(SoundEvents happened, SoundEvents available);
