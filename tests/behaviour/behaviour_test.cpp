// What the program's windows do, checked on the real windows of the runtime
// under test: the calculation's messages and their order, Clear, the Tab order,
// Enter, the menus, the information windows and the end of the program.

#include "tests/behaviour/driver.h"

#include "calc/max_block_dex.h"
#include "platform/runtime.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace behaviour {
namespace {

const std::string blockMissing = "Please Insert Sheild Block percentage into Area Provided.";

std::string failure(orvanel::DexFailure f)
{
    return std::string(orvanel::failureText(f));
}

using orvanel::DexFailure;

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

TEST_F(Behaviour, MessageBoxIsTitledWithOneOkButtonNoIconAndModal)
{
    program->click("frmorvix", "cmdcontinue");
    ASSERT_EQ(program->messages.size(), 1u);
    const Message &m = program->messages.front();
    EXPECT_EQ(m.title, "Orvix");
    EXPECT_EQ(m.text, blockMissing);
    EXPECT_EQ(m.buttons, std::vector<std::string> { "OK" });
    EXPECT_FALSE(m.icon);
    EXPECT_TRUE(m.ownerDisabled);
    // Once answered, the main window takes input again.
    program->type("txtSB", "5");
    EXPECT_EQ(box("txtSB"), "5");
}

TEST_F(Behaviour, WhileAMessageIsUpNoWindowTakesInput)
{
    program->choose("helpa");
    program->choose("bout");
    ASSERT_TRUE(program->waitFor([&] { return program->focus() == "frmabout.Command1"; }, 2000));
    const std::vector<std::string> forms { "frmorvix", "frmhelp", "frmabout" };
    std::vector<std::string> takingInput;
    program->whileMessageShown = [&] {
        for (const std::string &form : forms) {
            if (program->takesInput(form))
                takingInput.push_back(form);
        }
    };
    program->showMessage(blockMissing); // over the main window, as its handlers show them
    ASSERT_EQ(program->messages.size(), 1u);
    EXPECT_EQ(takingInput, std::vector<std::string> {});
    for (const std::string &form : forms) {
        EXPECT_TRUE(program->visible(form)) << form;
        EXPECT_TRUE(program->takesInput(form)) << form;
    }
    // The window that was active has the focus again.
    EXPECT_TRUE(program->waitFor([&] { return program->focus() == "frmabout.Command1"; }, 2000))
        << program->focus();
}

TEST_F(Behaviour, MessageComesBeforeTheBoxesChange)
{
    program->setText("txtmax", "213");
    typeBoth("50", "120");
    std::vector<std::string> seen;
    program->whileMessageShown = [&] {
        seen.push_back(box("txtcharlvl"));
        seen.push_back(box("txtmax"));
    };
    program->click("frmorvix", "cmdcontinue");
    EXPECT_EQ(seen, (std::vector<std::string> { "120", "213" }));
    EXPECT_EQ(box("txtcharlvl"), "99");
    EXPECT_EQ(box("txtmax"), "312");
}

TEST_F(Behaviour, SecondContinueOverwritesTheResult)
{
    typeBoth("75", "99");
    program->click("frmorvix", "cmdcontinue");
    EXPECT_EQ(box("txtmax"), "213");
    typeBoth("50", "80");
    program->click("frmorvix", "cmdcontinue");
    EXPECT_EQ(box("txtmax"), "255");
    EXPECT_TRUE(program->messages.empty());
}

class ClearCommand : public Behaviour, public testing::WithParamInterface<bool> { };

TEST_P(ClearCommand, EmptiesAllBoxesAndFocusesTheBlockBox)
{
    typeBoth("50", "80");
    program->click("frmorvix", "cmdcontinue");
    ASSERT_EQ(box("txtmax"), "255");
    program->type("txtcharlvl", "");
    ASSERT_EQ(program->focus(), "frmorvix.txtcharlvl");
    if (GetParam())
        program->press(Key::F2);
    else
        program->choose("mnuclear");
    for (const char *name : { "txtSB", "txtcharlvl", "txtmax" })
        EXPECT_EQ(box(name), "") << name;
    EXPECT_EQ(program->focus(), "frmorvix.txtSB");
}

INSTANTIATE_TEST_SUITE_P(ByKeyOrMenu, ClearCommand, testing::Bool(),
    [](const testing::TestParamInfo<bool> &param) { return param.param ? "F2" : "FileClear"; });

TEST_F(Behaviour, FocusStartsInTheBlockBoxAndTabVisitsBoxesAndButtonInOrder)
{
    EXPECT_EQ(program->focus(), "frmorvix.txtSB");
    for (const char *next : { "txtcharlvl", "cmdcontinue", "txtmax", "txtSB" }) {
        program->press(Key::Tab);
        EXPECT_EQ(program->focus(), std::string("frmorvix.") + next);
    }
    EXPECT_EQ(program->focusable("frmorvix"),
        (std::vector<std::string> { "txtSB", "txtcharlvl", "cmdcontinue", "txtmax" }));
}

TEST_F(Behaviour, EnterOrEscapeInABoxComputesNothing)
{
    typeBoth("75", "99");
    for (const char *name : { "txtSB", "txtcharlvl" }) {
        program->type(name, "");
        for (Key key : { Key::Return, Key::Enter, Key::Escape })
            program->press(key);
    }
    program->waitFor([] { return false; }, 100);
    EXPECT_EQ(box("txtmax"), "");
    EXPECT_TRUE(program->messages.empty());
    EXPECT_TRUE(program->visible("frmorvix"));
}

TEST_F(Behaviour, BoxesTakeTextsOfAnyLength)
{
    const std::string pasted(100000, '9');
    program->setText("txtSB", "50");
    program->setText("txtcharlvl", pasted);
    EXPECT_EQ(box("txtcharlvl").size(), pasted.size());
    program->click("frmorvix", "cmdcontinue");
    EXPECT_EQ(texts(program->messages),
        std::vector<std::string> { failure(DexFailure::LevelOutOfRange) });
}

TEST_F(Behaviour, MenuBarHoldsTheCommandsAndTheShieldList)
{
    const std::vector<std::vector<std::string>> shields {
        { "Blackoak Shield", "Pally = 35", "as/am/b = 30", "d/s/n = 25" },
        { "Gerke's Sanctuary", "Pally = 84", "as/am/b=79", "d/s/n=74" },
        { "Head Hunter's Glory", "Pally = 50", "as/am/b =45", "d/s/n =40" },
        { "Herald of Zakarum", "Pally = 77" },
        { "Lance Guard", "Pally =38", "as/am/b =33", "d/s/n =27" },
        { "Lidless Wall", "Pally =50", "as/am/b =45", "d/s/n =40" },
        { "Medusa's Gaze", "Pally =54", "as/am/b =49", "d/s/n =40" },
        { "Moser's Blessed Circle", "Pally =60", "as/am/b =55", "d/s/n =50" },
        { "Radament's Sphere", "Pally =66", "as/am/b =61", "d/s/n =56" },
        { "Spike Thorn", "Pally =50", "as/am/b =45", "d/s/n =40" },
        { "Spirit Ward", "Pally = 74-84", "as/am/b =69-79", "d/s/n =64-74" },
        { "Stormchaser", "Pally =62", "as/am/b =57", "d/s/n =52" },
        { "Stormshield", "Pally = 77", "as/am/b = 72", "d/s/n =67" },
        { "Tiamat's Rebuke", "Pally =40", "as/am/b =35", "d/s/n =30" },
        { "Viscerataunt", "Pally =60", "as/am/b =55", "d/s/n =50" },
    };
    MenuItem shieldList { "&Sheild List" };
    for (const auto &row : shields) {
        MenuItem shield { row.front() };
        for (std::size_t i = 1; i < row.size(); ++i)
            shield.submenu.push_back({ row[i], "", false, {} });
        shieldList.submenu.push_back(shield);
    }
    const std::vector<MenuItem> expected {
        { "&File", "", true, { { "&Clear", "F2", true, {} }, { "E&xit", "", true, {} } } },
        shieldList,
        { "&Help", "", true, { { "Help", "", true, {} }, { "About Orvanel", "", true, {} } } },
    };
    const std::vector<MenuItem> got = program->menuBar("frmorvix");
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].text, expected[i].text);
        ASSERT_EQ(got[i].submenu.size(), expected[i].submenu.size()) << got[i].text;
        for (std::size_t j = 0; j < got[i].submenu.size(); ++j)
            EXPECT_EQ(got[i].submenu[j], expected[i].submenu[j]) << got[i].submenu[j].text;
    }
}

