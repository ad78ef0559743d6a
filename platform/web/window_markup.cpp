#include "platform/web/window_markup.h"

#include "platform/description_json.h"
#include "platform/runtime.h"
#include "platform/twips.h"
#include "platform/web/web_fonts.h"

#include <cstdint>
#include <cstdio>
#include <utility>

namespace orvanel::platform {

namespace {

// The length in bytes of the UTF-8 character that starts with this byte.
std::size_t characterLength(char lead)
{
    const auto byte = static_cast<unsigned char>(lead);
    return byte < 0xC0 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
}

std::string withoutMarks(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c != '&')
            out += c;
    }
    return out;
}

std::vector<std::string_view> split(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t at; (at = text.find(separator)) != std::string_view::npos;) {
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
    parts.push_back(text);
    return parts;
}

struct AccessText {
    std::string html; // the access key's letter underlined
    std::string key; // that letter, lower case; empty: none
};

// "&" marks the access key, the first marked letter only; "&&" is an "&".
AccessText accessText(std::string_view text)
{
    AccessText out;
    const std::vector<std::string_view> parts = split(text, "&&");
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string_view part = parts[i];
        if (i > 0)
            out.html += "&amp;";
        const std::size_t at = part.find('&');
        if (at == std::string_view::npos || at + 1 >= part.size() || !out.key.empty()) {
            out.html += escapedHtml(withoutMarks(part));
            continue;
        }
        const std::string_view letter = part.substr(at + 1, characterLength(part[at + 1]));
        out.key = letter;
        if (out.key.size() == 1 && out.key[0] >= 'A' && out.key[0] <= 'Z')
            out.key[0] = static_cast<char>(out.key[0] - 'A' + 'a');
        out.html += escapedHtml(part.substr(0, at)) + "<span class=\"access\">"
            + escapedHtml(letter) + "</span>"
            + escapedHtml(withoutMarks(part.substr(at + 1 + letter.size())));
    }
    return out;
}

// An entry's text as it reads.
std::string plainText(std::string_view text)
{
    std::string out;
    const std::vector<std::string_view> parts = split(text, "&&");
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i > 0 ? "&" : "") + withoutMarks(parts[i]);
    return out;
}

std::string attribute(std::string_view name, std::string_view value)
{
    return " " + std::string(name) + "=\"" + escapedHtml(value) + "\"";
}

// An id as a CSS selector.
std::string idSelector(std::string_view id)
{
    std::string out = "#";
    for (std::size_t i = 0; i < id.size(); ++i) {
        const auto c = static_cast<unsigned char>(id[i]);
        const bool plain = c >= 0x80 || c == '_' || c == '-' || (c >= 'a' && c <= 'z')
            || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9' && i > 0);
        if (plain) {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%x ", c);
            out += escape;
        }
    }
    return out;
}

// CSS pixels at 96 dots per inch, times the scale the window is laid out at.
std::string scaled(double pixels)
{
    return "calc(var(--scale, 1) * " + json::number(pixels) + "px)";
}

std::string twipsLength(int twips)
{
    return scaled(static_cast<double>(twips) / twipsPerPixel);
}

std::string colour(const Rgb &rgb)
{
    char out[8];
    std::snprintf(
        out, sizeof out, "#%02x%02x%02x", rgb.red & 0xFF, rgb.green & 0xFF, rgb.blue & 0xFF);
    return out;
}

class Writer {
public:
    explicit Writer(const FormDescription &form)
        : m_form(form)
    {
    }

    WindowMarkup write()
    {
        WindowMarkup out;
        m_html += "<div class=\"frame\" role=\"dialog\" aria-labelledby=\"title\" tabindex=\"-1\">"
                  "<div class=\"titlebar\">";
        if (m_form.applicationIcon)
            m_html += "<img class=\"icon\" src=\"icons/orvanel-32.png\" alt=\"\">";
        m_html += "<span class=\"title\" id=\"title\">" + escapedHtml(m_form.title)
            + "</span><button class=\"closebox\" type=\"button\" tabindex=\"-1\" "
              "aria-label=\"Close\">\u00d7</button></div>";
        if (!m_form.menuBar.empty()) {
            m_html += "<div class=\"menubar\" role=\"menubar\" aria-label=\"Menu bar\">";
            menu(m_form.menuBar, true);
            m_html += "</div>";
        }
        m_html += "<div class=\"client\">";
        m_rules += ".client { width: " + twipsLength(m_form.clientWidthTwips)
            + "; height: " + twipsLength(m_form.clientHeightTwips) + "; }\n";
        controlsIn("");
        m_html += "</div></div>";
        out.html = std::move(m_html);
        out.rules = std::move(m_rules);
        out.menus = std::move(m_menus);
        std::string signed_ = out.html + '\0' + out.rules;
        for (const std::string &menu : out.menus)
            signed_ += '\0' + menu;
        out.signature = signature(signed_);
        return out;
    }

private:
    // The controls a frame or the client area holds: frames first, each with
    // what it holds, then the others, each in the order described.
    void controlsIn(std::string_view container)
    {
        for (const bool frames : { true, false }) {
            for (const ControlDescription &c : m_form.controls) {
                if (c.container == container && (c.kind == ControlKind::Frame) == frames)
                    control(c);
            }
        }
    }

