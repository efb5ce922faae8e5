#include "settings/settings_table.h"

#include <algorithm>

#include "audio/sound_event.h"
#include "modes/game_mode.h"

namespace {

const int any_low = INT_MIN;
const int any_high = INT_MAX;

// A whole number the game can use anywhere in its int range (positions may lie off screen).
Setting number(const char* key, bool needed, const char* what) {
    return Setting{key, SettingKind::number, needed, any_low, any_high, what};
}

// A size or a count: the game needs it above 0.
Setting positive(const char* key, const char* what) {
    return Setting{key, SettingKind::number, true, 1, any_high, what};
}

Setting named(const char* key, SettingKind kind, bool needed, const char* what) {
    return Setting{key, kind, needed, 0, 0, what};
}

// The option switches: off while missing or 0, on for any other number.
Setting option(const char* key, const char* what) {
    return Setting{key, SettingKind::option, false, any_low, any_high, what};
}

// A number of a mode: its range is the mode's own, out of which the shipped value is played.
Setting mode_number(const ModeSetting& setting, const char* what) {
    return Setting{setting.key, SettingKind::number, false, setting.lowest, setting.highest, what};
}

std::vector<Setting> build_table() {
    const bool needed = true;
    const bool optional = false;
    std::vector<Setting> table = {
        positive("window_w", "window width in pixels"),
        positive("window_h", "window height in pixels"),
        named("window_icon", SettingKind::image, optional, "the window's picture"),
        named("main_menu", SettingKind::menu, needed, "the main menu file"),
        named("prefs_menu", SettingKind::menu, needed, "the preferences menu file"),
        named("scores_menu", SettingKind::menu, optional, "the best-games menu file"),
        named("name_menu", SettingKind::menu, optional, "the name-entry menu file"),
        named("modes_menu", SettingKind::menu, optional, "the ways-to-play menu file"),
        named("summary_menu", SettingKind::menu, optional, "the menu file of a game's numbers"),
        named("replays_menu", SettingKind::menu, optional, "the menu file of the kept replays"),
        named("scores_file", SettingKind::file, optional, "the file of the best games"),
        named("player_name", SettingKind::text, optional, "the name offered for a best game"),
        named("replays_folder", SettingKind::text, optional, "the folder games are recorded into"),
        {"replays_kept", SettingKind::number, optional, 0, 100000,
         "replays of the last games kept"},
        named("replay_speed_keys", SettingKind::text, optional,
              "keys, \", \"-separated, that watch a replay at 1, 2, 4... times its speed"),
        named("takeover_key", SettingKind::key_name, optional, "play on from the replay watched"),
        named("replay_line_text", SettingKind::text, optional,
              "the line over a replay: %player%, %date%, %mode%, %speed%"),
        named("replay_line_font", SettingKind::file, optional, "the replay line's TrueType font"),
        {"replay_line_size", SettingKind::number, optional, 1, 200, "the replay line's point size"},
        named("replay_line_colour", SettingKind::text, optional,
              "the replay line's colour, RRGGBB"),
        number("replay_line_x", optional, "the replay line's left edge"),
        number("replay_line_y", optional, "the replay line's top edge"),
        named("pieces_file", SettingKind::file, needed, "the pieces file"),
        positive("board_width", "the well's width in cells"),
        positive("board_height", "the well's height in cells"),
        {"key_repeat_delay", SettingKind::number, needed, 0, any_high,
         "ms a held key waits before it repeats (0: no repeat)"},
        {"key_repeat_rate", SettingKind::number, needed, 0, any_high,
         "ms between repeats of a held key"},
        named("pause_key", SettingKind::key_name, needed, "pause and resume"),
        named("turn_left_key", SettingKind::key_name, needed, "turn anticlockwise"),
        named("turn_right_key", SettingKind::key_name, needed, "turn clockwise"),
        named("move_left_key", SettingKind::key_name, needed, "move one column left"),
        named("move_right_key", SettingKind::key_name, needed, "move one column right"),
        named("move_down_key", SettingKind::key_name, needed, "move one row down"),
        named("drop_key", SettingKind::key_name, needed, "drop and land the piece"),
        named("hold_key", SettingKind::key_name, optional, "put the piece into the hold box"),
        named("leave_key", SettingKind::key_name, optional, "leave the game for the menu"),
        named("fullscreen_key", SettingKind::key_name, optional,
              "switch between window and full screen"),
        named("restart_key", SettingKind::key_name, optional, "start the same game again at once"),
        named("pause_pad", SettingKind::pad_binding, optional, "pad inputs of pause_key"),
        named("leave_pad", SettingKind::pad_binding, optional, "pad inputs of leave_key"),
        named("turn_left_pad", SettingKind::pad_binding, optional, "pad inputs of turn_left_key"),
        named("turn_right_pad", SettingKind::pad_binding, optional, "pad inputs of turn_right_key"),
        named("move_left_pad", SettingKind::pad_binding, optional, "pad inputs of move_left_key"),
        named("move_right_pad", SettingKind::pad_binding, optional, "pad inputs of move_right_key"),
        named("move_down_pad", SettingKind::pad_binding, optional, "pad inputs of move_down_key"),
        named("drop_pad", SettingKind::pad_binding, optional, "pad inputs of drop_key"),
        named("hold_pad", SettingKind::pad_binding, optional, "pad inputs of hold_key"),
        named("mute_pad", SettingKind::pad_binding, optional, "pad inputs of mute_key"),
        named("fullscreen_pad", SettingKind::pad_binding, optional, "pad inputs of fullscreen_key"),
        named("restart_pad", SettingKind::pad_binding, optional, "pad inputs of restart_key"),
        named("fullscreen", SettingKind::yes_no, optional, "\"true\" opens full screen"),
        {"window_scale", SettingKind::number, optional, 1, 4, "the window's size in layouts"},
        named("skins_folder", SettingKind::text, optional, "the folder of the shipped skins"),
        named("my_skins_folder", SettingKind::text, optional, "the folder of the player's skins"),
        named("skin", SettingKind::text, optional, "the skin worn over these settings"),
        named("watch_data", SettingKind::yes_no, optional, "\"true\": live reload"),
        named("background_img", SettingKind::image, needed, "the game screen's background"),
        named("level_font", SettingKind::image, needed, "the level's digit images"),
        named("small_num_font", SettingKind::image, needed, "the counters' digit images"),
        named("game_over_img", SettingKind::image, needed, "the game-over card"),
        named("paused_img", SettingKind::image, needed, "the paused card"),
        named("blocks_img", SettingKind::image, needed, "the seven block tiles"),
        positive("block_size", "pixels per cell"),
        number("board_x", needed, "the well's left edge"),
        number("board_y", needed, "the well's top edge"),
        number("next_piece_x", needed, "the next piece box's left edge"),
        number("next_piece_y", needed, "the next piece box's top edge"),
        number("level_x", needed, "the level box's left edge"),
        number("level_y", needed, "the level box's top edge"),
        positive("level_w", "the level box's width"),
        positive("level_h", "the level box's height"),
        number("points_x", needed, "the score box's left edge"),
        number("points_y", needed, "the score box's top edge"),
        positive("points_w", "the score box's width"),
        positive("points_h", "the score box's height"),
        number("lines_x", needed, "the lines box's left edge"),
        number("lines_y", needed, "the lines box's top edge"),
        positive("lines_w", "the lines box's width"),
        positive("lines_h", "the lines box's height"),
        named("timed_background_img", SettingKind::image, optional,
              "the background of the timed modes"),
        number("time_x", optional, "the clock box's left edge"),
        number("time_y", optional, "the clock box's top edge"),
        {"time_w", SettingKind::number, optional, 1, any_high, "the clock box's width"},
        {"time_h", SettingKind::number, optional, 1, any_high, "the clock box's height"},
        option("ghost_piece", "1: the landing shadow"),
        {"ghost_alpha", SettingKind::number, optional, 0, 255, "how strongly the shadow shows"},
        option("hold_piece", "1: the hold box"),
        number("hold_x", optional, "the hold box's left edge"),
        number("hold_y", optional, "the hold box's top edge"),
        option("bag_dealer", "1: every piece once before any comes again"),
        option("modern_handling", "1: every handling option at the team's values"),
        {"lock_delay", SettingKind::number, optional, 0, 10000,
         "ms a resting piece waits before it lands (0: at once)"},
        {"lock_resets", SettingKind::number, optional, 0, 1000,
         "moves and turns of one piece that may restart that wait"},
        {"next_count", SettingKind::number, optional, 1, 5, "how many next pieces show"},
        number("next_later_x", optional, "the second next piece box's left edge"),
        number("next_later_y", optional, "the second next piece box's top edge"),
        number("next_spacing", optional, "pixels from one later next piece box to the next"),
        {"soft_drop_interval", SettingKind::number, optional, 0, 10000,
         "ms per row while down is held (0: the key repeats)"},
        {"drop_protect", SettingKind::number, optional, 0, 10000,
         "ms the drop key is ignored after a new piece appears"},
        named("kicks_file", SettingKind::file, optional, "the kicks of turns that overlap"),
        mode_number(sprint_lines_setting, "the rows a sprint clears"),
        mode_number(ultra_seconds_setting, "the seconds an ultra game lasts"),
    };
    for (const SoundSetting& sound : sound_settings) {
        table.push_back(named(sound.key, SettingKind::sound, optional, sound.what));
    }
    table.push_back(named(music_key, SettingKind::sound, optional, "the music, looped in games"));
    table.push_back({sound_volume_key, SettingKind::number, optional, 0, 128, "effects volume"});
    table.push_back({music_volume_key, SettingKind::number, optional, 0, 128, "music volume"});
    table.push_back(named(mute_key, SettingKind::key_name, optional, "toggles all sound"));
    table.push_back(named(muted_key, SettingKind::yes_no, optional, "\"true\" while muted"));
    return table;
}

}  // namespace

const std::vector<Setting>& all_settings() {
    static const std::vector<Setting> table = build_table();
    return table;
}

std::vector<const char*> setting_keys(SettingKind kind, bool needed) {
    std::vector<const char*> keys;
    for (const Setting& setting : all_settings()) {
        if (setting.kind == kind && setting.needed == needed) {
            keys.push_back(setting.key);
        }
    }
    return keys;
}

int read_ranged(const ConfigStore& config, const char* key, int shipped) {
    int value = config.find_int(key, shipped);
    for (const Setting& setting : all_settings()) {
        if (key == std::string(setting.key)) {
            return std::clamp(value, setting.min, setting.max);
        }
    }
    return value;
}
