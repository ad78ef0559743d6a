#include "platform/web/web_window.h"

#include "platform/web/web_fonts.h"
#include "platform/web/web_page.h"
#include "platform/web/web_runtime.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace orvanel::platform {

WebWindow::WebWindow(WebRuntime &runtime, const FormDescription &description)
    : Window(description)
    , m_runtime(runtime)
    , m_number(runtime.attach(*this))
{
    const FormDescription &form = this->description();
    orvanel_web_window(m_number, form.name.c_str(), form.title.c_str(), form.clientWidthTwips,
        form.clientHeightTwips, form.placement == Placement::CentreOfScreen, form.applicationIcon);
    buildControls();
    buildMenuBar();
}

WebWindow::~WebWindow()
{
    orvanel_web_destroy(m_number);
    m_runtime.detach(m_number);
}

void WebWindow::buildControls()
{
    const FormDescription &form = description();
    m_clicks.resize(form.controls.size());
    // Frames first, so that the controls they hold find their element.
    for (const bool frames : { true, false }) {
        for (std::size_t index = 0; index < form.controls.size(); ++index) {
            const ControlDescription &c = form.controls[index];
            if ((c.kind == ControlKind::Frame) != frames)
                continue;
            const FontDescription &font = c.font ? *c.font : form.defaultFont;
            const WebFace face = webFace(font);
            const std::string file(face.file);
            const int colour = c.textColour
                ? (c.textColour->red << 16) | (c.textColour->green << 8) | c.textColour->blue
                : -1;
            // The description was checked: a container is a frame of this window.
            const int container
                = c.container.empty() ? -1 : static_cast<int>(*controlIndex(c.container));
            orvanel_web_control(m_number, static_cast<int>(index), static_cast<int>(c.kind),
                c.name.c_str(), c.text.c_str(), c.rect.left, c.rect.top, c.rect.width,
                c.rect.height, c.tabIndex, container, file.c_str(), face.emboldened,
                pointsToPixels(font.points), font.underline, colour,
                accessibleName(form, c).c_str());
        }
    }
}

void WebWindow::buildMenuBar()
{
    std::vector<int> parents; // the entry each open level hangs from
    forEachMenuEntry(description(), [&](const MenuEntryDescription &entry, int number, int depth) {
        parents.resize(static_cast<std::size_t>(depth));
        orvanel_web_menu_entry(m_number, number, parents.empty() ? -1 : parents.back(),
            entry.name.c_str(), entry.text.c_str(), functionKey(entry.shortcut).value_or(0),
            entry.enabled, !entry.submenu.empty());
        parents.push_back(number);
        m_choices.emplace_back();
    });
}

void WebWindow::deliver(int event, int index)
{
    const auto run = [](const std::vector<std::function<void()>> &handlers, int index) {
        if (index >= 0 && static_cast<std::size_t>(index) < handlers.size() && handlers[index])
            handlers[index]();
    };
    switch (event) {
    case orvanel_web_click:
        run(m_clicks, index);
        break;
    case orvanel_web_menu_choice:
        run(m_choices, index);
        break;
    case orvanel_web_close_box:
        // Without a handler of its own the close box hides the window, which
        // keeps existing.
        if (m_closeBox)
            m_closeBox();
        else
            hide();
        break;
    default:
        break;
    }
}

std::string WebWindow::text(std::size_t control) const
{
    const std::unique_ptr<char, decltype(&std::free)> text(
        orvanel_web_text(m_number, static_cast<int>(control)), &std::free);
    return text ? std::string(text.get()) : std::string();
}

void WebWindow::setText(std::size_t control, std::string_view text)
{
    orvanel_web_set_text(m_number, static_cast<int>(control), text.data(), text.size());
}

void WebWindow::setFocus(std::size_t control)
{
    orvanel_web_focus(m_number, static_cast<int>(control));
}

void WebWindow::onButtonClick(std::size_t control, std::function<void()> handler)
{
    m_clicks.at(control) = std::move(handler);
}

void WebWindow::onMenuChoice(int entry, std::function<void()> handler)
{
    m_choices.at(static_cast<std::size_t>(entry)) = std::move(handler);
}

void WebWindow::onCloseBox(std::function<void()> handler)
{
    m_closeBox = std::move(handler);
}

void WebWindow::show()
{
    orvanel_web_show(m_number);
}

void WebWindow::hide()
{
    orvanel_web_hide(m_number);
}

bool WebWindow::isVisible() const
{
    return orvanel_web_visible(m_number) != 0;
}

} // namespace orvanel::platform
