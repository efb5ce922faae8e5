// Turning, checking and converting pieces between the readable and the raw form.
#include "tools/piece_shapes.h"

#include <cstdlib>
#include <map>
#include <sstream>

namespace {

const int kDescriptionBytes = 13;
const int kBoxSize = 4;  // offsets 0..3: the next piece box and the spawn rows assume it
const int kTiles = 7;

signed char raw_byte(const std::string& description, int index) {
    return static_cast<signed char>(description[index]);
}

bool in_box(int value) {
    return value >= 0 && value < kBoxSize;
}

std::string orientation_problem(const PieceShape& orientation, int turns) {
    for (const ShapeBlock& block : orientation.blocks) {
        if (!in_box(block.x) || !in_box(block.y)) {
            std::ostringstream text;
            text << "after " << turns << " right turn(s) a block lands on (" << block.x << ", "
                 << block.y << "), outside the 4 by 4 box";
            return text.str();
        }
    }
    return "";
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

bool is_picture_row(const std::string& line) {
    return line.size() == kBoxSize && line.find_first_not_of("X.") == std::string::npos;
}

bool parse_yes_no(const std::string& value, bool& result) {
    if (value == "yes" || value == "no") {
        result = value == "yes";
        return true;
    }
    return false;
}

bool parse_int(const std::string& text, int& result) {
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < -128 || value > 127) {
        return false;
    }
    result = static_cast<int>(value);
    return true;
}

bool parse_pair(const std::string& value, int& x, int& y) {
    std::istringstream fields(value);
    std::string a, b, extra;
    fields >> a >> b;
    return !(fields >> extra) && parse_int(a, x) && parse_int(b, y);
}

// The readable form is read one line at a time into the piece being built.
class SourceReader {
public:
    PiecesSource result;
    PieceShape piece;
    bool in_piece = false;
    std::map<std::string, int> setting_lines;  // the settings of the piece so far, by line
    int picture_rows = 0;
    int line_number = 0;

    void fail_at(int line, const std::string& what) {
        if (result.error.empty()) {
            result.error = what;
            result.error_line = line;
        }
    }

    void fail(const std::string& what) { fail_at(line_number, what); }

    std::string piece_text() const { return "piece " + piece.name; }

    void finish_piece() {
        if (!in_piece) {
            return;
        }
        // Problems of the whole piece are reported at its "piece:" line.
        if (setting_lines.count("tile") == 0) {
            fail_at(piece.line, piece_text() + " has no tile: expected a line like \"tile: 2\"");
        } else if (setting_lines.count("centre") == 0) {
            fail_at(piece.line,
                    piece_text() + " has no centre: expected a line like \"centre: 1 1\"");
        } else if (picture_rows != kBoxSize) {
            fail_at(piece.line, piece_text() + " has " + std::to_string(picture_rows) +
                                    " picture rows: expected 4");
        } else {
            std::string problem = shape_problem(piece);
            if (!problem.empty()) {
                fail_at(piece.line, piece_text() + ": " + problem);
            }
        }
        result.shapes.push_back(piece);
        in_piece = false;
    }

    void start_piece(const std::string& name) {
        finish_piece();
        piece = PieceShape();
        piece.name = name;
        piece.line = line_number;
        in_piece = true;
        setting_lines.clear();
        picture_rows = 0;
    }

    void picture_row(const std::string& row) {
        if (picture_rows == kBoxSize) {
            fail("found a fifth picture row \"" + row + "\" for " + piece_text() +
                 ": expected 4 rows");
            return;
        }
        for (int x = 0; x < kBoxSize; ++x) {
            if (row[x] == 'X') {
                piece.blocks.push_back(ShapeBlock{x, picture_rows});
            }
        }
        ++picture_rows;
    }

    void setting(const std::string& key, const std::string& value) {
        bool ok = true;
        std::string expected;
        if (key == "tile") {
            ok = parse_int(value, piece.tile);
            expected = "a number 0..6 like \"2\"";
        } else if (key == "centre") {
            ok = parse_pair(value, piece.centre_x, piece.centre_y);
            expected = "two numbers 0..3 like \"1 2\"";
        } else if (key == "half_centre" || key == "alternates") {
            ok = parse_yes_no(value, key == "alternates" ? piece.alternates : piece.half_centre);
            expected = "\"yes\" or \"no\"";
        } else {
            fail("unknown setting \"" + key +
                 "\": expected tile, centre, half_centre or alternates");
            return;
        }
        auto first = setting_lines.emplace(key, line_number);
        if (!first.second) {
            fail(key + " is given twice for " + piece_text() + " (first on line " +
                 std::to_string(first.first->second) + "): expected once");
        } else if (!ok) {
            fail("bad value \"" + value + "\" for " + key + ": expected " + expected);
        }
    }

