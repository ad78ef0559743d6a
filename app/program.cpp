#include "app/program.h"

#include <exception>
#include <memory>
#include <string>
#include <utility>

namespace orvanel {

namespace {

std::map<std::string, platform::WindowSlot, std::less<>> informationWindows(
    platform::Runtime &runtime)
{
    std::map<std::string, platform::WindowSlot, std::less<>> slots;
    for (const ProgramForm &form : programForms()) {
        if (form.make)
            slots.emplace(form.describe().name,
                platform::WindowSlot([&runtime, make = form.make] { return make(runtime); }));
    }
    return slots;
}

} // namespace

Program::Program(platform::Runtime &runtime)
    : windowSlots(informationWindows(runtime))
    , main(runtime, slot("frmhelp"), slot("frmabout"))
{
}

platform::WindowSlot &Program::slot(std::string_view form)
{
    return const_cast<platform::WindowSlot &>(std::as_const(*this).slotOf(form));
}

const platform::WindowSlot &Program::slotOf(std::string_view form) const
{
    const auto found = windowSlots.find(form);
    if (found == windowSlots.end())
        throw platform::DescriptionError(
            "the program has no information window \"" + std::string(form) + "\"");
    return found->second;
}

platform::Form *Program::form(std::string_view name) const
{
    if (name == main.window().description().name)
        return const_cast<frmorvix *>(&main);
    return slotOf(name).instance();
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
