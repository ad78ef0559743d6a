#pragma once

// A window held as data: what the form builder needs to make it, and nothing
// about what its handlers do.

#include "twips.h"

#include <optional>
#include <string_view>
#include <vector>

namespace orvanel::platform {

enum class ControlKind { Label, TextBox, PushButton, Frame };

struct FontDescription {
    std::string_view face;
    double points = 8.25;
    bool bold = false;
    bool underline = false;
};

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

struct ControlDescription {
    ControlKind kind = ControlKind::Label;
    std::string_view name;
    std::string_view text;
    TwipsRect rect;
    int tabIndex = 0;
    std::optional<FontDescription> font; // none: the form's default font
    std::string_view container; // the frame holding the control; empty: the window
    std::optional<Rgb> textColour;
    std::string_view accessibleName; // for text boxes, whose labels stand apart
};

struct MenuEntryDescription {
    std::string_view name; // may be empty
    std::string_view text; // "&" marks the access key
    std::string_view shortcut; // a key sequence such as "F2"; empty: none
    bool enabled = true;
    std::vector<MenuEntryDescription> submenu; // not empty: the entry opens a menu
};

enum class Placement { CentreOfScreen, WindowSystemDefault };

struct FormDescription {
    std::string_view name;
    std::string_view title;
    int clientWidthTwips = 0;
    int clientHeightTwips = 0; // under the menu bar, if there is one
    Placement placement = Placement::WindowSystemDefault;
    FontDescription defaultFont;
    bool applicationIcon = false; // shows the program's icon; false: none of its own
    std::vector<ControlDescription> controls;
    std::vector<MenuEntryDescription> menuBar;
};

} // namespace orvanel::platform
