#include "kicks/kicks.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace {

std::vector<std::string> words_of(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    std::string word;
    while (in >> word) {
        words.push_back(word);
    }
    return words;
}

// A whole small number: an optional minus and one or two digits, nothing else.
bool small_number(const std::string& text, int& value) {
    size_t digits = text.size() - (text.empty() || text[0] != '-' ? 0 : 1);
    if (digits == 0 || digits > 2) {
        return false;
    }
    value = 0;
    for (size_t i = text.size() - digits; i < text.size(); i++) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    value = text[0] == '-' ? -value : value;
    return true;
}

bool parse_offset(const std::string& word, KickOffset& offset) {
    size_t comma = word.find(',');
    return comma != std::string::npos && small_number(word.substr(0, comma), offset.dx) &&
           small_number(word.substr(comma + 1), offset.dy);
}

class KicksParser {
public:
    KicksParser(KicksReading& reading, int piece_count)
        : reading(reading), kicks(reading.kicks), piece_count(piece_count) {}

    void line(int number, const std::string& text) {
        current_line = number;
        std::vector<std::string> words = words_of(text);
        if (words.empty() || words[0][0] == '#') {
            return;
        }
        size_t colon = text.find(':');
        if (colon == std::string::npos) {
            problem(
                "expected \"pieces: <names>\" or \"<piece> <from> <left|right>: <dx>,<dy> "
                "...\"");
            return;
        }
        std::vector<std::string> head = words_of(text.substr(0, colon));
        std::vector<std::string> tail = words_of(text.substr(colon + 1));
        if (head.size() == 1 && head[0] == "pieces") {
            names(tail);
        } else if (head.size() == 3) {
            turn(head, tail);
        } else {
            unknown_word(head.empty() ? std::string() : head[0], "is not \"pieces\" or a turn",
                         {"pieces"});
        }
    }

private:
    KicksReading& reading;
    Kicks& kicks;
    int piece_count;
    int current_line = 0;
    bool have_names = false;
    std::map<int, int> turn_lines;  // turn index -> the line that gave it

    void problem(const std::string& message) {
        reading.problems.push_back(KicksProblem{current_line, message, "", {}});
    }

    void unknown_word(const std::string& word, const std::string& why,
                      const std::vector<std::string>& expected) {
        reading.problems.push_back(
            KicksProblem{current_line, "\"" + word + "\" " + why, word, expected});
    }

    void names(const std::vector<std::string>& given) {
        if (have_names) {
            problem("a second \"pieces:\" line: the pieces are named once, before the turns");
            return;
        }
        have_names = true;
        if (given.empty()) {
            problem("\"pieces:\" names no piece");
        }
        for (const std::string& name : given) {
            if (find_name(name) >= 0) {
                problem("the piece name \"" + name + "\" is given twice");
            }
            kicks.piece_names.push_back(name);
        }
        if (static_cast<int>(given.size()) > piece_count) {
            problem("names " + std::to_string(given.size()) + " pieces, but the pieces file " +
                    "deals " + std::to_string(piece_count));
        }
        int pieces = std::min(static_cast<int>(given.size()), piece_count);
        kicks.turns.assign(static_cast<size_t>(std::max(pieces, 0)) * orientation_count * 2,
                           Kicks::Turn());
    }

    int find_name(const std::string& name) const {
        for (size_t i = 0; i < kicks.piece_names.size(); i++) {
            if (kicks.piece_names[i] == name) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    void turn(const std::vector<std::string>& head, const std::vector<std::string>& tail) {
        if (!have_names) {
            problem("a turn before the \"pieces:\" line that names the pieces");
            return;
        }
        int piece = find_name(head[0]);
        int from = 0;
        bool turn_known = true;
        if (piece < 0) {
            unknown_word(head[0], "is not a piece of the \"pieces:\" line", kicks.piece_names);
            turn_known = false;
        }
        if (!small_number(head[1], from) || from < 0 || from >= orientation_count) {
            problem("the orientation \"" + head[1] + "\" is not 0, 1, 2 or 3");
            turn_known = false;
        }
        if (head[2] != "left" && head[2] != "right") {
            unknown_word(head[2], "is not a turn", {"left", "right"});
            turn_known = false;
        }
        Kicks::Turn offsets;
        if (!read_offsets(tail, offsets) || !turn_known || piece >= piece_count) {
            return;
        }
        int index = Kicks::turn_index(piece, from, head[2] == "left");
        if (turn_lines.count(index) != 0) {
            problem("this turn was given at line " + std::to_string(turn_lines[index]) +
                    " already");
            return;
        }
        turn_lines[index] = current_line;
        kicks.turns[index] = offsets;
    }

    bool read_offsets(const std::vector<std::string>& words, Kicks::Turn& offsets) {
        if (words.empty()) {
            problem("the turn gives no offset: expected \"<dx>,<dy>\" pairs such as \"-1,0\"");
            return false;
        }
        if (words.size() > static_cast<size_t>(kicks_per_turn)) {
            problem("more than " + std::to_string(kicks_per_turn) + " offsets for one turn");
            return false;
        }
        bool good = true;
        for (const std::string& word : words) {
            KickOffset offset{};
            if (!parse_offset(word, offset)) {
                problem("\"" + word +
                        "\" is not an offset: expected \"<dx>,<dy>\" such as "
                        "\"-1,0\"");
                good = false;
            } else if (std::abs(offset.dx) > kick_reach || std::abs(offset.dy) > kick_reach) {
                problem("the offset \"" + word + "\" moves the piece more than " +
                        std::to_string(kick_reach) + " cells");
                good = false;
            } else {
                offsets.offsets[offsets.count++] = offset;
            }
        }
        return good;
    }
};

}  // namespace

const Kicks::Turn* Kicks::find(int piece, int from, bool left) const {
    if (piece < 0 || from < 0 || from >= orientation_count) {
        return nullptr;
    }
    size_t index = static_cast<size_t>(turn_index(piece, from, left));
    if (index >= turns.size() || turns[index].count == 0) {
        return nullptr;
    }
    return &turns[index];
}

KicksReading parse_kicks(const std::string& text, int piece_count) {
    KicksReading reading;
    KicksParser parser(reading, piece_count);
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); number++) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        parser.line(number, line);
    }
    return reading;
}

bool read_kicks_file(const std::string& path, int piece_count, KicksReading& reading) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reading = KicksReading();
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    reading = parse_kicks(text.str(), piece_count);
    return true;
}

const char* turn_word(bool left) {
    return left ? "left" : "right";
}
