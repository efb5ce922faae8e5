#include "tools/skin_images.h"

#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tools/canvas.h"
#include "tools/png_file.h"

namespace fs = std::filesystem;

const SkinRecipe shipped_skins[3] = {
    {"classic", "Classic", false, false, false},
    {"light", "Light", true, true, false},
    {"high_contrast", "High contrast", true, false, true},
};

const unsigned safe_tile_colours[7] = {
    0x56b4e9,  // I: sky blue
    0xf0e442,  // O: yellow
    0xcc79a7,  // T: reddish purple
    0x009e73,  // S: bluish green
    0xd55e00,  // Z: vermilion
    0x0050c8,  // J: blue
    0xffffff,  // L: white
};

namespace {

struct Hsl {
    double h, s, l;
};

Hsl hsl_of(double r, double g, double b) {
    double high = std::max({r, g, b});
    double low = std::min({r, g, b});
    double l = (high + low) / 2;
    if (high == low) {
        return Hsl{0, 0, l};
    }
    double d = high - low;
    double s = l > 0.5 ? d / (2 - high - low) : d / (high + low);
    double h = high == r ? (g - b) / d + (g < b ? 6 : 0) : high == g ? (b - r) / d + 2 : (r - g) / d + 4;
    return Hsl{h / 6, s, l};
}

double hue_part(double p, double q, double t) {
    t = t < 0 ? t + 1 : (t > 1 ? t - 1 : t);
    if (t < 1.0 / 6) {
        return p + (q - p) * 6 * t;
    }
    if (t < 0.5) {
        return q;
    }
    if (t < 2.0 / 3) {
        return p + (q - p) * (2.0 / 3 - t) * 6;
    }
    return p;
}

void rgb_of(const Hsl& c, double& r, double& g, double& b) {
    if (c.s == 0) {
        r = g = b = c.l;
        return;
    }
    double q = c.l < 0.5 ? c.l * (1 + c.s) : c.l + c.s - c.l * c.s;
    double p = 2 * c.l - q;
    r = hue_part(p, q, c.h + 1.0 / 3);
    g = hue_part(p, q, c.h);
    b = hue_part(p, q, c.h - 1.0 / 3);
}

// The lightness a recipe gives a colour of lightness l.
double new_lightness(const SkinRecipe& recipe, double l, bool text) {
    if (recipe.light) {
        return 1 - l;
    }
    if (recipe.high_contrast) {
        if (text) {
            return l >= 0.5 ? std::max(l, 0.96) : 0.0;
        }
        return l < 0.5 ? l * 0.45 : std::min(1.0, 0.5 + (l - 0.5) * 1.6);
    }
    return l;
}

void recolour(const SkinRecipe& recipe, Uint8& r, Uint8& g, Uint8& b, bool text) {
    Hsl c = hsl_of(r / 255.0, g / 255.0, b / 255.0);
    c.l = new_lightness(recipe, c.l, text);
    double nr, ng, nb;
    rgb_of(c, nr, ng, nb);
    r = static_cast<Uint8>(std::lround(std::clamp(nr, 0.0, 1.0) * 255));
    g = static_cast<Uint8>(std::lround(std::clamp(ng, 0.0, 1.0) * 255));
    b = static_cast<Uint8>(std::lround(std::clamp(nb, 0.0, 1.0) * 255));
}

// Reads a picture as R, G, B, A bytes.
bool read_rgba(const std::string& path, int& w, int& h, std::vector<unsigned char>& rgba) {
    SDL_Surface* image = IMG_Load(path.c_str());
    if (image == nullptr) {
        std::printf("make_images: cannot read %s: %s\n", path.c_str(), IMG_GetError());
        return false;
    }
    SDL_Surface* plain = SDL_CreateRGBSurface(SDL_SWSURFACE, image->w, image->h, 32,
                                              0x000000ff, 0x0000ff00, 0x00ff0000, 0xff000000);
    // Copied as it is, alpha included, rather than blended onto the empty surface.
    SDL_SetAlpha(image, 0, 0);
    SDL_BlitSurface(image, nullptr, plain, nullptr);
    w = plain->w;
    h = plain->h;
    rgba.resize(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; y++) {
        const Uint8* row = static_cast<const Uint8*>(plain->pixels) + y * plain->pitch;
        for (int x = 0; x < w; x++) {
            Uint32 value;
            std::memcpy(&value, row + 4 * x, 4);
            unsigned char* out = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            SDL_GetRGBA(value, plain->format, &out[0], &out[1], &out[2], &out[3]);
        }
    }
    SDL_FreeSurface(plain);
    SDL_FreeSurface(image);
    return true;
}

bool write_rgba(const std::string& path, int w, int h, const std::vector<unsigned char>& rgba) {
    std::string error;
    if (!write_png(path, w, h, rgba.data(), error)) {
        std::printf("make_images: cannot write %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

bool recolour_picture(const SkinRecipe& recipe, const std::string& from, const std::string& to) {
    int w;
    int h;
    std::vector<unsigned char> rgba;
    if (!read_rgba(from, w, h, rgba)) {
        return false;
    }
    for (size_t i = 0; i < rgba.size(); i += 4) {
        recolour(recipe, rgba[i], rgba[i + 1], rgba[i + 2], false);
    }
    return write_rgba(to, w, h, rgba);
}

// How much of the pixel (x, y) of a tile of size pixels symbol lies on (0..1), sampled 4 by 4.
// Coordinates are taken from the tile's centre, in units of a quarter tile.
bool inside_symbol(int symbol, double u, double v) {
    double au = std::fabs(u);
    double av = std::fabs(v);
    switch (symbol) {
        case 0:  // a bar across
            return au < 0.62 && av < 0.17;
        case 1:  // a ring
            return u * u + v * v < 0.42 && u * u + v * v > 0.16;
        case 2:  // a triangle, point up
            return v > -0.55 && v < 0.45 && au < (v + 0.55) * 0.6;
        case 3:  // a diamond
            return au + av < 0.62;
        case 4:  // a cross
            return std::fabs(u - v) < 0.2 && au < 0.55 ? true : std::fabs(u + v) < 0.2 && au < 0.55;
        case 5:  // a square
            return au < 0.36 && av < 0.36;
        default:  // a dot
            return u * u + v * v < 0.09;
    }
}

void draw_safe_tile(std::vector<unsigned char>& rgba, int size, int tile) {
    unsigned rgb = safe_tile_colours[tile];
    unsigned char r = rgb >> 16, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
    // The symbol is black on a light tile and white on a dark one, whichever stands out more.
    bool light = 0.2126 * r + 0.7152 * g + 0.0722 * b > 110;
    unsigned char mark = light ? 0 : 255;
    for (int y = 0; y < size; y++) {
        for (int x = 0; x < size; x++) {
            unsigned char* out = &rgba[(static_cast<size_t>(tile * size + y) * size + x) * 4];
            bool edge = x == 0 || y == 0 || x == size - 1 || y == size - 1;
            int hits = 0;
            for (int k = 0; k < 16; k++) {
                double u = ((x + (k % 4 + 0.5) / 4) - size / 2.0) / (size / 2.0);
                double v = ((y + (k / 4 + 0.5) / 4) - size / 2.0) / (size / 2.0);
                hits += inside_symbol(tile, u, v) ? 1 : 0;
            }
            double cover = hits / 16.0;
            out[0] = edge ? 0 : static_cast<unsigned char>(r + (mark - r) * cover);
            out[1] = edge ? 0 : static_cast<unsigned char>(g + (mark - g) * cover);
            out[2] = edge ? 0 : static_cast<unsigned char>(b + (mark - b) * cover);
            out[3] = 255;
        }
    }
}

bool make_safe_blocks(int size, const std::string& path) {
    std::vector<unsigned char> rgba(static_cast<size_t>(size) * size * 7 * 4);
    for (int tile = 0; tile < 7; tile++) {
        draw_safe_tile(rgba, size, tile);
    }
    return write_rgba(path, size, 7 * size, rgba);
}

bool starts_with(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// One line of a shipped menu file as the skin's copy has it.
std::string skin_menu_line(const SkinRecipe& recipe, const std::string& line) {
    std::string key;
    std::string value;
    split_line(line, key, value);
    if (starts_with(value, "images/") && (key == "background" || ends_with(key, "_path"))) {
        return key + ": skins/" + recipe.id + "/" + value;
    }
    if (starts_with(key, "tsurf") && ends_with(key, "_color") && value.size() >= 6) {
        unsigned rgb = std::stoul(value.substr(0, 6), nullptr, 16);
        char text[8];
        std::snprintf(text, sizeof text, "%06x", skin_colour(recipe, rgb, true));
        return key + ": " + text;
    }
    if (recipe.high_contrast && starts_with(key, "font") && ends_with(key, "_size")) {
        // Headings grow by a quarter; buttons, rows and fields by what their width allows.
        int size = std::atoi(value.c_str());
        return key + ": " + int_to_text(size >= 28 ? size * 5 / 4 : size + (size >= 20 ? 2 : 1));
    }
    return line;
}

bool write_menu(const SkinRecipe& recipe, const std::string& from, const std::string& to) {
    std::ifstream in(from);
    std::ofstream out(to);
    std::string line;
    while (std::getline(in, line)) {
        out << skin_menu_line(recipe, line) << '\n';
    }
    if (!in.eof() || !out) {
        std::printf("make_images: cannot make %s from %s\n", to.c_str(), from.c_str());
        return false;
    }
    return true;
}

const char* const game_pictures[][2] = {
    {"background_img", "background.png"}, {"level_font", "digits_large.png"},
    {"small_num_font", "digits_small.png"}, {"game_over_img", "game_over.png"},
    {"paused_img", "paused.png"}, {"timed_background_img", "background_timed.png"},
};
const char* const menu_keys[][2] = {
    {"main_menu", "main_menu.txt"}, {"prefs_menu", "prefs_menu.txt"},
    {"scores_menu", "scores_menu.txt"}, {"name_menu", "name_menu.txt"},
    {"modes_menu", "modes_menu.txt"}, {"summary_menu", "summary_menu.txt"},
    {"replays_menu", "replays_menu.txt"},
};

bool make_skin(const SkinRecipe& recipe, ConfigStore& prefs, const std::string& data) {
    std::string folder = data + "/skins/" + recipe.id;
    std::error_code error;
    fs::create_directories(folder, error);
    if (recipe.redraw_pictures) {
        fs::create_directories(folder + "/images", error);
        fs::create_directories(folder + "/menus", error);
    }
    std::string text = "skin_name: " + std::string(recipe.name) + "\n";
    if (recipe.redraw_pictures) {
        for (const auto& entry : fs::directory_iterator(data + "/images", error)) {
            std::string name = entry.path().filename().string();
            if (name == "blocks.png" || name == "icon.png" ||
                !recolour_picture(recipe, entry.path().string(), folder + "/images/" + name)) {
                if (name != "blocks.png" && name != "icon.png") {
                    return false;
                }
            }
        }
        for (const auto& picture : game_pictures) {
            text += std::string(picture[0]) + ": images/" + picture[1] + "\n";
        }
        for (const auto& menu : menu_keys) {
            if (!write_menu(recipe, data + "/menus/" + menu[1], folder + "/menus/" + menu[1])) {
                return false;
            }
            text += std::string(menu[0]) + ": menus/" + menu[1] + "\n";
        }
    }
    if (recipe.high_contrast) {
        if (!make_safe_blocks(prefs.get_int("block_size"), folder + "/images/blocks.png")) {
            return false;
        }
        text += "blocks_img: images/blocks.png\n";
    }
    std::ofstream out(folder + "/skin.txt");
    out << text;
    return static_cast<bool>(out);
}

}  // namespace

unsigned skin_colour(const SkinRecipe& recipe, unsigned rgb, bool text) {
    Uint8 r = rgb >> 16, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
    recolour(recipe, r, g, b, text);
    return (unsigned(r) << 16) | (unsigned(g) << 8) | b;
}

bool make_skins(ConfigStore& prefs, const std::string& data) {
    for (const SkinRecipe& recipe : shipped_skins) {
        if (!make_skin(recipe, prefs, data)) {
            return false;
        }
    }
    return true;
}
