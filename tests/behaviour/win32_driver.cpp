// The behaviour tests' driver for the Win32 runtime. Keys are hand-built
// messages that go through the program's own pre-translation (accelerators and
// the dialog manager) before they are dispatched, buttons are pressed with
// BM_CLICK, menu entries send their WM_COMMAND or are chosen with keys through
// the system's menu loop, and a CBT hook reads each message box as it is
// activated and answers it with OK. Controls are read as screen readers read
// them, through oleacc and by the rules of Windows' own proxies, and a WinEvent
// hook hears what the boxes announce. Tests of this runtime alone come last.

#include "tests/behaviour/driver.h"

#include "app/program.h"
#include "platform/win32/win32_runtime.h"
#include "platform/win32/win32_window.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>

namespace behaviour {
namespace {

using orvanel::platform::Win32Runtime;
using orvanel::platform::Win32Window;
using orvanel::platform::win32::toUtf8;

std::string windowText(HWND hwnd)
{
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return toUtf8(text);
}

std::wstring className(HWND hwnd)
{
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

bool isClass(HWND hwnd, const wchar_t *cls)
{
    wchar_t name[64] = {};
    RealGetWindowClassW(hwnd, name, 64);
    return lstrcmpiW(name, cls) == 0;
}

// IAccessible's identifier, defined here: in its place MinGW's oleacc import
// library has an import thunk, which AccessibleObjectFromWindow answers with
// E_NOINTERFACE.
const IID accessibleInterface
    = { 0x618736e0, 0x3c3d, 0x11cf, { 0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71 } };

std::string bstrText(BSTR text)
{
    return text ? toUtf8(std::wstring_view(text, SysStringLen(text))) : std::string();
}

Driver::Role roleOfSystem(LONG role)
{
    switch (role) {
    case ROLE_SYSTEM_STATICTEXT:
        return Driver::Role::StaticText;
    case ROLE_SYSTEM_TEXT:
        return Driver::Role::EditableText;
    case ROLE_SYSTEM_PUSHBUTTON:
        return Driver::Role::PushButton;
    case ROLE_SYSTEM_GROUPING:
        return Driver::Role::Grouping;
    default:
        return Driver::Role::Other;
    }
}

// What oleacc's standard object for the control's client area says: the
// control's name and role. The generic role of a client area is no role of
// its own: Wine's oleacc gives it to every control but an edit box.
Driver::Reading oleaccReading(HWND hwnd)
{
    Driver::Reading reading { "oleacc", {}, {} };
    IAccessible *object = nullptr;
    const HRESULT made = AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT),
        accessibleInterface, reinterpret_cast<void **>(&object));
    if (FAILED(made)) {
        ADD_FAILURE() << "AccessibleObjectFromWindow: error " << std::hex << made;
        return reading;
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (SUCCEEDED(object->get_accName(self, &name)))
        reading.name = bstrText(name); // none: read without a name
    SysFreeString(name);
    VARIANT role;
    VariantInit(&role);
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4
        && role.lVal != ROLE_SYSTEM_CLIENT)
        reading.role = roleOfSystem(role.lVal);
    VariantClear(&role);
    object->Release();
    return reading;
}

// How Windows' proxies name a text box: after the nearest visible static
// control before it in z-order, looked for no further than a control that is
// a tab stop or begins a group. Wine's oleacc looks at the one window before
// the box only.
std::string labelBefore(HWND box)
{
    for (HWND w = GetWindow(box, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
        if (!(style & WS_VISIBLE))
            continue;
        if (isClass(w, L"Static")) {
            std::string text = windowText(w);
            if (style & SS_NOPREFIX)
                return text;
            std::string shown; // "&" marks the access key, "&&" is an "&"
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (text[i] == '&' && i + 1 < text.size())
                    ++i;
                shown += text[i];
            }
            return shown;
        }
        if (style & (WS_TABSTOP | WS_GROUP))
            break;
    }
    return {};
}

// What Windows' own proxies read of the live control: the role that its
// system class and style give, and for a text box the name of its label.
Driver::Reading proxyReading(HWND hwnd)
{
    Driver::Reading reading { "the rules of Windows' proxies", {}, Driver::Role::Other };
    const LONG_PTR type = GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    if (isClass(hwnd, L"Static")) {
        reading.role = Driver::Role::StaticText;
    } else if (isClass(hwnd, L"Edit")) {
        reading.role = Driver::Role::EditableText;
        reading.name = labelBefore(hwnd);
    } else if (isClass(hwnd, L"Button") && type == BS_GROUPBOX) {
        reading.role = Driver::Role::Grouping;
    } else if (isClass(hwnd, L"Button") && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
        reading.role = Driver::Role::PushButton;
    }
    return reading;
}

class Win32Driver;
Win32Driver *current = nullptr;

class Win32Driver final : public Driver {
public:
    Win32Driver()
        : m_runtime(orvanel::applicationTitle)
        , program(m_runtime)
    {
        current = this;
        hook = SetWindowsHookExW(WH_CBT, cbtHook, nullptr, GetCurrentThreadId());
        com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        valueHook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
            valueChanged, GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    }
    ~Win32Driver() override
    {
        UnhookWinEvent(valueHook);
        if (com)
            CoUninitialize();
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }

