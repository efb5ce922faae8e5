// The best games: recording a finished game in the scores file, the name-entry screen and the
// screen that shows a piece set's table. All of it exists only when "prefs.txt" names a
// "scores_file".
#pragma once

#include <string>

#include "config/config_store.h"
#include "game/game.h"
#include "menu/menu.h"
#include "scores/score_table.h"

// The value of key in prefs, "" when prefs has no such key. Unlike get_string it adds nothing,
// so that an optional key a player never set is not written into their "prefs.txt".
std::string optional_value(const ConfigStore& prefs, const std::string& key);

// Whether prefs names a scores file, which switches the scores on.
bool scores_enabled(const ConfigStore& prefs);

// Offers the game that has just ended by game over a place in its piece set's table. A game
// that takes a place asks for the player's name on the "name_menu" screen (the name last
// entered, "player_name", is offered; a new one is saved in "prefs.txt"), is saved in the
// scores file and shown highlighted on the "scores_menu" screen. window_closed says the window
// was closed at the game-over picture: the game is then saved under the offered name at once.
// Returns true when the program must end. A scores file that cannot be read or saved prints a
// message and the game goes on; damaged lines in it are reported and dropped at the next save.
bool record_game(ConfigStore& prefs, const Game& game, bool window_closed);

// Shows the tables of the piece set game plays with on the "scores_menu" screen, marathon's
// first, until "back". A button whose word is a ranked mode's ("sprint") shows that mode's
// table (daily: today's); its buttons with "_mode" that word are lit. Returns true when the
// window was closed. A game just recorded shows its mode's table, the entry highlighted. Each
// row whose replay is kept and verified on game is marked, and choosing it watches it.
bool scores_screen(ConfigStore& prefs, Game& game);

// The replay of each row of table (of mode) kept in the replays folder and verified on game:
// its file, or "" where none is. Without game (a game just ended, whose replay is not saved
// yet and whose recording must stay) none. Leaves game reset and the dealer seeded afresh.
std::vector<std::string> verified_rows(const ConfigStore& prefs, Game* game,
                                       const ScoreTable& table, const GameMode& mode);

// The entry the game that has just ended would take in its table, dated today.
ScoreEntry game_entry(const Game& game);

// The player's best for the mode and piece set of the game that has just ended, this game
// included if it has a result: points, or the time for a table ranked by time; "-" without
// one (no table, no scores file, nothing played yet).
std::string best_text(const ConfigStore& prefs, const Game& game);

// Every button of menu whose "buttonN_row" is row shows its "buttonN_surf_new" surface
// instead of its own: the way a scores menu marks the newest game. Nothing for a row below 1.
void highlight_row(Menu& menu, int row);

// The name typed on the name-entry screen, and whether the window was closed meanwhile.
struct TypedName {
    std::string name;
    bool window_closed;
};

// Runs the name-entry screen: the menu file menu_file with keys as its substitutions, where
// "name" holds the text typed so far (starting with offered). Printable ASCII characters are
// added up to name_length, Backspace takes the last one away, Return confirms a name that is
// not empty, Escape (or a failed wait) keeps offered; a window close keeps offered too and is
// reported. The menu is built again after every change so that its texts show the name.
// With "navigation: true" in the menu file, pad button 0 answers as Return and button 1 as
// Escape.
TypedName enter_name(const std::string& menu_file, const std::string& offered, ConfigStore& keys);

// The widest texts this file fills the scores menu with (a full table of wide sample entries,
// and the menu's "empty_text" for an empty table) and the name-entry menu with, so that the data
// checker renders every text of those menus as wide as the game can make it. menu_file is the
// scores menu's file.
ConfigStore sample_table_keys(const std::string& menu_file);
ConfigStore sample_entry_keys();

// Whether prefs names a replays folder, which switches recording on.
bool replays_enabled(const ConfigStore& prefs);

// Saves the replay of the game that has just ended into the "replays_folder" (under the name
// in "player_name" and today's date), then removes the replays there past the newest
// "replays_kept" (shipped 50) that hold no place in a table of the scores file. Nothing without
// a replays folder or a recorded game. A replay that cannot be saved prints one message; the
// game goes on. With a scores file that cannot be read, nothing is removed.
void keep_replay(const ConfigStore& prefs, const Game& game);

// After a game has ended (quit: the window was closed): the summary, a place in the best games,
// the replay kept, and the game reset for the next one unless the program ends. Returns true
// when it must end.
bool end_game(ConfigStore& prefs, Game& game, bool quit);

// Watches replay (read from file) on game: refused with one message naming file when game
// cannot play it (other rules or pieces). A game the player takes over ends like any other
// (end_game), its replay kept and marked, in no table. True when the window was closed.
bool watch_replay(ConfigStore& prefs, Game& game, const Replay& replay, const std::string& file);

// Lists the replays of the "replays_folder" on the "replays_menu" screen, newest first (date,
// way to play, points, player); choosing a row watches it (watch_replay). Until "back"; true
// when the window was closed.
bool replays_screen(ConfigStore& prefs, Game& game);

// The widest texts the replays menu (menu_file) can be filled with: every row taken by the
// longest date, way to play, points and name, and its "empty_text" for no replays, so that the
// data checker renders every text of that menu as wide as the game can make it.
ConfigStore sample_replay_keys(const std::string& menu_file);
