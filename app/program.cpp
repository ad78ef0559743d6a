#include "app/program.h"

#include "ui/info/frmabout.h"
#include "ui/info/frmhelp.h"

#include <exception>
#include <memory>
#include <string>

namespace orvanel {

Program::Program(platform::Runtime &runtime)
    : help([&runtime] { return std::make_unique<frmhelp>(runtime); })
    , about([&runtime] { return std::make_unique<frmabout>(runtime); })
    , main(runtime, help, about)
{
}

int runProgram(platform::Runtime &runtime)
{
    std::unique_ptr<Program> program;
    try {
        // On the heap: a runtime may keep delivering events after this
        // function has handed control back to its host.
        program = std::make_unique<Program>(runtime);
        program->main.window().show();
    } catch (const std::exception &failure) {
        runtime.showMessage(nullptr, "Orvanel could not start: " + std::string(failure.what()));
        return 1;
    }
    const int status = runtime.run();
    return status;
}

} // namespace orvanel
