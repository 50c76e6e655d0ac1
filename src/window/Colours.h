#pragma once

// The colours the windows choose themselves; every other colour is the system's.

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const Rgb& other) const
    {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

// The places where a dump line does not follow on, and addresses loaded twice.
inline constexpr Rgb kWarningColour{0xD9, 0x48, 0x0F};

// The contrast ratio of two colours as the Web Content Accessibility Guidelines measure
// it: 1 (none) to 21 (black on white).
double ContrastRatio(const Rgb& a, const Rgb& b);

// The least contrast of text a person must read: 4.5:1.
inline constexpr double kReadableContrast = 4.5;

// The dim colour of the character column on `background`, where the dump line's text is
// `text`: `text` taken toward the background, as far as 45% of the way, while its
// contrast stays readable there, and on the background shaded a little darker or lighter,
// as styles shade a selected row. Where `text` itself is not readable (a light text on a
// middling highlight), black or white, whichever stands out more, is taken instead.
Rgb DimmedTextColour(const Rgb& text, const Rgb& background);
