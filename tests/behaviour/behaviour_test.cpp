// What Continue does with each outcome of the calculation, and how every
// runtime refuses a window that does not fit its description, on the real
// windows of the runtime under test. What the windows do beyond that is played
// from tests/cases/behaviour.txt (script_test.cpp).

#include "tests/behaviour/driver.h"

#include "app/forms.h"
#include "calc/max_block_dex.h"
#include "platform/runtime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cxxabi.h>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace behaviour {
namespace {

std::vector<std::string> texts(const std::vector<Message> &messages)
{
    std::vector<std::string> result;
    for (const Message &m : messages)
        result.push_back(m.text);
    return result;
}

class Behaviour : public testing::Test {
protected:
    void SetUp() override
    {
        program = startProgram();
        program->showMain();
    }

    void typeBoth(const std::string &block, const std::string &level)
    {
        program->setText("txtSB", "");
        program->setText("txtcharlvl", "");
        program->type("txtSB", block);
        program->type("txtcharlvl", level);
    }

    std::string box(const std::string &name) const { return program->text("frmorvix", name); }

    std::unique_ptr<Driver> program;
};

// The cases of Continue, read from the file the browser's suite reads as well
// (its format is described at its top).
struct ContinueCase {
    std::string name;
    std::string block;
    std::string level;
    std::vector<std::string> messages;
    std::string levelAfter;
    std::string resultAfter; // the result box holds "7" before Continue
    std::string fault; // what is wrong with the file, if anything
};

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> fields(1);
    for (char c : text) {
        if (c == separator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::vector<ContinueCase> continueCases()
{
    std::map<std::string, std::string> messageNamed;
    for (const orvanel::NamedMessage &message : orvanel::namedMessages())
        messageNamed.emplace(message.name, message.text);
    const auto faulty = [](const std::string &fault) {
        return std::vector { ContinueCase { .name = "CasesFile", .fault = fault } };
    };
    std::ifstream file(ORVANEL_CONTINUE_CASES);
    if (!file)
        return faulty("cannot read " ORVANEL_CONTINUE_CASES);
    std::vector<ContinueCase> cases;
    int number = 0;
    for (std::string line; std::getline(file, line);) {
        const std::string where = "line " + std::to_string(++number) + ": ";
        if (line.ends_with('\r')) // as the browser's suite reads it
            line.pop_back();
        if (line.empty() || line.starts_with('#'))
            continue;
        const std::vector<std::string> f = split(line, '\t');
        if (f.size() != 6)
            return faulty(where + std::to_string(f.size()) + " fields instead of 6");
        ContinueCase c { f[0], f[1], f[2], {}, f[4], f[5], {} };
        for (const std::string &name :
            f[3].empty() ? std::vector<std::string> {} : split(f[3], ',')) {
            const auto text = messageNamed.find(name);
            if (text == messageNamed.end())
                return faulty(where + "no message is named " + name);
            c.messages.push_back(text->second);
        }
        cases.push_back(c);
    }
    return cases.empty() ? faulty("no cases in " ORVANEL_CONTINUE_CASES) : cases;
}

class ContinuePress : public Behaviour, public testing::WithParamInterface<ContinueCase> { };

TEST_P(ContinuePress, ShowsTheMessagesThenTheResult)
{
    const ContinueCase &c = GetParam();
    ASSERT_EQ(c.fault, "");
    program->setText("txtmax", "7");
    typeBoth(c.block, c.level);
    program->click("frmorvix", "cmdcontinue");

    EXPECT_EQ(texts(program->messages), c.messages);
    EXPECT_EQ(box("txtSB"), c.block);
    EXPECT_EQ(box("txtcharlvl"), c.levelAfter);
    EXPECT_EQ(box("txtmax"), c.resultAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, ContinuePress, testing::ValuesIn(continueCases()),
    [](const testing::TestParamInfo<ContinueCase> &param) { return param.param.name; });

// Each window of the program's list is a class named after its form, which is
// how the web build finds the handlers that may wait in a message box
// (orvanel::frm* in its Asyncify list); a name that is no window is refused.
TEST_F(Behaviour, EveryWindowIsAClassNamedAfterItsForm)
{
    const auto className = [](const std::type_info &type) {
        int status = 0;
        char *name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
        const std::string demangled = status == 0 ? name : type.name();
        std::free(name);
        return demangled;
    };
    for (const orvanel::ProgramForm &form : orvanel::programForms()) {
        const std::string name = form.describe().name;
        EXPECT_TRUE(name.starts_with("frm")) << name;
        EXPECT_EQ(&orvanel::programForm(name), &form);
        if (form.make) {
            const std::unique_ptr<orvanel::platform::Form> made = form.make(program->runtime());
            const orvanel::platform::Form &instance = *made;
            EXPECT_EQ(className(typeid(instance)), "orvanel::" + name);
        }
    }
    EXPECT_THROW(orvanel::programForm("frmnone"), orvanel::platform::DescriptionError);
}

// Every runtime refuses a description or a handle that does not fit the
// window, at once, naming the window and the control.
TEST_F(Behaviour, AWrongNameIsRefusedWhenTheWindowIsMade)
{
    using namespace orvanel::platform;
    using Window = orvanel::platform::Window;
    const auto entry = [](std::string name, std::string shortcut = "") {
        return MenuEntryDescription { .name = name, .text = name, .shortcut = shortcut };
    };
    const FormDescription good {
        .name = "frmtest",
        .title = "Test",
        .clientWidthTwips = 3000,
        .clientHeightTwips = 2000,
        .controls = { { .kind = ControlKind::Frame, .name = "fmbox", .rect = { 0, 0, 3000, 1000 } },
            { .kind = ControlKind::Label,
                .name = "lblnote",
                .rect = { 60, 240, 900, 255 },
                .container = "fmbox" },
            { .kind = ControlKind::TextBox, .name = "txtin", .rect = { 60, 1200, 900, 360 } } },
        .menuBar = { { .name = "mnufile",
            .text = "&File",
            .submenu = { entry("mnuclear", "F2"), entry("mnuexit") } } },
    };
    struct Broken {
        const char *control; // the name the refusal must give
        std::function<void(FormDescription &)> spoil;
        std::function<void(Window &)> handler = nullptr;
    };
    const Broken table[] = {
        { "txtin", [](FormDescription &d) { d.controls[2].container = "fmnone"; } },
        { "txtin", [](FormDescription &d) { d.controls[2].container = "lblnote"; } },
        { "lblnote", [](FormDescription &d) { d.controls[2].name = "lblnote"; } },
        { "mnuclear", [](FormDescription &d) { d.menuBar[0].submenu[1].name = "mnuclear"; } },
        { "mnuexit", [](FormDescription &d) { d.menuBar[0].submenu[1].shortcut = "Ctrl+Q"; } },
        { "mnuexit", [](FormDescription &d) { d.menuBar[0].submenu[1].shortcut = "F13"; } },
        { "txtout", [](FormDescription &) {}, [](Window &w) { w.textBox("txtout"); } },
        { "lblnote", [](FormDescription &) {}, [](Window &w) { w.command("lblnote"); } },
    };
    for (const Broken &broken : table) {
        FormDescription description = good;
        broken.spoil(description);
        std::string refusal;
        try {
            const std::unique_ptr<Window> window = program->runtime().createWindow(description);
            if (broken.handler)
                broken.handler(*window);
        } catch (const DescriptionError &error) {
            refusal = error.what();
        }
        EXPECT_NE(refusal.find("\"frmtest\""), std::string::npos) << refusal;
        EXPECT_NE(refusal.find("\"" + std::string(broken.control) + "\""), std::string::npos)
            << broken.control << ": " << refusal;
    }
}

} // namespace
} // namespace behaviour
