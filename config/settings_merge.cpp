#include "config/settings_merge.h"

#include <set>

namespace {

void merge_one(ConfigStore& player, const std::string* old_value, const std::string& key,
               const std::string& new_value, SettingsMerge& merge) {
    const std::string* mine = player.find(key);
    if (mine == nullptr) {
        // The store's save appends keys that no line holds.
        player.set(key, new_value);
        merge.added.push_back(key);
        return;
    }
    if (*mine == new_value || (old_value != nullptr && *old_value == new_value)) {
        return;
    }
    if (old_value != nullptr && *mine == *old_value) {
        player.set(key, new_value);
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
    for (const std::string& key : new_shipped.order()) {
        // Lines without a key are the shipped file's layout, not settings.
        if (key.empty() || !seen.insert(key).second) {
            continue;
        }
        merge_one(player, old_shipped.find(key), key, *new_shipped.find(key), merge);
    }
    return merge;
}
