#include "platform/description_json.h"

#include <array>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orvanel::platform::json {

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            std::array<char, 7> escape {};
            std::snprintf(escape.data(), escape.size(), "\\u%04x", byte);
            out += escape.data();
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string number(double value)
{
    if (!std::isfinite(value))
        return "null";
    // The fewest significant digits that read back as the value; printf and
    // strtod agree on the decimal point, which JSON always writes as ".".
    std::array<char, 32> digits {};
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(digits.data(), digits.size(), "%.*g", precision, value);
        if (std::strtod(digits.data(), nullptr) == value)
            break;
    }
    std::string out(digits.data());
    const char point = *std::localeconv()->decimal_point;
    for (char &c : out) {
        if (c == point)
            c = '.';
    }
    return out;
}

Object &Object::add(std::string_view key, std::string value)
{
    m_members.emplace_back(std::string(key), std::move(value));
    return *this;
}

std::string Object::str() const
{
    std::string out = "{";
    for (std::size_t i = 0; i < m_members.size(); ++i)
        out += (i ? ", " : "") + quoted(m_members[i].first) + ": " + m_members[i].second;
    return out + "}";
}

std::string_view kindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
        return "label";
    case ControlKind::TextBox:
        return "textBox";
    case ControlKind::PushButton:
        return "pushButton";
    case ControlKind::Frame:
        return "frame";
    }
    return "unknown";
}

std::string_view placementName(Placement placement)
{
    return placement == Placement::CentreOfScreen ? "centreOfScreen" : "windowSystemDefault";
}

std::string font(const FontDescription &f)
{
    return Object()
        .text("face", f.face)
        .add("points", number(f.points))
        .boolean("bold", f.bold)
        .boolean("underline", f.underline)
        .str();
}

std::string control(const FormDescription &f, const ControlDescription &c)
{
    return Object()
        .text("kind", kindName(c.kind))
        .text("name", c.name)
        .text("text", c.text)
        .add("rect",
            Object()
                .integer("left", c.rect.left)
                .integer("top", c.rect.top)
                .integer("width", c.rect.width)
                .integer("height", c.rect.height)
                .str())
        .integer("tabIndex", c.tabIndex)
        .add("font", c.font ? font(*c.font) : "null")
        .text("container", c.container)
        .add("textColour",
            c.textColour ? Object()
                               .integer("red", c.textColour->red)
                               .integer("green", c.textColour->green)
                               .integer("blue", c.textColour->blue)
                               .str()
                         : "null")
        .text("label", c.label)
        .boolean("announced", c.announced)
        .text("accessibleName", accessibleName(f, c))
        .str();
}

std::string menuEntry(const MenuEntryDescription &entry)
{
    return Object()
        .text("name", entry.name)
        .text("text", entry.text)
        .text("shortcut", entry.shortcut)
        .boolean("enabled", entry.enabled)
        .add("submenu", array(entry.submenu, menuEntry))
        .str();
}

std::string form(const FormDescription &f)
{
    return Object()
        .text("name", f.name)
        .text("title", f.title)
        .integer("clientWidthTwips", f.clientWidthTwips)
        .integer("clientHeightTwips", f.clientHeightTwips)
        .text("placement", placementName(f.placement))
        .add("defaultFont", font(f.defaultFont))
        .boolean("applicationIcon", f.applicationIcon)
        .add("controls",
            array(f.controls, [&](const ControlDescription &c) { return control(f, c); }))
        .add("menuBar", array(f.menuBar, menuEntry))
        .str();
}

} // namespace orvanel::platform::json
