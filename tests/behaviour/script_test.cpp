// Plays the behaviour scripts of tests/cases/behaviour.txt (their language is
// described at the top of that file) on the runtime under test, through its
// driver. The browser's suite plays the same file.

#include "tests/behaviour/driver.h"

#include "app/forms.h"
#include "app/program.h"
#include "calc/max_block_dex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace behaviour {
namespace {

using orvanel::platform::ControlDescription;
using orvanel::platform::FormDescription;
using orvanel::platform::MenuEntryDescription;

struct Step {
    int line = 0;
    std::vector<std::string> words; // the verb first; quoted texts without their quotes
};

struct Case {
    std::string name;
    int line = 0;
    std::vector<Step> steps;
    std::map<std::string, std::string> skips; // runtime: why
    std::string fault; // what is wrong with the file here, if anything
};

void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.name;
}

// A quoted text with JSON's escapes, from just after its opening quote, and an
// optional repeat count "*N". Returns the position after it, or npos.
std::size_t unquote(const std::string &line, std::size_t at, std::string &text)
{
    for (; at < line.size() && line[at] != '"'; ++at) {
        if (line[at] != '\\') {
            text += line[at];
            continue;
        }
        if (++at == line.size())
            return std::string::npos;
        const std::map<char, char> escapes { { '"', '"' }, { '\\', '\\' }, { '/', '/' },
            { 'n', '\n' }, { 't', '\t' }, { 'r', '\r' }, { 'b', '\b' }, { 'f', '\f' } };
        if (const auto e = escapes.find(line[at]); e != escapes.end()) {
            text += e->second;
        } else if (line[at] == 'u' && at + 4 < line.size()) {
            const auto code = std::stoul(line.substr(at + 1, 4), nullptr, 16);
            at += 4;
            if (code < 0x80) {
                text += static_cast<char>(code);
            } else if (code < 0x800) {
                text += static_cast<char>(0xc0 | (code >> 6));
                text += static_cast<char>(0x80 | (code & 0x3f));
            } else {
                text += static_cast<char>(0xe0 | (code >> 12));
                text += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
                text += static_cast<char>(0x80 | (code & 0x3f));
            }
        } else {
            return std::string::npos;
        }
    }
    if (at == line.size())
        return std::string::npos;
    ++at;
    if (at < line.size() && line[at] == '*') {
        std::size_t digits = at + 1;
        while (digits < line.size() && std::isdigit(static_cast<unsigned char>(line[digits])))
            ++digits;
        if (digits == at + 1)
            return std::string::npos;
        const std::string once = text;
        text.clear();
        for (unsigned long n = std::stoul(line.substr(at + 1, digits - at - 1)); n > 0; --n)
            text += once;
        at = digits;
    }
    return at;
}

// The words of a line; false for a text that is not closed or escaped well.
bool splitWords(const std::string &line, std::vector<std::string> &words)
{
    for (std::size_t at = 0; at < line.size();) {
        if (line[at] == ' ' || line[at] == '\t') {
            ++at;
            continue;
        }
        std::string word;
        if (line[at] == '"') {
            at = unquote(line, at + 1, word);
            if (at == std::string::npos)
                return false;
        } else {
            while (at < line.size() && line[at] != ' ' && line[at] != '\t')
                word += line[at++];
        }
        words.push_back(word);
    }
    return true;
}

