// Fuzzes a traded skin: any bytes as its "skin.txt" are read, worn over a player's preferences
// and taken off again. Whatever it holds, a skin may set only look settings, may name only
// files inside its own folder, and never changes what the player's file saves.
#include <cstdint>
#include <filesystem>
#include <string>

#include "fuzz/fuzz_support.h"
#include "skins/look_keys.h"
#include "skins/skin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string folder = scratch_folder() + "/skins/traded";
    if (std::filesystem::create_directories(folder + "/images")) {
        write_bytes(folder + "/images/back.png", "png", 3);
    }
    write_bytes(folder + "/skin.txt", data, size);
    Skin skin;
    std::vector<Problem> problems;
    bool showable = read_skin(folder, skin, problems);
    for (const auto& [key, value] : skin.settings) {
        require(look_kind(key) != LookKind::none, "a skin set a key that is not part of the look");
        require(look_kind(key) != LookKind::file || value.compare(0, folder.size() + 1, folder + "/") == 0,
                "a skin named a file outside its folder");
    }
    require(showable || !problems.empty(), "a skin was skipped without a word");

    const std::string prefs_file = scratch_folder() + "/prefs.txt";
    const std::string text = "board_x: 270\npause_key: p\nbackground_img: images/b.png\n";
    write_bytes(prefs_file, text.data(), text.size());
    ConfigStore prefs;
    prefs.load(prefs_file.c_str());
    WornSkin worn;
    wear_skin(prefs, skin, worn);
    require(prefs.to_text() == text, "a worn skin changed what the player's file saves");
    require(*prefs.find("pause_key") == "p", "a skin changed a binding");
    take_off_skin(prefs, worn);
    require(prefs.values().size() == 3 && *prefs.find("board_x") == "270",
            "taking a skin off did not give the player's settings back");
    return 0;
}
