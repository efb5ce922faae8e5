// The game screen's pictures. The background is drawn around the layout that prefs.txt gives,
// so moving a box there and regenerating keeps the frames in place.
#include "tools/game_images.h"

#include <algorithm>
#include <vector>

namespace {

struct Box {
    int x, y, w, h;
};

Box box_from(ConfigStore& prefs, const std::string& name, int w, int h) {
    return Box{prefs.get_int(name + "_x"), prefs.get_int(name + "_y"), w, h};
}

Box sized_box_from(ConfigStore& prefs, const std::string& name) {
    return box_from(prefs, name, prefs.get_int(name + "_w"), prefs.get_int(name + "_h"));
}

void draw_well(Canvas& canvas, const Box& well, int block) {
    const float frame = 6;
    float fx = well.x - frame, fy = well.y - frame;
    float fw = well.w + 2 * frame, fh = well.h + 2 * frame;
    draw_glow(canvas, fx, fy, fw, fh, 12, hex(0x3ad7ff, 0.30f), 10);
    canvas.fill_rounded(fx, fy, fw, fh, 12, solid(hex(0x05060d, 0.96f)));
    canvas.fill_rect(well.x, well.y, well.w, well.h,
                     gradient(hex(0x0b0e1f, 0.9f), hex(0x0d0b1e, 0.9f), well.y, well.y + well.h));
    // A faint grid on the cell borders: the one-pixel gap around every block falls on it.
    for (int x = well.x + block; x < well.x + well.w; x += block) {
        canvas.fill_rect(x, well.y, 1, well.h, solid(hex(0xffffff, 0.045f)));
    }
    for (int y = well.y + block; y < well.y + well.h; y += block) {
        canvas.fill_rect(well.x, y, well.w, 1, solid(hex(0xffffff, 0.045f)));
    }
    canvas.stroke_rounded(fx, fy, fw, fh, 12, 2.0f,
                          gradient(palette::cyan, palette::violet, fy, fy + fh));
}

void draw_logo(Canvas& canvas, FontShelf& fonts, int centre_x, int top) {
    int height = draw_text_centred(canvas, fonts.get(true, 34), "DERevarez", centre_x, top,
                                   palette::cyan, palette::violet);
    draw_text_centred(canvas, fonts.get(false, 12), "FALLING  BLOCKS", centre_x, top + height + 2,
                      palette::muted, palette::muted, 2);
}

// The timed modes' background adds the clock's panel to the usual one.
bool make_background(ConfigStore& prefs, FontShelf& fonts, const std::string& path, bool timed) {
    Canvas canvas(prefs.get_int("window_w"), prefs.get_int("window_h"));
    draw_backdrop(canvas);
    int block = prefs.get_int("block_size");
    Box well{prefs.get_int("board_x"), prefs.get_int("board_y"),
             prefs.get_int("board_width") * block, prefs.get_int("board_height") * block};
    draw_well(canvas, well, block);
    Box next = box_from(prefs, "next_piece", 4 * block, 4 * block);
    Box level = sized_box_from(prefs, "level");
    Box points = sized_box_from(prefs, "points");
    Box lines = sized_box_from(prefs, "lines");
    draw_panel(canvas, fonts, next.x, next.y, next.w, next.h, "NEXT");
    draw_panel(canvas, fonts, level.x, level.y, level.w, level.h, "LEVEL");
    draw_panel(canvas, fonts, points.x, points.y, points.w, points.h, "SCORE");
    draw_panel(canvas, fonts, lines.x, lines.y, lines.w, lines.h, "LINES");
    if (timed) {
        Box time = sized_box_from(prefs, "time");
        draw_panel(canvas, fonts, time.x, time.y, time.w, time.h, "TIME");
    }
    draw_logo(canvas, fonts, well.x / 2, well.y + 2);
    return canvas.save_png(path);
}

bool make_blocks(ConfigStore& prefs, const std::string& folder) {
    int block = prefs.get_int("block_size");
    Canvas canvas(block, 7 * block);
    for (int tile = 0; tile < 7; ++tile) {
        draw_block(canvas, 0, tile * block, block, tile_colour(tile));
    }
    return canvas.save_png(folder + "/blocks.png");
}

// Rows [first, last] of the canvas that hold any ink.
void ink_rows(const Canvas& canvas, int& first, int& last) {
    first = canvas.height;
    last = -1;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            if (canvas.pixels[static_cast<size_t>(y) * canvas.width + x].a > 0.02f) {
                first = std::min(first, y);
                last = std::max(last, y);
            }
        }
    }
}

