#include "platform/win32/win32_window.h"

#include "platform/twips.h"
#include "platform/win32/text_lines.h"
#include "platform/win32/win32_runtime.h"

#include <algorithm>
#include <cwctype>
#include <string>

namespace orvanel::platform {

namespace {

using win32::toUtf8;
using win32::toWide;

// Control and command identifiers stay clear of IDOK and IDCANCEL, which the
// dialog manager sends for Enter and Escape: those two run nothing.
constexpr int firstControlId = 100;
constexpr int firstMenuId = 1000;
// A fixed border: no sizing frame, no maximise box. Not WS_CLIPCHILDREN: the
// window's background shows through the frame (group box), which paints only
// its border and caption.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD windowExStyle = 0;

HINSTANCE instance()
{
    return GetModuleHandleW(nullptr);
}

// Labels are static controls that draw their own text: broken into lines at
// blanks only, each word whole, clipped at the label's edges and its window
// region, "&" shown as it is. They are windows of the system's static class,
// subclassed for the painting only, so that assistive tools know them as
// static text, and name a text box after the one that comes right before it.
WNDPROC staticProc = nullptr;

LRESULT CALLBACK labelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return 1; // the window behind has painted the background
    if (message != WM_PAINT)
        return CallWindowProcW(staticProc, hwnd, message, wParam, lParam);

    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    // The parent chooses the text colour, as it does for any static control.
    // The label is transparent: labels that overlap both show their text,
    // over the window's background, which the window itself paints.
    SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
        reinterpret_cast<LPARAM>(hwnd));
    SetBkMode(dc, TRANSPARENT);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(hwnd, shape) != ERROR)
        ExtSelectClipRgn(dc, shape, RGN_AND);
    DeleteObject(shape);
    auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));

    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    const std::wstring_view view(text);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    const auto widthOf = [dc](std::wstring_view piece) {
        SIZE size {};
        GetTextExtentPoint32W(dc, piece.data(), static_cast<int>(piece.size()), &size);
        return static_cast<int>(size.cx);
    };
    int y = 0;
    for (const LineSpan &line : breakLines(view, client.right, widthOf)) {
        if (y >= client.bottom)
            break;
        ExtTextOutW(dc, 0, y, ETO_CLIPPED, &client, view.data() + line.start,
            static_cast<UINT>(line.length), nullptr);
        y += metrics.tmHeight;
    }
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &paint);
    return 0;
}

// What the system says of its last error, read at once after the call that
// failed.
std::string lastErrorText()
{
    const DWORD code = GetLastError();
    if (code == 0)
        return "the system refused without giving a reason";
    wchar_t *buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (iswspace(text.back()) || text.back() == L'.'))
        text.pop_back();
    return (text.empty() ? "system error" : toUtf8(text)) + " (" + std::to_string(code) + ")";
}

// A failure of the windowing system while making a window, in its own words.
[[noreturn]] void refused(const FormDescription &form, std::string_view what)
{
    const std::string reason = lastErrorText();
    throw WindowSystemError(
        "window \"" + form.name + "\": " + std::string(what) + " failed: " + reason);
}

// Every static control has the same window procedure, the class's.
void subclassLabel(HWND label)
{
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(labelProc)));
    if (!staticProc)
        staticProc = previous;
}

// The order the controls lie in, from the top, which is the order they are
// made in. The dialog manager's Tab order follows it, so the controls that
// take the focus come in their tab order. Screen readers name a text box after
// the static text right before it: each box comes right after its label. The
// other labels lie beneath the controls, and the frames beneath all they hold.
std::vector<const ControlDescription *> stackingOrder(const FormDescription &form)
{
    std::vector<const ControlDescription *> byTab;
    for (const ControlDescription &c : form.controls)
        byTab.push_back(&c);
    std::stable_sort(
        byTab.begin(), byTab.end(), [](const ControlDescription *a, const ControlDescription *b) {
            return a->tabIndex < b->tabIndex;
        });
    std::vector<const ControlDescription *> order;
    const auto place = [&order](const ControlDescription *c) {
        if (std::find(order.begin(), order.end(), c) == order.end())
            order.push_back(c);
    };
    for (const ControlDescription *c : byTab) {
        if (c->kind == ControlKind::Label || c->kind == ControlKind::Frame)
            continue;
        for (const ControlDescription *label : byTab) {
            if (!c->label.empty() && label->name == c->label)
                place(label);
        }
        place(c);
    }
    for (ControlKind kind : { ControlKind::Label, ControlKind::Frame }) {
        for (const ControlDescription *c : byTab) {
            if (c->kind == kind)
                place(c);
        }
    }
    return order;
}

