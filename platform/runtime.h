#pragma once

// What the program asks of the windowing system it runs on: windows built from
// their descriptions, text boxes, focus, message boxes, and ending the program.
// Texts are UTF-8. Each windowing system has an implementation of its own in a
// folder beside this file.
//
// Controls and menu entries are named in descriptions, and the names are
// resolved once, when a window is made: a description that names an unknown
// container, repeats a name or asks for a shortcut no runtime can bind is
// refused then, and so is a handler that asks for a control the window lacks.
// A running program holds only handles that are known to be good.
//
// Failures are C++ exceptions on every runtime, the browser's included: a
// refusal (DescriptionError) or a window the system cannot make
// (WindowSystemError) is thrown while the windows are made, before run().
// runProgram catches it, tells it in a message box that waits for OK like any
// other, and returns 1. In the browser, where returning from main does not end
// the page, the run then ends through the page's one ending, which says the
// same text; a failure that escapes a handler there ends the run the same way.

#include "platform/form_description.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvanel::platform {

// A window description or a handler's name that does not fit the window. The
// text names the window and the control.
class DescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The windowing system could not make a window. The text says what failed,
// in the system's own words where it gives them.
class WindowSystemError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Window;

// A text box of a window.
class TextBox {
public:
    // The text exactly as typed.
    std::string text() const;
    // Replaces the text.
    void setText(std::string_view text) const;
    // Moves the keyboard focus into the box.
    void setFocus() const;

private:
    friend class Window;
    TextBox(Window &window, std::size_t control)
        : m_window(&window)
        , m_control(control)
    {
    }
    Window *m_window;
    std::size_t m_control;
};

// A push button or a menu entry: something the user clicks or chooses.
class Command {
public:
    // Runs the handler when the button is clicked or the entry chosen.
    void onClick(std::function<void()> handler) const;

private:
    friend class Window;
    enum class Source { Button, MenuEntry };
    Command(Window &window, Source source, std::size_t index)
        : m_window(&window)
        , m_source(source)
        , m_index(index)
    {
    }
    Window *m_window;
    Source m_source;
    std::size_t m_index;
};

// A top-level window with its controls and menu bar, made from a description.
class Window {
public:
    virtual ~Window() = default;
    Window(const Window &) = delete;
    Window &operator=(const Window &) = delete;

    // The description the window was made from; the window keeps its own copy.
    const FormDescription &description() const { return m_description; }

    // The text box or command of that name; DescriptionError when the window
    // has none.
    TextBox textBox(std::string_view name);
    Command command(std::string_view name);

    // Runs the handler when the user closes the window with its close box,
    // instead of hiding it.
    virtual void onCloseBox(std::function<void()> handler) = 0;

    // Shows the window modeless; a window that is already visible comes to the front.
    virtual void show() = 0;
    // Makes the window invisible; it keeps existing with all it holds.
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;

    // The position of a control in description().controls; nothing for a name
    // the window does not have.
    std::optional<std::size_t> controlIndex(std::string_view name) const;
    // The number of a named menu entry, as forEachMenuEntry counts.
    std::optional<int> menuEntryNumber(std::string_view name) const;

protected:
    // Keeps the description, or refuses it with a DescriptionError.
    explicit Window(FormDescription description);

    // What a runtime does for the handles. Controls are given by their position
    // in description().controls, menu entries by their number.
    virtual std::string text(std::size_t control) const = 0;
    virtual void setText(std::size_t control, std::string_view text) = 0;
    virtual void setFocus(std::size_t control) = 0;
    virtual void onButtonClick(std::size_t control, std::function<void()> handler) = 0;
    virtual void onMenuChoice(int entry, std::function<void()> handler) = 0;

private:
    friend class TextBox;
    friend class Command;
    FormDescription m_description;
};

// Refuses a description that a window cannot be made from: a control or menu
// entry without a name or with one used before, a container that is not a
// frame of the window, a shortcut other than F1 to F12.
void checkDescription(const FormDescription &description);

class Runtime {
public:
    virtual ~Runtime() = default;

    // Makes a window; DescriptionError for a description that checkDescription
    // refuses, WindowSystemError when the windowing system fails.
    virtual std::unique_ptr<Window> createWindow(const FormDescription &description) = 0;

    // A modal box with the text, one OK button and no icon, titled with the
    // application title; returns once the user has pressed OK. While it is up,
    // no window of the program takes input.
    virtual void showMessage(Window *owner, std::string_view text) = 0;

    // Ends the program at once: every window closes, hidden ones included, no
    // further event reaches a handler, and run() returns 0 (in the browser the
    // page says that the program has ended).
    virtual void endProgram() = 0;

    // Delivers the user's events until the program ends; returns its exit
    // status. In the browser, whose page runs the events, it hands the page
    // over and does not return: the program stays on the heap until it ends.
    virtual int run() = 0;
};

// The runtime of the windowing system this program was built for.
std::unique_ptr<Runtime> makeRuntime(int &argc, char **argv, std::string_view applicationTitle);

} // namespace orvanel::platform
