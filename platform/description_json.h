#pragma once

// Window descriptions written as JSON: for the browser tests, which check the
// page against them, and for the web runtime, whose page builds each window
// from this text. Standard C++ only.

#include "platform/form_description.h"

#include <array>
#include <string>
#include <string_view>

namespace orvanel::platform::json {

// A JSON string: quotes, backslashes and control characters escaped (NUL
// included); other bytes, UTF-8 included, as they are.
std::string quoted(std::string_view text);

// A number as JSON writes it: in fixed notation with the fewest decimals that
// read back as the same double, where the value has such a form with at most
// 17 decimals and fewer than 2^53 units of its last one (the values of a
// description do); any other finite value with 17 digits and an exponent, the
// last digits possibly off by rounding but never past the largest double; null
// for a value JSON cannot hold.
std::string number(double value);

// Members of one JSON object, written in the order they are added.
class Object {
public:
    Object &add(std::string_view key, std::string_view value);
    Object &text(std::string_view key, std::string_view value) { return add(key, quoted(value)); }
    Object &integer(std::string_view key, long long value);
    Object &boolean(std::string_view key, bool value) { return add(key, value ? "true" : "false"); }

    std::string str() const { return m_text + "}"; }

private:
    std::string m_text = "{";
};

// A JSON array of the items, each written by write, one to a line.
template<class Items, class Write> std::string array(const Items &items, Write write)
{
    std::string out = "[";
    bool first = true;
    for (const auto &item : items) {
        out += (first ? "\n" : ",\n") + write(item);
        first = false;
    }
    return out + (first ? "]" : "\n]");
}

// The names a description's kinds and placements have in JSON.
std::string_view kindName(ControlKind kind);
inline constexpr std::array<ControlKind, 4> controlKinds
    = { ControlKind::Label, ControlKind::TextBox, ControlKind::PushButton, ControlKind::Frame };
std::string_view placementName(Placement placement);

std::string font(const FontDescription &font);
// A control, with the name a screen reader gives it.
std::string control(const FormDescription &form, const ControlDescription &control);
std::string menuEntry(const MenuEntryDescription &entry);
// The window with its controls and its menu bar.
std::string form(const FormDescription &form);

} // namespace orvanel::platform::json
