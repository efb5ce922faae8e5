// The ways to play as the player meets them: the modes screen that picks one, and the summary
// of a game's numbers shown when it ends. Each exists only when "prefs.txt" names its menu
// file ("modes_menu", "summary_menu").
#pragma once

#include <string>

#include "config/config_store.h"
#include "game/game.h"
#include "menu/menu.h"
#include "modes/game_mode.h"

// What the modes screen answered: a mode to play, back to the main menu, or the window closed.
enum class ModeChoice { play, back, closed };

// The texts of the modes menu: the bindings as the preferences menu shows them ("restart_key_shown"
// among them) and the numbers of the modes, "sprint_lines" and "ultra_seconds", of settings.
ConfigStore mode_keys(const ConfigStore& prefs, const GameMode& settings);

// Whether prefs offers the modes screen: a "modes_menu" line with a file name.
bool modes_enabled(const ConfigStore& prefs);

// Runs the "modes_menu" screen until a mode's word ("marathon", "sprint", "ultra", "zen",
// "daily"), "back" or "quit" is chosen. A mode sets *mode to it, ready to play at now.
ModeChoice choose_mode(ConfigStore& prefs, std::time_t now, GameMode* mode);

// The title of mode on a screen: the menu file's "mode_<word>" text, else the word itself.
std::string mode_title(const ConfigStore& menu_file, Mode mode);

// The texts of the summary menu: "mode" (title), "points", "lines", "level", "time" (m:ss.hh),
// "pieces", "pieces_per_second" (two decimals), "lines_per_minute" (one), "presses_per_piece"
// (two) and "best".
ConfigStore summary_keys(const GameNumbers& numbers, const std::string& title,
                         const std::string& best);

// Shows the summary of the game that has just ended on the "summary_menu" screen, with best
// as the player's best for its mode and piece set, until Return, Escape, or (after a moment,
// so that a key hammered at the end of the game does not skip it) Space or pad button 0.
// Returns true when the window was closed.
bool summary_screen(ConfigStore& prefs, const Game& game, const std::string& best);

// Every button of menu whose "buttonN_<suffix>" is value shows its "buttonN_surf_new" surface
// instead of its own: the way a scores menu marks the newest game or the table shown.
void highlight_buttons(Menu& menu, const std::string& suffix, const std::string& value);

// Paints a menu without running it, for screens the keyboard answers rather than the mouse.
void paint_menu(Menu& menu);

// The widest texts this file fills the modes menu with (from prefs, with the widest numbers the
// modes take) and the summary menu with (wide sample numbers and the menu file's longest
// title), for the data checker to render.
ConfigStore sample_mode_keys(const ConfigStore& prefs);
ConfigStore sample_summary_keys(const std::string& menu_file);
