#include "tools/check/menu_check.h"

#include <SDL_ttf.h>

#include <map>
#include <set>

#include "menu/menu.h"
#include "modes/game_mode.h"
#include "settings/settings_table.h"

namespace {

// What the game builds from the file, as far as the checks need it.
struct MenuContents {
    std::map<std::string, ImageSize> surfaces;  // names that got a surface: the first one stays
    std::map<std::string, std::string> texts;   // the rendered texts among them, as shown
    std::map<std::string, TTF_Font*> fonts;     // the fonts that opened, closed at the end
    std::map<std::string, bool> words;  // button words; true when some such button is clickable
};

void check_images(const CheckedFile& menu, const MenuFile& file, MenuContents& contents,
                  Report& report) {
    for (int i = 1; i <= file.checked[image_group]; i++) {
        const MenuImage& image = file.images[i - 1];
        ImageSize size{};
        if (!image.path.empty() &&
            load_image_size(menu, menu_key("surf", i, "_path"), image.path, size, report) &&
            !image.name.empty()) {
            contents.surfaces.emplace(image.name, size);
        }
    }
}

// The build copies the menu fonts into the run folder from the system's font folder, so the
// data folder authors edit lacks them: a bare font file name missing here is taken from there.
std::string font_as_the_build_gives_it(const std::string& path) {
    std::string built = std::string(BUILD_FONT_DIR) + "/" + path;
    bool bare = path.find('/') == std::string::npos && !file_readable(path);
    return bare && file_readable(built) ? built : path;
}

void check_fonts(const CheckedFile& menu, const MenuFile& file, MenuContents& contents,
                 Report& report) {
    for (int i = 1; i <= file.checked[font_group]; i++) {
        const MenuFont& font = file.fonts[i - 1];
        if (font.path.empty() || !font.size_read || font.size <= 0) {
            continue;
        }
        std::string path = font_as_the_build_gives_it(font.path);
        if (!file_readable(path)) {
            menu.error(menu_key("font", i, "_path"),
                       "cannot read the font file " + quoted(path) +
                           ": the game skips this font without a word",
                       report);
        } else if (TTF_Font* opened = TTF_OpenFont(path.c_str(), font.size)) {
            if (!font.name.empty() && contents.fonts.count(font.name) == 0) {
                contents.fonts[font.name] = opened;
            } else {
                TTF_CloseFont(opened);
            }
        } else {
            menu.error(menu_key("font", i, "_path"),
                       "cannot load the font " + quoted(path) + ": " + TTF_GetError(), report);
        }
    }
}

// Each text that the game renders, at the size it renders at.
void check_texts(const CheckedFile& menu, const MenuFile& file, ConfigStore* substitutions,
                 MenuContents& contents, Report& report) {
    for (int i = 1; i <= file.checked[text_group]; i++) {
        const MenuText& text = file.texts[i - 1];
        auto font = contents.fonts.find(text.font);
        if (font == contents.fonts.end() || text.name.empty() ||
            contents.surfaces.count(text.name) > 0) {
            continue;  // a font that did not load is reported at the font
        }
        std::string shown = substitute_keys(text.text, substitutions);
        SDL_Surface* rendered =
            TTF_RenderText_Blended(font->second, shown.c_str(), parse_color(text.colour));
        if (rendered == nullptr) {
            menu.error(menu_key("tsurf", i, "_text"),
                       "the text " + quoted(shown) + " renders nothing", report);
            continue;
        }
        contents.surfaces.emplace(text.name, ImageSize{rendered->w, rendered->h});
        contents.texts.emplace(text.name, shown);
        SDL_FreeSurface(rendered);
    }
}

// Where the game draws the button and where it is hit, against the window and its label.
void check_button(const CheckedFile& menu, const MenuButton& button, int i, WindowSize window,
                  MenuContents& contents, Report& report) {
    std::string prefix = menu_key("button", i, "");
    auto shown = contents.surfaces.find(button.surf);
    bool has_surface = shown != contents.surfaces.end();
    ImageSize size = has_surface ? shown->second : ImageSize{0, 0};
    bool clickable = false;
    if (button.placed && (!button.framed || button.rect_read)) {
        ButtonPlace place = place_button(button, has_surface, size.w, size.h);
        std::string x = prefix + "_x", y = prefix + "_y", rect = prefix + "_rect";
        std::string hit = "the hit rectangle of " + prefix;
        if (has_surface && window.known) {
            check_inside(menu,
                         Area{prefix.c_str(), x.c_str(), y.c_str(), static_cast<Sint16>(place.x),
                              static_cast<Sint16>(place.y), size.w, size.h},
                         window, report);
        }
        if (button.framed && window.known) {
            check_inside(menu,
                         Area{hit.c_str(), rect.c_str(), rect.c_str(), place.hit.x, place.hit.y,
                              place.hit.w, place.hit.h},
                         window, report);
        }
        // A text wider than the rectangle it is framed by spills over its plate.
        auto text = contents.texts.find(button.surf);
        if (button.framed && text != contents.texts.end() && size.w > place.hit.w) {
            menu.warning(rect,
                         "the text " + quoted(text->second) + " of " + prefix + " is " +
                             int_to_text(size.w) + " pixels wide, wider than its rectangle's " +
                             int_to_text(place.hit.w) +
                             ": shorten it, use a smaller font or widen the rectangle",
                         report);
        }
        clickable = button.framed ? place.hit.w > 0 && place.hit.h > 0 : has_surface;
    }
    if (!button.word.empty()) {
        contents.words[button.word] = contents.words[button.word] || clickable;
    }
}

// The words a player must be able to click, by MenuRole: the name-entry and summary menus take
// no clicks.
const std::vector<const char*> needed_words[] = {
    {"play", "prefs", "quit"}, {"back"}, {"play", "prefs", "quit"}, {"back"}, {}, {"back"}, {},
    {"back"}};

bool offers(const MenuContents& contents, const std::string& word) {
    auto found = contents.words.find(word);
    return found != contents.words.end() && found->second;
}

void check_words(const CheckedFile& menu, const MenuFile& file, MenuRole role,
                 const MenuContents& contents, Report& report) {
    for (const char* word : needed_words[static_cast<int>(role)]) {
        if (!offers(contents, word)) {
            report.error(menu.name, 0, "no button a player can click answers " + quoted(word));
        }
    }
    if (role == MenuRole::main_menu_with_scores && !offers(contents, "scores")) {
        report.warning(menu.name, 0,
                       "no button answers \"scores\": players cannot see the best games");
    }
    for (const ModeInfo& info : mode_table) {
        if (role == MenuRole::modes_menu && !offers(contents, info.word)) {
            report.warning(menu.name, 0,
                           std::string("no button answers \"") + info.word +
                               "\": players cannot play that way");
        }
    }
    if (role != MenuRole::prefs_menu) {
        return;
    }
    // The words of this menu: a binding for every key of the game, a switch for every option.
    std::set<std::string> known = {"back", "quit", "defaults", "choose skin", "scale window"};
    for (const Setting& setting : all_settings()) {
        bool key = setting.kind == SettingKind::key_name;
        if (key || setting.kind == SettingKind::option) {
            known.insert(key ? std::string(setting.key) : std::string("toggle ") + setting.key);
        }
        if (key && setting.needed && !offers(contents, setting.key)) {
            report.warning(
                menu.name, 0,
                "no button binds " + quoted(setting.key) + ": players cannot change that key here");
        }
    }
    for (int i = 1; i <= file.checked[button_group]; i++) {
        const std::string& word = file.buttons[i - 1].word;
        if (!word.empty() && known.count(word) == 0) {
            menu.warning(
                menu_key("button", i, "_return"),
                quoted(word) +
                    " is no action of the game: the key a player binds to it is never used",
                report);
        }
    }
}

}  // namespace

void check_menu(const CheckedFile& menu, MenuRole role, WindowSize window,
                ConfigStore* substitutions, Backgrounds& backgrounds, Report& report) {
    MenuFile file = describe_menu(menu.name, menu.store);
    report.problems.insert(report.problems.end(), file.problems.begin(), file.problems.end());
    MenuContents contents;
    // A missing background is one of the file's own problems.
    ImageSize size{};
    if (menu.has("background") &&
        load_image_size(menu, "background", menu.value("background"), size, report)) {
        check_background_size(menu, "background", size.w, size.h, window, backgrounds, report);
    }
    check_images(menu, file, contents, report);
    check_fonts(menu, file, contents, report);
    check_texts(menu, file, substitutions, contents, report);
    for (int i = 1; i <= file.checked[button_group]; i++) {
        check_button(menu, file.buttons[i - 1], i, window, contents, report);
    }
    check_words(menu, file, role, contents, report);
    for (auto& named : contents.fonts) {
        TTF_CloseFont(named.second);
    }
}
