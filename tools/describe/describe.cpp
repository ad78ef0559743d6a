// Writes the program's window descriptions and message texts as JSON, for the
// browser tests, which check the page against them:
//   orvanel-describe [OUT.json]   (standard output without an argument)
//
// Standard C++ and the program's own description code only, so that a cross
// build can run it with the host's compiler.

#include "app/forms.h"
#include "calc/max_block_dex.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace orvanel;
using namespace orvanel::platform;

// A JSON string: quotes, backslashes and control characters escaped; other
// bytes, UTF-8 included, as they are.
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

// The shortest text that reads back as the same double.
std::string number(double value)
{
    std::array<char, 32> digits {};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    return std::string(digits.data(), end);
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

// Members of one JSON object, written in the order they are added.
class Object {
public:
    Object &add(std::string_view key, std::string value)
    {
        m_members.emplace_back(std::string(key), std::move(value));
        return *this;
    }
    Object &text(std::string_view key, std::string_view value) { return add(key, quoted(value)); }
    Object &integer(std::string_view key, int value) { return add(key, std::to_string(value)); }
    Object &boolean(std::string_view key, bool value) { return add(key, value ? "true" : "false"); }

    std::string str() const
    {
        std::string out = "{";
        for (std::size_t i = 0; i < m_members.size(); ++i)
            out += (i ? ", " : "") + quoted(m_members[i].first) + ": " + m_members[i].second;
        return out + "}";
    }

private:
    std::vector<std::pair<std::string, std::string>> m_members;
};

template<class T, class Write> std::string array(const std::vector<T> &items, Write write)
{
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? ",\n" : "\n") + write(items[i]);
    return out + (items.empty() ? "]" : "\n]");
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

std::string form(const ProgramForm &programForm)
{
    const FormDescription f = programForm.describe();
    return Object()
        .text("name", f.name)
        .text("shownBy", programForm.shownBy)
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

// Every message the program can show, by the name of its notice or failure.
std::string messages()
{
    Object object;
    for (const NamedMessage &message : namedMessages())
        object.text(message.name, message.text);
    return object.str();
}

std::string document()
{
    return Object().add("forms", array(programForms(), form)).add("messages", messages()).str()
        + "\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 2) {
        std::cerr << "usage: orvanel-describe [OUT.json]\n";
        return 2;
    }
    const std::string json = document();
    if (argc == 1) {
        std::cout << json;
        return std::cout.flush() ? 0 : 1;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << json;
    out.close();
    if (!out) {
        std::cerr << "orvanel-describe: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
