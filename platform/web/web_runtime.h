#pragma once

#include "platform/runtime.h"

#include <string>
#include <vector>

namespace orvanel::platform {

class WebWindow;

// The runtime in a web browser: windows are elements of the page, events come
// from the page's script, and a message box waits for OK through Asyncify.
// However the program stops, the page's one ending takes its windows and
// listeners off the page and says why.
class WebRuntime : public Runtime {
public:
    explicit WebRuntime(std::string_view applicationTitle);
    // Without endProgram first, main has returned without handing the page
    // over: the start failed, and the page ends the run with what the message
    // box said.
    ~WebRuntime() override;

    std::unique_ptr<Window> createWindow(const FormDescription &description) override;
    void showMessage(Window *owner, std::string_view text) override;
    void endProgram() override;
    // Hands the page back to the browser, which delivers the user's events
    // from then on; does not return.
    int run() override;

    // An event from the page for the window of that number.
    void deliver(int window, int event, int index);
    // Ends the run on a failure, with its text.
    void fail(std::string_view failure);

    // The runtime of the running program, if there is one.
    static WebRuntime *current();

private:
    friend class WebWindow;
    int attach(WebWindow &window);
    void detach(int window);

    std::vector<WebWindow *> m_windows; // by number; null once destroyed
    bool m_handedOver = false;
    bool m_ended = false;
    std::string m_startFailure; // what a message box said while the program started
};

} // namespace orvanel::platform