TEST_F(Behaviour, LayoutPutsEveryControlInPlaceWithItsFont)
{
    struct Placed {
        const char *name;
        Rect twips; // in the client area: controls in the frame add its place
        Font font;
    };
    const Placed table[] = {
        { "Label1", { 120, 120, 1455, 255 }, { 11, false, false } },
        { "txtSB", { 480, 375, 495, 360 }, { 13, false, false } },
        { "Label3", { 1080, 480, 375, 255 }, { 13, false, false } },
        { "Label2", { 1800, 120, 1335, 255 }, { 11, false, false } },
        { "txtcharlvl", { 1800, 360, 1095, 375 }, { 13, false, false } },
        { "cmdcontinue", { 3120, 360, 1335, 375 }, { 11, false, false } },
        { "fmdisp", { 120, 960, 4335, 1695 }, { 11, false, false } },
        { "lblnote", { 120 + 240, 960 + 720, 3255, 375 }, { 13, false, false } },
        { "txtmax", { 120 + 3480, 960 + 600, 615, 405 }, { 13, true, false } },
        { "Label4", { 3600, 2760, 1455, 255 }, { 11, false, false } },
    };
    for (const Placed &c : table) {
        const Rect &t = c.twips;
        EXPECT_EQ(program->place("frmorvix", c.name),
            (Rect { t.left / 15, t.top / 15, t.width / 15, t.height / 15 }))
            << c.name;
        EXPECT_EQ(program->font("frmorvix", c.name), c.font) << c.name;
    }
    EXPECT_EQ(program->clientArea("frmorvix"), (Rect { 0, 0, 302, 201 }));
    EXPECT_EQ(program->title("frmorvix"), "Orvanel");
    EXPECT_TRUE(program->fixedSize("frmorvix"));
    EXPECT_TRUE(program->centredOnScreen("frmorvix"));
    EXPECT_EQ(program->text("frmorvix", "Label4"), "Vesion 1.0.0");
    EXPECT_EQ(program->text("frmorvix", "lblnote"), "Requried Dexterity For Max Block is");
}

