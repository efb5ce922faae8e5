#include "tools/check/skin_check.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <tuple>

#include "menu/menu.h"
#include "skins/skin.h"
#include "tools/check/data_check.h"

namespace {

// An image's pixels, each as its red, green, blue and alpha bytes.
struct Pixels {
    int w = 0;
    int h = 0;
    std::vector<SDL_Color> rgba;  // unused field of SDL_Color holds the alpha

    const SDL_Color* at(int x, int y) const {
        return x < 0 || y < 0 || x >= w || y >= h ? nullptr : &rgba[static_cast<size_t>(y) * w + x];
    }
};

bool read_pixels(const std::string& path, Pixels& pixels) {
    SDL_Surface* image = IMG_Load(path.c_str());
    if (image == nullptr) {
        return false;
    }
    pixels.w = image->w;
    pixels.h = image->h;
    pixels.rgba.resize(static_cast<size_t>(image->w) * image->h);
    SDL_LockSurface(image);
    int bytes = image->format->BytesPerPixel;
    for (int y = 0; y < image->h; y++) {
        for (int x = 0; x < image->w; x++) {
            const Uint8* p = static_cast<const Uint8*>(image->pixels) + y * image->pitch + x * bytes;
            Uint32 value = 0;
            for (int k = 0; k < bytes; k++) {
                value |= static_cast<Uint32>(p[k]) << (SDL_BYTEORDER == SDL_LIL_ENDIAN ? 8 * k : 8 * (bytes - 1 - k));
            }
            SDL_Color& c = pixels.rgba[static_cast<size_t>(y) * image->w + x];
            SDL_GetRGBA(value, image->format, &c.r, &c.g, &c.b, &c.unused);
        }
    }
    SDL_UnlockSurface(image);
    SDL_FreeSurface(image);
    return true;
}

Rgb rgb_of(const SDL_Color& c) {
    return Rgb{double(c.r), double(c.g), double(c.b)};
}

std::string hex_text(const Rgb& c) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", int(c.r + 0.5), int(c.g + 0.5),
                  int(c.b + 0.5));
    return text;
}

std::string one_decimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// What the menu shows at a button: its picture and where it lies.
struct Placed {
    const Pixels* pixels;
    int x;
    int y;
};

// The colour the eye takes in behind a text's area: the background under every plate, each
// pixel composed, then averaged.
Rgb colour_behind(const Pixels& background, const std::vector<Placed>& plates, SDL_Rect area) {
    double r = 0, g = 0, b = 0;
    int count = 0;
    for (int y = area.y; y < area.y + area.h; y++) {
        for (int x = area.x; x < area.x + area.w; x++) {
            const SDL_Color* base = background.at(x, y);
            if (base == nullptr) {
                continue;
            }
            Rgb here = rgb_of(*base);
            for (const Placed& plate : plates) {
                const SDL_Color* over = plate.pixels->at(x - plate.x, y - plate.y);
                if (over != nullptr) {
                    double a = over->unused / 255.0;
                    here = Rgb{over->r * a + here.r * (1 - a), over->g * a + here.g * (1 - a),
                               over->b * a + here.b * (1 - a)};
                }
            }
            r += here.r;
            g += here.g;
            b += here.b;
            count++;
        }
    }
    if (count == 0) {
        return Rgb{0, 0, 0};
    }
    return Rgb{r / count, g / count, b / count};
}

// The texts of a menu file by name: the number of their "tsurfN_" keys.
std::map<std::string, int> texts_of(const ConfigStore& menu) {
    std::map<std::string, int> texts;
    int count = menu.find_int("num_tsurfs", 0);
    for (int i = 1; i <= count && i <= 1000; i++) {
        const std::string* name = menu.find("tsurf" + int_to_text(i) + "_name");
        if (name != nullptr) {
            texts[*name] = i;
        }
    }
    return texts;
}

