// The ways to play: one table of modes that the game, the scores, the screens and the data
// checker read, and the mode of one game as a plain value (what a replay records).
#pragma once

#include <ctime>
#include <string>

#include "config/config_store.h"

enum class Mode { marathon, sprint, ultra, zen, daily };

// What a mode is: its word (on the modes screen, in the scores file), whether its games take
// a place in a table and by what, and whether it runs against the clock.
struct ModeInfo {
    Mode mode;
    const char* word;
    bool ranked;   // has a table of best games
    bool by_time;  // its table ranks the shorter time first, not the higher points
    bool timed;    // shows the clock on the game screen
};

extern const ModeInfo mode_table[5];

// The entry of mode in mode_table.
const ModeInfo& mode_info(Mode mode);

// The mode a word names ("sprint"); false for any other word.
bool mode_from_word(const std::string& word, Mode& mode);

// A number of a mode read from "prefs.txt": its key, its range and the value shipped.
struct ModeSetting {
    const char* key;
    int lowest;
    int highest;
    int shipped;
};
extern const ModeSetting sprint_lines_setting;
extern const ModeSetting ultra_seconds_setting;

// The mode of one game and its parameters.
struct GameMode {
    Mode mode = Mode::marathon;
    int sprint_lines = 40;    // sprint: rows to clear
    int ultra_seconds = 120;  // ultra: length of the game
    std::string day;          // daily: the UTC date the pieces belong to, "YYYY-MM-DD"
    unsigned seed = 0;        // daily: the random generator's seed for that day
};

// The value of setting in prefs. A missing key is the shipped value, silently; a value that
// is not a whole number in range prints one message naming the key and the range and is the
// shipped value too. Adds nothing to prefs.
int read_mode_setting(const ConfigStore& prefs, const ModeSetting& setting);

// The mode ready to play at time `now`: the modes' numbers read from prefs (read_mode_setting,
// so a bad one is reported) and the daily game's day and seed, those of now's UTC date.
GameMode game_mode(const ConfigStore& prefs, Mode mode, std::time_t now);

// The UTC date of t as "YYYY-MM-DD".
std::string utc_day(std::time_t t);

// The seed every player's daily game uses on day: the same for one date, different for the
// dates around it.
unsigned day_seed(const std::string& day);

// The name of the table a game of this mode ranks in: the mode's word, for daily its word and
// the day ("daily-2026-12-07"); "" for a mode without a table (zen).
std::string table_mode(const GameMode& mode);

// The mode of a table name table_mode gives, and for daily its day; false for a name that no
// mode gives (a table from a later version of the game).
bool mode_of_table(const std::string& table, Mode& mode, std::string& day);

// The days a daily table is kept: today's and the six before.
const int daily_days_kept = 7;

// Whether a daily table of day is still kept on today (both "YYYY-MM-DD").
bool daily_day_kept(const std::string& day, const std::string& today);
