#pragma once

#include "platform/runtime.h"
#include "platform/win32/win32_api.h"

#include <string>
#include <vector>

namespace orvanel::platform {

class Win32Window;

// The runtime on the Win32 API: user32, gdi32 and comctl32 only.
class Win32Runtime final : public Runtime {
public:
    explicit Win32Runtime(std::string_view applicationTitle);
    ~Win32Runtime() override;
    Win32Runtime(const Win32Runtime &) = delete;
    Win32Runtime &operator=(const Win32Runtime &) = delete;

    std::unique_ptr<Window> createWindow(const FormDescription &description) override;
    // MessageBoxW with one OK button and no icon, over its owner; no window of
    // the program takes input while it is up.
    void showMessage(Window *owner, std::string_view text) override;
    void endProgram() override;
    int run() override;

    // What the message loop does with a message before it is dispatched: the
    // accelerators of the window it is for, then the dialog manager's keyboard
    // handling (Tab order, access keys) on that top-level window. True when
    // the message was handled there.
    bool preTranslate(MSG &message) const;
    bool ended() const { return m_ended; }
    const std::wstring &applicationTitle() const { return m_title; }
    const std::vector<Win32Window *> &windows() const { return m_windows; }

private:
    friend class Win32Window;
    void add(Win32Window *window);
    void remove(Win32Window *window);

    std::wstring m_title;
    std::vector<Win32Window *> m_windows;
    bool m_ended = false;
};

} // namespace orvanel::platform
