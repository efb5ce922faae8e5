#include "tools/check/menu_check.h"

#include <SDL_image.h>
#include <SDL_ttf.h>

#include <map>
#include <set>

#include "audio/sound_event.h"
#include "menu/menu.h"
#include "menu/menu_file.h"

namespace {

std::string key(const char* prefix, int i, const char* suffix) {
    return prefix + int_to_text(i) + suffix;
}

struct Size {
    int w;
    int h;
};

// The fonts the menu opened, by name; closed when the check is done.
class FontSet {
public:
    std::map<std::string, TTF_Font*> fonts;
    FontSet() = default;
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;
    ~FontSet() {
        for (auto& named : fonts) {
            TTF_CloseFont(named.second);
        }
    }
};

// What the game builds from the file, as far as the checks need it.
struct MenuContents {
    std::map<std::string, Size> surfaces;      // names that got a surface: the first one stays
    std::map<std::string, std::string> texts;  // the rendered texts among them, as shown
    FontSet fonts;                             // the fonts that opened
    std::map<std::string, bool> words;  // button words; true when some such button is clickable
};

bool load_image_size(const std::string& path, Size& size) {
    SDL_Surface* image = IMG_Load(path.c_str());
    if (image == nullptr) {
        return false;
    }
    size = Size{image->w, image->h};
    SDL_FreeSurface(image);
    return true;
}

void check_background(const CheckedFile& menu, WindowSize window, Backgrounds& backgrounds,
                      Report& report) {
    Size size{};
    if (!menu.has("background")) {
        return;  // a missing key, reported with the file's own problems
    }
    if (!load_image_size(menu.value("background"), size)) {
        menu.error("background",
                   "cannot load " + quoted(menu.value("background")) + ": " + IMG_GetError(),
                   report);
        return;
    }
    check_background_size(menu, "background", size.w, size.h, window, backgrounds, report);
}

void check_images(const CheckedFile& menu, const MenuFile& file, MenuContents& contents,
                  Report& report) {
    for (int i = 1; i <= file.checked[image_group]; i++) {
        const MenuImage& image = file.images[i - 1];
        Size size{};
        if (image.path.empty()) {
            continue;
        }
        if (!load_image_size(image.path, size)) {
            menu.error(key("surf", i, "_path"),
                       "cannot load " + quoted(image.path) + ": " + IMG_GetError(), report);
        } else if (!image.name.empty()) {
            contents.surfaces.emplace(image.name, size);
        }
    }
}

bool file_readable(const std::string& path) {
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (probe != nullptr) {
        std::fclose(probe);
    }
    return probe != nullptr;
}

// The build copies the menu fonts into the run folder from the system's font folder, so the
// data folder authors edit lacks them: a bare font file name missing here is taken from there.
std::string font_as_the_build_gives_it(const std::string& path) {
    std::string built = std::string(BUILD_FONT_DIR) + "/" + path;
    if (path.find('/') == std::string::npos && !file_readable(path) && file_readable(built)) {
        return built;
    }
    return path;
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
            menu.error(key("font", i, "_path"),
                       "cannot read the font file " + quoted(path) +
                           ": the game skips this font without a word",
                       report);
        } else if (TTF_Font* opened = TTF_OpenFont(path.c_str(), font.size)) {
            if (!font.name.empty() && contents.fonts.fonts.count(font.name) == 0) {
                contents.fonts.fonts[font.name] = opened;
            } else {
                TTF_CloseFont(opened);
            }
        } else {
            menu.error(key("font", i, "_path"),
                       "cannot load the font " + quoted(path) + ": " + TTF_GetError(), report);
        }
    }
}

// Each text that the game renders, at the size it renders at.
void check_texts(const CheckedFile& menu, const MenuFile& file, ConfigStore* substitutions,
                 MenuContents& contents, Report& report) {
    for (int i = 1; i <= file.checked[text_group]; i++) {
        const MenuText& text = file.texts[i - 1];
        auto font = contents.fonts.fonts.find(text.font);
        if (font == contents.fonts.fonts.end() || text.name.empty() ||
            contents.surfaces.count(text.name) > 0) {
            continue;  // a font that did not load is reported at the font
        }
        std::string shown = substitute_keys(text.text, substitutions);
        SDL_Surface* rendered =
            TTF_RenderText_Blended(font->second, shown.c_str(), parse_color(text.colour));
        if (rendered == nullptr) {
            menu.error(key("tsurf", i, "_text"), "the text " + quoted(shown) + " renders nothing",
                       report);
            continue;
        }
        contents.surfaces.emplace(text.name, Size{rendered->w, rendered->h});
        contents.texts.emplace(text.name, shown);
        SDL_FreeSurface(rendered);
    }
}

std::string span(int from, int length) {
    return int_to_text(from) + " to " + int_to_text(from + length);
}

// An area of the menu against the window; x_key and y_key are the lines a fault across or
// along is reported at.
void check_inside(const CheckedFile& menu, const std::string& x_key, const std::string& y_key,
                  const std::string& what, SDL_Rect area, WindowSize window, Report& report) {
    if (!window.known) {
        return;
    }
    if (area.x < 0 || area.x + area.w > window.w) {
        menu.error(x_key,
                   what + " spans x " + span(area.x, area.w) + ", outside the window's 0 to " +
                       int_to_text(window.w),
                   report);
    }
    if (area.y < 0 || area.y + area.h > window.h) {
        menu.error(y_key,
                   what + " spans y " + span(area.y, area.h) + ", outside the window's 0 to " +
                       int_to_text(window.h),
                   report);
    }
}

