#include "config/prefs_update.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "config/config_store.h"
#include "config/safe_file.h"
#include "config/settings_merge.h"

namespace {

bool read_bytes(const char* path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    bytes = text.str();
    return true;
}

bool write_if_different(const char* path, const std::string& bytes) {
    std::string current;
    if (read_bytes(path, current) && current == bytes) {
        return true;
    }
    if (!replace_file_contents(path, bytes)) {
        std::printf("couldn't write %s\n", path);
        return false;
    }
    return true;
}

void report(const char* player_path, const SettingsMerge& merge, ConfigStore& player,
            ConfigStore& shipped) {
    for (const std::string& key : merge.updated) {
        std::printf("%s: %s takes the new shipped value \"%s\"\n", player_path, key.c_str(),
                    player.get_string(key).c_str());
    }
    for (const std::string& key : merge.added) {
        std::printf("%s: %s added with the shipped value \"%s\"\n", player_path, key.c_str(),
                    player.get_string(key).c_str());
    }
    for (const std::string& key : merge.kept) {
        std::printf("%s: %s keeps the player's value \"%s\" (shipped: \"%s\")\n", player_path,
                    key.c_str(), player.get_string(key).c_str(), shipped.get_string(key).c_str());
    }
}

}  // namespace

int update_player_prefs(const char* player_path, const char* copy_path, const char* shipped_path) {
    std::string shipped_bytes;
    ConfigStore shipped;
    if (!read_bytes(shipped_path, shipped_bytes) || shipped.load(shipped_path) != 0) {
        std::printf("couldn't read the shipped settings %s\n", shipped_path);
        return 1;
    }
    if (!std::filesystem::exists(player_path)) {
        std::printf("%s: made from %s\n", player_path, shipped_path);
        return write_if_different(player_path, shipped_bytes) &&
                       write_if_different(copy_path, shipped_bytes)
                   ? 0
                   : 1;
    }
    ConfigStore player;
    if (player.load(player_path) != 0) {
        std::printf("couldn't read %s\n", player_path);
        return 1;
    }
    ConfigStore old_shipped;
    if (old_shipped.load(copy_path) != 0) {
        // A folder from before the copy was kept: nothing tells the player's changes from old
        // shipped values, so every value is the player's and only missing keys are added.
        std::printf("%s: no %s to compare with: every value in it counts as the player's own\n",
                    player_path, copy_path);
    }
    SettingsMerge merge = merge_shipped_settings(player, old_shipped, shipped);
    report(player_path, merge, player, shipped);
    if ((!merge.updated.empty() || !merge.added.empty()) && !player.save(player_path)) {
        std::printf("couldn't write %s\n", player_path);
        return 1;
    }
    return write_if_different(copy_path, shipped_bytes) ? 0 : 1;
}
