// A window that Windows moves to a screen of another DPI lays itself out and
// draws itself as a window made on that screen. Run in a Wine prefix whose
// screen has 144 dots per inch: the window is made there, moved to 96 dpi and
// back with the WM_DPICHANGED that Windows sends, then compared with a new one.

#include "platform/win32/win32_runtime.h"
#include "platform/win32/win32_window.h"
#include "ui/main/frmorvix.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using orvanel::platform::Win32Window;

// WM_DPICHANGED with the rectangle Windows suggests: the window's own, scaled.
void moveToDpi(HWND hwnd, int from, int to)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    RECT suggested { r.left, r.top, r.left + MulDiv(r.right - r.left, to, from),
        r.top + MulDiv(r.bottom - r.top, to, from) };
    SendMessageW(hwnd, 0x02E0, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
}

struct Looks {
    SIZE window {};
    std::vector<LONG> controls; // left, top, right, bottom of each, in the client area
    std::vector<DWORD> pixels; // of the client area, as on the screen
};

Looks looksOf(HWND hwnd)
{
    Looks looks;
    RECT r;
    GetWindowRect(hwnd, &r);
    looks.window = { r.right - r.left, r.bottom - r.top };
    for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT *>(&r), 2);
        looks.controls.insert(looks.controls.end(), { r.left, r.top, r.right, r.bottom });
    }
    GetClientRect(hwnd, &r);
    BITMAPINFO info {};
    info.bmiHeader = { sizeof info.bmiHeader, r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    void *bits = nullptr;
    HDC screen = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto *first = static_cast<const DWORD *>(bits);
    looks.pixels.assign(first, first + static_cast<std::size_t>(r.right) * r.bottom);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, screen);
    return looks;
}

void showAt(HWND hwnd, int x)
{
    SetWindowPos(hwnd, nullptr, x, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Not activated: no caret blinks in either window.
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
}

void pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

TEST(DpiChange, AWindowMovedTo144DpiLooksLikeOneMadeThere)
{
    orvanel::platform::Win32Runtime runtime("Orvix");
    const auto moved = runtime.createWindow(orvanel::frmorvixDescription());
    auto &movedWindow = dynamic_cast<Win32Window &>(*moved);
    ASSERT_EQ(movedWindow.dpi(), 144) << "the screen of this Wine prefix is not at 144 dpi";
    HWND hwnd = movedWindow.handle();
    showAt(hwnd, 0);
    moveToDpi(hwnd, 144, 96);
    pump();
    ASSERT_EQ(movedWindow.dpi(), 96);
    moveToDpi(hwnd, 96, 144);
    pump();

    const auto made = runtime.createWindow(orvanel::frmorvixDescription());
    HWND other = dynamic_cast<Win32Window &>(*made).handle();
    RECT r;
    GetWindowRect(other, &r);
    showAt(other, GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left));
    pump();

    const Looks want = looksOf(other);
    const Looks got = looksOf(hwnd);
    EXPECT_EQ(got.window.cx, want.window.cx);
    EXPECT_EQ(got.window.cy, want.window.cy);
    EXPECT_EQ(got.controls, want.controls);
    ASSERT_EQ(got.pixels.size(), want.pixels.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < got.pixels.size(); ++i)
        differing += got.pixels[i] != want.pixels[i] ? 1 : 0;
    EXPECT_EQ(differing, 0u) << "of " << got.pixels.size() << " pixels";
}

} // namespace
