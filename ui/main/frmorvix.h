#pragma once

#include "form.h"

class QCloseEvent;

namespace orvanel::platform {
class MessageBoxHost;
class WindowSlot;
} // namespace orvanel::platform

namespace orvanel {

platform::FormDescription frmorvixDescription();

// The main window: two inputs, Continue, the framed result and the menu bar.
class frmorvix : public platform::Form {
    Q_OBJECT

public:
    frmorvix(platform::MessageBoxHost &messages, platform::WindowSlot &helpWindow,
        platform::WindowSlot &aboutWindow);

    void cmdcontinue_Click();
    void mnuclear_Click();
    void mnuexit_Click();
    void helpa_Click();
    void bout_Click();

protected:
    // The close box ends the program like File > Exit, so that no hidden
    // window keeps it running.
    void closeEvent(QCloseEvent *event) override;

private:
    platform::MessageBoxHost &m_messages;
    platform::WindowSlot &m_helpWindow;
    platform::WindowSlot &m_aboutWindow;
};

} // namespace orvanel
