#pragma once

#include "platform/runtime.h"

#include <string>
#include <vector>

namespace orvanel::platform {

class WebWindow;

// The runtime in a web browser: windows are elements of the page, events come
// from the page's script, and a message box waits for OK through Asyncify.
class WebRuntime : public Runtime {
public:
    explicit WebRuntime(std::string_view applicationTitle);
    ~WebRuntime() override;

    std::unique_ptr<Window> createWindow(const FormDescription &description) override;
    void showMessage(Window *owner, std::string_view text) override;
    void endProgram() override;
    // Hands the page back to the browser, which delivers the user's events
    // from then on; does not return.
    int run() override;

    // An event from the page for the window of that number.
    void deliver(int window, int event, int index);

    // The runtime of the running program, if there is one.
    static WebRuntime *current();

private:
    friend class WebWindow;
    int attach(WebWindow &window);
    void detach(int window);

    std::vector<WebWindow *> m_windows; // by number; null once destroyed
    bool m_ended = false;
};

} // namespace orvanel::platform
