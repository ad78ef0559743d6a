// What a screen reader reads of the program's windows on the runtime under
// test, through what that runtime gives assistive technology: each control's
// name and role, as the windows' descriptions make them, and the new values
// of the boxes whose writes are told to screen readers.

#include "tests/behaviour/driver.h"

#include "platform/form_description.h"
#include "ui/info/frmabout.h"
#include "ui/info/frmhelp.h"
#include "ui/main/frmorvix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace behaviour {

void PrintTo(const Driver::Announcement &announcement, std::ostream *out)
{
    *out << announcement.control << " = \"" << announcement.value << "\"";
}

namespace {

using orvanel::platform::ControlDescription;
using orvanel::platform::ControlKind;
using orvanel::platform::FormDescription;
using Role = Driver::Role;

const char *said(Role role)
{
    switch (role) {
    case Role::StaticText:
        return "static text";
    case Role::EditableText:
        return "editable text";
    case Role::PushButton:
        return "push button";
    case Role::Grouping:
        return "grouping";
    case Role::Other:
        break;
    }
    return "another role";
}

// The role a control of that kind is read with.
Role roleOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
        return Role::StaticText;
    case ControlKind::TextBox:
        return Role::EditableText;
    case ControlKind::PushButton:
        return Role::PushButton;
    case ControlKind::Frame:
        return Role::Grouping;
    }
    return Role::Other;
}

struct ProgramWindow {
    FormDescription form;
    const char *entry; // the main window's menu entry that shows it; none for the main window
};

std::vector<ProgramWindow> programWindows()
{
    return { { orvanel::frmorvixDescription(), nullptr },
        { orvanel::frmhelpDescription(), "helpa" }, { orvanel::frmaboutDescription(), "bout" } };
}

const FormDescription &mainWindow()
{
    static const FormDescription form = orvanel::frmorvixDescription();
    return form;
}

class Accessibility : public testing::Test {
protected:
    void SetUp() override
    {
        program = startProgram();
        program->showMain();
    }

    std::unique_ptr<Driver> program;
};

TEST_F(Accessibility, EveryControlIsReadWithTheNameAndRoleOfItsDescription)
{
    for (const ProgramWindow &window : programWindows()) {
        if (window.entry)
            program->choose(window.entry);
        for (const ControlDescription &control : window.form.controls) {
            const std::string where = window.form.name + "." + control.name;
            const std::string name = orvanel::platform::accessibleName(window.form, control);
            // A box without one is read as "edit" and its contents, nothing more.
            if (control.kind == ControlKind::TextBox) {
                EXPECT_NE(name, "") << where << " has no label that names it";
            }
            bool named = false;
            bool roled = false;
            for (const Driver::Reading &reading :
                program->readings(window.form.name, control.name)) {
                if (reading.name) {
                    named = true;
                    EXPECT_EQ(*reading.name, name) << where << ", read by " << reading.by;
                }
                if (reading.role) {
                    roled = true;
                    EXPECT_STREQ(said(*reading.role), said(roleOf(control.kind)))
                        << where << ", read by " << reading.by;
                }
            }
            EXPECT_TRUE(named) << where << ": no reader gives it a name";
            EXPECT_TRUE(roled) << where << ": no reader gives it a role";
        }
    }
}

// Shift+Tab visits the controls that take the focus in each window, in their
// tab order backwards, from the first round to it.
TEST_F(Accessibility, ShiftTabVisitsTheControlsThatTakeTheFocusBackwards)
{
    for (const ProgramWindow &window : programWindows()) {
        if (window.entry)
            program->choose(window.entry);
        std::vector<const ControlDescription *> focusable;
        for (const ControlDescription &c : window.form.controls) {
            if (c.kind == ControlKind::TextBox || c.kind == ControlKind::PushButton)
                focusable.push_back(&c);
        }
        std::stable_sort(focusable.begin(), focusable.end(),
            [](const ControlDescription *a, const ControlDescription *b) {
                return a->tabIndex < b->tabIndex;
            });
        ASSERT_FALSE(focusable.empty()) << window.form.name;
        const auto named
            = [&](const ControlDescription *c) { return window.form.name + "." + c->name; };
        ASSERT_TRUE(
            program->waitFor([&] { return program->focus() == named(focusable.front()); }, 2000))
            << window.form.name << ": the focus is in " << program->focus();
        for (std::size_t i = focusable.size(); i-- > 0;) {
            program->pressShiftTab();
            EXPECT_EQ(program->focus(), named(focusable[i]));
        }
    }
}