    bool exists(const std::string &form) const override
    {
        const Win32Window *w = window(form);
        return w && w->handle();
    }
    bool visible(const std::string &form) const override
    {
        const Win32Window *w = window(form);
        return w && w->isVisible();
    }
    int count(const std::string &form) const override
    {
        Search search { L"Orvanel." + orvanel::platform::win32::toWide(form) };
        EnumThreadWindows(GetCurrentThreadId(), countClass, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    std::string title(const std::string &form) const override
    {
        return windowText(window(form)->handle());
    }
    bool fixedSize(const std::string &form) const override
    {
        const LONG_PTR style = GetWindowLongPtrW(window(form)->handle(), GWL_STYLE);
        return !(style & WS_THICKFRAME) && !(style & WS_MAXIMIZEBOX);
    }
    bool centredOnScreen(const std::string &form) const override
    {
        HWND hwnd = window(form)->handle();
        RECT r;
        GetWindowRect(hwnd, &r);
        MONITORINFO monitor { sizeof monitor };
        GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT &a = monitor.rcWork;
        return std::abs((r.left + r.right) - (a.left + a.right)) <= 4
            && std::abs((r.top + r.bottom) - (a.top + a.bottom)) <= 4;
    }
    Rect clientArea(const std::string &form) const override
    {
        RECT r;
        GetClientRect(window(form)->handle(), &r);
        return unscaled(form, { 0, 0, r.right, r.bottom });
    }
    Rect place(const std::string &form, const std::string &control) const override
    {
        const Win32Window *w = window(form);
        HWND c = handle(form, control);
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, w->handle(), reinterpret_cast<POINT *>(&r), 2);
        return unscaled(form, { r.left, r.top, r.right - r.left, r.bottom - r.top });
    }
    Font font(const std::string &form, const std::string &control) const override
    {
        auto f = reinterpret_cast<HFONT>(SendMessageW(handle(form, control), WM_GETFONT, 0, 0));
        LOGFONTW lf {};
        GetObjectW(f, sizeof lf, &lf);
        const int dpi = window(form)->dpi();
        return { MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 96, dpi),
            lf.lfWeight >= FW_BOLD, lf.lfUnderline != 0 };
    }
    std::string text(const std::string &form, const std::string &control) const override
    {
        return windowText(handle(form, control));
    }
    std::vector<std::string> focusable(const std::string &form) const override
    {
        // The dialog manager's Tab order, from the first tab stop round to it.
        const Win32Window *w = window(form);
        std::vector<std::string> names;
        HWND first = GetNextDlgTabItem(w->handle(), nullptr, FALSE);
        for (HWND c = first; c;) {
            names.emplace_back(w->nameOf(c));
            c = GetNextDlgTabItem(w->handle(), c, FALSE);
            if (c == first)
                break;
        }
        return names;
    }
    std::vector<MenuItem> menuBar(const std::string &form) const override
    {
        return items(GetMenu(window(form)->handle()));
    }

