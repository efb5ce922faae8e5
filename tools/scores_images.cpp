#include "tools/scores_images.h"

#include "tools/image_parts.h"

namespace {

bool make_scores_background(int width, int height, const std::string& folder) {
    Canvas canvas(width, height);
    draw_backdrop(canvas);
    draw_card(canvas, 56, 84, width - 112.0f, 412, 0.85f);
    return canvas.save_png(folder + "/scores_background.png");
}

// A faint band for every row; the newest game's row is lit with the accent colours.
bool make_score_row(bool lit, const std::string& path) {
    const int w = 664, h = 32;
    Canvas canvas(w, h);
    if (lit) {
        canvas.fill_rounded(1, 1, w - 2, h - 2, 8,
                            gradient(hex(0x3ad7ff, 0.35f), hex(0x9a6bff, 0.30f), 1, h - 1));
        canvas.stroke_rounded(1, 1, w - 2, h - 2, 8, 1.5f, solid(hex(0x3ad7ff, 0.9f)));
    } else {
        canvas.fill_rounded(1, 1, w - 2, h - 2, 8, solid(hex(0xffffff, 0.05f)));
    }
    return canvas.save_png(path);
}

bool make_name_field(const std::string& folder) {
    const int w = 380, h = 56;
    Canvas canvas(w, h);
    canvas.fill_rounded(2, 2, w - 4, h - 4, 12, solid(hex(0x070914, 0.85f)));
    canvas.stroke_rounded(2, 2, w - 4, h - 4, 12, 2.0f,
                          gradient(hex(0x3ad7ff, 0.9f), hex(0x9a6bff, 0.8f), 2, h - 2));
    return canvas.save_png(folder + "/name_field.png");
}

}  // namespace

bool make_scores_images(int width, int height, const std::string& folder) {
    return make_scores_background(width, height, folder) &&
           make_score_row(false, folder + "/score_row.png") &&
           make_score_row(true, folder + "/score_row_new.png") && make_name_field(folder);
}
