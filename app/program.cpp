#include "program.h"

#include "frmabout.h"
#include "frmhelp.h"

#include <memory>

namespace orvanel {

Program::Program(platform::Runtime &runtime)
    : help([&runtime] { return std::make_unique<frmhelp>(runtime); })
    , about([&runtime] { return std::make_unique<frmabout>(runtime); })
    , main(runtime, help, about)
{
}

} // namespace orvanel
