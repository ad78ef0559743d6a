// The floor for start-up measurements on Windows: the least a Win32 program
// does to show a menu bar with one menu of one entry, a label, an edit box and
// a push button, in the default GUI font.

#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include <commctrl.h>

namespace {

constexpr UINT exitCommand = 1000;

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == exitCommand)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void addChild(HWND parent, const wchar_t *kind, const wchar_t *text, DWORD style, int y, int height)
{
    HWND child = CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, 8, y, 120, height,
        parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    INITCOMMONCONTROLSEX controls { sizeof controls, ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&controls);

    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"OrvanelMinimal";
    RegisterClassExW(&windowClass);

    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, exitCommand, L"E&xit");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, UINT_PTR(file), L"&File");

    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Minimal",
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT, 310,
        260, nullptr, bar, instance, nullptr);
    addChild(window, L"STATIC", L"Total block", 0, 8, 20);
    addChild(window, L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 32, 22);
    addChild(window, L"BUTTON", L"Continue", WS_TABSTOP | BS_PUSHBUTTON, 64, 26);
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return int(message.wParam);
}
