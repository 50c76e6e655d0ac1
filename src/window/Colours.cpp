#include "window/Colours.h"

#include <algorithm>
#include <cmath>

namespace {

// The relative luminance of a colour, from its gamma-encoded sRGB components.
double Luminance(const Rgb& colour)
{
    const auto linear = [](int component) {
        const double c = component / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

// `from` taken `percent` of the way toward `to`.
Rgb Toward(const Rgb& from, const Rgb& to, int percent)
{
    const auto mix = [percent](int a, int b) { return (a * (100 - percent) + b * percent + 50) / 100; };
    return {mix(from.red, to.red), mix(from.green, to.green), mix(from.blue, to.blue)};
}

// How far, in percent, a style may shade a background darker or lighter.
constexpr int kShading = 12;

}  // namespace

double ContrastRatio(const Rgb& a, const Rgb& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb DimmedTextColour(const Rgb& text, const Rgb& background)
{
    constexpr Rgb black{0, 0, 0};
    constexpr Rgb white{255, 255, 255};
    // Styles shade a selected row's highlight (Fusion with a gradient): readable on the
    // background a little darker and a little lighter too.
    const Rgb shades[] = {background, Toward(background, black, kShading),
                          Toward(background, white, kShading)};
    const auto readable = [&shades](const Rgb& colour) {
        for (const Rgb& shade : shades) {
            if (ContrastRatio(colour, shade) < kReadableContrast) {
                return false;
            }
        }
        return true;
    };
    Rgb base = text;
    if (!readable(text)) {
        base = ContrastRatio(black, background) > ContrastRatio(white, background) ? black : white;
    }
    // The farthest step toward the background that keeps it readable.
    for (int percent = 45; percent > 0; --percent) {
        const Rgb dimmed = Toward(base, background, percent);
        if (readable(dimmed)) {
            return dimmed;
        }
    }
    return base;
}
