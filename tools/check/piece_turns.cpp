#include "tools/check/piece_turns.h"

#include "game/piece.h"

namespace {

// Offsets are unsigned 16-bit in the game; read back as signed, a wrapped turn shows as the
// negative number it came from.
PieceLook look_of(const Piece& piece, const std::string& label) {
    PieceLook look{label, {}};
    for (const auto& block : piece.blocks) {
        look.blocks.push_back(
            BlockCell{static_cast<Sint16>(block.x), static_cast<Sint16>(block.y)});
    }
    return look;
}

}  // namespace

PieceTurns piece_turns(const std::string& description) {
    Piece piece(description, 0, 0, nullptr);
    PieceTurns turns{static_cast<Sint16>(piece.centre_x),
                     static_cast<Sint16>(piece.centre_y),
                     piece.half_centre,
                     piece.alternates,
                     piece.tile,
                     {look_of(piece, "dealt")}};
    if (piece.alternates) {
        piece.turn(false);
        turns.looks.push_back(look_of(piece, "right"));
        piece.turn(false);  // an alternating piece takes its own direction: left this time
        turns.looks.push_back(look_of(piece, "then left"));
        return turns;
    }
    const char* labels[] = {"right", "right x2", "right x3"};
    for (const char* label : labels) {
        piece.turn(false);
        turns.looks.push_back(look_of(piece, label));
    }
    return turns;
}

std::vector<std::string> pieces_file_lines(const std::string& contents) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < contents.size()) {
        size_t end = contents.find('\n', start);
        if (end == std::string::npos) {
            end = contents.size();
        }
        lines.push_back(contents.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}
