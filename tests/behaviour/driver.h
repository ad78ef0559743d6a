#pragma once

// The program's real windows as the behaviour tests drive them, on whichever
// runtime the tests were built for. Each runtime has a driver of its own that
// sends keys, clicks and menu choices the way that windowing system delivers
// them, and answers every message box with OK after noting what it showed.
// Forms are named as in their descriptions (orvanel::programForms()); a name no
// window of the program has fails the test.

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orvanel::platform {
class Runtime;
}

namespace behaviour {

enum class Key { Tab, ShiftTab, Space, Return, Enter, Escape, F2, AltC };

struct MenuItem {
    std::string text; // with "&" before the access key
    std::string shortcut; // "F2", or empty
    bool enabled = true;
    std::vector<MenuItem> submenu;
    friend bool operator==(const MenuItem &, const MenuItem &) = default;
    friend void PrintTo(const MenuItem &item, std::ostream *out)
    {
        *out << "{\"" << item.text << "\" " << item.shortcut << (item.enabled ? "" : " greyed");
        for (const MenuItem &inner : item.submenu) {
            *out << " ";
            PrintTo(inner, out);
        }
        *out << "}";
    }
};

struct Message {
    std::string title;
    std::string text;
    std::vector<std::string> buttons; // their texts without "&"
    bool icon = false;
    bool ownerDisabled = false; // the main window takes no input while it is up
};

struct Rect {
    int left = 0, top = 0, width = 0, height = 0; // pixels at 96 dpi, in the window's client area
    friend bool operator==(const Rect &, const Rect &) = default;
};

struct Font {
    int pixels = 0;
    bool bold = false;
    bool underline = false;
    friend bool operator==(const Font &, const Font &) = default;
};

class Driver {
public:
    virtual ~Driver() = default;

    // Windows of the program; an information window exists once it was shown.
    virtual bool exists(const std::string &form) const = 0;
    virtual bool visible(const std::string &form) const = 0;
    // How many top-level windows of that form the program has.
    virtual int count(const std::string &form) const = 0;
    virtual std::string title(const std::string &form) const = 0;
    virtual bool fixedSize(const std::string &form) const = 0;
    virtual bool centredOnScreen(const std::string &form) const = 0;
    virtual Rect clientArea(const std::string &form) const = 0;
    virtual Rect place(const std::string &form, const std::string &control) const = 0;
    virtual Font font(const std::string &form, const std::string &control) const = 0;
    // The text a control shows: a box's contents, a label's or a button's text.
    virtual std::string text(const std::string &form, const std::string &control) const = 0;
    // The controls of a form that take the keyboard focus.
    virtual std::vector<std::string> focusable(const std::string &form) const = 0;
    virtual std::vector<MenuItem> menuBar(const std::string &form) const = 0;

    // Shows the main window, makes it active and waits for it.
    virtual void showMain() = 0;
    // Replaces a box's text directly, as a paste would.
    virtual void setText(const std::string &control, const std::string &text) = 0;
    // Types into a box of the main window, key by key, after focusing it.
    virtual void type(const std::string &control, const std::string &text) = 0;
    // A key to the control with the focus in the active window.
    virtual void press(Key key) = 0;
    virtual void click(const std::string &form, const std::string &button) = 0;
    virtual void choose(const std::string &menuEntry) = 0;
    // Chooses an entry of a form's menu bar the way a user would, through the
    // open menus: the entry at path[0] of the bar, then path[1] of its menu,
    // and so on. True when the choice reached the window as a command.
    virtual bool chooseThroughMenus(const std::string &form, const std::vector<int> &path) = 0;
    virtual void closeBox(const std::string &form) = 0;
    // Whether the form takes the user's input now, as the windowing system
    // decides it.
    virtual bool takesInput(const std::string &form) = 0;
    // "form.control" of the focus, or empty.
    virtual std::string focus() const = 0;
    // Lets the windowing system deliver what is pending, until the condition
    // holds or the time is up; returns the condition.
    virtual bool waitFor(const std::function<bool()> &condition, int milliseconds) = 0;
    // Runs the event loop until the program ends after the action; returns the
    // exit status, or -1 when it did not end within a few seconds.
    virtual int runUntilEnded(const std::function<void()> &action) = 0;
    // Shows a message through the runtime, as the handlers do.
    virtual void showMessage(const std::string &text) = 0;
    // The runtime the program runs on.
    virtual orvanel::platform::Runtime &runtime() = 0;

    // Every message box shown so far, answered with OK.
    std::vector<Message> messages;
    // Called while a message box is up, before it is answered.
    std::function<void()> whileMessageShown;

    // What assistive technology reads of a control, through what the runtime
    // gives it: the roles that the tests tell apart.
    enum class Role { StaticText, EditableText, PushButton, Grouping, Other };
    // One way a screen reader reads a control. A reading that gives no name,
    // or no role of its own, leaves it out.
    struct Reading {
        std::string by; // the reader, for the messages of failed tests
        std::optional<std::string> name;
        std::optional<Role> role;
    };
    // Every way the runtime's assistive technology reads the control.
    virtual std::vector<Reading> readings(const std::string &form, const std::string &control) = 0;

    // A new value of a box, as screen readers were told of it.
    struct Announcement {
        std::string control; // "form.control"
        std::string value; // as a screen reader reads it then
        friend bool operator==(const Announcement &, const Announcement &) = default;
    };
    // Every announcement so far, in order.
    std::vector<Announcement> announcements;

    // Shift+Tab to the control with the focus in the active window.
    virtual void pressShiftTab() = 0;
    // Chooses an entry of a form's menu bar by access keys, as a user types
    // them: Alt with the first letter, which opens that menu, then the other
    // letters in the menus it opens. True when the choice reached the window
    // as a command.
    virtual bool chooseByAccessKeys(const std::string &form, const std::string &letters) = 0;
};

// A fresh program on the runtime under test.
std::unique_ptr<Driver> startProgram();

} // namespace behaviour
