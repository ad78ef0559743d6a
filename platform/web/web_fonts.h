#pragma once

// The faces the web site ships in place of the Windows ones. Every window
// description's font is drawn in one of them, so that texts break into the
// same lines in every browser, whatever fonts its system has.

#include "platform/form_description.h"

#include <string>
#include <string_view>

namespace orvanel::platform {

struct WebFace {
    // The face's file under fonts/, without its extension; its CSS family is
    // "orvanel-" followed by this name.
    std::string_view file;
    // Whether the browser draws the face emboldened: for a bold font whose
    // stand-in has no bold design of its own.
    bool emboldened = false;
};

// The face that stands in for a description's font; faces the site does not
// know are drawn in the stand-ins of MS Sans Serif.
WebFace webFace(const FontDescription &font);

// The faces of the page's own texts: menus, message boxes and title bars, as
// Windows draws them in MS Sans Serif, the captions in bold.
WebFace menuFace();
WebFace captionFace();

// The CSS font-family list that draws in a face: the face itself, then the cut
// of it that the page brings for the start-up window's first paint (family
// "orvanel-" + file + "-first", the same glyphs), which stands in until the
// whole face has arrived.
std::string cssFamily(const WebFace &face);

} // namespace orvanel::platform