TEST_F(Behaviour, ChoosingAShieldValueChangesNothing)
{
    for (const char *name : { "txtSB", "txtcharlvl", "txtmax" })
        program->setText(name, "5");
    const std::vector<MenuItem> menuBar = program->menuBar("frmorvix");
    for (const MenuItem &shield : menuBar.at(1).submenu) {
        EXPECT_TRUE(shield.enabled);
        for (const MenuItem &value : shield.submenu)
            EXPECT_FALSE(value.enabled);
    }
    // The first and the last value entry, chosen through the open menus.
    const int last = static_cast<int>(menuBar.at(1).submenu.size()) - 1;
    for (const std::vector<int> &value : { std::vector { 1, 0, 0 }, std::vector { 1, last, 2 } })
        EXPECT_FALSE(program->chooseThroughMenus("frmorvix", value)) << value[1];
    for (const char *name : { "txtSB", "txtcharlvl", "txtmax" })
        EXPECT_EQ(box(name), "5");
    EXPECT_TRUE(program->messages.empty());
    EXPECT_FALSE(program->exists("frmhelp") || program->exists("frmabout"));
    // The same way, File > Clear is chosen.
    EXPECT_TRUE(program->chooseThroughMenus("frmorvix", { 0, 0 }));
    EXPECT_EQ(box("txtSB"), "");
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

struct InfoWindow {
    const char *name;
    const char *entry;
    const char *form;
    const char *closeButton;
};

const InfoWindow helpWindow { "Help", "helpa", "frmhelp", "cmdclose" };
const InfoWindow aboutWindow { "About", "bout", "frmabout", "Command1" };

class InformationWindow : public Behaviour, public testing::WithParamInterface<InfoWindow> { };

TEST_P(InformationWindow, ExistsOnlyOnceShownAndChoosingTwiceShowsOne)
{
    const InfoWindow &w = GetParam();
    EXPECT_FALSE(program->exists(w.form));
    program->choose(w.entry);
    EXPECT_TRUE(program->visible(w.form));
    program->choose(w.entry);
    EXPECT_EQ(program->count(w.form), 1);
    EXPECT_TRUE(program->visible("frmorvix"));
}

TEST_P(InformationWindow, CloseButtonAndCloseBoxHideAndTheSameWindowReturns)
{
    const InfoWindow &w = GetParam();
    for (bool byCloseBox : { false, true }) {
        program->choose(w.entry);
        ASSERT_TRUE(program->visible(w.form));
        if (byCloseBox)
            program->closeBox(w.form);
        else
            program->click(w.form, w.closeButton);
        EXPECT_FALSE(program->visible(w.form)) << (byCloseBox ? "close box" : "Close");
        EXPECT_TRUE(program->exists(w.form));
        EXPECT_TRUE(program->visible("frmorvix"));
    }
    program->choose(w.entry);
    EXPECT_TRUE(program->visible(w.form));
    EXPECT_EQ(program->count(w.form), 1);
}

TEST_P(InformationWindow, LeavesTheMainWindowUsable)
{
    program->choose(GetParam().entry);
    typeBoth("50", "80");
    program->click("frmorvix", "cmdcontinue");
    EXPECT_EQ(box("txtmax"), "255");
}

INSTANTIATE_TEST_SUITE_P(HelpAndAbout, InformationWindow, testing::Values(helpWindow, aboutWindow),
    [](const testing::TestParamInfo<InfoWindow> &param) { return param.param.name; });

TEST_F(Behaviour, AltCPressesTheAboutCloseButton)
{
    program->choose("bout");
    ASSERT_TRUE(program->waitFor([&] { return program->focus() == "frmabout.Command1"; }, 2000));
    program->press(Key::AltC);
    EXPECT_TRUE(program->waitFor([&] { return !program->visible("frmabout"); }, 2000));
}

struct WindowTexts {
    const char *form;
    const char *entry;
    const char *title;
    Rect client;
    std::vector<std::pair<std::string, std::string>> texts;
    std::vector<std::string> focusable;
};

class InformationWindowContents : public Behaviour,
                                  public testing::WithParamInterface<WindowTexts> { };

TEST_P(InformationWindowContents, CarryTheirTitleSizeAndTexts)
{
    const WindowTexts &w = GetParam();
    program->choose(w.entry);
    EXPECT_EQ(program->title(w.form), w.title);
    EXPECT_EQ(program->clientArea(w.form), w.client);
    EXPECT_TRUE(program->fixedSize(w.form));
    for (const auto &[control, text] : w.texts)
        EXPECT_EQ(program->text(w.form, control), text) << control;
    EXPECT_EQ(program->focusable(w.form), w.focusable);
}

INSTANTIATE_TEST_SUITE_P(HelpAndAbout, InformationWindowContents,
    testing::Values(
        WindowTexts { "frmhelp", "helpa", "Help", { 0, 0, 413, 288 },
            { { "Label1", "HELP!" }, { "Label2", "How to use Orvanel:" },
                { "Label3",
                    "To begin Find your Character's block percentage. To do this look at your "
                    "character's Items/skills to find: A) a sheild block percentage (or use "
                    "sheild list in main menu) B) Any Items that have +block on them C) for "
                    "assasin's the skill weapon block %   Calculate all these and put that "
                    "number into block percentage text box." },
                { "Label4",
                    "Second thing to do is to add the character level of your character that "
                    "you wish to find out what dexterity is needed for max block." },
                { "Label5",
                    "Finally just click the continue button to find out the dexterity required "
                    "for max block" },
                { "cmdclose", "Close" } },
            { "cmdclose" } },
        WindowTexts { "frmabout", "bout", "Form1", { 0, 0, 283, 246 },
            { { "lblabout", "About" }, { "Label1", "Orvanel" }, { "Label2", "Version 1.0.0" },
                { "Label3",
                    "Just a basic program to help find the required dexterity for max block, "
                    "with out wasting stat points on dex that are not needed." },
                { "Label5",
                    "Please Feel free to contact me, with suggestions or idea's. Any feedback "
                    "is good feedback" },
                { "Label7", "Email:" }, { "Command1", "&Close" },
                { "Label6", "Found a problem? Report it! Plz email me." } },
            { "Command1" } }),
    [](const testing::TestParamInfo<WindowTexts> &param) {
        return std::string(param.param.form).substr(3);
    });

TEST_F(Behaviour, HeadingsAndButtonsOfTheInformationWindows)
{
    program->choose("helpa");
    EXPECT_EQ(program->font("frmhelp", "Label1"), (Font { 32, true, true }));
    EXPECT_EQ(program->place("frmhelp", "Label1"), (Rect { 152, 8, 105, 41 }));
    EXPECT_EQ(program->place("frmhelp", "cmdclose"), (Rect { 152, 248, 113, 33 }));
    program->choose("bout");
    EXPECT_EQ(program->font("frmabout", "lblabout"), (Font { 32, true, false }));
    EXPECT_EQ(program->font("frmabout", "Label1"), (Font { 11, true, false }));
    EXPECT_EQ(program->place("frmabout", "Command1"), (Rect { 200, 216, 81, 17 }));
    EXPECT_FALSE(program->text("frmabout", "Label4").empty());
}

class Ending : public Behaviour, public testing::WithParamInterface<bool> { };

TEST_P(Ending, ExitOrTheCloseBoxEndsTheProgramWithAllWindows)
{
    program->choose("helpa");
    program->choose("bout");
    program->closeBox("frmabout"); // hidden, still existing
    ASSERT_TRUE(program->visible("frmhelp"));
    const bool byCloseBox = GetParam();
    const int status = program->runUntilEnded([&] {
        if (byCloseBox)
            program->closeBox("frmorvix");
        else
            program->choose("mnuexit");
    });
    EXPECT_EQ(status, 0);
    for (const char *form : { "frmorvix", "frmhelp", "frmabout" })
        EXPECT_FALSE(program->visible(form)) << form;
}

INSTANTIATE_TEST_SUITE_P(
    ByMenuOrCloseBox, Ending, testing::Bool(), [](const testing::TestParamInfo<bool> &param) {
        return param.param ? "CloseBox" : "FileExit";
    });

} // namespace
} // namespace behaviour
