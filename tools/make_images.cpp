// make_images: draws every picture of the game screen and the menus.
// Usage: make_images <data folder> <font folder> [<icon folder>]
// Reads the layout from <data folder>/prefs.txt and writes the PNGs into <data folder>/images
// and the shipped skins, made from them, into <data folder>/skins;
// with an icon folder, also the desktop icon in every size as <icon folder>/<size>.png.
#include <SDL_ttf.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "config/config_store.h"
#include "config/player_prefs.h"
#include "tools/game_images.h"
#include "tools/icon_image.h"
#include "tools/menu_images.h"
#include "tools/scores_images.h"
#include "tools/skin_images.h"

namespace {

bool make_icons(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (int size : kIconSizes) {
        if (!make_icon(size, folder + "/" + std::to_string(size) + ".png")) {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::printf("usage: make_images <data folder> <font folder> [<icon folder>]\n");
        return 2;
    }
    std::string data = argv[1];
    ConfigStore prefs;
    if (prefs.load((data + "/" + player_prefs_file).c_str()) != 0) {
        std::printf("make_images: cannot read %s/prefs.txt\n", data.c_str());
        return 1;
    }
    if (TTF_Init() != 0) {
        std::printf("make_images: cannot start SDL_ttf: %s\n", TTF_GetError());
        return 1;
    }
    std::string folder = data + "/images";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    bool made;
    {
        FontShelf fonts(argv[2]);
        made =
            make_game_images(prefs, fonts, folder) &&
            make_menu_images(fonts, prefs.get_int("window_w"), prefs.get_int("window_h"), folder) &&
            make_scores_images(prefs.get_int("window_w"), prefs.get_int("window_h"), folder);
    }
    TTF_Quit();
    made = made && make_icon(64, folder + "/icon.png") && (argc < 4 || make_icons(argv[3])) &&
           make_skins(prefs, data);
    if (!made) {
        std::printf("make_images: stopped, some pictures were not written\n");
        return 1;
    }
    std::printf("make_images: wrote the pictures to %s\n", folder.c_str());
    return 0;
}
