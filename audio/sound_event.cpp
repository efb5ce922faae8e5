#include "audio/sound_event.h"

const SoundSetting sound_settings[sound_event_count] = {
    {"sound_move", "a move"},
    {"sound_turn", "a turn"},
    {"sound_drop", "a drop"},
    {"sound_land", "a landing"},
    {"sound_clear", "one to three rows cleared"},
    {"sound_clear4", "four rows cleared"},
    {"sound_level", "a level up"},
    {"sound_pause", "pausing and resuming"},
    {"sound_game_over", "the end of a game"},
    {"sound_menu_hover", "a menu button lighting up"},
    {"sound_menu_click", "a menu button chosen"},
};

const char* const music_key = "music";
const char* const sound_volume_key = "sound_volume";
const char* const music_volume_key = "music_volume";
const char* const mute_key = "mute_key";
const char* const muted_key = "sound_muted";

namespace {

// Most telling first. A level up always comes with cleared rows; it is the news the player
// needs (everything falls faster now), and the rows are there to see.
const SoundEvent by_importance[] = {
    SoundEvent::game_over, SoundEvent::level,      SoundEvent::clear4,     SoundEvent::clear,
    SoundEvent::drop,      SoundEvent::land,       SoundEvent::pause,      SoundEvent::turn,
    SoundEvent::move,      SoundEvent::menu_click, SoundEvent::menu_hover,
};

}  // namespace

SoundEvent choose_sound(SoundEvents happened, SoundEvents available) {
    for (SoundEvent event : by_importance) {
        if (happened.has(event) && available.has(event)) {
            return event;
        }
    }
    return SoundEvent::none;
}