    void showMain() override
    {
        program.main.window().show();
        ASSERT_TRUE(waitFor([this] { return GetForegroundWindow() == main()->handle(); }, 5000));
        pump();
    }
    void setText(const std::string &control, const std::string &text) override
    {
        program.main.window().textBox(control).setText(text);
    }
    void type(const std::string &control, const std::string &text) override
    {
        SetFocus(handle("frmorvix", control));
        for (wchar_t c : orvanel::platform::win32::toWide(text)) {
            send(WM_CHAR, c, 1);
        }
        pump();
    }
    void press(Key key) override
    {
        switch (key) {
        case Key::Tab:
            return stroke(VK_TAB);
        case Key::ShiftTab: {
            // The dialog manager reads Shift from the thread's key state.
            BYTE keys[256] = {};
            GetKeyboardState(keys);
            const BYTE shift = keys[VK_SHIFT];
            keys[VK_SHIFT] = 0x80;
            SetKeyboardState(keys);
            stroke(VK_TAB);
            keys[VK_SHIFT] = shift;
            SetKeyboardState(keys);
            return;
        }
        case Key::Space:
            return stroke(VK_SPACE, L' ');
        case Key::Return:
            return stroke(VK_RETURN, L'\r');
        case Key::Enter:
            return stroke(VK_RETURN, L'\r', true);
        case Key::Escape:
            return stroke(VK_ESCAPE, 0x1b);
        case Key::F2:
            return stroke(VK_F2);
        case Key::AltC: {
            // Alt held: WM_SYSKEYDOWN with the context bit, then WM_SYSCHAR.
            const LPARAM alt = LPARAM(1) << 29;
            send(WM_SYSKEYDOWN, VK_MENU, 1 | alt);
            send(WM_SYSKEYDOWN, 'C', 1 | alt);
            send(WM_SYSCHAR, 'c', 1 | alt);
            send(WM_SYSKEYUP, 'C', 1 | alt | (LPARAM(3) << 30));
            send(WM_KEYUP, VK_MENU, 1 | (LPARAM(3) << 30));
            return pump();
        }
        }
    }
    void click(const std::string &form, const std::string &button) override
    {
        SendMessageW(handle(form, button), BM_CLICK, 0, 0);
        pump();
    }
    void choose(const std::string &menuEntry) override
    {
        const auto id = main()->commandId(menuEntry);
        ASSERT_TRUE(id) << menuEntry;
        SendMessageW(main()->handle(), WM_COMMAND, MAKEWPARAM(*id, 0), 0);
        pump();
    }
    bool chooseThroughMenus(const std::string &form, const std::vector<int> &path) override
    {
        // The keys a user types into the menu loop: along the menu bar, down
        // into its menu, down to the entry and right into each submenu, then
        // Enter. The loop takes the next key each time it waits for one.
        menuKeys.assign(static_cast<std::size_t>(path.at(0)), VK_RIGHT);
        menuKeys.push_back(VK_DOWN);
        for (std::size_t level = 1; level < path.size(); ++level) {
            if (level > 1)
                menuKeys.push_back(VK_RIGHT);
            menuKeys.insert(menuKeys.end(), static_cast<std::size_t>(path[level]), VK_DOWN);
        }
        menuKeys.push_back(VK_RETURN);
        menuOwner = window(form)->handle();
        menuEscapes = 0;
        menuCommands = 0;
        HHOOK idle = SetWindowsHookExW(WH_CALLWNDPROC, menuIdleHook, nullptr, GetCurrentThreadId());
        SendMessageW(menuOwner, WM_SYSCOMMAND, SC_KEYMENU, 0); // as F10 does
        UnhookWindowsHookEx(idle);
        pump();
        return menuCommands > 0;
    }
    bool takesInput(const std::string &form) override
    {
        // Windows gives a disabled window neither keys nor clicks.
        return IsWindowEnabled(window(form)->handle()) != FALSE;
    }
    void closeBox(const std::string &form) override
    {
        SendMessageW(window(form)->handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        pump();
    }
    std::string focus() const override
    {
        HWND f = GetFocus();
        for (const Win32Window *w : m_runtime.windows()) {
            if (!w->nameOf(f).empty())
                return std::string(w->name()) + "." + std::string(w->nameOf(f));
        }
        return {};
    }
    bool waitFor(const std::function<bool()> &condition, int milliseconds) override
    {
        const auto deadline
            = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        for (;;) {
            pump();
            if (condition())
                return true;
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    int runUntilEnded(const std::function<void()> &action) override
    {
        // A thread timer: the end of the wait if nothing else ends it.
        const UINT_PTR timer = SetTimer(nullptr, 0, 5000, nullptr);
        action();
        MSG message {};
        int status = -1;
        for (;;) {
            const BOOL got = GetMessageW(&message, nullptr, 0, 0);
            if (got == 0)
                status = static_cast<int>(message.wParam);
            if (got <= 0 || (message.message == WM_TIMER && !message.hwnd))
                break;
            dispatch(message);
        }
        KillTimer(nullptr, timer);
        return status;
    }
    void showMessage(const std::string &text) override
    {
        m_runtime.showMessage(&program.main.window(), text);
    }
    orvanel::platform::Runtime &runtime() override { return m_runtime; }
    std::vector<Reading> readings(const std::string &form, const std::string &control) override
    {
        HWND c = handle(form, control);
        if (!c)
            return {};
        return { oleaccReading(c), proxyReading(c) };
    }
    void pressShiftTab() override
    {
        // The dialog manager reads Shift's state as the Tab key goes down.
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] |= 0x80;
        SetKeyboardState(keys);
        stroke(VK_TAB);
        keys[VK_SHIFT] &= 0x7f;
        SetKeyboardState(keys);
    }
    bool chooseByAccessKeys(const std::string &form, const std::string &letters) override
    {
        // Alt with the menu's letter enters the system's menu loop, which
        // takes the entries' letters as it waits for keys.
        menuKeys.clear();
        for (char c : letters.substr(1))
            menuKeys.push_back(static_cast<WPARAM>(std::toupper(static_cast<unsigned char>(c))));
        menuOwner = window(form)->handle();
        menuEscapes = 0;
        menuCommands = 0;
        HHOOK idle = SetWindowsHookExW(WH_CALLWNDPROC, menuIdleHook, nullptr, GetCurrentThreadId());
        const LPARAM alt = LPARAM(1) << 29;
        const auto first = static_cast<unsigned char>(letters.at(0));
        send(WM_SYSKEYDOWN, VK_MENU, 1 | alt);
        send(WM_SYSKEYDOWN, static_cast<WPARAM>(std::toupper(first)), 1 | alt);
        send(WM_SYSCHAR, static_cast<WPARAM>(std::tolower(first)), 1 | alt);
        send(WM_SYSKEYUP, static_cast<WPARAM>(std::toupper(first)), 1 | alt | (LPARAM(3) << 30));
        send(WM_KEYUP, VK_MENU, 1 | (LPARAM(3) << 30));
        UnhookWindowsHookEx(idle);
        pump();
        return menuCommands > 0;
    }

private:
    // A value change of a control, heard as a screen reader hears it: the
    // value read from the object that the event names.
    static void CALLBACK valueChanged(
        HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD)
    {
        if (current)
            current->heard(hwnd, object, child);
    }
    void heard(HWND hwnd, LONG object, LONG child)
    {
        std::string control;
        for (const Win32Window *w : m_runtime.windows()) {
            if (!w->nameOf(hwnd).empty())
                control = std::string(w->name()) + "." + std::string(w->nameOf(hwnd));
        }
        if (control.empty())
            return;
        IAccessible *source = nullptr;
        VARIANT item;
        VariantInit(&item);
        std::string value;
        if (SUCCEEDED(AccessibleObjectFromEvent(
                hwnd, static_cast<DWORD>(object), static_cast<DWORD>(child), &source, &item))) {
            BSTR text = nullptr;
            if (SUCCEEDED(source->get_accValue(item, &text)))
                value = bstrText(text);
            SysFreeString(text);
            VariantClear(&item);
            source->Release();
        } else {
            ADD_FAILURE() << "AccessibleObjectFromEvent failed for " << control;
        }
        announcements.push_back({ control, value });
    }

    struct Search {
        std::wstring cls;
        int found = 0;
    };
    static BOOL CALLBACK countClass(HWND hwnd, LPARAM search)
    {
        auto *s = reinterpret_cast<Search *>(search);
        s->found += className(hwnd) == s->cls ? 1 : 0;
        return TRUE;
    }

    static LRESULT CALLBACK cbtHook(int code, WPARAM wParam, LPARAM lParam)
    {
        auto hwnd = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && current && className(hwnd) == L"#32770")
            current->answer(hwnd);
        if (code == HCBT_DESTROYWND && current && current->answered == hwnd)
            current->answered = nullptr;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // Reads the message box as it is activated, then answers it with OK once
    // its own message loop runs.
    void answer(HWND box)
    {
        if (answered == box)
            return;
        answered = box;
        Message m;
        m.title = windowText(box);
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            // The box itself is not visible yet: its controls' own styles tell.
            const LONG_PTR style = GetWindowLongPtrW(c, GWL_STYLE);
            if (!(style & WS_VISIBLE))
                continue;
            const std::wstring cls = className(c);
            if (lstrcmpiW(cls.c_str(), L"Button") == 0) {
                std::string label = windowText(c);
                label.erase(std::remove(label.begin(), label.end(), '&'), label.end());
                m.buttons.push_back(label);
            } else if (lstrcmpiW(cls.c_str(), L"Static") == 0) {
                if ((style & SS_TYPEMASK) == SS_ICON)
                    m.icon = m.icon || SendMessageW(c, STM_GETICON, 0, 0) != 0;
                else if (m.text.empty())
                    m.text = windowText(c);
            }
        }
        m.ownerDisabled
            = !IsWindowEnabled(main()->handle()) && GetWindow(box, GW_OWNER) == main()->handle();
        messages.push_back(m);
        if (whileMessageShown)
            whileMessageShown();
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }

    static LRESULT CALLBACK menuIdleHook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto *sent = reinterpret_cast<const CWPSTRUCT *>(lParam);
        if (code == HC_ACTION && current && sent->message == WM_ENTERIDLE
            && sent->wParam == MSGF_MENU)
            current->typeIntoMenu();
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    void typeIntoMenu()
    {
        if (menuKeys.empty()) {
            // Still in the menus after the last key: out of them, as Escape does.
            if (++menuEscapes > 8)
                EndMenu();
            else
                PostMessageW(menuOwner, WM_KEYDOWN, VK_ESCAPE, 1);
            return;
        }
        menuEscapes = 0;
        PostMessageW(menuOwner, WM_KEYDOWN, menuKeys.front(), 1);
        menuKeys.erase(menuKeys.begin());
    }

    static std::vector<MenuItem> items(HMENU menu)
    {
        std::vector<MenuItem> result;
        const int n = GetMenuItemCount(menu);
        for (int i = 0; i < n; ++i) {
            wchar_t text[256] = {};
            MENUITEMINFOW info { sizeof info };
            info.fMask = MIIM_STRING | MIIM_STATE | MIIM_SUBMENU;
            info.dwTypeData = text;
            info.cch = 255;
            GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
            std::string label = toUtf8(text);
            std::string shortcut;
            if (const auto tab = label.find('\t'); tab != std::string::npos) {
                shortcut = label.substr(tab + 1);
                label.resize(tab);
            }
            MenuItem item { label, shortcut, !(info.fState & MFS_DISABLED), {} };
            if (info.hSubMenu)
                item.submenu = items(info.hSubMenu);
            result.push_back(item);
        }
        return result;
    }

    // A key press and release at the focus, with the character it types.
    void stroke(WPARAM key, wchar_t character = 0, bool extended = false)
    {
        const LPARAM flags = 1 | (extended ? LPARAM(1) << 24 : 0);
        send(WM_KEYDOWN, key, flags);
        if (character)
            send(WM_CHAR, character, flags);
        send(WM_KEYUP, key, flags | (LPARAM(3) << 30));
        pump();
    }

    // One message to the focus, handled as the program's message loop would.
    void send(UINT message, WPARAM wParam, LPARAM lParam)
    {
        HWND target = GetFocus();
        if (!target)
            target = GetActiveWindow();
        MSG m { target, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {} };
        dispatch(m);
    }

    void dispatch(MSG &m)
    {
        if ((m.message == WM_COMMAND && HIWORD(m.wParam) == 0 && m.lParam == 0)
            || m.message == WM_MENUCOMMAND)
            ++menuCommands;
        if (!m_runtime.preTranslate(m)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }

    void pump()
    {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(m.wParam)); // for runUntilEnded
                return;
            }
            dispatch(m);
        }
    }

