// Writes the program's window descriptions and message texts as JSON, for the
// browser tests, which check the page against them:
//   orvanel-describe [OUT.json]   (standard output without an argument)
//
// Standard C++ and the program's own description code only, so that a cross
// build can run it with the host's compiler.

#include "app/forms.h"
#include "calc/max_block_dex.h"
#include "platform/description_json.h"

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace orvanel;
using namespace orvanel::platform;
using json::Object;

// Every message the program can show, by the name of its notice or failure.
std::string messages()
{
    Object object;
    for (const NamedMessage &message : namedMessages())
        object.text(message.name, message.text);
    return object.str();
}

// A window of the program, with the menu entry that shows it.
std::string form(const ProgramForm &programForm)
{
    const std::string described = json::form(programForm.describe());
    return "{\"shownBy\": " + json::quoted(programForm.shownBy) + ", " + described.substr(1);
}

std::string document()
{
    return Object()
               .add("forms", json::array(programForms(), form))
               .add("messages", messages())
               .str()
        + "\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 2) {
        std::cerr << "usage: orvanel-describe [OUT.json]\n";
        return 2;
    }
    const std::string json = document();
    if (argc == 1) {
        std::cout << json;
        return std::cout.flush() ? 0 : 1;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << json;
    out.close();
    if (!out) {
        std::cerr << "orvanel-describe: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
