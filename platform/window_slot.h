#pragma once

#include "runtime.h"

#include <functional>
#include <memory>

namespace orvanel::platform {

// A window of the program: its runtime window, made from its description.
class Form {
public:
    Form(Runtime &runtime, const FormDescription &description)
        : m_runtime(runtime)
        , m_window(runtime.createWindow(description))
    {
    }
    virtual ~Form() = default;
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    Runtime &runtime() const { return m_runtime; }
    Window &window() const { return *m_window; }

private:
    Runtime &m_runtime;
    std::unique_ptr<Window> m_window;
};

// The application's place for the single instance of a window: empty until the
// window is first shown, then holding the same instance until the program ends.
class WindowSlot {
public:
    using Factory = std::function<std::unique_ptr<Form>()>;

    explicit WindowSlot(Factory create);

    // Creates the instance if the slot is empty, then shows it modeless; a
    // window that is already visible comes to the front.
    void show();
    // Makes the window invisible; the instance stays in the slot.
    void hide();

    Form *instance() const { return m_form.get(); }

private:
    Factory m_create;
    std::unique_ptr<Form> m_form;
};

} // namespace orvanel::platform
