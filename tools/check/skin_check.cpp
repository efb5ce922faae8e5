#include "tools/check/skin_check.h"

#include <SDL.h>

#include <cstdio>
#include <map>
#include <set>
#include <tuple>

#include "menu/menu.h"
#include "settings/settings_table.h"
#include "skins/skin.h"
#include "tools/check/data_check.h"

namespace {

std::string one_decimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// The texts of a menu by name: the number of their "tsurfN_" keys.
std::map<std::string, int> texts_of(const CheckedFile& menu, const MenuFile& file) {
    std::map<std::string, int> texts;
    for (int i = 1; i <= file.counts[text_group]; i++) {
        if (menu.has(menu_key("tsurf", i, "_name"))) {
            texts[file.texts[i - 1].name] = i;
        }
    }
    return texts;
}

// The pictures of a menu by name, read from their files.
std::map<std::string, Pixels> pictures_of(const CheckedFile& menu, const MenuFile& file) {
    std::map<std::string, Pixels> pictures;
    for (int i = 1; i <= file.counts[image_group]; i++) {
        const MenuImage& image = file.images[i - 1];
        Pixels pixels;
        if (menu.has(menu_key("surf", i, "_name")) && menu.has(menu_key("surf", i, "_path")) &&
            read_pixels(image.path, pixels)) {
            pictures[image.name] = pixels;
        }
    }
    return pictures;
}

void check_one_text(const CheckedFile& menu, int text, const Rgb& behind, Report& report,
                    std::set<int>& reported) {
    std::string key = "tsurf" + int_to_text(text) + "_color";
    SDL_Color parsed = parse_color(menu.value(key));
    Rgb colour = rgb_of(parsed);
    double ratio = contrast_ratio(colour, behind);
    if (ratio < least_text_contrast && reported.insert(text).second) {
        menu.warning(key,
                     "the text " + quoted(menu.value("tsurf" + int_to_text(text) + "_name")) +
                         " (" + hex_text(colour) + ") is faint on what lies behind it (about " +
                         hex_text(behind) + "): contrast " + one_decimal(ratio) +
                         ":1, less than 4.5:1",
                     report);
    }
}

int skin_line(const std::string& skin_file, const std::string& key) {
    CheckedFile file;
    return file.load(skin_file) ? file.store.line_of(key) : 0;
}

// The skin's look, worn over a copy of prefs, as the checker of prefs.txt sees it; alone holds
// the problems of prefs without it.
void check_worn(const CheckedFile& prefs, const Report& alone, const Skin& skin, Report& report) {
    CheckedFile worn = prefs;
    WornSkin state;
    wear_skin(worn.store, skin, state);
    Report with_skin;
    check_settings_and_files(worn, nullptr, with_skin);
    std::set<std::tuple<std::string, int, std::string>> known;
    for (const Problem& problem : alone.problems) {
        known.insert({problem.file, problem.line, problem.message});
    }
    std::string skin_file = skin.folder + "/skin.txt";
    for (const Problem& problem : with_skin.problems) {
        if (known.count({problem.file, problem.line, problem.message}) != 0) {
            continue;
        }
        bool at_prefs = problem.file == prefs.name;
        report.add(at_prefs ? skin_file : problem.file, at_prefs ? 0 : problem.line,
                   problem.warning,
                   at_prefs ? "worn over prefs.txt: " + problem.message : problem.message);
    }
    // The colours a skin brings of its own: its tiles and its menus' texts.
    std::map<std::string, std::string> own(skin.settings.begin(), skin.settings.end());
    std::vector<Rgb> tiles;
    if (own.count("blocks_img") != 0 &&
        tile_colours(own["blocks_img"], worn.store.find_int("block_size", 0), tiles)) {
        check_tile_colours(tiles, skin_file, skin_line(skin_file, "blocks_img"), report);
    }
    for (const Setting& setting : all_settings()) {
        CheckedFile menu;
        if (setting.kind == SettingKind::menu && own.count(setting.key) != 0 &&
            menu.load(own[setting.key])) {
            check_text_contrast(menu, report);
        }
    }
}

}  // namespace

void check_tile_colours(const std::vector<Rgb>& tiles, const std::string& file, int line,
                        Report& report) {
    for (Deficiency deficiency :
         {Deficiency::protanopia, Deficiency::deuteranopia, Deficiency::tritanopia}) {
        for (size_t i = 0; i < tiles.size(); i++) {
            for (size_t j = i + 1; j < tiles.size(); j++) {
                double difference = colour_difference(simulate(tiles[i], deficiency),
                                                      simulate(tiles[j], deficiency));
                if (difference < least_tile_difference) {
                    report.warning(file, line,
                                   "tiles " + int_to_text(int(i) + 1) + " (" + hex_text(tiles[i]) +
                                       ") and " + int_to_text(int(j) + 1) + " (" +
                                       hex_text(tiles[j]) + ") are hard to tell apart with " +
                                       deficiency_name(deficiency) + ": colour difference " +
                                       one_decimal(difference) + " (CIE76), less than " +
                                       one_decimal(least_tile_difference));
                }
            }
        }
    }
}

void check_text_contrast(const CheckedFile& menu, Report& report) {
    Pixels background;
    if (!read_pixels(menu.value("background"), background)) {
        return;  // the menu check reports it
    }
    MenuFile file = describe_menu(menu.name, menu.store);
    std::map<std::string, int> texts = texts_of(menu, file);
    std::map<std::string, Pixels> pictures = pictures_of(menu, file);
    std::set<int> reported;
    for (bool over : {false, true}) {
        std::vector<Placed> plates;
        for (int i = 1; i <= file.counts[button_group]; i++) {
            const MenuButton& button = file.buttons[i - 1];
            const std::string& shown =
                over && !button.surf_over.empty() ? button.surf_over : button.surf;
            auto picture = pictures.find(shown);
            auto text = texts.find(shown);
            if (picture != pictures.end()) {
                plates.push_back(Placed{&picture->second, button.x, button.y});
            } else if (text != texts.end() && menu.has(menu_key("button", i, "_rect"))) {
                SDL_Rect area = button.rect;
                area.x = static_cast<Sint16>(area.x + button.x);
                area.y = static_cast<Sint16>(area.y + button.y);
                check_one_text(menu, text->second, colour_behind(background, plates, area), report,
                               reported);
            }
        }
    }
}

void check_skins(const CheckedFile& prefs, Report& report) {
    std::vector<Skin> skins = find_skins(prefs.store, report.problems);
    Report alone;
    if (!skins.empty()) {
        check_settings_and_files(prefs, nullptr, alone);
    }
    for (const Skin& skin : skins) {
        check_worn(prefs, alone, skin, report);
    }
    std::string chosen = prefs.value("skin");
    bool found = chosen.empty();
    for (const Skin& skin : skins) {
        found = found || skin.id == chosen;
    }
    if (!found) {
        prefs.error("skin",
                    "names no skin that can be shown in \"skins_folder\" or "
                    "\"my_skins_folder\": " +
                        quoted(chosen),
                    report);
    }
}
