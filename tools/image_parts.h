// The look shared by all of the game's pictures: palette, fonts, backdrop, blocks, panels
// and text with shadows. Used by the game screen and the menu pictures of make_images.
#pragma once

#include <SDL_ttf.h>

#include <map>
#include <string>
#include <utility>

#include "tools/canvas.h"

namespace palette {
const Colour sky_top = hex(0x0b0e1f);
const Colour sky_bottom = hex(0x1b1438);
const Colour cyan = hex(0x3ad7ff);
const Colour violet = hex(0x9a6bff);
const Colour pink = hex(0xff5fa2);
const Colour orange = hex(0xffa03c);
const Colour text = hex(0xeef1fb);
const Colour muted = hex(0x8d96b8);
const Colour well = hex(0x070914);
}  // namespace palette

// The block colour of tile i (0..6), in the order of tools/pieces.txt: I, O, T, S, Z, J, L.
Colour tile_colour(int tile);

// The DejaVu fonts, opened on first use at each size and closed by the destructor.
class FontShelf {
public:
    std::string folder;
    std::map<std::pair<std::string, int>, TTF_Font*> open_fonts;

    explicit FontShelf(std::string font_folder);
    ~FontShelf();
    FontShelf(const FontShelf&) = delete;
    FontShelf& operator=(const FontShelf&) = delete;

    // "DejaVuSans.ttf" (bold = false) or "DejaVuSans-Bold.ttf" at that point size. Null, with
    // a message, when the file cannot be opened.
    TTF_Font* get(bool bold, int size);
};

// The dark gradient with soft coloured glows that every screen starts from.
void draw_backdrop(Canvas& canvas);

// One block of `size` pixels with its top-left corner at (x, y): a rounded, bevelled square
// one pixel smaller on every side, so that neighbouring blocks read as separate.
void draw_block(Canvas& canvas, int x, int y, int size, Colour colour, float opacity = 1.0f);

// A translucent rounded panel around the box (x, y, w, h) with `label` letter-spaced above it.
// The panel reaches 14 pixels below the box and 44 above it (the label's room), and is at
// least kPanelWidth wide, centred on the box.
const int kPanelWidth = 192;
void draw_panel(Canvas& canvas, FontShelf& fonts, int x, int y, int w, int h,
                const std::string& label);

// Draws text with its top centred at (centre_x, top), filled top to bottom from `top_colour`
// to `bottom_colour`, over a soft dark shadow. Returns the text's height.
int draw_text_centred(Canvas& canvas, TTF_Font* font, const std::string& text, int centre_x,
                      int top, Colour top_colour, Colour bottom_colour, int spacing = 0);

// The large rounded card, `opacity` opaque, with its shadow, that a screen's rows sit on.
void draw_card(Canvas& canvas, float x, float y, float w, float h, float opacity);

// A soft glow of `colour` around the rounded rectangle, drawn outside and under it.
void draw_glow(Canvas& canvas, float x, float y, float w, float h, float radius, Colour colour,
               int blur);
