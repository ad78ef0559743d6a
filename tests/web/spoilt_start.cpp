// The program on the web runtime with one thing spoilt, chosen by the page's
// address (?spoil=NAME), so that the browser suite sees a failure end a run:
//   container  the main window's description puts txtmax in a frame it lacks
//   name       the main window has no txtSB for its handlers to ask for
//   read       reading a text box fails, in Continue's handler
// Without a known name nothing is spoilt.

#include "app/program.h"
#include "platform/web/web_runtime.h"
#include "platform/web/web_window.h"

#include <emscripten/emscripten.h>

#include <memory>
#include <string>

// The number of the spoil in the page's address: its place in the list at the
// top of this file, or -1.
EM_JS(int, orvanel_spoil, (), {
    var spoil = new URLSearchParams(location.search).get('spoil');
    return [ 'container', 'name', 'read' ].indexOf(spoil);
});

namespace {

using namespace orvanel::platform;

enum class Spoil { Container, Name, Read };

class UnreadableWindow : public WebWindow {
public:
    using WebWindow::WebWindow;

protected:
    std::string text(std::size_t control) const override
    {
        throw WindowSystemError("window \"" + description().name + "\", control \""
            + description().controls.at(control).name + "\": the text could not be read");
    }
};

class SpoiltRuntime : public WebRuntime {
public:
    explicit SpoiltRuntime(int spoil)
        : WebRuntime(orvanel::applicationTitle)
        , m_spoil(spoil)
    {
    }

    std::unique_ptr<Window> createWindow(const FormDescription &description) override
    {
        FormDescription spoilt = description;
        if (spoilt.name != "frmorvix")
            return WebRuntime::createWindow(spoilt);
        for (ControlDescription &control : spoilt.controls) {
            if (m_spoil == static_cast<int>(Spoil::Container) && control.name == "txtmax")
                control.container = "fmnone";
            if (m_spoil == static_cast<int>(Spoil::Name) && control.name == "txtSB")
                control.name = "txtblock";
        }
        if (m_spoil == static_cast<int>(Spoil::Read))
            return std::make_unique<UnreadableWindow>(*this, spoilt);
        return WebRuntime::createWindow(spoilt);
    }

private:
    int m_spoil;
};

} // namespace

int main()
{
    SpoiltRuntime runtime(orvanel_spoil());
    return orvanel::runProgram(runtime);
}