// The pictures of a menu file by name, read from their files.
std::map<std::string, Pixels> pictures_of(const ConfigStore& menu) {
    std::map<std::string, Pixels> pictures;
    int count = menu.find_int("num_surfs", 0);
    for (int i = 1; i <= count && i <= 1000; i++) {
        std::string prefix = "surf" + int_to_text(i);
        const std::string* name = menu.find(prefix + "_name");
        const std::string* path = menu.find(prefix + "_path");
        Pixels pixels;
        if (name != nullptr && path != nullptr && read_pixels(*path, pixels)) {
            pictures[*name] = pixels;
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

// The skin's look, worn over a copy of prefs, as the checker of prefs.txt sees it.
void check_worn(const CheckedFile& prefs, const Skin& skin, Report& report) {
    CheckedFile worn = prefs;
    WornSkin state;
    wear_skin(worn.store, skin, state);
    Report alone;
    check_settings_and_files(prefs, nullptr, alone);
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
        Problem moved{at_prefs ? skin_file : problem.file, at_prefs ? 0 : problem.line,
                      problem.warning, at_prefs ? "worn over prefs.txt: " + problem.message
                                                : problem.message};
        report.problems.push_back(moved);
    }
    // The colours a skin brings of its own: its tiles and its menus' texts.
    std::map<std::string, std::string> own(skin.settings.begin(), skin.settings.end());
    std::vector<Rgb> tiles;
    if (own.count("blocks_img") != 0 &&
        tile_colours(own["blocks_img"], worn.store.find_int("block_size", 0), tiles)) {
        check_tile_colours(tiles, skin_file, skin_line(skin_file, "blocks_img"), report);
    }
    for (const char* key : {"main_menu", "prefs_menu", "scores_menu", "name_menu", "modes_menu",
                            "summary_menu"}) {
        CheckedFile menu;
        if (own.count(key) != 0 && menu.load(own[key])) {
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
                double difference =
                    colour_difference(simulate(tiles[i], deficiency), simulate(tiles[j], deficiency));
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

bool tile_colours(const std::string& image, int size, std::vector<Rgb>& tiles) {
    Pixels pixels;
    if (size <= 0 || !read_pixels(image, pixels)) {
        return false;
    }
    tiles.clear();
    // The median of each channel: the tile's face, whatever its outline, shading or symbol.
    for (int top = 0; top + size <= pixels.h; top += size) {
        std::vector<int> channels[3];
        for (int y = top; y < top + size; y++) {
            for (int x = 0; x < size && x < pixels.w; x++) {
                const SDL_Color* c = pixels.at(x, y);
                if (c->unused >= 128) {
                    channels[0].push_back(c->r);
                    channels[1].push_back(c->g);
                    channels[2].push_back(c->b);
                }
            }
        }
        double median[3] = {0, 0, 0};
        for (int k = 0; k < 3; k++) {
            std::vector<int>& values = channels[k];
            if (!values.empty()) {
                std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
                median[k] = values[values.size() / 2];
            }
        }
        tiles.push_back(Rgb{median[0], median[1], median[2]});
    }
    return true;
}

void check_text_contrast(const CheckedFile& menu, Report& report) {
    Pixels background;
    if (!read_pixels(menu.value("background"), background)) {
        return;  // the menu check reports it
    }
    std::map<std::string, int> texts = texts_of(menu.store);
    std::map<std::string, Pixels> pictures = pictures_of(menu.store);
    std::set<int> reported;
    int count = menu.store.find_int("num_buttons", 0);
    for (const char* which : {"_surf", "_surf_over"}) {
        std::vector<Placed> plates;
        for (int i = 1; i <= count && i <= 1000; i++) {
            std::string prefix = "button" + int_to_text(i);
            std::string shown = menu.value(prefix + which);
            if (shown.empty()) {
                shown = menu.value(prefix + "_surf");
            }
            int x = menu.store.find_int(prefix + "_x", 0);
            int y = menu.store.find_int(prefix + "_y", 0);
            auto picture = pictures.find(shown);
            auto text = texts.find(shown);
            if (picture != pictures.end()) {
                plates.push_back(Placed{&picture->second, x, y});
            } else if (text != texts.end() && menu.has(prefix + "_rect")) {
                SDL_Rect area = parse_rect(menu.value(prefix + "_rect"));
                area.x = static_cast<Sint16>(area.x + x);
                area.y = static_cast<Sint16>(area.y + y);
                check_one_text(menu, text->second, colour_behind(background, plates, area),
                               report, reported);
            }
        }
    }
}

void check_skins(const CheckedFile& prefs, Report& report) {
    std::vector<SkinProblem> problems;
    std::vector<Skin> skins = find_skins(prefs.store, problems);
    for (const SkinProblem& problem : problems) {
        report.error(problem.file, problem.line, problem.message);
    }
    for (const Skin& skin : skins) {
        check_worn(prefs, skin, report);
    }
    std::string chosen = prefs.value("skin");
    bool found = chosen.empty();
    for (const Skin& skin : skins) {
        found = found || skin.id == chosen;
    }
    if (!found) {
        prefs.error("skin", "names no skin that can be shown in \"skins_folder\" or "
                            "\"my_skins_folder\": " + quoted(chosen),
                    report);
    }
}
