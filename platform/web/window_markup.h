#pragma once

// A window as the page shows it, written from its description: the markup of
// its shadow root (frame, title bar, menu bar with its menus, client area and
// controls, each control with its name as id) and the CSS rules that place and
// size the client area and the controls and give each control its face. The
// program hands both to the page, which builds the window from them; the
// site's build writes the start-up window's into the page, so that the window
// is there at the first paint, and the page takes it over when its signature
// is the one the program computes. Standard C++ only.

#include "platform/form_description.h"

#include <string>
#include <vector>

namespace orvanel::platform {

struct WindowMarkup {
    // Inside the window's shadow root, with the menus that the menu bar's
    // entries open empty.
    std::string html;
    // What each of those menus holds, in the order of the menu bar: the page
    // brings the window without them, which it shows only once the program
    // runs, and fills them in when the program takes the window over.
    std::vector<std::string> menus;
    std::string rules; // CSS, after the windows' common stylesheet
    // Sixteen hex digits that change with the markup, the menus or the rules.
    std::string signature;
};

WindowMarkup windowMarkup(const FormDescription &form);

// The page's rules for what every window draws in the faces of menus and title
// bars, as the runtime sets them when it starts.
std::string pageRules();

// Text and attribute values with &, <, > and " written as references.
std::string escapedHtml(std::string_view text);

} // namespace orvanel::platform
