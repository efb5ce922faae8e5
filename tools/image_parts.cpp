// Building blocks of the game's look. Every picture is drawn from these so that the game
// screen and the menus share one palette and one style of panel, block and text.
#include "tools/image_parts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// A large, very faint disc of colour, blurred into a glow.
void draw_glow_spot(Canvas& canvas, int cx, int cy, int radius, Colour colour) {
    int margin = radius / 2;
    Canvas spot(2 * (radius + margin), 2 * (radius + margin));
    spot.fill_rounded(margin, margin, 2 * radius, 2 * radius, radius, solid(colour));
    canvas.draw(spot.blurred(radius / 3), cx - radius - margin, cy - radius - margin);
}

// Light from the upper left: the top and left rims are lit, the bottom and right in shade.
float bevel_amount(float px, float py, float x0, float y0, float x1, float y1, float depth) {
    float left = px - x0, top = py - y0, right = x1 - px, bottom = y1 - py;
    float nearest = std::min(std::min(left, top), std::min(right, bottom));
    if (nearest >= depth) {
        return 0.0f;
    }
    float strength = 1.0f - nearest / depth;
    bool lit = nearest == top || nearest == left;
    return lit ? 0.45f * strength : -0.40f * strength;
}

}  // namespace

Colour tile_colour(int tile) {
    static const Colour colours[7] = {
        hex(0x2fd3f2),  // I: cyan
        hex(0xf8cd35),  // O: yellow
        hex(0xa46bff),  // T: purple
        hex(0x46d96b),  // S: green
        hex(0xff4f64),  // Z: red
        hex(0x3d78ff),  // J: blue
        hex(0xff963a),  // L: orange
    };
    return colours[tile];
}

FontShelf::FontShelf(std::string font_folder) : folder(std::move(font_folder)) {}

FontShelf::~FontShelf() {
    for (auto& entry : open_fonts) {
        if (entry.second != nullptr) {
            TTF_CloseFont(entry.second);
        }
    }
}

TTF_Font* FontShelf::get(bool bold, int size) {
    std::string name = bold ? "DejaVuSans-Bold.ttf" : "DejaVuSans.ttf";
    TTF_Font*& font = open_fonts[{name, size}];
    if (font == nullptr) {
        std::string path = folder + "/" + name;
        font = TTF_OpenFont(path.c_str(), size);
        if (font == nullptr) {
            std::printf("make_images: cannot open font %s\n", path.c_str());
        }
    }
    return font;
}

void draw_backdrop(Canvas& canvas) {
    canvas.fill_rect(0, 0, canvas.width, canvas.height,
                     gradient(palette::sky_top, palette::sky_bottom, 0, canvas.height));
    draw_glow_spot(canvas, canvas.width / 6, canvas.height / 5, canvas.width / 4,
                   hex(0x3ad7ff, 0.10f));
    draw_glow_spot(canvas, canvas.width * 5 / 6, canvas.height * 4 / 5, canvas.width / 4,
                   hex(0x9a6bff, 0.12f));
}

void draw_block(Canvas& canvas, int x, int y, int size, Colour colour, float opacity) {
    float x0 = x + 1.0f, y0 = y + 1.0f, x1 = x + size - 1.0f, y1 = y + size - 1.0f;
    float radius = size / 7.0f;
    float depth = std::max(2.0f, size / 9.0f);
    for (int py = y; py < y + size; ++py) {
        for (int px = x; px < x + size; ++px) {
            float d = rounded_rect_distance(px, py, x0, y0, x1 - x0, y1 - y0, radius);
            float coverage = std::min(1.0f, std::max(0.0f, 0.5f - d));
            if (coverage <= 0.0f) {
                continue;
            }
            float fy = (py + 0.5f - y0) / (y1 - y0);
            Colour body = shade(colour, 0.18f - 0.42f * fy);
            // A soft gloss over the upper part makes the face read as slightly domed.
            if (fy < 0.45f) {
                body = shade(body, 0.10f * (1.0f - fy / 0.45f));
            }
            body = shade(body, bevel_amount(px + 0.5f, py + 0.5f, x0, y0, x1, y1, depth));
            canvas.blend(px, py, body, coverage * opacity);
        }
    }
    canvas.stroke_rounded(x0, y0, x1 - x0, y1 - y0, radius, 1.0f, solid(shade(colour, -0.55f)));
}

