#pragma once

// Every window of the program, in one list: its description, how the program
// makes its single instance, and the main window's menu entry that shows it.
// Whatever needs the set of windows (the program, the tools that write the
// descriptions out, the tests) reads it here.

#include "platform/form.h"

#include <memory>
#include <string_view>
#include <vector>

namespace orvanel {

struct ProgramForm {
    platform::FormDescription (*describe)();
    // Makes an information window; nothing for the main window, which the
    // program makes at the start.
    std::unique_ptr<platform::Form> (*make)(platform::Runtime &runtime);
    // The entry of the main window's menus that shows the window; empty for the
    // main window.
    std::string_view shownBy;
};

// The main window first, then the information windows.
const std::vector<ProgramForm> &programForms();

// The descriptions of every window, in the order of programForms().
std::vector<platform::FormDescription> allFormDescriptions();

// The window whose description has that name; a DescriptionError for a name no
// window has.
const ProgramForm &programForm(std::string_view name);

} // namespace orvanel
