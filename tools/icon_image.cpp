#include "tools/icon_image.h"

#include "tools/image_parts.h"

namespace {

struct IconBlock {
    int column;
    int row;
    int tile;
};

// On a 4 x 4 grid: a T piece on its way down to a stack of an L and an I standing upright.
const IconBlock icon_blocks[] = {
    {0, 0, 2}, {1, 0, 2}, {2, 0, 2}, {1, 1, 2},  // T
    {0, 2, 6}, {0, 3, 6}, {1, 3, 6}, {2, 3, 6},  // L
    {3, 0, 0}, {3, 1, 0}, {3, 2, 0}, {3, 3, 0},  // I
};

}  // namespace

bool make_icon(int size, const std::string& path) {
    Canvas canvas(size, size);
    float radius = size * 0.18f;
    canvas.fill_rounded(0, 0, size, size, radius,
                        gradient(palette::sky_top, palette::sky_bottom, 0, size));
    if (size >= 32) {
        canvas.stroke_rounded(0, 0, size, size, radius, size / 32.0f,
                              gradient(palette::cyan, palette::violet, 0, size));
    }
    // Small icons keep whole pixels per block so the edges stay sharp.
    int block = (size - 2 * (size / 10)) / 4;
    int margin = (size - 4 * block) / 2;
    for (const IconBlock& b : icon_blocks) {
        int x = margin + b.column * block, y = margin + b.row * block;
        if (block < 8) {
            // Too small for a bevel: a flat square with a one-pixel gap still reads as blocks.
            canvas.fill_rect(x, y, block - 1, block - 1, solid(tile_colour(b.tile)));
        } else {
            draw_block(canvas, x, y, block, tile_colour(b.tile));
        }
    }
    return canvas.save_png(path);
}
