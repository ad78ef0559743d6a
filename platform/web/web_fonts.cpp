#include "platform/web/web_fonts.h"

#include <array>

namespace orvanel::platform {

namespace {

struct Substitute {
    std::string_view face;
    bool bold = false;
    WebFace standIn;
};

// The same free faces that stand in for the Windows ones on Linux: Tahoma from
// Wine for MS Sans Serif, DejaVu Sans Bold for its bold (Wine's Tahoma Bold is
// hardly heavier than the regular face), OCR A for OCR A Extended and
// Blankenburg, emboldened, for Old English Text MT.
constexpr std::array substitutes {
    Substitute { "MS Sans Serif", false, { "tahoma" } },
    Substitute { "MS Sans Serif", true, { "dejavu-sans-bold" } },
    Substitute { "OCR A Extended", false, { "ocr-a" } },
    Substitute { "OCR A Extended", true, { "ocr-a-bold" } },
    Substitute { "Old English Text MT", false, { "blankenburg" } },
    Substitute { "Old English Text MT", true, { "blankenburg", true } },
};

} // namespace

WebFace webFace(const FontDescription &font)
{
    for (const Substitute &substitute : substitutes) {
        if (substitute.face == font.face && substitute.bold == font.bold)
            return substitute.standIn;
    }
    return webFace({ "MS Sans Serif", font.points, font.bold });
}

WebFace menuFace()
{
    return webFace({ "MS Sans Serif" });
}

WebFace captionFace()
{
    return webFace({ "MS Sans Serif", 8.25, true });
}

std::string cssFamily(const WebFace &face)
{
    const std::string name = "orvanel-" + std::string(face.file);
    return "\"" + name + "\", \"" + name + "-first\", sans-serif";
}

} // namespace orvanel::platform
