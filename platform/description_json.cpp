#include "platform/description_json.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace orvanel::platform::json {

namespace {

std::string integerText(long long value)
{
    std::array<char, 24> digits {};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    return std::string(digits.data(), end);
}

// A whole number of units of the decimals'th decimal place, as a decimal.
std::string fixed(long long units, int decimals)
{
    std::string digits = integerText(units < 0 ? -units : units);
    if (decimals == 0)
        return (units < 0 ? "-" : "") + digits;
    const auto places = static_cast<std::size_t>(decimals);
    if (digits.size() <= places)
        digits.insert(0, places + 1 - digits.size(), '0');
    digits.insert(digits.size() - places, 1, '.');
    while (digits.back() == '0')
        digits.pop_back();
    if (digits.back() == '.')
        digits.pop_back();
    return (units < 0 ? "-" : "") + digits;
}

} // namespace

std::string quoted(std::string_view text)
{
    static constexpr std::string_view hex = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
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
    // Powers of ten up to 10^22 are exact doubles, and so is every whole
    // number below 2^53: such a quotient reads back as the value exactly when
    // the decimal it stands for does.
    constexpr double wholeLimit = 9007199254740992.0;
    double scale = 1;
    for (int decimals = 0; decimals <= 17; ++decimals, scale *= 10) {
        const double units = value * scale;
        if (std::fabs(units) >= wholeLimit)
            break;
        if (units == std::trunc(units) && units / scale == value)
            return fixed(static_cast<long long>(units), decimals);
    }
    // 17 digits: the magnitude brought between 10^16 and 10^17 by powers of
    // ten, each step rounded, so that the last digits may be off.
    double magnitude = std::fabs(value);
    int exponent = 16;
    for (; magnitude >= 1e38; exponent += 22)
        magnitude /= 1e22;
    for (; magnitude < 1e-6; exponent -= 22)
        magnitude *= 1e22;
    for (; magnitude >= 1e17; ++exponent)
        magnitude /= 10;
    for (; magnitude < 1e16; --exponent)
        magnitude *= 10;
    auto leading = static_cast<long long>(magnitude + 0.5);
    if (leading >= 100000000000000000LL) {
        leading = (leading + 5) / 10;
        ++exponent;
    }
    // Rounding must not carry the largest doubles past what a double holds.
    constexpr long long largest = 17976931348623157LL; // of 1.7976931348623157e308
    if (exponent == 308 && leading > largest)
        leading = largest;
    return fixed(value < 0 ? -leading : leading, 16) + "e" + integerText(exponent);
}

Object &Object::add(std::string_view key, std::string_view value)
{
    if (m_text.size() > 1)
        m_text += ", ";
    m_text += quoted(key);
    m_text += ": ";
    m_text += value;
    return *this;
}

Object &Object::integer(std::string_view key, long long value)
{
    return add(key, integerText(value));
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