std::vector<Case> readScripts()
{
    const auto faulty = [](const std::string &fault) {
        return std::vector { Case { .name = "ScriptFile", .fault = fault } };
    };
    std::ifstream file(ORVANEL_BEHAVIOUR_CASES);
    if (!file)
        return faulty("cannot read " ORVANEL_BEHAVIOUR_CASES);
    std::vector<Case> cases;
    int number = 0;
    for (std::string line; std::getline(file, line);) {
        ++number;
        if (line.ends_with('\r'))
            line.pop_back();
        std::vector<std::string> words;
        if (!splitWords(line, words))
            return faulty("line " + std::to_string(number) + ": a text is not closed or escaped");
        if (words.empty() || words[0].starts_with('#'))
            continue;
        if (words[0] == "case" && words.size() == 2) {
            cases.push_back({ .name = words[1], .line = number });
        } else if (cases.empty()) {
            return faulty("line " + std::to_string(number) + ": a step before the first case");
        } else if (words[0] == "skip" && words.size() >= 3) {
            std::string why;
            for (std::size_t i = 2; i < words.size(); ++i)
                why += (i > 2 ? " " : "") + words[i];
            cases.back().skips[words[1]] = why;
        } else {
            cases.back().steps.push_back({ number, words });
        }
    }
    return cases.empty() ? faulty("no cases in " ORVANEL_BEHAVIOUR_CASES) : cases;
}

// "form.control" split in two.
std::pair<std::string, std::string> control(const std::string &word)
{
    const auto dot = word.find('.');
    return { word.substr(0, dot), dot == std::string::npos ? "" : word.substr(dot + 1) };
}

int pixels(int twips)
{
    return twips / 15;
}

int fontPixels(double points)
{
    return static_cast<int>(points * 96 / 72 + 0.5);
}

std::vector<MenuItem> described(const std::vector<MenuEntryDescription> &entries)
{
    std::vector<MenuItem> items;
    for (const MenuEntryDescription &e : entries)
        items.push_back({ e.text, e.shortcut, e.enabled, described(e.submenu) });
    return items;
}

// The controls that take the focus, in tab order.
std::vector<std::string> tabStops(const FormDescription &form)
{
    std::vector<const ControlDescription *> stops;
    for (const ControlDescription &c : form.controls) {
        if (c.kind == orvanel::platform::ControlKind::TextBox
            || c.kind == orvanel::platform::ControlKind::PushButton)
            stops.push_back(&c);
    }
    std::stable_sort(stops.begin(), stops.end(),
        [](const auto *a, const auto *b) { return a->tabIndex < b->tabIndex; });
    std::vector<std::string> names;
    for (const ControlDescription *c : stops)
        names.push_back(form.name + "." + c->name);
    return names;
}

class Player {
public:
    Player(Driver &driver, const Case &script)
        : d(driver)
        , steps(script.steps)
    {
        for (const orvanel::NamedMessage &message : orvanel::namedMessages())
            messageNamed.emplace(message.name, message.text);
    }

    void play()
    {
        d.whileMessageShown = [this] { boxShown(); };
        while (next < steps.size())
            step();
        d.whileMessageShown = nullptr;
        EXPECT_EQ(d.messages.size(), boxes) << "message boxes shown, and expected";
    }

private:
    const Step &take() { return steps[next++]; }

    void step()
    {
        const Step &s = take();
        SCOPED_TRACE("behaviour.txt:" + std::to_string(s.line));
        const std::string &verb = s.words[0];
        if (verb == "expect") {
            expect(s);
        } else if (verb == "box" || verb == "answer") {
            ADD_FAILURE() << "\"" << verb << "\", but no message box is up";
        } else if (next < steps.size()
            && steps[next].words == std::vector<std::string> { "expect", "ended" }) {
            ++next;
            EXPECT_EQ(d.runUntilEnded([&] { act(s); }), 0) << "the program did not end";
        } else {
            act(s);
        }
    }

