#include "program.h"

int main(int argc, char *argv[])
{
    const auto runtime = orvanel::platform::makeRuntime(argc, argv, orvanel::applicationTitle);
    orvanel::Program program(*runtime);
    program.main.window().show();
    return runtime->run();
}
