#pragma once

#include "platform/runtime.h"
#include "platform/web/web_page.h"

#include <functional>
#include <vector>

namespace orvanel::platform {

class WebRuntime;

// A window built from its description as elements of the page: every control
// with its name as id, its text, twips rectangle, font and tab order, and the
// menu bar. The page gets the description as JSON, with the face of each
// control.
class WebWindow : public Window {
public:
    WebWindow(WebRuntime &runtime, const FormDescription &description);
    ~WebWindow() override;

    void onCloseBox(std::function<void()> handler) override;
    void show() override;
    void hide() override;
    bool isVisible() const override;

    // A click, menu choice or close box from the page.
    void deliver(WebEvent event, int index);

protected:
    std::string text(std::size_t control) const override;
    void setText(std::size_t control, std::string_view text) override;
    void setFocus(std::size_t control) override;
    void onButtonClick(std::size_t control, std::function<void()> handler) override;
    void onMenuChoice(int entry, std::function<void()> handler) override;

private:
    WebRuntime &m_runtime;
    int m_number;
    std::vector<std::function<void()>> m_clicks; // by control
    std::vector<std::function<void()>> m_choices; // by menu entry
    std::function<void()> m_closeBox;
};

} // namespace orvanel::platform
