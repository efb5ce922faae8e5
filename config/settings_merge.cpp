#include "config/settings_merge.h"

#include <set>

namespace {

const std::string* find_value(const ConfigStore& store, const std::string& key) {
    auto found = store.values.find(key);
    return found == store.values.end() ? nullptr : &found->second;
}

void merge_one(ConfigStore& player, const std::string* old_value, const std::string& key,
               const std::string& new_value, SettingsMerge& merge) {
    auto mine = player.values.find(key);
    if (mine == player.values.end()) {
        // The store's save appends keys that no line holds.
        player.values[key] = new_value;
        merge.added.push_back(key);
        return;
    }
    if (mine->second == new_value || (old_value != nullptr && *old_value == new_value)) {
        return;
    }
    if (old_value != nullptr && mine->second == *old_value) {
        mine->second = new_value;
        merge.updated.push_back(key);
    } else {
        merge.kept.push_back(key);
    }
}

}  // namespace

SettingsMerge merge_shipped_settings(ConfigStore& player, const ConfigStore& old_shipped,
                                     const ConfigStore& new_shipped) {
    SettingsMerge merge;
    std::set<std::string> seen;
    for (const std::string& key : new_shipped.order) {
        // Lines without a key are the shipped file's layout, not settings.
        if (key.empty() || !seen.insert(key).second) {
            continue;
        }
        merge_one(player, find_value(old_shipped, key), key, new_shipped.values.at(key), merge);
    }
    return merge;
}
