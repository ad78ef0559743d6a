#pragma once

#include "platform/form.h"

#include <functional>
#include <memory>

namespace orvanel::platform {

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
