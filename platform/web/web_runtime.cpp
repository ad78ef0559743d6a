#include "platform/web/web_runtime.h"

#include "platform/twips.h"
#include "platform/web/web_fonts.h"
#include "platform/web/web_page.h"
#include "platform/web/web_window.h"

#include <emscripten/emscripten.h>

#include <string>

namespace orvanel::platform {

namespace {

WebRuntime *running = nullptr;

} // namespace

WebRuntime::WebRuntime(std::string_view applicationTitle)
{
    const std::string title(applicationTitle);
    const std::string menu(menuFace().file);
    const WebFace caption = captionFace();
    const std::string captionFile(caption.file);
    orvanel_web_start(
        title.c_str(), twipsPerPixel, menu.c_str(), captionFile.c_str(), caption.emboldened);
    running = this;
}

WebRuntime::~WebRuntime()
{
    if (running == this)
        running = nullptr;
}

WebRuntime *WebRuntime::current()
{
    return running;
}

std::unique_ptr<Window> WebRuntime::createWindow(const FormDescription &description)
{
    return std::make_unique<WebWindow>(*this, description);
}

int WebRuntime::attach(WebWindow &window)
{
    m_windows.push_back(&window);
    return static_cast<int>(m_windows.size() - 1);
}

void WebRuntime::detach(int window)
{
    m_windows.at(static_cast<std::size_t>(window)) = nullptr;
}

void WebRuntime::showMessage(Window *, std::string_view text)
{
    // The page's one message box is modal to every window.
    orvanel_web_message(text.data(), text.size());
}

void WebRuntime::endProgram()
{
    m_ended = true;
    orvanel_web_end();
}

int WebRuntime::run()
{
    if (m_ended)
        return 0;
    orvanel_web_ready();
    // The program and this runtime stay where they are, on the heap and on
    // the stack of main, which is not unwound.
    emscripten_exit_with_live_runtime();
    return 0;
}

void WebRuntime::deliver(int window, int event, int index)
{
    if (m_ended || window < 0 || static_cast<std::size_t>(window) >= m_windows.size())
        return;
    if (WebWindow *target = m_windows[static_cast<std::size_t>(window)])
        target->deliver(event, index);
}

std::unique_ptr<Runtime> makeRuntime(int &, char **, std::string_view applicationTitle)
{
    return std::make_unique<WebRuntime>(applicationTitle);
}

} // namespace orvanel::platform

extern "C" EMSCRIPTEN_KEEPALIVE void orvanel_web_event(int window, int event, int index)
{
    if (orvanel::platform::WebRuntime *runtime = orvanel::platform::WebRuntime::current())
        runtime->deliver(window, event, index);
}
