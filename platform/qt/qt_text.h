#pragma once

#include "platform/twips.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <string_view>

namespace orvanel::platform {

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Twips as device-independent pixels, which Qt scales further on high-density
// screens.
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
