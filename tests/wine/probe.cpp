// Looks at the windows of a Wine desktop for the test scripts, which cannot
// see inside it from X:
//   orvanel-probe wait TITLE SECONDS   exits 0 once a visible window has that title
//   orvanel-probe gone TITLE SECONDS   exits 0 once no visible window has it
//   orvanel-probe texts TITLE          prints the text of each of its controls, a line each
//   orvanel-probe rect TITLE           prints its place on the desktop: X Y WIDTH HEIGHT
//   orvanel-probe running NAME.exe     exits 0 when a process of that program runs
//                                      in this Wine prefix, and prints its ids

#define WIN32_LEAN_AND_MEAN
#define UNICODE
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string utf8(const wchar_t *text)
{
    char buffer[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer - 1, nullptr, nullptr);
    return buffer;
}

HWND visibleWindow(const wchar_t *title)
{
    HWND hwnd = FindWindowW(nullptr, title);
    return hwnd && IsWindowVisible(hwnd) ? hwnd : nullptr;
}

BOOL CALLBACK printText(HWND hwnd, LPARAM)
{
    // WM_GETTEXT, not GetWindowText: only the message reads another
    // process's edit boxes.
    wchar_t text[4096] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(
        hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
    std::printf("%s\n", utf8(text).c_str());
    return TRUE;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    wchar_t title[256] = {};
    MultiByteToWideChar(CP_UTF8, 0, argv[2], -1, title, 255);
    const std::string command = argv[1];
    if (command == "rect") {
        HWND hwnd = visibleWindow(title);
        RECT r {};
        if (!hwnd || !GetWindowRect(hwnd, &r))
            return 1;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (command == "running") {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE)
            return 2;
        PROCESSENTRY32W process { sizeof process };
        int found = 0;
        for (BOOL more = Process32FirstW(snapshot, &process); more;
             more = Process32NextW(snapshot, &process)) {
            if (lstrcmpiW(process.szExeFile, title) == 0) {
                std::printf("%lu\n", process.th32ProcessID);
                ++found;
            }
        }
        CloseHandle(snapshot);
        return found ? 0 : 1;
    }
    if (command == "texts") {
        HWND hwnd = visibleWindow(title);
        if (!hwnd)
            return 1;
        EnumChildWindows(hwnd, printText, 0);
        return 0;
    }
    const bool wantShown = command == "wait";
    const DWORD deadline = GetTickCount() + DWORD(argc > 3 ? std::atoi(argv[3]) : 10) * 1000;
    while (GetTickCount() < deadline) {
        if ((visibleWindow(title) != nullptr) == wantShown)
            return 0;
        Sleep(100);
    }
    return 1;
}
