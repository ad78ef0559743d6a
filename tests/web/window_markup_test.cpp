// The markup the page shows a window in: texts escaped, the access key of a
// button's or menu entry's text underlined and named, and a signature that
// follows the markup and the rules.

#include "platform/web/window_markup.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace orvanel::platform;

FormDescription oneControl(ControlKind kind, std::string text)
{
    FormDescription form;
    form.name = "frmtest";
    form.title = "Test";
    ControlDescription control;
    control.kind = kind;
    control.name = "ctl";
    control.text = std::move(text);
    form.controls.push_back(control);
    return form;
}

TEST(WindowMarkup, TextsAndAccessKeys)
{
    const struct {
        ControlKind kind;
        std::string text;
        std::string markup; // what the control's markup holds
    } table[] = {
        { ControlKind::PushButton, "Con&tinue",
            R"(aria-keyshortcuts="Alt+T" tabindex="0">Con<span class="access">t</span>inue</button>)" },
        { ControlKind::PushButton, "Save && &Close",
            R"(>Save &amp; <span class="access">C</span>lose</button>)" },
        { ControlKind::PushButton, "&&Both&", R"(tabindex="0">&amp;Both</button>)" },
        { ControlKind::PushButton, "&One &Two", R"(<span class="access">O</span>ne Two</button>)" },
        // A label shows its text as it is, "&" included.
        { ControlKind::Label, "<b>&x \"y\"", R"(>&lt;b&gt;&amp;x &quot;y&quot;</div>)" },
        { ControlKind::TextBox, "a\"b<", R"(value="a&quot;b&lt;")" },
        { ControlKind::Frame, "Result & more", R"(<legend>Result &amp; more</legend>)" },
    };
    for (const auto &row : table) {
        const std::string html = windowMarkup(oneControl(row.kind, row.text)).html;
        EXPECT_NE(html.find(row.markup), std::string::npos) << row.text << "\n" << html;
    }
}

TEST(WindowMarkup, MenuEntriesAreNumberedAndNamed)
{
    FormDescription form = oneControl(ControlKind::Label, "");
    MenuEntryDescription file { "mnufile", "&File", "", true, {} };
    file.submenu.push_back({ "mnuclear", "&Clear", "F2", true, {} });
    file.submenu.push_back({ "", "E&xit", "", false, {} });
    form.menuBar.push_back(file);
    const WindowMarkup markup = windowMarkup(form);
    // The menu bar's menus come apart from the window, the window with them
    // empty.
    ASSERT_EQ(markup.menus.size(), 1u);
    EXPECT_NE(markup.html.find(R"(aria-label="File" hidden></div>)"), std::string::npos)
        << markup.html;
    const std::string html = markup.html + markup.menus[0];
    for (const std::string part :
        {
            R"(data-entry="0" id="mnufile" aria-haspopup="menu" aria-expanded="false">)",
            R"(data-entry="1" id="mnuclear" aria-keyshortcuts="F2">)",
            R"(<span class="shortcut" aria-hidden="true">F2</span>)",
            R"(data-entry="2" aria-disabled="true"><span class="text">E<span class="access">x</span>it)",
        }) {
        EXPECT_NE(html.find(part), std::string::npos) << part << "\n" << html;
    }
}

TEST(WindowMarkup, TheSignatureFollowsMarkupAndRules)
{
    const FormDescription form = oneControl(ControlKind::Label, "Block");
    FormDescription moved = form;
    moved.controls[0].rect.left += 15;
    FormDescription retitled = form;
    retitled.controls[0].text = "Blocks";
    const std::string signature = windowMarkup(form).signature;
    EXPECT_EQ(signature.size(), 16u);
    EXPECT_EQ(windowMarkup(form).signature, signature);
    EXPECT_NE(windowMarkup(moved).signature, signature);
    EXPECT_NE(windowMarkup(retitled).signature, signature);
}

} // namespace
