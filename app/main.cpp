#include "app/program.h"

int main(int argc, char *argv[])
{
    const auto runtime = orvanel::platform::makeRuntime(argc, argv, orvanel::applicationTitle);
    return orvanel::runProgram(*runtime);
}
