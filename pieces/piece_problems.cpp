#include "pieces/piece_problems.h"

#include <cmath>
#include <cstdio>

namespace {

// A description followed by the carriage return of a CR LF line end.
bool ends_in_carriage_return(const std::string& line) {
    return line.size() == piece_description_length + 1 && line.back() == '\r';
}

// Where the problems of one line go.
struct Findings {
    std::vector<PieceProblem>& problems;
    int line;
    void error(const std::string& message) {
        problems.push_back(PieceProblem{line, false, message});
    }
    void warning(const std::string& message) {
        problems.push_back(PieceProblem{line, true, message});
    }
};

std::string cell_text(const BlockOffset& cell) {
    return "(" + std::to_string(cell.column()) + ", " + std::to_string(cell.row()) + ")";
}

std::string block_text(size_t k, const BlockOffset& cell) {
    return "block " + std::to_string(static_cast<int>(k) + 1) + " at " + cell_text(cell);
}

// Length, tile and offsets: the faults that make the game skip the line. True if none.
bool check_fields(const std::string& line, const PieceShape& piece, Findings& at) {
    bool usable = true;
    if (line.size() > piece_description_length) {
        at.warning(std::to_string(static_cast<int>(line.size())) + " bytes; the game ignores " +
                   (ends_in_carriage_return(line) ? std::string("the carriage return at the end")
                                                  : std::string("the bytes after the 13th")));
    }
    if (piece.tile < 0 || piece.tile >= piece_tile_count) {
        at.error("tile (byte 4) is " + std::to_string(piece.tile) + ", must be 0 to 6");
        usable = false;
    }
    for (size_t k = 0; k < piece.blocks.size(); k++) {
        if (!piece.blocks[k].in_box()) {
            at.error(block_text(k, piece.blocks[k]) + ": offsets (bytes 6 to 13) must be 0 to 3");
            usable = false;
        }
    }
    return usable;
}

void check_overlap(const PieceLook& look, Findings& at) {
    for (size_t a = 0; a < look.blocks.size(); a++) {
        for (size_t b = a + 1; b < look.blocks.size(); b++) {
            if (look.blocks[a].x == look.blocks[b].x && look.blocks[a].y == look.blocks[b].y) {
                at.warning("blocks " + std::to_string(static_cast<int>(a) + 1) + " and " +
                           std::to_string(static_cast<int>(b) + 1) + " are both at " +
                           cell_text(look.blocks[a]) + ": the piece shows fewer than four");
            }
        }
    }
}

// Side by side, or on one cell.
bool joined(const BlockOffset& a, const BlockOffset& b) {
    return std::abs(a.column() - b.column()) + std::abs(a.row() - b.row()) <= 1;
}

// The piece's parts: groups of joined blocks, each numbered from its first block.
std::vector<std::vector<size_t>> parts_of(const PieceLook& look) {
    std::vector<int> part(look.blocks.size(), -1);
    int parts = 0;
    for (size_t start = 0; start < part.size(); start++) {
        if (part[start] >= 0) {
            continue;
        }
        part[start] = parts;
        for (std::vector<size_t> reached = {start}; !reached.empty();) {
            size_t a = reached.back();
            reached.pop_back();
            for (size_t b = 0; b < part.size(); b++) {
                if (part[b] < 0 && joined(look.blocks[a], look.blocks[b])) {
                    part[b] = parts;
                    reached.push_back(b);
                }
            }
        }
        parts++;
    }
    std::vector<std::vector<size_t>> result(parts);
    for (size_t k = 0; k < part.size(); k++) {
        result[part[k]].push_back(k);
    }
    return result;
}

std::string part_text(const std::vector<size_t>& blocks) {
    std::string text = blocks.size() == 1 ? "block " : "blocks ";
    for (size_t i = 0; i < blocks.size(); i++) {
        text += (i == 0                   ? ""
                 : i + 1 == blocks.size() ? " and "
                                          : ", ") +
                std::to_string(static_cast<int>(blocks[i]) + 1);
    }
    return text;
}

void check_connected(const PieceLook& look, Findings& at) {
    std::vector<std::vector<size_t>> parts = parts_of(look);
    if (parts.size() < 2) {
        return;
    }
    const char* count[] = {"", "", "two", "three", "four"};
    std::string list;
    for (size_t i = 0; i < parts.size(); i++) {
        list += (i == 0 ? "" : "; ") + part_text(parts[i]);
    }
    at.warning(std::string("the piece is in ") + count[parts.size()] + " parts (" + list +
               "): no block of one touches a block of another side by side");
}

// A turn whose look leaves the box: below 0 the game refuses the turn, past 3 the rules that
// assume a 4 by 4 box (the rows tested for full lines, the next piece box) go wrong.
void check_turned_offsets(const std::vector<PieceLook>& looks, Findings& at) {
    for (size_t i = 1; i < looks.size(); i++) {
        const PieceLook& look = looks[i];
        for (size_t k = 0; k < look.blocks.size(); k++) {
            const BlockOffset& cell = look.blocks[k];
            if (!cell.in_box()) {
                bool below = cell.column() < 0 || cell.row() < 0;
                at.error("turned " + look.label + ", " + block_text(k, cell) +
                         (below ? " goes below 0: the game refuses that turn"
                                : " leaves the 4 by 4 box (offsets 0 to 3)"));
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
    for (const BlockOffset& cell : look.blocks) {
        middle.x += cell.column() / 4.0;
        middle.y += cell.row() / 4.0;
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
void check_wander(const std::vector<PieceLook>& looks, Findings& at) {
    Middle dealt = middle_of(looks.front());
    for (size_t i = 1; i < looks.size(); i++) {
        Middle now = middle_of(looks[i]);
        double dx = now.x - dealt.x;
        double dy = now.y - dealt.y;
        if (std::fabs(dx) >= 1 || std::fabs(dy) >= 1) {
            at.warning("the piece moves as it turns: turned " + looks[i].label +
                       ", its middle has moved by (" + number_text(dx) + ", " + number_text(dy) +
                       ") cells; a turning centre nearer its middle keeps "
                       "it in place");
            return;
        }
    }
}

bool check_piece(const std::string& line, Findings& at) {
    PieceShape piece;
    read_description(line, piece);
    if (!check_fields(line, piece, at)) {
        return false;  // the game skips the line; its turns do not matter
    }
    std::vector<PieceLook> looks = piece_looks(piece);
    check_overlap(looks.front(), at);
    check_connected(looks.front(), at);
    check_turned_offsets(looks, at);
    check_wander(looks, at);
    return true;
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
size_t report_short_line(const std::vector<std::string>& lines, size_t index, Findings& at) {
    std::string length = std::to_string(static_cast<int>(lines[index].size()));
    size_t cut = lines_cut_by_byte_10(lines, index);
    if (cut > 0) {
        std::string next = cut == 2
                               ? "the next line"
                               : "the next " + std::to_string(static_cast<int>(cut) - 1) + " lines";
        at.error("only " + length + " bytes: this line and " + next +
                 " look like one description cut by a byte 10, which ends a line, so no byte of "
                 "a description may be 10 (set a flag with 1)");
        return cut;
    }
    at.error("only " + length + " bytes, a piece needs 13; the game skips this line");
    return 1;
}

// Most lines of a file saved on another system end with a carriage return, which the game
// ignores: said once, not on every line.
bool report_crlf(const std::vector<std::string>& lines, std::vector<PieceProblem>& problems) {
    size_t ending_in_cr = 0;
    for (const std::string& line : lines) {
        ending_in_cr += ends_in_carriage_return(line);
    }
    if (ending_in_cr < 2) {
        return false;
    }
    problems.push_back(PieceProblem{0, true,
                                    "this file has CR LF line endings: the game ignores the "
                                    "carriage return after each 13-byte description"});
    return true;
}

}  // namespace

std::vector<PieceProblem> pieces_file_problems(const std::vector<std::string>& lines) {
    std::vector<PieceProblem> problems;
    std::vector<std::string> seen = lines;
    if (report_crlf(lines, problems)) {
        for (std::string& line : seen) {
            if (ends_in_carriage_return(line)) {
                line.pop_back();
            }
        }
    }
    int pieces = 0;
    for (size_t i = 0; i < seen.size();) {
        Findings at{problems, static_cast<int>(i) + 1};
        if (seen[i].size() < piece_description_length) {
            i += report_short_line(seen, i, at);
            continue;
        }
        pieces += check_piece(seen[i], at) ? 1 : 0;
        i++;
    }
    if (pieces == 0) {
        problems.push_back(PieceProblem{0, false, "holds no piece: the game cannot deal one"});
    }
    return problems;
}