// Ten glyph cells stacked top to bottom. All digits share one baseline, and the band of rows
// the digits cover is centred in the cell, so a number reads evenly at any value.
bool make_digits(TTF_Font* font, int cell_w, int cell_h, Colour top, Colour bottom,
                 const std::string& path) {
    if (font == nullptr) {
        return false;
    }
    int first = 1 << 20, last = -1;
    for (char digit = '0'; digit <= '9'; ++digit) {
        int f, l;
        ink_rows(text_canvas(font, std::string(1, digit), solid(hex(0xffffff))), f, l);
        first = std::min(first, f);
        last = std::max(last, l);
    }
    int shift = (cell_h - (last - first + 1)) / 2 - first;
    Canvas strip(cell_w, 10 * cell_h);
    for (char digit = '0'; digit <= '9'; ++digit) {
        Canvas glyph = text_canvas(font, std::string(1, digit), gradient(top, bottom, first, last));
        int x = (cell_w - glyph.width) / 2;
        // Drawn into a cell of its own first, so that nothing spills into the next digit.
        Canvas shadow(cell_w, cell_h);
        shadow.draw(glyph.silhouette(hex(0x000000, 0.65f)), x + 1, shift + 2);
        Canvas cell = shadow.blurred(1);
        cell.draw(glyph, x, shift);
        strip.draw(cell, 0, (digit - '0') * cell_h);
    }
    return strip.save_png(path);
}

// A translucent rounded card with a title and a hint, for the pause and game-over screens.
bool make_card(FontShelf& fonts, int w, int h, const std::string& title, Colour title_top,
               Colour title_bottom, const std::string& hint, const std::string& path) {
    const int margin = 12;
    Canvas canvas(w + 2 * margin, h + 2 * margin);
    draw_glow(canvas, margin, margin + 4, w, h, 18, hex(0x000000, 0.6f), 6);
    canvas.fill_rounded(margin, margin, w, h, 18,
                        gradient(hex(0x1b2046, 0.93f), hex(0x0f1228, 0.93f), margin, margin + h));
    canvas.stroke_rounded(margin, margin, w, h, 18, 2.0f,
                          gradient(title_top, title_bottom, margin, margin + h));
    int centre = margin + w / 2;
    int title_height = draw_text_centred(canvas, fonts.get(true, 27), title, centre,
                                         margin + h / 2 - 34, title_top, title_bottom, 1);
    draw_text_centred(canvas, fonts.get(false, 13), hint, centre,
                      margin + h / 2 - 34 + title_height + 10, palette::text, palette::muted);
    return canvas.save_png(path);
}

}  // namespace

bool make_game_images(ConfigStore& prefs, FontShelf& fonts, const std::string& folder) {
    return make_background(prefs, fonts, folder + "/background.png", false) &&
           make_background(prefs, fonts, folder + "/background_timed.png", true) &&
           make_blocks(prefs, folder) &&
           make_digits(fonts.get(true, 56), kLargeDigitWidth, kLargeDigitHeight, hex(0xffffff),
                       hex(0x7fdcff), folder + "/digits_large.png") &&
           make_digits(fonts.get(true, 26), kSmallDigitWidth, kSmallDigitHeight, hex(0xffffff),
                       hex(0xc3cbeb), folder + "/digits_small.png") &&
           make_card(fonts, 232, 118, "PAUSED", palette::cyan, palette::violet,
                     "press pause again to play on", folder + "/paused.png") &&
           make_card(fonts, 232, 132, "GAME OVER", palette::orange, palette::pink,
                     "press Return for the menu", folder + "/game_over.png");
}
