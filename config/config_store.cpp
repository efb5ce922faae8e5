#include "config/config_store.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>

#include "config/safe_file.h"

int ConfigStore::load(const char* file_name) {
    std::ifstream in(file_name);
    if (!in) {
        return 1;
    }
    std::string line;
    while (read_text_line(in, line)) {
        add_line(line);
    }
    return 0;
}

bool read_text_line(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) {
        return false;
    }
    while (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

void ConfigStore::add_line(const std::string& line) {
    lines.push_back(line);
    if (line.empty()) {
        line_keys.push_back("");
        return;
    }
    std::string key;
    std::string value;
    split_line(line, key, value);
    settings[key] = value;
    loaded[key] = value;
    line_keys.push_back(key);
}

void split_line(const std::string& line, std::string& key, std::string& value) {
    size_t colon = line.find(':');
    key.clear();
    size_t value_start = line.size();
    if (colon != std::string::npos) {
        key = line.substr(0, colon);
        value_start = colon + 1;
    }
    // One space after the colon is the separator; any further spaces belong to the value.
    if (value_start < line.size() && line[value_start] == ' ') {
        value_start++;
    }
    value = line.substr(value_start);
}

bool ConfigStore::changed_since_loading(const std::string& key) const {
    auto now = settings.find(key);
    auto then = loaded.find(key);
    if (then == loaded.end()) {
        return now != settings.end();
    }
    return now != settings.end() && now->second != then->second;
}

std::string ConfigStore::to_text() const {
    std::string text;
    std::set<std::string> written;
    for (size_t i = 0; i < line_keys.size(); i++) {
        const std::string& key = line_keys[i];
        // Lines without a key (blank, notes, a colon first) stay exactly as the player wrote them.
        if (!key.empty() && changed_since_loading(key)) {
            text += key + ": " + settings.at(key);
        } else if (i < lines.size()) {
            text += lines[i];
        }
        if (!key.empty()) {
            written.insert(key);
        }
        text += '\n';
    }
    for (const auto& [key, value] : settings) {
        if (written.count(key) == 0 && changed_since_loading(key)) {
            text += key + ": " + value + '\n';
        }
    }
    return text;
}

bool ConfigStore::save(const char* file_name) const {
    return replace_file_contents(file_name, to_text());
}

std::string& ConfigStore::get_string(std::string key) {
    return settings[key];
}

// strtol instead of atoi: the same digits are read, but a value beyond the int range
// saturates instead of being undefined.
int leading_int(const std::string& text) {
    long number = std::strtol(text.c_str(), nullptr, 10);
    if (number > INT_MAX) {
        return INT_MAX;
    }
    if (number < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(number);
}

int ConfigStore::get_int(std::string key) {
    return leading_int(get_string(key));
}

const std::string* ConfigStore::find(const std::string& key) const {
    auto found = settings.find(key);
    return found == settings.end() ? nullptr : &found->second;
}

int ConfigStore::find_int(const std::string& key, int fallback) const {
    const std::string* value = find(key);
    return value == nullptr || value->empty() ? fallback : leading_int(*value);
}

bool ConfigStore::find_bool(const std::string& key, bool fallback) const {
    const std::string* value = find(key);
    return value == nullptr ? fallback : *value == "true";
}

void ConfigStore::set(const std::string& key, const std::string& value) {
    settings[key] = value;
}

void ConfigStore::remove(const std::string& key) {
    settings.erase(key);
}

void ConfigStore::set_unsaved(const std::string& key, const std::string& value) {
    // A key whose value is the one it was loaded with is written back as its lines were read,
    // and an added key that has not changed is not written at all.
    settings[key] = value;
    loaded[key] = value;
}

std::string int_to_text(int n) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%i", n);
    return buffer;
}

int ConfigStore::line_of(const std::string& key) const {
    for (size_t i = line_keys.size(); i > 0; i--) {
        if (line_keys[i - 1] == key) {
            return static_cast<int>(i);
        }
    }
    return 0;
}
