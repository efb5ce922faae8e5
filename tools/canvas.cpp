// Pixels are kept premultiplied so that laying one colour over another, and blurring, are
// plain sums; they are turned back into straight alpha only when the PNG is written.
#include "tools/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/png_file.h"

namespace {

float clamp01(float v) {
    return std::min(1.0f, std::max(0.0f, v));
}

Colour premultiplied(Colour c, float coverage) {
    float a = clamp01(c.a * coverage);
    return Colour{c.r * a, c.g * a, c.b * a, a};
}

unsigned char to_byte(float v) {
    return static_cast<unsigned char>(std::lround(clamp01(v) * 255.0f));
}

// One pass of a horizontal or vertical box blur of width 2 * radius + 1.
std::vector<Colour> box_blur(const std::vector<Colour>& in, int w, int h, int radius,
                             bool horizontal) {
    std::vector<Colour> out(in.size(), Colour{0, 0, 0, 0});
    int lines = horizontal ? h : w;
    int length = horizontal ? w : h;
    float scale = 1.0f / (2 * radius + 1);
    for (int line = 0; line < lines; ++line) {
        for (int i = 0; i < length; ++i) {
            Colour sum{0, 0, 0, 0};
            for (int k = std::max(0, i - radius); k <= std::min(length - 1, i + radius); ++k) {
                const Colour& p = horizontal ? in[line * w + k] : in[k * w + line];
                sum.r += p.r;
                sum.g += p.g;
                sum.b += p.b;
                sum.a += p.a;
            }
            Colour& target = horizontal ? out[line * w + i] : out[i * w + line];
            target = Colour{sum.r * scale, sum.g * scale, sum.b * scale, sum.a * scale};
        }
    }
    return out;
}

// With spacing the text is set one character at a time; without, in one piece, so that
// SDL_ttf's own kerning applies.
std::vector<std::string> text_pieces(const std::string& text, int spacing) {
    std::vector<std::string> pieces;
    if (spacing == 0) {
        pieces.push_back(text);
        return pieces;
    }
    for (char ch : text) {
        pieces.push_back(std::string(1, ch));
    }
    return pieces;
}

// Lays `paint` over the canvas wherever the rendered glyphs have ink, their left edge at pen.
void paint_coverage(Canvas& canvas, SDL_Surface* glyphs, int pen, Paint paint) {
    SDL_LockSurface(glyphs);
    for (int y = 0; y < glyphs->h; ++y) {
        Uint32* row =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(glyphs->pixels) + y * glyphs->pitch);
        for (int x = 0; x < glyphs->w; ++x) {
            Uint8 r, g, b, a;
            SDL_GetRGBA(row[x], glyphs->format, &r, &g, &b, &a);
            canvas.blend(pen + x, y, paint.at(y + 0.5f), a / 255.0f);
        }
    }
    SDL_UnlockSurface(glyphs);
}

}  // namespace

