#include "platform/web/web_runtime.h"

#include "platform/description_json.h"
#include "platform/web/web_fonts.h"
#include "platform/web/web_page.h"
#include "platform/web/web_window.h"

#include <emscripten/emscripten.h>

#include <exception>
#include <string>

namespace orvanel::platform {

namespace {

WebRuntime *running = nullptr;

std::string startJson(std::string_view applicationTitle)
{
    const WebFace caption = captionFace();
    json::Object events;
    for (const WebEventName &event : webEventNames)
        events.integer(event.name, static_cast<int>(event.event));
    return json::Object()
        .text("applicationTitle", applicationTitle)
        .text("menuFamily", cssFamily(menuFace()))
        .add("captionFace",
            json::Object()
                .text("family", cssFamily(caption))
                .boolean("emboldened", caption.emboldened)
                .str())
        .add("controlKinds",
            json::array(json::controlKinds,
                [](ControlKind kind) { return json::quoted(json::kindName(kind)); }))
        .add("events", events.str())
        .str();
}

} // namespace

WebRuntime::WebRuntime(std::string_view applicationTitle)
{
    const std::string start = startJson(applicationTitle);
    orvanel_web_start(start.data(), start.size());
    running = this;
}

WebRuntime::~WebRuntime()
{
    if (!m_ended) {
        // run() never returns here, and runProgram returns before it only
        // when the windows could not be made, after telling so: at start-up
        // the program shows no other message.
        fail(m_startFailure.empty() ? "the program stopped before it ran" : m_startFailure);
    }
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
    if (!m_handedOver)
        m_startFailure = text;
    // The page's one message box is modal to every window.
    orvanel_web_message(text.data(), text.size());
}

void WebRuntime::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    orvanel_web_end("", 0);
}

void WebRuntime::fail(std::string_view failure)
{
    if (m_ended)
        return;
    m_ended = true;
    orvanel_web_end(failure.data(), failure.size());
}

int WebRuntime::run()
{
    if (m_ended)
        return 0;
    m_handedOver = true;
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
    WebWindow *target = m_windows[static_cast<std::size_t>(window)];
    if (!target)
        return;
    for (const WebEventName &known : webEventNames) {
        if (static_cast<int>(known.event) == event) {
            target->deliver(known.event, index);
            return;
        }
    }
    fail("the page reported an event the program does not know: " + std::to_string(event));
}

std::unique_ptr<Runtime> makeRuntime(int &, char **, std::string_view applicationTitle)
{
    return std::make_unique<WebRuntime>(applicationTitle);
}

} // namespace orvanel::platform

// A failure that escapes a handler ends the run with its text: the program's
// state is no longer known to be good.
extern "C" EMSCRIPTEN_KEEPALIVE void orvanel_web_event(int window, int event, int index)
{
    using orvanel::platform::WebRuntime;
    WebRuntime *runtime = WebRuntime::current();
    if (!runtime)
        return;
    try {
        runtime->deliver(window, event, index);
    } catch (const std::exception &failure) {
        runtime->fail(failure.what());
    } catch (...) {
        runtime->fail("a handler failed without saying why");
    }
}