void draw_glow(Canvas& canvas, float x, float y, float w, float h, float radius, Colour colour,
               int blur) {
    int margin = 3 * blur;
    Canvas shape(static_cast<int>(w) + 2 * margin, static_cast<int>(h) + 2 * margin);
    shape.fill_rounded(margin, margin, w, h, radius, solid(colour));
    canvas.draw(shape.blurred(blur), static_cast<int>(x) - margin, static_cast<int>(y) - margin);
}

void draw_card(Canvas& canvas, float x, float y, float w, float h, float opacity) {
    draw_glow(canvas, x, y + 6, w, h, 18, hex(0x000000, 0.5f), 8);
    canvas.fill_rounded(x, y, w, h, 18,
                        gradient(hex(0x1c2142, opacity), hex(0x11142a, opacity), y, y + h));
    canvas.stroke_rounded(x, y, w, h, 18, 1.0f,
                          gradient(hex(0xffffff, 0.22f), hex(0xffffff, 0.06f), y, y + h));
}

void draw_panel(Canvas& canvas, FontShelf& fonts, int x, int y, int w, int h,
                const std::string& label) {
    const int pad = 14;
    const int label_room = 30;
    // Panels share one width where their boxes allow, so the side columns line up.
    int pad_x = std::max(pad, (kPanelWidth - w) / 2);
    float px = x - pad_x, py = y - pad - label_room, pw = w + 2 * pad_x;
    float ph = h + 2 * pad + label_room;
    draw_glow(canvas, px, py + 4, pw, ph, 14, hex(0x000000, 0.45f), 6);
    canvas.fill_rounded(px, py, pw, ph, 14,
                        gradient(hex(0x1c2142, 0.78f), hex(0x12152b, 0.78f), py, py + ph));
    canvas.stroke_rounded(px, py, pw, ph, 14, 1.0f,
                          gradient(hex(0xffffff, 0.20f), hex(0xffffff, 0.06f), py, py + ph));
    // A thin accent line under the label ties the panels to the well's frame.
    canvas.fill_rounded(px + pw / 2 - 18, py + label_room + 2, 36, 2, 1,
                        solid(hex(0x3ad7ff, 0.55f)));
    draw_text_centred(canvas, fonts.get(true, 13), label, x + w / 2, static_cast<int>(py) + 10,
                      palette::cyan, shade(palette::cyan, -0.15f), 3);
    // The box itself: a slightly darker well for the digits or the next piece.
    canvas.fill_rounded(x - 8, y - 4, w + 16, h + 8, 8, solid(hex(0x05060e, 0.35f)));
}

int draw_text_centred(Canvas& canvas, TTF_Font* font, const std::string& text, int centre_x,
                      int top, Colour top_colour, Colour bottom_colour, int spacing) {
    if (font == nullptr) {
        return 0;
    }
    Canvas shape = text_canvas(font, text, solid(hex(0xffffff)), spacing);
    Canvas paint =
        text_canvas(font, text, gradient(top_colour, bottom_colour, 0, shape.height), spacing);
    int left = centre_x - (shape.width - spacing) / 2;
    const int blur = 2;
    Canvas shadow(shape.width + 4 * blur, shape.height + 4 * blur);
    shadow.draw(shape.silhouette(hex(0x000000, 0.7f)), 2 * blur, 2 * blur);
    canvas.draw(shadow.blurred(blur), left - 2 * blur, top - 2 * blur + 2);
    canvas.draw(paint, left, top);
    return shape.height;
}
