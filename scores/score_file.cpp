#include "scores/score_file.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>

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

bool better(const ScoreEntry& a, const ScoreEntry& b) {
    return a.points > b.points;
}

}  // namespace

bool parse_entry(const std::string& value, ScoreEntry& entry) {
    size_t at = 0;
    ScoreEntry read;
    if (!parse_count(next_field(value, at), read.points) ||
        !parse_count(next_field(value, at), read.lines) ||
        !parse_count(next_field(value, at), read.level)) {
        return false;
    }
    read.date = next_field(value, at);
    if (at <= value.size()) {
        read.name = value.substr(at);
    }
    if (read.points <= 0 || read.level <= 0 || !valid_date(read.date) || !valid_name(read.name)) {
        return false;
    }
    entry = read;
    return true;
}

std::string entry_text(const ScoreEntry& entry) {
    return int_to_text(entry.points) + " " + int_to_text(entry.lines) + " " +
           int_to_text(entry.level) + " " + entry.date + " " + entry.name;
}

bool parse_entry_key(const std::string& key, std::string& id) {
    if (key.size() < 18 || key[16] != '.' || key.size() > 26 || !all_digits(key.substr(17))) {
        return false;
    }
    for (size_t i = 0; i < 16; i++) {
        if (std::string("0123456789abcdef").find(key[i]) == std::string::npos) {
            return false;
        }
    }
    id = key.substr(0, 16);
    return true;
}

bool ScoreFile::read(const char* file_name) {
    std::ifstream in(file_name, std::ios::binary);
    if (!in) {
        // No file yet is the normal first run: the first entry creates it.
        return access(file_name, F_OK) != 0;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); number++) {
        // A file edited on another system may end its lines with CR LF.
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        std::string key;
        std::string value;
        std::string id;
        ScoreEntry entry;
        split_line(line, key, value);
        if (!parse_entry_key(key, id) || !parse_entry(value, entry)) {
            skipped_lines.push_back(number);
            continue;
        }
        tables[id].entries.push_back(entry);
    }
    for (auto& [id, table] : tables) {
        // Stable: among equal points the line written first, the older game, stays ahead.
        std::stable_sort(table.entries.begin(), table.entries.end(), better);
        if (table.entries.size() > static_cast<size_t>(table_size)) {
            table.entries.resize(table_size);
        }
    }
    return true;
}

void ScoreFile::report_skipped(const char* file_name) const {
    for (int number : skipped_lines) {
        std::printf("%s:%i: skipped a damaged score line\n", file_name, number);
    }
}

ConfigStore ScoreFile::to_store() const {
    ConfigStore store;
    for (const auto& [id, table] : tables) {
        if (table.entries.empty()) {
            continue;
        }
        for (size_t i = 0; i < table.entries.size(); i++) {
            std::string key = id + "." + int_to_text(static_cast<int>(i + 1));
            store.add_line(key + ": " + entry_text(table.entries[i]));
        }
        store.add_line("");
    }
    return store;
}

bool ScoreFile::save(const char* file_name) const {
    return to_store().save(file_name);
}
