// The table of best games of one piece set, and the identity that tells piece sets apart.
#pragma once

#include <string>
#include <vector>

#include "config/config_store.h"

// How many games one table keeps, and how long a player's name may be.
const int table_size = 10;
const size_t name_length = 16;

struct ScoreEntry {
    std::string name;  // at most name_length printable ASCII characters; may be empty
    int points = 0;
    int lines = 0;
    int level = 0;
    std::string date;  // YYYY-MM-DD
    int time = 0;      // milliseconds played; kept only in tables ranked by time and by mode
};

class ScoreTable {
public:
    // Best first, by points (by_time: by the shorter time); among equals the older game first.
    // At most table_size.
    std::vector<ScoreEntry> entries;
    // Ranks by time, lower first, rather than by points (a race to a number of rows).
    bool by_time = false;

    // Whether entry has what this table ranks by: points (by_time: a time) above 0.
    bool ranks(const ScoreEntry& entry) const;

    // Whether entry is better than other in this table's ranking.
    bool better(const ScoreEntry& entry, const ScoreEntry& other) const;

    // The place (0 = first) entry would take, or -1 when it would not enter: 0 points (by_time:
    // a time of 0) never do, and neither does a game that only ties the last of a full table.
    int place_for(const ScoreEntry& entry) const;

    // Puts the entry at place_for(entry) and drops the entry pushed past the last place.
    // Returns that place, or -1 (table unchanged) when the game does not enter.
    int insert(const ScoreEntry& entry);
};

// The identity of a piece set: 16 lowercase hexadecimal digits of the 64-bit FNV-1a hash of the
// descriptions the game deals (their first 13 bytes, the part that makes the piece), taken in
// byte order so that neither the file's name nor the order of its lines matters; a changed
// byte, or a piece more or less, gives another identity.
std::string piece_set_id(const std::vector<std::string>& descriptions);

// Whether text can be a player's name: at most name_length characters, each printable ASCII
// (space to tilde).
bool valid_name(const std::string& text);

// The texts of the scores menu, for its %key% substitutions: for row r (1 to table_size)
// "rankr", "namer", "pointsr", "linesr", "levelr" and "dater", all empty past the last entry;
// "empty" holds empty_text when the table has no entry, else nothing. A table ranked by time
// also gives "timer", the time as time_text writes it, and "scorer" is the time there and the
// points elsewhere: the column a table is ranked by.
ConfigStore table_keys(const ScoreTable& table, const std::string& empty_text);

// A time in milliseconds as a player reads it: "m:ss.hh" (minutes, seconds, hundredths).
std::string time_text(int milliseconds);

// The texts of the name-entry menu: "points", "lines", "level", "time" (time_text) of entry and
// "rank", the place it takes (place 0 is rank 1). "name" is left to the typing.
ConfigStore entry_keys(const ScoreEntry& entry, int place);
