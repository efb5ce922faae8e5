#include "scores/score_table.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

bool ScoreTable::better(const ScoreEntry& entry, const ScoreEntry& other) const {
    return by_time ? entry.time < other.time : entry.points > other.points;
}

bool ScoreTable::ranks(const ScoreEntry& entry) const {
    return (by_time ? entry.time : entry.points) > 0;
}

int ScoreTable::place_for(const ScoreEntry& entry) const {
    if (!ranks(entry)) {
        return -1;
    }
    // Past every entry as good or better: a tie keeps the older game ahead.
    int place = 0;
    while (place < static_cast<int>(entries.size()) && !better(entry, entries[place])) {
        place++;
    }
    return place < table_size ? place : -1;
}

int ScoreTable::insert(const ScoreEntry& entry) {
    int place = place_for(entry);
    if (place < 0) {
        return -1;
    }
    entries.insert(entries.begin() + place, entry);
    if (entries.size() > static_cast<size_t>(table_size)) {
        entries.resize(table_size);
    }
    return place;
}

std::string piece_set_id(const std::vector<std::string>& descriptions) {
    const size_t piece_bytes = 13;
    std::vector<std::string> pieces;
    for (const std::string& description : descriptions) {
        pieces.push_back(description.substr(0, piece_bytes));
    }
    std::sort(pieces.begin(), pieces.end());
    uint64_t hash = 14695981039346656037ull;
    for (const std::string& piece : pieces) {
        // Every piece is hashed with its length, so that a short description cannot run into
        // the next one and two different sets give the same bytes.
        std::string bytes = piece + static_cast<char>(piece.size());
        for (unsigned char byte : bytes) {
            hash ^= byte;
            hash *= 1099511628211ull;
        }
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

bool valid_name(const std::string& text) {
    if (text.size() > name_length) {
        return false;
    }
    for (unsigned char c : text) {
        if (c < ' ' || c > '~') {
            return false;
        }
    }
    return true;
}

ConfigStore table_keys(const ScoreTable& table, const std::string& empty_text) {
    ConfigStore keys;
    for (int row = 1; row <= table_size; row++) {
        std::string r = int_to_text(row);
        bool filled = row <= static_cast<int>(table.entries.size());
        ScoreEntry entry = filled ? table.entries[row - 1] : ScoreEntry();
        keys.get_string("rank" + r) = filled ? r : "";
        keys.get_string("name" + r) = entry.name;
        keys.get_string("points" + r) = filled ? int_to_text(entry.points) : "";
        keys.get_string("lines" + r) = filled ? int_to_text(entry.lines) : "";
        keys.get_string("level" + r) = filled ? int_to_text(entry.level) : "";
        keys.get_string("date" + r) = entry.date;
        std::string time = filled && table.by_time ? time_text(entry.time) : "";
        if (table.by_time) {
            keys.get_string("time" + r) = time;
        }
        keys.get_string("score" + r) = table.by_time ? time : keys.get_string("points" + r);
    }
    keys.get_string("empty") = table.entries.empty() ? empty_text : "";
    return keys;
}

std::string time_text(int milliseconds) {
    int hundredths = std::max(0, milliseconds) / 10;
    char text[32];
    std::snprintf(text, sizeof text, "%i:%02i.%02i", hundredths / 6000, hundredths / 100 % 60,
                  hundredths % 100);
    return text;
}

ConfigStore entry_keys(const ScoreEntry& entry, int place) {
    ConfigStore keys;
    keys.get_string("points") = int_to_text(entry.points);
    keys.get_string("lines") = int_to_text(entry.lines);
    keys.get_string("level") = int_to_text(entry.level);
    keys.get_string("rank") = int_to_text(place + 1);
    keys.get_string("time") = time_text(entry.time);
    return keys;
}
