// Kicks: where a turn that overlaps may try the turned piece instead, read from a plain text
// file. No SDL and no Game, so the game, the data checker, make_pieces and the fuzz target all
// share this one reading.
#pragma once

#include <string>
#include <vector>

// One place to try a turned piece: columns to the right and rows down from where it stands.
struct KickOffset {
    int dx;
    int dy;
};

// A kick moves a piece at most this many cells each way, so a turn stays a turn and never
// carries the piece through the blocks between.
const int kick_reach = 2;
// At most this many kicks are tried for one turn.
const int kicks_per_turn = 6;
// Orientations are counted by right turns from the look a piece is dealt in: 0 to 3.
const int orientation_count = 4;

// The kicks of every turn of every piece, as plain data.
struct Kicks {
    // The names of the pieces file's lines, in order: the file's "pieces:" line.
    std::vector<std::string> piece_names;
    // For each (piece, orientation turned from, direction) the offsets to try, in order. Held
    // in fixed arrays, so looking one up during play allocates nothing.
    struct Turn {
        KickOffset offsets[kicks_per_turn];
        int count = 0;
    };
    std::vector<Turn> turns;  // index: turn_index(piece, from, left)

    static int turn_index(int piece, int from, bool left) {
        return (piece * orientation_count + from) * 2 + (left ? 1 : 0);
    }
    // The kicks of a turn of the piece dealt from description `piece` out of orientation
    // `from`; null when the table gives none (or the piece or orientation is out of range).
    const Turn* find(int piece, int from, bool left) const;
};

// One thing in a kicks file that could not be used.
struct KicksProblem {
    int line;  // 1-based
    std::string message;
    // When a word was not understood: the word and the words that would have been, so that a
    // reader of the message can be offered the nearest one.
    std::string unknown;
    std::vector<std::string> expected;
};

struct KicksReading {
    Kicks kicks;
    std::vector<KicksProblem> problems;  // in line order; none when the whole file was used
};

// Reads the text of a kicks file: lines of "pieces: <name> <name> ..." (once, first) and
// "<name> <from> <left|right>: <dx>,<dy> <dx>,<dy> ..." with from 0 to 3 and every dx and dy
// within kick_reach; blank lines and lines starting with # say nothing. piece_count is how many
// pieces the pieces file deals: a name past it is a problem. Every problem is collected.
KicksReading parse_kicks(const std::string& text, int piece_count);

// Reads the file at path like parse_kicks. False when it cannot be read (reading is then empty).
bool read_kicks_file(const std::string& path, int piece_count, KicksReading& reading);

// The kicks file's own words for a turn: "right" or "left".
const char* turn_word(bool left);