// A window's rectangle in its parent's client area.
RECT rectInParent(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT *>(&r), 2);
    return r;
}

// The program's icon, resource 1 of the executable, in the size that the
// system metrics give at a DPI (SM_CXICON and SM_CYICON, or the small ones).
HICON loadIcon(int widthMetric, int heightMetric, int dpi)
{
    return static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(1), IMAGE_ICON,
        win32::systemMetric(widthMetric, dpi), win32::systemMetric(heightMetric, dpi),
        LR_DEFAULTCOLOR));
}

HFONT makeFont(const FontDescription &wanted, int dpi)
{
    const std::wstring face = win32::installedFace(wanted.face);
    return CreateFontW(-pointsToPixels(wanted.points, dpi), 0, 0, 0,
        wanted.bold ? FW_BOLD : FW_NORMAL, FALSE, wanted.underline ? TRUE : FALSE, FALSE,
        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
        DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

} // namespace

Win32Window::Win32Window(Win32Runtime &runtime, const FormDescription &form)
    : Window(form)
    , m_runtime(runtime)
    , m_className(L"Orvanel." + toWide(form.name))
{
    m_runtime.add(this);
    try {
        create();
    } catch (...) {
        destroy();
        m_runtime.remove(this);
        throw;
    }
}

void Win32Window::create()
{
    const FormDescription &description = this->description();
    registerClass();
    buildMenuBar();
    m_hwnd = CreateWindowExW(windowExStyle, m_className.c_str(), toWide(description.title).c_str(),
        windowStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, m_menu,
        instance(), this);
    if (!m_hwnd)
        refused(description, "creating the window");
    m_dpi = win32::dpiOf(m_hwnd);
    createControls();
    layOut();
    setIcons();
    resizeToClientArea(nullptr);

    if (description.placement == Placement::CentreOfScreen) {
        RECT window;
        GetWindowRect(m_hwnd, &window);
        MONITORINFO monitor { sizeof monitor };
        GetMonitorInfoW(MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT &area = monitor.rcWork;
        const int width = window.right - window.left;
        const int height = window.bottom - window.top;
        SetWindowPos(m_hwnd, nullptr, area.left + (area.right - area.left - width) / 2,
            area.top + (area.bottom - area.top - height) / 2, 0, 0,
            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

Win32Window::~Win32Window()
{
    destroy();
    m_runtime.remove(this);
}

void Win32Window::destroy()
{
    if (m_hwnd)
        DestroyWindow(m_hwnd); // the menu goes with it
    else if (m_menu)
        DestroyMenu(m_menu); // a window that was never made
    m_hwnd = nullptr;
    m_menu = nullptr;
    if (m_accelerators)
        DestroyAcceleratorTable(m_accelerators);
    m_accelerators = nullptr;
    releaseFonts();
    for (HICON &icon : m_icons) {
        if (icon)
            DestroyIcon(icon);
        icon = nullptr;
    }
}

void Win32Window::registerClass() const
{
    WNDCLASSEXW cls { sizeof cls };
    if (GetClassInfoExW(instance(), m_className.c_str(), &cls))
        return;
    cls = WNDCLASSEXW { sizeof cls };
    cls.lpfnWndProc = windowProc;
    cls.hInstance = instance();
    cls.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    cls.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    cls.lpszClassName = m_className.c_str();
    if (description().applicationIcon) {
        // Each window has the icon at its own DPI as well (setIcons).
        const int dpi = win32::dpiOf(nullptr);
        cls.hIcon = loadIcon(SM_CXICON, SM_CYICON, dpi);
        cls.hIconSm = loadIcon(SM_CXSMICON, SM_CYSMICON, dpi);
    }
    if (!RegisterClassExW(&cls))
        refused(description(), "registering its window class");
}

void Win32Window::setIcons()
{
    if (!description().applicationIcon)
        return;
    const HICON icons[]
        = { loadIcon(SM_CXICON, SM_CYICON, m_dpi), loadIcon(SM_CXSMICON, SM_CYSMICON, m_dpi) };
    const WPARAM kinds[] = { ICON_BIG, ICON_SMALL };
    for (int i = 0; i < 2; ++i) {
        SendMessageW(m_hwnd, WM_SETICON, kinds[i], reinterpret_cast<LPARAM>(icons[i]));
        if (m_icons[i])
            DestroyIcon(m_icons[i]);
        m_icons[i] = icons[i];
    }
}

void Win32Window::createControls()
{
    const std::vector<const ControlDescription *> ordered = stackingOrder(description());
    m_controls.reserve(ordered.size());
    int id = firstControlId;
    for (const ControlDescription *c : ordered) {
        const wchar_t *cls = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        DWORD exStyle = 0;
        switch (c->kind) {
        case ControlKind::Label:
            // Not clipped by the labels it overlaps: each shows its text.
            style = (style & ~WS_CLIPSIBLINGS) | SS_LEFT | SS_NOPREFIX;
            break;
        case ControlKind::TextBox:
            cls = L"EDIT";
            style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::PushButton:
            cls = L"BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON;
            break;
        case ControlKind::Frame:
            cls = L"BUTTON";
            style |= BS_GROUPBOX;
            break;
        }
        HWND hwnd = CreateWindowExW(exStyle, cls, toWide(c->text).c_str(), style, 0, 0, 0, 0,
            m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
        if (!hwnd)
            refused(description(), "creating the control \"" + c->name + "\"");
        if (c->kind == ControlKind::Label)
            subclassLabel(hwnd);
        if (c->kind == ControlKind::TextBox)
            SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0); // as long as Windows allows
        m_controls.push_back({ c, hwnd, nullptr, id });
        ++id;
    }
}

void Win32Window::buildMenuBar()
{
    const FormDescription &form = description();
    if (form.menuBar.empty())
        return;
    m_menu = CreateMenu();
    std::vector<ACCEL> accelerators;
    // Entries come depth first: each goes into the last menu made a level up,
    // and an entry that opens a menu is appended once its own entries are in.
    struct Open {
        HMENU menu;
        const MenuEntryDescription *entry;
    };
    std::vector<Open> open { { m_menu, nullptr } };
    const auto close = [&](std::size_t depth) {
        while (open.size() > depth + 1) {
            const Open done = open.back();
            open.pop_back();
            std::wstring text = toWide(done.entry->text);
            AppendMenuW(open.back().menu,
                MF_POPUP | MF_STRING | (done.entry->enabled ? MF_ENABLED : MF_GRAYED),
                reinterpret_cast<UINT_PTR>(done.menu), text.c_str());
        }
    };
    forEachMenuEntry(form, [&](const MenuEntryDescription &entry, int number, int depth) {
        close(static_cast<std::size_t>(depth));
        if (!entry.submenu.empty()) {
            open.push_back({ CreatePopupMenu(), &entry });
            return;
        }
        // Every entry has a command of its own, named or not.
        const int id = firstMenuId + number;
        std::wstring text = toWide(entry.text);
        if (!entry.shortcut.empty())
            text += L'\t' + toWide(entry.shortcut);
        AppendMenuW(open.back().menu, MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED),
            static_cast<UINT_PTR>(id), text.c_str());
        if (const auto key = functionKey(entry.shortcut))
            accelerators.push_back(
                { FVIRTKEY, static_cast<WORD>(VK_F1 + *key - 1), static_cast<WORD>(id) });
    });
    close(0);
    if (!accelerators.empty())
        m_accelerators
            = CreateAcceleratorTableW(accelerators.data(), static_cast<int>(accelerators.size()));
}

void Win32Window::layOut()
{
    // Each control has its new font before its old one is freed.
    const FontDescription &defaultFont = description().defaultFont;
    const auto px = [this](int twips) { return twipsToPixels(twips, m_dpi); };
    for (Control &c : m_controls) {
        const ControlDescription &d = *c.description;
        HFONT old = c.font;
        c.font = makeFont(d.font ? *d.font : defaultFont, m_dpi);
        SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);
        // Controls in a frame are placed relative to it.
        int left = d.rect.left;
        int top = d.rect.top;
        if (const Control *frame = d.container.empty() ? nullptr : find(d.container)) {
            left += frame->description->rect.left;
            top += frame->description->rect.top;
        }
        SetWindowPos(c.hwnd, nullptr, px(left), px(top), px(d.rect.width), px(d.rect.height),
            SWP_NOZORDER | SWP_NOACTIVATE);
        if (old)
            DeleteObject(old);
    }
    shapeLabels();
}

void Win32Window::shapeLabels()
{
    for (const Control &label : m_controls) {
        if (label.description->kind != ControlKind::Label)
            continue;
        const RECT own = rectInParent(label.hwnd);
        HRGN shape = CreateRectRgn(0, 0, own.right - own.left, own.bottom - own.top);
        bool cut = false;
        for (const Control &other : m_controls) {
            const ControlKind kind = other.description->kind;
            RECT r = rectInParent(other.hwnd);
            RECT overlap;
            if ((kind != ControlKind::TextBox && kind != ControlKind::PushButton)
                || !IntersectRect(&overlap, &own, &r))
                continue;
            OffsetRect(&r, -own.left, -own.top);
            HRGN hole = CreateRectRgnIndirect(&r);
            CombineRgn(shape, shape, hole, RGN_DIFF);
            DeleteObject(hole);
            cut = true;
        }
        if (!cut) {
            DeleteObject(shape);
            shape = nullptr;
        }
        SetWindowRgn(label.hwnd, shape, FALSE); // the system owns the region now
    }
}

void Win32Window::resizeToClientArea(const RECT *suggested)
{
    const RECT frame = win32::windowRectFor(twipsToPixels(description().clientWidthTwips, m_dpi),
        twipsToPixels(description().clientHeightTwips, m_dpi), windowStyle, windowExStyle,
        m_menu != nullptr, m_dpi);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (suggested ? 0 : SWP_NOMOVE);
    SetWindowPos(m_hwnd, nullptr, suggested ? suggested->left : 0, suggested ? suggested->top : 0,
        width, height, flags);
    // A menu bar that wraps onto a second line takes client height: give it back.
    RECT client;
    GetClientRect(m_hwnd, &client);
    const int missing = twipsToPixels(description().clientHeightTwips, m_dpi) - client.bottom;
    if (missing > 0) {
        height += missing;
        SetWindowPos(
            m_hwnd, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
}

void Win32Window::releaseFonts()
{
    for (Control &c : m_controls) {
        if (c.font)
            DeleteObject(c.font);
        c.font = nullptr;
    }
}

const Win32Window::Control *Win32Window::find(std::string_view name) const
{
    const auto found = std::find_if(m_controls.begin(), m_controls.end(),
        [name](const Control &c) { return c.description->name == name; });
    return found == m_controls.end() ? nullptr : &*found;
}

const Win32Window::Control *Win32Window::find(HWND hwnd) const
{
    const auto found = std::find_if(
        m_controls.begin(), m_controls.end(), [hwnd](const Control &c) { return c.hwnd == hwnd; });
    return found == m_controls.end() ? nullptr : &*found;
}

HWND Win32Window::control(std::string_view name) const
{
    const Control *c = find(name);
    return c ? c->hwnd : nullptr;
}

std::string_view Win32Window::nameOf(HWND hwnd) const
{
    const Control *c = hwnd ? find(hwnd) : nullptr;
    return c ? c->description->name : std::string_view {};
}

std::optional<int> Win32Window::commandId(std::string_view name) const
{
    if (const auto index = controlIndex(name))
        return at(*index).id;
    if (const auto number = menuEntryNumber(name))
        return firstMenuId + *number;
    return std::nullopt;
}

const Win32Window::Control &Win32Window::at(std::size_t control) const
{
    const ControlDescription *wanted = &description().controls.at(control);
    return *std::find_if(m_controls.begin(), m_controls.end(),
        [wanted](const Control &c) { return c.description == wanted; });
}

std::string Win32Window::text(std::size_t control) const
{
    HWND hwnd = at(control).hwnd;
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return toUtf8(text);
}

void Win32Window::setText(std::size_t control, std::string_view text)
{
    const Control &c = at(control);
    SetWindowTextW(c.hwnd, toWide(text).c_str());
    // Screen readers are told of the new value of a box that holds a result,
    // wherever the focus is; the focus stays where it is.
    if (c.description->announced)
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, c.hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void Win32Window::setFocus(std::size_t control)
{
    m_lastFocus = at(control).hwnd;
    SetFocus(m_lastFocus);
}

void Win32Window::onButtonClick(std::size_t control, std::function<void()> handler)
{
    m_handlers[at(control).id] = std::move(handler);
}

void Win32Window::onMenuChoice(int entry, std::function<void()> handler)
{
    m_handlers[firstMenuId + entry] = std::move(handler);
}

void Win32Window::onCloseBox(std::function<void()> handler)
{
    m_closeBox = std::move(handler);
}

void Win32Window::show()
{
    if (!m_hwnd)
        return;
    ShowWindow(m_hwnd, IsIconic(m_hwnd) ? SW_RESTORE : SW_SHOW);
    if (!m_shown) {
        m_shown = true;
        UpdateWindow(m_hwnd);
    }
    SetForegroundWindow(m_hwnd);
    BringWindowToTop(m_hwnd);
}

void Win32Window::hide()
{
    if (m_hwnd)
        ShowWindow(m_hwnd, SW_HIDE);
}

bool Win32Window::isVisible() const
{
    return m_hwnd && IsWindowVisible(m_hwnd);
}

LRESULT CALLBACK Win32Window::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *create = reinterpret_cast<CREATESTRUCTW *>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<Win32Window *>(create->lpCreateParams)->m_hwnd = hwnd;
    }
    auto *window = reinterpret_cast<Win32Window *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        window->m_hwnd = nullptr;
        window->m_menu = nullptr; // gone with the window
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return window->handleMessage(message, wParam, lParam);
}

LRESULT Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        // Menu entries (0), accelerators (1) and button clicks; nothing once
        // the program has ended.
        const int code = HIWORD(wParam);
        if (lParam != 0 && code != BN_CLICKED)
            break;
        const auto handler = m_handlers.find(LOWORD(wParam));
        if (handler != m_handlers.end() && !m_runtime.ended()) {
            const std::function<void()> run = handler->second; // the handler may end the program
            run();
        }
        return 0;
    }
    case WM_CLOSE:
        if (m_closeBox && !m_runtime.ended())
            m_closeBox();
        else
            hide();
        return 0;
    case WM_ACTIVATE:
        // Each window keeps its own focus across activation.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && find(focus))
                m_lastFocus = focus;
        } else {
            HWND focus = m_lastFocus;
            if (!focus || !IsWindow(focus))
                focus = GetNextDlgTabItem(m_hwnd, nullptr, FALSE);
            if (focus)
                SetFocus(focus);
        }
        return 0;
    case DM_GETDEFID: {
        // Enter presses the default button, which the dialog manager asks
        // for here: the push button with the focus, if one has it. No button
        // is the default otherwise, so Enter in a text box runs nothing.
        const Control *c = find(GetFocus());
        if (c && c->description->kind == ControlKind::PushButton)
            return MAKELRESULT(c->id, DC_HASDEFID);
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        const Control *c = find(reinterpret_cast<HWND>(lParam));
        if (c && c->description->textColour) {
            const Rgb &rgb = *c->description->textColour;
            auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc,
                RGB(static_cast<BYTE>(rgb.red), static_cast<BYTE>(rgb.green),
                    static_cast<BYTE>(rgb.blue)));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    }
    case 0x02E0: // WM_DPICHANGED
        m_dpi = HIWORD(wParam);
        layOut();
        setIcons();
        resizeToClientArea(reinterpret_cast<const RECT *>(lParam));
        // Labels paint over the window's background without erasing their
        // own: the whole window is drawn again, background first.
        RedrawWindow(m_hwnd, nullptr, nullptr,
            RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

} // namespace orvanel::platform
