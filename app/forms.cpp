#include "app/forms.h"

#include "ui/info/frmabout.h"
#include "ui/info/frmhelp.h"
#include "ui/main/frmorvix.h"

#include <string>

namespace orvanel {

namespace {

template<class Window> std::unique_ptr<platform::Form> make(platform::Runtime &runtime)
{
    return std::make_unique<Window>(runtime);
}

} // namespace

const std::vector<ProgramForm> &programForms()
{
    static const std::vector<ProgramForm> forms {
        { frmorvixDescription, nullptr, "" },
        { frmhelpDescription, make<frmhelp>, "helpa" },
        { frmaboutDescription, make<frmabout>, "bout" },
    };
    return forms;
}

std::vector<platform::FormDescription> allFormDescriptions()
{
    std::vector<platform::FormDescription> descriptions;
    for (const ProgramForm &form : programForms())
        descriptions.push_back(form.describe());
    return descriptions;
}

const ProgramForm &programForm(std::string_view name)
{
    for (const ProgramForm &form : programForms()) {
        if (form.describe().name == name)
            return form;
    }
    throw platform::DescriptionError("the program has no window \"" + std::string(name) + "\"");
}

} // namespace orvanel
