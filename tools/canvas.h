// A small RGBA painting surface for the image generator: anti-aliased rounded rectangles,
// vertical gradients, blur for glows and shadows, text through SDL_ttf, and PNG output.
#pragma once

#include <SDL_ttf.h>

#include <string>
#include <vector>

// A colour with straight (not premultiplied) alpha, each channel 0..1.
struct Colour {
    float r, g, b, a;
};

// 0xRRGGBB with the given opacity.
Colour hex(unsigned rgb, float alpha = 1.0f);
// a at t = 0, b at t = 1, every channel linearly in between.
Colour mix(Colour a, Colour b, float t);
// The colour moved toward white (amount > 0) or black (amount < 0) by |amount|.
Colour shade(Colour c, float amount);

// What a shape is filled with: a vertical gradient from `top` on row y0 to `bottom` on row y1
// (rows outside take the nearer end). A solid colour has top == bottom.
struct Paint {
    Colour top;
    Colour bottom;
    float y0;
    float y1;

    Colour at(float y) const;
};
Paint solid(Colour c);
Paint gradient(Colour top, Colour bottom, float y0, float y1);

class Canvas {
public:
    int width;
    int height;
    std::vector<Colour> pixels;  // premultiplied, row by row from the top; starts transparent

    Canvas(int w, int h);

    // Lays `c` over the pixel with the given coverage (0..1). Pixels outside are ignored.
    void blend(int x, int y, Colour c, float coverage);
    // Lays another canvas over this one with its top-left corner at (x, y), clipped.
    void draw(const Canvas& other, int x, int y, float opacity = 1.0f);

    void fill_rect(int x, int y, int w, int h, Paint paint);
    // Anti-aliased rounded rectangle; the corners are quarter circles of `radius`.
    void fill_rounded(float x, float y, float w, float h, float radius, Paint paint);
    // The outline of the same shape, `thickness` pixels wide, lying inside its edge.
    void stroke_rounded(float x, float y, float w, float h, float radius, float thickness,
                        Paint paint);

    // A copy with every channel box-blurred three times (close to a gaussian of `radius`).
    Canvas blurred(int radius) const;
    // A copy in one colour, keeping only this canvas's coverage (for shadows and glows).
    Canvas silhouette(Colour c) const;

    // Writes an 8-bit RGBA PNG. Returns false (and prints why) when it cannot.
    bool save_png(const std::string& path) const;
};

// Signed distance from the pixel centre (px + 0.5, py + 0.5) to the edge of a rounded
// rectangle: negative inside, positive outside.
float rounded_rect_distance(float px, float py, float x, float y, float w, float h, float radius);

// A canvas holding `text` in `font`, painted with `paint` (its rows count from the text's top).
// `spacing` adds that many pixels after every character (for letter-spaced labels).
// An empty canvas (1 x 1, transparent) when the font cannot render the text.
Canvas text_canvas(TTF_Font* font, const std::string& text, Paint paint, int spacing = 0);
