// The scores file: every piece set's table of every mode in one key/value file, one line per
// game, e.g.
//   0123456789abcdef.1: 5120 61 7 2026-12-07 Alice
//   0123456789abcdef.sprint.1: 1200 40 4 83450 2026-12-07 Alice
// The key is the piece set's identity, the mode (none for marathon, the first table there was)
// and the place; the value points, lines, level, for a mode the milliseconds played, then the
// date and the name (the rest of the line, spaces included).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "config/config_store.h"
#include "scores/score_table.h"

class ScoreFile {
public:
    // The tables by table_key: the piece-set identity (piece_set_id), and the mode after a dot.
    std::map<std::string, ScoreTable> tables;
    // Lines of a mode this game does not know (a later version wrote them), as they were read:
    // written back unchanged after the tables.
    std::vector<std::string> kept_lines;
    // The 1-based numbers of the lines read() could not use, in file order.
    std::vector<int> skipped_lines;

    // Reads file_name into an empty ScoreFile. A missing file is an empty one. A line that is not
    // a sound entry (a wrong key, a number that is negative, 0 points or beyond the int range, a
    // bad date, a name with other bytes than printable ASCII or too long) is skipped and its
    // number kept; every other entry is kept, each set's best table_size, whatever their order
    // in the file or duplicate keys. Blank lines are nothing. Prints nothing. Returns false when
    // the file exists but cannot be read: its content is then unknown and it must not be saved
    // over.
    bool read(const char* file_name);

    // The table of a piece set and a mode (a table_mode name; marathon is the plain
    // identity's), made empty with the mode's ranking if the file had none.
    ScoreTable& table(const std::string& id, const std::string& mode);

    // Forgets the daily tables of days no longer kept on today ("YYYY-MM-DD").
    void drop_old_days(const std::string& today);

    // Prints "<file_name>:<line>: skipped a damaged score line" for each skipped line.
    void report_skipped(const char* file_name) const;

    // The file as a store: the tables in key order, best first, a blank line after each, then
    // the kept lines.
    ConfigStore to_store() const;

    // Reads the line numbered number into its table, kept_lines or skipped_lines.
    void read_line(const std::string& line, int number);

    // Writes to_store() through the store's safe save: the old file stays whole unless the new
    // one is completely written. False on failure (nothing printed).
    bool save(const char* file_name) const;
};

// The key of the table of a piece set and a mode: the identity, then "." and the mode unless it
// is marathon.
std::string table_key(const std::string& id, const std::string& mode);

// Reads one entry's value ("points lines level date name", with_time: "points lines level time
// date name"); false when it is not a sound entry.
bool parse_entry(const std::string& value, bool with_time, ScoreEntry& entry);

// The value parse_entry reads.
std::string entry_text(const ScoreEntry& entry, bool with_time);

// Whether key is a scores-file key: a piece-set identity (16 lowercase hexadecimal digits), an
// optional dot and mode (letters, digits and "-"), a dot and a place (1 to 9 digits). id and
// mode receive the identity and the mode ("" for none).
bool parse_entry_key(const std::string& key, std::string& id, std::string& mode);