    void control(const ControlDescription &c)
    {
        const std::string id = attribute("id", c.name);
        switch (c.kind) {
        case ControlKind::Label:
            m_html += "<div class=\"label\"" + id + ">" + escapedHtml(c.text) + "</div>";
            break;
        case ControlKind::TextBox: {
            const std::string label = accessibleName(m_form, c);
            m_html += "<input class=\"textbox\"" + id + attribute("type", "text")
                + attribute("value", c.text)
                + " inputmode=\"decimal\" autocomplete=\"off\" autocorrect=\"off\" "
                  "autocapitalize=\"off\" spellcheck=\"false\""
                + (label.empty() ? "" : attribute("aria-label", label)) + " tabindex=\"0\">";
            break;
        }
        case ControlKind::PushButton: {
            const AccessText text = accessText(c.text);
            std::string key = text.key;
            if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z')
                key[0] = static_cast<char>(key[0] - 'a' + 'A');
            m_html += "<button class=\"push\"" + id + " type=\"button\""
                + (key.empty() ? "" : attribute("aria-keyshortcuts", "Alt+" + key))
                + " tabindex=\"0\">" + text.html + "</button>";
            break;
        }
        case ControlKind::Frame:
            m_html += "<fieldset class=\"group\"" + id
                + "><div class=\"etch\" aria-hidden=\"true\"></div><legend>" + escapedHtml(c.text)
                + "</legend>";
            controlsIn(c.name);
            m_html += "</fieldset>";
            break;
        }
        const FontDescription &font = c.font ? *c.font : m_form.defaultFont;
        const WebFace face = webFace(font);
        m_rules += idSelector(c.name) + " { left: " + twipsLength(c.rect.left)
            + "; top: " + twipsLength(c.rect.top) + "; width: " + twipsLength(c.rect.width)
            + "; height: " + twipsLength(c.rect.height) + "; font-family: " + cssFamily(face)
            + "; font-weight: " + (face.emboldened ? "bold" : "normal")
            + "; font-size: " + scaled(pointsToPixels(font.points)) + ";"
            + (font.underline ? " text-decoration: underline;" : "")
            + (c.textColour ? " color: " + colour(*c.textColour) + ";" : "") + " }\n";
    }

    // A menu's entries, each numbered as forEachMenuEntry numbers it.
    void menu(const std::vector<MenuEntryDescription> &entries, bool top)
    {
        for (const MenuEntryDescription &entry : entries) {
            const int number = m_entries++;
            const bool opensMenu = !entry.submenu.empty();
            m_html += std::string("<div class=\"") + (top ? "entry top" : "entry")
                + "\" role=\"none\"><div class=\"item\" role=\"menuitem\" tabindex=\"-1\""
                + attribute("data-entry", std::to_string(number))
                + (entry.name.empty() ? "" : attribute("id", entry.name))
                + (entry.enabled ? "" : " aria-disabled=\"true\"");
            const std::optional<int> key = functionKey(entry.shortcut);
            const std::string shortcut = key ? "F" + std::to_string(*key) : "";
            if (key)
                m_html += attribute("aria-keyshortcuts", shortcut);
            if (opensMenu)
                m_html += " aria-haspopup=\"menu\" aria-expanded=\"false\"";
            m_html += "><span class=\"text\">" + accessText(entry.text).html + "</span>";
            if (key)
                m_html += "<span class=\"shortcut\" aria-hidden=\"true\">" + shortcut + "</span>";
            m_html += "</div>";
            if (opensMenu) {
                m_html += "<div class=\"menu\" role=\"menu\""
                    + attribute("aria-label", plainText(entry.text)) + " hidden>";
                if (top) {
                    // The menu bar's menus are filled in apart.
                    std::string bar = std::exchange(m_html, std::string());
                    menu(entry.submenu, false);
                    m_menus.push_back(std::exchange(m_html, std::move(bar)));
                } else {
                    menu(entry.submenu, false);
                }
                m_html += "</div>";
            }
            m_html += "</div>";
        }
    }

    // FNV-1a, 64 bits.
    static std::string signature(std::string_view text)
    {
        std::uint64_t hash = 0xcbf29ce484222325ULL;
        for (char c : text) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 0x100000001b3ULL;
        }
        char out[17];
        std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(hash));
        return out;
    }

    const FormDescription &m_form;
    std::string m_html;
    std::string m_rules;
    std::vector<std::string> m_menus;
    int m_entries = 0;
};

} // namespace

std::string escapedHtml(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

WindowMarkup windowMarkup(const FormDescription &form)
{
    return Writer(form).write();
}

std::string pageRules()
{
    return ":root { --menu-font: " + cssFamily(menuFace())
        + "; --caption-font: " + cssFamily(captionFace())
        + "; --caption-weight: " + (captionFace().emboldened ? "bold" : "normal") + "; }";
}

} // namespace orvanel::platform
