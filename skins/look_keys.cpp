#include "skins/look_keys.h"

#include <cstring>

namespace {

struct LookKey {
    const char* key;
    LookKind kind;
};

// The window's size is not here: a skin is drawn for the shipped window, and changing the
// mode under a running menu would take every screen's display surface away.
const LookKey look_keys[] = {
    {"main_menu", LookKind::file},       {"prefs_menu", LookKind::file},
    {"scores_menu", LookKind::file},     {"name_menu", LookKind::file},
    {"background_img", LookKind::file},  {"level_font", LookKind::file},
    {"small_num_font", LookKind::file},  {"game_over_img", LookKind::file},
    {"paused_img", LookKind::file},      {"blocks_img", LookKind::file},
    {"block_size", LookKind::number},    {"board_x", LookKind::number},
    {"board_y", LookKind::number},       {"next_piece_x", LookKind::number},
    {"next_piece_y", LookKind::number},  {"level_x", LookKind::number},
    {"level_y", LookKind::number},       {"level_w", LookKind::number},
    {"level_h", LookKind::number},       {"points_x", LookKind::number},
    {"points_y", LookKind::number},      {"points_w", LookKind::number},
    {"points_h", LookKind::number},      {"lines_x", LookKind::number},
    {"lines_y", LookKind::number},       {"lines_w", LookKind::number},
    {"lines_h", LookKind::number},       {"ghost_alpha", LookKind::number},
    {"hold_x", LookKind::number},        {"hold_y", LookKind::number},
    {"sound_move", LookKind::file},      {"sound_turn", LookKind::file},
    {"sound_drop", LookKind::file},      {"sound_land", LookKind::file},
    {"sound_clear", LookKind::file},     {"sound_clear4", LookKind::file},
    {"sound_level", LookKind::file},     {"sound_pause", LookKind::file},
    {"sound_game_over", LookKind::file}, {"sound_menu_hover", LookKind::file},
    {"sound_menu_click", LookKind::file}, {"music", LookKind::file},
    {"modes_menu", LookKind::file},      {"summary_menu", LookKind::file},
    {"timed_background_img", LookKind::file}, {"time_x", LookKind::number},
    {"time_y", LookKind::number},        {"time_w", LookKind::number},
    {"time_h", LookKind::number},
    {"replays_menu", LookKind::file},    {"replay_line_font", LookKind::file},
    {"replay_line_size", LookKind::number}, {"replay_line_x", LookKind::number},
    {"replay_line_y", LookKind::number},
};

}  // namespace

LookKind look_kind(const std::string& key) {
    for (const LookKey& entry : look_keys) {
        if (key == entry.key) {
            return entry.kind;
        }
    }
    return LookKind::none;
}
