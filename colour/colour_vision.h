// Colours as players with a colour-vision deficiency see them, and how far apart two colours
// look: what the checker warns about when two pieces or a text and its background blend.
#pragma once

#include <string>

struct Rgb {
    double r, g, b;  // sRGB, each 0..255
};

enum class Deficiency { protanopia, deuteranopia, tritanopia };

// "protanopia", "deuteranopia", "tritanopia".
const char* deficiency_name(Deficiency deficiency);

// The colour as a dichromat of that kind sees it, by the full-severity simulation matrices of
// Machado, Oliveira and Fernandes (2009), applied to linear RGB.
Rgb simulate(const Rgb& colour, Deficiency deficiency);

// The CIE76 colour difference: the distance of the two colours in CIELAB (D65 white).
// About 2.3 is just noticeable side by side; pieces in play need far more.
double colour_difference(const Rgb& a, const Rgb& b);

// The contrast ratio of two colours as accessibility guidelines define it, from 1 (the same
// luminance) to 21 (black on white).
double contrast_ratio(const Rgb& a, const Rgb& b);

// The smallest difference, under any of the three deficiencies, at which two piece tiles are
// still told apart at a glance.
const double least_tile_difference = 12.0;
// The least contrast of a text with its background.
const double least_text_contrast = 4.5;
