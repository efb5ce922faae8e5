#include "tools/check/menu_check.h"

#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cctype>
#include <map>
#include <set>

#include "audio/sound_event.h"
#include "menu/menu.h"

namespace {

struct Group {
    const char* prefix;
    const char* count_key;
    std::vector<const char*> suffixes;
};

const Group groups[] = {
    {"surf", "num_surfs", {"_name", "_path", "_alpha"}},
    {"font", "num_fonts", {"_name", "_path", "_size"}},
    {"tsurf", "num_tsurfs", {"_name", "_text", "_font", "_color"}},
    {"button",
     "num_buttons",
     {"_surf", "_surf_over", "_surf_new", "_row", "_x", "_y", "_rect", "_align", "_return"}},
};

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

// What the menu defines, as the game would build it.
struct MenuContents {
    std::map<std::string, int> counts;
    std::set<std::string> surface_names;       // every name an image or a text defines
    std::map<std::string, Size> surfaces;      // names that got a surface: the first one stays
    std::map<std::string, std::string> texts;  // the rendered texts among them, as shown
    std::set<std::string> font_names;          // every name a font entry defines
    FontSet fonts;                             // the fonts that opened
    std::map<std::string, bool> words;  // button words; true when some such button is clickable
};

// The group index of a key like "button12_x", or -1 when the key has no group's form.
// canonical is false for an index the game never builds, such as "01".
int group_index(const std::string& key, const Group& group, bool& canonical) {
    std::string prefix = group.prefix;
    if (key.compare(0, prefix.size(), prefix) != 0) {
        return -1;
    }
    size_t end = prefix.size();
    while (end < key.size() && std::isdigit(static_cast<unsigned char>(key[end]))) {
        end++;
    }
    std::string digits = key.substr(prefix.size(), end - prefix.size());
    std::string suffix = key.substr(end);
    bool known_suffix = false;
    for (const char* candidate : group.suffixes) {
        known_suffix = known_suffix || suffix == candidate;
    }
    if (digits.empty() || digits.size() > 6 || !known_suffix) {
        return -1;
    }
    canonical = digits[0] != '0';
    return std::stoi(digits);
}

// The highest index any key of the group has in the file, 0 when none.
int last_index(const CheckedFile& menu, const Group& group) {
    int last = 0;
    for (const std::string& line_key : menu.store.order) {
        bool canonical = true;
        int index = group_index(line_key, group, canonical);
        if (canonical && index > last) {
            last = index;
        }
    }
    return last;
}

// A count far past the last entry would bury the report in missing keys; the entries that
// are not there at all are reported once and not looked at.
void read_counts(const CheckedFile& menu, MenuContents& contents, Report& report) {
    for (const Group& group : groups) {
        int count = 0;
        if (menu.read_int(group.count_key, false, 0, count, report) && count < 0) {
            menu.warning(
                group.count_key,
                quoted(group.count_key) + " is negative: no " + group.prefix + " entry is read",
                report);
        }
        int last = last_index(menu, group);
        if (count > last) {
            std::string missing = key(group.prefix, last + 1, "");
            if (count > last + 1) {
                missing += " to " + key(group.prefix, count, "");
            }
            menu.warning(group.count_key,
                         quoted(group.count_key) + " is " + int_to_text(count) +
                             ", but the file has no key of " + missing,
                         report);
            count = last;
        }
        contents.counts[group.count_key] = count;
    }
}

// Keys of a group that the game never reads because of the count or the way they are numbered.
void check_indexes(const CheckedFile& menu, const MenuContents& contents, Report& report) {
    std::set<std::string> seen;
    for (const std::string& line_key : menu.store.order) {
        if (line_key.empty() || !seen.insert(line_key).second) {
            continue;
        }
        for (const Group& group : groups) {
            bool canonical = true;
            int index = group_index(line_key, group, canonical);
            int count = contents.counts.at(group.count_key);
            if (index < 0) {
                continue;
            }
            if (!canonical || index < 1) {
                menu.warning(line_key,
                             quoted(line_key) + " is never read: " + group.prefix +
                                 " entries are numbered 1, 2, 3, ... without leading zeros",
                             report);
            } else if (index > count) {
                menu.warning(line_key,
                             quoted(line_key) + " is never read: " + quoted(group.count_key) +
                                 " is " + int_to_text(count),
                             report);
            }
        }
    }
}

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
    if (!menu.require("background", report)) {
        return;
    }
    if (!load_image_size(menu.value("background"), size)) {
        menu.error("background",
                   "cannot load " + quoted(menu.value("background")) + ": " + IMG_GetError(),
                   report);
        return;
    }
    check_background_size(menu, "background", size.w, size.h, window, backgrounds, report);
}

// The value of a key the game needs for this entry; an error when it is missing or empty.
bool required_value(const CheckedFile& menu, const std::string& key, std::string& value,
                    Report& report) {
    if (!menu.require(key, report)) {
        return false;
    }
    value = menu.value(key);
    if (value.empty()) {
        menu.error(key, quoted(key) + " is empty", report);
        return false;
    }
    return true;
}

