// The two shipped menu files: every picture, font and text they name loads, every button has
// something to show, hover pictures match their buttons, and each button can be clicked.
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <vector>

#include "tests/data/shipped_data.h"

namespace {

struct Area {
    int x, y, w, h;
};

// The menu file of one menu, with the sizes of everything it draws.
class ShippedMenu {
public:
    ConfigStore prefs;
    ConfigStore menu;
    std::map<std::string, Area> sizes;         // surface name -> size (images and texts)
    std::map<std::string, std::string> texts;  // text surface name -> text before substitution
    std::map<std::string, TTF_Font*> fonts;

    explicit ShippedMenu(const std::string& prefs_key) {
        prefs = load_shipped("prefs.txt");
        menu = load_shipped(prefs.get_string(prefs_key));
    }

    ~ShippedMenu() {
        for (auto& entry : fonts) {
            TTF_CloseFont(entry.second);
        }
    }

    std::string key(const std::string& prefix, int i, const std::string& suffix) {
        return menu.get_string(prefix + int_to_text(i) + suffix);
    }

    // The text with %key% replaced by the key's value in prefs.txt, as the menu shows it.
    std::string substituted(const std::string& text) {
        std::string result;
        size_t start = 0;
        bool in_key = false;
        for (size_t mark; (mark = text.find('%', start)) != std::string::npos; start = mark + 1) {
            std::string part = text.substr(start, mark - start);
            result += in_key ? prefs.get_string(part) : part;
            in_key = !in_key;
        }
        return result + text.substr(start);
    }

    void load_images() {
        for (int i = 1; i <= menu.get_int("num_surfs"); ++i) {
            std::string path = key("surf", i, "_path");
            SDL_Surface* image = IMG_Load(data_path(path).c_str());
            ASSERT_NE(nullptr, image) << path;
            EXPECT_EQ("true", key("surf", i, "_alpha")) << path << " would lose its transparency";
            sizes[key("surf", i, "_name")] = Area{0, 0, image->w, image->h};
            SDL_FreeSurface(image);
        }
    }

    void load_fonts() {
        for (int i = 1; i <= menu.get_int("num_fonts"); ++i) {
            std::string path = key("font", i, "_path");
            TTF_Font* font = TTF_OpenFont(run_path(path).c_str(),
                                          menu.get_int("font" + int_to_text(i) + "_size"));
            ASSERT_NE(nullptr, font) << run_path(path) << " (the build copies the fonts there)";
            fonts[key("font", i, "_name")] = font;
        }
    }

    void render_texts() {
        for (int i = 1; i <= menu.get_int("num_tsurfs"); ++i) {
            std::string name = key("tsurf", i, "_name");
            std::string colour = key("tsurf", i, "_color");
            EXPECT_EQ(6u, colour.size()) << name;
            EXPECT_EQ(std::string::npos, colour.find_first_not_of("0123456789abcdefABCDEF"))
                << name;
            TTF_Font* font = fonts[key("tsurf", i, "_font")];
            ASSERT_NE(nullptr, font) << name << " uses an unknown font";
            int w = 0, h = 0;
            std::string text = key("tsurf", i, "_text");
            ASSERT_EQ(0, TTF_SizeText(font, substituted(text).c_str(), &w, &h)) << name;
            EXPECT_EQ(0u, sizes.count(name)) << name << " is defined twice";
            sizes[name] = Area{0, 0, w, h};
            texts[name] = text;
        }
    }

    void load_all() {
        ASSERT_NO_FATAL_FAILURE(load_images());
        ASSERT_NO_FATAL_FAILURE(load_fonts());
        ASSERT_NO_FATAL_FAILURE(render_texts());
    }

    // The hit rectangle of button i, in screen coordinates.
    Area hit_area(int i) {
        Area area = sizes[key("button", i, "_surf")];
        std::string rect = key("button", i, "_rect");
        if (!rect.empty()) {
            EXPECT_EQ(4,
                      std::sscanf(rect.c_str(), "%d,%d,%d,%d", &area.x, &area.y, &area.w, &area.h))
                << rect;
        }
        area.x += menu.get_int("button" + int_to_text(i) + "_x");
        area.y += menu.get_int("button" + int_to_text(i) + "_y");
        return area;
    }

