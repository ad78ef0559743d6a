#pragma once

// Layout units. Windows and controls are laid out in twips (1/1440 inch) and
// fonts in points; both become device-independent pixels at 96 dots per inch,
// which Qt scales further on high-density screens.

#include <QRect>
#include <QSize>

namespace orvanel::platform {

inline constexpr int twipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return (2 * twips + twipsPerPixel) / (2 * twipsPerPixel);
}

// 8.25 pt gives 11 px, 9.75 pt 13 px and 24 pt 32 px.
constexpr int pointsToPixels(double points)
{
    return static_cast<int>(points * 96.0 / 72.0 + 0.5);
}

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline QRect toPixels(const TwipsRect &r)
{
    return { twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
        twipsToPixels(r.height) };
}

inline QSize toPixels(int widthTwips, int heightTwips)
{
    return { twipsToPixels(widthTwips), twipsToPixels(heightTwips) };
}

} // namespace orvanel::platform
