#pragma once

#include "frmorvix.h"
#include "window_slot.h"

#include <string_view>

namespace orvanel {

// The short name of the program, used as the title of every message box; the
// main window carries the long name.
inline constexpr std::string_view applicationTitle = "Orvix";

// The application's windows: the main window from the start, and a slot for
// the single instance of each information window.
struct Program {
    explicit Program(platform::Runtime &runtime);

    platform::WindowSlot help;
    platform::WindowSlot about;
    frmorvix main;
};

} // namespace orvanel
