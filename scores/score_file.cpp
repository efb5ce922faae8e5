#include "scores/score_file.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>

#include "modes/game_mode.h"

namespace {

bool all_digits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; });
}

// A whole number 0 .. INT_MAX written with digits only: no sign, no blanks.
bool parse_count(const std::string& text, int& result) {
    if (!all_digits(text) || text.size() > 10) {
        return false;
    }
    long long number = std::stoll(text);
    if (number > 2147483647LL) {
        return false;
    }
    result = static_cast<int>(number);
    return true;
}

bool valid_date(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    std::string year = text.substr(0, 4);
    std::string month = text.substr(5, 2);
    std::string day = text.substr(8, 2);
    if (!all_digits(year) || !all_digits(month) || !all_digits(day)) {
        return false;
    }
    int m = std::stoi(month);
    int d = std::stoi(day);
    return m >= 1 && m <= 12 && d >= 1 && d <= 31;
}

// The text up to the next space from `at`, moving `at` past that space, or past the end when
// there is none; "" once `at` has gone past the end (a value with too few fields).
std::string next_field(const std::string& text, size_t& at) {
    if (at > text.size()) {
        return "";
    }
    size_t space = text.find(' ', at);
    std::string field =
        text.substr(at, space == std::string::npos ? std::string::npos : space - at);
    at = space == std::string::npos ? text.size() + 1 : space + 1;
    return field;
}

const size_t id_length = 16;
const size_t longest_mode = 32;

bool valid_id(const std::string& text) {
    return text.size() == id_length &&
           text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

bool valid_mode(const std::string& text) {
    return !text.empty() && text.size() <= longest_mode &&
           text.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-") == std::string::npos;
}

// Only the first table, marathon's, is written without a mode and without the time.
bool has_mode(const std::string& key) {
    return key.size() > id_length;
}

}  // namespace

std::string table_key(const std::string& id, const std::string& mode) {
    return mode.empty() || mode == mode_info(Mode::marathon).word ? id : id + "." + mode;
}

bool parse_entry(const std::string& value, bool with_time, ScoreEntry& entry) {
    size_t at = 0;
    ScoreEntry read;
    if (!parse_count(next_field(value, at), read.points) ||
        !parse_count(next_field(value, at), read.lines) ||
        !parse_count(next_field(value, at), read.level) ||
        (with_time && !parse_count(next_field(value, at), read.time))) {
        return false;
    }
    read.date = next_field(value, at);
    if (at <= value.size()) {
        read.name = value.substr(at);
    }
    // A race to a number of rows may end without a point: whether a game with the time ranks
    // is its table's question (ScoreTable::ranks).
    bool ranked = with_time || read.points > 0;
    if (!ranked || read.level <= 0 || !valid_date(read.date) || !valid_name(read.name)) {
        return false;
    }
    entry = read;
    return true;
}

std::string entry_text(const ScoreEntry& entry, bool with_time) {
    std::string time = with_time ? int_to_text(entry.time) + " " : "";
    return int_to_text(entry.points) + " " + int_to_text(entry.lines) + " " +
           int_to_text(entry.level) + " " + time + entry.date + " " + entry.name;
}

bool parse_entry_key(const std::string& key, std::string& id, std::string& mode) {
    size_t dot = key.rfind('.');
    if (dot == std::string::npos || dot < id_length || !all_digits(key.substr(dot + 1)) ||
        key.size() - dot - 1 > 9 || !valid_id(key.substr(0, id_length))) {
        return false;
    }
    std::string rest = key.substr(id_length, dot - id_length);
    if (!rest.empty() && (rest[0] != '.' || !valid_mode(rest.substr(1)))) {
        return false;
    }
    id = key.substr(0, id_length);
    mode = rest.empty() ? "" : rest.substr(1);
    return true;
}

ScoreTable& ScoreFile::table(const std::string& id, const std::string& mode) {
    std::string key = table_key(id, mode);
    auto found = tables.find(key);
    if (found != tables.end()) {
        return found->second;
    }
    ScoreTable& made = tables[key];
    Mode known = Mode::marathon;
    std::string day;
    made.by_time = mode_of_table(mode, known, day) && mode_info(known).by_time;
    return made;
}

void ScoreFile::drop_old_days(const std::string& today) {
    for (auto table = tables.begin(); table != tables.end();) {
        Mode mode = Mode::marathon;
        std::string day;
        bool old = has_mode(table->first) &&
                   mode_of_table(table->first.substr(id_length + 1), mode, day) &&
                   mode == Mode::daily && !daily_day_kept(day, today);
        table = old ? tables.erase(table) : std::next(table);
    }
}

bool ScoreFile::read(const char* file_name) {
    std::ifstream in(file_name, std::ios::binary);
    if (!in) {
        // No file yet is the normal first run: the first entry creates it.
        return access(file_name, F_OK) != 0;
    }
    std::string line;
    for (int number = 1; read_text_line(in, line); number++) {
        if (line.empty()) {
            continue;
        }
        read_line(line, number);
    }
    for (auto& named : tables) {
        ScoreTable& table = named.second;
        // Stable: among equals the line written first, the older game, stays ahead.
        std::stable_sort(
            table.entries.begin(), table.entries.end(),
            [&table](const ScoreEntry& a, const ScoreEntry& b) { return table.better(a, b); });
        if (table.entries.size() > static_cast<size_t>(table_size)) {
            table.entries.resize(table_size);
        }
    }
    return true;
}

void ScoreFile::read_line(const std::string& line, int number) {
    std::string key;
    std::string value;
    std::string id;
    std::string mode;
    ScoreEntry entry;
    split_line(line, key, value);
    if (!parse_entry_key(key, id, mode)) {
        skipped_lines.push_back(number);
        return;
    }
    Mode known = Mode::marathon;
    std::string day;
    if (!mode.empty() && !mode_of_table(mode, known, day)) {
        kept_lines.push_back(line);
        return;
    }
    ScoreTable& into = table(id, mode);
    if (!parse_entry(value, has_mode(table_key(id, mode)), entry) || !into.ranks(entry)) {
        skipped_lines.push_back(number);
        return;
    }
    into.entries.push_back(entry);
}

void ScoreFile::report_skipped(const char* file_name) const {
    for (int number : skipped_lines) {
        std::printf("%s:%i: skipped a damaged score line\n", file_name, number);
    }
}

ConfigStore ScoreFile::to_store() const {
    ConfigStore store;
    for (const auto& [name, table] : tables) {
        if (table.entries.empty()) {
            continue;
        }
        for (size_t i = 0; i < table.entries.size(); i++) {
            std::string key = name + "." + int_to_text(static_cast<int>(i + 1));
            store.add_line(key + ": " + entry_text(table.entries[i], has_mode(name)));
        }
        store.add_line("");
    }
    for (const std::string& line : kept_lines) {
        store.add_line(line);
    }
    return store;
}

bool ScoreFile::save(const char* file_name) const {
    return to_store().save(file_name);
}
