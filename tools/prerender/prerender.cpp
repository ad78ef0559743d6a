// Build-time helper: writes the start-up window as the page shows it before
// the program runs, for the site's page, as JSON: its name, its markup, rules
// and signature, the control that has the focus at the start, the first
// in tab order that takes it, and the page's rules for the faces of menus and
// title bars.
//
//   orvanel-web-prerender FILE

#include "app/forms.h"
#include "platform/description_json.h"
#include "platform/web/window_markup.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

int main(int argc, char *argv[])
{
    using namespace orvanel::platform;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    const FormDescription form = orvanel::programForms().front().describe();
    const WindowMarkup markup = windowMarkup(form);
    const ControlDescription *focus = nullptr;
    for (const ControlDescription &c : form.controls) {
        const bool takesFocus = c.kind == ControlKind::TextBox || c.kind == ControlKind::PushButton;
        if (takesFocus && (!focus || c.tabIndex < focus->tabIndex))
            focus = &c;
    }
    const std::string out = json::Object()
                                .text("name", form.name)
                                .text("markup", markup.html)
                                .text("rules", markup.rules)
                                .text("signature", markup.signature)
                                .text("focus", focus ? focus->name : "")
                                .text("pageRules", pageRules())
                                .str();
    std::ofstream file(argv[1], std::ios::binary);
    file << out << '\n';
    if (!file) {
        std::fprintf(stderr, "Could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
