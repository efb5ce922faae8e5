// The scores file: every piece set's table in one key/value file, one line per game, e.g.
//   0123456789abcdef.1: 5120 61 7 2026-12-07 Alice
// The key is the piece set's identity and the place; the value points, lines, level, date
// and the name (the rest of the line, spaces included).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "config/config_store.h"
#include "scores/score_table.h"

class ScoreFile {
public:
    // The tables by piece-set identity (piece_set_id).
    std::map<std::string, ScoreTable> tables;
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

    // Prints "<file_name>:<line>: skipped a damaged score line" for each skipped line.
    void report_skipped(const char* file_name) const;

    // The file as a store: the tables in identity order, best first, a blank line after each.
    ConfigStore to_store() const;

    // Writes to_store() through the store's safe save: the old file stays whole unless the new
    // one is completely written. False on failure (nothing printed).
    bool save(const char* file_name) const;
};

// Reads one entry's value ("points lines level date name"); false when it is not a sound entry.
bool parse_entry(const std::string& value, ScoreEntry& entry);

// The value parse_entry reads.
std::string entry_text(const ScoreEntry& entry);

// Whether key is a scores-file key: a piece-set identity (16 lowercase hexadecimal digits), a
// dot and a place (1 to 9 digits). id receives the identity.
bool parse_entry_key(const std::string& key, std::string& id);
