#include "skins/skin.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_support.h"

namespace {

// A skins folder with one good skin, a player's folder with one of the same name and one
// broken in each way a traded skin can be.
std::string make_skins() {
    std::string dir = make_scratch_dir("skins");
    for (const char* folder : {"/skins/night/images", "/my_skins/night", "/my_skins/empty",
                               "/my_skins/holes", "/my_skins/escape", "/my_skins/tiny"}) {
        std::filesystem::create_directories(dir + folder);
    }
    write_file(dir + "/skins/night/images/back.png", "png");
    write_file(dir + "/skins/night/skin.txt",
               "skin_name: Night\nbackground_img: images/back.png\ndrop_key: x\nboard_x: 12\n");
    write_file(dir + "/my_skins/night/skin.txt", "skin_name: Another night\n");
    write_file(dir + "/my_skins/holes/skin.txt", "\nblocks_img: images/none.png\n");
    write_file(dir + "/my_skins/escape/skin.txt", "music: ../../prefs.txt\n");
    write_file(dir + "/my_skins/tiny/skin.txt", "board_y: 3\n");
    return dir;
}

}  // namespace

TEST(Skins, OnlyShowableSkinsAreListedAndEveryProblemNamesItsFileAndKey) {
    std::string dir = make_skins();
    ConfigStore prefs;
    prefs.set("skins_folder", dir + "/skins");
    prefs.set("my_skins_folder", dir + "/my_skins");
    std::vector<Problem> problems;
    std::vector<Skin> skins = find_skins(prefs, problems);

    ASSERT_EQ(2u, skins.size());
    EXPECT_EQ("night", skins[0].id);
    EXPECT_EQ("Night", skins[0].name);
    std::vector<std::pair<std::string, std::string>> settings{
        {"background_img", dir + "/skins/night/images/back.png"}, {"board_x", "12"}};
    EXPECT_EQ(settings, skins[0].settings);
    EXPECT_EQ("tiny", skins[1].name);  // no skin_name: the folder's name

    std::vector<std::string> texts;
    for (const Problem& problem : problems) {
        texts.push_back(problem_text(problem));
    }
    std::string mine = dir + "/my_skins/";
    std::vector<std::string> expected{
        dir +
            "/skins/night/skin.txt:3: \"drop_key\" is not part of the look (a rule, a binding "
            "or a setting of the program), so a skin may not set it; ignored",
        mine + "empty: no skin.txt, so it is not a skin",
        mine + "empty: skipped, it cannot be shown",
        mine +
            "escape/skin.txt:1: music: \"../../prefs.txt\" is not a file inside the skin's folder",
        mine + "escape: skipped, it cannot be shown",
        mine + "holes/skin.txt:2: blocks_img: no file \"" + mine + "holes/images/none.png\"",
        mine + "holes: skipped, it cannot be shown",
        mine + "night: skipped, a skin named \"night\" is listed already",
    };
    EXPECT_EQ(expected, texts);
    EXPECT_EQ(nullptr, prefs.find("skin"));  // listing adds no key
}

TEST(Skins, AWornSkinIsReadButNeverSavedAndComesOffWhole) {
    std::string dir = make_skins();
    const std::string text = "skins_folder: " + dir + "/skins\n" +
                             "board_x: 270\n# the player's note\npause_key: p\nskin: night\n";
    write_file(dir + "/prefs.txt", text);
    ConfigStore prefs;
    ASSERT_EQ(0, prefs.load((dir + "/prefs.txt").c_str()));
    WornSkin worn;
    ASSERT_TRUE(wear_chosen_skin(prefs, worn));
    EXPECT_EQ("night", worn.id);
    EXPECT_EQ("12", *prefs.find("board_x"));
    EXPECT_EQ("Night", *prefs.find("skin_name"));
    EXPECT_EQ(text, prefs.to_text());
    // A change the player makes is saved as ever, the skin still not.
    prefs.set("pause_key", "q");
    std::string changed = text;
    changed.replace(changed.find("pause_key: p"), 12, "pause_key: q");
    EXPECT_EQ(changed, prefs.to_text());

    take_off_skin(prefs, worn);
    EXPECT_EQ("270", *prefs.find("board_x"));
    EXPECT_EQ(nullptr, prefs.find("skin_name"));
    EXPECT_EQ(nullptr, prefs.find("background_img"));
    EXPECT_EQ(changed, prefs.to_text());

    // A skin that is not there leaves the look as it was.
    prefs.set("skin", "gone");
    EXPECT_FALSE(wear_chosen_skin(prefs, worn));
    EXPECT_EQ("270", *prefs.find("board_x"));
}

TEST(Skins, StepsThroughEverySkinAndBackToNone) {
    std::vector<Skin> skins(3);
    skins[0].id = "a";
    skins[1].id = "b";
    skins[2].id = "c";
    std::string id;
    std::vector<std::string> seen;
    for (int step = 0; step < 4; step++) {
        id = next_skin_id(skins, id);
        seen.push_back(id);
    }
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", ""}), seen);
    EXPECT_EQ("", next_skin_id({}, ""));
    EXPECT_EQ("", next_skin_id(skins, "removed"));
}
