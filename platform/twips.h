#pragma once

// Layout units. Windows and controls are laid out in twips (1/1440 inch) and
// fonts in points. Both become pixels at a given number of dots per inch: at 96
// dpi a pixel is 15 twips, and 8.25 pt is 11 px, 9.75 pt 13 px and 24 pt 32 px.

namespace orvanel::platform {

inline constexpr int designDpi = 96;
inline constexpr int twipsPerInch = 1440;
inline constexpr int twipsPerPixel = twipsPerInch / designDpi;

// Rounds half up, as the layout was measured in whole pixels at 96 dpi.
constexpr int twipsToPixels(int twips, int dpi = designDpi)
{
    const long scaled = 2L * twips * dpi;
    const long whole = 2L * twipsPerInch;
    return static_cast<int>(
        scaled >= 0 ? (scaled + twipsPerInch) / whole : -((-scaled + twipsPerInch) / whole));
}

constexpr int pointsToPixels(double points, int dpi = designDpi)
{
    return static_cast<int>(points * dpi / 72.0 + 0.5);
}

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

} // namespace orvanel::platform
