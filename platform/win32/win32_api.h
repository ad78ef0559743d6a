#pragma once

// The Windows headers as this implementation uses them, UTF-8 and UTF-16
// conversions at the API boundary, and the DPI functions that only newer
// Windows versions have, looked up at run time so that the program still
// starts on Windows 7.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include <string>
#include <string_view>

namespace orvanel::platform::win32 {

std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

// The window's DPI (Windows 10 1607 and later), else the screen's.
int dpiOf(HWND hwnd);
// A system metric (GetSystemMetrics) at a DPI.
int systemMetric(int index, int dpi);
// The window rectangle for a client rectangle at a DPI, with or without a
// menu bar.
RECT windowRectFor(
    int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool menu, int dpi);
// Asks for per-monitor DPI awareness (v2 where Windows has it) when no
// manifest has already set it.
void becomeDpiAware();

// The installed face for a face named in a description: the face itself, or
// the substitute that Windows has, of the same size and weight.
std::wstring installedFace(std::string_view face);

} // namespace orvanel::platform::win32
