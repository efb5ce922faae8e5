#include "config/settings_merge.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace {

ConfigStore load_text(const std::string& text) {
    std::string path = make_scratch_dir("merge") + "/prefs.txt";
    write_file(path, text);
    ConfigStore store;
    EXPECT_EQ(store.load(path.c_str()), 0);
    return store;
}

std::string joined(const std::vector<std::string>& keys) {
    std::string text;
    for (const std::string& key : keys) {
        text += key + " ";
    }
    return text;
}

}  // namespace

TEST(SettingsMerge, FollowsTheShippedFileWhereThePlayerLeftItAlone) {
    struct Case {
        const char* player;
        const char* old_shipped;
        const char* new_shipped;
        const char* merged;
        const char* updated_added_kept;
    };
    const Case cases[] = {
        // untouched value follows, changed value stays, new key appended, dropped key stays
        {"size: 26\ndrop: return\ngone: 1\n", "size: 26\ndrop: space\ngone: 1\n",
         "size: 20\ndrop: enter\nhold: c\n", "size: 20\ndrop: return\ngone: 1\nhold: c\n",
         "size |hold |drop "},
        // notes, blank lines and a repeated key keep their places
        {"# my keys: below\n\nx: 1\ny: 5\nx: 1\n", "x: 1\ny: 2\n", "x: 3\ny: 4\n",
         "# my keys: below\n\nx: 3\ny: 5\nx: 3\n", "x ||y "},
        // no old copy: every value is the player's own, only missing keys come in
        {"a: 1\nb: 2\n", "", "a: 1\nb: 3\nc: 4\n", "a: 1\nb: 2\nc: 4\n", "|c |b "},
    };
    for (const Case& c : cases) {
        ConfigStore player = load_text(c.player);
        SettingsMerge merge =
            merge_shipped_settings(player, load_text(c.old_shipped), load_text(c.new_shipped));
        EXPECT_EQ(player.to_text(), c.merged) << c.player;
        EXPECT_EQ(joined(merge.updated) + "|" + joined(merge.added) + "|" + joined(merge.kept),
                  c.updated_added_kept)
            << c.player;
    }
}
