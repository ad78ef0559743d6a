#pragma once

#include "platform/window_slot.h"

namespace orvanel {

platform::FormDescription frmhelpDescription();

// Three steps on how to use the program; Close hides the window.
class frmhelp : public platform::Form {
public:
    explicit frmhelp(platform::Runtime &runtime);

    void cmdclose_Click();
};

} // namespace orvanel
