// A menu file read into plain data, with no window and no exit: what the game builds a menu
// screen from and what the data checker reports on. Every key a menu file may hold is listed
// once, in menu_keys.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "config/config_store.h"
#include "config/problems.h"

enum class MenuKeyKind { file, whole_number, name, text, colour, rectangle, alignment, word, flag };

// One key of a menu file. Keys of a group are numbered from 1: "surf" + i + "_name"; group is
// then the prefix and key the suffix, and the group's count is "num_" + prefix + "s". A key
// outside any group has an empty group.
struct MenuKey {
    const char* group;
    const char* key;
    MenuKeyKind kind;
    const char* what;  // for authors, in a few words
};
extern const MenuKey menu_keys[];
extern const int menu_key_count;

// The four numbered groups, in the order the game builds them.
enum MenuGroup { image_group, font_group, text_group, button_group, menu_group_count };
extern const char* const menu_group_prefixes[menu_group_count];
// A numbered key: prefix + i + suffix ("button" 3 "_x" is "button3_x").
std::string menu_key(const char* prefix, int i, const char* suffix);
// A group's count key: "num_surfs", "num_fonts", "num_tsurfs", "num_buttons".
std::string menu_count_key(int group);
// The most entries of one group the game builds; a larger count is read as this.
extern const int menu_max_entries;

struct MenuImage {
    std::string name, path;
    bool alpha = false;  // exactly "true"
};

// The largest point size a menu font may have: a glyph of a larger one is taller than any
// window, and rendering it takes seconds.
const int max_font_size = 1000;

struct MenuFont {
    std::string name, path;
    int size = 0;
    bool size_read = false;  // given as a whole number
};

struct MenuText {
    std::string name, text, font, colour;  // text before its %key% pairs are filled in
};

struct MenuButton {
    std::string surf, surf_over, word, align;
    int x = 0, y = 0;
    bool placed = false;        // "_x" and "_y" are both whole numbers
    bool framed = false;        // "_rect" is given
    bool rect_read = false;     // and well formed
    SDL_Rect rect{0, 0, 0, 0};  // "_rect" as parse_rect reads it, relative to (x, y)
};

class MenuFile {
public:
    std::string name;    // the file name problems are given under
    ConfigStore config;  // every line of the file
    std::string background;
    // Entries of each group as the game builds them: the count, cut to 1000, never below 0.
    // counts[g] entries are built; checked[g] is how many the file really holds (the count,
    // but no further than its last numbered key, and 0 for a count that is no whole number),
    // and the entry lists are as long as the greater of the two.
    int counts[menu_group_count] = {0, 0, 0, 0};
    int declared[menu_group_count] = {0, 0, 0, 0};  // the count as the game reads it
    int checked[menu_group_count] = {0, 0, 0, 0};
    std::vector<MenuImage> images;
    std::vector<MenuFont> fonts;
    std::vector<MenuText> texts;
    std::vector<MenuButton> buttons;
    // What an author should mend: missing and empty keys, malformed numbers, colours,
    // rectangles and alignments, names no entry defines, keys no count reaches. The game
    // builds what it can all the same. Each is given under name, at the line of its key.
    std::vector<Problem> problems;

    // The 1-based line the key's value comes from (the last line holding it), 0 for none.
    int line_of(const std::string& key) const;
    // The key's value, "" when no line holds it.
    std::string value(const std::string& key) const;
};

// Reads file_name into menu and describes it. False, with menu's entries empty, when the file
// cannot be read.
bool read_menu_file(const std::string& file_name, MenuFile& menu);

// What config, a menu file already loaded, says; its problems are given under name.
MenuFile describe_menu(const std::string& name, const ConfigStore& config);

// Where the game draws a button's surface (its corner) and where the button is hit, for a
// normal surface of w by h pixels (has_surface false: none). Without "_rect" the hit area is
// the surface, or an empty one at the corner; "_align" places the surface within "_rect" (or
// by the corner, without one) and then an unframed button is hit where its surface is drawn.
struct ButtonPlace {
    int x, y;
    SDL_Rect hit;
};
ButtonPlace place_button(const MenuButton& button, bool has_surface, int w, int h);

// "x,y,w,h" as four integers (read like get_int). When a comma is missing, the field it would
// end and every later field are 0. Each field is cut to 16 bits.
SDL_Rect parse_rect(const std::string& text);

// Where a button's surface of w by h pixels goes when its "_align" value places it in frame
// (the button's rectangle, in screen coordinates): "left", "center" or "right" across, always
// centred from top to bottom. A frame of no size is a point: "center" puts the surface's middle
// on it. Returns false, leaving area alone, for any other value, which places nothing.
bool align_in_frame(const std::string& align, const SDL_Rect& frame, int w, int h, SDL_Rect& area);

// Whether the file can be opened for reading: the game skips a font file that cannot, silently.
bool file_readable(const std::string& path);

// True when text is a whole decimal integer as the game reads integers: optional leading
// blanks, an optional sign, digits and nothing after them, within the int range.
bool parse_int(const std::string& text, int& result);

// text between double quotes, the way problems quote keys and values.
std::string quoted(const std::string& text);