Colour hex(unsigned rgb, float alpha) {
    return Colour{((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f,
                  alpha};
}

Colour mix(Colour a, Colour b, float t) {
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
                  a.a + (b.a - a.a) * t};
}

Colour shade(Colour c, float amount) {
    Colour target = amount > 0 ? Colour{1, 1, 1, c.a} : Colour{0, 0, 0, c.a};
    return mix(c, target, std::fabs(amount));
}

Colour Paint::at(float y) const {
    if (y1 <= y0) {
        return top;
    }
    return mix(top, bottom, clamp01((y - y0) / (y1 - y0)));
}

Paint solid(Colour c) {
    return Paint{c, c, 0, 0};
}

Paint gradient(Colour top, Colour bottom, float y0, float y1) {
    return Paint{top, bottom, y0, y1};
}

Canvas::Canvas(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {
    std::fill(pixels.begin(), pixels.end(), Colour{0, 0, 0, 0});
}

void Canvas::blend(int x, int y, Colour c, float coverage) {
    if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0.0f) {
        return;
    }
    Colour src = premultiplied(c, coverage);
    Colour& dst = pixels[static_cast<size_t>(y) * width + x];
    float keep = 1.0f - src.a;
    dst = Colour{src.r + dst.r * keep, src.g + dst.g * keep, src.b + dst.b * keep,
                 src.a + dst.a * keep};
}

void Canvas::draw(const Canvas& other, int x, int y, float opacity) {
    for (int oy = 0; oy < other.height; ++oy) {
        for (int ox = 0; ox < other.width; ++ox) {
            const Colour& p = other.pixels[static_cast<size_t>(oy) * other.width + ox];
            if (p.a > 0.0f) {
                // Back to straight alpha, since blend() takes straight colours.
                blend(x + ox, y + oy, Colour{p.r / p.a, p.g / p.a, p.b / p.a, p.a}, opacity);
            }
        }
    }
}

void Canvas::fill_rect(int x, int y, int w, int h, Paint paint) {
    for (int py = y; py < y + h; ++py) {
        Colour c = paint.at(py + 0.5f);
        for (int px = x; px < x + w; ++px) {
            blend(px, py, c, 1.0f);
        }
    }
}

float rounded_rect_distance(float px, float py, float x, float y, float w, float h, float radius) {
    float cx = px + 0.5f - (x + w / 2);
    float cy = py + 0.5f - (y + h / 2);
    float qx = std::fabs(cx) - (w / 2 - radius);
    float qy = std::fabs(cy) - (h / 2 - radius);
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

void Canvas::fill_rounded(float x, float y, float w, float h, float radius, Paint paint) {
    for (int py = static_cast<int>(y) - 1; py <= static_cast<int>(y + h) + 1; ++py) {
        Colour c = paint.at(py + 0.5f);
        for (int px = static_cast<int>(x) - 1; px <= static_cast<int>(x + w) + 1; ++px) {
            float d = rounded_rect_distance(px, py, x, y, w, h, radius);
            blend(px, py, c, clamp01(0.5f - d));
        }
    }
}

void Canvas::stroke_rounded(float x, float y, float w, float h, float radius, float thickness,
                            Paint paint) {
    for (int py = static_cast<int>(y) - 1; py <= static_cast<int>(y + h) + 1; ++py) {
        Colour c = paint.at(py + 0.5f);
        for (int px = static_cast<int>(x) - 1; px <= static_cast<int>(x + w) + 1; ++px) {
            float d = rounded_rect_distance(px, py, x, y, w, h, radius);
            float band = std::fabs(d + thickness / 2) - thickness / 2;
            blend(px, py, c, clamp01(0.5f - band));
        }
    }
}

Canvas Canvas::blurred(int radius) const {
    Canvas result = *this;
    for (int pass = 0; pass < 3; ++pass) {
        result.pixels = box_blur(result.pixels, width, height, radius, true);
        result.pixels = box_blur(result.pixels, width, height, radius, false);
    }
    return result;
}

Canvas Canvas::silhouette(Colour c) const {
    Canvas result(width, height);
    for (size_t i = 0; i < pixels.size(); ++i) {
        float a = pixels[i].a * c.a;
        result.pixels[i] = Colour{c.r * a, c.g * a, c.b * a, a};
    }
    return result;
}

bool Canvas::save_png(const std::string& path) const {
    std::vector<unsigned char> bytes;
    bytes.reserve(pixels.size() * 4);
    for (const Colour& p : pixels) {
        float a = clamp01(p.a);
        bool visible = a > 0.0f;
        bytes.push_back(to_byte(visible ? p.r / a : 0));
        bytes.push_back(to_byte(visible ? p.g / a : 0));
        bytes.push_back(to_byte(visible ? p.b / a : 0));
        bytes.push_back(to_byte(a));
    }
    std::string error;
    if (!write_png(path, width, height, bytes.data(), error)) {
        std::printf("make_images: %s\n", error.c_str());
        return false;
    }
    return true;
}

Canvas text_canvas(TTF_Font* font, const std::string& text, Paint paint, int spacing) {
    std::vector<std::string> pieces = text_pieces(text, spacing);
    int total = 0;
    int height = TTF_FontHeight(font);
    for (const std::string& piece : pieces) {
        int w = 0, h = 0;
        TTF_SizeText(font, piece.c_str(), &w, &h);
        total += w + spacing;
    }
    Canvas result(std::max(total, 1), std::max(height, 1));
    int pen = 0;
    for (const std::string& piece : pieces) {
        SDL_Surface* glyphs =
            TTF_RenderText_Blended(font, piece.c_str(), SDL_Color{255, 255, 255, 0});
        if (glyphs != nullptr) {
            paint_coverage(result, glyphs, pen, paint);
            pen += glyphs->w + spacing;
            SDL_FreeSurface(glyphs);
        }
    }
    return result;
}
