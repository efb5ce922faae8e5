#include "tools/check/pieces_check.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "config/config_store.h"
#include "tools/check/checked_file.h"
#include "tools/check/piece_turns.h"

namespace {

const int box_size = 4;  // offsets 0..3: the box a piece is dealt in

struct Place {
    const std::string& file;
    int line;
    Report& report;
    void error(const std::string& message) const { report.error(file, line, message); }
    void warning(const std::string& message) const { report.warning(file, line, message); }
};

std::string cell_text(const BlockCell& cell) {
    return "(" + int_to_text(cell.x) + ", " + int_to_text(cell.y) + ")";
}

std::string block_text(size_t k, const BlockCell& cell) {
    return "block " + int_to_text(static_cast<int>(k) + 1) + " at " + cell_text(cell);
}

bool in_box(const BlockCell& cell) {
    return cell.x >= 0 && cell.x < box_size && cell.y >= 0 && cell.y < box_size;
}

// How many lines from `first` on, joined again by the line feeds between them, make exactly
// one description: 0 when they do not. A description byte of 10 splits the description there.
size_t lines_cut_by_byte_10(const std::vector<std::string>& lines, size_t first) {
    size_t length = lines[first].size();
    for (size_t next = first + 1; next < lines.size(); next++) {
        length += 1 + lines[next].size();
        if (length == piece_description_length) {
            return next - first + 1;
        }
        if (length > piece_description_length) {
            return 0;
        }
    }
    return 0;
}

// A short line: the game skips it. Returns how many lines the problem covers.
size_t report_short_line(const std::vector<std::string>& lines, size_t index, const Place& at) {
    std::string length = int_to_text(static_cast<int>(lines[index].size()));
    size_t cut = lines_cut_by_byte_10(lines, index);
    if (cut > 0) {
        std::string next = cut == 2
                               ? "the next line"
                               : "the next " + int_to_text(static_cast<int>(cut) - 1) + " lines";
        at.error("only " + length + " bytes: this line and " + next +
                 " look like one description cut by a byte 10, which ends a line, so no byte of "
                 "a description may be 10 (set a flag with 1)");
        return cut;
    }
    at.error("only " + length + " bytes, a piece needs 13; the game skips this line");
    return 1;
}

// Length, tile and offsets: the faults that make the game skip the line. True if none.
bool check_fields(const std::string& line, const PieceTurns& piece, const Place& at) {
    bool usable = true;
    if (line.size() > piece_description_length) {
        bool carriage_return = line.size() == piece_description_length + 1 && line.back() == '\r';
        at.warning(int_to_text(static_cast<int>(line.size())) + " bytes; the game ignores " +
                   (carriage_return ? std::string("the carriage return at the end")
                                    : std::string("the bytes after the 13th")));
    }
    if (piece.tile < 0 || piece.tile > 6) {
        at.error("tile (byte 4) is " + int_to_text(piece.tile) + ", must be 0 to 6");
        usable = false;
    }
    const PieceLook& dealt = piece.looks.front();
    for (size_t k = 0; k < dealt.blocks.size(); k++) {
        if (!in_box(dealt.blocks[k])) {
            at.error(block_text(k, dealt.blocks[k]) + ": offsets (bytes 6 to 13) must be 0 to 3");
            usable = false;
        }
    }
    return usable;
}

void check_overlap(const PieceLook& look, const Place& at) {
    for (size_t a = 0; a < look.blocks.size(); a++) {
        for (size_t b = a + 1; b < look.blocks.size(); b++) {
            if (look.blocks[a].x == look.blocks[b].x && look.blocks[a].y == look.blocks[b].y) {
                at.warning("blocks " + int_to_text(static_cast<int>(a) + 1) + " and " +
                           int_to_text(static_cast<int>(b) + 1) + " are both at " +
                           cell_text(look.blocks[a]) + ": the piece shows fewer than four");
            }
        }
    }
}

bool side_by_side(const BlockCell& a, const BlockCell& b) {
    return std::abs(a.x - b.x) + std::abs(a.y - b.y) == 1;
}

// Blocks reachable from block 1 through blocks that share a side.
void check_connected(const PieceLook& look, const Place& at) {
    std::vector<bool> reached(look.blocks.size(), false);
    reached[0] = true;
    for (bool grew = true; grew;) {
        grew = false;
        for (size_t a = 0; a < look.blocks.size(); a++) {
            for (size_t b = 0; b < look.blocks.size(); b++) {
                if (reached[a] && !reached[b] && side_by_side(look.blocks[a], look.blocks[b])) {
                    reached[b] = grew = true;
                }
            }
        }
    }
    for (size_t k = 0; k < look.blocks.size(); k++) {
        bool same_cell_as_reached = false;
        for (size_t r = 0; r < look.blocks.size(); r++) {
            same_cell_as_reached =
                same_cell_as_reached || (reached[r] && look.blocks[r].x == look.blocks[k].x &&
                                         look.blocks[r].y == look.blocks[k].y);
        }
        if (!same_cell_as_reached) {
            at.warning(block_text(k, look.blocks[k]) + " touches no other block side by side");
            return;
        }
    }
}

// A turn whose look leaves the box: below 0 the game refuses the turn, past 3 the rules that
// assume a 4 by 4 box (the rows tested for full lines, the next piece box) go wrong.
void check_turned_offsets(const PieceTurns& piece, const Place& at) {
    for (size_t i = 1; i < piece.looks.size(); i++) {
        const PieceLook& look = piece.looks[i];
        for (size_t k = 0; k < look.blocks.size(); k++) {
            const BlockCell& cell = look.blocks[k];
            if (cell.x < 0 || cell.y < 0) {
                at.error("turned " + look.label + ", " + block_text(k, cell) +
                         " goes below 0: the game refuses that turn");
                break;
            }
            if (!in_box(cell)) {
                at.error("turned " + look.label + ", " + block_text(k, cell) +
                         " leaves the 4 by 4 box (offsets 0 to 3)");
                break;
            }
        }
    }
}

struct Middle {
    double x;
    double y;
};

Middle middle_of(const PieceLook& look) {
    Middle middle{0, 0};
    for (const BlockCell& cell : look.blocks) {
        middle.x += cell.x / 4.0;
        middle.y += cell.y / 4.0;
    }
    return middle;
}

std::string number_text(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%+g", value);
    return text;
}

// Turning about a point far from the piece's middle shifts the piece with every turn, so it
// walks across the well while the player only means to turn it.
void check_wander(const PieceTurns& piece, const Place& at) {
    Middle dealt = middle_of(piece.looks.front());
    for (size_t i = 1; i < piece.looks.size(); i++) {
        Middle now = middle_of(piece.looks[i]);
        double dx = now.x - dealt.x;
        double dy = now.y - dealt.y;
        if (std::fabs(dx) >= 1 || std::fabs(dy) >= 1) {
            at.warning("the piece moves as it turns: turned " + piece.looks[i].label +
                       ", its middle has moved by (" + number_text(dx) + ", " + number_text(dy) +
                       ") cells; a turning centre nearer its middle keeps "
                       "it in place");
            return;
        }
    }
}

// True when the game can deal the piece.
bool check_piece(const std::string& line, const Place& at) {
    PieceTurns piece = piece_turns(line);
    if (!check_fields(line, piece, at)) {
        return false;  // the game skips the line; its turns do not matter
    }
    check_overlap(piece.looks.front(), at);
    check_connected(piece.looks.front(), at);
    check_turned_offsets(piece, at);
    check_wander(piece, at);
    return true;
}

}  // namespace

void check_piece_lines(const std::vector<std::string>& lines, const std::string& file_name,
                       Report& report) {
    int pieces = 0;
    for (size_t i = 0; i < lines.size();) {
        Place at{file_name, static_cast<int>(i) + 1, report};
        if (lines[i].size() < piece_description_length) {
            i += report_short_line(lines, i, at);
            continue;
        }
        pieces += check_piece(lines[i], at) ? 1 : 0;
        i++;
    }
    if (pieces == 0) {
        report.error(file_name, 0, "holds no piece: the game cannot deal one");
    }
}

bool check_pieces_file(const std::string& file_name, Report& report) {
    std::ifstream in(file_name, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream contents;
    contents << in.rdbuf();
    check_piece_lines(pieces_file_lines(contents.str()), file_name, report);
    return true;
}
