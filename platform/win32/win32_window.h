#pragma once

#include "platform/runtime.h"
#include "platform/win32/win32_api.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvanel::platform {

class Win32Runtime;

// A top-level window built from its description with plain Win32 controls: a
// fixed border, the client area from twips at the window's own DPI, labels
// that break lines at word boundaries, single-line edit boxes without a length
// limit, push buttons, a group box for the frame, and the menu bar with its
// accelerators.
class Win32Window final : public Window {
public:
    Win32Window(Win32Runtime &runtime, const FormDescription &description);
    ~Win32Window() override;
    Win32Window(const Win32Window &) = delete;
    Win32Window &operator=(const Win32Window &) = delete;

    void onCloseBox(std::function<void()> handler) override;
    void show() override;
    void hide() override;
    bool isVisible() const override;

    std::string_view name() const { return description().name; }
    HWND handle() const { return m_hwnd; }
    HACCEL accelerators() const { return m_accelerators; }
    // The control of that name, or nullptr.
    HWND control(std::string_view name) const;
    // The name of a control of this window; empty for any other window.
    std::string_view nameOf(HWND control) const;
    // The command a menu entry or push button sends in WM_COMMAND.
    std::optional<int> commandId(std::string_view name) const;
    int dpi() const { return m_dpi; }

    // Destroys the window and its controls, at the end of the program.
    void destroy();

protected:
    std::string text(std::size_t control) const override;
    void setText(std::size_t control, std::string_view text) override;
    void setFocus(std::size_t control) override;
    void onButtonClick(std::size_t control, std::function<void()> handler) override;
    void onMenuChoice(int entry, std::function<void()> handler) override;

private:
    struct Control {
        const ControlDescription *description = nullptr;
        HWND hwnd = nullptr;
        HFONT font = nullptr;
        int id = 0;
    };

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Everything the window is made of; WindowSystemError where the system fails.
    void create();
    void registerClass() const;
    void createControls();
    void buildMenuBar();

    // Fonts, control rectangles, icons and the window size for the current DPI.
    void layOut();
    // Labels lie above the text boxes they name, and some reach over a box or
    // a button beside them: each label's window region leaves out the boxes
    // and buttons it overlaps, so that it neither hides them nor draws on them.
    void shapeLabels();
    void setIcons();
    void resizeToClientArea(const RECT *suggested);
    void releaseFonts();
    const Control *find(std::string_view name) const;
    const Control &at(std::size_t control) const;
    const Control *find(HWND hwnd) const;

    Win32Runtime &m_runtime;
    std::wstring m_className;
    HWND m_hwnd = nullptr;
    HMENU m_menu = nullptr;
    HACCEL m_accelerators = nullptr;
    int m_dpi = 96;
    std::vector<Control> m_controls;
    std::map<int, std::function<void()>> m_handlers;
    std::function<void()> m_closeBox;
    HWND m_lastFocus = nullptr;
    HICON m_icons[2] = {}; // big and small, at the window's DPI
    bool m_shown = false;
};

} // namespace orvanel::platform
