#pragma once

// A window held as data: what the form builder needs to make it, and nothing
// about what its handlers do. Descriptions own their texts, so a window can
// keep the description it was made from for as long as it lives.

#include "platform/twips.h"

#include <optional>
#include <string>
#include <vector>

namespace orvanel::platform {

enum class ControlKind { Label, TextBox, PushButton, Frame };

struct FontDescription {
    std::string face;
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
    std::string name;
    std::string text;
    TwipsRect rect;
    int tabIndex = 0;
    std::optional<FontDescription> font; // none: the form's default font
    std::string container; // the frame holding the control; empty: the window
    std::optional<Rgb> textColour;
    // For a text box: the label that names it to screen readers, as the label
    // beside it names it to the eye. Empty: none.
    std::string label;
    // The program's writes into the box are told to screen readers as they
    // happen, wherever the focus is: the box holds a result.
    bool announced = false;
};

struct MenuEntryDescription {
    std::string name; // may be empty
    std::string text; // "&" marks the access key
    std::string shortcut; // a function key, "F1" to "F12"; empty: none
    bool enabled = true;
    std::vector<MenuEntryDescription> submenu; // not empty: the entry opens a menu
};

enum class Placement { CentreOfScreen, WindowSystemDefault };

struct FormDescription {
    std::string name;
    std::string title;
    int clientWidthTwips = 0;
    int clientHeightTwips = 0; // under the menu bar, if there is one
    Placement placement = Placement::WindowSystemDefault;
    FontDescription defaultFont;
    bool applicationIcon = false; // shows the program's icon; false: none of its own
    std::vector<ControlDescription> controls;
    std::vector<MenuEntryDescription> menuBar;
};

// Every menu entry of a description, depth first in the order shown, each
// with its number in that order: the number a runtime knows the entry by.
template<class Visit> void forEachMenuEntry(const FormDescription &form, Visit visit)
{
    int number = 0;
    const auto walk = [&](const auto &self, const std::vector<MenuEntryDescription> &entries,
                          int depth) -> void {
        for (const MenuEntryDescription &entry : entries) {
            visit(entry, number++, depth);
            self(self, entry.submenu, depth + 1);
        }
    };
    walk(walk, form.menuBar, 0);
}

// The name a screen reader gives a control: a text box its label's text, a
// button or frame its own text without the access-key marks, a label its text.
std::string accessibleName(const FormDescription &form, const ControlDescription &control);

// The function key of a shortcut, 1 for "F1" to 12 for "F12"; nothing for
// any other text. These are the shortcuts every runtime can bind.
std::optional<int> functionKey(std::string_view shortcut);

} // namespace orvanel::platform
