// Menu pictures. Normal and hover plates of a button have the same size, because the menu
// repaints only the area of the picture a button shows after a hover change.
#include "tools/menu_images.h"

namespace {

// A fixed little generator, so that the scattered blocks are the same on every run.
class Dice {
public:
    unsigned state = 20261206u;

    int roll(int sides) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) % static_cast<unsigned>(sides));
    }
};

// A ragged heap of settled blocks along the bottom and a few pieces on their way down.
void draw_block_heap(Canvas& canvas, int block) {
    Dice dice;
    int columns = canvas.width / block + 1;
    for (int column = 0; column < columns; ++column) {
        // Lower in the middle, where the buttons are, higher at the sides.
        int distance = column < columns / 2 ? columns / 2 - column : column - columns / 2;
        int stack = 1 + dice.roll(2) + distance / 3;
        for (int row = 0; row < stack; ++row) {
            int y = canvas.height - (row + 1) * block;
            draw_block(canvas, column * block, y, block, tile_colour(dice.roll(7)), 0.30f);
        }
    }
    // Four pieces on their way down: column, row, tile and the four cells of each.
    struct Falling {
        int column, row, tile;
        int cells[4][2];
    };
    const Falling falling[] = {
        {3, 3, 0, {{0, 0}, {0, 1}, {0, 2}, {0, 3}}},
        {24, 5, 3, {{1, 0}, {2, 0}, {0, 1}, {1, 1}}},
        {5, 11, 6, {{2, 0}, {0, 1}, {1, 1}, {2, 1}}},
        {24, 10, 1, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
    };
    for (const Falling& piece : falling) {
        for (const auto& cell : piece.cells) {
            draw_block(canvas, (piece.column + cell[0]) * block, (piece.row + cell[1]) * block,
                       block, tile_colour(piece.tile), 0.20f);
        }
    }
}

bool make_main_background(int width, int height, const std::string& folder) {
    Canvas canvas(width, height);
    draw_backdrop(canvas);
    draw_block_heap(canvas, 28);
    return canvas.save_png(folder + "/menu_background.png");
}

bool make_prefs_background(int width, int height, const std::string& folder) {
    Canvas canvas(width, height);
    draw_backdrop(canvas);
    draw_card(canvas, 40, 104, width - 80.0f, 386, 0.8f);
    return canvas.save_png(folder + "/prefs_background.png");
}

bool make_title(FontShelf& fonts, const std::string& folder) {
    TTF_Font* font = fonts.get(true, 76);
    if (font == nullptr) {
        return false;
    }
    Canvas text = text_canvas(font, "DERevarez", solid(hex(0xffffff)));
    const int margin = 30;
    Canvas canvas(text.width + 2 * margin, text.height + 2 * margin);
    Canvas glow(canvas.width, canvas.height);
    glow.draw(text.silhouette(hex(0x3ad7ff, 0.55f)), margin, margin);
    canvas.draw(glow.blurred(9), 0, 0);
    draw_text_centred(canvas, font, "DERevarez", canvas.width / 2, margin, hex(0x8ff0ff),
                      palette::violet);
    return canvas.save_png(folder + "/title.png");
}

// A pill-shaped plate: quiet and outlined normally, lit with the accent gradient on hover.
enum class Plate { normal, hover, lit };

// A button plate w pixels wide; the small ones are the tabs of the scores screen, whose lit
// plate marks the table shown.
bool make_button(Plate plate, int w, const std::string& path) {
    const int h = 48, margin_x = 12, margin_y = 8;
    Canvas canvas(w + 2 * margin_x, h + 2 * margin_y);
    float top = margin_y, bottom = margin_y + h;
    if (plate == Plate::lit) {
        canvas.fill_rounded(margin_x, margin_y, w, h, h / 2,
                            gradient(hex(0x3ad7ff, 0.35f), hex(0x9a6bff, 0.30f), top, bottom));
        canvas.stroke_rounded(margin_x, margin_y, w, h, h / 2, 1.5f, solid(hex(0x3ad7ff, 0.9f)));
    } else if (plate == Plate::hover) {
        draw_glow(canvas, margin_x, margin_y, w, h, h / 2, hex(0x3ad7ff, 0.45f), 4);
        canvas.fill_rounded(margin_x, margin_y, w, h, h / 2,
                            gradient(hex(0x5fe3ff), hex(0x8a6bff), top, bottom));
        canvas.stroke_rounded(margin_x, margin_y, w, h, h / 2, 1.5f, solid(hex(0xffffff, 0.55f)));
    } else {
        canvas.fill_rounded(margin_x, margin_y, w, h, h / 2,
                            gradient(hex(0x262c55, 0.85f), hex(0x181c3a, 0.85f), top, bottom));
        canvas.stroke_rounded(margin_x, margin_y, w, h, h / 2, 1.5f,
                              gradient(hex(0x3ad7ff, 0.55f), hex(0x9a6bff, 0.45f), top, bottom));
    }
    return canvas.save_png(path);
}

// One line of the key list, sized for two columns of them in the panel: a faint band
// normally, an outlined and tinted one on hover.
bool make_row(bool hover, const std::string& path) {
    const int w = 340, h = 34, margin_x = 4, margin_y = 3;
    Canvas canvas(w + 2 * margin_x, h + 2 * margin_y);
    float top = margin_y, bottom = margin_y + h;
    if (hover) {
        canvas.fill_rounded(margin_x, margin_y, w, h, 10,
                            gradient(hex(0x3ad7ff, 0.26f), hex(0x9a6bff, 0.22f), top, bottom));
        canvas.stroke_rounded(margin_x, margin_y, w, h, 10, 1.5f, solid(hex(0x3ad7ff, 0.85f)));
    } else {
        canvas.fill_rounded(margin_x, margin_y, w, h, 10, solid(hex(0xffffff, 0.05f)));
        canvas.stroke_rounded(margin_x, margin_y, w, h, 10, 1.0f, solid(hex(0xffffff, 0.08f)));
    }
    return canvas.save_png(path);
}

}  // namespace

bool make_menu_images(FontShelf& fonts, int width, int height, const std::string& folder) {
    return make_main_background(width, height, folder) &&
           make_prefs_background(width, height, folder) && make_title(fonts, folder) &&
           make_button(Plate::normal, 276, folder + "/button.png") &&
           make_button(Plate::hover, 276, folder + "/button_over.png") &&
           make_button(Plate::normal, 112, folder + "/tab.png") &&
           make_button(Plate::hover, 112, folder + "/tab_over.png") &&
           make_button(Plate::lit, 112, folder + "/tab_lit.png") &&
           make_row(false, folder + "/row.png") && make_row(true, folder + "/row_over.png");
}
