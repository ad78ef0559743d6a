#include "platform/win32/win32_runtime.h"

#include "platform/win32/win32_window.h"

#include <commctrl.h>

#include <algorithm>

namespace orvanel::platform {

Win32Runtime::Win32Runtime(std::string_view applicationTitle)
    : m_title(win32::toWide(applicationTitle))
{
    win32::becomeDpiAware();
    INITCOMMONCONTROLSEX controls { sizeof controls, ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&controls);
}

Win32Runtime::~Win32Runtime()
{
    // A quit message left behind by the end of the program must not end the
    // next message loop of this thread.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) { }
}

std::unique_ptr<Window> Win32Runtime::createWindow(const FormDescription &description)
{
    return std::make_unique<Win32Window>(*this, description);
}

void Win32Runtime::showMessage(Window *owner, std::string_view text)
{
    auto *window = dynamic_cast<Win32Window *>(owner);
    HWND ownerHandle = window ? window->handle() : nullptr;
    // The box is modal to the application: MessageBoxW disables its owner, and
    // every other window of the program is disabled here until the box is gone.
    HWND active = GetActiveWindow();
    HWND focus = GetFocus();
    std::vector<HWND> disabled;
    for (const Win32Window *other : m_windows) {
        HWND hwnd = other->handle();
        if (hwnd && hwnd != ownerHandle && IsWindowEnabled(hwnd)) {
            EnableWindow(hwnd, FALSE);
            disabled.push_back(hwnd);
        }
    }
    MessageBoxW(ownerHandle, win32::toWide(text).c_str(), m_title.c_str(), MB_OK);
    for (HWND hwnd : disabled) {
        if (IsWindow(hwnd))
            EnableWindow(hwnd, TRUE);
    }
    // The window that was active gets the focus back.
    if (active && IsWindow(active) && IsWindowVisible(active)) {
        SetActiveWindow(active);
        if (focus && IsWindow(focus) && IsChild(active, focus))
            SetFocus(focus);
    }
}

void Win32Runtime::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    const std::vector<Win32Window *> windows = m_windows;
    for (Win32Window *window : windows)
        window->destroy();
    PostQuitMessage(0);
}

int Win32Runtime::run()
{
    MSG message {};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(message.wParam);
        if (got < 0)
            return 1;
        if (!preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

bool Win32Runtime::preTranslate(MSG &message) const
{
    if (!message.hwnd)
        return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const auto found = std::find_if(m_windows.begin(), m_windows.end(),
        [root](const Win32Window *w) { return w->handle() == root; });
    if (found == m_windows.end())
        return false;
    if (HACCEL accelerators = (*found)->accelerators()) {
        if (TranslateAcceleratorW(root, accelerators, &message))
            return true;
    }
    return IsDialogMessageW(root, &message) != FALSE;
}

void Win32Runtime::add(Win32Window *window)
{
    m_windows.push_back(window);
}

void Win32Runtime::remove(Win32Window *window)
{
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
}

std::unique_ptr<Runtime> makeRuntime(int &, char **, std::string_view applicationTitle)
{
    return std::make_unique<Win32Runtime>(applicationTitle);
}

} // namespace orvanel::platform