// A text wider than the rectangle it is framed by spills over its plate.
void check_label_fits(const CheckedFile& menu, const std::string& prefix, const std::string& name,
                      const MenuContents& contents, const SDL_Rect& frame, Report& report) {
    auto text = contents.texts.find(name);
    if (text == contents.texts.end() || contents.surfaces.at(name).w <= frame.w) {
        return;
    }
    menu.warning(prefix + "_rect",
                 "the text " + quoted(text->second) + " of " + prefix + " is " +
                     int_to_text(contents.surfaces.at(name).w) +
                     " pixels wide, wider than its rectangle's " + int_to_text(frame.w) +
                     ": shorten it, use a smaller font or widen the rectangle",
                 report);
}

// Where the game draws the button and where it is hit, against the window and its label.
void check_button(const CheckedFile& menu, const MenuButton& button, int i, WindowSize window,
                  MenuContents& contents, Report& report) {
    std::string prefix = key("button", i, "");
    auto shown = contents.surfaces.find(button.surf);
    bool has_surface = shown != contents.surfaces.end();
    Size size = has_surface ? shown->second : Size{0, 0};
    bool clickable = false;
    if (button.placed && (!button.framed || button.rect_read)) {
        ButtonPlace place = place_button(button, has_surface, size.w, size.h);
        if (has_surface) {
            SDL_Rect drawn{static_cast<Sint16>(place.x), static_cast<Sint16>(place.y),
                           static_cast<Uint16>(size.w), static_cast<Uint16>(size.h)};
            check_inside(menu, prefix + "_x", prefix + "_y", prefix, drawn, window, report);
        }
        if (button.framed) {
            check_inside(menu, prefix + "_rect", prefix + "_rect", "the hit rectangle of " + prefix,
                         place.hit, window, report);
            check_label_fits(menu, prefix, button.surf, contents, place.hit, report);
        }
        clickable = button.framed ? place.hit.w > 0 && place.hit.h > 0 : has_surface;
    }
    if (!button.word.empty()) {
        contents.words[button.word] = contents.words[button.word] || clickable;
    }
}

bool offers(const MenuContents& contents, const std::string& word) {
    auto found = contents.words.find(word);
    return found != contents.words.end() && found->second;
}

void require_word(const CheckedFile& menu, const MenuContents& contents, const char* word,
                  Report& report) {
    if (!offers(contents, word)) {
        report.error(menu.name, 0,
                     std::string("no button a player can click answers ") + quoted(word));
    }
}

void check_words(const CheckedFile& menu, const MenuFile& file, MenuRole role,
                 const MenuContents& contents, Report& report) {
    if (role == MenuRole::main_menu || role == MenuRole::main_menu_with_scores) {
        for (const char* word : {"play", "prefs", "quit"}) {
            require_word(menu, contents, word, report);
        }
        if (role == MenuRole::main_menu_with_scores && !offers(contents, "scores")) {
            report.warning(menu.name, 0,
                           "no button answers \"scores\": players cannot see the best games");
        }
        return;
    }
    if (role == MenuRole::scores_menu) {
        require_word(menu, contents, "back", report);
        return;
    }
    if (role == MenuRole::name_menu) {
        return;
    }
    require_word(menu, contents, "back", report);
    std::set<std::string> known = {"back", "quit", "defaults", "leave_key", "fullscreen_key"};
    for (const char* action : action_keys) {
        known.insert(action);
        if (!offers(contents, action)) {
            report.warning(
                menu.name, 0,
                "no button binds " + quoted(action) + ": players cannot change that key here");
        }
    }
    known.insert("hold_key");
    known.insert(mute_key);
    for (const char* option : option_keys) {
        known.insert(std::string("toggle ") + option);
    }
    for (int i = 1; i <= file.checked[button_group]; i++) {
        const std::string& word = file.buttons[i - 1].word;
        if (!word.empty() && known.count(word) == 0) {
            menu.warning(key("button", i, "_return"),
                         quoted(word) +
                             " is no action of the game: the key a player "
                             "binds to it is never used",
                         report);
        }
    }
}

}  // namespace

void check_menu(const CheckedFile& menu, MenuRole role, WindowSize window,
                ConfigStore* substitutions, Backgrounds& backgrounds, Report& report) {
    MenuFile file;
    file.name = menu.name;
    file.config = menu.store;
    describe_menu(file);
    for (const MenuProblem& problem : file.problems) {
        if (problem.warning) {
            report.warning(menu.name, problem.line, problem.message);
        } else {
            report.error(menu.name, problem.line, problem.message);
        }
    }
    MenuContents contents;
    check_background(menu, window, backgrounds, report);
    check_images(menu, file, contents, report);
    check_fonts(menu, file, contents, report);
    check_texts(menu, file, substitutions, contents, report);
    for (int i = 1; i <= file.checked[button_group]; i++) {
        check_button(menu, file.buttons[i - 1], i, window, contents, report);
    }
    check_words(menu, file, role, contents, report);
}