    Rect unscaled(const std::string &form, Rect r) const
    {
        const int dpi = window(form)->dpi();
        return { MulDiv(r.left, 96, dpi), MulDiv(r.top, 96, dpi), MulDiv(r.width, 96, dpi),
            MulDiv(r.height, 96, dpi) };
    }

    Win32Window *main() const { return dynamic_cast<Win32Window *>(&program.main.window()); }
    Win32Window *window(const std::string &form) const
    {
        orvanel::platform::Form *f = program.form(form);
        return f ? dynamic_cast<Win32Window *>(&f->window()) : nullptr;
    }
    HWND handle(const std::string &form, const std::string &control) const
    {
        const Win32Window *w = window(form);
        HWND c = w ? w->control(control) : nullptr;
        if (!c)
            ADD_FAILURE() << "no control " << control << " in " << form;
        return c;
    }

    Win32Runtime m_runtime;
    orvanel::Program program;
    HHOOK hook = nullptr;
    HWINEVENTHOOK valueHook = nullptr;
    bool com = false;
    HWND answered = nullptr;
    std::vector<WPARAM> menuKeys;
    HWND menuOwner = nullptr;
    int menuEscapes = 0;
    int menuCommands = 0;
};

} // namespace

std::unique_ptr<Driver> startProgram()
{
    return std::make_unique<Win32Driver>();
}

