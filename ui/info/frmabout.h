#pragma once

#include "platform/window_slot.h"

namespace orvanel {

platform::FormDescription frmaboutDescription();

// The program's name, version and purpose, and where to write; Close hides it.
class frmabout : public platform::Form {
public:
    explicit frmabout(platform::Runtime &runtime);

    void Command1_Click();
};

} // namespace orvanel
