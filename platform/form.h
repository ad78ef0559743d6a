#pragma once

#include "platform/runtime.h"

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

} // namespace orvanel::platform