// The menus open by their access keys, and their entries are chosen by theirs.
TEST_F(Accessibility, AccessKeysChooseFileClear)
{
    program->type("txtSB", "50");
    program->type("txtcharlvl", "80");
    EXPECT_TRUE(program->chooseByAccessKeys("frmorvix", "fc"));
    for (const char *box : { "txtSB", "txtcharlvl", "txtmax" })
        EXPECT_EQ(program->text("frmorvix", box), "") << box;
    EXPECT_EQ(program->focus(), "frmorvix.txtSB");
}

// What the main window's handlers write into its boxes: each write into a box
// whose description says so is told to screen readers, with the new value.
struct Writing {
    const char *name;
    std::function<void(Driver &)> act;
    std::vector<std::pair<std::string, std::string>> written; // box and text, in order
};

const Writing writings[] = {
    { "Result",
        [](Driver &d) {
            d.type("txtSB", "50");
            d.type("txtcharlvl", "80");
            d.click("frmorvix", "cmdcontinue");
        },
        { { "txtmax", "255" } } },
    { "LevelCutAndResult",
        [](Driver &d) {
            d.type("txtSB", "50");
            d.type("txtcharlvl", "120");
            d.click("frmorvix", "cmdcontinue");
        },
        { { "txtcharlvl", "99" }, { "txtmax", "312" } } },
    { "NothingToCompute", [](Driver &d) { d.click("frmorvix", "cmdcontinue"); }, {} },
    { "Clear",
        [](Driver &d) {
            d.type("txtSB", "75");
            d.type("txtcharlvl", "99");
            d.click("frmorvix", "cmdcontinue");
            d.press(Key::F2);
        },
        { { "txtmax", "213" }, { "txtmax", "" }, { "txtcharlvl", "" }, { "txtSB", "" } } },
};

void PrintTo(const Writing &writing, std::ostream *out)
{
    *out << writing.name;
}

class Announcing : public Accessibility, public testing::WithParamInterface<Writing> { };

TEST_P(Announcing, TheBoxesThatSaySoTellScreenReadersTheirNewValues)
{
    const Writing &w = GetParam();
    const auto &controls = mainWindow().controls;
    ASSERT_TRUE(std::any_of(controls.begin(), controls.end(), [](const ControlDescription &c) {
        return c.announced;
    })) << "no box of the main window tells screen readers of its new value";
    std::vector<Driver::Announcement> expected;
    for (const auto &[box, text] : w.written) {
        const auto control = std::find_if(controls.begin(), controls.end(),
            [&](const ControlDescription &c) { return c.name == box; });
        ASSERT_NE(control, controls.end()) << box;
        if (control->announced)
            expected.push_back({ mainWindow().name + "." + box, text });
    }
    program->announcements.clear();
    w.act(*program);
    program->waitFor([&] { return program->announcements.size() >= expected.size(); }, 2000);
    program->waitFor([] { return false; }, 100); // and nothing more
    EXPECT_EQ(program->announcements, expected);
    // Told where the user is: the focus was not moved into the box.
    for (const Driver::Announcement &announcement : expected)
        EXPECT_NE(program->focus(), announcement.control);
}

INSTANTIATE_TEST_SUITE_P(Accessibility, Announcing, testing::ValuesIn(writings),
    [](const testing::TestParamInfo<Writing> &param) { return std::string(param.param.name); });

} // namespace
} // namespace behaviour
