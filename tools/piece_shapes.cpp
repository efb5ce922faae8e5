// Reading the readable form of the pieces and writing the raw one.
#include "tools/piece_shapes.h"

#include <cstdlib>
#include <map>
#include <sstream>

namespace {

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

bool is_picture_row(const std::string& line) {
    return line.size() == piece_box_size && line.find_first_not_of("X.") == std::string::npos;
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

// The centre is stored as the game stores it: a negative number wraps, as its byte would.
bool parse_pair(const std::string& value, std::uint16_t& x, std::uint16_t& y) {
    std::istringstream fields(value);
    std::string a, b, extra;
    fields >> a >> b;
    int first = 0, second = 0;
    if ((fields >> extra) || !parse_int(a, first) || !parse_int(b, second)) {
        return false;
    }
    x = static_cast<std::uint16_t>(first);
    y = static_cast<std::uint16_t>(second);
    return true;
}

// The readable form is read one line at a time into the piece being built.
class SourceReader {
public:
    PiecesSource result;
    SourcePiece piece;
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
        } else if (picture_rows != piece_box_size) {
            fail_at(piece.line, piece_text() + " has " + std::to_string(picture_rows) +
                                    " picture rows: expected 4");
        } else {
            std::string problem = shape_problem(piece.shape);
            if (!problem.empty()) {
                fail_at(piece.line, piece_text() + ": " + problem);
            }
        }
        result.pieces.push_back(piece);
        in_piece = false;
    }

    void start_piece(const std::string& name) {
        finish_piece();
        piece = SourcePiece();
        piece.name = name;
        piece.line = line_number;
        in_piece = true;
        setting_lines.clear();
        picture_rows = 0;
    }

    void picture_row(const std::string& row) {
        if (picture_rows == piece_box_size) {
            fail("found a fifth picture row \"" + row + "\" for " + piece_text() +
                 ": expected 4 rows");
            return;
        }
        for (int x = 0; x < piece_box_size; ++x) {
            if (row[x] == 'X') {
                piece.shape.blocks.push_back(
                    {static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(picture_rows)});
            }
        }
        ++picture_rows;
    }

    void setting(const std::string& key, const std::string& value) {
        bool ok = true;
        std::string expected;
        if (key == "tile") {
            ok = parse_int(value, piece.shape.tile);
            expected = "a number 0..6 like \"2\"";
        } else if (key == "centre") {
            ok = parse_pair(value, piece.shape.centre_x, piece.shape.centre_y);
            expected = "two numbers 0..3 like \"1 2\"";
        } else if (key == "half_centre" || key == "alternates") {
            ok = parse_yes_no(
                value, key == "alternates" ? piece.shape.alternates : piece.shape.half_centre);
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

std::string pieces_file_contents(const std::vector<SourcePiece>& pieces) {
    std::string contents;
    for (const SourcePiece& piece : pieces) {
        contents += description_bytes(piece.shape);
        contents += '\n';
    }
    return contents;
}