    void line(const std::string& raw) {
        ++line_number;
        std::string text = trimmed(raw);
        if (text.empty() || text[0] == '#') {
            return;
        }
        size_t colon = text.find(':');
        std::string key = colon == std::string::npos ? "" : trimmed(text.substr(0, colon));
        std::string value = colon == std::string::npos ? "" : trimmed(text.substr(colon + 1));
        if (key == "piece") {
            start_piece(value);
        } else if (!in_piece) {
            fail("found \"" + text + "\" before any piece: expected \"piece: <name>\" first");
        } else if (is_picture_row(text)) {
            picture_row(text);
        } else if (colon != std::string::npos) {
            setting(key, value);
        } else {
            fail("found \"" + text +
                 "\": expected a picture row of four characters X (a block) and . (empty) like "
                 "\"XX..\", or a setting \"name: value\"");
        }
    }
};

}  // namespace

PieceShape PieceShape::turned(bool left) const {
    PieceShape result = *this;
    int cx = centre_x;
    int cy = centre_y;
    int half = half_centre ? 1 : 0;
    for (ShapeBlock& block : result.blocks) {
        int bx = block.x;
        int by = block.y;
        if (left) {
            block.x = cx - cy + by;
            block.y = cx + cy - bx + half;
        } else {
            block.x = cx + cy - by + half;
            block.y = cy - cx + bx;
        }
    }
    return result;
}

std::string PieceShape::description() const {
    std::string bytes;
    bytes += static_cast<char>(centre_x);
    bytes += static_cast<char>(centre_y);
    bytes += static_cast<char>(half_centre ? 1 : 0);
    bytes += static_cast<char>(tile);
    bytes += static_cast<char>(alternates ? 1 : 0);
    for (const ShapeBlock& block : blocks) {
        bytes += static_cast<char>(block.x);
        bytes += static_cast<char>(block.y);
    }
    return bytes;
}

bool parse_description(const std::string& description, PieceShape& shape) {
    if (static_cast<int>(description.size()) < kDescriptionBytes) {
        return false;
    }
    shape = PieceShape();
    shape.centre_x = raw_byte(description, 0);
    shape.centre_y = raw_byte(description, 1);
    shape.half_centre = description[2] != 0;
    shape.tile = raw_byte(description, 3);
    shape.alternates = description[4] != 0;
    for (int k = 0; k < 4; ++k) {
        shape.blocks.push_back(
            ShapeBlock{raw_byte(description, 5 + 2 * k), raw_byte(description, 6 + 2 * k)});
    }
    return true;
}

std::vector<PieceShape> reachable_orientations(const PieceShape& shape) {
    std::vector<PieceShape> orientations{shape};
    int count = shape.alternates ? 2 : 4;
    for (int i = 1; i < count; ++i) {
        orientations.push_back(orientations.back().turned(false));
    }
    return orientations;
}

std::string shape_problem(const PieceShape& shape) {
    if (shape.blocks.size() != 4) {
        return "has " + std::to_string(shape.blocks.size()) + " blocks instead of 4";
    }
    for (size_t i = 0; i < 4; ++i) {
        for (size_t j = i + 1; j < 4; ++j) {
            if (shape.blocks[i].x == shape.blocks[j].x && shape.blocks[i].y == shape.blocks[j].y) {
                return "has two blocks on one cell";
            }
        }
    }
    if (shape.tile < 0 || shape.tile >= kTiles) {
        return "tile " + std::to_string(shape.tile) + " is outside 0..6";
    }
    if (!in_box(shape.centre_x) || !in_box(shape.centre_y)) {
        return "its centre lies outside the 4 by 4 box";
    }
    std::vector<PieceShape> orientations = reachable_orientations(shape);
    for (size_t turns = 0; turns < orientations.size(); ++turns) {
        std::string problem = orientation_problem(orientations[turns], static_cast<int>(turns));
        if (!problem.empty()) {
            return problem;
        }
    }
    return "";
}

PiecesSource parse_pieces_source(const std::string& text) {
    SourceReader reader;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line) && reader.result.error.empty()) {
        reader.line(line);
    }
    if (reader.result.error.empty()) {
        reader.finish_piece();
    }
    return reader.result;
}

std::string pieces_file_contents(const std::vector<PieceShape>& shapes) {
    std::string contents;
    for (const PieceShape& shape : shapes) {
        contents += shape.description();
        contents += '\n';
    }
    return contents;
}
