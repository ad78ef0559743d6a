#pragma once

// Window descriptions written as JSON: for the browser tests, which check the
// page against them, and for the web runtime, whose page builds each window
// from this text. Standard C++ only.

#include "platform/form_description.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvanel::platform::json {

// A JSON string: quotes, backslashes and control characters escaped (NUL
// included); other bytes, UTF-8 included, as they are.
std::string quoted(std::string_view text);

// The shortest text that reads back as the same double; null for a value
// JSON cannot hold.
std::string number(double value);

// Members of one JSON object, written in the order they are added.
class Object {
public:
    Object &add(std::string_view key, std::string value);
    Object &text(std::string_view key, std::string_view value) { return add(key, quoted(value)); }
    Object &integer(std::string_view key, long long value)
    {
        return add(key, std::to_string(value));
    }
    Object &boolean(std::string_view key, bool value) { return add(key, value ? "true" : "false"); }

    std::string str() const;

private:
    std::vector<std::pair<std::string, std::string>> m_members;
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