    // A box is up: the script says which, what to do while it is up, and
    // answers it; the driver presses OK once this returns.
    void boxShown()
    {
        ++boxes;
        const Message &m = d.messages.back();
        if (next == steps.size() || steps[next].words[0] != "box") {
            ADD_FAILURE() << "a message box that the script does not expect: " << m.text;
            return;
        }
        const Step &s = take();
        SCOPED_TRACE("behaviour.txt:" + std::to_string(s.line));
        ASSERT_EQ(s.words.size(), 2u);
        const auto text = messageNamed.find(s.words[1]);
        ASSERT_NE(text, messageNamed.end()) << "no message is named " << s.words[1];
        EXPECT_EQ(m.text, text->second);
        EXPECT_EQ(m.title, orvanel::applicationTitle);
        EXPECT_EQ(m.buttons, std::vector<std::string> { "OK" });
        EXPECT_FALSE(m.icon);
        EXPECT_TRUE(m.ownerDisabled) << "the box is modal";
        while (next < steps.size() && steps[next].words[0] != "answer")
            step();
        EXPECT_LT(next, steps.size()) << "the box is never answered";
        ++next;
    }

    void act(const Step &s)
    {
        const std::vector<std::string> &w = s.words;
        const auto [form, name] = control(w.size() > 1 ? w[1] : "");
        if ((w[0] == "type" || w[0] == "paste") && w.size() == 3) {
            EXPECT_EQ(form, orvanel::programForms().front().describe().name)
                << "only the main window's boxes are typed into";
            d.setText(name, w[0] == "type" ? "" : w[2]);
            if (w[0] == "type")
                d.type(name, w[2]);
        } else if (w[0] == "press" && w.size() == 2) {
            const std::map<std::string, Key> keys { { "Tab", Key::Tab },
                { "Shift+Tab", Key::ShiftTab }, { "Space", Key::Space }, { "Enter", Key::Return },
                { "NumpadEnter", Key::Enter }, { "Escape", Key::Escape }, { "F2", Key::F2 },
                { "Alt+C", Key::AltC } };
            const auto key = keys.find(w[1]);
            ASSERT_NE(key, keys.end()) << "no key " << w[1];
            d.press(key->second);
        } else if (w[0] == "click" && w.size() == 2) {
            d.click(form, name);
        } else if (w[0] == "choose" && w.size() == 2) {
            d.choose(w[1]);
        } else if (w[0] == "close" && w.size() == 2) {
            d.closeBox(w[1]);
        } else if (w[0] == "pick" && w.size() >= 2) {
            std::vector<int> path;
            for (std::size_t i = 1; i < w.size(); ++i)
                path.push_back(std::stoi(w[i]));
            d.chooseThroughMenus(orvanel::programForms().front().describe().name, path);
        } else {
            ADD_FAILURE() << "no step " << w[0] << " with " << w.size() - 1 << " words";
        }
    }

    void expect(const Step &s)
    {
        const std::vector<std::string> &w = s.words;
        const std::string what = w.size() > 1 ? w[1] : "";
        const auto forms = [&] { return std::vector<std::string>(w.begin() + 2, w.end()); };
        if (what == "text" && w.size() == 4) {
            const auto [form, name] = control(w[2]);
            const std::string text = d.text(form, name);
            EXPECT_TRUE(text == w[3])
                << w[2] << " holds " << text.size() << " bytes \"" << text.substr(0, 40)
                << "\", not \"" << w[3].substr(0, 40) << "\"";
        } else if (what == "focus" && w.size() == 3) {
            EXPECT_TRUE(d.waitFor([&] { return d.focus() == w[2]; }, 2000))
                << "the focus is on " << d.focus() << ", not on " << w[2];
        } else if (what == "shown" || what == "hidden" || what == "absent") {
            for (const std::string &form : forms()) {
                if (what == "absent")
                    EXPECT_FALSE(d.exists(form)) << form << " exists";
                else
                    EXPECT_TRUE(
                        d.waitFor([&] { return d.visible(form) == (what == "shown"); }, 2000))
                        << form << " is not " << what;
            }
        } else if (what == "count" && w.size() == 4) {
            EXPECT_EQ(d.count(w[2]), std::stoi(w[3])) << w[2];
        } else if (what == "input" || what == "no-input") {
            for (const std::string &form : forms())
                EXPECT_EQ(d.takesInput(form), what == "input") << form;
        } else if (what == "layout" && w.size() == 3) {
            layout(orvanel::programForm(w[2]).describe());
        } else if (what == "menus" && w.size() == 3) {
            EXPECT_EQ(d.menuBar(w[2]), described(orvanel::programForm(w[2]).describe().menuBar));
        } else if (what == "tab-order" && w.size() == 3) {
            tabOrder(orvanel::programForm(w[2]).describe());
        } else {
            ADD_FAILURE() << "no expectation " << what << " with " << w.size() - 2 << " words";
        }
    }