void check_images(const CheckedFile& menu, MenuContents& contents, Report& report) {
    for (int i = 1; i <= contents.counts.at("num_surfs"); i++) {
        std::string name, path;
        bool named = required_value(menu, key("surf", i, "_name"), name, report);
        if (named) {
            contents.surface_names.insert(name);
        }
        if (!required_value(menu, key("surf", i, "_path"), path, report)) {
            continue;
        }
        Size size{};
        if (!load_image_size(path, size)) {
            menu.error(key("surf", i, "_path"),
                       "cannot load " + quoted(path) + ": " + IMG_GetError(), report);
        } else if (named) {
            contents.surfaces.emplace(name, size);
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

void check_fonts(const CheckedFile& menu, MenuContents& contents, Report& report) {
    for (int i = 1; i <= contents.counts.at("num_fonts"); i++) {
        std::string name, path;
        int size = 0;
        bool named = required_value(menu, key("font", i, "_name"), name, report);
        bool sized = menu.read_int(key("font", i, "_size"), true, 0, size, report);
        if (named) {
            contents.font_names.insert(name);
        }
        if (!required_value(menu, key("font", i, "_path"), path, report) || !sized) {
            continue;
        }
        path = font_as_the_build_gives_it(path);
        if (size <= 0) {
            menu.error(key("font", i, "_size"),
                       "font size " + int_to_text(size) + " must be more than 0", report);
        } else if (!file_readable(path)) {
            menu.error(key("font", i, "_path"),
                       "cannot read the font file " + quoted(path) +
                           ": the game skips this font without a word",
                       report);
        } else if (TTF_Font* font = TTF_OpenFont(path.c_str(), size)) {
            if (named && contents.fonts.fonts.count(name) == 0) {
                contents.fonts.fonts[name] = font;
            } else {
                TTF_CloseFont(font);
            }
        } else {
            menu.error(key("font", i, "_path"),
                       "cannot load the font " + quoted(path) + ": " + TTF_GetError(), report);
        }
    }
}

bool is_colour(const std::string& text) {
    if (text.size() != 6) {
        return false;
    }
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

// One text entry: its font, its colour, and the size it renders at.
void check_text(const CheckedFile& menu, int i, ConfigStore* substitutions, MenuContents& contents,
                Report& report) {
    std::string name, text, font_name;
    bool named = required_value(menu, key("tsurf", i, "_name"), name, report);
    required_value(menu, key("tsurf", i, "_text"), text, report);
    std::string colour_key = key("tsurf", i, "_color");
    if (menu.require(colour_key, report) && !is_colour(menu.value(colour_key))) {
        menu.error(
            colour_key,
            "colour " + quoted(menu.value(colour_key)) + " is not six hexadecimal digits RRGGBB",
            report);
    }
    if (named) {
        contents.surface_names.insert(name);
    }
    if (!required_value(menu, key("tsurf", i, "_font"), font_name, report)) {
        return;
    }
    if (contents.font_names.count(font_name) == 0) {
        menu.error(key("tsurf", i, "_font"),
                   quoted(font_name) +
                       " is the name of no font: the "
                       "text is not shown",
                   report);
        return;
    }
    auto font = contents.fonts.fonts.find(font_name);
    if (font == contents.fonts.fonts.end() || !named || contents.surfaces.count(name) > 0) {
        return;  // a font that did not load is reported at the font
    }
    std::string shown = substitute_keys(text, substitutions);
    SDL_Surface* rendered =
        TTF_RenderText_Blended(font->second, shown.c_str(), parse_color(menu.value(colour_key)));
    if (rendered == nullptr) {
        menu.error(key("tsurf", i, "_text"), "the text " + quoted(shown) + " renders nothing",
                   report);
        return;
    }
    contents.surfaces.emplace(name, Size{rendered->w, rendered->h});
    contents.texts.emplace(name, shown);
    SDL_FreeSurface(rendered);
}

void check_texts(const CheckedFile& menu, ConfigStore* substitutions, MenuContents& contents,
                 Report& report) {
    for (int i = 1; i <= contents.counts.at("num_tsurfs"); i++) {
        check_text(menu, i, substitutions, contents, report);
    }
}

// "x,y,w,h": four whole numbers, the size not negative.
bool check_rect(const CheckedFile& menu, const std::string& rect_key, Report& report) {
    std::string text = menu.value(rect_key);
    std::vector<std::string> fields;
    size_t start = 0;
    size_t comma = text.find(',');
    while (comma != std::string::npos) {
        fields.push_back(text.substr(start, comma - start));
        start = comma + 1;
        comma = text.find(',', start);
    }
    fields.push_back(text.substr(start));
    bool good = fields.size() == 4;
    for (size_t f = 0; good && f < 4; f++) {
        int value = 0;
        good = parse_int(fields[f], value) && value >= -32768 && value <= 32767 &&
               (f < 2 || value >= 0);
    }
    if (!good) {
        menu.error(rect_key,
                   "rectangle " + quoted(text) +
                       " is not four whole numbers x,y,w,h (w and h not negative)",
                   report);
    }
    return good;
}

void check_shown_name(const CheckedFile& menu, const std::string& name_key,
                      const MenuContents& contents, Report& report) {
    std::string name = menu.value(name_key);
    if (!name.empty() && contents.surface_names.count(name) == 0) {
        menu.error(name_key,
                   quoted(name) +
                       " is defined by no surf or tsurf entry: the button "
                       "shows nothing there",
                   report);
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
void check_label_fits(const CheckedFile& menu, const std::string& prefix,
                      const MenuContents& contents, const SDL_Rect& frame, Report& report) {
    std::string name = menu.value(prefix + "_surf");
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

// Where the game draws the button's surface (size) and its hit rectangle, from its position,
// its "_rect" and its "_align", as the menu loader places them.
struct ButtonPlace {
    SDL_Rect drawn;
    SDL_Rect hit;
    bool framed;  // a "_rect" was given (and is well formed)
};

bool place_button(const CheckedFile& menu, const std::string& prefix, int x, int y, Size size,
                  ButtonPlace& place, Report& report) {
    place.drawn = SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y),
                           static_cast<Uint16>(size.w), static_cast<Uint16>(size.h)};
    place.hit = place.drawn;
    place.framed = !menu.value(prefix + "_rect").empty();
    if (place.framed) {
        if (!check_rect(menu, prefix + "_rect", report)) {
            return false;
        }
        place.hit = parse_rect(menu.value(prefix + "_rect"));
        place.hit.x = static_cast<Sint16>(place.hit.x + x);
        place.hit.y = static_cast<Sint16>(place.hit.y + y);
    }
    std::string align = menu.value(prefix + "_align");
    if (align.empty()) {
        return true;
    }
    SDL_Rect frame = place.framed ? place.hit : SDL_Rect{place.drawn.x, place.drawn.y, 0, 0};
    if (!align_in_frame(align, frame, size.w, size.h, place.drawn)) {
        menu.error(prefix + "_align",
                   quoted(align) +
                       " is no alignment: use \"left\", \"center\" or "
                       "\"right\" (the surface then sits at its corner)",
                   report);
        return true;
    }
    place.hit = place.framed ? place.hit : place.drawn;
    return true;
}

void check_button(const CheckedFile& menu, int i, WindowSize window, MenuContents& contents,
                  Report& report) {
    std::string prefix = key("button", i, "");
    int x = 0, y = 0;
    bool placed = menu.read_int(prefix + "_x", true, 0, x, report);
    placed = menu.read_int(prefix + "_y", true, 0, y, report) && placed;
    check_shown_name(menu, prefix + "_surf", contents, report);
    check_shown_name(menu, prefix + "_surf_over", contents, report);
    check_shown_name(menu, prefix + "_surf_new", contents, report);
    auto shown = contents.surfaces.find(menu.value(prefix + "_surf"));
    bool has_surface = shown != contents.surfaces.end();
    ButtonPlace place{};
    bool clickable = false;
    if (placed &&
        place_button(menu, prefix, x, y, has_surface ? shown->second : Size{0, 0}, place, report)) {
        if (has_surface) {
            check_inside(menu, prefix + "_x", prefix + "_y", prefix, place.drawn, window, report);
        }
        if (place.framed) {
            check_inside(menu, prefix + "_rect", prefix + "_rect", "the hit rectangle of " + prefix,
                         place.hit, window, report);
            check_label_fits(menu, prefix, contents, place.hit, report);
        }
        clickable = place.framed ? place.hit.w > 0 && place.hit.h > 0 : has_surface;
    }
    std::string word = menu.value(prefix + "_return");
    if (!word.empty()) {
        contents.words[word] = contents.words[word] || clickable;
    }
}

void check_buttons(const CheckedFile& menu, WindowSize window, MenuContents& contents,
                   Report& report) {
    for (int i = 1; i <= contents.counts.at("num_buttons"); i++) {
        check_button(menu, i, window, contents, report);
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

// "navigation: true" lets the keyboard and pads work the menu; any other value does not.
void check_navigation(const CheckedFile& menu, Report& report) {
    if (menu.has("navigation") && menu.value("navigation") != "true") {
        menu.warning("navigation",
                     quoted(menu.value("navigation")) +
                         " is not \"true\": keys and pads do nothing in this menu",
                     report);
    }
    int number = 0;
    for (const char* place : {"prompt_x", "prompt_y"}) {
        menu.read_int(place, false, 0, number, report);
    }
}

void check_words(const CheckedFile& menu, MenuRole role, const MenuContents& contents,
                 Report& report) {
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
    for (int i = 1; i <= contents.counts.at("num_buttons"); i++) {
        std::string word_key = key("button", i, "_return");
        std::string word = menu.value(word_key);
        if (!word.empty() && known.count(word) == 0) {
            menu.warning(word_key,
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
    MenuContents contents;
    check_background(menu, window, backgrounds, report);
    read_counts(menu, contents, report);
    check_indexes(menu, contents, report);
    check_images(menu, contents, report);
    check_fonts(menu, contents, report);
    check_texts(menu, substitutions, contents, report);
    check_buttons(menu, window, contents, report);
    check_words(menu, role, contents, report);
    check_navigation(menu, report);
}
