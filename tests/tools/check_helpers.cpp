#include "tests/tools/check_helpers.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool holds_key(const std::string& line, const std::string& key) {
    return line.compare(0, key.size() + 1, key + ":") == 0;
}

// Rewrites the file with the key's line replaced (or dropped when replacement is null).
bool rewrite_key(const std::string& path, const std::string& key, const std::string* replacement) {
    std::string text;
    bool found = false;
    for (const std::string& line : lines_of(read_file(path))) {
        if (holds_key(line, key)) {
            found = true;
            if (replacement == nullptr) {
                continue;
            }
            text += *replacement + "\n";
        } else {
            text += line + "\n";
        }
    }
    write_file(path, text);
    return found;
}

}  // namespace

std::string copy_game_folder(const std::string& name) {
    std::string folder = make_scratch_dir(name);
    CommandResult copy = run_command(
        folder, std::string("cp -r '") + SOURCE_DIR + "/data/.' . && cp " + MENU_FONTS + " .");
    EXPECT_EQ(0, copy.status) << copy.output;
    return folder;
}

void set_value(const std::string& path, const std::string& key, const std::string& value) {
    std::string line = key + ": " + value;
    EXPECT_TRUE(rewrite_key(path, key, &line)) << "no key " << key << " in " << path;
}

void remove_key(const std::string& path, const std::string& key) {
    EXPECT_TRUE(rewrite_key(path, key, nullptr)) << "no key " << key << " in " << path;
}

int line_of(const std::string& path, const std::string& key) {
    std::vector<std::string> lines = lines_of(read_file(path));
    for (size_t i = 0; i < lines.size(); i++) {
        if (holds_key(lines[i], key)) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

CommandResult run_checker(const std::string& folder) {
    return run_command(folder, CHECKER);
}

bool reports(const std::string& output, const std::string& place, const std::string& phrase) {
    for (const std::string& line : lines_of(output)) {
        if (line.compare(0, place.size(), place) == 0 && line.find(phrase) != std::string::npos) {
            return true;
        }
    }
    return false;
}

std::string place_of(const std::string& folder, const std::string& file, const std::string& key) {
    return file + ":" + std::to_string(line_of(folder + "/" + file, key)) + ": ";
}