namespace {

// Refuses to make the main window, as a windowing system short of resources may.
LRESULT CALLBACK refuseMainWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && className(reinterpret_cast<HWND>(wParam)) == L"Orvanel.frmorvix")
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Ends a message loop that would otherwise wait for ever.
void CALLBACK stopWaiting(HWND, UINT, UINT_PTR, DWORD)
{
    PostQuitMessage(-1);
}

} // namespace

TEST(Win32Start, AWindowTheSystemRefusesIsToldAndEndsTheProgram)
{
    const std::unique_ptr<Driver> answering = startProgram(); // reads and answers the box
    Win32Runtime runtime(orvanel::applicationTitle);
    HHOOK refuse = SetWindowsHookExW(WH_CBT, refuseMainWindow, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, 5000, stopWaiting);
    const int status = orvanel::runProgram(runtime);
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(refuse);
    EXPECT_EQ(status, 1);
    ASSERT_EQ(answering->messages.size(), 1u);
    const std::string &text = answering->messages.front().text;
    EXPECT_TRUE(text.starts_with("Orvanel could not start: ")) << text;
    EXPECT_NE(text.find("\"frmorvix\""), std::string::npos) << text;
}

namespace {

struct EnterCase {
    const char *name;
    std::function<void(Driver &)> reach; // brings the focus there
    const char *focus; // "form.control"
    std::function<bool(Driver &)> pressed; // what the press did
    bool presses;
};

// Every child window of a form's window.
std::vector<HWND> childrenOf(const std::string &form)
{
    std::vector<HWND> children;
    HWND top = FindWindowW(orvanel::platform::win32::toWide("Orvanel." + form).c_str(), nullptr);
    for (HWND c = top ? GetWindow(top, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT))
        children.push_back(c);
    return children;
}

// WM_DPICHANGED with the rectangle Windows suggests: the window's own, scaled.
void moveToDpi(const std::string &form, int from, int to)
{
    HWND hwnd = FindWindowW(orvanel::platform::win32::toWide("Orvanel." + form).c_str(), nullptr);
    RECT r;
    GetWindowRect(hwnd, &r);
    RECT suggested { r.left, r.top, r.left + MulDiv(r.right - r.left, to, from),
        r.top + MulDiv(r.bottom - r.top, to, from) };
    SendMessageW(hwnd, 0x02E0, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
}

// How often a label overlaps a text box or a push button, and how many labels
// have a window region other than their rectangle without those controls.
std::pair<int, int> labelShapes(const std::string &form)
{
    int overlaps = 0;
    int misshapen = 0;
    const std::vector<HWND> children = childrenOf(form);
    for (HWND label : children) {
        if (!isClass(label, L"Static"))
            continue;
        RECT own;
        GetWindowRect(label, &own);
        HRGN wanted = CreateRectRgn(0, 0, own.right - own.left, own.bottom - own.top);
        for (HWND other : children) {
            const LONG_PTR type = GetWindowLongPtrW(other, GWL_STYLE) & BS_TYPEMASK;
            RECT r;
            RECT overlap;
            GetWindowRect(other, &r);
            if (!(isClass(other, L"Edit") || (isClass(other, L"Button") && type != BS_GROUPBOX))
                || !IntersectRect(&overlap, &own, &r))
                continue;
            ++overlaps;
            OffsetRect(&r, -own.left, -own.top);
            HRGN hole = CreateRectRgnIndirect(&r);
            CombineRgn(wanted, wanted, hole, RGN_DIFF);
            DeleteObject(hole);
        }
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        if (GetWindowRgn(label, shape) == ERROR)
            SetRectRgn(shape, 0, 0, own.right - own.left, own.bottom - own.top);
        misshapen += EqualRgn(shape, wanted) ? 0 : 1;
        DeleteObject(shape);
        DeleteObject(wanted);
    }
    return { overlaps, misshapen };
}

} // namespace

// Enter presses the push button that has the focus, in every window, as in a
// dialog box; from a text box it presses nothing, even once a button has had
// the focus.
TEST(Win32Keys, EnterPressesTheFocusedButtonAndNothingElse)
{
    const auto inputs = [](Driver &d) {
        d.type("txtSB", "50");
        d.type("txtcharlvl", "80");
    };
    const auto computed = [](Driver &d) { return d.text("frmorvix", "txtmax") == "255"; };
    const EnterCase cases[] = {
        { "a freshly opened Help window", [](Driver &d) { d.choose("helpa"); }, "frmhelp.cmdclose",
            [](Driver &d) { return !d.visible("frmhelp"); }, true },
        { "a freshly opened About window", [](Driver &d) { d.choose("bout"); }, "frmabout.Command1",
            [](Driver &d) { return !d.visible("frmabout"); }, true },
        { "Continue reached by Tab",
            [&](Driver &d) {
                inputs(d);
                d.press(Key::Tab);
            },
            "frmorvix.cmdcontinue", computed, true },
        { "a box after Continue had the focus",
            [&](Driver &d) {
                inputs(d);
                d.press(Key::Tab);
                d.type("txtSB", "");
            },
            "frmorvix.txtSB", computed, false },
    };
    for (const EnterCase &c : cases) {
        for (Key key : { Key::Return, Key::Enter }) {
            const std::unique_ptr<Driver> program = startProgram();
            program->showMain();
            c.reach(*program);
            ASSERT_TRUE(program->waitFor([&] { return program->focus() == c.focus; }, 2000))
                << c.name << ": the focus is in " << program->focus();
            program->press(key);
            program->waitFor([&] { return c.pressed(*program); }, c.presses ? 2000 : 200);
            EXPECT_EQ(c.pressed(*program), c.presses)
                << c.name << (key == Key::Enter ? ", keypad Enter" : ", Enter");
            EXPECT_TRUE(program->messages.empty()) << c.name;
        }
    }
}

// A label that overlaps a text box or a push button leaves it out of its
// window region, at any DPI: it neither hides the other nor draws on it, and
// shows all the rest of itself.
TEST(Win32Labels, EachLabelLeavesOutTheBoxesAndButtonsItOverlapsAtAnyDpi)
{
    const std::unique_ptr<Driver> program = startProgram();
    program->showMain();
    program->choose("helpa");
    program->choose("bout");
    for (const char *form : { "frmorvix", "frmhelp", "frmabout" }) {
        for (const auto &[from, to] : { std::pair { 96, 96 }, { 96, 144 }, { 144, 96 } }) {
            if (from != to)
                moveToDpi(form, from, to);
            program->waitFor([] { return false; }, 50);
            const auto [overlaps, misshapen] = labelShapes(form);
            EXPECT_EQ(misshapen, 0) << form << " at " << to << " dpi";
            if (std::string(form) != "frmabout") {
                EXPECT_GT(overlaps, 0) << form << " at " << to << " dpi";
            }
        }
    }
}

} // namespace behaviour
