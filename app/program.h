#pragma once

#include "app/forms.h"
#include "platform/window_slot.h"
#include "ui/main/frmorvix.h"

#include <map>
#include <string>
#include <string_view>

namespace orvanel {

// The short name of the program, used as the title of every message box; the
// main window carries the long name.
inline constexpr std::string_view applicationTitle = "Orvix";

// The application's windows: the main window from the start, and a slot for
// the single instance of each information window of programForms().
struct Program {
    explicit Program(platform::Runtime &runtime);

    // The slot of an information window; a DescriptionError for a name that no
    // information window has.
    platform::WindowSlot &slot(std::string_view form);
    // The window of that name, once it exists; a DescriptionError for a name
    // that no window of the program has.
    platform::Form *form(std::string_view name) const;

    // By the windows' names.
    std::map<std::string, platform::WindowSlot, std::less<>> windowSlots;
    frmorvix main;

private:
    const platform::WindowSlot &slotOf(std::string_view form) const;
};

// Makes the program's windows, shows the main window and runs until the
// program ends; returns its exit status. Where the windows cannot be made, the
// user is told what failed in a message box, and the status is 1.
int runProgram(platform::Runtime &runtime);

} // namespace orvanel
