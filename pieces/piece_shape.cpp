#include "pieces/piece_shape.h"

namespace {

bool in_box(int value) {
    return value >= 0 && value < piece_box_size;
}

bool is_tile(int tile) {
    return tile >= 0 && tile < piece_tile_count;
}

std::string orientation_problem(const PieceLook& look, size_t turns) {
    for (const BlockOffset& block : look.blocks) {
        if (!block.in_box()) {
            return "after " + std::to_string(turns) + " right turn(s) a block lands on (" +
                   std::to_string(block.column()) + ", " + std::to_string(block.row()) +
                   "), outside the 4 by 4 box";
        }
    }
    return "";
}

}  // namespace

bool BlockOffset::in_box() const {
    return ::in_box(column()) && ::in_box(row());
}

int description_byte(const std::string& description, size_t index) {
    return static_cast<signed char>(description[index]);
}

namespace {

std::uint16_t offset_byte(const std::string& description, size_t index) {
    return static_cast<std::uint16_t>(description_byte(description, index));
}

}  // namespace

BlockOffset description_block(const std::string& description, size_t k) {
    size_t at = first_block_byte + 2 * k;
    return {offset_byte(description, at), offset_byte(description, at + 1)};
}

bool read_description(const std::string& description, PieceShape& shape) {
    if (description.size() < piece_description_length) {
        return false;
    }
    shape = PieceShape();
    shape.centre_x = offset_byte(description, centre_x_byte);
    shape.centre_y = offset_byte(description, centre_y_byte);
    shape.half_centre = description[half_centre_byte] != 0;
    shape.tile = description_byte(description, tile_byte);
    shape.alternates = description[alternates_byte] != 0;
    for (size_t k = 0; k < 4; k++) {
        shape.blocks.push_back(description_block(description, k));
    }
    return true;
}

std::string description_bytes(const PieceShape& shape) {
    std::string bytes = {static_cast<char>(shape.centre_x), static_cast<char>(shape.centre_y),
                         static_cast<char>(shape.half_centre ? 1 : 0),
                         static_cast<char>(shape.tile),
                         static_cast<char>(shape.alternates ? 1 : 0)};
    for (const BlockOffset& block : shape.blocks) {
        bytes += static_cast<char>(block.x);
        bytes += static_cast<char>(block.y);
    }
    return bytes;
}

BlockOffset turned_offset(BlockOffset block, std::uint16_t centre_x, std::uint16_t centre_y,
                          bool half_centre, bool left) {
    std::uint16_t cx = centre_x;
    std::uint16_t cy = centre_y;
    std::uint16_t half = half_centre ? 1 : 0;
    if (left) {
        return {static_cast<std::uint16_t>(cx - cy + block.y),
                static_cast<std::uint16_t>(cx + cy - block.x + half)};
    }
    return {static_cast<std::uint16_t>(cx + cy - block.y + half),
            static_cast<std::uint16_t>(cy - cx + block.x)};
}

std::vector<PieceLook> piece_looks(const PieceShape& shape) {
    std::vector<PieceLook> looks = {{"dealt", shape.blocks}};
    auto turn = [&](const char* label, bool left) {
        PieceLook look{label, looks.back().blocks};
        for (BlockOffset& block : look.blocks) {
            block = turned_offset(block, shape.centre_x, shape.centre_y, shape.half_centre, left);
        }
        looks.push_back(look);
    };
    if (shape.alternates) {
        turn("right", false);
        turn("then left", true);
        return looks;
    }
    for (const char* label : {"right", "right x2", "right x3"}) {
        turn(label, false);
    }
    return looks;
}

const char* dealing_problem(const std::string& line) {
    if (line.size() < piece_description_length) {
        return "shorter than 13 bytes";
    }
    if (!is_tile(description_byte(line, tile_byte))) {
        return "its tile (byte 4) is not 0 to 6";
    }
    for (size_t i = first_block_byte; i < piece_description_length; i++) {
        if (!in_box(description_byte(line, i))) {
            return "a block offset (bytes 6 to 13) is not 0 to 3";
        }
    }
    return nullptr;
}

std::string shape_problem(const PieceShape& shape) {
    const std::vector<BlockOffset>& blocks = shape.blocks;
    if (blocks.size() != 4) {
        return "has " + std::to_string(blocks.size()) + " blocks instead of 4";
    }
    for (size_t i = 0; i < 4; ++i) {
        for (size_t j = i + 1; j < 4; ++j) {
            if (blocks[i].x == blocks[j].x && blocks[i].y == blocks[j].y) {
                return "has two blocks on one cell";
            }
        }
    }
    if (!is_tile(shape.tile)) {
        return "tile " + std::to_string(shape.tile) + " is outside 0..6";
    }
    if (!BlockOffset{shape.centre_x, shape.centre_y}.in_box()) {
        return "its centre lies outside the 4 by 4 box";
    }
    std::vector<PieceLook> looks = piece_looks(shape);
    for (size_t turns = 0; turns < looks.size(); ++turns) {
        std::string problem = orientation_problem(looks[turns], turns);
        if (!problem.empty()) {
            return problem;
        }
    }
    return "";
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
