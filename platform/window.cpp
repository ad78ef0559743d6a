#include "platform/runtime.h"

#include <algorithm>
#include <set>
#include <utility>

namespace orvanel::platform {

namespace {

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

[[noreturn]] void refuse(const FormDescription &form, std::string_view item, std::string_view why)
{
    throw DescriptionError(
        "window " + quoted(form.name) + ", " + std::string(item) + ": " + std::string(why));
}

} // namespace

std::optional<int> functionKey(std::string_view shortcut)
{
    if (shortcut.size() < 2 || shortcut.size() > 3 || shortcut[0] != 'F' || shortcut[1] == '0')
        return std::nullopt;
    int number = 0;
    for (char c : shortcut.substr(1)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > 12)
        return std::nullopt;
    return number;
}

std::string accessibleName(const FormDescription &form, const ControlDescription &control)
{
    if (control.kind == ControlKind::TextBox) {
        const auto label = std::find_if(
            form.controls.begin(), form.controls.end(), [&](const ControlDescription &other) {
                return !control.label.empty() && other.name == control.label;
            });
        return label == form.controls.end() ? std::string() : label->text;
    }
    if (control.kind == ControlKind::Label)
        return control.text;
    // "&" marks the access key; "&&" is an "&".
    std::string shown;
    for (std::size_t i = 0; i < control.text.size(); ++i) {
        if (control.text[i] == '&' && i + 1 < control.text.size())
            ++i;
        shown += control.text[i];
    }
    return shown;
}

void checkDescription(const FormDescription &form)
{
    if (form.name.empty())
        throw DescriptionError("a window without a name");
    std::set<std::string_view> names;
    for (const ControlDescription &c : form.controls) {
        const std::string item = "control " + quoted(c.name);
        if (c.name.empty())
            refuse(form, item, "a control without a name");
        if (!names.insert(c.name).second)
            refuse(form, item, "the name is used twice");
    }
    for (const ControlDescription &c : form.controls) {
        if (c.container.empty())
            continue;
        const auto frame = std::find_if(form.controls.begin(), form.controls.end(),
            [&](const ControlDescription &other) { return other.name == c.container; });
        if (frame == form.controls.end() || frame->kind != ControlKind::Frame)
            refuse(form, "control " + quoted(c.name),
                "its container " + quoted(c.container) + " is not a frame of this window");
    }
    for (const ControlDescription &c : form.controls) {
        if (c.label.empty())
            continue;
        const auto label = std::find_if(form.controls.begin(), form.controls.end(),
            [&](const ControlDescription &other) { return other.name == c.label; });
        if (c.kind != ControlKind::TextBox)
            refuse(form, "control " + quoted(c.name), "only a text box is named by a label");
        if (label == form.controls.end() || label->kind != ControlKind::Label)
            refuse(form, "control " + quoted(c.name),
                "its label " + quoted(c.label) + " is not a label of this window");
    }
    forEachMenuEntry(form, [&](const MenuEntryDescription &entry, int, int depth) {
        const std::string item
            = "menu entry " + quoted(entry.name.empty() ? entry.text : entry.name);
        if (!entry.name.empty() && !names.insert(entry.name).second)
            refuse(form, item, "the name is used twice");
        if (!entry.shortcut.empty() && !functionKey(entry.shortcut))
            refuse(form, item,
                "the shortcut " + quoted(entry.shortcut) + " is not a function key F1 to F12");
        if (!entry.shortcut.empty() && !entry.submenu.empty())
            refuse(form, item, "an entry that opens a menu has no shortcut");
        if (depth == 0 && entry.submenu.empty())
            refuse(form, item, "an entry of the menu bar must open a menu");
    });
}

Window::Window(FormDescription description)
    : m_description(std::move(description))
{
    checkDescription(m_description);
}

std::optional<std::size_t> Window::controlIndex(std::string_view name) const
{
    const auto &controls = m_description.controls;
    const auto found = std::find_if(controls.begin(), controls.end(),
        [name](const ControlDescription &c) { return c.name == name; });
    if (name.empty() || found == controls.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - controls.begin());
}

std::optional<int> Window::menuEntryNumber(std::string_view name) const
{
    std::optional<int> found;
    forEachMenuEntry(m_description, [&](const MenuEntryDescription &entry, int number, int) {
        if (!name.empty() && entry.name == name)
            found = number;
    });
    return found;
}

TextBox Window::textBox(std::string_view name)
{
    const auto index = controlIndex(name);
    if (!index || m_description.controls[*index].kind != ControlKind::TextBox)
        refuse(
            m_description, "text box " + quoted(name), "the window has no text box of that name");
    return TextBox(*this, *index);
}

Command Window::command(std::string_view name)
{
    if (const auto index = controlIndex(name)) {
        if (m_description.controls[*index].kind != ControlKind::PushButton)
            refuse(m_description, "command " + quoted(name), "the control is not a push button");
        return Command(*this, Command::Source::Button, *index);
    }
    const auto number = menuEntryNumber(name);
    if (!number)
        refuse(m_description, "command " + quoted(name),
            "the window has no push button or menu entry of that name");
    bool opensMenu = false;
    forEachMenuEntry(m_description, [&](const MenuEntryDescription &entry, int n, int) {
        if (n == *number)
            opensMenu = !entry.submenu.empty();
    });
    if (opensMenu)
        refuse(m_description, "command " + quoted(name), "the entry opens a menu");
    return Command(*this, Command::Source::MenuEntry, static_cast<std::size_t>(*number));
}

std::string TextBox::text() const
{
    return m_window->text(m_control);
}

void TextBox::setText(std::string_view text) const
{
    m_window->setText(m_control, text);
}

void TextBox::setFocus() const
{
    m_window->setFocus(m_control);
}

void Command::onClick(std::function<void()> handler) const
{
    if (m_source == Source::Button)
        m_window->onButtonClick(m_index, std::move(handler));
    else
        m_window->onMenuChoice(static_cast<int>(m_index), std::move(handler));
}

} // namespace orvanel::platform
