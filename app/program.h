#pragma once

#include "platform/window_slot.h"
#include "ui/main/frmorvix.h"

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

// Makes the program's windows, shows the main window and runs until the
// program ends; returns its exit status. Where the windows cannot be made, the
// user is told what failed in a message box, and the status is 1.
int runProgram(platform::Runtime &runtime);

} // namespace orvanel
