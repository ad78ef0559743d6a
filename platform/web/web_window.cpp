#include "platform/web/web_window.h"

#include "platform/description_json.h"
#include "platform/web/web_fonts.h"
#include "platform/web/web_runtime.h"
#include "platform/web/window_markup.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace orvanel::platform {

namespace {

// What the page builds a window from: its description, the face each control
// is drawn in (whose loading its readiness waits for), and the window's markup
// and rules with their signature.
std::string windowJson(const FormDescription &form)
{
    const WindowMarkup markup = windowMarkup(form);
    const auto face = [&](const ControlDescription &c) {
        return json::Object()
            .text("family", cssFamily(webFace(c.font ? *c.font : form.defaultFont)))
            .str();
    };
    return json::Object()
        .add("form", json::form(form))
        .add("faces", json::array(form.controls, face))
        .text("markup", markup.html)
        .add("menus",
            json::array(markup.menus, [](const std::string &menu) { return json::quoted(menu); }))
        .text("rules", markup.rules)
        .text("signature", markup.signature)
        .str();
}

} // namespace

WebWindow::WebWindow(WebRuntime &runtime, const FormDescription &description)
    : Window(description)
    , m_runtime(runtime)
    , m_number(runtime.attach(*this))
{
    const std::string window = windowJson(this->description());
    orvanel_web_window(m_number, window.data(), window.size());
    m_clicks.resize(this->description().controls.size());
    forEachMenuEntry(this->description(),
        [&](const MenuEntryDescription &, int, int) { m_choices.emplace_back(); });
}

WebWindow::~WebWindow()
{
    orvanel_web_destroy(m_number);
    m_runtime.detach(m_number);
}

void WebWindow::deliver(WebEvent event, int index)
{
    const auto run = [](const std::vector<std::function<void()>> &handlers, int index) {
        if (index >= 0 && static_cast<std::size_t>(index) < handlers.size() && handlers[index])
            handlers[index]();
    };
    switch (event) {
    case WebEvent::Click:
        run(m_clicks, index);
        break;
    case WebEvent::MenuChoice:
        run(m_choices, index);
        break;
    case WebEvent::CloseBox:
        // Without a handler of its own the close box hides the window, which
        // keeps existing.
        if (m_closeBox)
            m_closeBox();
        else
            hide();
        break;
    }
}

std::string WebWindow::text(std::size_t control) const
{
    std::size_t length = 0;
    const std::unique_ptr<char, decltype(&std::free)> text(
        orvanel_web_text(m_number, static_cast<int>(control), &length), &std::free);
    return text ? std::string(text.get(), length) : std::string();
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
