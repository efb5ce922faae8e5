#include "colour/colour_vision.h"

#include <algorithm>
#include <cmath>

namespace {

struct Linear {
    double r, g, b;
};

double to_linear(double channel) {
    double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double to_srgb(double linear) {
    double c = std::clamp(linear, 0.0, 1.0);
    double encoded = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
    return 255.0 * encoded;
}

Linear linear_of(const Rgb& colour) {
    return Linear{to_linear(colour.r), to_linear(colour.g), to_linear(colour.b)};
}

// Rows of the 3x3 matrices for severity 1.0.
const double matrices[3][3][3] = {
    {{0.152286, 1.052583, -0.204868},
     {0.114503, 0.786281, 0.099216},
     {-0.003882, -0.048116, 1.051998}},
    {{0.367322, 0.860646, -0.227968},
     {0.280085, 0.672501, 0.047413},
     {-0.011820, 0.042940, 0.968881}},
    {{1.255528, -0.076749, -0.178779},
     {-0.078411, 0.930809, 0.147602},
     {0.004733, 0.691367, 0.303900}},
};

struct Lab {
    double l, a, b;
};

double lab_f(double t) {
    return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0;
}

Lab lab_of(const Rgb& colour) {
    Linear c = linear_of(colour);
    double x = (0.4124564 * c.r + 0.3575761 * c.g + 0.1804375 * c.b) / 0.95047;
    double y = 0.2126729 * c.r + 0.7151522 * c.g + 0.0721750 * c.b;
    double z = (0.0193339 * c.r + 0.1191920 * c.g + 0.9503041 * c.b) / 1.08883;
    double fx = lab_f(x);
    double fy = lab_f(y);
    double fz = lab_f(z);
    return Lab{116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

double luminance(const Rgb& colour) {
    Linear c = linear_of(colour);
    return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b;
}

}  // namespace

const char* deficiency_name(Deficiency deficiency) {
    switch (deficiency) {
        case Deficiency::protanopia:
            return "protanopia";
        case Deficiency::deuteranopia:
            return "deuteranopia";
        case Deficiency::tritanopia:
            return "tritanopia";
    }
    return "";
}

Rgb simulate(const Rgb& colour, Deficiency deficiency) {
    const double(&m)[3][3] = matrices[static_cast<int>(deficiency)];
    Linear c = linear_of(colour);
    double r = m[0][0] * c.r + m[0][1] * c.g + m[0][2] * c.b;
    double g = m[1][0] * c.r + m[1][1] * c.g + m[1][2] * c.b;
    double b = m[2][0] * c.r + m[2][1] * c.g + m[2][2] * c.b;
    return Rgb{to_srgb(r), to_srgb(g), to_srgb(b)};
}

double colour_difference(const Rgb& a, const Rgb& b) {
    Lab p = lab_of(a);
    Lab q = lab_of(b);
    return std::sqrt((p.l - q.l) * (p.l - q.l) + (p.a - q.a) * (p.a - q.a) +
                     (p.b - q.b) * (p.b - q.b));
}

double contrast_ratio(const Rgb& a, const Rgb& b) {
    double la = luminance(a);
    double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
