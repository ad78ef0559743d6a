#pragma once

#include "platform/window_slot.h"

namespace orvanel {

platform::FormDescription frmorvixDescription();

// The main window: two inputs, Continue, the framed result and the menu bar.
class frmorvix : public platform::Form {
public:
    frmorvix(platform::Runtime &runtime, platform::WindowSlot &helpWindow,
        platform::WindowSlot &aboutWindow);

    void cmdcontinue_Click();
    void mnuclear_Click();
    void mnuexit_Click();
    void helpa_Click();
    void bout_Click();

private:
    platform::WindowSlot &m_helpWindow;
    platform::WindowSlot &m_aboutWindow;
    platform::TextBox m_txtSB;
    platform::TextBox m_txtcharlvl;
    platform::TextBox m_txtmax;
};

} // namespace orvanel