    // The word the menu answers for a click at (x, y): the first button with a word whose
    // hit rectangle holds the point strictly inside.
    std::string word_at(int x, int y) {
        for (int i = 1; i <= menu.get_int("num_buttons"); ++i) {
            Area r = hit_area(i);
            std::string word = key("button", i, "_return");
            if (!word.empty() && x > r.x && x < r.x + r.w && y > r.y && y < r.y + r.h) {
                return word;
            }
        }
        return "";
    }
};

bool inside_window(const Area& a, ConfigStore& prefs) {
    return a.x >= 0 && a.y >= 0 && a.x + a.w <= prefs.get_int("window_w") &&
           a.y + a.h <= prefs.get_int("window_h");
}

// Checks every button of the menu and returns the words its buttons answer.
std::set<std::string> check_buttons(ShippedMenu& m) {
    std::set<std::string> words;
    int count = m.menu.get_int("num_buttons");
    EXPECT_GT(count, 0);
    for (int i = 1; i <= count; ++i) {
        SCOPED_TRACE("button " + std::to_string(i));
        std::string normal = m.key("button", i, "_surf");
        std::string hover = m.key("button", i, "_surf_over");
        EXPECT_EQ(1u, m.sizes.count(normal)) << "no surface named \"" << normal << "\"";
        Area shown = m.sizes[normal];
        shown.x = m.menu.get_int("button" + int_to_text(i) + "_x");
        shown.y = m.menu.get_int("button" + int_to_text(i) + "_y");
        EXPECT_TRUE(inside_window(shown, m.prefs));
        if (!hover.empty()) {
            // The menu repaints only the normal picture's area when the pointer leaves, so a
            // larger hover picture would leave a trail.
            EXPECT_EQ(1u, m.sizes.count(hover)) << "no surface named \"" << hover << "\"";
            EXPECT_EQ(m.sizes[normal].w, m.sizes[hover].w) << hover;
            EXPECT_EQ(m.sizes[normal].h, m.sizes[hover].h) << hover;
        }
        std::string word = m.key("button", i, "_return");
        if (word.empty()) {
            continue;
        }
        EXPECT_FALSE(hover.empty()) << word << " has no hover look";
        Area hit = m.hit_area(i);
        EXPECT_TRUE(inside_window(hit, m.prefs)) << word;
        EXPECT_EQ(word, m.word_at(hit.x + hit.w / 2, hit.y + hit.h / 2)) << word;
        EXPECT_TRUE(words.insert(word).second) << word << " appears twice";
    }
    return words;
}

}  // namespace

TEST(ShippedMenus, MainMenuLoadsAndOffersPlayPrefsAndQuit) {
    SdlSession sdl;
    ShippedMenu m("main_menu");
    SDL_Surface* image = IMG_Load(data_path(m.menu.get_string("background")).c_str());
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(m.prefs.get_int("window_w"), image->w);
    EXPECT_EQ(m.prefs.get_int("window_h"), image->h);
    SDL_FreeSurface(image);
    ASSERT_NO_FATAL_FAILURE(m.load_all());
    EXPECT_EQ((std::set<std::string>{"play", "prefs", "quit"}), check_buttons(m));
}

TEST(ShippedMenus, PreferencesMenuShowsEveryBindingAndItsKey) {
    SdlSession sdl;
    ShippedMenu m("prefs_menu");
    SDL_Surface* image = IMG_Load(data_path(m.menu.get_string("background")).c_str());
    ASSERT_NE(nullptr, image);
    SDL_FreeSurface(image);
    ASSERT_NO_FATAL_FAILURE(m.load_all());
    std::set<std::string> expected{
        "pause_key",      "turn_left_key", "turn_right_key", "move_left_key",
        "move_right_key", "move_down_key", "drop_key",       "back"};
    EXPECT_EQ(expected, check_buttons(m));

    // The longest name SDL can give a key must still fit inside its row.
    std::string longest;
    TTF_Font* probe = nullptr;
    for (int i = 1; i <= m.menu.get_int("num_buttons"); ++i) {
        std::string word = m.key("button", i, "_return");
        if (word.empty() || word == "back") {
            continue;
        }
        SCOPED_TRACE(word);
        std::string text_name = m.key("button", i, "_surf");
        ASSERT_EQ(1u, m.texts.count(text_name)) << "the button's surface is no text";
        EXPECT_NE(std::string::npos, m.texts[text_name].find("%" + word + "%"));
        EXPECT_EQ(m.texts[text_name], m.texts[m.key("button", i, "_surf_over")]);
        for (int t = 1; t <= m.menu.get_int("num_tsurfs"); ++t) {
            if (m.key("tsurf", t, "_name") == text_name) {
                probe = m.fonts[m.key("tsurf", t, "_font")];
            }
        }
        ASSERT_NE(nullptr, probe);
        int widest = 0;
        for (int k = SDLK_FIRST; k < SDLK_LAST; ++k) {
            std::string saved = m.prefs.get_string(word);
            m.prefs.get_string(word) = SDL_GetKeyName(static_cast<SDLKey>(k));
            int w = 0, h = 0;
            TTF_SizeText(probe, m.substituted(m.texts[text_name]).c_str(), &w, &h);
            widest = std::max(widest, w);
            m.prefs.get_string(word) = saved;
        }
        Area hit = m.hit_area(i);
        int text_x = m.menu.get_int("button" + int_to_text(i) + "_x");
        EXPECT_LE(text_x + widest, hit.x + hit.w);
    }
}
