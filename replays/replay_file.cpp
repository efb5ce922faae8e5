#include "replays/replay_file.h"

#include <climits>
#include <cstdio>
#include <set>

#include "scores/score_table.h"

const ReplayActionInfo replay_actions[10] = {
    {ReplayAction::move_left, "left", "move_left_key"},
    {ReplayAction::move_right, "right", "move_right_key"},
    {ReplayAction::turn_left, "turn_left", "turn_left_key"},
    {ReplayAction::turn_right, "turn_right", "turn_right_key"},
    {ReplayAction::move_down, "down", "move_down_key"},
    {ReplayAction::drop, "drop", "drop_key"},
    {ReplayAction::hold, "hold", "hold_key"},
    {ReplayAction::pause, "pause", "pause_key"},
    {ReplayAction::release, "release", ""},
    {ReplayAction::end, "end", ""},
};

const ReplayActionInfo& replay_action_info(ReplayAction action) {
    return replay_actions[static_cast<int>(action)];
}

const char* game_version() {
    return GAME_VERSION;
}

std::string rules_hash(const std::vector<RuleSetting>& rules) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const RuleSetting& rule : rules) {
        for (char c : rule.first + "=" + rule.second + "\n") {
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        }
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

namespace {

const char* const endings[] = {"lost", "finished", "left", "closed", "restarted"};

void add_line(std::string& text, const std::string& key, const std::string& value) {
    text += key + ": " + value + "\n";
}

}  // namespace

std::string replay_text(const Replay& replay) {
    const ReplayHeader& h = replay.header;
    std::string text;
    add_line(text, "format", std::to_string(h.format));
    add_line(text, "game_version", h.game_version);
    add_line(text, "piece_set", h.piece_set);
    add_line(text, "rules", h.rules_hash);
    for (const RuleSetting& rule : h.rules) {
        add_line(text, "rule." + rule.first, rule.second);
    }
    add_line(text, "seed", std::to_string(h.seed));
    add_line(text, "mode", h.mode);
    add_line(text, "day", h.day);
    add_line(text, "player", h.player);
    add_line(text, "date", h.date);
    add_line(text, "ending", h.ending);
    add_line(text, "taken_over", h.taken_over ? "1" : "0");
    add_line(text, "points", std::to_string(h.points));
    add_line(text, "lines", std::to_string(h.lines));
    add_line(text, "level", std::to_string(h.level));
    add_line(text, "time", std::to_string(h.time));
    text += "inputs:\n";
    text.reserve(text.size() + replay.inputs.size() * 12);
    for (const ReplayInput& input : replay.inputs) {
        text += std::to_string(input.ms);
        text += ' ';
        text += replay_action_info(input.action).word;
        text += '\n';
    }
    return text;
}

namespace {

// A whole number of at most ten digits and no sign, not above highest.
bool read_number(const std::string& text, unsigned long long highest, unsigned long long& value) {
    if (text.empty() || text.size() > 10) {
        return false;
    }
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value <= highest;
}

bool made_of(const std::string& text, const char* allowed, size_t longest) {
    return !text.empty() && text.size() <= longest &&
           text.find_first_not_of(allowed) == std::string::npos;
}

bool is_hash(const std::string& text) {
    return text.size() == 16 && made_of(text, "0123456789abcdef", 16);
}

bool is_date(const std::string& text) {
    unsigned long long month = 0;
    unsigned long long day = 0;
    return text.size() == 10 && text[4] == '-' && text[7] == '-' &&
           made_of(text.substr(0, 4), "0123456789", 4) &&
           read_number(text.substr(5, 2), 12, month) && month >= 1 &&
           read_number(text.substr(8, 2), 31, day) && day >= 1;
}

bool printable(const std::string& line) {
    for (char c : line) {
        if (c < ' ' || c > '~') {
            return false;
        }
    }
    return true;
}

// Reads the lines of one replay, keeping what the header has seen so far.
class ReplayReader {
public:
    Replay& replay;
    std::string problem;
    std::set<std::string> seen;
    bool in_inputs = false;
    bool ended = false;

    explicit ReplayReader(Replay& into) : replay(into) {}

    bool header_line(const std::string& line);
    bool header_value(const std::string& key, const std::string& value);
    bool number_value(const std::string& key, const std::string& value);
    bool header_complete();
    bool input_line(const std::string& line);
};

bool ReplayReader::header_line(const std::string& line) {
    if (line == "inputs:") {
        in_inputs = true;
        return header_complete();
    }
    size_t colon = line.find(':');
    if (colon == std::string::npos) {
        problem = "a header line without \"key: value\"";
        return false;
    }
    std::string key = line.substr(0, colon);
    std::string value = line.substr(colon + 1);
    if (!value.empty() && value[0] == ' ') {
        value.erase(0, 1);
    }
    if (!seen.insert(key).second) {
        problem = "\"" + key + "\" comes twice";
        return false;
    }
    if (!header_value(key, value)) {
        problem = problem.empty() ? "a bad value of \"" + key + "\"" : problem;
        return false;
    }
    return true;
}

bool ReplayReader::header_value(const std::string& key, const std::string& value) {
    ReplayHeader& h = replay.header;
    if (key.compare(0, 5, "rule.") == 0) {
        std::string name = key.substr(5);
        if (!made_of(name, "abcdefghijklmnopqrstuvwxyz0123456789_", 64) || value.size() > 64) {
            return false;
        }
        h.rules.emplace_back(name, value);
        return true;
    }
    if (key == "game_version") {
        h.game_version = value;
        return value.size() <= 32;
    }
    if (key == "piece_set" || key == "rules") {
        (key == "rules" ? h.rules_hash : h.piece_set) = value;
        return is_hash(value);
    }
    if (key == "mode") {
        h.mode = value;
        return made_of(value, "abcdefghijklmnopqrstuvwxyz", 16);
    }
    if (key == "day" || key == "date") {
        (key == "day" ? h.day : h.date) = value;
        return is_date(value) || (key == "day" && value.empty());
    }
    if (key == "player") {
        h.player = value;
        return valid_name(value);
    }
    if (key == "ending") {
        h.ending = value;
        for (const char* ending : endings) {
            if (value == ending) {
                return true;
            }
        }
        return false;
    }
    return number_value(key, value);
}

bool ReplayReader::number_value(const std::string& key, const std::string& value) {
    ReplayHeader& h = replay.header;
    unsigned long long number = 0;
    if (key == "format") {
        if (!read_number(value, INT_MAX, number) || number != replay_format) {
            problem =
                "format " + value + ", this game reads format " + std::to_string(replay_format);
            return false;
        }
        h.format = replay_format;
        return true;
    }
    struct Field {
        const char* key;
        unsigned long long highest;
    };
    const Field fields[] = {{"seed", UINT32_MAX}, {"taken_over", 1},  {"points", INT_MAX},
                            {"lines", INT_MAX},   {"level", INT_MAX}, {"time", max_replay_ms}};
    for (const Field& field : fields) {
        if (key != field.key) {
            continue;
        }
        if (!read_number(value, field.highest, number)) {
            return false;
        }
        if (key == "seed") {
            h.seed = static_cast<std::uint32_t>(number);
        } else if (key == "taken_over") {
            h.taken_over = number == 1;
        } else if (key == "time") {
            h.time = static_cast<std::uint32_t>(number);
        } else {
            (key == "points"  ? h.points
             : key == "lines" ? h.lines
                              : h.level) = static_cast<int>(number);
        }
        return true;
    }
    problem = "an unknown header key \"" + key + "\"";
    return false;
}

bool ReplayReader::header_complete() {
    const char* const needed[] = {"format",     "game_version", "piece_set", "rules", "seed",
                                  "mode",       "day",          "player",    "date",  "ending",
                                  "taken_over", "points",       "lines",     "level", "time"};
    for (const char* key : needed) {
        if (seen.count(key) == 0) {
            problem = std::string("the header has no \"") + key + "\"";
            return false;
        }
    }
    if (rules_hash(replay.header.rules) != replay.header.rules_hash) {
        problem = "the rules do not match their hash";
        return false;
    }
    return true;
}

bool ReplayReader::input_line(const std::string& line) {
    if (ended) {
        problem = "an input after the end";
        return false;
    }
    size_t space = line.find(' ');
    unsigned long long ms = 0;
    if (space == std::string::npos || !read_number(line.substr(0, space), max_replay_ms, ms)) {
        problem = "an input without its time";
        return false;
    }
    std::string word = line.substr(space + 1);
    const ReplayActionInfo* found = nullptr;
    for (const ReplayActionInfo& info : replay_actions) {
        found = word == info.word ? &info : found;
    }
    if (found == nullptr) {
        problem = "an unknown action \"" + word + "\"";
        return false;
    }
    if (!replay.inputs.empty() && ms < replay.inputs.back().ms) {
        problem = "the time goes backwards";
        return false;
    }
    replay.inputs.push_back(ReplayInput{static_cast<std::uint32_t>(ms), found->action});
    ended = found->action == ReplayAction::end;
    return true;
}

}  // namespace

bool parse_replay(const std::string& text, const std::string& file_name, Replay& replay,
                  std::string& problem) {
    if (text.size() > max_replay_bytes) {
        problem = file_name + ":0: bigger than a replay can be";
        return false;
    }
    replay = Replay();
    ReplayReader reader(replay);
    size_t start = 0;
    int number = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end;
        std::string line = text.substr(start, end - start);
        start = end + 1;
        number++;
        // A file that went through a system that ends lines with CR LF still reads.
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        bool good = printable(line) || (reader.problem = "a byte that is not text", false);
        good = good && (reader.in_inputs ? reader.input_line(line) : reader.header_line(line));
        if (!good) {
            problem = file_name + ":" + std::to_string(number) + ": " + reader.problem;
            return false;
        }
    }
    if (!reader.ended) {
        problem = file_name + ":" + std::to_string(number) + ": the replay stops before its end";
        return false;
    }
    return true;
}

bool read_replay(const std::string& file_name, Replay& replay, std::string& problem) {
    std::FILE* file = std::fopen(file_name.c_str(), "rb");
    if (file == nullptr) {
        problem = file_name + ":0: cannot be read";
        return false;
    }
    // Sized before it is read: a huge file is refused without being loaded.
    long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
    if (size < 0 || static_cast<unsigned long>(size) > max_replay_bytes ||
        std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        problem =
            file_name + ":0: " + (size < 0 ? "cannot be read" : "bigger than a replay can be");
        return false;
    }
    std::string text(static_cast<size_t>(size), '\0');
    size_t got = size > 0 ? std::fread(&text[0], 1, text.size(), file) : 0;
    std::fclose(file);
    text.resize(got);
    return parse_replay(text, file_name, replay, problem);
}