    void layout(const FormDescription &form)
    {
        const std::string &f = form.name;
        EXPECT_EQ(d.title(f), form.title);
        EXPECT_EQ(d.clientArea(f),
            (Rect { 0, 0, pixels(form.clientWidthTwips), pixels(form.clientHeightTwips) }));
        EXPECT_TRUE(d.fixedSize(f));
        if (form.placement == orvanel::platform::Placement::CentreOfScreen) {
            EXPECT_TRUE(d.centredOnScreen(f));
        }
        for (const ControlDescription &c : form.controls) {
            orvanel::platform::TwipsRect r = c.rect;
            for (const ControlDescription &frame : form.controls) {
                if (frame.name == c.container) {
                    r.left += frame.rect.left;
                    r.top += frame.rect.top;
                }
            }
            EXPECT_EQ(d.place(f, c.name),
                (Rect { pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height) }))
                << c.name;
            const orvanel::platform::FontDescription &font = c.font ? *c.font : form.defaultFont;
            EXPECT_EQ(
                d.font(f, c.name), (Font { fontPixels(font.points), font.bold, font.underline }))
                << c.name;
            EXPECT_EQ(d.text(f, c.name), c.text) << c.name;
        }
        std::vector<std::string> focusable;
        for (const std::string &stop : tabStops(form))
            focusable.push_back(control(stop).second);
        std::vector<std::string> got = d.focusable(f);
        // From whichever control has the focus: turned to start at the first stop.
        if (const auto first = std::find(got.begin(), got.end(), focusable.front());
            first != got.end())
            std::rotate(got.begin(), first, got.end());
        EXPECT_EQ(got, focusable);
    }

    void tabOrder(const FormDescription &form)
    {
        const std::vector<std::string> stops = tabStops(form);
        ASSERT_FALSE(stops.empty());
        ASSERT_TRUE(d.waitFor([&] { return d.focus() == stops.front(); }, 2000))
            << "the focus is on " << d.focus() << ", not on the first tab stop";
        for (const Key key : { Key::Tab, Key::ShiftTab }) {
            std::vector<std::string> seen, wanted;
            for (std::size_t i = 1; i <= stops.size(); ++i) {
                d.press(key);
                seen.push_back(d.focus());
                wanted.push_back(stops[key == Key::Tab ? i % stops.size() : stops.size() - i]);
            }
            EXPECT_EQ(seen, wanted) << (key == Key::Tab ? "Tab" : "Shift+Tab");
        }
    }

    Driver &d;
    const std::vector<Step> &steps;
    std::size_t next = 0;
    std::size_t boxes = 0;
    std::map<std::string, std::string> messageNamed;
};

class Script : public testing::TestWithParam<Case> { };

TEST_P(Script, Plays)
{
    const Case &c = GetParam();
    ASSERT_EQ(c.fault, "");
    if (const auto skip = c.skips.find(ORVANEL_RUNTIME_NAME); skip != c.skips.end())
        GTEST_SKIP() << skip->second;
    SCOPED_TRACE("behaviour.txt:" + std::to_string(c.line) + ": case " + c.name);
    const std::unique_ptr<Driver> program = startProgram();
    program->showMain();
    Player(*program, c).play();
}

INSTANTIATE_TEST_SUITE_P(Cases, Script, testing::ValuesIn(readScripts()),
    [](const testing::TestParamInfo<Case> &param) { return param.param.name; });

} // namespace
} // namespace behaviour
