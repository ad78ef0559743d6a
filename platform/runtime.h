#pragma once

// What the program asks of the windowing system it runs on: windows built from
// their descriptions, text boxes, focus, message boxes, and ending the program.
// Texts are UTF-8 and controls are named as in their descriptions. Each
// windowing system has an implementation of its own beside this file.

#include "form_description.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace orvanel::platform {

// A top-level window with its controls and menu bar, made from a description.
class Window {
public:
    virtual ~Window() = default;

    // The text of a text box, exactly as typed.
    virtual std::string text(std::string_view control) const = 0;
    // Replaces the text of a text box.
    virtual void setText(std::string_view control, std::string_view text) = 0;
    // Moves the keyboard focus into a control.
    virtual void setFocus(std::string_view control) = 0;

    // Runs the handler when a push button is clicked or a menu entry chosen.
    virtual void onClick(std::string_view name, std::function<void()> handler) = 0;
    // Runs the handler when the user closes the window with its close box,
    // instead of hiding it.
    virtual void onCloseBox(std::function<void()> handler) = 0;

    // Shows the window modeless; a window that is already visible comes to the front.
    virtual void show() = 0;
    // Makes the window invisible; it keeps existing with all it holds.
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
};

class Runtime {
public:
    virtual ~Runtime() = default;

    virtual std::unique_ptr<Window> createWindow(const FormDescription &description) = 0;

    // A modal box with the text, one OK button and no icon, titled with the
    // application title; returns once the user has pressed OK.
    virtual void showMessage(Window *owner, std::string_view text) = 0;

    // Ends the program at once: every window closes, hidden ones included, no
    // further event reaches a handler, and run() returns 0.
    virtual void endProgram() = 0;

    // Delivers the user's events until the program ends; returns its exit status.
    virtual int run() = 0;
};

// The runtime of the windowing system this program was built for.
std::unique_ptr<Runtime> makeRuntime(int &argc, char **argv, std::string_view applicationTitle);

} // namespace orvanel::platform
